#include "tavqcheckbox_p.h"

#include "core/tavqcontrol_p.h"

#include "base/tavqjson_p.h"
#include "base/tavqkeyreader_p.h"
#include "base/tavqkeytable_p.h"
#include "core/tavqstyleslots_p.h"
#include "resources/tavqresourcemanager.h"

#include <QAbstractButton>

#include <json/value.h>

namespace TAVQtLib {

namespace {

// Unlike the page's slot 0, a programmatic state 0 is the normal state alone.
void storeBox(std::array<TAVQBoxStyle, 4> &styles, int state, const TAVQBoxStyle &style)
{
    if (state == StateNormal)
        styles[0] = style;
    else
        TAVQStyleSlots::setPerState(styles, state, style);
}

const QImage *imageNamed(const QString &name)
{
    return name.isEmpty() ? nullptr : TAVQResourceManager::instance().image(name);
}

TAVQBoxStyle hiddenBox()
{
    TAVQBoxStyle box;
    box.visible = false;
    return box;
}

TAVQImagePlacement leftCentred()
{
    TAVQImagePlacement placement;
    placement.alignV = 1;
    return placement;
}

// The look of either two-state button, which its template base cannot name.
TAVQToggleImpl *toggle(TAVQControlBaseImpl *impl)
{
    return static_cast<TAVQToggleImpl *>(impl);
}

const TAVQToggleImpl *constToggle(const TAVQControlBaseImpl *impl)
{
    return static_cast<const TAVQToggleImpl *>(impl);
}

constexpr TAVQKey ToggleKeys[] = {
    {"showIcon", TAVQValueKind::Bool},   {"showText", TAVQValueKind::Bool},
    {"text", TAVQValueKind::Text},       {"iconPath", TAVQValueKind::Image},
    {"hotIconPath", TAVQValueKind::Image}, {"siconPath", TAVQValueKind::Image},
    {"sHotIconPath", TAVQValueKind::Image}, {"iconX", TAVQValueKind::Int},
    {"iconY", TAVQValueKind::Int},       {"iconHor", TAVQValueKind::Int},
    {"iconVer", TAVQValueKind::Int},
};
// Unchecked box per state, checked box per state, unchecked text, checked text.
constexpr TAVQSlotRange ToggleSlots[] = {{0, 7, TAVQStyleKind::Box}, {8, 9, TAVQStyleKind::Font}};

} // namespace

// TAVQToggleImpl

const TAVQControlTable TAVQToggleImpl::Table{ToggleKeys, ToggleSlots};

TAVQToggleImpl::TAVQToggleImpl(QWidget *widget)
    : TAVQControlBaseImpl(widget)
    , m_iconPlacement(leftCentred())
{
    m_boxStyles.fill(hiddenBox());
    m_checkedBoxStyles.fill(hiddenBox());
}

void TAVQToggleImpl::setTextStyle(bool checked, const TAVQFontStyle &style)
{
    (checked ? m_checkedTextStyle : m_textStyle) = style;
}

void TAVQToggleImpl::setBoxStyle(int state, const TAVQBoxStyle &style)
{
    storeBox(m_boxStyles, state, style);
}

void TAVQToggleImpl::setCheckedBoxStyle(int state, const TAVQBoxStyle &style)
{
    storeBox(m_checkedBoxStyles, state, style);
}

bool TAVQToggleImpl::isChecked() const
{
    return static_cast<const QAbstractButton *>(m_widget)->isChecked();
}

QString TAVQToggleImpl::text() const
{
    return static_cast<const QAbstractButton *>(m_widget)->text();
}

const TAVQBoxStyle &TAVQToggleImpl::currentBox() const
{
    return isChecked() ? m_checkedBoxStyles[stateSlot(m_state)] : m_boxStyles[stateSlot(m_state)];
}

void TAVQToggleImpl::loadStyles(const Json::Value &element, TextSlot textSlot)
{
    TAVQStyleSlots::visit(element, Table, [this, textSlot](const QString &name, int slot) {
        if (slot >= 0 && slot < 4) {
            TAVQStyleSlots::setBoxForState(m_boxStyles, slot, name);
        } else if (slot >= 4 && slot < 8) {
            TAVQStyleSlots::setBoxForState(m_checkedBoxStyles, slot - 4, name);
        } else if (slot == 8) {
            if (TAVQStyleSlots::findFont(name, &m_textStyle) && textSlot == TextSlot::Both)
                m_checkedTextStyle = m_textStyle;
        } else if (slot == 9) {
            TAVQStyleSlots::findFont(name, &m_checkedTextStyle);
        }
    });
}

void TAVQToggleImpl::loadAttr(const Json::Value &object, MinusOneAlignment minusOne)
{
    const TAVQKeyReader attr(Table.keys, object);
    m_showIcon = attr.boolMember("showIcon", m_showIcon);
    m_showText = attr.boolMember("showText", m_showText);
    // An "attr" without a text clears the button's text.
    static_cast<QAbstractButton *>(m_widget)->setText(fromGbk(attr.bytesMember("text")));

    const std::pair<const char *, QString *> paths[] = {
        {"iconPath", &m_iconPath},
        {"hotIconPath", &m_hotIconPath},
        {"siconPath", &m_checkedIconPath},
        {"sHotIconPath", &m_checkedHotIconPath},
    };
    for (const auto &[key, path] : paths) {
        if (const auto bytes = attr.optionalBytes(key))
            *path = QString::fromUtf8(*bytes);
    }

    m_iconPlacement.offsetX = attr.intMember("iconX", m_iconPlacement.offsetX);
    m_iconPlacement.offsetY = attr.intMember("iconY", m_iconPlacement.offsetY);
    const std::pair<const char *, int *> alignments[] = {
        {"iconHor", &m_iconPlacement.alignH},
        {"iconVer", &m_iconPlacement.alignV},
    };
    for (const auto &[key, alignment] : alignments) {
        const auto value = attr.optionalInt(key);
        if (value && !(*value == -1 && minusOne == MinusOneAlignment::Ignored))
            *alignment = *value;
    }
}

// TAVQCheckBoxImpl

TAVQCheckBoxImpl::TAVQCheckBoxImpl(QWidget *widget)
    : TAVQToggleImpl(widget)
{
    m_iconPath = m_hotIconPath = QStringLiteral("IDB_UNCHECK");
    m_checkedIconPath = m_checkedHotIconPath = QStringLiteral("IDB_CHECKED");
}

bool TAVQCheckBoxImpl::LoadAttributes(const Json::Value &element)
{
    const bool loaded = LoadAttrMap(&element);
    loadStyles(element, TextSlot::UncheckedOnly);
    if (const Json::Value *attr = JsonRead::member(element, "attr"); attr && attr->isObject())
        loadAttr(*attr, MinusOneAlignment::Taken);
    if (m_hotIconPath.isEmpty())
        m_hotIconPath = m_iconPath;
    if (m_checkedHotIconPath.isEmpty())
        m_checkedHotIconPath = m_checkedIconPath;
    return loaded;
}

int TAVQCheckBoxImpl::textOffset() const
{
    // Only a left-hand icon pushes the text; the unchecked icon's width serves every state.
    if (!m_showIcon || m_iconPlacement.alignH != 0)
        return 0;
    const QImage *icon = imageNamed(m_iconPath);
    return icon ? icon->width() + m_iconPlacement.offsetX : 0;
}

QString TAVQCheckBoxImpl::shownIcon() const
{
    const bool checked = isChecked();
    switch (m_state) {
    case StateHover:
        return checked ? m_checkedHotIconPath : m_hotIconPath;
    case StateDisabled:
        return checked ? m_disabledCheckedIconPath : m_disabledIconPath;
    default:
        return checked ? m_checkedIconPath : m_iconPath;
    }
}

void TAVQCheckBoxImpl::Draw(QPainter *painter, const QRect &rect)
{
    paintBox(painter, currentBox(), rect);
    if (m_showText) {
        const int offset = textOffset();
        paintText(painter, text(), currentTextStyle(), rect.left() + offset, rect.top(),
                  m_widget->width() - offset, m_widget->height(), true);
    }
    const QString icon = shownIcon();
    if (m_showIcon && !icon.isEmpty())
        paintAlignedImage(painter, icon, m_iconPlacement, rect);
}

// TAVQRadioButtonImpl

TAVQRadioButtonImpl::TAVQRadioButtonImpl(QWidget *widget)
    : TAVQToggleImpl(widget)
{
}

bool TAVQRadioButtonImpl::LoadAttributes(const Json::Value &element)
{
    const bool loaded = LoadAttrMap(&element);
    loadStyles(element, TextSlot::Both);
    if (const Json::Value *attr = JsonRead::member(element, "attr"); attr && attr->isObject())
        loadAttr(*attr, MinusOneAlignment::Ignored);
    return loaded;
}

QString TAVQRadioButtonImpl::shownIcon() const
{
    const bool hovered = m_state == StateHover;
    if (isChecked())
        return hovered && !m_checkedHotIconPath.isEmpty() ? m_checkedHotIconPath : m_checkedIconPath;
    return hovered && !m_hotIconPath.isEmpty() ? m_hotIconPath : m_iconPath;
}

void TAVQRadioButtonImpl::Draw(QPainter *painter, const QRect &rect)
{
    const QString icon = shownIcon();
    QRect textRect = rect;
    if (m_showIcon) {
        if (const QImage *image = imageNamed(icon))
            textRect.setLeft(rect.left() + image->width() + 2);
    }
    paintBox(painter, currentBox(), rect);
    if (m_showText)
        paintText(painter, text(), currentTextStyle(), textRect);
    if (m_showIcon && !icon.isEmpty())
        paintAlignedImage(painter, icon, m_iconPlacement, rect);
}

// TAVQToggleControl

template <typename Button>
void TAVQToggleControl<Button>::setIconPath(const QString &path) { toggle(this->m_impl)->setIconPath(path); }
template <typename Button>
QString TAVQToggleControl<Button>::iconPath() const { return constToggle(this->m_impl)->iconPath(); }
template <typename Button>
void TAVQToggleControl<Button>::setHotIconPath(const QString &path) { toggle(this->m_impl)->setHotIconPath(path); }
template <typename Button>
QString TAVQToggleControl<Button>::hotIconPath() const { return constToggle(this->m_impl)->hotIconPath(); }
template <typename Button>
void TAVQToggleControl<Button>::setCheckedIconPath(const QString &path)
{
    toggle(this->m_impl)->setCheckedIconPath(path);
}
template <typename Button>
QString TAVQToggleControl<Button>::checkedIconPath() const { return constToggle(this->m_impl)->checkedIconPath(); }
template <typename Button>
void TAVQToggleControl<Button>::setCheckedHotIconPath(const QString &path)
{
    toggle(this->m_impl)->setCheckedHotIconPath(path);
}
template <typename Button>
QString TAVQToggleControl<Button>::checkedHotIconPath() const
{
    return constToggle(this->m_impl)->checkedHotIconPath();
}
template <typename Button>
void TAVQToggleControl<Button>::setIconPlacement(const TAVQImagePlacement &placement)
{
    toggle(this->m_impl)->setIconPlacement(placement);
}
template <typename Button>
TAVQImagePlacement TAVQToggleControl<Button>::iconPlacement() const
{
    return constToggle(this->m_impl)->iconPlacement();
}
template <typename Button>
void TAVQToggleControl<Button>::setShowIcon(bool show) { toggle(this->m_impl)->setShowIcon(show); }
template <typename Button>
bool TAVQToggleControl<Button>::showIcon() const { return constToggle(this->m_impl)->showIcon(); }
template <typename Button>
void TAVQToggleControl<Button>::setShowText(bool show) { toggle(this->m_impl)->setShowText(show); }
template <typename Button>
bool TAVQToggleControl<Button>::showText() const { return constToggle(this->m_impl)->showText(); }
template <typename Button>
void TAVQToggleControl<Button>::setTextStyle(bool checked, const TAVQFontStyle &style)
{
    toggle(this->m_impl)->setTextStyle(checked, style);
}
template <typename Button>
const TAVQFontStyle &TAVQToggleControl<Button>::textStyle(bool checked) const
{
    return constToggle(this->m_impl)->textStyle(checked);
}
template <typename Button>
void TAVQToggleControl<Button>::setBoxStyle(int state, const TAVQBoxStyle &style)
{
    toggle(this->m_impl)->setBoxStyle(state, style);
}
template <typename Button>
const TAVQBoxStyle &TAVQToggleControl<Button>::boxStyle(int state) const
{
    return constToggle(this->m_impl)->boxStyle(state);
}
template <typename Button>
void TAVQToggleControl<Button>::setCheckedBoxStyle(int state, const TAVQBoxStyle &style)
{
    toggle(this->m_impl)->setCheckedBoxStyle(state, style);
}
template <typename Button>
const TAVQBoxStyle &TAVQToggleControl<Button>::checkedBoxStyle(int state) const
{
    return constToggle(this->m_impl)->checkedBoxStyle(state);
}

template class TAVQToggleControl<QCheckBox>;
template class TAVQToggleControl<QRadioButton>;

// TAVQCheckBox

TAVQ_DEFINE_IMPL(TAVQCheckBox)

TAVQCheckBox::TAVQCheckBox(QWidget *parent)
    : TAVQToggleControl(parent, [](QWidget *widget) -> TAVQControlBaseImpl * { return new TAVQCheckBoxImpl(widget); })
{
}

TAVQCheckBox::~TAVQCheckBox() = default;

QString TAVQCheckBox::GetTypeName()
{
    return QStringLiteral("qtcheckbox");
}

bool TAVQCheckBox::LoadFromJson(const Json::Value &element)
{
    return loadFromJsonAs<TAVQCheckBoxImpl>(element);
}

void TAVQCheckBox::setDisabledIconPath(const QString &path) { d_func()->setDisabledIconPath(path); }
QString TAVQCheckBox::disabledIconPath() const { return d_func()->disabledIconPath(); }
void TAVQCheckBox::setDisabledCheckedIconPath(const QString &path) { d_func()->setDisabledCheckedIconPath(path); }
QString TAVQCheckBox::disabledCheckedIconPath() const { return d_func()->disabledCheckedIconPath(); }

bool TAVQCheckBox::hitButton(const QPoint &pos) const
{
    // The whole face is painted by the control, so all of it answers the mouse.
    return rect().contains(pos);
}

// TAVQRadioButton

TAVQ_DEFINE_IMPL(TAVQRadioButton)

TAVQRadioButton::TAVQRadioButton(QWidget *parent)
    : TAVQToggleControl(parent, [](QWidget *widget) -> TAVQControlBaseImpl * { return new TAVQRadioButtonImpl(widget); })
{
}

TAVQRadioButton::~TAVQRadioButton() = default;

QString TAVQRadioButton::GetTypeName()
{
    return QStringLiteral("qtradiobox");
}

bool TAVQRadioButton::LoadFromJson(const Json::Value &element)
{
    return loadFromJsonAs<TAVQRadioButtonImpl>(element);
}

void TAVQRadioButton::mousePressEvent(QMouseEvent *event)
{
    d_func()->OnMousePress(event);
}

void TAVQRadioButton::mouseReleaseEvent(QMouseEvent *event)
{
    // Qt refuses to uncheck the checked button of an auto-exclusive group.
    setChecked(!isChecked());
    d_func()->OnMouseRelease(event);
}

} // namespace TAVQtLib
