#!/bin/sh
# One command for each everyday job. Each installs what is missing, builds, then:
#   ./run.sh tour    runs zolhost on the tour of all eighteen operations
#                    (examples/tour.zolhost, with the arrays of examples/arrays.json)
#   ./run.sh test    runs the whole test suite: native, sanitizers (address and
#                    undefined, then thread), the 32-bit Windows DLL under wine,
#                    a minute of fuzzing, static analysis, and the packages
#                    (what CI runs)
#   ./run.sh native  runs only the native and sanitizer suites
#   ./run.sh package builds the Debian package and checks that a host project
#                    builds against it (find_package and pkg-config), then the
#                    Windows zip, whose unpacked files run the tour under wine
#                    (`./run.sh package native` skips the zip)
set -eu
cd "$(dirname "$0")"

job=${1:-test}
case "$job" in
  tour)
    ./cmake/install-deps.sh native
    cmake --preset default
    cmake --build --preset default
    ./build/default/bin/zolhost --arrays examples/arrays.json run examples/tour.zolhost
    ;;
  test)
    ./cmake/install-deps.sh all
    cmake --workflow --preset default
    cmake --workflow --preset sanitize
    cmake --workflow --preset win32
    cmake --workflow --preset tsan
    fuzz/run-fuzzer.sh 60
    cmake/lint.sh
    "$0" package
    ;;
  package)
    ./cmake/install-deps.sh native
    cmake --preset package
    cmake --build --preset package
    (cd build/package && cpack)
    root=build/package/unpacked
    rm -rf "$root"
    dpkg -x build/package/packages/zolutilities_*_amd64.deb "$root"
    packaging/test-consumer.sh "$root"
    if [ "${2:-}" != native ]; then
      ./cmake/install-deps.sh all
      cmake --preset win32
      cmake --build --preset win32
      (cd build/win32 && cpack)
      packaging/test-zip.sh build/win32/packages/ZolUtilities-*-win32.zip
    fi
    ;;
  native)
    ./cmake/install-deps.sh native
    cmake --workflow --preset default
    cmake --workflow --preset sanitize
    ;;
  *)
    echo "usage: $0 [tour|test|native|package]" >&2
    exit 2
    ;;
esac
