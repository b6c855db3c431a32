#!/usr/bin/env bash
# Whole-program benchmark: for each genome size, generates a deterministic
# input, runs paralog-ilp on it and prints the LP size, wall time, MB/s, peak
# resident memory, CPU seconds (user + system, all threads) and the floor:
# the time dd needs to write() as many bytes from memory (/dev/zero, 1 MiB
# blocks) into the same file system, measured in the same run. Two floors
# are shown: "write", plain dd, the time to hand the bytes to the file
# system (page cache or tmpfs), and "disk", with conv=fdatasync, the time to
# get them onto the disk. The ratio is the run's time over the write floor.
# Each size is then run again into a .gz output: its size, time, and time
# over the plain run's ("gz/plain"); its decompressed bytes must equal the
# plain file's. With REPEAT=n the run and both floors are timed n times,
# alternately, and the best of each is shown (peak RSS and CPU seconds are
# those of the best run).
#
# SIZES are gene counts G of the benchmark input (paralog_make_input);
# CIRCULAR are sizes N of the all-circular input: each genome one circular
# chromosome of N single-copy genes, the second a fixed shuffle of the
# first with mixed signs.
#
#   bench/run_benchmarks.sh                 # G = 100 200 400 1000, N = 50 100 200
#   SIZES="100 200" CIRCULAR="" bench/run_benchmarks.sh
#   WORK_DIR=/dev/shm/bench bench/run_benchmarks.sh     # on tmpfs
#   REPEAT=3 bench/run_benchmarks.sh        # best of three runs and floors
#   bench/run_benchmarks.sh --record        # store checksums of new outputs
#   PROGRAM=/path/to/paralog-ilp bench/run_benchmarks.sh   # time another build
#
# The LP files of N = 100 and 200 must match bench/checksums.txt: every
# optimisation is checked against them.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
sizes=${SIZES-"100 200 400 1000"}
circular=${CIRCULAR-"50 100 200"}
seed=${SEED:-42}
repeat=${REPEAT:-1}
work=${WORK_DIR:-$build/bench-run}
checksums=$root/bench/checksums.txt
record=no
[ "${1:-}" = "--record" ] && record=yes

if [ ! -x /usr/bin/time ]; then
  echo "bench: /usr/bin/time is missing (apt-get install time)" >&2
  exit 1
fi

# The shared build script keeps the generator of a directory configured before.
BUILD_TARGET=paralog-ilp "$root/scripts/cmake-build.sh" "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
BUILD_TARGET=paralog_make_input "$root/scripts/cmake-build.sh" "$build" >/dev/null
program=${PROGRAM:-$build/paralog-ilp}

mkdir -p "$work"
now() { date +%s.%N; }
calc() { awk "BEGIN { print $* }"; }

# One circular chromosome of n genes per genome: g1 .. gn forward, then
# the genes in the order i * 7 mod n (a shuffle for n not divisible by 7),
# every third one reversed.
circular_input() {
  awk -v n="$1" 'BEGIN {
    printf "0\n2\nfirst 1 : 1 :\nC %d : ", n
    for (i = 1; i <= n; i++) printf "+g%d.1", i
    printf ";\nsecond 2 : 1 :\nC %d : ", n
    for (i = 0; i < n; i++) { g = (i * 7) % n + 1; printf "%sg%d.1", (i % 3 == 0 ? "-" : "+"), g }
    printf ";\n"
  }'
}

printf '%7s %12s %9s %9s %10s %7s %9s %9s %8s %11s %8s %8s  %s\n' size "LP bytes" "time s" \
  "MB/s" "peak RSS" "CPU s" "write s" "disk s" "ratio" "gz bytes" "gz s" "gz/plain" checksum
status=0
for n in $sizes $(for c in $circular; do echo "c$c"; done); do
  input=$work/input-$n.txt
  output=$work/out-$n.lp
  case $n in
    c*) circular_input "${n#c}" > "$input" ;;
    *) "$build/bench/paralog_make_input" "$n" "$seed" > "$input" ;;
  esac

  # Each measurement is taken REPEAT times, alternating run and floors, and
  # the best kept: on a shared machine noise only ever adds time.
  seconds="" floor="" cache=""
  for _ in $(seq "$repeat"); do
    start=$(now)
    /usr/bin/time -v -o "$work/time-$n.txt" "$program" -i "$input" -o "$output" > /dev/null
    end=$(now)
    run=$(calc "$end - $start")
    if [ -z "$seconds" ] || [ "$(calc "$run < $seconds")" = 1 ]; then
      seconds=$run
      rss_kb=$(awk -F': ' '/Maximum resident set size/ {print $2}' "$work/time-$n.txt")
      cpu=$(awk -F': ' '/User time|System time/ {s += $2} END {print s}' "$work/time-$n.txt")
    fi
    bytes=$(stat -c %s "$output")
    sum=$(sha256sum "$output" | cut -c1-16)
    rm -f "$output"  # before the floor, so that a tmpfs holds one copy at a time

    blocks=$(( (bytes + 1048575) / 1048576 ))
    floor_start=$(now)
    dd if=/dev/zero of="$work/floor.bin" bs=1M count="$blocks" conv=fdatasync status=none
    floor_end=$(now)
    run=$(calc "$floor_end - $floor_start")
    if [ -z "$floor" ] || [ "$(calc "$run < $floor")" = 1 ]; then floor=$run; fi
    rm -f "$work/floor.bin"
    cache_start=$(now)
    dd if=/dev/zero of="$work/floor.bin" bs=1M count="$blocks" status=none
    cache_end=$(now)
    run=$(calc "$cache_end - $cache_start")
    if [ -z "$cache" ] || [ "$(calc "$run < $cache")" = 1 ]; then cache=$run; fi
    rm -f "$work/floor.bin"
  done

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
  elif [ -z "$expected" ] && [ "$record" = yes ] && [ "${n#c}" = "$n" ] && [ "$n" -le 200 ]; then
    echo "$n $seed $sum" >> "$checksums"
    note="  recorded"
  fi
  printf '%7s %12s %9.2f %9.1f %8.1fMB %7.2f %9.3f %9.3f %8.2f %11s %8.2f %8.2f  %s%s\n' "$n" \
    "$bytes" "$seconds" "$(calc "$bytes / 1048576 / $seconds")" "$(calc "$rss_kb / 1024")" \
    "$cpu" "$cache" "$floor" "$(calc "$seconds / $cache")" "$gz_bytes" "$gz_seconds" \
    "$(calc "$gz_seconds / $seconds")" "$sum" "$note"
done
exit $status
