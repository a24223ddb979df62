#!/bin/sh
# Builds and runs the consumer project against an installed tree, once found
# with find_package and once with pkg-config.
#   packaging/test-consumer.sh ROOT   (ROOT holds usr/, e.g. from dpkg -x)
set -eu
root=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

libdir=$(dirname "$(find "$root" -name 'libzolutilities.so' | head -n 1)")
[ -d "$libdir" ] || { echo "no libzolutilities.so under $root" >&2; exit 1; }
export LD_LIBRARY_PATH="$libdir"

echo "== find_package"
cmake -S "$here/consumer" -B "$work/cmake" -G Ninja -DCMAKE_PREFIX_PATH="$root/usr" >/dev/null
cmake --build "$work/cmake" >/dev/null
"$work/cmake/consumer"

echo "== pkg-config"
export PKG_CONFIG_PATH="$libdir/pkgconfig"
# shellcheck disable=SC2046
cc -std=c99 -Wall -Werror "$here/consumer/consumer.c" -o "$work/consumer-pc" \
  $(pkg-config --cflags --libs zolutilities qordata)
"$work/consumer-pc"

echo "== zolhost"
# The packaged host finds the packaged library and store on its own.
env -u LD_LIBRARY_PATH "$root/usr/bin/zolhost" call ArcSine --value 1
