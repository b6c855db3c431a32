#!/usr/bin/env bash
# Installs the Debian packages that building and testing paralog-ilp needs,
# only those that are missing, then the npm packages of tests/solvers (HiGHS,
# which the solver tests run with node). Uses sudo when not run as root. The
# package lists are refreshed only if the first install attempt fails.
#   scripts/install-deps.sh [--fuzz] [--workflow]
# With --fuzz it also installs clang and its sanitizer and libFuzzer
# runtime (libclang-rt-<version>-dev, only recommended by clang on Debian 12
# and later), which scripts/fuzz.sh needs. With --workflow it also installs
# snakemake, which runs workflow/Snakefile and its test, Biopython and
# matplotlib (the workflow's tree and heatmap) and proteinortho (whose
# example genomes the annotation test runs through the tool).
set -euo pipefail

fuzz=false
workflow=false
for option in "$@"; do
  case "$option" in
    --fuzz) fuzz=true ;;
    --workflow) workflow=true ;;
    *)
      echo "install-deps: unknown option $option (use --fuzz, --workflow)" >&2
      exit 2
      ;;
  esac
done

packages=(
  g++
  make
  cmake
  libboost-dev
  libboost-program-options-dev
  libboost-filesystem-dev
  libgtest-dev
  pkg-config
  libdeflate-dev
  # The CBC library that --solve embeds.
  coinor-libcbc-dev
  # Solvers the tests run: CBC proves optima; CBC, SYMPHONY and GLPK read portable files;
  # HiGHS comes from npm and runs with node.
  coinor-cbc
  coinor-symphony
  glpk-utils
  nodejs
  # The manual page test renders the page; the package test builds the
  # Debian package (dpkg-shlibdeps, which needs file and objdump).
  man-db
  groff-base
  dpkg-dev
  file
  binutils
)

# Debian's nodejs leaves npm to a package of its own; NodeSource's nodejs
# carries npm and conflicts with that package.
if ! command -v npm >/dev/null 2>&1; then
  packages+=(npm)
fi

if $fuzz; then
  packages+=(clang)
  # The runtime package carries clang's major version, the one that the
  # "clang" package depends on.
  clang_major=$(apt-cache depends clang 2>/dev/null |
    sed -n 's/^ *Depends: clang-\([0-9][0-9]*\)$/\1/p' | head -n 1 || true)
  if [[ -n "$clang_major" ]] && apt-cache show "libclang-rt-$clang_major-dev" >/dev/null 2>&1; then
    packages+=("libclang-rt-$clang_major-dev")
  fi
fi

if $workflow; then
  packages+=(snakemake python3-biopython python3-matplotlib proteinortho)
fi

if ! command -v dpkg-query >/dev/null 2>&1; then
  echo "install-deps: no dpkg here; make sure these (or their equivalents) are installed:" >&2
  echo "  ${packages[*]}" >&2
  exit 0
fi

missing=()
for package in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  if [[ "$status" != "install ok installed" ]]; then
    missing+=("$package")
  fi
done

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

# The npm packages the tests use go into tests/solvers/node_modules.
install_npm_packages() {
  if [[ ! -d "$root/tests/solvers/node_modules/highs" ]]; then
    echo "install-deps: installing the npm packages of tests/solvers"
    (cd "$root/tests/solvers" && npm ci --no-audit --no-fund)
  fi
}

if [[ ${#missing[@]} -eq 0 ]]; then
  echo "install-deps: all build dependencies are installed."
  install_npm_packages
  exit 0
fi

if [[ $(id -u) -eq 0 ]]; then
  as_root=()
elif command -v sudo >/dev/null 2>&1; then
  as_root=(sudo)
else
  echo "install-deps: these packages are missing and sudo is not available: ${missing[*]}" >&2
  exit 1
fi

apt() {
  "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get "$@"
}

echo "install-deps: installing ${missing[*]}"
if ! apt install -y --no-install-recommends "${missing[@]}"; then
  echo "install-deps: refreshing the package lists and trying again"
  apt update
  apt install -y --no-install-recommends "${missing[@]}"
fi
install_npm_packages
