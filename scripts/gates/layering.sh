#!/usr/bin/env bash
# Fails when a file of a library under src/ includes a header of a library above its own.
# The libraries, each depending only on those before it:
layers=(common platform store engine speech forms desktop config listening)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
cd "$root/src"

declare -A rank
for i in "${!layers[@]}"; do rank[${layers[$i]}]=$i; done

for dir in */; do
  dir="${dir%/}"
  [ -n "${rank[$dir]+set}" ] || echo "layering: warning: src/$dir is not in the list of libraries" >&2
done

status=0
checked=0
for layer in "${layers[@]}"; do
  [ -d "$layer" ] || continue  # a library not (yet) in the tree
  while IFS= read -r hit; do
    file="${hit%%:*}"
    rest="${hit#*:}"
    line="${rest%%:*}"
    included="$(sed -E 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"([^"]*)".*/\1/' <<<"${rest#*:}")"
    top="${included%%/*}"
    [ "$top" != "$included" ] || continue  # not a header of a library
    if [ -n "${rank[$top]+set}" ] && [ "${rank[$top]}" -gt "${rank[$layer]}" ]; then
      echo "src/$file:$line: $layer includes $included, a header of $top above it" >&2
      status=1
    fi
  done < <(grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "$layer" \
             --include='*.h' --include='*.cpp' || true)
  checked=$((checked + 1))
done
[ "$status" = 0 ] && echo "layering: $checked libraries include only headers of libraries below them"
exit "$status"
