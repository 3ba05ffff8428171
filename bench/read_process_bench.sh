#!/usr/bin/env bash
# Times `pofdump FILE` as a whole process against `cat FILE > /dev/null` on two generated
# models: a BSP-heavy model of 38.5 MB (600 OBJ2 chunks of 800 TMAPPOLY blocks) and a sparse
# 4.3 GB file of unknown chunks. Prints the wall and CPU time (means of several runs, the file
# already in the page cache) and the peak RSS of each. The models live in a temporary folder
# that is removed at the end, the 4.3 GB one included.
#
#   bash bench/read_process_bench.sh [RUNS]        (default 10 runs per command)
#
# Builds what it needs in build-bench/ (POFSCOPE_BUILD overrides the folder).
set -euo pipefail
cd "$(dirname "$0")/.."

runs=${1:-10}
build=${POFSCOPE_BUILD:-build-bench}
# shellcheck source=bench/process_timing.sh
source bench/process_timing.sh
build_tools

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build/bench/make_read_models" bsp "$work/bsp-heavy.pof"
"$build/bench/make_read_models" unknown "$work/unknown-chunks.pof"
pofdump="$build/tools/pofdump/pofdump"

measure() {
    local label=$1 file=$2 pofdump_wall pofdump_cpu cat_wall cat_cpu
    cat "$file" >/dev/null # into the page cache
    read -r pofdump_wall pofdump_cpu <<<"$(mean_ms "$pofdump" "$file")"
    read -r cat_wall cat_cpu <<<"$(mean_ms cat "$file")"
    printf '%s, %s bytes:\n' "$label" "$(stat -c %s "$file")"
    printf '  pofdump  wall %8s ms  cpu %8s ms  peak %7s KiB\n' "$pofdump_wall" "$pofdump_cpu" \
        "$(peak_rss_kib "$pofdump" "$file")"
    printf '  cat      wall %8s ms  cpu %8s ms  peak %7s KiB\n' "$cat_wall" "$cat_cpu" \
        "$(peak_rss_kib cat "$file")"
    awk -v pw="$pofdump_wall" -v cw="$cat_wall" -v pc="$pofdump_cpu" -v cc="$cat_cpu" \
        'BEGIN { printf "  pofdump / cat: wall %.2f, cpu %.2f\n", pw / cw, pc / cc }'
}

printf 'tiny model (8 bytes): pofdump peak %s KiB\n' "$(
    printf 'PSPO\x35\x08\x00\x00' >"$work/tiny.pof"
    peak_rss_kib "$pofdump" "$work/tiny.pof"
)"
measure bsp-heavy "$work/bsp-heavy.pof"
runs=1 measure unknown-chunks "$work/unknown-chunks.pof"
