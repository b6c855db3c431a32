#!/usr/bin/env bash
# Solve benchmark: simulated pairs of related genomes (paralog_simulate_pair:
# gene families, a share of them in 2 or 3 copies, random inversions, copies
# lost in the second genome, linear or circular chromosomes), each solved by
# `paralog-ilp --solve` with the compact model and, where it can finish,
# with the whole program (--solve-model full). One tab-separated line per
# case and model: status, wall seconds, processor seconds (user + system),
# objective, best bound, gap, peak resident memory (MB); with REPEAT=n the
# best time of n runs.
#
#   bench/solve_benchmarks.sh                       # the default cases
#   CASES="200:0:10:0:1:linear" bench/solve_benchmarks.sh
#   TIME_LIMIT=60 FULL_UP_TO=12 REPEAT=3 bench/solve_benchmarks.sh
#
# A case is FAMILIES:DUPLICATED:INVERSIONS:LOST:CHROMOSOMES:linear|circular.
# FULL_UP_TO: the largest family count solved with the whole program too.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
program=${PROGRAM:-$build/paralog-ilp}
simulate=${SIMULATE:-$build/bench/paralog_simulate_pair}
time_limit=${TIME_LIMIT:-600}
full_up_to=${FULL_UP_TO:-12}
repeat=${REPEAT:-1}
seed=${SEED:-1}
work=${WORK_DIR:-$build/solve-bench}
cases=${CASES:-"8:0:2:0:1:linear 12:0:3:0:1:linear 15:0.2:3:1:1:linear 200:0:10:0:1:linear
1000:0:50:0:1:linear 1000:0:50:0:4:linear 1000:0.1:50:20:1:linear 1000:0.1:50:20:1:circular
5000:0:250:0:10:linear 5000:0.1:250:100:1:linear"}

for tool in "$program" "$simulate"; do
  [[ -x $tool ]] || { echo "error: $tool is not built (cmake --build $build)" >&2; exit 1; }
done
mkdir -p "$work"

# Runs one solve; prints status, seconds, CPU seconds, objective, bound, gap, peak MB.
run_once() {
  local input=$1 model=$2 out=$work/run.out
  local start end
  start=$(date +%s.%N)
  /usr/bin/time -f '%M %U %S' -o "$work/rss" "$program" -i "$input" --solve --solve-model "$model" \
    --time-limit "$time_limit" >"$out" 2>"$work/run.err" || true
  end=$(date +%s.%N)
  local field
  field() { sed -n "s/^$1: //p" "$out" | head -n 1; }
  local kb user system
  read -r kb user system < <(tail -n 1 "$work/rss")
  printf '%s\t%.1f\t%.1f\t%s\t%s\t%s\t%d\n' "$(field Status)" \
    "$(awk -v a="$start" -v b="$end" 'BEGIN { print b - a }')" "$(awk -v u="$user" -v s="$system" 'BEGIN { print u + s }')" \
    "$(field Objective)" "$(field 'Best bound')" "$(field Gap)" "$(( kb / 1024 ))"
}

printf 'families\tduplicated\tinversions\tlost\tchromosomes\tkind\tmodel\tstatus\tseconds\tCPU s\tobjective\tbound\tgap\tpeak MB\n'
for case in $cases; do
  IFS=: read -r families duplicated inversions lost chromosomes kind <<<"$case"
  input=$work/pair-$families-$duplicated-$inversions-$lost-$chromosomes-$kind.txt
  "$simulate" "$families" "$duplicated" "$inversions" "$lost" "$chromosomes" "$kind" "$seed" >"$input"
  models=compact
  if (( families <= full_up_to )); then models="compact full"; fi
  for model in $models; do
    best=""
    for _ in $(seq "$repeat"); do
      line=$(run_once "$input" "$model")
      seconds=$(cut -f 2 <<<"$line")
      if [[ -z $best ]] || awk -v a="$seconds" -v b="$(cut -f 2 <<<"$best")" 'BEGIN { exit !(a < b) }'; then
        best=$line
      fi
    done
    printf '%s\t%s\t%s\t%s\t%s\t%s\t%s\t%s\n' "$families" "$duplicated" "$inversions" "$lost" \
      "$chromosomes" "$kind" "$model" "$best"
  done
done
