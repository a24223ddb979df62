#!/bin/sh
# One command for each everyday job. Each installs what is missing, builds, then:
#   ./run.sh tour    runs zolhost on the tour of all eighteen operations
#                    (examples/tour.zolhost, with the arrays of examples/arrays.json)
#   ./run.sh test    runs the whole test suite: native, sanitizers (address and
#                    undefined, then thread), the 32-bit Windows DLL under wine,
#                    a minute of fuzzing, static analysis, and the packages
#                    (what CI runs)
#   ./run.sh native  runs only the native and sanitizer suites
#   ./run.sh package builds the release artefacts into build/release with their
#                    SHA256SUMS: the Debian packages (dpkg-buildpackage, lintian
#                    clean), the relocatable .tar.gz, the Windows zip and its
#                    symbols zip. It checks that a host project builds with
#                    find_package and pkg-config against the installed .debs
#                    (removed again after), a `cmake --install --prefix` tree and
#                    the unpacked .tar.gz; that the Windows binaries carry the
#                    project's version and no debug sections; and that the
#                    unpacked zip runs the tour under wine
#                    (`./run.sh package native` skips the Windows part)
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
    release=build/release
    rm -rf "$release"
    mkdir -p "$release"
    packaging/build-debs.sh
    packaging/test-debs.sh build/debian
    cp build/debian/*.deb "$release/"

    cmake --preset package
    cmake --build --preset package
    (cd build/package && cpack)
    scratch=build/package/check
    rm -rf "$scratch"
    mkdir -p "$scratch/unpacked"
    cmake --install build/package --prefix "$scratch/installed" >/dev/null
    packaging/test-consumer.sh "$scratch/installed"
    tar -xzf build/package/packages/zolutilities-*.tar.gz -C "$scratch/unpacked"
    packaging/test-consumer.sh "$scratch"/unpacked/zolutilities-*
    cp build/package/packages/zolutilities-*.tar.gz "$release/"

    if [ "${2:-}" != native ]; then
      ./cmake/install-deps.sh all
      cmake --preset win32
      cmake --build --preset win32
      (cd build/win32 && cpack)
      zips=build/win32/packages
      rm -rf "$zips/check"
      mkdir -p "$zips/check/zip" "$zips/check/symbols"
      unzip -q "$zips"/ZolUtilities-*-win32.zip -d "$zips/check/zip"
      unzip -q "$zips"/ZolUtilities-*-win32-symbols.zip -d "$zips/check/symbols"
      version=$(sed -n 's/^project(ZolUtilities VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
      packaging/check-win32-binaries.py "$version" "$zips/check/zip" "$zips/check/symbols"
      packaging/test-zip.sh "$zips"/ZolUtilities-*-win32.zip
      cp "$zips"/ZolUtilities-*.zip "$release/"
    fi
    # The folder holds only the artefacts until SHA256SUMS is written.
    (cd "$release" && sha256sum -- * >SHA256SUMS && sha256sum -c --quiet SHA256SUMS)
    ls -l "$release"
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
