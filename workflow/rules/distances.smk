# The distance of every pair (the tool's "DCJ distance of the matched genes")
# as a square matrix and a PHYLIP file, a neighbour-joining tree (Biopython)
# and a heatmap ordered by the tree (matplotlib). Only when every pair is solved.

localrules:
    distances,


rule distances:
    input:
        genomes="results/genomes.tsv",
        solutions=solved("results/solutions/{pair}.txt"),
    output:
        matrix="results/distances.tsv",
        phylip="results/distances.phylip",
        tree="results/tree.nwk",
        heatmap="results/distances.svg",
    log:
        "results/logs/distances.log",
    benchmark:
        "results/benchmarks/distances.tsv"
    params:
        pairs=[f"{label}={pair.tool_argument()}" for label, pair in PAIRS.items()],
        script=os.path.join(workflow.basedir, "scripts", "distances.py"),
    threads: 1
    resources:
        mem_mb=1000,
        runtime=30,
    conda:
        "../envs/paralog-ilp.yaml"
    shell:
        "{PYTHON:q} {params.script:q} {input.genomes:q} {output.matrix:q} {output.phylip:q}"
        " {output.tree:q} {output.heatmap:q} {params.pairs:q} 2> {log:q}"
