#include "core/tavqcontrol.h"
#include "base/tavqjson_p.h"
#include "core/tavqpagebuilder.h"
#include "core/tavqregistry.h"
#include "controls/tavqcontrols.h"
#include "core/tavqruntime.h"
#include "core/tavqwindow.h"
#include "resources/tavqresourcemanager.h"
#include "testjson.h"

#include <QDir>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <json/value.h>

using namespace TAVQtLib;

namespace {

// Every step the builder takes, in order.
QStringList s_log;

class RecorderImpl : public TAVQControlBaseImpl
{
public:
    using TAVQControlBaseImpl::TAVQControlBaseImpl;
    bool LoadAttributes(const Json::Value &element)
    {
        const QWidget *parent = m_widget->parentWidget();
        s_log << QString("attrs %1 parent=%2 children=%3")
                     .arg(m_widget->objectName(), parent ? parent->objectName() : QString("none"))
                     .arg(m_widget->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly).size());
        return LoadAttrMap(&element);
    }
    void OnChildrenLoaded() override { s_log << "loaded " + m_widget->objectName(); }
};

class Recorder : public TAVQControl<QWidget, RecorderImpl>
{
public:
    using TAVQControl::TAVQControl;
    QString GetTypeName() override { return QStringLiteral("recorder"); }

protected:
    void resizeEvent(QResizeEvent *e) override
    {
        // Showing a new child delivers its initial size; only layout sizes count here.
        if (e->oldSize().isValid())
            s_log << "geometry " + objectName();
    }
};

QWidget *createRecorder() { return new Recorder; }
QWidget *createNothing() { return nullptr; }
QWidget *createPlainWidget() { return new QWidget; }

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

} // namespace

class tst_PageBuilder : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init() { s_log.clear(); }
    void registry();
    void buildOrder();
    void layoutPerTopLevelElement();
    void lastElementDecidesResult();
    void skippedElements();
    void deepNestingIsBounded();
    void elementCountsAreBounded_data();
    void elementCountsAreBounded();
    void documentValuesAreBounded_data();
    void documentValuesAreBounded();
    void windowKeys();
    void emptyElementsStillApplyWindowKeys();
    void pagesFromPackageThenDisk();
    void malformedPages_data();
    void malformedPages();
    void valuesConvertAsJsonCpp_data();
    void valuesConvertAsJsonCpp();
    void typeMustBeAString();
    void tabsFollowReadingOrder_data();
    void tabsFollowReadingOrder();

private:
    QTemporaryDir m_dir;
};

void tst_PageBuilder::initTestCase()
{
    QVERIFY(m_dir.isValid());
    RegisterControlType("rec", createRecorder, true);
    RegisterControlType("nothing", createNothing, true);
    RegisterControlType("plainwidget", createPlainWidget, false);
}

void tst_PageBuilder::registry()
{
    const auto before = RegisteredControlTypes().size();
    RegisterControlType(nullptr, createRecorder, true);
    RegisterControlType("nullcreator", nullptr, true);
    QCOMPARE(RegisteredControlTypes().size(), before);
    QVERIFY(!ListedControlTypes().count("nullcreator"));
    QVERIFY(!ListedControlTypes().count("plainwidget"));
    QVERIFY(ListedControlTypes().count("rec"));

    QWidget parent;
    const Json::Value element = parse(R"({"name":"r1"})");
    QWidget *w = CreateControl("rec", element, &parent);
    QVERIFY(qobject_cast<QWidget *>(w));
    QCOMPARE(w->parentWidget(), &parent);
    QCOMPARE(w->objectName(), QStringLiteral("r1"));
    QVERIFY(!CreateControl("REC", element, &parent));       // case-sensitive
    QVERIFY(!CreateControl("Rec", element, &parent));
    QVERIFY(!CreateControl(nullptr, element, &parent));
    QVERIFY(!CreateControl("nothing", element, &parent));
    // A widget that is no control is parented but reads nothing.
    QWidget *plain = CreateControl("plainwidget", element, nullptr);
    QVERIFY(plain && !plain->parentWidget() && plain->objectName().isEmpty());
    delete plain;
    // Registering again replaces the creator.
    RegisterControlType("plainwidget", createRecorder, false);
    QWidget *now = CreateControl("plainwidget", element, &parent);
    QVERIFY(dynamic_cast<Recorder *>(now));
}

void tst_PageBuilder::buildOrder()
{
    QWidget host;
    host.setObjectName("host");
    host.show();   // geometry changes of visible widgets are delivered at once
    const Json::Value page = parse(R"({"elements":[
        {"type":"rec","name":"a","x":0,"y":0,"w":10,"h":10,"child":[
            {"type":"rec","name":"a1","w":5,"h":5,"child":[{"type":"rec","name":"a11","w":2,"h":2}]},
            {"type":"rec","name":"a2","w":5,"h":5}]}]})");
    BuildElements(page, &host);
    const QStringList expected = {
        "attrs a parent=host children=0",
        "attrs a1 parent=a children=0",
        "attrs a11 parent=a1 children=0",
        "loaded a11",
        "loaded a1",
        "attrs a2 parent=a children=0",
        "loaded a2",
        "loaded a",
        "geometry a", "geometry a1", "geometry a11", "geometry a2",
    };
    QCOMPARE(s_log, expected);
}

void tst_PageBuilder::layoutPerTopLevelElement()
{
    QWidget host;
    host.show();
    const Json::Value page = parse(R"({"elements":[
        {"type":"rec","name":"first","w":10,"h":10},
        {"type":"rec","name":"second","w":10,"h":10}]})");
    BuildElements(page, &host);
    const QStringList expected = {"attrs first parent= children=0", "loaded first", "geometry first",
                                  "attrs second parent= children=0", "loaded second", "geometry second"};
    QCOMPARE(s_log, expected);
}

void tst_PageBuilder::lastElementDecidesResult()
{
    QWidget host;
    QWidget *last = BuildElements(parse(R"({"elements":[{"type":"rec","name":"x"},{"type":"rec","name":"y"}]})"),
                                  &host);
    QVERIFY(last);
    QCOMPARE(last->objectName(), QStringLiteral("y"));
    QVERIFY(!BuildElements(parse(R"({"elements":[{"type":"rec","name":"z"},{"type":"unknown"}]})"), &host));
    QVERIFY(host.findChild<QWidget *>("z"));                // earlier elements were built
    QVERIFY(!BuildElements(parse(R"({"elements":[{"type":"rec"}]})"), nullptr));
}

void tst_PageBuilder::skippedElements()
{
    QWidget host;
    BuildElements(parse(R"({"elements":[
        {"type":"rec","name":"p","child":[
            {"type":"qtscrollbar","name":"bar"},
            {"type":7,"name":"numbertype"},
            {"name":"notype"},
            {"type":"missing","name":"unknown","child":[{"type":"rec","name":"orphan"}]},
            {"type":"rec","name":"kept"}]}]})"),
                  &host);
    QWidget *p = host.findChild<QWidget *>("p");
    QVERIFY(p);
    const QList<QWidget *> children = p->findChildren<QWidget *>();
    QCOMPARE(children.size(), 1);
    QCOMPARE(children.first()->objectName(), QStringLiteral("kept"));
    QVERIFY(!host.findChild<QWidget *>("orphan"));
}

void tst_PageBuilder::deepNestingIsBounded()
{
    QByteArray deep = R"({"type":"rec","name":"leaf"})";
    for (int i = 0; i < 300; ++i)
        deep = R"({"type":"rec","child":[)" + deep + "]}";
    QWidget host;
    QVERIFY(BuildElements(parse("{\"elements\":[" + deep + "]}"), &host));
    int depth = 0;
    for (QObject *o = host.children().value(0); o; o = o->children().value(0))
        ++depth;
    QCOMPARE(depth, MaxElementDepth + 1);
    QVERIFY(!host.findChild<QWidget *>("leaf"));
}

namespace {

QByteArray recorders(int count, const QByteArray &children = QByteArray())
{
    QByteArrayList list;
    for (int i = 0; i < count; ++i)
        list << R"({"type":"rec")" + (children.isEmpty() ? QByteArray() : ",\"child\":[" + children + "]") + "}";
    return list.join(',');
}

} // namespace

void tst_PageBuilder::elementCountsAreBounded_data()
{
    QTest::addColumn<QByteArray>("elements");
    QTest::addColumn<int>("built");
    // Qt would paint 30,000 siblings with as many nested calls and overflow the stack.
    QTest::newRow("top-level elements") << recorders(30000) << Limits::MaxChildElements;
    QTest::newRow("children of one element") << recorders(1, recorders(5000)) << 1 + Limits::MaxChildElements;
    QTest::newRow("elements of a page") << recorders(3, recorders(4000)) << Limits::MaxPageElements;
}

void tst_PageBuilder::elementCountsAreBounded()
{
    QFETCH(QByteArray, elements);
    QFETCH(int, built);
    QWidget host;
    host.resize(200, 100);
    BuildElements(parse("{\"elements\":[" + elements + "]}"), &host);
    QCOMPARE(host.findChildren<Recorder *>().size(), built);
    QVERIFY(!host.grab().isNull());
}

void tst_PageBuilder::documentValuesAreBounded_data()
{
    QTest::addColumn<QByteArray>("page");
    QTest::addColumn<bool>("read");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("minWidth");   // 400 unless the page sets it
    QTest::addColumn<int>("nameBytes");
    const QByteArray small = R"({"w":300,"h":200,"elements":[{"type":"rec","name":"r"}]})";
    const auto padded = [&](qint64 size) { return small + QByteArray(int(size - small.size()), ' '); };
    const int extent = Limits::MaxWindowExtent;
    QTest::newRow("window keys") << QByteArray(R"({"w":20000,"h":9000,"minW":1e6,"elements":[{"type":"rec"}]})")
                                 << true << QSize(extent, extent) << extent << 0;
    QTest::newRow("largest document") << padded(Limits::MaxDocumentBytes) << true << QSize(300, 200) << 400 << 1;
    QTest::newRow("document too large") << padded(Limits::MaxDocumentBytes + 1) << false << QSize(10, 10) << 400 << 0;
    const QByteArray longName(Limits::MaxStringBytes + 10, 'x');
    QTest::newRow("long string") << R"({"elements":[{"type":"rec","name":")" + longName + R"("}]})" << true
                                 << QSize(10, 10) << 400 << Limits::MaxStringBytes;
    // "€" is three bytes; the cut falls before it, not inside it.
    const QByteArray cutName = QByteArray(Limits::MaxStringBytes - 1, 'x') + "\xe2\x82\xac";
    QTest::newRow("cut before a character") << R"({"elements":[{"type":"rec","name":")" + cutName + R"("}]})"
                                            << true << QSize(10, 10) << 400 << Limits::MaxStringBytes - 1;
}

void tst_PageBuilder::documentValuesAreBounded()
{
    QFETCH(QByteArray, page);
    QFETCH(bool, read);
    QFETCH(QSize, size);
    QFETCH(int, minWidth);
    QFETCH(int, nameBytes);
    writeFile(m_dir.filePath("bounds.json"), page);
    TAVQWindow window;
    window.setGeometry(0, 0, 10, 10);
    QCOMPARE(LoadPage(&window, m_dir.filePath("bounds.json")) != nullptr, read);
    QCOMPARE(window.size(), size);
    QCOMPARE(window.minResizeWidth(), minWidth);
    const Recorder *recorder = window.findChild<Recorder *>();
    QCOMPARE(recorder ? recorder->objectName().toUtf8().size() : 0, nameBytes);
}

void tst_PageBuilder::windowKeys()
{
    writeFile(m_dir.filePath("win.json"),
              R"({"w":640,"h":480,"trans":true,"drag":false,"resize":true,"minH":100,"minW":200,
                  "onlyDragCaption":true,"elements":[{"type":"rec","name":"r"}]})");
    TAVQWindow window;
    window.setGeometry(30, 40, 10, 10);
    QVERIFY(LoadPage(&window, m_dir.filePath("win.json")));
    QCOMPARE(window.geometry(), QRect(30, 40, 640, 480));
    QVERIFY(window.windowFlags() & Qt::FramelessWindowHint);
    QVERIFY(window.testAttribute(Qt::WA_TranslucentBackground));
    QVERIFY(!window.isDraggable());
    QVERIFY(window.isResizable());
    QVERIFY(window.testAttribute(Qt::WA_MouseTracking));
    QCOMPARE(window.minResizeHeight(), 100);
    QCOMPARE(window.minResizeWidth(), 200);
    QVERIFY(window.onlyDragCaption());

    writeFile(m_dir.filePath("plain.json"), R"({"trans":false,"drag":"yes","w":"wide","elements":[]})");
    TAVQWindow other;
    other.setGeometry(1, 2, 300, 200);
    LoadPage(&other, m_dir.filePath("plain.json"));
    QVERIFY(!(other.windowFlags() & Qt::FramelessWindowHint));
    QVERIFY(!other.testAttribute(Qt::WA_TranslucentBackground));
    QVERIFY(other.isDraggable());
    QCOMPARE(other.geometry(), QRect(1, 2, 300, 200));

    // Other hosts ignore the window keys.
    QWidget host;
    host.setGeometry(0, 0, 10, 10);
    LoadPage(&host, m_dir.filePath("win.json"));
    QCOMPARE(host.size(), QSize(10, 10));
    QVERIFY(host.findChild<QWidget *>("r"));
}

void tst_PageBuilder::emptyElementsStillApplyWindowKeys()
{
    writeFile(m_dir.filePath("empty.json"), R"({"w":123,"elements":[]})");
    TAVQWindow window;
    QVERIFY(!LoadPage(&window, m_dir.filePath("empty.json")));
    QCOMPARE(window.width(), 123);
    QVERIFY(window.findChildren<QWidget *>().isEmpty());   // no control was made
}

void tst_PageBuilder::pagesFromPackageThenDisk()
{
    const QString src = m_dir.filePath("pkg");
    QDir().mkpath(src);
    writeFile(src + "/both.json", R"({"elements":[{"type":"rec","name":"fromPackage"}]})");
    const QString package = m_dir.filePath("pages.data");
    QCOMPARE(QProcess::execute(TAVQPKG_PATH, {"pack", src, package}), 0);
    OpenPackage(package);
    const QString cwd = QDir::currentPath();
    QDir::setCurrent(m_dir.path());
    writeFile("both.json", R"({"elements":[{"type":"rec","name":"fromDisk"}]})");
    writeFile("diskonly.json", R"({"elements":[{"type":"rec","name":"diskOnly"}]})");
    QWidget host;
    QCOMPARE(LoadPage(&host, "Both.JSON")->objectName(), QStringLiteral("fromPackage"));
    QCOMPARE(LoadPage(&host, "diskonly.json")->objectName(), QStringLiteral("diskOnly"));
    QVERIFY(!LoadPage(&host, "absent.json"));

    // A style folder makes its pages found.
    QDir().mkpath("skin");
    writeFile("skin/style.json", R"({"style":[]})");
    writeFile("skin/folderpage.json", R"({"elements":[{"type":"rec","name":"fromFolder"}]})");
    QVERIFY(LoadStyleFolder(m_dir.filePath("skin")));
    QDir::setCurrent(cwd);
    QCOMPARE(LoadPage(&host, "folderpage.json")->objectName(), QStringLiteral("fromFolder"));
}

void tst_PageBuilder::malformedPages_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::newRow("empty file") << QByteArray();
    QTest::newRow("syntax error") << QByteArray("{\"elements\": [");
    QTest::newRow("no elements") << QByteArray("{\"w\": 10}");
    QTest::newRow("elements not a list") << QByteArray("{\"elements\": {\"type\":\"rec\"}}");
    QTest::newRow("root is a list") << QByteArray("[{\"type\":\"rec\"}]");
    QTest::newRow("elements of numbers") << QByteArray("{\"elements\": [1, 2, null]}");
    QTest::newRow("child not a list") << QByteArray("{\"elements\": [{\"type\":\"unknown\",\"child\":5}]}");
    QTest::newRow("binary") << QByteArray("\x00\xff\xfe{", 4);
}

void tst_PageBuilder::malformedPages()
{
    QFETCH(QByteArray, text);
    writeFile(m_dir.filePath("bad.json"), text);
    TAVQWindow window;
    QVERIFY(!LoadPage(&window, m_dir.filePath("bad.json")));
    QVERIFY(window.findChildren<QWidget *>().isEmpty());
}

void tst_PageBuilder::valuesConvertAsJsonCpp_data()
{
    // Page values convert as JsonCpp's asInt / asBool / asString do; only what
    // those throw on (strings where numbers are wanted, arrays, objects, numbers
    // out of range) counts as absent.
    QTest::addColumn<QByteArray>("keys");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("hidden");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<int>("layoutKind");
    QTest::addColumn<QRect>("geometry");
    const QRect fixed(0, 0, 10, 10);
    QTest::newRow("visibility 0") << QByteArray(R"("name":"c","visibility":0,"w":10,"h":10)") << "c" << true << true
                                  << 3 << fixed;
    QTest::newRow("enable 0") << QByteArray(R"("name":"c","enable":0,"w":10,"h":10)") << "c" << false << false << 3
                              << fixed;
    QTest::newRow("w 100.5") << QByteArray(R"("name":"c","w":100.5,"h":10)") << "c" << false << true << 3
                             << QRect(0, 0, 100, 10);
    QTest::newRow("w true") << QByteArray(R"("name":"c","w":true,"h":10)") << "c" << false << true << 3
                            << QRect(0, 0, 1, 10);
    QTest::newRow("name 5") << QByteArray(R"("name":5,"w":10,"h":10)") << "5" << false << true << 3 << fixed;
    QTest::newRow("layout type 1.5") << QByteArray(R"("name":"c","layout":{"type":1.5,"x":10,"y":20,"r":30,"b":40})")
                                     << "c" << false << true << 1 << QRect(10, 20, 760, 540);
    // More of the same rule.
    QTest::newRow("null") << QByteArray(R"("name":null,"visibility":null,"w":null,"h":10)") << "" << true << true
                          << 3 << QRect(0, 0, 0, 10);
    QTest::newRow("reals truncate toward zero") << QByteArray(R"("name":1.5,"x":-3.9,"y":2.9,"w":10,"h":10.99)")
                                                << "1.5" << false << true << 3 << QRect(-3, 2, 10, 10);
    QTest::newRow("anchor keys") << QByteArray(R"("name":"c","w":10.5,"h":true,"layout":{"type":false,"hor":2.0,"x":5})")
                                 << "c" << false << true << 0 << QRect(785, 0, 10, 1);
    // What asInt / asBool / asString throw on stays absent.
    QTest::newRow("refused") << QByteArray(R"("name":[5],"visibility":"0","enable":{},"w":"100","h":[10])") << ""
                             << false << true << 3 << QRect(0, 0, 0, 0);
    QTest::newRow("out of range") << QByteArray(R"("name":"c","w":2147483648,"h":1e10,"x":-3e9)") << "c" << false
                                  << true << 3 << QRect(0, 0, 0, 0);
    QTest::newRow("layout type a string") << QByteArray(R"("name":"c","w":10,"h":10,"layout":{"type":"1"})") << "c"
                                          << false << true << 0 << fixed;
}

void tst_PageBuilder::valuesConvertAsJsonCpp()
{
    QFETCH(QByteArray, keys);
    QWidget host;
    host.resize(800, 600);
    QWidget *control = BuildElements(parse(R"({"elements":[{"type":"rec",)" + keys + "}]}"), &host);
    QVERIFY(control);
    QTEST(control->objectName(), "name");
    QTEST(control->isHidden(), "hidden");
    QTEST(control->isEnabled(), "enabled");
    QTEST(controlInterface(control)->GetLayoutType(), "layoutKind");
    QTEST(control->geometry(), "geometry");
}

void tst_PageBuilder::typeMustBeAString()
{
    // An element's "type" names a control only as a JSON string, not as asString's text of a number.
    RegisterControlType("5", createRecorder, false);
    QWidget host;
    QVERIFY(!BuildElements(parse(R"({"elements":[{"type":5,"name":"number"}]})"), &host));
    QVERIFY(BuildElements(parse(R"({"elements":[{"type":"5","name":"text"}]})"), &host));
    QVERIFY(!host.findChild<QWidget *>("number"));
    QVERIFY(host.findChild<QWidget *>("text"));
}

QTEST_MAIN(tst_PageBuilder)
void tst_PageBuilder::tabsFollowReadingOrder_data()
{
    QTest::addColumn<QByteArray>("elements");
    QTest::addColumn<QStringList>("order");
    const auto button = [](const char *name, int x, int y) {
        return QByteArray(R"({"type":"qtbutton","name":")") + name + R"(","x":)" + QByteArray::number(x)
            + R"(,"y":)" + QByteArray::number(y) + R"(,"w":40,"h":20})";
    };
    QTest::newRow("rows, written backwards")
        << button("c", 10, 90) + ',' + button("b", 60, 10) + ',' + button("a", 10, 10)
        << QStringList({"a", "b", "c"});
    // A panel's own controls come as a group, where the panel stands: here the
    // tall panel makes one line with the left column.
    QTest::newRow("panels")
        << R"({"type":"qtcontainer","x":200,"y":0,"w":100,"h":200,"child":[)" + button("r2", 10, 60) + ','
               + button("r1", 10, 10) + "]}," + button("l2", 10, 150) + ',' + button("l1", 10, 5)
        << QStringList({"l1", "l2", "r1", "r2"});
    QTest::newRow("two columns of buttons")
        << button("r2", 200, 60) + ',' + button("l2", 10, 150) + ',' + button("r1", 200, 10) + ',' + button("l1", 10, 5)
        << QStringList({"l1", "r1", "r2", "l2"});
}

void tst_PageBuilder::tabsFollowReadingOrder()
{
    QFETCH(QByteArray, elements);
    QFETCH(QStringList, order);
    RegisterBuiltinControls();
    TAVQWindow window;
    BuildElements(parse(R"({"elements":[)" + elements + "]}"), &window);
    QWidget *first = window.findChild<QPushButton *>(order.first());
    QVERIFY(first);
    QStringList chain;
    for (QWidget *w = first; chain.size() < order.size(); w = w->nextInFocusChain()) {
        if (qobject_cast<QPushButton *>(w))
            chain << w->objectName();
    }
    QCOMPARE(chain, order);
}

#include "tst_pagebuilder.moc"
