#include "tavqpushbutton_p.h"

#include "core/tavqcontrol_p.h"

#include "base/tavqjson_p.h"
#include "base/tavqkeyreader_p.h"
#include "base/tavqkeytable_p.h"
#include "core/tavqstyleslots_p.h"

#include <QKeyEvent>
#include <QPainter>

#include <json/value.h>

namespace TAVQtLib {

namespace {

TAVQBoxStyle framedBox(QRgb fill)
{
    TAVQBoxStyle box;
    box.color = QColor::fromRgba(fill);
    box.borderColor = QColor::fromRgba(0xFFCCCCCC);
    box.borderSize = 1;
    return box;
}

constexpr TAVQKey Keys[] = {
    {"hasIcon", TAVQValueKind::Bool}, {"iconPath", TAVQValueKind::Image}, {"text", TAVQValueKind::Text},
    {"hotIconPath", TAVQValueKind::Image}, {"showText", TAVQValueKind::Bool}, {"iconHor", TAVQValueKind::Int},
    {"iconVer", TAVQValueKind::Int}, {"iconX", TAVQValueKind::Int}, {"iconY", TAVQValueKind::Int},
    {"txtX", TAVQValueKind::Int}, {"txtY", TAVQValueKind::Int}, {"default", TAVQValueKind::Bool},
};
constexpr TAVQSlotRange Slots[] = {{0, 3, TAVQStyleKind::Box}, {4, 7, TAVQStyleKind::Font}};

} // namespace

const TAVQControlTable TAVQPushButtonImpl::Table{Keys, Slots};

TAVQPushButtonImpl::TAVQPushButtonImpl(QWidget *widget)
    : TAVQControlBaseImpl(widget)
    , m_boxStyles{framedBox(0xFFF5F5F5), framedBox(0xFFEDFBFF), framedBox(0xFFF5F5F5), TAVQBoxStyle()}
{
    m_iconPlacement.alignH = 1;
    m_iconPlacement.alignV = 1;
    for (TAVQFontStyle &font : m_fontStyles)
        font.hor = 1;
}

bool TAVQPushButtonImpl::LoadAttributes(const Json::Value &element)
{
    const bool loaded = LoadAttrMap(&element);
    loadStyles(element);
    if (const Json::Value *attr = JsonRead::member(element, "attr"); attr && attr->isObject())
        loadAttr(*attr);
    return loaded;
}

void TAVQPushButtonImpl::loadStyles(const Json::Value &element)
{
    TAVQStyleSlots::visit(element, Table, [this](const QString &name, int slot) {
        if (slot >= 0 && slot < 4)
            TAVQStyleSlots::setBoxForState(m_boxStyles, slot, name);
        else if (slot >= 4 && slot < 8)
            TAVQStyleSlots::setFontForState(m_fontStyles, slot - 4, name);
    });
}

void TAVQPushButtonImpl::loadAttr(const Json::Value &object)
{
    const TAVQKeyReader attr(Table.keys, object);
    m_hasIcon = attr.boolMember("hasIcon", m_hasIcon);
    if (const auto path = attr.optionalBytes("iconPath"))
        m_iconPath = QString::fromUtf8(*path);
    // An "attr" without a text clears the button's text.
    static_cast<QPushButton *>(m_widget)->setText(fromGbk(attr.bytesMember("text")));
    if (const auto path = attr.optionalBytes("hotIconPath"))
        m_hotIconPath = QString::fromUtf8(*path);
    m_showText = attr.boolMember("showText", m_showText);
    m_iconPlacement.alignH = attr.intMember("iconHor", m_iconPlacement.alignH);
    m_iconPlacement.alignV = attr.intMember("iconVer", m_iconPlacement.alignV);
    m_iconPlacement.offsetX = attr.intMember("iconX", m_iconPlacement.offsetX);
    m_iconPlacement.offsetY = attr.intMember("iconY", m_iconPlacement.offsetY);
    m_textX = attr.intMember("txtX", m_textX);
    m_textY = attr.intMember("txtY", m_textY);
    if (const auto isDefault = attr.optionalBool("default"))
        static_cast<QPushButton *>(m_widget)->setDefault(*isDefault);
}

void TAVQPushButtonImpl::setBoxStyle(int state, const TAVQBoxStyle &style)
{
    TAVQStyleSlots::storeForState(m_boxStyles, state, style);
}

void TAVQPushButtonImpl::setFontStyle(int state, const TAVQFontStyle &style)
{
    TAVQStyleSlots::storeForState(m_fontStyles, state, style);
}

void TAVQPushButtonImpl::setUseColor(int state, bool useColor)
{
    TAVQStyleSlots::applyForState(m_boxStyles, state, [useColor](TAVQBoxStyle &style) { style.useColor = useColor; });
}

void TAVQPushButtonImpl::setIconPath(const QString &path)
{
    if (path == m_iconPath)
        return;
    m_iconPath = path;
    m_widget->update();
}

void TAVQPushButtonImpl::setHotIconPath(const QString &path)
{
    if (path == m_hotIconPath)
        return;
    m_hotIconPath = path;
    m_widget->update();
}

QString TAVQPushButtonImpl::shownIcon() const
{
    if (m_state == StateHover && !m_hotIconPath.isEmpty())
        return m_hotIconPath;
    return m_iconPath;
}

void TAVQPushButtonImpl::Draw(QPainter *painter, const QRect &rect)
{
    const int w = m_widget->width();
    const int h = m_widget->height();
    if (m_state >= StateNormal && m_state <= StateDisabled) {
        const size_t state = size_t(m_state);
        paintBox(painter, m_boxStyles[state], rect);
        if (m_showText) {
            paintText(painter, static_cast<QPushButton *>(m_widget)->text(), m_fontStyles[state],
                      rect.left() + m_textX, rect.top() + m_textY, w - m_textX, h - m_textY, true);
        }
    }
    if (!m_hasIcon)
        return;
    const QString icon = shownIcon();
    if (!icon.isEmpty())
        paintAlignedImage(painter, icon, m_iconPlacement, QRect(rect.left(), rect.top(), w, h));
}

// TAVQPushButton

TAVQ_DEFINE_IMPL(TAVQPushButton)

TAVQPushButton::TAVQPushButton(QWidget *parent)
    : TAVQControl(parent, [](QWidget *widget) -> TAVQControlBaseImpl * { return new TAVQPushButtonImpl(widget); })
{
    setMouseTracking(true);
    // In a dialog Qt makes every button an auto-default one, so Return would press
    // whichever button happens to come first (a window's close button, say). A
    // button answers Return only where the page or the program makes it the default.
    setAutoDefault(false);
}

void TAVQPushButton::keyPressEvent(QKeyEvent *e)
{
    // The focused button still takes Return, as an auto-default one would.
    const bool enter = e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
    if (enter && !autoDefault() && !isDefault()) {
        click();
        return;
    }
    TAVQControl::keyPressEvent(e);
}

TAVQPushButton::~TAVQPushButton() = default;

QString TAVQPushButton::GetTypeName()
{
    return QStringLiteral("qtbutton");
}

bool TAVQPushButton::LoadFromJson(const Json::Value &element)
{
    return loadFromJsonAs<TAVQPushButtonImpl>(element);
}

void TAVQPushButton::setBoxStyle(int state, const TAVQBoxStyle &style) { d_func()->setBoxStyle(state, style); }
const TAVQBoxStyle &TAVQPushButton::boxStyle(int state) const { return d_func()->boxStyle(state); }
void TAVQPushButton::setFontStyle(int state, const TAVQFontStyle &style) { d_func()->setFontStyle(state, style); }
const TAVQFontStyle &TAVQPushButton::fontStyle(int state) const { return d_func()->fontStyle(state); }
void TAVQPushButton::setUseColor(int state, bool useColor) { d_func()->setUseColor(state, useColor); }
bool TAVQPushButton::useColor(int state) const { return d_func()->useColor(state); }
void TAVQPushButton::setHasIcon(bool hasIcon) { d_func()->setHasIcon(hasIcon); }
bool TAVQPushButton::hasIcon() const { return d_func()->hasIcon(); }
void TAVQPushButton::setShowText(bool showText) { d_func()->setShowText(showText); }
bool TAVQPushButton::showText() const { return d_func()->showText(); }
void TAVQPushButton::setIconPath(const QString &path) { d_func()->setIconPath(path); }
QString TAVQPushButton::iconPath() const { return d_func()->iconPath(); }
void TAVQPushButton::setHotIconPath(const QString &path) { d_func()->setHotIconPath(path); }
QString TAVQPushButton::hotIconPath() const { return d_func()->hotIconPath(); }
void TAVQPushButton::setIconPlacement(const TAVQImagePlacement &placement) { d_func()->setIconPlacement(placement); }
TAVQImagePlacement TAVQPushButton::iconPlacement() const { return d_func()->iconPlacement(); }
void TAVQPushButton::setTextX(int x) { d_func()->setTextX(x); }
int TAVQPushButton::textX() const { return d_func()->textX(); }
void TAVQPushButton::setTextY(int y) { d_func()->setTextY(y); }
int TAVQPushButton::textY() const { return d_func()->textY(); }

} // namespace TAVQtLib
