# Everyday commands; each installs missing Debian packages first.
BUILD      ?= build
ASAN_BUILD ?= build-asan
JOBS       ?= $(shell nproc)
CMAKE_FLAGS ?=
# Tests that need an X display get a virtual one when there is none.
CTEST := $(if $(DISPLAY),ctest,xvfb-run -a -s "-screen 0 1280x1024x24" ctest)

.PHONY: all deps build run test unit-test asan-test bench format clean

all: build

deps:
	@scripts/install-deps

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS)

build: deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/diglux

# Every test: warnings as errors, all tests (unit, host, end-to-end), then the unit tests
# again under AddressSanitizer and UndefinedBehaviorSanitizer.
test: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDIGLUX_WERROR=ON $(CMAKE_FLAGS)
	cmake --build $(BUILD) -j $(JOBS)
	cd $(BUILD) && $(CTEST) --output-on-failure
	$(MAKE) asan-test

asan-test: deps
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DDIGLUX_WERROR=ON -DDIGLUX_SANITIZE=ON \
	      -DDIGLUX_GUI=OFF -DDIGLUX_BENCH=OFF $(CMAKE_FLAGS)
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && ctest --output-on-failure

bench: build
	$(BUILD)/bench/diglux_bench
	bench/idle-cost.sh $(BUILD)/diglux

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)
