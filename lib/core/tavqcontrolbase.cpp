#include "tavqcontrolbase.h"

#include "base/tavqjson_p.h"
#include "base/tavqkeyreader_p.h"
#include "base/tavqkeytable_p.h"
#include "core/tavqelementtables_p.h"
#include "resources/tavqstyle.h"

#include <QWidget>

#include <json/value.h>

#include <cstring>

namespace TAVQtLib {

namespace {

constexpr TAVQKey CommonKeys[] = {
    {"name", TAVQValueKind::Text},    {"tooltip", TAVQValueKind::Text}, {"visibility", TAVQValueKind::Bool},
    {"enable", TAVQValueKind::Bool},  {"layout", TAVQValueKind::Object}, {"x", TAVQValueKind::Int},
    {"y", TAVQValueKind::Int},        {"w", TAVQValueKind::Int},        {"h", TAVQValueKind::Int},
};

constexpr TAVQKey LayoutKeys[] = {
    {"type", TAVQValueKind::Int}, {"x", TAVQValueKind::Int},   {"y", TAVQValueKind::Int},
    {"r", TAVQValueKind::Int},    {"b", TAVQValueKind::Int},   {"hor", TAVQValueKind::Int},
    {"ver", TAVQValueKind::Int},  {"wType", TAVQValueKind::Int}, {"hType", TAVQValueKind::Int},
};

} // namespace

const TAVQControlTable CommonAttributes{CommonKeys, {}};
const TAVQControlTable LayoutAttributes{LayoutKeys, {}};

ITAVQControlBase *controlInterface(QObject *object)
{
    // The library's controls declare the interface to the meta-object system,
    // which answers with two string compares where a cross-cast searches the
    // whole class tree; other implementers still get the cross-cast.
    if (ITAVQControlBase *control = qobject_cast<ITAVQControlBase *>(object))
        return control;
    return dynamic_cast<ITAVQControlBase *>(object);
}

TAVQControlBase::TAVQControlBase(QWidget *widget)
    : m_widget(widget)
{
}

namespace {

// Page values are untrusted: positions and sizes stay within what a widget
// can have, so no geometry sum can overflow.
int bounded(qint64 value)
{
    return int(qBound(qint64(-QWIDGETSIZE_MAX), value, qint64(QWIDGETSIZE_MAX)));
}

void setBoundedGeometry(QWidget *widget, qint64 x, qint64 y, qint64 w, qint64 h)
{
    widget->setGeometry(bounded(x), bounded(y), bounded(w), bounded(h));
}

} // namespace

template <typename Record>
void TAVQControlBase::store(int kind, const Record &record)
{
    static_assert(sizeof(Record) <= sizeof(m_layout), "layout records share eight integers");
    m_layoutKind = kind;
    std::memcpy(m_layout, &record, sizeof(Record));
}

template <typename Record>
bool TAVQControlBase::load(int kind, Record &out) const
{
    if (m_layoutKind != kind)
        return false;
    std::memcpy(&out, m_layout, sizeof(Record));
    return true;
}

void TAVQControlBase::SetLayout(const TAVQAnchorLayout &layout) { store(LayoutAnchor, layout); }
void TAVQControlBase::SetLayout(const TAVQMarginLayout &layout) { store(LayoutMargin, layout); }
void TAVQControlBase::SetLayout(const TAVQCustomLayout &layout) { store(LayoutCustom, layout); }

void TAVQControlBase::SetLayout(const TAVQFixedLayout &layout)
{
    store(LayoutFixed, layout);
    applyFixed();
}

bool TAVQControlBase::GetLayout(TAVQAnchorLayout &out) const { return load(LayoutAnchor, out); }
bool TAVQControlBase::GetLayout(TAVQMarginLayout &out) const { return load(LayoutMargin, out); }
bool TAVQControlBase::GetLayout(TAVQCustomLayout &out) const { return load(LayoutCustom, out); }
bool TAVQControlBase::GetLayout(TAVQFixedLayout &out) const { return load(LayoutFixed, out); }

void TAVQControlBase::GetLayoutData(void *&out)
{
    if (m_layoutKind >= LayoutAnchor && m_layoutKind <= LayoutFixed)
        out = m_layout;
}

void TAVQControlBase::applyFixed()
{
    if (!m_widget)
        return;
    TAVQFixedLayout r;
    load(LayoutFixed, r);
    setBoundedGeometry(m_widget, r.x, r.y, r.w, r.h);
    m_widget->setFixedHeight(qBound(0, r.h, QWIDGETSIZE_MAX));
    m_widget->setFixedWidth(qBound(0, r.w, QWIDGETSIZE_MAX));
}

void TAVQControlBase::LoadCommonAttributes(const Json::Value *element)
{
    // Menus read their own keys.
    if (!element || !m_widget || m_widget->inherits("TAVQtLib::TAVQMenu"))
        return;
    const TAVQKeyReader e(CommonAttributes.keys, *element);
    if (const auto name = e.optionalBytes("name"))
        m_widget->setObjectName(QString::fromUtf8(*name));
    if (const auto tip = e.optionalBytes("tooltip"))
        m_widget->setToolTip(fromGbk(*tip));
    // Showing a child that was never resized makes Qt give it its size hint
    // (adjustSize). Where the layout sets the geometry (anchor, margins, fixed),
    // that measuring would be replaced moments later, so it is skipped; custom
    // and unknown kinds set none, and the control keeps the size showing gives it.
    const Json::Value *layout = e.value("layout", TAVQValueKind::Object);
    const Json::Value noLayout;
    const TAVQKeyReader l(LayoutAttributes.keys, layout ? *layout : noLayout);
    const int kind = layout ? l.intMember("type", LayoutAnchor) : LayoutFixed;
    if (kind == LayoutAnchor || kind == LayoutMargin || kind == LayoutFixed)
        m_widget->setAttribute(Qt::WA_Resized);
    m_widget->setVisible(true);
    if (const auto visible = e.optionalBool("visibility"))
        m_widget->setVisible(*visible);
    if (const auto enabled = e.optionalBool("enable"))
        m_widget->setEnabled(*enabled);
    if (layout) {
        readLayoutObject(l, e);
        return;
    }
    TAVQFixedLayout fixed;
    fixed.x = e.intMember("x", 0);
    fixed.y = e.intMember("y", 0);
    fixed.w = e.intMember("w", 0);
    fixed.h = e.intMember("h", 0);
    store(LayoutFixed, fixed);
}

void TAVQControlBase::readLayoutObject(const TAVQKeyReader &l, const TAVQKeyReader &e)
{
    m_layoutKind = l.intMember("type", 0);
    if (m_layoutKind == LayoutAnchor) {
        TAVQAnchorLayout a;
        std::memcpy(&a, m_layout, sizeof a);
        a.w = e.intMember("w", 0);
        a.h = e.intMember("h", 0);
        a.wType = a.hType = 0;
        a.x = l.intMember("x", a.x);
        a.y = l.intMember("y", a.y);
        if (const auto r = l.optionalInt("r"))
            a.w = *r, a.wType = 1;
        if (const auto b = l.optionalInt("b"))
            a.h = *b, a.hType = 1;
        a.hor = l.intMember("hor", a.hor);
        a.ver = l.intMember("ver", a.ver);
        a.wType = l.intMember("wType", a.wType);
        a.hType = l.intMember("hType", a.hType);
        store(LayoutAnchor, a);
    } else if (m_layoutKind == LayoutMargin) {
        TAVQMarginLayout m;
        m.x = l.intMember("x", 0);
        m.y = l.intMember("y", 0);
        m.r = l.intMember("r", 0);
        m.b = l.intMember("b", 0);
        store(LayoutMargin, m);
    } else if (m_layoutKind == LayoutFixed) {
        // A fixed layout object carries no coordinates; the element's own are meant.
        TAVQFixedLayout f;
        f.x = e.intMember("x", 0);
        f.y = e.intMember("y", 0);
        f.w = e.intMember("w", 0);
        f.h = e.intMember("h", 0);
        store(LayoutFixed, f);
        applyFixed();
    }
}

namespace {

qint64 anchoredStart(int align, qint64 offset, qint64 start, qint64 parentSize, qint64 size)
{
    if (align == 1)
        return (parentSize - size) / 2 + offset;
    if (align == 2)
        return parentSize - offset - size;
    return start;
}

qint64 anchoredSize(int type, qint64 value, qint64 parentSize, qint64 start)
{
    if (type == 0)
        return value;
    if (type == 1)
        return parentSize - value - start;
    return 0;
}

} // namespace

void TAVQControlBase::ApplyLayout()
{
    QWidget *parent = m_widget ? m_widget->parentWidget() : nullptr;
    if (!parent)
        return;
    const int pw = parent->width();
    const int ph = parent->height();
    if (m_layoutKind == LayoutAnchor) {
        TAVQAnchorLayout a;
        load(LayoutAnchor, a);
        const int x0 = a.hor == 0 ? a.x : 0;
        const int y0 = a.ver == 0 ? a.y : 0;
        const qint64 width = anchoredSize(a.wType, a.w, pw, x0);
        const qint64 height = anchoredSize(a.hType, a.h, ph, y0);
        setBoundedGeometry(m_widget, anchoredStart(a.hor, a.x, x0, pw, width),
                           anchoredStart(a.ver, a.y, y0, ph, height), width, height);
    } else if (m_layoutKind == LayoutMargin) {
        TAVQMarginLayout m;
        load(LayoutMargin, m);
        setBoundedGeometry(m_widget, m.x, m.y, qint64(pw) - m.r - m.x, qint64(ph) - m.b - m.y);
    } else if (m_layoutKind == LayoutFixed) {
        applyFixed();
    }
    ApplyChildLayouts(m_widget);
}

void TAVQControlBase::ApplyChildLayouts(QObject *parent)
{
    // Children may be added while laying out (a scroll area's viewport); copy first.
    const QObjectList children = parent->children();
    for (QObject *child : children) {
        ITAVQControlBase *control = controlInterface(child);
        if (TAVQControlBase *base = control ? control->GetControlBase() : nullptr)
            base->ApplyLayout();
    }
}

int TAVQControlBase::GetLayoutType() const
{
    return m_layoutKind;
}

QWidget *TAVQControlBase::widget() const
{
    return m_widget;
}

} // namespace TAVQtLib
