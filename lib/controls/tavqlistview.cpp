#include "tavqlistview.h"

#include "tavqcontainer.h"
#include "tavqscrollbarconfig.h"
#include "tavqvaluecontrols.h"
#include "core/tavqjson.h"
#include "core/tavqstyleslots.h"

#include <QCursor>
#include <QMouseEvent>
#include <QPainter>
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

int clampedState(int state)
{
    return state >= 0 && state < 4 ? state : 0;
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

// ---------------------------------------------------------------- implementation

TAVQListViewImpl::TAVQListViewImpl(QWidget *widget)
    : TAVQControlBaseImpl(widget)
{
}

TAVQListView *TAVQListViewImpl::view() const
{
    return static_cast<TAVQListView *>(m_widget);
}

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
    TAVQStyleSlots::visit(element, [this](const QString &name, int slot) {
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
    const Json::Value *attr = member(element, "attr");
    if (!attr || !attr->isObject())
        return;
    m_itemHeight = intMember(*attr, "itemHeight", m_itemHeight);
    m_itemWidth = intMember(*attr, "itemWidth", m_itemWidth);
    if (const auto spacing = optionalInt(*attr, "spacing"))
        view()->setSpacing(*spacing);
    if (const auto mode = optionalInt(*attr, "itemMode"))
        view()->setViewMode(*mode != 0 ? QListView::IconMode : QListView::ListMode);
}

void TAVQListViewImpl::loadScrollBars(const Json::Value &element)
{
    TAVQListView *list = view();
    configureScrollBars(element, list->skinnedScrollBar(true), list->skinnedScrollBar(false),
                        [list](const TAVQScrollBarChild &child) {
                            if (child.size)
                                list->setScrollBarButtonLength(child.horizontal, *child.size);
                            list->setScrollBarThickness(child.horizontal, child.thickness);
                        });
}

void TAVQListViewImpl::Draw(QPainter *, const QRect &) {}

void TAVQListViewImpl::OnChildrenLoaded()
{
    const QObjectList children = m_widget->children();
    for (QObject *child : children) {
        if (auto *container = qobject_cast<TAVQContainer *>(child)) {
            view()->setItemTemplate(container);
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
    m_impl->m_rowHitRects[row] = std::move(hitRects);
    painter->restore();
    painter->restore();
}

// Marks the part of this row's label text that a selection across rows covers.
void TAVQListViewItemDelegate::selectRowText(TAVQLabelEx *label, int row) const
{
    if (m_impl->m_rowTextCache.find(row) == m_impl->m_rowTextCache.end())
        m_impl->m_rowTextCache[row] = label->toHtml();
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
    return QSize(option.rect.width(), height);
}

// The control drawn last under `point` in `row`; the template itself never counts.
TAVQListViewItemDelegate::Hit TAVQListViewItemDelegate::hitAt(int row, const QPoint &point) const
{
    const auto rowRects = m_impl->m_rowHitRects.find(row);
    if (rowRects == m_impl->m_rowHitRects.end())
        return Hit();
    for (size_t i = m_templateControls.size(); i-- > 1;) {
        TAVQControlBaseImpl *control = m_templateControls[i];
        const auto found = rowRects->second.find(control);
        if (control && found != rowRects->second.end() && found->second.contains(point))
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
    const auto cached = m_impl->m_rowTextCache.find(row);
    if (cached != m_impl->m_rowTextCache.end()) {
        label->setHtml(cached->second);
        label->impl()->document()->setPageSize(QSizeF(hit.rect.width() + 20, hit.rect.height() + 10));
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

TAVQListView::TAVQListView(QWidget *parent)
    : TAVQControl(parent)
    , m_hBar(nullptr)
    , m_vBar(nullptr)
    , m_delegate(new TAVQListViewItemDelegate(m_impl, this))
{
    setItemDelegate(m_delegate);
    m_hBar = new TAVQScrollBar(Qt::Horizontal, this);
    m_vBar = new TAVQScrollBar(Qt::Vertical, this);
    setHorizontalScrollBar(m_hBar);
    setVerticalScrollBar(m_vBar);
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
    delete m_delegate;
}

QString TAVQListView::GetTypeName()
{
    return QStringLiteral("qtlistview");
}

void TAVQListView::setItemTemplate(QWidget *itemTemplate)
{
    if (!itemTemplate)
        return;
    itemTemplate->setVisible(false);
    m_impl->m_itemTemplate = itemTemplate;
    m_delegate->setTemplateControls(itemTemplate);
}

void TAVQListView::setItemStyle(int state, const TAVQBoxStyle &style)
{
    m_impl->m_itemStyles[size_t(clampedState(state))] = style;
}

const TAVQBoxStyle &TAVQListView::itemStyle(int state) const
{
    return m_impl->m_itemStyles[size_t(clampedState(state))];
}

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
    const auto found = m_impl->m_rowHitRects.find(row);
    return found == m_impl->m_rowHitRects.end() ? TAVQRowHitRects() : found->second;
}

void TAVQListView::setScrollBarStyle(bool horizontal, const TAVQBoxStyle &style)
{
    skinnedScrollBar(horizontal)->setGrooveStyle(style);
}

void TAVQListView::setScrollBarArrowIcon(bool horizontal, bool upArrow, const QString &imageName)
{
    skinnedScrollBar(horizontal)->setArrowIcon(upArrow, imageName);
}

void TAVQListView::setScrollBarArrowIconPlacement(bool horizontal, bool upArrow, const TAVQImagePlacement &placement)
{
    skinnedScrollBar(horizontal)->setArrowIconPlacement(upArrow, placement);
}

void TAVQListView::setScrollBarThumbIcon(bool horizontal, const QString &imageName)
{
    skinnedScrollBar(horizontal)->setThumbIcon(imageName);
}

void TAVQListView::setScrollBarArrowStyle(bool horizontal, bool upArrow, int state, const TAVQBoxStyle &style)
{
    TAVQScrollBar *bar = skinnedScrollBar(horizontal);
    if (upArrow)
        bar->setSubLineStyle(state, style);
    else
        bar->setAddLineStyle(state, style);
}

void TAVQListView::setScrollBarThumbStyle(bool horizontal, int state, const TAVQBoxStyle &style)
{
    skinnedScrollBar(horizontal)->setThumbStyle(state, style);
}

void TAVQListView::setScrollBarButtonLength(bool horizontal, int px)
{
    TAVQScrollBarSheets::applyButtonLength(skinnedScrollBar(horizontal), px);
}

void TAVQListView::setScrollBarThickness(bool horizontal, int px)
{
    if (horizontal)
        return;
    const QString sheet = TAVQScrollBarSheets::thickness(px);
    m_vBar->setStyleSheet(sheet);
    m_hBar->setStyleSheet(sheet);
}

bool TAVQListView::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == viewport() && event->type() == QEvent::Paint) {
        QPainter painter(viewport());
        TAVQControlBaseImpl::paintBox(&painter, m_impl->m_backgroundStyle, viewport()->rect());
        return false;
    }
    return QListView::eventFilter(watched, event);
}

void TAVQListView::mouseReleaseEvent(QMouseEvent *event)
{
    QListView::mouseReleaseEvent(event);
    m_delegate->stopSelecting();
}

void TAVQListView::paintEvent(QPaintEvent *event)
{
    QListView::paintEvent(event);
}

void TAVQListView::resizeEvent(QResizeEvent *event)
{
    QListView::resizeEvent(event);
    m_impl->m_rowHitRects.clear();
}

void TAVQListView::mousePressEvent(QMouseEvent *event)
{
    QListView::mousePressEvent(event);
}

void TAVQListView::mouseMoveEvent(QMouseEvent *event)
{
    QListView::mouseMoveEvent(event);
}

void TAVQListView::mouseDoubleClickEvent(QMouseEvent *event)
{
    QListView::mouseDoubleClickEvent(event);
}

void TAVQListView::enterEvent(QEvent *event)
{
    QListView::enterEvent(event);
}

void TAVQListView::leaveEvent(QEvent *event)
{
    QListView::leaveEvent(event);
}

// A scrolled viewport may move pixels instead of redrawing rows; the records move with them.
void TAVQListView::scrollContentsBy(int dx, int dy)
{
    QListView::scrollContentsBy(dx, dy);
    for (auto &row : m_impl->m_rowHitRects) {
        for (auto &control : row.second)
            control.second.translate(dx, dy);
    }
}

// Row numbers now name other rows, so cached row texts no longer fit.
void TAVQListView::rowsInserted(const QModelIndex &parent, int start, int end)
{
    m_impl->m_rowTextCache.clear();
    QListView::rowsInserted(parent, start, end);
}

void TAVQListView::rowsAboutToBeRemoved(const QModelIndex &parent, int start, int end)
{
    m_impl->m_rowTextCache.clear();
    QListView::rowsAboutToBeRemoved(parent, start, end);
}

void TAVQListView::reset()
{
    m_impl->m_rowTextCache.clear();
    m_impl->m_rowHitRects.clear();
    QListView::reset();
}

} // namespace TAVQtLib
