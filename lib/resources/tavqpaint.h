#ifndef TAVQ_PAINT_H
#define TAVQ_PAINT_H

#include "tavqstyle.h"

#include <QRect>
#include <QString>

class QFont;
class QPainter;

namespace TAVQtLib {

// The slice part of a box style; the repeat flags other than the centre's are
// carried along and ignored.
struct TAVQSliceSet
{
    int sliceLeft = 0;
    int sliceRight = 0;
    int sliceTop = 0;
    int sliceBottom = 0;
    bool repeatLeft = false;
    bool repeatRight = false;
    bool repeatTop = false;
    bool repeatBottom = false;
    bool repeatCenter = false;

    static TAVQSliceSet fromBoxStyle(const TAVQBoxStyle &style);
};

// Where an icon or mark goes inside a rectangle: offsets, then alignments
// (0 start, 1 centre, 2 end).
struct TAVQImagePlacement
{
    int offsetX = 0;
    int offsetY = 0;
    int alignH = 0;
    int alignV = 0;
};

// The five painting operations shared by every control and window. Each draws
// at once with the caller's painter; images are fetched from the resource
// manager by name.
namespace TAVQPaint {

void paintBox(QPainter *painter, const TAVQBoxStyle &style, const QRect &rect);
void paintBox(QPainter *painter, const TAVQBoxStyle &style, int x, int y, int w, int h);
void paintColorBox(QPainter *painter, const TAVQBoxStyle &style, int x, int y, int w, int h);
void paintSlicedImage(QPainter *painter, const QString &image, const TAVQSliceSet &slices, int x, int y, int w, int h);
void paintSlicedImage(QPainter *painter, const TAVQBoxStyle &style, int x, int y, int w, int h);
void paintAlignedImage(QPainter *painter, const QString &image, const TAVQImagePlacement &placement, const QRect &rect);
void paintText(QPainter *painter, const QString &text, const TAVQFontStyle &font, const QRect &rect);
void paintText(QPainter *painter, const QString &text, const TAVQFontStyle &font, int x, int y, int w, int h, bool horizontal);

// The text alignment of a font style's "hor" and "ver"; unknown values add no flag.
Qt::Alignment alignmentOf(const TAVQFontStyle &font);

// The font a font style describes (pixel size, family, weight 75 or 50, italic, underline).
QFont fontOf(const TAVQFontStyle &style);

} // namespace TAVQPaint

} // namespace TAVQtLib

#endif
