# The commands a user needs. Each one installs what is missing first.
BUILD := build
JOBS ?= 2
CMAKE_FLAGS ?=
# Warnings stop the build only when asked (CI does: make test WERROR=ON). Given
# on every configure, so an earlier choice does not stay in the cache.
WERROR ?= OFF
CONFIGURE = -G Ninja -DTESU_WERROR=$(WERROR) $(CMAKE_FLAGS)

.PHONY: deps build run test test-sanitize bench fuzz-build fuzz fuzz-ci screenshot deb clean

deps:
	@scripts/install-deps.sh

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release $(CONFIGURE) >/dev/null
	cmake --build $(BUILD) -j $(JOBS)

run: build
	scripts/run-example.sh

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

test-sanitize: deps
	cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DTESU_SANITIZE=ON -DTESU_GUI=OFF $(CONFIGURE) >/dev/null
	cmake --build build-sanitize -j $(JOBS)
	cd build-sanitize && ctest --output-on-failure -j $(JOBS)

bench: deps
	cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DTESU_BENCH=ON -DTESU_TESTS=OFF -DTESU_GUI=OFF $(CONFIGURE) >/dev/null
	cmake --build build-bench -j $(JOBS)
	scripts/run-bench.sh build-bench

FUZZ_SECONDS ?= 120
# An input that runs longer than this many seconds counts as a hang.
FUZZ_TIMEOUT := 10
FUZZ_OPTIONS = -max_len=4096 -timeout=$(FUZZ_TIMEOUT) -artifact_prefix=build-fuzz/
fuzz-build: deps
	CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTESU_FUZZ=ON -DTESU_TESTS=OFF -DTESU_GUI=OFF $(CONFIGURE) >/dev/null
	cmake --build build-fuzz -j $(JOBS)
	mkdir -p build-fuzz/corpus build-fuzz/corpus-run

# The reader alone, for FUZZ_SECONDS.
fuzz: fuzz-build
	build-fuzz/fuzz_data_file -max_total_time=$(FUZZ_SECONDS) $(FUZZ_OPTIONS) build-fuzz/corpus fuzz/seeds

# CI: each target for a minute; a crash, a sanitizer report or a hang fails.
fuzz-ci: fuzz-build
	build-fuzz/fuzz_data_file -max_total_time=60 $(FUZZ_OPTIONS) build-fuzz/corpus fuzz/seeds
	build-fuzz/fuzz_run -max_total_time=60 $(FUZZ_OPTIONS) build-fuzz/corpus-run fuzz/seeds

# A picture of the window with the example's mesh, for the documentation.
screenshot: build
	xvfb-run -a -s "-screen 0 1024x768x24" $(BUILD)/tesu --screenshot docs/screenshot.png examples/plate.DAT

# The Debian package of the programs and the Python module (where Debian's
# python3 finds packaged modules), in a build folder of its own:
# build-deb/tesu_VERSION_ARCH.deb.
deb: deps
	cmake -S . -B build-deb -DCMAKE_BUILD_TYPE=Release -DTESU_GUI=ON -DTESU_TESTS=OFF \
		-DTESU_PYTHON_DIR=lib/python3/dist-packages $(CONFIGURE) >/dev/null
	cmake --build build-deb -j $(JOBS)
	cd build-deb && cpack -G DEB

clean:
	rm -rf $(BUILD) build-sanitize build-bench build-fuzz build-deb
