#include "base/tavqtextcodec.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct Run
{
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

Run tavqpkg(const QStringList &args, const QString &workDir = QString())
{
    QProcess p;
    p.setWorkingDirectory(workDir);
    p.start(TAVQPKG_PATH, args);
    p.waitForFinished(60000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput(),
            p.readAllStandardError()};
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

} // namespace

class tst_Tavqpkg : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void listPrintsSizesInKeyOrder();
    void listFailures();
    void catGivesExactBytes();
    void packageUnderNonAsciiPath();
    void packRelativeFolder_data();
    void packRelativeFolder();
    void packConvertsJsonToGbk();
    void packRefusesWhatGbkCannotHold_data();
    void packRefusesWhatGbkCannotHold();
    void builtPackageHoldsTheStyleSheet();
    void usage();

private:
    QTemporaryDir m_dir;
    QString m_package;
    QByteArray m_binary;
};

void tst_Tavqpkg::initTestCase()
{
    QVERIFY(m_dir.isValid());
    const QString src = m_dir.filePath("src");
    m_binary = QByteArray(3000, '\0');
    for (int i = 0; i < m_binary.size(); ++i)
        m_binary[i] = char((i * 7919) >> 3);
    writeFile(src + "/Zeta.json", "{\"text\": \"价格\"}");
    writeFile(src + "/b/Inner/Deep.bin", m_binary);
    writeFile(src + "/a.txt", "alpha");
    writeFile(src + "/empty.txt", "");
    writeFile(src + QString::fromUtf8("/图片/Logo.txt"), "logo");
    m_package = m_dir.filePath("pkg.data");
    const Run run = tavqpkg({"pack", src, m_package});
    QCOMPARE(run.exitCode, 0);
}

void tst_Tavqpkg::listPrintsSizesInKeyOrder()
{
    const Run run = tavqpkg({"list", m_package});
    QCOMPARE(run.exitCode, 0);
    // Lower-cased keys, byte order, empty files left out.
    QCOMPARE(run.out, QByteArray("5 a.txt\n3000 b/inner/deep.bin\n") + QByteArray::number(QByteArray("{\"text\": \"价格\"}").size())
                          + " zeta.json\n4 图片/logo.txt\n");
}

void tst_Tavqpkg::listFailures()
{
    Run run = tavqpkg({"list", m_dir.filePath("missing.data")});
    QCOMPARE(run.exitCode, 1);
    QCOMPARE(run.err.trimmed(), QByteArray("Couldn't create/open file"));
    QVERIFY(run.out.isEmpty());

    writeFile(m_dir.filePath("text.data"), "just some text, no archive here");
    run = tavqpkg({"list", m_dir.filePath("text.data")});
    QCOMPARE(run.exitCode, 1);
    QCOMPARE(run.err.trimmed(), QByteArray("Couldn't create/open file"));
}

void tst_Tavqpkg::catGivesExactBytes()
{
    Run run = tavqpkg({"cat", m_package, "B\\INNER\\deep.BIN"});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out, m_binary);
    run = tavqpkg({"cat", m_package, "a.txt"});
    QCOMPARE(run.out, QByteArray("alpha"));
    run = tavqpkg({"cat", m_package, QString::fromUtf8("图片\\LOGO.txt")});
    QCOMPARE(run.out, QByteArray("logo"));
    run = tavqpkg({"cat", m_package, "nothing.json"});
    QCOMPARE(run.exitCode, 1);
    QVERIFY(run.out.isEmpty());
    run = tavqpkg({"cat", m_package, "empty.txt"});
    QCOMPARE(run.exitCode, 1);
    run = tavqpkg({"cat", m_dir.filePath("missing.data"), "a.txt"});
    QCOMPARE(run.exitCode, 1);
}

void tst_Tavqpkg::packageUnderNonAsciiPath()
{
    const QString package = m_dir.filePath(QString::fromUtf8("价格/包裹.data"));
    QVERIFY(QDir().mkpath(QFileInfo(package).path()));
    QVERIFY(QFile::copy(m_package, package));
    QCOMPARE(tavqpkg({"list", package}).out, tavqpkg({"list", m_package}).out);
    const Run run = tavqpkg({"cat", package, "a.txt"});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out, QByteArray("alpha"));
}

void tst_Tavqpkg::packRelativeFolder_data()
{
    QTest::addColumn<QString>("workDir");
    QTest::addColumn<QString>("folder");
    QTest::newRow("name") << "" << "src";
    QTest::newRow("dotted") << "" << "./src/";
    QTest::newRow("detour") << "src/b" << "../../src";
    QTest::newRow("dot") << "src" << ".";
}

void tst_Tavqpkg::packRelativeFolder()
{
    QFETCH(QString, workDir);
    QFETCH(QString, folder);
    const QString out = m_dir.filePath("relative.data");
    const Run run = tavqpkg({"pack", folder, out}, m_dir.filePath(workDir));
    QVERIFY2(run.exitCode == 0, run.err.constData());
    QCOMPARE(tavqpkg({"list", out}).out, tavqpkg({"list", m_package}).out);
}

void tst_Tavqpkg::packConvertsJsonToGbk()
{
    const QString src = m_dir.filePath("gbk");
    writeFile(src + "/page.json", "{\"text\": \"共计：%1 件\"}");
    writeFile(src + "/note.txt", "共计");
    const QString out = m_dir.filePath("gbk.data");
    QCOMPARE(tavqpkg({"pack", "--gbk", src, out}).exitCode, 0);
    QCOMPARE(tavqpkg({"cat", out, "page.json"}).out,
             TAVQtLib::TextCodec::fromUnicode(QString::fromUtf8("{\"text\": \"共计：%1 件\"}"), "GBK"));
    QCOMPARE(tavqpkg({"cat", out, "note.txt"}).out, QByteArray("共计"));   // only .json is converted

    // A page that is not UTF-8 is refused rather than garbled.
    writeFile(src + "/bad.json", QByteArray("{\"t\": \"\xff\xfe\"}"));
    const Run run = tavqpkg({"pack", "--gbk", src, m_dir.filePath("bad.data")});
    QCOMPARE(run.exitCode, 1);
    QVERIFY(run.err.contains("bad.json"));
}

void tst_Tavqpkg::packRefusesWhatGbkCannotHold_data()
{
    QTest::addColumn<QByteArray>("page");
    QTest::addColumn<QByteArray>("message");
    // Columns count characters, a character outside the BMP as one.
    QTest::newRow("emoji") << QByteArray("{\n  \"text\": \"Paid \xF0\x9F\x98\x80\"\n}")
                           << QByteArray("page.json:2:17: \"\xF0\x9F\x98\x80\" (U+1F600) cannot be written in GBK");
    QTest::newRow("after Chinese") << QByteArray("{\"t\": \"共计\xE0\xB8\x81\"}")
                                   << QByteArray("page.json:1:10: \"\xE0\xB8\x81\" (U+0E01) cannot be written in GBK");
}

void tst_Tavqpkg::packRefusesWhatGbkCannotHold()
{
    QFETCH(QByteArray, page);
    QFETCH(QByteArray, message);
    const QString src = m_dir.filePath(QStringLiteral("lossy-%1").arg(QTest::currentDataTag()));
    writeFile(src + "/page.json", page);
    const QString out = src + ".data";
    const Run run = tavqpkg({"pack", "--gbk", src, out});
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.contains(message), run.err.constData());
    QVERIFY(!QFile::exists(out));
}

void tst_Tavqpkg::builtPackageHoldsTheStyleSheet()
{
    const Run list = tavqpkg({"list", PACKAGE_FILE});
    QCOMPARE(list.exitCode, 0);
    QVERIFY(list.out.contains(" style.json\n"));
    const QByteArray sheet = tavqpkg({"cat", PACKAGE_FILE, "style.json"}).out;
    QFile source(SOURCE_DIR "/package/style.json");
    QVERIFY(source.open(QIODevice::ReadOnly));
    QCOMPARE(TAVQtLib::TextCodec::toUnicode(sheet, "GBK"), QString::fromUtf8(source.readAll()));
}

void tst_Tavqpkg::usage()
{
    for (const QStringList &args : {QStringList(), QStringList {"list"}, QStringList {"frobnicate", "x"},
                                    QStringList {"pack", "--utf16", "a", "b"}}) {
        const Run run = tavqpkg(args);
        QCOMPARE(run.exitCode, 2);
        QVERIFY(run.err.contains("Usage"));
    }
}

QTEST_GUILESS_MAIN(tst_Tavqpkg)
#include "tst_tavqpkg.moc"
