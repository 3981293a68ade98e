#!/bin/sh
# Makes the Octave package from the sources and installs it in a scratch folder, where
# check_install.m loads and calls it: install_test.sh <scratch folder>
# The package, the prefix, the package lists, the home folder and the temporary files all
# stay in the scratch folder, which is made anew. OCTAVE_CLI names the Octave to use.
set -eu
scratch=$1
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
rm -rf "$scratch"
mkdir -p "$scratch/home" "$scratch/tmp"
scratch=$(cd "$scratch" && pwd)
tarball=$(sh "$root/tools/package.sh" "$scratch" | tail -n 1)
# One make job: pkg install runs make with as many jobs as nproc says, and nproc obeys this.
HOME=$scratch/home TMPDIR=$scratch/tmp OMP_NUM_THREADS=1 \
  exec "${OCTAVE_CLI:-octave-cli}" --norc --no-history --no-window-system \
  --eval "addpath('$here'); check_install('$tarball', '$scratch', '$root/mfiles')"
