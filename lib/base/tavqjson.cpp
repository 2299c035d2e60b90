#include "tavqjson_p.h"
#include "tavqjsonparser_p.h"
#include "tavqlimits.h"

#include <json/reader.h>

#include <exception>
#include <string>

namespace TAVQtLib {
namespace JsonRead {

namespace {

// A string longer than the bound is cut, before a UTF-8 sequence rather than in it.
int boundedLength(const char *begin, const char *end)
{
    if (end - begin <= Limits::MaxStringBytes)
        return int(end - begin);
    int length = Limits::MaxStringBytes;
    for (int i = 0; i < 3 && (uchar(begin[length]) & 0xC0) == 0x80; ++i)
        --length;
    return length;
}

// Calls JsonCpp's own conversion, but only for values that isConvertibleTo says it
// takes: exactly those on which the conversion does not throw (its range checks
// included). The catch is the guard for any JsonCpp that disagrees with itself.
template <typename Convert>
auto convert(const Json::Value &value, Json::ValueType kind, Convert conversion)
    -> std::optional<decltype(conversion(value))>
{
    if (!value.isConvertibleTo(kind))
        return std::nullopt;
    try {
        return conversion(value);
    } catch (const std::exception &) {
        return std::nullopt;
    }
}

} // namespace

const Json::Value *member(const Json::Value &object, const char *key)
{
    if (!object.isObject())
        return nullptr;
    return object.find(key, key + std::char_traits<char>::length(key));
}

std::optional<int> toInt(const Json::Value &value)
{
    // Page and style integers are positions, sizes, counts and RGB values; bounded
    // like widget sizes, no sum of a few of them can overflow.
    if (const auto number = toBits(value))
        return qBound(-MaxPageInt, *number, MaxPageInt);
    return std::nullopt;
}

std::optional<int> toBits(const Json::Value &value)
{
    // Most page values are plain integers; asInt takes any value isInt accepts.
    if (value.isInt())
        return int(value.asInt());
    return convert(value, Json::intValue, [](const Json::Value &v) { return int(v.asInt()); });
}

std::optional<unsigned> toUInt(const Json::Value &value)
{
    return convert(value, Json::uintValue, [](const Json::Value &v) { return unsigned(v.asUInt()); });
}

std::optional<bool> toBool(const Json::Value &value)
{
    return convert(value, Json::booleanValue, [](const Json::Value &v) { return v.asBool(); });
}

std::optional<QByteArray> toBytes(const Json::Value &value)
{
    if (const auto bytes = stringBytes(value))
        return bytes;
    return convert(value, Json::stringValue, [](const Json::Value &v) {
        const std::string text = v.asString();
        return QByteArray(text.data(), int(text.size()));
    });
}

std::optional<double> toDouble(const Json::Value &value)
{
    return convert(value, Json::realValue, [](const Json::Value &v) { return v.asDouble(); });
}

std::optional<QByteArray> stringBytes(const Json::Value &value)
{
    const char *begin = nullptr;
    const char *end = nullptr;
    if (!value.isString())
        return std::nullopt;
    // A string value without storage is the empty string to asString.
    if (!value.getString(&begin, &end))
        return QByteArray("");
    return QByteArray(begin, boundedLength(begin, end));
}

bool parseDocument(const char *begin, const char *end, Json::Value *root)
{
    if (end - begin > Limits::MaxDocumentBytes)
        return false;
    // Pages are nearly always plain JSON; the JsonCpp reader, half again as
    // slow, decides only what the fast parser declines.
    if (parsePlainDocument(begin, end, root) == FastParse::Parsed)
        return true;
    return parseDocumentWithJsonCpp(begin, end, root);
}

bool parseDocumentWithJsonCpp(const char *begin, const char *end, Json::Value *root)
{
    Json::CharReaderBuilder builder;
    builder["allowComments"] = true;
    builder["collectComments"] = false;
    // Deep nesting is refused instead of recursing without bound.
    builder["stackLimit"] = 1000;
    const std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
    try {
        return reader->parse(begin, end, root, nullptr);
    } catch (const std::exception &) {
        return false;
    }
}

} // namespace JsonRead
} // namespace TAVQtLib
