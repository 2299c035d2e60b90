#ifndef TAVQ_ZIPTESTWRITER_H
#define TAVQ_ZIPTESTWRITER_H

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

class QTemporaryDir;

// Builds ZIP archives byte by byte so that tests can produce both proper
// archives and every kind of damaged or lying one.
namespace ZipTest {

constexpr quint16 FlagEncrypted = 0x0001;
constexpr quint16 FlagDataDescriptor = 0x0008;
constexpr quint16 FlagUtf8Name = 0x0800;

struct Entry
{
    QByteArray name;
    QByteArray data;                // uncompressed content
    quint16 method = 0;             // 8 deflates; any other value stores the bytes as they are
    quint16 flags = 0;              // bit 3: zero sizes in the local header, descriptor after the data
    quint16 dosTime = 0x6000;
    quint16 dosDate = 0x5821;
    quint32 externalAttributes = 0;
    std::optional<QByteArray> rawData;  // written instead of the encoded data

    // Traditional encryption with an empty password; the flag is set automatically.
    bool encrypt = false;
    std::optional<quint8> checkByte;    // wrong check bytes make the password test fail

    QByteArray localExtra;
    QByteArray centralExtra;
    QByteArray centralComment;

    std::optional<quint16> centralMethod, localMethod;
    std::optional<quint32> centralCrc, localCrc;
    std::optional<quint32> centralCompressedSize, localCompressedSize;
    std::optional<quint32> centralUncompressedSize, localUncompressedSize;
    std::optional<quint16> centralNameLength, localNameLength;
    std::optional<quint16> localExtraLength;
    std::optional<quint32> localOffset;
    bool breakCentralSignature = false;
    bool breakLocalSignature = false;
};

struct Archive
{
    std::vector<Entry> entries;
    QByteArray prefix;              // bytes before the archive; offsets stay relative to its start
    QByteArray comment;
    // Zip64 end record and locator between the directory and the end record.
    bool zip64EndRecords = false;

    std::optional<quint16> diskNumber, directoryDisk;
    std::optional<quint16> entriesOnDisk, totalEntries;
    std::optional<quint32> directorySize, directoryOffset;
    std::optional<quint16> commentLength;

    // The reference stays valid until the next add.
    Entry &add(const QByteArray &name, const QByteArray &data, quint16 method = 0);
    QByteArray build() const;
};

QByteArray deflateRaw(const QByteArray &data, int level = -1);
// A raw deflate stream left open after a full flush: no final block.
QByteArray deflateRawUnfinished(const QByteArray &data);
quint32 crc32Of(const QByteArray &data);
// A Zip64 extended-information block as local headers carry it: both sizes.
QByteArray zip64LocalExtra(quint64 uncompressed, quint64 compressed);
// Random bytes from a fixed seed, and text that compresses well.
QByteArray randomBytes(int size, quint32 seed);
QByteArray compressibleBytes(int size);

// Writes `bytes` to `name` inside `dir`; returns the full path (empty on failure).
QString writeFile(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes);

} // namespace ZipTest

#endif
