#ifndef TAVQ_CONTROLBASEIMPL_H
#define TAVQ_CONTROLBASEIMPL_H

#include "resources/tavqpaint.h"
#include "resources/tavqstyle.h"

#include <QObject>
#include <QRect>
#include <QStringList>
#include <QVariant>

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

// One member of an element's "attr" object, converted.
struct TAVQAttrValue
{
    enum Type { Bool = 0, String = 1, UInt = 6, Int = 7, Double = 11, StringList = 12 };
    int type = Bool;
    QVariant value = false;
    int count = 0;

    static TAVQAttrValue fromJson(const Json::Value &value);
};

// Visual states a control paints by.
enum TAVQState { StateNormal = 0, StateHover = 1, StatePressed = 2, StateDisabled = 3, StateAll = 4 };

// Look and mouse reaction of one control; the control forwards its Qt events here.
class TAVQControlBaseImpl : public QObject
{
    Q_OBJECT

public:
    explicit TAVQControlBaseImpl(QWidget *widget);
    ~TAVQControlBaseImpl() override;

    virtual void OnPaint(QPaintEvent *event);
    virtual void Draw(QPainter *painter, const QRect &rect);
    virtual void OnChildrenLoaded();
    virtual void OnMousePress(QMouseEvent *event);
    virtual void OnMouseRelease(QMouseEvent *event);
    virtual void OnEnter(QEvent *event);
    virtual void OnLeave(QEvent *event);
    virtual void OnMouseMove(QMouseEvent *event);
    virtual void OnMouseDoubleClick(QMouseEvent *event);

    bool LoadAttrMap(const Json::Value *element);
    const std::map<std::string, TAVQAttrValue> &attrs() const { return m_attrs; }

    int state() const { return m_state; }
    void setState(int state) { m_state = state; }
    bool isVisibleFlag() const { return m_visible; }
    void setVisibleFlag(bool visible) { m_visible = visible; }
    QWidget *widget() const { return m_widget; }

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

    static QSize measureText(const TAVQFontStyle &font, const QString &text);
    static QColor colorFromHex(const std::string &hex);

protected:
    bool m_visible = true;
    int m_state = StateNormal;
    std::map<std::string, TAVQAttrValue> m_attrs;
    QWidget *m_widget;
};

} // namespace TAVQtLib

#endif
