#include "packageindex.h"

#include "packagearchive.h"

#include <QFile>
#include <QFileInfo>

#include <new>

namespace TAVQtLib {

namespace {

QByteArray asciiLower(QByteArray name)
{
    for (char &c : name) {
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    }
    return name;
}

} // namespace

bool PackageIndex::loadPackageEntries(const QByteArray &path)
{
    PackageArchivePtr archive(openArchive(path));
    if (!archive)
        return false;
    // The entries of a true archive have their own compressed bytes, so all of
    // them together cannot expand beyond what deflate makes of the whole file.
    // Records that share bytes (or lie in data descriptors) stop at that budget.
    qint64 budget = QFileInfo(QFile::decodeName(path)).size() * MaxDeflateRatio;
    PackageEntryInfo info;
    entryInfo(archive.get(), -1, &info);
    const int count = info.index;
    for (int i = 0; i < count; ++i) {
        entryInfo(archive.get(), i, &info);
        // Empty entries, directories and entries that failed the checks
        // (impossible sizes included) report a size of 0 and are never allocated.
        if (info.uncompressedSize <= 0)
            continue;
        const QByteArray key = asciiLower(info.name);
        if (m_files.count(key) || info.uncompressedSize > budget)
            continue;   // the entry filed first stays
        QByteArray buffer;
        try {
            buffer = QByteArray(info.uncompressedSize, '\0');
        } catch (const std::bad_alloc &) {
            continue;
        }
        // A failed extraction keeps what was written before the failure.
        budget -= buffer.size();
        extractToMemory(archive.get(), i, buffer.data(), buffer.size());
        m_files.emplace(key, buffer);
    }
    return true;
}

std::optional<PackageFile> PackageIndex::findFile(const QByteArray &key) const
{
    const auto it = m_files.find(key);
    if (it == m_files.end())
        return std::nullopt;
    return PackageFile {it->second.constData(), qint32(it->second.size())};
}

} // namespace TAVQtLib
