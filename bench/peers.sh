#!/bin/sh
# Times each module's Octave build against what a user would otherwise write, in Octave and
# in NumPy/SciPy, on one thread: peers.sh [<module folder>, default dist/octave]
# Prints each time and the ratio of the module's time to its best peer's.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
moddir=$(cd "${1:-$here/../dist/octave}" && pwd)
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT INT TERM
export OMP_NUM_THREADS=1 OPENBLAS_NUM_THREADS=1
octave-cli --norc --no-history --no-window-system \
  --eval "addpath('$here'); peers_octave('$moddir', '$dir')"
/usr/bin/python3 "$here/peers.py" "$dir"
