#include "cscrollbarstyle.h"

#include "controls/tavqvaluecontrols.h"

namespace TAVQtLib {

CScrollBarStyle::CScrollBarStyle()
    : QProxyStyle()
{
}

CScrollBarStyle *CScrollBarStyle::instance()
{
    static CScrollBarStyle *const style = new CScrollBarStyle;
    return style;
}

QRect CScrollBarStyle::subElementRect(SubElement element, const QStyleOption *option, const QWidget *widget) const
{
    return QCommonStyle::subElementRect(element, option, widget);
}

QRect CScrollBarStyle::subControlRect(ComplexControl control, const QStyleOptionComplex *option,
                                      SubControl subControl, const QWidget *widget) const
{
    QRect rect = QCommonStyle::subControlRect(control, option, subControl, widget);
    const auto *slider = qobject_cast<const TAVQSlider *>(widget);
    if (control != CC_Slider || subControl != SC_SliderHandle || !slider)
        return rect;
    // The handle keeps its place along the groove and is centred across it.
    const int width = slider->thumbWidth();
    const int height = slider->thumbHeight();
    if (slider->orientation() == Qt::Horizontal)
        rect.setTop((slider->height() - height) / 2);
    else
        rect.setLeft((slider->width() - width) / 2);
    rect.setWidth(width);
    rect.setHeight(height);
    return rect;
}

int CScrollBarStyle::pixelMetric(PixelMetric metric, const QStyleOption *option, const QWidget *widget) const
{
    const int value = QProxyStyle::pixelMetric(metric, option, widget);
    const auto *slider = qobject_cast<const TAVQSlider *>(widget);
    if (metric != PM_SliderLength || !slider)
        return value;
    return slider->orientation() == Qt::Horizontal ? slider->thumbWidth() : slider->thumbHeight();
}

} // namespace TAVQtLib
