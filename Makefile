# mixfilt: builds every platform's deliverables into dist/ and runs the tests.
#   make          install what is missing, build every deliverable
#   make test     the above, then every test of every platform
#   make fuzz     run every fuzz target for FUZZ_SECONDS (default 180) on its corpus
#   make package  pack the sources as an Octave package: dist/mixfilt-<version>.tar.gz
#   make demo     install what is missing, build, run the demonstration in Octave: its
#                 picture goes to dist/demo/filters.png
#   make bench    build the kernel benchmark (build/bench) and run it, then time the Octave
#                 modules against Octave and NumPy/SciPy (bench/peers.sh); never part of test
# Each platform has its own CMake tree under build/ (asan: the native tree under the
# sanitizers; fuzz: the fuzz targets); the trees are built one at a time.

# Google Benchmark options of make bench: medians of three runs by default.
BENCH_ARGS ?= --benchmark_repetitions=3 --benchmark_report_aggregates_only=true

PLATFORMS := glnxa64 win64 win32 i686 mac octave asan fuzz
BUILD     := build
JOBS      ?= 2

.PHONY: all deps build test fuzz package demo bench clean $(PLATFORMS:%=build-%)

all: deps build

deps:
	./tools/install-deps.sh

build: $(PLATFORMS:%=build-%)

$(BUILD)/%/CMakeCache.txt:
	./tools/configure.sh $* $(BUILD)/$*

$(PLATFORMS:%=build-%): build-%: $(BUILD)/%/CMakeCache.txt
	cmake --build $(BUILD)/$* -j$(JOBS)

test: all
	./tools/run-tests.sh $(BUILD) $(PLATFORMS)

fuzz: deps build-fuzz
	./tools/fuzz.sh $(BUILD)/fuzz $(FUZZ_SECONDS)

package:
	./tools/package.sh dist

demo: all
	./tools/run-demo.sh dist/octave dist/demo/filters.png

bench: deps build-octave $(BUILD)/bench/CMakeCache.txt
	cmake --build $(BUILD)/bench --target kernels_bench -j$(JOBS)
	$(BUILD)/bench/bin/kernels_bench $(BENCH_ARGS)
	./bench/peers.sh dist/octave

clean:
	rm -rf $(BUILD) dist
