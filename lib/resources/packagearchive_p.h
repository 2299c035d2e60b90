#ifndef TAVQ_PACKAGEARCHIVE_H
#define TAVQ_PACKAGEARCHIVE_H

#include "packageresult_p.h"
#include "tavqtlib_export.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <memory>

namespace TAVQtLib {

// Longest stored name kept, terminating NUL included.
constexpr int PackageMaxNameLength = 1024;
constexpr int PackageInputBufferSize = 0x4000;
// Deflate cannot expand one input byte into more than 1032 output bytes
// (a 258-byte match coded in two bits); anything beyond is a lie.
constexpr qint64 MaxDeflateRatio = 1032;
// General-purpose flag bit 11: the stored name is UTF-8.
constexpr quint16 PackageUtf8NameFlag = 0x0800;

struct PackageEntryInfo
{
    qint32 index = 0;           // for the query with index -1: the entry count
    QByteArray name;            // sanitised stored path, bytes unchanged
    qint32 compressedSize = 0;
    qint32 uncompressedSize = 0;
    quint16 flags = 0;          // general-purpose flags as stored
    quint32 attributes = 0;     // external attributes as stored
    QDateTime modified;         // from the DOS time and date
};

class PackageArchive;

// The file is opened by its name as given, without a round trip through bytes.
PackageArchive *openArchive(const QString &path, const char *password = nullptr);
// The same reader over bytes already in memory (the archive keeps a shallow copy).
PackageArchive *openArchiveData(const QByteArray &data, const char *password = nullptr);
PackageResult entryInfo(PackageArchive *archive, int index, PackageEntryInfo *info);
PackageResult extractToMemory(PackageArchive *archive, int index, char *buffer, qint64 size);
PackageResult closeArchive(PackageArchive *archive);

// A deflated entry's compressed bytes, for decoding the whole entry in one
// call apart from the archive's own stream (and on any thread).
struct PackageDeflatedEntry
{
    const uchar *input = nullptr;   // inside the archive's file image
    qint64 inputSize = 0;
    qint64 outputSize = 0;          // the declared uncompressed size
    quint32 crc = 0;                // the declared CRC-32
};

// Describes entry `index` when it is deflated, not encrypted and passes the
// checks an extraction makes; false otherwise. Like entryInfo it ends an
// extraction in progress; it leaves the last result as it was. The input
// stays valid while the archive is open.
bool deflatedEntry(PackageArchive *archive, int index, PackageDeflatedEntry *entry);

// Where an entry's bytes lie in the file: from its local header to the end
// of its compressed data (a data descriptor after them is not counted).
struct PackageEntrySpan
{
    qint64 begin = 0;
    qint64 end = 0;
};

// The span of entry `index` when it passes the checks an extraction makes;
// false otherwise. Like entryInfo it ends an extraction in progress.
bool entrySpan(PackageArchive *archive, int index, PackageEntrySpan *span);

struct PackageArchiveCloser
{
    void operator()(PackageArchive *archive) const { closeArchive(archive); }
};
using PackageArchivePtr = std::unique_ptr<PackageArchive, PackageArchiveCloser>;

} // namespace TAVQtLib

#endif
