#ifndef TAVQ_CONTROL_H
#define TAVQ_CONTROL_H

#include "tavqcontrolbase.h"
#include "tavqcontrolbaseimpl.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QWidget>

namespace TAVQtLib {

// The parts every control shares: a Qt widget class, the control interface, an
// owned implementation object and the common attributes. A control class derives
// from this with its Qt base and implementation class, and adds Q_OBJECT,
// GetTypeName and its own programming interface.
template <typename Widget, typename Impl>
class TAVQControl : public Widget, public ITAVQControlBase
{
public:
    explicit TAVQControl(QWidget *parent = nullptr)
        : Widget(parent)
        , m_impl(new Impl(this))
        , m_base(this)
    {
    }
    ~TAVQControl() override { delete m_impl; }

    TAVQControlBase *GetControlBase() override { return &m_base; }
    bool LoadFromJson(const Json::Value &element) override
    {
        if (!m_impl)
            return false;
        m_base.LoadCommonAttributes(&element);
        return m_impl->LoadAttributes(element);
    }
    void SetLayout(const TAVQMarginLayout &layout) override { m_base.SetLayout(layout); }
    void SetLayout(const TAVQCustomLayout &layout) override { m_base.SetLayout(layout); }
    void SetLayout(const TAVQFixedLayout &layout) override { m_base.SetLayout(layout); }
    void SetLayout(const TAVQAnchorLayout &layout) override { m_base.SetLayout(layout); }
    void GetLayoutData(void *&out) override { m_base.GetLayoutData(out); }
    int GetLayoutType() override { return m_base.GetLayoutType(); }
    TAVQControlBaseImpl *GetImpl() override { return m_impl; }
    void OnChildrenLoaded() override { m_impl->OnChildrenLoaded(); }

    void setVisibleFlag(bool visible) { m_impl->setVisibleFlag(visible); }
    bool isVisibleFlag() const { return m_impl->isVisibleFlag(); }

    Impl *impl() const { return m_impl; }

protected:
    void paintEvent(QPaintEvent *e) override { m_impl->OnPaint(e); }
    void mousePressEvent(QMouseEvent *e) override
    {
        Widget::mousePressEvent(e);
        m_impl->OnMousePress(e);
    }
    void mouseReleaseEvent(QMouseEvent *e) override
    {
        Widget::mouseReleaseEvent(e);
        m_impl->OnMouseRelease(e);
    }
    void enterEvent(QEvent *e) override
    {
        Widget::enterEvent(e);
        m_impl->OnEnter(e);
    }
    void leaveEvent(QEvent *e) override
    {
        Widget::leaveEvent(e);
        m_impl->OnLeave(e);
    }
    void mouseMoveEvent(QMouseEvent *e) override
    {
        Widget::mouseMoveEvent(e);
        m_impl->OnMouseMove(e);
    }
    void mouseDoubleClickEvent(QMouseEvent *e) override
    {
        Widget::mouseDoubleClickEvent(e);
        m_impl->OnMouseDoubleClick(e);
    }

    Impl *m_impl;
    TAVQControlBase m_base;
};

} // namespace TAVQtLib

#endif
