#include "packagearchive_p.h"

#include "zeroedblock_p.h"
#include "zipcrypt_p.h"

#include <QFile>

#include <zlib.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <new>

namespace TAVQtLib {

namespace {

constexpr quint32 EndOfDirectorySignature = 0x06054B50;
constexpr quint32 DirectoryRecordSignature = 0x02014B50;
constexpr quint32 LocalHeaderSignature = 0x04034B50;
constexpr qint64 EndOfDirectorySize = 22;
constexpr qint64 DirectoryRecordSize = 46;
constexpr qint64 LocalHeaderSize = 30;
constexpr qint64 MaxCommentSearch = 0xFFFF;
constexpr int EncryptionHeaderSize = 12;

constexpr quint16 FlagEncrypted = 0x0001;
constexpr quint16 FlagDataDescriptor = 0x0008;
constexpr quint16 MethodStored = 0;
constexpr quint16 MethodDeflated = 8;
constexpr quint32 Zip64EndRecordSignature = 0x06064B50;
constexpr quint32 Zip64LocatorSignature = 0x07064B50;
constexpr qint64 Zip64EndRecordSize = 56;
constexpr qint64 Zip64LocatorSize = 20;
constexpr quint32 Zip64Placeholder = 0xFFFFFFFF;
constexpr quint16 Zip64ExtraId = 0x0001;
constexpr quint16 Zip64LocalFieldSize = 16;

quint16 le16(const uchar *p) { return quint16(p[0] | (p[1] << 8)); }
quint32 le32(const uchar *p) { return quint32(p[0]) | (quint32(p[1]) << 8) | (quint32(p[2]) << 16) | (quint32(p[3]) << 24); }
quint64 le64(const uchar *p) { return quint64(le32(p)) | (quint64(le32(p + 4)) << 32); }

struct DirectoryRecord
{
    quint16 flags = 0;
    quint16 method = 0;
    quint16 dosTime = 0;
    quint16 dosDate = 0;
    quint32 crc = 0;
    quint32 compressedSize = 0;
    quint32 uncompressedSize = 0;
    quint16 nameLength = 0;
    quint16 extraLength = 0;
    quint16 commentLength = 0;
    quint32 attributes = 0;
    quint32 localOffset = 0;

    qint64 length() const { return DirectoryRecordSize + nameLength + extraLength + commentLength; }
};

QDateTime fromDos(quint16 time, quint16 date)
{
    const QDate d(1980 + (date >> 9), (date >> 5) & 0x0F, date & 0x1F);
    const QTime t(time >> 11, (time >> 5) & 0x3F, (time & 0x1F) * 2);
    return QDateTime(d, t);
}

// Drops drive prefixes, leading separators and everything up to a parent
// reference, so that no stored name can point outside the package root.
// What is dropped is only skipped over: the first occurrence of a reference
// at or after the start stays the one found earlier until the start passes
// it, so each reference is searched for once per occurrence, not per step.
QByteArray sanitisedName(const QByteArray &name)
{
    static const char *const parentRefs[] = {"\\..\\", "\\../", "/../", "/..\\"};
    constexpr qsizetype NotSearched = -2;
    qsizetype found[4] = {NotSearched, NotSearched, NotSearched, NotSearched};
    const qsizetype size = name.size();
    qsizetype start = 0;
    for (;;) {
        if (size - start >= 2 && name.at(start) != '\0' && name.at(start + 1) == ':') {
            start += 2;
            continue;
        }
        if (start < size && (name.at(start) == '\\' || name.at(start) == '/')) {
            ++start;
            continue;
        }
        bool dropped = false;
        for (int i = 0; i < 4; ++i) {
            // -1: absent after an earlier start, so after this one too.
            if (found[i] != -1 && found[i] < start)
                found[i] = name.indexOf(parentRefs[i], start);
            if (found[i] >= 0) {
                start = found[i] + 4;
                dropped = true;
                break;
            }
        }
        if (!dropped)
            return name.mid(start);
    }
}

// The data of the extra block with the given id, or null.
const uchar *extraBlock(const uchar *extra, quint16 extraLength, quint16 id, quint16 *size)
{
    for (int pos = 0; pos + 4 <= extraLength;) {
        const quint16 blockSize = le16(extra + pos + 2);
        if (pos + 4 + blockSize > extraLength)
            return nullptr;
        if (le16(extra + pos) == id) {
            *size = blockSize;
            return extra + pos + 4;
        }
        pos += 4 + blockSize;
    }
    return nullptr;
}

struct LocalSizes
{
    quint64 compressed = 0;
    quint64 uncompressed = 0;
};

// A writer that does not know the sizes in advance (Info-ZIP reading a pipe)
// leaves placeholders in the local header and the true sizes in a Zip64 field,
// which in a local header always holds both: uncompressed, then compressed.
LocalSizes localSizes(const uchar *local, const uchar *extra, quint16 extraLength)
{
    LocalSizes sizes {le32(local + 18), le32(local + 22)};
    if ((sizes.compressed != Zip64Placeholder && sizes.uncompressed != Zip64Placeholder) || !extra)
        return sizes;
    quint16 size = 0;
    const uchar *zip64 = extraBlock(extra, extraLength, Zip64ExtraId, &size);
    if (!zip64 || size < Zip64LocalFieldSize)
        return sizes;
    if (sizes.uncompressed == Zip64Placeholder)
        sizes.uncompressed = le64(zip64);
    if (sizes.compressed == Zip64Placeholder)
        sizes.compressed = le64(zip64 + 8);
    return sizes;
}

} // namespace

class PackageArchive
{
public:
    PackageResult open(const QString &path);
    PackageResult openData(const QByteArray &data);
    PackageResult info(int index, PackageEntryInfo *info);
    PackageResult extract(int index, char *buffer, qint64 size);
    bool deflated(int index, PackageDeflatedEntry *entry);
    bool span(int index, PackageEntrySpan *span);
    void endExtraction();

    QByteArray password;

private:
    struct Extraction
    {
        int index = -1;
        quint16 method = 0;
        bool encrypted = false;
        qint64 inputPos = 0;
        qint64 compressedLeft = 0;
        qint64 uncompressedLeft = 0;
        const uchar *next = nullptr;
        qint64 available = 0;
        z_stream stream {};
        bool streamReady = false;
        std::unique_ptr<ZipCryptKeys> keys;
        QByteArray input;
    };

    PackageResult locateDirectory();
    qint64 directoryEnd(qint64 endRecord, qint64 storedDirectoryEnd) const;
    bool goToEntry(int index);
    bool readRecord(qint64 pos, DirectoryRecord *record) const;
    PackageResult checkCoherence(const DirectoryRecord &record, qint64 *dataPos) const;
    bool plausibleSizes(const DirectoryRecord &record, qint64 dataPos) const;
    PackageResult startExtraction(int index);
    PackageResult refillInput();
    PackageResult produce(char *out, qint64 room, qint64 *produced, bool *ended);
    const uchar *bytesAt(qint64 pos, qint64 length) const
    {
        return (pos >= 0 && length >= 0 && pos <= m_size && length <= m_size - pos) ? m_data + pos : nullptr;
    }

    QFile m_file;
    std::shared_ptr<char> m_block;  // the whole file
    QByteArray m_bytes;             // the whole file when there is no block, or the caller's bytes
    const uchar *m_data = nullptr;
    qint64 m_size = 0;
    qint64 m_prefix = 0;
    int m_entryCount = 0;
    qint64 m_directoryPos = 0;

    int m_currentIndex = 0;
    qint64 m_currentPos = 0;
    bool m_currentValid = false;
    DirectoryRecord m_current;

    int m_cachedIndex = -1;
    PackageEntryInfo m_cachedInfo;
    Extraction m_extraction;
};

PackageResult PackageArchive::open(const QString &path)
{
    m_file.setFileName(path);
    if (path.isEmpty() || !m_file.open(QIODevice::ReadOnly))
        return PackageNoFile;
    m_size = m_file.size();
    // Read in one go into few large pages: every byte is needed, and a mapping
    // is faulted in piece by piece as the entries are read.
    m_block = zeroedBlock(m_size);
    if (m_block && m_file.read(m_block.get(), m_size) == m_size)
        m_data = reinterpret_cast<const uchar *>(m_block.get());
    else
        m_block.reset();
    if (!m_data && m_size > 0) {
        try {
            m_bytes = m_file.readAll();
        } catch (const std::bad_alloc &) {
            return PackageNoAlloc;
        }
        if (m_bytes.size() != m_size)
            return PackageNoFile;
        m_data = reinterpret_cast<const uchar *>(m_bytes.constData());
    }
    return locateDirectory();
}

PackageResult PackageArchive::openData(const QByteArray &data)
{
    m_bytes = data;
    m_data = reinterpret_cast<const uchar *>(m_bytes.constData());
    m_size = m_bytes.size();
    return locateDirectory();
}

PackageResult PackageArchive::locateDirectory()
{
    // The end record is the signature nearest the end within the last 64 KiB.
    const qint64 lowest = m_size - std::min<qint64>(m_size, MaxCommentSearch);
    qint64 found = -1;
    for (qint64 pos = m_size - 4; pos >= lowest; --pos) {
        if (le32(m_data + pos) == EndOfDirectorySignature) {
            found = pos;
            break;
        }
    }
    const uchar *end = found >= 0 ? bytesAt(found, EndOfDirectorySize) : nullptr;
    if (!end)
        return PackageNoFile;
    const quint16 disk = le16(end + 4);
    const quint16 directoryDisk = le16(end + 6);
    const quint16 entriesHere = le16(end + 8);
    const quint16 entriesTotal = le16(end + 10);
    const qint64 directorySize = le32(end + 12);
    const qint64 directoryOffset = le32(end + 16);
    if (disk != 0 || directoryDisk != 0 || entriesHere != entriesTotal)
        return PackageNoFile;
    const qint64 storedEnd = directoryOffset + directorySize;
    const qint64 actualEnd = directoryEnd(found, storedEnd);
    if (actualEnd < storedEnd)
        return PackageNoFile;
    m_prefix = actualEnd - storedEnd;
    m_entryCount = entriesTotal;
    m_directoryPos = directoryOffset + m_prefix;
    goToEntry(0);
    return PackageOk;
}

// Where the directory ends: before the Zip64 end records when a writer put
// them there (Info-ZIP does for input of unknown length), else at the end record.
qint64 PackageArchive::directoryEnd(qint64 endRecord, qint64 storedDirectoryEnd) const
{
    const qint64 zip64Record = endRecord - Zip64LocatorSize - Zip64EndRecordSize;
    const uchar *p = bytesAt(zip64Record, Zip64EndRecordSize + Zip64LocatorSize);
    // The record's size field counts neither the signature nor itself.
    if (!p || le32(p) != Zip64EndRecordSignature || le64(p + 4) != quint64(Zip64EndRecordSize - 12))
        return endRecord;
    const uchar *locator = p + Zip64EndRecordSize;
    if (le32(locator) != Zip64LocatorSignature || le64(locator + 8) != quint64(storedDirectoryEnd))
        return endRecord;
    return zip64Record;
}

bool PackageArchive::readRecord(qint64 pos, DirectoryRecord *record) const
{
    const uchar *p = bytesAt(pos, DirectoryRecordSize);
    if (!p || le32(p) != DirectoryRecordSignature)
        return false;
    record->flags = le16(p + 8);
    record->method = le16(p + 10);
    record->dosTime = le16(p + 12);
    record->dosDate = le16(p + 14);
    record->crc = le32(p + 16);
    record->compressedSize = le32(p + 20);
    record->uncompressedSize = le32(p + 24);
    record->nameLength = le16(p + 28);
    record->extraLength = le16(p + 30);
    record->commentLength = le16(p + 32);
    record->attributes = le32(p + 38);
    record->localOffset = le32(p + 42);
    return true;
}

bool PackageArchive::goToEntry(int index)
{
    if (index < m_currentIndex || index == 0) {
        m_currentIndex = 0;
        m_currentPos = m_directoryPos;
        m_currentValid = readRecord(m_currentPos, &m_current);
    }
    // A broken record ends the usable entries: nothing after it is read.
    while (m_currentIndex < index && m_currentValid) {
        m_currentPos += m_current.length();
        ++m_currentIndex;
        m_currentValid = readRecord(m_currentPos, &m_current);
    }
    if (!m_currentValid)
        m_currentIndex = std::max(m_currentIndex, index);
    return m_currentValid;
}

bool PackageArchive::plausibleSizes(const DirectoryRecord &record, qint64 dataPos) const
{
    const qint64 compressed = qint32(record.compressedSize);
    const qint64 uncompressed = qint32(record.uncompressedSize);
    if (compressed < 0 || uncompressed < 0)
        return false;
    if (!bytesAt(dataPos, compressed))
        return false;
    qint64 payload = compressed;
    if (record.flags & FlagEncrypted) {
        if (compressed < EncryptionHeaderSize)
            return false;
        payload -= EncryptionHeaderSize;
    }
    if (record.method == MethodStored)
        return payload == uncompressed;
    return uncompressed <= payload * MaxDeflateRatio;
}

PackageResult PackageArchive::checkCoherence(const DirectoryRecord &record, qint64 *dataPos) const
{
    const uchar *local = bytesAt(qint64(record.localOffset) + m_prefix, LocalHeaderSize);
    if (!local || le32(local) != LocalHeaderSignature)
        return PackageCorrupt;
    const quint16 flags = le16(local + 6);
    const quint16 method = le16(local + 8);
    if (method != record.method || (method != MethodStored && method != MethodDeflated))
        return PackageCorrupt;
    const qint64 extraPos = qint64(record.localOffset) + m_prefix + LocalHeaderSize + record.nameLength;
    const quint16 extraLength = le16(local + 28);
    const uchar *extra = bytesAt(extraPos, extraLength);
    if (!(flags & FlagDataDescriptor)) {
        const LocalSizes sizes = localSizes(local, extra, extraLength);
        if (le32(local + 14) != record.crc || sizes.compressed != record.compressedSize
            || sizes.uncompressed != record.uncompressedSize)
            return PackageCorrupt;
    }
    if (le16(local + 26) != record.nameLength)
        return PackageCorrupt;
    if (!extra)
        return PackageReadError;
    *dataPos = extraPos + extraLength;
    if (!plausibleSizes(record, *dataPos))
        return PackageCorrupt;
    return PackageOk;
}

PackageResult PackageArchive::info(int index, PackageEntryInfo *out)
{
    if (index < -1 || index >= m_entryCount || !out)
        return PackageFaultyArguments;
    *out = PackageEntryInfo();
    endExtraction();
    if (index == -1) {
        out->index = m_entryCount;
        return PackageOk;
    }
    out->index = index;
    if (index == m_cachedIndex) {
        *out = m_cachedInfo;
        return PackageOk;
    }
    if (!goToEntry(index))
        return PackageCorrupt;
    const DirectoryRecord &record = m_current;
    const uchar *name = bytesAt(m_currentPos + DirectoryRecordSize, record.nameLength);
    if (!name)
        return PackageCorrupt;
    qint64 dataPos = 0;
    const PackageResult coherence = checkCoherence(record, &dataPos);
    if (coherence != PackageOk)
        return coherence;
    QByteArray stored(reinterpret_cast<const char *>(name), std::min<int>(record.nameLength, PackageMaxNameLength - 1));
    const int nul = stored.indexOf('\0');
    if (nul >= 0)
        stored.truncate(nul);
    out->name = sanitisedName(stored);
    out->compressedSize = qint32(record.compressedSize);
    out->uncompressedSize = qint32(record.uncompressedSize);
    out->flags = record.flags;
    out->attributes = record.attributes;
    out->modified = fromDos(record.dosTime, record.dosDate);
    m_cachedIndex = index;
    m_cachedInfo = *out;
    return PackageOk;
}

bool PackageArchive::deflated(int index, PackageDeflatedEntry *entry)
{
    endExtraction();
    if (index < 0 || index >= m_entryCount || !entry || !goToEntry(index))
        return false;
    qint64 dataPos = 0;
    if (m_current.method != MethodDeflated || (m_current.flags & FlagEncrypted)
        || checkCoherence(m_current, &dataPos) != PackageOk)
        return false;
    const qint64 inputSize = qint32(m_current.compressedSize);
    entry->input = bytesAt(dataPos, inputSize);
    entry->inputSize = inputSize;
    entry->outputSize = qint32(m_current.uncompressedSize);
    entry->crc = m_current.crc;
    return entry->input != nullptr;
}

bool PackageArchive::span(int index, PackageEntrySpan *span)
{
    endExtraction();
    qint64 dataPos = 0;
    if (index < 0 || index >= m_entryCount || !span || !goToEntry(index)
        || checkCoherence(m_current, &dataPos) != PackageOk)
        return false;
    span->begin = qint64(m_current.localOffset) + m_prefix;
    span->end = dataPos + qint32(m_current.compressedSize);
    return true;
}

void PackageArchive::endExtraction()
{
    if (m_extraction.streamReady)
        inflateEnd(&m_extraction.stream);
    m_extraction = Extraction();
}

PackageResult PackageArchive::startExtraction(int index)
{
    endExtraction();
    if (!goToEntry(index))
        return PackageCorrupt;
    qint64 dataPos = 0;
    const PackageResult coherence = checkCoherence(m_current, &dataPos);
    if (coherence != PackageOk)
        return coherence;
    Extraction &x = m_extraction;
    x.index = index;
    x.method = m_current.method;
    x.inputPos = dataPos;
    x.compressedLeft = qint32(m_current.compressedSize);
    x.uncompressedLeft = qint32(m_current.uncompressedSize);
    if (x.method == MethodDeflated) {
        if (inflateInit2(&x.stream, -MAX_WBITS) != Z_OK) {
            endExtraction();
            return PackageNoAlloc;
        }
        x.streamReady = true;
    }
    if (m_current.flags & FlagEncrypted) {
        x.encrypted = true;
        x.keys = std::make_unique<ZipCryptKeys>(password);
        x.input.resize(PackageInputBufferSize);
        const uchar *header = m_data + x.inputPos;
        uchar last = 0;
        for (int i = 0; i < EncryptionHeaderSize; ++i)
            last = x.keys->decrypt(header[i]);
        x.inputPos += EncryptionHeaderSize;
        x.compressedLeft -= EncryptionHeaderSize;
        const uchar check = (m_current.flags & FlagDataDescriptor) ? uchar(m_current.dosTime >> 8)
                                                                    : uchar(m_current.crc >> 24);
        if (last != check) {
            endExtraction();
            return PackagePassword;
        }
    }
    return PackageOk;
}

PackageResult PackageArchive::refillInput()
{
    Extraction &x = m_extraction;
    // Plain data is read straight from the file image; encrypted data goes
    // through the input buffer to be decrypted.
    const qint64 chunk = x.encrypted ? std::min<qint64>(PackageInputBufferSize, x.compressedLeft)
                                     : std::min<qint64>(x.compressedLeft, 1 << 30);
    const uchar *source = bytesAt(x.inputPos, chunk);
    if (!source)
        return PackageReadError;
    if (x.encrypted) {
        uchar *target = reinterpret_cast<uchar *>(x.input.data());
        for (qint64 i = 0; i < chunk; ++i)
            target[i] = x.keys->decrypt(source[i]);
        source = target;
    }
    x.next = source;
    x.available = chunk;
    x.inputPos += chunk;
    x.compressedLeft -= chunk;
    return PackageOk;
}

PackageResult PackageArchive::produce(char *out, qint64 room, qint64 *produced, bool *ended)
{
    Extraction &x = m_extraction;
    *produced = 0;
    if (x.available == 0 && x.compressedLeft > 0) {
        const PackageResult read = refillInput();
        if (read != PackageOk)
            return read;
    }
    if (x.method == MethodStored) {
        const qint64 n = std::min(x.available, room);
        if (n == 0)
            return PackageFlateError;   // input exhausted before the declared size
        std::memcpy(out, x.next, size_t(n));
        x.next += n;
        x.available -= n;
        *produced = n;
        return PackageOk;
    }
    z_stream &s = x.stream;
    s.next_in = const_cast<Bytef *>(x.next);
    s.avail_in = uInt(x.available);
    s.next_out = reinterpret_cast<Bytef *>(out);
    s.avail_out = uInt(std::min<qint64>(room, 1 << 30));
    const uInt roomBefore = s.avail_out;
    const int ret = inflate(&s, Z_SYNC_FLUSH);
    *produced = roomBefore - s.avail_out;
    x.available = s.avail_in;
    x.next = s.next_in;
    if (ret == Z_STREAM_END) {
        *ended = true;
        return PackageOk;
    }
    if (ret == Z_OK || (ret == Z_BUF_ERROR && *produced > 0))
        return PackageOk;
    return PackageFlateError;   // rejected data, or truncated stream making no progress
}

PackageResult PackageArchive::extract(int index, char *buffer, qint64 size)
{
    if (index < 0 || index >= m_entryCount || size < 0 || (!buffer && size > 0))
        return PackageFaultyArguments;
    if (m_extraction.index != index) {
        const PackageResult started = startExtraction(index);
        if (started != PackageOk)
            return started;
    }
    Extraction &x = m_extraction;
    qint64 written = 0;
    bool ended = x.uncompressedLeft == 0;
    while (!ended && written < size) {
        qint64 produced = 0;
        const qint64 room = std::min(size - written, x.uncompressedLeft);
        const PackageResult step = produce(buffer + written, room, &produced, &ended);
        if (step != PackageOk) {
            endExtraction();
            return step;
        }
        written += produced;
        x.uncompressedLeft -= produced;
        if (x.uncompressedLeft == 0)
            ended = true;
    }
    if (!ended)
        return PackageMoreData;
    endExtraction();
    return PackageOk;
}

bool deflatedEntry(PackageArchive *archive, int index, PackageDeflatedEntry *entry)
{
    return archive && archive->deflated(index, entry);
}

bool entrySpan(PackageArchive *archive, int index, PackageEntrySpan *span)
{
    return archive && archive->span(index, span);
}

PackageArchive *openArchive(const QString &path, const char *password)
{
    std::unique_ptr<PackageArchive> archive(new PackageArchive);
    archive->password = password ? QByteArray(password) : QByteArray();
    if (setLastPackageResult(archive->open(path)) != PackageOk)
        return nullptr;
    return archive.release();
}

PackageArchive *openArchiveData(const QByteArray &data, const char *password)
{
    std::unique_ptr<PackageArchive> archive(new PackageArchive);
    archive->password = password ? QByteArray(password) : QByteArray();
    if (setLastPackageResult(archive->openData(data)) != PackageOk)
        return nullptr;
    return archive.release();
}

PackageResult entryInfo(PackageArchive *archive, int index, PackageEntryInfo *info)
{
    if (!archive)
        return setLastPackageResult(PackageFaultyArguments);
    return setLastPackageResult(archive->info(index, info));
}

PackageResult extractToMemory(PackageArchive *archive, int index, char *buffer, qint64 size)
{
    if (!archive)
        return setLastPackageResult(PackageFaultyArguments);
    return setLastPackageResult(archive->extract(index, buffer, size));
}

PackageResult closeArchive(PackageArchive *archive)
{
    if (!archive)
        return setLastPackageResult(PackageFaultyArguments);
    archive->endExtraction();
    delete archive;
    return setLastPackageResult(PackageOk);
}

} // namespace TAVQtLib
