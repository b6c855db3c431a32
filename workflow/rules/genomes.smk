# The tool's listing of the genome file: positions, names, chromosomes,
# copies and families, which the summary reports for every genome.

# The summary steps are quick; on a cluster they run on the submitting machine.
localrules:
    genomes,


rule genomes:
    input:
        GENOMES,
    output:
        "results/genomes.tsv",
    log:
        "results/logs/genomes.log",
    benchmark:
        "results/benchmarks/genomes.tsv"
    params:
        command=[TOOL, "--list-genomes", "-i", GENOMES] + FORMAT_OPTIONS,
    threads: 1
    resources:
        mem_mb=200,
        runtime=10,
    conda:
        "../envs/paralog-ilp.yaml"
    shell:
        "{params.command:q} > {output:q} 2> {log:q}"
