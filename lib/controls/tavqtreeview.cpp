#include "tavqtreeview_p.h"

#include "tavqscrollbarconfig_p.h"
#include "tavqvaluecontrols.h"
#include "base/tavqjson_p.h"
#include "base/tavqkeyreader_p.h"
#include "base/tavqkeytable_p.h"
#include "core/tavqcontrol_p.h"
#include "core/tavqruntime.h"
#include "core/tavqstyleslots_p.h"

#include <QPainter>
#include <QStandardItemModel>

#include <json/value.h>

namespace TAVQtLib {

namespace {

constexpr int DefaultRowHeight = 20;
constexpr int SampleRows = 100;

constexpr TAVQKey Keys[] = {{"itemHeight", TAVQValueKind::Int}};
// Background, row box per state, row text for normal and mouse over.
constexpr TAVQSlotRange Slots[] = {
    {0, 0, TAVQStyleKind::Box}, {2, 5, TAVQStyleKind::Box}, {6, 7, TAVQStyleKind::Font},
};

// Only the bars' thickness: a tree's buttons keep the style's length.
QString treeScrollBarSheet(int thickness)
{
    return TAVQScrollBarSheets::thickness(thickness) + QLatin1Char(' ');
}

QStandardItem *sampleItem(const QString &text, bool checkable)
{
    auto *item = new QStandardItem(text);
    item->setCheckable(checkable);
    return item;
}

} // namespace

// TAVQTreeViewImpl

TAVQTreeViewImpl::TAVQTreeViewImpl(QWidget *widget)
    : TAVQControlBaseImpl(widget)
{
}

TAVQTreeView *TAVQTreeViewImpl::view() const
{
    return static_cast<TAVQTreeView *>(m_widget);
}

int TAVQTreeViewImpl::rowHeight() const
{
    return m_itemHeight == 0 ? DefaultRowHeight : m_itemHeight;
}

void TAVQTreeViewImpl::setHeader(TAVQTreeHeader *header)
{
    m_header = header;
}

TAVQTreeHeader *TAVQTreeViewImpl::header() const
{
    return m_header;
}

const TAVQControlTable TAVQTreeViewImpl::Table{Keys, Slots, &TAVQScrollBarImpl::Table};

bool TAVQTreeViewImpl::LoadAttributes(const Json::Value &element)
{
    const bool loaded = LoadAttrMap(&element);
    loadStyles(element);
    TAVQTreeView *tree = view();
    configureScrollBars(element, tree->scrollBar(true), tree->scrollBar(false),
                        [this, tree](const TAVQScrollBarChild &child) {
                            if (child.size)
                                m_scrollBarButtonLength = *child.size;
                            tree->setScrollBarThickness(child.horizontal, child.thickness);
                        });
    if (const Json::Value *attr = JsonRead::member(element, "attr"); attr && attr->isObject())
        m_itemHeight = TAVQKeyReader(Table.keys, *attr).intMember("itemHeight", m_itemHeight);
    return loaded;
}

void TAVQTreeViewImpl::loadStyles(const Json::Value &element)
{
    // Cell fonts only for normal and mouse over; slots 8 and 9 mean nothing here.
    constexpr int LastFontSlot = 7;
    TAVQStyleSlots::visit(element, Table, [this](const QString &name, int slot) {
        m_looks.loadSlot(name, slot, LastFontSlot);
    });
}

void TAVQTreeViewImpl::Draw(QPainter *painter, const QRect &rect)
{
    paintBox(painter, m_looks.background(), rect);
}

void TAVQTreeViewImpl::OnChildrenLoaded()
{
    if (!IsDesignerHost())
        return;
    auto *model = new QStandardItemModel(m_widget);
    for (int row = 0; row < SampleRows; ++row) {
        QStandardItem *parent = sampleItem(QStringLiteral("item1"), true);
        parent->appendRow({sampleItem(QStringLiteral("item2"), false), sampleItem(QStringLiteral("item3"), false)});
        model->appendRow(parent);
    }
    view()->setModel(model);
}

// TAVQTreeViewItemDelegate

TAVQTreeViewItemDelegate::TAVQTreeViewItemDelegate(TAVQTreeViewImpl *impl, QObject *parent)
    : QItemDelegate(parent)
    , m_impl(impl)
{
}

int TAVQTreeViewItemDelegate::lookOf(QStyle::State state)
{
    if (state & QStyle::State_Selected)
        return 2;
    if (state & QStyle::State_MouseOver)
        return 1;
    return 0;
}

void TAVQTreeViewItemDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                                     const QModelIndex &index) const
{
    if (!index.isValid())
        return;
    m_impl->looks().paintRow(painter, lookOf(option.state), index, option.rect);
}

QSize TAVQTreeViewItemDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QSize size = QItemDelegate::sizeHint(option, index);
    size.setHeight(m_impl->rowHeight());
    return size;
}

// TAVQTreeHeader

TAVQTreeHeader::TAVQTreeHeader(TAVQTreeViewImpl *impl, Qt::Orientation orientation, QWidget *parent)
    : QHeaderView(orientation, parent)
    , m_impl(impl)
{
}

void TAVQTreeHeader::paintEvent(QPaintEvent *) {}

// TAVQTreeConerWidget

TAVQTreeConerWidget::TAVQTreeConerWidget(TAVQTreeViewImpl *impl, QWidget *parent)
    : TAVQBoxPane(&impl->looks().background(), parent)
{
}

// TAVQTreeView

TAVQ_DEFINE_IMPL(TAVQTreeView)

TAVQTreeView::TAVQTreeView(QWidget *parent)
    : TAVQControl(parent, [](QWidget *widget) -> TAVQControlBaseImpl * { return new TAVQTreeViewImpl(widget); })
{
    TAVQTreeViewImpl *d = d_func();
    auto *delegate = new TAVQTreeViewItemDelegate(d, this);
    auto *header = new TAVQTreeHeader(d, Qt::Horizontal, this);
    d->setHeader(header);
    // As Qt's own tree header does: the last column takes the rest of the width,
    // else rows of a one-column tree stop at the default section size.
    header->setStretchLastSection(true);
    setHeader(header);
    setHeaderHidden(true);
    setCornerWidget(new TAVQTreeConerWidget(d, this));
    setViewport(new TAVQTreeViewport(d, this));
    setEditTriggers(NoEditTriggers);
    setSelectionBehavior(SelectRows);
    setSelectionMode(SingleSelection);
    installScrollBars(this);
    setItemDelegate(delegate);
    setStyleSheet(QStringLiteral("background-color: rgba(0, 0, 0, 0);"));
    viewport()->installEventFilter(this);
    setExpandsOnDoubleClick(true);
    setAttribute(Qt::WA_MouseTracking);
    setVerticalScrollMode(ScrollPerPixel);
    setHorizontalScrollMode(ScrollPerPixel);
    // Every row is as high as the delegate's one row height; saying so spares
    // Qt summing the heights of all rows above the viewport on every scroll.
    setUniformRowHeights(true);
}

TAVQTreeView::~TAVQTreeView() = default;

QString TAVQTreeView::GetTypeName()
{
    return QStringLiteral("qttree");
}

bool TAVQTreeView::LoadFromJson(const Json::Value &element)
{
    return loadFromJsonAs<TAVQTreeViewImpl>(element);
}

void TAVQTreeView::setBackgroundStyle(const TAVQBoxStyle &style) { d_func()->looks().setBackground(style); }
const TAVQBoxStyle &TAVQTreeView::backgroundStyle() const { return d_func()->looks().background(); }
void TAVQTreeView::setItemStyle(int look, const TAVQBoxStyle &style) { d_func()->looks().setBox(look, style); }
const TAVQBoxStyle &TAVQTreeView::itemStyle(int look) const { return d_func()->looks().box(look); }
void TAVQTreeView::setItemFontStyle(int look, const TAVQFontStyle &style) { d_func()->looks().setFont(look, style); }
const TAVQFontStyle &TAVQTreeView::itemFontStyle(int look) const { return d_func()->looks().font(look); }
void TAVQTreeView::setHeaderStyle(int look, const TAVQBoxStyle &style) { d_func()->headerLooks().setBox(look, style); }
const TAVQBoxStyle &TAVQTreeView::headerStyle(int look) const { return d_func()->headerLooks().box(look); }
void TAVQTreeView::setHeaderFontStyle(int look, const TAVQFontStyle &style)
{
    d_func()->headerLooks().setFont(look, style);
}
const TAVQFontStyle &TAVQTreeView::headerFontStyle(int look) const { return d_func()->headerLooks().font(look); }
void TAVQTreeView::setItemHeight(int height) { d_func()->setItemHeight(height); }
int TAVQTreeView::itemHeight() const { return d_func()->itemHeight(); }
TAVQTreeHeader *TAVQTreeView::treeHeader() const { return d_func()->header(); }

void TAVQTreeView::setScrollBarButtonLength(bool, int length)
{
    d_func()->setScrollBarButtonLength(length);
}

void TAVQTreeView::setScrollBarThickness(bool, int thickness)
{
    d_func()->setScrollBarThickness(thickness);
    setScrollBarSheets(treeScrollBarSheet(thickness));
}

bool TAVQTreeView::eventFilter(QObject *watched, QEvent *event)
{
    if (TAVQItemViews::paintViewportBackground(this, watched, event, d_func()->looks().background()))
        return false;
    return QTreeView::eventFilter(watched, event);
}

void TAVQTreeView::paintEvent(QPaintEvent *event)
{
    // Qt routes only the viewport's paint events here, so that is where to paint.
    {
        QPainter painter(viewport());
        d_func()->Draw(&painter, rect());
    }
    QTreeView::paintEvent(event);
}

} // namespace TAVQtLib
