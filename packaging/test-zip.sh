#!/bin/sh
# Unpacks the Windows zip into an empty folder and runs the tour there under
# wine, with nothing but the zip's own files.
#   packaging/test-zip.sh ZolUtilities-<version>-win32.zip
set -eu
zip=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A machine that cannot start wine (no 32-bit support in its kernel) can still
# build and check the zip, but not run it: say so instead of failing.
probe=0
"$here/../cmake/wine-run.sh" --probe || probe=$?
if [ "$probe" -eq 77 ]; then
  echo "tour from the unpacked zip: SKIPPED, wine cannot run on this machine"
  exit 0
fi

cd "$work"
unzip -q "$zip"
# wine's own files live in a prefix outside the folder; a null ALSA device keeps
# a machine without a sound card quiet.
export ZOL_WINEPREFIX="${ZOL_WINEPREFIX:-$here/../build/win32/wineprefix}"
export ALSA_CONFIG_PATH="$here/../tests/zolhost/asound-null.conf"
"$here/../cmake/wine-run.sh" zolhost.exe --arrays examples/arrays.json run examples/tour.zolhost \
  >tour.out
calls=$(grep -c ": status [0-9]" tour.out)
ok=$(grep -c ": status 0$" tour.out)
echo "tour from the unpacked zip: $calls calls, $ok with status 0"
[ "$calls" -ge 18 ] && [ "$calls" -eq "$ok" ]
