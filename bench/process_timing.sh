# Sourced by the whole-process benchmarks: builds pofdump and the model writer, and times and
# measures commands. The caller sets runs and build and is in the repository's folder.

# pofdump and make_read_models in $build (configured for benchmarks if it is not yet).
build_tools() {
    if [ ! -f "$build/CMakeCache.txt" ]; then
        cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DPOFSCOPE_BENCH=ON \
            -DPOFSCOPE_GUI=OFF -DPOFSCOPE_TESTS=OFF >/dev/null
    fi
    cmake --build "$build" -j2 --target pofdump make_read_models >/dev/null
}

# "wall cpu": the mean wall time and the mean CPU time (user + system) in milliseconds of
# `runs` runs of the command, its output discarded. On a busy machine the wall time also
# holds the waits for a core; the CPU time does not.
mean_ms() {
    local TIMEFORMAT='%R %U %S' times
    times=$({ time for ((i = 0; i < runs; i++)); do "$@" >/dev/null 2>&1 || true; done; } 2>&1)
    awk -v n="$runs" '{ printf "%.1f %.1f", $1 * 1000 / n, ($2 + $3) * 1000 / n }' <<<"$times"
}

# "wall cpu": the median wall time and the median CPU time in milliseconds of `runs` runs, each
# timed alone: a run that waits for the kernel to clear pages now and then (a 15 ms read may
# take 150 ms) does not move the figure.
median_ms() {
    local TIMEFORMAT='%R %U %S' i times
    times=$(for ((i = 0; i < runs; i++)); do
        { time "$@" >/dev/null 2>&1 || true; } 2>&1
    done)
    local middle=$(((runs + 1) / 2))
    printf '%s %s' \
        "$(awk '{ printf "%.1f\n", $1 * 1000 }' <<<"$times" | sort -n | sed -n "${middle}p")" \
        "$(awk '{ printf "%.1f\n", ($2 + $3) * 1000 }' <<<"$times" | sort -n | sed -n "${middle}p")"
}

peak_rss_kib() {
    /usr/bin/time -f %M "$@" 2>&1 >/dev/null | tail -1
}
