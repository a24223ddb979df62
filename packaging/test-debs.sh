#!/bin/sh
# Installs the runtime, store, -dev and zolhost packages on this system, builds
# and runs the consumer against them, then purges them again.
#   packaging/test-debs.sh DIR   (DIR holds the .deb files)
set -eu
here=$(cd "$(dirname "$0")" && pwd)
dir=$(cd "$1" && pwd)
packages="libzolutilities-dev zolhost libzolutilities1 libqordata"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo=sudo

for pkg in $packages; do
  if dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "ok installed"; then
    echo "$pkg is already installed; remove it first" >&2
    exit 1
  fi
done
trap '$sudo dpkg --purge $packages >/dev/null' EXIT
$sudo dpkg -i "$dir"/libqordata_*.deb "$dir"/libzolutilities1_*.deb \
  "$dir"/libzolutilities-dev_*.deb "$dir"/zolhost_*.deb >/dev/null
"$here/test-consumer.sh"
man -w zolhost >/dev/null
