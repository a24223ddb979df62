#!/bin/sh
# Builds and runs the consumer project against an installation, with
# find_package and with the README's pkg-config lines, then runs its zolhost.
#   packaging/test-consumer.sh PREFIX   an installed or unpacked tree (bin/, lib/, include/)
#   packaging/test-consumer.sh          the system's own installation (the Debian packages)
# Nothing points the compiler or linker at the library but CMake's prefix path
# and pkg-config's path; LD_LIBRARY_PATH is set only to run the programs.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
unset LD_LIBRARY_PATH

run=""
if [ $# -gt 0 ]; then
  prefix=$(cd "$1" && pwd)
  libdir=$(dirname "$(find "$prefix" -name 'libzolutilities.so.*' | head -n 1)")
  [ -d "$libdir" ] || { echo "no libzolutilities.so.* under $prefix" >&2; exit 1; }
  export CMAKE_PREFIX_PATH="$prefix" PKG_CONFIG_PATH="$libdir/pkgconfig"
  run="env LD_LIBRARY_PATH=$libdir"
  zolhost="$prefix/bin/zolhost"
else
  zolhost=zolhost
fi

echo "== find_package"
cmake -S "$here/consumer" -B "$work/cmake" -G Ninja >/dev/null
cmake --build "$work/cmake" >/dev/null
$run "$work/cmake/consumer"
$run "$work/cmake/plain_host"

echo "== pkg-config"
# shellcheck disable=SC2046
cc "$here/consumer/plain_host.c" $(pkg-config --cflags --libs zolutilities) -o "$work/plain-pc"
# shellcheck disable=SC2046
cc "$here/consumer/consumer.c" $(pkg-config --cflags --libs zolutilities qordata) -o "$work/consumer-pc"
$run "$work/plain-pc"
$run "$work/consumer-pc"

echo "== zolhost"
# The host finds its library and the store on its own.
"$zolhost" call ArcSine --value 1
