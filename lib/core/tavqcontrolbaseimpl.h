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
#include <functional>
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

/// One member of an element's "attr" object, converted.
struct TAVQTLIB_EXPORT TAVQAttrValue
{
    /// Kinds of value, by the JSON type of the member.
    enum Type {
        Bool = 0,        ///< true or false; also null, objects and other arrays (false)
        String = 1,      ///< a string, decoded as UTF-8
        UInt = 6,        ///< a number that fits 32 bits unsigned but not signed
        Int = 7,         ///< a number that fits 32 bits signed
        Double = 11,     ///< any other number
        StringList = 12  ///< an array whose first item is a string; every item as a string
    };
    int type = Bool;          ///< The kind (Type)
    QVariant value = false;   ///< The converted value: bool, QString, uint, int, double or QStringList
    int count = 0;            ///< The number of strings of a StringList; 0 otherwise

    /// Converts a member's value; a null or an object reads as false.
    static TAVQAttrValue fromJson(const Json::Value &value);
};

/// Visual states a control paints by.
enum TAVQState {
    StateNormal = 0,   ///< Normal
    StateHover = 1,    ///< The pointer is over the control
    StatePressed = 2,  ///< Pressed (focused, for edits)
    StateDisabled = 3, ///< The widget is disabled
    StateAll = 4       ///< For setters: all four states at once
};

/// Whether `state` is one of the four states a per-state style array holds a
/// slot for; StateAll and anything out of range are not.
constexpr bool isSingleState(int state)
{
    return state >= StateNormal && state <= StateDisabled;
}

/// The slot of a per-state style array that `state` reads: its own for the four
/// states, the normal state's for StateAll and anything out of range.
constexpr size_t stateSlot(int state)
{
    return isSingleState(state) ? size_t(state) : size_t(StateNormal);
}

/**
 * \brief The look and mouse reaction of one control: the base of every
 * implementation class.
 *
 * The control (TAVQControl) forwards its paint and mouse events here. The base
 * keeps the visual state (TAVQState), which its mouse handlers move and paint
 * corrects against the widget's enabled flag, and the element's "attr" members;
 * an implementation class adds the control's styles and draws it in Draw() with
 * the painting operations below. See "Writing a control of your own".
 *
 * \code
 * class BadgeImpl : public TAVQtLib::TAVQControlBaseImpl
 * {
 * public:
 *     using TAVQControlBaseImpl::TAVQControlBaseImpl;
 *     bool LoadAttributes(const Json::Value &element)
 *     {
 *         const bool read = LoadAttrMap(&element);
 *         VisitStyles(element, [this](const QString &name, int slot) {
 *             if (slot == 0)
 *                 TAVQtLib::TAVQResourceManager::instance().boxStyle(name, m_box);
 *         });
 *         return read;
 *     }
 *     void Draw(QPainter *painter, const QRect &rect) override { paintBox(painter, m_box, rect); }
 * private:
 *     TAVQtLib::TAVQBoxStyle m_box;
 * };
 * \endcode
 */
class TAVQTLIB_EXPORT TAVQControlBaseImpl : public QObject
{
    Q_OBJECT

public:
    /// Serves `widget`, the control that owns this object (and deletes it).
    explicit TAVQControlBaseImpl(QWidget *widget);
    /// Virtual, as the control deletes its implementation through this base.
    ~TAVQControlBaseImpl() override;

    /// Paints the control: sets the disabled state from the widget, then calls
    /// Draw() with a painter over the whole widget, then the focus frame while
    /// the keyboard is in use (TAVQFocusFrame).
    virtual void OnPaint(QPaintEvent *event);
    /// Draws the control's look into `rect`; the base draws nothing.
    virtual void Draw(QPainter *painter, const QRect &rect);
    /// Called once the element's children are built; the base does nothing.
    virtual void OnChildrenLoaded();
    /// A press: the base shows the pressed state and repaints.
    virtual void OnMousePress(QMouseEvent *event);
    /// A release: the base shows the normal state and repaints.
    virtual void OnMouseRelease(QMouseEvent *event);
    /// The pointer entered: the base shows the hover state and repaints.
    virtual void OnEnter(QEvent *event);
    /// The pointer left: the base shows the normal (or disabled) state and repaints.
    virtual void OnLeave(QEvent *event);
    /// A pointer move (with mouse tracking on, also without a button); the base does nothing.
    virtual void OnMouseMove(QMouseEvent *event);
    /// A double click; the base does nothing.
    virtual void OnMouseDoubleClick(QMouseEvent *event);

    /// Keeps every member of the element's "attr" object, converted; false for a
    /// null element.
    bool LoadAttrMap(const Json::Value *element);
    /// The base's attribute reader: LoadAttrMap() on `element`. An implementation
    /// class declares its own, which hides this one (TAVQControl calls the
    /// reader of the class it was made with).
    bool LoadAttributes(const Json::Value &element);
    /// The members LoadAttrMap() kept, by name.
    const std::map<std::string, TAVQAttrValue> &attrs() const;
    /// Calls `visit` with the style name and slot of each entry of the element's
    /// "style" list ([name, ignored, slot]), in the list's order, as the built-in
    /// controls read it: entries that are no arrays, or whose name is no string,
    /// are skipped; a missing slot reads as 0. Never throws.
    static void VisitStyles(const Json::Value &element,
                            const std::function<void(const QString &name, int slot)> &visit);

    /// The visual state (TAVQState) the control paints by.
    int state() const;
    /// Sets the visual state; nothing is repainted.
    void setState(int state);
    /// Whether the control is drawn where a list template stands in for it.
    bool isVisibleFlag() const;
    /// Sets whether the control is drawn where a list template stands in for it.
    void setVisibleFlag(bool visible);
    /// The control this object serves.
    QWidget *widget() const;

    /// TAVQPaint::paintBox(): a box style's colour box or nine-slice image.
    static void paintBox(QPainter *painter, const TAVQBoxStyle &style, const QRect &rect);
    /// TAVQPaint::paintBox() over (x, y, w, h).
    static void paintBox(QPainter *painter, const TAVQBoxStyle &style, int x, int y, int w, int h);
    /// TAVQPaint::paintColorBox(): fill or gradient, rounded corners, border.
    static void paintColorBox(QPainter *painter, const TAVQBoxStyle &style, int x, int y, int w, int h);
    /// TAVQPaint::paintSlicedImage(): the named image in nine slices.
    static void paintSlicedImage(QPainter *painter, const QString &image, const TAVQSliceSet &slices,
                                 int x, int y, int w, int h);
    /// TAVQPaint::paintSlicedImage(): a box style's own nine-slice image.
    static void paintSlicedImage(QPainter *painter, const TAVQBoxStyle &style, int x, int y, int w, int h);
    /// TAVQPaint::paintAlignedImage(): the named image at its size, placed in `rect`.
    static void paintAlignedImage(QPainter *painter, const QString &image, const TAVQImagePlacement &placement,
                                  const QRect &rect);
    /// TAVQPaint::paintText(): a text in a font style.
    static void paintText(QPainter *painter, const QString &text, const TAVQFontStyle &font, const QRect &rect);
    /// TAVQPaint::paintText() over (x, y, w, h), horizontal or stacked.
    static void paintText(QPainter *painter, const QString &text, const TAVQFontStyle &font,
                          int x, int y, int w, int h, bool horizontal);

    /// The width of `text` and the line height in the font of a font style.
    static QSize measureText(const TAVQFontStyle &font, const QString &text);
    /// A text colour from RRGGBB hexadecimal, always opaque.
    static QColor colorFromHex(const std::string &hex);

protected:
    /// Whether the control is drawn where a list template stands in for it.
    bool m_visible = true;
    /// The visual state (TAVQState); Draw() chooses its styles by it.
    int m_state = StateNormal;
    /// The element's "attr" members as LoadAttrMap() converted them.
    std::map<std::string, TAVQAttrValue> m_attrs;
    /// The control served; never null for an object a control made.
    QWidget *m_widget;
};

} // namespace TAVQtLib

#endif
