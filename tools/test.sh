#!/usr/bin/env bash
# Builds the library and runs every test: a Release build, a build with
# AddressSanitizer and UndefinedBehaviorSanitizer, the fuzzer for about a
# minute (tools/fuzz.sh --ci: the checked-in corpus as regression cases, then
# a fixed number of inputs mutated from a fixed seed, so that the same tree
# always runs the same inputs), and a build with ThreadSanitizer. Each phase
# prints its time. CI allows 90 minutes for everything; on a machine so busy
# that the ThreadSanitizer phase (about as long as the ASan+UBSan one) would
# not fit in them, it is skipped with a notice (QRX_TEST_BUDGET, seconds,
# default 5400; tools/test.sh --tsan runs it).
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
    asan_start=$SECONDS
    ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
      phase "AddressSanitizer+UndefinedBehaviorSanitizer" \
      run_build build/sanitize -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQRX_SANITIZE=address
    asan_time=$((SECONDS - asan_start))
    phase "Fuzzer" tools/fuzz.sh --ci
    if ((SECONDS + asan_time + 300 > ${QRX_TEST_BUDGET:-5400})); then
      echo "== ThreadSanitizer: skipped, $SECONDS s spent and about $asan_time s more needed" \
           "(run tools/test.sh --tsan)"
    else
      phase "ThreadSanitizer" tsan
    fi ;;
  *)
    echo "usage: tools/test.sh [--release-only | --tsan]" >&2
    exit 2 ;;
esac
