# make run   - installs what is missing, builds, and opens an example project
# make test  - installs what is missing, builds, and runs every test
BUILD ?= build
JOBS  ?= $(shell nproc)
EXAMPLE ?= examples/sand-pile.kv7d

.PHONY: all deps configure build run test fuzz bench bench-plot clean

all: build

deps:
	@./scripts/install-deps.sh

# Configured after the packages are in, also under make -j.
$(BUILD)/build.ninja: | deps
	cmake -S . -B $(BUILD) -G Ninja

configure: deps $(BUILD)/build.ninja

build: configure
	cmake --build $(BUILD) -j $(JOBS)

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

run: build
	@if [ -n "$$DISPLAY$$WAYLAND_DISPLAY" ]; then \
	  $(BUILD)/bin/WINKORVA2015 $(EXAMPLE); \
	elif command -v xvfb-run >/dev/null 2>&1; then \
	  echo "No display: WINKORVA2015 runs on a virtual one (xvfb-run), unseen; end it with Ctrl+C."; \
	  xvfb-run -a $(BUILD)/bin/WINKORVA2015 $(EXAMPLE); \
	else \
	  echo "WINKORVA2015 needs a display: run make run in a desktop session, or install xvfb"; \
	  echo "(xvfb-run) for a virtual one. The engine runs alone, without a display:"; \
	  echo "  $(BUILD)/bin/korva-run $(EXAMPLE)"; \
	  exit 1; \
	fi

# make fuzz - the libFuzzer targets (clang, address and undefined-behaviour
# sanitizers) in build-fuzz, FUZZ_SECONDS per target; not part of make test.
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 90

fuzz:
	@./scripts/install-deps.sh --fuzz
	cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
	  -DKORVA_FUZZ=ON -DKORVA_BUILD_TESTS=OFF
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target korva_fuzz_targets
	./scripts/run-fuzz.sh $(FUZZ_BUILD) $(FUZZ_SECONDS)

# make bench - times whole engine runs (korva-bench: median and spread) on the
# 500-segment benchmark project; not part of make test.
BENCH_PROJECT ?= examples/benchmark-pile.kv7d
BENCH_RUNS ?= 15

bench: build
	$(BUILD)/bin/korva-bench $(BENCH_PROJECT) --runs $(BENCH_RUNS)

# make bench-plot - times the repaint of a plot window (korva-plot-bench: 9
# curves of 500 points at 1000 x 750 pixels, median and spread); not part of
# make test.
BENCH_PLOT_RUNS ?= 50

bench-plot: build
	$(BUILD)/bin/korva-plot-bench --runs $(BENCH_PLOT_RUNS)

clean:
	rm -rf $(BUILD)
