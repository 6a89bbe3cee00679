#!/usr/bin/env bash
# The main job: a real upgrade, end to end, in a private Wine prefix. It builds the tool (the
# stand-in Talvorinte 1.0006 as payload), lays out an installation of the stand-in 1.0005 with
# the tool beside it, and starts the old program, which starts the tool; the tool swaps the
# executable and shows its window. With a display you press OK; without one a virtual display
# is used, screenshots are saved under build/demo and OK is pressed for you. On OK the tool
# starts the new program and removes itself.
#   scripts/demo.sh [payload.exe]     (or TALVORINTE_PAYLOAD=payload.exe scripts/demo.sh)
# A payload given carries your own Talvorinte.exe in place of the stand-in 1.0006.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
payload=${1:-${TALVORINTE_PAYLOAD:-}}
if [ -n "$payload" ]; then
  [ -f "$payload" ] || { echo "no such payload file: $payload" >&2; exit 2; }
  payload=$(realpath "$payload")
fi
bash scripts/setup.sh
had_display=${DISPLAY:-}
source scripts/wine-env.sh

# An empty value puts the stand-in back, should an earlier run have set a payload.
cmake --preset windows -DTALVORINTE_PAYLOAD="$payload" >/dev/null
cmake --build --preset windows --target UpTalvorinte Talvorinte-1.0005 Talvorinte-1.0006 \
  wine_session

wine_env_start
trap wine_env_stop EXIT

demo="$root/build/demo"
app="$demo/Talvorinte"
rm -rf "$demo"
mkdir -p "$app/DATA"
cp build/windows/bin/Talvorinte-1.0005.exe "$app/Talvorinte.exe"
cp build/windows/bin/UpTalvorinte.exe "$app/UpTalvorinte.exe"
record="$WINEPREFIX/drive_c/windows/GMT.dII"
rm -f "$record"
record_version() { tr -d '\r' < "$record" 2>/dev/null | sed -n 's/^VER=//p' | head -n 1; }
sha_before=$(sha256sum "$app/Talvorinte.exe" | cut -d' ' -f1)

# The old program writes the record, starts the tool with its own path, and ends.
wine "$app/Talvorinte.exe" </dev/null >/dev/null 2>&1
version_before=$(record_version)

for _ in $(seq 900); do
  xdotool search --name '^Actualizare$' >/dev/null 2>&1 && break
  sleep 0.1
done
if [ -n "$had_display" ]; then
  echo "The tool's window is up: press OK."
else
  sleep 1
  import -window root "$demo/window.png"
  echo "screenshot of the tool's window: $demo/window.png"
  xdotool key Return
fi

# After OK: the new program starts and the tool's batch file removes the tool.
for _ in $(seq 600); do
  [ ! -e "$app/UpTalvorinte.exe" ] && [ ! -e "$app/suicide.bat" ] && break
  sleep 0.1
done
if [ -z "$payload" ]; then
  for _ in $(seq 100); do
    xdotool search --name '^Talvorinte 1.0006$' >/dev/null 2>&1 && break
    sleep 0.1
  done
else
  sleep 3  # your program: its window's title is not known here
fi
if [ -z "$had_display" ]; then
  sleep 1
  import -window root "$demo/new-program.png"
  echo "screenshot of the new program: $demo/new-program.png"
  wine taskkill /im Talvorinte.exe </dev/null >/dev/null 2>&1 || true
fi

sha_after=$(sha256sum "$app/Talvorinte.exe" | cut -d' ' -f1)
sha_payload=$(sha256sum "${payload:-build/windows/bin/Talvorinte-1.0006.exe}" | cut -d' ' -f1)
removed=no
[ ! -e "$app/UpTalvorinte.exe" ] && [ ! -e "$app/suicide.bat" ] && removed=yes
echo "version in the record: before ${version_before:-none}, after $(record_version)"
echo "Talvorinte.exe SHA-256: before $sha_before"
echo "                        after  $sha_after"
matches=no
[ "$sha_after" = "$sha_payload" ] && matches=yes
echo "the new Talvorinte.exe is the payload, byte for byte: $matches"
echo "the tool removed itself: $removed"
[ "$removed" = yes ] && [ "$matches" = yes ]
