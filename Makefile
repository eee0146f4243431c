# The two commands of the README:
#   make demo   instrument, simulate and report the bundled example
#   make test   build everything and run the whole test suite
BUILD ?= build
JOBS ?= 2

.PHONY: all build test test-sanitize demo bench deps clean

all: build

deps:
	@tools/setup-deps

build: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

test: build
	@cd $(BUILD) && ctest -j $(JOBS) --output-on-failure

# The same suite with AddressSanitizer, UndefinedBehaviorSanitizer and
# LeakSanitizer in both programs and in every test.
test-sanitize: deps
	@cmake -S . -B $(BUILD)-sanitize -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCORVANE_SANITIZE=ON >/dev/null
	@cmake --build $(BUILD)-sanitize -j $(JOBS)
	@cd $(BUILD)-sanitize && ASAN_OPTIONS=detect_leaks=1:abort_on_error=0 \
	    UBSAN_OPTIONS=print_stacktrace=1 ctest -j $(JOBS) --output-on-failure

demo: build
	@examples/run-demo $(BUILD)

bench: build
	@bench/run $(BUILD)

clean:
	rm -rf $(BUILD) $(BUILD)-sanitize out
