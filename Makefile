# The two commands of the README, and a few more for developers.
#   make run         install what building needs, build the window, start vandrel
#   make test        install the test tools too, build everything, run every test
#   make package     the Debian package, in $(BUILD)/
#   make screenshot  docs/window.png (right after start-up), docs/window-after-sort.png
#                    and docs/passages.png (the passages window)
#   make bench       the benchmarks (a 1 GB file is generated once)
#   make fuzz        the libFuzzer targets, FUZZ_SECONDS each (clang)
#   make lint        clang-tidy over the project's sources (bugprone-*, performance-*)
#
# One build folder with one set of flags, so that make run and then make
# test build nothing twice: warnings are errors in both (WERROR=OFF turns
# that off for both).

BUILD ?= build
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
JOBS ?= $(shell nproc)
WERROR ?= ON

BUILD_PATH = $(abspath $(BUILD))
XVFB = xvfb-run -a -s "-screen 0 1280x1024x24 -dpi 96"

.PHONY: run test package screenshot bench fuzz lint build configure deps test-deps bench-deps clean

deps:
	@tools/install-deps

# The test tools; configuring again finds GoogleTest where make run's
# configure did not have it. Nothing is rebuilt for that.
test-deps:
	@tools/install-deps --test
	@if [ -f $(BUILD)/CMakeCache.txt ]; then cmake $(BUILD) > /dev/null; fi

bench-deps:
	@tools/install-deps --bench
	@if [ -f $(BUILD)/CMakeCache.txt ]; then cmake $(BUILD) > /dev/null; fi

# A configure that failed wrote no build.ninja, so it runs again.
configure: deps
	@if [ ! -f $(BUILD)/build.ninja ]; then \
		cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DVANDREL_WERROR=$(WERROR); \
	elif ! grep -qx 'VANDREL_WERROR:BOOL=$(WERROR)' $(BUILD)/CMakeCache.txt; then \
		cmake -DVANDREL_WERROR=$(WERROR) $(BUILD); \
	fi

build: configure
	@cmake --build $(BUILD) --parallel $(JOBS)

# Only the window, and vandrel-scan for a machine without a desktop; not the
# tests and benchmarks. It starts in examples/, so the example file is in its
# list at once.
run: configure
	@cmake --build $(BUILD) --parallel $(JOBS) --target vandrel vandrel-scan
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
		echo "vandrel: no desktop here (DISPLAY is not set); 'make screenshot' draws the window to docs/window.png, and $(BUILD)/cli/vandrel-scan examples/horizons_results.txt scans without one."; \
	else \
		cd examples && $(BUILD_PATH)/app/vandrel; \
	fi

# The window shows the folder it starts in: one fixed folder with the example
# file, wherever the checkout lies, draws the same pixels. The passages
# window shows ten years of the real Earth from the Sun, when ../shared is there.
SCREENSHOT_FOLDER = /tmp/vandrel/examples
EARTH_SUN = ../shared/ephemerides/vectors-csv-earth-sun-au-1d-2010-2020.txt

screenshot: test-deps build
	@rm -rf $(SCREENSHOT_FOLDER) && mkdir -p $(SCREENSHOT_FOLDER) && \
		cp examples/horizons_results.txt $(SCREENSHOT_FOLDER)/
	@cd $(SCREENSHOT_FOLDER) && $(XVFB) $(BUILD_PATH)/tools/vandrel-screenshot $(CURDIR)/docs/window.png
	@cd $(SCREENSHOT_FOLDER) && $(XVFB) $(BUILD_PATH)/tools/vandrel-screenshot $(CURDIR)/docs/window-after-sort.png \
		--after-sort horizons_results.txt > /dev/null
	@if [ -f $(EARTH_SUN) ]; then \
		cp $(EARTH_SUN) $(SCREENSHOT_FOLDER)/ && \
		cd $(SCREENSHOT_FOLDER) && $(XVFB) $(BUILD_PATH)/tools/vandrel-screenshot \
			$(CURDIR)/docs/passages.png --passages $(notdir $(EARTH_SUN)) && \
		echo "wrote docs/window.png, docs/window-after-sort.png and docs/passages.png"; \
	else \
		echo "wrote docs/window.png and docs/window-after-sort.png; no $(EARTH_SUN) for docs/passages.png"; \
	fi

test: test-deps build
	@cd $(BUILD) && ctest --output-on-failure --parallel $(JOBS)

package: test-deps build
	@cd $(BUILD) && cpack -G DEB

bench: bench-deps build
	@bench/run-bench $(BUILD)

fuzz: deps
	@tools/install-deps --fuzz
	@test -f $(FUZZ_BUILD)/build.ninja || CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -G Ninja \
		-DCMAKE_BUILD_TYPE=RelWithDebInfo -DVANDREL_FUZZ=ON
	@cmake --build $(FUZZ_BUILD) --parallel $(JOBS)
	@for target in field_reader scanner numbers differential; do \
		mkdir -p $(FUZZ_BUILD)/corpus/$$target && \
		$(FUZZ_BUILD)/tests/fuzz/fuzz_$$target -max_total_time=$(FUZZ_SECONDS) -max_len=4096 \
			$(FUZZ_BUILD)/corpus/$$target tests/fuzz/seeds || exit 1; \
	done

lint: build
	@tools/install-deps --lint
	@tools/lint $(BUILD) $(JOBS)

clean:
	rm -rf $(BUILD) $(FUZZ_BUILD)
