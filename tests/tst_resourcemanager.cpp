#include "core/tavqruntime.h"
#include "base/tavqtextcodec.h"
#include "resources/tavqresourcemanager_p.h"
#include "ziptestwriter.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <cstring>

using namespace TAVQtLib;

namespace {

void writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), qint64(bytes.size()));
}

QByteArray png(const QColor &color, int w = 4, int h = 3)
{
    QImage img(w, h, QImage::Format_ARGB32);
    img.fill(color);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    img.save(&buffer, "PNG");
    return bytes;
}

// A small JPEG whose frame header claims `size`: its few coded blocks still
// decode, the rest comes out grey.
QByteArray jpegClaiming(const QSize &size)
{
    QImage img(16, 16, QImage::Format_RGB32);
    img.fill(Qt::gray);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    img.save(&buffer, "JPEG");
    const int frame = bytes.indexOf("\xFF\xC0");
    const char claimed[] = {char(size.height() >> 8), char(size.height()), char(size.width() >> 8), char(size.width())};
    bytes.replace(frame + 5, 4, claimed, 4);
    return bytes;
}

void setModified(const QString &path, const QDateTime &time)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::Append));
    QVERIFY(f.setFileTime(time, QFileDevice::FileModificationTime));
}

bool pack(const QString &dir, const QString &out)
{
    return QProcess::execute(TAVQPKG_PATH, {"pack", dir, out}) == 0;
}

const QRgb Grey = 0xFFCCCCCC;

} // namespace

class tst_ResourceManager : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void builtinImagesWithoutPackage();
    void packageWithoutStyleSheet();
    void packageWithStyleSheet();
    void fileDataNormalisesNames();
    void packageImages();
    void nonAsciiNames_data();
    void nonAsciiNames();
    void boxStyleLookups();
    void setStyles();
    void missingImageTriesDiskAgain();
    void undecodableDiskImageIsNotHandedOut();
    void styleFolder();
    void spellingsShareOneImage_data();
    void spellingsShareOneImage();
    void brokenStyleSheets();
    void clearKeepsBuiltinImages();
    void packageFailureIsRemembered_data();
    void packageFailureIsRemembered();
    void diskFailureIsRememberedWhileUnchanged_data() { packageFailureIsRemembered_data(); }
    void diskFailureIsRememberedWhileUnchanged();

private:
    QTemporaryDir m_dir;
    TAVQResourceManager &rm = TAVQResourceManager::instance();
};

void tst_ResourceManager::initTestCase()
{
    QVERIFY(m_dir.isValid());
    rm.createBuiltinImages();
}

void tst_ResourceManager::builtinImagesWithoutPackage()
{
    QImage *unselect = rm.image("IDB_UNSELECT");
    QImage *selected = rm.image("IDB_SELECTED");
    QImage *uncheck = rm.image("IDB_UNCHECK");
    QImage *checked = rm.image("IDB_CHECKED");
    QVERIFY(unselect && selected && uncheck && checked);
    for (QImage *img : {unselect, selected, uncheck, checked}) {
        QCOMPARE(img->size(), QSize(16, 16));
        QCOMPARE(img->format(), QImage::Format_ARGB32);
        QCOMPARE(img->pixel(0, 0), 0u);                    // untouched corner stays transparent
    }
    // Square outline, no antialiasing: hard grey edges, empty inside.
    QCOMPARE(uncheck->pixel(1, 1), Grey);
    QCOMPARE(uncheck->pixel(15, 15), Grey);
    QCOMPARE(uncheck->pixel(8, 1), Grey);
    QCOMPARE(uncheck->pixel(1, 8), Grey);
    QCOMPARE(uncheck->pixel(8, 8), 0u);
    QCOMPARE(uncheck->pixel(0, 8), 0u);
    // The antialiased tick runs along pixel corners: its bottom at (7, 12),
    // its long arm through (11, 6); the frame is the same.
    QCOMPARE(checked->pixel(1, 1), Grey);
    QVERIFY(qAlpha(checked->pixel(7, 12)) > 0x80);
    QVERIFY(qAlpha(checked->pixel(11, 6)) > 0x80);
    QVERIFY(qAlpha(checked->pixel(3, 8)) > 0);
    QCOMPARE(checked->pixel(4, 4), 0u);
    // Circle outline touches the frame's middle, not its corner; the disc fills the centre.
    QVERIFY(qAlpha(unselect->pixel(1, 8)) > 0);
    QCOMPARE(qAlpha(unselect->pixel(2, 2)), 0);
    QCOMPARE(unselect->pixel(8, 8), 0u);
    QCOMPARE(selected->pixel(8, 8), Grey);
    QCOMPARE(selected->pixel(7, 7), Grey);
    QCOMPARE(qAlpha(selected->pixel(8, 2)), 0);
    // The same object every time.
    QCOMPARE(rm.image("IDB_CHECKED"), checked);
}

void tst_ResourceManager::packageWithoutStyleSheet()
{
    const QString src = m_dir.filePath("nostyle");
    writeFile(src + "/pages/only.json", "{}");
    writeFile(src + "/images/blue.png", png(Qt::blue));
    QVERIFY(pack(src, m_dir.filePath("nostyle.data")));
    QVERIFY(!OpenPackage(m_dir.filePath("nostyle.data")));
    QCOMPARE(rm.packagePath(), m_dir.filePath("nostyle.data"));
    // Its files are served all the same.
    QVERIFY(rm.fileData("pages/only.json", nullptr, nullptr));
    QImage *blue = rm.image("images/blue.png");
    QVERIFY(blue);
    QCOMPARE(blue->pixel(0, 0), QColor(Qt::blue).rgba());
    QVERIFY(!OpenPackage(m_dir.filePath("does-not-exist.data")));
}

void tst_ResourceManager::packageWithStyleSheet()
{
    const QString src = m_dir.filePath("full");
    writeFile(src + "/style.json", R"({"style":[
        {"type":1,"name":"card","drawImg":false,"clr":"ff112233","round":4},
        {"type":1,"name":"empty","drawImg":false,"clr":"ff445566"},
        {"type":1,"name":"emptyRect","drawImg":false},
        {"type":2,"name":"title","size":22,"clr":"445566"}]})");
    writeFile(src + "/Pages/Main.json", "{\"w\":800}");
    writeFile(src + "/Images/Red.PNG", png(Qt::red));
    writeFile(src + "/images/blue.png", png(Qt::green));  // the first package's blue.png stays
    QVERIFY(pack(src, m_dir.filePath("full.data")));
    QVERIFY(OpenPackage(m_dir.filePath("full.data")));
    QVERIFY(TAVQResourceManagerPrivate::get(rm).package.findFile("pages/main.json").has_value());
    QVERIFY(!TAVQResourceManagerPrivate::get(rm).package.findFile("Pages/Main.json").has_value());
}

void tst_ResourceManager::fileDataNormalisesNames()
{
    const char *data = nullptr;
    quint32 length = 0;
    QVERIFY(rm.fileData("Pages\\Main.JSON", &data, &length));
    QCOMPARE(QByteArray(data, int(length)), QByteArray("{\"w\":800}"));
    QVERIFY(rm.fileData("PAGES/MAIN.JSON", &data, &length));
    const char *const before = data;
    QVERIFY(!rm.fileData("pages/other.json", &data, &length));
    QCOMPARE(data, before);         // outputs untouched on failure
    QCOMPARE(length, quint32(9));
}

void tst_ResourceManager::packageImages()
{
    QImage *red = rm.image("images/red.png");
    QVERIFY(red);
    QCOMPARE(red->size(), QSize(4, 3));
    QCOMPARE(red->pixel(1, 1), QColor(Qt::red).rgba());
    QImage *other = rm.image("Images/Red.PNG");
    QVERIFY(other);
    QCOMPARE(*other, *red);
    QCOMPARE(rm.image("images/red.png"), red);
    QCOMPARE(rm.image("images/blue.png")->pixel(0, 0), QColor(Qt::blue).rgba());
}

void tst_ResourceManager::nonAsciiNames_data()
{
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<quint16>("flags");
    QTest::addColumn<QString>("name");
    const QString picture = QString::fromUtf8("图片/商品.png");
    const QString price = QString::fromUtf8("图片/价格.png");
    QTest::newRow("UTF-8") << picture.toUtf8() << ZipTest::FlagUtf8Name << QString::fromUtf8("图片\\商品.PNG");
    QTest::newRow("GBK") << TextCodec::fromUnicode(price, "GBK") << quint16(0) << price;
}

void tst_ResourceManager::nonAsciiNames()
{
    QFETCH(QByteArray, stored);
    QFETCH(quint16, flags);
    QFETCH(QString, name);
    const QString tag = QString::fromLatin1(QTest::currentDataTag());
    ZipTest::Archive a;
    a.add(stored, png(Qt::darkCyan)).flags = flags;
    a.add(tag.toLatin1() + ".txt", "ascii");
    // The package's own path is not ASCII either.
    const QString path = ZipTest::writeFile(m_dir, QString::fromUtf8("包裹-%1.data").arg(tag), a.build());
    OpenPackage(path);
    QVERIFY(rm.fileData(tag + ".txt", nullptr, nullptr));
    QImage *image = rm.image(name);
    QVERIFY(image);
    QCOMPARE(image->pixel(0, 0), QColor(Qt::darkCyan).rgba());
}

void tst_ResourceManager::boxStyleLookups()
{
    TAVQBoxStyle s;
    s.round = 77;
    QVERIFY(rm.boxStyle("empty", s));
    QVERIFY(!s.visible);
    QCOMPARE(s.round, 77);          // only visibility changes
    s.visible = true;
    QVERIFY(rm.boxStyle("emptyRect", s));
    QVERIFY(!s.visible);
    QCOMPARE(s.round, 77);

    QVERIFY(GetBoxStyle("card", s));
    QVERIFY(s.visible && s.useColor);
    QCOMPARE(s.color, QColor(0x11, 0x22, 0x33));
    QCOMPARE(s.round, 4);

    TAVQBoxStyle untouched;
    untouched.round = 5;
    QVERIFY(!GetBoxStyle("nope", untouched));
    QCOMPARE(untouched.round, 5);
    QVERIFY(!GetBoxStyle(nullptr, untouched));

    TAVQFontStyle f;
    QVERIFY(GetFontStyle("title", f));
    QCOMPARE(f.size, 22);
    QCOMPARE(f.color, QColor(0x44, 0x55, 0x66));
    TAVQFontStyle g;
    g.size = 99;
    QVERIFY(!GetFontStyle("card", g));
    QCOMPARE(g.size, 99);
}

void tst_ResourceManager::setStyles()
{
    TAVQBoxStyle hidden;
    hidden.visible = false;
    hidden.round = 3;
    SetBoxStyle("hidden", hidden);
    TAVQBoxStyle out;
    QVERIFY(GetBoxStyle("hidden", out));
    QVERIFY(out.visible);           // a defined style is always handed out visible
    QCOMPARE(out.round, 3);
    hidden.round = 8;
    SetBoxStyle("hidden", hidden);  // set replaces, unlike the style sheet
    QVERIFY(GetBoxStyle("hidden", out));
    QCOMPARE(out.round, 8);

    TAVQFontStyle f;
    f.family = QString::fromUtf8("黑体");
    SetFontStyle("黑体", f);       // UTF-8 name
    TAVQFontStyle back;
    QVERIFY(rm.fontStyle(QString::fromUtf8("黑体"), back));
    QCOMPARE(back.family, f.family);
}

void tst_ResourceManager::missingImageTriesDiskAgain()
{
    const QString name = m_dir.filePath("late.png");
    QVERIFY(!rm.image(name));
    QVERIFY(!rm.image(name));
    writeFile(name, png(Qt::yellow));
    QImage *late = rm.image(name);
    QVERIFY(late);
    QCOMPARE(late->pixel(0, 0), QColor(Qt::yellow).rgba());
}

void tst_ResourceManager::undecodableDiskImageIsNotHandedOut()
{
    const QString name = m_dir.filePath("broken.png");
    writeFile(name, "this is no image");
    QVERIFY(!rm.image(name));
    QVERIFY(!rm.image(name));
    // Fixed on disk, it loads on the next request.
    writeFile(name, png(Qt::cyan));
    QVERIFY(rm.image(name));
}

void tst_ResourceManager::styleFolder()
{
    const QString folder = m_dir.filePath("skin");
    writeFile(folder + "/style.json", R"({"style":{"a":{"type":1,"name":"folderbox","round":9}}})");
    writeFile(folder + "/images/disk.png", png(Qt::magenta));
    writeFile(folder + "/top.png", png(Qt::darkRed));

    QVERIFY(!LoadStyleFolder(QString()));
    TAVQBoxStyle s;
    QVERIFY(GetBoxStyle("card", s));    // an empty folder changed nothing

    QVERIFY(LoadStyleFolder(folder));   // no trailing separator
    QCOMPARE(rm.folderPath(), folder + "/");
    QVERIFY(!GetBoxStyle("card", s));   // the package's styles are gone
    QVERIFY(GetBoxStyle("folderbox", s));
    QCOMPARE(s.round, 9);
    QImage *disk = rm.image("disk.png");          // found under images/
    QVERIFY(disk);
    QCOMPARE(disk->pixel(0, 0), QColor(Qt::magenta).rgba());
    QVERIFY(rm.image("top.png"));                 // found at the folder's top
    QVERIFY(rm.image("images/red.png"));          // the package still comes first

    QVERIFY(LoadStyleFolder(folder + "/"));
    QCOMPARE(rm.folderPath(), folder + "/");
    QVERIFY(!LoadStyleFolder(m_dir.filePath("no-such-folder")));
}

void tst_ResourceManager::brokenStyleSheets()
{
    const struct {
        const char *name;
        QByteArray text;
    } cases[] = {
        {"empty", ""},
        {"syntax", "{\"style\": ["},
        {"nostyle", "{\"styles\": []}"},
        {"array root", "[1,2,3]"},
        {"string root", "\"style\""},
    };
    for (const auto &c : cases) {
        const QString folder = m_dir.filePath(QString("bad-%1").arg(c.name));
        writeFile(folder + "/style.json", c.text);
        QVERIFY2(!LoadStyleFolder(folder), c.name);
    }
    // Wrongly typed style values load as defaults rather than failing the sheet.
    const QString folder = m_dir.filePath("typed");
    writeFile(folder + "/style.json", R"({"style":[{"type":1,"name":"t","round":"big","drawImg":"0"}]})");
    QVERIFY(LoadStyleFolder(folder));
    TAVQBoxStyle s;
    QVERIFY(GetBoxStyle("t", s));
    QCOMPARE(s.round, 0);
    QVERIFY(!s.useColor);
}

void tst_ResourceManager::spellingsShareOneImage_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::newRow("package, case") << "images/red.png" << "IMAGES/RED.png";
    QTest::newRow("package, backslash") << "images/red.png" << "images\\Red.PNG";
    QTest::newRow("folder, under images/") << "disk.png" << "images/disk.png";
}

void tst_ResourceManager::spellingsShareOneImage()
{
    QFETCH(QString, first);
    QFETCH(QString, second);
    QVERIFY(LoadStyleFolder(m_dir.filePath("skin")));
    QImage *image = rm.image(first);
    QVERIFY(image);
    QCOMPARE(rm.image(second), image);
}

void tst_ResourceManager::clearKeepsBuiltinImages()
{
    QVERIFY(rm.image("images/red.png"));
    rm.setFontStyle("f", TAVQFontStyle());
    rm.clear();
    for (const char *name : {"IDB_UNSELECT", "IDB_SELECTED", "IDB_UNCHECK", "IDB_CHECKED"})
        QVERIFY(rm.image(name));
    TAVQBoxStyle s;
    TAVQFontStyle f;
    QVERIFY(!rm.boxStyle("t", s));
    QVERIFY(!rm.fontStyle("f", f));
    // The package index survives; the image is decoded afresh.
    QVERIFY(rm.fileData("style.json", nullptr, nullptr));
    QVERIFY(rm.image("images/red.png"));
}

void tst_ResourceManager::packageFailureIsRemembered_data()
{
    QTest::addColumn<QByteArray>("sound");
    QTest::addColumn<QByteArray>("broken");
    const QByteArray image = png(Qt::red);
    QByteArray badChecksum = image;
    badChecksum[29] = char(~badChecksum[29]);     // the header chunk's CRC
    QTest::newRow("bad checksum") << image << badChecksum;
    // 6000 x 6000 x 4 bytes is just over the bound.
    QTest::newRow("too large") << jpegClaiming(QSize(16, 16)) << jpegClaiming(QSize(6000, 6000));
}

void tst_ResourceManager::packageFailureIsRemembered()
{
    QFETCH(QByteArray, sound);
    QFETCH(QByteArray, broken);
    QCOMPARE(sound.size(), broken.size());
    rm.closePackage();
    rm.clear();
    ZipTest::Archive a;
    a.add("images/broken.img", broken);
    QVERIFY(!OpenPackage(ZipTest::writeFile(m_dir, "broken.data", a.build())));
    QVERIFY(!rm.image("images/broken.img"));
    // Mended in memory, the entry is not decoded again under any spelling...
    const char *data = nullptr;
    quint32 length = 0;
    QVERIFY(rm.fileData("images/broken.img", &data, &length));
    std::memcpy(const_cast<char *>(data), sound.constData(), length);
    QVERIFY(!rm.image("images/broken.img"));
    QVERIFY(!rm.image("Images\\Broken.IMG"));
    // ...until the cache is cleared.
    rm.clear();
    QVERIFY(rm.image("images/broken.img"));
}

void tst_ResourceManager::diskFailureIsRememberedWhileUnchanged()
{
    QFETCH(QByteArray, sound);
    QFETCH(QByteArray, broken);
    QVERIFY(LoadStyleFolder(m_dir.filePath("skin")));
    const QString name = QString::fromLatin1(QTest::currentDataTag());
    const QString path = m_dir.filePath("skin/" + name);
    writeFile(path, broken);
    const QDateTime stamp = QFileInfo(path).lastModified();
    QVERIFY(!rm.image(name));
    // The same size and time: the same file, not read again.
    writeFile(path, sound);
    setModified(path, stamp);
    QVERIFY(!rm.image(name));
    // Touched, it is read afresh.
    setModified(path, stamp.addSecs(-10));
    QVERIFY(rm.image(name));
}

QTEST_MAIN(tst_ResourceManager)
#include "tst_resourcemanager.moc"
