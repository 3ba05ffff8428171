#!/usr/bin/env bash
# Builds the libFuzzer targets with clang, ASan and UBSan in build-fuzz/ and fuzzes each on a
# copy of its seed corpus, one after the other, one core each: the POF targets for SECONDS
# (default 30), the image and archive targets, whose decoders are small, for half of that:
#   fuzz_read     the read alone: the chunk loop and every chunk parser
#   fuzz_check    the read, then the model check with every finding put into words
#   fuzz_scene    the read, then the Model View's scene at every detail level, its picture and
#                 OBJ
#   fuzz_pof      the read, then every window opened and clicked through
#   fuzz_dds      the DDS decoder             (seeds in fuzz/corpus-dds/)
#   fuzz_pcx      the PCX decoder             (seeds in fuzz/corpus-pcx/)
#   fuzz_stb      PNG, JPEG and TGA decoding  (seeds in fuzz/corpus-stb/)
#   fuzz_archive  a VP archive listed, its window filtered and sorted, its models opened
#                 (seeds in fuzz/corpus-vp/)
# The POF targets' seeds are in fuzz/corpus/. The seeds stay as they are. An input that
# crashes, hangs or runs out of memory is kept in build-fuzz/artifacts/<target>/; add it to the
# target's corpus as regress-<what-it-broke> once the fault is fixed.
#
#   bash scripts/fuzz.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-30}
targets=(fuzz_read fuzz_check fuzz_scene fuzz_pof fuzz_dds fuzz_pcx fuzz_stb fuzz_archive)

CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DPOFSCOPE_LIBFUZZER=ON -DPOFSCOPE_SANITIZE=ON -DPOFSCOPE_GUI=OFF -DPOFSCOPE_TESTS=OFF
cmake --build build-fuzz -j"$(nproc)" --target "${targets[@]}"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for target in "${targets[@]}"; do
    corpus=fuzz/corpus
    dict=(-dict=fuzz/pof.dict)
    time=$seconds
    # The read target grows inputs to 1 MiB, where the memory limits are reached. The check
    # and the scene stop at 16 KiB: a hundred findings of one code in a chunk take a few
    # hundred bytes, and longer inputs mostly repeat records at the cost of most executions.
    max_len=1048576
    case $target in
        fuzz_check | fuzz_scene) max_len=16384 ;;
        fuzz_dds | fuzz_pcx | fuzz_stb) corpus=fuzz/corpus-${target#fuzz_} dict=() time=$((seconds / 2)) ;;
        fuzz_archive) corpus=fuzz/corpus-vp dict=(-dict=fuzz/vp.dict) time=$((seconds / 2)) ;;
    esac
    echo "== $target: ${time} s"
    mkdir -p "$work/$target/artifacts"
    cp -r "$corpus" "$work/$target/corpus"
    # ASan's quarantine of freed memory (256 MB by default) is kept small, so that the RSS
    # limit speaks of what an input makes the program hold.
    env ASAN_OPTIONS=detect_leaks=1:quarantine_size_mb=64 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
        "build-fuzz/fuzz/$target" "$work/$target/corpus" "${dict[@]}" \
        -rss_limit_mb=512 -malloc_limit_mb=64 -max_len="$max_len" -timeout=10 \
        -max_total_time="$time" -print_final_stats=1 \
        -artifact_prefix="$work/$target/artifacts/" || {
        mkdir -p "build-fuzz/artifacts/$target"
        cp "$work/$target"/artifacts/* "build-fuzz/artifacts/$target/" 2>/dev/null || true
        echo "fuzz.sh: $target failed; its input is in build-fuzz/artifacts/$target/:" >&2
        ls -l "build-fuzz/artifacts/$target" >&2
        exit 1
    }
done
