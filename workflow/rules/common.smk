# Settings turned into values, the genomes of the file (as the tool lists
# them) and the pairs to compare; shared by every rule file.

import re
import shutil
import sys

from snakemake.exceptions import WorkflowError

sys.path.insert(0, os.path.join(workflow.basedir, "scripts"))

from genome_list import list_genomes
from pairs import choose_pairs

# Every step runs as a small script under the Python that runs Snakemake
# (or the conda environment's, with --use-conda).
STEP = os.path.join(workflow.basedir, "scripts", "pair_step.py")


def resolve_command(value, what):
    """An executable given as a path (with a "/") or as a command name on PATH."""
    value = str(value)
    found = value if "/" in value else shutil.which(value)
    if not found or not os.access(found, os.X_OK) or os.path.isdir(found):
        raise WorkflowError(f"the {what} {value!r} is not an executable file (set it in config/config.yaml or with --config)")
    return os.path.abspath(found)


SOLVER = config["solver"]
TOOL = resolve_command(config["tool"], "tool")
CBC = resolve_command(config["cbc"], "CBC program") if SOLVER == "cbc" else ""
GENOMES = config["genomes"]
FORMAT = config["format"] or ""
TIME_LIMIT = config["time_limit"]
THREADS = config["threads"]
RUNTIME_SOLVE = config["runtime_solve"] or (TIME_LIMIT // 60 + 10 if TIME_LIMIT else 24 * 60)

# Options that pick the file's format, shared by every run of the tool.
FORMAT_OPTIONS = ["--format", FORMAT] if FORMAT else []

# A list of "A,B" entries, or one text of entries separated by ";" (--config pairs="A,B;C,D").
PAIR_ENTRIES = config["pairs"] or []
if isinstance(PAIR_ENTRIES, str):
    PAIR_ENTRIES = [entry for entry in PAIR_ENTRIES.split(";") if entry.strip()]

try:
    PAIRS = {pair.label: pair for pair in choose_pairs(list_genomes(TOOL, GENOMES, FORMAT_OPTIONS), PAIR_ENTRIES)}
except (OSError, ValueError) as fault:
    raise WorkflowError(f"cannot choose the genome pairs: {fault}")

# Options that read and pick the pair.
DROP_UNSHARED = str(config["drop_unshared"]).lower() in ("true", "yes")
READ_OPTIONS = FORMAT_OPTIONS + (["--drop-unshared"] if DROP_UNSHARED else [])


wildcard_constraints:
    pair="|".join(re.escape(label) for label in PAIRS),


def pair_options(wildcards):
    return ["-i", GENOMES, "--pair", PAIRS[wildcards.pair].tool_argument()] + READ_OPTIONS


def solve_limits():
    return ["--time-limit", str(TIME_LIMIT)] if TIME_LIMIT else []


def solved(pattern):
    """Files of every pair that exist only when the pairs are solved."""
    return expand(pattern, pair=PAIRS) if SOLVER != "none" else []
