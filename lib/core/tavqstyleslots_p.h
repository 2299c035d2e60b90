#ifndef TAVQ_STYLESLOTS_H
#define TAVQ_STYLESLOTS_H

#include "tavqtlib_export.h"
#include "core/tavqcontrolbaseimpl.h"
#include "resources/tavqstyle.h"

#include <QString>

#include <array>
#include <functional>

namespace Json {
class Value;
}

namespace TAVQtLib {

struct TAVQControlTable;

// Reading of an element's "style" list, shared by every control: entries are
// [style name, an ignored integer, slot], visited in the list's own order (index
// order for an array, ascending key order for an object). The slot converts as
// asInt does, a missing one reading as 0; entries that are no arrays, whose name
// is no string or whose slot asInt refuses are skipped. Each control only maps
// slots to its fields.
namespace TAVQStyleSlots {

using Visitor = std::function<void(const QString &name, int slot)>;
void visit(const Json::Value &element, const Visitor &visitor);
// As above, for the slots a control's table lists only: no other slot can be read.
void visit(const Json::Value &element, const TAVQControlTable &table, const Visitor &visitor);

// The named style in a record fresh at the record defaults; false when unknown.
bool findBox(const QString &name, TAVQBoxStyle *out);
bool findFont(const QString &name, TAVQFontStyle *out);

// Calls `apply` on the style of one state, or on all four for StateAll; any
// other state reaches none.
template <typename Style, typename Apply>
void applyForState(std::array<Style, 4> &styles, int state, Apply apply)
{
    if (state == StateAll) {
        for (Style &slot : styles)
            apply(slot);
    } else if (isSingleState(state)) {
        apply(styles[size_t(state)]);
    }
}

// A programmatic setter's store: 0 to 3 set one state, 4 all four, anything else nothing.
// (Unlike a page's slot 0, a programmatic state 0 is the normal state alone.)
template <typename Style>
void storeForState(std::array<Style, 4> &styles, int state, const Style &style)
{
    applyForState(styles, state, [&style](Style &slot) { slot = style; });
}

// Sets the style of one state; state 0 (or 4) also sets the other three.
template <typename Style>
void setPerState(std::array<Style, 4> &styles, int state, const Style &style)
{
    storeForState(styles, state == StateNormal ? int(StateAll) : state, style);
}

// Looks `name` up and, when found, stores it for the state as setPerState does.
bool setBoxForState(std::array<TAVQBoxStyle, 4> &styles, int state, const QString &name);
bool setFontForState(std::array<TAVQFontStyle, 4> &styles, int state, const QString &name);

} // namespace TAVQStyleSlots

} // namespace TAVQtLib

#endif
