#!/usr/bin/env bash
# Benchmarks every implemented operation against libyuv, OpenCV and memcpy
# (single thread, 1920x1080 frames and 64x64 regions) and writes
# docs/performance.md and docs/performance.png, including every
# bench/notes/*.md.
#
# Usage: tools/bench.sh [qrx_bench flags...]
#   e.g. tools/bench.sh --benchmark_filter='420'   (then the report covers only those)
# Every operation is timed with the automatic choice of kernels at 1920x1080
# and 64x64, and under every target this processor runs at 1920x1080; the
# report has a column per target, with the processor's model name.
# QRX_BENCH_MIN_TIME (seconds per repetition of the automatic and peer cases,
# default 0.2), QRX_BENCH_TARGET_MIN_TIME (of the per-target cases, default
# 0.1) and QRX_BENCH_REPETITIONS (default 3) trade run time for stability;
# the defaults take about ten minutes for 105 operations on two cores.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="$root/build/bench"

bash "$root/tools/install-deps.sh" --bench

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DQRX_BUILD_BENCH=ON -DQRX_BUILD_TESTS=OFF -DQRX_BUILD_EXAMPLES=OFF
cmake --build "$build" --target qrx_bench -j2

json="$build/qrx_bench.json"
"$build/bench/qrx_bench" \
  --benchmark_min_time="${QRX_BENCH_MIN_TIME:-0.2}" \
  --qrx_target_min_time="${QRX_BENCH_TARGET_MIN_TIME:-0.1}" \
  --benchmark_repetitions="${QRX_BENCH_REPETITIONS:-3}" \
  --benchmark_report_aggregates_only=true \
  --benchmark_enable_random_interleaving=true \
  --benchmark_out="$json" --benchmark_out_format=json \
  "$@" | tee "$build/qrx_bench.txt"

# Debian's interpreter carries python3-matplotlib; another python3 first in
# PATH (a virtualenv, pyenv) usually does not.
python=/usr/bin/python3
[[ -x $python ]] || python=python3
"$python" "$root/tools/perf_report.py" "$json" \
  --markdown "$root/docs/performance.md" --chart "$root/docs/performance.png" \
  --notes-dir "$root/bench/notes"
