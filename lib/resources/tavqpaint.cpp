#include "tavqpaint.h"

#include "tavqresourcemanager.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QTextOption>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace TAVQtLib {

TAVQSliceSet TAVQSliceSet::fromBoxStyle(const TAVQBoxStyle &style)
{
    TAVQSliceSet slices;
    slices.sliceLeft = style.sliceLeft;
    slices.sliceRight = style.sliceRight;
    slices.sliceTop = style.sliceTop;
    slices.sliceBottom = style.sliceBottom;
    slices.repeatLeft = style.repeatLeft;
    slices.repeatRight = style.repeatRight;
    slices.repeatTop = style.repeatTop;
    slices.repeatBottom = style.repeatBottom;
    slices.repeatCenter = style.repeatCenter;
    return slices;
}

namespace TAVQPaint {

namespace {

QLinearGradient horizontalGradient(const TAVQBoxStyle &style, int x, int w)
{
    QLinearGradient gradient(QPointF(x, 0), QPointF(x + w, 0));
    gradient.setColorAt(0, style.color);
    gradient.setColorAt(1, style.endColor);
    return gradient;
}

void fillSquareBox(QPainter *painter, const TAVQBoxStyle &style, const QRect &box)
{
    if (style.gradient) {
        painter->fillRect(box, horizontalGradient(style, box.x(), box.width()));
        return;
    }
    painter->setBrush(QBrush(style.color));
    painter->fillRect(box, painter->brush());
}

void fillRoundBox(QPainter *painter, const TAVQBoxStyle &style, const QRect &box)
{
    QPainterPath path;
    path.addRoundedRect(QRectF(box), style.round, style.round, Qt::AbsoluteSize);
    if (style.gradient) {
        painter->fillPath(path, horizontalGradient(style, box.x(), box.width()));
        return;
    }
    painter->setBrush(QBrush(style.color));
    painter->fillPath(path, painter->brush());
}

// The lines sit on the same inset as the square outline, rounded or not.
void drawBorderLines(QPainter *painter, const TAVQBoxStyle &style, int x, int y, int w, int h)
{
    const int bs = style.borderSize;
    const int right = x + w - bs;
    const int bottom = y + h - bs;
    if (style.bottomBorder)
        painter->drawLine(QPoint(x, bottom), QPoint(right, bottom));
    if (style.topBorder)
        painter->drawLine(QPoint(x, y), QPoint(right, y));
    if (style.rightBorder)
        painter->drawLine(QPoint(right, y), QPoint(right, bottom));
    if (style.leftBorder)
        painter->drawLine(QPoint(x, y), QPoint(x, bottom));
}

bool isPositive(const QRect &rect)
{
    return rect.width() > 0 && rect.height() > 0;
}

void drawPiece(QPainter *painter, const QImage &image, const QRect &target, const QRect &source)
{
    if (isPositive(target) && isPositive(source))
        painter->drawImage(target, image, source);
}

// Only the tiles that meet the visible area are drawn, on the grid that
// starts at the target's corner.
void tilePiece(QPainter *painter, const QImage &image, const QRect &target, const QRect &source)
{
    if (!isPositive(target) || !isPositive(source))
        return;
    const int columns = int(std::ceil(float(target.width()) / float(source.width())));
    const int rows = int(std::ceil(float(target.height()) / float(source.height())));
    painter->save();
    painter->setClipRect(target, Qt::ReplaceClip);
    // In pixels from the target's corner; the area lies inside the target.
    const QRect visible = visibleArea(painter, target).translated(-target.topLeft());
    if (!visible.isEmpty()) {
        const int lastRow = std::min(rows - 1, visible.bottom() / source.height());
        const int lastColumn = std::min(columns - 1, visible.right() / source.width());
        for (int row = visible.top() / source.height(); row <= lastRow; ++row) {
            for (int column = visible.left() / source.width(); column <= lastColumn; ++column) {
                const QPoint at(target.x() + column * source.width(), target.y() + row * source.height());
                painter->drawImage(at, image, source);
            }
        }
    }
    painter->restore();
}

int alignedPosition(int align, int start, int extent, int size)
{
    switch (align) {
    case 0:
        return start;
    case 1:
        return start + (extent - size) / 2;
    case 2:
        return start + extent - size;
    default:
        return 0;
    }
}


// A widget's rectangle less what its ancestors cut off, in its own coordinates.
QRect unobscuredRect(const QWidget *widget)
{
    QRect shown = widget->rect();
    QPoint origin;  // the widget's corner in the current ancestor
    for (const QWidget *child = widget; !child->isWindow() && child->parentWidget();
         child = child->parentWidget()) {
        origin += child->pos();
        shown &= child->parentWidget()->rect().translated(-origin);
    }
    return shown;
}

// Drawn on its side into a temporary image, then turned clockwise so it reads
// from top to bottom. The image holds only the visible part (and a pixel
// around it for smoothing); whole-pixel offsets keep the glyphs as they were.
void paintVerticalText(QPainter *painter, const QString &text, const TAVQFontStyle &style,
                       const QTextOption &option, int x, int y, int w, int h)
{
    const QRect rect(x, y, w, h);
    const QRect shown = visibleArea(painter, rect).adjusted(-1, -1, 1, 1) & rect;
    if (shown.isEmpty())
        return;
    // Turned image pixel (i, j) lands on screen pixel (x + w - 1 - j, y + i).
    const QPoint corner(shown.top() - y, x + w - 1 - shown.right());
    QImage turned(shown.height(), shown.width(), QImage::Format_ARGB32);
    turned.fill(Qt::transparent);
    QPainter imagePainter(&turned);
    imagePainter.translate(-corner);
    imagePainter.setPen(QPen(style.color));
    imagePainter.setFont(style.font());
    imagePainter.drawText(QRectF(0, 0, h, w), text, option);
    imagePainter.end();

    painter->save();
    painter->rotate(90);
    // (y, -x - w) in the turned coordinates is (x, y) on screen; this keeps text
    // in rectangles away from the left edge where the rectangle is.
    painter->drawImage(QPoint(y, -x - w) + corner, turned);
    painter->restore();
}

} // namespace

QRect visibleArea(const QPainter *painter, const QRect &rect)
{
    QRect area = rect;
    if (painter->hasClipping())
        area &= painter->clipBoundingRect().toAlignedRect();
    const QPaintDevice *device = painter->device();
    // A picture's size is only what it has recorded so far.
    if (!device || device->devType() == QInternal::Picture || area.isEmpty())
        return area;
    // A widget's paint event region is a clip the painter does not report: its
    // ancestors' bounds are what keep a huge control in a small window cheap.
    QRect bound(0, 0, device->width(), device->height());
    if (device->devType() == QInternal::Widget)
        bound = unobscuredRect(static_cast<const QWidget *>(device));
    // Device units are never fewer than logical ones, but for a ratio below 1.
    const qreal ratio = std::min<qreal>(1, device->devicePixelRatioF());
    bool invertible = false;
    const QTransform toLogical = painter->combinedTransform().inverted(&invertible);
    if (!invertible)
        return QRect();
    const QRectF deviceArea(bound.x() / ratio, bound.y() / ratio, bound.width() / ratio, bound.height() / ratio);
    return area & toLogical.mapRect(deviceArea).toAlignedRect();
}

Qt::Alignment alignmentOf(const TAVQFontStyle &font)
{
    Qt::Alignment alignment;
    switch (font.hor) {
    case 0: alignment |= Qt::AlignLeft; break;
    case 1: alignment |= Qt::AlignHCenter; break;
    case 2: alignment |= Qt::AlignRight; break;
    default: break;
    }
    switch (font.ver) {
    case 0: alignment |= Qt::AlignTop; break;
    case 1: alignment |= Qt::AlignVCenter; break;
    case 2: alignment |= Qt::AlignBottom; break;
    default: break;
    }
    return alignment;
}

void paintBox(QPainter *painter, const TAVQBoxStyle &style, const QRect &rect)
{
    paintBox(painter, style, rect.x(), rect.y(), rect.width(), rect.height());
}

void paintBox(QPainter *painter, const TAVQBoxStyle &style, int x, int y, int w, int h)
{
    if (!style.visible)
        return;
    if (style.useColor)
        paintColorBox(painter, style, x, y, w, h);
    else
        paintSlicedImage(painter, style, x, y, w, h);
}

void paintColorBox(QPainter *painter, const TAVQBoxStyle &style, int x, int y, int w, int h)
{
    const int bs = style.borderSize;
    painter->setPen(QPen(QBrush(style.borderColor), bs, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin));

    const QRect box(x, y, w, h);
    QRect outline;
    if (style.round == 0) {
        outline = QRect(x, y, w - bs, h - bs);
        fillSquareBox(painter, style, box);
    } else {
        outline = QRect(x + bs, y + bs, w - 2 * bs, h - 2 * bs);
        painter->setRenderHint(QPainter::Antialiasing, true);
        fillRoundBox(painter, style, box);
    }

    if (!style.border || bs == 0)
        return;
    if (!(style.bottomBorder && style.topBorder && style.rightBorder && style.leftBorder)) {
        drawBorderLines(painter, style, x, y, w, h);
        return;
    }
    if (style.round == 0)
        painter->drawRect(outline);
    else
        painter->drawRoundedRect(QRectF(outline), style.round, style.round, Qt::RelativeSize);
}

void paintSlicedImage(QPainter *painter, const TAVQBoxStyle &style, int x, int y, int w, int h)
{
    paintSlicedImage(painter, style.img, TAVQSliceSet::fromBoxStyle(style), x, y, w, h);
}

void paintSlicedImage(QPainter *painter, const QString &image, const TAVQSliceSet &slices,
                      int x, int y, int w, int h)
{
    if (w == 0 || h == 0)
        return;
    const QImage *source = TAVQResourceManager::instance().image(image);
    if (!source)
        return;

    const QImage &img = *source;
    const int iw = img.width();
    const int ih = img.height();
    const int l = slices.sliceLeft;
    const int r = slices.sliceRight;
    const int t = slices.sliceTop;
    const int b = slices.sliceBottom;

    if (t != 0)
        drawPiece(painter, img, QRect(x + l, y, w - l - r, t), QRect(l, 0, iw - l - r, t));
    if (b != 0)
        drawPiece(painter, img, QRect(x + l, y + h - b, w - l - r, b), QRect(l, ih - b, iw - l - r, b));
    if (l != 0)
        drawPiece(painter, img, QRect(x, y + t, l, h - t - b), QRect(0, t, l, ih - t - b));
    if (r != 0)
        drawPiece(painter, img, QRect(x + w - r, y + t, r, h - t - b), QRect(iw - r, t, r, ih - t - b));
    if (t != 0 && l != 0)
        drawPiece(painter, img, QRect(x, y, l, t), QRect(0, 0, l, t));
    if (t != 0 && r != 0)
        drawPiece(painter, img, QRect(x + w - r, y, r, t), QRect(iw - r, 0, r, t));
    if (b != 0 && l != 0)
        drawPiece(painter, img, QRect(x, y + h - b, l, b), QRect(0, ih - b, l, b));
    if (b != 0 && r != 0)
        drawPiece(painter, img, QRect(x + w - r, y + h - b, r, b), QRect(iw - r, ih - b, r, b));

    const QRect centreTarget(x + l, y + t, w - l - r, h - t - b);
    const QRect centreSource(l, t, iw - l - r, ih - t - b);
    if (slices.repeatCenter)
        tilePiece(painter, img, centreTarget, centreSource);
    else
        drawPiece(painter, img, centreTarget, centreSource);
}

void paintAlignedImage(QPainter *painter, const QString &image, const TAVQImagePlacement &placement,
                       const QRect &rect)
{
    const QImage *img = TAVQResourceManager::instance().image(image);
    if (!img || img->width() == 0 || img->height() == 0)
        return;
    const int left = alignedPosition(placement.alignH, rect.x(), rect.width(), img->width());
    const int top = alignedPosition(placement.alignV, rect.y(), rect.height(), img->height());
    painter->drawImage(QPoint(left + placement.offsetX, top + placement.offsetY), *img);
}

void paintText(QPainter *painter, const QString &text, const TAVQFontStyle &font, const QRect &rect)
{
    paintText(painter, text, font, rect.x(), rect.y(), rect.width(), rect.height(), font.isHor);
}

void paintText(QPainter *painter, const QString &text, const TAVQFontStyle &font,
               int x, int y, int w, int h, bool horizontal)
{
    const QRectF textRect(x + font.x, y + font.y, w - font.x, h - font.y);
    painter->setBrush(QBrush(font.color));
    painter->setRenderHint(QPainter::TextAntialiasing, true);
    const QTextOption option(alignmentOf(font));

    if (!horizontal) {
        paintVerticalText(painter, text, font, option, x, y, w, h);
        return;
    }

    const QFont &qfont = font.font();
    painter->setPen(QPen(font.color));
    painter->setFont(qfont);
    // Eliding measures the whole rectangle, not the offset text rectangle.
    const QString shown = font.elide == 3
            ? text
            : QFontMetrics(qfont).elidedText(text, Qt::ElideRight, w - 2);
    painter->drawText(textRect, shown, option);
}

QFont fontOf(const TAVQFontStyle &style)
{
    return style.font();
}

} // namespace TAVQPaint

} // namespace TAVQtLib
