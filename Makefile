# The two commands of the README:
#   make demo   corvane_run on the bundled example: two runs merged into one coverage report
#   make test   build everything and run the whole test suite
# and:
#   make install [PREFIX=/usr/local]   the four programs into PREFIX/bin
#   make uninstall                     removes exactly the files the last install wrote
BUILD ?= build
JOBS ?= 2
PREFIX ?= /usr/local
# The list of installed files that uninstall removes.
MANIFEST ?= $(BUILD)/install_manifest.txt

.PHONY: all build test test-sanitize demo bench deps clean install uninstall

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

# cmake --install lists every file it writes in $(BUILD)/install_manifest.txt.
install: build
	@cmake --install $(BUILD) --prefix "$(PREFIX)"

uninstall:
	@if [ ! -f "$(MANIFEST)" ]; then echo "nothing to uninstall: no $(MANIFEST)"; exit 1; fi
	@while IFS= read -r file || [ -n "$$file" ]; do \
	    if [ -e "$$file" ] || [ -L "$$file" ]; then rm -f -- "$$file" && echo "-- Removed: $$file"; \
	    else echo "-- Not there: $$file"; fi; \
	done < "$(MANIFEST)"
	@rm -f "$(MANIFEST)"

bench: build
	@bench/run $(BUILD)

clean:
	rm -rf $(BUILD) $(BUILD)-sanitize out
