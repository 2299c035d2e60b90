#include "tavqstyle.h"

#include "base/tavqjson_p.h"
#include "base/tavqkeyreader_p.h"
#include "base/tavqkeytable_p.h"
#include "base/tavqtextcodec.h"
#include "resources/tavqstylekeys_p.h"


#include <json/value.h>

#include <algorithm>
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

const QFont &TAVQFontStyle::font() const
{
    return fontCache.font(*this);
}

const QFont &TAVQFontCache::font(const TAVQFontStyle &style)
{
    // A new QFont takes what the style leaves open from the application font.
    const QFont base;
    if (madeFor(style, base))
        return *m_font;
    QFont font = base;
    // Qt ignores a size of 0 or less anyway; skipping it spares the warning.
    if (style.size > 0)
        font.setPixelSize(style.size);
    font.setFamily(style.family);
    font.setWeight(style.bold ? QFont::Bold : QFont::Normal);
    font.setItalic(style.italic);
    font.setUnderline(style.underline);
    m_font = font;
    m_base = base;
    m_bold = style.bold;
    m_italic = style.italic;
    m_underline = style.underline;
    m_size = style.size;
    m_family = style.family;
    return *m_font;
}

bool TAVQFontCache::madeFor(const TAVQFontStyle &style, const QFont &base) const
{
    return m_font && m_bold == style.bold && m_italic == style.italic && m_underline == style.underline
            && m_size == style.size && m_family == style.family && *m_base == base;
}

QString fromGbk(const QByteArray &bytes)
{
    // GBK's single bytes are ASCII; most page texts are nothing else, and
    // finding the codec costs far more than the text.
    if (!bytes.isEmpty() && std::all_of(bytes.cbegin(), bytes.cend(), [](char c) { return uchar(c) < 0x80; }))
        return QString::fromLatin1(bytes.constData(), bytes.size());
    return TextCodec::toUnicode(bytes, "GBK");
}

namespace {

const char *const DefaultColor = "ffffffff";

constexpr TAVQKey BoxStyleKeys[] = {
    {"type", TAVQValueKind::Int},          {"name", TAVQValueKind::Text},
    {"drawImg", TAVQValueKind::Bool},      {"clr", TAVQValueKind::Text},
    {"borderclr", TAVQValueKind::Text},    {"round", TAVQValueKind::Int},
    {"borderSize", TAVQValueKind::Int},    {"border", TAVQValueKind::Bool},
    {"leftBorder", TAVQValueKind::Bool},   {"topBorder", TAVQValueKind::Bool},
    {"rightBorder", TAVQValueKind::Bool},  {"bottomBorder", TAVQValueKind::Bool},
    {"img", TAVQValueKind::Image},         {"margin", TAVQValueKind::List},
    {"repeatLeft", TAVQValueKind::Bool},   {"repeatRight", TAVQValueKind::Bool},
    {"repeatTop", TAVQValueKind::Bool},    {"repeatBottom", TAVQValueKind::Bool},
    {"repeatCenter", TAVQValueKind::Bool},
};

constexpr TAVQKey FontStyleKeys[] = {
    {"type", TAVQValueKind::Int},      {"name", TAVQValueKind::Text},  {"bold", TAVQValueKind::Bool},
    {"italic", TAVQValueKind::Bool},   {"size", TAVQValueKind::Int},   {"underline", TAVQValueKind::Bool},
    {"family", TAVQValueKind::Text},   {"clr", TAVQValueKind::Text},   {"x", TAVQValueKind::Int},
    {"y", TAVQValueKind::Int},         {"isHor", TAVQValueKind::Bool}, {"hor", TAVQValueKind::Int},
    {"ver", TAVQValueKind::Int},
};

} // namespace

const TAVQControlTable BoxStyleAttributes{BoxStyleKeys, {}};
const TAVQControlTable FontStyleAttributes{FontStyleKeys, {}};

namespace {

void readMargin(const TAVQKeyReader &definition, TAVQBoxStyle *style)
{
    const Json::Value *margin = definition.value("margin", TAVQValueKind::List);
    if (!margin || !margin->isArray())
        return;
    // top, right, bottom, left
    int *const slices[] = {&style->sliceTop, &style->sliceRight, &style->sliceBottom, &style->sliceLeft};
    for (Json::ArrayIndex i = 0; i < 4; ++i)
        *slices[i] = i < margin->size() ? toInt((*margin)[i]).value_or(0) : 0;
}

QString nameOf(const TAVQKeyReader &definition)
{
    return QString::fromUtf8(definition.bytesMember("name"));
}

void addStyle(const Json::Value &definition, TAVQBoxStyleTable *boxes, TAVQFontStyleTable *fonts)
{
    const Json::Value *typeValue = member(definition, "type");
    const std::optional<int> type = typeValue ? toInt(*typeValue) : std::nullopt;
    if (type == 1) {
        const QString name = nameOf(TAVQKeyReader(BoxStyleAttributes.keys, definition));
        if (!boxes->contains(name))
            boxes->insert(name, parseBoxStyle(definition));
    } else if (type == 2) {
        const QString name = nameOf(TAVQKeyReader(FontStyleAttributes.keys, definition));
        if (!fonts->contains(name))
            fonts->insert(name, parseFontStyle(definition));
    }
}

} // namespace

TAVQBoxStyle parseBoxStyle(const Json::Value &definition)
{
    const TAVQKeyReader d(BoxStyleAttributes.keys, definition);
    TAVQBoxStyle s;
    s.visible = nameOf(d) != QLatin1String("empty");
    s.useColor = !d.boolMember("drawImg", true);
    s.color = boxColorFromString(d.bytesMember("clr", DefaultColor));
    s.borderColor = boxColorFromString(d.bytesMember("borderclr", DefaultColor));
    s.round = d.intMember("round", 0);
    s.borderSize = d.intMember("borderSize", 1);
    s.border = d.boolMember("border", false);
    s.leftBorder = d.boolMember("leftBorder", true);
    s.topBorder = d.boolMember("topBorder", true);
    s.rightBorder = d.boolMember("rightBorder", true);
    s.bottomBorder = d.boolMember("bottomBorder", true);
    s.img = QString::fromUtf8(d.bytesMember("img"));
    readMargin(d, &s);
    s.repeatLeft = d.boolMember("repeatLeft", false);
    s.repeatRight = d.boolMember("repeatRight", false);
    s.repeatTop = d.boolMember("repeatTop", false);
    s.repeatBottom = d.boolMember("repeatBottom", false);
    s.repeatCenter = d.boolMember("repeatCenter", false);
    return s;
}

TAVQFontStyle parseFontStyle(const Json::Value &definition)
{
    const TAVQKeyReader d(FontStyleAttributes.keys, definition);
    TAVQFontStyle s;
    s.bold = d.boolMember("bold", false);
    s.italic = d.boolMember("italic", false);
    s.size = d.intMember("size", 12);
    s.underline = d.boolMember("underline", false);
    const std::optional<QByteArray> familyBytes = d.optionalBytes("family");
    s.family = familyBytes ? fromGbk(*familyBytes) : QStringLiteral("微软雅黑");
    s.color = fontColorFromString(d.bytesMember("clr", DefaultColor));
    s.x = d.intMember("x", 0);
    s.y = d.intMember("y", 0);
    s.isHor = d.boolMember("isHor", true);
    s.hor = d.intMember("hor", 0);
    s.ver = d.intMember("ver", 1);
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
