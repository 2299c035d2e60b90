#include "controls/tavqcontrols.h"
#include "tavqlint.h"

#include "lintcheck.h"
#include "lintsource.h"

#include "core/tavqregistry.h"

#include <algorithm>

namespace TAVQtLib {
namespace Lint {

namespace {

// The checks read the control tables through the registry.
void ensureRegistry()
{
    if (RegisteredControlTypes().empty())
        RegisterBuiltinControls();
}

} // namespace

QVector<Finding> lintPage(const Source &source, const QString &page)
{
    ensureRegistry();
    const LintSource files(source);
    QVector<Finding> findings;
    const StyleNames styles = checkStyleSheet(files, &findings);
    checkPage(files, page, styles, &findings);
    return findings;
}

QVector<Finding> lintStyleSheet(const Source &source)
{
    QVector<Finding> findings;
    checkStyleSheet(LintSource(source), &findings);
    return findings;
}

QString formatFinding(const Finding &finding)
{
    return QStringLiteral("%1:%2:%3: %4: %5")
        .arg(finding.file)
        .arg(finding.line)
        .arg(finding.column)
        .arg(finding.severity == Severity::Error ? QStringLiteral("error") : QStringLiteral("warning"))
        .arg(finding.message);
}

int exitStatus(const QVector<Finding> &findings, bool warningsAsErrors)
{
    const bool failed = std::any_of(findings.begin(), findings.end(), [warningsAsErrors](const Finding &finding) {
        return warningsAsErrors || finding.severity == Severity::Error;
    });
    return failed ? 1 : 0;
}

} // namespace Lint
} // namespace TAVQtLib
