#!/usr/bin/env bash
# Builds the libFuzzer target (clang, AddressSanitizer and
# UndefinedBehaviorSanitizer, in build-fuzz/) and fuzzes the path from input
# text to LP text for the given number of seconds:
#   scripts/fuzz.sh <seconds> [extra libFuzzer options...]
# The run starts from the seed corpus in fuzz/corpus/ and keeps what it
# learns in build-fuzz/corpus/. A finding stops the run with a non-zero
# status and leaves the input that caused it in build-fuzz/findings/.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"

if [[ $# -lt 1 || ! "$1" =~ ^[0-9]+$ ]]; then
  echo "usage: scripts/fuzz.sh <seconds> [libFuzzer options...]" >&2
  exit 2
fi
seconds="$1"
shift

if ! command -v clang++ >/dev/null 2>&1; then
  echo "fuzz: clang++ is missing; scripts/install-deps.sh --fuzz installs it" >&2
  exit 1
fi

CXX=clang++ BUILD_TARGET=paralog_lp_fuzzer scripts/cmake-build.sh build-fuzz \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPARALOG_FUZZ=ON -DPARALOG_SANITIZE=ON \
  -DBUILD_TESTING=OFF -DPARALOG_BENCHMARKS=OFF

mkdir -p build-fuzz/corpus build-fuzz/findings
echo "== fuzzing for ${seconds} s"
# One execution is capped by the target itself (input size, gene copies);
# the timeout and memory limit catch anything that still runs away.
build-fuzz/fuzz/paralog_lp_fuzzer \
  -max_total_time="$seconds" -max_len=4096 -timeout=30 -rss_limit_mb=2048 \
  -dict=fuzz/lp.dict -artifact_prefix=build-fuzz/findings/ -print_final_stats=1 \
  "$@" build-fuzz/corpus fuzz/corpus
