#!/usr/bin/env bash
# Runs the all-pairs workflow end to end on the four bundled genomes with the
# embedded solver, in a temporary directory, and checks that:
# - results/summary.tsv holds one row per pair (six), each optimal, with the
#   objective of a direct run of the tool on that pair;
# - every pair has a gzip LP file that ends with "End" and a matching report;
# - a second run finds nothing to do and leaves the summary untouched.
#   all_pairs_test.sh TOOL SOURCE_DIR
# Exits 77 (skipped) when snakemake is not installed, or when the tool does
# not know the options the workflow uses.
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

# The workflow calls the tool with options that may be missing from a build
# of an older source tree; such a tool cannot run the workflow at all.
probe="$("$tool" -i "$genomes" --pair 1,2 --solve 2>&1 >/dev/null || true)"
if [[ "$probe" == *"unrecognised option"* || "$probe" == *"unrecognized option"* ]]; then
  echo "skipped: $tool lacks the options the workflow uses (--pair, --solve, --portable, --report)"
  exit 77
fi

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

run_workflow() {
  snakemake --cores 2 --scheduler greedy -s "$source_dir/workflow/Snakefile" --directory "$work" \
    --config tool="$tool" genomes="$genomes" solver=embedded time_limit=120 "$@"
}

if ! run_workflow >"$work/first-run.log" 2>&1; then
  cat "$work/first-run.log" >&2
  for log in "$work"/results/logs/*.log; do
    [[ -e "$log" ]] && { echo "== $log" >&2; cat "$log" >&2; }
  done
  fail "the workflow failed"
fi

summary="$work/results/summary.tsv"
[[ -f "$summary" ]] || fail "no results/summary.tsv"
header="$(head -n 1 "$summary")"
expected_header="$(printf 'pair\tfirst\tsecond\tfirst_genes\tfirst_copies\tsecond_genes\tsecond_copies\tlp_lines\tlp_bytes\tlp_gz_bytes\tstatus\tobjective\tbest_bound\tgap\tmatched_pairs\tprogram_seconds\tsolve_seconds')"
[[ "$header" == "$expected_header" ]] || fail "summary header is '$header'"
rows="$(tail -n +2 "$summary" | wc -l)"
[[ "$rows" -eq 6 ]] || fail "summary has $rows rows instead of 6"

# Copies per genome of the bundled file: strainA 4, the others 3; 3 genes each.
declare -A copies=([strainA]=4 [strainB]=3 [strainC]=3 [strainD]=3)
seen_pairs=""
while IFS=$'\t' read -r pair first second first_genes first_copies second_genes second_copies \
    lp_lines lp_bytes lp_gz_bytes status objective best_bound gap matched rest; do
  seen_pairs+="$pair "
  [[ "$pair" == "${first}__${second}" ]] || fail "$pair: label does not name $first and $second"
  [[ "$status" == "optimal" ]] || fail "$pair: status '$status'"
  [[ "$first_genes $second_genes" == "3 3" ]] || fail "$pair: genes $first_genes and $second_genes"
  [[ "$first_copies $second_copies" == "${copies[$first]} ${copies[$second]}" ]] ||
    fail "$pair: copies $first_copies and $second_copies"

  direct="$("$tool" -i "$genomes" --pair "$first,$second" --solve | sed -n 's/^Objective: //p')"
  [[ -n "$direct" && "$objective" == "$direct" ]] ||
    fail "$pair: summary objective '$objective', direct run '$direct'"
  [[ "$best_bound" != NA && "$matched" =~ ^[0-9]+$ ]] || fail "$pair: bound '$best_bound', matched '$matched'"

  lp="$work/results/programs/$pair.lp.gz"
  [[ "$(gzip -dc "$lp" | tail -n 1)" == "End" ]] || fail "$pair: the LP file does not end with End"
  [[ "$(gzip -dc "$lp" | wc -c)" -eq "$lp_bytes" && "$(stat -c %s "$lp")" -eq "$lp_gz_bytes" ]] ||
    fail "$pair: LP sizes $lp_bytes/$lp_gz_bytes do not fit the file"
  [[ "$("$tool" -i "$genomes" --pair "$first,$second" --portable -o - 2>/dev/null | cmp - <(gzip -dc "$lp") && echo same)" == same ]] ||
    fail "$pair: the LP file differs from the tool's portable output"

  report="$work/results/reports/$pair.tsv"
  [[ "$(head -n 1 "$report")" == "$(printf 'gene\tfirst\tsecond')" ]] || fail "$pair: report header"
  report_rows="$(tail -n +2 "$report" | wc -l)"
  matched_rows="$(awk -F'\t' 'NR > 1 && $2 != "-" && $3 != "-"' "$report" | wc -l)"
  [[ "$matched_rows" -eq "$matched" ]] || fail "$pair: $matched_rows matched report rows, summary says $matched"
  (( report_rows >= copies[$first] && report_rows >= copies[$second] )) || fail "$pair: $report_rows report rows"
done < <(tail -n +2 "$summary")
[[ "$seen_pairs" == "strainA__strainB strainA__strainC strainA__strainD strainB__strainC strainB__strainD strainC__strainD " ]] ||
  fail "pairs in the summary: $seen_pairs"

# Snakemake's up-to-date check: a dry run and a real run find nothing to do.
before="$(stat -c %Y.%s "$summary")"
sleep 1
run_workflow --dry-run >"$work/dry-run.log" 2>&1 || { cat "$work/dry-run.log" >&2; fail "the dry run failed"; }
grep -q "Nothing to be done" "$work/dry-run.log" || { cat "$work/dry-run.log" >&2; fail "the dry run would redo work"; }
run_workflow >"$work/second-run.log" 2>&1 || { cat "$work/second-run.log" >&2; fail "the second run failed"; }
grep -q "Nothing to be done" "$work/second-run.log" || { cat "$work/second-run.log" >&2; fail "the second run redid work"; }
[[ "$(stat -c %Y.%s "$summary")" == "$before" ]] || fail "the second run rewrote the summary"

echo "all-pairs workflow: 6 pairs solved, objectives equal direct runs, rerun does nothing"
