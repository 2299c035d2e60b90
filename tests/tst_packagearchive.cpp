#include "resources/packagearchive_p.h"
#include "base/tavqlimits.h"
#include "base/tavqtextcodec.h"
#include "resources/packageindex_p.h"
#include "ziptestwriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <climits>
#include <cstring>
#include <functional>
#include <memory>
#include <set>

namespace TAVQtLib {
// Readable codes in failure messages.
char *toString(PackageResult result)
{
    return qstrdup(("0x" + QByteArray::number(uint(result), 16)).constData());
}
} // namespace TAVQtLib

using namespace TAVQtLib;
using ZipTest::Archive;
using ZipTest::Entry;

namespace {

using Keys = std::set<QByteArray>;

Keys keysOf(const PackageIndex &index)
{
    Keys keys;
    for (const auto &file : index.files())
        keys.insert(file.first);
    return keys;
}

// The archive over an exactly sized heap copy of the bytes, so that the
// sanitizer sees any read even one byte past the end.
class OpenedBytes
{
public:
    explicit OpenedBytes(const QByteArray &zip)
        : m_bytes(new char[size_t(zip.size())])
    {
        std::memcpy(m_bytes.get(), zip.constData(), size_t(zip.size()));
        m_archive.reset(openArchiveData(QByteArray::fromRawData(m_bytes.get(), zip.size())));
    }
    PackageArchive *get() const { return m_archive.get(); }
    explicit operator bool() const { return bool(m_archive); }

private:
    std::unique_ptr<char[]> m_bytes;
    PackageArchivePtr m_archive;    // closed before the bytes go
};

OpenedBytes openBytes(const QByteArray &zip)
{
    return OpenedBytes(zip);
}

// 300 times 'x' in one fixed-code block whose match uses length code 286.
QByteArray lengthCode286Stream()
{
    return QByteArray("\xab\xa8\x18\x07\xc4\x02\x00", 7);
}

// Extracts an entry whole into a buffer of its reported size.
QByteArray extracted(PackageArchive *archive, int index, quint32 *result = nullptr)
{
    PackageEntryInfo info;
    entryInfo(archive, index, &info);
    QByteArray buffer(info.uncompressedSize, '\0');
    const PackageResult r = extractToMemory(archive, index, buffer.data(), buffer.size());
    if (result)
        *result = r;
    return buffer;
}

bool isKnownResult(quint32 r)
{
    static const std::set<quint32> known = {PackageOk, PackageNoFile, PackageNoAlloc, PackageMoreData,
                                            PackageCorrupt, PackageReadError, PackagePassword,
                                            PackageFaultyArguments, PackageFlateError};
    return known.count(r) > 0;
}

// Opens, lists and extracts everything; any outcome is fine as long as it is
// a result code (sanitizers watch the reads).
void exerciseArchive(const QByteArray &zip)
{
    const OpenedBytes archive(zip);
    QVERIFY(isKnownResult(lastPackageResult()));
    if (!archive) {
        QCOMPARE(lastPackageResult(), PackageNoFile);
        return;
    }
    PackageEntryInfo info;
    QCOMPARE(entryInfo(archive.get(), -1, &info), PackageOk);
    const int count = info.index;
    for (int i = 0; i < count; ++i) {
        const PackageResult r = entryInfo(archive.get(), i, &info);
        QVERIFY2(r == PackageOk || r == PackageCorrupt || r == PackageReadError, qPrintable(QString::number(r, 16)));
        if (r != PackageOk)
            QVERIFY(info.name.isEmpty() && info.uncompressedSize == 0 && info.compressedSize == 0);
        QVERIFY(info.uncompressedSize >= 0 && info.compressedSize >= 0);
        // Declared sizes may still lie within plausible bounds: extract piecewise.
        QByteArray buffer(qMin(info.uncompressedSize, 1 << 20) + 1, '\0');
        PackageResult x = PackageMoreData;
        for (int round = 0; x == PackageMoreData && round < 64; ++round) {
            x = extractToMemory(archive.get(), i, buffer.data(), buffer.size());
            QVERIFY2(isKnownResult(x), qPrintable(QString::number(x, 16)));
        }
    }
}

} // namespace

class TestPackageArchive : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    void prefix_data();
    void prefix();
    void commentLength_data();
    void commentLength();
    void openFailures_data();
    void openFailures();
    void missingFileKeepsIndex();
    void caseDuplicates();
    void nameSanitising_data();
    void nameSanitising();
    void longName();
    void entriesWithoutKey();
    void partialExtraction_data();
    void partialExtraction();
    void roundTrip_data();
    void roundTrip();
    void wrongCheckByte();
    void arguments();
    void randomAccess();
    void entryCountMismatch();
    void brokenCentralSignature();
    void resultMessages_data();
    void resultMessages();
    void lastResultMessage();
    void implausibleSizes_data();
    void implausibleSizes();
    void sharedRecordsStayWithinBudget();
    void overlappingEntries_data();
    void overlappingEntries();
    void packageByteLimit_data();
    void packageByteLimit();
    void coherence_data();
    void coherence();
    void corruptDeflate_data();
    void corruptDeflate();
    void largePackage();
    void nearTheEnd_data();
    void nearTheEnd();
    void truncatedSmall();
    void truncatedLarge();
    void damagedBytes();
    void infoZip_data();
    void infoZip();
    void infoZipFromPipe();
    void entryNames_data();
    void entryNames();

private:
    QString write(const QByteArray &bytes)
    {
        return ZipTest::writeFile(m_dir, QStringLiteral("p%1.zip").arg(m_counter++), bytes);
    }
    bool load(const QByteArray &zip, PackageIndex *index) { return index->loadPackageEntries(write(zip)); }

    QTemporaryDir m_dir;
    int m_counter = 0;
};

void TestPackageArchive::prefix_data()
{
    QTest::addColumn<QByteArray>("prefix");
    QTest::addColumn<bool>("zip64");
    QTest::newRow("none") << QByteArray() << false;
    QTest::newRow("one byte") << QByteArray("X") << false;
    QTest::newRow("stub") << ZipTest::randomBytes(70000, 3) << false;
    QTest::newRow("fake local header") << QByteArray("PK\x03\x04PK\x01\x02", 8) << false;
    QTest::newRow("zip64 end records") << QByteArray() << true;
    QTest::newRow("zip64 end records, stub") << ZipTest::randomBytes(7000, 4) << true;
}

void TestPackageArchive::prefix()
{
    QFETCH(QByteArray, prefix);
    QFETCH(bool, zip64);
    const QByteArray big = ZipTest::randomBytes(5000, 1);
    Archive a;
    a.prefix = prefix;
    a.zip64EndRecords = zip64;
    a.add("first.txt", "hello");
    a.add("second.bin", big, 8);
    const QByteArray zip = a.build();

    for (bool viaFile : {false, true}) {
        PackageArchivePtr archive(viaFile ? openArchive(write(zip)) : openArchiveData(zip));
        QVERIFY(archive);
        QCOMPARE(lastPackageResult(), PackageOk);
        PackageEntryInfo info;
        QCOMPARE(entryInfo(archive.get(), -1, &info), PackageOk);
        QCOMPARE(info.index, 2);
        QCOMPARE(entryInfo(archive.get(), 0, &info), PackageOk);
        QCOMPARE(info.name, QByteArray("first.txt"));
        QCOMPARE(info.uncompressedSize, 5);
        QCOMPARE(extracted(archive.get(), 0), QByteArray("hello"));
        QCOMPARE(extracted(archive.get(), 1), big);
    }
    PackageIndex index;
    QVERIFY(load(zip, &index));
    QCOMPARE(keysOf(index), Keys({"first.txt", "second.bin"}));
    QCOMPARE(index.files().at("second.bin"), big);
}

void TestPackageArchive::commentLength_data()
{
    QTest::addColumn<int>("length");
    QTest::addColumn<bool>("opens");
    QTest::newRow("none") << 0 << true;
    QTest::newRow("short") << 100 << true;
    QTest::newRow("longest") << 65513 << true;
    QTest::newRow("one too long") << 65514 << false;
    QTest::newRow("maximum field") << 65535 << false;
}

void TestPackageArchive::commentLength()
{
    QFETCH(int, length);
    QFETCH(bool, opens);
    Archive a;
    a.add("a.txt", "abc");
    a.comment = QByteArray(length, 'c');
    const QByteArray zip = a.build();

    PackageArchivePtr archive(openArchive(write(zip)));
    QCOMPARE(bool(archive), opens);
    PackageIndex index;
    QCOMPARE(load(zip, &index), opens);
    if (opens) {
        QCOMPARE(extracted(archive.get(), 0), QByteArray("abc"));
        QCOMPARE(keysOf(index), Keys({"a.txt"}));
    } else {
        QCOMPARE(lastPackageResult(), PackageNoFile);
        QCOMPARE(resultMessage(1), QStringLiteral("Couldn't create/open file"));
        QVERIFY(index.isEmpty());
    }
}

void TestPackageArchive::openFailures_data()
{
    QTest::addColumn<QByteArray>("bytes");
    auto twoEntries = [] {
        Archive a;
        a.add("one.txt", "1");
        a.add("two.txt", "22");
        return a;
    };
    const QByteArray noise = ZipTest::randomBytes(3000, 7);
    QVERIFY(!noise.contains("PK\x05\x06"));
    const QByteArray good = twoEntries().build();

    QTest::newRow("empty") << QByteArray();
    QTest::newRow("three bytes") << QByteArray("PK\x05", 3);
    QTest::newRow("no end record") << noise;
    QTest::newRow("end record cut off") << good.left(good.size() - 22);
    QTest::newRow("short end record") << QByteArray("PK\x05\x06\0\0\0\0\0\0", 10);
    Archive a = twoEntries();
    a.diskNumber = 1;
    QTest::newRow("disk number") << a.build();
    a = twoEntries();
    a.directoryDisk = 2;
    QTest::newRow("directory disk") << a.build();
    a = twoEntries();
    a.entriesOnDisk = 1;
    QTest::newRow("unequal counts") << a.build();
    a = twoEntries();
    a.directoryOffset = 5000;
    QTest::newRow("directory past end record") << a.build();
    a = twoEntries();
    a.directorySize = 0xFFFFFFFF;
    QTest::newRow("directory size huge") << a.build();
}

void TestPackageArchive::openFailures()
{
    QFETCH(QByteArray, bytes);
    QVERIFY(!openBytes(bytes));
    QCOMPARE(lastPackageResult(), PackageNoFile);
    QVERIFY(!PackageArchivePtr(openArchive(write(bytes))));
    QCOMPARE(lastPackageResult(), PackageNoFile);
    PackageIndex index;
    QVERIFY(!load(bytes, &index));
    QVERIFY(index.isEmpty());
}

void TestPackageArchive::missingFileKeepsIndex()
{
    QVERIFY(!PackageArchivePtr(openArchive(m_dir.filePath("missing.zip"))));
    QCOMPARE(lastPackageResult(), PackageNoFile);
    QVERIFY(!PackageArchivePtr(openArchive(QString())));
    QVERIFY(!PackageArchivePtr(openArchive(m_dir.path())));
    QCOMPARE(lastPackageResult(), PackageNoFile);

    Archive a;
    a.add("kept.txt", "kept");
    PackageIndex index;
    QVERIFY(load(a.build(), &index));
    QVERIFY(!index.loadPackageEntries(m_dir.filePath("missing.zip")));
    QCOMPARE(keysOf(index), Keys({"kept.txt"}));

    // A second package adds new keys but never replaces one already filed.
    Archive b;
    b.add("KEPT.TXT", "other");
    b.add("new.txt", "new");
    QVERIFY(load(b.build(), &index));
    QCOMPARE(keysOf(index), Keys({"kept.txt", "new.txt"}));
    QCOMPARE(index.files().at("kept.txt"), QByteArray("kept"));
}

void TestPackageArchive::caseDuplicates()
{
    Archive a;
    a.add("Images/Logo.PNG", ZipTest::randomBytes(300, 11), 8);
    a.add("images/logo.png", ZipTest::randomBytes(200, 12));
    PackageIndex index;
    QVERIFY(load(a.build(), &index));
    QCOMPARE(keysOf(index), Keys({"images/logo.png"}));
    const auto file = index.findFile("images/logo.png");
    QVERIFY(file);
    QCOMPARE(QByteArray(file->data, file->length), ZipTest::randomBytes(300, 11));
    QVERIFY(!index.findFile("Images/Logo.PNG"));
    QVERIFY(!index.findFile("images/logo"));
}

void TestPackageArchive::nameSanitising_data()
{
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<QByteArray>("expected");
    QTest::addColumn<QByteArray>("key");
    const auto row = [](const char *tag, const QByteArray &stored, const QByteArray &expected, const QByteArray &key) {
        QTest::newRow(tag) << stored << expected << key;
    };
    row("plain", "pages/Main.JSON", "pages/Main.JSON", "pages/main.json");
    row("all capitals", "ABCXYZ/AZ.Z", "ABCXYZ/AZ.Z", "abcxyz/az.z");
    row("high bytes", "\xC4\xD6Z@[.TXT", "\xC4\xD6Z@[.TXT", QString::fromUtf8("闹z@[.txt").toUtf8());   // GBK
    row("drive and backslash", "C:\\dir\\x.json", "dir\\x.json", "dir\\x.json");
    row("drive and slash", "d:/X.json", "X.json", "x.json");
    row("absolute", "/abs/path.json", "abs/path.json", "abs/path.json");
    row("several separators", "//\\x.json", "x.json", "x.json");
    row("parent", "x/../y.json", "y.json", "y.json");
    row("backslash parent", "x\\..\\y.json", "y.json", "y.json");
    row("mixed parent 1", "x\\../y", "y", "y");
    row("mixed parent 2", "x/..\\y", "y", "y");
    row("two parents", "a/b/../../c.json", "../c.json", "../c.json");
    row("leading parent stays", "../z", "../z", "../z");
    row("drive then parent", "C:\\a\\..\\b.json", "b.json", "b.json");
    row("parent then absolute", "a/..//b.json", "b.json", "b.json");
    row("backslash kept", "Dir\\File.json", "Dir\\File.json", "dir\\file.json");
    row("colon later", "ab:c", "ab:c", "ab:c");
    row("dots in name", "a..b/..c", "a..b/..c", "a..b/..c");
    // Up to the name limit (1023 bytes kept), the costliest inputs to clean.
    row("parents to the limit", QByteArray("a/..\\").repeated(204) + "end", "end", "end");
    row("parents cut by the limit", QByteArray("a/..\\").repeated(300), "a/.", "a/.");
    row("every parent kind", QByteArray("w/..\\x\\..\\y\\../z/../").repeated(51) + "f", "f", "f");
    row("drives to the limit", QByteArray("C:").repeated(511) + "x", "x", "x");
    row("separators to the limit", QByteArray("/\\").repeated(511) + "x", "x", "x");
    row("drive, separator, parent", QByteArray("C:/a/..\\").repeated(113) + "tail", "tail", "tail");
    row("parent kinds out of order", QByteArray("/../a\\..\\b").repeated(90) + "/..\\c", "c", "c");
}

void TestPackageArchive::nameSanitising()
{
    QFETCH(QByteArray, stored);
    QFETCH(QByteArray, expected);
    QFETCH(QByteArray, key);
    Archive a;
    a.add(stored, "content");
    const QByteArray zip = a.build();
    const OpenedBytes archive = openBytes(zip);
    QVERIFY(archive);
    PackageEntryInfo info;
    QCOMPARE(entryInfo(archive.get(), 0, &info), PackageOk);
    QCOMPARE(info.name, expected);

    PackageIndex index;
    QVERIFY(load(zip, &index));
    QCOMPARE(keysOf(index), Keys({key}));
    QCOMPARE(index.files().begin()->second, QByteArray("content"));
}

void TestPackageArchive::longName()
{
    Archive a;
    const QByteArray name = QByteArray(1500, 'n');
    a.add(name, "x");
    a.add("after.txt", "after");
    const OpenedBytes archive = openBytes(a.build());
    QVERIFY(archive);
    PackageEntryInfo info;
    QCOMPARE(entryInfo(archive.get(), 0, &info), PackageOk);
    QVERIFY(info.name.size() >= 1023 && info.name.size() <= 1024);
    QVERIFY(name.startsWith(info.name));
    QCOMPARE(entryInfo(archive.get(), 1, &info), PackageOk);
    QCOMPARE(info.name, QByteArray("after.txt"));
}

void TestPackageArchive::entriesWithoutKey()
{
    Archive a;
    a.add("dir/", "");
    a.add("empty.txt", "");
    a.add("method12.bin", "payload", 12);
    a.add("kept.txt", "kept", 8);
    const QByteArray zip = a.build();
    const OpenedBytes archive = openBytes(zip);
    QVERIFY(archive);
    PackageEntryInfo info;
    QCOMPARE(entryInfo(archive.get(), 0, &info), PackageOk);
    QCOMPARE(info.name, QByteArray("dir/"));
    QCOMPARE(info.uncompressedSize, 0);
    QCOMPARE(extractToMemory(archive.get(), 1, nullptr, 0), PackageOk);
    QCOMPARE(entryInfo(archive.get(), 2, &info), PackageCorrupt);
    QCOMPARE(info.name, QByteArray());
    QCOMPARE(info.uncompressedSize, 0);
    char buffer[16] = {};
    QCOMPARE(extractToMemory(archive.get(), 2, buffer, sizeof buffer), PackageCorrupt);
    QCOMPARE(extracted(archive.get(), 3), QByteArray("kept"));

    PackageIndex index;
    QVERIFY(load(zip, &index));
    QCOMPARE(keysOf(index), Keys({"kept.txt"}));
}

void TestPackageArchive::partialExtraction_data()
{
    QTest::addColumn<int>("method");
    QTest::addColumn<QByteArray>("data");
    QTest::newRow("stored") << 0 << ZipTest::randomBytes(50000, 5);
    QTest::newRow("deflated random") << 8 << ZipTest::randomBytes(90000, 6);
    QTest::newRow("deflated text") << 8 << ZipTest::compressibleBytes(300000);
}

void TestPackageArchive::partialExtraction()
{
    QFETCH(int, method);
    QFETCH(QByteArray, data);
    const int size = data.size();
    Archive a;
    a.add("data", data, quint16(method));
    a.add("other", "other");
    const OpenedBytes archive = openBytes(a.build());
    QVERIFY(archive);
    PackageArchive *z = archive.get();

    QByteArray buffer(size + 10, '\xAA');
    QCOMPARE(extractToMemory(z, 0, buffer.data(), size - 1), PackageMoreData);
    QCOMPARE(buffer.left(size - 1), data.left(size - 1));
    QCOMPARE(buffer.at(size - 1), '\xAA');
    QCOMPARE(extractToMemory(z, 0, buffer.data() + size - 1, 11), PackageOk);
    QCOMPARE(buffer.left(size), data);
    QCOMPARE(buffer.mid(size), QByteArray(10, '\xAA'));

    // Finished extractions start over; exact and larger buffers both end with 0.
    buffer.fill('\0');
    QCOMPARE(extractToMemory(z, 0, buffer.data(), size), PackageOk);
    QCOMPARE(buffer.left(size), data);
    QCOMPARE(extractToMemory(z, 0, buffer.data(), buffer.size()), PackageOk);
    QCOMPARE(buffer.left(size), data);

    // Small pieces, each call continuing where the previous one stopped.
    QByteArray joined;
    const int piece = 997;
    int calls = 0;
    PackageResult r = PackageMoreData;
    while (r == PackageMoreData && calls <= size / piece + 1) {
        char chunk[piece];
        r = extractToMemory(z, 0, chunk, piece);
        joined.append(chunk, qMin(piece, size - joined.size()));
        ++calls;
    }
    QCOMPARE(r, PackageOk);
    QCOMPARE(calls, (size + piece - 1) / piece);
    QCOMPARE(joined, data);

    // Entry information or another entry's extraction ends the one in progress.
    QCOMPARE(extractToMemory(z, 0, buffer.data(), size / 2), PackageMoreData);
    PackageEntryInfo info;
    QCOMPARE(entryInfo(z, 0, &info), PackageOk);
    buffer.fill('\0');
    QCOMPARE(extractToMemory(z, 0, buffer.data(), size), PackageOk);
    QCOMPARE(buffer.left(size), data);
    QCOMPARE(extractToMemory(z, 0, buffer.data(), size / 2), PackageMoreData);
    QCOMPARE(extracted(z, 1), QByteArray("other"));
    buffer.fill('\0');
    QCOMPARE(extractToMemory(z, 0, buffer.data(), size), PackageOk);
    QCOMPARE(buffer.left(size), data);
}

void TestPackageArchive::roundTrip_data()
{
    QTest::addColumn<int>("method");
    QTest::addColumn<int>("flags");
    QTest::addColumn<bool>("encrypt");
    QTest::addColumn<QByteArray>("data");
    const QByteArray random = ZipTest::randomBytes(300000, 21);
    const QByteArray text = ZipTest::compressibleBytes(700000);
    const int dd = ZipTest::FlagDataDescriptor;
    QTest::newRow("stored one byte") << 0 << 0 << false << QByteArray("z");
    QTest::newRow("stored random") << 0 << 0 << false << random;
    QTest::newRow("stored text") << 0 << 0 << false << text;
    QTest::newRow("deflated one byte") << 8 << 0 << false << QByteArray("z");
    QTest::newRow("deflated random") << 8 << 0 << false << random;
    QTest::newRow("deflated text") << 8 << 0 << false << text;
    QTest::newRow("descriptor stored") << 0 << dd << false << random.left(40000);
    QTest::newRow("descriptor deflated") << 8 << dd << false << text;
    QTest::newRow("encrypted stored") << 0 << 0 << true << random.left(30000);
    QTest::newRow("encrypted deflated") << 8 << 0 << true << text;
    QTest::newRow("encrypted descriptor") << 8 << dd << true << random.left(50000);
}

void TestPackageArchive::roundTrip()
{
    QFETCH(int, method);
    QFETCH(int, flags);
    QFETCH(bool, encrypt);
    QFETCH(QByteArray, data);
    Archive a;
    a.add("before.txt", "before");
    Entry &e = a.add("Payload.bin", data, quint16(method));
    e.flags = quint16(flags);
    e.encrypt = encrypt;
    a.add("after.txt", "after", 8);
    const QByteArray zip = a.build();
    const int compressed = (method == 8 ? ZipTest::deflateRaw(data).size() : data.size()) + (encrypt ? 12 : 0);

    const OpenedBytes archive = openBytes(zip);
    QVERIFY(archive);
    PackageEntryInfo info;
    QCOMPARE(entryInfo(archive.get(), 1, &info), PackageOk);
    QCOMPARE(info.name, QByteArray("Payload.bin"));
    QCOMPARE(info.uncompressedSize, data.size());
    QCOMPARE(info.compressedSize, compressed);
    quint32 r = 0;
    QCOMPARE(extracted(archive.get(), 1, &r), data);
    QCOMPARE(r, quint32(PackageOk));
    QCOMPARE(extracted(archive.get(), 2), QByteArray("after"));

    PackageIndex index;
    QVERIFY(load(zip, &index));
    QCOMPARE(keysOf(index), Keys({"before.txt", "payload.bin", "after.txt"}));
    QVERIFY(index.files().at("payload.bin") == data);
}

void TestPackageArchive::wrongCheckByte()
{
    const QByteArray data = ZipTest::compressibleBytes(4000);
    Archive a;
    Entry &e = a.add("secret.txt", data, 8);
    e.encrypt = true;
    e.checkByte = quint8((ZipTest::crc32Of(data) >> 24) ^ 0x5A);
    const QByteArray zip = a.build();
    const OpenedBytes archive = openBytes(zip);
    QVERIFY(archive);
    quint32 r = 0;
    extracted(archive.get(), 0, &r);
    QCOMPARE(r, quint32(PackagePassword));
    PackageIndex index;
    QVERIFY(load(zip, &index));
    QCOMPARE(index.files().at("secret.txt"), QByteArray(data.size(), '\0'));
}

void TestPackageArchive::arguments()
{
    Archive a;
    a.add("a", "1");
    a.add("b", "2");
    a.add("c", "3");
    const OpenedBytes archive = openBytes(a.build());
    QVERIFY(archive);
    PackageEntryInfo info;
    info.name = "stale";
    QCOMPARE(entryInfo(archive.get(), -1, &info), PackageOk);
    QCOMPARE(info.index, 3);
    QCOMPARE(info.name, QByteArray());
    QCOMPARE(info.uncompressedSize, 0);
    char buffer[4];
    for (int bad : {-2, 3, 4, INT_MIN, INT_MAX}) {
        QCOMPARE(entryInfo(archive.get(), bad, &info), PackageFaultyArguments);
        QCOMPARE(lastPackageResult(), PackageFaultyArguments);
        QCOMPARE(extractToMemory(archive.get(), bad, buffer, sizeof buffer), PackageFaultyArguments);
    }
    QCOMPARE(extractToMemory(archive.get(), -1, buffer, sizeof buffer), PackageFaultyArguments);
    QCOMPARE(extractToMemory(archive.get(), 0, nullptr, 4), PackageFaultyArguments);
    QCOMPARE(extractToMemory(archive.get(), 0, buffer, -1), PackageFaultyArguments);
    QCOMPARE(entryInfo(archive.get(), 0, nullptr), PackageFaultyArguments);
    QCOMPARE(entryInfo(archive.get(), 0, &info), PackageOk);
    QCOMPARE(lastPackageResult(), PackageOk);

    // Without an archive every call fails, and says so in the last result too.
    const std::function<PackageResult()> nullCalls[] = {
        [&] { return entryInfo(nullptr, 0, &info); },
        [&] { return entryInfo(nullptr, -1, &info); },
        [&] { return extractToMemory(nullptr, 0, buffer, sizeof buffer); },
        [&] { return closeArchive(nullptr); },
    };
    for (const auto &call : nullCalls) {
        QCOMPARE(entryInfo(archive.get(), 1, &info), PackageOk);
        QCOMPARE(call(), PackageFaultyArguments);
        QCOMPARE(lastPackageResult(), PackageFaultyArguments);
    }
    QCOMPARE(closeArchive(openArchiveData(a.build())), PackageOk);
}

void TestPackageArchive::randomAccess()
{
    Archive a;
    for (int i = 0; i < 6; ++i) {
        Entry &e = a.add("entry" + QByteArray::number(i), QByteArray(i + 1, char('a' + i)), i % 2 ? 8 : 0);
        // Variable record lengths make every step forward count.
        e.centralExtra = QByteArray(i * 3, 'x');
        e.centralComment = QByteArray(i * 5, 'c');
        e.localExtra = QByteArray(i * 7, 'l');
    }
    const OpenedBytes archive = openBytes(a.build());
    QVERIFY(archive);
    for (int i : {4, 2, 0, 5, 5, 4, 3, 1, 2, 1, 0, 5}) {
        PackageEntryInfo info;
        QCOMPARE(entryInfo(archive.get(), i, &info), PackageOk);
        QCOMPARE(info.index, i);
        QCOMPARE(info.name, "entry" + QByteArray::number(i));
        QCOMPARE(extracted(archive.get(), i), QByteArray(i + 1, char('a' + i)));
    }
}

void TestPackageArchive::entryCountMismatch()
{
    Archive a;
    a.add("one", "1");
    a.add("two", "2");
    a.entriesOnDisk = a.totalEntries = 5;
    const OpenedBytes archive = openBytes(a.build());
    QVERIFY(archive);
    PackageEntryInfo info;
    QCOMPARE(entryInfo(archive.get(), -1, &info), PackageOk);
    QCOMPARE(info.index, 5);
    QCOMPARE(entryInfo(archive.get(), 1, &info), PackageOk);
    for (int i = 2; i < 5; ++i) {
        QCOMPARE(entryInfo(archive.get(), i, &info), PackageCorrupt);
        QVERIFY(info.name.isEmpty());
    }

    a.entriesOnDisk = a.totalEntries = 1;
    PackageIndex index;
    QVERIFY(load(a.build(), &index));
    QCOMPARE(keysOf(index), Keys({"one"}));
}

void TestPackageArchive::brokenCentralSignature()
{
    Archive a;
    for (int i = 0; i < 5; ++i)
        a.add("e" + QByteArray::number(i), "data" + QByteArray::number(i), 8);
    a.entries[2].breakCentralSignature = true;
    const QByteArray zip = a.build();
    const OpenedBytes archive = openBytes(zip);
    QVERIFY(archive);
    PackageEntryInfo info;
    for (int pass = 0; pass < 2; ++pass) {
        for (int i = 0; i < 5; ++i) {
            const PackageResult r = entryInfo(archive.get(), i, &info);
            if (i < 2) {
                QCOMPARE(r, PackageOk);
                QCOMPARE(info.name, "e" + QByteArray::number(i));
                QCOMPARE(extracted(archive.get(), i), "data" + QByteArray::number(i));
            } else {
                QCOMPARE(r, PackageCorrupt);
                QCOMPARE(info.name, QByteArray());
                QCOMPARE(info.uncompressedSize, 0);
                QCOMPARE(info.compressedSize, 0);
                char buffer[8];
                QCOMPARE(extractToMemory(archive.get(), i, buffer, sizeof buffer), PackageCorrupt);
            }
        }
    }
    PackageIndex index;
    QVERIFY(load(zip, &index));
    QCOMPARE(keysOf(index), Keys({"e0", "e1"}));
}

void TestPackageArchive::resultMessages_data()
{
    QTest::addColumn<quint32>("code");
    QTest::addColumn<QByteArray>("message");
    const std::pair<quint32, const char *> table[] = {
        {0x00000000, "Success"},
        {0x00000100, "Culdn't duplicate handle"},
        {0x00000200, "Couldn't create/open file"},
        {0x00000300, "Failed to allocate memory"},
        {0x00000400, "Error writing to file"},
        {0x00000500, "File not found in the zipfile"},
        {0x00000600, "Still more data to unzip"},
        {0x00000700, "Zipfile is corrupt or not a zipfile"},
        {0x00000800, "Error reading file"},
        {0x00001000, "Correct password required"},
        {0x00010000, "Caller: faulty arguments"},
        {0x00020000, "Caller: can only get memory of a memory zipfile"},
        {0x00030000, "Caller: not enough space allocated for memory zipfile"},
        {0x00040000, "Caller: there was a previous error"},
        {0x00050000, "Caller: additions to the zip have already been ended"},
        {0x00060000, "Zip-bug: the anticipated size turned out wrong"},
        {0x00070000, "Caller: the file had already been partially unzipped"},
        {0x00080000, "Caller: mixing creation and opening of zip"},
        {0x01000000, "Zip-bug: internal initialisation not completed"},
        {0x02000000, "Zip-bug: trying to seek the unseekable"},
        {0x04000000, "Zip-bug: tried to change mind, but not allowed"},
        {0x05000000, "Zip-bug: an internal error during flation"},
        {0x00000002, "unknown zip result code"},
        {0x00000601, "unknown zip result code"},
        {0x00090000, "unknown zip result code"},
        {0xFFFFFFFF, "unknown zip result code"},
    };
    for (const auto &row : table)
        QTest::newRow(qPrintable(QString::number(row.first, 16))) << row.first << QByteArray(row.second);
}

void TestPackageArchive::resultMessages()
{
    QFETCH(quint32, code);
    QFETCH(QByteArray, message);
    QCOMPARE(resultMessage(code), QString::fromLatin1(message));
    char text[80];
    std::memset(text, '#', sizeof text);
    QCOMPARE(resultMessage(code, text, sizeof text), message.size());
    QCOMPARE(QByteArray(text), message);
    std::memset(text, '#', sizeof text);
    QCOMPARE(resultMessage(code, text, 5), message.size());
    QCOMPARE(QByteArray(text, 6), message.left(4) + '\0' + '#');
    std::memset(text, '#', sizeof text);
    QCOMPARE(resultMessage(code, text, 1), message.size());
    QCOMPARE(text[0], '\0');
    QCOMPARE(text[1], '#');
    QCOMPARE(resultMessage(code, text, 0), message.size());
    QCOMPARE(text[1], '#');
    QCOMPARE(resultMessage(code, nullptr, 0), message.size());
}

void TestPackageArchive::lastResultMessage()
{
    char text[64];
    QCOMPARE(closeArchive(nullptr), PackageFaultyArguments);
    QCOMPARE(resultMessage(1, text, sizeof text), int(std::strlen("Caller: faulty arguments")));
    QCOMPARE(QByteArray(text), QByteArray("Caller: faulty arguments"));
    QVERIFY(!openBytes(QByteArray("not a zip")));
    QCOMPARE(resultMessage(1), QStringLiteral("Couldn't create/open file"));
    QVERIFY(openBytes(Archive().build()));
    QCOMPARE(resultMessage(1), QStringLiteral("Success"));
}

void TestPackageArchive::sharedRecordsStayWithinBudget()
{
    // Hundreds of directory records over one deflated entry, each claiming the
    // most its bytes could give (sizes in data descriptors are not compared).
    const QByteArray text = ZipTest::compressibleBytes(100000);
    const quint32 packed = quint32(ZipTest::deflateRaw(text).size());
    ZipTest::Archive zip;
    for (int i = 0; i < 300; ++i) {
        ZipTest::Entry &e = zip.add(QByteArray("entry") + QByteArray::number(1000 + i) + ".bin", text, 8);
        e.flags = ZipTest::FlagDataDescriptor;
        e.centralUncompressedSize = packed * 1032;
        e.centralCompressedSize = packed;
        if (i > 0) {
            e.localOffset = 0;
            e.rawData = QByteArray();
        }
    }
    const QByteArray bytes = zip.build();
    const qint64 claimed = qint64(300) * packed * 1032;
    QVERIFY(claimed > bytes.size() * 1032 * 10);
    PackageIndex index;
    QVERIFY(load(bytes, &index));
    qint64 held = 0;
    for (const auto &file : index.files())
        held += file.second.size();
    QVERIFY(index.findFile("entry1000.bin").has_value());
    QVERIFY2(held <= bytes.size() * 1032, qPrintable(QString::number(held)));
    // The first entry is whole; what deflate did not produce stays zero.
    const QByteArray first = index.files().at("entry1000.bin");
    QCOMPARE(first.left(text.size()), text);
}

void TestPackageArchive::overlappingEntries_data()
{
    QTest::addColumn<QByteArray>("zip");
    QTest::addColumn<QByteArrayList>("keys");
    const QByteArray data = ZipTest::compressibleBytes(20000);
    const int header = 30 + 7;     // a local header with a seven-byte name
    const int localSize = header + ZipTest::deflateRaw(data).size();

    Archive a;
    a.add("one.json", data, 8);
    a.add("two.json", data, 8).localOffset = 0;
    a.add("end.txt", "end");
    QTest::newRow("records sharing a local header") << a.build() << QByteArrayList({"one.json", "end.txt"});

    // A stored entry whose bytes hold a whole deflated entry, local header included.
    Archive inner;
    inner.add("in.json", data, 8);
    const QByteArray nested = inner.build().left(localSize);
    a = Archive();
    a.add("out.bin", nested);
    a.add("in.json", data, 8).localOffset = header;
    a.add("end.txt", "end");
    QTest::newRow("entry inside an earlier one") << a.build() << QByteArrayList({"out.bin", "end.txt"});

    a = Archive();
    a.add("in.json", data, 8);
    a.add("out.bin", nested);
    a.entries[0].localOffset = quint32(localSize + header);
    a.add("end.txt", "end");
    QTest::newRow("entry around an earlier one") << a.build() << QByteArrayList({"in.json", "end.txt"});
}

// Only the first of the entries that share bytes is filed; on its own, the
// archive still reads each of them.
void TestPackageArchive::overlappingEntries()
{
    QFETCH(QByteArray, zip);
    QFETCH(QByteArrayList, keys);
    PackageIndex index;
    QVERIFY(load(zip, &index));
    QCOMPARE(keysOf(index), Keys(keys.cbegin(), keys.cend()));
    const OpenedBytes archive = openBytes(zip);
    PackageEntryInfo info;
    for (int i = 0; i < 3; ++i)
        QCOMPARE(entryInfo(archive.get(), i, &info), PackageOk);
}

void TestPackageArchive::packageByteLimit_data()
{
    QTest::addColumn<qint64>("declared");
    QTest::newRow("over the limit alone") << Limits::MaxPackageBytes + 1;
    QTest::newRow("over it with the first entry") << Limits::MaxPackageBytes - 4;
}

// Enough compressed bytes for the deflate ratio to allow the declared size:
// only the package limit stops the entry, before any memory is taken for it.
void TestPackageArchive::packageByteLimit()
{
    QFETCH(qint64, declared);
    Archive a;
    a.add("first.txt", "first");
    Entry &big = a.add("big.bin", QByteArray(), 8);
    big.rawData = QByteArray(int(declared / MaxDeflateRatio + 1), '\0');
    big.centralUncompressedSize = big.localUncompressedSize = quint32(declared);
    a.add("after.txt", "after");
    PackageIndex index;
    QVERIFY(load(a.build(), &index));
    QCOMPARE(keysOf(index), Keys({"first.txt", "after.txt"}));
}

void TestPackageArchive::implausibleSizes_data()
{
    QTest::addColumn<int>("method");
    QTest::addColumn<int>("flags");
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<qint64>("compressed");     // -1: as written
    QTest::addColumn<qint64>("uncompressed");
    QTest::addColumn<bool>("plausible");
    const QByteArray text = ZipTest::compressibleBytes(1000);
    const qint64 packed = ZipTest::deflateRaw(text).size();
    const int dd = ZipTest::FlagDataDescriptor;
    QTest::newRow("negative compressed") << 0 << 0 << text << qint64(0x80000000) << qint64(-1) << false;
    QTest::newRow("negative uncompressed") << 8 << 0 << text << qint64(-1) << qint64(0xFFFFFFFF) << false;
    QTest::newRow("stored shorter") << 0 << 0 << text << qint64(-1) << qint64(999) << false;
    QTest::newRow("stored longer") << 0 << 0 << text << qint64(999) << qint64(-1) << false;
    QTest::newRow("deflate ratio limit") << 8 << 0 << text << qint64(-1) << packed * 1032 << true;
    QTest::newRow("deflate ratio exceeded") << 8 << 0 << text << qint64(-1) << packed * 1032 + 1 << false;
    QTest::newRow("huge deflated") << 8 << 0 << text << qint64(-1) << qint64(0x7FFFFFF0) << false;
    QTest::newRow("huge descriptor") << 8 << dd << text << qint64(-1) << qint64(0x7FFFFFF0) << false;
    QTest::newRow("huge stored") << 0 << 0 << text << qint64(0x7FFFFFF0) << qint64(0x7FFFFFF0) << false;
    QTest::newRow("stored past end") << 0 << 0 << text << qint64(100000) << qint64(100000) << false;
    QTest::newRow("deflated past end") << 8 << 0 << text << qint64(5000) << qint64(-1) << false;
    QTest::newRow("declared shorter") << 8 << 0 << text << qint64(-1) << qint64(900) << true;
    QTest::newRow("zero compressed") << 8 << 0 << text << qint64(0) << qint64(-1) << false;
}

void TestPackageArchive::implausibleSizes()
{
    QFETCH(int, method);
    QFETCH(int, flags);
    QFETCH(QByteArray, data);
    QFETCH(qint64, compressed);
    QFETCH(qint64, uncompressed);
    QFETCH(bool, plausible);
    Archive a;
    Entry &e = a.add("odd.bin", data, quint16(method));
    e.flags = quint16(flags);
    if (compressed >= 0)
        e.centralCompressedSize = e.localCompressedSize = quint32(compressed);
    if (uncompressed >= 0)
        e.centralUncompressedSize = e.localUncompressedSize = quint32(uncompressed);
    a.add("good.txt", "good");
    const QByteArray zip = a.build();

    const OpenedBytes archive = openBytes(zip);
    QVERIFY(archive);
    PackageEntryInfo info;
    QCOMPARE(entryInfo(archive.get(), 0, &info), plausible ? PackageOk : PackageCorrupt);
    QCOMPARE(info.name.isEmpty(), !plausible);
    if (!plausible) {
        QCOMPARE(info.uncompressedSize, 0);
        QCOMPARE(info.compressedSize, 0);
        QByteArray buffer(64, '\x5A');
        QCOMPARE(extractToMemory(archive.get(), 0, buffer.data(), buffer.size()), PackageCorrupt);
        QCOMPARE(buffer, QByteArray(64, '\x5A'));
    }
    QCOMPARE(extracted(archive.get(), 1), QByteArray("good"));
    // A plausible claim bounds the output, whatever the stream holds.
    const int produced = int(qMin<qint64>(data.size(), uncompressed));
    if (plausible) {
        QByteArray buffer(int(uncompressed) + 64, '\x5A');
        QCOMPARE(extractToMemory(archive.get(), 0, buffer.data(), buffer.size()), PackageOk);
        QCOMPARE(buffer.left(produced), data.left(produced));
        QCOMPARE(buffer.mid(produced), QByteArray(buffer.size() - produced, '\x5A'));
    }

    PackageIndex index;
    QVERIFY(load(zip, &index));
    if (plausible) {
        QCOMPARE(keysOf(index), Keys({"good.txt", "odd.bin"}));
        const QByteArray &held = index.files().at("odd.bin");
        QCOMPARE(held.size(), int(uncompressed));
        QCOMPARE(held.left(produced), data.left(produced));
        QCOMPARE(held.mid(produced), QByteArray(held.size() - produced, '\0'));
    } else {
        QCOMPARE(keysOf(index), Keys({"good.txt"}));
    }
}

void TestPackageArchive::coherence_data()
{
    QTest::addColumn<QString>("damage");
    QTest::addColumn<quint32>("expected");
    QTest::newRow("local signature") << "local signature" << quint32(PackageCorrupt);
    QTest::newRow("local method") << "local method" << quint32(PackageCorrupt);
    QTest::newRow("local crc") << "local crc" << quint32(PackageCorrupt);
    QTest::newRow("local compressed") << "local compressed" << quint32(PackageCorrupt);
    QTest::newRow("local uncompressed") << "local uncompressed" << quint32(PackageCorrupt);
    QTest::newRow("central crc") << "central crc" << quint32(PackageCorrupt);
    QTest::newRow("local name length") << "local name length" << quint32(PackageCorrupt);
    QTest::newRow("central name length") << "central name length" << quint32(PackageCorrupt);
    QTest::newRow("offset past end") << "offset past end" << quint32(PackageCorrupt);
    QTest::newRow("offset off by one") << "offset off by one" << quint32(PackageCorrupt);
    QTest::newRow("local extra past end") << "local extra past end" << quint32(PackageReadError);
    QTest::newRow("descriptor hides local sizes") << "descriptor" << quint32(PackageOk);
    QTest::newRow("extras differ") << "extras" << quint32(PackageOk);
    QTest::newRow("zip64 local sizes") << "zip64" << quint32(PackageOk);
    QTest::newRow("zip64 local sizes differ") << "zip64 wrong" << quint32(PackageCorrupt);
    QTest::newRow("placeholders without zip64") << "placeholders" << quint32(PackageCorrupt);
}

void TestPackageArchive::coherence()
{
    QFETCH(QString, damage);
    QFETCH(quint32, expected);
    const QByteArray data = ZipTest::compressibleBytes(20000);
    Archive a;
    Entry &e = a.add("entry.json", data, 8);
    if (damage == "local signature")
        e.breakLocalSignature = true;
    else if (damage == "local method")
        e.localMethod = 0;
    else if (damage == "local crc")
        e.localCrc = ZipTest::crc32Of(data) ^ 1;
    else if (damage == "local compressed")
        e.localCompressedSize = quint32(ZipTest::deflateRaw(data).size() - 1);
    else if (damage == "local uncompressed")
        e.localUncompressedSize = quint32(data.size() + 1);
    else if (damage == "central crc")
        e.centralCrc = 0;
    else if (damage == "local name length")
        e.localNameLength = quint16(e.name.size() - 1);
    else if (damage == "central name length")
        e.centralNameLength = quint16(e.name.size() + 1);
    else if (damage == "offset past end")
        e.localOffset = 0xFFFFFFF0;
    else if (damage == "offset off by one")
        e.localOffset = 1;
    else if (damage == "local extra past end")
        e.localExtraLength = 0xFFFF;
    else if (damage == "descriptor") {
        e.flags = ZipTest::FlagDataDescriptor;
        e.localCrc = 0x12345678;
        e.localCompressedSize = e.localUncompressedSize = 0xFFFFFFFF;
    } else if (damage == "extras") {
        e.localExtra = ZipTest::randomBytes(28, 4);
        e.centralExtra = ZipTest::randomBytes(24, 5);
        e.centralComment = "comment";
    } else if (damage.startsWith("zip64") || damage == "placeholders") {
        e.localCompressedSize = e.localUncompressedSize = 0xFFFFFFFF;
        const quint64 compressed = quint64(ZipTest::deflateRaw(data).size());
        const quint64 uncompressed = quint64(data.size()) + (damage == "zip64" ? 0 : 1);
        // Behind another block, as Info-ZIP writes its time stamps first.
        const QByteArray timeStamp("UT\x05\0\x01\0\0\0\0", 9);
        if (damage != "placeholders")
            e.localExtra = timeStamp + ZipTest::zip64LocalExtra(uncompressed, compressed);
    }
    a.add("next.txt", "next");
    const QByteArray zip = a.build();

    const OpenedBytes archive = openBytes(zip);
    QVERIFY(archive);
    PackageEntryInfo info;
    QCOMPARE(quint32(entryInfo(archive.get(), 0, &info)), expected);
    quint32 r = 0;
    QByteArray buffer(data.size(), '\0');
    r = extractToMemory(archive.get(), 0, buffer.data(), buffer.size());
    QCOMPARE(r, expected);
    if (expected == PackageOk) {
        QCOMPARE(info.name, QByteArray("entry.json"));
        QCOMPARE(buffer, data);
    } else {
        QCOMPARE(info.name, QByteArray());
        QCOMPARE(buffer, QByteArray(data.size(), '\0'));
    }
    // A wrong name length in the directory also misplaces the next record.
    const bool nextReadable = damage != "central name length";
    QCOMPARE(entryInfo(archive.get(), 1, &info), nextReadable ? PackageOk : PackageCorrupt);
    QCOMPARE(extracted(archive.get(), 1), nextReadable ? QByteArray("next") : QByteArray());

    PackageIndex index;
    QVERIFY(load(zip, &index));
    QCOMPARE(index.files().count("entry.json"), size_t(expected == PackageOk ? 1 : 0));
    QCOMPARE(index.files().count("next.txt"), size_t(nextReadable ? 1 : 0));
}

void TestPackageArchive::corruptDeflate_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QByteArray>("raw");
    QTest::addColumn<int>("goodPart");   // bytes that must come out before the failure; -1: some
    const QByteArray text = ZipTest::compressibleBytes(80000);
    // Block type 3 does not exist: the inflater must reject it.
    const QByteArray badBlock("\x07\x00\x00\x00", 4);
    QTest::newRow("bad first block") << text << badBlock + ZipTest::randomBytes(100, 1) << 0;
    QTest::newRow("bad block after half") << text << ZipTest::deflateRawUnfinished(text.left(40000)) + badBlock << 40000;
    const QByteArray whole = ZipTest::deflateRaw(text);
    QTest::newRow("stream cut short") << text << whole.left(whole.size() / 2) << -1;
    QTest::newRow("unfinished stream") << text << ZipTest::deflateRawUnfinished(text.left(30000)) << 30000;
    // Length code 286 does not exist. A lenient decoder reads it as 285 and
    // yields the writer's bytes, with their CRC-32; zlib stops there.
    QTest::newRow("length code 286") << QByteArray(300, 'x') << lengthCode286Stream() << 2;
}

void TestPackageArchive::corruptDeflate()
{
    QFETCH(QByteArray, data);
    QFETCH(QByteArray, raw);
    QFETCH(int, goodPart);
    Archive a;
    Entry &e = a.add("broken.json", data, 8);
    e.rawData = raw;
    a.add("fine.txt", "fine", 8);
    const QByteArray zip = a.build();

    const OpenedBytes archive = openBytes(zip);
    QVERIFY(archive);
    quint32 r = 0;
    const QByteArray out = extracted(archive.get(), 0, &r);
    QCOMPARE(r, quint32(PackageFlateError));
    QCOMPARE(lastPackageResult(), PackageFlateError);
    QCOMPARE(out.size(), data.size());
    const int written = out.indexOf('\0') < 0 ? out.size() : out.indexOf('\0');
    if (goodPart >= 0)
        QCOMPARE(written, goodPart);
    else
        QVERIFY(written > 0 && written < data.size());
    QCOMPARE(out.left(written), data.left(written));
    QCOMPARE(out.mid(written), QByteArray(data.size() - written, '\0'));
    QCOMPARE(extracted(archive.get(), 1), QByteArray("fine"));

    PackageIndex index;
    QVERIFY(load(zip, &index));
    QCOMPARE(index.files().at("broken.json"), out);
    QCOMPARE(index.files().at("fine.txt"), QByteArray("fine"));
}

// Enough bytes for the loader to inflate on two threads: every entry, the
// damaged ones among them, holds what stepwise extraction yields.
void TestPackageArchive::largePackage()
{
    const QByteArray text = ZipTest::compressibleBytes(160000);
    Archive a;
    for (int i = 0; i < 40; ++i)
        a.add("entry" + QByteArray::number(i) + ".txt", text.mid(i * 7), 8);
    a.add("broken.bin", text, 8).rawData = ZipTest::deflateRawUnfinished(text.left(40000)) + QByteArray("\x07\0\0\0", 4);
    a.add("code286.txt", QByteArray(300, 'x'), 8).rawData = lengthCode286Stream();
    a.add("stored.bin", text.left(5000));
    const QByteArray zip = a.build();

    PackageIndex index;
    QVERIFY(load(zip, &index));
    const OpenedBytes archive = openBytes(zip);
    PackageEntryInfo info;
    entryInfo(archive.get(), -1, &info);
    QCOMPARE(int(index.files().size()), info.index);
    for (int i = 0; i < int(index.files().size()); ++i) {
        entryInfo(archive.get(), i, &info);
        const QByteArray name = info.name;
        QCOMPARE(index.files().at(name), extracted(archive.get(), i));
    }
    QCOMPARE(index.files().at("broken.bin").left(40000), text.left(40000));
    QCOMPARE(index.files().at("code286.txt"), QByteArray("xx") + QByteArray(298, '\0'));
}

void TestPackageArchive::nearTheEnd_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("extractionFails");
    Archive a;
    a.add("n", QByteArray(1000, 's'));
    a.comment = QByteArray("PK\x03\x04\x14\0", 6);
    a.entries[0].localOffset = quint32(a.build().size() - 6);
    QTest::newRow("local header in the last bytes") << a.build() << true;

    a = Archive();
    a.prefix = "PK\x01\x02";
    a.entriesOnDisk = a.totalEntries = 1;
    a.directorySize = 4;
    a.directoryOffset = 0;
    QTest::newRow("directory record cut by the end") << a.build() << true;

    a = Archive();
    Entry &e = a.add("n", QByteArray(1000, 's'));
    e.centralNameLength = e.localNameLength = 1 + 22 + 8;
    // Extraction never looks at the name, so only the information fails here.
    QTest::newRow("name running past the end") << a.build() << false;
}

void TestPackageArchive::nearTheEnd()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, extractionFails);
    const OpenedBytes archive = openBytes(bytes);
    QVERIFY(archive);
    PackageEntryInfo info;
    QCOMPARE(entryInfo(archive.get(), 0, &info), PackageCorrupt);
    QVERIFY(info.name.isEmpty());
    char buffer[1000];
    const PackageResult r = extractToMemory(archive.get(), 0, buffer, sizeof buffer);
    QVERIFY(isKnownResult(r));
    if (extractionFails)
        QCOMPARE(r, PackageCorrupt);
    PackageIndex index;
    QVERIFY(load(bytes, &index));
    QVERIFY(index.isEmpty());
}

void TestPackageArchive::truncatedSmall()
{
    Archive a;
    a.add("stored.txt", "stored text");
    a.add("deflated.txt", ZipTest::compressibleBytes(300), 8).flags = ZipTest::FlagDataDescriptor;
    a.add("dir/", "");
    const QByteArray zip = a.build();
    QVERIFY(openBytes(zip));
    // Without a comment the end record is the last thing: every cut loses it.
    for (int n = 0; n < zip.size(); ++n) {
        const QByteArray cut = zip.left(n);
        QVERIFY(!openBytes(cut));
        QCOMPARE(lastPackageResult(), PackageNoFile);
        PackageIndex index;
        QVERIFY(!load(cut, &index));
    }
}

void TestPackageArchive::truncatedLarge()
{
    Archive a;
    a.add("a.bin", ZipTest::randomBytes(120000, 31), 8);
    a.add("b.json", ZipTest::compressibleBytes(400000), 8).flags = ZipTest::FlagDataDescriptor;
    a.add("c.bin", ZipTest::randomBytes(60000, 32));
    a.comment = QByteArray(3000, 'k');
    const QByteArray zip = a.build();
    const int endRecord = zip.size() - 22 - a.comment.size();
    for (int n = 0; n <= zip.size(); n += (n < endRecord - 50 ? 997 : 37)) {
        const QByteArray cut = zip.left(n);
        const OpenedBytes archive = openBytes(cut);
        QCOMPARE(bool(archive), n >= endRecord + 22);
        if (archive) {
            // Only the comment was lost, which nobody reads.
            QCOMPARE(extracted(archive.get(), 1), a.entries[1].data);
            QCOMPARE(extracted(archive.get(), 2), a.entries[2].data);
        }
        exerciseArchive(cut);
        if (QTest::currentTestFailed())
            QFAIL(qPrintable(QStringLiteral("cut at %1").arg(n)));
    }
}

void TestPackageArchive::damagedBytes()
{
    Archive small;
    small.add("stored.txt", "stored text");
    small.add("deflated.txt", ZipTest::compressibleBytes(400), 8);
    small.add("descriptor.txt", ZipTest::compressibleBytes(200), 8).flags = ZipTest::FlagDataDescriptor;
    small.add("secret.txt", "secret", 0).encrypt = true;
    const QByteArray zip = small.build();
    for (int pos = 0; pos < zip.size(); ++pos) {
        for (char value : {'\0', '\x7F', '\xFF'}) {
            QByteArray damaged = zip;
            damaged[pos] = value;
            exerciseArchive(damaged);
            PackageIndex index;
            load(damaged, &index);
            if (QTest::currentTestFailed())
                QFAIL(qPrintable(QStringLiteral("byte %1 set to %2").arg(pos).arg(int(uchar(value)))));
        }
    }

    Archive large;
    large.add("one.bin", ZipTest::randomBytes(70000, 41), 8);
    large.add("two.json", ZipTest::compressibleBytes(250000), 8);
    large.add("three.bin", ZipTest::randomBytes(40000, 42));
    const QByteArray big = large.build();
    for (int pos = 0; pos < big.size(); pos += 1499) {
        QByteArray damaged = big;
        damaged.replace(pos, 64, ZipTest::randomBytes(64, quint32(pos + 1)));
        damaged.truncate(big.size());
        exerciseArchive(damaged);
        if (QTest::currentTestFailed())
            QFAIL(qPrintable(QStringLiteral("64 bytes replaced at %1").arg(pos)));
    }
}

void TestPackageArchive::infoZip_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<bool>("streamed");
    QTest::addColumn<QByteArray>("prefix");
    QTest::addColumn<bool>("adjust");
    QTest::newRow("deflated") << QStringList() << false << QByteArray() << false;
    QTest::newRow("stored") << QStringList({"-0"}) << false << QByteArray() << false;
    QTest::newRow("best") << QStringList({"-9"}) << false << QByteArray() << false;
    QTest::newRow("streamed") << QStringList() << true << QByteArray() << false;
    QTest::newRow("prefixed") << QStringList() << false << ZipTest::randomBytes(4096, 51) << false;
    QTest::newRow("prefix adjusted") << QStringList() << false << ZipTest::randomBytes(4096, 52) << true;
}

void TestPackageArchive::infoZip()
{
    QFETCH(QStringList, options);
    QFETCH(bool, streamed);
    QFETCH(QByteArray, prefix);
    QFETCH(bool, adjust);
    if (QStandardPaths::findExecutable("zip").isEmpty())
        QSKIP("zip is not installed");

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const std::map<QString, QByteArray> sources = {
        {"Top.JSON", ZipTest::compressibleBytes(3000)},
        {"a/b/c.txt", "deep"},
        {"images/Logo.PNG", ZipTest::randomBytes(70000, 53)},
        {"pages/big.json", ZipTest::compressibleBytes(300000)},
        {"empty.txt", QByteArray()},
    };
    QVERIFY(QDir(dir.path()).mkpath("src/emptydir"));
    for (const auto &source : sources) {
        const QString path = dir.filePath("src/" + source.first);
        QVERIFY(QDir().mkpath(QFileInfo(path).path()));
        QVERIFY(!ZipTest::writeFile(dir, "src/" + source.first, source.second).isEmpty());
    }

    auto runZip = [](const QString &workDir, const QStringList &arguments, QByteArray *output) {
        QProcess zip;
        zip.setWorkingDirectory(workDir);
        zip.start("zip", arguments);
        const bool finished = zip.waitForFinished(60000);
        if (output)
            *output = zip.readAllStandardOutput();
        return finished && zip.exitStatus() == QProcess::NormalExit && zip.exitCode() == 0;
    };
    QByteArray made;
    QVERIFY(runZip(dir.filePath("src"), QStringList({"-r", "-q"}) + options + QStringList({streamed ? "-" : "../made.zip", "."}), &made));
    if (!streamed) {
        QFile file(dir.filePath("made.zip"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        made = file.readAll();
    }
    QVERIFY(made.startsWith("PK\x03\x04"));
    const QString path = ZipTest::writeFile(dir, "package.zip", prefix + made);
    if (adjust)
        QVERIFY(runZip(dir.path(), {"-A", "-q", path}, nullptr));

    PackageIndex index;
    QVERIFY(index.loadPackageEntries(path));
    QCOMPARE(keysOf(index), Keys({"top.json", "a/b/c.txt", "images/logo.png", "pages/big.json"}));
    for (const auto &source : sources) {
        if (source.second.isEmpty())
            continue;
        const auto file = index.findFile(source.first.toLower().toUtf8());
        QVERIFY(file);
        QVERIFY(QByteArray(file->data, file->length) == source.second);
    }

    PackageArchivePtr archive(openArchive(path));
    QVERIFY(archive);
    PackageEntryInfo info;
    QCOMPARE(entryInfo(archive.get(), -1, &info), PackageOk);
    QCOMPARE(info.index, 10);   // five files and five directories
    std::set<QByteArray> names;
    for (int i = 0; i < info.index; ++i) {
        PackageEntryInfo entry;
        QCOMPARE(entryInfo(archive.get(), i, &entry), PackageOk);
        names.insert(entry.name);
    }
    QCOMPARE(names, std::set<QByteArray>({"Top.JSON", "a/", "a/b/", "a/b/c.txt", "images/", "images/Logo.PNG",
                                          "pages/", "pages/big.json", "emptydir/", "empty.txt"}));
}

void TestPackageArchive::infoZipFromPipe()
{
    if (QStandardPaths::findExecutable("zip").isEmpty())
        QSKIP("zip is not installed");
    // Not knowing the size, zip leaves Zip64 placeholders in the local header
    // and adds Zip64 end records.
    const QByteArray data = ZipTest::compressibleBytes(5000);
    const QString path = m_dir.filePath("piped.zip");
    QProcess zip;
    zip.start("zip", {"-q", path, "-"});
    zip.write(data);
    zip.closeWriteChannel();
    QVERIFY(zip.waitForFinished(60000) && zip.exitCode() == 0);
    PackageIndex index;
    QVERIFY(index.loadPackageEntries(path));
    QCOMPARE(keysOf(index), Keys({"-"}));
    QCOMPARE(index.files().at("-"), data);
}

void TestPackageArchive::entryNames_data()
{
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<quint16>("flags");
    QTest::addColumn<QString>("key");
    const QString picture = QString::fromUtf8("图片/商品.png");
    QTest::newRow("UTF-8, flagged") << picture.toUtf8() << ZipTest::FlagUtf8Name << picture;
    QTest::newRow("UTF-8, not flagged") << picture.toUtf8() << quint16(0) << picture;
    QTest::newRow("GBK") << TextCodec::fromUnicode(picture, "GBK") << quint16(0) << picture;
    QTest::newRow("UTF-8, capitals") << QString::fromUtf8("Images/商品.PNG").toUtf8() << ZipTest::FlagUtf8Name
                                     << QString::fromUtf8("images/商品.png");
    // Its second byte is the letter A, which must not be lower-cased.
    const QString trail = QString::fromUtf8("傾/Logo.PNG");
    QTest::newRow("GBK, letter as trail byte") << TextCodec::fromUnicode(trail, "GBK") << quint16(0)
                                               << QString::fromUtf8("傾/logo.png");
}

void TestPackageArchive::entryNames()
{
    QFETCH(QByteArray, stored);
    QFETCH(quint16, flags);
    QFETCH(QString, key);
    Archive a;
    a.add(stored, "picture").flags = flags;
    PackageIndex index;
    QVERIFY(load(a.build(), &index));
    QCOMPARE(keysOf(index), Keys({key.toUtf8()}));
    QCOMPARE(PackageIndex::keyOf(key.toUpper()), key.toUtf8());
}

QTEST_GUILESS_MAIN(TestPackageArchive)
#include "tst_packagearchive.moc"
