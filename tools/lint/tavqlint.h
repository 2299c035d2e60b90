#ifndef TAVQLINT_H
#define TAVQLINT_H

#include <QString>
#include <QVector>

namespace TAVQtLib {
namespace Lint {

// How bad a finding is: an error is a place where the runtime falls back.
enum class Severity { Warning, Error };

// One thing lint has to say about a page or the style sheet, at its position.
struct Finding {
    QString file;      // as shown: page name or "style.json"
    int line = 0;      // 1-based
    int column = 0;    // 1-based
    Severity severity = Severity::Error;
    QString message;
};

// Where pages, the style sheet and images come from: the package first, then the folder.
struct Source {
    QString packagePath;   // empty: none
    QString folder;        // empty: none
};

// Checks a page and the style sheet it uses.
QVector<Finding> lintPage(const Source &source, const QString &page);
// "file:line:col: error: message", as compilers write it.
QString formatFinding(const Finding &finding);

// Checks the style sheet alone.
QVector<Finding> lintStyleSheet(const Source &source);
// 1 when a finding is an error (any finding, with warningsAsErrors), else 0.
int exitStatus(const QVector<Finding> &findings, bool warningsAsErrors);

} // namespace Lint
} // namespace TAVQtLib

#endif // TAVQLINT_H
