#ifndef TAVQ_JSONPARSER_H
#define TAVQ_JSONPARSER_H

#include "tavqtlib_export.h"

#include <json/value.h>

namespace TAVQtLib {
namespace JsonRead {

enum class FastParse { Parsed, Declined };

// Parses the plain JSON that pages are written in straight into a Json::Value
// tree: the same tree, value types and offsets as the JsonCpp reader gives.
// Anything outside that plain subset (comments where that reader does not take
// them as whitespace, trailing commas, \u escapes, reals, long or zero-led
// numbers, deep nesting, a byte order mark, text after the root, any syntax
// error) is Declined with *root untouched, and the JsonCpp reader decides it.
FastParse parsePlainDocument(const char *begin, const char *end, Json::Value *root);

} // namespace JsonRead
} // namespace TAVQtLib

#endif
