#include "cscrollbarstyle_p.h"

#include <QSlider>
#include <QVariant>

#include <optional>

namespace TAVQtLib {

namespace {

// A slider that gives its thumb's size as the "thumbSize" property has a thumb
// of that fixed size; other sliders keep the common geometry.
std::optional<QSize> fixedThumbSize(const QWidget *widget)
{
    if (!qobject_cast<const QSlider *>(widget))
        return std::nullopt;
    const QVariant size = widget->property("thumbSize");
    if (size.userType() != QMetaType::QSize)
        return std::nullopt;
    return size.toSize();
}

} // namespace

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
    if (control != CC_Slider || subControl != SC_SliderHandle)
        return rect;
    const std::optional<QSize> thumb = fixedThumbSize(widget);
    if (!thumb)
        return rect;
    // The handle keeps its place along the groove and is centred across it.
    const int width = thumb->width();
    const int height = thumb->height();
    if (static_cast<const QSlider *>(widget)->orientation() == Qt::Horizontal)
        rect.setTop((widget->height() - height) / 2);
    else
        rect.setLeft((widget->width() - width) / 2);
    rect.setWidth(width);
    rect.setHeight(height);
    return rect;
}

int CScrollBarStyle::pixelMetric(PixelMetric metric, const QStyleOption *option, const QWidget *widget) const
{
    const int value = QProxyStyle::pixelMetric(metric, option, widget);
    if (metric != PM_SliderLength)
        return value;
    const std::optional<QSize> thumb = fixedThumbSize(widget);
    if (!thumb)
        return value;
    return static_cast<const QSlider *>(widget)->orientation() == Qt::Horizontal ? thumb->width() : thumb->height();
}

} // namespace TAVQtLib
