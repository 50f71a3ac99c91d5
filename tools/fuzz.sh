#!/usr/bin/env bash
# The fuzzer over every exported entry (tests/fuzz), built with clang,
# libFuzzer, AddressSanitizer and UndefinedBehaviorSanitizer in build/fuzz.
#
# Usage: tools/fuzz.sh [seconds] [family]
#   Replays the checked-in corpus (tests/fuzz/corpus) as regression cases,
#   then fuzzes for the rest of `seconds` (default 60, replay included) over
#   every entry, or over the entries whose family path or name contains
#   `family` (e.g. ycbcr_decode, gray, qrxiYUV420ToRGB_8u_P3C3R). New inputs
#   collect in build/fuzz/corpus; an input that breaks a promise is copied
#   into tests/fuzz/corpus/regressions (commit it with the fix) and the
#   script fails.
# Other forms:
#   tools/fuzz.sh --ci         what CI runs, the same inputs for the same tree:
#                              every checked-in input, then a fixed number of
#                              new inputs (QRX_FUZZ_CI_RUNS, default 5000)
#                              mutated from a fixed seed (QRX_FUZZ_CI_SEED,
#                              default 1); about 40 s of processor time
#   tools/fuzz.sh --seed       write seed inputs for entries that have none
#                              (tests/fuzz/corpus/seeds; after adding a table)
#   tools/fuzz.sh --merge      add the inputs of build/fuzz/corpus that reach
#                              new code to tests/fuzz/corpus/found
#   tools/fuzz.sh --coverage   clang source-based coverage of src/ from the
#                              checked-in corpus (build/coverage/report.txt)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
bash tools/install-deps.sh --fuzz

corpus=tests/fuzz/corpus
work=build/fuzz
fuzzer=$work/tests/fuzz/qrx_fuzz
jobs=$(nproc)

build() {  # build <dir> <extra cmake args...>
  local dir=$1; shift
  CC=clang CXX=clang++ cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DQRX_FUZZ=ON -DQRX_BUILD_TESTS=OFF -DQRX_BUILD_EXAMPLES=OFF "$@" >/dev/null
  cmake --build "$dir" --target qrx_fuzz -j "$jobs"
}

# Copies failing inputs into the corpus under the name of the entry they run
# (a checked-in input that fails is named, not copied).
keep_failures() {
  local found=0 f same
  mkdir -p "$corpus/regressions"
  for f in "$work"/artifacts/*; do
    [[ -f "$f" ]] || continue
    same=$(find "$corpus" -type f -size "$(stat -c %s "$f")c" -exec cmp -s "$f" {} \; -print -quit)
    if [[ -n "$same" ]]; then
      echo "fuzz: the checked-in input $same fails" >&2
    else
      QRX_FUZZ_CANONICALIZE="$corpus/regressions" "$fuzzer" "$f" >/dev/null 2>&1 || true
      found=1
    fi
    rm -f "$f"
  done
  if ((found)); then
    echo "fuzz: failing inputs added to $corpus/regressions:" >&2
    ls -t "$corpus/regressions" | head -5 >&2
  fi
}

# LeakSanitizer checks at exit; the OpenMP runtime's own blocks are not ours.
export LSAN_OPTIONS="suppressions=$root/tests/fuzz/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"

# The options of every fuzzing run.
fuzz_options=(-timeout=60 -rss_limit_mb=4096 -max_len=4096 -dict=tests/fuzz/sizes.dict
              -artifact_prefix="$work/artifacts/" -print_final_stats=1)

report() {  # report <status> <log>
  grep -E "^stat::(number_of_executed_units|average_exec_per_sec)|DONE" "$2" | tail -3
  if (($1)); then
    grep -E "qrx_fuzz:|ERROR|runtime error|SUMMARY" "$2" | head -20 >&2 || true
    keep_failures
    echo "fuzz: failure found (log: $2)" >&2
    exit 1
  fi
}

case "${1:-}" in
  --seed)
    build "$work"
    mkdir -p "$corpus/seeds"
    QRX_FUZZ_WRITE_SEEDS="$corpus/seeds" "$fuzzer"
    exit 0 ;;
  --merge)
    build "$work"
    mkdir -p "$corpus/found" "$work/corpus"
    # Inputs of build/fuzz/corpus that reach code the checked-in ones do not.
    tmp=$(mktemp -d)
    find "$corpus" -type f -exec cp {} "$tmp"/ \;
    ls "$tmp" | sort >"$tmp.before"
    "$fuzzer" -merge=1 -use_counters=0 "$tmp" "$work/corpus" 2>&1 | grep -E "MERGE-OUTER: [0-9]+ new files" || true
    ls "$tmp" | sort | comm -13 "$tmp.before" - | while read -r f; do mv "$tmp/$f" "$corpus/found/"; done
    rm -rf "$tmp" "$tmp.before"
    echo "fuzz: $(ls "$corpus/found" | wc -l) inputs in $corpus/found"
    exit 0 ;;
  --ci)
    # The same inputs on every run of the same tree: libFuzzer runs every
    # checked-in input first (a failing one stops it), then mutates with a
    # fixed seed for a fixed number of runs. The checked-in inputs are handed
    # over as one sorted list (a folder would be read in the file system's
    # order). Edge coverage without hit counts and without comparison
    # operands steers it, since both of those are recorded from the
    # library's worker threads, whose interleaving differs from run to run,
    # and every call runs on one library thread (racing increments of the
    # 8-bit edge counters would otherwise make an edge seem unreached now and
    # then); new inputs go to a fresh folder. Thread counts are exercised by
    # the corpus replay and the concurrency test of qrx_tests.
    build "$work"
    rm -rf "$work/ci-corpus" "$work/artifacts" && mkdir -p "$work/ci-corpus" "$work/artifacts"
    find "$corpus" -type f | LC_ALL=C sort | paste -sd, >"$work/ci-inputs"
    inputs=$(find "$corpus" -type f | wc -l)
    runs=${QRX_FUZZ_CI_RUNS:-5000}
    seed=${QRX_FUZZ_CI_SEED:-1}
    start=$SECONDS
    status=0
    QRX_FUZZ_FAMILY="" QRX_FUZZ_THREADS=1 "$fuzzer" -seed="$seed" -runs=$((inputs + runs)) -use_counters=0 -use_cmp=0 \
      -seed_inputs=@"$work/ci-inputs" "${fuzz_options[@]}" "$work/ci-corpus" >"$work/ci.log" 2>&1 || status=$?
    report "$status" "$work/ci.log"
    echo "fuzz: $inputs corpus inputs and $runs new ones (seed $seed) without failure in $((SECONDS - start)) s"
    exit 0 ;;
  --coverage)
    cov=build/coverage
    build "$cov" -DQRX_COVERAGE=ON
    rm -rf "$cov/profiles" && mkdir -p "$cov/profiles"
    LLVM_PROFILE_FILE="$cov/profiles/%p.profraw" "$cov/tests/fuzz/qrx_fuzz" -runs=0 \
      "$corpus/seeds" "$corpus/found" "$corpus/regressions" >/dev/null 2>&1
    llvm-profdata-14 merge -sparse "$cov"/profiles/*.profraw -o "$cov/fuzz.profdata"
    llvm-cov-14 report "$cov/tests/fuzz/qrx_fuzz" -instr-profile="$cov/fuzz.profdata" \
      -ignore-filename-regex='(tests/|/usr/|core/)' | tee "$cov/report.txt" | tail -3
    exit 0 ;;
esac

seconds=${1:-60}
family=${2:-}
build "$work"
mkdir -p "$work/corpus" "$work/artifacts"
export QRX_FUZZ_FAMILY="$family"
start=$SECONDS

# Every checked-in input once, as a regression case.
mapfile -t inputs < <(find "$corpus" -type f | sort)
status=0
printf '%s\0' "${inputs[@]}" | xargs -0 -n 400 "$fuzzer" -artifact_prefix="$work/artifacts/" \
  >"$work/replay.log" 2>&1 || status=$?
if ((status)); then
  grep -E "qrx_fuzz:|ERROR|runtime error" "$work/replay.log" | head -20 >&2 || true
  keep_failures
  echo "fuzz: a checked-in input fails (log: $work/replay.log)" >&2
  exit 1
fi
echo "fuzz: ${#inputs[@]} corpus inputs replayed in $((SECONDS - start)) s"

left=$((seconds - (SECONDS - start)))
((left < 10)) && left=10
# A fresh random seed every time: people explore, CI (--ci) repeats itself.
status=0
"$fuzzer" -max_total_time="$left" "${fuzz_options[@]}" "$work/corpus" "$corpus" >"$work/fuzz.log" 2>&1 ||
  status=$?
report "$status" "$work/fuzz.log"
echo "fuzz: no failure in $((SECONDS - start)) s${family:+ (entries matching '$family')}"
