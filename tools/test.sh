#!/usr/bin/env bash
# Builds the library and runs every test: a Release build, a build with
# AddressSanitizer and UndefinedBehaviorSanitizer, the fuzzer for about a
# minute (the checked-in corpus first, as regression cases), and a build with
# ThreadSanitizer. Each phase prints its time.
# Usage: tools/test.sh [--release-only | --tsan]
#   --release-only   the Release build only
#   --tsan           the ThreadSanitizer build only
set -euo pipefail
cd "$(dirname "$0")/.."
mode=${1:-all}
if [[ "$mode" == "--release-only" ]]; then
  tools/install-deps.sh
else
  tools/install-deps.sh --fuzz
fi
jobs=$(nproc)

phase() {  # phase <name> <command...>
  local name=$1 start=$SECONDS; shift
  echo "== $name"
  "$@"
  echo "== $name: $((SECONDS - start)) s"
}

run_build() {
  local dir=$1; shift
  cmake -S . -B "$dir" -G Ninja "$@" >/dev/null
  cmake --build "$dir" -j "$jobs"
  ctest --test-dir "$dir" -j "$jobs" --output-on-failure --timeout 900
}

# OpenMP regions run on LLVM's runtime, whose Archer tool tells ThreadSanitizer
# about its barriers; the runtime itself is not instrumented.
tsan() {
  CC=clang CXX=clang++ TSAN_OPTIONS="halt_on_error=1 ignore_noninstrumented_modules=1" \
    run_build build/tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQRX_SANITIZE=thread
}

case "$mode" in
  --tsan)
    phase "ThreadSanitizer" tsan ;;
  --release-only)
    phase "Release" run_build build/release -DCMAKE_BUILD_TYPE=Release ;;
  all)
    phase "Release" run_build build/release -DCMAKE_BUILD_TYPE=Release
    ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
      phase "AddressSanitizer+UndefinedBehaviorSanitizer" \
      run_build build/sanitize -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQRX_SANITIZE=address
    phase "Fuzzer" tools/fuzz.sh 60
    phase "ThreadSanitizer" tsan ;;
  *)
    echo "usage: tools/test.sh [--release-only | --tsan]" >&2
    exit 2 ;;
esac
