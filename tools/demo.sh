#!/usr/bin/env bash
# Builds the library and the demo program in Release mode and runs the demo,
# which converts a colour test chart and writes every result as a PNG file.
# Usage: tools/demo.sh [output-dir]   (default build/demo-out)
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-build/demo-out}
tools/install-deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/release -j "$(nproc)" --target qrx_demo
build/release/examples/qrx_demo "$out"
