#!/usr/bin/env bash
# Fails, naming the files, when a tracked C++ file differs from .clang-format. Run by
# `make format-check` and by CI; `make format` rewrites them.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files '*.cpp' '*.h')
if ! clang-format --dry-run --Werror "${files[@]}" 2>/tmp/torvina-format.$$; then
  grep -E '^[^ ].*: (warning|error):' /tmp/torvina-format.$$ | cut -d: -f1 | sort -u
  rm -f /tmp/torvina-format.$$
  echo "format-check: the files above differ from .clang-format; run make format" >&2
  exit 1
fi
rm -f /tmp/torvina-format.$$
echo "format-check: ${#files[@]} files match .clang-format"
