#!/usr/bin/env bash
# Configures tests/subproject, a parent project that adds this tree with
# add_subdirectory, in WORK and checks in the generated files that the tree's build
# steps and tests name its own folders, not the parent's. Builds nothing, so that
# it stays quick.
# Usage: tst_subproject.sh CMAKE CXX SOURCE_DIR WORK QT_MAJOR
set -euo pipefail
cmake=$1 cxx=$2 source=$3 work=$4 qt=$5
part=$work/tavq

rm -rf "$work"
mkdir -p "$work"
fail() { echo "FAIL: $*" >&2; exit 1; }

# Makefiles whatever the outer build uses: the checks below read their rules.
"$cmake" -S "$source/tests/subproject" -B "$work" -G "Unix Makefiles" -DCMAKE_CXX_COMPILER="$cxx" \
    -DTAVQ_SOURCE_DIR="$source" -DTAVQ_QT_MAJOR="$qt" -DTAVQ_BUILD_TESTS=ON >"$work/configure.log" 2>&1 \
    || { cat "$work/configure.log"; fail "configure"; }

# The package is packed from the tree's package/ into the part's own bin/.
grep -qF -- "pack --gbk $source/package $part/bin/ZadEzavuz.data" "$part/CMakeFiles/package_data.dir/build.make" \
    || fail "the package is not packed from $source/package into $part/bin"
# The tests lint the tree's pages and install the part's build.
tests=$part/tests/CTestTestfile.cmake
grep -qF -- "\"--folder\" \"$source/package\" \"Gallery.json\"" "$tests" \
    || fail "tst_lintproject does not lint the pages in $source/package"
grep -qF -- "\"$part\" \"$source\" \"$part/tests/install-test\"" "$tests" \
    || fail "tst_install does not install $part"
echo "subproject test passed"
