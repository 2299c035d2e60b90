#ifndef TAVQ_CONTROLTABLE_H
#define TAVQ_CONTROLTABLE_H

#include "tavqtlib_export.h"

#include <QByteArray>

#include <cstddef>
#include <optional>

namespace Json {
class Value;
}

namespace TAVQtLib {

// The JsonRead conversion a control applies to a page value.
enum class TAVQValueKind {
    Bool,   // toBool
    Int,    // toInt
    Bits,   // toBits: an integer taken as a bit pattern
    Text,   // toBytes
    Image,  // toBytes, the name of an image
    Colour, // a hexadecimal string, or the same value as a number
    Object, // a JSON object of its own keys
    List,   // a JSON list of integers
};

// One key a control reads, with the conversion it reads it by.
struct TAVQKey {
    const char *name;
    TAVQValueKind kind;
};

// The kind of style a slot is looked up in.
enum class TAVQStyleKind { Box, Font };

// Style slots first to last (inclusive) read as one kind.
struct TAVQSlotRange {
    int first;
    int last;
    TAVQStyleKind kind;
};

// A constant array seen from outside, without its length in the type.
template <typename T>
class TAVQTableSpan
{
public:
    constexpr TAVQTableSpan() = default;
    template <std::size_t N>
    constexpr TAVQTableSpan(const T (&items)[N]) : m_begin(items), m_end(items + N) {}
    constexpr const T *begin() const { return m_begin; }
    constexpr const T *end() const { return m_end; }

private:
    const T *m_begin = nullptr;
    const T *m_end = nullptr;
};

// Everything one control class reads from its page element besides the common
// attributes: the keys of "attr", the "style" slots, and, for the scrolling
// controls, what their scroll bar children may say. The control reads through
// it, and the page checks look up the same object through the registry.
struct TAVQTLIB_INTERNAL_EXPORT TAVQControlTable {
    TAVQTableSpan<TAVQKey> keys;
    TAVQTableSpan<TAVQSlotRange> slotRanges;
    const TAVQControlTable *scrollBars = nullptr;
    // The children are row templates: applications look their controls up by
    // object name inside each template, so names there repeat those outside.
    bool itemTemplates = false;

    // The key of that name, or null.
    const TAVQKey *key(const char *name) const;
    // The range holding the slot, or null.
    const TAVQSlotRange *slot(int slot) const;
};

// Reads members of one JSON object through a table's keys: a key the table does
// not list, or one asked for by another conversion than listed, reads as absent.
class TAVQTLIB_INTERNAL_EXPORT TAVQKeyReader
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

// Whether a value converts by `kind` (an object for Object): what the reader
// would find, instead of treating the value as absent.
TAVQTLIB_INTERNAL_EXPORT bool convertsAs(TAVQValueKind kind, const Json::Value &value);

// The element keys read for every control (the layout object's keys apart).
TAVQTLIB_INTERNAL_EXPORT extern const TAVQControlTable CommonAttributes;
// The keys of an element's "layout" object.
TAVQTLIB_INTERNAL_EXPORT extern const TAVQControlTable LayoutAttributes;
// The page document's own keys, applied to a window host.
TAVQTLIB_INTERNAL_EXPORT extern const TAVQControlTable WindowAttributes;
// The keys of a box style and of a font style definition in the style sheet.
TAVQTLIB_INTERNAL_EXPORT extern const TAVQControlTable BoxStyleAttributes;
TAVQTLIB_INTERNAL_EXPORT extern const TAVQControlTable FontStyleAttributes;

// Gives a registered type name the table of its class; registering the name
// again with RegisterControlType() forgets it.
TAVQTLIB_INTERNAL_EXPORT void RegisterControlTable(const char *typeName, const TAVQControlTable *table);
// The table of a registered type name, or null.
TAVQTLIB_INTERNAL_EXPORT const TAVQControlTable *ControlTableOf(const char *typeName);

} // namespace TAVQtLib

#endif
