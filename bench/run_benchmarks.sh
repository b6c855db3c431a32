#!/usr/bin/env bash
# Whole-program benchmark: for each genome size N, generates a deterministic
# input, runs paralog-ilp on it and prints the LP size, wall time, MB/s, peak
# resident memory and the floor: the time dd needs to write as many bytes
# from /dev/zero to the same disk, measured in the same run. Two floors are
# shown: "disk", with dd's conv=fdatasync, the time to get the bytes onto
# the disk; and "cache", plain dd, the time to hand them to the page cache.
# The ratio is the run's time over the disk floor. Each size is then run
# again into a .gz output: its size, time, and time over the plain run's
# ("gz/plain"); its decompressed bytes must equal the plain file's.
#
#   bench/run_benchmarks.sh                 # N = 100 200 400 1000
#   SIZES="100 200" bench/run_benchmarks.sh
#   bench/run_benchmarks.sh --record        # store checksums of new outputs
#   PROGRAM=/path/to/paralog-ilp bench/run_benchmarks.sh   # time another build
#
# The LP files of N = 100 and 200 must match bench/checksums.txt: every
# optimisation is checked against them.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
sizes=${SIZES:-"100 200 400 1000"}
seed=${SEED:-42}
work=${WORK_DIR:-$build/bench-run}
checksums=$root/bench/checksums.txt
record=no
[ "${1:-}" = "--record" ] && record=yes

if [ ! -x /usr/bin/time ]; then
  echo "bench: /usr/bin/time is missing (apt-get install time)" >&2
  exit 1
fi

generator=()
command -v ninja >/dev/null 2>&1 && generator=(-G Ninja)
cmake -S "$root" -B "$build" "${generator[@]}" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target paralog-ilp paralog_make_input >/dev/null
program=${PROGRAM:-$build/paralog-ilp}

mkdir -p "$work"
now() { date +%s.%N; }
calc() { awk "BEGIN { print $* }"; }

printf '%6s %12s %9s %9s %10s %9s %9s %8s %8s %11s %8s %8s  %s\n' N "LP bytes" "time s" "MB/s" \
  "peak RSS" "disk s" "cache s" "ratio" "/cache" "gz bytes" "gz s" "gz/plain" checksum
status=0
for n in $sizes; do
  input=$work/input-$n.txt
  output=$work/out-$n.lp
  "$build/bench/paralog_make_input" "$n" "$seed" > "$input"

  start=$(now)
  /usr/bin/time -v -o "$work/time-$n.txt" "$program" -i "$input" -o "$output" > /dev/null
  end=$(now)
  seconds=$(calc "$end - $start")
  rss_kb=$(awk -F': ' '/Maximum resident set size/ {print $2}' "$work/time-$n.txt")
  bytes=$(stat -c %s "$output")
  sum=$(sha256sum "$output" | cut -c1-16)

  blocks=$(( (bytes + 1048575) / 1048576 ))
  floor_start=$(now)
  dd if=/dev/zero of="$work/floor.bin" bs=1M count="$blocks" conv=fdatasync status=none
  floor_end=$(now)
  floor=$(calc "$floor_end - $floor_start")
  rm -f "$work/floor.bin"
  cache_start=$(now)
  dd if=/dev/zero of="$work/floor.bin" bs=1M count="$blocks" status=none
  cache_end=$(now)
  cache=$(calc "$cache_end - $cache_start")
  rm -f "$work/floor.bin"

  gz_start=$(now)
  "$program" -i "$input" -o "$output.gz" > /dev/null
  gz_end=$(now)
  gz_seconds=$(calc "$gz_end - $gz_start")
  gz_bytes=$(stat -c %s "$output.gz")
  gz_sum=$(gzip -dc "$output.gz" | sha256sum | cut -c1-16)
  rm -f "$output.gz"

  note=""
  if [ "$gz_sum" != "$sum" ]; then
    note="  GZIP MISMATCH"
    status=1
  fi
  expected=$(awk -v n="$n" -v s="$seed" '$1 == n && $2 == s {print $3}' "$checksums" 2>/dev/null || true)
  if [ -n "$expected" ] && [ "$expected" != "$sum" ]; then
    note="$note  MISMATCH (expected $expected)"
    status=1
  elif [ -z "$expected" ] && [ "$record" = yes ] && [ "$n" -le 200 ]; then
    echo "$n $seed $sum" >> "$checksums"
    note="  recorded"
  fi
  printf '%6s %12s %9.2f %9.1f %8.1fMB %9.3f %9.3f %8.1f %8.1f %11s %8.2f %8.2f  %s%s\n' "$n" \
    "$bytes" "$seconds" "$(calc "$bytes / 1048576 / $seconds")" "$(calc "$rss_kb / 1024")" \
    "$floor" "$cache" "$(calc "$seconds / $floor")" "$(calc "$seconds / $cache")" "$gz_bytes" \
    "$gz_seconds" "$(calc "$gz_seconds / $seconds")" "$sum" "$note"
  rm -f "$output"
done
exit $status
