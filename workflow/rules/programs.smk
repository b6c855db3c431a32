# Writes each pair's program in the portable layout, gzip-compressed, and
# records its lines, bytes and compressed bytes.


rule program:
    input:
        GENOMES,
    output:
        lp="results/programs/{pair}.lp.gz",
        size="results/programs/{pair}.size.tsv",
    log:
        "results/logs/{pair}.program.log",
    benchmark:
        "results/benchmarks/{pair}.program.tsv"
    params:
        command=lambda wildcards: [TOOL] + pair_options(wildcards) + ["--portable"],
    threads: 2
    resources:
        mem_mb=config["mem_mb_program"],
        runtime=config["runtime_program"],
    conda:
        "../envs/paralog-ilp.yaml"
    shell:
        "python3 {STEP:q} program {output.size:q} {log:q} -- {params.command:q} -o {output.lp:q}"
