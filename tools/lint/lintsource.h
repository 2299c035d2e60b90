#ifndef TAVQ_LINTSOURCE_H
#define TAVQ_LINTSOURCE_H

#include "tavqlint.h"

#include "resources/packageindex.h"

#include <QByteArray>
#include <QSize>
#include <QString>

namespace TAVQtLib {
namespace Lint {

// The files of one source, found as the resource manager and the page builder
// find them, without touching the process-wide manager.
class LintSource
{
public:
    explicit LintSource(const Source &source);

    // Whether pages come from the package (and are GBK there).
    bool isPackaged(const QString &page) const;
    // The page's bytes: from the package, else the folder, else the path itself;
    // false when there is none.
    bool readPage(const QString &page, QByteArray *bytes) const;
    // The style sheet the runtime would load; false when there is none.
    bool readStyleSheet(QByteArray *bytes) const;
    // Whether an image of that name can be found (the built-in marks included).
    bool hasImage(const QString &name) const;
    // The size an image's header gives, as the runtime reads it before decoding;
    // invalid when there is no such file or its header tells none.
    QSize imageSize(const QString &name) const;

private:
    bool packageFile(const QString &name, QByteArray *bytes) const;

    Source m_source;
    QString m_folderPath;
    PackageIndex m_package;
};

} // namespace Lint
} // namespace TAVQtLib

#endif
