#!/usr/bin/env bash
# Installs what a fresh Debian machine lacks to build and test the library.
# Usage: tools/install-deps.sh [--bench] [--fuzz]
#   --bench adds the peer libraries; --fuzz adds clang with libFuzzer, its
#   sanitizer runtimes, LLVM's OpenMP runtime (with the ThreadSanitizer tool)
#   and the coverage tools.
set -euo pipefail
pkgs=(cmake ninja-build g++ pkg-config libgtest-dev libgmock-dev libbenchmark-dev libhwy-dev binutils
      libopencv-dev libpng-dev python3-skimage)
for arg in "$@"; do
  case "$arg" in
    --bench) pkgs+=(libyuv-dev libopencv-dev libhwy-dev python3-matplotlib) ;;
    --fuzz) pkgs+=(clang libclang-rt-14-dev llvm-14 libomp-14-dev) ;;
  esac
done
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
