#ifndef TAVQ_CONTROL_H
#define TAVQ_CONTROL_H

#include "tavqtlib_export.h"

#include "tavqcontrolbase.h"
#include "tavqcontrolbaseimpl.h"
#include "base/tavqqtcompat.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QWidget>

namespace TAVQtLib {

// The parts every control shares: a Qt widget class, the control interface, an
// owned implementation object and the common attributes. A control class derives
// from this with its Qt base and implementation class, and adds Q_OBJECT,
// GetTypeName and its own programming interface.
template <typename Widget, typename Impl>
class TAVQTLIB_EXPORT TAVQControl : public Widget, public ITAVQControlBase
{
public:
    // Makes the widget under `parent` with its implementation object and common attributes.
    explicit TAVQControl(QWidget *parent = nullptr)
        : Widget(parent)
        , m_impl(new Impl(this))
        , m_base(this)
    {
    }
    ~TAVQControl() override { delete m_impl; }

    // The common attributes and layout of the control.
    TAVQControlBase *GetControlBase() override { return &m_base; }
    // Reads the common attributes, then hands the element to the implementation
    // object; false when that finds nothing of its own to read.
    bool LoadFromJson(const Json::Value &element) override
    {
        if (!m_impl)
            return false;
        m_base.LoadCommonAttributes(&element);
        return m_impl->LoadAttributes(element);
    }
    // Stores a margin layout in the common attributes.
    void SetLayout(const TAVQMarginLayout &layout) override { m_base.SetLayout(layout); }
    // Stores a custom layout in the common attributes.
    void SetLayout(const TAVQCustomLayout &layout) override { m_base.SetLayout(layout); }
    // Stores a fixed layout in the common attributes.
    void SetLayout(const TAVQFixedLayout &layout) override { m_base.SetLayout(layout); }
    // Stores an anchor layout in the common attributes.
    void SetLayout(const TAVQAnchorLayout &layout) override { m_base.SetLayout(layout); }
    // Points `out` at the raw layout record; unchanged when there is none.
    void GetLayoutData(void *&out) override { m_base.GetLayoutData(out); }
    // The kind of layout record held (TAVQLayoutKind).
    int GetLayoutType() override { return m_base.GetLayoutType(); }
    // The implementation object.
    TAVQControlBaseImpl *GetImpl() override { return m_impl; }
    // Hands the end of the element's children to the implementation object.
    void OnChildrenLoaded() override { m_impl->OnChildrenLoaded(); }

    // Whether the control is drawn where a list template stands in for it; the
    // widget's own visibility is untouched.
    void setVisibleFlag(bool visible) { m_impl->setVisibleFlag(visible); }
    // The flag setVisibleFlag() sets; true at first.
    bool isVisibleFlag() const { return m_impl->isVisibleFlag(); }

    // The implementation object: the look and state of the control.
    Impl *impl() const { return m_impl; }

protected:
    // Painting is the implementation object's alone.
    void paintEvent(QPaintEvent *e) override { m_impl->OnPaint(e); }
    // The mouse handlers run the Qt base class's handling, then the
    // implementation object's.
    void mousePressEvent(QMouseEvent *e) override
    {
        Widget::mousePressEvent(e);
        m_impl->OnMousePress(e);
    }
    // As mousePressEvent().
    void mouseReleaseEvent(QMouseEvent *e) override
    {
        Widget::mouseReleaseEvent(e);
        m_impl->OnMouseRelease(e);
    }
    // As mousePressEvent().
    void enterEvent(TAVQEnterEvent *e) override
    {
        Widget::enterEvent(e);
        m_impl->OnEnter(e);
    }
    // As mousePressEvent().
    void leaveEvent(QEvent *e) override
    {
        Widget::leaveEvent(e);
        m_impl->OnLeave(e);
    }
    // As mousePressEvent().
    void mouseMoveEvent(QMouseEvent *e) override
    {
        Widget::mouseMoveEvent(e);
        m_impl->OnMouseMove(e);
    }
    // As mousePressEvent().
    void mouseDoubleClickEvent(QMouseEvent *e) override
    {
        Widget::mouseDoubleClickEvent(e);
        m_impl->OnMouseDoubleClick(e);
    }

    // The implementation object, owned.
    Impl *m_impl;
    // The common attributes and layout.
    TAVQControlBase m_base;
};

} // namespace TAVQtLib

#endif
