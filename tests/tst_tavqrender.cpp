#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

int render(const QStringList &args, QByteArray *err = nullptr)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("QT_QPA_PLATFORM");   // the tool chooses offscreen itself without a display
    env.remove("DISPLAY");
    p.setProcessEnvironment(env);
    p.start(TAVQ_RENDER_PATH, args);
    p.waitForFinished(60000);
    if (err)
        *err = p.readAllStandardError();
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

} // namespace

class tst_TavqRender : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void rendersFolderPage();
    void sizeOverridesPage();
    void defaultSize();
    void rendersPackagePage();
    void exitCodes();

private:
    QTemporaryDir m_dir;
    QString m_folder;
};

void tst_TavqRender::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_folder = m_dir.filePath("skin");
    writeFile(m_folder + "/style.json", R"({"style":[
        {"type":1,"name":"red","drawImg":false,"clr":"ffff0000"},
        {"type":1,"name":"blue","drawImg":false,"clr":"ff0000ff"}]})");
    writeFile(m_folder + "/page.json", R"({"w":300,"h":200,"elements":[
        {"type":"qtcontainer","name":"bg","layout":{"type":1},"style":[["red",0,0]],"child":[
            {"type":"qtbutton","x":100,"y":50,"w":80,"h":40,"style":[["blue",0,0]]}]}]})");
    writeFile(m_folder + "/nosize.json", R"({"elements":[{"type":"qtcontainer","layout":{"type":1}}]})");
}

void tst_TavqRender::rendersFolderPage()
{
    const QString out = m_dir.filePath("page.png");
    QCOMPARE(render({"--folder", m_folder, "page.json", out}), 0);
    const QImage img(out);
    QCOMPARE(img.size(), QSize(300, 200));
    QCOMPARE(img.pixel(10, 10), qRgb(255, 0, 0));
    QCOMPARE(img.pixel(140, 70), qRgb(0, 0, 255));
    QCOMPARE(img.pixel(99, 70), qRgb(255, 0, 0));
    QCOMPARE(img.pixel(180, 70), qRgb(255, 0, 0));
}

void tst_TavqRender::sizeOverridesPage()
{
    const QString out = m_dir.filePath("sized.png");
    QCOMPARE(render({"--folder", m_folder, "--size", "640x480", "page.json", out}), 0);
    const QImage img(out);
    QCOMPARE(img.size(), QSize(640, 480));
    QCOMPARE(img.pixel(630, 470), qRgb(255, 0, 0));   // the margin layout followed the size
}

void tst_TavqRender::defaultSize()
{
    const QString out = m_dir.filePath("default.png");
    QCOMPARE(render({"--folder", m_folder, "nosize.json", out}), 0);
    QCOMPARE(QImage(out).size(), QSize(800, 600));
}

void tst_TavqRender::rendersPackagePage()
{
    const QString out = m_dir.filePath("gallery.png");
    QCOMPARE(render({"--package", PACKAGE_FILE, "Gallery.json", out}), 0);
    const QImage img(out);
    QCOMPARE(img.size(), QSize(960, 860));
    // The header bar of the gallery is dark, its window background light.
    QCOMPARE(img.pixel(400, 5), qRgb(0x1f, 0x2a, 0x3c));
    QCOMPARE(img.pixel(5, 300), qRgb(0xf4, 0xf6, 0xfa));
}

void tst_TavqRender::exitCodes()
{
    QByteArray err;
    const QString out = m_dir.filePath("x.png");
    QCOMPARE(render({"--folder", m_folder, "absent.json", out}, &err), 2);
    QVERIFY(err.contains("absent.json"));
    QVERIFY(!QFile::exists(out));
    writeFile(m_folder + "/broken.json", "{\"elements\": [");
    QCOMPARE(render({"--folder", m_folder, "broken.json", out}), 2);
    QCOMPARE(render({"--package", m_dir.filePath("missing.data"), "page.json", out}), 1);
    QCOMPARE(render({"--folder", m_folder, "--size", "wide", "page.json", out}), 1);
    QCOMPARE(render({"--folder", m_folder, "page.json"}), 1);
    QCOMPARE(render({"--folder", m_folder, "page.json", m_dir.filePath("no/such/dir/x.png")}), 1);
    QCOMPARE(render({"--help"}), 0);
}

QTEST_GUILESS_MAIN(tst_TavqRender)
#include "tst_tavqrender.moc"
