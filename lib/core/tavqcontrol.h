#ifndef TAVQ_CONTROL_H
#define TAVQ_CONTROL_H

#include "tavqtlib_export.h"

#include "tavqcontrolbase.h"
#include "tavqcontrolbaseimpl.h"
#include "base/tavqqtcompat.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QWidget>

/**
 * For a control whose implementation class `Class##Impl` stays out of its
 * public header: declares `d_func()`, the implementation object as that class,
 * in both constnesses. The control's source defines them with TAVQ_DEFINE_IMPL
 * (core/tavqcontrol_p.h).
 */
#define TAVQ_DECLARE_IMPL(Class) \
    TAVQTLIB_NO_EXPORT Class##Impl *d_func(); \
    TAVQTLIB_NO_EXPORT const Class##Impl *d_func() const; \
    friend class Class##Impl;

namespace TAVQtLib {

/**
 * \brief The parts every control shares: a Qt widget class, the control
 * interface, an owned implementation object and the common attributes.
 *
 * A control class derives from this with its Qt base and its implementation
 * class (a subclass of TAVQControlBaseImpl), and adds Q_OBJECT,
 * Q_INTERFACES(TAVQtLib::ITAVQControlBase), GetTypeName() and its own
 * programming interface. The implementation object is made in the constructor
 * with the control as its widget and deleted with the control.
 *
 * \code
 * class Gauge : public TAVQtLib::TAVQControl<QWidget, GaugeImpl>
 * {
 *     Q_OBJECT
 *     Q_INTERFACES(TAVQtLib::ITAVQControlBase)
 * public:
 *     explicit Gauge(QWidget *parent = nullptr) : TAVQControl(parent) {}
 *     QString GetTypeName() override { return QStringLiteral("gauge"); }
 * };
 * \endcode
 *
 * A control a page placed follows its layout record (TAVQControlBase): its
 * geometry is set again at every layout pass, so `resize()` and `move()` last
 * only until the next resize of the window or container above it. Change the
 * record with `GetControlBase()->SetLayout()` instead.
 *
 * LoadFromJson() reads the common attributes, then calls the implementation's
 * non-virtual `bool LoadAttributes(const Json::Value &element)`, which a custom
 * implementation class declares to read its own "style" and "attr" members.
 * See the "Writing a control of your own" page.
 */
template <typename Widget, typename Impl = TAVQControlBaseImpl>
class TAVQTLIB_EXPORT TAVQControl : public Widget, public ITAVQControlBase
{
public:
    /// Makes the widget under `parent` with its implementation object and common attributes.
    explicit TAVQControl(QWidget *parent = nullptr)
        : Widget(parent)
        , m_impl(new Impl(this))
        , m_base(this)
    {
    }
    /// Deletes the implementation object.
    ~TAVQControl() override { delete m_impl; }

    /// The common attributes and layout of the control.
    TAVQControlBase *GetControlBase() override { return &m_base; }
    /// Reads the common attributes, then hands the element to the implementation
    /// object; false when that finds nothing of its own to read.
    bool LoadFromJson(const Json::Value &element) override
    {
        if (!m_impl)
            return false;
        m_base.LoadCommonAttributes(&element);
        return m_impl->LoadAttributes(element);
    }
    /// Stores a margin layout in the common attributes.
    void SetLayout(const TAVQMarginLayout &layout) override { m_base.SetLayout(layout); }
    /// Stores a custom layout in the common attributes.
    void SetLayout(const TAVQCustomLayout &layout) override { m_base.SetLayout(layout); }
    /// Stores a fixed layout in the common attributes.
    void SetLayout(const TAVQFixedLayout &layout) override { m_base.SetLayout(layout); }
    /// Stores an anchor layout in the common attributes.
    void SetLayout(const TAVQAnchorLayout &layout) override { m_base.SetLayout(layout); }
    /// Points `out` at the raw layout record; unchanged when there is none.
    void GetLayoutData(void *&out) override { m_base.GetLayoutData(out); }
    /// The kind of layout record held (TAVQLayoutKind).
    int GetLayoutType() override { return m_base.GetLayoutType(); }
    /// The implementation object.
    TAVQControlBaseImpl *GetImpl() override { return m_impl; }
    /// Hands the end of the element's children to the implementation object.
    void OnChildrenLoaded() override { m_impl->OnChildrenLoaded(); }

    /// Whether the control is drawn where a list template stands in for it; the
    /// widget's own visibility is untouched.
    void setVisibleFlag(bool visible) { m_impl->setVisibleFlag(visible); }
    /// The flag setVisibleFlag() sets; true at first.
    bool isVisibleFlag() const { return m_impl->isVisibleFlag(); }


protected:
    /**
     * For a control whose implementation class is not in its public header:
     * `make` builds the implementation object for the widget, as the plain
     * constructor does with `new Impl(this)`.
     */
    TAVQControl(QWidget *parent, Impl *(*make)(QWidget *widget))
        : Widget(parent)
        , m_impl(make(this))
        , m_base(this)
    {
    }
    /**
     * What LoadFromJson() does, with the attribute reader of `Derived`, the
     * implementation class the object really is; for an override of
     * LoadFromJson() in a control made with the constructor above.
     */
    template <typename Derived>
    bool loadFromJsonAs(const Json::Value &element)
    {
        if (!m_impl)
            return false;
        m_base.LoadCommonAttributes(&element);
        return static_cast<Derived *>(m_impl)->LoadAttributes(element);
    }

    /// Painting is the implementation object's alone.
    void paintEvent(QPaintEvent *e) override { m_impl->OnPaint(e); }
    /// The mouse handlers run the Qt base class's handling, then the
    /// implementation object's.
    void mousePressEvent(QMouseEvent *e) override
    {
        Widget::mousePressEvent(e);
        m_impl->OnMousePress(e);
    }
    /// As mousePressEvent().
    void mouseReleaseEvent(QMouseEvent *e) override
    {
        Widget::mouseReleaseEvent(e);
        m_impl->OnMouseRelease(e);
    }
    /// As mousePressEvent().
    void enterEvent(TAVQEnterEvent *e) override
    {
        Widget::enterEvent(e);
        m_impl->OnEnter(e);
    }
    /// As mousePressEvent().
    void leaveEvent(QEvent *e) override
    {
        Widget::leaveEvent(e);
        m_impl->OnLeave(e);
    }
    /// As mousePressEvent().
    void mouseMoveEvent(QMouseEvent *e) override
    {
        Widget::mouseMoveEvent(e);
        m_impl->OnMouseMove(e);
    }
    /// As mousePressEvent().
    void mouseDoubleClickEvent(QMouseEvent *e) override
    {
        Widget::mouseDoubleClickEvent(e);
        m_impl->OnMouseDoubleClick(e);
    }

    /// The implementation object, owned.
    Impl *m_impl;
    /// The common attributes and layout.
    TAVQControlBase m_base;
};

} // namespace TAVQtLib

#endif
