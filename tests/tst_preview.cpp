#include "elementoverlay.h"
#include "elementinfo.h"
#include "previewpage.h"
#include "previewwindow.h"

#include "controls/tavqcontrols.h"
#include "core/tavqruntime.h"
#include "core/tavqwindow.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using namespace TAVQtLib;
using namespace TAVQtLib::Preview;

namespace {

const QRgb Red = qRgb(255, 0, 0);
const QRgb Green = qRgb(0, 255, 0);
const QRgb Blue = qRgb(0, 0, 255);

// The label sits in a card under a background; before it, elements the builder
// skips or that make control widgets of their own.
const char Page[] = R"({"w":300,"h":200,"elements":[
  {"type":"nosuchtype","name":"skipped","child":[{"type":"qtlabel","name":"orphan"}]},
  {"type":"qtcontainer","name":"bg","layout":{"type":1},"style":[["back",0,0]],"child":[
    {"type":"qtlist","name":"list","x":240,"y":0,"w":60,"h":200,"child":[{"type":"qtscrollbar"}]},
    {"type":"qtcontainer","name":"card","x":20,"y":30,"w":200,"h":120,"style":[["card",0,0]],"child":[
      {"type":"qtlabel","name":"title","layout":{"type":0,"hor":1,"x":4,"y":10},"w":100,"h":24,
       "style":[["ink",0,0],["nosuch",0,1]],"attr":{"text":"Hello"}}]}]}]})";

QByteArray styleSheet(const char *backColour)
{
    return QByteArray(R"({"style":[{"type":1,"name":"back","drawImg":false,"clr":")") + backColour + R"("},
        {"type":1,"name":"card","drawImg":false,"clr":"ff0000ff"},
        {"type":2,"name":"ink","size":12,"clr":"000000"}]})";
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// The background's colour in the snapshot, or 0 while there is none.
QRgb snapshotColour(const QString &path)
{
    const QImage image(path);
    return image.isNull() ? 0 : image.pixel(5, 5) & 0xffffff;
}

} // namespace

class tst_Preview : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void rebuildsOnStyleChange_data();
    void rebuildsOnStyleChange();
    void answersForNestedElement();
    void findsControlByLine();
    void inspectsUnderTheMouse();

private:
    QTemporaryDir m_dir;
};

void tst_Preview::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY(writeFile(m_dir.filePath("page.json"), Page));
    QVERIFY(writeFile(m_dir.filePath("style.json"), styleSheet("ffff0000")));
    InitRuntime();
    QVERIFY(LoadStyleFolder(m_dir.path()));
}

void tst_Preview::rebuildsOnStyleChange_data()
{
    QTest::addColumn<bool>("byRename");
    QTest::addColumn<bool>("packed");
    QTest::newRow("folder, written in place") << false << false;
    QTest::newRow("folder, renamed over") << true << false;
    QTest::newRow("package, packed again") << false << true;
}

void tst_Preview::rebuildsOnStyleChange()
{
    QFETCH(bool, byRename);
    QFETCH(bool, packed);
    QTemporaryDir dir;
    const QString folder = dir.filePath("skin");
    const QString package = dir.filePath("skin.data");
    const QString snapshot = dir.filePath("out.png");
    QVERIFY(QDir().mkpath(folder));
    QVERIFY(writeFile(folder + "/page.json", Page));
    QVERIFY(writeFile(folder + "/style.json", styleSheet("ffff0000")));
    QVERIFY(!packed || QProcess::execute(TAVQPKG_PATH, {"pack", folder, package}) == 0);

    QProcess preview;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    preview.setProcessEnvironment(env);
    preview.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    preview.start(TAVQ_PREVIEW_PATH, {"--snapshot", snapshot, packed ? "--package" : "--folder",
                                      packed ? package : folder, "page.json"});
    QVERIFY(preview.waitForStarted());
    QTRY_COMPARE_WITH_TIMEOUT(snapshotColour(snapshot), Red & 0xffffff, 20000);
    QCOMPARE(QImage(snapshot).size(), QSize(300, 200));
    QCOMPARE(QImage(snapshot).pixel(30, 40), Blue);

    for (const char *colour : {"ff00ff00", "ff0000ff"}) {
        if (byRename) {
            QVERIFY(writeFile(folder + "/style.json.tmp", styleSheet(colour)));
            QVERIFY(::rename(QFile::encodeName(folder + "/style.json.tmp"), QFile::encodeName(folder + "/style.json"))
                    == 0);
        } else {
            QVERIFY(writeFile(folder + "/style.json", styleSheet(colour)));
        }
        QVERIFY(!packed || QProcess::execute(TAVQPKG_PATH, {"pack", folder, package}) == 0);
        const QRgb expected = (colour == QByteArray("ff00ff00") ? Green : Blue) & 0xffffff;
        QElapsedTimer clock;
        clock.start();
        QTRY_COMPARE_WITH_TIMEOUT(snapshotColour(snapshot), expected, 3000);
        qInfo("rebuilt within %lld ms", clock.elapsed());
    }
    preview.kill();
    preview.waitForFinished();
}

void tst_Preview::answersForNestedElement()
{
    TAVQWindow host;
    host.resize(300, 200);
    PreviewPage page;
    QVERIFY(page.load(&host, "page.json"));
    auto *title = host.findChild<QWidget *>("title");
    QVERIFY(title);

    const ElementAnswer answer = ElementInfo(page).answerFor(title);
    QCOMPARE(answer.control, title);
    QCOMPARE(answer.name, QString("title"));
    QCOMPARE(answer.type, QString("qtlabel"));
    QCOMPARE(answer.geometry, QRect(54, 10, 100, 24));
    QCOMPARE(answer.layout, QString("anchor: hor 1, ver 0, wType 0, hType 0, x 4, y 10, w 100, h 24"));
    QCOMPARE(answer.styles.size(), 2);
    QCOMPARE(answer.styles[0].slot, 0);
    QCOMPARE(answer.styles[0].style, QString("ink"));
    QCOMPARE(answer.styles[0].box, false);
    QCOMPARE(answer.styles[0].font, true);
    QCOMPARE(answer.styles[1].slot, 1);
    QCOMPARE(answer.styles[1].style, QString("nosuch"));
    QCOMPARE(answer.styles[1].box || answer.styles[1].font, false);
    QCOMPARE(answer.line, 6);
    QVERIFY(answer.json.startsWith(R"({"type":"qtlabel","name":"title")"));
    QVERIFY(answer.json.endsWith(R"("attr":{"text":"Hello"}})"));

    // The page host itself was made by no element.
    QCOMPARE(ElementInfo(page).answerFor(&host).control, nullptr);
}

void tst_Preview::findsControlByLine()
{
    TAVQWindow host;
    host.resize(300, 200);
    PreviewPage page;
    QVERIFY(page.load(&host, "page.json"));
    QCOMPARE(page.controlAtLine(1), nullptr);
    QCOMPARE(page.controlAtLine(2), nullptr);   // the skipped element made nothing
    QCOMPARE(page.controlAtLine(3), host.findChild<QWidget *>("bg"));
    QCOMPARE(page.controlAtLine(4), host.findChild<QWidget *>("list"));
    QCOMPARE(page.controlAtLine(5), host.findChild<QWidget *>("card"));
    QCOMPARE(page.controlAtLine(7), host.findChild<QWidget *>("title"));
}

void tst_Preview::inspectsUnderTheMouse()
{
    PreviewOptions options;
    options.source.folder = m_dir.path();
    options.page = "page.json";
    options.inspect = true;
    PreviewWindow window(options);
    window.rebuild();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto *overlay = window.findChild<ElementOverlay *>();
    QVERIFY(overlay && overlay->isVisible());
    QCOMPARE(overlay->geometry(), QRect(0, 0, 300, 200));

    // The title lies at 74,40 in the page: card 20,30 plus its own 54,10.
    const QPoint onTitle(100, 50);
    QMouseEvent move(QEvent::MouseMove, onTitle, overlay->mapToGlobal(onTitle), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(overlay, &move);
    const QString hovered = window.findChild<QLabel *>("previewHoverInfo")->text();
    QVERIFY(hovered.startsWith("qtlabel \"title\"\ngeometry: 54,10 100x24\n"));
    QVERIFY(!hovered.contains("line 6:"));

    QTest::mouseClick(overlay, Qt::LeftButton, Qt::NoModifier, onTitle);
    const QString details = window.findChild<QPlainTextEdit *>("previewDetails")->toPlainText();
    QVERIFY(details.startsWith(hovered + "\n\nline 6:\n{\"type\":\"qtlabel\""));
}

QTEST_MAIN(tst_Preview)
#include "tst_preview.moc"
