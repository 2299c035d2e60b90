#ifndef TAVQ_KEYTABLE_H
#define TAVQ_KEYTABLE_H

#include "tavqtlib_export.h"

#include <cstddef>

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
struct TAVQControlTable {
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

// Whether a value converts by `kind` (an object for Object): what the reader
// would find, instead of treating the value as absent.
bool convertsAs(TAVQValueKind kind, const Json::Value &value);

} // namespace TAVQtLib

#endif
