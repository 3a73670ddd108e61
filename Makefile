# Front door for people: every target sets the machine up first (cheap when
# everything is there), then hands over to CMake and CTest.
BUILD_DIR ?= build
SANITIZE_DIR ?= build-asan
FUZZ_DIR ?= build-fuzz
BUILD_TYPE ?= RelWithDebInfo
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: all setup configure build sanitize-build fuzz-build fuzz run test bench soak install package clean web web-serve

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

# A test that fails runs once more: its first output stays in the log, so a
# test that fails only under load is seen there without turning the run red.
test: build sanitize-build fuzz-build web
	@cd $(BUILD_DIR) && ctest --output-on-failure --repeat until-pass:2 -j$(JOBS)

# 30 s of the real game with scripted keys on the software renderer, then a
# clear-and-swap baseline, then a 10 s game for each part of the picture with
# that part off in every other frame, for its cost; figures go to
# build/bench-results.jsonl.
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

# The browser build: Emscripten, Chromium and the libraries' sources from
# Debian, the libraries built once into WEB_LIBS_DIR, the page into WEB_DIR.
# The libraries take many minutes to build and are the same for every clone,
# so they live in the user's cache folder, not in the work tree.
WEB_DIR ?= build-web
WEB_OBJ_DIR ?= build-web-obj
WEB_LIBS_DIR ?= $(or $(XDG_CACHE_HOME),$(if $(HOME),$(HOME)/.cache,$(CURDIR)/build-web-cache))/meadowhop/web-libs
# Emscripten's JavaScript tools need Debian's Node.js modules; its sanity
# check of the toolchain would run again for every file compiled.
WEB_ENV = NODE_PATH=/usr/share/nodejs EMCC_SKIP_SANITY_CHECK=1
web: setup
	@tools/web/setup.sh $(WEB_LIBS_DIR)
	@$(WEB_ENV) tools/web/build_libs.sh $(WEB_LIBS_DIR) $(JOBS)
	@$(WEB_ENV) emcmake cmake -S web -B $(WEB_OBJ_DIR) -DWEB_LIBS=$(abspath $(WEB_LIBS_DIR))/prefix \
		-DWEB_OUT=$(abspath $(WEB_DIR)) >/dev/null
	@$(WEB_ENV) cmake --build $(WEB_OBJ_DIR) -j$(JOBS) -- --no-print-directory
	@echo "web: the page is in $(WEB_DIR)/; make web-serve serves it on http://127.0.0.1:8000/"

web-serve:
	@cd $(WEB_DIR) && python3 -m http.server 8000 --bind 127.0.0.1

clean:
	rm -rf $(BUILD_DIR) $(SANITIZE_DIR) $(FUZZ_DIR) $(WEB_DIR) $(WEB_OBJ_DIR)
