# Joins the per-pair files into one table, one row per pair in the order of
# the pair list.

localrules:
    all,
    summary,


rule summary:
    input:
        genomes="results/genomes.tsv",
        sizes=programs("results/programs/{pair}.size.tsv"),
        program_times=programs("results/benchmarks/{pair}.program.tsv"),
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
        programs="programs" if WRITE_PROGRAMS else "no-programs",
    threads: 1
    resources:
        mem_mb=200,
        runtime=10,
    conda:
        "../envs/paralog-ilp.yaml"
    shell:
        "python3 {STEP:q} summary {output:q} {SOLVER:q} {params.programs:q} {input.genomes:q} {params.pairs:q} 2> {log:q}"
