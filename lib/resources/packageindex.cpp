#include "packageindex.h"

#include "packagearchive.h"

#include <QFileInfo>
#include <QTextCodec>

#include <algorithm>
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

bool isUtf8(const QByteArray &bytes)
{
    // Most names are ASCII; they need no decoder.
    if (std::all_of(bytes.cbegin(), bytes.cend(), [](char c) { return uchar(c) < 0x80; }))
        return true;
    static QTextCodec *const utf8 = QTextCodec::codecForName("UTF-8");
    QTextCodec::ConverterState state(QTextCodec::IgnoreHeader);
    utf8->toUnicode(bytes.constData(), bytes.size(), &state);
    return state.invalidChars == 0 && state.remainingChars == 0;
}

// Names are UTF-8 when flagged so or when they decode as such; the others
// come from Chinese Windows tools and are GBK.
QByteArray entryKey(const PackageEntryInfo &info)
{
    // A UTF-8 name is its text's UTF-8 already.
    if (isUtf8(info.name))
        return asciiLower(info.name);
    static QTextCodec *const gbk = QTextCodec::codecForName("GBK");
    const bool utf8 = (info.flags & PackageUtf8NameFlag) || !gbk;
    return PackageIndex::keyOf(utf8 ? QString::fromUtf8(info.name) : gbk->toUnicode(info.name));
}

} // namespace

QByteArray PackageIndex::keyOf(const QString &name)
{
    // Every byte below 0x80 of UTF-8 is the ASCII character itself.
    return asciiLower(name.toUtf8());
}

bool PackageIndex::loadPackageEntries(const QString &path)
{
    PackageArchivePtr archive(openArchive(path));
    if (!archive)
        return false;
    // The entries of a true archive have their own compressed bytes, so all of
    // them together cannot expand beyond what deflate makes of the whole file.
    // Records that share bytes (or lie in data descriptors) stop at that budget.
    qint64 budget = QFileInfo(path).size() * MaxDeflateRatio;
    PackageEntryInfo info;
    entryInfo(archive.get(), -1, &info);
    const int count = info.index;
    for (int i = 0; i < count; ++i) {
        entryInfo(archive.get(), i, &info);
        // Empty entries, directories and entries that failed the checks
        // (impossible sizes included) report a size of 0 and are never allocated.
        if (info.uncompressedSize <= 0)
            continue;
        const QByteArray key = entryKey(info);
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
