#include "controls/tavqcontrols.h"
#include "tavqlint.h"

#include "lintcheck.h"
#include "lintsource.h"

#include "core/tavqregistry.h"

#include <QFileInfo>

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

// A package that was named but not read leaves the runtime with nothing of it.
void checkPackage(const Source &source, const LintSource &files, QVector<Finding> *findings)
{
    if (files.packageRead())
        return;
    const QString why = QFileInfo::exists(source.packagePath) ? QStringLiteral("is not a package the runtime can read")
                                                              : QStringLiteral("does not exist");
    findings->append(Finding{source.packagePath, 1, 1, Severity::Error, QStringLiteral("the package ") + why});
}

} // namespace

QVector<Finding> lintPage(const Source &source, const QString &page)
{
    ensureRegistry();
    const LintSource files(source);
    QVector<Finding> findings;
    checkPackage(source, files, &findings);
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
