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

# Every test: warnings as errors, all tests (unit, host, end-to-end), then all of them again
# with the clock and its tests built with AddressSanitizer and UndefinedBehaviorSanitizer.
test: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDIGLUX_WERROR=ON $(CMAKE_FLAGS)
	cmake --build $(BUILD) -j $(JOBS)
	cd $(BUILD) && $(CTEST) --output-on-failure
	$(MAKE) asan-test

# The sanitizers write their reports into files, so that a report from a process whose exit no
# test checks (a clock ended with its session) is seen as well: any report fails the run and is
# shown. The benchmarks are built for their start-up timer, which an end-to-end test uses.
# libfaketime, preloaded by the end-to-end tests, comes before the sanitizer's runtime, which
# is fine for it. Leaks inside libraries, never in the clock's own code, are suppressed by
# tests/lsan.supp, which says why for each. The settings store's stress test (a writer killed
# hundreds of times) runs in the normal build only: here it takes 90 s instead of 2 s, and the
# code it drives is run under the sanitizers by the store's other tests.
SANITIZER_REPORTS = $(abspath $(ASAN_BUILD))/sanitizer-reports
SANITIZER_ENV = ASAN_OPTIONS=verify_asan_link_order=0:log_path=$(SANITIZER_REPORTS)/asan \
                LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0 \
                UBSAN_OPTIONS=print_stacktrace=1:log_path=$(SANITIZER_REPORTS)/ubsan

asan-test: deps
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DDIGLUX_WERROR=ON -DDIGLUX_SANITIZE=ON \
	      -DDIGLUX_GUI=ON -DDIGLUX_BENCH=ON $(CMAKE_FLAGS)
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	rm -rf $(SANITIZER_REPORTS) && mkdir -p $(SANITIZER_REPORTS)
	cd $(ASAN_BUILD) && $(SANITIZER_ENV) $(CTEST) --output-on-failure -E '^Reliability\.'; \
	  status=$$?; \
	  if [ -n "$$(ls $(SANITIZER_REPORTS))" ]; then \
	    cat $(SANITIZER_REPORTS)/*; echo "asan-test: sanitizer reports above" >&2; status=1; fi; \
	  exit $$status

bench: build
	$(BUILD)/bench/diglux_bench
	bench/idle-cost.sh $(BUILD)/diglux

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)
