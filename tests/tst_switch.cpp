#include "controls/tavqswitch_p.h"
#include "base/tavqjson_p.h"
#include "core/tavqruntime.h"
#include "implof.h"
#include "lookpicture.h"
#include "testjson.h"
#include "widgetlook.h"

#include <QImage>
#include <QSignalSpy>
#include <QtTest>

#include <functional>
#include <memory>

using namespace TAVQtLib;

namespace {

const QRgb Back = 0xFF2040A0;
const QRgb Thumb = 0xFF30C030;
const QRgb ThumbHover = 0xFFC0C030;
const QRgb ThumbPressed = 0xFFC03030;
const QRgb ThumbDisabled = 0xFF808080;

TAVQBoxStyle fill(QRgb colour)
{
    TAVQBoxStyle box;
    box.color = QColor::fromRgba(colour);
    box.endColor = box.color;
    return box;
}

TAVQFontStyle labelFont(QRgb colour)
{
    TAVQFontStyle font;
    font.family = QStringLiteral("WenQuanYi Micro Hei");
    font.size = 14;
    font.bold = true;
    font.color = QColor::fromRgb(colour);
    font.hor = 1;
    return font;
}

// Glyph cores of a text colour; their edges are blended with the background.
QRect boundsNear(const QImage &image, QRgb colour)
{
    return boundsOf(image, [colour](QRgb pixel) {
        return qAbs(qRed(pixel) - qRed(colour)) < 48 && qAbs(qGreen(pixel) - qGreen(colour)) < 48
            && qAbs(qBlue(pixel) - qBlue(colour)) < 48;
    });
}

// Label glyphs: anything that is neither background nor thumb.
QRect inkBounds(const QImage &image)
{
    return boundsOf(image, [](QRgb pixel) { return pixel != Back && pixel != Thumb && pixel != ThumbPressed; });
}

void press(QWidget *widget)
{
    QMouseEvent event(QEvent::MouseButtonPress, QPointF(10, 10), widget->mapToGlobal(QPoint(10, 10)),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

void release(QWidget *widget)
{
    QMouseEvent event(QEvent::MouseButtonRelease, QPointF(10, 10), widget->mapToGlobal(QPoint(10, 10)),
                      Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

// A 100 x 29 switch: margin 2, 25-pixel thumb, so the thumb travels 71 pixels.
std::unique_ptr<TAVQSwitch> styledSwitch()
{
    auto control = std::make_unique<TAVQSwitch>();
    control->resize(100, 29);
    control->setBackgroundStyle(fill(Back));
    control->setThumbStyle(0, fill(Thumb));
    control->setThumbStyle(1, fill(ThumbHover));
    control->setThumbStyle(2, fill(ThumbPressed));
    control->setThumbStyle(3, fill(ThumbDisabled));
    control->setFontStyle(true, labelFont(0xFFFFFF));
    control->setFontStyle(false, labelFont(0xFFFF00));
    return control;
}

QRect thumbAt(const TAVQSwitch &control, int pos)
{
    return QRect(QPoint(control.margin() + pos, control.margin()), control.thumbSize());
}

} // namespace

class TestSwitch : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void defaults();
    void thumbRestsAtTheRightWhileOn();
    void slideMovesTheThumbAndFlipsAtTheEnd();
    void slideBackToOn();
    void pressesDuringASlideAreIgnored();
    void pressedLookFollowsTheMouse();
    void labelSitsInTheFreeEnd();
    void hiddenLabels();
    void setOffKeepsTheThumbUntilTheNextSlide();
    void restingThumbIgnoresResize();

    void styleSlots();
    void attributes();
    void attrWithLeftTextOnly();
    void malformedElements();

private:
    static void finishSlide(TAVQSwitch *control);
};

void TestSwitch::initTestCase()
{
    SetBoxStyle("swBack", fill(Back));
    SetBoxStyle("swThumb", fill(Thumb));
    SetBoxStyle("swHover", fill(ThumbHover));
    SetFontStyle("swRed", labelFont(0xFF0000));
    SetFontStyle("swBlue", labelFont(0x0000FF));
}

void TestSwitch::finishSlide(TAVQSwitch *control)
{
    QVariantAnimation *animation = implOf<TAVQSwitchImpl>(control)->animation();
    animation->setCurrentTime(animation->duration());
}

void TestSwitch::defaults()
{
    TAVQSwitch control;
    QCOMPARE(control.GetTypeName(), QStringLiteral("qtswitch"));
    QVERIFY(!control.isOff());
    QCOMPARE(control.thumbPos(), -1);
    QVERIFY(!control.isAnimating());
    QCOMPARE(control.margin(), 2);
    QCOMPARE(control.speed(), 300);
    QCOMPARE(control.thumbSize(), QSize(25, 25));
    QCOMPARE(control.onText(), QStringLiteral("On"));
    QCOMPARE(control.offText(), QStringLiteral("Off"));
    QVERIFY(control.showText());
    QCOMPARE(control.backgroundStyle().color, QColor(255, 255, 255));
    QCOMPARE(control.thumbStyle(2).color, QColor(255, 255, 255));
    QVERIFY(implOf<TAVQSwitchImpl>(control)->animation()->parent() == &control);
    // The thumb's setter takes single states only: StateAll reaches none.
    control.setThumbStyle(StateAll, fill(Thumb));
    for (int state = StateNormal; state <= StateDisabled; ++state)
        QCOMPARE(control.thumbStyle(state).color, QColor(255, 255, 255));
}

void TestSwitch::thumbRestsAtTheRightWhileOn()
{
    auto control = styledSwitch();
    const QImage image = look(control.get());
    QCOMPARE(control->thumbPos(), 71);
    QCOMPARE(boundsOfColour(image, Thumb), QRect(73, 2, 25, 25));
}

void TestSwitch::slideMovesTheThumbAndFlipsAtTheEnd()
{
    auto control = styledSwitch();
    look(control.get());
    QSignalSpy toggled(control.get(), &TAVQSwitch::toggled);

    press(control.get());
    release(control.get());
    QVERIFY(control->isAnimating());
    QVERIFY(!control->isOff());
    QVariantAnimation *animation = implOf<TAVQSwitchImpl>(control.get())->animation();
    QCOMPARE(animation->duration(), 300);
    QCOMPARE(animation->startValue().toInt(), 71);
    QCOMPARE(animation->endValue().toInt(), 0);

    animation->setCurrentTime(150);
    const int halfway = animation->currentValue().toInt();
    QVERIFY(halfway > 0 && halfway < 71);
    QCOMPARE(control->thumbPos(), halfway);
    QCOMPARE(boundsOfColour(look(control.get()), Thumb), thumbAt(*control, halfway));
    QCOMPARE(toggled.count(), 0);

    finishSlide(control.get());
    QVERIFY(!control->isAnimating());
    QVERIFY(control->isOff());
    QCOMPARE(control->thumbPos(), 0);
    QCOMPARE(boundsOfColour(look(control.get()), Thumb), QRect(2, 2, 25, 25));
    QCOMPARE(toggled.count(), 1);
    QCOMPARE(toggled.at(0).at(0).toBool(), false);
}

void TestSwitch::slideBackToOn()
{
    auto control = styledSwitch();
    control->setOff(true);
    control->setSpeed(120);
    look(control.get());
    QCOMPARE(control->thumbPos(), 0);
    QSignalSpy toggled(control.get(), &TAVQSwitch::toggled);

    press(control.get());
    release(control.get());
    QCOMPARE(implOf<TAVQSwitchImpl>(control.get())->animation()->duration(), 120);
    QTRY_VERIFY(!control->isAnimating());
    QVERIFY(!control->isOff());
    QCOMPARE(control->thumbPos(), 71);
    QCOMPARE(boundsOfColour(look(control.get()), Thumb), QRect(73, 2, 25, 25));
    QCOMPARE(toggled.count(), 1);
    QCOMPARE(toggled.at(0).at(0).toBool(), true);
}

void TestSwitch::pressesDuringASlideAreIgnored()
{
    auto control = styledSwitch();
    look(control.get());
    QSignalSpy toggled(control.get(), &TAVQSwitch::toggled);
    QSignalSpy values(implOf<TAVQSwitchImpl>(control.get())->animation(), &QVariantAnimation::valueChanged);

    press(control.get());
    release(control.get());
    QTest::qWait(30);
    press(control.get());
    release(control.get());
    QVERIFY(control->isAnimating());

    QTRY_VERIFY(!control->isAnimating());
    QTest::qWait(400); // a second slide, had one started, would now be under way
    QVERIFY(!control->isAnimating());
    QCOMPARE(toggled.count(), 1);
    QVERIFY(control->isOff());
    QCOMPARE(control->thumbPos(), 0);
    // The values only ever went down: no second slide back to the right.
    for (int i = 1; i < values.count(); ++i)
        QVERIFY(values.at(i).at(0).toInt() <= values.at(i - 1).at(0).toInt());
}

void TestSwitch::pressedLookFollowsTheMouse()
{
    auto control = styledSwitch();
    control->setSpeed(100000);
    press(control.get());
    QCOMPARE(control->GetImpl()->state(), int(StatePressed));
    QCOMPARE(boundsOfColour(look(control.get()), ThumbPressed).size(), QSize(25, 25));
    release(control.get());
    QCOMPARE(control->GetImpl()->state(), int(StateNormal));
    QCOMPARE(boundsOfColour(look(control.get()), Thumb).size(), QSize(25, 25));
}

void TestSwitch::labelSitsInTheFreeEnd()
{
    auto control = styledSwitch();
    const QImage on = look(control.get());
    saveLookPicture(on, QStringLiteral("switch_on.png"));
    const QRect onInk = inkBounds(on);
    QVERIFY(!onInk.isEmpty());
    QVERIFY(QRect(2, 2, 25, 25).contains(onInk));
    QVERIFY(!boundsNear(on, 0xFFFFFFFF).isEmpty()); // on font is white

    press(control.get());
    release(control.get());
    finishSlide(control.get());
    const QImage off = look(control.get());
    saveLookPicture(off, QStringLiteral("switch_off.png"));
    const QRect offInk = inkBounds(off);
    QVERIFY(!offInk.isEmpty());
    QVERIFY(QRect(75, 2, 25, 25).contains(offInk));
    QVERIFY(!boundsNear(off, 0xFFFFFF00).isEmpty()); // off font is yellow
    QVERIFY(boundsNear(off, 0xFFFFFFFF).isEmpty());
}

void TestSwitch::hiddenLabels()
{
    auto control = styledSwitch();
    control->setShowText(false);
    QVERIFY(inkBounds(look(control.get())).isEmpty());
}

void TestSwitch::setOffKeepsTheThumbUntilTheNextSlide()
{
    auto control = styledSwitch();
    look(control.get());
    control->setOff(true);
    const QImage image = look(control.get());
    QCOMPARE(boundsOfColour(image, Thumb), QRect(73, 2, 25, 25));
    // The label follows the flag at once: the on label is gone from the left
    // end, and the off label goes to the right end, under the thumb.
    QVERIFY(boundsNear(image, 0xFFFFFFFF).isEmpty());
    QVERIFY(inkBounds(image).isEmpty() || inkBounds(image).left() >= 75);

    // The next slide starts from the off end.
    press(control.get());
    release(control.get());
    QCOMPARE(implOf<TAVQSwitchImpl>(control.get())->animation()->startValue().toInt(), 0);
    QCOMPARE(implOf<TAVQSwitchImpl>(control.get())->animation()->endValue().toInt(), 71);
}

void TestSwitch::restingThumbIgnoresResize()
{
    auto control = styledSwitch();
    look(control.get());
    control->resize(140, 29);
    QCOMPARE(boundsOfColour(look(control.get()), Thumb), QRect(73, 2, 25, 25));
    press(control.get());
    release(control.get());
    QCOMPARE(implOf<TAVQSwitchImpl>(control.get())->animation()->startValue().toInt(), 140 - 4 - 25);
}

void TestSwitch::styleSlots()
{
    TAVQSwitch control;
    control.resize(100, 29);
    QVERIFY(control.LoadFromJson(parse(R"({"style":[["swBack",0,0],["swThumb",0,2],["swHover",0,3],
        ["swRed",0,6],["swBlue",0,7],["nothing",0,4],["swBack",0,1],["swBack",0,8]]})")));
    QCOMPARE(control.backgroundStyle().color.rgba(), Back);
    QCOMPARE(control.thumbStyle(0).color.rgba(), Thumb);
    QCOMPARE(control.thumbStyle(1).color.rgba(), ThumbHover);
    QCOMPARE(control.thumbStyle(2).color.rgba(), Thumb);
    QCOMPARE(control.thumbStyle(3).color.rgba(), Thumb);
    QCOMPARE(control.fontStyle(true).color.rgb(), QColor(255, 0, 0).rgb());
    QCOMPARE(control.fontStyle(false).color.rgb(), QColor(0, 0, 255).rgb());

    const QImage image = look(&control);
    QCOMPARE(boundsOfColour(image, Thumb), QRect(73, 2, 25, 25));
    QCOMPARE(image.pixel(50, 15), Back);
}

void TestSwitch::attributes()
{
    TAVQSwitch control;
    control.resize(120, 40);
    QVERIFY(control.LoadFromJson(parse(R"({"attr":{"leftText":"Yes","rightText":"No",
        "thumbW":30,"thumbH":20,"speed":50,"on":0,"margin":5}})")));
    QCOMPARE(control.onText(), QStringLiteral("Yes"));
    QCOMPARE(control.offText(), QStringLiteral("No"));
    QCOMPARE(control.thumbSize(), QSize(30, 20));
    QCOMPARE(control.speed(), 50);
    QVERIFY(control.isOff());
    QCOMPARE(control.margin(), 5);

    control.setThumbStyle(0, fill(Thumb));
    QCOMPARE(boundsOfColour(look(&control), Thumb), QRect(5, 5, 30, 20));
    press(&control);
    release(&control);
    finishSlide(&control);
    QVERIFY(!control.isOff());
    QCOMPARE(boundsOfColour(look(&control), Thumb), QRect(120 - 5 - 30, 5, 30, 20));

    TAVQSwitch on;
    QVERIFY(on.LoadFromJson(parse(R"({"attr":{"on":3}})")));
    QVERIFY(!on.isOff());
    TAVQSwitch noOnKey;
    QVERIFY(noOnKey.LoadFromJson(parse(R"({"attr":{"margin":1}})")));
    QVERIFY(!noOnKey.isOff());
}

void TestSwitch::attrWithLeftTextOnly()
{
    TAVQSwitch control;
    QVERIFY(control.LoadFromJson(parse("{\"attr\":{\"leftText\":\"\xd2\xbb\"}}")));
    // Page texts are GBK: these two bytes are one character.
    QCOMPARE(control.onText(), QString(QChar(0x4E00)));
    QCOMPARE(control.offText(), QString());
    QCOMPARE(control.thumbSize(), QSize(25, 25));

    TAVQSwitch plain;
    QVERIFY(plain.LoadFromJson(parse(R"({"x":1})")));
    QCOMPARE(plain.onText(), QStringLiteral("On"));
    QCOMPARE(plain.offText(), QStringLiteral("Off"));
}

void TestSwitch::malformedElements()
{
    const QByteArray cases[] = {
        R"({"attr":{"leftText":[5],"rightText":[],"thumbW":"a","thumbH":{},"speed":"x","on":"1","margin":"1"}})",
        R"({"attr":5,"style":7})",
        R"({"style":[[1,2,3],[],["swBack","a","b"],null,{"a":1}]})",
        R"([1,2,3])",
        R"(null)",
    };
    for (const QByteArray &json : cases) {
        TAVQSwitch control;
        control.resize(60, 29);
        control.LoadFromJson(parse(json));
        QCOMPARE(control.margin(), 2);
        QCOMPARE(control.speed(), 300);
        QVERIFY(!control.isOff());
        QCOMPARE(control.backgroundStyle().color, QColor(255, 255, 255));
        look(&control);
        press(&control);
        release(&control);
        finishSlide(&control);
        QVERIFY(control.isOff());
    }
    TAVQSwitch wrongTypes;
    wrongTypes.LoadFromJson(parse(cases[0]));
    QCOMPARE(wrongTypes.onText(), QString());
    QCOMPARE(wrongTypes.thumbSize(), QSize(25, 25));
    // What JsonCpp converts is read: true is 1, a number is its text, a missing slot is 0.
    TAVQSwitch converted;
    converted.LoadFromJson(parse(R"({"style":[["swBack"]],"attr":{"leftText":5,"margin":true,"thumbW":30.9}})"));
    QCOMPARE(converted.margin(), 1);
    QCOMPARE(converted.onText(), QStringLiteral("5"));
    QCOMPARE(converted.thumbSize().width(), 30);
    QCOMPARE(converted.backgroundStyle().color.rgba(), Back);

    // A negative speed or a thumb wider than the control still slides and ends.
    TAVQSwitch odd;
    odd.resize(10, 10);
    odd.setSpeed(-5);
    look(&odd);
    press(&odd);
    QTRY_VERIFY(!odd.isAnimating());
    QVERIFY(odd.isOff());
}

QTEST_MAIN(TestSwitch)
#include "tst_switch.moc"
