#!/bin/sh
# Static analysis of the whole tree with its checked-in configuration: clang-tidy
# (.clang-tidy, bench/.clang-tidy) and cppcheck (cmake/cppcheck-suppressions.txt),
# after a check that every C and C++ file is formatted with .clang-format.
# Both run over every source of the native build (library, stand-in store,
# tools, tests, benchmarks, fuzz target; the `lint` preset configures them all
# with clang 14), then over the sources with Windows code, compiled as the
# win32 preset compiles them. Any finding fails the run.
#   cmake/lint.sh            (LINT_JOBS=N for N parallel clang-tidy runs; default 2)
set -eu
cd "$(dirname "$0")/.."
jobs=${LINT_JOBS:-2}
root=$PWD

cmake --preset lint >/dev/null
cmake --preset win32-lint >/dev/null
mkdir -p build/lint-win32
python3 cmake/win32-lint-db.py build/win32-lint build/lint build/lint-win32 >build/lint-win32/sources

status=0
echo "clang-format: every C and C++ file of the repository"
# shellcheck disable=SC2046
clang-format --dry-run --Werror $(git ls-files '*.c' '*.cpp' '*.h') || status=1

echo "clang-tidy: native build"
run-clang-tidy-14 -p build/lint -j "$jobs" -quiet "$root/(src|qordata|tools|tests|bench|fuzz)/" \
  >build/lint/clang-tidy.log 2>&1 || status=1
echo "clang-tidy: Windows build"
# shellcheck disable=SC2046
run-clang-tidy-14 -p build/lint-win32 -j "$jobs" -quiet $(cat build/lint-win32/sources) \
  >build/lint-win32/clang-tidy.log 2>&1 || status=1
for log in build/lint/clang-tidy.log build/lint-win32/clang-tidy.log; do
  # Only the findings: the logs also hold each run's command and counts.
  sed 's/\x1b\[[0-9;]*m//g' "$log" | grep -E '(warning|error):' | sort -u || true
done

common="--enable=warning,style,performance,portability --std=c++20 --inline-suppr --quiet
  --suppress=missingIncludeSystem --suppressions-list=cmake/cppcheck-suppressions.txt
  --error-exitcode=1 --library=googletest"
echo "cppcheck: native build"
# shellcheck disable=SC2086
cppcheck $common --library=posix --project=build/lint/compile_commands.json -j 2 || status=1
echo "cppcheck: Windows build"
# shellcheck disable=SC2086
cppcheck $common --library=windows --platform=win32W -D_WIN32 -D__MINGW32__ \
  --project=build/lint-win32/compile_commands.json -j 2 || status=1

if [ "$status" -ne 0 ]; then
  echo "lint: findings above" >&2
  exit 1
fi
echo "lint: clean"
