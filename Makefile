# Front door for people: every target sets the machine up first (cheap when
# everything is there), then hands over to CMake and CTest.
BUILD_DIR ?= build
SANITIZE_DIR ?= build-asan
FUZZ_DIR ?= build-fuzz
BUILD_TYPE ?= RelWithDebInfo
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: all setup configure build sanitize-build fuzz-build fuzz run test bench soak install package clean

all: build

setup:
	@tools/setup.sh

configure: setup
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) \
		-DMH_SANITIZER_BUILD_DIR=$(abspath $(SANITIZE_DIR)) \
		-DMH_FUZZ_BUILD_DIR=$(abspath $(FUZZ_DIR)) >/dev/null

build: configure
	@cmake --build $(BUILD_DIR) -j$(JOBS) -- --no-print-directory

run: build
	@tools/run.sh $(BUILD_DIR)

# The sanitizer build is run by one of the main build's tests.
sanitize-build: setup
	@cmake -S . -B $(SANITIZE_DIR) -DCMAKE_BUILD_TYPE=Debug -DMEADOWHOP_SANITIZE=ON >/dev/null
	@cmake --build $(SANITIZE_DIR) -j$(JOBS) -- --no-print-directory

# libFuzzer needs clang; the fuzz targets get a build folder of their own.
fuzz-build: setup
	@CC=clang CXX=clang++ cmake -S . -B $(FUZZ_DIR) -DMEADOWHOP_FUZZ=ON >/dev/null
	@cmake --build $(FUZZ_DIR) -j$(JOBS) -- --no-print-directory

# Open-ended fuzzing, FUZZ_SECONDS per target, growing a corpus of its own in
# the fuzz build; crashes are written there too.
FUZZ_SECONDS ?= 300
fuzz: fuzz-build
	@for t in settings image model; do mkdir -p $(FUZZ_DIR)/work/$$t/corpus; \
		$(FUZZ_DIR)/tests/fuzz/fuzz_$$t -max_total_time=$(FUZZ_SECONDS) -rss_limit_mb=2048 \
		-max_len=65536 -artifact_prefix=$(FUZZ_DIR)/work/$$t/ $(FUZZ_DIR)/work/$$t/corpus \
		tests/fuzz/corpus/$$t || exit 1; done

test: build sanitize-build fuzz-build
	@cd $(BUILD_DIR) && ctest --output-on-failure -j$(JOBS)

# 30 s of the real game with scripted keys on the software renderer, then a
# clear-and-swap baseline, then 5 s games with one part of the picture off
# at a time for each part's cost; figures go to build/bench-results.jsonl.
bench: build
	@cd $(BUILD_DIR) && if [ -n "$${DISPLAY:-}" ]; then ./meadowhop-bench; \
		else xvfb-run -a -s "-screen 0 1280x1024x24" ./meadowhop-bench; fi

# The real game for SOAK_SECONDS with keys held in turn, sampling its memory
# and the film's image changes each second; prints the figures.
SOAK_SECONDS ?= 600
soak: build
	@python3 tools/soak.py --seconds $(SOAK_SECONDS) --build $(abspath $(BUILD_DIR))

install: build
	@cmake --install $(BUILD_DIR) $(if $(PREFIX),--prefix $(PREFIX))

package: build
	@cd $(BUILD_DIR) && cpack

clean:
	rm -rf $(BUILD_DIR) $(SANITIZE_DIR) $(FUZZ_DIR)
