# Everyday commands; each installs missing Debian packages first.
BUILD      ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 600
JOBS       ?= $(shell nproc)
CMAKE_FLAGS ?=
# Tests that need an X display get a virtual one when there is none.
CTEST := $(if $(DISPLAY),ctest,xvfb-run -a -s "-screen 0 1280x1024x24" ctest)

.PHONY: all deps build run test unit-test asan-test fuzz-build fuzz-test fuzz bench format clean

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
# with the clock and its tests built with AddressSanitizer and UndefinedBehaviorSanitizer, then
# the fuzz targets' seeds and 20 s of fuzzing each.
test: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDIGLUX_WERROR=ON $(CMAKE_FLAGS)
	cmake --build $(BUILD) -j $(JOBS)
	cd $(BUILD) && $(CTEST) --output-on-failure
	$(MAKE) asan-test
	$(MAKE) fuzz-test

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

# The libFuzzer targets of tests/fuzz, built with clang and ASan/UBSan in their own folder.
fuzz-build: deps
	cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDIGLUX_WERROR=ON \
	      -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DDIGLUX_FUZZ=ON \
	      -DDIGLUX_GUI=OFF -DDIGLUX_BENCH=OFF $(CMAKE_FLAGS)
	cmake --build $(FUZZ_BUILD) -j $(JOBS)

fuzz-test: fuzz-build
	cd $(FUZZ_BUILD) && ctest -L fuzz -j $(JOBS) --output-on-failure

# Fuzzes each target for FUZZ_SECONDS from its seeds, one target after the other, going on
# past failures. New inputs are kept in $(FUZZ_BUILD)/fuzz-corpus/<target>/, failing ones in
# $(FUZZ_BUILD)/fuzz-crashes/<target>/ (emptied at the target's start; any there fail the
# run), libFuzzer's output with the stacks in $(FUZZ_BUILD)/fuzz-crashes/<target>.log.
fuzz: fuzz-build
	@status=0; for t in $(basename $(notdir $(wildcard tests/fuzz/*.cpp))); do \
	    corpus=$(FUZZ_BUILD)/fuzz-corpus/$$t; crashes=$(FUZZ_BUILD)/fuzz-crashes/$$t; \
	    rm -rf $$crashes; mkdir -p $$corpus $$crashes; \
	    dict=$$(test -f tests/fuzz/$$t.dict && echo -dict=tests/fuzz/$$t.dict); \
	    echo "fuzz: $$t for $(FUZZ_SECONDS) s"; \
	    UBSAN_OPTIONS=print_stacktrace=1 $(FUZZ_BUILD)/tests/fuzz/fuzz_$$t \
	        -max_total_time=$(FUZZ_SECONDS) -fork=1 -ignore_crashes=1 -ignore_ooms=1 \
	        -ignore_timeouts=1 -timeout=20 -malloc_limit_mb=256 $$dict \
	        -artifact_prefix=$$crashes/ $$corpus tests/fuzz/corpus/$$t >$$crashes.log 2>&1; \
	    tail -n 2 $$crashes.log; \
	    if [ -n "$$(ls $$crashes)" ]; then echo "fuzz: $$t failed, see $$crashes.log:"; \
	        ls $$crashes; status=1; fi; \
	done; exit $$status

bench: build
	$(BUILD)/bench/diglux_bench
	bench/idle-cost.sh $(BUILD)/diglux

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD)
