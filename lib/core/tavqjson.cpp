#include "tavqjson.h"

#include <json/reader.h>

namespace TAVQtLib {
namespace JsonRead {

const Json::Value *member(const Json::Value &object, const char *key)
{
    if (!object.isObject())
        return nullptr;
    return object.find(key, key + std::char_traits<char>::length(key));
}

std::optional<int> toInt(const Json::Value &value)
{
    if (!value.isInt())
        return std::nullopt;
    // Page and style integers are positions, sizes, counts and RGB values; bounded
    // like widget sizes, no sum of a few of them can overflow.
    return qBound(-MaxPageInt, value.asInt(), MaxPageInt);
}

std::optional<bool> toBool(const Json::Value &value)
{
    if (!value.isBool())
        return std::nullopt;
    return value.asBool();
}

std::optional<QByteArray> toBytes(const Json::Value &value)
{
    const char *begin = nullptr;
    const char *end = nullptr;
    if (!value.isString() || !value.getString(&begin, &end))
        return std::nullopt;
    return QByteArray(begin, int(end - begin));
}

int intMember(const Json::Value &object, const char *key, int fallback)
{
    return optionalInt(object, key).value_or(fallback);
}

bool boolMember(const Json::Value &object, const char *key, bool fallback)
{
    return optionalBool(object, key).value_or(fallback);
}

QByteArray bytesMember(const Json::Value &object, const char *key, const QByteArray &fallback)
{
    return optionalBytes(object, key).value_or(fallback);
}

std::optional<int> optionalInt(const Json::Value &object, const char *key)
{
    const Json::Value *v = member(object, key);
    return v ? toInt(*v) : std::nullopt;
}

std::optional<int> optionalBits(const Json::Value &object, const char *key)
{
    const Json::Value *v = member(object, key);
    if (!v || !v->isInt())
        return std::nullopt;
    return v->asInt();
}

std::optional<bool> optionalBool(const Json::Value &object, const char *key)
{
    const Json::Value *v = member(object, key);
    return v ? toBool(*v) : std::nullopt;
}

std::optional<QByteArray> optionalBytes(const Json::Value &object, const char *key)
{
    const Json::Value *v = member(object, key);
    return v ? toBytes(*v) : std::nullopt;
}

bool parseDocument(const char *begin, const char *end, Json::Value *root)
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
