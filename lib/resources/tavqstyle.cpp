#include "tavqstyle.h"

#include "core/tavqjson.h"

#include <QTextCodec>

#include <json/value.h>

#include <cctype>

namespace TAVQtLib {

using namespace JsonRead;

quint32 parseColorNumber(const QByteArray &text)
{
    const char *p = text.constData();
    while (*p && std::isspace(uchar(*p)))
        ++p;
    bool negative = false;
    if (*p == '+' || *p == '-')
        negative = *p++ == '-';
    if (p[0] == '0' && (p[1] == 'x' || p[1] == 'X') && std::isxdigit(uchar(p[2])))
        p += 2;
    quint64 value = 0;
    bool overflow = false;
    for (; std::isxdigit(uchar(*p)); ++p) {
        const int digit = std::isdigit(uchar(*p)) ? *p - '0' : (std::tolower(uchar(*p)) - 'a' + 10);
        value = value * 16 + quint64(digit);
        if (value > 0xFFFFFFFFull)
            overflow = true, value = 0xFFFFFFFFull;
    }
    if (overflow)
        return 0xFFFFFFFFu;
    // strtoul negates in the unsigned type.
    return negative ? quint32(0u - quint32(value)) : quint32(value);
}

QColor boxColorFromString(const QByteArray &text)
{
    return QColor::fromRgba(parseColorNumber(text));
}

QColor fontColorFromString(const QByteArray &text)
{
    return QColor::fromRgb(parseColorNumber(text) | 0xFF000000u);
}

QString fromGbk(const QByteArray &bytes)
{
    static QTextCodec *const codec = QTextCodec::codecForName("GBK");
    return codec ? codec->toUnicode(bytes) : QString::fromLocal8Bit(bytes);
}

namespace {

const char *const DefaultColor = "ffffffff";

void readMargin(const Json::Value &definition, TAVQBoxStyle *style)
{
    const Json::Value *margin = member(definition, "margin");
    if (!margin || !margin->isArray())
        return;
    // top, right, bottom, left
    int *const slices[] = {&style->sliceTop, &style->sliceRight, &style->sliceBottom, &style->sliceLeft};
    for (Json::ArrayIndex i = 0; i < 4; ++i)
        *slices[i] = i < margin->size() ? toInt((*margin)[i]).value_or(0) : 0;
}

QString nameOf(const Json::Value &definition)
{
    return QString::fromUtf8(bytesMember(definition, "name"));
}

void addStyle(const Json::Value &definition, TAVQBoxStyleTable *boxes, TAVQFontStyleTable *fonts)
{
    const Json::Value *typeValue = member(definition, "type");
    const std::optional<int> type = typeValue ? toInt(*typeValue) : std::nullopt;
    if (type == 1) {
        const QString name = nameOf(definition);
        if (!boxes->contains(name))
            boxes->insert(name, parseBoxStyle(definition));
    } else if (type == 2) {
        const QString name = nameOf(definition);
        if (!fonts->contains(name))
            fonts->insert(name, parseFontStyle(definition));
    }
}

} // namespace

TAVQBoxStyle parseBoxStyle(const Json::Value &d)
{
    TAVQBoxStyle s;
    s.visible = nameOf(d) != QLatin1String("empty");
    s.useColor = !boolMember(d, "drawImg", true);
    s.color = boxColorFromString(bytesMember(d, "clr", DefaultColor));
    s.borderColor = boxColorFromString(bytesMember(d, "borderclr", DefaultColor));
    s.round = intMember(d, "round", 0);
    s.borderSize = intMember(d, "borderSize", 1);
    s.border = boolMember(d, "border", false);
    s.leftBorder = boolMember(d, "leftBorder", true);
    s.topBorder = boolMember(d, "topBorder", true);
    s.rightBorder = boolMember(d, "rightBorder", true);
    s.bottomBorder = boolMember(d, "bottomBorder", true);
    s.img = QString::fromUtf8(bytesMember(d, "img"));
    readMargin(d, &s);
    s.repeatLeft = boolMember(d, "repeatLeft", false);
    s.repeatRight = boolMember(d, "repeatRight", false);
    s.repeatTop = boolMember(d, "repeatTop", false);
    s.repeatBottom = boolMember(d, "repeatBottom", false);
    s.repeatCenter = boolMember(d, "repeatCenter", false);
    return s;
}

TAVQFontStyle parseFontStyle(const Json::Value &d)
{
    TAVQFontStyle s;
    s.bold = boolMember(d, "bold", false);
    s.italic = boolMember(d, "italic", false);
    s.size = intMember(d, "size", 12);
    s.underline = boolMember(d, "underline", false);
    const Json::Value *family = member(d, "family");
    const std::optional<QByteArray> familyBytes = family ? toBytes(*family) : std::nullopt;
    s.family = familyBytes ? fromGbk(*familyBytes) : QStringLiteral("微软雅黑");
    s.color = fontColorFromString(bytesMember(d, "clr", DefaultColor));
    s.x = intMember(d, "x", 0);
    s.y = intMember(d, "y", 0);
    s.isHor = boolMember(d, "isHor", true);
    s.hor = intMember(d, "hor", 0);
    s.ver = intMember(d, "ver", 1);
    return s;
}

void parseStyles(const Json::Value &styles, TAVQBoxStyleTable *boxes, TAVQFontStyleTable *fonts)
{
    // An array in its order, or an object in the sorted order of its member names.
    if (!styles.isArray() && !styles.isObject())
        return;
    for (const Json::Value &definition : styles)
        addStyle(definition, boxes, fonts);
}


} // namespace TAVQtLib
