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

/// How to paint a rectangle: a colour box or a nine-slice image.
struct TAVQTLIB_EXPORT TAVQBoxStyle
{
    /// False for the names "empty" and "emptyRect": nothing is painted.
    bool visible = true;
    /// A colour box (true) or a nine-slice image (false).
    bool useColor = true;
    QColor color = QColor(255, 255, 255);        ///< Fill colour (the start of a gradient)
    QColor endColor = QColor(255, 255, 255);     ///< End colour of a left-to-right gradient
    QColor borderColor = QColor(128, 128, 128);  ///< Border colour
    /// Whether the fill is a gradient from `color` to `endColor`.
    bool gradient = false;
    /// Corner radius in pixels, 0 for square corners.
    int round = 0;
    /// Border width in pixels.
    int borderSize = 0;
    bool border = true;        ///< Whether a border is drawn at all
    bool leftBorder = true;    ///< Whether the left side has a border
    bool topBorder = true;     ///< Whether the top side has a border
    bool rightBorder = true;   ///< Whether the right side has a border
    bool bottomBorder = true;  ///< Whether the bottom side has a border
    /// The nine-slice image, by resource name.
    QString img;
    int sliceLeft = 0;          ///< Width of the image's left slices, in image pixels
    int sliceRight = 0;         ///< Width of the image's right slices
    int sliceTop = 0;           ///< Height of the image's top slices
    int sliceBottom = 0;        ///< Height of the image's bottom slices
    bool repeatLeft = false;    ///< Carried along; the left edge is always stretched
    bool repeatRight = false;   ///< Carried along; the right edge is always stretched
    bool repeatTop = false;     ///< Carried along; the top edge is always stretched
    bool repeatBottom = false;  ///< Carried along; the bottom edge is always stretched
    bool repeatCenter = false;  ///< Whether the centre is tiled (true) or stretched
};

struct TAVQFontStyle;

/**
 * \brief The QFont of a font style, kept between paints.
 *
 * It is made at the first use and again once a field it was made from, or the
 * application font a new QFont starts from, has changed. Each TAVQFontStyle
 * holds one; use TAVQFontStyle::font() rather than this class.
 *
 * \code
 * TAVQtLib::TAVQFontStyle title;
 * title.size = 22;
 * painter.setFont(title.font());   // made here, kept for the next paint
 * \endcode
 */
class TAVQTLIB_EXPORT TAVQFontCache
{
public:
    /// The font of `style`, made anew only when needed.
    const QFont &font(const TAVQFontStyle &style);

private:
    TAVQTLIB_NO_EXPORT bool madeFor(const TAVQFontStyle &style, const QFont &base) const;

    /// The font, none before the first use, and what it was made from.
    std::optional<QFont> m_font;
    std::optional<QFont> m_base;
    bool m_bold = false;
    bool m_italic = false;
    bool m_underline = false;
    int m_size = 0;
    QString m_family;
};

/// How to draw a text.
struct TAVQTLIB_EXPORT TAVQFontStyle
{
    bool bold = false;                          ///< Bold (weight 75) or normal (50)
    bool italic = false;                        ///< Italic
    int size = 12;                              ///< Pixel size; 0 or less keeps the application font's
    bool underline = false;                     ///< Underlined
    QString family = QStringLiteral("Airal");   ///< Font family
    /// Text colour, always opaque.
    QColor color;
    int x = 0; ///< Horizontal offset of the text in the rectangle it is drawn in
    int y = 0; ///< Vertical offset of the text in the rectangle it is drawn in
    /// Whether the text reads horizontally (true) or top to bottom.
    bool isHor = true;
    int hor = 0; ///< Horizontal alignment: 0 left, 1 centre, 2 right
    int ver = 1; ///< Vertical alignment: 0 top, 1 middle, 2 bottom
    /// 3 draws the whole text; any other value elides it at the right.
    int elide = 1;

    /// The font the weight, slant, size, underline and family describe: pixel
    /// size (when above 0), family, weight 75 or 50, italic, underline. Made once
    /// and kept in `fontCache` until one of those fields changes.
    const QFont &font() const;

    /// Where font() keeps its font; no field of the style.
    mutable TAVQFontCache fontCache = {};
};

/// Box styles by name, as a style sheet defines them.
using TAVQBoxStyleTable = QMap<QString, TAVQBoxStyle>;
/// Font styles by name, as a style sheet defines them.
using TAVQFontStyleTable = QMap<QString, TAVQFontStyle>;

/// A hexadecimal colour number read as C's strtoul with base 16 reads it.
TAVQTLIB_EXPORT quint32 parseColorNumber(const QByteArray &text);
/// A box colour from AARRGGBB hexadecimal (six digits read as alpha 0).
TAVQTLIB_EXPORT QColor boxColorFromString(const QByteArray &text);
/// A text colour from RRGGBB hexadecimal, always opaque.
TAVQTLIB_EXPORT QColor fontColorFromString(const QByteArray &text);

/// Texts of pages and font families are stored in GBK.
TAVQTLIB_EXPORT QString fromGbk(const QByteArray &bytes);

/// Reads one box definition ("type" 1) of the style sheet; missing keys keep the defaults.
TAVQTLIB_EXPORT TAVQBoxStyle parseBoxStyle(const Json::Value &definition);
/// Reads one font definition ("type" 2) of the style sheet; missing keys keep the defaults.
TAVQTLIB_EXPORT TAVQFontStyle parseFontStyle(const Json::Value &definition);

/// Fills the tables from the value of the style sheet's member "style";
/// the first definition of a name wins.
TAVQTLIB_EXPORT void parseStyles(const Json::Value &styles, TAVQBoxStyleTable *boxes, TAVQFontStyleTable *fonts);
/// The same into the resource manager's tables.
TAVQTLIB_EXPORT void parseStyles(const Json::Value &styles);

} // namespace TAVQtLib

#endif
