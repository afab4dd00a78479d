# Two entry points: `make demo` and `make test`. Everything else is CMake.
JOBS ?= $(shell nproc)
GENERATOR := -G Ninja

.PHONY: demo test deps build build-asan build-tsan release clean

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

# The thread sanitizer watches the process tests (threads under the interpreter lock). The GUI-thread
# tests stay out: Qt is not built for it, so its hand-over synchronisation is invisible to the sanitizer.
build-tsan: deps
	cmake -S . -B build-tsan $(GENERATOR) -DCMAKE_BUILD_TYPE=Debug \
	  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DZEMBRIO_TSAN=ON
	cmake --build build-tsan -j $(JOBS) --target test_runtime

# What we ship and benchmark: -O3, link-time optimisation across the whole library, profile-guided
# optimisation, and no assertions (NDEBUG). The programs are built twice: instrumented, to run the training
# programs (scripts/train-profile), then again with the profiles they wrote. Only the programs and the
# benchmarks are built here; the tests run in the trees above.
RELEASE_TARGETS := zembrio zembrio-run zembrio-pack zembrio-demo bench_values bench_reader bench_evaluator bench_processes
release: deps
	cmake -S . -B build-release $(GENERATOR) -DCMAKE_BUILD_TYPE=Release -DCMAKE_INTERPROCEDURAL_OPTIMIZATION=ON \
	  -DZEMBRIO_PGO=generate
	cmake --build build-release -j $(JOBS) --target zembrio-run
	scripts/train-profile build-release
	cmake -S . -B build-release -DZEMBRIO_PGO=use
	cmake --build build-release -j $(JOBS) --target $(RELEASE_TARGETS)

demo: build
	./build/bin/zembrio-demo

test: build build-asan build-tsan
	cd build && ctest --output-on-failure -j $(JOBS)
	cd build-asan && ctest --output-on-failure -j $(JOBS)
	cd build-tsan && TSAN_OPTIONS=halt_on_error=1 ctest --output-on-failure -R 'Processes|ControlFlow'

clean:
	rm -rf build build-asan build-tsan build-release
