#!/usr/bin/env bash
# Installs what the build and the tests need on a fresh Debian machine.
# Safe to run again: it installs only what is missing.
set -euo pipefail
pkgs=(cmake ninja-build g++ clang libclang-rt-14-dev googletest
      g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev
      wine wine64 fonts-wine wixl msitools xvfb xauth x11-apps imagemagick fonts-dejavu-core nlohmann-json3-dev)
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "== installing: ${missing[*]}"
  SUDO=""; [ "$(id -u)" = 0 ] || SUDO=sudo
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
