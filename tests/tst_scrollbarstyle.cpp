#include "controls/tavqvaluecontrols.h"
#include "core/cscrollbarstyle_p.h"
#include "base/tavqjson_p.h"
#include "testjson.h"

#include <QCommonStyle>
#include <QPushButton>
#include <QScrollBar>
#include <QSlider>
#include <QStyleFactory>
#include <QStyleOption>
#include <QtTest>

#include <memory>

using namespace TAVQtLib;

namespace {

// Qt's common geometry fed with the platform style's metrics: what the
// application style must answer for every widget but TAVQSlider.
class CommonGeometry : public QCommonStyle
{
public:
    explicit CommonGeometry(QStyle *platform)
        : m_platform(platform)
    {
    }
    int pixelMetric(PixelMetric metric, const QStyleOption *option, const QWidget *widget) const override
    {
        return m_platform->pixelMetric(metric, option, widget);
    }

private:
    QStyle *m_platform;
};

// The option a slider or scroll bar describes itself with (their own
// initStyleOption is protected).
QStyleOptionSlider sliderOption(const QAbstractSlider *slider)
{
    QStyleOptionSlider option;
    option.initFrom(slider);
    option.subControls = QStyle::SC_All;
    option.orientation = slider->orientation();
    option.minimum = slider->minimum();
    option.maximum = slider->maximum();
    option.sliderPosition = slider->sliderPosition();
    option.sliderValue = slider->value();
    option.singleStep = slider->singleStep();
    option.pageStep = slider->pageStep();
    option.upsideDown = slider->invertedAppearance();
    if (slider->orientation() == Qt::Horizontal)
        option.state |= QStyle::State_Horizontal;
    if (const auto *s = qobject_cast<const QSlider *>(slider)) {
        option.tickPosition = s->tickPosition();
        option.tickInterval = s->tickInterval();
    }
    return option;
}

} // namespace

class TestScrollBarStyle : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void oneInstanceProxiesThePlatformStyle();
    void plainSliderIsUntouched();
    void scrollBarsAndSubElementsUseCommonGeometry();
    void horizontalHandleIsCentredAcross();
    void verticalHandleIsCentredAcross();
    void oversizedHandleTruncatesTowardZero();
    void handleFollowsLoadedThumbSize();

private:
    std::unique_ptr<QStyle> m_platform;
};

void TestScrollBarStyle::initTestCase()
{
    QApplication::setStyle(CScrollBarStyle::instance());
    QCOMPARE(QApplication::style(), CScrollBarStyle::instance());
    QStyle *base = CScrollBarStyle::instance()->baseStyle();
    QVERIFY(base);
    m_platform.reset(QStyleFactory::create(base->objectName()));
    QVERIFY(m_platform);
}

void TestScrollBarStyle::oneInstanceProxiesThePlatformStyle()
{
    CScrollBarStyle *style = CScrollBarStyle::instance();
    QCOMPARE(CScrollBarStyle::instance(), style);
    QStyle *base = style->baseStyle();
    QVERIFY(!qobject_cast<CScrollBarStyle *>(base));
    QCOMPARE(base->objectName(), m_platform->objectName());
    // Everything not overridden is the platform style's.
    QCOMPARE(style->pixelMetric(QStyle::PM_ScrollBarExtent), m_platform->pixelMetric(QStyle::PM_ScrollBarExtent));
    QCOMPARE(style->styleHint(QStyle::SH_ScrollBar_MiddleClickAbsolutePosition),
             m_platform->styleHint(QStyle::SH_ScrollBar_MiddleClickAbsolutePosition));
}

void TestScrollBarStyle::plainSliderIsUntouched()
{
    const CommonGeometry reference(m_platform.get());
    for (Qt::Orientation orientation : {Qt::Horizontal, Qt::Vertical}) {
        QSlider slider(orientation);
        slider.resize(orientation == Qt::Horizontal ? QSize(200, 30) : QSize(30, 200));
        slider.setRange(0, 100);
        slider.setValue(40);
        const QStyleOptionSlider option = sliderOption(&slider);

        const int length = CScrollBarStyle::instance()->pixelMetric(QStyle::PM_SliderLength, &option, &slider);
        QCOMPARE(length, m_platform->pixelMetric(QStyle::PM_SliderLength, &option, &slider));

        const QRect handle = CScrollBarStyle::instance()->subControlRect(QStyle::CC_Slider, &option,
                                                                         QStyle::SC_SliderHandle, &slider);
        QCOMPARE(handle, reference.subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, &slider));
        QCOMPARE(handle, slider.style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, &slider));
        QCOMPARE(orientation == Qt::Horizontal ? handle.width() : handle.height(), length);
    }
}

void TestScrollBarStyle::scrollBarsAndSubElementsUseCommonGeometry()
{
    const CommonGeometry reference(m_platform.get());
    CScrollBarStyle *style = CScrollBarStyle::instance();

    QScrollBar bar(Qt::Vertical);
    bar.resize(16, 300);
    bar.setRange(0, 500);
    bar.setPageStep(100);
    bar.setValue(250);
    const QStyleOptionSlider option = sliderOption(&bar);
    for (QStyle::SubControl part : {QStyle::SC_ScrollBarSlider, QStyle::SC_ScrollBarAddLine,
                                    QStyle::SC_ScrollBarSubLine, QStyle::SC_ScrollBarGroove}) {
        QCOMPARE(style->subControlRect(QStyle::CC_ScrollBar, &option, part, &bar),
                 reference.subControlRect(QStyle::CC_ScrollBar, &option, part, &bar));
    }

    QPushButton button(QStringLiteral("Go"));
    button.resize(120, 40);
    QStyleOptionButton buttonOption;
    buttonOption.initFrom(&button);
    buttonOption.text = button.text();
    for (QStyle::SubElement element : {QStyle::SE_PushButtonContents, QStyle::SE_PushButtonFocusRect}) {
        QCOMPARE(style->subElementRect(element, &buttonOption, &button),
                 reference.subElementRect(element, &buttonOption, &button));
    }
}

void TestScrollBarStyle::horizontalHandleIsCentredAcross()
{
    TAVQSlider slider(nullptr, Qt::Horizontal);
    slider.resize(200, 30);
    slider.setRange(0, 100);
    slider.setValue(50);
    slider.setThumbSize(16, 11);
    const QStyleOptionSlider option = sliderOption(&slider);

    QCOMPARE(CScrollBarStyle::instance()->pixelMetric(QStyle::PM_SliderLength, &option, &slider), 16);
    const QRect handle = slider.handleRect();
    QCOMPARE(handle, CScrollBarStyle::instance()->subControlRect(QStyle::CC_Slider, &option,
                                                                  QStyle::SC_SliderHandle, &slider));
    // Along the groove it stays where the common style puts a 16-pixel handle.
    const int along = QStyle::sliderPositionFromValue(0, 100, 50, 200 - 16, false);
    QCOMPARE(handle, QRect(along, 9, 16, 11));
}

void TestScrollBarStyle::verticalHandleIsCentredAcross()
{
    TAVQSlider slider(nullptr, Qt::Vertical);
    slider.resize(31, 200);
    slider.setRange(0, 100);
    slider.setValue(25);
    slider.setThumbSize(12, 18);
    const QStyleOptionSlider option = sliderOption(&slider);

    QCOMPARE(CScrollBarStyle::instance()->pixelMetric(QStyle::PM_SliderLength, &option, &slider), 18);
    // A vertical slider runs bottom to top.
    const int along = QStyle::sliderPositionFromValue(0, 100, 25, 200 - 18, true);
    QCOMPARE(slider.handleRect(), QRect((31 - 12) / 2, along, 12, 18));
}

void TestScrollBarStyle::oversizedHandleTruncatesTowardZero()
{
    TAVQSlider slider(nullptr, Qt::Horizontal);
    slider.resize(100, 30);
    slider.setThumbSize(10, 31);
    // (30 - 31) / 2 truncates to 0, not -1.
    QCOMPARE(slider.handleRect().top(), 0);
    QCOMPARE(slider.handleRect().height(), 31);

    TAVQSlider vertical(nullptr, Qt::Vertical);
    vertical.resize(20, 100);
    vertical.setThumbSize(23, 10);
    QCOMPARE(vertical.handleRect().left(), -1);
    QCOMPARE(vertical.handleRect().width(), 23);
}

void TestScrollBarStyle::handleFollowsLoadedThumbSize()
{
    TAVQSlider slider;
    slider.LoadFromJson(parse(R"({"attr":{"isHor":true,"thumbW":24,"thumbH":14,"min":0,"max":10,"val":10}})"));
    slider.resize(124, 40);
    QCOMPARE(slider.orientation(), Qt::Horizontal);
    QCOMPARE(slider.handleRect(), QRect(100, 13, 24, 14));
}

QTEST_MAIN(TestScrollBarStyle)
#include "tst_scrollbarstyle.moc"
