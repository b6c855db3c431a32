#!/usr/bin/env python3
"""Joins the distances of every pair into a matrix, a tree and a heatmap (called by rule distances).

  distances.py GENOMES_TSV MATRIX_TSV PHYLIP TREE_NWK HEATMAP_SVG LABEL=I,J...

D of a pair is the tool's line "DCJ distance of the matched genes: D" in
results/solutions/LABEL.txt; I and J are genome positions in the tool's
listing GENOMES_TSV. Writes the square matrix (genome names as row and
column heads), the same as a PHYLIP distance file, the neighbour-joining
tree of Biopython (Bio.Phylo.TreeConstruction) in Newick, and a heatmap
(matplotlib) with rows and columns in the order of the tree's leaves.
Every output is written whole or not at all.
"""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from genome_list import read_listing  # noqa: E402
from pair_step import _write_replacing  # noqa: E402
from results import DISTANCE_LABEL, read_labels  # noqa: E402


def distance_matrix(genome_count, entries):
    """The symmetric matrix of D (floats; 0 on the diagonal); raises ValueError where a pair lacks D."""
    matrix = [[0.0] * genome_count for _ in range(genome_count)]
    for entry in entries:
        label, positions = entry.split("=", 1)
        first, second = (int(position) - 1 for position in positions.split(","))
        path = f"results/solutions/{label}.txt"
        value = read_labels(path).get(DISTANCE_LABEL)
        if value is None:
            raise ValueError(f"{path}: no line '{DISTANCE_LABEL}: D' (does the tool print distances?)")
        matrix[first][second] = matrix[second][first] = float(value)
    return matrix


def number(value):
    return f"{value:g}"


def matrix_text(names, matrix):
    lines = ["\t".join(["genome"] + names)]
    lines += ["\t".join([name] + [number(value) for value in row]) for name, row in zip(names, matrix)]
    return "".join(line + "\n" for line in lines)


def phylip_text(names, matrix):
    """Square PHYLIP distances; a name is padded to ten characters and followed by a space (relaxed PHYLIP)."""
    lines = [f"{len(names):5d}"]
    lines += [f"{name:<10} " + " ".join(f"{value:.6f}" for value in row) for name, row in zip(names, matrix)]
    return "".join(line + "\n" for line in lines)


def neighbour_joining(names, matrix):
    from Bio.Phylo.TreeConstruction import DistanceMatrix, DistanceTreeConstructor

    lower = [matrix[i][:i + 1] for i in range(len(names))]
    return DistanceTreeConstructor().nj(DistanceMatrix(list(names), lower))


def newick_text(tree):
    import io

    from Bio import Phylo

    stream = io.StringIO()
    Phylo.write(tree, stream, "newick")
    return stream.getvalue()


def heatmap_svg(names, matrix, order):
    import io

    import matplotlib
    matplotlib.use("Agg")
    import matplotlib.pyplot as plt

    index = {name: position for position, name in enumerate(names)}
    ordered = [index[name] for name in order]
    values = [[matrix[i][j] for j in ordered] for i in ordered]
    size = max(4.0, 0.3 * len(order) + 2)
    figure, axes = plt.subplots(figsize=(size + 1, size))
    image = axes.imshow(values, cmap="viridis")
    axes.set_xticks(range(len(order)))
    axes.set_yticks(range(len(order)))
    axes.set_xticklabels(order, rotation=90, fontsize=8)
    axes.set_yticklabels(order, fontsize=8)
    figure.colorbar(image, ax=axes, label="DCJ distance of the matched genes")
    figure.tight_layout()
    stream = io.StringIO()
    figure.savefig(stream, format="svg", metadata={"Date": None})
    plt.close(figure)
    return stream.getvalue()


def main():
    if len(sys.argv) < 6:
        raise SystemExit(__doc__)
    genomes_path, matrix_path, phylip_path, tree_path, heatmap_path = sys.argv[1:6]
    try:
        names = [genome.name for genome in read_listing(genomes_path)]
        matrix = distance_matrix(len(names), sys.argv[6:])
        tree = neighbour_joining(names, matrix)
        order = [leaf.name for leaf in tree.get_terminals()]
        outputs = [(matrix_path, matrix_text(names, matrix)), (phylip_path, phylip_text(names, matrix)),
                   (tree_path, newick_text(tree)), (heatmap_path, heatmap_svg(names, matrix, order))]
    except (OSError, ValueError) as fault:
        print(f"error: {fault}", file=sys.stderr)
        sys.exit(1)
    for path, text in outputs:
        _write_replacing(path, text)


if __name__ == "__main__":
    main()
