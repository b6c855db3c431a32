#!/usr/bin/env bash
# Builds paralog-ilp and runs every test twice: in a Release build (build/)
# and in a build with AddressSanitizer and UndefinedBehaviorSanitizer
# (build-asan/). Any failure fails the script.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
jobs="$(nproc 2>/dev/null || echo 2)"

scripts/install-deps.sh

echo "== Release build (build/)"
scripts/cmake-build.sh build -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=ON
ctest --test-dir build --output-on-failure --parallel "$jobs"

echo "== AddressSanitizer + UndefinedBehaviorSanitizer build (build-asan/)"
scripts/cmake-build.sh build-asan -DCMAKE_BUILD_TYPE=Debug -DPARALOG_SANITIZE=ON -DBUILD_TESTING=ON
ctest --test-dir build-asan --output-on-failure --parallel "$jobs"
