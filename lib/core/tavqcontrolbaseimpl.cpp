#include "tavqcontrolbaseimpl.h"

#include "tavqstyleslots_p.h"

#include "tavqfocusframe.h"
#include "base/tavqjson_p.h"
#include "base/tavqlimits.h"

#include <QFontMetrics>
#include <QPainter>
#include <QWidget>

#include <json/value.h>
#include <json/writer.h>

#include <algorithm>

#include <limits>

namespace TAVQtLib {

namespace {

// Whether an item is small enough for the indented text, whose indentation
// grows with the square of its depth.
bool isSmallJson(const Json::Value &value, int depth, int *budget)
{
    if (--*budget < 0 || depth > 16)
        return false;
    if (!value.isArray() && !value.isObject())
        return true;
    for (const Json::Value &item : value) {
        if (!isSmallJson(item, depth + 1, budget))
            return false;
    }
    return true;
}

// An array or object item keeps its JSON text: indented when small, else on
// one line and cut as every string from a page is.
QByteArray jsonText(const Json::Value &item)
{
    int budget = 1024;
    if (isSmallJson(item, 0, &budget))
        return QByteArray(item.toStyledString().c_str()).trimmed();
    Json::StreamWriterBuilder builder;
    builder["indentation"] = "";
    const std::string text = Json::writeString(builder, item);
    return QByteArray(text.data(), int(std::min<size_t>(text.size(), size_t(Limits::MaxStringBytes))));
}

} // namespace

TAVQAttrValue TAVQAttrValue::fromJson(const Json::Value &v)
{
    // The JSON type decides the kind; the value is then JsonCpp's conversion of it.
    TAVQAttrValue a;
    if (v.isBool()) {
        a.value = JsonRead::toBool(v).value_or(false);
    } else if (const auto bytes = JsonRead::stringBytes(v)) {
        a.type = String;
        a.value = QString::fromUtf8(*bytes);
    } else if (v.isInt()) {
        a.type = Int;
        a.value = JsonRead::toBits(v).value_or(0);
    } else if (v.isUInt()) {
        a.type = UInt;
        a.value = JsonRead::toUInt(v).value_or(0u);
    } else if (v.isNumeric()) {
        a.type = Double;
        a.value = JsonRead::toDouble(v).value_or(0.0);
    } else if (v.isArray() && v.size() > 0 && v[0].isString()) {
        // Every item as asString gives it; an array or object inside, which
        // asString refuses, keeps its JSON text.
        QStringList list;
        const Json::ArrayIndex count = std::min(v.size(), Json::ArrayIndex(Limits::MaxListItems));
        for (Json::ArrayIndex i = 0; i < count; ++i)
            list << QString::fromUtf8(JsonRead::toBytes(v[i]).value_or(jsonText(v[i])));
        a.type = StringList;
        a.count = list.size();
        a.value = list;
    }
    return a;
}

TAVQControlBaseImpl::TAVQControlBaseImpl(QWidget *widget)
    : m_widget(widget)
{
}

TAVQControlBaseImpl::~TAVQControlBaseImpl() = default;

bool TAVQControlBaseImpl::LoadAttributes(const Json::Value &element)
{
    return LoadAttrMap(&element);
}

const std::map<std::string, TAVQAttrValue> &TAVQControlBaseImpl::attrs() const
{
    return m_attrs;
}

void TAVQControlBaseImpl::VisitStyles(const Json::Value &element,
                                      const std::function<void(const QString &name, int slot)> &visit)
{
    TAVQStyleSlots::visit(element, visit);
}

int TAVQControlBaseImpl::state() const
{
    return m_state;
}

void TAVQControlBaseImpl::setState(int state)
{
    m_state = state;
}

bool TAVQControlBaseImpl::isVisibleFlag() const
{
    return m_visible;
}

void TAVQControlBaseImpl::setVisibleFlag(bool visible)
{
    m_visible = visible;
}

QWidget *TAVQControlBaseImpl::widget() const
{
    return m_widget;
}

void TAVQControlBaseImpl::OnPaint(QPaintEvent *)
{
    if (!m_widget)
        return;
    if (!m_widget->isEnabled())
        m_state = StateDisabled;
    else if (m_state == StateDisabled)
        m_state = StateNormal;
    QPainter painter(m_widget);
    const QRect rect(0, 0, m_widget->width(), m_widget->height());
    Draw(&painter, rect);
    if (TAVQFocusFrame::isShownOn(m_widget))
        TAVQFocusFrame::paint(&painter, rect);
}

void TAVQControlBaseImpl::Draw(QPainter *, const QRect &) {}
void TAVQControlBaseImpl::OnChildrenLoaded() {}

void TAVQControlBaseImpl::OnMousePress(QMouseEvent *)
{
    m_state = StatePressed;
    m_widget->repaint();
}

void TAVQControlBaseImpl::OnMouseRelease(QMouseEvent *)
{
    m_state = StateNormal;
    m_widget->repaint();
}

void TAVQControlBaseImpl::OnEnter(QEvent *)
{
    m_state = StateHover;
    m_widget->repaint();
}

void TAVQControlBaseImpl::OnLeave(QEvent *)
{
    m_state = m_widget->isEnabled() ? StateNormal : StateDisabled;
    m_widget->repaint();
}

void TAVQControlBaseImpl::OnMouseMove(QMouseEvent *) {}
void TAVQControlBaseImpl::OnMouseDoubleClick(QMouseEvent *) {}

bool TAVQControlBaseImpl::LoadAttrMap(const Json::Value *element)
{
    if (!element)
        return false;
    const Json::Value *attr = JsonRead::member(*element, "attr");
    if (!attr || !attr->isObject())
        return true;
    for (auto it = attr->begin(); it != attr->end(); ++it)
        m_attrs[it.name()] = TAVQAttrValue::fromJson(*it);
    return true;
}

void TAVQControlBaseImpl::paintBox(QPainter *p, const TAVQBoxStyle &s, const QRect &r) { TAVQPaint::paintBox(p, s, r); }

void TAVQControlBaseImpl::paintBox(QPainter *p, const TAVQBoxStyle &s, int x, int y, int w, int h)
{
    TAVQPaint::paintBox(p, s, x, y, w, h);
}

void TAVQControlBaseImpl::paintColorBox(QPainter *p, const TAVQBoxStyle &s, int x, int y, int w, int h)
{
    TAVQPaint::paintColorBox(p, s, x, y, w, h);
}

void TAVQControlBaseImpl::paintSlicedImage(QPainter *p, const QString &image, const TAVQSliceSet &slices,
                                           int x, int y, int w, int h)
{
    TAVQPaint::paintSlicedImage(p, image, slices, x, y, w, h);
}

void TAVQControlBaseImpl::paintSlicedImage(QPainter *p, const TAVQBoxStyle &s, int x, int y, int w, int h)
{
    TAVQPaint::paintSlicedImage(p, s, x, y, w, h);
}

void TAVQControlBaseImpl::paintAlignedImage(QPainter *p, const QString &image, const TAVQImagePlacement &placement,
                                            const QRect &r)
{
    TAVQPaint::paintAlignedImage(p, image, placement, r);
}

void TAVQControlBaseImpl::paintText(QPainter *p, const QString &text, const TAVQFontStyle &f, const QRect &r)
{
    TAVQPaint::paintText(p, text, f, r);
}

void TAVQControlBaseImpl::paintText(QPainter *p, const QString &text, const TAVQFontStyle &f,
                                    int x, int y, int w, int h, bool horizontal)
{
    TAVQPaint::paintText(p, text, f, x, y, w, h, horizontal);
}

QSize TAVQControlBaseImpl::measureText(const TAVQFontStyle &font, const QString &text)
{
    const QFontMetrics metrics(font.font());
    return QSize(metrics.horizontalAdvance(text), metrics.height());
}

QColor TAVQControlBaseImpl::colorFromHex(const std::string &hex)
{
    return fontColorFromString(QByteArray::fromStdString(hex));
}

} // namespace TAVQtLib
