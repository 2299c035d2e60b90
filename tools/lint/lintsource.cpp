#include "lintsource.h"

#include "base/tavqlimits.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

namespace TAVQtLib {
namespace Lint {

LintSource::LintSource(const Source &source)
    : m_source(source)
{
    if (!source.folder.isEmpty())
        m_folderPath = source.folder.endsWith(QLatin1Char('/')) ? source.folder : source.folder + QLatin1Char('/');
    if (!source.packagePath.isEmpty())
        m_package.loadPackageEntries(source.packagePath);
}

bool LintSource::packageFile(const QString &name, QByteArray *bytes) const
{
    QString path = name;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const std::optional<PackageFile> file = m_package.findFile(PackageIndex::keyOf(path));
    if (!file)
        return false;
    if (bytes)
        *bytes = QByteArray(file->data, file->length);
    return true;
}

bool LintSource::isPackaged(const QString &page) const
{
    return packageFile(page, nullptr);
}

bool LintSource::readPage(const QString &page, QByteArray *bytes) const
{
    if (packageFile(page, bytes))
        return true;
    QFile file(m_folderPath + page);
    if (!file.exists())
        file.setFileName(page);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    // One byte more than the runtime reads tells that it would not read it.
    *bytes = file.read(Limits::MaxDocumentBytes + 1);
    return true;
}

bool LintSource::readStyleSheet(QByteArray *bytes) const
{
    // A style folder replaces the package's sheet, as loading one does in the tools.
    if (m_source.folder.isEmpty())
        return packageFile(QStringLiteral("style.json"), bytes);
    QFile file(m_folderPath + QLatin1String("style.json"));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    *bytes = file.read(Limits::MaxDocumentBytes + 1);
    return true;
}

bool LintSource::hasImage(const QString &name) const
{
    // Drawn by the runtime at start-up, never read from a file.
    static const char *const builtins[] = {"IDB_UNSELECT", "IDB_SELECTED", "IDB_UNCHECK", "IDB_CHECKED"};
    for (const char *builtin : builtins) {
        if (name == QLatin1String(builtin))
            return true;
    }
    return packageFile(name, nullptr) || QFileInfo(m_folderPath + name).isFile()
        || QFileInfo(m_folderPath + QLatin1String("images/") + name).isFile();
}

QSize LintSource::imageSize(const QString &name) const
{
    QByteArray bytes;
    if (packageFile(name, &bytes)) {
        QBuffer buffer(&bytes);
        return QImageReader(&buffer).size();
    }
    QString path = m_folderPath + name;
    if (!QFileInfo(path).isFile())
        path = m_folderPath + QLatin1String("images/") + name;
    return QImageReader(path).size();
}

} // namespace Lint
} // namespace TAVQtLib
