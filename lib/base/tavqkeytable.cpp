#include "tavqkeytable_p.h"

#include "tavqkeyreader_p.h"

#include "tavqjson_p.h"

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
