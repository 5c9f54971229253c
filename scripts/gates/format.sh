#!/usr/bin/env bash
# Fails when a C++ source file of the project differs from what clang-format makes of it with
# the project's .clang-format; names each such file.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
cd "$root"

if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  mapfile -t files < <(git ls-files -- '*.cpp' '*.h')
else
  mapfile -t files < <(find src tests bench -name '*.cpp' -o -name '*.h' | sort)
fi

# One clang-format for all files: it names each line out of format on standard error.
report="$(clang-format --dry-run --Werror --style=file "${files[@]}" 2>&1 >/dev/null)" || {
  echo "Not in the format of .clang-format (run clang-format -i on them):" >&2
  grep -oE '^[^:]+:[0-9]+:[0-9]+: (error|warning)' <<<"$report" | cut -d: -f1 | sort -u |
    sed 's/^/  /' >&2
  exit 1
}
echo "format: ${#files[@]} files in format"
