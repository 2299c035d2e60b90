#include "tavqelementwalk_p.h"

#include "base/tavqjson_p.h"
#include "base/tavqlimits.h"
#include "tavqcontrolbase.h"
#include "tavqregistry.h"
#include "tavqtaborder.h"

#include <QWidget>

#include <algorithm>
#include <optional>

namespace TAVQtLib {

namespace {

// How much of a list is built: its first elements.
int builtCount(const Json::Value &list)
{
    return int(std::min(list.size(), Json::ArrayIndex(Limits::MaxChildElements)));
}

void applyLayout(QWidget *widget)
{
    ITAVQControlBase *control = controlInterface(widget);
    if (TAVQControlBase *base = control ? control->GetControlBase() : nullptr)
        base->ApplyLayout();
}

} // namespace

TAVQElementObserver::~TAVQElementObserver() = default;

TAVQElementWalk::TAVQElementWalk(Mode mode, TAVQElementObserver *observer)
    : m_mode(mode)
    , m_observer(observer)
{
}

QWidget *TAVQElementWalk::walkPage(const Json::Value &page, QWidget *parent)
{
    const Json::Value *elements = JsonRead::member(page, "elements");
    if ((m_mode == Mode::Build && !parent) || !elements || !elements->isArray() || elements->size() == 0)
        return nullptr;
    m_elementsLeft = Limits::MaxPageElements;
    QWidget *last = nullptr;
    QWidgetList built;
    const int count = builtCount(*elements);
    for (int i = 0; i < count; ++i) {
        TAVQWalkedElement met;
        met.element = &(*elements)[Json::ArrayIndex(i)];
        met.index = i;
        last = visit(met, parent);
        applyLayout(last);
        built << last;
    }
    tellOverCap(*elements, nullptr, 0);
    // Laid out now, so the positions tell the reading order.
    if (m_mode == Mode::Build)
        SetReadingTabOrder(built);
    return last;
}

QWidget *TAVQElementWalk::walkElement(const Json::Value &element, QWidget *parent)
{
    m_elementsLeft = Limits::MaxPageElements;
    TAVQWalkedElement met;
    met.element = &element;
    return visit(met, parent);
}

QWidget *TAVQElementWalk::visit(TAVQWalkedElement met, QWidget *parentWidget)
{
    if (met.depth > MaxElementDepth)
        return skip(&met, TAVQElementSkip::TooDeep);
    if (m_elementsLeft <= 0)
        return skip(&met, TAVQElementSkip::OverBudget);
    --m_elementsLeft;
    // A type that is no JSON string names no control (not even as asString's text).
    const Json::Value *typeValue = JsonRead::member(*met.element, "type");
    const std::optional<QByteArray> type = typeValue ? JsonRead::stringBytes(*typeValue) : std::nullopt;
    if (!type)
        return skip(&met, TAVQElementSkip::TypeNotString);
    met.type = &*type;
    if (*type == "qtscrollbar")
        return skip(&met, TAVQElementSkip::ScrollBar);
    if (!make(*type, *met.element, parentWidget, &met.widget))
        return skip(&met, TAVQElementSkip::UnknownType);
    tell(met);
    visitChildren(*met.element, met.widget, met.depth + 1);
    if (ITAVQControlBase *control = controlInterface(met.widget))
        control->OnChildrenLoaded();
    return met.widget;
}

void TAVQElementWalk::visitChildren(const Json::Value &element, QWidget *widget, int depth)
{
    const Json::Value *children = JsonRead::member(element, "child");
    if (!children || !children->isArray())
        return;
    const int count = builtCount(*children);
    for (int i = 0; i < count; ++i) {
        TAVQWalkedElement met;
        met.element = &(*children)[Json::ArrayIndex(i)];
        met.parent = &element;
        met.depth = depth;
        met.index = i;
        visit(met, widget);
    }
    tellOverCap(*children, &element, depth);
}

// The elements past a list's cap are not visited, only told of.
void TAVQElementWalk::tellOverCap(const Json::Value &list, const Json::Value *parent, int depth) const
{
    if (!m_observer)
        return;
    const int size = int(list.size());
    for (int i = builtCount(list); i < size; ++i) {
        TAVQWalkedElement met;
        met.element = &list[Json::ArrayIndex(i)];
        met.parent = parent;
        met.depth = depth;
        met.index = i;
        met.skip = TAVQElementSkip::OverChildCap;
        tell(met);
    }
}

bool TAVQElementWalk::make(const QByteArray &type, const Json::Value &element, QWidget *parent,
                           QWidget **widget) const
{
    if (m_mode == Mode::Check)
        return RegisteredControlTypes().count(type.constData()) > 0;
    *widget = CreateControl(type.constData(), element, parent);
    return *widget != nullptr;
}

QWidget *TAVQElementWalk::skip(TAVQWalkedElement *met, TAVQElementSkip reason) const
{
    met->skip = reason;
    tell(*met);
    return nullptr;
}

void TAVQElementWalk::tell(const TAVQWalkedElement &met) const
{
    if (m_observer)
        m_observer->elementMet(met);
}

} // namespace TAVQtLib
