#ifndef TAVQ_STYLE_H
#define TAVQ_STYLE_H

#include "tavqtlib_export.h"

#include <QColor>
#include <QFont>
#include <QMap>
#include <QString>

#include <optional>

namespace Json {
class Value;
}

namespace TAVQtLib {

// How to paint a rectangle: a colour box or a nine-slice image.
struct TAVQTLIB_EXPORT TAVQBoxStyle
{
    // False for the names "empty" and "emptyRect": nothing is painted.
    bool visible = true;
    // A colour box (true) or a nine-slice image (false).
    bool useColor = true;
    // Fill colour, the end colour of a left-to-right gradient, and border colour.
    QColor color = QColor(255, 255, 255);
    QColor endColor = QColor(255, 255, 255);
    QColor borderColor = QColor(128, 128, 128);
    // Whether the fill is a gradient from `color` to `endColor`.
    bool gradient = false;
    // Corner radius in pixels, 0 for square corners.
    int round = 0;
    // Border width in pixels.
    int borderSize = 0;
    // Whether a border is drawn at all, and on which sides.
    bool border = true;
    bool leftBorder = true;
    bool topBorder = true;
    bool rightBorder = true;
    bool bottomBorder = true;
    // The nine-slice image, by resource name.
    QString img;
    // Slice sizes and tiling of the image, as TAVQSliceSet holds them.
    int sliceLeft = 0;
    int sliceRight = 0;
    int sliceTop = 0;
    int sliceBottom = 0;
    bool repeatLeft = false;
    bool repeatRight = false;
    bool repeatTop = false;
    bool repeatBottom = false;
    bool repeatCenter = false;
};

struct TAVQFontStyle;

// The QFont of a font style, kept between paints. It is made at the first use
// and again once a field it was made from, or the application font a new QFont
// starts from, has changed; copies of a style share the font made.
class TAVQTLIB_EXPORT TAVQFontCache
{
public:
    // The font of `style`, made anew only when needed.
    const QFont &font(const TAVQFontStyle &style);

private:
    bool madeFor(const TAVQFontStyle &style, const QFont &base) const;

    // The font, none before the first use, and what it was made from.
    std::optional<QFont> m_font;
    std::optional<QFont> m_base;
    bool m_bold = false;
    bool m_italic = false;
    bool m_underline = false;
    int m_size = 0;
    QString m_family;
};

// How to draw a text.
struct TAVQTLIB_EXPORT TAVQFontStyle
{
    // Weight, slant, pixel size, underline and family of the font.
    bool bold = false;
    bool italic = false;
    int size = 12;
    bool underline = false;
    QString family = QStringLiteral("Airal");
    // Text colour, always opaque.
    QColor color;
    // Offsets of the text from the rectangle it is drawn in.
    int x = 0;
    int y = 0;
    // Whether the text reads horizontally (true) or top to bottom.
    bool isHor = true;
    // Alignment: horizontal 0 left, 1 centre, 2 right; vertical 0 top, 1 middle, 2 bottom.
    int hor = 0;
    int ver = 1;
    // 3 draws the whole text; any other value elides it at the right.
    int elide = 1;

    // The font the weight, slant, size, underline and family describe: pixel
    // size (when above 0), family, weight 75 or 50, italic, underline. Made once
    // and kept in `fontCache` until one of those fields changes.
    const QFont &font() const { return fontCache.font(*this); }

    // Where font() keeps its font; no field of the style.
    mutable TAVQFontCache fontCache = {};
};

// Styles by name, as a style sheet defines them.
using TAVQBoxStyleTable = QMap<QString, TAVQBoxStyle>;
using TAVQFontStyleTable = QMap<QString, TAVQFontStyle>;

// A hexadecimal colour number read as C's strtoul with base 16 reads it.
TAVQTLIB_EXPORT quint32 parseColorNumber(const QByteArray &text);
// Box colours are AARRGGBB; text colours RRGGBB and always opaque.
TAVQTLIB_EXPORT QColor boxColorFromString(const QByteArray &text);
TAVQTLIB_EXPORT QColor fontColorFromString(const QByteArray &text);

// Texts of pages and font families are stored in GBK.
TAVQTLIB_EXPORT QString fromGbk(const QByteArray &bytes);

// Reads one definition of the style sheet; nothing when it is none of ours.
TAVQTLIB_EXPORT TAVQBoxStyle parseBoxStyle(const Json::Value &definition);
TAVQTLIB_EXPORT TAVQFontStyle parseFontStyle(const Json::Value &definition);

// Fills the tables from the value of the style sheet's member "style";
// the first definition of a name wins.
TAVQTLIB_EXPORT void parseStyles(const Json::Value &styles, TAVQBoxStyleTable *boxes, TAVQFontStyleTable *fonts);
// The same into the resource manager's tables.
TAVQTLIB_EXPORT void parseStyles(const Json::Value &styles);

} // namespace TAVQtLib

#endif
