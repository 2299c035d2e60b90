#ifndef TAVQ_CONTROLBASE_H
#define TAVQ_CONTROLBASE_H

#include <QObject>
#include <QString>

namespace Json {
class Value;
}

class QWidget;

namespace TAVQtLib {

class TAVQControlBaseImpl;
class TAVQControlBase;

// Kind 0: aligned against the parent, with optional stretching to a margin.
struct TAVQAnchorLayout
{
    qint32 hor = 0;     // 0 left, 1 centre, 2 right
    qint32 ver = 0;     // 0 top, 1 middle, 2 bottom
    qint32 wType = 0;   // 0 fixed width, 1 stretch to the right margin w
    qint32 hType = 0;   // 0 fixed height, 1 stretch to the bottom margin h
    qint32 x = 0;
    qint32 y = 0;
    qint32 w = 0;
    qint32 h = 0;
};

// Kind 1: margins from the parent's edges.
struct TAVQMarginLayout
{
    qint32 x = 0;
    qint32 y = 0;
    qint32 r = 0;
    qint32 b = 0;
};

// Kind 2: stored and handed back, never applied.
struct TAVQCustomLayout
{
    qint32 values[6] = {};
};

// Kind 3: fixed position and size.
struct TAVQFixedLayout
{
    qint32 x = 0;
    qint32 y = 0;
    qint32 w = 0;
    qint32 h = 0;
};

enum TAVQLayoutKind { LayoutNone = -1, LayoutAnchor = 0, LayoutMargin = 1, LayoutCustom = 2, LayoutFixed = 3 };

// What every control offers the page builder, windows and containers.
class ITAVQControlBase
{
public:
    virtual ~ITAVQControlBase() = default;
    virtual TAVQControlBase *GetControlBase() = 0;
    virtual bool LoadFromJson(const Json::Value &element) = 0;
    virtual void SetLayout(const TAVQMarginLayout &layout) = 0;
    virtual void SetLayout(const TAVQCustomLayout &layout) = 0;
    virtual void SetLayout(const TAVQFixedLayout &layout) = 0;
    virtual void SetLayout(const TAVQAnchorLayout &layout) = 0;
    virtual void GetLayoutData(void *&out) = 0;
    virtual int GetLayoutType() = 0;
    virtual QString GetTypeName() = 0;
    virtual TAVQControlBaseImpl *GetImpl() = 0;
    virtual void OnChildrenLoaded() = 0;
};

// The control interface of any object, or null.
ITAVQControlBase *controlInterface(QObject *object);

// Common attributes and layout of one control.
class TAVQControlBase
{
public:
    explicit TAVQControlBase(QWidget *widget);
    virtual ~TAVQControlBase() = default;

    virtual void LoadCommonAttributes(const Json::Value *element);
    void ApplyLayout();

    void SetLayout(const TAVQAnchorLayout &layout);
    void SetLayout(const TAVQMarginLayout &layout);
    void SetLayout(const TAVQCustomLayout &layout);
    void SetLayout(const TAVQFixedLayout &layout);
    bool GetLayout(TAVQAnchorLayout &out) const;
    bool GetLayout(TAVQMarginLayout &out) const;
    bool GetLayout(TAVQCustomLayout &out) const;
    bool GetLayout(TAVQFixedLayout &out) const;
    void GetLayoutData(void *&out);
    int GetLayoutType() const { return m_layoutKind; }

    QWidget *widget() const { return m_widget; }

    // Lays out every direct child control of `parent`.
    static void ApplyChildLayouts(QObject *parent);

private:
    template <typename Record> void store(int kind, const Record &record);
    template <typename Record> bool load(int kind, Record &out) const;
    void readLayoutObject(const Json::Value &layout, const Json::Value &element);
    void applyFixed();

    int m_layoutKind = LayoutNone;
    qint32 m_layout[8] = {};
    QWidget *m_widget;
};

} // namespace TAVQtLib

Q_DECLARE_INTERFACE(TAVQtLib::ITAVQControlBase, "ITAVQControlBase")

#endif
