#ifndef TAVQ_PAINT_H
#define TAVQ_PAINT_H

#include "tavqtlib_export.h"

#include "tavqstyle.h"

#include <QRect>
#include <QString>

class QFont;
class QPainter;

namespace TAVQtLib {

/// The slice part of a box style; the repeat flags other than the centre's are
/// carried along and ignored.
struct TAVQTLIB_EXPORT TAVQSliceSet
{
    int sliceLeft = 0;          ///< Width of the left slices, in image pixels
    int sliceRight = 0;         ///< Width of the right slices, in image pixels
    int sliceTop = 0;           ///< Height of the top slices, in image pixels
    int sliceBottom = 0;        ///< Height of the bottom slices, in image pixels
    bool repeatLeft = false;    ///< Carried along; the left edge is always stretched
    bool repeatRight = false;   ///< Carried along; the right edge is always stretched
    bool repeatTop = false;     ///< Carried along; the top edge is always stretched
    bool repeatBottom = false;  ///< Carried along; the bottom edge is always stretched
    bool repeatCenter = false;  ///< Whether the centre is tiled (true) or stretched

    /// The slice fields of a box style.
    static TAVQSliceSet fromBoxStyle(const TAVQBoxStyle &style);
};

/// Where an icon or mark goes inside a rectangle: offsets, then alignments
/// (0 start, 1 centre, 2 end).
struct TAVQTLIB_EXPORT TAVQImagePlacement
{
    int offsetX = 0; ///< Pixels added to the aligned horizontal position
    int offsetY = 0; ///< Pixels added to the aligned vertical position
    int alignH = 0;  ///< Horizontal alignment: 0 left, 1 centre, 2 right
    int alignV = 0;  ///< Vertical alignment: 0 top, 1 middle, 2 bottom
};

/// The five painting operations shared by every control and window. Each draws
/// at once with the caller's painter; images are fetched from the resource
/// manager by name.
namespace TAVQPaint {

/// Paints a box style over the rectangle: its colour box or its nine-slice
/// image; nothing when the style is not visible.
TAVQTLIB_EXPORT void paintBox(QPainter *painter, const TAVQBoxStyle &style, const QRect &rect);
/// As paintBox(QPainter *, const TAVQBoxStyle &, const QRect &), over (x, y, w, h).
TAVQTLIB_EXPORT void paintBox(QPainter *painter, const TAVQBoxStyle &style, int x, int y, int w, int h);
/// Paints the colour box of a style: fill or gradient, rounded corners, border.
TAVQTLIB_EXPORT void paintColorBox(QPainter *painter, const TAVQBoxStyle &style, int x, int y, int w, int h);
/// Paints the named image cut in nine slices over the rectangle: corners as they
/// are, edges and centre stretched or tiled; nothing for an unknown image.
TAVQTLIB_EXPORT void paintSlicedImage(QPainter *painter, const QString &image, const TAVQSliceSet &slices, int x, int y, int w, int h);
/// Paints a box style's own nine-slice image (its `image` and slice fields).
TAVQTLIB_EXPORT void paintSlicedImage(QPainter *painter, const TAVQBoxStyle &style, int x, int y, int w, int h);
/// Paints the named image at its own size, placed in the rectangle; nothing for
/// an unknown image.
TAVQTLIB_EXPORT void paintAlignedImage(QPainter *painter, const QString &image, const TAVQImagePlacement &placement, const QRect &rect);
/// Draws a text in a font style (font, colour, offsets, alignment, elision), read
/// horizontally or, with `horizontal` false, vertically.
TAVQTLIB_EXPORT void paintText(QPainter *painter, const QString &text, const TAVQFontStyle &font, const QRect &rect);
/// As the one above, over (x, y, w, h); `horizontal` false stacks the characters
/// top to bottom.
TAVQTLIB_EXPORT void paintText(QPainter *painter, const QString &text, const TAVQFontStyle &font, int x, int y, int w, int h, bool horizontal);

/// The part of `rect` (logical coordinates) the painter can change: inside its clip, its
/// device and, on a widget, the part of the widget its ancestors leave visible.
TAVQTLIB_EXPORT QRect visibleArea(const QPainter *painter, const QRect &rect);

/// The text alignment of a font style's "hor" and "ver"; unknown values add no flag.
TAVQTLIB_EXPORT Qt::Alignment alignmentOf(const TAVQFontStyle &font);

/// The font a font style describes (pixel size, family, weight 75 or 50, italic,
/// underline): the style's own font(), made once and kept with it.
TAVQTLIB_EXPORT QFont fontOf(const TAVQFontStyle &style);

} // namespace TAVQPaint

} // namespace TAVQtLib

#endif
