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
    QSize size;
    readImage(name, [&size](QImageReader &reader) { size = reader.size(); });
    return size;
}

bool LintSource::imageDecodes(const QString &name) const
{
    if (m_files.image(name).place == TAVQFilePlace::Builtin)
        return true;
    bool decodes = false;
    readImage(name, [&decodes](QImageReader &reader) { decodes = !reader.read().isNull(); });
    return decodes;
}

void LintSource::readImage(const QString &name, const std::function<void(QImageReader &)> &read) const
{
    TAVQSourceFile image = m_files.image(name);
    switch (image.place) {
    case TAVQFilePlace::Package: {
        QBuffer buffer(&image.bytes);
        QImageReader reader(&buffer);
        read(reader);
        break;
    }
    case TAVQFilePlace::Folder:
    case TAVQFilePlace::Disk: {
        QImageReader reader(image.path);
        read(reader);
        break;
    }
    case TAVQFilePlace::Nowhere:
    case TAVQFilePlace::Builtin:
        break;
    }
}

} // namespace Lint
} // namespace TAVQtLib
