#!/bin/sh
# Runs mfiles/demo_mixfilt.m on the compiled Octave modules and checks the picture it draws:
#   run-demo.sh <folder of the compiled modules> <picture to write, .png>
# OCTAVE_CLI names the Octave to use (default: octave-cli from the path).
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
modules=$(cd "$1" && pwd)
mkdir -p "$(dirname "$2")"
outfile=$(cd "$(dirname "$2")" && pwd)/$(basename "$2")
rm -f "$outfile"
# The demonstration is sourced, not run: run would change to mfiles/, whose help files would
# then hide the compiled modules.
"${OCTAVE_CLI:-octave-cli}" --norc --no-history --no-window-system --eval "
  addpath('$modules');
  outfile = '$outfile';
  source('$root/mfiles/demo_mixfilt.m');
  picture = imread(outfile);
  [height, width, ~] = size(picture);
  if (width < 3 * height || height < 200 || numel(unique(picture(:))) < 16)
    error('run-demo: %s is %d x %d with %d levels, not four images side by side', ...
          outfile, width, height, numel(unique(picture(:))));
  end"
