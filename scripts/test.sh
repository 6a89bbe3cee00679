#!/usr/bin/env bash
# Builds everything and runs the whole test suite: the pure logic natively (with sanitizers)
# and under Wine, and the real tool under Wine in a private prefix, on a virtual display when
# there is no display.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
bash scripts/setup.sh
source scripts/wine-env.sh

# Warnings are errors in CI.
werror=OFF
[ -z "${CI:-}" ] || werror=ON
cmake --preset host -DTALVORINTE_WERROR=$werror >/dev/null
cmake --build --preset host
# An empty payload puts the stand-in back, should a demo have set another one.
cmake --preset windows -DTALVORINTE_WERROR=$werror -DTALVORINTE_PAYLOAD= >/dev/null
cmake --build --preset windows
# The tool built by Clang too: the code must not lean on one compiler.
cmake --preset windows-clang -DTALVORINTE_WERROR=$werror >/dev/null
cmake --build --preset windows-clang
cmake -DOBJDUMP=x86_64-w64-mingw32-objdump -DEXE=build/windows-clang/bin/UpTalvorinte.exe \
      -P tests/win/check_imports.cmake >/dev/null

wine_env_start
trap wine_env_stop EXIT

status=0
ctest --preset host --output-on-failure || status=1
# A test that times out is run once more: under load, Wine has now and then failed to start a
# test program at all (no output, not even GoogleTest's first line). A real hang times out twice.
ctest --preset windows --output-on-failure --repeat after-timeout:2 || status=1
# The parsers under libFuzzer, a bounded time each.
bash scripts/fuzz.sh "${FUZZ_SECONDS:-30}" || status=1
exit $status
