#!/bin/sh
# Installs the Debian packages that the build and the tests need, if any is missing.
set -eu
PACKAGES="cmake make g++ python3 file binutils
  g++-mingw-w64-x86-64 g++-mingw-w64-i686 binutils-mingw-w64-x86-64 binutils-mingw-w64-i686
  wine wine64 g++-i686-linux-gnu g++-powerpc-linux-gnu qemu-user
  googletest libgtest-dev libbenchmark-dev python3-numpy python3-scipy clang libclang-rt-14-dev valgrind
  octave liboctave-dev gnuplot-nox fonts-freefont-otf ghostscript"
missing=""
for p in $PACKAGES; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0
echo "installing:$missing"
SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO=sudo
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends $missing
