#ifndef TAVQ_JSON_H
#define TAVQ_JSON_H

#include "tavqtlib_export.h"

#include <QByteArray>

#include <json/value.h>

#include <optional>

namespace TAVQtLib {

// Typed reads of page and style sheet values. A value converts exactly as
// JsonCpp's asInt / asUInt / asBool / asString / asDouble convert it: numbers and
// booleans into each other, reals truncated toward zero, null into 0, false or
// "", numbers and booleans into the text asString gives them. Where those
// conversions would throw (a string where a number or a boolean is wanted, an
// array or an object, a number outside the target's range), the value counts as
// absent instead. Members are read through TAVQKeyReader, which applies these
// conversions by a table's keys.
namespace JsonRead {

// The largest magnitude an integer read from a page or style sheet keeps.
constexpr int MaxPageInt = 16777215;

// The member `key` of `object`, or null when `object` is no object or lacks it.
const Json::Value *member(const Json::Value &object, const char *key);

// asInt, then bounded to [-MaxPageInt, MaxPageInt]: page and style integers are
// positions, sizes, counts and the like.
std::optional<int> toInt(const Json::Value &value);
// asInt unbounded: an integer taken as a bit pattern (an RGB colour).
std::optional<int> toBits(const Json::Value &value);
// asUInt unbounded.
std::optional<unsigned> toUInt(const Json::Value &value);
std::optional<bool> toBool(const Json::Value &value);
// asString's bytes.
std::optional<QByteArray> toBytes(const Json::Value &value);
std::optional<double> toDouble(const Json::Value &value);

// The bytes of a JSON string, and nothing for any other kind of value: for the
// few places where the page format tells values apart by their JSON type (an
// element's "type", a style entry's name, a colour given as text or as a number).
std::optional<QByteArray> stringBytes(const Json::Value &value);

// Parses a whole document with comments allowed; false on any syntax error.
bool parseDocument(const char *begin, const char *end, Json::Value *root);
// parseDocument through the JsonCpp reader alone, the reference that the fast
// path must match (for tests and the fuzzer).
bool parseDocumentWithJsonCpp(const char *begin, const char *end, Json::Value *root);

} // namespace JsonRead

} // namespace TAVQtLib

#endif
