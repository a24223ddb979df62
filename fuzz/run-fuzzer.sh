#!/bin/sh
# Builds the libFuzzer target (the `fuzz` preset: clang 14, AddressSanitizer and
# UndefinedBehaviorSanitizer) and fuzzes DoZolFunction for SECONDS seconds
# (default 60), starting from the seed corpus in fuzz/corpus. Inputs that find
# new paths go to build/fuzz/corpus; a failing input is saved in build/fuzz/ and
# fails the run. Further arguments go to libFuzzer, e.g. -jobs=2 or -runs=N.
#   fuzz/run-fuzzer.sh [SECONDS [libFuzzer flags...]]
set -eu
cd "$(dirname "$0")/.."
seconds=${1:-60}
[ $# -gt 0 ] && shift

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

root=$PWD/build/fuzz
mkdir -p "$root/corpus"
export SDL_AUDIODRIVER=dummy
export ASAN_OPTIONS=abort_on_error=1:detect_leaks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# The largest input fills all three areas: 1 + 1184 + 8 + 512 bytes.
# -detect_leaks=0 turns off libFuzzer's leak check after each input whose
# allocations and frees do not balance: the sound thread frees a play request
# after the input that made it, which triggered that (slow) check for nothing.
# LeakSanitizer still checks the whole run when it ends.
"$root/bin/dozolfunction_fuzz" -max_total_time="$seconds" -max_len=1705 -timeout=10 -detect_leaks=0 \
  -print_final_stats=1 -artifact_prefix="$root/" "$@" "$root/corpus" "$PWD/fuzz/corpus"
