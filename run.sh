#!/usr/bin/env bash
# Installs what is missing, builds into build/ and starts the demo.
set -euo pipefail
cd "$(dirname "$0")"

scripts/deps.sh $(cat scripts/packages.txt)
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAVQ_BUILD_TESTS=OFF -DTAVQ_BUILD_BENCH=OFF >/dev/null
cmake --build build -j"$(nproc)"

# The demo reads ./ZadEzavuz.data from its working directory.
cd build/bin
exec ./ZadEzavuz "$@"
