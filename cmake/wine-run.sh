#!/bin/sh
# Runs a Windows program under wine with a private, prepared prefix.
#
# - The prefix lives in the build folder (ZOL_WINEPREFIX overrides), so test
#   runs never touch the user's own ~/.wine.
# - The wine server is started with its standard streams detached: otherwise it
#   inherits the pipe ctest reads and ctest waits for it to exit.
# - Wine's crash debugger is switched off, so a crashing program exits at once
#   with a failure code instead of hanging in winedbg.
set -eu

# A kernel without 32-bit support cannot start wine's 32-bit loader at all
# ("Exec format error", exit 126). That is the machine, not the program under
# test: say so on one line that ctest's skip pattern matches, and exit 77.
# `wine-run.sh --probe` only asks whether wine can run here.
probe=0
wine --version >/dev/null 2>&1 || probe=$?
if [ "$probe" -ne 0 ]; then
  if [ "$probe" -eq 126 ]; then
    echo "ZOL-WINE-UNAVAILABLE: this machine cannot run 32-bit programs, so wine cannot start" >&2
    exit 77
  fi
  echo "wine-run.sh: wine is not installed (cmake/install-deps.sh all)" >&2
  exit 1
fi
[ "${1:-}" = --probe ] && exit 0

# Prefix: $ZOL_WINEPREFIX, else "wineprefix" in the nearest enclosing build
# folder (the one holding CMakeCache.txt), else one under the user's cache.
if [ -z "${ZOL_WINEPREFIX:-}" ]; then
  dir=$PWD
  while [ "$dir" != / ] && [ ! -f "$dir/CMakeCache.txt" ]; do dir=$(dirname "$dir"); done
  if [ -f "$dir/CMakeCache.txt" ]; then
    ZOL_WINEPREFIX=$dir/wineprefix
  else
    ZOL_WINEPREFIX=${XDG_CACHE_HOME:-$HOME/.cache}/zolutilities-wineprefix
  fi
fi
export WINEPREFIX="$ZOL_WINEPREFIX"
export WINEDEBUG=-all
export WINEARCH=win32
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

prepare_prefix() {
  mkdir -p "$WINEPREFIX"
  # Serialise the first-time set-up between concurrently started tests.
  (
    flock 9
    if [ ! -f "$WINEPREFIX/.zol-ready" ]; then
      wineboot -i >/dev/null 2>&1 </dev/null || true
      wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' \
        /v Auto /t REG_SZ /d 0 /f >/dev/null 2>&1 </dev/null || true
      # No debugger to start: a crash ends the program with a failure code.
      wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' \
        /v Debugger /t REG_SZ /d 'zol-no-debugger.exe' /f >/dev/null 2>&1 </dev/null || true
      wineserver -w </dev/null >/dev/null 2>&1 || true
      touch "$WINEPREFIX/.zol-ready"
    fi
  ) 9>"$WINEPREFIX.lock"
}

prepare_prefix
# Start the server and wine's background services once, with their standard
# streams detached. Whatever starts them first hands them its streams, and they
# outlive it: started by a test, they would hold ctest's pipe open for a minute.
server_id=server-$(stat -c %D "$WINEPREFIX")-$(printf %x "$(stat -c %i "$WINEPREFIX")")
running=no
for socket in /tmp/.wine-"$(id -u)"/"$server_id"/socket /tmp/wine-*/"$server_id"/socket; do
  [ -S "$socket" ] && running=yes
done
if [ "$running" = no ]; then
  wineserver -p60 </dev/null >/dev/null 2>&1 || true
  wine cmd /c exit 0 </dev/null >/dev/null 2>&1 || true
fi
exec wine "$@"
