#!/usr/bin/env bash
# Real tools' output: runs proteinortho on the example proteomes that
# Debian's proteinortho package ships with their GFF files, then the tool on
# its table (--format gff, genes are the CDS features), and checks:
# - the genomes as the tool lists them (one linear chromosome each, every
#   CDS a copy);
# - the distance of L and M against the one computed by hand: their 28
#   shared families stand in the same order except the last four, inverted
#   (... 6 7 3 2 12 against ... 6 -12 -2 -3 -7), one DCJ operation; 13
#   genes of L and 11 of M are in no family of the other, and M holds one
#   copy more of a family L has twice: "DCJ distance of the matched genes:
#   1" and "Indels: 13 + 12";
# - with snakemake, the workflow from the folder of annotations to the
#   distance matrix, the PHYLIP file, the tree and the heatmap.
#   proteinortho_test.sh TOOL SOURCE_DIR
# Exits 77 (skipped) when proteinortho or its examples are missing.
set -euo pipefail

tool="$1"
source_dir="$2"
examples=/usr/share/doc/proteinortho/examples

if ! command -v proteinortho6.pl >/dev/null 2>&1 || [[ ! -f "$examples/L.gff" ]]; then
  echo "skipped: proteinortho or its examples are not installed (scripts/install-deps.sh --workflow)"
  exit 77
fi

fail() {
  echo "FAILED: $*" >&2
  exit 1
}

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/proteomes" "$work/annotations"
for genome in C E L M; do
  for kind in faa gff; do
    source="$examples/$genome.$kind"
    [[ -f "$source" ]] || source="$source.gz"
    if [[ "$source" == *.gz ]]; then gzip -dc "$source"; else cat "$source"; fi >"$work/proteomes/$genome.$kind"
  done
done
# The example's C.gff writes ID=C_10,test (two values of ID); its proteome
# names the protein "C_10,test", which proteinortho turns into "C_10;test".
# Name it C_10, as the GFF3 file's first ID value does.
sed -i 's/^>C_10,test$/>C_10/' "$work/proteomes/C.faa"
cp "$work"/proteomes/*.gff "$work/annotations/"

(cd "$work/proteomes" && OMP_NUM_THREADS=1 proteinortho6.pl -force -cpus=1 -project=examples \
  C.faa E.faa L.faa M.faa >"$work/proteinortho.log" 2>&1) || { cat "$work/proteinortho.log" >&2; fail "proteinortho failed"; }
table="$work/proteomes/examples.proteinortho.tsv"
[[ -s "$table" ]] || fail "proteinortho wrote no table"

gff=(--format gff --gff-feature CDS --orthology "$table")
for genome in C E L M; do gff+=(-i "$work/annotations/$genome.gff"); done

listing="$("$tool" "${gff[@]}" --list-genomes)" || fail "the tool cannot list the genomes"
expected_listing="$(printf '1\tC\tgff\t1\t0\t308\n2\tE\tgff\t1\t0\t310\n3\tL\tgff\t1\t0\t41\n4\tM\tgff\t1\t0\t40')"
[[ "$(cut -f1-6 <<<"$listing")" == "$expected_listing" ]] || fail "listing: $listing"

summary="$("$tool" "${gff[@]}" --pair L,M --keep-unshared --match-all --solve 2>"$work/solve.err")" ||
  { cat "$work/solve.err" >&2; fail "the tool cannot solve L and M"; }
grep -qx 'Status: optimal' <<<"$summary" || fail "L and M: $summary"
grep -qx 'DCJ distance of the matched genes: 1' <<<"$summary" || fail "L and M, distance: $summary"
grep -qx 'Indels: 13 + 12' <<<"$summary" || fail "L and M, indels: $summary"

if ! command -v snakemake >/dev/null 2>&1; then
  echo "proteinortho examples: L and M at distance 1 (snakemake missing: workflow not run)"
  exit 0
fi
printf 'tool: %s\nannotations: %s\northology: %s\ngff_feature: CDS\n' "$tool" "$work/annotations" "$table" \
  >"$work/config.yaml"
if ! snakemake --cores 2 --scheduler greedy -s "$source_dir/workflow/Snakefile" --directory "$work" \
    --configfile "$work/config.yaml" >"$work/workflow.log" 2>&1; then
  cat "$work/workflow.log" >&2
  for log in "$work"/results/logs/*.log; do [[ -e "$log" ]] && { echo "== $log" >&2; cat "$log" >&2; }; done
  fail "the workflow failed"
fi
matrix="$work/results/distances.tsv"
[[ "$(head -n 1 "$matrix")" == "$(printf 'genome\tC\tE\tL\tM')" ]] || fail "matrix header: $(head -n 1 "$matrix")"
[[ "$(awk -F'\t' '$1 == "L" { print $5 } $1 == "M" { print $4 }' "$matrix" | tr '\n' ' ')" == "1 1 " ]] ||
  fail "the matrix does not give L and M distance 1"
awk -F'\t' 'NR > 1 { for (i = 2; i <= NF; i++) d[$1, i - 1] = $i; name[NR - 1] = $1 }
  END { for (i = 1; i <= 4; i++) for (j = 1; j <= 4; j++) if (d[name[i], j] != d[name[j], i]) exit 1 }' "$matrix" ||
  fail "the matrix is not symmetric"
[[ "$(head -n 1 "$work/results/distances.phylip" | tr -d ' ')" == 4 ]] || fail "PHYLIP header"
for leaf in C E L M; do grep -q "[(,]$leaf:" "$work/results/tree.nwk" || fail "the tree lacks $leaf"; done
grep -q '<svg' "$work/results/distances.svg" || fail "no heatmap"
echo "proteinortho examples: L and M at distance 1; workflow wrote the matrix, the tree and the heatmap"
