#include "tavqtreeview.h"

#include "tavqscrollbarconfig_p.h"
#include "tavqvaluecontrols.h"
#include "base/tavqjson_p.h"
#include "base/tavqkeyreader_p.h"
#include "base/tavqkeytable_p.h"
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

TAVQTreeView::TAVQTreeView(QWidget *parent)
    : TAVQControl<QTreeView, TAVQTreeViewImpl>(parent)
    , m_header(nullptr)
    , m_delegate(new TAVQTreeViewItemDelegate(m_impl, this))
{
    m_header = new TAVQTreeHeader(m_impl, Qt::Horizontal, this);
    // As Qt's own tree header does: the last column takes the rest of the width,
    // else rows of a one-column tree stop at the default section size.
    m_header->setStretchLastSection(true);
    setHeader(m_header);
    setHeaderHidden(true);
    m_corner = new TAVQTreeConerWidget(m_impl, this);
    setCornerWidget(m_corner);
    m_viewport = new TAVQTreeViewport(m_impl, this);
    setViewport(m_viewport);
    setEditTriggers(NoEditTriggers);
    setSelectionBehavior(SelectRows);
    setSelectionMode(SingleSelection);
    installScrollBars(this);
    setItemDelegate(m_delegate);
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

QString TAVQTreeView::GetTypeName()
{
    return QStringLiteral("qttree");
}

void TAVQTreeView::setScrollBarButtonLength(bool, int length)
{
    m_impl->setScrollBarButtonLength(length);
}

void TAVQTreeView::setScrollBarThickness(bool, int thickness)
{
    m_impl->setScrollBarThickness(thickness);
    setScrollBarSheets(treeScrollBarSheet(thickness));
}

bool TAVQTreeView::eventFilter(QObject *watched, QEvent *event)
{
    if (TAVQItemViews::paintViewportBackground(this, watched, event, m_impl->looks().background()))
        return false;
    return QTreeView::eventFilter(watched, event);
}

void TAVQTreeView::paintEvent(QPaintEvent *event)
{
    // Qt routes only the viewport's paint events here, so that is where to paint.
    {
        QPainter painter(viewport());
        m_impl->Draw(&painter, rect());
    }
    QTreeView::paintEvent(event);
}

} // namespace TAVQtLib
