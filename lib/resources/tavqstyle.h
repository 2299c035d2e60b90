#ifndef TAVQ_STYLE_H
#define TAVQ_STYLE_H

#include <QColor>
#include <QMap>
#include <QString>

namespace Json {
class Value;
}

namespace TAVQtLib {

// How to paint a rectangle: a colour box or a nine-slice image.
struct TAVQBoxStyle
{
    bool visible = true;
    bool useColor = true;
    QColor color = QColor(255, 255, 255);
    QColor endColor = QColor(255, 255, 255);
    QColor borderColor = QColor(128, 128, 128);
    bool gradient = false;
    int round = 0;
    int borderSize = 0;
    bool border = true;
    bool leftBorder = true;
    bool topBorder = true;
    bool rightBorder = true;
    bool bottomBorder = true;
    QString img;
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

// How to draw a text.
struct TAVQFontStyle
{
    bool bold = false;
    bool italic = false;
    int size = 12;
    bool underline = false;
    QString family = QStringLiteral("Airal");
    QColor color;
    int x = 0;
    int y = 0;
    bool isHor = true;
    int hor = 0;
    int ver = 1;
    int elide = 1;
};

using TAVQBoxStyleTable = QMap<QString, TAVQBoxStyle>;
using TAVQFontStyleTable = QMap<QString, TAVQFontStyle>;

// A hexadecimal colour number read as C's strtoul with base 16 reads it.
quint32 parseColorNumber(const QByteArray &text);
// Box colours are AARRGGBB; text colours RRGGBB and always opaque.
QColor boxColorFromString(const QByteArray &text);
QColor fontColorFromString(const QByteArray &text);

// Texts of pages and font families are stored in GBK.
QString fromGbk(const QByteArray &bytes);

// Reads one definition of the style sheet; nothing when it is none of ours.
TAVQBoxStyle parseBoxStyle(const Json::Value &definition);
TAVQFontStyle parseFontStyle(const Json::Value &definition);

// Fills the tables from the value of the style sheet's member "style";
// the first definition of a name wins.
void parseStyles(const Json::Value &styles, TAVQBoxStyleTable *boxes, TAVQFontStyleTable *fonts);
// The same into the resource manager's tables.
void parseStyles(const Json::Value &styles);

} // namespace TAVQtLib

#endif
