"""Runs one command of a rule and turns a failure into an exception with its error line."""

import subprocess
from typing import Optional, Sequence


def run_logged(command: Sequence[str], log_path: str, stdout_path: Optional[str] = None) -> None:
    """Runs command with standard error (and standard output unless stdout_path is given) appended to log_path.

    Raises RuntimeError naming the command's last "error: " line (or its
    exit status) when it exits non-zero.
    """
    with open(log_path, "a", encoding="utf-8") as log:
        log.write("$ " + " ".join(command) + "\n")
        log.flush()
        out = open(stdout_path, "w", encoding="utf-8") if stdout_path else log
        try:
            status = subprocess.run(list(command), stdout=out, stderr=log, stdin=subprocess.DEVNULL).returncode
        finally:
            if stdout_path:
                out.close()
    if status != 0:
        with open(log_path, encoding="utf-8", errors="replace") as log:
            errors = [line.strip() for line in log if line.startswith("error: ")]
        reason = errors[-1] if errors else f"exit status {status}"
        raise RuntimeError(f"{command[0]} failed ({reason}); see {log_path}")
