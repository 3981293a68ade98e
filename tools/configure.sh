#!/bin/sh
# Configures the CMake tree of one platform: configure.sh <platform> <tree> [cmake args...]
# The platform "asan" is the native platform built with AddressSanitizer and
# UndefinedBehaviorSanitizer, its deliverables kept inside its own tree; "fuzz" builds the
# fuzz targets with clang under the same sanitizers; "bench" is the native platform with the
# kernel benchmark and no tests.
set -eu
platform=$1; tree=$2; shift 2
root=$(cd "$(dirname "$0")/.." && pwd)
extra=""
if [ "$platform" = asan ]; then
  platform=glnxa64
  extra="-DMIXFILT_SANITIZE=ON -DMIXFILT_DIST=$(mkdir -p "$tree" && cd "$tree" && pwd)/dist"
fi
if [ "$platform" = fuzz ]; then
  platform=glnxa64
  extra="-DMIXFILT_SANITIZE=ON -DMIXFILT_FUZZ=ON -DMIXFILT_TESTS=OFF -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DMIXFILT_DIST=$(mkdir -p "$tree" && cd "$tree" && pwd)/dist"
fi
if [ "$platform" = bench ]; then
  platform=glnxa64
  extra="-DMIXFILT_BENCH=ON -DMIXFILT_TESTS=OFF -DMIXFILT_DIST=$(mkdir -p "$tree" && cd "$tree" && pwd)/dist"
fi
toolchain=""
[ -f "$root/cmake/toolchains/$platform.cmake" ] && toolchain="-DCMAKE_TOOLCHAIN_FILE=$root/cmake/toolchains/$platform.cmake"
cmake -S "$root" -B "$tree" -DMIXFILT_PLATFORM="$platform" $toolchain $extra "$@" >/dev/null
