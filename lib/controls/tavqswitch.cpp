#include "tavqswitch.h"

#include "base/tavqjson_p.h"
#include "base/tavqkeyreader_p.h"
#include "base/tavqkeytable_p.h"
#include "core/tavqstyleslots_p.h"

#include <QPainter>

#include <json/value.h>

namespace TAVQtLib {

TAVQSwitchImpl::TAVQSwitchImpl(QWidget *widget)
    : TAVQControlBaseImpl(widget)
    , m_onText(QStringLiteral("On"))
    , m_offText(QStringLiteral("Off"))
    , m_animation(new QVariantAnimation(widget))
{
    connect(m_animation, &QVariantAnimation::valueChanged, this, &TAVQSwitchImpl::valueChanged);
    connect(m_animation, &QVariantAnimation::finished, this, &TAVQSwitchImpl::finished);
}

namespace {

constexpr TAVQKey Keys[] = {
    {"leftText", TAVQValueKind::Text}, {"rightText", TAVQValueKind::Text}, {"thumbW", TAVQValueKind::Int},
    {"thumbH", TAVQValueKind::Int},    {"speed", TAVQValueKind::Int},      {"on", TAVQValueKind::Int},
    {"margin", TAVQValueKind::Int},
};
// Background, thumb per state, "on" text, "off" text.
constexpr TAVQSlotRange Slots[] = {
    {0, 0, TAVQStyleKind::Box}, {2, 5, TAVQStyleKind::Box}, {6, 7, TAVQStyleKind::Font},
};

} // namespace

const TAVQControlTable TAVQSwitchImpl::Table{Keys, Slots};

bool TAVQSwitchImpl::LoadAttributes(const Json::Value &element)
{
    const bool loaded = LoadAttrMap(&element);
    loadStyles(element);
    if (const Json::Value *attr = JsonRead::member(element, "attr"); attr && attr->isObject())
        loadAttr(*attr);
    return loaded;
}

void TAVQSwitchImpl::loadStyles(const Json::Value &element)
{
    TAVQStyleSlots::visit(element, Table, [this](const QString &name, int slot) {
        if (slot == 0) {
            TAVQStyleSlots::findBox(name, &m_backgroundStyle);
        } else if (slot >= 2 && slot < 6) {
            TAVQStyleSlots::setBoxForState(m_thumbStyles, slot - 2, name);
        } else if (slot == 6 || slot == 7) {
            TAVQFontStyle font;
            if (TAVQStyleSlots::findFont(name, &font))
                (slot == 6 ? m_onFont : m_offFont) = font;
        }
    });
}

void TAVQSwitchImpl::loadAttr(const Json::Value &object)
{
    const TAVQKeyReader attr(Table.keys, object);
    m_onText = fromGbk(attr.bytesMember("leftText"));
    m_offText = fromGbk(attr.bytesMember("rightText"));
    m_thumbSize = QSize(attr.intMember("thumbW", 25), attr.intMember("thumbH", 25));
    m_speed = attr.intMember("speed", m_speed);
    if (const auto on = attr.optionalInt("on"))
        m_off = *on == 0;
    m_margin = attr.intMember("margin", m_margin);
}

void TAVQSwitchImpl::setThumbStyle(int state, const TAVQBoxStyle &style)
{
    if (isSingleState(state))
        m_thumbStyles[size_t(state)] = style;
}

int TAVQSwitchImpl::travel() const
{
    return m_widget->width() - 2 * m_margin - m_thumbSize.width();
}

void TAVQSwitchImpl::startSlide()
{
    if (m_animating)
        return;
    m_animating = true;
    const int end = travel();
    m_animation->setStartValue(m_off ? 0 : end);
    m_animation->setEndValue(m_off ? end : 0);
    m_animation->setDuration(qMax(0, m_speed));
    m_animation->start();
}

void TAVQSwitchImpl::valueChanged(QVariant value)
{
    m_thumbPos = value.toInt();
    m_widget->update();
}

void TAVQSwitchImpl::finished()
{
    m_animating = false;
    m_off = !m_off;
    m_widget->update();
    emit toggled(!m_off);
}

void TAVQSwitchImpl::Draw(QPainter *painter, const QRect &rect)
{
    if (m_thumbPos == -1)
        m_thumbPos = m_off ? 0 : travel();
    paintBox(painter, m_backgroundStyle, rect);
    const int thumbW = m_thumbSize.width();
    const int thumbH = m_thumbSize.height();
    if (m_showText) {
        // The label sits in the end the thumb has left.
        const QRect label(m_off ? rect.width() - thumbW : m_margin, m_margin, thumbW, thumbH);
        paintText(painter, m_off ? m_offText : m_onText, m_off ? m_offFont : m_onFont, label);
    }
    paintBox(painter, m_thumbStyles[stateSlot(m_state)], m_margin + m_thumbPos, m_margin, thumbW, thumbH);
}

// TAVQSwitch

TAVQSwitch::TAVQSwitch(QWidget *parent)
    : TAVQControl<QWidget, TAVQSwitchImpl>(parent)
{
    connect(m_impl, &TAVQSwitchImpl::toggled, this, &TAVQSwitch::toggled);
}

QString TAVQSwitch::GetTypeName()
{
    return QStringLiteral("qtswitch");
}

void TAVQSwitch::mousePressEvent(QMouseEvent *e)
{
    m_impl->OnMousePress(e);
    m_impl->startSlide();
}

} // namespace TAVQtLib
