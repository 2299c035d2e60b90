#include "controls/tavqmenu.h"
#include "base/tavqjson_p.h"
#include "core/tavqpagebuilder.h"
#include "core/tavqruntime.h"
#include "lookpicture.h"
#include "testjson.h"
#include "widgetlook.h"

#include <QImage>
#include <QPainter>
#include <QPicture>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>
#include <memory>

using namespace TAVQtLib;

namespace {

const QRgb Back = 0xFF203040;
const QRgb ItemX = 0xFF406080;
const QRgb ItemY = 0xFFA06020;
const QRgb ItemZ = 0xFF20A060;
const QRgb Mark = 0xFFCCCCCC;

TAVQBoxStyle fill(QRgb colour)
{
    TAVQBoxStyle box;
    box.color = QColor::fromRgba(colour);
    box.endColor = box.color;
    return box;
}

TAVQFontStyle font(int size)
{
    TAVQFontStyle style;
    style.family = QStringLiteral("WenQuanYi Micro Hei");
    style.size = size;
    style.color = QColor(255, 255, 255);
    return style;
}

void moveTo(QWidget *widget, const QPoint &pos)
{
    QMouseEvent event(QEvent::MouseMove, pos, widget->mapToGlobal(pos), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

void mouse(QWidget *widget, QEvent::Type type, const QPoint &pos)
{
    const Qt::MouseButtons buttons = type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton;
    QMouseEvent event(type, pos, widget->mapToGlobal(pos), Qt::LeftButton, buttons, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

// The colour most of the rectangle's left column has: glyphs never reach it.
QRgb edgeColour(const QImage &image, const QRect &r)
{
    return image.pixel(r.left() + 1, r.top() + 1);
}

// Bytes of what `impl` records drawing `widget` with the painter clipped to `clip`.
int recordedBytes(TAVQControlBaseImpl *impl, const QWidget &widget, const QRect &clip)
{
    QPicture picture;
    QPainter painter(&picture);
    painter.setClipRect(clip);
    impl->Draw(&painter, widget.rect());
    painter.end();
    return int(picture.size());
}

} // namespace

class TestMenu : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void defaults();
    void styleKeysNeedABackground();
    void itemZeroFillsEveryState();
    void fontKeys();
    void unknownNamesKeepTheDefaults();
    void itemsAndSubMenus();
    void itemCountsAreBounded_data();
    void itemCountsAreBounded();
    void subMenusInheritTheLook();
    void paintingCostsTheShownItems_data();
    void paintingCostsTheShownItems();
    void paintsBackgroundItemsAndSubMenuMark();
    void hoverFollowsTheMouseAndResetsOnHide();
    void separatorsAreNeverHighlighted();

    void loadMenuFromDisk();
    void malformedMenuFiles();

    void menuBarDefaults();
    void menuBarFromAMenuFile();
    void menuBarTracksHoverAndPress();
    void menuBarIgnoresPageStyles();

private:
    QString writeFile(const QString &name, const QByteArray &data);
    QTemporaryDir m_dir;
};

void TestMenu::initTestCase()
{
    QVERIFY(m_dir.isValid());
    SetBoxStyle("mBack", fill(Back));
    SetBoxStyle("mX", fill(ItemX));
    SetBoxStyle("mY", fill(ItemY));
    SetBoxStyle("mZ", fill(ItemZ));
    SetFontStyle("mSmall", font(10));
    SetFontStyle("mBig", font(20));
}

QString TestMenu::writeFile(const QString &name, const QByteArray &data)
{
    const QString path = m_dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

void TestMenu::defaults()
{
    TAVQMenu menu;
    QCOMPARE(menu.GetTypeName(), QStringLiteral("qtmenu"));
    QVERIFY(menu.windowFlags() & Qt::FramelessWindowHint);
    QVERIFY(menu.testAttribute(Qt::WA_TranslucentBackground));
    QVERIFY(menu.inherits("TAVQtLib::TAVQMenu"));
    QCOMPARE(menu.hoverIndex(), -1);
    QCOMPARE(menu.background().color, TAVQBoxStyle().color);
    QCOMPARE(menu.itemFont(3).size, TAVQFontStyle().size);

    menu.setItemBox(2, fill(ItemY));
    menu.setItemBox(4, fill(ItemZ)); // menus take 0 to 3 only
    menu.setItemBox(-1, fill(ItemZ));
    QCOMPARE(menu.itemBox(2).color.rgba(), ItemY);
    QCOMPARE(menu.itemBox(0).color, TAVQBoxStyle().color);
    QCOMPARE(menu.itemBox(3).color, TAVQBoxStyle().color);
    menu.setItemFont(0, font(30));
    QCOMPARE(menu.itemFont(0).size, 30);
    QCOMPARE(menu.itemFont(1).size, TAVQFontStyle().size);
}

void TestMenu::styleKeysNeedABackground()
{
    TAVQMenu menu;
    QVERIFY(menu.LoadFromJson(parse(R"({"item0":"mX","item2":"mY","text0":"mBig"})")));
    for (int state = 0; state < 4; ++state) {
        QCOMPARE(menu.itemBox(state).color, TAVQBoxStyle().color);
        QCOMPARE(menu.itemFont(state).size, TAVQFontStyle().size);
    }
    QCOMPARE(menu.background().color, TAVQBoxStyle().color);

    // The key only has to be there: an unknown name still lets the others load.
    TAVQMenu unresolved;
    unresolved.LoadFromJson(parse(R"({"background":"nope","item0":"mX"})"));
    QCOMPARE(unresolved.background().color, TAVQBoxStyle().color);
    QCOMPARE(unresolved.itemBox(3).color.rgba(), ItemX);
}

void TestMenu::itemZeroFillsEveryState()
{
    TAVQMenu menu;
    menu.LoadFromJson(parse(R"({"background":"mBack","item0":"mX","item1":"mY"})"));
    QCOMPARE(menu.background().color.rgba(), Back);
    QCOMPARE(menu.itemBox(0).color.rgba(), ItemX);
    QCOMPARE(menu.itemBox(1).color.rgba(), ItemY);
    QCOMPARE(menu.itemBox(2).color.rgba(), ItemX);
    QCOMPARE(menu.itemBox(3).color.rgba(), ItemX);

    // Key order in the file does not matter: item0 is applied before the others.
    TAVQMenu reordered;
    reordered.LoadFromJson(parse(R"({"item3":"mZ","item0":"mX","background":"mBack"})"));
    QCOMPARE(reordered.itemBox(0).color.rgba(), ItemX);
    QCOMPARE(reordered.itemBox(1).color.rgba(), ItemX);
    QCOMPARE(reordered.itemBox(3).color.rgba(), ItemZ);
}

void TestMenu::fontKeys()
{
    TAVQMenu menu;
    menu.LoadFromJson(parse(R"({"background":"mBack","text0":"mSmall","text2":"mBig"})"));
    QCOMPARE(menu.itemFont(0).size, 10);
    QCOMPARE(menu.itemFont(1).size, 10);
    QCOMPARE(menu.itemFont(2).size, 20);
    QCOMPARE(menu.itemFont(3).size, 10);
    QCOMPARE(menu.itemBox(0).color, TAVQBoxStyle().color);
}

void TestMenu::unknownNamesKeepTheDefaults()
{
    TAVQMenu menu;
    menu.setItemBox(1, fill(ItemZ));
    menu.LoadFromJson(parse(R"({"background":"mBack","item0":"none","item1":"","text1":"mX","item2":7})"));
    QCOMPARE(menu.itemBox(0).color, TAVQBoxStyle().color);
    QCOMPARE(menu.itemBox(1).color.rgba(), ItemZ);
    QCOMPARE(menu.itemBox(2).color, TAVQBoxStyle().color);
    QCOMPARE(menu.itemFont(1).size, TAVQFontStyle().size); // a box name is no font
}

void TestMenu::itemsAndSubMenus()
{
    TAVQMenu menu;
    menu.LoadFromJson(parse(R"({"items":[{"text":"Open"},
        {"text":"Recent","items":[{"text":"a.txt"},{"text":"More","items":[{"text":"b.txt"}]}]},
        {"text":"Empty","items":[]},{"text":"\u6587"}]})"));
    const QList<QAction *> actions = menu.actions();
    QCOMPARE(actions.size(), 4);
    QCOMPARE(actions.at(0)->text(), QStringLiteral("Open"));
    QVERIFY(!actions.at(0)->menu());
    QMenu *recent = actions.at(1)->menu();
    QVERIFY(qobject_cast<TAVQMenu *>(recent));
    QCOMPARE(recent->title(), QStringLiteral("Recent"));
    QCOMPARE(recent->parent(), &menu);
    QCOMPARE(recent->actions().size(), 2);
    QCOMPARE(recent->actions().at(0)->text(), QStringLiteral("a.txt"));
    QMenu *more = recent->actions().at(1)->menu();
    QVERIFY(qobject_cast<TAVQMenu *>(more));
    QCOMPARE(more->actions().size(), 1);
    QCOMPARE(more->actions().at(0)->text(), QStringLiteral("b.txt"));
    QMenu *empty = actions.at(2)->menu();
    QVERIFY(qobject_cast<TAVQMenu *>(empty));
    QCOMPARE(empty->actions().size(), 0);
    // Menu texts are UTF-8, unlike page texts.
    QCOMPARE(actions.at(3)->text(), QString(QChar(0x6587)));
}

void TestMenu::itemCountsAreBounded_data()
{
    QTest::addColumn<int>("subMenus");
    QTest::addColumn<int>("itemsEach");
    QTest::addColumn<int>("items");
    QTest::newRow("one menu") << 0 << 100000 << Limits::MaxChildElements;
    // Each sub-menu counts as an item, and so do its own items.
    QTest::newRow("one file") << 3 << 4000 << Limits::MaxPageElements;
}

void TestMenu::itemCountsAreBounded()
{
    QFETCH(int, subMenus);
    QFETCH(int, itemsEach);
    QFETCH(int, items);
    QByteArrayList plain;
    for (int i = 0; i < itemsEach; ++i)
        plain << R"({"text":"i"})";
    QByteArrayList top;
    for (int i = 0; i < subMenus; ++i)
        top << R"({"text":"s","items":[)" + plain.join(',') + "]}";
    TAVQMenu menu;
    menu.LoadFromJson(parse("{\"items\":[" + (subMenus ? top : plain).join(',') + "]}"));
    int made = menu.actions().size();
    for (const TAVQMenu *subMenu : menu.findChildren<TAVQMenu *>())
        made += subMenu->actions().size();
    QCOMPARE(made, items);
}

void TestMenu::paintingCostsTheShownItems_data()
{
    QTest::addColumn<bool>("bar");
    QTest::newRow("menu") << false;
    QTest::newRow("menu bar") << true;
}

// Items outside the clip are not drawn: a clip on the first item records what
// a one-item menu records.
void TestMenu::paintingCostsTheShownItems()
{
    QFETCH(bool, bar);
    int bytes[2] = {};
    for (const int count : {1, 300}) {
        TAVQMenu menu;
        TAVQMenuBar menuBar;
        menuBar.resize(count * 60, 30);
        menu.LoadFromJson(parse(R"({"background":"mBack","item0":"mX","text0":"mSmall"})"));
        menuBar.setItemBox(0, fill(ItemX));
        for (int i = 0; i < count; ++i)
            bar ? menuBar.addAction(QStringLiteral("x")) : menu.addAction(QStringLiteral("x"));
        QWidget &widget = bar ? static_cast<QWidget &>(menuBar) : menu;
        const QRect first = bar ? menuBar.actionGeometry(menuBar.actions().at(0))
                                : menu.actionGeometry(menu.actions().at(0));
        QVERIFY(!first.isEmpty());
        TAVQControlBaseImpl *impl = bar ? menuBar.GetImpl() : menu.GetImpl();
        bytes[count > 1] = recordedBytes(impl, widget, first);
    }
    QVERIFY(bytes[0] > 0);
    QCOMPARE(bytes[1], bytes[0]);
}

void TestMenu::subMenusInheritTheLook()
{
    TAVQMenu menu;
    menu.LoadFromJson(parse(R"({"background":"mBack","item0":"mX","item1":"mY","text0":"mSmall","text3":"mBig",
        "items":[{"text":"A","items":[{"text":"B","items":[{"text":"C"}]}]}]})"));
    auto *sub = qobject_cast<TAVQMenu *>(menu.actions().at(0)->menu());
    QVERIFY(sub);
    auto *subSub = qobject_cast<TAVQMenu *>(sub->actions().at(0)->menu());
    QVERIFY(subSub);
    for (const TAVQMenu *m : {sub, subSub}) {
        QCOMPARE(m->background().color.rgba(), Back);
        QCOMPARE(m->itemBox(0).color.rgba(), ItemX);
        QCOMPARE(m->itemBox(1).color.rgba(), ItemY);
        QCOMPARE(m->itemBox(2).color.rgba(), ItemX);
        QCOMPARE(m->itemFont(0).size, 10);
        QCOMPARE(m->itemFont(3).size, 20);
        QVERIFY(m->windowFlags() & Qt::FramelessWindowHint);
    }
}

void TestMenu::paintsBackgroundItemsAndSubMenuMark()
{
    TAVQMenu menu;
    menu.LoadFromJson(parse(R"({"background":"mBack","item0":"mX","item1":"mY","text0":"mSmall",
        "items":[{"text":"Plain"},{"text":"Sub","items":[{"text":"x"}]}]})"));
    menu.setContentsMargins(4, 4, 4, 4);
    menu.popup(QPoint(0, 0));
    QVERIFY(menu.isVisible());
    const QImage image = look(&menu);
    saveLookPicture(image, QStringLiteral("menu_closed.png"));
    const QRect plain = menu.actionGeometry(menu.actions().at(0));
    const QRect sub = menu.actionGeometry(menu.actions().at(1));
    QVERIFY(plain.width() > 10 && sub.height() > 10);
    QCOMPARE(edgeColour(image, plain), ItemX);
    QCOMPARE(edgeColour(image, sub), ItemX);
    // The menu's margin, outside every item, shows the background.
    QVERIFY(menu.rect().contains(plain) && !plain.contains(QPoint(0, 0)));
    QCOMPARE(image.pixel(0, 0), Back);

    // The sub-menu mark: a grey triangle at the item's right end, none on plain items.
    const int right = sub.left() + sub.width() - 1;
    const int middle = sub.top() + sub.height() / 2;
    QCOMPARE(image.pixel(right - 5, middle), Mark);
    QCOMPARE(image.pixel(right - 6, middle - 3), Mark);
    QCOMPARE(image.pixel(right - 6, middle + 3), Mark);
    QCOMPARE(image.pixel(right - 1, middle), ItemX);
    QCOMPARE(image.pixel(right - 8, middle), ItemX);
    const int plainRight = plain.left() + plain.width() - 1;
    QCOMPARE(image.pixel(plainRight - 5, plain.top() + plain.height() / 2), ItemX);
    menu.hide();
}

void TestMenu::hoverFollowsTheMouseAndResetsOnHide()
{
    TAVQMenu menu;
    menu.LoadFromJson(parse(R"({"background":"mBack","item0":"mX","item1":"mY",
        "items":[{"text":"One"},{"text":"Two"},{"text":"Three"}]})"));
    menu.setContentsMargins(4, 4, 4, 4);
    menu.popup(QPoint(0, 0));
    const QRect two = menu.actionGeometry(menu.actions().at(1));
    const QRect three = menu.actionGeometry(menu.actions().at(2));

    moveTo(&menu, two.center());
    QCOMPARE(menu.hoverIndex(), 1);
    QImage image = look(&menu);
    saveLookPicture(image, QStringLiteral("menu_hover.png"));
    QCOMPARE(edgeColour(image, two), ItemY);
    QCOMPARE(edgeColour(image, three), ItemX);

    moveTo(&menu, three.center());
    QCOMPARE(menu.hoverIndex(), 2);
    image = look(&menu);
    QCOMPARE(edgeColour(image, two), ItemX);
    QCOMPARE(edgeColour(image, three), ItemY);

    // Off every item (the margin) the last one stays.
    moveTo(&menu, QPoint(0, 0));
    QCOMPARE(menu.hoverIndex(), 2);

    menu.hide();
    QCOMPARE(menu.hoverIndex(), -1);
    menu.popup(QPoint(0, 0));
    image = look(&menu);
    QCOMPARE(edgeColour(image, two), ItemX);
    QCOMPARE(edgeColour(image, three), ItemX);
    menu.hide();
}

void TestMenu::separatorsAreNeverHighlighted()
{
    TAVQMenu menu;
    menu.LoadFromJson(parse(R"({"background":"mBack","item0":"mX","item1":"mY","items":[{"text":"One"}]})"));
    QAction *separator = menu.addSeparator();
    menu.addAction(QStringLiteral("Two"));
    menu.popup(QPoint(0, 0));
    const QRect line = menu.actionGeometry(separator);
    QVERIFY(line.height() > 0);

    moveTo(&menu, line.center());
    QCOMPARE(menu.hoverIndex(), 1);
    const QImage image = look(&menu);
    QCOMPARE(image.pixel(line.center()), ItemX);
    QCOMPARE(edgeColour(image, line), ItemX);
    menu.hide();
}

void TestMenu::loadMenuFromDisk()
{
    const QString path = writeFile(QStringLiteral("file.menu.json"),
        R"({"background":"mBack","item0":"mZ","items":[{"text":"New"},{"text":"Export","items":[{"text":"PNG"}]}]})");
    QWidget owner;
    TAVQMenu *menu = LoadMenu(&owner, path);
    QVERIFY(menu);
    QCOMPARE(menu->parent(), &owner);
    QCOMPARE(menu->actions().size(), 2);
    QCOMPARE(menu->itemBox(1).color.rgba(), ItemZ);
    auto *sub = qobject_cast<TAVQMenu *>(menu->actions().at(1)->menu());
    QVERIFY(sub);
    QCOMPARE(sub->itemBox(0).color.rgba(), ItemZ);

    // Shown with the usual menu calls; its actions still trigger.
    QSignalSpy triggered(menu->actions().at(0), &QAction::triggered);
    menu->actions().at(0)->trigger();
    QCOMPARE(triggered.count(), 1);
}

void TestMenu::malformedMenuFiles()
{
    QWidget owner;
    QVERIFY(!LoadMenu(&owner, m_dir.filePath(QStringLiteral("missing.json"))));
    QVERIFY(!LoadMenu(&owner, QString()));
    QVERIFY(!LoadMenu(&owner, writeFile(QStringLiteral("empty.json"), QByteArray())));
    QVERIFY(!LoadMenu(&owner, writeFile(QStringLiteral("broken.json"), R"({"items":[{"text":"a"})")));
    QVERIFY(!LoadMenu(&owner, writeFile(QStringLiteral("binary.json"), QByteArray("\x00\xff\x13", 3))));

    TAVQMenu *array = LoadMenu(&owner, writeFile(QStringLiteral("array.json"), "[1,2,3]"));
    QVERIFY(array);
    QCOMPARE(array->actions().size(), 0);

    TAVQMenu *odd = LoadMenu(&owner, writeFile(QStringLiteral("odd.json"),
        R"({"background":5,"item0":[],"text0":{},"items":[1,"x",null,{"text":[5]},{"text":5},
            {"text":"plain","items":{"text":"y"}},{"items":[{"text":"deep"}]},[{"text":"nested array"}]]})"));
    QVERIFY(odd);
    const QList<QAction *> actions = odd->actions();
    QCOMPARE(actions.size(), 4);
    QCOMPARE(actions.at(0)->text(), QString());
    QCOMPARE(actions.at(1)->text(), QStringLiteral("5"));   // a number is the text asString gives it
    QCOMPARE(actions.at(2)->text(), QStringLiteral("plain"));
    QVERIFY(!actions.at(2)->menu());
    QVERIFY(actions.at(3)->menu());
    QCOMPARE(odd->itemBox(0).color, TAVQBoxStyle().color);

    TAVQMenu *notArray = LoadMenu(&owner, writeFile(QStringLiteral("items.json"), R"({"items":{"text":"a"}})"));
    QVERIFY(notArray);
    QCOMPARE(notArray->actions().size(), 0);

    // Absurdly deep nesting is cut off rather than exhausting the stack.
    QByteArray deep = "{\"items\":";
    for (int i = 0; i < 400; ++i)
        deep += "[{\"text\":\"d\",\"items\":";
    deep += "[]";
    for (int i = 0; i < 400; ++i)
        deep += "}]";
    deep += "}";
    Json::Value root;
    if (JsonRead::parseDocument(deep.constData(), deep.constData() + deep.size(), &root)) {
        TAVQMenu *tower = LoadMenu(&owner, writeFile(QStringLiteral("deep.json"), deep));
        QVERIFY(tower);
        int depth = 0;
        for (QMenu *m = tower; m && !m->actions().isEmpty(); m = m->actions().at(0)->menu())
            ++depth;
        QVERIFY(depth > 0 && depth <= MaxElementDepth + 2);
    }

    // Painting and hovering a malformed menu is safe too.
    odd->popup(QPoint(0, 0));
    moveTo(odd, odd->actionGeometry(actions.at(1)).center());
    look(odd);
    odd->hide();
}

void TestMenu::menuBarDefaults()
{
    TAVQMenuBar bar;
    QCOMPARE(bar.GetTypeName(), QStringLiteral("qtmenubar"));
    QVERIFY(bar.testAttribute(Qt::WA_MouseTracking));
    QCOMPARE(bar.hoverIndex(), -1);
    QCOMPARE(bar.pressedIndex(), -1);

    bar.setItemBox(4, fill(ItemX));
    for (int state = 0; state < 4; ++state)
        QCOMPARE(bar.itemBox(state).color.rgba(), ItemX);
    bar.setItemBox(1, fill(ItemY));
    bar.setItemBox(5, fill(ItemZ));
    QCOMPARE(bar.itemBox(0).color.rgba(), ItemX);
    QCOMPARE(bar.itemBox(1).color.rgba(), ItemY);
    QCOMPARE(bar.itemBox(2).color.rgba(), ItemX);
    bar.setItemFont(4, font(16));
    bar.setItemFont(2, font(18));
    QCOMPARE(bar.itemFont(3).size, 16);
    QCOMPARE(bar.itemFont(2).size, 18);
}

void TestMenu::menuBarFromAMenuFile()
{
    const QString path = writeFile(QStringLiteral("bar.menu.json"),
        R"({"background":"mBack","item0":"mX","item1":"mY","items":[{"text":"Open"},{"text":"Close"}]})");
    QWidget window;
    window.resize(300, 200);
    TAVQMenuBar bar(&window);
    bar.setItemBox(4, fill(ItemZ));
    bar.setItemFont(4, font(12));
    TAVQMenu *file = LoadMenu(&bar, path);
    QVERIFY(file);
    file->setTitle(QStringLiteral("File"));
    bar.addMenu(file);
    bar.addAction(QStringLiteral("Help"));
    bar.setGeometry(0, 0, 300, 30);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    QCOMPARE(bar.actions().size(), 2);
    QCOMPARE(bar.actions().at(0)->menu(), file);
    const QRect fileRect = bar.actionGeometry(bar.actions().at(0));
    const QRect helpRect = bar.actionGeometry(bar.actions().at(1));
    QVERIFY(!fileRect.isEmpty() && !helpRect.isEmpty());
    const QImage image = look(&bar);
    saveLookPicture(image, QStringLiteral("menubar.png"));
    QCOMPARE(edgeColour(image, fileRect), ItemZ);
    QCOMPARE(edgeColour(image, helpRect), ItemZ);

    // Open the menu and look at it.
    file->popup(bar.mapToGlobal(fileRect.bottomLeft()));
    moveTo(file, file->actionGeometry(file->actions().at(1)).center());
    const QImage open = look(file);
    saveLookPicture(open, QStringLiteral("menu_open.png"));
    QCOMPARE(edgeColour(open, file->actionGeometry(file->actions().at(1))), ItemY);
    QCOMPARE(edgeColour(open, file->actionGeometry(file->actions().at(0))), ItemX);
    file->hide();
    QCOMPARE(file->hoverIndex(), -1);
}

void TestMenu::menuBarTracksHoverAndPress()
{
    QWidget window;
    window.resize(300, 200);
    TAVQMenuBar bar(&window);
    bar.setItemBox(0, fill(ItemX));
    bar.setItemBox(1, fill(ItemY));
    bar.setItemBox(2, fill(ItemZ));
    bar.setItemBox(3, fill(Back));
    bar.addAction(QStringLiteral("One"));
    bar.addAction(QStringLiteral("Two"));
    bar.setGeometry(0, 0, 300, 30);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QRect one = bar.actionGeometry(bar.actions().at(0));
    const QRect two = bar.actionGeometry(bar.actions().at(1));

    moveTo(&bar, two.center());
    QCOMPARE(bar.hoverIndex(), 1);
    QImage image = look(&bar);
    QCOMPARE(edgeColour(image, one), ItemX);
    QCOMPARE(edgeColour(image, two), ItemY);

    // Outside every action the hover stays.
    moveTo(&bar, QPoint(290, 15));
    QCOMPARE(bar.hoverIndex(), 1);

    mouse(&bar, QEvent::MouseButtonPress, one.center());
    QCOMPARE(bar.pressedIndex(), 0);
    image = look(&bar);
    QCOMPARE(edgeColour(image, one), ItemZ);
    QCOMPARE(edgeColour(image, two), ItemY);
    mouse(&bar, QEvent::MouseButtonRelease, one.center());
    QCOMPARE(bar.pressedIndex(), -1);

    // A press beside the actions leaves the pressed index alone.
    mouse(&bar, QEvent::MouseButtonPress, QPoint(290, 15));
    QCOMPARE(bar.pressedIndex(), -1);
    mouse(&bar, QEvent::MouseButtonRelease, QPoint(290, 15));

    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&bar, &leave);
    QCOMPARE(bar.hoverIndex(), -1);
    image = look(&bar);
    QCOMPARE(edgeColour(image, one), ItemX);
    QCOMPARE(edgeColour(image, two), ItemX);

    // Disabled actions still paint as normal: state 3 is never drawn.
    bar.actions().at(0)->setEnabled(false);
    QCOMPARE(edgeColour(look(&bar), one), ItemX);
}

void TestMenu::menuBarIgnoresPageStyles()
{
    TAVQMenuBar bar;
    bar.setItemBox(1, fill(ItemY));
    QVERIFY(bar.LoadFromJson(parse(R"({"style":[["mX",0,0],["mZ",0,1],["mBig",0,4]],
        "attr":{"item0":"mX","background":"mBack","flag":true}})")));
    QCOMPARE(bar.itemBox(0).color, TAVQBoxStyle().color);
    QCOMPARE(bar.itemBox(1).color.rgba(), ItemY);
    QCOMPARE(bar.itemFont(0).size, TAVQFontStyle().size);
    QCOMPARE(bar.GetImpl()->attrs().count("flag"), size_t(1));
    QVERIFY(bar.LoadFromJson(parse("[1]")));
}

QTEST_MAIN(TestMenu)
#include "tst_menu.moc"
