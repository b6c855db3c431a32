#!/usr/bin/env bash
# Solve benchmark: simulated pairs of related genomes (paralog_simulate_pair:
# gene families, a share of them in 2 to MAX_COPIES copies, random
# inversions, copies lost in the second genome, linear or circular
# chromosomes), each solved by `paralog-ilp --solve` with the compact model
# in the default and the --match-all mode and, where it can finish, with the
# whole program (--solve-model full). One tab-separated line per case, mode
# and model: status, wall seconds, processor seconds (user + system) of the
# whole run, of the search and of the check, objective, best bound, gap,
# peak resident memory (MB); with REPEAT=n the best time of n runs.
# The check's processor seconds are those of scoring the reported matching
# again (`--matching` on the --report table: reading, evaluating, checking
# against the whole program); the search's are the rest of the solve's.
#
#   bench/solve_benchmarks.sh                       # the default cases
#   CASES="200:0:10:0:1:linear" bench/solve_benchmarks.sh
#   TIME_LIMIT=60 FULL_UP_TO=12 REPEAT=3 MODES=match-all bench/solve_benchmarks.sh
#
# A case is FAMILIES:DUPLICATED:INVERSIONS:LOST:CHROMOSOMES:linear|circular
# with an optional :MAX_COPIES (3 when left out); LOST is a number of
# copies, or a share of all copies when it ends in "%".
# FULL_UP_TO: the largest family count solved with the whole program too.
# MODES: "default match-all" (both) or one of them.
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
modes=${MODES:-default match-all}
# 37:0.15:40:1:1:circular is a pair like the mitochondria of distant
# animals, whose default optimum leaves nearly every copy unmatched.
# The last five: divergent genomes (30% duplicated in 2 to 4 copies, 300
# inversions), a bacteria-like circular chromosome (15% duplicated in up
# to 8 copies, 5% of the copies lost), 10,000 families, 3,000 chromosomes
# of two genes.
cases=${CASES:-"8:0:2:0:1:linear 12:0:3:0:1:linear 15:0.2:3:1:1:linear 37:0.15:40:1:1:circular 200:0:10:0:1:linear
1000:0:50:0:1:linear 1000:0:50:0:4:linear 1000:0.1:50:20:1:linear 1000:0.1:50:20:1:circular
5000:0:250:0:10:linear 5000:0.1:250:100:1:linear
1000:0.3:300:60:1:linear:4 1000:0.3:300:60:1:circular:4 4000:0.15:400:5%:1:circular:8
10000:0.1:500:200:1:linear 6000:0:300:0:3000:linear"}

for tool in "$program" "$simulate"; do
  [[ -x $tool ]] || { echo "error: $tool is not built (cmake --build $build)" >&2; exit 1; }
done
mkdir -p "$work"

# Runs one solve; prints status, seconds, CPU seconds, search CPU seconds,
# check CPU seconds, objective, bound, gap, peak MB.
run_once() {
  local input=$1 model=$2 mode=$3 out=$work/run.out
  local options=() start end
  [[ $mode == match-all ]] && options=(--match-all)
  rm -f "$work/report.tsv"
  start=$(date +%s.%N)
  /usr/bin/time -f '%M %U %S' -o "$work/rss" "$program" -i "$input" --solve --solve-model "$model" \
    "${options[@]}" --time-limit "$time_limit" --report "$work/report.tsv" >"$out" 2>"$work/run.err" || true
  end=$(date +%s.%N)
  local field
  field() { sed -n "s/^$1: //p" "$out" | head -n 1; }
  local kb user system check=nan
  read -r kb user system < <(tail -n 1 "$work/rss")
  if [[ -s $work/report.tsv ]]; then
    /usr/bin/time -f '%U %S' -o "$work/check-time" "$program" -i "$input" "${options[@]}" \
      --matching "$work/report.tsv" >/dev/null 2>&1 || true
    check=$(awk '{ print $1 + $2 }' "$work/check-time")
  fi
  printf '%s\t%.1f\t%.1f\t%s\t%s\t%s\t%s\t%s\t%d\n' "$(field Status)" \
    "$(awk -v a="$start" -v b="$end" 'BEGIN { print b - a }')" "$(awk -v u="$user" -v s="$system" 'BEGIN { print u + s }')" \
    "$(awk -v u="$user" -v s="$system" -v c="$check" 'BEGIN { if (c == "nan") print "-"; else printf "%.1f", u + s - c }')" \
    "$(awk -v c="$check" 'BEGIN { if (c == "nan") print "-"; else printf "%.1f", c }')" \
    "$(field Objective)" "$(field 'Best bound')" "$(field Gap)" "$(( kb / 1024 ))"
}

printf 'families\tduplicated\tinversions\tlost\tchromosomes\tkind\tmodel\tmode\tstatus\tseconds\tCPU s\tsearch CPU s\tcheck CPU s\tobjective\tbound\tgap\tpeak MB\n'
for case in $cases; do
  IFS=: read -r families duplicated inversions lost chromosomes kind most <<<"$case"
  most=${most:-3}
  input=$work/pair-$families-$duplicated-$inversions-$lost-$chromosomes-$kind-$most.txt
  "$simulate" "$families" "$duplicated" "$inversions" "$lost" "$chromosomes" "$kind" "$seed" "$most" >"$input"
  models=compact
  if (( families <= full_up_to )); then models="compact full"; fi
  for model in $models; do
    for mode in $modes; do
      best=""
      for _ in $(seq "$repeat"); do
        line=$(run_once "$input" "$model" "$mode")
        seconds=$(cut -f 2 <<<"$line")
        if [[ -z $best ]] || awk -v a="$seconds" -v b="$(cut -f 2 <<<"$best")" 'BEGIN { exit !(a < b) }'; then
          best=$line
        fi
      done
      printf '%s\t%s\t%s\t%s\t%s\t%s\t%s\t%s\t%s\n' "$families" "$duplicated" "$inversions" "$lost" \
        "$chromosomes" "$kind" "$model" "$mode" "$best"
    done
  done
done
