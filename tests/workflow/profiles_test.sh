#!/usr/bin/env bash
# Dry-runs the all-pairs workflow with each SLURM profile of workflow/profiles
# on the four bundled genomes and checks that every job sent to the cluster
# shows the threads, memory, run time, account and partition it asks for
# (a dry run caps threads at --cores, so it is given a large one).
#   profiles_test.sh TOOL SOURCE_DIR
# The Snakemake 8 profile needs Snakemake 8 with the SLURM executor plugin;
# without them its dry run is skipped. Exits 77 when no dry run could run.
set -euo pipefail

tool="$1"
source_dir="$2"

if ! command -v snakemake >/dev/null 2>&1; then
  echo "skipped: snakemake is not installed (scripts/install-deps.sh --workflow installs it)"
  exit 77
fi
major="$(snakemake --version | cut -d. -f1)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

fail() {
  echo "FAILED: $*" >&2
  exit 1
}

# Prints "rule threads resources" for every job of a dry run's output.
jobs_of() {
  awk '/^(local)?rule [a-z_]+:$/ { if (rule != "") print rule, threads, resources
                                   rule = $2; sub(":", "", rule); threads = 1; resources = "-" }
       rule != "" && $1 == "threads:" { threads = $2 }
       rule != "" && $1 == "resources:" { resources = $2; for (i = 3; i <= NF; i++) resources = resources $i }
       /^Job stats:$/ && rule != "" { print rule, threads, resources; rule = "" }' "$1"
}

dry_run() {
  local profile="$1" log="$work/$1.log"
  snakemake --profile "$source_dir/workflow/profiles/$profile" -s "$source_dir/workflow/Snakefile" \
    --directory "$work" -n --cores 64 --config tool="$tool" genomes="$source_dir/examples/four-genomes.txt" \
    threads=4 mem_mb_solve=16000 time_limit=3000 write_programs=true >"$log" 2>&1 || { cat "$log" >&2; fail "$profile: the dry run failed"; }
  jobs_of "$log" >"$work/$profile.jobs"
  local expected program solve
  program="$(grep -c '^program 2 .*mem_mb=1000,.*runtime=60' "$work/$profile.jobs" || true)"
  solve="$(grep -c '^solve 4 .*mem_mb=16000,.*runtime=60' "$work/$profile.jobs" || true)"
  [[ "$program $solve" == "6 6" ]] || { cat "$log" >&2; fail "$profile: $program program and $solve solve jobs with their resources"; }
  expected="$(grep -Ec '^(program|solve) .*slurm_account=YOUR_ACCOUNT,slurm_partition=YOUR_PARTITION' "$work/$profile.jobs")"
  [[ "$expected" -eq 12 ]] || { cat "$log" >&2; fail "$profile: $expected jobs name the account and partition"; }
  echo "$profile: 12 cluster jobs show their threads, mem_mb, runtime, account and partition"
}

ran=0
if (( major < 8 )); then
  dry_run slurm-snakemake7
  ran=1
fi
if (( major >= 8 )) && snakemake --help 2>/dev/null | grep -q -- "--slurm-"; then
  dry_run slurm-snakemake8
  ran=1
else
  echo "slurm-snakemake8: not tried (needs Snakemake 8 or newer with snakemake-executor-plugin-slurm; found $(snakemake --version))"
fi
(( ran )) || exit 77
