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
# The Python that runs Snakemake, whose packages (Biopython and matplotlib
# from Debian) the distances step imports; "python3" on PATH may be another.
PYTHON = sys.executable


def resolve_command(value, what):
    """An executable given as a path (with a "/") or as a command name on PATH."""
    value = str(value)
    found = value if "/" in value else shutil.which(value)
    if not found or not os.access(found, os.X_OK) or os.path.isdir(found):
        raise WorkflowError(f"the {what} {value!r} is not an executable file (set it in config/config.yaml or with --config)")
    return os.path.abspath(found)


def setting_on(key):
    """A yes/no setting, given as a boolean or (on the command line) as a word."""
    return str(config[key]).lower() in ("true", "yes")


SOLVER = config["solver"]
TOOL = resolve_command(config["tool"], "tool")
CBC = resolve_command(config["cbc"], "CBC program") if SOLVER == "cbc" else ""
TIME_LIMIT = config["time_limit"]
THREADS = config["threads"]
RUNTIME_SOLVE = config["runtime_solve"] or (TIME_LIMIT // 60 + 10 if TIME_LIMIT else 24 * 60)
# The LP files are quadratic in the genomes (gigabytes per pair at bacterial
# size): written only when asked for or when a solver outside the tool needs them.
WRITE_PROGRAMS = setting_on("write_programs") or SOLVER != "embedded"
DROP_UNSHARED = setting_on("drop_unshared")

# GFF3 annotations are read once with their orthology table and written as
# one UniMoG file (rule annotations), which every pair then reads.
ANNOTATIONS = config["annotations"] or ""
if ANNOTATIONS:
    if not os.path.isdir(ANNOTATIONS):
        raise WorkflowError(f"annotations: {ANNOTATIONS!r} is not a folder")
    GFF_FILES = sorted(os.path.join(ANNOTATIONS, name) for name in os.listdir(ANNOTATIONS)
                       if name.endswith((".gff", ".gff3")))
    if len(GFF_FILES) < 2:
        raise WorkflowError(f"annotations: the folder {ANNOTATIONS!r} holds {len(GFF_FILES)} GFF3 file(s); two are needed")
    if not config["orthology"]:
        raise WorkflowError("annotations: set orthology to the gene families' table")
    ORTHOLOGY = config["orthology"]
    ANNOTATION_OPTIONS = ["--format", "gff", "--orthology", ORTHOLOGY, "--gff-feature", config["gff_feature"]]
    ANNOTATION_OPTIONS += ["--circular"] if setting_on("circular") else []
    for path in GFF_FILES[1:]:
        ANNOTATION_OPTIONS += ["-i", path]
    GENOMES = "results/genomes.unimog"
    FORMAT_OPTIONS = ["--format", "unimog"]
    LISTED = (GFF_FILES[0], ANNOTATION_OPTIONS)
    # Real genomes always hold genes that the other genome lacks.
    UNSHARED_OPTIONS = ["--drop-unshared"] if DROP_UNSHARED else ["--keep-unshared"]
else:
    GFF_FILES = []
    GENOMES = config["genomes"]
    FORMAT = config["format"] or ""
    # Options that pick the file's format, shared by every run of the tool.
    FORMAT_OPTIONS = ["--format", FORMAT] if FORMAT else []
    LISTED = (GENOMES, FORMAT_OPTIONS)
    UNSHARED_OPTIONS = ["--drop-unshared"] if DROP_UNSHARED else []

# A list of "A,B" entries, or one text of entries separated by ";" (--config pairs="A,B;C,D").
PAIR_ENTRIES = config["pairs"] or []
if isinstance(PAIR_ENTRIES, str):
    PAIR_ENTRIES = [entry for entry in PAIR_ENTRIES.split(";") if entry.strip()]

try:
    GENOME_LIST = list_genomes(TOOL, *LISTED)
    PAIRS = {pair.label: pair for pair in choose_pairs(GENOME_LIST, PAIR_ENTRIES)}
except (OSError, ValueError) as fault:
    raise WorkflowError(f"cannot choose the genome pairs: {fault}")

# Options that read and pick the pair.
READ_OPTIONS = FORMAT_OPTIONS + UNSHARED_OPTIONS + (["--match-all"] if setting_on("match_all") else [])


wildcard_constraints:
    pair="|".join(re.escape(label) for label in PAIRS),


def pair_options(wildcards):
    return ["-i", GENOMES, "--pair", PAIRS[wildcards.pair].tool_argument()] + READ_OPTIONS


def solve_limits():
    return ["--time-limit", str(TIME_LIMIT)] if TIME_LIMIT else []


def solved(pattern):
    """Files of every pair that exist only when the pairs are solved."""
    return expand(pattern, pair=PAIRS) if SOLVER != "none" else []


def programs(pattern):
    """Files of every pair that exist only when the LP files are written."""
    return expand(pattern, pair=PAIRS) if WRITE_PROGRAMS else []


# The distance matrix, the tree and the heatmap need every pair solved.
DISTANCE_FILES = (["results/distances.tsv", "results/distances.phylip", "results/tree.nwk", "results/distances.svg"]
                  if SOLVER != "none" and not PAIR_ENTRIES else [])
