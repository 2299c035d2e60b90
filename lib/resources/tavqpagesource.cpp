#include "tavqpagesource_p.h"

#include "base/tavqlimits.h"
#include "packageindex_p.h"
#include "tavqresourcemanager_p.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <iterator>
#include <utility>

namespace TAVQtLib {

namespace {

const QString StyleSheetName = QStringLiteral("style.json");

QString withSlash(const QString &folder)
{
    return folder.isEmpty() || folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

} // namespace

TAVQPageSource::TAVQPageSource(const PackageIndex *package, const QString &folder, Oversized oversized)
    : m_package(package)
    , m_folder(withSlash(folder))
    , m_oversized(oversized)
{
}

TAVQPageSource TAVQPageSource::runtime()
{
    const TAVQResourceManagerPrivate &manager = TAVQResourceManagerPrivate::get(TAVQResourceManager::instance());
    return TAVQPageSource(&manager.package, manager.folderPath);
}

TAVQSourceFile TAVQPageSource::document(const QString &name) const
{
    TAVQSourceFile entry = packageEntry(name);
    if (entry.found())
        return bounded(std::move(entry));
    if (!m_folder.isEmpty() && QFile::exists(m_folder + name))
        return readFile(TAVQFilePlace::Folder, m_folder + name);
    return readFile(TAVQFilePlace::Disk, name);
}

TAVQSourceFile TAVQPageSource::styleSheet() const
{
    if (m_folder.isEmpty())
        return bounded(packageEntry(StyleSheetName));
    return readFile(TAVQFilePlace::Folder, m_folder + StyleSheetName);
}

TAVQSourceFile TAVQPageSource::image(const QString &name) const
{
    // Drawn by the runtime at start-up; its cache answers before any file.
    if (isBuiltinImage(name))
        return TAVQSourceFile{TAVQFilePlace::Builtin, false, QByteArray(), QString()};
    TAVQSourceFile entry = packageEntry(name);
    if (entry.found())
        return entry;
    return folderImage(name);
}

TAVQSourceFile TAVQPageSource::packageEntry(const QString &name) const
{
    const std::optional<PackageFile> file = m_package ? m_package->findFile(packageKey(name)) : std::nullopt;
    if (!file)
        return TAVQSourceFile();
    return TAVQSourceFile{TAVQFilePlace::Package, false, QByteArray::fromRawData(file->data, file->length),
                          QString()};
}

TAVQSourceFile TAVQPageSource::folderImage(const QString &name) const
{
    QString path = m_folder + name;
    if (!QFileInfo::exists(path))
        path = m_folder + QLatin1String("images/") + name;
    if (!QFileInfo::exists(path))
        return TAVQSourceFile();
    const TAVQFilePlace place = m_folder.isEmpty() ? TAVQFilePlace::Disk : TAVQFilePlace::Folder;
    return TAVQSourceFile{place, false, QByteArray(), path};
}

bool TAVQPageSource::isBuiltinImage(const QString &name)
{
    return std::any_of(std::begin(BuiltinImageNames), std::end(BuiltinImageNames),
                       [&name](const char *builtin) { return name == QLatin1String(builtin); });
}

QByteArray TAVQPageSource::packageKey(const QString &name)
{
    QString path = name;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return PackageIndex::keyOf(path);
}

TAVQSourceFile TAVQPageSource::readFile(TAVQFilePlace place, const QString &path) const
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return TAVQSourceFile();
    TAVQSourceFile found{place, false, QByteArray(), path};
    // Refused unread: a few bytes more would not make it acceptable.
    if (m_oversized == Oversized::Refused && file.size() > Limits::MaxDocumentBytes) {
        found.tooLarge = true;
        return found;
    }
    // One byte more than the bound tells a file that grew, or has no size, apart.
    found.bytes = file.read(Limits::MaxDocumentBytes + 1);
    return bounded(std::move(found));
}

TAVQSourceFile TAVQPageSource::bounded(TAVQSourceFile file) const
{
    file.tooLarge = file.bytes.size() > Limits::MaxDocumentBytes;
    if (file.tooLarge && m_oversized == Oversized::Refused)
        file.bytes.clear();
    return file;
}

} // namespace TAVQtLib
