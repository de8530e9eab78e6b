#!/usr/bin/env bash
# The hostile-input checks: every test once more under AddressSanitizer, UndefinedBehaviorSanitizer
# and LeakSanitizer (build-asan/), then each fuzzer of tests/fuzz replays its committed corpus and
# fuzzes for FUZZ_SECONDS (build-fuzz/, clang). Run by `make sanitize-fuzz` and by CI.
set -euo pipefail
cd "$(dirname "$0")/.."

JOBS=${JOBS:-$(nproc)}
FUZZ_SECONDS=${FUZZ_SECONDS:-20}
root=$(pwd)

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1
export LSAN_OPTIONS=suppressions=$root/tests/sanitize/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

echo "== test suite under ASan + UBSan + LSan (build-asan)"
cmake -S . -B build-asan -G Ninja -DTORVINA_SANITIZE=ON >/dev/null
cmake --build build-asan -j "$JOBS"
(cd build-asan && ctest --output-on-failure -j "$JOBS")

echo "== fuzzers (build-fuzz, clang)"
cmake -S . -B build-fuzz -G Ninja -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DTORVINA_FUZZ=ON >/dev/null
cmake --build build-fuzz -j "$JOBS" --target fuzzers
for seeds in tests/fuzz/corpus/*/; do
  name=$(basename "$seeds")
  work=build-fuzz/corpus/$name
  mkdir -p "$work"
  echo "-- $name: replay $(ls "$seeds" | wc -l) seeds, then fuzz ${FUZZ_SECONDS} s"
  log=build-fuzz/$name.log
  # New inputs go to the scratch corpus; the committed seeds stay as they are.
  if ! "build-fuzz/tests/fuzz/$name" -max_total_time="$FUZZ_SECONDS" -rss_limit_mb=2048 -timeout=120 \
      -print_final_stats=1 -artifact_prefix="build-fuzz/$name-" "$work" "$seeds" >"$log" 2>&1; then
    tail -n 60 "$log"
    exit 1
  fi
  grep -E "^stat::number_of_executed_units" "$log" || true
done
echo "== sanitizers and fuzzers passed"
