#!/bin/sh
# Runs the Octave modules under valgrind memcheck: octave-memcheck.sh <module dir> <preload> <log>
# Fails on any invalid read or write, or when the calls did not all run.
set -u
dir=$(cd "$1" && pwd); preload=$2; log=$3
script=$(cd "$(dirname "$0")/.." && pwd)/tests/octave/memcheck.m
LD_PRELOAD="$preload" valgrind --tool=memcheck --error-limit=no --log-file="$log" \
  octave-cli --norc --no-history --no-window-system \
  --eval "addpath('$dir'); run('$script')" > "$log.out" 2>&1
if ! grep -q "memcheck calls done" "$log.out"; then
  echo "the calls did not all run:"; cat "$log.out"; exit 1
fi
if grep -E "Invalid (read|write)|Invalid free" "$log"; then
  grep -B2 -A25 -E "Invalid (read|write)" "$log" | head -80
  exit 1
fi
echo "memcheck: no invalid read or write"
