#!/usr/bin/env bash
# Runs a Windows program under Wine in the project's private prefix, for CTest and by hand.
# Console output loses Windows line ends, so tools that read it (test discovery) see plain lines.
set -o pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX=${WINEPREFIX:-$here/build/windows/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
wine "$@" | tr -d '\r'
