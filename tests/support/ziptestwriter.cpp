#include "ziptestwriter.h"

#include <QFile>
#include <QTemporaryDir>

#include <zlib.h>

namespace ZipTest {

namespace {

void put16(QByteArray &out, quint16 v)
{
    out.append(char(v & 0xFF));
    out.append(char(v >> 8));
}

void put32(QByteArray &out, quint32 v)
{
    put16(out, quint16(v & 0xFFFF));
    put16(out, quint16(v >> 16));
}

void put64(QByteArray &out, quint64 v)
{
    put32(out, quint32(v & 0xFFFFFFFF));
    put32(out, quint32(v >> 32));
}

// Traditional PKWARE stream cipher, as an empty password leaves it.
class Encryptor
{
public:
    char encrypt(char plain)
    {
        const quint32 t = (m_keys[2] & 0xFFFF) | 2;
        const uchar cipher = uchar(plain) ^ uchar(((t * (t ^ 1)) >> 8) & 0xFF);
        update(uchar(plain));
        return char(cipher);
    }

private:
    static quint32 crcByte(quint32 crc, uchar b) { return get_crc_table()[(crc ^ b) & 0xFF] ^ (crc >> 8); }
    void update(uchar c)
    {
        m_keys[0] = crcByte(m_keys[0], c);
        m_keys[1] = (m_keys[1] + (m_keys[0] & 0xFF)) * 134775813u + 1;
        m_keys[2] = crcByte(m_keys[2], uchar(m_keys[1] >> 24));
    }
    quint32 m_keys[3] = {305419896u, 591751049u, 878082192u};
};

QByteArray runDeflate(const QByteArray &data, int level, int flush)
{
    z_stream s {};
    if (deflateInit2(&s, level, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        return QByteArray();
    QByteArray out(int(deflateBound(&s, uLong(data.size()))) + 16, '\0');
    s.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(data.constData()));
    s.avail_in = uInt(data.size());
    s.next_out = reinterpret_cast<Bytef *>(out.data());
    s.avail_out = uInt(out.size());
    const int ret = deflate(&s, flush);
    const bool done = flush == Z_FINISH ? ret == Z_STREAM_END : (ret == Z_OK && s.avail_in == 0);
    out.truncate(int(s.total_out));
    deflateEnd(&s);
    return done ? out : QByteArray();
}

} // namespace

Entry &Archive::add(const QByteArray &name, const QByteArray &data, quint16 method)
{
    Entry e;
    e.name = name;
    e.data = data;
    e.method = method;
    entries.push_back(e);
    return entries.back();
}

QByteArray Archive::build() const
{
    QByteArray out = prefix;
    const int base = prefix.size();
    QByteArray central;
    for (const Entry &e : entries) {
        QByteArray payload = e.rawData ? *e.rawData : (e.method == 8 ? deflateRaw(e.data) : e.data);
        const quint16 flags = e.flags | (e.encrypt ? FlagEncrypted : 0);
        const quint32 crc = crc32Of(e.data);
        if (e.encrypt) {
            const quint8 check = e.checkByte ? *e.checkByte
                                             : quint8((flags & FlagDataDescriptor) ? e.dosTime >> 8 : crc >> 24);
            Encryptor cipher;
            QByteArray plain = randomBytes(11, crc).append(char(check)).append(payload);
            for (char &c : plain)
                c = cipher.encrypt(c);
            payload = plain;
        }
        const quint32 compressed = quint32(payload.size());
        const quint32 uncompressed = quint32(e.data.size());
        const bool descriptor = flags & FlagDataDescriptor;
        const quint32 offset = e.localOffset ? *e.localOffset : quint32(out.size() - base);

        put32(out, e.breakLocalSignature ? 0x04034B51 : 0x04034B50);
        put16(out, 20);
        put16(out, flags);
        put16(out, e.localMethod.value_or(e.method));
        put16(out, e.dosTime);
        put16(out, e.dosDate);
        put32(out, e.localCrc.value_or(descriptor ? 0 : crc));
        put32(out, e.localCompressedSize.value_or(descriptor ? 0 : compressed));
        put32(out, e.localUncompressedSize.value_or(descriptor ? 0 : uncompressed));
        put16(out, e.localNameLength.value_or(quint16(e.name.size())));
        put16(out, e.localExtraLength.value_or(quint16(e.localExtra.size())));
        out += e.name;
        out += e.localExtra;
        out += payload;
        if (descriptor) {
            put32(out, 0x08074B50);
            put32(out, crc);
            put32(out, compressed);
            put32(out, uncompressed);
        }

        put32(central, e.breakCentralSignature ? 0x02014B51 : 0x02014B50);
        put16(central, 0x031E);
        put16(central, 20);
        put16(central, flags);
        put16(central, e.centralMethod.value_or(e.method));
        put16(central, e.dosTime);
        put16(central, e.dosDate);
        put32(central, e.centralCrc.value_or(crc));
        put32(central, e.centralCompressedSize.value_or(compressed));
        put32(central, e.centralUncompressedSize.value_or(uncompressed));
        put16(central, e.centralNameLength.value_or(quint16(e.name.size())));
        put16(central, quint16(e.centralExtra.size()));
        put16(central, quint16(e.centralComment.size()));
        put16(central, 0);
        put16(central, 0);
        put32(central, e.externalAttributes);
        put32(central, offset);
        central += e.name;
        central += e.centralExtra;
        central += e.centralComment;
    }
    const quint32 directoryStart = quint32(out.size() - base);
    out += central;
    const quint16 count = quint16(entries.size());
    if (zip64EndRecords) {
        const quint64 recordStart = quint64(out.size() - base);
        put32(out, 0x06064B50);
        put64(out, 44);
        put16(out, 0x031E);
        put16(out, 45);
        put32(out, 0);
        put32(out, 0);
        put64(out, count);
        put64(out, count);
        put64(out, quint64(central.size()));
        put64(out, directoryStart);
        put32(out, 0x07064B50);
        put32(out, 0);
        put64(out, recordStart);
        put32(out, 1);
    }
    put32(out, 0x06054B50);
    put16(out, diskNumber.value_or(0));
    put16(out, directoryDisk.value_or(0));
    put16(out, entriesOnDisk.value_or(count));
    put16(out, totalEntries.value_or(count));
    put32(out, directorySize.value_or(quint32(central.size())));
    put32(out, directoryOffset.value_or(directoryStart));
    put16(out, commentLength.value_or(quint16(comment.size())));
    out += comment;
    return out;
}

QByteArray deflateRaw(const QByteArray &data, int level)
{
    return runDeflate(data, level, Z_FINISH);
}

QByteArray deflateRawUnfinished(const QByteArray &data)
{
    return runDeflate(data, Z_DEFAULT_COMPRESSION, Z_FULL_FLUSH);
}

quint32 crc32Of(const QByteArray &data)
{
    return quint32(crc32(0, reinterpret_cast<const Bytef *>(data.constData()), uInt(data.size())));
}

QByteArray zip64LocalExtra(quint64 uncompressed, quint64 compressed)
{
    QByteArray out;
    put16(out, 0x0001);
    put16(out, 16);
    put64(out, uncompressed);
    put64(out, compressed);
    return out;
}

QByteArray randomBytes(int size, quint32 seed)
{
    // xorshift: reproducible without touching the global generator
    QByteArray out(size, '\0');
    quint32 x = seed ? seed : 0x9E3779B9u;
    for (char &c : out) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        c = char(x >> 24);
    }
    return out;
}

QByteArray compressibleBytes(int size)
{
    QByteArray out;
    out.reserve(size);
    for (int line = 0; out.size() < size; ++line)
        out += "{ \"row\": " + QByteArray::number(line) + ", \"text\": \"page element\" }\n";
    out.truncate(size);
    return out;
}

QString writeFile(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        return QString();
    return path;
}

} // namespace ZipTest
