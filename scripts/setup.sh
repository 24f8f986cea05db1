#!/usr/bin/env bash
# Installs what building and playing POKUTAN needs on Debian 12, only what is missing; with the
# argument "test", also what the tests need (the smoke test runs the game in a private X server,
# CI cross compiles the Windows program and the 64-bit ARM one, the install tests check the
# installation and the Debian package); with "package", what making and checking the packages
# needs; with "windows", also Wine to run the Windows program; with "arm64", the ARM cross
# compiler, the arm64 libraries and qemu-user.
set -euo pipefail
packages=(cmake g++ make pkg-config libsdl2-dev libpng-dev zlib1g-dev libepoxy-dev)
if [ "${1:-}" = test ] || [ "${1:-}" = windows ] || [ "${1:-}" = arm64 ]; then
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
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
if [ "${1:-}" = test ] || [ "${1:-}" = arm64 ]; then
  # Debian's multiarch: the arm64 builds of the libraries install beside the machine's own.
  if ! dpkg --print-foreign-architectures | grep -qx arm64; then
    $sudo dpkg --add-architecture arm64
    $sudo apt-get update -q
  fi
  packages+=(g++-aarch64-linux-gnu qemu-user libsdl2-dev:arm64 libpng-dev:arm64 zlib1g-dev:arm64
             libepoxy-dev:arm64
             libgtest-dev:arm64 libgmock-dev:arm64)
fi
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -q
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
