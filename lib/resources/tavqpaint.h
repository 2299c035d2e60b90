#ifndef TAVQ_PAINT_H
#define TAVQ_PAINT_H

#include "tavqtlib_export.h"

#include "tavqstyle.h"

#include <QRect>
#include <QString>

class QFont;
class QPainter;

namespace TAVQtLib {

// The slice part of a box style; the repeat flags other than the centre's are
// carried along and ignored.
struct TAVQTLIB_EXPORT TAVQSliceSet
{
    // Widths of the left and right and heights of the top and bottom slices, in
    // image pixels.
    int sliceLeft = 0;
    int sliceRight = 0;
    int sliceTop = 0;
    int sliceBottom = 0;
    // Whether a part is tiled rather than stretched; only the centre's counts.
    bool repeatLeft = false;
    bool repeatRight = false;
    bool repeatTop = false;
    bool repeatBottom = false;
    bool repeatCenter = false;

    // The slice fields of a box style.
    static TAVQSliceSet fromBoxStyle(const TAVQBoxStyle &style);
};

// Where an icon or mark goes inside a rectangle: offsets, then alignments
// (0 start, 1 centre, 2 end).
struct TAVQTLIB_EXPORT TAVQImagePlacement
{
    // Pixels added to the aligned position.
    int offsetX = 0;
    int offsetY = 0;
    // Horizontal and vertical alignment: 0 start, 1 centre, 2 end.
    int alignH = 0;
    int alignV = 0;
};

// The five painting operations shared by every control and window. Each draws
// at once with the caller's painter; images are fetched from the resource
// manager by name.
namespace TAVQPaint {

// Paints a box style over the rectangle: its colour box or its nine-slice
// image; nothing when the style is not visible.
TAVQTLIB_EXPORT void paintBox(QPainter *painter, const TAVQBoxStyle &style, const QRect &rect);
TAVQTLIB_EXPORT void paintBox(QPainter *painter, const TAVQBoxStyle &style, int x, int y, int w, int h);
// Paints the colour box of a style: fill or gradient, rounded corners, border.
TAVQTLIB_EXPORT void paintColorBox(QPainter *painter, const TAVQBoxStyle &style, int x, int y, int w, int h);
// Paints the named image cut in nine slices over the rectangle: corners as they
// are, edges and centre stretched or tiled; nothing for an unknown image.
TAVQTLIB_EXPORT void paintSlicedImage(QPainter *painter, const QString &image, const TAVQSliceSet &slices, int x, int y, int w, int h);
TAVQTLIB_EXPORT void paintSlicedImage(QPainter *painter, const TAVQBoxStyle &style, int x, int y, int w, int h);
// Paints the named image at its own size, placed in the rectangle; nothing for
// an unknown image.
TAVQTLIB_EXPORT void paintAlignedImage(QPainter *painter, const QString &image, const TAVQImagePlacement &placement, const QRect &rect);
// Draws a text in a font style (font, colour, offsets, alignment, elision), read
// horizontally or, with `horizontal` false, vertically.
TAVQTLIB_EXPORT void paintText(QPainter *painter, const QString &text, const TAVQFontStyle &font, const QRect &rect);
TAVQTLIB_EXPORT void paintText(QPainter *painter, const QString &text, const TAVQFontStyle &font, int x, int y, int w, int h, bool horizontal);

// The part of `rect` (logical coordinates) the painter can change: inside its clip, its
// device and, on a widget, the part of the widget its ancestors leave visible.
TAVQTLIB_EXPORT QRect visibleArea(const QPainter *painter, const QRect &rect);

// The text alignment of a font style's "hor" and "ver"; unknown values add no flag.
TAVQTLIB_EXPORT Qt::Alignment alignmentOf(const TAVQFontStyle &font);

// The font a font style describes (pixel size, family, weight 75 or 50, italic,
// underline): the style's own font(), made once and kept with it.
TAVQTLIB_EXPORT QFont fontOf(const TAVQFontStyle &style);

} // namespace TAVQPaint

} // namespace TAVQtLib

#endif
