"""Reads the genomes of a genome file as the tool lists them (paralog-ilp --list-genomes).

The tool is the only reader of the genome formats; this module only splits
its listing, one tab-separated line per genome: position, name, format,
linear chromosomes, circular chromosomes, gene copies, gene families.
"""

import subprocess
from dataclasses import dataclass
from typing import List, Sequence

FIELDS = 7


@dataclass
class Genome:
    """One genome of the file: its 1-based position, name and what it holds."""

    position: int
    name: str
    file_format: str
    linear: int
    circular: int
    copies: int
    families: int


def parse_listing(text: str, source: str) -> List[Genome]:
    """The genomes of a listing; raises ValueError on a line that is not one of the tool's."""
    genomes = []
    for number, line in enumerate(text.splitlines(), start=1):
        fields = line.split("\t")
        if len(fields) != FIELDS or not all(field.isdigit() for field in fields[:1] + fields[3:]):
            raise ValueError(f"{source}:{number}: not a line of the genome listing: {line!r}")
        position, name, file_format, *counts = fields
        if int(position) != number:
            raise ValueError(f"{source}:{number}: the listing gives position {position}")
        genomes.append(Genome(number, name, file_format, *map(int, counts)))
    return genomes


def read_listing(path: str) -> List[Genome]:
    with open(path, encoding="utf-8", errors="replace") as stream:
        return parse_listing(stream.read(), path)


def list_genomes(tool: str, path: str, options: Sequence[str] = ()) -> List[Genome]:
    """Has the tool list the genomes of the file at path; raises ValueError with its error line."""
    run = subprocess.run([tool, "--list-genomes", "-i", path, *options], stdin=subprocess.DEVNULL,
                         capture_output=True, encoding="utf-8", errors="replace")
    if run.returncode != 0:
        errors = [line for line in run.stderr.splitlines() if line.startswith("error: ")]
        raise ValueError(errors[-1] if errors else f"{tool} --list-genomes exited with status {run.returncode}")
    genomes = parse_listing(run.stdout, f"{tool} --list-genomes")
    if len(genomes) < 2:
        raise ValueError(f"{path}: {len(genomes)} genome(s) found, at least two are needed")
    return genomes
