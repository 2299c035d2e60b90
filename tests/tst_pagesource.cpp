#include "ziptestwriter.h"

#include "base/tavqlimits.h"
#include "resources/packageindex_p.h"
#include "resources/tavqpagesource_p.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

using namespace TAVQtLib;

Q_DECLARE_METATYPE(TAVQFilePlace)

class tst_PageSource : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void documents_data();
    void documents();
    void styleSheets_data();
    void styleSheets();
    void images_data();
    void images();

private:
    QTemporaryDir m_dir;
    QString m_folder;
    PackageIndex m_package;
};

void tst_PageSource::initTestCase()
{
    QVERIFY(m_dir.isValid());
    ZipTest::Archive archive;
    archive.add("both.json", "package");
    archive.add("sub/deep.json", "package, deeper");
    archive.add("style.json", "package sheet");
    archive.add("images/pic.png", "package image");
    archive.add("IDB_CHECKED", "never read");
    QVERIFY(m_package.loadPackageEntries(ZipTest::writeFile(m_dir, "pages.data", archive.build())));

    QVERIFY(QDir(m_dir.path()).mkpath("skin/images"));
    m_folder = m_dir.filePath("skin");
    for (const char *name : {"skin/both.json", "skin/style.json", "skin/top.png", "skin/images/deep.png"})
        QVERIFY(!ZipTest::writeFile(m_dir, name, "folder").isEmpty());
    QVERIFY(!ZipTest::writeFile(m_dir, "skin/folderonly.json", "folder only").isEmpty());
    QVERIFY(!ZipTest::writeFile(m_dir, "loose.json", "disk").isEmpty());
    QVERIFY(!ZipTest::writeFile(m_dir, "big.json", QByteArray(int(Limits::MaxDocumentBytes) + 7, ' ')).isEmpty());
}

void tst_PageSource::documents_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("kept");   // the checks' reading of oversized files
    QTest::addColumn<TAVQFilePlace>("place");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("tooLarge");
    const QByteArray big = QByteArray(int(Limits::MaxDocumentBytes) + 1, ' ');
    QTest::newRow("package before folder") << "Both.JSON" << false << TAVQFilePlace::Package
                                           << QByteArray("package") << false;
    QTest::newRow("package, backslash") << "SUB\\deep.json" << false << TAVQFilePlace::Package
                                        << QByteArray("package, deeper") << false;
    QTest::newRow("folder") << "folderonly.json" << false << TAVQFilePlace::Folder << QByteArray("folder only")
                            << false;
    QTest::newRow("disk") << m_dir.filePath("loose.json") << false << TAVQFilePlace::Disk << QByteArray("disk")
                          << false;
    QTest::newRow("nowhere") << "absent.json" << false << TAVQFilePlace::Nowhere << QByteArray() << false;
    QTest::newRow("too large, refused") << m_dir.filePath("big.json") << false << TAVQFilePlace::Disk
                                        << QByteArray() << true;
    QTest::newRow("too large, kept") << m_dir.filePath("big.json") << true << TAVQFilePlace::Disk << big << true;
}

void tst_PageSource::documents()
{
    QFETCH(QString, name);
    QFETCH(bool, kept);
    const TAVQPageSource source(&m_package, m_folder,
                                kept ? TAVQPageSource::Oversized::Kept : TAVQPageSource::Oversized::Refused);
    const TAVQSourceFile file = source.document(name);
    QTEST(file.place, "place");
    QTEST(file.bytes, "bytes");
    QTEST(file.tooLarge, "tooLarge");
}

void tst_PageSource::styleSheets_data()
{
    QTest::addColumn<bool>("package");
    QTest::addColumn<bool>("folder");
    QTest::addColumn<TAVQFilePlace>("place");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("package") << true << false << TAVQFilePlace::Package << QByteArray("package sheet");
    QTest::newRow("folder over package") << true << true << TAVQFilePlace::Folder << QByteArray("folder");
    QTest::newRow("neither") << false << false << TAVQFilePlace::Nowhere << QByteArray();
}

void tst_PageSource::styleSheets()
{
    QFETCH(bool, package);
    QFETCH(bool, folder);
    const TAVQSourceFile sheet = TAVQPageSource(package ? &m_package : nullptr, folder ? m_folder : QString())
                                     .styleSheet();
    QTEST(sheet.place, "place");
    QTEST(sheet.bytes, "bytes");
}

void tst_PageSource::images_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<TAVQFilePlace>("place");
    QTest::addColumn<QString>("path");   // in the folder
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("built-in before package") << "IDB_CHECKED" << TAVQFilePlace::Builtin << QString() << QByteArray();
    QTest::newRow("package") << "images\\PIC.png" << TAVQFilePlace::Package << QString()
                             << QByteArray("package image");
    QTest::newRow("folder top") << "top.png" << TAVQFilePlace::Folder << "top.png" << QByteArray();
    QTest::newRow("folder images") << "deep.png" << TAVQFilePlace::Folder << "images/deep.png" << QByteArray();
    QTest::newRow("nowhere") << "none.png" << TAVQFilePlace::Nowhere << QString() << QByteArray();
}

void tst_PageSource::images()
{
    QFETCH(QString, name);
    QFETCH(QString, path);
    const TAVQSourceFile image = TAVQPageSource(&m_package, m_folder).image(name);
    QTEST(image.place, "place");
    QTEST(image.bytes, "bytes");
    QCOMPARE(image.path, path.isEmpty() ? QString() : m_folder + '/' + path);
    QCOMPARE(TAVQPageSource::isBuiltinImage(name), image.place == TAVQFilePlace::Builtin);
}

QTEST_GUILESS_MAIN(tst_PageSource)
#include "tst_pagesource.moc"
