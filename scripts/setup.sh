#!/usr/bin/env bash
# Installs what the build, the tests and the demo need on a Debian machine, when missing:
# mingw-w64 (posix threads), Clang, CMake, GoogleTest's sources, 64-bit Wine, a virtual display,
# fonts, ImageMagick, osslsigncode and openssl, and the Romanian locale. Safe to run again.
set -euo pipefail

packages=(cmake make g++ clang googletest g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
          osslsigncode openssl
          wine wine64 fonts-wine xvfb xauth fonts-liberation imagemagick xdotool locales)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo=sudo
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -q
  # No recommends: they would bring 32-bit Wine, which cannot start on these machines.
  $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# Romanian regional settings for the locale tests (ANSI 1250, ',' as decimal separator).
if ! locale -a 2>/dev/null | grep -qi '^ro_RO\.utf-\?8$'; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo=sudo
  $sudo sed -i 's/^# *\(ro_RO.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^ro_RO.UTF-8 UTF-8' /etc/locale.gen || echo 'ro_RO.UTF-8 UTF-8' | $sudo tee -a /etc/locale.gen >/dev/null
  $sudo locale-gen >/dev/null
fi
