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


if ANNOTATIONS:

    # The annotations and their orthology table, read once by the tool and
    # written as one UniMoG file of every genome (--write-genomes).
    rule annotations:
        input:
            gff=GFF_FILES,
            orthology=ORTHOLOGY,
        output:
            GENOMES,
        log:
            "results/logs/annotations.log",
        benchmark:
            "results/benchmarks/annotations.tsv"
        params:
            command=[TOOL, "-i", GFF_FILES[0]] + ANNOTATION_OPTIONS,
        threads: 1
        resources:
            mem_mb=config["mem_mb_program"],
            runtime=config["runtime_program"],
        conda:
            "../envs/paralog-ilp.yaml"
        shell:
            "{params.command:q} --write-genomes {output:q} > {log:q} 2>&1"
