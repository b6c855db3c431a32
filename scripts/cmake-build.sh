#!/usr/bin/env bash
# Configures (once) and builds the project in the given build directory:
#   scripts/cmake-build.sh <build-dir> [extra cmake configure options...]
# Uses Ninja when it is installed, make otherwise; a directory configured
# before keeps the generator it has. BUILD_TARGET, when set, builds only
# that target.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build_dir="$1"
shift

generator=()
if [[ ! -f "$build_dir/CMakeCache.txt" ]] && command -v ninja >/dev/null 2>&1; then
  generator=(-G Ninja)
fi

cmake -S "$root" -B "$build_dir" "${generator[@]}" "$@"
target=()
if [[ -n "${BUILD_TARGET:-}" ]]; then
  target=(--target "$BUILD_TARGET")
fi
cmake --build "$build_dir" --parallel "$(nproc 2>/dev/null || echo 2)" "${target[@]}"
