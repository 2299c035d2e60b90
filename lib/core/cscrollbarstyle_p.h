#ifndef TAVQ_CSCROLLBARSTYLE_H
#define TAVQ_CSCROLLBARSTYLE_H

#include "tavqtlib_export.h"

#include <QProxyStyle>

namespace TAVQtLib {

// The application style: the platform's default style, with sub-element and
// sub-control geometry from Qt's common style and the fixed-size handle of
// TAVQSlider.
class CScrollBarStyle : public QProxyStyle
{
    Q_OBJECT

public:
    CScrollBarStyle();

    // The one instance, made on first use; QApplication::setStyle takes it over.
    static CScrollBarStyle *instance();

    QRect subElementRect(SubElement element, const QStyleOption *option, const QWidget *widget) const override;
    QRect subControlRect(ComplexControl control, const QStyleOptionComplex *option, SubControl subControl,
                         const QWidget *widget) const override;
    int pixelMetric(PixelMetric metric, const QStyleOption *option = nullptr,
                    const QWidget *widget = nullptr) const override;
};

} // namespace TAVQtLib

#endif
