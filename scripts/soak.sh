#!/usr/bin/env bash
# Runs the Qt tests (ctest's ui.* tests of a built tree) N times beside a CPU hog on every
# core, to find a test that assumes what it should wait for: a window exposed or active, a
# signal emitted. Stops at the first failure and shows its output; ends with a summary line.
#   scripts/soak.sh [N=30] [build dir=build]
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
runs=${1:-30}
build=${2:-build}
[[ -f $build/CTestTestfile.cmake ]] || { echo "soak: no tests built in $build" >&2; exit 2; }

hogs=()
stop_hogs() {
    for pid in "${hogs[@]}"; do kill "$pid" 2>/dev/null || true; done
}
trap stop_hogs EXIT
trap 'exit 130' INT TERM
cores=$(nproc)
for ((i = 0; i < cores; i++)); do
    yes >/dev/null &
    hogs+=("$!")
done

export QT_QPA_PLATFORM=offscreen
log=$(mktemp)
trap 'stop_hogs; rm -f "$log"' EXIT
tests=$(cd "$build" && ctest -N -R '^ui\.' | sed -n 's/^Total Tests: //p')
start=$SECONDS
for ((run = 1; run <= runs; run++)); do
    if ! (cd "$build" && ctest -j2 -R '^ui\.' --output-on-failure) >"$log" 2>&1; then
        cat "$log"
        echo "soak: run $run of $runs FAILED after $((SECONDS - start)) s" \
             "($tests Qt tests a run, $cores CPU hogs, load $(cut -d' ' -f1-3 /proc/loadavg))"
        exit 1
    fi
done
echo "soak: $runs runs of $tests Qt tests, 0 failures, $((SECONDS - start)) s" \
     "($cores CPU hogs, load $(cut -d' ' -f1-3 /proc/loadavg))"
