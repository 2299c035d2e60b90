#include "tavqpushbutton.h"

#include "base/tavqjson.h"
#include "base/tavqkeyreader.h"
#include "base/tavqkeytable.h"
#include "core/tavqstyleslots.h"

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

TAVQPushButton::TAVQPushButton(QWidget *parent)
    : TAVQControl<QPushButton, TAVQPushButtonImpl>(parent)
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

QString TAVQPushButton::GetTypeName()
{
    return QStringLiteral("qtbutton");
}

} // namespace TAVQtLib
