#!/usr/bin/env bash
# Builds the library and runs every test: a Release build, then a build with
# AddressSanitizer and UndefinedBehaviorSanitizer.
# Usage: tools/test.sh [--release-only]
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
jobs=$(nproc)

run_build() {
  local dir=$1; shift
  cmake -S . -B "$dir" -G Ninja "$@" >/dev/null
  cmake --build "$dir" -j "$jobs"
  ctest --test-dir "$dir" -j "$jobs" --output-on-failure --timeout 600
}

run_build build/release -DCMAKE_BUILD_TYPE=Release
if [[ "${1:-}" != "--release-only" ]]; then
  ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    run_build build/sanitize -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQRX_SANITIZE=ON
fi
