#!/usr/bin/env bash
# Builds the libFuzzer targets with clang into build-fuzz/ and runs each for a bounded time on
# top of its seed inputs (tests/fuzz/corpus/<target>/, which also keeps the inputs that once
# crashed). Fails on a crash, a leak, an input that takes longer than the per-input timeout, too
# much memory, or any sanitizer report; the failing input is then in the run's artifacts folder.
# Usage: scripts/fuzz.sh [target...]   (all targets when none is named)
#   VORN_FUZZ_SECONDS  seconds per target (default 20)
#   VORN_FUZZ_JOBS     targets run at a time (default half the cores)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${VORN_FUZZ_BUILD_DIR:-$root/build-fuzz}"
seconds="${VORN_FUZZ_SECONDS:-20}"
jobs="${VORN_FUZZ_JOBS:-$(( ($(nproc) + 1) / 2 ))}"
fuzz_dir="$root/tests/fuzz"
started=$(date +%s)

"$root/scripts/install-deps.sh" test

werror=OFF
if [ "${CI:-}" = "true" ]; then werror=ON; fi
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ -DVORN_FUZZ=ON -DVORN_BUILD_TESTS=OFF -DVORN_BUILD_BENCH=OFF \
  -DVORN_WERROR="$werror" >/dev/null
cmake --build "$build" -j "$(nproc)" --target fuzz_targets
built=$(date +%s)

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for dir in "$fuzz_dir"/corpus/*/; do targets+=("$(basename "$dir")"); done
fi

export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

# Runs one target; its output goes to the run folder's log, its exit status to "status".
run_target() {
  local name=$1
  local run="$build/fuzz-runs/$name"
  mkdir -p "$run/corpus" "$run/artifacts"
  local args=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -malloc_limit_mb=1024
              -print_final_stats=1 -artifact_prefix="$run/artifacts/")
  if [ -f "$fuzz_dir/dict/$name.dict" ]; then args+=(-dict="$fuzz_dir/dict/$name.dict"); fi
  # New inputs go to the run's own corpus; the seeds in the repository are only read.
  local status=0
  "$build/fuzz/fuzz_$name" "${args[@]}" "$run/corpus" "$fuzz_dir/corpus/$name" >"$run/log" 2>&1 ||
    status=$?
  echo "$status" >"$run/status"
}

for name in "${targets[@]}"; do
  if [ ! -x "$build/fuzz/fuzz_$name" ]; then
    echo "fuzz: no target $name" >&2
    exit 2
  fi
  rm -f "$build/fuzz-runs/$name/status"
  while [ "$(jobs -rp | wc -l)" -ge "$jobs" ]; do wait -n || true; done
  run_target "$name" &
done
wait

failed=()
for name in "${targets[@]}"; do
  log="$build/fuzz-runs/$name/log"
  if [ "$(cat "$build/fuzz-runs/$name/status" 2>/dev/null)" = 0 ]; then
    echo "fuzz $name: ok, $(grep -E '^#[0-9]+[[:space:]]+DONE' "$log" | tail -1)"
  else
    failed+=("$name")
    echo "fuzz $name: FAILED (log $log, input in $build/fuzz-runs/$name/artifacts/)"
    tail -n 60 "$log"
  fi
done
echo "fuzz: ${#targets[@]} targets, ${seconds} s each, $jobs at a time;" \
  "build $((built - started)) s, runs $(( $(date +%s) - built )) s"
[ ${#failed[@]} -eq 0 ] || { echo "fuzz: failed: ${failed[*]}" >&2; exit 1; }
