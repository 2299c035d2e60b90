#ifndef TAVQ_CONTROLBASEIMPL_H
#define TAVQ_CONTROLBASEIMPL_H

#include "tavqtlib_export.h"

#include "resources/tavqpaint.h"
#include "resources/tavqstyle.h"

#include <QObject>
#include <QRect>
#include <QStringList>
#include <QVariant>

#include <cstddef>
#include <map>
#include <string>

namespace Json {
class Value;
}

class QEvent;
class QMouseEvent;
class QPaintEvent;
class QPainter;
class QWidget;

namespace TAVQtLib {

// What a control class reads from its page element (an internal header).
struct TAVQControlTable;
class TAVQKeyReader;

// One member of an element's "attr" object, converted.
struct TAVQTLIB_EXPORT TAVQAttrValue
{
    // Kinds of value, by the JSON type of the member.
    enum Type { Bool = 0, String = 1, UInt = 6, Int = 7, Double = 11, StringList = 12 };
    // The kind (Type), the converted value and, for a list, its length.
    int type = Bool;
    QVariant value = false;
    int count = 0;

    // Converts a member's value; a null or an object reads as false.
    static TAVQAttrValue fromJson(const Json::Value &value);
};

// Visual states a control paints by.
enum TAVQState { StateNormal = 0, StateHover = 1, StatePressed = 2, StateDisabled = 3, StateAll = 4 };

// Whether `state` is one of the four states a per-state style array holds a
// slot for; StateAll and anything out of range are not.
constexpr bool isSingleState(int state)
{
    return state >= StateNormal && state <= StateDisabled;
}

// The slot of a per-state style array that `state` reads: its own for the four
// states, the normal state's for StateAll and anything out of range.
constexpr size_t stateSlot(int state)
{
    return isSingleState(state) ? size_t(state) : size_t(StateNormal);
}

// Look and mouse reaction of one control; the control forwards its Qt events here.
class TAVQTLIB_EXPORT TAVQControlBaseImpl : public QObject
{
    Q_OBJECT

public:
    // Serves `widget`, the control that owns this object.
    explicit TAVQControlBaseImpl(QWidget *widget);
    ~TAVQControlBaseImpl() override;

    // Paints the control: sets the disabled state from the widget, then calls
    // Draw() with a painter over the whole widget, then the focus frame while
    // the keyboard is in use (TAVQFocusFrame).
    virtual void OnPaint(QPaintEvent *event);
    // Draws the control's look into `rect`; the base draws nothing.
    virtual void Draw(QPainter *painter, const QRect &rect);
    // Called once the element's children are built; the base does nothing.
    virtual void OnChildrenLoaded();
    // Mouse reactions: press shows the pressed state, release the normal one,
    // entering the hover state, leaving the normal (or disabled) one; each repaints.
    virtual void OnMousePress(QMouseEvent *event);
    virtual void OnMouseRelease(QMouseEvent *event);
    virtual void OnEnter(QEvent *event);
    virtual void OnLeave(QEvent *event);
    // Pointer moves and double clicks; the base does nothing.
    virtual void OnMouseMove(QMouseEvent *event);
    virtual void OnMouseDoubleClick(QMouseEvent *event);

    // Keeps every member of the element's "attr" object, converted; false for a
    // null element.
    bool LoadAttrMap(const Json::Value *element);
    // The base's attribute reader: LoadAttrMap() on `element`. An implementation
    // class declares its own, which hides this one (TAVQControl calls the
    // reader of the class it was made with).
    bool LoadAttributes(const Json::Value &element) { return LoadAttrMap(&element); }
    // The members LoadAttrMap() kept, by name.
    const std::map<std::string, TAVQAttrValue> &attrs() const { return m_attrs; }

    // The visual state (TAVQState) the control paints by.
    int state() const { return m_state; }
    void setState(int state) { m_state = state; }
    // Whether the control is drawn where a list template stands in for it.
    bool isVisibleFlag() const { return m_visible; }
    void setVisibleFlag(bool visible) { m_visible = visible; }
    // The control this object serves.
    QWidget *widget() const { return m_widget; }

    // The painting operations of TAVQPaint, for the controls' Draw().
    static void paintBox(QPainter *painter, const TAVQBoxStyle &style, const QRect &rect);
    static void paintBox(QPainter *painter, const TAVQBoxStyle &style, int x, int y, int w, int h);
    static void paintColorBox(QPainter *painter, const TAVQBoxStyle &style, int x, int y, int w, int h);
    static void paintSlicedImage(QPainter *painter, const QString &image, const TAVQSliceSet &slices,
                                 int x, int y, int w, int h);
    static void paintSlicedImage(QPainter *painter, const TAVQBoxStyle &style, int x, int y, int w, int h);
    static void paintAlignedImage(QPainter *painter, const QString &image, const TAVQImagePlacement &placement,
                                  const QRect &rect);
    static void paintText(QPainter *painter, const QString &text, const TAVQFontStyle &font, const QRect &rect);
    static void paintText(QPainter *painter, const QString &text, const TAVQFontStyle &font,
                          int x, int y, int w, int h, bool horizontal);

    // The width of `text` and the line height in the font of a font style.
    static QSize measureText(const TAVQFontStyle &font, const QString &text);
    // A text colour from RRGGBB hexadecimal, always opaque.
    static QColor colorFromHex(const std::string &hex);

protected:
    // The visibility flag, the visual state, the kept "attr" members and the
    // control served.
    bool m_visible = true;
    int m_state = StateNormal;
    std::map<std::string, TAVQAttrValue> m_attrs;
    QWidget *m_widget;
};

} // namespace TAVQtLib

#endif
