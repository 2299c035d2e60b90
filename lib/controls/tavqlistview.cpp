#include "tavqlistview_p.h"

#include "tavqcontainer.h"
#include "tavqitemviewparts_p.h"
#include "tavqlabel_p.h"
#include "tavqscrollbarconfig_p.h"
#include "tavqvaluecontrols.h"
#include "base/tavqjson_p.h"
#include "base/tavqkeyreader_p.h"
#include "base/tavqkeytable_p.h"
#include "core/tavqcontrol_p.h"
#include "core/tavqfocusframe.h"
#include "core/tavqstyleslots_p.h"

#include <QApplication>
#include <QCursor>
#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QStandardItemModel>
#include <QTextDocument>

#include <json/value.h>

namespace TAVQtLib {

using namespace JsonRead;

namespace {

constexpr int DefaultItemExtent = 20;
constexpr int PreviewRows = 20;

int extentOr20(int extent)
{
    return extent == 0 ? DefaultItemExtent : extent;
}

TAVQLabelEx *labelExOf(const TAVQControlBaseImpl *control)
{
    return control ? qobject_cast<TAVQLabelEx *>(control->widget()) : nullptr;
}

bool isMouseSelectable(const TAVQLabelEx *label)
{
    return label && label->textInteractionFlags() == Qt::TextSelectableByMouse;
}

// The widget's position inside `top`, summed over its ancestors below `top`.
QPoint offsetInside(const QWidget *widget, const QWidget *top)
{
    QPoint offset;
    for (const QWidget *w = widget; w && w != top; w = w->parentWidget())
        offset += w->pos();
    return offset;
}

} // namespace

// ---------------------------------------------------------------- row records

const TAVQRowHitRects *TAVQRowRecords::hitRects(int row) const
{
    const auto found = m_rows.find(row);
    return found == m_rows.end() ? nullptr : &found->second.controls;
}

void TAVQRowRecords::setHitRects(int row, const QRect &rowRect, TAVQRowHitRects rects)
{
    Row &record = m_rows[row];
    record.rect = rowRect;
    record.controls = std::move(rects);
}

const QString *TAVQRowRecords::text(int row) const
{
    const auto found = m_rows.find(row);
    return found == m_rows.end() || !found->second.text ? nullptr : &*found->second.text;
}

void TAVQRowRecords::cacheText(int row, const QString &html)
{
    Row &record = m_rows[row];
    if (!record.text)
        record.text = html;
}

void TAVQRowRecords::scroll(int dx, int dy, const QRect &viewport)
{
    for (auto it = m_rows.begin(); it != m_rows.end();) {
        Row &record = it->second;
        record.rect.translate(dx, dy);
        if (!record.rect.intersects(viewport)) {
            it = m_rows.erase(it);
            continue;
        }
        for (auto &control : record.controls)
            control.second.translate(dx, dy);
        ++it;
    }
}

void TAVQRowRecords::dropRows(int first, int last)
{
    m_rows.erase(m_rows.lower_bound(qMin(first, last)), m_rows.upper_bound(qMax(first, last)));
}

void TAVQRowRecords::dropFrom(int first)
{
    m_rows.erase(m_rows.lower_bound(first), m_rows.end());
}

// ---------------------------------------------------------------- implementation

TAVQListViewImpl::TAVQListViewImpl(QWidget *widget)
    : TAVQControlBaseImpl(widget)
{
}

TAVQListView *TAVQListViewImpl::view() const
{
    return static_cast<TAVQListView *>(m_widget);
}

namespace {

constexpr TAVQKey ListViewKeys[] = {
    {"itemHeight", TAVQValueKind::Int}, {"itemWidth", TAVQValueKind::Int},
    {"spacing", TAVQValueKind::Int},    {"itemMode", TAVQValueKind::Int},
};
// Background, item box for normal, hover and selection.
constexpr TAVQSlotRange ListViewSlots[] = {{0, 0, TAVQStyleKind::Box}, {2, 4, TAVQStyleKind::Box}};

} // namespace

const TAVQControlTable TAVQListViewImpl::Table{ListViewKeys, ListViewSlots, &TAVQScrollBarImpl::Table, true};

bool TAVQListViewImpl::LoadAttributes(const Json::Value &element)
{
    const bool result = LoadAttrMap(&element);
    loadStyles(element);
    loadAttr(element);
    loadScrollBars(element);
    return result;
}

void TAVQListViewImpl::loadStyles(const Json::Value &element)
{
    TAVQStyleSlots::visit(element, Table, [this](const QString &name, int slot) {
        if (slot < 0 || slot == 1 || slot > 4)
            return;
        TAVQBoxStyle style;
        if (!TAVQStyleSlots::findBox(name, &style))
            return;
        if (slot == 0) {
            m_backgroundStyle = style;
            return;
        }
        m_itemStyles[size_t(slot - 2)] = style;
        // The normal style also stands for hover and selection until those follow.
        if (slot == 2)
            m_itemStyles[1] = m_itemStyles[2] = style;
    });
}

void TAVQListViewImpl::loadAttr(const Json::Value &element)
{
    const Json::Value *object = member(element, "attr");
    if (!object || !object->isObject())
        return;
    const TAVQKeyReader attr(Table.keys, *object);
    m_itemHeight = attr.intMember("itemHeight", m_itemHeight);
    m_itemWidth = attr.intMember("itemWidth", m_itemWidth);
    if (const auto spacing = attr.optionalInt("spacing"))
        view()->setSpacing(*spacing);
    if (const auto mode = attr.optionalInt("itemMode"))
        view()->setViewMode(*mode != 0 ? QListView::IconMode : QListView::ListMode);
}

void TAVQListViewImpl::loadScrollBars(const Json::Value &element)
{
    TAVQListView *list = view();
    configureScrollBars(element, list->scrollBar(true), list->scrollBar(false),
                        [list](const TAVQScrollBarChild &child) {
                            if (child.size)
                                list->setScrollBarButtonLength(child.horizontal, *child.size);
                            list->setScrollBarThickness(child.horizontal, child.thickness);
                        });
}

void TAVQListViewImpl::Draw(QPainter *, const QRect &) {}

void TAVQListViewImpl::followModel(QAbstractItemModel *old, QAbstractItemModel *model)
{
    if (old)
        disconnect(old, nullptr, this, nullptr);
    m_records.clear();
    if (!model)
        return;
    // Row numbers from the first inserted, removed or moved row on name other rows now.
    const auto dropFrom = [this](const QModelIndex &, int first) { m_records.dropFrom(first); };
    connect(model, &QAbstractItemModel::rowsInserted, this, dropFrom);
    connect(model, &QAbstractItemModel::rowsRemoved, this, dropFrom);
    connect(model, &QAbstractItemModel::rowsMoved, this,
            [this](const QModelIndex &, int first, int, const QModelIndex &, int destination) {
                m_records.dropFrom(qMin(first, destination));
            });
    // Changed data may show or hide controls, or change a row's text.
    connect(model, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex &topLeft, const QModelIndex &bottomRight) {
                m_records.dropRows(topLeft.row(), bottomRight.row());
            });
    const auto dropAll = [this] { m_records.clear(); };
    connect(model, &QAbstractItemModel::layoutChanged, this, dropAll);
    connect(model, &QAbstractItemModel::modelReset, this, dropAll);
}

void TAVQListViewImpl::setItemTemplate(QWidget *itemTemplate)
{
    if (!itemTemplate)
        return;
    itemTemplate->setVisible(false);
    m_itemTemplate = itemTemplate;
    m_delegate->setTemplateControls(itemTemplate);
}

// Qt moves the hover row only when the pointer moves; a still pointer over
// scrolled rows gets a move of its own so that the row now under it takes the
// hover. Not while a button is held: a move then drags or selects.
void TAVQListViewImpl::hoverUnderPointer()
{
    QWidget *area = view()->viewport();
    const QPoint global = QCursor::pos();
    const QPoint local = area->mapFromGlobal(global);
    if (!area->isVisible() || !area->rect().contains(local) || QApplication::mouseButtons() != Qt::NoButton)
        return;
    QMouseEvent move(QEvent::MouseMove, local, global, Qt::NoButton, Qt::NoButton, QApplication::keyboardModifiers());
    QApplication::sendEvent(area, &move);
}

void TAVQListViewImpl::OnChildrenLoaded()
{
    const QObjectList children = m_widget->children();
    for (QObject *child : children) {
        if (auto *container = qobject_cast<TAVQContainer *>(child)) {
            setItemTemplate(container);
            return;
        }
    }
}

// ---------------------------------------------------------------- delegate

TAVQListViewItemDelegate::TAVQListViewItemDelegate(TAVQListViewImpl *impl, QObject *parent)
    : QItemDelegate(parent)
    , m_impl(impl)
{
}

TAVQListView *TAVQListViewItemDelegate::view() const
{
    return m_impl->view();
}

void TAVQListViewItemDelegate::setTemplateControls(QWidget *itemTemplate)
{
    m_templateControls.clear();
    m_hoveredControl = nullptr;
    collectControls(itemTemplate);
}

void TAVQListViewItemDelegate::collectControls(QObject *object)
{
    ITAVQControlBase *control = controlInterface(object);
    if (!control || !control->GetImpl())
        return;
    m_templateControls.emplace_back(control->GetImpl());
    const QObjectList children = object->children();
    for (QObject *child : children)
        collectControls(child);
}

void TAVQListViewItemDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                                     const QModelIndex &index) const
{
    QWidget *itemTemplate = m_impl->m_itemTemplate;
    if (!index.isValid() || m_templateControls.empty() || !itemTemplate || !m_templateControls.front())
        return;
    const int row = index.row();
    painter->save();

    const int rowState = option.state.testFlag(QStyle::State_Selected) ? 2
        : option.state.testFlag(QStyle::State_MouseOver)                ? 1
                                                                         : 0;
    if (auto *container = qobject_cast<TAVQContainer *>(itemTemplate))
        container->setBackgroundStyle(m_impl->m_itemStyles[size_t(rowState)]);
    const QPoint cursor = view()->viewport()->mapFromGlobal(QCursor::pos());

    painter->save();
    painter->setClipRect(option.rect, Qt::ReplaceClip);
    m_templateControls.front()->Draw(painter, option.rect);
    if (m_impl->m_updateItemCallback)
        m_impl->m_updateItemCallback(view(), itemTemplate, index);

    // The template only lays its controls out for the row size once it has it.
    itemTemplate->resize(option.rect.size());
    if (ITAVQControlBase *control = controlInterface(itemTemplate)) {
        control->SetLayout(TAVQFixedLayout{0, 0, option.rect.width(), option.rect.height()});
        control->GetControlBase()->ApplyLayout();
    }

    TAVQRowHitRects hitRects;
    for (size_t i = 1; i < m_templateControls.size(); ++i) {
        TAVQControlBaseImpl *control = m_templateControls[i];
        if (!control || !control->isVisibleFlag())
            continue;
        const QRect rect = QRect(offsetInside(control->widget(), itemTemplate), control->widget()->size())
                               .translated(option.rect.topLeft());
        hitRects[control] = rect;
        TAVQLabelEx *label = m_impl->m_textSelectable ? labelExOf(control) : nullptr;
        if (label)
            selectRowText(label, row);
        if (rect.contains(cursor)) {
            control->setState(StateHover);
            control->Draw(painter, rect);
            control->setState(StateNormal);
        } else {
            control->Draw(painter, rect);
        }
        if (label)
            label->resetSelection();
    }
    m_impl->m_records.setHitRects(row, option.rect, std::move(hitRects));
    if (option.state.testFlag(QStyle::State_HasFocus) && TAVQFocusFrame::isShownOn(view()))
        TAVQFocusFrame::paint(painter, option.rect);
    painter->restore();
    painter->restore();
}

// Marks the part of this row's label text that a selection across rows covers.
void TAVQListViewItemDelegate::selectRowText(TAVQLabelEx *label, int row) const
{
    if (!m_impl->m_records.text(row))
        m_impl->m_records.cacheText(row, label->toHtml());
    if (!isMouseSelectable(label) || m_selAnchor.row == -1 || m_selFocus.row == -1)
        return;
    const bool anchorFirst = m_selAnchor.row <= m_selFocus.row;
    const TAVQRowTextPosition &start = anchorFirst ? m_selAnchor : m_selFocus;
    const TAVQRowTextPosition &end = anchorFirst ? m_selFocus : m_selAnchor;
    if (row < start.row || row > end.row)
        return;
    if (row == start.row && row == end.row) {
        if (!start.position.isNull() && !end.position.isNull())
            label->setSelection(start.position, end.position);
    } else if (row == start.row) {
        label->setSelection(start.position, label->selectionEnd());
    } else if (row == end.row) {
        label->setSelection(label->selectionStart(), end.position);
    } else {
        label->setSelection(label->selectionStart(), label->selectionEnd());
    }
}

QSize TAVQListViewItemDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    if (m_impl->m_itemSizeCallback && !m_templateControls.empty())
        return m_impl->m_itemSizeCallback(view(), option, index);
    const int height = extentOr20(m_impl->m_itemHeight);
    if (view()->viewMode() == QListView::IconMode)
        return QSize(extentOr20(m_impl->m_itemWidth), height);
    // Qt 6 hands in the view's width even where a scroll bar takes some of it;
    // a row never outgrows the viewport, or a needless horizontal bar shows.
    return QSize(qMin(option.rect.width(), view()->viewport()->width()), height);
}

// The control drawn last under `point` in `row`; the template itself never counts.
TAVQListViewItemDelegate::Hit TAVQListViewItemDelegate::hitAt(int row, const QPoint &point) const
{
    const TAVQRowHitRects *rowRects = m_impl->m_records.hitRects(row);
    if (!rowRects)
        return Hit();
    for (size_t i = m_templateControls.size(); i-- > 1;) {
        TAVQControlBaseImpl *control = m_templateControls[i];
        const auto found = rowRects->find(control);
        if (control && found != rowRects->end() && found->second.contains(point))
            return Hit{control, found->second};
    }
    return Hit();
}

// Puts the row's text, as first drawn, back into a label hit in that row.
TAVQLabelEx *TAVQListViewItemDelegate::loadRowText(const Hit &hit, int row) const
{
    TAVQLabelEx *label = labelExOf(hit.control);
    if (!label)
        return nullptr;
    if (const QString *cached = m_impl->m_records.text(row)) {
        label->setHtml(*cached);
        static_cast<TAVQLabelExImpl *>(label->GetImpl())->document()->setPageSize(QSizeF(hit.rect.width() + 20, hit.rect.height() + 10));
    }
    return label;
}

bool TAVQListViewItemDelegate::editorEvent(QEvent *event, QAbstractItemModel *model,
                                           const QStyleOptionViewItem &option, const QModelIndex &index)
{
    if (event->type() == QEvent::MouseButtonPress) {
        // The base answer is taken first: the application may remove the row
        // while the press is reported.
        const bool handled = QItemDelegate::editorEvent(event, model, option, index);
        return mousePress(static_cast<QMouseEvent *>(event), option, index) ? false : handled;
    }
    if (event->type() == QEvent::MouseMove)
        mouseMove(static_cast<QMouseEvent *>(event), option, index);
    return QItemDelegate::editorEvent(event, model, option, index);
}

// Reports the pressed template control; true when the row went away meanwhile.
bool TAVQListViewItemDelegate::mousePress(QMouseEvent *event, const QStyleOptionViewItem &option,
                                          const QModelIndex &index)
{
    m_selAnchor = TAVQRowTextPosition();
    m_selFocus = TAVQRowTextPosition();
    view()->viewport()->update();
    const QPoint point = event->pos();
    if (!option.rect.contains(point))
        return false;
    const int row = index.row();
    const Hit hit = hitAt(row, point);
    if (!hit.control)
        return false;
    if (m_impl->m_textSelectable) {
        TAVQLabelEx *label = loadRowText(hit, row);
        if (isMouseSelectable(label)) {
            m_selAnchor = TAVQRowTextPosition{row, label->hitTest(point - hit.rect.topLeft())};
            m_selecting = true;
        }
    }
    // Nothing of this row or of the delegate is touched after the signal: its
    // receiver may remove the row or repaint, which replaces the records.
    QPointer<TAVQListView> list = view();
    const QPersistentModelIndex pressed(index);
    emit list->pressCtrl(hit.control->widget(), QModelIndex(index));
    return !pressed.isValid();
}

void TAVQListViewItemDelegate::mouseMove(QMouseEvent *event, const QStyleOptionViewItem &option,
                                         const QModelIndex &index)
{
    const QPoint point = event->pos();
    if (!option.rect.contains(point))
        return;
    const int row = index.row();
    const Hit hit = hitAt(row, point);
    QWidget *viewport = view()->viewport();
    bool overSelectable = false;
    if (hit.control) {
        TAVQLabelEx *label = labelExOf(hit.control);
        if (isMouseSelectable(label)) {
            view()->setCursor(Qt::IBeamCursor);
            m_iBeamShown = overSelectable = true;
        }
        if (m_selecting && label) {
            loadRowText(hit, row);
            if (isMouseSelectable(label)) {
                const TAVQTextPosition position = label->hitTest(point - hit.rect.topLeft());
                if (!position.isNull()) {
                    m_selFocus = TAVQRowTextPosition{row, position};
                    viewport->update(option.rect);
                }
            }
            viewport->update();
        }
        if (hit.control->widget() != m_hoveredControl) {
            m_hoveredControl = hit.control->widget();
            viewport->update(option.rect);
        }
    }
    if (m_iBeamShown && !overSelectable) {
        view()->setCursor(Qt::ArrowCursor);
        m_iBeamShown = false;
    }
    if (!hit.control && m_hoveredControl) {
        m_hoveredControl = nullptr;
        viewport->update();
    }
}

// ---------------------------------------------------------------- view

TAVQ_DEFINE_IMPL(TAVQListView)

TAVQListView::TAVQListView(QWidget *parent)
    : TAVQControl(parent, [](QWidget *widget) -> TAVQControlBaseImpl * { return new TAVQListViewImpl(widget); })
{
    TAVQListViewImpl *d = d_func();
    d->setDelegate(new TAVQListViewItemDelegate(d, this));
    setItemDelegate(d->delegate());
    installScrollBars(this);
    setFrameStyle(0);
    viewport()->setBackgroundRole(QPalette::NoRole);
    setStyleSheet(QStringLiteral("background-color: rgba(0, 0, 0, 0);"));
    viewport()->installEventFilter(this);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSpacing(1);
    // Moves without a button reach the delegate only from a tracking viewport.
    setAttribute(Qt::WA_MouseTracking);
    viewport()->setMouseTracking(true);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
}

TAVQListView::~TAVQListView()
{
    // The delegate refers to the implementation object, which goes first.
    setItemDelegate(nullptr);
    delete d_func()->delegate();
}

QString TAVQListView::GetTypeName()
{
    return QStringLiteral("qtlistview");
}

bool TAVQListView::LoadFromJson(const Json::Value &element)
{
    return loadFromJsonAs<TAVQListViewImpl>(element);
}

void TAVQListView::setModel(QAbstractItemModel *model)
{
    QAbstractItemModel *old = this->model();
    QListView::setModel(model);
    d_func()->followModel(old, model);
}

void TAVQListView::setItemTemplate(QWidget *itemTemplate) { d_func()->setItemTemplate(itemTemplate); }
QWidget *TAVQListView::itemTemplate() const { return d_func()->itemTemplate(); }
void TAVQListView::setUpdateItemCallback(UpdateItemCallback callback) { d_func()->setUpdateItemCallback(callback); }
UpdateItemCallback TAVQListView::updateItemCallback() const { return d_func()->updateItemCallback(); }
void TAVQListView::setItemSizeCallback(ItemSizeCallback callback) { d_func()->setItemSizeCallback(callback); }
ItemSizeCallback TAVQListView::itemSizeCallback() const { return d_func()->itemSizeCallback(); }
void TAVQListView::setItemHeight(int height) { d_func()->setItemHeight(height); }
int TAVQListView::itemHeight() const { return d_func()->itemHeight(); }
void TAVQListView::setItemWidth(int width) { d_func()->setItemWidth(width); }
int TAVQListView::itemWidth() const { return d_func()->itemWidth(); }
void TAVQListView::setTextSelectable(bool on) { d_func()->setTextSelectable(on); }
bool TAVQListView::isTextSelectable() const { return d_func()->isTextSelectable(); }
void TAVQListView::setBackgroundStyle(const TAVQBoxStyle &style) { d_func()->setBackgroundStyle(style); }
const TAVQBoxStyle &TAVQListView::backgroundStyle() const { return d_func()->backgroundStyle(); }
void TAVQListView::setItemStyle(int state, const TAVQBoxStyle &style) { d_func()->setItemStyle(state, style); }
const TAVQBoxStyle &TAVQListView::itemStyle(int state) const { return d_func()->itemStyle(state); }

void TAVQListView::fillPreviewRows()
{
    // Owned by the view, so that it goes with the view.
    auto *preview = new QStandardItemModel(this);
    for (int row = 0; row < PreviewRows; ++row)
        preview->appendRow(new QStandardItem);
    setModel(preview);
}

TAVQRowHitRects TAVQListView::rowHitRects(int row) const
{
    const TAVQRowHitRects *rects = d_func()->records().hitRects(row);
    return rects ? *rects : TAVQRowHitRects();
}

void TAVQListView::setScrollBarButtonLength(bool horizontal, int px)
{
    TAVQScrollBarSheets::applyButtonLength(scrollBar(horizontal), px);
}

void TAVQListView::setScrollBarThickness(bool horizontal, int px)
{
    if (!horizontal)
        setScrollBarSheets(TAVQScrollBarSheets::thickness(px));
}

bool TAVQListView::eventFilter(QObject *watched, QEvent *event)
{
    if (TAVQItemViews::paintViewportBackground(this, watched, event, d_func()->backgroundStyle()))
        return false;
    // Rows are as wide as the viewport; Qt 6 does not lay them out again when a
    // scroll bar narrows it, so the view asks for that itself.
    if (watched == viewport() && event->type() == QEvent::Resize && viewMode() == ListMode) {
        const auto *resize = static_cast<const QResizeEvent *>(event);
        if (resize->size().width() != resize->oldSize().width())
            scheduleDelayedItemsLayout();
    }
    return QListView::eventFilter(watched, event);
}

void TAVQListView::mouseReleaseEvent(QMouseEvent *event)
{
    QListView::mouseReleaseEvent(event);
    d_func()->delegate()->stopSelecting();
}

void TAVQListView::paintEvent(QPaintEvent *event)
{
    QListView::paintEvent(event);
}

void TAVQListView::resizeEvent(QResizeEvent *event)
{
    QListView::resizeEvent(event);
    d_func()->records().clear();
}

void TAVQListView::mousePressEvent(QMouseEvent *event)
{
    QListView::mousePressEvent(event);
}

void TAVQListView::mouseMoveEvent(QMouseEvent *event)
{
    QListView::mouseMoveEvent(event);
}

// Qt swallows the second press of a fast pair; a row and its template buttons
// count every click, as real buttons do, and the pair still reports doubleClicked().
void TAVQListView::mouseDoubleClickEvent(QMouseEvent *event)
{
    const QPersistentModelIndex index = indexAt(positionOf(event));
    QMouseEvent press = pressOf(event);
    mousePressEvent(&press);
    if (index.isValid() && index == indexAt(positionOf(event)))
        emit doubleClicked(index);
}

void TAVQListView::enterEvent(TAVQEnterEvent *event)
{
    QListView::enterEvent(event);
}

void TAVQListView::leaveEvent(QEvent *event)
{
    QListView::leaveEvent(event);
}

// A scrolled viewport may move pixels instead of redrawing rows: the records
// of the rows still shown move with them, the others go.
void TAVQListView::scrollContentsBy(int dx, int dy)
{
    QListView::scrollContentsBy(dx, dy);
    TAVQListViewImpl *d = d_func();
    d->records().scroll(dx, dy, viewport()->rect());
    d->hoverUnderPointer();
}

void TAVQListView::reset()
{
    d_func()->records().clear();
    QListView::reset();
}

} // namespace TAVQtLib
