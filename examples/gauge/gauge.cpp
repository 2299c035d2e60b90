#include "gauge.h"

#include <QPainter>

using namespace TAVQtLib;

GaugeImpl::GaugeImpl(QWidget *widget)
    : TAVQControlBaseImpl(widget)
{
    // Until a page says otherwise: grey box, green bar, centred dark figure.
    m_background.color = QColor(0xEE, 0xEE, 0xEE);
    m_hoverBackground = m_background;
    m_hoverBackground.color = QColor(0xDD, 0xEE, 0xFF);
    m_bar.color = QColor(0x33, 0x99, 0x33);
    m_bar.borderSize = 0;
    m_font.color = QColor(0x22, 0x22, 0x22);
    m_font.hor = 1;
}

//! [load]
bool GaugeImpl::LoadAttributes(const Json::Value &element)
{
    // The base keeps every "attr" member, converted; its result is ours.
    const bool read = LoadAttrMap(&element);
    readStyles(element);
    readAttributes();
    return read;
}

void GaugeImpl::readStyles(const Json::Value &element)
{
    // VisitStyles reads the list as the built-in controls do and never throws;
    // a name the style sheet lacks leaves the default in place.
    TAVQResourceManager &resources = TAVQResourceManager::instance();
    VisitStyles(element, [&](const QString &name, int slot) {
        switch (slot) {
        case 0:
            resources.boxStyle(name, m_background);
            break;
        case 1:
            resources.boxStyle(name, m_hoverBackground);
            break;
        case 2:
            resources.boxStyle(name, m_bar);
            break;
        case 3:
            resources.fontStyle(name, m_font);
            break;
        default:
            break;
        }
    });
}
//! [load]

int GaugeImpl::attribute(const char *name, int fallback) const
{
    // attrs() holds converted values, so a wrong JSON type cannot throw here.
    const auto it = attrs().find(name);
    if (it == attrs().end() || it->second.type != TAVQAttrValue::Int)
        return fallback;
    return it->second.value.toInt();
}

void GaugeImpl::readAttributes()
{
    setRange(attribute("min", m_min), attribute("max", m_max));
    setValue(attribute("value", m_value));
}

void GaugeImpl::setRange(int minimum, int maximum)
{
    m_min = minimum;
    m_max = qMax(minimum, maximum);
    setValue(m_value);
}

void GaugeImpl::setValue(int value)
{
    m_value = qBound(m_min, value, m_max);
    m_widget->update();
}

void GaugeImpl::Draw(QPainter *painter, const QRect &rect)
{
    // m_state is kept by the base: 1 while the pointer is over the widget.
    paintBox(painter, m_state == StateHover ? m_hoverBackground : m_background, rect);
    const int span = m_max - m_min;
    const int filled = span > 0 ? int(qint64(rect.width() - 8) * (m_value - m_min) / span) : 0;
    paintBox(painter, m_bar, QRect(rect.left() + 4, rect.top() + 4, filled, rect.height() - 8));
    paintText(painter, QStringLiteral("%1 %").arg(m_value), m_font, rect);
}

Gauge::Gauge(QWidget *parent)
    : TAVQControl(parent)
{
}

void Gauge::setValue(int value)
{
    const int before = m_impl->value();
    m_impl->setValue(value);
    if (m_impl->value() != before)
        emit valueChanged(m_impl->value());
}
