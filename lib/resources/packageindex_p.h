#ifndef TAVQ_PACKAGEINDEX_H
#define TAVQ_PACKAGEINDEX_H

#include "tavqtlib_export.h"

#include <QByteArray>
#include <QString>

#include <map>
#include <memory>
#include <optional>
#include <vector>

namespace TAVQtLib {

// One package entry held in memory; the bytes are not NUL-terminated.
struct PackageFile
{
    // The entry's bytes (owned by the index) and their count.
    const char *data = nullptr;
    qint32 length = 0;
};

// Every entry of a package, extracted once and filed under its decoded name.
class PackageIndex
{
public:
    // False only when the package cannot be opened; the index is then unchanged.
    bool loadPackageEntries(const QString &path);
    // Exact, case-sensitive lookup of a key as keyOf() makes it.
    std::optional<PackageFile> findFile(const QByteArray &key) const;

    // The key of a name: its UTF-8 bytes with the ASCII letters lower-cased.
    static QByteArray keyOf(const QString &name);

    // Every entry's bytes by key, and whether there are none. The byte arrays
    // share the index's memory: they stay valid while the index (or a copy
    // of it) lives.
    const std::map<QByteArray, QByteArray> &files() const { return m_files; }
    bool isEmpty() const { return m_files.empty(); }

private:
    std::map<QByteArray, QByteArray> m_files;
    std::vector<std::shared_ptr<char>> m_blocks;    // the entries' memory
};

} // namespace TAVQtLib

#endif
