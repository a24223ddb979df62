#!/bin/sh
# Installs the Debian packages the build, the tests and the tools need, skipping
# those already present, and nothing they merely recommend: wine's
# recommendations alone bring i386 Mesa, LLVM and GStreamer, which a console
# test under wine never loads. Run as root (or with sudo available).
set -eu

native="cmake ninja-build g++ binutils pkg-config file libgtest-dev googletest libbenchmark-dev
  libsdl2-dev libcli11-dev nlohmann-json3-dev clang-format clang-tidy cppcheck clang
  clang-14 clang-tidy-14 libclang-rt-14-dev python3 dpkg-dev unzip
  build-essential debhelper lintian help2man"
windows="g++-mingw-w64-i686 binutils-mingw-w64-i686 wine wine32:i386 python3-pefile
  llvm-14"

want="$native"
case "${1:-all}" in
  native) ;;
  all) want="$native $windows" ;;
  *) echo "usage: $0 [native|all]" >&2; exit 2 ;;
esac

missing=""
for pkg in $want; do
  if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "ok installed"; then
    missing="$missing $pkg"
  fi
done
[ -z "$missing" ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo=sudo
case "$missing" in
  *:i386*)
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
      $sudo dpkg --add-architecture i386
    fi ;;
esac
echo "installing:$missing"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends $missing
