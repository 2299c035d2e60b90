#include "duplicatekeys.h"

#include <map>

namespace TAVQtLib {
namespace Lint {

namespace {

// One open bracket: for an object, the keys seen so far and whether the next
// string is a key.
struct Scope {
    bool object = false;
    bool expectKey = false;
    std::map<QByteArray, qint64> keys;
};

// The offset just past a string starting at `at` (its opening quote); its
// text, raw but for \" and \\, in `out`.
qint64 readString(const QByteArray &text, qint64 at, QByteArray *out)
{
    out->clear();
    qint64 i = at + 1;
    while (i < text.size() && text.at(i) != '"') {
        if (text.at(i) == '\\' && i + 1 < text.size()) {
            const char next = text.at(i + 1);
            if (next != '"' && next != '\\')
                out->append('\\');
            out->append(next);
            i += 2;
            continue;
        }
        out->append(text.at(i++));
    }
    return i + 1;
}

// The offset just past a comment starting at `at`, or `at` when none starts there.
qint64 skipComment(const QByteArray &text, qint64 at)
{
    if (at + 1 >= text.size() || text.at(at) != '/')
        return at;
    if (text.at(at + 1) == '/') {
        const qint64 end = text.indexOf('\n', at);
        return end < 0 ? text.size() : end;
    }
    if (text.at(at + 1) == '*') {
        const qint64 end = text.indexOf("*/", at + 2);
        return end < 0 ? text.size() : end + 2;
    }
    return at;
}

} // namespace

std::vector<DuplicateKey> duplicateKeys(const QByteArray &text)
{
    std::vector<DuplicateKey> found;
    std::vector<Scope> scopes;
    QByteArray string;
    for (qint64 i = 0; i < text.size();) {
        const qint64 past = skipComment(text, i);
        if (past != i) {
            i = past;
            continue;
        }
        const char c = text.at(i);
        if (c == '"') {
            const qint64 end = readString(text, i, &string);
            Scope *scope = scopes.empty() ? nullptr : &scopes.back();
            if (scope && scope->object && scope->expectKey) {
                const auto [known, inserted] = scope->keys.emplace(string, i);
                if (!inserted)
                    found.push_back(DuplicateKey{string, i, known->second});
                scope->expectKey = false;
            }
            i = end;
            continue;
        }
        if (c == '{' || c == '[') {
            scopes.push_back(Scope{c == '{', c == '{', {}});
        } else if ((c == '}' || c == ']') && !scopes.empty()) {
            scopes.pop_back();
        } else if (c == ',' && !scopes.empty() && scopes.back().object) {
            scopes.back().expectKey = true;
        }
        ++i;
    }
    return found;
}

} // namespace Lint
} // namespace TAVQtLib
