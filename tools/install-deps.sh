#!/usr/bin/env bash
# Installs what a fresh Debian machine lacks to build and test the library.
# Usage: tools/install-deps.sh [--bench]   (--bench adds the peer libraries)
set -euo pipefail
pkgs=(cmake ninja-build g++ pkg-config libgtest-dev libgmock-dev libbenchmark-dev libhwy-dev binutils
      libopencv-dev python3-skimage)
if [[ "${1:-}" == "--bench" ]]; then
  pkgs+=(libyuv-dev libopencv-dev libhwy-dev python3-matplotlib)
fi
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
  SUDO=""
  [[ $(id -u) -ne 0 ]] && SUDO=sudo
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
