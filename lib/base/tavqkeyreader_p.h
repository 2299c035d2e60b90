#ifndef TAVQ_KEYREADER_H
#define TAVQ_KEYREADER_H

#include "tavqkeytable_p.h"

#include <QByteArray>

#include <cstddef>
#include <optional>

namespace Json {
class Value;
}

namespace TAVQtLib {

// Reads members of one JSON object through a table's keys: a key the table does
// not list, or one asked for by another conversion than listed, reads as absent.
class TAVQKeyReader
{
public:
    TAVQKeyReader(TAVQTableSpan<TAVQKey> keys, const Json::Value &object);

    // The member's raw value when the key is listed with `kind` and present.
    const Json::Value *value(const char *key, TAVQValueKind kind) const;

    std::optional<int> optionalInt(const char *key) const;
    std::optional<int> optionalBits(const char *key) const;
    std::optional<bool> optionalBool(const char *key) const;
    // For keys listed as Text or Image.
    std::optional<QByteArray> optionalBytes(const char *key) const;

    int intMember(const char *key, int fallback) const;
    bool boolMember(const char *key, bool fallback) const;
    QByteArray bytesMember(const char *key, const QByteArray &fallback = QByteArray()) const;

    // The key of that name in `keys`, or null.
    static const TAVQKey *find(TAVQTableSpan<TAVQKey> keys, const char *key);

private:
    // A member of the object, found once when the reader is made.
    struct Member {
        const char *name;
        std::size_t length;
        const Json::Value *value;
    };
    static constexpr int IndexedMembers = 16;

    const Json::Value *member(const char *key) const;

    TAVQTableSpan<TAVQKey> m_keys;
    const Json::Value &m_object;
    Member m_members[IndexedMembers];
    // -1 when the object has more members than are indexed: they are looked up in it.
    int m_memberCount = 0;
};

} // namespace TAVQtLib

#endif
