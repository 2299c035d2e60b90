#ifndef TAVQ_WIDGETLOOK_H
#define TAVQ_WIDGETLOOK_H

#include <QImage>
#include <QRect>

#include <functional>

class QWidget;

// What `widget` shows, as ARGB32, so that pixel() gives the colours the test set.
QImage look(QWidget *widget);

// What `widget` shows with the alpha channel dropped (RGB32), as a screen shows it.
QImage lookOpaque(QWidget *widget);

// The smallest rectangle holding every pixel of `image` for which `match` holds,
// within `area` (a null area is the whole image); null when there is none.
QRect boundsOf(const QImage &image, const std::function<bool(QRgb)> &match, const QRect &area = QRect());

// boundsOf the pixels that are exactly `colour`.
QRect boundsOfColour(const QImage &image, QRgb colour, const QRect &area = QRect());

#endif
