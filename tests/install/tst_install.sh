#!/usr/bin/env bash
# Installs the built tree into a fresh prefix under WORK, builds examples/hello
# against that prefix with find_package and again with pkg-config, runs both
# offscreen on a package made by the installed tavqpkg and reads a pixel of what
# they painted; then checks what the installed library exports.
# Usage: tst_install.sh CMAKE CXX BUILD_DIR SOURCE_DIR WORK LIBDIR SOVERSION NAME QT_MAJOR
# NAME is the library's name: TAVQtLib for the Qt 5 build, TAVQtLib-qt6 for Qt 6.
set -euo pipefail
cmake=$1 cxx=$2 build=$3 source=$4 work=$5 libdir=$6 soversion=$7 name=$8 qt=$9
pcname=$(echo "$name" | tr '[:upper:]' '[:lower:]')
# The Qt 6 build's headers sit in a folder of its own, as Qt's do.
includeroot=include
[ "$name" = TAVQtLib ] || includeroot=include/$name

rm -rf "$work"
mkdir -p "$work"
prefix=$work/prefix
fail() { echo "FAIL: $*" >&2; exit 1; }
step() { echo "== $*"; }

step "install into $prefix"
"$cmake" --install "$build" --prefix "$prefix" >"$work/install.log"
for file in bin/tavqpkg bin/tavq-render bin/ZadEzavuz "share/$name/ZadEzavuz.data" \
    "$includeroot/TAVQtLib/TAVQtLib.h" "$includeroot/TAVQtLib/tavqtlib_export.h" \
    "$includeroot/TAVQtLib/core/tavqwindow.h" \
    "$libdir/cmake/$name/${name}Config.cmake" "$libdir/pkgconfig/$pcname.pc"; do
    [ -e "$prefix/$file" ] || fail "$file is not installed"
done
# Internal helpers stay out of the installed headers.
[ ! -e "$prefix/$includeroot/TAVQtLib/base/tavqjson_p.h" ] || fail "an internal header is installed"
# Both files say which Qt they were built for.
grep -q "^Requires: Qt${qt}Widgets" "$prefix/$libdir/pkgconfig/$pcname.pc" || fail "$pcname.pc does not require Qt $qt"
grep -q "^find_dependency(Qt${qt} " "$prefix/$libdir/cmake/$name/${name}Config.cmake" || fail "${name}Config.cmake does not find Qt $qt"

# A page whose whole window is one box of a known colour, packed by the installed tool.
mkdir -p "$work/package"
cat >"$work/package/style.json" <<'EOF'
{ "style": [ { "type": 1, "name": "hello.bg", "drawImg": false, "clr": "ff336699" } ] }
EOF
cat >"$work/package/Hello.json" <<'EOF'
{ "w": 160, "h": 100,
  "elements": [ { "type": "qtcontainer", "name": "hello", "layout": { "type": 1 },
                  "style": [["hello.bg", 0, 0]] } ] }
EOF
"$prefix/bin/tavqpkg" pack --gbk "$work/package" "$work/hello.data" >/dev/null

# The colour RRGGBB at X,Y of a binary PPM picture.
pixel() {
    local file=$1 x=$2 y=$3 magic size depth
    { read -r magic; read -r size; read -r depth; } <"$file"
    [ "$magic" = P6 ] && [ "$depth" = 255 ] || fail "$file: not a binary PPM"
    local offset=$((${#magic} + ${#size} + ${#depth} + 3 + (y * ${size% *} + x) * 3))
    od -An -tx1 -j "$offset" -N3 "$file" | tr -d ' \n'
}
show() {
    local program=$1 picture=$work/$2.ppm color
    QT_QPA_PLATFORM=offscreen "$program" "$work/hello.data" Hello.json "$picture" || fail "$program failed"
    color=$(pixel "$picture" 80 50)
    [ "$color" = 336699 ] || fail "$program painted #$color where #336699 was due"
    echo "$program painted #$color"
}

step "examples/hello with find_package"
"$cmake" -S "$source/examples/hello" -B "$work/hello-cmake" -DCMAKE_CXX_COMPILER="$cxx" \
    -DCMAKE_PREFIX_PATH="$prefix" -DTAVQTLIB_PACKAGE="$name" >"$work/hello-cmake.log" || { cat "$work/hello-cmake.log"; fail "configure"; }
grep -q "^${name}_DIR:PATH=$prefix/" "$work/hello-cmake/CMakeCache.txt" || fail "find_package did not use $prefix"
"$cmake" --build "$work/hello-cmake" >>"$work/hello-cmake.log" 2>&1 || { cat "$work/hello-cmake.log"; fail "build"; }
show "$work/hello-cmake/hello" cmake

step "examples/hello with pkg-config"
export PKG_CONFIG_PATH=$prefix/$libdir/pkgconfig
flags=$(pkg-config --cflags --libs "$pcname") || fail "pkg-config does not know $pcname"
echo "pkg-config --cflags --libs $pcname: $flags"
# shellcheck disable=SC2086 # the flags are words
"$cxx" "$source/examples/hello/main.cpp" -o "$work/hello-pkgconfig" $flags \
    -Wl,-rpath,"$prefix/$libdir" || fail "build with pkg-config"
show "$work/hello-pkgconfig" pkgconfig

step "exported symbols"
library=$prefix/$libdir/lib$name.so
if [ -e "$library" ]; then
    soname=$(readelf -d "$library" | sed -n 's/.*(SONAME).*\[\(.*\)\]/\1/p')
    [ "$soname" = "lib$name.so.$soversion" ] || fail "SONAME is '$soname'"
    [ -e "$prefix/$libdir/$soname" ] || fail "no $soname link"
    nm -D --defined-only "$library" | awk '{ print $NF }' >"$work/symbols"
    # Mangled names of the namespace: members (const ones too), vtables, VTTs,
    # type infos and their names, thunks.
    grep -vE '^_Z(T[VIST]|Th[n0-9_]+|Tv[n0-9_]+)?NK?8TAVQtLib' "$work/symbols" >"$work/foreign" || true
    if [ -s "$work/foreign" ]; then
        c++filt <"$work/foreign" | head -n 40
        fail "$(wc -l <"$work/foreign") exported symbols outside the TAVQtLib namespace"
    fi
    # The API is there; the archive reader behind its free functions is not.
    grep -q '^_ZN8TAVQtLib8LoadPageEP7QWidgetRK7QString$' "$work/symbols" || fail "LoadPage is not exported"
    ! grep -q '^_ZN8TAVQtLib14PackageArchive' "$work/symbols" || fail "PackageArchive is exported"
    echo "$soname exports $(wc -l <"$work/symbols") symbols, all in TAVQtLib"
else
    echo "static library: no dynamic symbols to check"
fi
echo "install test passed"
