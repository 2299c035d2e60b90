#include "lintsource.h"

#include <QBuffer>
#include <QImageReader>

namespace TAVQtLib {
namespace Lint {

namespace {

PackageIndex loadedPackage(const QString &path, bool *read)
{
    PackageIndex package;
    if (!path.isEmpty())
        *read = package.loadPackageEntries(path);
    return package;
}

} // namespace

LintSource::LintSource(const Source &source)
    : m_package(loadedPackage(source.packagePath, &m_packageRead))
    , m_files(&m_package, source.folder, TAVQPageSource::Oversized::Kept)
{
}

bool LintSource::readStyleSheet(QByteArray *bytes) const
{
    const TAVQSourceFile sheet = m_files.styleSheet();
    *bytes = sheet.bytes;
    return sheet.found();
}

QSize LintSource::imageSize(const QString &name) const
{
    TAVQSourceFile image = m_files.image(name);
    switch (image.place) {
    case TAVQFilePlace::Package: {
        QBuffer buffer(&image.bytes);
        return QImageReader(&buffer).size();
    }
    case TAVQFilePlace::Folder:
    case TAVQFilePlace::Disk:
        return QImageReader(image.path).size();
    case TAVQFilePlace::Nowhere:
    case TAVQFilePlace::Builtin:
        break;
    }
    return QSize();
}

bool LintSource::imageDecodes(const QString &name) const
{
    TAVQSourceFile image = m_files.image(name);
    switch (image.place) {
    case TAVQFilePlace::Package: {
        QBuffer buffer(&image.bytes);
        return !QImageReader(&buffer).read().isNull();
    }
    case TAVQFilePlace::Folder:
    case TAVQFilePlace::Disk:
        return !QImageReader(image.path).read().isNull();
    case TAVQFilePlace::Builtin:
        return true;
    case TAVQFilePlace::Nowhere:
        break;
    }
    return false;
}

} // namespace Lint
} // namespace TAVQtLib
