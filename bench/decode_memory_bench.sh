#!/usr/bin/env bash
# The peak memory of decoding one large texture, as a whole process: `pofdump --png` of the
# sample ship with its hull texture replaced (through --textures) by a large, nearly uniform
# file of each kind, against the same run with the sample's own small hull. Prints each run's
# peak RSS, what the texture added, and the texture's decoded image plus its mipmaps.
#
#   bash bench/decode_memory_bench.sh [SIDE...]     (default 8192 and 4096 x 8192)
#
# Uses the build in build/ (POFSCOPE_BUILD overrides the folder); builds what it needs there.
set -euo pipefail
cd "$(dirname "$0")/.."

build=${POFSCOPE_BUILD:-build}
cmake --build "$build" -j2 --target pofdump make_big_texture sample_model >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
pofdump="$build/tools/pofdump/pofdump"
sample="$build/sample/sample.pof"

peak_mib() {
    local kib
    kib=$(/usr/bin/time -f %M "$pofdump" "$@" 2>&1 >/dev/null | tail -1)
    echo $((kib / 1024))
}

base=$(peak_mib --png "$work/out.png" -- "$sample")
echo "the sample with its own textures: peak RSS $base MiB"
for shape in "${@:-8192x8192 4096x8192}"; do
    for shape_one in $shape; do
        width=${shape_one%x*} height=${shape_one#*x}
        # The image and its mipmaps: a third more than the image.
        image=$((width * height * 4 / 1048576))
        for kind in png16 png8 tga dxt1 jpg; do
            ext=$kind
            case $kind in png*) ext=png ;; dxt1) ext=dds ;; esac
            rm -rf "$work/textures" && mkdir "$work/textures"
            "$build/bench/make_big_texture" "$kind" "$width" "$height" "$work/textures/hull.$ext"
            peak=$(peak_mib --textures "$work/textures" --png "$work/out.png" -- "$sample")
            printf '%-5s %5s x %-5s %9s bytes: peak RSS %4s MiB, %4s MiB over the sample; image %s MiB, with mipmaps %s MiB\n' \
                "$kind" "$width" "$height" "$(stat -c %s "$work/textures/hull.$ext")" "$peak" \
                "$((peak - base))" "$image" "$((image * 4 / 3))"
        done
    done
done
