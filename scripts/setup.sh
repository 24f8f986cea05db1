#!/usr/bin/env bash
# Installs what building and playing POKUTAN needs on Debian 12, only what is missing; with the
# argument "test", also what the tests need (the smoke test runs the game in a private X server,
# CI cross compiles the Windows program, the install tests check the installation and the Debian
# package); with "package", what making and checking the packages needs; with "windows", also
# Wine to run the Windows program.
set -euo pipefail
packages=(cmake g++ make pkg-config libsdl2-dev libpng-dev zlib1g-dev libepoxy-dev)
if [ "${1:-}" = test ] || [ "${1:-}" = windows ]; then
  packages+=(clang-format libgtest-dev libgmock-dev libbenchmark-dev xvfb xdotool x11-utils x11-apps
             python3 clang libclang-rt-14-dev g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev
             libegl1 libegl-mesa0 libgles2 libgl1-mesa-dri)
fi
if [ "${1:-}" = test ] || [ "${1:-}" = package ]; then
  packages+=(dpkg-dev fakeroot file man-db desktop-file-utils appstream lintian)
fi
if [ "${1:-}" = windows ]; then
  # Wine's Direct3D draws with OpenGL: Mesa's software renderer serves it in Xvfb.
  packages+=(wine wine64 libgl1 libgl1-mesa-dri)
fi
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -q
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
