#!/usr/bin/env bash
# Runs the all-pairs workflow end to end on the four bundled genomes with the
# embedded solver, in a temporary directory, from a configuration file that
# names only the tool and the genomes (the schema fills in the rest), and
# checks that:
# - a setting the schema refuses stops the run with the schema's message;
# - results/summary.tsv holds one row per pair (six), each optimal, with the
#   objective of a direct run of the tool on that pair, and family counts
#   that agree with the pair's matching report;
# - every pair has a gzip LP file equal to the tool's portable output;
# - the summary's distance and indels are those of direct runs, and the
#   distance matrix and the tree hold every pair and genome;
# - a second run finds nothing to do and leaves the summary untouched.
#   all_pairs_test.sh TOOL SOURCE_DIR
# Exits 77 (skipped) when snakemake is not installed.
set -euo pipefail

tool="$1"
source_dir="$2"
genomes="$source_dir/examples/four-genomes.txt"

if ! command -v snakemake >/dev/null 2>&1; then
  echo "skipped: snakemake is not installed (scripts/install-deps.sh --workflow installs it)"
  exit 77
fi

fail() {
  echo "FAILED: $*" >&2
  exit 1
}

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
# The LP files are written and compared; the objectives are those of runs without --match-all.
printf 'tool: %s\ngenomes: %s\nwrite_programs: true\nmatch_all: false\n' "$tool" "$genomes" >"$work/config.yaml"

run_workflow() {
  snakemake --cores 2 --scheduler greedy -s "$source_dir/workflow/Snakefile" --directory "$work" \
    --configfile "$work/config.yaml" "$@"
}

if run_workflow -n --config solver=gurobi >"$work/refused.log" 2>&1 ||
    ! grep -q "'gurobi' is not one of \['embedded', 'cbc', 'none'\]" "$work/refused.log"; then
  cat "$work/refused.log" >&2
  fail "the schema did not refuse solver=gurobi"
fi

if ! run_workflow >"$work/first-run.log" 2>&1; then
  cat "$work/first-run.log" >&2
  for log in "$work"/results/logs/*.log; do
    [[ -e "$log" ]] && { echo "== $log" >&2; cat "$log" >&2; }
  done
  fail "the workflow failed"
fi
# The defaults come from the schema: solve jobs declare mem_mb_solve's 4000.
grep -q "mem_mb=4000" "$work/first-run.log" || fail "the solve jobs lack the schema's default mem_mb"

summary="$work/results/summary.tsv"
[[ -f "$summary" ]] || fail "no results/summary.tsv"
header="$(head -n 1 "$summary")"
expected_header="pair first second first_genes first_copies second_genes second_copies lp_lines lp_bytes"
expected_header+=" lp_gz_bytes status objective best_bound gap matched_pairs families families_fully_matched"
expected_header+=" copies_unmatched program_seconds solve_seconds distance indels_first indels_second"
[[ "$header" == "${expected_header// /$'\t'}" ]] || fail "summary header is '$header'"
rows="$(tail -n +2 "$summary" | wc -l)"
[[ "$rows" -eq 6 ]] || fail "summary has $rows rows instead of 6"

# Copies per genome of the bundled file: strainA 4, the others 3; 3 genes each.
declare -A copies=([strainA]=4 [strainB]=3 [strainC]=3 [strainD]=3)
seen_pairs=""
while IFS=$'\t' read -r pair first second first_genes first_copies second_genes second_copies \
    lp_lines lp_bytes lp_gz_bytes status objective best_bound gap matched families fully_matched \
    unmatched program_seconds solve_seconds distance indels_first indels_second; do
  seen_pairs+="$pair "
  [[ "$pair" == "${first}__${second}" ]] || fail "$pair: label does not name $first and $second"
  [[ "$status" == "optimal" ]] || fail "$pair: status '$status'"
  [[ "$first_genes $second_genes" == "3 3" ]] || fail "$pair: genes $first_genes and $second_genes"
  [[ "$first_copies $second_copies" == "${copies[$first]} ${copies[$second]}" ]] ||
    fail "$pair: copies $first_copies and $second_copies"
  [[ "$program_seconds $solve_seconds" =~ ^[0-9]+\.[0-9]{2}\ [0-9]+\.[0-9]{2}$ ]] ||
    fail "$pair: seconds '$program_seconds' and '$solve_seconds'"

  direct="$("$tool" -i "$genomes" --pair "$first,$second" --solve | sed -n 's/^Objective: //p')"
  [[ -n "$direct" && "$objective" == "$direct" ]] ||
    fail "$pair: summary objective '$objective', direct run '$direct'"
  [[ "$best_bound" != NA && "$matched" =~ ^[0-9]+$ ]] || fail "$pair: bound '$best_bound', matched '$matched'"
  direct_distance="$("$tool" -i "$genomes" --pair "$first,$second" --solve |
    sed -n 's/^DCJ distance of the matched genes: //p; s/^Indels: \([0-9]*\) + \([0-9]*\)$/\1 \2/p' | tr '\n' ' ')"
  [[ "$direct_distance" == "$distance $indels_first $indels_second " ]] ||
    fail "$pair: summary distance and indels '$distance $indels_first $indels_second', direct run '$direct_distance'"

  lp="$work/results/programs/$pair.lp.gz"
  [[ "$(gzip -dc "$lp" | wc -c)" -eq "$lp_bytes" && "$(stat -c %s "$lp")" -eq "$lp_gz_bytes" ]] ||
    fail "$pair: LP sizes $lp_bytes/$lp_gz_bytes do not fit the file"
  "$tool" -i "$genomes" --pair "$first,$second" --portable -o - 2>/dev/null | cmp -s - <(gzip -dc "$lp") ||
    fail "$pair: the LP file differs from the tool's portable output"

  # The report's rows give the same counts as the family table's columns.
  report="$work/results/reports/$pair.tsv"
  [[ "$(head -n 1 "$report")" == "$(printf 'gene\tfirst\tsecond')" ]] || fail "$pair: report header"
  matched_rows="$(awk -F'\t' 'NR > 1 && $2 != "-" && $3 != "-"' "$report" | wc -l)"
  [[ "$matched_rows" -eq "$matched" ]] || fail "$pair: $matched_rows matched report rows, summary says $matched"
  from_report="$(awk -F'\t' 'NR > 1 { genes[$1]; if ($2 == "-" || $3 == "-") { open[$1]; lone++ } }
    END { n = 0; for (g in genes) n++; m = 0; for (g in open) m++; print n, n - m, lone + 0 }' "$report")"
  [[ "$from_report" == "$families $fully_matched $unmatched" ]] ||
    fail "$pair: families '$families $fully_matched $unmatched', report gives '$from_report'"
done < <(tail -n +2 "$summary")
[[ "$seen_pairs" == "strainA__strainB strainA__strainC strainA__strainD strainB__strainC strainB__strainD strainC__strainD " ]] ||
  fail "pairs in the summary: $seen_pairs"
# The matrix holds every pair's distance both ways round, the tree every genome.
for pair in $seen_pairs; do
  first="${pair%__*}"
  second="${pair#*__}"
  distance="$(awk -F'\t' -v p="$pair" '$1 == p { print $21 }' "$summary")"
  both="$(awk -F'\t' -v a="$first" -v b="$second" 'NR == 1 { for (i = 2; i <= NF; i++) column[$i] = i }
    NR > 1 && $1 == a { x = $column[b] } NR > 1 && $1 == b { y = $column[a] } END { print x, y }' \
    "$work/results/distances.tsv")"
  [[ "$both" == "$distance $distance" ]] || fail "$pair: the matrix gives '$both', the summary '$distance'"
done
for genome in strainA strainB strainC strainD; do
  grep -q "$genome:" "$work/results/tree.nwk" || fail "the tree lacks $genome"
done
for rule in genomes summary distances; do
  [[ -s "$work/results/benchmarks/$rule.tsv" && -e "$work/results/logs/$rule.log" ]] || fail "no benchmark or log of $rule"
done

# Snakemake's up-to-date check: a dry run and a real run find nothing to do.
before="$(stat -c %Y.%s "$summary")"
sleep 1
run_workflow --dry-run >"$work/dry-run.log" 2>&1 || { cat "$work/dry-run.log" >&2; fail "the dry run failed"; }
grep -q "Nothing to be done" "$work/dry-run.log" || { cat "$work/dry-run.log" >&2; fail "the dry run would redo work"; }
run_workflow >"$work/second-run.log" 2>&1 || { cat "$work/second-run.log" >&2; fail "the second run failed"; }
grep -q "Nothing to be done" "$work/second-run.log" || { cat "$work/second-run.log" >&2; fail "the second run redid work"; }
[[ "$(stat -c %Y.%s "$summary")" == "$before" ]] || fail "the second run rewrote the summary"

echo "all-pairs workflow: 6 pairs solved, objectives equal direct runs, rerun does nothing"
