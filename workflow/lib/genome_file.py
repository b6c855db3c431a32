"""Lists the genomes of a genome file, in file order, the way paralog-ilp counts them.

Only what the workflow needs is read: each genome's name and, for the tool's
own (native) format, its gene names and number of gene copies. The tool
itself checks the file; this module trusts it and raises ValueError only
where it cannot find the genomes at all.
"""

import re
from dataclasses import dataclass
from typing import List, Optional, Set

# Gene copies of a native gene list: sign, name, ".", copy index.
_NATIVE_COPY = re.compile(rb"[+-]([^+\-.;]+)\.")


@dataclass
class Genome:
    """One genome of the file: its 1-based position, name and, when known, genes."""

    position: int
    name: str
    genes: Optional[Set[str]] = None  # None when the format's genes are not read here
    copies: Optional[int] = None


def _text(raw: bytes) -> str:
    return raw.decode("utf-8", errors="replace")


def detect_format(data: bytes) -> str:
    """Returns "native" or "headers" (UniMoG or GRIMM: genomes start with ">" lines)."""
    for line in data.splitlines():
        stripped = line.strip()
        if not stripped or stripped.startswith(b"#"):
            continue
        return "headers" if stripped.startswith(b">") else "native"
    return "native"


def _native_genomes(data: bytes, path: str) -> List[Genome]:
    tokens = data.split()
    at = 0

    def take(what: str) -> bytes:
        nonlocal at
        if at >= len(tokens):
            raise ValueError(f"{path}: the file ends before {what}")
        at += 1
        return tokens[at - 1]

    def count(what: str) -> int:
        token = take(what)
        if not token.isdigit():
            raise ValueError(f"{path}: expected {what}, found {_text(token)!r}")
        return int(token)

    rows = count("the paralog table's row count")
    for _ in range(rows):
        take("a paralog table row")
        take("a paralog table row")
    genomes = []
    for position in range(1, count("the structure count") + 1):
        name = _text(take("a structure name"))
        take("a structure id")
        take("a separator")
        chromosomes = count("a chromosome count")
        take("a separator")
        genes: Set[str] = set()
        copies = 0
        for _ in range(chromosomes):
            take("a chromosome type")
            take("a gene count")
            take("a separator")
            names = _NATIVE_COPY.findall(take("a gene list"))
            genes.update(_text(gene) for gene in names)
            copies += len(names)
        genomes.append(Genome(position, name, genes, copies))
    return genomes


def _header_genomes(data: bytes) -> List[Genome]:
    names = [line.strip()[1:].strip() for line in data.splitlines() if line.strip().startswith(b">")]
    return [Genome(position, _text(name)) for position, name in enumerate(names, start=1)]


def read_genomes(path: str, file_format: str = "") -> List[Genome]:
    """Reads the genomes of the file at path; file_format is native, unimog, grimm or empty (detect)."""
    with open(path, "rb") as stream:
        data = stream.read()
    if file_format not in ("", "native", "unimog", "grimm"):
        raise ValueError(f"unknown format {file_format!r}: use native, unimog, grimm or leave it empty")
    kind = detect_format(data) if not file_format else ("native" if file_format == "native" else "headers")
    genomes = _native_genomes(data, path) if kind == "native" else _header_genomes(data)
    if len(genomes) < 2:
        raise ValueError(f"{path}: {len(genomes)} genome(s) found, at least two are needed")
    return genomes
