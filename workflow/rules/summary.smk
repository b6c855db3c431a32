# Joins the per-pair files into one table, one row per pair in the order of
# the pair list.

localrules:
    all,
    summary,


rule summary:
    input:
        genomes="results/genomes.tsv",
        sizes=expand("results/programs/{pair}.size.tsv", pair=PAIRS),
        program_times=expand("results/benchmarks/{pair}.program.tsv", pair=PAIRS),
        solutions=solved("results/solutions/{pair}.txt"),
        reports=solved("results/reports/{pair}.tsv"),
        families=solved("results/families/{pair}.tsv"),
        solve_times=solved("results/benchmarks/{pair}.solve.tsv"),
    output:
        "results/summary.tsv",
    log:
        "results/logs/summary.log",
    benchmark:
        "results/benchmarks/summary.tsv"
    params:
        pairs=[f"{label}={pair.tool_argument()}" for label, pair in PAIRS.items()],
    threads: 1
    resources:
        mem_mb=200,
        runtime=10,
    conda:
        "../envs/paralog-ilp.yaml"
    shell:
        "python3 {STEP:q} summary {output:q} {SOLVER:q} {input.genomes:q} {params.pairs:q} 2> {log:q}"
