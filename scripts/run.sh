#!/usr/bin/env bash
# Installs what pofscope needs, builds it (Release, into build/) with pofdump and the sample
# model build/sample/sample.pof, and starts the viewer on that sample.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

bash scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DPOFSCOPE_GUI=ON -DPOFSCOPE_TESTS=OFF
cmake --build build -j"$(nproc)"
exec build/app/pofscope build/sample/sample.pof
