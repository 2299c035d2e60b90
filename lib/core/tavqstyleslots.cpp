#include "tavqstyleslots_p.h"

#include "base/tavqjson_p.h"
#include "base/tavqkeytable_p.h"
#include "resources/tavqresourcemanager.h"

#include <json/value.h>

namespace TAVQtLib {
namespace TAVQStyleSlots {

void visit(const Json::Value &element, const Visitor &visitor)
{
    const Json::Value *styles = JsonRead::member(element, "style");
    if (!styles || !(styles->isArray() || styles->isObject()))
        return;
    for (const Json::Value &entry : *styles) {
        if (!entry.isArray())
            continue;
        // Index access past the end gives null, so a missing slot reads as slot 0
        // ([name] and [name, 0] are [name, 0, 0]); the name must be a string.
        const auto name = JsonRead::stringBytes(entry[Json::ArrayIndex(0)]);
        const auto slot = JsonRead::toInt(entry[Json::ArrayIndex(2)]);
        if (name && slot)
            visitor(QString::fromUtf8(*name), *slot);
    }
}

void visit(const Json::Value &element, const TAVQControlTable &table, const Visitor &visitor)
{
    visit(element, [&table, &visitor](const QString &name, int slot) {
        if (table.slot(slot))
            visitor(name, slot);
    });
}

bool findBox(const QString &name, TAVQBoxStyle *out)
{
    TAVQBoxStyle fresh;
    if (!TAVQResourceManager::instance().boxStyle(name, fresh))
        return false;
    *out = fresh;
    return true;
}

bool findFont(const QString &name, TAVQFontStyle *out)
{
    TAVQFontStyle fresh;
    if (!TAVQResourceManager::instance().fontStyle(name, fresh))
        return false;
    *out = fresh;
    return true;
}

bool setBoxForState(std::array<TAVQBoxStyle, 4> &styles, int state, const QString &name)
{
    TAVQBoxStyle style;
    if (!findBox(name, &style))
        return false;
    setPerState(styles, state, style);
    return true;
}

bool setFontForState(std::array<TAVQFontStyle, 4> &styles, int state, const QString &name)
{
    TAVQFontStyle style;
    if (!findFont(name, &style))
        return false;
    setPerState(styles, state, style);
    return true;
}

} // namespace TAVQStyleSlots
} // namespace TAVQtLib
