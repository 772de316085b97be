# make run   - installs what is missing, builds, and opens an example project
# make test  - installs what is missing, builds, and runs every test
BUILD ?= build
JOBS  ?= $(shell nproc)
EXAMPLE ?= examples/sand-pile.kv7d

.PHONY: all deps configure build run test fuzz bench clean

all: build

deps:
	@./scripts/install-deps.sh

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja

configure: deps $(BUILD)/build.ninja

build: configure
	cmake --build $(BUILD) -j $(JOBS)

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

run: build
	@if [ -x $(BUILD)/bin/WINKORVA2015 ]; then \
	  $(BUILD)/bin/WINKORVA2015 $(EXAMPLE); \
	else \
	  $(BUILD)/bin/korva-run $(EXAMPLE); \
	fi

clean:
	rm -rf $(BUILD)
