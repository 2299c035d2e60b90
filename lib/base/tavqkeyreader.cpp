#include "tavqkeyreader_p.h"

#include "tavqjson_p.h"

#include <json/value.h>

#include <cstring>

namespace TAVQtLib {

TAVQKeyReader::TAVQKeyReader(TAVQTableSpan<TAVQKey> keys, const Json::Value &object)
    : m_keys(keys)
    , m_object(object)
{
    // An element has a handful of members and is asked for many keys it lacks:
    // one pass over its members makes each question a few short compares
    // instead of a search of the object's map.
    if (!object.isObject())
        return;
    if (object.size() > IndexedMembers) {
        m_memberCount = -1;
        return;
    }
    const auto end = object.end();
    for (auto it = object.begin(); it != end; ++it) {
        const char *nameEnd = nullptr;
        const char *name = it.memberName(&nameEnd);
        m_members[m_memberCount++] = {name, std::size_t(nameEnd - name), &*it};
    }
}

const Json::Value *TAVQKeyReader::member(const char *key) const
{
    if (m_memberCount < 0)
        return JsonRead::member(m_object, key);
    const std::size_t length = std::strlen(key);
    for (int i = 0; i < m_memberCount; ++i) {
        const Member &m = m_members[i];
        if (m.length == length && std::memcmp(m.name, key, length) == 0)
            return m.value;
    }
    return nullptr;
}

const TAVQKey *TAVQKeyReader::find(TAVQTableSpan<TAVQKey> keys, const char *key)
{
    for (const TAVQKey &k : keys) {
        if (k.name[0] == key[0] && std::strcmp(k.name, key) == 0)
            return &k;
    }
    return nullptr;
}

const Json::Value *TAVQKeyReader::value(const char *key, TAVQValueKind kind) const
{
    // Most keys asked for are absent: the table is searched only for present ones.
    const Json::Value *v = member(key);
    if (!v)
        return nullptr;
    const TAVQKey *k = find(m_keys, key);
    return k && k->kind == kind ? v : nullptr;
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
    const Json::Value *v = member(key);
    const TAVQKey *k = v ? find(m_keys, key) : nullptr;
    if (!k || (k->kind != TAVQValueKind::Text && k->kind != TAVQValueKind::Image))
        return std::nullopt;
    return JsonRead::toBytes(*v);
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

} // namespace TAVQtLib
