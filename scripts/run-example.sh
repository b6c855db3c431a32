#!/usr/bin/env bash
# Installs what is missing, builds paralog-ilp (Release, in build/) and runs
# it on a bundled example:
#   scripts/run-example.sh [input file] [output file]
# By default it reads examples/two-genomes.txt and writes build/example.lp.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"

input="${1:-examples/two-genomes.txt}"
output="${2:-build/example.lp}"

scripts/install-deps.sh
BUILD_TARGET=paralog-ilp scripts/cmake-build.sh build -DCMAKE_BUILD_TYPE=Release

build/paralog-ilp -i "$input" -o "$output"

case "$output" in
  /*) written="$output" ;;
  *) written="$root/$output" ;;
esac
echo
echo "The LP file is in $written"
