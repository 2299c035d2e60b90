#include "tavqscrollbarconfig_p.h"

#include "tavqvaluecontrols_p.h"
#include "base/tavqjson_p.h"
#include "base/tavqkeyreader_p.h"
#include "core/tavqelementtables_p.h"
#include "core/tavqstyleslots_p.h"

#include <json/value.h>

namespace TAVQtLib {

using namespace JsonRead;

namespace {

// Each part's first slot stands for all four of its states.
int stateOfSlot(int slot, int firstSlot)
{
    const int state = slot - firstSlot;
    return state == 0 ? StateAll : state;
}

void applyStyle(TAVQScrollBar *bar, int slot, const TAVQBoxStyle &style)
{
    if (slot == 0)
        bar->setGrooveStyle(style);
    else if (slot >= 2 && slot <= 5)
        bar->setSubLineStyle(stateOfSlot(slot, 2), style);
    else if (slot >= 6 && slot <= 9)
        bar->setAddLineStyle(stateOfSlot(slot, 6), style);
    else if (slot >= 10 && slot <= 13)
        bar->setThumbStyle(stateOfSlot(slot, 10), style);
}

} // namespace

bool isScrollBarElement(const Json::Value &child)
{
    // A type that is no string converts to no text with "scrollbar" in it.
    const Json::Value *type = member(child, "type");
    const auto bytes = type ? stringBytes(*type) : std::nullopt;
    return bytes && bytes->contains("scrollbar");
}

TAVQScrollBarChild readScrollBarChild(const Json::Value &child)
{
    TAVQScrollBarChild part;
    if (const Json::Value *object = member(child, "attr")) {
        const TAVQKeyReader attr(TAVQScrollBarImpl::Table.keys, *object);
        part.horizontal = attr.boolMember("hor", false);
        part.size = attr.optionalInt("size");
    }
    part.thickness = TAVQKeyReader(CommonAttributes.keys, child).intMember(part.horizontal ? "h" : "w", 0);
    return part;
}

void applyScrollBarLook(const Json::Value &child, TAVQScrollBar *bar)
{
    if (!bar)
        return;
    if (const Json::Value *attr = member(child, "attr"); attr && attr->isObject())
        static_cast<TAVQScrollBarImpl *>(bar->GetImpl())->loadIcons(*attr);
    TAVQStyleSlots::visit(child, TAVQScrollBarImpl::Table, [bar](const QString &name, int slot) {
        TAVQBoxStyle style;
        if (TAVQStyleSlots::findBox(name, &style))
            applyStyle(bar, slot, style);
    });
}

void configureScrollBars(const Json::Value &element, TAVQScrollBar *horizontal, TAVQScrollBar *vertical,
                         const TAVQScrollBarOwnerPart &ownerPart)
{
    const Json::Value *children = member(element, "child");
    if (!children || !children->isArray())
        return;
    for (const Json::Value &child : *children) {
        if (!isScrollBarElement(child))
            continue;
        const TAVQScrollBarChild part = readScrollBarChild(child);
        applyScrollBarLook(child, part.horizontal ? horizontal : vertical);
        if (ownerPart)
            ownerPart(part);
    }
}

namespace TAVQScrollBarSheets {

QString thicknessWithButtons(int thickness)
{
    return QStringLiteral("QScrollBar::vertical{ width:%1; } QScrollBar::horizontal{ height:%2; } "
                          "QScrollBar::add-line:vertical{ width:%3px;width:%3px; subcontrol-origin: margin;} "
                          "QScrollBar::sub-line:vertical{ width:%3px;width:%3px;subcontrol-origin: margin; }")
        .arg(thickness)
        .arg(thickness)
        .arg(thickness);
}

QString thickness(int thickness)
{
    return QStringLiteral("QScrollBar::vertical{ width:%1; } QScrollBar::horizontal{ height:%2; }")
        .arg(thickness)
        .arg(thickness);
}

QString addLineLength(Qt::Orientation orientation, int length)
{
    const QString rule = orientation == Qt::Horizontal
        ? QStringLiteral("QScrollBar::add-line{ width:%1px;width:%1px; }")
        : QStringLiteral("QScrollBar::add-line:vertical{ height:%1px;width:%1px; }");
    return rule.arg(length);
}

QString subLineLength(Qt::Orientation orientation, int length)
{
    const QString rule = orientation == Qt::Horizontal
        ? QStringLiteral("QScrollBar::sub-line{ width:%1px;width:%1px; }")
        : QStringLiteral("QScrollBar::sub-line:vertical{ height:%1px;width:%1px; }");
    return rule.arg(length);
}

void applyButtonLength(QScrollBar *bar, int length)
{
    if (!bar)
        return;
    bar->setStyleSheet(addLineLength(bar->orientation(), length));
    bar->setStyleSheet(subLineLength(bar->orientation(), length));
}

} // namespace TAVQScrollBarSheets

} // namespace TAVQtLib
