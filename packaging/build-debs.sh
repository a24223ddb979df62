#!/bin/sh
# Builds the Debian packages with dpkg-buildpackage from a copy of the source
# tree (dpkg-buildpackage writes its results beside the tree it builds, so the
# copy keeps them inside build/), then checks every package with lintian.
#   packaging/build-debs.sh            -> build/debian/*.deb
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
version=$(dpkg-parsechangelog -l "$top/debian/changelog" -S Version)
out="$top/build/debian"
src="$out/src/zolutilities-$version"

rm -rf "$out"
mkdir -p "$src"
# The files git knows about, as they are in the working tree (committed or not).
(cd "$top" && git ls-files -z --cached --others --exclude-standard |
  xargs -0 tar -cf - --no-recursion --ignore-failed-read) | tar -xf - -C "$src"

(cd "$src" && dpkg-buildpackage -b -us -uc -J"$(nproc)")
mv "$out"/src/*.deb "$out"/src/*.changes "$out"/src/*.buildinfo "$out/"

# Checked together, so that lintian sees how the packages relate.
lintian --fail-on error,warning "$out"/*.changes
