#include "controls/tavqcontrols.h"
#include "controls/tavqpushbutton.h"
#include "base/tavqjson_p.h"
#include "base/tavqtextcodec.h"
#include "core/tavqfocusframe.h"
#include "core/tavqpagebuilder.h"
#include "core/tavqregistry.h"
#include "core/tavqwindow.h"
#include "resources/tavqresourcemanager.h"
#include "testjson.h"
#include "widgetlook.h"

#include <QEnterEvent>
#include <QImage>
#include <QPainter>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>
#include <memory>

using namespace TAVQtLib;

namespace {

const QRgb NormalFill = 0xFFF5F5F5;
const QRgb HoverFill = 0xFFEDFBFF;
const QRgb Frame = 0xFFCCCCCC;
const QRgb BoxX = 0xFF102030;
const QRgb BoxY = 0xFF405060;
const QRgb BoxZ = 0xFF708090;
const QRgb IconGreen = 0xFF00FF00;
const QRgb HotRed = 0xFFFF0000;
const QRgb TextRed = 0xFFFF0000;

bool writeIcon(const QString &path, QRgb colour, int size)
{
    QImage icon(size, size, QImage::Format_ARGB32);
    icon.fill(colour);
    return icon.save(path);
}

// Glyph pixels: neither of the two fills, nor the frame.
QRect inkBounds(const QImage &image, QRgb fill)
{
    return boundsOf(image, [fill](QRgb pixel) { return pixel != fill && pixel != Frame; });
}

void enter(QWidget *widget)
{
    QEnterEvent event(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(widget, &event);
}

void leave(QWidget *widget)
{
    QEvent event(QEvent::Leave);
    QApplication::sendEvent(widget, &event);
}

QWidget *createButton()
{
    return new TAVQPushButton;
}

} // namespace

class TestPushButton : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void defaults();
    void unstyledLookFollowsTheMouse();
    void disabledUsesStateThreeRegardlessOfTheMouse();
    void unstyledTextIsCentred();

    void slotZeroFillsEveryStateAndLaterSlotsReplaceOne();
    void laterSlotZeroWipesEarlierHover();
    void unknownAndEmptyStyleNames();
    void fontSlots();

    void hotIconOnlyWhileHovered();
    void hotIconReplacesIconWhileHovered();
    void iconPlacementFromAttributes();
    void iconIsDrawnAboveText();
    void showTextFalseHidesTextButKeepsIt();
    void textOffsets();
    void textAttribute();

    void programmingInterface();
    void iconPathSettersRepaintOnlyOnChange();
    void clickStillWorks();
    void malformedElements();
    void createdThroughTheRegistry();
    void returnPressesOnlyTheDefault_data();
    void returnPressesOnlyTheDefault();
    void focusFrameOnlyAfterKeys();

private:
    std::unique_ptr<TAVQPushButton> load(const QByteArray &json, const QSize &size = QSize(100, 40));

    QTemporaryDir m_dir;
};

void TestPushButton::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QFile sheet(m_dir.filePath(QStringLiteral("style.json")));
    QVERIFY(sheet.open(QIODevice::WriteOnly));
    sheet.write(R"({"style":[
        {"type":1,"name":"x","drawImg":false,"clr":"ff102030"},
        {"type":1,"name":"y","drawImg":false,"clr":"ff405060"},
        {"type":1,"name":"z","drawImg":false,"clr":"ff708090"},
        {"type":2,"name":"red","size":20,"clr":"ff0000","family":"WenQuanYi Micro Hei"},
        {"type":2,"name":"blue","size":20,"clr":"0000ff","family":"WenQuanYi Micro Hei"},
        {"type":2,"name":"topLeft","size":12,"clr":"ff0000","hor":0,"ver":0,"family":"WenQuanYi Micro Hei"}
    ]})");
    sheet.close();
    QVERIFY(writeIcon(m_dir.filePath(QStringLiteral("icon.png")), IconGreen, 10));
    QVERIFY(writeIcon(m_dir.filePath(QStringLiteral("hot.png")), HotRed, 10));
    QVERIFY(TAVQResourceManager::instance().loadStyleFolder(m_dir.path()));
}

std::unique_ptr<TAVQPushButton> TestPushButton::load(const QByteArray &json, const QSize &size)
{
    auto button = std::make_unique<TAVQPushButton>();
    button->LoadFromJson(parse(json));
    button->resize(size);
    return button;
}

void TestPushButton::defaults()
{
    TAVQPushButton button;
    QCOMPARE(button.GetTypeName(), QStringLiteral("qtbutton"));
    QVERIFY(button.hasMouseTracking());
    QVERIFY(button.text().isEmpty());
    QVERIFY(button.hasIcon());
    QVERIFY(button.showText());
    QCOMPARE(button.iconPlacement().alignH, 1);
    QCOMPARE(button.iconPlacement().alignV, 1);
    QCOMPARE(button.iconPlacement().offsetX, 0);
    QCOMPARE(button.iconPlacement().offsetY, 0);
    QCOMPARE(button.textX(), 0);
    QCOMPARE(button.textY(), 0);

    const QRgb fills[] = {NormalFill, HoverFill, NormalFill};
    for (int state = 0; state < 3; ++state) {
        const TAVQBoxStyle &box = button.boxStyle(state);
        QCOMPARE(box.color.rgba(), fills[state]);
        QCOMPARE(box.borderColor.rgba(), Frame);
        QCOMPARE(box.borderSize, 1);
        QVERIFY(box.border && box.leftBorder && box.topBorder && box.rightBorder && box.bottomBorder);
        QVERIFY(box.visible && box.useColor && !box.gradient);
        QCOMPARE(box.round, 0);
    }
    const TAVQBoxStyle &disabled = button.boxStyle(3);
    QCOMPARE(disabled.color.rgba(), 0xFFFFFFFFu);
    QCOMPARE(disabled.borderColor.rgba(), qRgb(128, 128, 128));
    QCOMPARE(disabled.borderSize, 0);
    QVERIFY(disabled.border);

    for (int state = 0; state < 4; ++state) {
        QCOMPARE(button.fontStyle(state).hor, 1);
        QCOMPARE(button.fontStyle(state).ver, 1);
        QCOMPARE(button.fontStyle(state).size, 12);
    }
}

void TestPushButton::unstyledLookFollowsTheMouse()
{
    TAVQPushButton button;
    button.resize(100, 40);

    QImage image = look(&button);
    QCOMPARE(image.pixel(50, 20), NormalFill);
    QCOMPARE(image.pixel(1, 1), NormalFill);
    QCOMPARE(image.pixel(98, 38), NormalFill);
    // A 1-pixel frame on every edge.
    for (const QPoint &edge : {QPoint(0, 20), QPoint(99, 20), QPoint(50, 0), QPoint(50, 39)})
        QCOMPARE(image.pixel(edge), Frame);

    enter(&button);
    QCOMPARE(button.GetImpl()->state(), int(StateHover));
    image = look(&button);
    QCOMPARE(image.pixel(50, 20), HoverFill);
    QCOMPARE(image.pixel(0, 20), Frame);

    QTest::mousePress(&button, Qt::LeftButton, Qt::NoModifier, QPoint(50, 20));
    QCOMPARE(button.GetImpl()->state(), int(StatePressed));
    QCOMPARE(look(&button).pixel(50, 20), NormalFill);

    // Release inside the button still goes back to normal, not hover.
    QTest::mouseRelease(&button, Qt::LeftButton, Qt::NoModifier, QPoint(50, 20));
    QCOMPARE(button.GetImpl()->state(), int(StateNormal));
    QCOMPARE(look(&button).pixel(50, 20), NormalFill);

    enter(&button);
    leave(&button);
    QCOMPARE(button.GetImpl()->state(), int(StateNormal));
    QCOMPARE(look(&button).pixel(50, 20), NormalFill);
}

void TestPushButton::disabledUsesStateThreeRegardlessOfTheMouse()
{
    TAVQPushButton button;
    button.resize(100, 40);
    button.setEnabled(false);
    enter(&button);

    QImage image = look(&button);
    QCOMPARE(button.GetImpl()->state(), int(StateDisabled));
    QCOMPARE(image.pixel(50, 20), 0xFFFFFFFFu);
    // Border width 0: no frame at all.
    QCOMPARE(image.pixel(0, 20), 0xFFFFFFFFu);
    QCOMPARE(image.pixel(50, 0), 0xFFFFFFFFu);

    leave(&button);
    QCOMPARE(button.GetImpl()->state(), int(StateDisabled));

    button.setEnabled(true);
    image = look(&button);
    QCOMPARE(button.GetImpl()->state(), int(StateNormal));
    QCOMPARE(image.pixel(50, 20), NormalFill);
}

void TestPushButton::unstyledTextIsCentred()
{
    TAVQPushButton button;
    button.resize(120, 40);
    button.setText(QStringLiteral("OK OK"));
    const QRect ink = inkBounds(look(&button), NormalFill);
    QVERIFY(!ink.isEmpty());
    const int leftGap = ink.left();
    const int rightGap = 119 - ink.right();
    QVERIFY2(qAbs(leftGap - rightGap) <= 2, qPrintable(QStringLiteral("ink %1..%2").arg(ink.left()).arg(ink.right())));
    const int topGap = ink.top();
    const int bottomGap = 39 - ink.bottom();
    QVERIFY2(qAbs(topGap - bottomGap) <= 3, qPrintable(QStringLiteral("ink %1..%2").arg(ink.top()).arg(ink.bottom())));
    // 12-pixel capitals stand at most 12 pixels high.
    QVERIFY(ink.height() <= 12);
    QVERIFY(ink.height() >= 6);
}

void TestPushButton::slotZeroFillsEveryStateAndLaterSlotsReplaceOne()
{
    auto button = load(R"({"style":[["x",0,0],["y",0,1],["z",0,3]]})");
    QCOMPARE(button->boxStyle(0).color.rgba(), BoxX);
    QCOMPARE(button->boxStyle(1).color.rgba(), BoxY);
    QCOMPARE(button->boxStyle(2).color.rgba(), BoxX);
    QCOMPARE(button->boxStyle(3).color.rgba(), BoxZ);

    QCOMPARE(look(button.get()).pixel(50, 20), BoxX);
    enter(button.get());
    QCOMPARE(look(button.get()).pixel(50, 20), BoxY);
    QTest::mousePress(button.get(), Qt::LeftButton, Qt::NoModifier, QPoint(50, 20));
    QCOMPARE(look(button.get()).pixel(50, 20), BoxX);
    QTest::mouseRelease(button.get(), Qt::LeftButton, Qt::NoModifier, QPoint(50, 20));
    button->setEnabled(false);
    QCOMPARE(look(button.get()).pixel(50, 20), BoxZ);
}

void TestPushButton::laterSlotZeroWipesEarlierHover()
{
    auto button = load(R"({"style":[["y",0,1],["x",0,0]]})");
    for (int state = 0; state < 4; ++state)
        QCOMPARE(button->boxStyle(state).color.rgba(), BoxX);
    enter(button.get());
    QCOMPARE(look(button.get()).pixel(50, 20), BoxX);

    // An object's entries are visited in key order: "a" before "b".
    auto keyed = load(R"({"style":{"b":["y",0,1],"a":["x",0,0]}})");
    QCOMPARE(keyed->boxStyle(0).color.rgba(), BoxX);
    QCOMPARE(keyed->boxStyle(1).color.rgba(), BoxY);
}

void TestPushButton::unknownAndEmptyStyleNames()
{
    auto unknown = load(R"({"style":[["nope",0,0],["missing",0,1],["nofont",0,4]]})");
    QCOMPARE(unknown->boxStyle(0).color.rgba(), NormalFill);
    QCOMPARE(unknown->boxStyle(1).color.rgba(), HoverFill);
    QCOMPARE(unknown->boxStyle(3).color.rgba(), 0xFFFFFFFFu);
    QCOMPARE(unknown->fontStyle(0).hor, 1);

    // "empty" paints no background in any state; the window shows through.
    auto empty = load(R"({"style":[["empty",0,0]]})");
    for (int state = 0; state < 4; ++state)
        QVERIFY(!empty->boxStyle(state).visible);
    const QRgb window = empty->palette().color(QPalette::Window).rgba();
    QCOMPARE(look(empty.get()).pixel(50, 20), window);
    QCOMPARE(look(empty.get()).pixel(0, 20), window);

    auto emptyHover = load(R"({"style":[["emptyRect",0,1]]})");
    QVERIFY(emptyHover->boxStyle(0).visible);
    QVERIFY(!emptyHover->boxStyle(1).visible);

    // Slots beyond 7 and negative ones are ignored.
    auto ignored = load(R"({"style":[["x",0,8],["x",0,-1]]})");
    QCOMPARE(ignored->boxStyle(0).color.rgba(), NormalFill);
}

void TestPushButton::fontSlots()
{
    auto button = load(R"({"style":[["red",0,4],["blue",0,5]],"attr":{"text":"HH"}})");
    QCOMPARE(button->fontStyle(0).size, 20);
    QCOMPARE(button->fontStyle(0).color.rgba(), TextRed);
    QCOMPARE(button->fontStyle(1).color.rgba(), 0xFF0000FFu);
    QCOMPARE(button->fontStyle(2).color.rgba(), TextRed);
    QCOMPARE(button->fontStyle(3).color.rgba(), TextRed);
    // A style from the sheet keeps its own alignment (left), not the button's default.
    QCOMPARE(button->fontStyle(0).hor, 0);

    QImage image = look(button.get());
    QVERIFY(!boundsOfColour(image, TextRed).isEmpty());
    QVERIFY(boundsOfColour(image, 0xFF0000FF).isEmpty());
    enter(button.get());
    image = look(button.get());
    QVERIFY(boundsOfColour(image, TextRed).isEmpty());
    QVERIFY(!boundsOfColour(image, 0xFF0000FF).isEmpty());
}

void TestPushButton::hotIconOnlyWhileHovered()
{
    auto button = load(R"({"attr":{"hotIconPath":"hot.png"}})");
    QCOMPARE(button->hotIconPath(), QStringLiteral("hot.png"));
    QVERIFY(button->iconPath().isEmpty());

    QVERIFY(boundsOfColour(look(button.get()), HotRed).isEmpty());
    enter(button.get());
    QCOMPARE(boundsOfColour(look(button.get()), HotRed), QRect(45, 15, 10, 10));
    leave(button.get());
    QVERIFY(boundsOfColour(look(button.get()), HotRed).isEmpty());
    enter(button.get());
    QTest::mousePress(button.get(), Qt::LeftButton, Qt::NoModifier, QPoint(50, 20));
    QVERIFY(boundsOfColour(look(button.get()), HotRed).isEmpty());
}

void TestPushButton::hotIconReplacesIconWhileHovered()
{
    auto button = load(R"({"attr":{"iconPath":"icon.png","hotIconPath":"hot.png"}})");
    QImage image = look(button.get());
    QCOMPARE(boundsOfColour(image, IconGreen), QRect(45, 15, 10, 10));
    QVERIFY(boundsOfColour(image, HotRed).isEmpty());

    enter(button.get());
    image = look(button.get());
    QVERIFY(boundsOfColour(image, IconGreen).isEmpty());
    QCOMPARE(boundsOfColour(image, HotRed), QRect(45, 15, 10, 10));

    button->setHasIcon(false);
    image = look(button.get());
    QVERIFY(boundsOfColour(image, HotRed).isEmpty());
    QVERIFY(boundsOfColour(image, IconGreen).isEmpty());

    auto hidden = load(R"({"attr":{"iconPath":"icon.png","hasIcon":false}})");
    QVERIFY(!hidden->hasIcon());
    QVERIFY(boundsOfColour(look(hidden.get()), IconGreen).isEmpty());
}

void TestPushButton::iconPlacementFromAttributes()
{
    auto button = load(R"({"attr":{"iconPath":"icon.png","iconHor":2,"iconVer":1,"iconX":-4}})");
    QCOMPARE(button->iconPlacement().alignH, 2);
    QCOMPARE(button->iconPlacement().alignV, 1);
    QCOMPARE(button->iconPlacement().offsetX, -4);
    // Right edge less 4, vertically centred.
    QCOMPARE(boundsOfColour(look(button.get()), IconGreen), QRect(100 - 10 - 4, 15, 10, 10));

    auto topLeft = load(R"({"attr":{"iconPath":"icon.png","iconHor":0,"iconVer":0,"iconX":3,"iconY":5}})");
    QCOMPARE(boundsOfColour(look(topLeft.get()), IconGreen), QRect(3, 5, 10, 10));

    auto bottom = load(R"({"attr":{"iconPath":"icon.png","iconVer":2,"iconY":-2}})");
    QCOMPARE(boundsOfColour(look(bottom.get()), IconGreen), QRect(45, 40 - 10 - 2, 10, 10));
}

void TestPushButton::iconIsDrawnAboveText()
{
    // Big red text under a centred icon: the icon's square stays whole.
    auto button = load(R"({"style":[["red",0,4]],"attr":{"text":"MMMMMMMM","iconPath":"icon.png","iconHor":0}})");
    const QImage image = look(button.get());
    QCOMPARE(boundsOfColour(image, IconGreen), QRect(0, 15, 10, 10));
    for (int y = 15; y < 25; ++y) {
        for (int x = 0; x < 10; ++x)
            QCOMPARE(image.pixel(x, y), IconGreen);
    }
    // The text does reach into the icon's square.
    button->setHasIcon(false);
    const QImage bare = look(button.get());
    QVERIFY(!boundsOf(bare, [](QRgb p) { return p != BoxX && p != NormalFill && p != Frame; },
                      QRect(0, 15, 10, 10)).isEmpty());
}

void TestPushButton::showTextFalseHidesTextButKeepsIt()
{
    auto button = load(R"({"style":[["red",0,4]],"attr":{"text":"Hello","showText":false}})");
    QVERIFY(!button->showText());
    QCOMPARE(button->text(), QStringLiteral("Hello"));
    QVERIFY(boundsOfColour(look(button.get()), TextRed).isEmpty());

    button->setShowText(true);
    QVERIFY(!boundsOfColour(look(button.get()), TextRed).isEmpty());
}

void TestPushButton::textOffsets()
{
    auto plain = load(R"({"style":[["topLeft",0,4]],"attr":{"text":"Hi"}})");
    auto shifted = load(R"({"style":[["topLeft",0,4]],"attr":{"text":"Hi","txtX":20,"txtY":7}})");
    QCOMPARE(shifted->textX(), 20);
    QCOMPARE(shifted->textY(), 7);
    const QRect a = inkBounds(look(plain.get()), NormalFill);
    const QRect b = inkBounds(look(shifted.get()), NormalFill);
    QVERIFY(!a.isEmpty());
    QCOMPARE(b, a.translated(20, 7));
}

void TestPushButton::textAttribute()
{
    TAVQPushButton button;
    button.setText(QStringLiteral("before"));
    QVERIFY(button.LoadFromJson(parse(R"({"w":10})")));
    QCOMPARE(button.text(), QStringLiteral("before"));

    // "attr" without "text" (or with a text asString refuses) clears it.
    QVERIFY(button.LoadFromJson(parse(R"({"attr":{"showText":true}})")));
    QVERIFY(button.text().isEmpty());
    button.setText(QStringLiteral("again"));
    QVERIFY(button.LoadFromJson(parse(R"({"attr":{"text":[12]}})")));
    QVERIFY(button.text().isEmpty());
    // A number is read as the text asString gives it.
    QVERIFY(button.LoadFromJson(parse(R"({"attr":{"text":12}})")));
    QCOMPARE(button.text(), QStringLiteral("12"));

    // Page texts are GBK.
    const QString chinese = QStringLiteral("登录");
    const QByteArray gbk = TextCodec::fromUnicode(chinese, "GBK");
    QVERIFY(button.LoadFromJson(parse("{\"attr\":{\"text\":\"" + gbk + "\"}}")));
    QCOMPARE(button.text(), chinese);
}

void TestPushButton::programmingInterface()
{
    TAVQPushButton button;
    button.resize(100, 40);
    TAVQBoxStyle box;
    box.color = QColor::fromRgba(BoxX);

    button.setBoxStyle(0, box);
    QCOMPARE(button.boxStyle(0).color.rgba(), BoxX);
    QCOMPARE(button.boxStyle(1).color.rgba(), HoverFill);
    button.setBoxStyle(4, box);
    for (int state = 0; state < 4; ++state)
        QCOMPARE(button.boxStyle(state).color.rgba(), BoxX);
    box.color = QColor::fromRgba(BoxY);
    button.setBoxStyle(2, box);
    QCOMPARE(button.boxStyle(2).color.rgba(), BoxY);
    QCOMPARE(button.boxStyle(3).color.rgba(), BoxX);
    button.setBoxStyle(9, box);
    QCOMPARE(button.boxStyle(0).color.rgba(), BoxX);

    button.setUseColor(1, false);
    QVERIFY(button.useColor(0));
    QVERIFY(!button.useColor(1));
    button.setUseColor(4, false);
    for (int state = 0; state < 4; ++state)
        QVERIFY(!button.useColor(state));
    // Image boxes without an image paint nothing.
    QCOMPARE(look(&button).pixel(50, 20), button.palette().color(QPalette::Window).rgba());

    TAVQFontStyle font;
    font.size = 30;
    button.setFontStyle(3, font);
    QCOMPARE(button.fontStyle(3).size, 30);
    QCOMPARE(button.fontStyle(0).size, 12);
    button.setFontStyle(4, font);
    QCOMPARE(button.fontStyle(0).size, 30);

    TAVQImagePlacement placement;
    placement.alignH = 2;
    placement.offsetY = -3;
    button.setIconPlacement(placement);
    QCOMPARE(button.iconPlacement().alignH, 2);
    QCOMPARE(button.iconPlacement().offsetY, -3);
    button.setTextX(4);
    button.setTextY(-2);
    QCOMPARE(button.textX(), 4);
    QCOMPARE(button.textY(), -2);
    button.setHasIcon(false);
    QVERIFY(!button.hasIcon());
    button.setShowText(false);
    QVERIFY(!button.showText());
}

void TestPushButton::iconPathSettersRepaintOnlyOnChange()
{
    TAVQPushButton button;
    button.resize(100, 40);
    button.show();
    QVERIFY(QTest::qWaitForWindowExposed(&button));
    QCoreApplication::processEvents();

    int paints = 0;
    struct Counter : QObject
    {
        int *count;
        bool eventFilter(QObject *, QEvent *event) override
        {
            if (event->type() == QEvent::Paint)
                ++*count;
            return false;
        }
    } counter;
    counter.count = &paints;
    button.installEventFilter(&counter);

    button.setIconPath(QStringLiteral("icon.png"));
    QCoreApplication::processEvents();
    QCOMPARE(paints, 1);
    button.setIconPath(QStringLiteral("icon.png"));
    button.setHotIconPath(QString());
    QCoreApplication::processEvents();
    QCOMPARE(paints, 1);
    button.setHotIconPath(QStringLiteral("hot.png"));
    QCoreApplication::processEvents();
    QCOMPARE(paints, 2);
    QCOMPARE(button.iconPath(), QStringLiteral("icon.png"));
    QCOMPARE(button.hotIconPath(), QStringLiteral("hot.png"));
}

void TestPushButton::clickStillWorks()
{
    auto button = load(R"({"attr":{"text":"Go"}})");
    QSignalSpy clicked(button.get(), &QPushButton::clicked);
    QTest::mouseClick(button.get(), Qt::LeftButton, Qt::NoModifier, QPoint(50, 20));
    QCOMPARE(clicked.count(), 1);
    QCOMPARE(button->GetImpl()->state(), int(StateNormal));
}

void TestPushButton::malformedElements()
{
    const QByteArray pages[] = {
        R"({"style":"x","attr":[]})",
        R"({"style":[[],[1,0,0],["x",0,"1"],"x",null,["y",0,[1]]],"attr":{"hasIcon":"no","iconHor":"2","iconX":"1.5","showText":[1],"iconPath":[3]}})",
        R"({"style":{"a":5},"attr":null})",
        R"([1,2,3])",
        R"("just text")",
    };
    for (const QByteArray &page : pages) {
        TAVQPushButton button;
        button.resize(60, 30);
        QVERIFY(button.LoadFromJson(parse(page)));
        QCOMPARE(button.boxStyle(0).color.rgba(), NormalFill);
        QCOMPARE(button.boxStyle(1).color.rgba(), HoverFill);
        QVERIFY(button.hasIcon());
        QVERIFY(button.showText());
        QCOMPARE(button.iconPlacement().alignH, 1);
        QCOMPARE(button.iconPlacement().offsetX, 0);
        QVERIFY(button.iconPath().isEmpty());
        QCOMPARE(look(&button).pixel(30, 15), NormalFill);
    }

    // What JsonCpp converts is read: a missing slot is slot 0 (all four states),
    // reals truncate, numbers and booleans convert into each other.
    TAVQPushButton converted;
    QVERIFY(converted.LoadFromJson(parse(R"({"style":[["x",0],["y",0,1.5]],
        "attr":{"hasIcon":0,"iconHor":2.5,"iconX":1.5,"showText":null,"iconPath":3}})")));
    QCOMPARE(converted.boxStyle(0).color.rgba(), BoxX);
    QCOMPARE(converted.boxStyle(1).color.rgba(), BoxY);
    QCOMPARE(converted.boxStyle(2).color.rgba(), BoxX);
    QCOMPARE(converted.boxStyle(3).color.rgba(), BoxX);
    QVERIFY(!converted.hasIcon());
    QVERIFY(!converted.showText());
    QCOMPARE(converted.iconPlacement().alignH, 2);
    QCOMPARE(converted.iconPlacement().offsetX, 1);
    QCOMPARE(converted.iconPath(), QStringLiteral("3"));
}

void TestPushButton::createdThroughTheRegistry()
{
    RegisterControlType("qtbutton", createButton, true);
    QWidget window;
    window.resize(300, 200);
    QWidget *created = CreateControl("qtbutton",
            parse(R"({"name":"ok","x":10,"y":20,"w":100,"h":40,"style":[["x",0,0]],"attr":{"text":"OK"}})"),
            &window);
    auto *button = qobject_cast<TAVQPushButton *>(created);
    QVERIFY(button);
    QCOMPARE(button->parentWidget(), &window);
    QCOMPARE(button->objectName(), QStringLiteral("ok"));
    QCOMPARE(button->text(), QStringLiteral("OK"));
    QCOMPARE(controlInterface(button), static_cast<ITAVQControlBase *>(button));
    button->GetControlBase()->ApplyLayout();
    QCOMPARE(button->geometry(), QRect(10, 20, 100, 40));
    QCOMPARE(look(&window).pixel(15, 25), BoxX);
}

void TestPushButton::returnPressesOnlyTheDefault_data()
{
    QTest::addColumn<QByteArray>("okAttr");
    QTest::addColumn<QString>("focus");       // the focused button, empty for none
    QTest::addColumn<QString>("pressed");     // what Return presses, empty for nothing
    QTest::newRow("no default") << QByteArray(R"({"text":"OK"})") << QString() << QString();
    QTest::newRow("default") << QByteArray(R"({"text":"OK","default":true})") << QString() << "ok";
    QTest::newRow("focused") << QByteArray(R"({"text":"OK"})") << "ok" << "ok";
    QTest::newRow("focused other") << QByteArray(R"({"text":"OK","default":true})") << "close" << "close";
    QTest::newRow("default off") << QByteArray(R"({"text":"OK","default":false})") << QString() << QString();
}

// In a window, Return presses the focused button or the one a page made the
// default, never just the first button there is.
void TestPushButton::returnPressesOnlyTheDefault()
{
    QFETCH(QByteArray, okAttr);
    QFETCH(QString, focus);
    QFETCH(QString, pressed);
    RegisterBuiltinControls();
    TAVQWindow window;
    Json::Value page = parse(R"({"w":300,"h":200,"elements":[
        {"type":"qtbutton","name":"close","x":250,"y":10,"w":40,"h":40},
        {"type":"qtlabel","name":"label","x":10,"y":60,"w":100,"h":20},
        {"type":"qtbutton","name":"ok","x":10,"y":100,"w":100,"h":40}]})");
    page["elements"][2]["attr"] = parse(okAttr);
    BuildElements(page, &window);
    QStringList clicks;
    for (auto *button : window.findChildren<QPushButton *>())
        connect(button, &QPushButton::clicked, [&clicks, button] { clicks << button->objectName(); });
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QWidget *target = focus.isEmpty() ? window.findChild<QWidget *>("label") : window.findChild<QWidget *>(focus);
    QTest::keyClick(target, Qt::Key_Return);
    QTest::keyClick(target, Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(clicks, pressed.isEmpty() ? QStringList() : QStringList({pressed, pressed}));
    QVERIFY(window.isVisible());
}

// A mouse user sees no focus; a key press shows it around the focused button, a
// mouse press hides it again.
void TestPushButton::focusFrameOnlyAfterKeys()
{
    TAVQFocusFrame::install();
    TAVQFocusFrame::setKeyboardActive(false);
    QWidget window;
    window.resize(200, 100);
    auto *button = new TAVQPushButton(&window);
    button->setGeometry(10, 10, 100, 40);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QImage unfocused = look(button);
    button->setFocus();
    QCOMPARE(look(button), unfocused);
    QTest::keyClick(button, Qt::Key_Shift);     // a modifier alone is no keyboard use
    QCOMPARE(look(button), unfocused);
    QTest::keyClick(button, Qt::Key_Down);
    const QImage framed = look(button);
    QCOMPARE(framed.pixel(1, 20), QColor(0x2f, 0x7c, 0xf6).rgb());
    QCOMPARE(framed.pixel(50, 20), unfocused.pixel(50, 20));
    QTest::mousePress(&window, Qt::LeftButton, {}, QPoint(150, 80));
    QCOMPARE(look(button), unfocused);
}

QTEST_MAIN(TestPushButton)
#include "tst_pushbutton.moc"
