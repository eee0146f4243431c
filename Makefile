# The two commands of the README:
#   make demo   instrument, simulate and report the bundled example
#   make test   build everything and run the whole test suite
BUILD ?= build
JOBS ?= 2

.PHONY: all build test demo bench deps clean

all: build

deps:
	@tools/setup-deps

build: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

test: build
	@cd $(BUILD) && ctest -j $(JOBS) --output-on-failure

demo: build
	@examples/run-demo $(BUILD)

bench: build
	@bench/run $(BUILD)

clean:
	rm -rf $(BUILD) out
