#!/usr/bin/env bash
# Installs what is missing, builds into build/ and starts the demo. Without a display,
# or with --tour, it runs the guided tour in a virtual X server instead and saves a
# screenshot of every step in out/tour/.
set -euo pipefail
cd "$(dirname "$0")"

tour=0
if [ "${1:-}" = "--tour" ]; then
    tour=1
    shift
elif [ -z "${DISPLAY:-}" ]; then
    tour=1
fi

packages=$(cat scripts/packages.txt)
[ "$tour" = 1 ] && packages="$packages $(cat scripts/tour-packages.txt)"
scripts/deps.sh $packages
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAVQ_BUILD_TESTS=OFF -DTAVQ_BUILD_BENCH=OFF >/dev/null
cmake --build build -j"$(nproc)" --target ZadEzavuz package_data

if [ "$tour" = 1 ]; then
    exec scripts/tour.sh build/bin out/tour
fi

# The demo reads ./ZadEzavuz.data from its working directory.
cd build/bin
exec ./ZadEzavuz "$@"
