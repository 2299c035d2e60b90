#include "controls/tavqtabwidget.h"
#include "base/tavqjson_p.h"
#include "core/tavqpagebuilder.h"
#include "core/tavqregistry.h"
#include "controls/tavqcontrols.h"
#include "core/tavqruntime.h"
#include "resources/tavqresourcemanager.h"
#include "designerhost.h"
#include "lookpicture.h"
#include "testjson.h"
#include "widgetlook.h"

#include <QFile>
#include <QImage>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>
#include <memory>

using namespace TAVQtLib;

namespace {

const QRgb Background = 0xFF101010;
const QRgb NormalBox = 0xFF203040;
const QRgb HoverBox = 0xFF405060;
const QRgb CurrentBox = 0xFF607080;
const QRgb SpareBox = 0xFF8090A0;

void moveMouse(QWidget *widget, const QPoint &pos)
{
    QMouseEvent event(QEvent::MouseMove, pos, widget->mapToGlobal(pos), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

void leave(QWidget *widget)
{
    QEvent event(QEvent::Leave);
    QApplication::sendEvent(widget, &event);
}

int countPixels(const QImage &image, const QRect &area, const std::function<bool(QRgb)> &match)
{
    int count = 0;
    const QRect scan = area & image.rect();
    for (int y = scan.top(); y <= scan.bottom(); ++y) {
        for (int x = scan.left(); x <= scan.right(); ++x)
            count += match(image.pixel(x, y)) ? 1 : 0;
    }
    return count;
}

bool allPixels(const QImage &image, const QRect &area, QRgb colour)
{
    return countPixels(image, area, [colour](QRgb p) { return p != colour; }) == 0;
}

// Text ink of a pure primary colour on the dark boxes: that channel clearly up, the others not.
std::function<bool(QRgb)> inkOf(int channel)
{
    return [channel](QRgb p) {
        const int c[3] = {qRed(p), qGreen(p), qBlue(p)};
        return c[channel] > 160 && c[(channel + 1) % 3] < 130 && c[(channel + 2) % 3] < 130;
    };
}

QStringList itemsOf(const TAVQTabWidget &tab)
{
    QStringList items;
    for (int i = 0; i < tab.count(); ++i)
        items << tab.itemText(i);
    return items;
}

QWidget *createTab()
{
    return new TAVQTabWidget;
}

} // namespace

class TestTabWidget : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void defaults();
    void itemList();
    void attributes();
    void attributes_data();

    void horizontalHitTestSkipsSpaces();
    void verticalItemsSpanTheWidth();
    void pressOnAGapOrBeyondDoesNothing();
    void currentChangedRules();
    void releaseDoesNothing();
    void hoverFollowsHitsAndClearsOnLeave();

    void looksByState();
    void negativeCurrentIndexDrawsNoCurrentItem();
    void textFollowsTheLook();
    void showTextZeroDrawsOnlyBoxes();
    void styleSlotsApplyInOrder();
    void unknownStyleNamesKeepTheStyles();
    void programmaticStyles();

    void designerSampleItems();
    void malformedPages();

    void propertiesReachTheAccessors_data();
    void propertiesReachTheAccessors();

private:
    std::unique_ptr<TAVQTabWidget> load(const QByteArray &json, const QSize &size, const QStringList &items);

    QTemporaryDir m_dir;
};

void TestTabWidget::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QFile sheet(m_dir.filePath(QStringLiteral("style.json")));
    QVERIFY(sheet.open(QIODevice::WriteOnly));
    sheet.write(R"({"style":[
        {"type":1,"name":"bg","drawImg":false,"clr":"ff101010"},
        {"type":1,"name":"normal","drawImg":false,"clr":"ff203040"},
        {"type":1,"name":"hover","drawImg":false,"clr":"ff405060"},
        {"type":1,"name":"current","drawImg":false,"clr":"ff607080"},
        {"type":1,"name":"spare","drawImg":false,"clr":"ff8090a0"},
        {"type":2,"name":"red","size":20,"clr":"ff0000","hor":1,"ver":1,"family":"WenQuanYi Micro Hei"},
        {"type":2,"name":"green","size":20,"clr":"00ff00","hor":1,"ver":1,"family":"WenQuanYi Micro Hei"},
        {"type":2,"name":"blue","size":20,"clr":"0000ff","hor":1,"ver":1,"family":"WenQuanYi Micro Hei"}
    ]})");
    sheet.close();
    QVERIFY(TAVQResourceManager::instance().loadStyleFolder(m_dir.path()));
}

std::unique_ptr<TAVQTabWidget> TestTabWidget::load(const QByteArray &json, const QSize &size,
                                                   const QStringList &items)
{
    auto tab = std::make_unique<TAVQTabWidget>();
    tab->LoadFromJson(parse(json));
    tab->resize(size);
    for (const QString &item : items)
        tab->addItem(item);
    return tab;
}

// Page with a box per look and no text, so every pixel belongs to a box.
static const QByteArray BoxesPage =
        R"({"style":[["bg",0,0],["normal",0,1],["hover",0,2],["current",0,3]],
            "attr":{"itemSize":50,"itemSpace":10,"showText":0}})";

void TestTabWidget::defaults()
{
    TAVQTabWidget tab;
    QCOMPARE(tab.GetTypeName(), QStringLiteral("qttab"));
    QVERIFY(tab.testAttribute(Qt::WA_MouseTracking));
    QCOMPARE(tab.count(), 0);
    QCOMPARE(tab.currentIndex(), 0);
    QCOMPARE(tab.hoverIndex(), -1);
    QCOMPARE(tab.itemSize(), 50);
    QCOMPARE(tab.itemSpace(), 0);
    QVERIFY(tab.isHorizontal());
    QVERIFY(tab.showText());
    QVERIFY(tab.backgroundStyle().visible);
    QVERIFY(tab.isVisibleFlag());
}

void TestTabWidget::itemList()
{
    TAVQTabWidget tab;
    tab.addItem(QStringLiteral("a"));
    tab.addItem(QStringLiteral("b"));
    tab.addItem(QStringLiteral("c"));
    QCOMPARE(itemsOf(tab), QStringList({"a", "b", "c"}));
    QCOMPARE(tab.itemText(3), QString());
    QCOMPARE(tab.itemText(-1), QString());

    tab.removeItem(3);
    tab.removeItem(-1);
    QCOMPARE(tab.count(), 3);
    tab.removeItem(1);
    QCOMPARE(itemsOf(tab), QStringList({"a", "c"}));
    tab.clear();
    QCOMPARE(tab.count(), 0);
    QCOMPARE(tab.currentIndex(), 0);
}

void TestTabWidget::attributes_data()
{
    QTest::addColumn<QByteArray>("attr");
    QTest::addColumn<bool>("horizontal");
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("space");
    QTest::addColumn<bool>("showText");

    QTest::newRow("empty") << QByteArray("{}") << true << 50 << 0 << true;
    QTest::newRow("isHor true") << QByteArray(R"({"isHor":true,"itemSize":70})") << true << 70 << 0 << true;
    QTest::newRow("isHor false") << QByteArray(R"({"isHor":false,"itemSpace":4})") << false << 50 << 4 << true;
    QTest::newRow("showText 0") << QByteArray(R"({"showText":0,"hasIcon":true})") << true << 50 << 0 << false;
    QTest::newRow("showText 7") << QByteArray(R"({"showText":7})") << true << 50 << 0 << true;
}

void TestTabWidget::attributes()
{
    QFETCH(QByteArray, attr);
    QFETCH(bool, horizontal);
    QFETCH(int, size);
    QFETCH(int, space);
    QFETCH(bool, showText);
    const auto tab = load(R"({"attr":)" + attr + "}", QSize(100, 30), {});
    QCOMPARE(tab->isHorizontal(), horizontal);
    QCOMPARE(tab->itemSize(), size);
    QCOMPARE(tab->itemSpace(), space);
    QCOMPARE(tab->showText(), showText);
}

void TestTabWidget::horizontalHitTestSkipsSpaces()
{
    const auto tab = load(BoxesPage, QSize(200, 30), {"a", "b", "c"});
    QCOMPARE(tab->itemRect(0), QRect(0, 0, 50, 30));
    QCOMPARE(tab->itemRect(1), QRect(60, 0, 50, 30));
    QCOMPARE(tab->itemRect(2), QRect(120, 0, 50, 30));

    const struct { int x; int item; } probes[] = {
        {0, 0}, {49, 0}, {50, -1}, {55, -1}, {59, -1}, {60, 1}, {109, 1},
        {110, -1}, {119, -1}, {120, 2}, {169, 2}, {170, -1}, {199, -1},
    };
    for (const auto &probe : probes) {
        QCOMPARE(tab->itemAt(QPoint(probe.x, 15)), probe.item);
        QCOMPARE(tab->itemAt(QPoint(probe.x, 0)), probe.item);
        QCOMPARE(tab->itemAt(QPoint(probe.x, 29)), probe.item);
    }
    QCOMPARE(tab->itemAt(QPoint(10, 30)), -1);

    QSignalSpy changed(tab.get(), &TAVQTabWidget::currentChanged);
    QTest::mousePress(tab.get(), Qt::LeftButton, Qt::NoModifier, QPoint(109, 29));
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.at(0).at(0).toInt(), 1);
    QCOMPARE(tab->currentIndex(), 1);
}

void TestTabWidget::verticalItemsSpanTheWidth()
{
    const auto tab = load(R"({"attr":{"isHor":false,"itemSize":20,"itemSpace":5}})", QSize(80, 100),
                          {"a", "b", "c"});
    QCOMPARE(tab->itemRect(0), QRect(0, 0, 80, 20));
    QCOMPARE(tab->itemRect(1), QRect(0, 25, 80, 20));
    QCOMPARE(tab->itemRect(2), QRect(0, 50, 80, 20));
    QCOMPARE(tab->itemAt(QPoint(79, 44)), 1);
    QCOMPARE(tab->itemAt(QPoint(40, 22)), -1);
    QCOMPARE(tab->itemAt(QPoint(0, 70)), -1);

    // Resizing moves nothing along the strip but changes the thickness.
    tab->resize(120, 100);
    QCOMPARE(tab->itemRect(2), QRect(0, 50, 120, 20));
    QCOMPARE(tab->itemAt(QPoint(110, 60)), 2);
}

void TestTabWidget::pressOnAGapOrBeyondDoesNothing()
{
    const auto tab = load(BoxesPage, QSize(200, 30), {"a", "b", "c"});
    const QImage before = look(tab.get());
    QSignalSpy changed(tab.get(), &TAVQTabWidget::currentChanged);
    for (const QPoint &pos : {QPoint(55, 10), QPoint(115, 10), QPoint(185, 10)})
        QTest::mousePress(tab.get(), Qt::LeftButton, Qt::NoModifier, pos);
    QCOMPARE(changed.count(), 0);
    QCOMPARE(tab->currentIndex(), 0);
    QCOMPARE(look(tab.get()), before);
}

void TestTabWidget::currentChangedRules()
{
    const auto tab = load(BoxesPage, QSize(200, 30), {"a", "b", "c"});
    QSignalSpy changed(tab.get(), &TAVQTabWidget::currentChanged);

    // Pressing the current item reports it again.
    QTest::mousePress(tab.get(), Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.takeFirst().at(0).toInt(), 0);

    tab->setCurrentIndex(0);
    QCOMPARE(changed.count(), 0);

    tab->setCurrentIndex(2);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.takeFirst().at(0).toInt(), 2);
    QCOMPARE(tab->currentIndex(), 2);
    tab->setCurrentIndex(2);
    QCOMPARE(changed.count(), 0);

    tab->setCurrentIndex(3);
    tab->setCurrentIndex(100);
    QCOMPARE(changed.count(), 0);
    QCOMPARE(tab->currentIndex(), 2);

    tab->setCurrentIndex(-1);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.takeFirst().at(0).toInt(), -1);
    QCOMPARE(tab->currentIndex(), -1);

    QTest::mousePress(tab.get(), Qt::LeftButton, Qt::NoModifier, QPoint(130, 10));
    QTest::mousePress(tab.get(), Qt::LeftButton, Qt::NoModifier, QPoint(130, 10));
    QCOMPARE(changed.count(), 2);
    QCOMPARE(changed.at(0).at(0).toInt(), 2);
    QCOMPARE(changed.at(1).at(0).toInt(), 2);

    // With no items, index 0 is already current and anything else is too large.
    TAVQTabWidget empty;
    QSignalSpy emptyChanged(&empty, &TAVQTabWidget::currentChanged);
    empty.setCurrentIndex(0);
    empty.setCurrentIndex(1);
    QCOMPARE(emptyChanged.count(), 0);
}

void TestTabWidget::releaseDoesNothing()
{
    const auto tab = load(BoxesPage, QSize(200, 30), {"a", "b"});
    QSignalSpy changed(tab.get(), &TAVQTabWidget::currentChanged);
    QTest::mouseRelease(tab.get(), Qt::LeftButton, Qt::NoModifier, QPoint(70, 10));
    QCOMPARE(changed.count(), 0);
    QCOMPARE(tab->currentIndex(), 0);
}

void TestTabWidget::hoverFollowsHitsAndClearsOnLeave()
{
    const auto tab = load(BoxesPage, QSize(200, 30), {"a", "b", "c"});
    moveMouse(tab.get(), QPoint(70, 10));
    QCOMPARE(tab->hoverIndex(), 1);
    // A gap or the area past the last item keeps the last hit.
    moveMouse(tab.get(), QPoint(115, 10));
    QCOMPARE(tab->hoverIndex(), 1);
    moveMouse(tab.get(), QPoint(190, 10));
    QCOMPARE(tab->hoverIndex(), 1);
    moveMouse(tab.get(), QPoint(125, 10));
    QCOMPARE(tab->hoverIndex(), 2);
    leave(tab.get());
    QCOMPARE(tab->hoverIndex(), -1);
    leave(tab.get());
    QCOMPARE(tab->hoverIndex(), -1);
}

void TestTabWidget::looksByState()
{
    const auto tab = load(BoxesPage, QSize(200, 30), {"a", "b", "c"});
    const QRect items[] = {QRect(0, 0, 50, 30), QRect(60, 0, 50, 30), QRect(120, 0, 50, 30)};
    const QRect gaps[] = {QRect(50, 0, 10, 30), QRect(110, 0, 10, 30), QRect(170, 0, 30, 30)};

    QImage image = look(tab.get());
    saveLookPicture(image, QStringLiteral("tab_boxes.png"));
    QVERIFY(allPixels(image, items[0], CurrentBox));
    QVERIFY(allPixels(image, items[1], NormalBox));
    QVERIFY(allPixels(image, items[2], NormalBox));
    for (const QRect &gap : gaps)
        QVERIFY(allPixels(image, gap, Background));

    moveMouse(tab.get(), QPoint(150, 5));
    image = look(tab.get());
    QVERIFY(allPixels(image, items[0], CurrentBox));
    QVERIFY(allPixels(image, items[1], NormalBox));
    QVERIFY(allPixels(image, items[2], HoverBox));

    // The current look wins over the hover look.
    QTest::mousePress(tab.get(), Qt::LeftButton, Qt::NoModifier, QPoint(150, 5));
    image = look(tab.get());
    QCOMPARE(tab->hoverIndex(), 2);
    QVERIFY(allPixels(image, items[0], NormalBox));
    QVERIFY(allPixels(image, items[2], CurrentBox));

    moveMouse(tab.get(), QPoint(5, 5));
    leave(tab.get());
    image = look(tab.get());
    QVERIFY(allPixels(image, items[0], NormalBox));
    QVERIFY(allPixels(image, items[1], NormalBox));
    QVERIFY(allPixels(image, items[2], CurrentBox));
}

void TestTabWidget::negativeCurrentIndexDrawsNoCurrentItem()
{
    const auto tab = load(BoxesPage, QSize(200, 30), {"a", "b", "c"});
    tab->setCurrentIndex(-1);
    const QImage image = look(tab.get());
    for (int i = 0; i < 3; ++i)
        QVERIFY(allPixels(image, tab->itemRect(i), NormalBox));
}

void TestTabWidget::textFollowsTheLook()
{
    const auto tab = load(R"({"style":[["bg",0,0],["normal",0,1],["hover",0,2],["current",0,3],
                                      ["red",0,5],["green",0,6],["blue",0,7]],
                              "attr":{"itemSize":60,"itemSpace":4}})",
                          QSize(200, 30), {"WW", "WW", "WW"});
    moveMouse(tab.get(), QPoint(70, 5));
    const QImage image = look(tab.get());
    saveLookPicture(image, QStringLiteral("tab_text.png"));
    const QRect first = tab->itemRect(0), second = tab->itemRect(1), third = tab->itemRect(2);
    QVERIFY(countPixels(image, first, inkOf(2)) > 10);
    QCOMPARE(countPixels(image, first, inkOf(0)), 0);
    QVERIFY(countPixels(image, second, inkOf(1)) > 10);
    QVERIFY(countPixels(image, third, inkOf(0)) > 10);
    QCOMPARE(countPixels(image, third, inkOf(2)), 0);
    // Centred text ("hor" 1): ink on both halves of the item, none at its edges.
    QVERIFY(countPixels(image, QRect(third.left(), 0, 30, 30), inkOf(0)) > 0);
    QVERIFY(countPixels(image, QRect(third.left() + 30, 0, 30, 30), inkOf(0)) > 0);
    QVERIFY(allPixels(image, QRect(third.left(), 0, 4, 30), NormalBox));
    QVERIFY(allPixels(image, QRect(64 * 3 - 4, 0, 4, 30), Background));
}

void TestTabWidget::showTextZeroDrawsOnlyBoxes()
{
    const auto shown = load(R"({"style":[["normal",0,1],["red",0,5]],"attr":{"itemSize":60}})",
                            QSize(120, 30), {"WW", "WW"});
    QVERIFY(countPixels(look(shown.get()), shown->itemRect(1), inkOf(0)) > 10);

    const auto hidden = load(R"({"style":[["normal",0,1],["red",0,5]],"attr":{"itemSize":60,"showText":0}})",
                             QSize(120, 30), {"WW", "WW"});
    const QImage image = look(hidden.get());
    QVERIFY(allPixels(image, hidden->itemRect(0), NormalBox));
    QVERIFY(allPixels(image, hidden->itemRect(1), NormalBox));
    QCOMPARE(hidden->itemText(1), QStringLiteral("WW"));
}

void TestTabWidget::styleSlotsApplyInOrder()
{
    // Slot 1 after slot 3 overwrites the current look too.
    auto tab = load(R"({"style":[["current",0,3],["normal",0,1]]})", QSize(10, 10), {});
    for (int look = 0; look < 4; ++look)
        QCOMPARE(tab->itemStyle(look).color.rgba(), NormalBox);

    tab = load(R"({"style":[["normal",0,1],["current",0,3],["spare",0,4],["hover",0,2]]})", QSize(10, 10), {});
    QCOMPARE(tab->itemStyle(0).color.rgba(), NormalBox);
    QCOMPARE(tab->itemStyle(1).color.rgba(), HoverBox);
    QCOMPARE(tab->itemStyle(2).color.rgba(), CurrentBox);
    QCOMPARE(tab->itemStyle(3).color.rgba(), SpareBox);

    tab = load(R"({"style":[["blue",0,7],["red",0,5],["green",0,8],["bg",0,9],["spare",0,-1]]})", QSize(10, 10), {});
    QCOMPARE(tab->itemFontStyle(0).color, QColor(Qt::red));
    QCOMPARE(tab->itemFontStyle(1).color, QColor(Qt::red));
    QCOMPARE(tab->itemFontStyle(2).color, QColor(Qt::red));
    QCOMPARE(tab->itemFontStyle(3).color, QColor(Qt::green));
    QCOMPARE(tab->backgroundStyle().color, TAVQBoxStyle().color);

    // A font name in a box slot is no box: nothing changes.
    tab = load(R"({"style":[["red",0,0],["red",0,1]]})", QSize(10, 10), {});
    QCOMPARE(tab->backgroundStyle().color, TAVQBoxStyle().color);
    QCOMPARE(tab->itemStyle(0).color, TAVQBoxStyle().color);
}

void TestTabWidget::unknownStyleNamesKeepTheStyles()
{
    auto tab = std::make_unique<TAVQTabWidget>();
    TAVQBoxStyle box;
    box.color = QColor::fromRgba(SpareBox);
    tab->setItemStyle(TabLookAll, box);
    tab->setBackgroundStyle(box);
    tab->LoadFromJson(parse(R"({"style":[["nope",0,0],["nope",0,1],["nope",0,5]]})"));
    QCOMPARE(tab->backgroundStyle().color.rgba(), SpareBox);
    for (int look = 0; look < 4; ++look)
        QCOMPARE(tab->itemStyle(look).color.rgba(), SpareBox);

    // "empty" is a known name that hides the box.
    tab->LoadFromJson(parse(R"({"style":[["empty",0,0]]})"));
    QVERIFY(!tab->backgroundStyle().visible);
}

void TestTabWidget::programmaticStyles()
{
    TAVQTabWidget tab;
    TAVQBoxStyle box;
    box.color = QColor::fromRgba(HoverBox);
    tab.setItemStyle(1, box);
    QCOMPARE(tab.itemStyle(1).color.rgba(), HoverBox);
    QCOMPARE(tab.itemStyle(0).color, TAVQBoxStyle().color);
    // Look 0 is the normal look alone; 4 is all of them.
    box.color = QColor::fromRgba(NormalBox);
    tab.setItemStyle(0, box);
    QCOMPARE(tab.itemStyle(1).color.rgba(), HoverBox);
    tab.setItemStyle(4, box);
    QCOMPARE(tab.itemStyle(1).color.rgba(), NormalBox);
    QCOMPARE(tab.itemStyle(3).color.rgba(), NormalBox);
    tab.setItemStyle(9, TAVQBoxStyle());
    QCOMPARE(tab.itemStyle(3).color.rgba(), NormalBox);

    TAVQFontStyle font;
    font.size = 31;
    tab.setItemFontStyle(TabLookAll, font);
    font.size = 7;
    tab.setItemFontStyle(TabLookCurrent, font);
    QCOMPARE(tab.itemFontStyle(0).size, 31);
    QCOMPARE(tab.itemFontStyle(2).size, 7);

    tab.setHorizontal(false);
    QVERIFY(!tab.isHorizontal());
    tab.setItemSize(33);
    tab.setItemSpace(3);
    tab.resize(40, 200);
    QCOMPARE(tab.itemRect(2), QRect(0, 72, 40, 33));
    tab.setVisibleFlag(false);
    QVERIFY(!tab.isVisibleFlag());
}

void TestTabWidget::designerSampleItems()
{
    RegisterControlType("qttab", createTab, true);
    QWidget page;
    QWidget *created = CreateElement(parse(R"({"type":"qttab","name":"tabs","attr":{}})"), &page);
    auto *tab = qobject_cast<TAVQTabWidget *>(created);
    QVERIFY(tab);

    // The copy below must see the flag, or it would start copies of its own.
    if (IsDesignerHostPath(QCoreApplication::applicationFilePath()))
        QVERIFY(IsDesignerHost());
    if (IsDesignerHost()) {
        QCOMPARE(itemsOf(*tab), QStringList({"item1", "item2", "item3"}));
        QCOMPARE(tab->currentIndex(), 0);
        // Each further call appends another three.
        tab->OnChildrenLoaded();
        QCOMPARE(tab->count(), 6);
        return;
    }
    QCOMPARE(tab->count(), 0);
    tab->OnChildrenLoaded();
    QCOMPARE(tab->count(), 0);

    // The flag comes from the executable's path: run a copy of this test from a
    // folder named like the designer and have it check the sample items.
    const DesignerHost::Run run = DesignerHost::runCopy(QStringLiteral("designerSampleItems"));
    const QByteArray &output = run.output;
    QVERIFY2(run.exitCode == 0, output.constData());
    QVERIFY2(output.contains("PASS   : TestTabWidget::designerSampleItems()"), output.constData());
}

void TestTabWidget::malformedPages()
{
    const QByteArray pages[] = {
        R"({"style":"bg","attr":[]})",
        R"({"style":[[1,0,0],["bg",0,"1"],"bg",null,["normal",0,[1]],[["bg"],0,0],[5]],
            "attr":{"itemSize":"80","itemSpace":"2","isHor":"no","showText":true}})",
        R"({"style":{"a":5},"attr":null})",
        R"({"attr":{"itemSize":2147483647,"itemSpace":2147483647}})",
        R"([1,2,3])",
        R"("just text")",
    };
    for (const QByteArray &json : pages) {
        const auto tab = load(json, QSize(120, 30), {"a", "b", "c"});
        if (tab->itemSize() == 50) {
            QCOMPARE(tab->itemSpace(), 0);
            QCOMPARE(tab->itemRect(1), QRect(50, 0, 50, 30));
        }
        QVERIFY(tab->isHorizontal());
        QVERIFY(tab->showText());
        QCOMPARE(tab->backgroundStyle().color, TAVQBoxStyle().color);
        moveMouse(tab.get(), QPoint(60, 10));
        QTest::mousePress(tab.get(), Qt::LeftButton, Qt::NoModifier, QPoint(60, 10));
        QVERIFY(!look(tab.get()).isNull());
    }
    // What JsonCpp converts is read: a missing slot is slot 0, reals truncate.
    const auto converted = load(R"({"style":[["bg"],["normal",0,1.5]],"attr":{"itemSpace":2.5,"isHor":0}})",
                                QSize(120, 30), {"a", "b"});
    QCOMPARE(converted->backgroundStyle().color, QColor(0xff101010));
    QCOMPARE(converted->itemSpace(), 2);
    QVERIFY(!converted->isHorizontal());
    // Huge sizes: items past the first lie far outside and are never hit.
    const auto huge = load(pages[3], QSize(120, 30), {"a", "b", "c"});
    QCOMPARE(huge->itemAt(QPoint(119, 10)), 0);
    QCOMPARE(huge->itemAt(QPoint(-5, 10)), -1);
}

void TestTabWidget::propertiesReachTheAccessors_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<int>("notified");
    QTest::newRow("currentIndex") << QByteArray("currentIndex") << QVariant(2) << 1;
    QTest::newRow("horizontal") << QByteArray("horizontal") << QVariant(false) << 0;
    QTest::newRow("itemSize") << QByteArray("itemSize") << QVariant(70) << 0;
    QTest::newRow("itemSpace") << QByteArray("itemSpace") << QVariant(3) << 0;
    QTest::newRow("showText") << QByteArray("showText") << QVariant(false) << 0;
}

void TestTabWidget::propertiesReachTheAccessors()
{
    QFETCH(QByteArray, name);
    QFETCH(QVariant, value);
    QFETCH(int, notified);
    const auto tab = load("{}", QSize(200, 30), {"a", "b", "c"});
    QSignalSpy changed(tab.get(), &TAVQTabWidget::currentChanged);
    QVERIFY(tab->property(name) != value);
    QVERIFY(tab->setProperty(name, value));
    QCOMPARE(tab->property(name), value);
    QCOMPARE(changed.count(), notified);
    const QMetaProperty property = tab->metaObject()->property(tab->metaObject()->indexOfProperty(name));
    QCOMPARE(property.hasNotifySignal(), notified != 0);
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    // A copy started from a designer-named folder turns the flag on like the application does.
    if (IsDesignerHostPath(QCoreApplication::applicationFilePath()))
        InitRuntime();
    TestTabWidget test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_tabwidget.moc"
