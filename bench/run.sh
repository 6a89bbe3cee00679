#!/usr/bin/env bash
# Builds and runs the benchmarks under Wine; prints their figures.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
bash scripts/setup.sh
source scripts/wine-env.sh
cmake --preset windows -DTALVORINTE_BENCH=ON >/dev/null
cmake --build --preset windows --target extract_bench_4m extract_bench_256m swap_bench wine_session \
  start_bench batch_bench UpTalvorinte-nopayload extract_phases
wine_env_start
trap wine_env_stop EXIT
work=$(winepath -w "$root/build/bench-work")
mkdir -p "$root/build/bench-work"
for size in 4m 256m; do
  echo "== extraction, $size payload"
  wine "build/windows/bin/extract_bench_$size.exe" "$work" 5 </dev/null 2>/dev/null | tr -d '\r'
done
echo "== extraction phases, 256m payload"
wine build/windows/bin/extract_phases.exe "$work" 4 </dev/null 2>/dev/null | tr -d '\r'
echo "== start to window (no record: 'not installed')"
# The prefix is the build's own; a record in it was written by an earlier benchmark's stand-in.
rm -f "$WINEPREFIX/drive_c/windows/GMT.dII"
wine build/windows/bin/start_bench.exe "$(winepath -w "$root/build/windows/bin")" 15 \
  </dev/null 2>/dev/null | tr -d '\r' | tail -1
echo "== unattended wait and swap"
rm -rf "$root/build/bench-work/swap"
mkdir -p "$root/build/bench-work/swap"
wine build/windows/bin/swap_bench.exe "$(winepath -w "$root/build/windows/bin")" \
  "$(winepath -w "$root/build/bench-work/swap")" 5 </dev/null 2>/dev/null | tr -d '\r'

echo "== size"
for exe in UpTalvorinte-nopayload UpTalvorinte; do
  echo "$exe.exe: $(stat -c %s "build/windows/bin/$exe.exe") bytes"
done

# CPU of the whole machine while the self-removal batch file waits for a file that stays held,
# less the same machine idle: Wine's processes (cmd, ping, wineserver) all count.
echo "== self-removal batch file while it waits"
busy() { awk '/^cpu /{print $2+$3+$4+$7+$8+$9}' /proc/stat; }
hz=$(getconf CLK_TCK)
a=$(busy); sleep 10; idle=$(($(busy) - a))
mkdir -p "$root/build/bench-work/batch"
wine build/windows/bin/batch_bench.exe "$(winepath -w "$root/build/bench-work/batch")" 25 \
  </dev/null >/dev/null 2>&1 &
bench_pid=$!
sleep 1
a=$(busy); sleep 3; quick=$(($(busy) - a))
sleep 1
a=$(busy); sleep 10; paced=$(($(busy) - a))
wait "$bench_pid"
awk -v i="$idle" -v q="$quick" -v p="$paced" -v hz="$hz" 'BEGIN {
  printf "idle machine: %.2f %% of one core\n", 100 * i / hz / 10
  printf "batch, seconds 1 to 4 (quick attempts, then pausing): %.2f %% of one core above idle\n", 100 * (q / hz / 3 - i / hz / 10)
  printf "batch, seconds 5 to 15 (pausing between attempts): %.2f %% of one core above idle\n", 100 * (p / hz / 10 - i / hz / 10)
}'
