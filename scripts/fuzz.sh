#!/usr/bin/env bash
# Builds the fuzz targets (Clang, libFuzzer, sanitizers) and runs each for a bounded time:
# first the kept regression inputs (fuzz/regressions/<target>/), then fuzzing from the seed
# corpus (fuzz/corpus/<target>/). A broken property or a sanitizer report fails the run; the
# input that did it is left in build/fuzz/artifacts/ to be kept as a regression case.
#   scripts/fuzz.sh [seconds per target, default 30]
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
seconds=${1:-30}

werror=OFF
[ -z "${CI:-}" ] || werror=ON
cmake --preset fuzz -DTALVORINTE_WERROR=$werror >/dev/null
cmake --build --preset fuzz

mkdir -p build/fuzz/artifacts
for target in cmdline version folder; do
  binary=build/fuzz/fuzz/${target}_fuzz
  regressions=(fuzz/regressions/$target/*)
  if [ -e "${regressions[0]}" ]; then
    "$binary" "${regressions[@]}" >/dev/null 2>&1 || { "$binary" "${regressions[@]}"; exit 1; }
  fi
  work=build/fuzz/corpus/$target
  mkdir -p "$work"
  echo "fuzzing $target for ${seconds} s"
  "$binary" -max_total_time="$seconds" -print_final_stats=1 -timeout=10 -rss_limit_mb=2048 \
    -max_len=8192 -artifact_prefix="build/fuzz/artifacts/$target-" "$work" "fuzz/corpus/$target" \
    2>&1 | grep -E '^(stat::number_of_executed_runs|==|property broken|SUMMARY)|ERROR|Done' || true
  # libFuzzer's status is lost in the pipe: a crash leaves an artifact behind.
  if compgen -G "build/fuzz/artifacts/$target-*" >/dev/null; then
    echo "fuzzing $target found a failing input:" build/fuzz/artifacts/$target-*
    exit 1
  fi
done
