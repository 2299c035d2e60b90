#include "testjson.h"
#include "plaincontrol.h"

#include "base/tavqjson_p.h"
#include "base/tavqlimits.h"
#include "core/tavqcontrol.h"
#include "core/tavqelementmap_p.h"
#include "core/tavqelementwalk_p.h"
#include "core/tavqregistry.h"

#include <QtTest>

#include <json/value.h>

#include <utility>

using namespace TAVQtLib;

Q_DECLARE_METATYPE(TAVQElementSkip)

namespace {

QWidget *createControl() { return new Plain; }

QByteArray controls(int count)
{
    QByteArrayList list;
    for (int i = 0; i < count; ++i)
        list << R"({"type":"rec"})";
    return list.join(',');
}

QByteArray withChildren(const QByteArray &children)
{
    return R"({"type":"rec","child":[)" + children + "]}";
}

QByteArray page(const QByteArray &elements)
{
    return R"({"elements":[)" + elements + "]}";
}

QString nameOf(const TAVQMappedElement &entry)
{
    const Json::Value *name = JsonRead::member(*entry.element, "name");
    return name ? QString::fromUtf8(JsonRead::toBytes(*name).value_or(QByteArray())) : QString();
}

const TAVQMappedElement *named(const TAVQElementMap &map, const QString &name)
{
    for (const TAVQMappedElement &entry : map.elements()) {
        if (nameOf(entry) == name)
            return &entry;
    }
    return nullptr;
}

// What a walk met, without what it made: the same for building and checking.
QVector<std::pair<QVector<int>, TAVQElementSkip>> reasons(const TAVQElementMap &map)
{
    QVector<std::pair<QVector<int>, TAVQElementSkip>> out;
    for (const TAVQMappedElement &entry : map.elements())
        out.append({entry.path, entry.skip});
    return out;
}

} // namespace

class tst_ElementWalk : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void reportsWhyAnElementMadeNothing_data();
    void reportsWhyAnElementMadeNothing();
    void widgetsMapBackToElements_data();
    void widgetsMapBackToElements();
    void otherWidgetsMapToNothing();
};

void tst_ElementWalk::initTestCase()
{
    RegisterControlType("rec", createControl, false);
}

void tst_ElementWalk::reportsWhyAnElementMadeNothing_data()
{
    QTest::addColumn<QByteArray>("text");      // the page
    QTest::addColumn<QByteArray>("element");   // the text of the element named "x" in it
    QTest::addColumn<TAVQElementSkip>("skip");
    QTest::addColumn<QVector<int>>("path");

    const auto inParent = [](const QByteArray &element) { return page(withChildren(element)); };
    const QByteArray made = R"({"type":"rec","name":"x"})";
    QTest::newRow("made") << inParent(made) << made << TAVQElementSkip::None << QVector<int>{0, 0};
    const QByteArray number = R"({"type":5,"name":"x"})";
    QTest::newRow("type a number") << inParent(number) << number << TAVQElementSkip::TypeNotString
                                   << QVector<int>{0, 0};
    const QByteArray untyped = R"({"name":"x"})";
    QTest::newRow("no type") << page(untyped) << untyped << TAVQElementSkip::TypeNotString << QVector<int>{0};
    const QByteArray bar = R"({"type":"qtscrollbar","name":"x"})";
    QTest::newRow("scroll bar") << inParent(bar) << bar << TAVQElementSkip::ScrollBar << QVector<int>{0, 0};
    const QByteArray unknown = R"({"type":"nosuch","name":"x","child":[{"type":"rec"}]})";
    QTest::newRow("unknown type") << inParent(unknown) << unknown << TAVQElementSkip::UnknownType
                                  << QVector<int>{0, 0};

    QByteArray deep = made;
    for (int depth = 0; depth <= MaxElementDepth; ++depth)
        deep = withChildren(deep);
    QTest::newRow("too deep") << page(deep) << made << TAVQElementSkip::TooDeep
                              << QVector<int>(MaxElementDepth + 2, 0);
    QTest::newRow("over the child cap") << page(controls(Limits::MaxChildElements) + ',' + made) << made
                                        << TAVQElementSkip::OverChildCap << QVector<int>{Limits::MaxChildElements};
    // Two parents of 4000 and a third: its 1998th child is the page's 10001st element.
    const QByteArray full = withChildren(controls(4000));
    QTest::newRow("over budget") << page(full + ',' + full + ',' + withChildren(controls(1997) + ',' + made)) << made
                                 << TAVQElementSkip::OverBudget << QVector<int>{2, 1997};
}

void tst_ElementWalk::reportsWhyAnElementMadeNothing()
{
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, element);
    QFETCH(TAVQElementSkip, skip);
    QFETCH(QVector<int>, path);
    const Json::Value root = parse(text);
    QWidget host;
    TAVQElementMap built;
    TAVQElementWalk(TAVQElementWalk::Mode::Build, &built).walkPage(root, &host);

    const TAVQMappedElement *x = named(built, QStringLiteral("x"));
    QVERIFY(x);
    QCOMPARE(x->skip, skip);
    QCOMPARE(x->path, path);
    QCOMPARE(x->depth, path.size() - 1);
    QCOMPARE(text.mid(int(x->offsetStart()), int(x->offsetLimit() - x->offsetStart())), element);
    QCOMPARE(x->widget != nullptr, skip == TAVQElementSkip::None);
    QCOMPARE(host.findChild<QWidget *>(QStringLiteral("x")) != nullptr, skip == TAVQElementSkip::None);

    // Checking meets the same elements for the same reasons, and makes nothing.
    TAVQElementMap checked;
    TAVQElementWalk(TAVQElementWalk::Mode::Check, &checked).walkPage(root, nullptr);
    QCOMPARE(reasons(checked), reasons(built));
    for (const TAVQMappedElement &entry : checked.elements())
        QVERIFY(!entry.widget);
}

void tst_ElementWalk::widgetsMapBackToElements_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("path");
    QTest::newRow("top level") << "a" << "elements[0]";
    QTest::newRow("child") << "a1" << "elements[0].child[0]";
    QTest::newRow("grandchild after a skipped sibling") << "a22" << "elements[0].child[1].child[1]";
    QTest::newRow("second top level") << "b" << "elements[1]";
}

void tst_ElementWalk::widgetsMapBackToElements()
{
    QFETCH(QString, name);
    QFETCH(QString, path);
    const QByteArray text = R"({"elements":[
        {"type":"rec","name":"a","child":[
            {"type":"rec","name":"a1"},
            {"type":"rec","name":"a2","child":[{"type":"nosuch","name":"a21"},{"type":"rec","name":"a22"}]}]},
        {"type":"rec","name":"b"}]})";
    const Json::Value root = parse(text);
    QWidget host;
    TAVQElementMap map;
    TAVQElementWalk(TAVQElementWalk::Mode::Build, &map).walkPage(root, &host);

    QWidget *widget = host.findChild<QWidget *>(name);
    QVERIFY(widget);
    const TAVQMappedElement *entry = map.find(widget);
    QVERIFY(entry);
    QCOMPARE(nameOf(*entry), name);
    QCOMPARE(TAVQElementMap::pathText(entry->path), path);
    QCOMPARE(map.widgetOf(entry->element), widget);
    QCOMPARE(map.find(entry->element), entry);
    QCOMPARE(map.widgetOf(entry->parent), widget->parentWidget() == &host ? nullptr : widget->parentWidget());
    const QByteArray source = text.mid(int(entry->offsetStart()), int(entry->offsetLimit() - entry->offsetStart()));
    const QByteArray start = R"({"type":"rec","name":")" + name.toUtf8() + '"';
    QVERIFY2(source.startsWith(start), source.constData());
}

void tst_ElementWalk::otherWidgetsMapToNothing()
{
    const Json::Value root = parse(R"({"elements":[{"type":"rec","name":"a"},{"type":"rec","name":"b"}]})");
    QWidget host;
    TAVQElementMap map;
    TAVQElementWalk(TAVQElementWalk::Mode::Build, &map).walkPage(root, &host);
    QWidget *a = host.findChild<QWidget *>(QStringLiteral("a"));
    QVERIFY(map.find(a));
    QVERIFY(!map.find(&host));
    QVERIFY(!map.find(new QWidget(a)));
    // A deleted control is no longer anyone's, and its element made nothing that lives.
    const Json::Value *element = map.find(a)->element;
    delete a;
    QVERIFY(!map.find(static_cast<const QWidget *>(a)));
    QCOMPARE(map.widgetOf(element), nullptr);
    map.clear();
    QVERIFY(map.elements().empty());
    QVERIFY(!map.find(host.findChild<QWidget *>(QStringLiteral("b"))));
}

QTEST_MAIN(tst_ElementWalk)
#include "tst_elementwalk.moc"
