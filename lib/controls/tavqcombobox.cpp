#include "tavqcombobox_p.h"

#include "base/tavqjson_p.h"
#include "base/tavqkeyreader_p.h"
#include "base/tavqkeytable_p.h"
#include "core/tavqcontrol_p.h"
#include "core/tavqruntime.h"
#include "core/tavqstyleslots_p.h"

#include <QCursor>
#include <QFrame>
#include <QLayout>
#include <QPainter>
#include <QSpacerItem>

#include <json/value.h>

namespace TAVQtLib {

namespace {

constexpr TAVQKey Keys[] = {
    {"text", TAVQValueKind::Text}, {"btnIcon", TAVQValueKind::Image}, {"btnHotIcon", TAVQValueKind::Image},
};
// Body, button per state, text per state, popup, popup item per state, popup item text per state.
constexpr TAVQSlotRange Slots[] = {
    {0, 1, TAVQStyleKind::Box},  {4, 7, TAVQStyleKind::Box},   {8, 11, TAVQStyleKind::Font},
    {12, 16, TAVQStyleKind::Box}, {17, 20, TAVQStyleKind::Font},
};

// Qt's scroll arrows and the style's margins around the list get no room.
void squeezeAllBut(QLayout *layout, const QWidget *list)
{
    for (int i = 0; i < layout->count(); ++i) {
        QLayoutItem *item = layout->itemAt(i);
        if (QSpacerItem *spacer = item->spacerItem())
            spacer->changeSize(0, 0);
        else if (item->widget() && item->widget() != list)
            item->widget()->setMaximumHeight(0);
    }
    layout->setContentsMargins(QMargins());
    layout->invalidate();
}

// Leaves only the skinned rows to be seen in the popup Qt wraps the list in.
void stripPopupFrame(QWidget *popup, QAbstractScrollArea *list)
{
    if (auto *frame = qobject_cast<QFrame *>(popup))
        frame->setFrameStyle(QFrame::NoFrame);
    if (QLayout *layout = popup->layout())
        squeezeAllBut(layout, list);
    // The wheel and the keys scroll it; a bar of the platform's would break the skin.
    list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

} // namespace

const TAVQControlTable TAVQComboBoxImpl::Table{Keys, Slots};

TAVQComboBoxImpl::TAVQComboBoxImpl(QWidget *widget)
    : TAVQControlBaseImpl(widget)
{
}

QComboBox *TAVQComboBoxImpl::combo() const
{
    return static_cast<QComboBox *>(m_widget);
}

bool TAVQComboBoxImpl::LoadAttributes(const Json::Value &element)
{
    const bool loaded = LoadAttrMap(&element);
    loadStyles(element);
    if (const Json::Value *attr = JsonRead::member(element, "attr"); attr && attr->isObject())
        loadAttr(*attr);
    return loaded;
}

void TAVQComboBoxImpl::loadStyles(const Json::Value &element)
{
    using namespace TAVQStyleSlots;
    visit(element, Table, [this](const QString &name, int slot) {
        if (slot == 0 || slot == 1)
            setBoxForState(m_bodyStyles, slot, name);
        else if (slot >= 4 && slot <= 7)
            setBoxForState(m_buttonStyles, slot - 4, name);
        else if (slot >= 8 && slot <= 11)
            setFontForState(m_textFontStyles, slot - 8, name);
        else if (slot == 12)
            findBox(name, &m_popupStyle);
        else if (slot >= 13 && slot <= 16)
            setBoxForState(m_popupItemStyles, slot - 13, name);
        else if (slot >= 17 && slot <= 20)
            setFontForState(m_popupItemFontStyles, slot - 17, name);
    });
}

void TAVQComboBoxImpl::loadAttr(const Json::Value &object)
{
    const TAVQKeyReader attr(Table.keys, object);
    if (const auto text = attr.optionalBytes("text")) {
        const QString decoded = fromGbk(*text);
        combo()->addItem(decoded);
        combo()->setCurrentText(decoded);
    }
    if (const auto icon = attr.optionalBytes("btnIcon"))
        m_buttonIcons.fill(QString::fromUtf8(*icon));
    // Read after "btnIcon", so that the hot icon always decides the mouse-over look.
    if (const auto icon = attr.optionalBytes("btnHotIcon"))
        m_buttonIcons[StateHover] = QString::fromUtf8(*icon);
}

QRect TAVQComboBoxImpl::buttonRect(const QRect &rect)
{
    // The square starts at right() - height(): it stops one pixel short of the edge.
    return QRect(rect.right() - rect.height(), rect.top(), rect.height(), rect.height());
}

void TAVQComboBoxImpl::Draw(QPainter *painter, const QRect &rect)
{
    if (m_state < StateNormal || m_state > StateDisabled)
        return;
    const size_t state = size_t(m_state);
    paintBox(painter, m_bodyStyles[state], rect);

    const QRect button = buttonRect(rect);
    paintBox(painter, m_buttonStyles[state], button);
    TAVQImagePlacement centred;
    centred.alignH = 1;
    centred.alignV = 1;
    paintAlignedImage(painter, m_buttonIcons[state], centred, button);

    paintText(painter, combo()->currentText(), m_textFontStyles[state],
              QRect(rect.left(), rect.top(), m_widget->width(), m_widget->height()));
}

void TAVQComboBoxImpl::popupClosed()
{
    const QWidget *box = m_widget;
    if (!box->isEnabled())
        m_state = StateDisabled;
    else if (box->isVisible() && box->rect().contains(box->mapFromGlobal(QCursor::pos())))
        m_state = StateHover;
    else
        m_state = StateNormal;
    m_widget->update();
}

TAVQComboList *TAVQComboBoxImpl::list() const
{
    return qobject_cast<TAVQComboList *>(m_list.data());
}

bool TAVQComboBoxImpl::isList(const QObject *object) const
{
    return object && object == m_list.data();
}

void TAVQComboBoxImpl::setList(TAVQComboList *list)
{
    m_list = list;
}

void TAVQComboBoxImpl::OnChildrenLoaded()
{
    // The designer shows sample entries so the box can be judged on its own.
    if (!IsDesignerHost())
        return;
    combo()->addItems({QStringLiteral("Item1"), QStringLiteral("Item2"), QStringLiteral("Item3")});
    combo()->setCurrentIndex(0);
}

// TAVQComboItemDelegate

TAVQComboItemDelegate::TAVQComboItemDelegate(TAVQComboBoxImpl *impl)
    : m_impl(impl)
{
}

int TAVQComboItemDelegate::lookOf(QStyle::State state)
{
    if (state.testFlag(QStyle::State_MouseOver))
        return ComboRowHover;
    return state.testFlag(QStyle::State_Selected) ? ComboRowSelected : ComboRowNormal;
}

void TAVQComboItemDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                                  const QModelIndex &index) const
{
    if (!m_impl || !index.isValid())
        return;
    // The lowest role present: the display text for ordinary items.
    const QMap<int, QVariant> data = index.model()->itemData(index);
    const QString text = data.isEmpty() ? QString() : data.first().toString();
    const int look = lookOf(option.state);

    painter->save();
    TAVQControlBaseImpl::paintBox(painter, m_impl->popupItemStyle(look), option.rect);
    TAVQControlBaseImpl::paintText(painter, text, m_impl->popupItemFontStyle(look), option.rect);
    painter->restore();
}

QSize TAVQComboItemDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    if (!m_impl)
        return QItemDelegate::sizeHint(option, index);
    return QSize(option.rect.width(), m_impl->popupItemHeight());
}

// TAVQComboList

TAVQComboList::TAVQComboList(TAVQComboBoxImpl *impl)
    : QListView(nullptr)
    , m_impl(impl)
    , m_delegate(impl)
{
    setItemDelegate(&m_delegate);
    viewport()->installEventFilter(this);
    setFrameStyle(0);
    viewport()->setStyleSheet(QStringLiteral("background-color: rgba(0, 0, 0, 0);"));
}

bool TAVQComboList::eventFilter(QObject *watched, QEvent *event)
{
    // The background goes first; the rows paint over it.
    if (watched == viewport() && event->type() == QEvent::Paint) {
        if (m_impl) {
            QPainter painter(viewport());
            TAVQControlBaseImpl::paintBox(&painter, m_impl->popupStyle(), viewport()->rect());
        }
        return false;
    }
    return QListView::eventFilter(watched, event);
}

// TAVQComboBox

TAVQ_DEFINE_IMPL(TAVQComboBox)

TAVQComboBox::TAVQComboBox(QWidget *parent)
    : TAVQControl(parent, [](QWidget *widget) -> TAVQControlBaseImpl * { return new TAVQComboBoxImpl(widget); })
{
    auto *list = new TAVQComboList(d_func());
    d_func()->setList(list);
    // The combo box takes the list over and deletes it with its popup.
    setView(list);
    // The list is hidden with the popup that holds it.
    list->installEventFilter(this);
}

TAVQComboBox::~TAVQComboBox() = default;

QString TAVQComboBox::GetTypeName()
{
    return QStringLiteral("qtcombobox");
}

bool TAVQComboBox::LoadFromJson(const Json::Value &element)
{
    return loadFromJsonAs<TAVQComboBoxImpl>(element);
}

TAVQComboList *TAVQComboBox::comboList() const { return d_func()->list(); }
void TAVQComboBox::setBodyStyle(int state, const TAVQBoxStyle &style) { d_func()->setBodyStyle(state, style); }
const TAVQBoxStyle &TAVQComboBox::bodyStyle(int state) const { return d_func()->bodyStyle(state); }
void TAVQComboBox::setButtonStyle(int state, const TAVQBoxStyle &style) { d_func()->setButtonStyle(state, style); }
const TAVQBoxStyle &TAVQComboBox::buttonStyle(int state) const { return d_func()->buttonStyle(state); }
void TAVQComboBox::setButtonIcon(int state, const QString &image) { d_func()->setButtonIcon(state, image); }
QString TAVQComboBox::buttonIcon(int state) const { return d_func()->buttonIcon(state); }
void TAVQComboBox::setTextFontStyle(int state, const TAVQFontStyle &style) { d_func()->setTextFontStyle(state, style); }
const TAVQFontStyle &TAVQComboBox::textFontStyle(int state) const { return d_func()->textFontStyle(state); }
void TAVQComboBox::setPopupStyle(const TAVQBoxStyle &style) { d_func()->setPopupStyle(style); }
const TAVQBoxStyle &TAVQComboBox::popupStyle() const { return d_func()->popupStyle(); }
void TAVQComboBox::setPopupItemStyle(int look, const TAVQBoxStyle &style) { d_func()->setPopupItemStyle(look, style); }
const TAVQBoxStyle &TAVQComboBox::popupItemStyle(int look) const { return d_func()->popupItemStyle(look); }
void TAVQComboBox::setPopupItemFontStyle(int look, const TAVQFontStyle &style)
{
    d_func()->setPopupItemFontStyle(look, style);
}
const TAVQFontStyle &TAVQComboBox::popupItemFontStyle(int look) const { return d_func()->popupItemFontStyle(look); }
void TAVQComboBox::setPopupItemHeight(int height) { d_func()->setPopupItemHeight(height); }
int TAVQComboBox::popupItemHeight() const { return d_func()->popupItemHeight(); }

void TAVQComboBox::showPopup()
{
    QComboBox::showPopup();
    // Qt opens no popup for an empty box.
    TAVQComboList *list = d_func()->list();
    if (!list || !list->isVisible())
        return;
    QWidget *popup = list->window();
    stripPopupFrame(popup, list);
    const int rows = qMin(count(), maxVisibleItems());
    popup->setGeometry(QRect(mapToGlobal(QPoint(0, height())), QSize(width(), rows * popupItemHeight())));
    // Qt scrolled while all the rows fitted; the current one must stay in sight.
    list->scrollTo(list->currentIndex());
}

void TAVQComboBox::mouseMoveEvent(QMouseEvent *event)
{
    QWidget::mouseMoveEvent(event);
}

bool TAVQComboBox::eventFilter(QObject *watched, QEvent *event)
{
    TAVQComboBoxImpl *d = d_func();
    if (d->isList(watched) && event->type() == QEvent::Hide)
        d->popupClosed();
    return TAVQControl::eventFilter(watched, event);
}

} // namespace TAVQtLib
