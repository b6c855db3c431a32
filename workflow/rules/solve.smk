# Solves each pair and keeps the tool's summary lines, its matching report
# and its per-family table. With solver "none" there is nothing to solve.

if SOLVER == "embedded":

    # The tool's embedded CBC solves the pair; the program is rebuilt in
    # memory from the genome file, so the job need not wait for the LP file.
    rule solve:
        input:
            GENOMES,
        output:
            solution="results/solutions/{pair}.txt",
            report="results/reports/{pair}.tsv",
            families="results/families/{pair}.tsv",
        log:
            "results/logs/{pair}.solve.log",
        benchmark:
            "results/benchmarks/{pair}.solve.tsv"
        params:
            command=lambda wildcards: [TOOL] + pair_options(wildcards) + ["--solve"] + solve_limits(),
        threads: THREADS
        resources:
            mem_mb=config["mem_mb_solve"],
            runtime=RUNTIME_SOLVE,
        conda:
            "../envs/paralog-ilp.yaml"
        shell:
            "python3 {STEP:q} solve {output.solution:q} {log:q}"
            " -- {params.command:q} --threads {threads}"
            " --report {output.report:q} --families {output.families:q}"

elif SOLVER == "cbc":

    # The CBC program solves the pair's LP file; the tool then reads the
    # solution back, checks it against the program and reports the matching.
    rule solve:
        input:
            genomes=GENOMES,
            lp="results/programs/{pair}.lp.gz",
        output:
            cbc="results/solutions/{pair}.cbc.sol",
            solution="results/solutions/{pair}.txt",
            report="results/reports/{pair}.tsv",
            families="results/families/{pair}.tsv",
        log:
            "results/logs/{pair}.solve.log",
        benchmark:
            "results/benchmarks/{pair}.solve.tsv"
        params:
            command=lambda wildcards: [TOOL] + pair_options(wildcards),
        threads: THREADS
        resources:
            mem_mb=config["mem_mb_solve"],
            runtime=RUNTIME_SOLVE,
        conda:
            "../envs/paralog-ilp.yaml"
        shell:
            "python3 {STEP:q} solve {output.solution:q} {log:q}"
            " --cbc {CBC:q} {input.lp:q} {output.cbc:q} {threads} {TIME_LIMIT}"
            " -- {params.command:q} --solution {output.cbc:q}"
            " --report {output.report:q} --families {output.families:q}"
