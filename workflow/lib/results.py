"""Reads the per-pair result files of the workflow and joins them into rows of the summary table.

Files per pair (written by the rules of the Snakefile):
- programs/<pair>.size.tsv: one header and one row: lp_lines, lp_bytes, lp_gz_bytes, program_seconds;
- solutions/<pair>.txt: the tool's "Label: value" summary lines plus "Seconds: S" (absent when not solving);
- reports/<pair>.tsv: the tool's matching report, "gene first second" (absent when not solving).
"""

import gzip
import re
from typing import Dict, List, Optional, Tuple

from genome_file import Genome
from pairs import Pair

COLUMNS = [
    "pair", "first", "second", "first_genes", "first_copies", "second_genes", "second_copies",
    "lp_lines", "lp_bytes", "lp_gz_bytes", "status", "objective", "best_bound", "gap",
    "matched_pairs", "program_seconds", "solve_seconds",
]
MISSING = "NA"
_LABEL_LINE = re.compile(r"^([A-Z][A-Za-z0-9 ]*): (.*)$")


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


def _genome_counts(genome: Genome) -> Tuple[str, str]:
    if genome.genes is None:
        return MISSING, MISSING
    return str(len(genome.genes)), str(genome.copies)


def summary_row(pair: Pair, size_path: str, solution_path: Optional[str], report_path: Optional[str]) -> List[str]:
    """One row of the summary table, in the order of COLUMNS; solution_path is None when nothing was solved."""
    size = read_table(size_path)[0]
    first_genes, first_copies = _genome_counts(pair.first)
    second_genes, second_copies = _genome_counts(pair.second)
    labels: Dict[str, str] = {}
    if solution_path:
        labels = read_labels(solution_path)
    if report_path:
        report = read_table(report_path)
        first_genes, first_copies = map(str, report_counts(report, "first"))
        second_genes, second_copies = map(str, report_counts(report, "second"))
    status = labels.get("Status", MISSING) if solution_path else "not solved"
    return [
        pair.label, pair.first.name, pair.second.name,
        first_genes, first_copies, second_genes, second_copies,
        size["lp_lines"], size["lp_bytes"], size["lp_gz_bytes"],
        status, labels.get("Objective", MISSING), labels.get("Best bound", MISSING),
        labels.get("Gap", MISSING), labels.get("Matched copy pairs", MISSING),
        size["program_seconds"], labels.get("Seconds", MISSING),
    ]


def clean_field(value: str) -> str:
    """Keeps a field on its line and in its column (genome names may hold tabs only in theory)."""
    return value.replace("\t", " ").replace("\n", " ")
