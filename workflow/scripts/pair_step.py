#!/usr/bin/env python3
"""Runs one step of the all-pairs workflow and writes its result file (called by the rules).

  pair_step.py program SIZE_TSV LOG -- TOOL ARGS...
      runs the tool that writes an LP file (its -o path is the last
      argument), then writes the file's lines, bytes and gzip bytes to SIZE_TSV;
  pair_step.py solve SOLUTION LOG [--cbc CBC LP CBC_SOLUTION THREADS SECONDS] -- TOOL ARGS...
      with --cbc, first solves LP with the CBC program (SECONDS 0: no time
      limit); then runs the tool (which solves or reads the solution) and
      writes its "Label: value" summary lines to SOLUTION;
  pair_step.py summary TABLE SOLVER programs|no-programs GENOMES_TSV LABEL=I,J...
      writes the summary table of the pairs (I and J are genome positions in
      the tool's listing GENOMES_TSV); with no-programs no LP file was written.

Standard error and the tools' progress go to LOG. A failing tool makes the
step fail with the tool's error line, and its result file is not written.
"""

import os
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from genome_list import read_listing  # noqa: E402
from pairs import Pair  # noqa: E402
from results import COLUMNS, PairFiles, clean_field, lp_size, summary_lines, summary_row  # noqa: E402
from tool_run import run_logged  # noqa: E402


def _split_command(arguments):
    if "--" not in arguments:
        raise SystemExit("pair_step.py: the tool's command follows --")
    at = arguments.index("--")
    return arguments[:at], arguments[at + 1:]


def _write_replacing(path, text):
    """Writes text to path through a temporary file, so that path is never left half-written."""
    directory = os.path.dirname(path) or "."
    handle, temporary = tempfile.mkstemp(dir=directory, prefix=".tmp-")
    try:
        with os.fdopen(handle, "w", encoding="utf-8") as stream:
            stream.write(text)
        umask = os.umask(0)
        os.umask(umask)
        os.chmod(temporary, 0o666 & ~umask)
        os.replace(temporary, path)
    except BaseException:
        if os.path.exists(temporary):
            os.remove(temporary)
        raise


def program(arguments):
    (size_path, log_path), command = _split_command(arguments)
    run_logged(command, log_path)
    lp_path = command[-1]
    lines, size = lp_size(lp_path)
    _write_replacing(size_path, f"lp_lines\tlp_bytes\tlp_gz_bytes\n{lines}\t{size}\t{os.path.getsize(lp_path)}\n")


def solve(arguments):
    options, command = _split_command(arguments)
    solution_path, log_path = options[:2]
    if options[2:]:
        if options[2] != "--cbc" or len(options) != 8:
            raise SystemExit("pair_step.py solve: --cbc takes CBC LP CBC_SOLUTION THREADS SECONDS")
        cbc, lp, cbc_solution, threads, limit = options[3:]
        limits = ["sec", limit] if int(limit) > 0 else []
        run_logged([cbc, lp] + limits + ["threads", threads, "solve", "solution", cbc_solution], log_path)
    stdout_path = solution_path + ".stdout"
    try:
        run_logged(command, log_path, stdout_path)
        with open(stdout_path, encoding="utf-8", errors="replace") as stdout:
            lines = summary_lines(stdout.read())
    finally:
        if os.path.exists(stdout_path):
            os.remove(stdout_path)
    _write_replacing(solution_path, "".join(line + "\n" for line in lines))


def summary(arguments):
    table_path, solver, programs, genomes_path = arguments[:4]
    genomes = read_listing(genomes_path)
    rows = ["\t".join(COLUMNS)]
    for entry in arguments[4:]:
        label, positions = entry.split("=", 1)
        first, second = (genomes[int(position) - 1] for position in positions.split(","))
        row = summary_row(Pair(first, second, label), PairFiles.of(label, solver != "none", programs == "programs"))
        rows.append("\t".join(clean_field(field) for field in row))
    _write_replacing(table_path, "".join(row + "\n" for row in rows))


def main():
    steps = {"program": program, "solve": solve, "summary": summary}
    if len(sys.argv) < 2 or sys.argv[1] not in steps:
        raise SystemExit(__doc__)
    try:
        steps[sys.argv[1]](sys.argv[2:])
    except (OSError, ValueError, RuntimeError) as fault:
        print(f"error: {fault}", file=sys.stderr)
        sys.exit(1)


if __name__ == "__main__":
    main()
