#!/usr/bin/env bash
# Times `pofdump --all FILE` and `pofdump --json --all FILE` as whole processes against the
# plain read `pofdump FILE` on the BSP-heavy model of 38.5 MB (600 OBJ2 chunks of 800 TMAPPOLY
# blocks: 480,000 block windows). Prints the wall and CPU time (medians of several runs, the
# file in the page cache, output to /dev/null), the output's size, the peak RSS of each and
# the ratio to the plain read.
#
#   bash bench/all_dump_bench.sh [RUNS]        (default 5 runs per command)
#
# Builds what it needs in build-bench/ (POFSCOPE_BUILD overrides the folder).
set -euo pipefail
cd "$(dirname "$0")/.."

runs=${1:-5}
build=${POFSCOPE_BUILD:-build-bench}
# shellcheck source=bench/process_timing.sh
source bench/process_timing.sh
build_tools

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
model="$work/bsp-heavy.pof"
"$build/bench/make_read_models" bsp "$model"
pofdump="$build/tools/pofdump/pofdump"
cat "$model" >/dev/null # into the page cache

read -r read_wall read_cpu <<<"$(median_ms "$pofdump" "$model")"
printf 'bsp-heavy, %s bytes, load %s\n' "$(stat -c %s "$model")" "$(cut -d' ' -f1-3 /proc/loadavg)"
printf '  %-22s wall %9s ms  cpu %9s ms  peak %7s KiB\n' "pofdump FILE" "$read_wall" "$read_cpu" \
    "$(peak_rss_kib "$pofdump" "$model")"
for options in "--all" "--json --all"; do
    # shellcheck disable=SC2086 # the options are words
    read -r wall cpu <<<"$(median_ms "$pofdump" $options "$model")"
    # shellcheck disable=SC2086
    bytes=$("$pofdump" $options "$model" | wc -c)
    # shellcheck disable=SC2086
    printf '  %-22s wall %9s ms  cpu %9s ms  peak %7s KiB  output %s bytes\n' \
        "pofdump $options FILE" "$wall" "$cpu" "$(peak_rss_kib "$pofdump" $options "$model")" \
        "$bytes"
    awk -v w="$wall" -v rw="$read_wall" -v c="$cpu" -v rc="$read_cpu" \
        'BEGIN { printf "    / plain read: wall %.1f, cpu %.1f\n", w / rw, c / rc }'
done
