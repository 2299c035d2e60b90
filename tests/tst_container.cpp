#include "controls/tavqcontainer.h"
#include "base/tavqjson_p.h"
#include "core/tavqpagebuilder.h"
#include "core/tavqregistry.h"
#include "resources/tavqpaint.h"
#include "resources/tavqresourcemanager.h"
#include "testjson.h"

#include <QFontMetrics>
#include <QScrollBar>
#include <QSignalSpy>
#include <QtTest>

#include <json/value.h>

#include <cstring>
#include <map>
#include <memory>

using namespace TAVQtLib;

namespace {

const QRgb Grey = qRgb(128, 128, 128);
const QRgb Red = qRgb(255, 0, 0);
const QRgb Blue = qRgb(0, 0, 255);
const QRgb Black = qRgb(0, 0, 0);
const QRgb White = qRgb(255, 255, 255);
const QRgb Paper = qRgb(250, 240, 200);

QWidget *createContainer() { return new TAVQContainer; }
QWidget *createGroupBox() { return new TAVQGroupBox; }
QWidget *createSplitter() { return new TAVQSplitter; }
QWidget *createScrollView() { return new TAVQScrollView; }
// A child widget that is no control, 150 x 40.
QWidget *createPlainPanel()
{
    auto *panel = new QWidget;
    panel->resize(150, 40);
    return panel;
}

TAVQBoxStyle colorBox(QRgb rgb)
{
    TAVQBoxStyle style;
    style.color = QColor(rgb);
    return style;
}

// A fixed-layout child element.
QByteArray fixedChild(const char *name, int x, int y, int w, int h)
{
    return QStringLiteral(R"({"type":"qtcontainer","name":"%1","x":%2,"y":%3,"w":%4,"h":%5})")
        .arg(QLatin1String(name)).arg(x).arg(y).arg(w).arg(h).toUtf8();
}

// A page with one top-level container of the given size, attributes and children.
QByteArray containerPage(int w, int h, const QByteArray &attr, const QByteArrayList &children)
{
    return R"({"elements":[{"type":"qtcontainer","name":"box","x":0,"y":0,"w":)" + QByteArray::number(w)
        + R"(,"h":)" + QByteArray::number(h) + R"(,"attr":)" + attr + R"(,"child":[)" + children.join(',')
        + "]}]}";
}

// Pixels of a widget as painted by itself over a known background.
QImage rendered(QWidget *widget, QRgb background = Paper)
{
    QImage image(widget->size(), QImage::Format_ARGB32);
    image.fill(background);
    widget->render(&image, QPoint(), QRegion(), QWidget::RenderFlags());
    return image;
}

void savePng(const QImage &image, const char *name)
{
    const QString dir = qEnvironmentVariable("TAVQ_TEST_PNG_DIR");
    if (!dir.isEmpty())
        image.save(dir + QLatin1Char('/') + QLatin1String(name) + QStringLiteral(".png"));
}

bool isUniform(const QImage &image, QRgb colour)
{
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != colour)
                return false;
        }
    }
    return true;
}

TAVQFixedLayout fixedRecord(QWidget *widget)
{
    TAVQFixedLayout record;
    ITAVQControlBase *control = controlInterface(widget);
    void *data = nullptr;
    control->GetLayoutData(data);
    if (data && control->GetLayoutType() == LayoutFixed)
        std::memcpy(&record, data, sizeof record);
    return record;
}

TAVQAnchorLayout anchorRecord(QWidget *widget)
{
    TAVQAnchorLayout record;
    controlInterface(widget)->GetControlBase()->GetLayout(record);
    return record;
}

// Counts the mouse presses that reach an object.
class PressCounter : public QObject
{
public:
    int presses = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::MouseButtonPress)
            ++presses;
        return false;
    }
};

} // namespace

class tst_Container : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void typeNamesAndDefaults();
    void arrangeRow();
    void arrangeColumn();
    void flowRows();
    void flowRowAdvancesByChildThatDoesNotFit();
    void flowFitKeepsTrailingSpace_data();
    void flowFitKeepsTrailingSpace();
    void flowColumns();
    void rearrangesOnResize();
    void marginChildrenTakeSpaceButStay();
    void anchorChildrenGetPositionWritten();
    void nonControlChildren();
    void noArrangement_data();
    void noArrangement();
    void nativeWindowHandle();

    void unstyledContainerIsGrey();
    void disabledStyleSlot();

    void groupBoxAttributes_data();
    void groupBoxAttributes();
    void groupBoxFrameAndTitle();
    void groupBoxHiddenBottomLineAndNoTitle();

    void splitterPaintsOnlyItsStyle();
    void splitterIgnoresMouse();

    void scrollViewSetup();
    void scrollViewAdoptsFirstContainer();
    void scrollViewWithoutContainer();
    void scrollViewReportsScrolling();
    void scrollViewBackground();

    void malformedElements_data();
    void malformedElements();

    void propertiesReachTheAccessors_data();
    void propertiesReachTheAccessors();

private:
    // Builds the page into a shown 400 x 300 parent.
    void build(const QByteArray &page);
    template <typename T = QWidget>
    T *find(const char *name) const
    {
        return m_host->findChild<T *>(QLatin1String(name));
    }

    QWidget *m_host = nullptr;
};

void tst_Container::initTestCase()
{
    RegisterControlType("qtcontainer", createContainer, true);
    RegisterControlType("qtgroupbox", createGroupBox, true);
    RegisterControlType("qtsplitter", createSplitter, true);
    RegisterControlType("qtscrollview", createScrollView, true);
    RegisterControlType("plainpanel", createPlainPanel, false);

    TAVQResourceManager &rm = TAVQResourceManager::instance();
    rm.setBoxStyle("redBox", colorBox(Red));
    rm.setBoxStyle("blueBox", colorBox(Blue));
    TAVQFontStyle font;
    font.family = QStringLiteral("WenQuanYi Micro Hei");
    font.size = 14;
    font.color = QColor(Red);
    rm.setFontStyle("titleFont", font);
}

void tst_Container::init()
{
    m_host = new QWidget;
    m_host->resize(400, 300);
}

void tst_Container::cleanup()
{
    delete m_host;
    m_host = nullptr;
}

void tst_Container::build(const QByteArray &page)
{
    BuildElements(parse(page), m_host);
    m_host->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_host));
}

void tst_Container::typeNamesAndDefaults()
{
    TAVQContainer container;
    TAVQGroupBox group;
    TAVQSplitter splitter;
    TAVQScrollView view;
    QCOMPARE(container.GetTypeName(), QStringLiteral("qtcontainer"));
    QCOMPARE(group.GetTypeName(), QStringLiteral("qtgroupbox"));
    QCOMPARE(splitter.GetTypeName(), QStringLiteral("qtsplitter"));
    QCOMPARE(view.GetTypeName(), QStringLiteral("qtscrollview"));
    for (QObject *control : {static_cast<QObject *>(&container), static_cast<QObject *>(&group),
                             static_cast<QObject *>(&splitter), static_cast<QObject *>(&view)})
        QVERIFY(qobject_cast<ITAVQControlBase *>(control));

    QCOMPARE(container.childLayout(), int(ChildLayoutNone));
    QCOMPARE(container.space(), 0);
    QCOMPARE(container.backgroundStyle().color, QColor(Grey));
    QCOMPARE(container.disabledStyle().color, QColor(Grey));
    QVERIFY(container.useColor());
    container.setUseColor(false);
    QVERIFY(!container.backgroundStyle().useColor);
    QVERIFY(container.disabledStyle().useColor);

    QVERIFY(group.showText());
    QCOMPARE(group.lineColor(), QColor(Black));
    QCOMPARE(group.lineInset(), 1);
    QVERIFY(group.title().isEmpty());

    QVERIFY(!splitter.backgroundStyle().visible);
    QVERIFY(splitter.isHorizontal());
    QCOMPARE(splitter.splitPosition(), -1);
    QCOMPARE(splitter.handleWidth(), 0);
    QVERIFY(!splitter.firstPane() && !splitter.secondPane());
    {
        auto *pane = new QWidget;
        splitter.setFirstPane(pane);
        QCOMPARE(splitter.firstPane(), pane);
        delete pane;
        QVERIFY(!splitter.firstPane());
    }

    QVERIFY(view.backgroundStyle().visible);
    QVERIFY(!view.content());
}

void tst_Container::arrangeRow()
{
    build(containerPage(300, 100, R"({"childLayout":0,"space":10})",
                        {fixedChild("a", 0, 5, 50, 20), fixedChild("b", 0, 6, 60, 20), fixedChild("c", 0, 7, 70, 20)}));
    QCOMPARE(find("a")->geometry(), QRect(10, 5, 50, 20));
    QCOMPARE(find("b")->geometry(), QRect(70, 6, 60, 20));
    QCOMPARE(find("c")->geometry(), QRect(140, 7, 70, 20));
    // The position lives in the record, so a later layout pass keeps it.
    QCOMPARE(fixedRecord(find("c")).x, 140);
    QCOMPARE(fixedRecord(find("c")).y, 7);
}

void tst_Container::arrangeColumn()
{
    build(containerPage(100, 300, R"({"childLayout":1,"space":10})",
                        {fixedChild("a", 3, 0, 40, 20), fixedChild("b", 4, 0, 40, 30), fixedChild("c", 5, 0, 40, 40)}));
    QCOMPARE(find("a")->geometry(), QRect(3, 10, 40, 20));
    QCOMPARE(find("b")->geometry(), QRect(4, 40, 40, 30));
    QCOMPARE(find("c")->geometry(), QRect(5, 80, 40, 40));
}

void tst_Container::flowRows()
{
    build(containerPage(200, 200, R"({"childLayout":2,"space":10})",
                        {fixedChild("a", 0, 0, 80, 30), fixedChild("b", 0, 0, 80, 30),
                         fixedChild("c", 0, 0, 80, 30), fixedChild("d", 0, 0, 80, 30)}));
    QCOMPARE(find("a")->pos(), QPoint(10, 10));
    QCOMPARE(find("b")->pos(), QPoint(100, 10));
    QCOMPARE(find("c")->pos(), QPoint(10, 50));
    QCOMPARE(find("d")->pos(), QPoint(100, 50));
}

void tst_Container::flowRowAdvancesByChildThatDoesNotFit()
{
    // The first row's tallest child is 60 high, yet the second row starts
    // 30 + 10 below the first: the child that did not fit sets the step.
    build(containerPage(200, 200, R"({"childLayout":2,"space":10})",
                        {fixedChild("tall", 0, 0, 80, 60), fixedChild("low", 0, 0, 80, 20),
                         fixedChild("next", 0, 0, 80, 30), fixedChild("wide", 0, 0, 170, 15)}));
    QCOMPARE(find("tall")->pos(), QPoint(10, 10));
    QCOMPARE(find("low")->pos(), QPoint(100, 10));
    QCOMPARE(find("next")->pos(), QPoint(10, 50));
    // 10 + 170 + 100 > 200: a new row 15 + 10 further down.
    QCOMPARE(find("wide")->pos(), QPoint(10, 75));
}

void tst_Container::flowFitKeepsTrailingSpace_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<QPoint>("second");
    // A child fits when the space after it is still inside: 10 + 80 + 100 <= width.
    QTest::newRow("fits exactly") << 190 << QPoint(100, 10);
    QTest::newRow("one short") << 189 << QPoint(10, 50);
}

void tst_Container::flowFitKeepsTrailingSpace()
{
    QFETCH(int, width);
    build(containerPage(width, 200, R"({"childLayout":2,"space":10})",
                        {fixedChild("a", 0, 0, 80, 30), fixedChild("b", 0, 0, 80, 30)}));
    QCOMPARE(find("a")->pos(), QPoint(10, 10));
    QTEST(find("b")->pos(), "second");
}

void tst_Container::flowColumns()
{
    build(containerPage(200, 100, R"({"childLayout":3,"space":10})",
                        {fixedChild("a", 0, 0, 40, 30), fixedChild("b", 0, 0, 50, 30),
                         fixedChild("c", 0, 0, 60, 30), fixedChild("d", 0, 0, 40, 30)}));
    QCOMPARE(find("a")->pos(), QPoint(10, 10));
    QCOMPARE(find("b")->pos(), QPoint(10, 50));
    // The new column advances by c's own width.
    QCOMPARE(find("c")->pos(), QPoint(80, 10));
    QCOMPARE(find("d")->pos(), QPoint(80, 50));
}

void tst_Container::rearrangesOnResize()
{
    build(containerPage(200, 200, R"({"childLayout":2,"space":10})",
                        {fixedChild("a", 0, 0, 80, 30), fixedChild("b", 0, 0, 80, 30), fixedChild("c", 0, 0, 80, 30)}));
    QCOMPARE(find("c")->pos(), QPoint(10, 50));
    auto *box = find<TAVQContainer>("box");
    box->SetLayout(TAVQFixedLayout{0, 0, 300, 200});
    QCOMPARE(box->width(), 300);
    QCOMPARE(find("c")->pos(), QPoint(190, 10));
}

void tst_Container::marginChildrenTakeSpaceButStay()
{
    // The margin child is 400 - 5 - 300 = 95 wide and stays where its margins put it.
    build(containerPage(400, 100, R"({"childLayout":0,"space":10})",
                        {fixedChild("a", 0, 0, 50, 20),
                         R"({"type":"qtcontainer","name":"m","layout":{"type":1,"x":5,"y":6,"r":300,"b":50}})",
                         fixedChild("c", 0, 0, 70, 20)}));
    QCOMPARE(find("a")->pos().x(), 10);
    QCOMPARE(find("m")->geometry(), QRect(5, 6, 95, 44));
    QCOMPARE(find("c")->pos().x(), 10 + 50 + 10 + 95 + 10);
}

void tst_Container::anchorChildrenGetPositionWritten()
{
    build(containerPage(400, 100, R"({"childLayout":0,"space":10})",
                        {fixedChild("a", 0, 0, 50, 20),
                         R"({"type":"qtcontainer","name":"left","w":60,"h":20,"layout":{"type":0,"x":99,"y":7}})",
                         R"({"type":"qtcontainer","name":"right","w":30,"h":20,"layout":{"type":0,"hor":2,"x":99}})"}));
    QCOMPARE(anchorRecord(find("left")).x, 70);
    QCOMPARE(anchorRecord(find("left")).y, 7);
    QCOMPARE(find("left")->geometry(), QRect(70, 7, 60, 20));
    // Written into the record as it is: for a right-aligned child it is the
    // distance from the right edge.
    QCOMPARE(anchorRecord(find("right")).x, 140);
    QCOMPARE(anchorRecord(find("right")).hor, 2);
    QCOMPARE(find("right")->geometry(), QRect(400 - 140 - 30, 0, 30, 20));
}

void tst_Container::nonControlChildren()
{
    // In a row a widget that is no control neither moves nor takes space.
    build(containerPage(400, 100, R"({"childLayout":0,"space":10})",
                        {fixedChild("a", 0, 0, 50, 20), R"({"type":"plainpanel"})", fixedChild("b", 0, 0, 60, 20)}));
    QCOMPARE(find("a")->pos().x(), 10);
    QCOMPARE(find("b")->pos().x(), 70);

    // In a flow it still breaks the line (150 x 40), without being placed or
    // advancing the position within the new line.
    cleanup();
    init();
    build(containerPage(200, 200, R"({"childLayout":2,"space":10})",
                        {fixedChild("a", 0, 0, 80, 30), R"({"type":"plainpanel"})",
                         fixedChild("b", 0, 0, 80, 30)}));
    QCOMPARE(find("a")->pos(), QPoint(10, 10));
    // The panel reads no element, not even its name: the only child without one.
    const QWidget *plain = nullptr;
    for (QObject *child : find("box")->children()) {
        if (!controlInterface(child))
            plain = qobject_cast<QWidget *>(child);
    }
    QVERIFY(plain);
    QCOMPARE(plain->geometry(), QRect(0, 0, 150, 40));
    QCOMPARE(find("b")->pos(), QPoint(10, 60));
}

void tst_Container::noArrangement_data()
{
    QTest::addColumn<QByteArray>("attr");
    QTest::addColumn<int>("childLayout");
    QTest::newRow("4") << QByteArray(R"({"childLayout":4,"space":10})") << 4;
    QTest::newRow("out of range") << QByteArray(R"({"childLayout":7,"space":10})") << 4;
    QTest::newRow("negative") << QByteArray(R"({"childLayout":-1,"space":10})") << 4;
    QTest::newRow("absent") << QByteArray(R"({"space":10})") << 4;
    QTest::newRow("string") << QByteArray(R"({"childLayout":"0","space":10})") << 4;
}

void tst_Container::noArrangement()
{
    QFETCH(QByteArray, attr);
    QFETCH(int, childLayout);
    build(containerPage(300, 100, attr, {fixedChild("a", 33, 4, 50, 20), fixedChild("b", 44, 5, 60, 20)}));
    QCOMPARE(find<TAVQContainer>("box")->childLayout(), childLayout);
    QCOMPARE(find<TAVQContainer>("box")->space(), 10);
    QCOMPARE(find("a")->pos(), QPoint(33, 4));
    QCOMPARE(find("b")->pos(), QPoint(44, 5));
}

void tst_Container::nativeWindowHandle()
{
    build(containerPage(300, 100, "{}", {fixedChild("inner", 20, 30, 100, 50)}));
    auto *inner = find<TAVQContainer>("inner");
    QCOMPARE(inner->nativeWindow(), WId(0));
    QWindow foreign;
    foreign.create();
    if (QGuiApplication::platformName() == QLatin1String("offscreen")) {
        for (int i = 0; i < 2; ++i)
            QTest::ignoreMessage(QtWarningMsg, "QWindow::fromWinId(): platform plugin does not support foreign windows.");
    }
    const WId id = foreign.winId();
    inner->setNativeWindow(id);
    QCOMPARE(inner->nativeWindow(), id);
    // Resizing moves it along; the offscreen platform has no foreign windows.
    inner->SetLayout(TAVQFixedLayout{20, 30, 120, 60});
    inner->clearNativeWindow();
    QCOMPARE(inner->nativeWindow(), WId(0));
    inner->setNativeWindow(id);
    inner->setNativeWindow(0);
    QCOMPARE(inner->nativeWindow(), WId(0));
}

void tst_Container::unstyledContainerIsGrey()
{
    build(containerPage(40, 30, "{}", {}));
    const QImage image = find("box")->grab().toImage();
    savePng(image, "container_grey");
    QCOMPARE(image.size(), QSize(40, 30));
    QVERIFY(isUniform(image, Grey));
}

void tst_Container::disabledStyleSlot()
{
    build(R"({"elements":[
        {"type":"qtcontainer","name":"only1","x":0,"y":0,"w":40,"h":30,"style":[["blueBox",0,1]]},
        {"type":"qtcontainer","name":"both","x":50,"y":0,"w":40,"h":30,"style":[["redBox",0,0],["blueBox",0,1]]},
        {"type":"qtcontainer","name":"slot0","x":100,"y":0,"w":40,"h":30,"style":[["redBox",0,0]]},
        {"type":"qtcontainer","name":"unknown","x":150,"y":0,"w":40,"h":30,"style":[["noSuchBox",0,0]]}]})");
    const struct
    {
        const char *name;
        QRgb enabled;
        QRgb disabled;
    } cases[] = {{"only1", Grey, Blue}, {"both", Red, Blue}, {"slot0", Red, Red}, {"unknown", Grey, Grey}};
    for (const auto &c : cases) {
        QWidget *box = find(c.name);
        QVERIFY2(isUniform(box->grab().toImage(), c.enabled), c.name);
        box->setEnabled(false);
        const QImage disabled = box->grab().toImage();
        if (qstrcmp(c.name, "only1") == 0)
            savePng(disabled, "container_disabled");
        QVERIFY2(isUniform(disabled, c.disabled), c.name);
        box->setEnabled(true);
        QVERIFY2(isUniform(box->grab().toImage(), c.enabled), c.name);
    }
}

void tst_Container::groupBoxAttributes_data()
{
    QTest::addColumn<QByteArray>("attr");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QColor>("lineColor");
    QTest::addColumn<int>("lineInset");
    QTest::addColumn<bool>("showText");
    const QColor black(Black);
    QTest::newRow("no attr") << QByteArray("{}") << QString() << black << 1 << true;
    QTest::newRow("color without text") << QByteArray(R"({"color":"ff0000","size":0,"showText":false})")
                                        << QString() << black << 1 << true;
    QTest::newRow("colour string") << QByteArray(R"({"text":"T","color":"00ff00"})") << "T" << QColor(0, 255, 0)
                                   << 1 << true;
    QTest::newRow("alpha ignored") << QByteArray(R"({"text":"T","color":"800000ff"})") << "T" << QColor(0, 0, 255)
                                   << 1 << true;
    QTest::newRow("colour number") << QByteArray(R"({"text":"T","color":255})") << "T" << QColor(0, 0, 255) << 1
                                   << true;
    QTest::newRow("large colour number") << QByteArray(R"({"text":"T","color":4294901760})") << "T"
                                         << QColor(255, 0, 0) << 1 << true;
    QTest::newRow("size 5") << QByteArray(R"({"text":"T","size":5})") << "T" << black << 1 << true;
    QTest::newRow("size true") << QByteArray(R"({"text":"T","size":true})") << "T" << black << 1 << true;
    QTest::newRow("size 0") << QByteArray(R"({"text":"T","size":0})") << "T" << black << 0 << true;
    QTest::newRow("size false") << QByteArray(R"({"text":"T","size":false})") << "T" << black << 0 << true;
    QTest::newRow("size 0.5") << QByteArray(R"({"text":"T","size":0.5})") << "T" << black << 1 << true;
    QTest::newRow("size string") << QByteArray(R"({"text":"T","size":"0"})") << "T" << black << 1 << true;
    QTest::newRow("showText") << QByteArray(R"({"text":"T","showText":false})") << "T" << black << 1 << false;
    QTest::newRow("gbk title") << QByteArray("{\"text\":\"\xD6\xD0\xCE\xC4\"}") << QString::fromUtf8("中文") << black
                               << 1 << true;
    // Values convert as JsonCpp's asString / asBool / asInt do; only what those refuse counts as absent.
    QTest::newRow("text a number") << QByteArray(R"({"text":3,"size":0})") << "3" << black << 0 << true;
    QTest::newRow("text not convertible") << QByteArray(R"({"text":[3],"size":0})") << QString() << black << 0
                                          << true;
    QTest::newRow("size null") << QByteArray(R"({"text":"T","size":null})") << "T" << black << 0 << true;
    QTest::newRow("colour real") << QByteArray(R"({"text":"T","color":255.9})") << "T" << QColor(0, 0, 255) << 1
                                 << true;
    QTest::newRow("showText 0") << QByteArray(R"({"text":"T","showText":0})") << "T" << black << 1 << false;
    QTest::newRow("wrong types") << QByteArray(R"({"text":"T","color":[1],"size":{},"showText":1})") << "T"
                                 << black << 1 << true;
}

void tst_Container::groupBoxAttributes()
{
    QFETCH(QByteArray, attr);
    TAVQGroupBox group;
    QVERIFY(group.LoadFromJson(parse(R"({"style":[["blueBox",0,0],["titleFont",0,2],["redBox",0,1]],"attr":)"
                                     + attr + "}")));
    QTEST(group.title(), "title");
    QTEST(group.lineColor(), "lineColor");
    QTEST(group.lineInset(), "lineInset");
    QTEST(group.showText(), "showText");
    QCOMPARE(group.boxStyle().color, QColor(Blue));
    QCOMPARE(group.fontStyle().size, 14);
}

void tst_Container::groupBoxFrameAndTitle()
{
    build(R"({"elements":[{"type":"qtgroupbox","name":"g","x":10,"y":10,"w":160,"h":80,
              "style":[["titleFont",0,2]],"attr":{"text":"Totals"}}]})");
    QWidget *group = find("g");
    const QImage image = rendered(group);
    savePng(image, "groupbox");

    const TAVQFontStyle font = static_cast<TAVQGroupBox *>(group)->fontStyle();
    const QFontMetrics metrics(TAVQPaint::fontOf(font));
    const int tw = metrics.horizontalAdvance(QStringLiteral("Totals"));
    const int mid = metrics.height() / 2;
    QVERIFY(tw > 20 && tw + 20 < 160);

    // Left stub, left side, bottom, right side (one column in from the edge), top right part.
    QCOMPARE(image.pixel(3, mid), Black);
    QCOMPARE(image.pixel(0, 40), Black);
    QCOMPARE(image.pixel(80, 79), Black);
    QCOMPARE(image.pixel(158, 40), Black);
    QCOMPARE(image.pixel(159, 40), Paper);
    QCOMPARE(image.pixel(tw + 9, mid), Black);
    QCOMPARE(image.pixel(150, mid), Black);
    QCOMPARE(image.pixel(80, mid - 1), Paper);
    QCOMPARE(image.pixel(80, 40), Paper);
    // The top line breaks for the title, which is painted in its font's colour.
    bool inkInGap = false;
    for (int x = 6; x < tw + 9; ++x) {
        QVERIFY2(image.pixel(x, mid) != Black, qPrintable(QString::number(x)));
    }
    for (int y = 0; y < metrics.height(); ++y) {
        for (int x = 7; x < 7 + tw + 5; ++x) {
            const QColor c = image.pixelColor(x, y);
            inkInGap = inkInGap || (c.red() > 200 && c.green() < 80 && c.blue() < 80);
        }
    }
    QVERIFY(inkInGap);
}

void tst_Container::groupBoxHiddenBottomLineAndNoTitle()
{
    build(R"({"elements":[
        {"type":"qtgroupbox","name":"g","x":0,"y":0,"w":100,"h":60,
         "attr":{"text":"Hidden","size":0,"showText":false,"color":"0000ff"}}]})");
    auto *group = find<TAVQGroupBox>("g");
    const QImage image = rendered(group);
    savePng(image, "groupbox_notitle");
    const int mid = QFontMetrics(TAVQPaint::fontOf(group->fontStyle())).height() / 2;

    // The bottom line sits just below the widget.
    for (int x = 1; x < 98; ++x)
        QCOMPARE(image.pixel(x, 59), Paper);
    QCOMPARE(image.pixel(0, 59), Blue);
    QCOMPARE(image.pixel(98, 59), Blue);
    // Without the title the top line only pauses between x 6 and 8.
    QCOMPARE(image.pixel(5, mid), Blue);
    QCOMPARE(image.pixel(7, mid), Paper);
    QCOMPARE(image.pixel(9, mid), Blue);
    for (int x = 9; x < 99; ++x)
        QCOMPARE(image.pixel(x, mid), Blue);
    for (int y = 0; y < mid; ++y) {
        for (int x = 0; x < 100; ++x)
            QCOMPARE(image.pixel(x, y), Paper);
    }
}

void tst_Container::splitterPaintsOnlyItsStyle()
{
    build(R"({"elements":[
        {"type":"qtsplitter","name":"plain","x":0,"y":0,"w":8,"h":50},
        {"type":"qtsplitter","name":"styled","x":20,"y":0,"w":8,"h":50,"style":[["blueBox",0,0],["redBox",0,1]]},
        {"type":"qtsplitter","name":"unknown","x":40,"y":0,"w":8,"h":50,"style":[["noSuchBox",0,0]]}]})");
    QVERIFY(isUniform(rendered(find("plain")), Paper));
    QVERIFY(isUniform(rendered(find("unknown")), Paper));
    const QImage styled = rendered(find("styled"));
    savePng(styled, "splitter");
    QVERIFY(isUniform(styled, Blue));
    auto *splitter = find<TAVQSplitter>("plain");
    splitter->setBackgroundStyle(colorBox(Red));
    QVERIFY(isUniform(rendered(splitter), Red));
}

void tst_Container::splitterIgnoresMouse()
{
    build(R"({"elements":[
        {"type":"qtsplitter","name":"s","x":0,"y":0,"w":8,"h":50},
        {"type":"qtcontainer","name":"c","x":20,"y":0,"w":8,"h":50}]})");
    PressCounter counter;
    m_host->installEventFilter(&counter);
    auto *splitter = find<TAVQSplitter>("s");
    // Entering still shows hover; the buttons change nothing after that.
    QTest::mouseMove(splitter, QPoint(4, 10));
    QCOMPARE(splitter->GetImpl()->state(), int(StateHover));
    QTest::mousePress(splitter, Qt::LeftButton, Qt::NoModifier, QPoint(4, 10));
    QCOMPARE(splitter->GetImpl()->state(), int(StateHover));
    QTest::mouseMove(splitter, QPoint(5, 20));
    QTest::mouseRelease(splitter, Qt::LeftButton, Qt::NoModifier, QPoint(5, 20));
    QCOMPARE(splitter->GetImpl()->state(), int(StateHover));
    QCOMPARE(counter.presses, 0);

    // A container does react, and lets the press travel on to its parent.
    auto *container = find<TAVQContainer>("c");
    QTest::mousePress(container, Qt::LeftButton, Qt::NoModifier, QPoint(4, 10));
    QCOMPARE(container->GetImpl()->state(), int(StatePressed));
    QCOMPARE(counter.presses, 1);
    QTest::mouseRelease(container, Qt::LeftButton, Qt::NoModifier, QPoint(4, 10));
}

void tst_Container::scrollViewSetup()
{
    TAVQScrollView view;
    QCOMPARE(view.frameStyle(), 0);
    QCOMPARE(view.viewport()->styleSheet(), QStringLiteral("background-color: rgba(0, 0, 0, 0);"));
}

void tst_Container::scrollViewAdoptsFirstContainer()
{
    build(R"({"elements":[{"type":"qtscrollview","name":"view","x":0,"y":0,"w":200,"h":100,"child":[
        {"type":"qtgroupbox","name":"group","x":1,"y":2,"w":30,"h":20},
        {"type":"qtcontainer","name":"first","x":0,"y":0,"w":400,"h":300,
         "child":[{"type":"qtcontainer","name":"deep","x":5,"y":6,"w":7,"h":8}]},
        {"type":"qtcontainer","name":"second","x":3,"y":4,"w":50,"h":60}]}]})");
    auto *view = find<TAVQScrollView>("view");
    auto *first = find<TAVQContainer>("first");
    QCOMPARE(view->content(), first);
    QCOMPARE(view->widget(), first);
    QCOMPARE(first->parentWidget(), view->viewport());
    QCOMPARE(first->geometry(), QRect(0, 0, 400, 300));
    QCOMPARE(find("deep")->geometry(), QRect(5, 6, 7, 8));
    QCOMPARE(find("group")->parentWidget(), view);
    QCOMPARE(find("second")->parentWidget(), view);
    QCOMPARE(find("second")->geometry(), QRect(3, 4, 50, 60));
    QVERIFY(view->verticalScrollBar()->maximum() > 0);
    QVERIFY(view->horizontalScrollBar()->maximum() > 0);
}

void tst_Container::scrollViewWithoutContainer()
{
    build(R"({"elements":[{"type":"qtscrollview","name":"view","x":0,"y":0,"w":200,"h":100,"child":[
        {"type":"qtgroupbox","name":"group","x":1,"y":2,"w":30,"h":20}]}]})");
    auto *view = find<TAVQScrollView>("view");
    QVERIFY(!view->content());
    QVERIFY(!view->widget());
    QCOMPARE(view->verticalScrollBar()->maximum(), 0);
}

void tst_Container::scrollViewReportsScrolling()
{
    build(R"({"elements":[{"type":"qtscrollview","name":"view","x":0,"y":0,"w":200,"h":100,"child":[
        {"type":"qtcontainer","name":"content","x":0,"y":0,"w":500,"h":400}]}]})");
    auto *view = find<TAVQScrollView>("view");
    QSignalSpy spy(view, &TAVQScrollView::scrollPosChanged);
    QScrollBar *vertical = view->verticalScrollBar();
    QScrollBar *horizontal = view->horizontalScrollBar();
    QVERIFY(vertical->singleStep() > 0);

    vertical->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0), (QVariantList{0, -vertical->singleStep()}));
    QCOMPARE(view->verticalValue(), vertical->singleStep());
    QCOMPARE(view->content()->y(), -vertical->singleStep());

    horizontal->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    horizontal->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    QCOMPARE(spy.count(), 3);
    QCOMPARE(spy.at(1), (QVariantList{-horizontal->singleStep(), 0}));
    QCOMPARE(spy.at(2), (QVariantList{-horizontal->singleStep(), 0}));
    QCOMPARE(view->horizontalValue(), 2 * horizontal->singleStep());

    view->setVerticalValue(5);
    QCOMPARE(spy.count(), 4);
    QCOMPARE(spy.at(3), (QVariantList{0, vertical->singleStep() - 5}));
    view->setHorizontalValue(0);
    QCOMPARE(spy.at(4), (QVariantList{2 * horizontal->singleStep(), 0}));
    QCOMPARE(view->content()->pos(), QPoint(0, -5));
    // No movement, no signal.
    view->setVerticalValue(5);
    QCOMPARE(spy.count(), 5);
}

void tst_Container::scrollViewBackground()
{
    build(R"({"elements":[
        {"type":"qtscrollview","name":"plain","x":0,"y":0,"w":60,"h":40},
        {"type":"qtscrollview","name":"styled","x":0,"y":50,"w":60,"h":40,
         "style":[["redBox",0,0],["blueBox",0,3],["noSuchBox",0,4],["redBox",0,-1]]},
        {"type":"qtscrollview","name":"content","x":100,"y":0,"w":60,"h":40,"style":[["blueBox",0,0]],
         "child":[{"type":"qtcontainer","x":0,"y":0,"w":30,"h":200,"style":[["redBox",0,0]]}]}]})");
    QVERIFY(isUniform(find("plain")->grab().toImage(), White));
    const QImage styled = find("styled")->grab().toImage();
    savePng(styled, "scrollview_background");
    QVERIFY(isUniform(styled, Blue));

    // Background around the content, the content on top; the vertical bar on the right.
    auto *view = find<TAVQScrollView>("content");
    const QImage withContent = view->grab().toImage();
    savePng(withContent, "scrollview_content");
    QCOMPARE(withContent.pixel(10, 20), Red);
    const int viewportWidth = view->viewport()->width();
    QVERIFY(viewportWidth > 30 && viewportWidth < 60);
    QCOMPARE(withContent.pixel(viewportWidth - 1, 20), Blue);
}

void tst_Container::malformedElements_data()
{
    QTest::addColumn<QByteArray>("element");
    QTest::newRow("attr string") << QByteArray(R"("attr":"x")");
    QTest::newRow("attr array") << QByteArray(R"("attr":[1,2])");
    QTest::newRow("style number") << QByteArray(R"("style":5)");
    QTest::newRow("style entries") << QByteArray(R"("style":[5,[],["a"],[1,0,0],["redBox",0,"0"],["redBox","0",[]]])");
    QTest::newRow("style object") << QByteArray(R"("style":{"k":["noSuchBox",0,0]})");
    QTest::newRow("wrong attr types")
        << QByteArray(R"("attr":{"childLayout":[0],"space":"10","text":{},"size":"0","color":"zz","showText":"1"})");
    QTest::newRow("huge numbers") << QByteArray(R"("attr":{"childLayout":1e300,"space":-1e300,"text":"T","color":1e300})");
    QTest::newRow("child not a list") << QByteArray(R"("child":{"type":"qtcontainer"})");
}

void tst_Container::malformedElements()
{
    QFETCH(QByteArray, element);
    for (const char *type : {"qtcontainer", "qtgroupbox", "qtsplitter", "qtscrollview"}) {
        build(R"({"elements":[{"type":")" + QByteArray(type) + R"(","name":"w","x":0,"y":0,"w":50,"h":40,)" + element
              + "}]}");
        QWidget *widget = find("w");
        QVERIFY2(widget, type);
        QCOMPARE(widget->geometry(), QRect(0, 0, 50, 40));
        QVERIFY(!widget->grab().isNull());
        delete widget;
    }
    auto *container = new TAVQContainer(m_host);
    QVERIFY(container->LoadFromJson(parse("{" + element + "}")));
    QCOMPARE(container->childLayout(), int(ChildLayoutNone));
    QCOMPARE(container->space(), 0);
    QCOMPARE(container->backgroundStyle().color, QColor(Grey));
    auto *group = new TAVQGroupBox(m_host);
    QVERIFY(group->LoadFromJson(parse("{" + element + "}")));
    QCOMPARE(group->lineColor(), QColor(Black));
    QCOMPARE(group->lineInset(), 1);
}

void tst_Container::propertiesReachTheAccessors_data()
{
    QTest::addColumn<QByteArray>("type");
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QVariant>("value");
    QTest::newRow("container useColor") << QByteArray("qtcontainer") << QByteArray("useColor") << QVariant(false);
    QTest::newRow("container childLayout") << QByteArray("qtcontainer") << QByteArray("childLayout")
                                           << QVariant(int(ChildLayoutFlowRows));
    QTest::newRow("container space") << QByteArray("qtcontainer") << QByteArray("space") << QVariant(7);
    QTest::newRow("group showText") << QByteArray("qtgroupbox") << QByteArray("showText") << QVariant(false);
    QTest::newRow("group title") << QByteArray("qtgroupbox") << QByteArray("title") << QVariant(QStringLiteral("T"));
    QTest::newRow("group lineColor") << QByteArray("qtgroupbox") << QByteArray("lineColor") << QVariant(QColor(Red));
    QTest::newRow("group lineInset") << QByteArray("qtgroupbox") << QByteArray("lineInset") << QVariant(0);
    QTest::newRow("splitter horizontal") << QByteArray("qtsplitter") << QByteArray("horizontal") << QVariant(false);
    QTest::newRow("splitter splitPosition") << QByteArray("qtsplitter") << QByteArray("splitPosition") << QVariant(40);
    QTest::newRow("splitter handleWidth") << QByteArray("qtsplitter") << QByteArray("handleWidth") << QVariant(6);
    QTest::newRow("view horizontalValue") << QByteArray("qtscrollview") << QByteArray("horizontalValue") << QVariant(30);
    QTest::newRow("view verticalValue") << QByteArray("qtscrollview") << QByteArray("verticalValue") << QVariant(20);
}

void tst_Container::propertiesReachTheAccessors()
{
    QFETCH(QByteArray, type);
    QFETCH(QByteArray, name);
    QFETCH(QVariant, value);
    const std::map<QByteArray, QWidget *(*)()> makers{{"qtcontainer", createContainer},
                                                      {"qtgroupbox", createGroupBox},
                                                      {"qtsplitter", createSplitter},
                                                      {"qtscrollview", createScrollView}};
    const std::unique_ptr<QWidget> control(makers.at(type)());
    if (auto *view = qobject_cast<QAbstractScrollArea *>(control.get())) {
        view->horizontalScrollBar()->setRange(0, 100);
        view->verticalScrollBar()->setRange(0, 100);
    }
    QVERIFY(control->property(name) != value);
    QVERIFY(control->setProperty(name, value));
    QCOMPARE(control->property(name), value);
}

QTEST_MAIN(tst_Container)
#include "tst_container.moc"
