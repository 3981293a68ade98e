#!/bin/sh
# Configures the CMake tree of one platform: configure.sh <platform> <tree> [cmake args...]
set -eu
platform=$1; tree=$2; shift 2
root=$(cd "$(dirname "$0")/.." && pwd)
toolchain=""
[ -f "$root/cmake/toolchains/$platform.cmake" ] && toolchain="-DCMAKE_TOOLCHAIN_FILE=$root/cmake/toolchains/$platform.cmake"
cmake -S "$root" -B "$tree" -DMIXFILT_PLATFORM="$platform" $toolchain "$@" >/dev/null
