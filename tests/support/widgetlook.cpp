#include "widgetlook.h"

#include <QPixmap>
#include <QWidget>

QImage look(QWidget *widget)
{
    return widget->grab().toImage().convertToFormat(QImage::Format_ARGB32);
}

QImage lookOpaque(QWidget *widget)
{
    return widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

QRect boundsOf(const QImage &image, const std::function<bool(QRgb)> &match, const QRect &area)
{
    const QRect scan = area.isNull() ? image.rect() : area & image.rect();
    QRect bounds;
    for (int y = scan.top(); y <= scan.bottom(); ++y) {
        for (int x = scan.left(); x <= scan.right(); ++x) {
            if (match(image.pixel(x, y)))
                bounds |= QRect(x, y, 1, 1);
        }
    }
    return bounds;
}

QRect boundsOfColour(const QImage &image, QRgb colour, const QRect &area)
{
    return boundsOf(image, [colour](QRgb pixel) { return pixel == colour; }, area);
}
