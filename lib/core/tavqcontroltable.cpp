#include "tavqcontroltable.h"

#include "tavqjson.h"

#include <json/value.h>

#include <cstring>

namespace TAVQtLib {

const TAVQKey *TAVQControlTable::key(const char *name) const
{
    return TAVQKeyReader::find(keys, name);
}

const TAVQSlotRange *TAVQControlTable::slot(int slot) const
{
    for (const TAVQSlotRange &range : slotRanges) {
        if (slot >= range.first && slot <= range.last)
            return &range;
    }
    return nullptr;
}

TAVQKeyReader::TAVQKeyReader(TAVQTableSpan<TAVQKey> keys, const Json::Value &object)
    : m_keys(keys)
    , m_object(object)
{
}

const TAVQKey *TAVQKeyReader::find(TAVQTableSpan<TAVQKey> keys, const char *key)
{
    for (const TAVQKey &k : keys) {
        if (std::strcmp(k.name, key) == 0)
            return &k;
    }
    return nullptr;
}

const Json::Value *TAVQKeyReader::value(const char *key, TAVQValueKind kind) const
{
    const TAVQKey *k = find(m_keys, key);
    return k && k->kind == kind ? JsonRead::member(m_object, key) : nullptr;
}

std::optional<int> TAVQKeyReader::optionalInt(const char *key) const
{
    const Json::Value *v = value(key, TAVQValueKind::Int);
    return v ? JsonRead::toInt(*v) : std::nullopt;
}

std::optional<int> TAVQKeyReader::optionalBits(const char *key) const
{
    const Json::Value *v = value(key, TAVQValueKind::Bits);
    return v ? JsonRead::toBits(*v) : std::nullopt;
}

std::optional<bool> TAVQKeyReader::optionalBool(const char *key) const
{
    const Json::Value *v = value(key, TAVQValueKind::Bool);
    return v ? JsonRead::toBool(*v) : std::nullopt;
}

std::optional<QByteArray> TAVQKeyReader::optionalBytes(const char *key) const
{
    const TAVQKey *k = find(m_keys, key);
    if (!k || (k->kind != TAVQValueKind::Text && k->kind != TAVQValueKind::Image))
        return std::nullopt;
    const Json::Value *v = JsonRead::member(m_object, key);
    return v ? JsonRead::toBytes(*v) : std::nullopt;
}

int TAVQKeyReader::intMember(const char *key, int fallback) const
{
    return optionalInt(key).value_or(fallback);
}

bool TAVQKeyReader::boolMember(const char *key, bool fallback) const
{
    return optionalBool(key).value_or(fallback);
}

QByteArray TAVQKeyReader::bytesMember(const char *key, const QByteArray &fallback) const
{
    return optionalBytes(key).value_or(fallback);
}

bool convertsAs(TAVQValueKind kind, const Json::Value &value)
{
    using namespace JsonRead;
    switch (kind) {
    case TAVQValueKind::Bool:
        return toBool(value).has_value();
    case TAVQValueKind::Int:
        return toInt(value).has_value();
    case TAVQValueKind::Bits:
        return toBits(value).has_value();
    case TAVQValueKind::Text:
    case TAVQValueKind::Image:
        return toBytes(value).has_value();
    case TAVQValueKind::Colour:
        return stringBytes(value) || toBits(value) || toUInt(value);
    case TAVQValueKind::Object:
        return value.isObject();
    case TAVQValueKind::List:
        return value.isArray();
    }
    return false;
}

} // namespace TAVQtLib
