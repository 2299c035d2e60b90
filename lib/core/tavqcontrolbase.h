#ifndef TAVQ_CONTROLBASE_H
#define TAVQ_CONTROLBASE_H

#include "tavqtlib_export.h"

#include <QObject>
#include <QString>

namespace Json {
class Value;
}

class QWidget;

namespace TAVQtLib {

class TAVQControlBaseImpl;
class TAVQControlBase;
class TAVQKeyReader;

/// Kind 0: aligned against the parent, with optional stretching to a margin.
struct TAVQTLIB_EXPORT TAVQAnchorLayout
{
    qint32 hor = 0; ///< 0 left, 1 centre, 2 right
    qint32 ver = 0; ///< 0 top, 1 middle, 2 bottom
    qint32 wType = 0; ///< 0 fixed width, 1 stretch to the right margin w
    qint32 hType = 0; ///< 0 fixed height, 1 stretch to the bottom margin h
    qint32 x = 0; ///< Offset from the aligned left or right edge (from the centre when hor is 1)
    qint32 y = 0; ///< Offset from the aligned top or bottom edge (from the middle when ver is 1)
    qint32 w = 0; ///< Width when wType is 0; right margin when wType is 1
    qint32 h = 0; ///< Height when hType is 0; bottom margin when hType is 1
};

/// Kind 1: margins from the parent's edges.
struct TAVQTLIB_EXPORT TAVQMarginLayout
{
    qint32 x = 0; ///< Distance of the control's left edge from the parent's
    qint32 y = 0; ///< Distance of the control's top edge from the parent's
    qint32 r = 0; ///< Distance of the control's right edge from the parent's
    qint32 b = 0; ///< Distance of the control's bottom edge from the parent's
};

/// Kind 2: stored and handed back, never applied.
struct TAVQTLIB_EXPORT TAVQCustomLayout
{
    /// Whatever the page gave; read back by the program.
    qint32 values[6] = {};
};

/// Kind 3: fixed position and size.
struct TAVQTLIB_EXPORT TAVQFixedLayout
{
    qint32 x = 0; ///< Left edge in the parent
    qint32 y = 0; ///< Top edge in the parent
    qint32 w = 0; ///< Width, also made the fixed width
    qint32 h = 0; ///< Height, also made the fixed height
};

/// Which layout record a control holds; LayoutNone until a page or a setter gives one.
enum TAVQLayoutKind {
    LayoutNone = -1,  ///< No record: the control keeps whatever geometry it has
    LayoutAnchor = 0, ///< TAVQAnchorLayout
    LayoutMargin = 1, ///< TAVQMarginLayout
    LayoutCustom = 2, ///< TAVQCustomLayout
    LayoutFixed = 3   ///< TAVQFixedLayout
};

/**
 * \brief What every control offers the page builder, windows and containers.
 *
 * Every control is a Qt widget that also implements this interface; find it
 * with controlInterface() (or `qobject_cast<ITAVQControlBase *>` on a control
 * with a meta-object). TAVQControl implements it for a control class.
 *
 * \code
 * for (QWidget *child : window.findChildren<QWidget *>()) {
 *     if (TAVQtLib::ITAVQControlBase *control = TAVQtLib::controlInterface(child))
 *         qDebug() << child->objectName() << control->GetTypeName();
 * }
 * \endcode
 */
class TAVQTLIB_EXPORT ITAVQControlBase
{
public:
    /// Controls are deleted as widgets; the interface adds nothing to delete.
    virtual ~ITAVQControlBase() = default;
    /// The common attributes and layout of the control; never null.
    virtual TAVQControlBase *GetControlBase() = 0;
    /// Reads a page element: the common attributes, then the control's "style" and
    /// "attr"; false when the control could not read its own part.
    virtual bool LoadFromJson(const Json::Value &element) = 0;
    /// Sets a margin layout; the next TAVQControlBase::ApplyLayout() places the control by it.
    virtual void SetLayout(const TAVQMarginLayout &layout) = 0;
    /// Sets a custom layout, which is kept but never applied.
    virtual void SetLayout(const TAVQCustomLayout &layout) = 0;
    /// Sets a fixed layout and applies it at once.
    virtual void SetLayout(const TAVQFixedLayout &layout) = 0;
    /// Sets an anchor layout; the next TAVQControlBase::ApplyLayout() places the control by it.
    virtual void SetLayout(const TAVQAnchorLayout &layout) = 0;
    /// Points `out` at the raw layout record; leaves it unchanged when there is none.
    virtual void GetLayoutData(void *&out) = 0;
    /// The kind of layout record held (TAVQLayoutKind).
    virtual int GetLayoutType() = 0;
    /// The control's type name as pages write it, such as "qtbutton".
    virtual QString GetTypeName() = 0;
    /// The implementation object holding the control's look and state.
    virtual TAVQControlBaseImpl *GetImpl() = 0;
    /// Called by the page builder once the element's children are built.
    virtual void OnChildrenLoaded() = 0;
};

/// The control interface of any object, or null.
TAVQTLIB_EXPORT ITAVQControlBase *controlInterface(QObject *object);

/**
 * \brief The common attributes and the layout record of one control.
 *
 * Each control embeds one (TAVQControl does). It reads the element keys every
 * control shares ("name", "tooltip", "visibility", "enable", "layout", "x",
 * "y", "w", "h") and places the control in its parent by its layout record
 * whenever ApplyLayout() runs: after the page is built and at every resize of
 * the window or container above it. A placed control's geometry therefore
 * follows its record: `resize()` or `move()` on it lasts only until the next
 * layout pass; give it a new record instead.
 *
 * \code
 * TAVQtLib::TAVQMarginLayout margins;
 * margins.x = margins.y = margins.r = margins.b = 10;
 * control->GetControlBase()->SetLayout(margins);
 * control->GetControlBase()->ApplyLayout();   // now 10 px inside its parent
 * \endcode
 */
class TAVQTLIB_EXPORT TAVQControlBase
{
public:
    /// Serves `widget`, the control that owns this object.
    explicit TAVQControlBase(QWidget *widget);
    /// Nothing to release: the widget is not owned.
    virtual ~TAVQControlBase() = default;

    /// Reads "name", "tooltip", "visibility", "enable", the layout and "x", "y", "w",
    /// "h"; a null element or a menu changes nothing.
    virtual void LoadCommonAttributes(const Json::Value *element);
    /// Sets the control's geometry from its layout record and the parent's size,
    /// then lays out its child controls.
    void ApplyLayout();

    /// Stores an anchor record, replacing any other; applied at the next ApplyLayout().
    void SetLayout(const TAVQAnchorLayout &layout);
    /// Stores a margin record, replacing any other; applied at the next ApplyLayout().
    void SetLayout(const TAVQMarginLayout &layout);
    /// Stores a custom record, replacing any other; never applied.
    void SetLayout(const TAVQCustomLayout &layout);
    /// Stores a fixed record, replacing any other, and applies it at once.
    void SetLayout(const TAVQFixedLayout &layout);
    /// Copies the anchor record into `out`; false, leaving `out` alone, for another kind.
    bool GetLayout(TAVQAnchorLayout &out) const;
    /// Copies the margin record into `out`; false, leaving `out` alone, for another kind.
    bool GetLayout(TAVQMarginLayout &out) const;
    /// Copies the custom record into `out`; false, leaving `out` alone, for another kind.
    bool GetLayout(TAVQCustomLayout &out) const;
    /// Copies the fixed record into `out`; false, leaving `out` alone, for another kind.
    bool GetLayout(TAVQFixedLayout &out) const;
    /// Points `out` at the raw layout record; leaves it unchanged when there is none.
    void GetLayoutData(void *&out);
    /// The kind of layout record held (TAVQLayoutKind).
    int GetLayoutType() const;

    /// The control this object serves.
    QWidget *widget() const;

    /// Lays out every direct child control of `parent`.
    static void ApplyChildLayouts(QObject *parent);

private:
    template <typename Record> void store(int kind, const Record &record);
    template <typename Record> bool load(int kind, Record &out) const;
    TAVQTLIB_NO_EXPORT void readLayoutObject(const TAVQKeyReader &layout, const TAVQKeyReader &element);
    TAVQTLIB_NO_EXPORT void applyFixed();

    int m_layoutKind = LayoutNone;
    qint32 m_layout[8] = {};
    QWidget *m_widget;
};

} // namespace TAVQtLib

Q_DECLARE_INTERFACE(TAVQtLib::ITAVQControlBase, "ITAVQControlBase")

#endif
