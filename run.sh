#!/usr/bin/env bash
# Installs what is missing, builds into build/ and starts the demo. Without a display,
# or with --tour, it runs the guided tour in a virtual X server instead and saves a
# screenshot of every step in out/tour/. With --qt6 it builds against Qt 6 into
# build-qt6/ (and saves the tour in out/tour-qt6/).
set -euo pipefail
cd "$(dirname "$0")"

build=build qt=5 tourdir=out/tour tour=0
while [ $# -gt 0 ]; do
    case $1 in
        --qt6) build=build-qt6 qt=6 tourdir=out/tour-qt6 ;;
        --tour) tour=1 ;;
        *) break ;;
    esac
    shift
done
[ -z "${DISPLAY:-}" ] && tour=1

packages=$(cat scripts/packages.txt)
[ "$qt" = 6 ] && packages="$packages $(cat scripts/packages-qt6.txt)"
[ "$tour" = 1 ] && packages="$packages $(cat scripts/tour-packages.txt)"
scripts/deps.sh $packages
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAVQ_QT_MAJOR="$qt" \
    -DTAVQ_BUILD_TESTS=OFF -DTAVQ_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target ZadEzavuz package_data

if [ "$tour" = 1 ]; then
    exec scripts/tour.sh "$build/bin" "$tourdir"
fi

# The demo reads ./ZadEzavuz.data from its working directory.
cd "$build/bin"
exec ./ZadEzavuz "$@"
