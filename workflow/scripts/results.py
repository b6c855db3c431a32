"""Reads the per-pair result files of the workflow and joins them into rows of the summary table.

Files per pair (written by the rules under workflow/rules/):
- programs/<pair>.size.tsv: one header and one row: lp_lines, lp_bytes, lp_gz_bytes
  (only when the LP files are written);
- solutions/<pair>.txt: the tool's "Label: value" summary lines;
- reports/<pair>.tsv: the tool's matching report, "gene first second";
- families/<pair>.tsv: the tool's per-family table (--families);
- benchmarks/<pair>.program.tsv, benchmarks/<pair>.solve.tsv: Snakemake's
  benchmark of each job, whose column "s" is its wall-clock seconds.
The last four exist only when the pairs are solved.
"""

import gzip
import re
from dataclasses import dataclass
from typing import Dict, List, Optional, Tuple

from pairs import Pair

COLUMNS = [
    "pair", "first", "second", "first_genes", "first_copies", "second_genes", "second_copies",
    "lp_lines", "lp_bytes", "lp_gz_bytes", "status", "objective", "best_bound", "gap",
    "matched_pairs", "families", "families_fully_matched", "copies_unmatched",
    "program_seconds", "solve_seconds", "distance", "indels_first", "indels_second",
]
DISTANCE_LABEL = "DCJ distance of the matched genes"
INDELS_LABEL = "Indels"
MISSING = "NA"
_LABEL_LINE = re.compile(r"^([A-Z][A-Za-z0-9 ]*): (.*)$")


@dataclass
class PairFiles:
    """The result files of one pair; the solve's files are None when nothing was solved."""

    size: Optional[str]
    program_time: Optional[str]
    solution: Optional[str] = None
    report: Optional[str] = None
    families: Optional[str] = None
    solve_time: Optional[str] = None

    @staticmethod
    def of(label: str, solved: bool, programs: bool = True) -> "PairFiles":
        def solve_file(pattern: str) -> Optional[str]:
            return pattern.format(label) if solved else None

        def program_file(pattern: str) -> Optional[str]:
            return pattern.format(label) if programs else None
        return PairFiles(program_file("results/programs/{}.size.tsv"),
                         program_file("results/benchmarks/{}.program.tsv"),
                         solve_file("results/solutions/{}.txt"), solve_file("results/reports/{}.tsv"),
                         solve_file("results/families/{}.tsv"), solve_file("results/benchmarks/{}.solve.tsv"))


def lp_size(path: str) -> Tuple[int, int]:
    """Returns the number of lines and bytes of the decompressed LP file at path."""
    lines = size = 0
    with gzip.open(path, "rb") as stream:
        while True:
            block = stream.read(1 << 20)
            if not block:
                break
            lines += block.count(b"\n")
            size += len(block)
    return lines, size


def summary_lines(stdout_text: str) -> List[str]:
    """Keeps the "Label: value" lines of the tool's standard output, dropping the progress lines."""
    return [line for line in stdout_text.splitlines() if _LABEL_LINE.match(line)]


def read_labels(path: str) -> Dict[str, str]:
    with open(path, encoding="utf-8") as stream:
        return {m.group(1): m.group(2).strip() for m in map(_LABEL_LINE.match, stream) if m}


def read_table(path: str) -> List[Dict[str, str]]:
    with open(path, encoding="utf-8") as stream:
        lines = stream.read().splitlines()
    header = lines[0].split("\t")
    return [dict(zip(header, line.split("\t"))) for line in lines[1:] if line]


def report_counts(rows: List[Dict[str, str]], side: str) -> Tuple[int, int]:
    """Genes and copies of one genome ("first" or "second") in a matching report."""
    present = [row["gene"] for row in rows if row.get(side, "-") != "-"]
    return len(set(present)), len(present)


def family_counts(rows: List[Dict[str, str]]) -> Tuple[int, int, int]:
    """Families, families without an unmatched copy, and unmatched copies of both genomes."""
    unmatched = [int(row["unmatched_first"]) + int(row["unmatched_second"]) for row in rows]
    return len(rows), unmatched.count(0), sum(unmatched)


def benchmark_seconds(path: str) -> str:
    return f"{float(read_table(path)[0]['s']):.2f}"


def distance_fields(labels: Dict[str, str]) -> List[str]:
    """D and the unmatched copies of each genome, from the tool's lines
    "DCJ distance of the matched genes: D" and "Indels: A + B"."""
    indels = labels.get(INDELS_LABEL, "").split(" + ")
    if len(indels) != 2 or not all(part.strip().isdigit() for part in indels):
        indels = [MISSING, MISSING]
    return [labels.get(DISTANCE_LABEL, MISSING)] + [part.strip() for part in indels]


def summary_row(pair: Pair, files: PairFiles) -> List[str]:
    """One row of the summary table, in the order of COLUMNS."""
    size = read_table(files.size)[0] if files.size else {}
    genome_counts = [str(pair.first.families), str(pair.first.copies),
                     str(pair.second.families), str(pair.second.copies)]
    labels: Dict[str, str] = read_labels(files.solution) if files.solution else {}
    if files.report:
        report = read_table(files.report)
        genome_counts = [str(count) for side in ("first", "second") for count in report_counts(report, side)]
    families = [MISSING] * 3
    if files.families:
        families = [str(count) for count in family_counts(read_table(files.families))]
    return [
        pair.label, pair.first.name, pair.second.name, *genome_counts,
        size.get("lp_lines", MISSING), size.get("lp_bytes", MISSING), size.get("lp_gz_bytes", MISSING),
        labels.get("Status", MISSING) if files.solution else "not solved",
        labels.get("Objective", MISSING), labels.get("Best bound", MISSING),
        labels.get("Gap", MISSING), labels.get("Matched copy pairs", MISSING), *families,
        benchmark_seconds(files.program_time) if files.program_time else MISSING,
        benchmark_seconds(files.solve_time) if files.solve_time else MISSING,
        *distance_fields(labels),
    ]


def clean_field(value: str) -> str:
    """Keeps a field on its line and in its column (genome names may hold tabs only in theory)."""
    return value.replace("\t", " ").replace("\n", " ")
