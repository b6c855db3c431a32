#!/usr/bin/env bash
# Checks the manual page against the program:
#   manual_page_test.sh <paralog-ilp executable> <manual page>
# groff and man render it without a warning, it documents every option that
# --help lists, and its footer names the version that --version prints.
# Exits 77 (skipped) where groff or man is missing.
set -euo pipefail

executable="$1"
page="$2"

for tool in groff man; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "skipped: $tool is missing (scripts/install-deps.sh installs it)"
    exit 77
  fi
done

failed=0
fail() {
  echo "FAILED: $*" >&2
  failed=1
}

warnings=$(groff -man -ww -z "$page" 2>&1) || fail "groff exits with status $?"
[[ -z "$warnings" ]] || fail "groff warns: $warnings"
warnings=$(MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null) || fail "man exits with status $?"
[[ -z "$warnings" ]] || fail "man warns: $warnings"

# Every option of the usage text, long and short, has an entry: a .TP item
# whose tag line names it (written with \- in roff).
tags=$(grep -A1 '^\.TP' "$page" | grep -v '^\.TP' | grep -v '^--$')
options=$("$executable" --help 2>&1 >/dev/null |
  grep -oE '^  (-[[:alnum:]] \[ )?--[[:alnum:]-]+' | grep -oE -- '--?[[:alnum:]-]+')
[[ -n "$options" ]] || fail "found no options in the output of --help"
for option in $options; do
  roff=${option//-/\\-}
  if ! grep -qF -- "$roff" <<<"$tags"; then
    fail "the manual page has no entry for $option"
  fi
done

# The footer (.TH's fourth field) names the program's version.
version_line=$("$executable" --version)
footer=$(sed -n 's/^\.TH [^ ]* [^ ]* [^ ]* "\([^"]*\)".*/\1/p' "$page" | sed 's/\\-/-/g')
[[ "$footer" == "$version_line" ]] ||
  fail "the manual page says \"$footer\", the program \"$version_line\""

exit "$failed"
