#include "tavqedit_p.h"

#include "core/tavqcontrol_p.h"

#include "tavqscrollbarconfig_p.h"
#include "tavqvaluecontrols.h"
#include "base/tavqjson_p.h"
#include "base/tavqkeyreader_p.h"
#include "base/tavqkeytable_p.h"
#include "core/tavqstyleslots_p.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPalette>

#include <json/value.h>

#include <optional>

namespace TAVQtLib {

namespace {

const char TransparentSheet[] = "background-color: rgba(0, 0, 0, 0);";

constexpr TAVQKey LineEditKeys[] = {
    {"text", TAVQValueKind::Text},       {"tip", TAVQValueKind::Text},
    {"ispassord", TAVQValueKind::Bool},  {"shortcut", TAVQValueKind::Bool},
    {"leftMargin", TAVQValueKind::Int},  {"topMargin", TAVQValueKind::Int},
    {"rightMargin", TAVQValueKind::Int}, {"bottomMargin", TAVQValueKind::Int},
};
constexpr TAVQKey TextEditKeys[] = {
    {"text", TAVQValueKind::Text},       {"tip", TAVQValueKind::Text},
    {"leftMargin", TAVQValueKind::Int},  {"topMargin", TAVQValueKind::Int},
    {"rightMargin", TAVQValueKind::Int}, {"bottomMargin", TAVQValueKind::Int},
};
// Box per state, text per state, placeholder text.
constexpr TAVQSlotRange EntrySlots[] = {{0, 3, TAVQStyleKind::Box}, {4, 8, TAVQStyleKind::Font}};

const Json::Value *attrOf(const Json::Value &element)
{
    const Json::Value *attr = JsonRead::member(element, "attr");
    return attr && attr->isObject() ? attr : nullptr;
}

// Page margins far beyond any screen would only overflow Qt's geometry sums.
int marginMember(const TAVQKeyReader &attr, const char *key, int fallback)
{
    return qBound(-QWIDGETSIZE_MAX, attr.intMember(key, fallback), QWIDGETSIZE_MAX);
}

// The name a key press stands for in shortcut capture: empty for the erasing
// keys, nothing at all for keys that cannot make a shortcut.
std::optional<QString> shortcutName(const QKeyEvent &event)
{
    const int key = event.key();
    if (key == Qt::Key_Backspace || key == Qt::Key_Delete)
        return QString();
    if (key >= Qt::Key_F1 && key <= Qt::Key_F35)
        return QStringLiteral("F%1").arg(key - Qt::Key_F1 + 1);
    if (key < Qt::Key_A || key > Qt::Key_Z)
        return std::nullopt;

    QStringList parts;
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    if (modifiers & Qt::ControlModifier)
        parts << QStringLiteral("CTRL");
    if (modifiers & Qt::AltModifier)
        parts << QStringLiteral("ALT");
    if (modifiers & Qt::ShiftModifier)
        parts << QStringLiteral("SHIFT");
    parts << QString(QChar(key));
    return parts.join(QLatin1Char('+'));
}

// The look of either text entry, which its template base cannot name.
TAVQTextEntryImpl *entry(TAVQControlBaseImpl *impl)
{
    return static_cast<TAVQTextEntryImpl *>(impl);
}

const TAVQTextEntryImpl *constEntry(const TAVQControlBaseImpl *impl)
{
    return static_cast<const TAVQTextEntryImpl *>(impl);
}

// Hidden text must not leave the field through the clipboard, nor be replaced
// or marked wholesale by the standard bindings.
bool isGuardedSequence(const QKeyEvent &event)
{
    return event.matches(QKeySequence::SelectAll) || event.matches(QKeySequence::Paste)
            || event.matches(QKeySequence::Copy);
}

} // namespace

// TAVQTextEntryImpl

TAVQTextEntryImpl::TAVQTextEntryImpl(QWidget *widget)
    : TAVQControlBaseImpl(widget)
{
}

void TAVQTextEntryImpl::syncEnabledState()
{
    if (!m_widget->isEnabled())
        m_state = StateDisabled;
    else if (m_state == StateDisabled)
        m_state = StateNormal;
}

void TAVQTextEntryImpl::OnPaint(QPaintEvent *)
{
    if (!m_widget)
        return;
    syncEnabledState();
    {
        QWidget *target = surface();
        QPainter painter(target);
        Draw(&painter, target->rect());
    }
    applyStateFont(m_state);
}

void TAVQTextEntryImpl::Draw(QPainter *painter, const QRect &rect)
{
    paintBox(painter, boxStyle(m_state), rect);
    if (!m_tipText.isEmpty() && entryText().isEmpty())
        paintText(painter, m_tipText, m_tipStyle, rect);
}

void TAVQTextEntryImpl::OnChildrenLoaded()
{
    applyStateFont(StateNormal);
}

void TAVQTextEntryImpl::OnEnter(QEvent *)
{
    if (m_state == StatePressed)
        return;
    m_state = StateHover;
    m_widget->repaint();
}

void TAVQTextEntryImpl::OnLeave(QEvent *)
{
    if (m_state == StatePressed)
        return;
    m_state = StateNormal;
    m_widget->repaint();
}

void TAVQTextEntryImpl::OnFocusIn()
{
    m_state = StatePressed;
    m_widget->repaint();
}

void TAVQTextEntryImpl::OnFocusOut()
{
    m_state = StateNormal;
    m_widget->repaint();
}

void TAVQTextEntryImpl::applyStateFont(int state)
{
    const TAVQFontStyle &style = fontStyle(state);
    QPalette palette;
    palette.setBrush(QPalette::All, QPalette::Text, style.color);
    // Qt ignores settings equal to the current ones, so calling this from
    // every paint does not schedule another.
    m_widget->setPalette(palette);
    QFont font;
    if (style.size > 0)
        font.setPixelSize(style.size);
    font.setFamily(style.family);
    m_widget->setFont(font);
}

void TAVQTextEntryImpl::setBoxStyle(int state, const TAVQBoxStyle &style)
{
    if (!isSingleState(state))
        return;
    m_boxStyles[size_t(state)] = style;
    surface()->update();
}

void TAVQTextEntryImpl::setFontStyle(int state, const TAVQFontStyle &style)
{
    if (!isSingleState(state))
        return;
    m_fontStyles[size_t(state)] = style;
    if (state == StateNormal)
        applyStateFont(StateNormal);
}

void TAVQTextEntryImpl::setTipText(const QString &text)
{
    m_tipText = text;
    surface()->update();
}

void TAVQTextEntryImpl::setTipStyle(const TAVQFontStyle &style)
{
    m_tipStyle = style;
    surface()->update();
}

void TAVQTextEntryImpl::loadStyles(const Json::Value &element, const TAVQControlTable &table)
{
    TAVQStyleSlots::visit(element, table, [this](const QString &name, int slot) {
        if (slot >= 0 && slot < 4) {
            TAVQStyleSlots::setBoxForState(m_boxStyles, slot, name);
        } else if (slot >= 4 && slot < 8) {
            if (TAVQStyleSlots::setFontForState(m_fontStyles, slot - 4, name) && slot == 4)
                m_tipStyle = m_fontStyles[0];
        } else if (slot == 8) {
            TAVQStyleSlots::findFont(name, &m_tipStyle);
        }
    });
}

void TAVQTextEntryImpl::loadTexts(const TAVQKeyReader &attr)
{
    if (const auto text = attr.optionalBytes("text"))
        setEntryText(QString::fromUtf8(*text));
    if (const auto tip = attr.optionalBytes("tip"))
        m_tipText = fromGbk(*tip);
}

QMargins TAVQTextEntryImpl::readMargins(const TAVQKeyReader &attr, MarginDefaults defaults)
{
    const int left = marginMember(attr, "leftMargin", 0);
    const int top = marginMember(attr, "topMargin", 0);
    const bool mirrored = defaults == MirroredMargins;
    const int right = marginMember(attr, "rightMargin", mirrored ? left : 0);
    const int bottom = marginMember(attr, "bottomMargin", mirrored ? top : 0);
    return QMargins(left, top, right, bottom);
}

// TAVQTextEntryControl

template <typename Widget>
void TAVQTextEntryControl<Widget>::setBoxStyle(int state, const TAVQBoxStyle &style)
{
    entry(this->m_impl)->setBoxStyle(state, style);
}
template <typename Widget>
const TAVQBoxStyle &TAVQTextEntryControl<Widget>::boxStyle(int state) const
{
    return constEntry(this->m_impl)->boxStyle(state);
}
template <typename Widget>
void TAVQTextEntryControl<Widget>::setFontStyle(int state, const TAVQFontStyle &style)
{
    entry(this->m_impl)->setFontStyle(state, style);
}
template <typename Widget>
const TAVQFontStyle &TAVQTextEntryControl<Widget>::fontStyle(int state) const
{
    return constEntry(this->m_impl)->fontStyle(state);
}
template <typename Widget>
void TAVQTextEntryControl<Widget>::setTipText(const QString &text) { entry(this->m_impl)->setTipText(text); }
template <typename Widget>
QString TAVQTextEntryControl<Widget>::tipText() const { return constEntry(this->m_impl)->tipText(); }
template <typename Widget>
void TAVQTextEntryControl<Widget>::setTipStyle(const TAVQFontStyle &style) { entry(this->m_impl)->setTipStyle(style); }
template <typename Widget>
const TAVQFontStyle &TAVQTextEntryControl<Widget>::tipStyle() const { return constEntry(this->m_impl)->tipStyle(); }

template <typename Widget>
void TAVQTextEntryControl<Widget>::paintEvent(QPaintEvent *e)
{
    this->m_impl->OnPaint(e);
    Widget::paintEvent(e);
}

template <typename Widget>
void TAVQTextEntryControl<Widget>::focusInEvent(QFocusEvent *e)
{
    Widget::focusInEvent(e);
    entry(this->m_impl)->OnFocusIn();
}

template <typename Widget>
void TAVQTextEntryControl<Widget>::focusOutEvent(QFocusEvent *e)
{
    Widget::focusOutEvent(e);
    entry(this->m_impl)->OnFocusOut();
}

template class TAVQTextEntryControl<QLineEdit>;
template class TAVQTextEntryControl<QTextEdit>;

// TAVQLineEditImpl

const TAVQControlTable TAVQLineEditImpl::Table{LineEditKeys, EntrySlots};

TAVQLineEditImpl::TAVQLineEditImpl(QWidget *widget)
    : TAVQTextEntryImpl(widget)
{
}

QLineEdit *TAVQLineEditImpl::edit() const
{
    return static_cast<QLineEdit *>(m_widget);
}

QString TAVQLineEditImpl::entryText() const
{
    return edit()->text();
}

void TAVQLineEditImpl::setEntryText(const QString &text)
{
    edit()->setText(text);
}

bool TAVQLineEditImpl::LoadAttributes(const Json::Value &element)
{
    const bool loaded = LoadAttrMap(&element);
    loadStyles(element, Table);
    if (const Json::Value *attr = attrOf(element))
        loadAttr(*attr);
    return loaded;
}

void TAVQLineEditImpl::loadAttr(const Json::Value &object)
{
    const TAVQKeyReader attr(Table.keys, object);
    loadTexts(attr);
    if (attr.boolMember("ispassord", false)) {
        edit()->setContextMenuPolicy(Qt::NoContextMenu);
        edit()->setEchoMode(QLineEdit::Password);
    }
    m_shortcutMode = attr.boolMember("shortcut", m_shortcutMode);
    edit()->setTextMargins(readMargins(attr, MirroredMargins));
}

// TAVQLineEdit

TAVQ_DEFINE_IMPL(TAVQLineEdit)

TAVQLineEdit::TAVQLineEdit(QWidget *parent)
    : TAVQTextEntryControl(parent, [](QWidget *widget) -> TAVQControlBaseImpl * { return new TAVQLineEditImpl(widget); })
{
    setFrame(false);
    setStyleSheet(QLatin1String(TransparentSheet));
}

TAVQLineEdit::~TAVQLineEdit() = default;

QString TAVQLineEdit::GetTypeName()
{
    return QStringLiteral("qtdedit");
}

bool TAVQLineEdit::LoadFromJson(const Json::Value &element)
{
    return loadFromJsonAs<TAVQLineEditImpl>(element);
}

void TAVQLineEdit::setShortcutMode(bool on) { d_func()->setShortcutMode(on); }
bool TAVQLineEdit::shortcutMode() const { return d_func()->shortcutMode(); }

void TAVQLineEdit::keyPressEvent(QKeyEvent *event)
{
    if (echoMode() != Normal && isGuardedSequence(*event))
        return;
    if (!d_func()->shortcutMode()) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    if (const std::optional<QString> name = shortcutName(*event))
        setText(*name);
}

// TAVQTextEditImpl

const TAVQControlTable TAVQTextEditImpl::Table{TextEditKeys, EntrySlots, &TAVQScrollBarImpl::Table};

TAVQTextEditImpl::TAVQTextEditImpl(QWidget *widget)
    : TAVQTextEntryImpl(widget)
{
}

QTextEdit *TAVQTextEditImpl::edit() const
{
    return static_cast<QTextEdit *>(m_widget);
}

QString TAVQTextEditImpl::entryText() const
{
    return edit()->toPlainText();
}

void TAVQTextEditImpl::setEntryText(const QString &text)
{
    edit()->setText(text);
}

QWidget *TAVQTextEditImpl::surface() const
{
    return edit()->viewport();
}

bool TAVQTextEditImpl::LoadAttributes(const Json::Value &element)
{
    const bool loaded = LoadAttrMap(&element);
    loadStyles(element, Table);
    if (const Json::Value *object = attrOf(element)) {
        const TAVQKeyReader attr(Table.keys, *object);
        loadTexts(attr);
        // A scroll area recomputes its contents margins from the frame at every
        // layout, so the margins go around the viewport instead.
        static_cast<TAVQTextEdit *>(m_widget)->setTextMargins(readMargins(attr, ZeroMargins));
    }
    auto *owner = static_cast<TAVQTextEdit *>(m_widget);
    // The element's "size" means nothing to a text edit; only the thickness does.
    configureScrollBars(element, owner->scrollBar(true), owner->scrollBar(false),
                        [owner](const TAVQScrollBarChild &child) { owner->setScrollBarSize(child.thickness); });
    return loaded;
}

// TAVQTextEdit

TAVQ_DEFINE_IMPL(TAVQTextEdit)

TAVQTextEdit::TAVQTextEdit(QWidget *parent)
    : TAVQTextEntryControl(parent, [](QWidget *widget) -> TAVQControlBaseImpl * { return new TAVQTextEditImpl(widget); })
{
    installScrollBars(this);
    // The skin is painted under the text, so neither layer may fill itself.
    viewport()->setStyleSheet(QLatin1String(TransparentSheet));
    setStyleSheet(QLatin1String(TransparentSheet));
    setFrameStyle(QFrame::NoFrame);
}

TAVQTextEdit::~TAVQTextEdit() = default;

QString TAVQTextEdit::GetTypeName()
{
    return QStringLiteral("qttext");
}

bool TAVQTextEdit::LoadFromJson(const Json::Value &element)
{
    return loadFromJsonAs<TAVQTextEditImpl>(element);
}

void TAVQTextEdit::setTextMargins(const QMargins &margins)
{
    setViewportMargins(margins);
}

QMargins TAVQTextEdit::textMargins() const
{
    return viewportMargins();
}

void TAVQTextEdit::setScrollBarSize(int size)
{
    // Thickness alone: rules for the arrow buttons without a length and position
    // make Qt lay both buttons over the whole groove, hiding the thumb.
    setScrollBarSheets(TAVQScrollBarSheets::thickness(size));
}

// TAVQSpinBox

const TAVQControlTable TAVQSpinBoxImpl::Table{};

TAVQSpinBoxImpl::TAVQSpinBoxImpl(QWidget *widget)
    : TAVQControlBaseImpl(widget)
{
}

TAVQ_DEFINE_IMPL(TAVQSpinBox)

TAVQSpinBox::TAVQSpinBox(QWidget *parent)
    : TAVQControl(parent, [](QWidget *widget) -> TAVQControlBaseImpl * { return new TAVQSpinBoxImpl(widget); })
{
    setFrame(false);
    setStyleSheet(QLatin1String(TransparentSheet));
}

TAVQSpinBox::~TAVQSpinBox() = default;

QString TAVQSpinBox::GetTypeName()
{
    return QStringLiteral("qtspinbox");
}

bool TAVQSpinBox::LoadFromJson(const Json::Value &element)
{
    return loadFromJsonAs<TAVQSpinBoxImpl>(element);
}

} // namespace TAVQtLib
