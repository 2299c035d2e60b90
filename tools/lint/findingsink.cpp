#include "lintcheck.h"

#include "duplicatekeys.h"

#include "base/tavqjson_p.h"

#include <json/reader.h>
#include <json/value.h>

#include <algorithm>
#include <exception>
#include <utility>

namespace TAVQtLib {
namespace Lint {

FindingSink::FindingSink(const QString &file, const QByteArray &text, QVector<Finding> *out)
    : m_file(file)
    , m_out(out)
{
    m_lineStarts.push_back(0);
    for (int i = 0; i < text.size(); ++i) {
        if (text.at(i) == '\n')
            m_lineStarts.push_back(i + 1);
    }
}

void FindingSink::place(qint64 offset, int *line, int *column) const
{
    const auto next = std::upper_bound(m_lineStarts.begin(), m_lineStarts.end(), std::max<qint64>(offset, 0));
    const auto start = next - 1;
    *line = int(start - m_lineStarts.begin()) + 1;
    *column = int(std::max<qint64>(offset, 0) - *start) + 1;
}

void FindingSink::add(Severity severity, qint64 offset, const QString &message)
{
    Finding finding;
    finding.file = m_file;
    finding.severity = severity;
    finding.message = message;
    place(offset, &finding.line, &finding.column);
    m_out->append(finding);
}

void FindingSink::add(Severity severity, const Json::Value &value, const QString &message)
{
    add(severity, qint64(value.getOffsetStart()), message);
}

QString FindingSink::lineAt(qint64 offset) const
{
    int line = 0;
    int column = 0;
    place(offset, &line, &column);
    return QStringLiteral("line %1").arg(line);
}

QString FindingSink::lineOf(const Json::Value &value) const
{
    return lineAt(qint64(value.getOffsetStart()));
}

void sortByPosition(QVector<Finding> *findings, int first)
{
    std::stable_sort(findings->begin() + first, findings->end(), [](const Finding &a, const Finding &b) {
        return std::make_pair(a.line, a.column) < std::make_pair(b.line, b.column);
    });
}

namespace {

// The reader keeps the last of a repeated key: a second "attr" drops the
// first one's keys, a second "elements" empties the page.
void reportDuplicateKeys(const QByteArray &text, FindingSink *sink)
{
    for (const DuplicateKey &duplicate : duplicateKeys(text)) {
        sink->add(Severity::Error, duplicate.offset,
                  QStringLiteral("key \"%1\" is given again in this object (first at %2); only the last is read")
                      .arg(QString::fromUtf8(duplicate.key), sink->lineAt(duplicate.first)));
    }
}

} // namespace

bool parseReporting(const QByteArray &text, Json::Value *root, FindingSink *sink)
{
    const char *begin = text.constData();
    const char *end = begin + text.size();
    if (JsonRead::parseDocument(begin, end, root)) {
        reportDuplicateKeys(text, sink);
        return true;
    }
    // The runtime's reader says only no; the classic reader of the same library
    // tells where.
    Json::Reader reader(Json::Features::all());
    Json::Value ignored;
    try {
        if (!reader.parse(begin, end, ignored, false)) {
            for (const Json::Reader::StructuredError &error : reader.getStructuredErrors())
                sink->add(Severity::Error, qint64(error.offset_start), QString::fromStdString(error.message));
            return false;
        }
    } catch (const std::exception &) {
        sink->add(Severity::Error, 0, QStringLiteral("nested too deeply to be read"));
        return false;
    }
    sink->add(Severity::Error, 0, QStringLiteral("not valid JSON"));
    return false;
}

} // namespace Lint
} // namespace TAVQtLib
