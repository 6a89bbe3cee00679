#!/usr/bin/env bash
# The main job: builds the tool and runs it in a private Wine prefix on a demo installation
# whose record says version 1.0005. With a display, the window waits for you to press OK;
# without one, a virtual display is used, a screenshot is saved and OK is pressed for you.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
bash scripts/setup.sh
had_display=${DISPLAY:-}
source scripts/wine-env.sh

cmake --preset windows >/dev/null
cmake --build --preset windows --target UpTalvorinte wine_session

wine_env_start
trap wine_env_stop EXIT

demo="$root/build/demo"
rm -rf "$demo"
mkdir -p "$demo/Talvorinte/DATA"
cp build/windows/bin/UpTalvorinte.exe "$demo/Talvorinte/"
windir="$WINEPREFIX/drive_c/windows"
install_dir=$(winepath -w "$demo/Talvorinte" 2>/dev/null)
printf '[56]\r\nCALE=%s\r\nVER=1.0005\r\n' "$install_dir" > "$windir/GMT.dII"
echo "record: $(tr -d '\r' < "$windir/GMT.dII" | tr '\n' ' ')"

wine "$demo/Talvorinte/UpTalvorinte.exe" </dev/null >/dev/null 2>&1 &
tool=$!
if [ -n "$had_display" ]; then
  echo "The window is up: press OK to end."
else
  for _ in $(seq 100); do
    xdotool search --name '^Actualizare$' >/dev/null 2>&1 && break
    sleep 0.1
  done
  sleep 1
  import -window root "$demo/window.png"
  echo "screenshot: $demo/window.png"
  xdotool key Return
fi
wait "$tool"
echo "UpTalvorinte.exe exited with code $?"
