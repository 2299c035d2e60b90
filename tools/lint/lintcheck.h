#ifndef TAVQ_LINTCHECK_H
#define TAVQ_LINTCHECK_H

#include "tavqlint.h"

#include "base/tavqkeytable_p.h"
#include "resources/tavqstyle.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

namespace Json {
class Value;
}

namespace TAVQtLib {
namespace Lint {

class LintSource;

// Findings of one file, placed by byte offsets into its text.
class FindingSink
{
public:
    FindingSink(const QString &file, const QByteArray &text, QVector<Finding> *out);

    void add(Severity severity, qint64 offset, const QString &message);
    // At the start of a value the reader placed.
    void add(Severity severity, const Json::Value &value, const QString &message);
    // 1-based line and column of the value's start: "line 4".
    QString lineOf(const Json::Value &value) const;
    // The same for an offset into the text.
    QString lineAt(qint64 offset) const;

private:
    void place(qint64 offset, int *line, int *column) const;

    QString m_file;
    std::vector<qint64> m_lineStarts;
    QVector<Finding> *m_out;
};

// Members come in key order; readers want the findings from `first` on in the
// order of the text.
void sortByPosition(QVector<Finding> *findings, int first);

// Parses as the runtime does; on failure reports the reader's own errors.
bool parseReporting(const QByteArray &text, Json::Value *root, FindingSink *sink);

// "a string", "an integer" and so on.
QString jsonTypeText(const Json::Value &value);

// The integer `object` holds under `key` when it lies outside low..high (the
// value itself in *at); nothing when it is absent, no integer, or in range.
std::optional<int> outsideRange(const Json::Value &object, const char *key, int low, int high,
                                const Json::Value **at);

// Reports a value the runtime treats as absent (false then) and an image that
// cannot be found.
bool checkValue(const TAVQKey &key, const Json::Value &value, const QString &owner, const LintSource &source,
                FindingSink *sink);
// checkValue() for every member of `object` the table lists; the others are
// reported as a `what` ("attribute", "key") that `owner` does not read.
void checkMembers(const TAVQControlTable &table, const Json::Value &object, const QString &what, const QString &owner,
                  const LintSource &source, FindingSink *sink);

// The styles the runtime would hold, and whether a sheet was loaded at all.
struct StyleNames {
    TAVQBoxStyleTable boxes;
    TAVQFontStyleTable fonts;
    bool loaded = false;
};

// Checks the style sheet of the source; returns the styles it defines.
StyleNames checkStyleSheet(const LintSource &source, QVector<Finding> *findings);
// Checks one page against the registry's tables and the styles.
void checkPage(const LintSource &source, const QString &page, const StyleNames &styles,
               QVector<Finding> *findings);

} // namespace Lint
} // namespace TAVQtLib

#endif
