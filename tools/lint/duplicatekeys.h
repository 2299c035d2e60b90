#ifndef TAVQ_LINT_DUPLICATEKEYS_H
#define TAVQ_LINT_DUPLICATEKEYS_H

#include <QByteArray>

#include <vector>

namespace TAVQtLib {
namespace Lint {

// A key given again in one object: the reader keeps the last value and drops
// the earlier ones without a word.
struct DuplicateKey {
    QByteArray key;       // as written, escapes undone only for \" and \\.
    qint64 offset = 0;    // of the repeated key's opening quote
    qint64 first = 0;     // of the first one's
};

// Every repeated key of every object of a document the reader accepted
// (comments as JsonCpp takes them are skipped).
std::vector<DuplicateKey> duplicateKeys(const QByteArray &text);

} // namespace Lint
} // namespace TAVQtLib

#endif
