#!/bin/sh
# Runs the tests of every platform's tree: run-tests.sh <build dir> <platform>...
# 64-bit Windows tests run under wine64 with one persistent wineserver for the whole run.
set -u
build=$1; shift
failed=""
for platform in "$@"; do
  tree=$build/$platform
  echo "=== $platform"
  if [ "$platform" = win64 ]; then
    export WINEPREFIX="$(cd "$tree" && pwd)/wineprefix" WINEDEBUG=-all
    wine64=$(dpkg -L wine64 | grep '/wine64$' | head -n1)
    wineserver=$(dirname "$wine64")/wineserver
    # The server and the services that wine starts with its first program outlive it:
    # start them here, away from the output that ctest waits on.
    "$wineserver" -p </dev/null >/dev/null 2>&1
    "$wine64" wineboot -i </dev/null >/dev/null 2>&1
  fi
  (cd "$tree" && ctest --output-on-failure) || failed="$failed $platform"
  if [ "$platform" = win64 ]; then
    "$wineserver" -k </dev/null >/dev/null 2>&1 || true
  fi
done
if [ -n "$failed" ]; then
  echo "FAILED:$failed"
  exit 1
fi
echo "all platforms passed"
