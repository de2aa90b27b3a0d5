#!/usr/bin/env bash
# A short run of every built libFuzzer target on its seeds (fuzz/corpus/NAME),
# so that a target that no longer builds, starts or survives its seeds is
# noticed. Each run ends after SECONDS seconds or RUNS inputs, whichever
# comes first; new inputs go to a scratch directory, never into the tree.
# Usage: tools/fuzz-smoke.sh [BUILD_DIR]   (default build-fuzz)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-fuzz}
seconds=${FUZZ_SMOKE_SECONDS:-20}
runs=${FUZZ_SMOKE_RUNS:-200000}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

shopt -s nullglob
targets=("$build"/bin/fuzz_*)
if [ ${#targets[@]} = 0 ]; then
  echo "no fuzz targets in $build/bin" >&2
  exit 1
fi
for target in "${targets[@]}"; do
  name=$(basename "$target")
  seeds=fuzz/corpus/$name
  if [ ! -d "$seeds" ]; then
    echo "$name: no seeds in $seeds" >&2
    exit 1
  fi
  mkdir -p "$scratch/$name"
  echo "== $name"
  if ! "$target" -max_total_time="$seconds" -runs="$runs" -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$scratch/" "$scratch/$name" "$seeds" \
    >"$scratch/$name.log" 2>&1; then
    tail -n 60 "$scratch/$name.log" >&2
    echo "$name: FINDING (the input is printed above)" >&2
    exit 1
  fi
  grep -E "^stat::number_of_executed_units|^Done" "$scratch/$name.log" || tail -n 2 "$scratch/$name.log"
done
