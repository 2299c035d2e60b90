# Doxygen input filter: the headers are commented in plain // comments, which
# this turns into documentation for the reference:
# - a comment line documents what follows it ("//" becomes "///");
# - a comment after a declaration documents that declaration ("///<");
# - a comment over several declarations with no blank line between them
#   documents all of them (a member group; DISTRIBUTE_GROUP_DOC hands the
#   first one's text to the others), as with a setter and its getter.

function is_comment(s) { return s ~ /^[ \t]*\/\/([^\/!]|$)/ }
function indent_of(s) { match(s, /^[ \t]*/); return substr(s, 1, RLENGTH) }
function doc_line(s) { sub(/\/\//, "///", s); return s }

# "code; // text" -> "code; ///< text", for declarations and enum values only.
function trailing(s,    pos, code) {
    if (is_comment(s) || s ~ /^[ \t]*#/)
        return s
    pos = index(s, " //")
    if (pos == 0 || substr(s, pos + 3, 1) == "/")
        return s
    code = substr(s, 1, pos - 1)
    sub(/[ \t]+$/, "", code)
    if (code !~ /[;,]$/)
        return s
    return code " ///<" substr(s, pos + 3)
}

# Lines that end a run of declarations, or are none themselves.
function breaks_run(s) {
    return s ~ /^[ \t]*$/ || is_comment(s) || s ~ /^[ \t]*#/ \
        || s ~ /^[ \t]*(public|protected|private|signals|Q_SIGNALS)[ \t]*(slots|Q_SLOTS)?[ \t]*:/ \
        || s ~ /^[ \t]*}/ || s ~ /^[ \t]*Q_[A-Z_]+[ \t]*(\(|$)/
}
function opens_scope(s) {
    return s ~ /^[ \t]*(class|struct|union|enum|namespace|template|extern)([ \t]|$)/
}
function count(s, ch,    n, i) {
    n = 0
    for (i = 1; i <= length(s); i++)
        if (substr(s, i, 1) == ch)
            n++
    return n
}
function code_of(s,    pos) {
    pos = index(s, "//")
    return pos ? substr(s, 1, pos - 1) : s
}

# The line after the last declaration of the run starting at `start`, and in
# `decls` how many declarations the run holds.
function run_end(start,    i, depth, c) {
    decls = 0
    i = start
    while (i <= n && !breaks_run(line[i]) && !opens_scope(line[i])) {
        depth = 0
        do {
            c = code_of(line[i])
            depth += count(c, "{") + count(c, "(") - count(c, "}") - count(c, ")")
            i++
        } while (i <= n && (depth > 0 || c !~ /[;}][ \t]*$/))
        decls++
    }
    return i
}

{ line[++n] = $0 }

END {
    i = 1
    while (i <= n) {
        if (!is_comment(line[i])) {
            print trailing(line[i])
            i++
            continue
        }
        first = i
        while (i <= n && is_comment(line[i]))
            i++
        last = run_end(i)
        grouped = decls > 1
        if (grouped)
            print indent_of(line[first]) "///@{"
        for (j = first; j < i; j++)
            print doc_line(line[j])
        if (!grouped)
            continue
        for (j = i; j < last; j++)
            print trailing(line[j])
        print indent_of(line[first]) "///@}"
        i = last
    }
}
