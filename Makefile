# Two commands do everything on a fresh Debian machine: `make demo` and `make test`.
BUILD   ?= build
JOBS    ?= $(shell nproc)
CMAKE_FLAGS ?=

.PHONY: all deps configure build test demo tsan soak bench clean

all: build

deps:
	@bash scripts/install-deps.sh

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS)

configure: deps $(BUILD)/build.ninja

build: configure
	cmake --build $(BUILD) -j $(JOBS)

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS) --timeout 300

demo: build
	@bash scripts/demo.sh $(BUILD)

# Concurrency tests under ThreadSanitizer, in a build folder of their own.
tsan: deps
	cmake --preset tsan
	cmake --build build-tsan -j $(JOBS)
	cd build-tsan && ctest --output-on-failure -j $(JOBS) -L concurrency

# The soak test for SOAK_SECONDS (default 10 minutes) under AddressSanitizer
# and UndefinedBehaviorSanitizer, in a build folder of its own; SOAK_SEED
# replays a run. Leak reports are off: Qt and its plug-ins keep caches to exit.
SOAK_SECONDS ?= 600
soak: deps
	cmake --preset soak
	cmake --build build-soak -j $(JOBS) --target soak_shell
	cd build-soak && ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
	  QT_QPA_PLATFORM=offscreen ./tests/soak/soak_shell --seconds $(SOAK_SECONDS) $(if $(SOAK_SEED),--seed $(SOAK_SEED))

bench: build
	GALLORIM_BENCH=1 bash scripts/install-deps.sh
	bash bench/run-all.sh $(BUILD)

clean:
	rm -rf $(BUILD) build-tsan build-soak
