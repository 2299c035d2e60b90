#ifndef TAVQ_PACKAGEINDEX_H
#define TAVQ_PACKAGEINDEX_H

#include <QByteArray>

#include <map>
#include <optional>

namespace TAVQtLib {

// One package entry held in memory; the bytes are not NUL-terminated.
struct PackageFile
{
    const char *data = nullptr;
    qint32 length = 0;
};

// Every entry of a package, extracted once and filed under its lower-cased name.
class PackageIndex
{
public:
    // False only when the package cannot be opened; the index is then unchanged.
    bool loadPackageEntries(const QByteArray &path);
    // Exact, case-sensitive byte lookup.
    std::optional<PackageFile> findFile(const QByteArray &key) const;

    const std::map<QByteArray, QByteArray> &files() const { return m_files; }
    bool isEmpty() const { return m_files.empty(); }

private:
    std::map<QByteArray, QByteArray> m_files;
};

} // namespace TAVQtLib

#endif
