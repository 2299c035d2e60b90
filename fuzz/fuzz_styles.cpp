// Feeds arbitrary bytes to the style sheet reader.

#include "base/tavqjson_p.h"
#include "resources/tavqstyle.h"

#include <json/value.h>

#include <cstdint>

using namespace TAVQtLib;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size > size_t(1) << 24)
        return 0;
    const char *begin = reinterpret_cast<const char *>(data);

    // The colour readers take C strings (QByteArray keeps a terminating NUL).
    const QByteArray raw(begin, int(size));
    parseColorNumber(raw);
    boxColorFromString(raw);
    fontColorFromString(raw);
    fromGbk(raw);

    Json::Value root;
    if (!JsonRead::parseDocument(begin, begin + size, &root))
        return 0;
    TAVQBoxStyleTable boxes;
    TAVQFontStyleTable fonts;
    if (const Json::Value *styles = JsonRead::member(root, "style"))
        parseStyles(*styles, &boxes, &fonts);
    // A bare list of definitions reaches the same code with fewer mutations.
    parseStyles(root, &boxes, &fonts);
    return 0;
}
