#include "core/tavqcontrol.h"
#include "plaincontrol.h"
#include "base/tavqjson_p.h"
#include "core/tavqregistry.h"
#include "testjson.h"

#include <QtTest>

#include <json/value.h>

using namespace TAVQtLib;

namespace {

// A control with a size hint, counting how often Qt asks for it.
class Hinted : public TAVQControl<QWidget, PlainImpl>
{
public:
    using TAVQControl::TAVQControl;
    QString GetTypeName() override { return QStringLiteral("hinted"); }
    QSize sizeHint() const override
    {
        ++s_measured;
        return QSize(57, 23);
    }
    static int s_measured;
};

int Hinted::s_measured = 0;

QWidget *createHinted() { return new Hinted; }
QWidget *createPlain() { return new Plain; }

// What plain Qt gives a widget made without a parent, then parented and shown, as
// the registry makes controls and LoadCommonAttributes shows them.
QSize shownChildSize(QWidget *widget, QWidget *parent)
{
    widget->setParent(parent);
    widget->setVisible(true);
    const QSize size = widget->size();
    delete widget;
    return size;
}

// A control inside a parent of the given size, loaded from `element` and laid out.
QRect layOut(const char *element, QSize parentSize = QSize(800, 600))
{
    QWidget parent;
    parent.resize(parentSize);
    auto *c = new Plain(&parent);
    c->LoadFromJson(parse(element));
    c->GetControlBase()->ApplyLayout();
    return c->geometry();
}

} // namespace

class tst_Layout : public QObject
{
    Q_OBJECT

private slots:
    void anchor_data();
    void anchor();
    void margins();
    void fixedWithoutLayout();
    void customAndUnknownKindsKeepGeometry();
    void explicitTypesWinOverMargins();
    void commonAttributes();
    void wronglyTypedAttributes();
    void layoutRecordsAndData();
    void noParentNoLayout();
    void extremeValuesAreBounded();
    void convertedAttributes();
    void freshControlSizes_data();
    void freshControlSizes();
    void freshControlWithoutSizeHintKeepsQtSize();
    void attrMapKinds();
};

void tst_Layout::anchor_data()
{
    QTest::addColumn<QByteArray>("element");
    QTest::addColumn<QSize>("parent");
    QTest::addColumn<QRect>("geometry");
    const QSize p(800, 600);
    QTest::newRow("centred") << QByteArray(R"({"w":200,"h":50,"layout":{"type":0,"hor":1,"x":10}})") << p
                             << QRect(310, 0, 200, 50);
    QTest::newRow("right") << QByteArray(R"({"w":200,"h":50,"layout":{"type":0,"hor":2,"x":10}})") << p
                           << QRect(590, 0, 200, 50);
    QTest::newRow("stretch to right margin")
        << QByteArray(R"({"w":200,"h":50,"layout":{"type":0,"x":10,"r":20}})") << p << QRect(10, 0, 770, 50);
    QTest::newRow("middle truncates")
        << QByteArray(R"({"w":10,"h":200,"layout":{"type":0,"ver":1}})") << QSize(800, 601) << QRect(0, 200, 10, 200);
    QTest::newRow("bottom") << QByteArray(R"({"w":10,"h":40,"layout":{"type":0,"ver":2,"y":5}})") << p
                            << QRect(0, 555, 10, 40);
    QTest::newRow("narrow parent goes negative")
        << QByteArray(R"({"w":201,"h":10,"layout":{"type":0,"hor":1}})") << QSize(100, 100) << QRect(-50, 0, 201, 10);
    // With centring, the right margin is measured from 0, not from x.
    QTest::newRow("centred stretch")
        << QByteArray(R"({"w":1,"h":1,"layout":{"type":0,"hor":1,"x":10,"r":100}})") << p << QRect(60, 0, 700, 1);
    QTest::newRow("stretch to bottom margin")
        << QByteArray(R"({"w":5,"h":1,"layout":{"type":0,"y":30,"b":70}})") << p << QRect(0, 30, 5, 500);
    QTest::newRow("unknown width type") << QByteArray(R"({"w":50,"h":5,"layout":{"type":0,"wType":7}})") << p
                                        << QRect(0, 0, 0, 5);
    QTest::newRow("unknown alignment uses offset")
        << QByteArray(R"({"w":50,"h":5,"layout":{"type":0,"hor":9,"x":33}})") << p << QRect(0, 0, 50, 5);
}

void tst_Layout::anchor()
{
    QFETCH(QByteArray, element);
    QFETCH(QSize, parent);
    QFETCH(QRect, geometry);
    // Negative sizes are handed to Qt unchanged, which clamps them; compare position and size separately.
    const QRect r = layOut(element.constData(), parent);
    QCOMPARE(r.topLeft(), geometry.topLeft());
    QCOMPARE(r.size(), geometry.size());
}

void tst_Layout::margins()
{
    QCOMPARE(layOut(R"({"layout":{"type":1,"x":10,"y":20,"r":30,"b":40}})"), QRect(10, 20, 760, 540));
    QCOMPARE(layOut(R"({"layout":{"type":1,"x":5}})"), QRect(5, 0, 795, 600));
}

void tst_Layout::fixedWithoutLayout()
{
    QCOMPARE(layOut(R"({"x":3,"y":4,"w":50,"h":60})"), QRect(3, 4, 50, 60));
    QCOMPARE(layOut(R"({})"), QRect(0, 0, 0, 0));
    // Fixed means fixed: min and max sizes follow.
    QWidget parent;
    auto *c = new Plain(&parent);
    c->LoadFromJson(parse(R"({"w":50,"h":60})"));
    c->GetControlBase()->ApplyLayout();
    QCOMPARE(c->minimumSize(), QSize(50, 60));
    QCOMPARE(c->maximumSize(), QSize(50, 60));
    // A layout object of the fixed kind takes the element's coordinates, at once.
    auto *d = new Plain(&parent);
    d->LoadFromJson(parse(R"({"x":7,"y":8,"w":9,"h":10,"layout":{"type":3}})"));
    QCOMPARE(d->GetLayoutType(), 3);
    QCOMPARE(d->geometry(), QRect(7, 8, 9, 10));
}

void tst_Layout::customAndUnknownKindsKeepGeometry()
{
    QWidget parent;
    parent.resize(400, 300);
    auto *custom = new Plain(&parent);
    custom->setGeometry(11, 12, 13, 14);
    custom->LoadFromJson(parse(R"({"x":1,"w":99,"layout":{"type":2}})"));
    auto *child = new Plain(custom);
    child->LoadFromJson(parse(R"({"layout":{"type":1,"x":1,"y":1,"r":1,"b":1}})"));
    custom->GetControlBase()->ApplyLayout();
    QCOMPARE(custom->geometry(), QRect(11, 12, 13, 14));
    QCOMPARE(custom->GetLayoutType(), 2);
    // Children are laid out all the same.
    QCOMPARE(child->geometry(), QRect(1, 1, 11, 12));

    auto *odd = new Plain(&parent);
    odd->setGeometry(1, 2, 3, 4);
    odd->LoadFromJson(parse(R"({"layout":{"type":42}})"));
    odd->GetControlBase()->ApplyLayout();
    QCOMPARE(odd->geometry(), QRect(1, 2, 3, 4));
    QCOMPARE(odd->GetLayoutType(), 42);
    void *data = &parent;
    odd->GetLayoutData(data);
    QCOMPARE(data, static_cast<void *>(&parent));   // untouched for unknown kinds
}

void tst_Layout::explicitTypesWinOverMargins()
{
    QCOMPARE(layOut(R"({"w":50,"h":5,"layout":{"type":0,"x":10,"r":20,"wType":0}})"), QRect(10, 0, 20, 5));
}

void tst_Layout::commonAttributes()
{
    QWidget parent;
    auto *c = new Plain(&parent);
    const QByteArray tip = "\xb9\xb2\xbc\xc6";   // "共计" in GBK
    Json::Value e = parse(R"({"name":"btnLogin","visibility":false,"enable":false})");
    e["tooltip"] = tip.toStdString();
    QVERIFY(c->LoadFromJson(e));
    QCOMPARE(c->objectName(), QStringLiteral("btnLogin"));
    QCOMPARE(c->toolTip(), QString::fromUtf8("共计"));
    QVERIFY(c->isHidden());
    QVERIFY(!c->isEnabled());

    auto *shown = new Plain(&parent);
    shown->hide();
    shown->LoadFromJson(parse(R"({"name":"x"})"));
    QVERIFY(!shown->isHidden());     // always shown unless the page says otherwise
}

void tst_Layout::wronglyTypedAttributes()
{
    // What JsonCpp's asString / asBool / asInt refuse counts as absent: strings
    // where numbers or booleans are wanted, arrays, objects.
    QWidget parent;
    parent.resize(800, 600);
    auto *c = new Plain(&parent);
    c->LoadFromJson(parse(R"({"name":[5],"tooltip":{},"visibility":"no","enable":{},"x":"3","w":[],"h":"2"})"));
    c->GetControlBase()->ApplyLayout();
    QVERIFY(c->objectName().isEmpty());
    QVERIFY(c->toolTip().isEmpty());
    QVERIFY(!c->isHidden());
    QVERIFY(c->isEnabled());
    QCOMPARE(c->geometry(), QRect(0, 0, 0, 0));
    auto *l = new Plain(&parent);
    l->LoadFromJson(parse(R"({"w":10,"h":10,"layout":{"type":"1","x":"a","hor":[1],"r":{}}})"));
    l->GetControlBase()->ApplyLayout();
    QCOMPARE(l->GetLayoutType(), 0);
    QCOMPARE(l->geometry(), QRect(0, 0, 10, 10));
    auto *n = new Plain(&parent);
    n->LoadFromJson(parse(R"({"w":10,"h":10,"layout":7})"));
    QCOMPARE(n->GetLayoutType(), 0);
    // A page element that is not even an object reads nothing.
    auto *s = new Plain(&parent);
    s->LoadFromJson(parse(R"("just text")"));
    QCOMPARE(s->GetLayoutType(), 3);
}

void tst_Layout::layoutRecordsAndData()
{
    QWidget parent;
    parent.resize(300, 200);
    Plain c(&parent);
    TAVQAnchorLayout a;
    a.hor = 2;
    a.x = 5;
    a.w = 40;
    a.h = 30;
    c.setGeometry(9, 9, 9, 9);
    c.SetLayout(a);
    QCOMPARE(c.GetLayoutType(), 0);
    QCOMPARE(c.geometry(), QRect(9, 9, 9, 9));       // nothing applied yet
    c.GetControlBase()->ApplyLayout();
    QCOMPARE(c.geometry(), QRect(255, 0, 40, 30));
    void *data = nullptr;
    c.GetLayoutData(data);
    QVERIFY(data);
    QCOMPARE(static_cast<qint32 *>(data)[0], 2);   // hor is the first integer
    TAVQMarginLayout m;
    QVERIFY(!c.GetControlBase()->GetLayout(m));
    TAVQAnchorLayout back;
    QVERIFY(c.GetControlBase()->GetLayout(back));
    QCOMPARE(back.x, 5);

    TAVQFixedLayout f;
    f.x = 1;
    f.y = 2;
    f.w = 30;
    f.h = 40;
    c.SetLayout(f);                                 // applied at once
    QCOMPARE(c.geometry(), QRect(1, 2, 30, 40));
    TAVQCustomLayout custom;
    custom.values[5] = 9;
    c.SetLayout(custom);
    TAVQCustomLayout customBack;
    QVERIFY(c.GetControlBase()->GetLayout(customBack));
    QCOMPARE(customBack.values[5], 9);
}

void tst_Layout::noParentNoLayout()
{
    Plain orphan;
    orphan.setGeometry(5, 5, 5, 5);
    auto *child = new Plain(&orphan);
    child->LoadFromJson(parse(R"({"x":1,"y":1,"w":2,"h":2})"));
    orphan.LoadFromJson(parse(R"({"x":100,"y":100,"w":50,"h":50})"));
    orphan.GetControlBase()->ApplyLayout();
    QCOMPARE(orphan.geometry(), QRect(5, 5, 5, 5));
    QCOMPARE(child->geometry().topLeft(), QPoint(0, 0));   // not visited either
}

void tst_Layout::extremeValuesAreBounded()
{
    // Sums of page integers must neither overflow nor reach Qt unbounded.
    const QRect fixed = layOut(R"({"x":2147483647,"y":-2147483648,"w":300,"h":48})");
    QCOMPARE(fixed.topLeft(), QPoint(QWIDGETSIZE_MAX, -QWIDGETSIZE_MAX));
    QCOMPARE(fixed.size(), QSize(300, 48));
    const QRect anchored = layOut(R"({"w":2147483647,"h":5,"layout":{"type":0,"hor":1,"x":2147483647}})");
    QCOMPARE(anchored.width(), QWIDGETSIZE_MAX);
    QCOMPARE(anchored.x(), (800 - QWIDGETSIZE_MAX) / 2 + QWIDGETSIZE_MAX);
    const QRect margins = layOut(R"({"layout":{"type":1,"x":-2147483648,"r":2147483647}})");
    QCOMPARE(margins.x(), -QWIDGETSIZE_MAX);
    QCOMPARE(margins.width(), 800);   // 800 - r - x with both bounded, no overflow
}

void tst_Layout::convertedAttributes()
{
    // Values convert as JsonCpp's asInt / asBool / asString convert them.
    QWidget parent;
    parent.resize(800, 600);
    auto *c = new Plain(&parent);
    c->LoadFromJson(parse(R"({"name":5,"tooltip":1.5,"visibility":0,"enable":null,"x":true,"y":2.9,"w":100.5,
        "h":-0.5})"));
    c->GetControlBase()->ApplyLayout();
    QCOMPARE(c->objectName(), QStringLiteral("5"));
    QCOMPARE(c->toolTip(), QStringLiteral("1.5"));
    QVERIFY(c->isHidden());
    QVERIFY(!c->isEnabled());
    QCOMPARE(c->geometry(), QRect(1, 2, 100, 0));
    // "hor" true is centre, "r" null a right margin of 0, "type" 0.9 the anchor kind.
    auto *l = new Plain(&parent);
    l->LoadFromJson(parse(R"({"w":10,"h":10,"layout":{"type":0.9,"hor":true,"r":null}})"));
    l->GetControlBase()->ApplyLayout();
    QCOMPARE(l->GetLayoutType(), 0);
    QCOMPARE(l->geometry(), QRect(0, 0, 800, 10));
    // "type" 1.5 is the margins kind.
    auto *m = new Plain(&parent);
    m->LoadFromJson(parse(R"({"layout":{"type":1.5,"x":10.7,"y":true,"r":-0.2,"b":false}})"));
    m->GetControlBase()->ApplyLayout();
    QCOMPARE(m->GetLayoutType(), 1);
    QCOMPARE(m->geometry(), QRect(10, 1, 790, 599));
}

void tst_Layout::freshControlSizes_data()
{
    QTest::addColumn<QByteArray>("element");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("measured");
    // No layout sets the geometry: the control keeps what showing it gives, its size hint.
    QTest::newRow("custom") << QByteArray(R"({"layout":{"type":2}})") << QSize(57, 23) << true;
    QTest::newRow("unknown") << QByteArray(R"({"layout":{"type":42}})") << QSize(57, 23) << true;
    QTest::newRow("unknown negative") << QByteArray(R"({"layout":{"type":-1}})") << QSize(57, 23) << true;
    QTest::newRow("custom with w and h") << QByteArray(R"({"w":5,"h":6,"layout":{"type":2}})") << QSize(57, 23)
                                         << true;
    // Shown first, then hidden: sized all the same.
    QTest::newRow("custom hidden") << QByteArray(R"({"visibility":false,"layout":{"type":2}})") << QSize(57, 23)
                                   << true;
    // The layout sets the geometry: not measured for a size replaced at once.
    QTest::newRow("anchor") << QByteArray(R"({"w":30,"h":20,"layout":{"type":0}})") << QSize(30, 20) << false;
    QTest::newRow("margins") << QByteArray(R"({"layout":{"type":1,"r":700,"b":500}})") << QSize(100, 100) << false;
    QTest::newRow("fixed") << QByteArray(R"({"w":30,"h":20,"layout":{"type":3}})") << QSize(30, 20) << false;
    QTest::newRow("no layout") << QByteArray(R"({"w":30,"h":20})") << QSize(30, 20) << false;
}

void tst_Layout::freshControlSizes()
{
    QFETCH(QByteArray, element);
    QFETCH(QSize, size);
    QFETCH(bool, measured);
    RegisterControlType("hinted", createHinted, false);
    QWidget parent;
    parent.resize(800, 600);
    // Plain Qt gives a shown child its size hint.
    QCOMPARE(shownChildSize(new Hinted, &parent), QSize(57, 23));

    Hinted::s_measured = 0;
    // Made as the page builder makes it: without a parent, parented, then loaded.
    QWidget *control = CreateControl("hinted", parse(element.constData()), &parent);
    QVERIFY(control);
    QCOMPARE(Hinted::s_measured > 0, measured);
    controlInterface(control)->GetControlBase()->ApplyLayout();
    QCOMPARE(control->size(), size);
}

void tst_Layout::freshControlWithoutSizeHintKeepsQtSize()
{
    // A control with no size hint (and no children) is left by Qt's showing at the
    // size it was made with; it gets exactly what plain Qt gives a shown child.
    RegisterControlType("plain", createPlain, false);
    QWidget parent;
    parent.resize(800, 600);
    QWidget *control = CreateControl("plain", parse(R"({"layout":{"type":2}})"), &parent);
    QVERIFY(control);
    QVERIFY(!control->sizeHint().isValid());
    QCOMPARE(control->size(), shownChildSize(new Plain, &parent));
    // A control the program sized before keeps its size, as Qt keeps a resized widget's.
    auto *sized = new Hinted;
    sized->resize(11, 12);
    sized->setParent(&parent);
    sized->LoadFromJson(parse(R"({"layout":{"type":2}})"));
    QCOMPARE(sized->size(), QSize(11, 12));
}

void tst_Layout::attrMapKinds()
{
    // The JSON type decides the kind of an "attr" member; string list
    // items are read as asString reads them.
    Plain c;
    QVERIFY(c.LoadFromJson(parse(R"({"attr":{"b":true,"s":"x","i":-5,"real3":3.0,"u":2147483648,"d":2.5,
        "big":1e300,"list":["a",1,true,null,1.5],"empty":[],"numbers":[1,"a"],"null":null,"o":{}}})")));
    const auto &attrs = c.GetImpl()->attrs();
    const auto kind = [&attrs](const char *key) { return attrs.at(key).type; };
    const auto value = [&attrs](const char *key) { return attrs.at(key).value; };
    QCOMPARE(kind("b"), int(TAVQAttrValue::Bool));
    QCOMPARE(value("b"), QVariant(true));
    QCOMPARE(kind("s"), int(TAVQAttrValue::String));
    QCOMPARE(value("s"), QVariant(QStringLiteral("x")));
    QCOMPARE(kind("i"), int(TAVQAttrValue::Int));
    QCOMPARE(value("i"), QVariant(-5));
    QCOMPARE(kind("real3"), int(TAVQAttrValue::Int));   // a real that fits an int
    QCOMPARE(value("real3"), QVariant(3));
    QCOMPARE(kind("u"), int(TAVQAttrValue::UInt));
    QCOMPARE(value("u"), QVariant(2147483648u));
    QCOMPARE(kind("d"), int(TAVQAttrValue::Double));
    QCOMPARE(value("d"), QVariant(2.5));
    QCOMPARE(kind("big"), int(TAVQAttrValue::Double));
    QCOMPARE(kind("list"), int(TAVQAttrValue::StringList));
    QCOMPARE(attrs.at("list").count, 5);
    QCOMPARE(value("list").toStringList(), QStringList({"a", "1", "true", "", "1.5"}));
    for (const char *falseKey : {"empty", "numbers", "null", "o"}) {
        QCOMPARE(kind(falseKey), int(TAVQAttrValue::Bool));
        QCOMPARE(value(falseKey), QVariant(false));
    }
}

QTEST_MAIN(tst_Layout)
#include "tst_layout.moc"
