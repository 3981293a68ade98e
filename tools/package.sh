#!/bin/sh
# Packs the modules' sources as an Octave package: package.sh [output folder]
# Writes <folder>/<name>-<version>.tar.gz (folder: dist/ by default), which `pkg install`
# builds with mkoctfile; nothing is compiled here.
#   name, title, version, date  the head of mfiles/Contents.m ("% <name>: <title>",
#                               "% Version <version> <dd-Mon-yyyy>")
#   INDEX, Description          the categories and names that mfiles/Contents.m lists
#   src/                        the modules, their units and flags as the CMake files say
#                               (tools/octave-package.cmake), the headers, a Makefile
#   inst/                       mfiles/*.m: the help text and the demonstration
#   post_install.m              tools/post_install.m
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$root/dist}
contents=$root/mfiles/Contents.m
fail() { echo "package.sh: $*" >&2; exit 1; }
command -v cmake >/dev/null || fail "cmake is missing (make deps installs it)"

name=$(sed -n '1s/^% \([a-z][a-z0-9]*\): .*/\1/p' "$contents")
title=$(sed -n '1s/^% [a-z0-9]*: \(.*\)/\1/p' "$contents" | sed 's/^./\U&/')
version=$(sed -n 's/^% Version \([0-9][0-9.]*\) .*/\1/p' "$contents")
day=$(sed -n 's/^% Version [0-9.]* \([0-9][0-9]*-[A-Z][a-z][a-z]-[0-9]\{4\}\)$/\1/p' "$contents")
[ -n "$name" ] && [ -n "$title" ] || fail "$contents does not start with '% <name>: <title>'"
[ -n "$version" ] && [ -n "$day" ] || fail "$contents has no line '% Version <version> <dd-Mon-yyyy>'"
date=$(date -u -d "$day" +%F) || fail "$contents: bad date $day"

mkdir -p "$out"
out=$(cd "$out" && pwd)
work=$(mktemp -d "$out/.package.XXXXXX")
trap 'rm -rf "$work"' EXIT
stage=$work/$name-$version
mkdir -p "$stage/inst" "$stage/src"

# src/: every source file of every module, the headers, and the Makefile that builds them.
cmake -DROOT="$root" -DMAKEFILE="$stage/src/Makefile" -DLIST="$work/modules" \
      -P "$root/tools/octave-package.cmake"
sources=$(cut -d' ' -f2- "$work/modules" | tr ' ' '\n' | sort -u)
(cd "$root" && cp --parents $sources kernels/*.hpp gateway/*.hpp "$stage/src/")

# inst/: the help text of each module, Contents.m and the demonstration. post_install.m moves
# each module's help file beside the compiled module, where the compiled module is what a
# call runs and help reads the file's text.
cp "$root"/mfiles/*.m "$stage/inst/"
cp "$root/tools/post_install.m" "$stage/"

# INDEX: one category per heading of Contents.m, with the names listed under it.
awk -v head="$name >> $title" '
  function flush() { if (category != "" && names != "") { print category; print names } category = ""; names = "" }
  NR == 1 { print head; next }
  /^% (Version|Copyright) / { next }
  /^% [A-Z]/ { flush(); category = substr($0, 3); next }
  /^%   [A-Za-z_][A-Za-z0-9_]* +- / { names = names " " $2 }
  END { flush() }' "$contents" > "$stage/INDEX"
listed=$(sed -n 's/^ //p' "$stage/INDEX")
for f in $listed; do
  [ -f "$stage/inst/$f.m" ] || fail "Contents.m lists $f, but mfiles/$f.m does not exist"
done
for module in $(cut -d' ' -f1 "$work/modules"); do
  echo " $listed " | tr '\n' ' ' | grep -q " $module " || fail "Contents.m does not list the module $module"
done

description=$(awk 'NR == 1 { next } /^ / { sub(/^ /, ""); gsub(/ /, ", "); printf " %s: %s.", category, $0; next }
                   { category = $0 }' "$stage/INDEX")
{
  echo "Name: $name"
  echo "Version: $version"
  echo "Date: $date"
  echo "Author: The $name developers"
  echo "Maintainer: The $name developers"
  echo "Title: $title"
  echo "Description: $title, compiled from C++ for Octave.$description" | fold -s -w 78 | sed 's/ *$//; 2,$s/^/ /'
  echo "License: BSD-3-Clause"
} > "$stage/DESCRIPTION"
cp "$root/COPYING" "$stage/COPYING"

tarball=$out/$name-$version.tar.gz
tar -C "$work" --sort=name --owner=0 --group=0 --numeric-owner --mtime="$date 00:00Z" \
    -cf - "$name-$version" | gzip -n -9 > "$work/tarball"
mv "$work/tarball" "$tarball"
echo "$tarball"
