# make run   - install what is missing, build a release build, start the program
# make test  - install what is missing, build with ASan/UBSan, run every test, then the fuzzers briefly
# make bench - the benchmarks (figures and ratios, no asserts)
# make fuzz  - the fuzz targets, longer
FUZZ_SECONDS ?= 5
LONG_FUZZ_SECONDS ?= 300
GEN := -G Ninja

.PHONY: run build test fuzz fuzz-build bench install clean

run: build
	./build/release/bin/vornFirmwareUpdater

build:
	sh scripts/install-deps.sh run
	cmake -S . -B build/release $(GEN) -DCMAKE_BUILD_TYPE=Release -DVORN_TESTS=OFF
	cmake --build build/release

test:
	sh scripts/install-deps.sh test
	cmake -S . -B build/test $(GEN) -DCMAKE_BUILD_TYPE=Debug -DVORN_SANITIZE=ON
	cmake --build build/test
	cd build/test && ctest --output-on-failure -j2
	$(MAKE) --no-print-directory fuzz-build FUZZ_SECONDS=$(FUZZ_SECONDS)
	cd build/fuzz && ctest --output-on-failure

fuzz:
	sh scripts/install-deps.sh test
	$(MAKE) --no-print-directory fuzz-build FUZZ_SECONDS=$(LONG_FUZZ_SECONDS)
	cd build/fuzz && ctest --output-on-failure

fuzz-build:
	cmake -S . -B build/fuzz $(GEN) -DCMAKE_BUILD_TYPE=Debug -DVORN_FUZZ=ON -DVORN_FUZZ_SECONDS=$(FUZZ_SECONDS) \
	  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
	cmake --build build/fuzz

bench:
	sh scripts/install-deps.sh bench
	cmake -S . -B build/bench $(GEN) -DCMAKE_BUILD_TYPE=Release -DVORN_TESTS=OFF -DVORN_BENCH=ON
	cmake --build build/bench
	sh bench/run.sh build/bench

install: build
	cmake --install build/release $(if $(PREFIX),--prefix $(PREFIX))

clean:
	rm -rf build
