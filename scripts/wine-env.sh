# Sourced by the scripts: the private Wine prefix, and a virtual display when there is none.
# wine_env_start prepares both; wine_env_stop ends what wine_env_start started.
export WINEPREFIX=${WINEPREFIX:-$root/build/windows/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
wine_env_xvfb_pid=

wine_env_start() {
  if [ -z "${DISPLAY:-}" ]; then
    local n=90
    while [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    wine_env_xvfb_pid=$!
    export DISPLAY=":$n"
    for _ in $(seq 100); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
  fi
  mkdir -p "$WINEPREFIX"
  # Wine's services inherit open descriptors: start them with nothing attached, so that
  # nothing waits for them to close.
  wineserver -p </dev/null >/dev/null 2>&1 || true  # already running is fine
  wine wineboot -i </dev/null >/dev/null 2>&1 || true
  # Wine draws the title bars itself (there is no window manager on a virtual display).
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f </dev/null >/dev/null 2>&1
  # One long-lived program keeps Wine's desktop and services up, started with nothing attached:
  # otherwise they would start again with each test and keep its output pipe open.
  local keeper="$root/build/windows/bin/wine_session.exe"
  if [ -f "$keeper" ]; then
    wine "$keeper" </dev/null >/dev/null 2>&1 &
    for _ in $(seq 100); do pgrep -f 'explorer.exe /desktop' >/dev/null && break; sleep 0.1; done
  fi
}

wine_env_stop() {
  wineserver -k >/dev/null 2>&1 || true
  if [ -n "$wine_env_xvfb_pid" ]; then
    kill "$wine_env_xvfb_pid" 2>/dev/null || true
    wait "$wine_env_xvfb_pid" 2>/dev/null || true
  fi
}
