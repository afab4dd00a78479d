# Two entry points: `make demo` and `make test`. Everything else is CMake.
JOBS ?= $(shell nproc)
GENERATOR := -G Ninja

.PHONY: demo test deps build build-asan clean

deps:
	scripts/install-deps

build: deps
	cmake -S . -B build $(GENERATOR) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build build -j $(JOBS)

# Clang with address + undefined-behaviour sanitizers; also builds the fuzz targets.
build-asan: deps
	cmake -S . -B build-asan $(GENERATOR) -DCMAKE_BUILD_TYPE=Debug \
	  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DZEMBRIO_SANITIZE=ON
	cmake --build build-asan -j $(JOBS)

demo: build
	./build/bin/zembrio-demo

test: build build-asan
	cd build && ctest --output-on-failure -j $(JOBS)
	cd build-asan && ctest --output-on-failure -j $(JOBS)

clean:
	rm -rf build build-asan
