// Parses the input as a page document twice, through parseDocument (the fast
// parser first) and through the JsonCpp reader alone: success, tree, value
// types and offsets must all agree.

#include "base/tavqjson_p.h"

#include <json/value.h>

#include <cstdint>
#include <cstdlib>

using namespace TAVQtLib;

namespace {

// Types and offsets everywhere in the two trees (operator== sees no offsets).
bool sameLayout(const Json::Value &a, const Json::Value &b)
{
    if (a.type() != b.type() || a.size() != b.size() || a.getOffsetStart() != b.getOffsetStart()
        || a.getOffsetLimit() != b.getOffsetLimit())
        return false;
    if (!a.isArray() && !a.isObject())
        return true;
    for (auto i = a.begin(), j = b.begin(); i != a.end(); ++i, ++j) {
        if (i.key() != j.key() || !sameLayout(*i, *j))
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const char *begin = reinterpret_cast<const char *>(data);
    Json::Value ours;
    Json::Value reference;
    const bool parsed = JsonRead::parseDocument(begin, begin + size, &ours);
    if (parsed != JsonRead::parseDocumentWithJsonCpp(begin, begin + size, &reference))
        std::abort();
    if (parsed && (!(ours == reference) || !sameLayout(ours, reference)))
        std::abort();
    return 0;
}
