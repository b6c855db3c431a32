#!/usr/bin/env bash
# Builds the Debian package of a configured and built build folder, installs
# it into a fresh root (dpkg-deb -x, no root rights needed) and runs it from
# the installed paths; also installs the build with "cmake --install" under
# a fresh prefix. Everything goes to a temporary folder that is removed.
#   package_test.sh <build folder> <source folder> <version>
# Exits 77 (skipped) where the Debian tools are missing.
set -euo pipefail

build="$(cd "$1" && pwd)"
source="$(cd "$2" && pwd)"
version="$3"

for tool in cpack dpkg dpkg-deb dpkg-shlibdeps objdump ldd; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "skipped: $tool is missing (scripts/install-deps.sh installs it)"
    exit 77
  fi
done

work="$(mktemp -d "${TMPDIR:-/tmp}/paralog-package.XXXXXX")"
trap 'rm -rf "$work"' EXIT

failed=0
fail() {
  echo "FAILED: $*" >&2
  failed=1
}

# The LP file of the bundled example, written by the build's own executable,
# is what the installed one must write too.
"$build/paralog-ilp" -i "$source/examples/two-genomes.txt" \
  -o "$work/expected.lp" >/dev/null

# Checks an installation: the data folder holds the examples, the workflow
# and its configuration of the source tree; the executable prints its --version line and
# runs on the bundled example from the data folder.
check_installed() {
  local executable="$1" data="$2" name="$3"
  local line folder
  for folder in examples workflow config; do
    if [[ -d "$source/$folder" ]]; then
      diff -r -x .snakemake -x __pycache__ "$source/$folder" "$data/$folder" >&2 ||
        fail "$name: $data/$folder differs from $folder/ of the source tree"
    fi
  done
  line=$("$executable" --version) || fail "$name: --version exits with status $?"
  [[ "$line" == "paralog-ilp $version" ]] || fail "$name: --version prints \"$line\""
  if "$executable" -i "$data/examples/two-genomes.txt" -o "$work/$name.lp" >/dev/null; then
    cmp -s "$work/expected.lp" "$work/$name.lp" ||
      fail "$name: the installed example gives another LP file than the build's"
  else
    fail "$name: the run on the installed example fails"
  fi
}

# The package.
if ! cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/package" >"$work/cpack.log" 2>&1; then
  cat "$work/cpack.log" >&2
  fail "cpack fails"
  exit 1
fi
deb="$work/package/paralog-ilp_${version}_$(dpkg --print-architecture).deb"
[[ -f "$deb" ]] || { fail "no package $deb; cpack made: $(ls "$work/package")"; exit 1; }

[[ "$(dpkg-deb -f "$deb" Package)" == paralog-ilp ]] || fail "wrong package name"
[[ "$(dpkg-deb -f "$deb" Version)" == "$version" ]] || fail "the package's version is not $version"

# Every shared library that the executable needs belongs to a Debian package
# named in the package's dependencies.
depends="$(dpkg-deb -f "$deb" Depends)"
echo "Depends: $depends"
# One package name per line, alternatives included, versions left out.
depended_on="$(tr ',|' '\n\n' <<<"$depends" | awk 'NF { print $1 }')"
owner() {
  local path="$1" candidate
  for candidate in "$path" "$(realpath "$path")"; do
    for candidate in "$candidate" "${candidate#/usr}" "/usr$candidate"; do
      if dpkg -S "$candidate" 2>/dev/null | head -n 1 | cut -d: -f1; then
        return 0
      fi
    done
  done
  return 1
}
for library in $(objdump -p "$build/paralog-ilp" | awk '$1 == "NEEDED" { print $2 }'); do
  path="$(ldd "$build/paralog-ilp" | awk -v lib="$library" '$1 == lib { print $3 }')"
  if [[ -z "$path" ]]; then
    fail "ldd does not find $library"
    continue
  fi
  package="$(owner "$path")" || { fail "no Debian package owns $path"; continue; }
  if ! grep -qxF "$package" <<<"$depended_on"; then
    fail "$library comes from $package, which the dependencies do not name"
  fi
done

# Install into a fresh root, run from there, and check the manual page.
dpkg-deb -x "$deb" "$work/root"
check_installed "$work/root/usr/bin/paralog-ilp" "$work/root/usr/share/paralog-ilp" package
page="$work/root/usr/share/man/man1/paralog-ilp.1"
if [[ -f "$page" ]]; then
  if command -v man >/dev/null 2>&1; then
    warnings=$(MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null) || fail "man fails on $page"
    [[ -z "$warnings" ]] || fail "man warns on the installed page: $warnings"
  fi
else
  fail "the package holds no manual page at usr/share/man/man1/paralog-ilp.1"
fi
rm -rf "$work/root"

# The same layout through "cmake --install" under another prefix.
cmake --install "$build" --prefix "$work/prefix" >/dev/null
[[ -f "$work/prefix/share/man/man1/paralog-ilp.1" ]] || fail "cmake --install puts no manual page"
check_installed "$work/prefix/bin/paralog-ilp" "$work/prefix/share/paralog-ilp" prefix

exit "$failed"
