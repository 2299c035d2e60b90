#ifndef TAVQ_SCROLLBARCONFIG_H
#define TAVQ_SCROLLBARCONFIG_H

#include "tavqtlib_export.h"

// The owners' tables name the bar's own (TAVQScrollBarImpl::Table) for their
// scroll-bar child elements.
#include "tavqvaluecontrols_p.h"

#include <QString>
#include <Qt>

#include <functional>
#include <optional>

class QScrollBar;

namespace Json {
class Value;
}

namespace TAVQtLib {

class TAVQScrollBar;

// What a scroll-bar child element asks of its owner beyond the bar's own look:
// each scrolling control gives these its own meaning.
struct TAVQScrollBarChild
{
    bool horizontal = false;   // "attr"."hor": the element configures the horizontal bar
    std::optional<int> size;   // "attr"."size" when present: button length
    int thickness = 0;         // the element's "h" (horizontal bar) or "w" (vertical bar), 0 when absent
};

using TAVQScrollBarOwnerPart = std::function<void(const TAVQScrollBarChild &child)>;

// Configures the two bars of a scrolling control from the members of the
// element's "child" array whose "type" contains "scrollbar": icons and box
// styles go to the chosen bar (style slots 0 groove; 2-5 sub-line, 6-9 add-line,
// 10-13 thumb, the first of each group meaning all four states), then
// `ownerPart` gets the rest. A null bar skips its elements' bar settings but
// still reaches `ownerPart`.
void configureScrollBars(const Json::Value &element, TAVQScrollBar *horizontal, TAVQScrollBar *vertical,
                         const TAVQScrollBarOwnerPart &ownerPart = {});

// True when `child` is a scroll-bar element: its "type" string contains "scrollbar".
bool isScrollBarElement(const Json::Value &child);
// The owner's part of one scroll-bar element.
TAVQScrollBarChild readScrollBarChild(const Json::Value &child);
// Applies one scroll-bar element's icons and box styles to `bar`.
void applyScrollBarLook(const Json::Value &child, TAVQScrollBar *bar);

// Style sheet texts the owners set on their bars, each as the bar's whole sheet.
namespace TAVQScrollBarSheets {

// Width of the vertical and height of the horizontal bar, with the vertical
// buttons as wide as the bar (scroll view).
QString thicknessWithButtons(int thickness);
// Width of the vertical and height of the horizontal bar only (item views, text edit).
QString thickness(int thickness);
// The add-line and the sub-line button length for a bar of this orientation.
QString addLineLength(Qt::Orientation orientation, int length);
QString subLineLength(Qt::Orientation orientation, int length);
// Sets the add-line and then the sub-line length sheet on the bar; the second
// replaces the first, so the bar keeps the sub-line rule.
void applyButtonLength(QScrollBar *bar, int length);

} // namespace TAVQScrollBarSheets

} // namespace TAVQtLib

#endif
