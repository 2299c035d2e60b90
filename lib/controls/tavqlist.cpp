#include "tavqlist_p.h"

#include "tavqscrollbarconfig_p.h"
#include "tavqvaluecontrols.h"
#include "base/tavqjson_p.h"
#include "base/tavqkeyreader_p.h"
#include "base/tavqkeytable_p.h"
#include "core/tavqcontrol_p.h"
#include "core/tavqruntime.h"
#include "core/tavqstyleslots_p.h"

#include <QPainter>

#include <json/value.h>

namespace TAVQtLib {

namespace {

constexpr int DefaultRowHeight = 20;
constexpr int SampleRows = 20;

constexpr TAVQKey Keys[] = {{"itemHeight", TAVQValueKind::Int}};
// Background, row box per state, row text per state.
constexpr TAVQSlotRange Slots[] = {
    {0, 0, TAVQStyleKind::Box}, {2, 5, TAVQStyleKind::Box}, {6, 9, TAVQStyleKind::Font},
};

} // namespace

// TAVQRowLooks

void TAVQRowLooks::setBox(int look, const TAVQBoxStyle &style)
{
    TAVQStyleSlots::storeForState(m_boxes, look, style);
}

void TAVQRowLooks::setFont(int look, const TAVQFontStyle &style)
{
    TAVQStyleSlots::storeForState(m_fonts, look, style);
}

void TAVQRowLooks::loadSlot(const QString &name, int slot, int lastFontSlot)
{
    if (slot == 0)
        TAVQStyleSlots::findBox(name, &m_background);
    else if (slot >= 2 && slot <= 5)
        TAVQStyleSlots::setBoxForState(m_boxes, slot - 2, name);
    else if (slot >= 6 && slot <= lastFontSlot)
        TAVQStyleSlots::setFontForState(m_fonts, slot - 6, name);
}

void TAVQRowLooks::paintRow(QPainter *painter, int look, const QModelIndex &index, const QRect &rect) const
{
    painter->save();
    TAVQControlBaseImpl::paintBox(painter, box(look), rect);
    TAVQControlBaseImpl::paintText(painter, rowText(index), font(look), rect);
    painter->restore();
}

QString TAVQRowLooks::rowText(const QModelIndex &index)
{
    const QAbstractItemModel *model = index.model();
    if (!model)
        return QString();
    const QMap<int, QVariant> data = model->itemData(index);
    return data.isEmpty() ? QString() : data.first().toString();
}

// TAVQListImpl

const TAVQControlTable TAVQListImpl::Table{Keys, Slots, &TAVQScrollBarImpl::Table};

TAVQListImpl::TAVQListImpl(QWidget *widget)
    : TAVQControlBaseImpl(widget)
{
}

TAVQList *TAVQListImpl::list() const
{
    return static_cast<TAVQList *>(m_widget);
}

int TAVQListImpl::rowHeight() const
{
    return m_itemHeight == 0 ? DefaultRowHeight : m_itemHeight;
}

bool TAVQListImpl::LoadAttributes(const Json::Value &element)
{
    const bool loaded = LoadAttrMap(&element);
    loadStyles(element);
    if (const Json::Value *attr = JsonRead::member(element, "attr"); attr && attr->isObject())
        m_itemHeight = TAVQKeyReader(Table.keys, *attr).intMember("itemHeight", m_itemHeight);
    // "multiselect" and a bar's "size" are accepted and change nothing on a list.
    TAVQList *view = list();
    configureScrollBars(element, view->scrollBar(true), view->scrollBar(false),
                        [view](const TAVQScrollBarChild &child) {
                            view->setScrollBarThickness(child.horizontal, child.thickness);
                        });
    return loaded;
}

void TAVQListImpl::loadStyles(const Json::Value &element)
{
    constexpr int LastFontSlot = 9;
    TAVQStyleSlots::visit(element, Table, [this](const QString &name, int slot) {
        m_looks.loadSlot(name, slot, LastFontSlot);
    });
}

void TAVQListImpl::Draw(QPainter *, const QRect &) {}

void TAVQListImpl::OnChildrenLoaded()
{
    if (!IsDesignerHost())
        return;
    for (int row = 0; row < SampleRows; ++row)
        list()->addItem(QStringLiteral("item %1").arg(row));
}

// TAVQListItemDelegate

TAVQListItemDelegate::TAVQListItemDelegate(TAVQListImpl *impl, QObject *parent)
    : QItemDelegate(parent)
    , m_impl(impl)
{
}

int TAVQListItemDelegate::lookOf(QStyle::State state)
{
    if (state & QStyle::State_MouseOver)
        return 1;
    if (state & QStyle::State_Selected)
        return 2;
    return 0;
}

void TAVQListItemDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                                 const QModelIndex &index) const
{
    if (!index.isValid())
        return;
    m_impl->looks().paintRow(painter, lookOf(option.state), index, option.rect);
}

QSize TAVQListItemDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &) const
{
    return QSize(option.rect.width(), m_impl->rowHeight());
}

// TAVQList

TAVQ_DEFINE_IMPL(TAVQList)

TAVQList::TAVQList(QWidget *parent)
    : TAVQControl(parent, [](QWidget *widget) -> TAVQControlBaseImpl * { return new TAVQListImpl(widget); })
{
    setItemDelegate(new TAVQListItemDelegate(d_func(), this));
    installScrollBars(this);
    setFrameStyle(0);
    viewport()->setStyleSheet(QStringLiteral("background-color: rgba(0, 0, 0, 0);"));
    viewport()->installEventFilter(this);
    setAttribute(Qt::WA_MouseTracking);
    setVerticalScrollMode(ScrollPerPixel);
    setHorizontalScrollMode(ScrollPerPixel);
}

TAVQList::~TAVQList() = default;

QString TAVQList::GetTypeName()
{
    return QStringLiteral("qtlist");
}

bool TAVQList::LoadFromJson(const Json::Value &element)
{
    return loadFromJsonAs<TAVQListImpl>(element);
}

void TAVQList::setBackgroundStyle(const TAVQBoxStyle &style) { d_func()->looks().setBackground(style); }
const TAVQBoxStyle &TAVQList::backgroundStyle() const { return d_func()->looks().background(); }
void TAVQList::setItemStyle(int look, const TAVQBoxStyle &style) { d_func()->looks().setBox(look, style); }
const TAVQBoxStyle &TAVQList::itemStyle(int look) const { return d_func()->looks().box(look); }
void TAVQList::setItemFontStyle(int look, const TAVQFontStyle &style) { d_func()->looks().setFont(look, style); }
const TAVQFontStyle &TAVQList::itemFontStyle(int look) const { return d_func()->looks().font(look); }
void TAVQList::setItemHeight(int height) { d_func()->setItemHeight(height); }
int TAVQList::itemHeight() const { return d_func()->itemHeight(); }

void TAVQList::setScrollBarButtonLength(bool, int) {}

void TAVQList::setScrollBarThickness(bool, int thickness)
{
    setScrollBarSheets(TAVQScrollBarSheets::thicknessWithButtons(thickness));
}

bool TAVQList::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == viewport() && event->type() == QEvent::Paint) {
        QPainter painter(viewport());
        TAVQControlBaseImpl::paintBox(&painter, d_func()->looks().background(), viewport()->rect());
        return false;
    }
    return QListWidget::eventFilter(watched, event);
}

void TAVQList::paintEvent(QPaintEvent *event)
{
    QListView::paintEvent(event);
}

} // namespace TAVQtLib
