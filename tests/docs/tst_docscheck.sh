#!/usr/bin/env bash
# The reference's own check must catch what it is there for: a public class
# without an example and a member without a comment; a clean header passes.
# Usage: tst_docscheck.sh DOXYGEN PYTHON CHECK_DOCS WORK
set -euo pipefail
doxygen=$1 python=$2 check=$3 work=$4
rm -rf "$work"
mkdir -p "$work"
fail() { echo "FAIL: $*" >&2; exit 1; }

# Runs the check over HEADER's reference; its messages go to $work/out.
check_header() {
    rm -rf "$work/xml"
    printf 'INPUT = %s\nOUTPUT_DIRECTORY = %s\nGENERATE_HTML = NO\nGENERATE_LATEX = NO\nGENERATE_XML = YES\nQUIET = YES\nWARNINGS = NO\n' \
        "$1" "$work" >"$work/Doxyfile"
    "$doxygen" "$work/Doxyfile" >/dev/null
    "$python" "$check" "$work/xml" 2>"$work/out"
}

cat >"$work/planted.h" <<'EOF'
/// A namespace.
namespace N {
/// A class without an example.
class Plain
{
public:
    /// Commented.
    void commented();
    void bare();
protected:
    int m_bare;
};
}
EOF
if check_header "$work/planted.h"; then fail "the planted faults passed"; fi
for fault in "class N::Plain shows no example" "N::Plain::bare has no comment" "N::Plain::m_bare has no comment"; do
    grep -qF "$fault" "$work/out" || { cat "$work/out"; fail "not reported: $fault"; }
done
! grep -q "commented has no comment" "$work/out" || fail "a commented member was reported"

cat >"$work/clean.h" <<'EOF'
/// A namespace.
namespace N {
/**
 * A class with an example.
 * \code
 * N::Shown().shown();
 * \endcode
 */
class Shown
{
public:
    /// Commented.
    void shown();
};
}
EOF
check_header "$work/clean.h" || { cat "$work/out"; fail "a clean header was refused"; }
echo "docs check test passed"
