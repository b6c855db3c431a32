#!/usr/bin/env bash
# The compact model (--write-model) of simulated pairs handed to every
# solver reachable here, each under the same time limit: the embedded CBC
# (paralog_compact_solve on the whole model, with its heuristic start), the
# cbc program, GLPK (glpsol), SYMPHONY (symphony) and HiGHS (the npm
# package under tests/solvers, through bench/highs_model.js). One
# tab-separated line per case and solver: status, processor seconds (user +
# system), objective, bound, gap in percent (|objective - bound| /
# max(1, |objective|)), peak resident memory (MB). A solver that is not
# installed is left out.
#
#   bench/solver_comparison.sh                       # the default cases
#   CASES="200:0:10:0:1:linear" TIME_LIMIT=60 bench/solver_comparison.sh
#   SOLVERS="cbc highs" bench/solver_comparison.sh
#
# A case is FAMILIES:DUPLICATED:INVERSIONS:LOST:CHROMOSOMES:linear|circular
# (see bench/solve_benchmarks.sh). The limit is wall-clock time for every
# solver (the cbc program is told "timeMode elapsed"); a solver still
# running half the limit after it gets SIGINT (the cbc program then reports
# its best), and SIGKILL 30 s later (the cbc program's figures are then
# those of its last progress line).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
program=${PROGRAM:-$build/paralog-ilp}
simulate=${SIMULATE:-$build/bench/paralog_simulate_pair}
embedded=${EMBEDDED:-$build/bench/paralog_compact_solve}
time_limit=${TIME_LIMIT:-120}
seed=${SEED:-1}
work=${WORK_DIR:-$build/solver-bench}
solvers=${SOLVERS:-"embedded cbc glpk symphony highs"}
cases=${CASES:-"100:0.1:5:2:1:linear 200:0:10:0:1:linear 1000:0:50:0:1:linear 1000:0.1:50:20:1:linear
1000:0.1:50:20:1:circular 5000:0.1:250:100:1:linear"}

for tool in "$program" "$simulate" "$embedded"; do
  [[ -x $tool ]] || { echo "error: $tool is not built (cmake --build $build)" >&2; exit 1; }
done
mkdir -p "$work"

available() {
  case $1 in
    embedded) true ;;
    cbc) command -v cbc >/dev/null ;;
    glpk) command -v glpsol >/dev/null ;;
    symphony) command -v symphony >/dev/null ;;
    highs) command -v node >/dev/null && [[ -d $root/tests/solvers/node_modules/highs ]] ;;
  esac
}

# The last number after "$2" in file $1 (empty when none).
last_number() {
  grep -oE -- "$2 *-?[0-9.e+-]+" "$1" | tail -n 1 | grep -oE -- '-?[0-9][0-9.e+-]*$' || true
}

# Runs a command under the limit and a guard, with its peak memory and
# processor time in $work/rss.
limited() {
  /usr/bin/time -f '%M %U %S' -o "$work/rss" timeout -s INT -k 30 $(( time_limit * 3 / 2 )) "$@"
}

# Runs solver $1 on model $2 (input $3); prints status, objective and bound.
solve_with() {
  local solver=$1 model=$2 input=$3 out=$work/solver.out
  case $solver in
    embedded)
      PARALOG_WHOLE=1 limited "$embedded" "$input" "$time_limit" >"$out" 2>&1 || true
      awk -F'\t' '{ print $3 "\t" $5 "\t" $6 }' "$out" | tail -n 1 ;;
    cbc)
      # Line-buffered, so that a run the guard kills leaves its progress lines.
      limited stdbuf -oL cbc "$model" timeMode elapsed sec "$time_limit" solve >"$out" 2>&1 || true
      local status=other objective bound
      grep -q 'Result - Optimal solution found' "$out" && status=optimal
      grep -qE 'Result - Stopped on (time|ctrl-c)' "$out" && status='time limit'
      objective=$(last_number "$out" 'Objective value:')
      bound=$(last_number "$out" 'Lower bound:')
      if [[ $status == other ]]; then
        status='killed by the guard'
        objective=$(grep -oE -- '-?[0-9][0-9.e+-]* best solution' "$out" | tail -n 1 | cut -d' ' -f1 || true)
        bound=$(last_number "$out" 'best possible')
      fi
      printf '%s\t%s\t%s\n' "$status" "$objective" "$bound" ;;
    glpk)
      limited glpsol --lp "$model" --tmlim "$time_limit" >"$out" 2>&1 || true
      local status=other line
      grep -q 'INTEGER OPTIMAL SOLUTION FOUND' "$out" && status=optimal
      grep -q 'TIME LIMIT EXCEEDED' "$out" && status='time limit'
      line=$(grep -E '^[+*] *[0-9]+: mip =' "$out" | tail -n 1 || true)
      printf '%s\t%s\t%s\n' "$status" "$(sed -nE 's/.*mip = *(-?[0-9.e+-]+) .*/\1/p' <<<"$line")" \
        "$(sed -nE 's/.*>= *(-?[0-9.e+-]+).*/\1/p' <<<"$line")" ;;
    symphony)
      limited symphony -L "$model" -t "$time_limit" >"$out" 2>&1 || true
      local status=other bound
      grep -q 'Optimal Solution Found' "$out" && status=optimal
      grep -q 'Time Limit Reached' "$out" && status='time limit'
      bound=$(last_number "$out" 'Current Lower Bound:')
      [[ $status == optimal ]] && bound=$(last_number "$out" 'Solution Cost:')
      printf '%s\t%s\t%s\n' "$status" "$(last_number "$out" 'Solution Cost:')" "$bound" ;;
    highs)
      limited node "$root/bench/highs_model.js" "$model" "$time_limit" >"$out" 2>&1 || true
      awk -F'\t' 'NF >= 3 { s = $1; if (s == "timeLimit") s = "time limit"; print s "\t" $2 "\t" $3 }' "$out" | tail -n 1 ;;
  esac
}

printf 'families\tduplicated\tinversions\tlost\tchromosomes\tkind\tsolver\tstatus\tCPU s\tobjective\tbound\tgap %%\tpeak MB\n'
for case in $cases; do
  IFS=: read -r families duplicated inversions lost chromosomes kind <<<"$case"
  input=$work/pair-$families-$duplicated-$inversions-$lost-$chromosomes-$kind.txt
  model=${input%.txt}.lp
  "$simulate" "$families" "$duplicated" "$inversions" "$lost" "$chromosomes" "$kind" "$seed" >"$input"
  "$program" -i "$input" --write-model "$model" >/dev/null
  for solver in $solvers; do
    available "$solver" || continue
    solve_with "$solver" "$model" "$input" >"$work/result"
    IFS=$'\t' read -r status objective bound <"$work/result" || true
    if [[ $status == optimal && -z $bound ]]; then bound=$objective; fi
    objective=$(awk -v v="$objective" 'BEGIN { if (v != "" && v != "nan") printf "%.8g", v }')
    bound=$(awk -v v="$bound" 'BEGIN { if (v != "" && v != "nan") printf "%.8g", v }')
    read -r kb user system < <(tail -n 1 "$work/rss")
    gap=$(awk -v o="$objective" -v b="$bound" 'BEGIN {
      if (o == "" || b == "") { print "-"; exit }
      d = o - b; if (d < 0) d = -d; m = o < 0 ? -o : o; if (m < 1) m = 1; printf "%.2f", 100 * d / m }')
    printf '%s\t%s\t%s\t%s\t%s\t%s\t%s\t%s\t%.1f\t%s\t%s\t%s\t%d\n' "$families" "$duplicated" "$inversions" \
      "$lost" "$chromosomes" "$kind" "$solver" "$status" "$(awk -v u="$user" -v s="$system" 'BEGIN { print u + s }')" \
      "${objective:--}" "${bound:--}" "$gap" "$(( kb / 1024 ))"
  done
done
