#!/usr/bin/env bash
# Line coverage of the library reached by the fuzz corpora: builds the fuzz
# targets with clang's source-based coverage in build-fuzz-cov/, replays each
# corpus once and prints llvm-cov's report for the files the targets aim at.
# Usage: fuzz/coverage.sh [PACKAGE_CORPUS_DIR [STYLES_CORPUS_DIR]]
# (defaults: the corpora left in build-fuzz/ by run.sh, plus the seeds)
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
build="$root/build-fuzz-cov"
package_corpus=${1:-$root/build-fuzz/corpus/package}
styles_corpus=${2:-$root/build-fuzz/corpus/styles}

profdata=$(command -v llvm-profdata || command -v llvm-profdata-14 || true)
cov=$(command -v llvm-cov || command -v llvm-cov-14 || true)
if ! command -v clang++ >/dev/null 2>&1 || [ -z "$profdata" ] || [ -z "$cov" ]; then
    echo "fuzz/coverage.sh: needs clang++, llvm-profdata and llvm-cov; nothing done."
    exit 0
fi

flags="-fprofile-instr-generate -fcoverage-mapping"
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="$flags" \
    -DTAVQ_BUILD_FUZZ=ON -DTAVQ_BUILD_TESTS=OFF -DTAVQ_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --target fuzz_package fuzz_styles -j "$(nproc)" >/dev/null

if [ ! -d "$package_corpus" ]; then
    package_corpus=$(mktemp -d)
    "$here/make_corpus.sh" "$package_corpus"
fi
mkdir -p "$styles_corpus"

rm -f "$build"/*.profraw
LLVM_PROFILE_FILE="$build/package.profraw" "$build/bin/fuzz_package" -runs=0 "$package_corpus" >/dev/null 2>&1
LLVM_PROFILE_FILE="$build/styles.profraw" "$build/bin/fuzz_styles" -runs=0 "$styles_corpus" "$here/corpus/styles" >/dev/null 2>&1
"$profdata" merge -sparse "$build/package.profraw" -o "$build/package.profdata"
"$profdata" merge -sparse "$build/styles.profraw" -o "$build/styles.profdata"

echo "== fuzz_package"
"$cov" report "$build/bin/fuzz_package" -instr-profile="$build/package.profdata" \
    "$root/lib/resources/packagearchive.cpp" "$root/lib/resources/packageindex.cpp"
echo "== fuzz_styles"
"$cov" report "$build/bin/fuzz_styles" -instr-profile="$build/styles.profdata" \
    "$root/lib/resources/tavqstyle.cpp" "$root/lib/base/tavqjson.cpp"
echo "Line by line: $cov show $build/bin/fuzz_package -instr-profile=$build/package.profdata $root/lib/resources/packagearchive.cpp"
