#!/usr/bin/env bash
# The test suite once more under ThreadSanitizer (build-tsan/): the worker pool, the frames read
# ahead and the compressors working frames ahead share blocks between threads. Run by
# `make tsan`. Qt, GLib and D-Bus are not instrumented; tests/sanitize/tsan.supp silences what
# passes through them.
set -euo pipefail
cd "$(dirname "$0")/.."

JOBS=${JOBS:-$(nproc)}
export TSAN_OPTIONS="suppressions=$(pwd)/tests/sanitize/tsan.supp:halt_on_error=1:second_deadlock_stack=1"

echo "== test suite under ThreadSanitizer (build-tsan)"
cmake -S . -B build-tsan -G Ninja -DTORVINA_TSAN=ON >/dev/null
cmake --build build-tsan -j "$JOBS"
(cd build-tsan && ctest --output-on-failure -j "$JOBS")
echo "== ThreadSanitizer passed"
