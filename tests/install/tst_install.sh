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
# A reference that was built is installed under the library's own name, saying its Qt.
if [ -e "$build/docs/html/index.html" ]; then
    reference=$prefix/share/doc/$name/html/index.html
    [ -e "$reference" ] || fail "the API reference is not installed in share/doc/$name"
    grep -q "Qt $qt widgets" "$reference" || fail "the installed reference does not say Qt $qt"
fi
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

step "every installed header compiles alone with -Wall -Wextra -pedantic"
# Our headers by -I, Qt's and JsonCpp's as system headers: their warnings are not ours.
cflags=()
for flag in $(pkg-config --cflags "$pcname"); do
    case $flag in
        -I"$prefix"/*) cflags+=("$flag") ;;
        -I*) cflags+=(-isystem "${flag#-I}") ;;
        *) cflags+=("$flag") ;;
    esac
done
headers=$(cd "$prefix/$includeroot" && find TAVQtLib -name '*.h' | sort)
for header in $headers; do
    case $header in *_p.h) fail "$header is a private header and is installed" ;; esac
    echo "#include <$header>" | "$cxx" -std=c++17 -fPIC -fsyntax-only -Wall -Wextra -pedantic -Werror \
        "${cflags[@]}" -x c++ - 2>"$work/header.log" || { cat "$work/header.log"; fail "$header does not compile alone"; }
done
echo "installed headers:" $headers

step "examples/gauge, a control of its own, with find_package"
mkdir -p "$work/gauge-package"
cat >"$work/gauge-package/style.json" <<'EOF'
{ "style": [ { "type": 1, "name": "gauge.bg", "drawImg": false, "clr": "ff202020" },
             { "type": 1, "name": "gauge.bar", "drawImg": false, "clr": "ffcc3300", "borderSize": 0 },
             { "type": 2, "name": "gauge.figure", "size": 16, "clr": "ffffff", "hor": 1 } ] }
EOF
cat >"$work/gauge-package/Gauge.json" <<'EOF'
{ "w": 200, "h": 60,
  "elements": [ { "type": "gauge", "name": "fuel", "layout": { "type": 1 },
                  "style": [["gauge.bg", 0, 0], ["gauge.bar", 0, 2], ["gauge.figure", 0, 3]],
                  "attr": { "value": 50, "max": 100 } } ] }
EOF
"$prefix/bin/tavqpkg" pack --gbk "$work/gauge-package" "$work/gauge.data" >/dev/null
"$cmake" -S "$source/examples/gauge" -B "$work/gauge-cmake" -DCMAKE_CXX_COMPILER="$cxx" \
    -DCMAKE_PREFIX_PATH="$prefix" -DTAVQTLIB_PACKAGE="$name" >"$work/gauge-cmake.log" || { cat "$work/gauge-cmake.log"; fail "configure"; }
"$cmake" --build "$work/gauge-cmake" >>"$work/gauge-cmake.log" 2>&1 || { cat "$work/gauge-cmake.log"; fail "build"; }
QT_QPA_PLATFORM=offscreen "$work/gauge-cmake/gauge" "$work/gauge.data" Gauge.json "$work/gauge.ppm" || fail "gauge failed"
# Half the bar is filled: the bar's colour at the left, the background's at the right.
bar=$(pixel "$work/gauge.ppm" 20 30)
background=$(pixel "$work/gauge.ppm" 180 30)
[ "$bar" = cc3300 ] && [ "$background" = 202020 ] || fail "gauge painted #$bar and #$background where #cc3300 and #202020 were due"
echo "the gauge painted its bar #$bar on #$background"

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
    # Only what installed headers define leaves the library: no implementation
    # class but the base a control of one's own derives from, no internal helper.
    c++filt <"$work/symbols" >"$work/demangled"
    grep -oE 'TAVQtLib::TAVQ[A-Za-z]*Impl\b' "$work/demangled" | grep -v '::TAVQControlBaseImpl$' | sort -u >"$work/impls" || true
    [ ! -s "$work/impls" ] || { cat "$work/impls"; fail "$(wc -l <"$work/impls") implementation classes are exported"; }
    (cd "$prefix/$includeroot" && cat $headers) |
        grep -oE '^\s*(class|struct|namespace|enum|using) (TAVQTLIB_EXPORT )?[A-Za-z_]+|TAVQTLIB_EXPORT [^(]*[ *&][A-Za-z_]+\(' |
        grep -oE '[A-Za-z_]+\(?$' | tr -d '(' | sort -u >"$work/defined"
    grep -oE '^[^(<]*TAVQtLib::[A-Za-z_]+' "$work/demangled" | sed 's/.*TAVQtLib:://' | sort -u >"$work/names"
    internal=$(comm -23 "$work/names" "$work/defined" | tr '\n' ' ')
    [ -z "$internal" ] || fail "exported, but defined in no installed header: $internal"
    # The API is there; the archive reader behind its free functions is not.
    grep -q '^_ZN8TAVQtLib8LoadPageEP7QWidgetRK7QString$' "$work/symbols" || fail "LoadPage is not exported"
    ! grep -q '^_ZN8TAVQtLib14PackageArchive' "$work/symbols" || fail "PackageArchive is exported"
    echo "$soname exports $(wc -l <"$work/symbols") symbols, all in TAVQtLib"
else
    echo "static library: no dynamic symbols to check"
fi
echo "install test passed"
