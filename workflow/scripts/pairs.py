"""Chooses the genome pairs to compare and gives each a label usable as a file name.

A pair is handed to the tool as `--pair I,J` with the genomes' 1-based
positions, which stay unambiguous whatever the names hold; the label is
made of the genome names when they are safe in file names, else of the
positions.
"""

import itertools
import re
from dataclasses import dataclass
from typing import Dict, Iterable, List, Sequence, Union

from genome_list import Genome

_SAFE_NAME = re.compile(r"^[A-Za-z0-9][A-Za-z0-9._+-]*$")


@dataclass
class Pair:
    """Two different genomes of the file, in the order they are compared."""

    first: Genome
    second: Genome
    label: str

    def tool_argument(self) -> str:
        return f"{self.first.position},{self.second.position}"


def genome_labels(genomes: Sequence[Genome]) -> Dict[int, str]:
    """Maps each position to the genome's name, or to the position where the name is unsafe or shared."""
    names = [genome.name for genome in genomes]
    labels = {}
    for genome in genomes:
        safe = (_SAFE_NAME.match(genome.name) and "__" not in genome.name
                and not genome.name.isdigit() and names.count(genome.name) == 1)
        labels[genome.position] = genome.name if safe else str(genome.position)
    return labels


def _find(genomes: Sequence[Genome], key: str) -> Genome:
    key = key.strip()
    by_name = [genome for genome in genomes if genome.name == key]
    if len(by_name) == 1:
        return by_name[0]
    if len(by_name) > 1:
        raise ValueError(f"pair entry: several genomes are named {key!r}; give its number instead")
    if key.isdigit() and 1 <= int(key) <= len(genomes):
        return genomes[int(key) - 1]
    raise ValueError(f"pair entry: no genome named {key!r} (nor a number from 1 to {len(genomes)})")


def _entry_keys(entry: Union[str, Iterable]) -> List[str]:
    keys = entry.split(",") if isinstance(entry, str) else [str(key) for key in entry]
    if len(keys) != 2:
        raise ValueError(f"pair entry {entry!r}: give two genomes, as \"A,B\" or [A, B]")
    return keys


def choose_pairs(genomes: Sequence[Genome], entries) -> List[Pair]:
    """Returns the pairs of entries (names or numbers), or every pair in file order when entries is empty."""
    labels = genome_labels(genomes)
    if entries:
        chosen = [tuple(_find(genomes, key) for key in _entry_keys(entry)) for entry in entries]
    else:
        chosen = list(itertools.combinations(genomes, 2))
    pairs = []
    for first, second in chosen:
        if first.position == second.position:
            raise ValueError(f"pair entry: genome {first.name!r} is paired with itself")
        pairs.append(Pair(first, second, f"{labels[first.position]}__{labels[second.position]}"))
    seen = set()
    for pair in pairs:
        if pair.label in seen:
            raise ValueError(f"pair {pair.label} is listed twice")
        seen.add(pair.label)
    return pairs
