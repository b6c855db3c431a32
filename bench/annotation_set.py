#!/usr/bin/env python3
"""Writes a set of related bacterial-like genomes as GFF3 files plus an OrthoFinder table, for measuring
the annotation reader and the workflow at scale (not used by the tests).

  annotation_set.py FOLDER GENOMES GENES [SEED]

Each genome descends from one ancestor of GENES genes on one circular chromosome by a few random
inversions, duplications (paralogs), losses and gains, so that the families, their copies and
the genes of one genome only look like those of related strains. FOLDER gets <name>.gff3 per
genome and Orthogroups.tsv (families of two or more genes; a gene alone is left out, as
OrthoFinder leaves it to Orthogroups_UnassignedGenes.tsv).
"""

import os
import random
import sys


def evolve(ancestor, rng, next_family):
    genome = list(ancestor)
    for _ in range(rng.randint(5, 30)):
        kind = rng.random()
        i, j = sorted(rng.sample(range(len(genome)), 2))
        if kind < 0.6:
            genome[i:j] = [(family, -sign) for family, sign in reversed(genome[i:j])]
        elif kind < 0.75:
            genome.insert(j, genome[i])
        elif kind < 0.9:
            del genome[i:min(j, i + 5)]
        else:
            genome.insert(i, (next_family(), 1))
    return genome


def main():
    if len(sys.argv) < 4:
        raise SystemExit(__doc__)
    folder, count, genes = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
    rng = random.Random(int(sys.argv[4]) if len(sys.argv) > 4 else 1)
    families = [genes]

    def next_family():
        families[0] += 1
        return families[0]
    ancestor = [(family, rng.choice((1, -1))) for family in range(genes)]
    os.makedirs(folder, exist_ok=True)
    members = {}
    for number in range(count):
        name = f"strain{number + 1:03d}"
        genome = evolve(ancestor, rng, next_family)
        with open(os.path.join(folder, name + ".gff3"), "w") as gff:
            gff.write(f"##gff-version 3\n##sequence-region chr 1 {1000 * len(genome) + 1000}\n")
            gff.write(f"chr\tsim\tregion\t1\t{1000 * len(genome) + 1000}\t.\t+\t.\tID=chr;Is_circular=true\n")
            for position, (family, sign) in enumerate(genome):
                tag = f"{name}_{position + 1:05d}"
                strand = "+" if sign > 0 else "-"
                start = 1000 * position + 1
                gff.write(f"chr\tsim\tgene\t{start}\t{start + 800}\t.\t{strand}\t.\tID=gene-{tag};locus_tag={tag}\n")
                members.setdefault(family, {}).setdefault(name, []).append(tag)
    names = [f"strain{number + 1:03d}" for number in range(count)]
    with open(os.path.join(folder, "Orthogroups.tsv"), "w") as table:
        table.write("\t".join(["Orthogroup"] + names) + "\n")
        groups = [family for family in sorted(members) if sum(map(len, members[family].values())) > 1]
        for number, family in enumerate(groups):
            cells = [", ".join(members[family].get(name, [])) for name in names]
            table.write("\t".join([f"OG{number:07d}"] + cells) + "\n")


if __name__ == "__main__":
    main()
