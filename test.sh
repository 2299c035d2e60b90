#!/usr/bin/env bash
# Installs what is missing, builds, runs every test (the end-to-end one drives the real
# program in a virtual X server), then again under AddressSanitizer and
# UndefinedBehaviorSanitizer, then every test against Qt 6, then the fuzzers briefly.
set -euo pipefail
cd "$(dirname "$0")"

scripts/deps.sh $(cat scripts/packages.txt) $(cat scripts/test-packages.txt) $(cat scripts/tour-packages.txt) \
    $(cat scripts/packages-qt6.txt)
export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)

# Every option is set here: build/ is shared with run.sh, which turns the tests off.
# The benchmarks and docs are off by default and warnings are errors only here.
checks=(-DTAVQ_BUILD_TESTS=ON -DTAVQ_BUILD_DOCS=ON -DTAVQ_BUILD_FUZZ=OFF -DTAVQ_WERROR=ON)
echo "== Build and test (build/)"
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    "${checks[@]}" -DTAVQ_BUILD_BENCH=ON -DTAVQ_SANITIZE=OFF >/dev/null
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure --no-tests=error -j"$jobs"

echo "== Build and test with sanitizers (build-asan/)"
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug \
    "${checks[@]}" -DTAVQ_BUILD_BENCH=OFF -DTAVQ_SANITIZE=ON >/dev/null
cmake --build build-asan -j"$jobs"
# Qt's own allocations at exit are not ours to chase; the end-to-end test runs the
# program itself with leak detection, minus what Qt's platform plugin keeps.
ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir build-asan --output-on-failure --no-tests=error -j"$jobs"

# The same sources against Qt 6; its renderer's pictures are compared with build/'s.
echo "== Build and test against Qt 6 (build-qt6/)"
cmake -S . -B build-qt6 -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAVQ_QT_MAJOR=6 -DTAVQ_QT5_BUILD="$PWD/build" \
    "${checks[@]}" -DTAVQ_BUILD_BENCH=OFF -DTAVQ_SANITIZE=OFF >/dev/null
cmake --build build-qt6 -j"$jobs"
ctest --test-dir build-qt6 --output-on-failure --no-tests=error -j"$jobs"

echo "== Fuzzers"
fuzz/run.sh "${FUZZ_SECONDS:-30}"
