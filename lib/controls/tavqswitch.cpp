#include "tavqswitch_p.h"

#include "core/tavqcontrol_p.h"

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

TAVQ_DEFINE_IMPL(TAVQSwitch)

TAVQSwitch::TAVQSwitch(QWidget *parent)
    : TAVQControl(parent, [](QWidget *widget) -> TAVQControlBaseImpl * { return new TAVQSwitchImpl(widget); })
{
    connect(d_func(), &TAVQSwitchImpl::toggled, this, &TAVQSwitch::toggled);
}

TAVQSwitch::~TAVQSwitch() = default;

QString TAVQSwitch::GetTypeName()
{
    return QStringLiteral("qtswitch");
}

bool TAVQSwitch::LoadFromJson(const Json::Value &element)
{
    return loadFromJsonAs<TAVQSwitchImpl>(element);
}

void TAVQSwitch::setBackgroundStyle(const TAVQBoxStyle &style) { d_func()->setBackgroundStyle(style); }
const TAVQBoxStyle &TAVQSwitch::backgroundStyle() const { return d_func()->backgroundStyle(); }
void TAVQSwitch::setThumbStyle(int state, const TAVQBoxStyle &style) { d_func()->setThumbStyle(state, style); }
const TAVQBoxStyle &TAVQSwitch::thumbStyle(int state) const { return d_func()->thumbStyle(state); }
void TAVQSwitch::setFontStyle(bool on, const TAVQFontStyle &style) { d_func()->setFontStyle(on, style); }
const TAVQFontStyle &TAVQSwitch::fontStyle(bool on) const { return d_func()->fontStyle(on); }
void TAVQSwitch::setOnText(const QString &text) { d_func()->setOnText(text); }
QString TAVQSwitch::onText() const { return d_func()->onText(); }
void TAVQSwitch::setOffText(const QString &text) { d_func()->setOffText(text); }
QString TAVQSwitch::offText() const { return d_func()->offText(); }
void TAVQSwitch::setMargin(int margin) { d_func()->setMargin(margin); }
int TAVQSwitch::margin() const { return d_func()->margin(); }
void TAVQSwitch::setSpeed(int speed) { d_func()->setSpeed(speed); }
int TAVQSwitch::speed() const { return d_func()->speed(); }
void TAVQSwitch::setThumbSize(const QSize &size) { d_func()->setThumbSize(size); }
QSize TAVQSwitch::thumbSize() const { return d_func()->thumbSize(); }
void TAVQSwitch::setShowText(bool show) { d_func()->setShowText(show); }
bool TAVQSwitch::showText() const { return d_func()->showText(); }
void TAVQSwitch::setOff(bool off) { d_func()->setOff(off); }
bool TAVQSwitch::isOff() const { return d_func()->isOff(); }
int TAVQSwitch::thumbPos() const { return d_func()->thumbPos(); }
bool TAVQSwitch::isAnimating() const { return d_func()->isAnimating(); }

void TAVQSwitch::mousePressEvent(QMouseEvent *e)
{
    d_func()->OnMousePress(e);
    d_func()->startSlide();
}

void TAVQSwitch::mouseReleaseEvent(QMouseEvent *e)
{
    d_func()->OnMouseRelease(e);
}

void TAVQSwitch::enterEvent(TAVQEnterEvent *e)
{
    d_func()->OnEnter(e);
}

void TAVQSwitch::leaveEvent(QEvent *e)
{
    d_func()->OnLeave(e);
}

} // namespace TAVQtLib
