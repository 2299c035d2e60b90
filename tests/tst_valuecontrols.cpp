#include "controls/tavqcontainer.h"
#include "controls/tavqscrollbarconfig_p.h"
#include "controls/tavqvaluecontrols_p.h"
#include "core/cscrollbarstyle_p.h"
#include "base/tavqjson_p.h"
#include "core/tavqpagebuilder.h"
#include "core/tavqregistry.h"
#include "resources/tavqresourcemanager.h"
#include "testjson.h"
#include "implof.h"
#include "widgetlook.h"

#include <QEnterEvent>
#include <QImage>
#include <QPainter>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>
#include <memory>
#include <vector>

using namespace TAVQtLib;

namespace {

const QRgb Red = 0xFFFF0000;
const QRgb Green = 0xFF00FF00;
const QRgb Blue = 0xFF0000FF;
const QRgb Yellow = 0xFFFFFF00;
const QRgb Orange = 0xFFFF8000;
const QRgb Purple = 0xFF800080;
const QRgb Grey = 0xFF808080;
const QRgb Magenta = 0xFFFF00FF;
const QRgb Cyan = 0xFF00FFFF;
const QRgb White = 0xFFFFFFFF;

TAVQBoxStyle colorBox(QRgb colour)
{
    TAVQBoxStyle box;
    box.color = QColor::fromRgba(colour);
    return box;
}

TAVQBoxStyle hiddenBox()
{
    TAVQBoxStyle box;
    box.visible = false;
    return box;
}

bool writeImage(const QString &path, QRgb colour, int size)
{
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(colour);
    return image.save(path);
}

// The widget's own painting only, over transparency.
QImage render(QWidget *widget)
{
    QImage image(widget->size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    widget->render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

int countOf(const QImage &image, const std::function<bool(QRgb)> &match)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            count += match(image.pixel(x, y)) ? 1 : 0;
    }
    return count;
}

void savePng(const QImage &image, const char *name)
{
    const QString dir = qEnvironmentVariable("TAVQ_TEST_PNG_DIR");
    if (!dir.isEmpty())
        image.save(dir + QLatin1Char('/') + QLatin1String(name) + QStringLiteral(".png"));
}

// Mouse events as the window system delivers them: the pressed buttons travel
// with every move.
void press(QWidget *widget, const QPoint &pos)
{
    QMouseEvent event(QEvent::MouseButtonPress, pos, widget->mapToGlobal(pos), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

void release(QWidget *widget, const QPoint &pos)
{
    QMouseEvent event(QEvent::MouseButtonRelease, pos, widget->mapToGlobal(pos), Qt::LeftButton, Qt::NoButton,
                      Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

void move(QWidget *widget, const QPoint &pos, Qt::MouseButtons held = Qt::NoButton)
{
    QMouseEvent event(QEvent::MouseMove, pos, widget->mapToGlobal(pos), Qt::NoButton, held, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

void enter(QWidget *widget)
{
    QEnterEvent event(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QApplication::sendEvent(widget, &event);
}

void leave(QWidget *widget)
{
    QEvent event(QEvent::Leave);
    QApplication::sendEvent(widget, &event);
}

struct BarStates
{
    int thumb;
    int subLine;
    int addLine;
    bool operator==(const BarStates &other) const
    {
        return thumb == other.thumb && subLine == other.subLine && addLine == other.addLine;
    }
};

BarStates statesOf(const TAVQScrollBar &bar)
{
    return BarStates{bar.thumbState(), bar.subLineState(), bar.addLineState()};
}

QWidget *createScrollView() { return new TAVQScrollView; }
QWidget *createContainer() { return new TAVQContainer; }

const char ThicknessSheet12[] =
    "QScrollBar::vertical{ width:12; } QScrollBar::horizontal{ height:12; } "
    "QScrollBar::add-line:vertical{ width:12px;width:12px; subcontrol-origin: margin;} "
    "QScrollBar::sub-line:vertical{ width:12px;width:12px;subcontrol-origin: margin; }";

} // namespace

namespace QTest {
template <>
char *toString(const BarStates &states)
{
    return qstrdup(QByteArray("thumb %1, sub-line %2, add-line %3")
                       .replace("%1", QByteArray::number(states.thumb))
                       .replace("%2", QByteArray::number(states.subLine))
                       .replace("%3", QByteArray::number(states.addLine))
                       .constData());
}
} // namespace QTest

class TestValueControls : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void typeNamesAndConstruction();

    void sliderFillsHorizontally();
    void sliderFillsVerticallyFromTheBottom();
    void sliderFillUsesSinglePrecision();
    void sliderWithEqualMinimumAndMaximum();
    void sliderLoading();
    void sliderStyleSlots();
    void sliderThumbFollowsTheMouse();
    void sliderTrackPressPages_data();
    void sliderTrackPressPages();
    void sliderMalformedElements();

    void scrollBarSizeHint();
    void scrollBarPaintsInOrder();
    void scrollBarIconPlacementAndStateLooks();
    void scrollBarPaintLeavesControlStateAlone();
    void scrollBarButtonStates();
    void scrollBarThumbDrag();
    void scrollBarLooksBeforeQtScrolls();
    void scrollBarLoadsIcons();

    void progressBarFill();
    void progressBarText();
    void progressBarEmptyRange();
    void progressBarLoading();

    void lcdLoading();
    void lcdDigitColourWhileActive();

    void scrollBarChildElements();
    void scrollBarChildMalformed();
    void scrollBarSheetTexts();

    void scrollViewHasSkinnedBars();
    void scrollViewScrollBarChild();
    void scrollViewForwards();

    void pageWithValueControls();

    void propertiesReachTheAccessors_data();
    void propertiesReachTheAccessors();

private:
    QTemporaryDir m_dir;
};

void TestValueControls::initTestCase()
{
    QApplication::setStyle(CScrollBarStyle::instance());
    RegisterControlType("qtscrollview", createScrollView, true);
    RegisterControlType("qtcontainer", createContainer, true);

    QVERIFY(m_dir.isValid());
    QFile sheet(m_dir.filePath(QStringLiteral("style.json")));
    QVERIFY(sheet.open(QIODevice::WriteOnly));
    sheet.write(R"({"style":[]})");
    sheet.close();
    QVERIFY(writeImage(m_dir.filePath(QStringLiteral("up.png")), Magenta, 6));
    QVERIFY(writeImage(m_dir.filePath(QStringLiteral("down.png")), Cyan, 6));
    QVERIFY(writeImage(m_dir.filePath(QStringLiteral("thumb.png")), White, 4));
    TAVQResourceManager &rm = TAVQResourceManager::instance();
    QVERIFY(rm.loadStyleFolder(m_dir.path()));

    const std::pair<const char *, QRgb> boxes[] = {{"red", Red},       {"green", Green},   {"blue", Blue},
                                                   {"yellow", Yellow}, {"orange", Orange}, {"purple", Purple},
                                                   {"grey", Grey},     {"white", White}};
    for (const auto &box : boxes)
        rm.setBoxStyle(QLatin1String(box.first), colorBox(box.second));
    TAVQFontStyle font;
    font.family = QStringLiteral("WenQuanYi Micro Hei");
    font.size = 14;
    font.color = QColor(0, 0, 0);
    font.hor = 1;
    font.ver = 1;
    rm.setFontStyle(QStringLiteral("percent"), font);
}

void TestValueControls::typeNamesAndConstruction()
{
    TAVQSlider slider;
    QCOMPARE(slider.GetTypeName(), QStringLiteral("qtslider"));
    QCOMPARE(slider.orientation(), Qt::Horizontal);
    QCOMPARE(TAVQSlider(nullptr, Qt::Vertical).orientation(), Qt::Vertical);
    QCOMPARE(slider.channelSize(), 10);
    QCOMPARE(slider.thumbWidth(), 20);
    QCOMPARE(slider.thumbHeight(), 20);
    QVERIFY(!slider.hasMouseTracking());

    TAVQScrollBar horizontal;
    QCOMPARE(horizontal.GetTypeName(), QStringLiteral("qtscrollbar"));
    QCOMPARE(horizontal.orientation(), Qt::Horizontal);
    QVERIFY(horizontal.hasMouseTracking());
    QCOMPARE(horizontal.thickness(), -1);
    QCOMPARE(horizontal.arrowIconPlacement(true).alignH, 1);
    QCOMPARE(horizontal.arrowIconPlacement(false).alignV, 1);
    TAVQScrollBar vertical(Qt::Vertical);
    QCOMPARE(vertical.orientation(), Qt::Vertical);
    QVERIFY(vertical.hasMouseTracking());

    TAVQProgressBar progress;
    QCOMPARE(progress.GetTypeName(), QStringLiteral("qtprogressbar"));
    QVERIFY(!progress.showText());

    TAVQLCDNumber lcd;
    QCOMPARE(lcd.GetTypeName(), QStringLiteral("qtlcdnumber"));
    QCOMPARE(lcd.frameStyle(), 0);
    QCOMPARE(lcd.styleSheet(), QStringLiteral("background-color: rgba(0, 0, 0, 0);"));
    QVERIFY(!lcd.color().isValid());
}

// ---------------------------------------------------------------- slider

void TestValueControls::sliderFillsHorizontally()
{
    TAVQSlider slider;
    slider.resize(200, 30);
    slider.setChannelStyle(colorBox(Blue));
    slider.setFillStyle(colorBox(Red));
    slider.setThumbStyle(StateAll, hiddenBox());
    slider.setRange(0, 100);
    slider.setValue(50);
    QImage image = look(&slider);
    QCOMPARE(boundsOfColour(image, Red), QRect(0, 10, 100, 10));
    QCOMPARE(boundsOfColour(image, Blue), QRect(100, 10, 100, 10));

    // A third of 200 is truncated, and a thicker channel stays centred.
    slider.setRange(0, 3);
    slider.setValue(1);
    slider.setChannelSize(7);
    image = look(&slider);
    QCOMPARE(boundsOfColour(image, Red), QRect(0, 11, 66, 7));
    QCOMPARE(boundsOfColour(image, Blue), QRect(66, 11, 134, 7));
}

void TestValueControls::sliderFillsVerticallyFromTheBottom()
{
    TAVQSlider slider(nullptr, Qt::Vertical);
    slider.resize(30, 200);
    slider.setChannelStyle(colorBox(Blue));
    slider.setFillStyle(colorBox(Red));
    slider.setThumbStyle(StateAll, hiddenBox());
    slider.setRange(0, 3);
    slider.setValue(1);
    const QImage image = look(&slider);
    // 66 rows ending one row above the bottom edge (rect.bottom() - d is the top).
    QCOMPARE(boundsOfColour(image, Red), QRect(10, 133, 10, 66));
    QCOMPARE(image.pixel(15, 199), Blue);
    QCOMPARE(image.pixel(15, 132), Blue);
    QCOMPARE(boundsOfColour(image, Blue), QRect(10, 0, 10, 200));
}

void TestValueControls::sliderFillUsesSinglePrecision()
{
    // 29 / 100 is 0.28999999 in single precision and 100 times that rounds to
    // exactly 29; in double precision it would truncate to 28.
    TAVQSlider slider;
    slider.resize(100, 20);
    slider.setChannelStyle(colorBox(Blue));
    slider.setFillStyle(colorBox(Red));
    slider.setThumbStyle(StateAll, hiddenBox());
    slider.setRange(0, 100);
    slider.setValue(29);
    QCOMPARE(boundsOfColour(look(&slider), Red).width(), 29);
}

void TestValueControls::sliderWithEqualMinimumAndMaximum()
{
    TAVQSlider slider;
    slider.LoadFromJson(parse(R"({"attr":{"min":25,"max":25,"val":25}})"));
    QCOMPARE(slider.minimum(), 25);
    QCOMPARE(slider.maximum(), 25);
    QCOMPARE(slider.value(), 25);
    slider.resize(200, 30);
    slider.setChannelStyle(colorBox(Blue));
    slider.setFillStyle(colorBox(Red));
    slider.setThumbStyle(StateAll, hiddenBox());
    // The range counts as 100: a quarter of the channel.
    QCOMPARE(boundsOfColour(look(&slider), Red), QRect(0, 10, 50, 10));
}

void TestValueControls::sliderLoading()
{
    TAVQSlider slider;
    slider.LoadFromJson(parse(R"({"attr":{"isHor":false,"thumbW":14,"thumbH":9,"channelSize":4,
                                          "min":-50,"max":-10,"val":-20}})"));
    QCOMPARE(slider.orientation(), Qt::Vertical);
    QCOMPARE(slider.thumbWidth(), 14);
    QCOMPARE(slider.thumbHeight(), 9);
    QCOMPARE(slider.channelSize(), 4);
    QCOMPARE(slider.minimum(), -50);
    QCOMPARE(slider.maximum(), -10);
    QCOMPARE(slider.sliderPosition(), -20);
    QCOMPARE(slider.value(), -20);

    // Maximum first, then minimum: a minimum above the maximum wins.
    TAVQSlider crossed(nullptr, Qt::Vertical);
    crossed.LoadFromJson(parse(R"({"attr":{"min":60,"max":40}})"));
    QCOMPARE(crossed.orientation(), Qt::Horizontal);
    QCOMPARE(crossed.minimum(), 60);
    QCOMPARE(crossed.maximum(), 60);

    // Absent bounds keep the current ones; an absent value is 0.
    TAVQSlider kept;
    kept.setRange(-5, 300);
    kept.setValue(200);
    kept.LoadFromJson(parse(R"({"attr":{"isHor":true}})"));
    QCOMPARE(kept.minimum(), -5);
    QCOMPARE(kept.maximum(), 300);
    QCOMPARE(kept.value(), 0);
}

void TestValueControls::sliderStyleSlots()
{
    TAVQSlider slider;
    slider.LoadFromJson(parse(R"({"style":[["blue",0,0],["grey",0,1],["red",0,2],["purple",0,3],
        ["green",0,4],["yellow",0,6],["nothing",0,5],["orange",0,8]]})"));
    QCOMPARE(slider.channelStyle().color.rgba(), Blue);
    QCOMPARE(slider.fillStyle().color.rgba(), Red);
    QCOMPARE(slider.thumbStyle(0).color.rgba(), Green);
    QCOMPARE(slider.thumbStyle(1).color.rgba(), Green);
    QCOMPARE(slider.thumbStyle(2).color.rgba(), Yellow);
    QCOMPARE(slider.thumbStyle(3).color.rgba(), Green);

    slider.LoadFromJson(parse(R"({"style":[["orange",0,7],["purple",0,5]]})"));
    QCOMPARE(slider.thumbStyle(0).color.rgba(), Green);
    QCOMPARE(slider.thumbStyle(1).color.rgba(), Purple);
    QCOMPARE(slider.thumbStyle(3).color.rgba(), Orange);
}

void TestValueControls::sliderThumbFollowsTheMouse()
{
    TAVQSlider slider;
    slider.resize(200, 30);
    slider.setRange(0, 100);
    slider.setValue(0);
    slider.setChannelStyle(colorBox(Blue));
    slider.setFillStyle(colorBox(Blue));
    slider.setThumbStyle(0, colorBox(Grey));
    slider.setThumbStyle(1, colorBox(Orange));
    slider.setThumbStyle(2, colorBox(Purple));
    const QRect thumb = slider.handleRect();
    QCOMPARE(thumb, QRect(0, 5, 20, 20));
    auto thumbColour = [&slider]() { return look(&slider).pixel(slider.handleRect().center()); };

    enter(&slider);
    QVERIFY(slider.hasMouseTracking());
    QCOMPARE(slider.GetImpl()->state(), 0);
    move(&slider, QPoint(100, 15));
    QCOMPARE(slider.GetImpl()->state(), 0);
    move(&slider, QPoint(10, 15));
    QCOMPARE(slider.GetImpl()->state(), 1);
    QCOMPARE(thumbColour(), Orange);

    press(&slider, QPoint(10, 15));
    QCOMPARE(slider.GetImpl()->state(), 2);
    QCOMPARE(thumbColour(), Purple);
    // Dragged away from the thumb, it keeps the pressed look.
    move(&slider, QPoint(150, 60), Qt::LeftButton);
    QCOMPARE(slider.GetImpl()->state(), 2);
    QVERIFY(slider.value() > 50);
    release(&slider, QPoint(150, 60));
    QCOMPARE(slider.GetImpl()->state(), 0);
    QCOMPARE(thumbColour(), Grey);

    const QPoint onThumb = slider.handleRect().center();
    move(&slider, onThumb);
    QCOMPARE(slider.GetImpl()->state(), 1);
    press(&slider, onThumb);
    release(&slider, onThumb);
    QCOMPARE(slider.GetImpl()->state(), 1);
    leave(&slider);
    QCOMPARE(slider.GetImpl()->state(), 0);
    QVERIFY(!slider.hasMouseTracking());

    // A press on the channel away from the thumb is no press of the thumb.
    slider.setValue(0);
    press(&slider, QPoint(190, 15));
    QCOMPARE(slider.GetImpl()->state(), 0);
    release(&slider, QPoint(190, 15));
}

void TestValueControls::sliderTrackPressPages_data()
{
    QTest::addColumn<Qt::Orientation>("orientation");
    QTest::addColumn<int>("value");
    // Pixels from the slider's top or left edge; -1 is the middle of the thumb.
    QTest::addColumn<int>("along");
    QTest::addColumn<int>("expected");
    // The thumb of value 50 spans 90 to 109; vertical values grow upward.
    QTest::newRow("left of the thumb") << Qt::Horizontal << 50 << 20 << 40;
    QTest::newRow("right of the thumb") << Qt::Horizontal << 50 << 180 << 60;
    QTest::newRow("right, up to the maximum") << Qt::Horizontal << 95 << 195 << 100;
    QTest::newRow("left, down to the minimum") << Qt::Horizontal << 5 << 3 << 0;
    QTest::newRow("on the horizontal thumb") << Qt::Horizontal << 50 << -1 << 50;
    QTest::newRow("above the thumb") << Qt::Vertical << 50 << 20 << 60;
    QTest::newRow("below the thumb") << Qt::Vertical << 50 << 180 << 40;
    QTest::newRow("above, up to the maximum") << Qt::Vertical << 95 << 3 << 100;
    QTest::newRow("below, down to the minimum") << Qt::Vertical << 5 << 195 << 0;
    QTest::newRow("on the vertical thumb") << Qt::Vertical << 50 << -1 << 50;
}

void TestValueControls::sliderTrackPressPages()
{
    QFETCH(Qt::Orientation, orientation);
    QFETCH(int, value);
    QFETCH(int, along);
    const bool horizontal = orientation == Qt::Horizontal;
    TAVQSlider slider(nullptr, orientation);
    slider.resize(horizontal ? QSize(200, 30) : QSize(30, 200));
    slider.setRange(0, 100);
    slider.setPageStep(10);
    slider.setValue(value);
    QSignalSpy moved(&slider, &QSlider::valueChanged);
    const QPoint alongGroove = horizontal ? QPoint(along, 15) : QPoint(15, along);
    const QPoint point = along < 0 ? slider.handleRect().center() : alongGroove;
    press(&slider, point);
    QTEST(slider.value(), "expected");
    QCOMPARE(moved.count(), slider.value() == value ? 0 : 1);
    // Only a press on the thumb drags it.
    QCOMPARE(slider.isSliderDown(), along < 0);
    QCOMPARE(slider.GetImpl()->state(), along < 0 ? int(StatePressed) : int(StateNormal));
    release(&slider, point);
}

void TestValueControls::sliderMalformedElements()
{
    const QByteArray elements[] = {
        R"({"attr":{"isHor":"no","thumbW":"wide","thumbH":[1],"channelSize":{},"min":"1","max":1e300,"val":null}})",
        R"({"attr":[1,2],"style":5})",
        R"({"attr":"x","style":[5,[],["a"],["red",0,"0"],["red","0",[]],[1,0,0]]})",
        R"({"style":{"k":["nothing",0,0]}})",
        R"([1,2,3])",
    };
    for (const QByteArray &json : elements) {
        TAVQSlider slider;
        slider.setValue(40);
        slider.LoadFromJson(parse(json));
        QCOMPARE(slider.thumbWidth(), 20);
        QCOMPARE(slider.thumbHeight(), 20);
        QCOMPARE(slider.channelSize(), 10);
        QCOMPARE(slider.minimum(), 0);
        QCOMPARE(slider.maximum(), 99);
        QCOMPARE(slider.orientation(), Qt::Horizontal);
        QCOMPARE(slider.channelStyle().color.rgba(), White);
        slider.resize(100, 30);
        QVERIFY(!look(&slider).isNull());
    }
}

// ---------------------------------------------------------------- scroll bar

void TestValueControls::scrollBarSizeHint()
{
    for (Qt::Orientation orientation : {Qt::Horizontal, Qt::Vertical}) {
        TAVQScrollBar bar(orientation);
        const QSize plain = QScrollBar(orientation).sizeHint();
        QCOMPARE(bar.sizeHint(), plain);
        bar.setThickness(12);
        QCOMPARE(bar.thickness(), 12);
        if (orientation == Qt::Horizontal)
            QCOMPARE(bar.sizeHint(), QSize(plain.width(), 12));
        else
            QCOMPARE(bar.sizeHint(), QSize(12, plain.height()));
        bar.setThickness(-1);
        QCOMPARE(bar.sizeHint(), plain);
    }
}

void TestValueControls::scrollBarPaintsInOrder()
{
    TAVQScrollBar bar;
    bar.resize(200, 20);
    bar.setRange(0, 100);
    bar.setPageStep(10);
    bar.setValue(50);
    bar.setGrooveStyle(colorBox(Green));
    bar.setThumbStyle(StateAll, colorBox(Blue));
    bar.setSubLineStyle(StateAll, colorBox(Red));
    bar.setAddLineStyle(StateAll, colorBox(Yellow));
    bar.setArrowIcon(true, QStringLiteral("up.png"));
    bar.setArrowIcon(false, QStringLiteral("down.png"));
    bar.setThumbIcon(QStringLiteral("thumb.png"));

    const QRect thumb = bar.subControlRect(QStyle::SC_ScrollBarSlider);
    const QRect subLine = bar.subControlRect(QStyle::SC_ScrollBarSubLine);
    const QRect addLine = bar.subControlRect(QStyle::SC_ScrollBarAddLine);
    QVERIFY(subLine.right() < thumb.left() - 2 && thumb.right() < addLine.left() - 2);

    const QImage image = look(&bar);
    savePng(image, "scrollbar_parts");
    // The groove shows only where no part lies.
    QCOMPARE(image.pixel((subLine.right() + thumb.left()) / 2, 10), Green);
    QCOMPARE(image.pixel((thumb.right() + addLine.left()) / 2, 10), Green);
    QCOMPARE(boundsOf(image, [](QRgb p) { return p == Blue || p == White; }), thumb);
    QCOMPARE(boundsOf(image, [](QRgb p) { return p == Red || p == Magenta; }), subLine);
    QCOMPARE(boundsOf(image, [](QRgb p) { return p == Yellow || p == Cyan; }), addLine);

    // Each image lies centred over its part.
    const QRect thumbIcon = boundsOfColour(image, White);
    QCOMPARE(thumbIcon.size(), QSize(4, 4));
    QVERIFY(qAbs(thumbIcon.center().x() - thumb.center().x()) <= 1);
    QVERIFY(qAbs(thumbIcon.center().y() - thumb.center().y()) <= 1);
    const QRect upIcon = boundsOfColour(image, Magenta);
    QCOMPARE(upIcon.size(), QSize(6, 6));
    QVERIFY(subLine.contains(upIcon));
    QVERIFY(qAbs(upIcon.center().x() - subLine.center().x()) <= 1);
    const QRect downIcon = boundsOfColour(image, Cyan);
    QCOMPARE(downIcon.size(), QSize(6, 6));
    QVERIFY(qAbs(downIcon.center().x() - addLine.center().x()) <= 1);
    QVERIFY(qAbs(downIcon.center().y() - addLine.center().y()) <= 1);
}

void TestValueControls::scrollBarIconPlacementAndStateLooks()
{
    TAVQScrollBar bar(Qt::Vertical);
    bar.resize(20, 200);
    bar.setRange(0, 100);
    bar.setPageStep(10);
    bar.setGrooveStyle(colorBox(Green));
    bar.setThumbStyle(StateAll, colorBox(Blue));
    bar.setThumbStyle(1, colorBox(Orange));
    bar.setSubLineStyle(StateAll, colorBox(Red));
    bar.setSubLineStyle(2, colorBox(Purple));
    bar.setAddLineStyle(StateAll, colorBox(Yellow));
    bar.setAddLineStyle(0, colorBox(Grey));
    QCOMPARE(bar.addLineStyle(1).color.rgba(), Yellow);
    bar.setArrowIcon(true, QStringLiteral("up.png"));
    bar.setArrowIconPlacement(true, TAVQImagePlacement{2, 1, 0, 0});
    QCOMPARE(bar.arrowIconPlacement(true).offsetX, 2);

    const QRect subLine = bar.subControlRect(QStyle::SC_ScrollBarSubLine);
    const QRect addLine = bar.subControlRect(QStyle::SC_ScrollBarAddLine);
    QImage image = look(&bar);
    QCOMPARE(boundsOfColour(image, Magenta), QRect(subLine.left() + 2, subLine.top() + 1, 6, 6));
    QCOMPARE(image.pixel(addLine.center()), Grey);

    move(&bar, bar.subControlRect(QStyle::SC_ScrollBarSlider).center());
    press(&bar, subLine.center());
    image = look(&bar);
    QCOMPARE(image.pixel(subLine.bottomRight() - QPoint(1, 1)), Purple);
    release(&bar, subLine.center());
    // The thumb moved one step down; the hover stays where the pointer was.
    QCOMPARE(bar.thumbState(), 0);
    move(&bar, bar.subControlRect(QStyle::SC_ScrollBarSlider).center());
    QCOMPARE(bar.thumbState(), 1);
    image = look(&bar);
    QCOMPARE(image.pixel(bar.subControlRect(QStyle::SC_ScrollBarSlider).center()), Orange);
    QCOMPARE(image.pixel(subLine.bottomRight() - QPoint(1, 1)), Red);
}

void TestValueControls::scrollBarPaintLeavesControlStateAlone()
{
    TAVQScrollBar bar;
    bar.resize(100, 16);
    bar.setEnabled(false);
    QVERIFY(!look(&bar).isNull());
    QCOMPARE(bar.GetImpl()->state(), 0);
}

void TestValueControls::scrollBarButtonStates()
{
    TAVQScrollBar bar;
    bar.resize(200, 16);
    bar.setRange(0, 100);
    bar.setPageStep(10);
    auto addLine = [&bar]() { return bar.subControlRect(QStyle::SC_ScrollBarAddLine); };
    auto subLine = [&bar]() { return bar.subControlRect(QStyle::SC_ScrollBarSubLine); };
    QCOMPARE(statesOf(bar), (BarStates{0, 0, 0}));

    move(&bar, addLine().center());
    QCOMPARE(statesOf(bar), (BarStates{0, 0, 1}));
    press(&bar, addLine().center());
    QCOMPARE(statesOf(bar), (BarStates{0, 0, 2}));
    QCOMPARE(bar.value(), bar.singleStep());
    // A pressed button stays pressed while the pointer stays on it.
    move(&bar, addLine().center() + QPoint(1, 0), Qt::LeftButton);
    QCOMPARE(statesOf(bar), (BarStates{0, 0, 2}));
    release(&bar, addLine().center());
    QCOMPARE(statesOf(bar), (BarStates{0, 0, 1}));

    move(&bar, subLine().center());
    QCOMPARE(statesOf(bar), (BarStates{0, 1, 0}));
    press(&bar, subLine().center());
    QCOMPARE(statesOf(bar), (BarStates{0, 2, 0}));
    // Off a pressed button it looks normal, and a release outside keeps that.
    move(&bar, QPoint(100, 40), Qt::LeftButton);
    QCOMPARE(statesOf(bar), (BarStates{0, 0, 0}));
    release(&bar, QPoint(100, 40));
    QCOMPARE(statesOf(bar), (BarStates{0, 0, 0}));

    move(&bar, subLine().center());
    QCOMPARE(statesOf(bar), (BarStates{0, 1, 0}));
    leave(&bar);
    QCOMPARE(statesOf(bar), (BarStates{0, 0, 0}));
}

void TestValueControls::scrollBarThumbDrag()
{
    TAVQScrollBar bar;
    bar.resize(200, 16);
    bar.setRange(0, 100);
    bar.setPageStep(10);
    auto thumb = [&bar]() { return bar.subControlRect(QStyle::SC_ScrollBarSlider); };

    move(&bar, thumb().center());
    QCOMPARE(statesOf(bar), (BarStates{1, 0, 0}));
    press(&bar, thumb().center());
    QCOMPARE(statesOf(bar), (BarStates{2, 0, 0}));
    // Dragged far outside the bar, the thumb keeps its pressed look.
    move(&bar, QPoint(120, 80), Qt::LeftButton);
    QCOMPARE(statesOf(bar), (BarStates{2, 0, 0}));
    QVERIFY(bar.value() > 0);
    leave(&bar);
    QCOMPARE(statesOf(bar), (BarStates{2, 0, 0}));
    release(&bar, QPoint(120, 80));
    QCOMPARE(statesOf(bar), (BarStates{0, 0, 0}));

    // Hovered, not pressed: leaving returns it to normal.
    move(&bar, thumb().center());
    QCOMPARE(statesOf(bar), (BarStates{1, 0, 0}));
    leave(&bar);
    QCOMPARE(statesOf(bar), (BarStates{0, 0, 0}));

    // Released over the thumb: hovered.
    press(&bar, thumb().center());
    release(&bar, thumb().center());
    QCOMPARE(statesOf(bar), (BarStates{1, 0, 0}));
}

void TestValueControls::scrollBarLooksBeforeQtScrolls()
{
    TAVQScrollBar bar;
    bar.resize(200, 16);
    bar.setRange(0, 100);
    bar.setPageStep(10);
    const QRect before = bar.subControlRect(QStyle::SC_ScrollBarSlider);
    const QPoint groove(before.right() + 3, 8);
    QVERIFY(!before.contains(groove));

    press(&bar, groove);
    // Qt paged the thumb under the pointer only after the press was judged.
    QCOMPARE(bar.value(), 10);
    QVERIFY(bar.subControlRect(QStyle::SC_ScrollBarSlider).contains(groove));
    QCOMPARE(bar.thumbState(), 0);
    release(&bar, groove);
    QCOMPARE(bar.thumbState(), 1);
}

void TestValueControls::scrollBarLoadsIcons()
{
    TAVQScrollBar bar;
    bar.LoadFromJson(parse(R"({"attr":{"upicon":"u.png","downicon":"d.png","thumbicon":"t.png"}})"));
    QCOMPARE(bar.arrowIcon(true), QStringLiteral("u.png"));
    QCOMPARE(bar.arrowIcon(false), QStringLiteral("d.png"));
    QCOMPARE(bar.thumbIcon(), QStringLiteral("t.png"));

    bar.LoadFromJson(parse(R"({"attr":"none"})"));
    QCOMPARE(bar.arrowIcon(true), QStringLiteral("u.png"));
    bar.LoadFromJson(parse(R"({"attr":{"downicon":"e.png","thumbicon":[5]}})"));
    QCOMPARE(bar.arrowIcon(true), QString());
    QCOMPARE(bar.arrowIcon(false), QStringLiteral("e.png"));
    QCOMPARE(bar.thumbIcon(), QString());
    // A number is read as the text asString gives it.
    bar.LoadFromJson(parse(R"({"attr":{"thumbicon":5}})"));
    QCOMPARE(bar.thumbIcon(), QStringLiteral("5"));
}

// ---------------------------------------------------------------- progress bar

void TestValueControls::progressBarFill()
{
    TAVQProgressBar bar;
    bar.setBackgroundStyle(colorBox(Green));
    bar.setFillStyle(colorBox(Red));
    bar.resize(200, 20);
    bar.setValue(37);
    QImage image = look(&bar);
    QCOMPARE(boundsOfColour(image, Red), QRect(0, 0, 74, 20));
    QCOMPARE(boundsOfColour(image, Green), QRect(74, 0, 126, 20));

    bar.setOrientation(Qt::Vertical);
    bar.resize(20, 200);
    image = look(&bar);
    QCOMPARE(boundsOfColour(image, Red), QRect(0, 126, 20, 74));
    QCOMPARE(boundsOfColour(image, Green), QRect(0, 0, 20, 126));

    bar.setValue(100);
    QCOMPARE(boundsOfColour(look(&bar), Red), QRect(0, 0, 20, 200));
}

void TestValueControls::progressBarText()
{
    TAVQProgressBar bar;
    bar.LoadFromJson(parse(R"({"style":[["white",0,0],["green",0,2],["percent",0,4]],
                               "attr":{"showText":true,"val":37}})"));
    QVERIFY(bar.showText());
    QCOMPARE(bar.value(), 37);

    for (Qt::Orientation orientation : {Qt::Horizontal, Qt::Vertical}) {
        bar.setOrientation(orientation);
        bar.resize(orientation == Qt::Horizontal ? QSize(200, 30) : QSize(60, 120));
        const QImage actual = render(&bar);

        QImage expected(bar.size(), QImage::Format_ARGB32_Premultiplied);
        expected.fill(Qt::transparent);
        {
            QPainter painter(&expected);
            TAVQPaint::paintBox(&painter, bar.backgroundStyle(), expected.rect());
            TAVQPaint::paintBox(&painter, bar.fillStyle(), implOf<TAVQProgressBarImpl>(bar)->fillRect(expected.rect()));
            TAVQPaint::paintText(&painter, QStringLiteral("37%"), bar.textStyle(), 0, 0, expected.width(),
                                 expected.height(), true);
        }
        savePng(actual, orientation == Qt::Horizontal ? "progress_text_h" : "progress_text_v");
        QCOMPARE(actual, expected);

        // There is text, and it sits in the middle.
        const QRect ink = boundsOf(actual.convertToFormat(QImage::Format_ARGB32),
                                   [](QRgb p) { return qRed(p) < 128 && qGreen(p) < 128; });
        QVERIFY(!ink.isEmpty());
        QVERIFY(qAbs(ink.center().x() - bar.width() / 2) <= 3);
        QVERIFY(qAbs(ink.center().y() - bar.height() / 2) <= 3);
    }

    // Hidden text leaves only the boxes.
    bar.setShowText(false);
    bar.setOrientation(Qt::Horizontal);
    bar.resize(200, 30);
    QCOMPARE(countOf(look(&bar), [](QRgb p) { return p != White && p != Green; }), 0);
}

void TestValueControls::progressBarEmptyRange()
{
    TAVQProgressBar bar;
    bar.setBackgroundStyle(colorBox(Green));
    bar.setFillStyle(colorBox(Red));
    bar.setShowText(true);
    bar.resize(100, 20);
    bar.setRange(5, 5);
    bar.setValue(5);
    QCOMPARE(implOf<TAVQProgressBarImpl>(bar)->fillRect(QRect(0, 0, 100, 20)), QRect());
    const QImage image = look(&bar);
    QCOMPARE(boundsOfColour(image, Red), QRect());
    QCOMPARE(image.pixel(1, 1), Green);
}

void TestValueControls::progressBarLoading()
{
    TAVQProgressBar bar;
    bar.setValue(60);
    bar.LoadFromJson(parse(R"({"style":[["blue",0,0],["red",0,1],["yellow",0,2],["nothing",0,4]],
                               "attr":{"showText":"yes"}})"));
    QCOMPARE(bar.backgroundStyle().color.rgba(), Blue);
    QCOMPARE(bar.fillStyle().color.rgba(), Yellow);
    QCOMPARE(bar.textStyle().size, TAVQFontStyle().size);
    QVERIFY(!bar.showText());
    QCOMPARE(bar.value(), 0); // "val" defaults to 0
    QCOMPARE(bar.minimum(), 0);
    QCOMPARE(bar.maximum(), 100);

    bar.LoadFromJson(parse(R"({"attr":{"val":250}})"));
    QCOMPARE(bar.value(), 0); // out of Qt's range: refused by Qt
    bar.LoadFromJson(parse(R"([])"));
    QCOMPARE(bar.value(), 0);
}

// ---------------------------------------------------------------- LCD number

void TestValueControls::lcdLoading()
{
    TAVQLCDNumber lcd;
    lcd.LoadFromJson(parse(R"({"style":[["blue",0,0],["red",0,1]],
                               "attr":{"digitCount":3,"color":2147418112,"text":"12"}})"));
    QCOMPARE(lcd.backgroundStyle().color.rgba(), Blue);
    QCOMPARE(lcd.digitCount(), 3);
    QCOMPARE(lcd.intValue(), 12);
    // The alpha of the number is dropped: always opaque.
    QCOMPARE(lcd.color(), QColor(0xFF, 0x00, 0x00));
    QCOMPARE(lcd.color().alpha(), 255);

    lcd.LoadFromJson(parse(R"({"attr":{"digitCount":"4","color":"ff0000","text":[7]}})"));
    QCOMPARE(lcd.digitCount(), 3);
    QCOMPARE(lcd.color(), QColor(0xFF, 0x00, 0x00));
    QCOMPARE(lcd.intValue(), 12);
    // Converted as JsonCpp converts: reals truncate, a number is its text.
    lcd.LoadFromJson(parse(R"({"attr":{"digitCount":4.9,"color":255.5,"text":7}})"));
    QCOMPARE(lcd.digitCount(), 4);
    QCOMPARE(lcd.color(), QColor(0x00, 0x00, 0xFF));
    QCOMPARE(lcd.intValue(), 7);
    lcd.setDigitCount(3);
    lcd.display(12);
    lcd.LoadFromJson(parse(R"({"attr":{"color":2147418112}})"));

    lcd.setColor(QColor(1, 2, 3));
    QCOMPARE(lcd.color(), QColor(1, 2, 3));

    // Segment styles by number; anything else keeps the current one.
    QCOMPARE(lcd.segmentStyle(), QLCDNumber().segmentStyle());
    lcd.LoadFromJson(parse(R"({"attr":{"segmentStyle":2}})"));
    QCOMPARE(lcd.segmentStyle(), QLCDNumber::Flat);
    for (const char *json : {R"({"attr":{"segmentStyle":3}})", R"({"attr":{"segmentStyle":-1}})",
                             R"({"attr":{"segmentStyle":"1"}})"}) {
        lcd.LoadFromJson(parse(json));
        QCOMPARE(lcd.segmentStyle(), QLCDNumber::Flat);
    }
    lcd.LoadFromJson(parse(R"({"attr":{"segmentStyle":1}})"));
    QCOMPARE(lcd.segmentStyle(), QLCDNumber::Filled);

    // The background box lies under the digits.
    lcd.resize(80, 40);
    QCOMPARE(look(&lcd).pixel(1, 1), Blue);
}

void TestValueControls::lcdDigitColourWhileActive()
{
    TAVQLCDNumber lcd;
    lcd.LoadFromJson(parse(R"({"style":[["white",0,0]],"attr":{"digitCount":1,"color":16711680,"text":"8"}})"));
    QCOMPARE(lcd.color(), QColor(255, 0, 0));
    lcd.resize(60, 90);
    QWidget other;
    other.resize(50, 50);
    other.show();
    lcd.show();
    QVERIFY(QTest::qWaitForWindowExposed(&lcd));

    lcd.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&lcd));
    const QImage active = look(&lcd);
    savePng(active, "lcd_active");
    auto isRed = [](QRgb p) { return qRed(p) > 200 && qGreen(p) < 60 && qBlue(p) < 60; };
    // An 8 lights all seven segments: plenty of red, spread over the digit.
    QVERIFY2(countOf(active, isRed) > 200, qPrintable(QString::number(countOf(active, isRed))));
    const QRect digit = boundsOf(active, isRed);
    QVERIFY(digit.height() > 50 && digit.width() > 20);
    QCOMPARE(active.pixel(1, 1), White);

    // The colour belongs to the active group only.
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    QVERIFY(!lcd.isActiveWindow());
    QCOMPARE(countOf(look(&lcd), isRed), 0);
}

// ---------------------------------------------------------------- scroll-bar child elements

void TestValueControls::scrollBarChildElements()
{
    TAVQScrollBar horizontal(Qt::Horizontal);
    TAVQScrollBar vertical(Qt::Vertical);
    std::vector<TAVQScrollBarChild> parts;
    configureScrollBars(parse(R"({"child":[
        {"type":"qtscrollbar","h":14,"w":3,
         "attr":{"hor":true,"upicon":"l.png","downicon":"r.png","thumbicon":"t.png","size":9},
         "style":[["blue",0,0],["red",0,2],["yellow",0,4],["orange",0,6],["green",0,10],["purple",0,13],
                  ["grey",0,1],["white",0,14],["nothing",0,3]]},
        {"type":"qtlabel","attr":{"hor":true,"upicon":"x.png"},"style":[["grey",0,0]]},
        {"type":"myscrollbar2","w":11,"attr":{"upicon":"v.png"},
         "style":[["grey",0,0],["orange",0,3],["red",0,9],["blue",0,11],["yellow",0,12]]}]})"),
                       &horizontal, &vertical, [&parts](const TAVQScrollBarChild &child) { parts.push_back(child); });

    QCOMPARE(parts.size(), size_t(2));
    QCOMPARE(parts[0].horizontal, true);
    QCOMPARE(parts[0].size, std::optional<int>(9));
    QCOMPARE(parts[0].thickness, 14);
    QCOMPARE(parts[1].horizontal, false);
    QCOMPARE(parts[1].size, std::optional<int>());
    QCOMPARE(parts[1].thickness, 11);

    QCOMPARE(horizontal.arrowIcon(true), QStringLiteral("l.png"));
    QCOMPARE(horizontal.arrowIcon(false), QStringLiteral("r.png"));
    QCOMPARE(horizontal.thumbIcon(), QStringLiteral("t.png"));
    QCOMPARE(horizontal.grooveStyle().color.rgba(), Blue);
    // Slot 2 fills every sub-line state, slot 4 then replaces state 2.
    QCOMPARE(horizontal.subLineStyle(0).color.rgba(), Red);
    QCOMPARE(horizontal.subLineStyle(1).color.rgba(), Red);
    QCOMPARE(horizontal.subLineStyle(2).color.rgba(), Yellow);
    QCOMPARE(horizontal.subLineStyle(3).color.rgba(), Red);
    for (int state = 0; state < 4; ++state)
        QCOMPARE(horizontal.addLineStyle(state).color.rgba(), Orange);
    QCOMPARE(horizontal.thumbStyle(0).color.rgba(), Green);
    QCOMPARE(horizontal.thumbStyle(2).color.rgba(), Green);
    QCOMPARE(horizontal.thumbStyle(3).color.rgba(), Purple);

    QCOMPARE(vertical.arrowIcon(true), QStringLiteral("v.png"));
    QCOMPARE(vertical.arrowIcon(false), QString());
    QCOMPARE(vertical.grooveStyle().color.rgba(), Grey);
    QCOMPARE(vertical.subLineStyle(0).color.rgba(), White);
    QCOMPARE(vertical.subLineStyle(1).color.rgba(), Orange);
    QCOMPARE(vertical.addLineStyle(3).color.rgba(), Red);
    QCOMPARE(vertical.addLineStyle(2).color.rgba(), White);
    QCOMPARE(vertical.thumbStyle(0).color.rgba(), White);
    QCOMPARE(vertical.thumbStyle(1).color.rgba(), Blue);
    QCOMPARE(vertical.thumbStyle(2).color.rgba(), Yellow);
}

void TestValueControls::scrollBarChildMalformed()
{
    TAVQScrollBar horizontal(Qt::Horizontal);
    TAVQScrollBar vertical(Qt::Vertical);
    vertical.setArrowIcon(true, QStringLiteral("kept.png"));
    std::vector<TAVQScrollBarChild> parts;
    auto record = [&parts](const TAVQScrollBarChild &child) { parts.push_back(child); };

    configureScrollBars(parse(R"({"child":[
        5, [], {"type":5}, {"type":["scrollbar"]}, {},
        {"type":"qtscrollbar","attr":"x","w":"wide","style":7},
        {"type":"qtscrollbar","attr":{"hor":"1","size":"3","upicon":[7]},"w":1e300,"h":4,
         "style":[["red",0,"2"],[3,0,2],["red",0,{}],5]}]})"),
                        &horizontal, &vertical, record);
    QCOMPARE(parts.size(), size_t(2));
    // A wrongly typed "hor" counts as absent: the vertical bar.
    QCOMPARE(parts[0].horizontal, false);
    QCOMPARE(parts[0].thickness, 0);
    QCOMPARE(parts[1].horizontal, false);
    QCOMPARE(parts[1].size, std::optional<int>());
    QCOMPARE(parts[1].thickness, 0);
    // The string "attr" left the icon alone, the object with a bad "upicon" cleared it.
    QCOMPARE(vertical.arrowIcon(true), QString());
    QCOMPARE(vertical.subLineStyle(0).color.rgba(), White);

    // What JsonCpp converts is read: "hor" 1 is true, a real size truncates, a
    // style entry without a slot is slot 0 (the groove).
    parts.clear();
    configureScrollBars(parse(R"({"child":[{"type":"qtscrollbar","attr":{"hor":1,"size":3.7},"h":4.2,
        "style":[["red"]]}]})"), &horizontal, &vertical, record);
    QCOMPARE(parts.size(), size_t(1));
    QCOMPARE(parts[0].horizontal, true);
    QCOMPARE(parts[0].size, std::optional<int>(3));
    QCOMPARE(parts[0].thickness, 4);
    QCOMPARE(horizontal.grooveStyle().color.rgba(), Red);

    // Child lists of the wrong type, and null bars, do nothing.
    for (const QByteArray &json : {QByteArray(R"({"child":{"type":"qtscrollbar"}})"), QByteArray(R"({"child":3})"),
                                   QByteArray(R"([1])"), QByteArray(R"("x")")}) {
        parts.clear();
        configureScrollBars(parse(json), &horizontal, &vertical, record);
        QVERIFY(parts.empty());
    }
    configureScrollBars(parse(R"({"child":[{"type":"qtscrollbar","style":[["red",0,0]]}]})"), nullptr, nullptr,
                        record);
    QCOMPARE(parts.size(), size_t(1));
    configureScrollBars(parse(R"({"child":[{"type":"qtscrollbar","w":5}]})"), &horizontal, &vertical);
}

void TestValueControls::scrollBarSheetTexts()
{
    QCOMPARE(TAVQScrollBarSheets::thicknessWithButtons(12), QLatin1String(ThicknessSheet12));
    QCOMPARE(TAVQScrollBarSheets::thickness(7),
             QStringLiteral("QScrollBar::vertical{ width:7; } QScrollBar::horizontal{ height:7; }"));
    QCOMPARE(TAVQScrollBarSheets::addLineLength(Qt::Horizontal, 9),
             QStringLiteral("QScrollBar::add-line{ width:9px;width:9px; }"));
    QCOMPARE(TAVQScrollBarSheets::subLineLength(Qt::Horizontal, 9),
             QStringLiteral("QScrollBar::sub-line{ width:9px;width:9px; }"));
    QCOMPARE(TAVQScrollBarSheets::addLineLength(Qt::Vertical, 10),
             QStringLiteral("QScrollBar::add-line:vertical{ height:10px;width:10px; }"));
    QCOMPARE(TAVQScrollBarSheets::subLineLength(Qt::Vertical, 10),
             QStringLiteral("QScrollBar::sub-line:vertical{ height:10px;width:10px; }"));

    TAVQScrollBar vertical(Qt::Vertical);
    TAVQScrollBarSheets::applyButtonLength(&vertical, 10);
    QCOMPARE(vertical.styleSheet(), TAVQScrollBarSheets::subLineLength(Qt::Vertical, 10));
    TAVQScrollBarSheets::applyButtonLength(nullptr, 10);
}

// ---------------------------------------------------------------- scroll view

void TestValueControls::scrollViewHasSkinnedBars()
{
    TAVQScrollView view;
    TAVQScrollBar *horizontal = view.skinnedScrollBar(true);
    TAVQScrollBar *vertical = view.skinnedScrollBar(false);
    QVERIFY(horizontal && vertical);
    QCOMPARE(static_cast<QScrollBar *>(horizontal), view.horizontalScrollBar());
    QCOMPARE(static_cast<QScrollBar *>(vertical), view.verticalScrollBar());
    QCOMPARE(horizontal->orientation(), Qt::Horizontal);
    QCOMPARE(vertical->orientation(), Qt::Vertical);

    // A plain bar put in later is no skinned one; the forwards then do nothing.
    view.setHorizontalScrollBar(new QScrollBar(Qt::Horizontal));
    QVERIFY(!view.skinnedScrollBar(true));
    view.setScrollBarThumbStyle(true, StateAll, colorBox(Red));
    view.setScrollBarThickness(true, 5);
    view.setScrollBarButtonLength(true, 5);
    QCOMPARE(view.horizontalScrollBar()->styleSheet(), QString());
}

void TestValueControls::scrollViewScrollBarChild()
{
    QWidget host;
    host.resize(300, 200);
    BuildElements(parse(R"({"elements":[{"type":"qtscrollview","name":"view","x":0,"y":0,"w":200,"h":150,
        "style":[["white",0,0]],
        "child":[{"type":"qtcontainer","x":0,"y":0,"w":400,"h":400,"style":[["grey",0,0]]},
                 {"type":"qtscrollbar","w":12,"h":30,"attr":{"hor":false,"size":7},
                  "style":[["green",0,0],["blue",0,10],["red",0,2],["yellow",0,6]]},
                 {"type":"qtscrollbar","h":30,"attr":{"hor":true,"size":9},
                  "style":[["green",0,0],["blue",0,10],["red",0,2],["yellow",0,6]]}]}]})"),
                  &host);
    auto *view = host.findChild<TAVQScrollView *>(QStringLiteral("view"));
    QVERIFY(view);
    TAVQScrollBar *horizontal = view->skinnedScrollBar(true);
    TAVQScrollBar *vertical = view->skinnedScrollBar(false);
    // The last element's thickness, 30 from its "h", replaced every earlier sheet on both bars.
    const QString sheet30 = QString::fromLatin1(ThicknessSheet12).replace(QLatin1String("12"), QLatin1String("30"));
    QCOMPARE(horizontal->styleSheet(), sheet30);
    QCOMPARE(vertical->styleSheet(), sheet30);
    QCOMPARE(vertical->grooveStyle().color.rgba(), Green);
    QCOMPARE(horizontal->thumbStyle(1).color.rgba(), Blue);

    // A later element without its thickness key sets thickness 0 on both bars.
    BuildElements(parse(R"({"elements":[{"type":"qtscrollview","name":"thin","x":0,"y":0,"w":200,"h":150,
        "child":[{"type":"qtcontainer","x":0,"y":0,"w":400,"h":400,"style":[["grey",0,0]]},
                 {"type":"qtscrollbar","w":12,"attr":{"size":7},
                  "style":[["green",0,0],["blue",0,10],["red",0,2],["yellow",0,6]]},
                 {"type":"qtscrollbar","attr":{"hor":true},
                  "style":[["green",0,0],["blue",0,10],["red",0,2],["yellow",0,6]]}]}]})"),
                  &host);
    auto *thin = host.findChild<TAVQScrollView *>(QStringLiteral("thin"));
    QVERIFY(thin);
    QCOMPARE(thin->skinnedScrollBar(false)->styleSheet(), TAVQScrollBarSheets::thicknessWithButtons(0));
    // Loaded again with the vertical element alone, both bars are 12 pixels thick on screen.
    thin->LoadFromJson(parse(R"({"child":[{"type":"qtscrollbar","w":12,"attr":{"size":7}}]})"));
    QCOMPARE(thin->skinnedScrollBar(true)->styleSheet(), QLatin1String(ThicknessSheet12));
    QCOMPARE(thin->skinnedScrollBar(false)->styleSheet(), QLatin1String(ThicknessSheet12));

    host.show();
    QVERIFY(QTest::qWaitForWindowExposed(&host));
    QTRY_VERIFY(thin->skinnedScrollBar(false)->isVisible());
    QCOMPARE(thin->skinnedScrollBar(false)->width(), 12);
    QCOMPARE(thin->skinnedScrollBar(true)->height(), 12);
    const QImage image = look(thin);
    savePng(image, "scrollview_bars");
    // The vertical bar on the right edge: green groove, blue thumb, red and yellow buttons.
    TAVQScrollBar *bar = thin->skinnedScrollBar(false);
    const QPoint origin = bar->mapTo(thin, QPoint(0, 0));
    QCOMPARE(image.pixel(origin + bar->subControlRect(QStyle::SC_ScrollBarSlider).center()), Blue);
    QCOMPARE(image.pixel(origin + bar->subControlRect(QStyle::SC_ScrollBarSubLine).center()), Red);
    QCOMPARE(image.pixel(origin + bar->subControlRect(QStyle::SC_ScrollBarAddLine).center()), Yellow);
    QCOMPARE(image.pixel(10, 10), Grey);
}

void TestValueControls::scrollViewForwards()
{
    TAVQScrollView view;
    TAVQScrollBar *horizontal = view.skinnedScrollBar(true);
    TAVQScrollBar *vertical = view.skinnedScrollBar(false);

    view.setScrollBarBackgroundStyle(true, colorBox(Green));
    QCOMPARE(horizontal->grooveStyle().color.rgba(), Green);
    QCOMPARE(vertical->grooveStyle().color.rgba(), White);

    view.setScrollBarArrowIcon(false, true, QStringLiteral("up.png"));
    view.setScrollBarArrowIcon(false, false, QStringLiteral("down.png"));
    QCOMPARE(vertical->arrowIcon(true), QStringLiteral("up.png"));
    QCOMPARE(vertical->arrowIcon(false), QStringLiteral("down.png"));
    QCOMPARE(horizontal->arrowIcon(true), QString());

    view.setScrollBarArrowIconPlacement(true, false, TAVQImagePlacement{3, 4, 2, 0});
    QCOMPARE(horizontal->arrowIconPlacement(false).offsetY, 4);
    QCOMPARE(horizontal->arrowIconPlacement(false).alignH, 2);
    QCOMPARE(horizontal->arrowIconPlacement(true).alignH, 1);

    view.setScrollBarArrowStyle(false, true, 1, colorBox(Red));
    view.setScrollBarArrowStyle(false, false, StateAll, colorBox(Yellow));
    QCOMPARE(vertical->subLineStyle(1).color.rgba(), Red);
    QCOMPARE(vertical->subLineStyle(0).color.rgba(), White);
    QCOMPARE(vertical->addLineStyle(3).color.rgba(), Yellow);

    view.setScrollBarThumbIcon(true, QStringLiteral("thumb.png"));
    QCOMPARE(horizontal->thumbIcon(), QStringLiteral("thumb.png"));
    view.setScrollBarThumbStyle(true, 2, colorBox(Purple));
    QCOMPARE(horizontal->thumbStyle(2).color.rgba(), Purple);
    QCOMPARE(horizontal->thumbStyle(0).color.rgba(), White);

    view.setScrollBarButtonLength(true, 9);
    QCOMPARE(horizontal->styleSheet(), QStringLiteral("QScrollBar::sub-line{ width:9px;width:9px; }"));
    QCOMPARE(vertical->styleSheet(), QString());

    view.setScrollBarThickness(false, 20);
    QCOMPARE(vertical->thickness(), 20);
    QCOMPARE(vertical->sizeHint().width(), 20);
    QCOMPARE(horizontal->thickness(), -1);
}

void TestValueControls::pageWithValueControls()
{
    QWidget page;
    page.resize(420, 260);
    page.setAutoFillBackground(true);
    page.setPalette(QPalette(QColor(0xF4, 0xF6, 0xFA)));

    auto *slider = new TAVQSlider(&page);
    slider->LoadFromJson(parse(R"({"style":[["grey",0,0],["blue",0,2],["orange",0,4],["purple",0,6]],
        "attr":{"thumbW":16,"thumbH":16,"channelSize":6,"min":0,"max":100,"val":40}})"));
    slider->setGeometry(10, 10, 180, 24);

    auto *progress = new TAVQProgressBar(&page);
    progress->LoadFromJson(parse(R"({"style":[["grey",0,0],["green",0,2],["percent",0,4]],
        "attr":{"showText":true,"val":62}})"));
    progress->setGeometry(10, 50, 180, 24);

    auto *lcd = new TAVQLCDNumber(&page);
    lcd->LoadFromJson(parse(R"({"style":[["white",0,0]],"attr":{"digitCount":4,"color":255,"text":"2024"}})"));
    lcd->setGeometry(10, 90, 180, 60);

    BuildElements(parse(R"({"elements":[{"type":"qtscrollview","name":"view","x":210,"y":10,"w":200,"h":240,
        "style":[["white",0,0]],
        "child":[{"type":"qtcontainer","x":0,"y":0,"w":300,"h":500,"style":[["yellow",0,0]]},
                 {"type":"qtscrollbar","w":14,"attr":{"upicon":"up.png","downicon":"down.png"},
                  "style":[["grey",0,0],["blue",0,10],["orange",0,11],["red",0,2],["red",0,6]]},
                 {"type":"qtscrollbar","attr":{"hor":true,"thumbicon":"thumb.png"},"h":14,
                  "style":[["grey",0,0],["blue",0,10],["red",0,2],["red",0,6]]}]}]})"),
                  &page);
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    QApplication::setActiveWindow(&page);
    QVERIFY(QTest::qWaitForWindowActive(&page));

    const QImage image = look(&page);
    savePng(image, "value_controls_page");
    // Slider: the fill up to 40 % of 180 pixels, the thumb over it.
    QCOMPARE(image.pixel(10 + 5, 10 + 12), Blue);
    QCOMPARE(image.pixel(10 + 170, 10 + 12), Grey);
    QCOMPARE(image.pixel(slider->handleRect().center() + QPoint(10, 10)), Orange);
    // Progress: 62 % filled.
    QCOMPARE(image.pixel(10 + 2, 50 + 2), Green);
    QCOMPARE(image.pixel(10 + 178, 50 + 2), Grey);
    // LCD: blue digits on white.
    QVERIFY(countOf(image.copy(lcd->geometry()), [](QRgb p) { return p == Blue; }) > 100);
    auto *view = page.findChild<TAVQScrollView *>(QStringLiteral("view"));
    QCOMPARE(view->skinnedScrollBar(false)->width(), 14);
    QCOMPARE(view->skinnedScrollBar(true)->height(), 14);
}

void TestValueControls::propertiesReachTheAccessors_data()
{
    QTest::addColumn<QByteArray>("type");
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QVariant>("value");
    QTest::newRow("slider channelSize") << QByteArray("slider") << QByteArray("channelSize") << QVariant(4);
    QTest::newRow("bar thumbIcon") << QByteArray("bar") << QByteArray("thumbIcon") << QVariant(QStringLiteral("t"));
    QTest::newRow("bar thickness") << QByteArray("bar") << QByteArray("thickness") << QVariant(9);
    QTest::newRow("progress showText") << QByteArray("progress") << QByteArray("showText") << QVariant(true);
    QTest::newRow("lcd color") << QByteArray("lcd") << QByteArray("color") << QVariant(QColor(Red));
}

void TestValueControls::propertiesReachTheAccessors()
{
    QFETCH(QByteArray, type);
    QFETCH(QByteArray, name);
    QFETCH(QVariant, value);
    std::unique_ptr<QWidget> control;
    if (type == "slider")
        control = std::make_unique<TAVQSlider>();
    else if (type == "bar")
        control = std::make_unique<TAVQScrollBar>();
    else if (type == "progress")
        control = std::make_unique<TAVQProgressBar>();
    else
        control = std::make_unique<TAVQLCDNumber>();
    QVERIFY(control->property(name) != value);
    QVERIFY(control->setProperty(name, value));
    QCOMPARE(control->property(name), value);
}

QTEST_MAIN(TestValueControls)
#include "tst_valuecontrols.moc"
