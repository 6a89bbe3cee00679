#!/usr/bin/env bash
# Builds and runs the benchmarks under Wine; prints their figures.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
bash scripts/setup.sh
source scripts/wine-env.sh
cmake --preset windows -DTALVORINTE_BENCH=ON >/dev/null
cmake --build --preset windows --target extract_bench_4m extract_bench_256m swap_bench wine_session
wine_env_start
trap wine_env_stop EXIT
work=$(winepath -w "$root/build/bench-work")
mkdir -p "$root/build/bench-work"
for size in 4m 256m; do
  echo "== extraction, $size payload"
  wine "build/windows/bin/extract_bench_$size.exe" "$work" 5 </dev/null 2>/dev/null | tr -d '\r'
done
echo "== unattended wait and swap"
rm -rf "$root/build/bench-work/swap"
mkdir -p "$root/build/bench-work/swap"
wine build/windows/bin/swap_bench.exe "$(winepath -w "$root/build/windows/bin")" \
  "$(winepath -w "$root/build/bench-work/swap")" 5 </dev/null 2>/dev/null | tr -d '\r'
