#!/usr/bin/env bash
# Times a thumbnail as a file manager makes it, `pofdump --size 256 --thumbnail OUT -- FILE`,
# as a whole process: of the sample ship with its four textures, and of a model of 1,000,000
# triangles. Prints the mean wall and CPU time of several runs (the files in the page cache)
# and the peak RSS of one.
#
#   bash bench/thumbnail_bench.sh [RUNS]        (default 10 runs per model)
#
# Uses the build in build/ (POFSCOPE_BUILD overrides the folder); builds what it needs there.
set -euo pipefail
cd "$(dirname "$0")/.."

runs=${1:-10}
build=${POFSCOPE_BUILD:-build}
cmake --build "$build" -j2 --target pofdump make_read_models sample_model >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build/bench/make_read_models" triangles "$work/million.pof"
pofdump="$build/tools/pofdump/pofdump"

mean_ms() {
    local TIMEFORMAT='%R %U %S' times
    times=$({ time for ((i = 0; i < runs; i++)); do "$@" >/dev/null 2>&1; done; } 2>&1)
    awk -v n="$runs" '{ printf "%.1f ms wall, %.1f ms CPU", $1 * 1000 / n, ($2 + $3) * 1000 / n }' <<<"$times"
}

for model in "$build/sample/sample.pof" "$work/million.pof"; do
    command=("$pofdump" --size 256 --thumbnail "$work/thumb.png" -- "$model")
    "${command[@]}" >/dev/null || { echo "thumbnail_bench: pofdump failed on $model" >&2; exit 1; }
    peak=$(/usr/bin/time -f %M "${command[@]}" 2>&1 >/dev/null | tail -1)
    printf '%-14s %8s bytes: %s, peak RSS %s MiB\n' "${model##*/}" "$(stat -c %s "$model")" \
        "$(mean_ms "${command[@]}")" "$((peak / 1024))"
done
