#!/usr/bin/env bash
# Builds the fuzz targets in build-fuzz/ and runs each for the given number of
# seconds (default 30). Exits non-zero when a fuzzer reports a crash, a leak,
# a timeout or running out of memory; the input is left in build-fuzz/artifacts/.
set -uo pipefail

seconds=${1:-30}
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
build="$root/build-fuzz"

if ! command -v clang++ >/dev/null 2>&1 || ! command -v clang >/dev/null 2>&1; then
    echo "fuzz/run.sh: clang++ not found; the fuzz targets need clang with libFuzzer. Nothing run."
    exit 0
fi

generator=()
if command -v ninja >/dev/null 2>&1 && [ ! -f "$build/CMakeCache.txt" ]; then
    generator=(-G Ninja)
fi
CC=clang CXX=clang++ cmake -S "$root" -B "$build" "${generator[@]}" \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTAVQ_BUILD_FUZZ=ON -DTAVQ_BUILD_TESTS=OFF -DTAVQ_BUILD_BENCH=OFF >/dev/null || exit 1
cmake --build "$build" --target fuzz_package fuzz_styles fuzz_page fuzz_json -j "$(nproc)" || exit 1

mkdir -p "$build/corpus/package" "$build/corpus/styles" "$build/corpus/page" "$build/corpus/json" "$build/artifacts"
if ! "$here/make_corpus.sh" "$build/corpus/package"; then
    echo "fuzz/run.sh: no seed packages; fuzz_package starts from nothing"
fi

# Pages beyond the builder's bounds are too large to commit: 5000 siblings.
page_seeds() {
    local i sep=
    {
        printf '{ "w": 800, "h": 600, "elements": ['
        for ((i = 0; i < 5000; i++)); do
            printf '%s{ "type": "qtlabel", "x": %d, "y": %d, "w": 40, "h": 16, "attr": { "text": "l%d" } }' \
                "$sep" $((i % 700)) $((i % 500)) $i
            sep=,
        done
        printf '] }\n'
    } > "$1/siblings.json"
}
page_seeds "$build/corpus/page"

# Saved reproducers are replayed first: a fixed bug must stay fixed.
regressions() {
    local dir="$build/corpus/regressions-$1"
    rm -rf "$dir"
    mkdir -p "$dir"
    cp "$here"/regressions/"$1"-* "$dir"/ 2>/dev/null
    echo "$dir"
}

failed=0
run() {
    local name=$1 dict=$2 max_len=$3
    shift 3
    local log="$build/$name.log"
    echo "== $name for ${seconds}s (log: $log)"
    # The memory limits flag any input that takes more than its bounds allow.
    "$build/bin/$name" -max_total_time="$seconds" -timeout=25 -rss_limit_mb=2048 -malloc_limit_mb=1024 \
        -max_len="$max_len" \
        -dict="$dict" -print_final_stats=1 -artifact_prefix="$build/artifacts/$name-" \
        "$@" >"$log" 2>&1
    local status=$?
    grep -E '^#[0-9]+.*DONE|^stat::number_of_executed_units|^stat::peak_rss_mb' "$log" | tail -n 3
    if [ $status -ne 0 ]; then
        echo "fuzz/run.sh: $name failed with status $status; the end of its log:"
        tail -n 60 "$log"
        failed=1
    fi
}

# Inputs up to 1 MiB reach the element, string and entry bounds; the parsers
# and style readers meet nothing new past 64 KiB, and a corpus of 1 MiB inputs
# alone would fill the memory limit.
run fuzz_package "$here/package.dict" 1048576 "$build/corpus/package" "$(regressions package)"
run fuzz_styles "$here/styles.dict" 65536 "$build/corpus/styles" "$here/corpus/styles" "$(regressions styles)"
# Qt and fontconfig keep caches for the life of the process; those are not leaks of ours.
run fuzz_json "$here/json.dict" 65536 "$build/corpus/json" "$here/corpus/page" "$(regressions json)"
ASAN_OPTIONS=detect_leaks=0 run fuzz_page "$here/page.dict" 1048576 -detect_leaks=0 "$build/corpus/page" "$here/corpus/page" "$(regressions page)"

if [ $failed -ne 0 ]; then
    echo "fuzz/run.sh: FAILED (inputs in $build/artifacts)"
    exit 1
fi
echo "fuzz/run.sh: no findings"
