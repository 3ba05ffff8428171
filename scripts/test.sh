#!/usr/bin/env bash
# Installs what pofscope needs, then builds and runs every test:
#   1. the whole suite with gcc (unit, Qt offscreen, pofdump, fuzz corpus replay), in build/
#   2. the same suite once more under a German locale (decimal comma), so no number text
#      depends on the locale
#   3. the install and the Debian package of build/: the installed desktop entry, icon,
#      metainfo and MIME type validated, the package's contents and dependencies checked
#   4. the whole suite built with ASan + UBSan, no recovery, in build-asan/
#   5. the libFuzzer targets built with clang + ASan + UBSan, each fuzzing a copy of the seed
#      corpus (scripts/fuzz.sh: the POF targets 30 seconds, the image and archive targets 15),
#      in build-fuzz/
# Any failure stops the script with a non-zero status.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
root=$(pwd)
jobs=2
fuzz_seconds=${POFSCOPE_FUZZ_SECONDS:-30}

banner() {
    printf '\n==== %s ====\n\n' "$*"
}

banner "Packages"
bash scripts/deps.sh

export QT_QPA_PLATFORM=offscreen

banner "1/5 gcc build and tests (build/)"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DPOFSCOPE_GUI=ON -DPOFSCOPE_TESTS=ON
cmake --build build -j"$jobs"
(cd build && ctest --output-on-failure -j"$jobs")

banner "2/5 tests under LC_ALL=de_DE.UTF-8"
if ! locale -a | grep -qix 'de_DE\.utf-\?8'; then
    echo "test.sh: the de_DE.UTF-8 locale is not available" >&2
    exit 1
fi
(cd build && LC_ALL=de_DE.UTF-8 LANG=de_DE.UTF-8 ctest --output-on-failure -j"$jobs")

banner "3/5 install and package (build/)"
bash scripts/check_install.sh build

banner "4/5 ASan + UBSan build and tests (build-asan/)"
# Line tables only (-g1): the sanitizers' reports name file and line, and the build is quicker.
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-g1 \
    -DPOFSCOPE_GUI=ON -DPOFSCOPE_TESTS=ON -DPOFSCOPE_SANITIZE=ON
cmake --build build-asan -j"$jobs"
sanitizer_options=(
    ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
    "LSAN_OPTIONS=suppressions=$root/scripts/lsan.supp:print_suppressions=0"
)
(cd build-asan && env "${sanitizer_options[@]}" ctest --output-on-failure -j"$jobs")

banner "5/5 libFuzzer builds and fuzz runs of ${fuzz_seconds} seconds per POF target (build-fuzz/)"
bash scripts/fuzz.sh "$fuzz_seconds"

banner "All tests passed"
