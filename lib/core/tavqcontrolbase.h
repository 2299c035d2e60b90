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

// Kind 0: aligned against the parent, with optional stretching to a margin.
struct TAVQTLIB_EXPORT TAVQAnchorLayout
{
    qint32 hor = 0;     // 0 left, 1 centre, 2 right
    qint32 ver = 0;     // 0 top, 1 middle, 2 bottom
    qint32 wType = 0;   // 0 fixed width, 1 stretch to the right margin w
    qint32 hType = 0;   // 0 fixed height, 1 stretch to the bottom margin h
    // Offsets from the aligned edges (x, y) and the size or, when stretching, the
    // right and bottom margins (w, h).
    qint32 x = 0;
    qint32 y = 0;
    qint32 w = 0;
    qint32 h = 0;
};

// Kind 1: margins from the parent's edges.
struct TAVQTLIB_EXPORT TAVQMarginLayout
{
    // Distances of the control's left, top, right and bottom edges from the parent's.
    qint32 x = 0;
    qint32 y = 0;
    qint32 r = 0;
    qint32 b = 0;
};

// Kind 2: stored and handed back, never applied.
struct TAVQTLIB_EXPORT TAVQCustomLayout
{
    // Whatever the page gave; read back by the program.
    qint32 values[6] = {};
};

// Kind 3: fixed position and size.
struct TAVQTLIB_EXPORT TAVQFixedLayout
{
    // Position in the parent and size.
    qint32 x = 0;
    qint32 y = 0;
    qint32 w = 0;
    qint32 h = 0;
};

// Which layout record a control holds; LayoutNone until a page or a setter gives one.
enum TAVQLayoutKind { LayoutNone = -1, LayoutAnchor = 0, LayoutMargin = 1, LayoutCustom = 2, LayoutFixed = 3 };

// What every control offers the page builder, windows and containers.
class TAVQTLIB_EXPORT ITAVQControlBase
{
public:
    virtual ~ITAVQControlBase() = default;
    // The common attributes and layout of the control; never null.
    virtual TAVQControlBase *GetControlBase() = 0;
    // Reads a page element: the common attributes, then the control's "style" and
    // "attr"; false when the control could not read its own part.
    virtual bool LoadFromJson(const Json::Value &element) = 0;
    // Sets the layout record of one kind; ApplyLayout() places the control by it.
    virtual void SetLayout(const TAVQMarginLayout &layout) = 0;
    virtual void SetLayout(const TAVQCustomLayout &layout) = 0;
    virtual void SetLayout(const TAVQFixedLayout &layout) = 0;
    virtual void SetLayout(const TAVQAnchorLayout &layout) = 0;
    // Points `out` at the raw layout record; leaves it unchanged when there is none.
    virtual void GetLayoutData(void *&out) = 0;
    // The kind of layout record held (TAVQLayoutKind).
    virtual int GetLayoutType() = 0;
    // The control's type name as pages write it, such as "qtbutton".
    virtual QString GetTypeName() = 0;
    // The implementation object holding the control's look and state.
    virtual TAVQControlBaseImpl *GetImpl() = 0;
    // Called by the page builder once the element's children are built.
    virtual void OnChildrenLoaded() = 0;
};

// The control interface of any object, or null.
TAVQTLIB_EXPORT ITAVQControlBase *controlInterface(QObject *object);

// Common attributes and layout of one control.
class TAVQTLIB_EXPORT TAVQControlBase
{
public:
    // Serves `widget`, the control that owns this object.
    explicit TAVQControlBase(QWidget *widget);
    virtual ~TAVQControlBase() = default;

    // Reads "name", "tooltip", "visibility", "enable", the layout and "x", "y", "w",
    // "h"; a null element or a menu changes nothing.
    virtual void LoadCommonAttributes(const Json::Value *element);
    // Sets the control's geometry from its layout record and the parent's size,
    // then lays out its child controls.
    void ApplyLayout();

    // Stores a layout record of one kind, replacing any other.
    void SetLayout(const TAVQAnchorLayout &layout);
    void SetLayout(const TAVQMarginLayout &layout);
    void SetLayout(const TAVQCustomLayout &layout);
    void SetLayout(const TAVQFixedLayout &layout);
    // Copies the layout record into `out`; false when the control holds another kind.
    bool GetLayout(TAVQAnchorLayout &out) const;
    bool GetLayout(TAVQMarginLayout &out) const;
    bool GetLayout(TAVQCustomLayout &out) const;
    bool GetLayout(TAVQFixedLayout &out) const;
    // Points `out` at the raw layout record; leaves it unchanged when there is none.
    void GetLayoutData(void *&out);
    // The kind of layout record held (TAVQLayoutKind).
    int GetLayoutType() const { return m_layoutKind; }

    // The control this object serves.
    QWidget *widget() const { return m_widget; }

    // Lays out every direct child control of `parent`.
    static void ApplyChildLayouts(QObject *parent);

private:
    template <typename Record> void store(int kind, const Record &record);
    template <typename Record> bool load(int kind, Record &out) const;
    void readLayoutObject(const TAVQKeyReader &layout, const TAVQKeyReader &element);
    void applyFixed();

    int m_layoutKind = LayoutNone;
    qint32 m_layout[8] = {};
    QWidget *m_widget;
};

} // namespace TAVQtLib

Q_DECLARE_INTERFACE(TAVQtLib::ITAVQControlBase, "ITAVQControlBase")

#endif
