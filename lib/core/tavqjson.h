#ifndef TAVQ_JSON_H
#define TAVQ_JSON_H

#include <QByteArray>

#include <json/value.h>

#include <optional>

namespace TAVQtLib {

// Typed reads of page and style sheet members. JsonCpp's conversions throw on
// values of the wrong type; here a wrongly typed value counts as absent.
namespace JsonRead {

// The largest magnitude an integer read from a page or style sheet keeps.
constexpr int MaxPageInt = 16777215;

// The member `key` of `object`, or null when `object` is no object or lacks it.
const Json::Value *member(const Json::Value &object, const char *key);

std::optional<int> toInt(const Json::Value &value);
std::optional<bool> toBool(const Json::Value &value);
std::optional<QByteArray> toBytes(const Json::Value &value);

int intMember(const Json::Value &object, const char *key, int fallback);
bool boolMember(const Json::Value &object, const char *key, bool fallback);
QByteArray bytesMember(const Json::Value &object, const char *key, const QByteArray &fallback = QByteArray());

// The member's value when present and of the right type.
std::optional<int> optionalInt(const Json::Value &object, const char *key);
// An integer taken as a bit pattern (an RGB colour), not bounded.
std::optional<int> optionalBits(const Json::Value &object, const char *key);
std::optional<bool> optionalBool(const Json::Value &object, const char *key);
std::optional<QByteArray> optionalBytes(const Json::Value &object, const char *key);

// Parses a whole document with comments allowed; false on any syntax error.
bool parseDocument(const char *begin, const char *end, Json::Value *root);

} // namespace JsonRead

} // namespace TAVQtLib

#endif
