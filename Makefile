# Two commands do everything on a fresh Debian machine: `make demo` and `make test`.
BUILD   ?= build
JOBS    ?= $(shell nproc)
CMAKE_FLAGS ?=

.PHONY: all deps configure build test demo package package-test tsan soak fuzz bench clean

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

# The Debian package, in $(BUILD)/package/; `make test` checks it too.
package: build
	cd $(BUILD) && cpack
	@ls $(BUILD)/package/gallorim_*.deb

package-test: build
	cd $(BUILD) && ctest --output-on-failure -L package

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

# The parsers' libFuzzer programs under address and undefined-behaviour checks,
# each for FUZZ_SECONDS (60) from its checked-in corpus, as CI runs them.
FUZZ_SECONDS ?= 60
fuzz:
	GALLORIM_FUZZ=1 bash scripts/install-deps.sh
	CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DGALLORIM_FUZZ=ON -DGALLORIM_FUZZ_SECONDS=$(FUZZ_SECONDS) -DGALLORIM_REGISTER_PLACEMENT=OFF $(CMAKE_FLAGS)
	cmake --build build-fuzz -j $(JOBS) --target fuzzers
	cd build-fuzz && ctest --output-on-failure -j $(JOBS) -L fuzz

bench: build
	GALLORIM_BENCH=1 bash scripts/install-deps.sh
	bash bench/run-all.sh $(BUILD)

clean:
	rm -rf $(BUILD) build-tsan build-soak build-fuzz
