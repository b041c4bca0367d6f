# Two commands do everything on a fresh Debian machine: `make demo` and `make test`.
BUILD   ?= build
JOBS    ?= $(shell nproc)
CMAKE_FLAGS ?=

.PHONY: all deps configure build test demo package package-test tsan bench clean

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

bench: build
	GALLORIM_BENCH=1 bash scripts/install-deps.sh
	bash bench/run-all.sh $(BUILD)

clean:
	rm -rf $(BUILD) build-tsan
