#include "tavqtableview_p.h"

#include "tavqcheckbox.h"
#include "tavqscrollbarconfig_p.h"
#include "tavqvaluecontrols.h"
#include "base/tavqjson_p.h"
#include "base/tavqkeyreader_p.h"
#include "base/tavqkeytable_p.h"
#include "core/tavqcontrol_p.h"
#include "core/tavqruntime.h"
#include "core/tavqstyleslots_p.h"
#include "resources/tavqresourcemanager.h"

#include <QCursor>
#include <QMouseEvent>
#include <QPainter>
#include <QStandardItemModel>

#include <json/value.h>

#include <vector>

namespace TAVQtLib {

namespace {

// Room the check box takes off the text of column 0, beyond the image itself.
constexpr int CheckTextGap = 10;
constexpr int CheckLeftMargin = 5;
constexpr int IconRole = Qt::UserRole + 100;

TAVQBoxStyle invisibleBox()
{
    TAVQBoxStyle box;
    box.visible = false;
    return box;
}

// The template first, then the controls below it depth-first; a child that is
// no control hides its subtree.
void collectControls(QWidget *widget, std::vector<QWidget *> *out)
{
    out->push_back(widget);
    for (QObject *child : widget->children()) {
        QWidget *childWidget = qobject_cast<QWidget *>(child);
        if (childWidget && controlInterface(childWidget))
            collectControls(childWidget, out);
    }
}

// The negation of a check value in the model's own kind: a bool (or nothing)
// gives a bool, anything else a Qt::CheckState.
QVariant flippedCheck(const QVariant &value)
{
    const bool checked = value.toBool();
    if (!value.isValid() || value.userType() == QMetaType::Bool)
        return !checked;
    return int(checked ? Qt::Unchecked : Qt::Checked);
}

int cellLook(const QStyleOptionViewItem &option, int row, int hoverRow)
{
    if (option.state & QStyle::State_Selected)
        return 2;
    if ((option.state & QStyle::State_MouseOver) || row == hoverRow)
        return 1;
    return 0;
}

} // namespace

// TAVQTableViewImpl

TAVQTableViewImpl::TAVQTableViewImpl(QWidget *widget)
    : TAVQControlBaseImpl(widget)
{
    m_cellStyles.fill(invisibleBox());
}

TAVQTableView *TAVQTableViewImpl::view() const
{
    return static_cast<TAVQTableView *>(m_widget);
}

void TAVQTableViewImpl::createCheckStamp()
{
    if (m_checkStamp)
        return;
    m_checkStamp = new TAVQCheckBox(m_widget);
    m_checkStamp->setVisible(false);
    m_checkStamp->setShowText(false);
    m_checkStamp->setBoxStyle(StateAll, invisibleBox());
    m_checkStamp->setCheckedBoxStyle(StateAll, invisibleBox());
}

namespace {

constexpr TAVQKey TableKeys[] = {
    {"multiselect", TAVQValueKind::Bool}, {"itemHeight", TAVQValueKind::Int},
    {"checkstyle", TAVQValueKind::Bool},  {"checkedImg", TAVQValueKind::Image},
    {"uncheckImg", TAVQValueKind::Image},
};
// Background, cell box and text per state, header box and text per state.
constexpr TAVQSlotRange TableSlots[] = {
    {0, 0, TAVQStyleKind::Box},   {2, 5, TAVQStyleKind::Box},   {6, 9, TAVQStyleKind::Font},
    {10, 13, TAVQStyleKind::Box}, {14, 17, TAVQStyleKind::Font},
};

} // namespace

const TAVQControlTable TAVQTableViewImpl::Table{TableKeys, TableSlots, &TAVQScrollBarImpl::Table};

bool TAVQTableViewImpl::LoadAttributes(const Json::Value &element)
{
    const bool loaded = LoadAttrMap(&element);
    loadStyles(element);
    if (const Json::Value *attr = JsonRead::member(element, "attr"); attr && attr->isObject())
        loadAttr(*attr);
    configureScrollBars(element, view()->scrollBar(true), view()->scrollBar(false),
                        [this](const TAVQScrollBarChild &child) {
                            if (child.size)
                                m_scrollBarButtonLength = *child.size;
                            m_scrollBarThickness = child.thickness;
                            view()->applyScrollBarSheet();
                        });
    return loaded;
}

void TAVQTableViewImpl::loadStyles(const Json::Value &element)
{
    TAVQStyleSlots::visit(element, Table, [this](const QString &name, int slot) {
        if (slot == 0)
            TAVQStyleSlots::findBox(name, &m_backgroundStyle);
        else if (slot >= 2 && slot <= 5)
            TAVQStyleSlots::setBoxForState(m_cellStyles, slot - 2, name);
        else if (slot >= 6 && slot <= 9)
            TAVQStyleSlots::setFontForState(m_cellFontStyles, slot - 6, name);
        else if (slot >= 10 && slot <= 13)
            m_headerLooks.loadBox(slot - 10, name);
        else if (slot >= 14 && slot <= 17)
            m_headerLooks.loadFont(slot - 14, name);
    });
}

void TAVQTableViewImpl::loadAttr(const Json::Value &object)
{
    const TAVQKeyReader attr(Table.keys, object);
    if (const auto multi = attr.optionalBool("multiselect"))
        view()->setSelectionMode(*multi ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection);
    if (const auto height = attr.optionalInt("itemHeight")) {
        m_itemHeight = *height;
        view()->horizontalHeader()->setFixedHeight(*height);
    }
    m_checkable = attr.boolMember("checkstyle", m_checkable);
    if (const auto name = attr.optionalBytes("checkedImg"))
        setCheckImage(true, QString::fromUtf8(*name));
    if (const auto name = attr.optionalBytes("uncheckImg"))
        setCheckImage(false, QString::fromUtf8(*name));
}

void TAVQTableViewImpl::OnChildrenLoaded()
{
    if (!IsDesignerHost())
        return;
    constexpr int SampleRows = 100;
    constexpr int SampleColumns = 5;
    auto *model = new QStandardItemModel(m_widget);
    view()->setModel(model);
    QStringList titles;
    for (int column = 1; column <= SampleColumns; ++column)
        titles << QObject::tr("Col%1").arg(column);
    model->setHorizontalHeaderLabels(titles);
    for (int row = 0; row < SampleRows; ++row) {
        QList<QStandardItem *> items;
        for (int column = 0; column < SampleColumns; ++column)
            items << new QStandardItem(QStringLiteral("item %1 %2").arg(row).arg(column));
        model->appendRow(items);
    }
}

void TAVQTableViewImpl::Draw(QPainter *painter, const QRect &rect)
{
    paintBox(painter, m_backgroundStyle, rect);
}

void TAVQTableViewImpl::setCellStyle(int look, const TAVQBoxStyle &style)
{
    TAVQStyleSlots::storeForState(m_cellStyles, look, style);
}

void TAVQTableViewImpl::setCellFontStyle(int look, const TAVQFontStyle &style)
{
    TAVQStyleSlots::storeForState(m_cellFontStyles, look, style);
}

void TAVQTableViewImpl::setCheckImage(bool checked, const QString &name)
{
    // An unknown image keeps the old size but still becomes the stored name.
    if (const QImage *image = TAVQResourceManager::instance().image(name))
        m_checkImageSize = image->size();
    if (checked)
        m_checkedImage = name;
    else
        m_uncheckedImage = name;
    if (!m_checkStamp)
        return;
    if (checked)
        m_checkStamp->setCheckedIconPath(name);
    else
        m_checkStamp->setIconPath(name);
}

void TAVQTableViewImpl::setColumnTemplate(int column, QWidget *widget)
{
    if (!widget) {
        m_columnTemplates.erase(column);
        return;
    }
    widget->setVisible(false);
    m_columnTemplates[column] = widget;
}

QWidget *TAVQTableViewImpl::columnTemplate(int column) const
{
    const auto it = m_columnTemplates.find(column);
    return it == m_columnTemplates.end() ? nullptr : it->second.data();
}

void TAVQTableViewImpl::setHeaders(TAVQTableHeader *horizontal, TAVQTableHeader *vertical)
{
    m_hHeader = horizontal;
    m_vHeader = vertical;
}

TAVQTableHeader *TAVQTableViewImpl::header(Qt::Orientation orientation) const
{
    return orientation == Qt::Horizontal ? m_hHeader : m_vHeader;
}

void TAVQTableViewImpl::setHover(int row, const QModelIndex &index)
{
    m_hoverRow = row;
    m_hoverIndex = index;
}

QString TAVQTableViewImpl::scrollBarSheet() const
{
    // The thickness rules are shared; the vertical buttons take the button length.
    const QString buttons = QStringLiteral(
        " QScrollBar::add-line:vertical{ width:%1px;width:%1px; subcontrol-origin: margin;}"
        " QScrollBar::sub-line:vertical{ width:%1px;width:%1px;subcontrol-origin: margin; }");
    return TAVQScrollBarSheets::thickness(m_scrollBarThickness) + buttons.arg(m_scrollBarButtonLength);
}

QRect TAVQTableViewImpl::checkRect(const QRect &cell) const
{
    // The image is square by default, so its height serves as the width.
    return QRect(cell.left() + CheckLeftMargin, cell.top(), m_checkImageSize.height(), cell.height());
}

QRect TAVQTableViewImpl::textRect(const QRect &cell, int column) const
{
    QRect text = cell;
    if (column == 0 && m_checkable)
        text.setLeft(cell.left() + m_checkImageSize.width() + CheckTextGap);
    return text;
}

void TAVQTableViewImpl::paintCheck(QPainter *painter, const QRect &cell, bool checked) const
{
    if (!m_checkStamp)
        return;
    m_checkStamp->setChecked(checked);
    m_checkStamp->GetImpl()->Draw(painter, checkRect(cell));
}

bool TAVQTableViewImpl::drawColumnTemplate(QPainter *painter, int column, const QRect &cell) const
{
    QWidget *templ = columnTemplate(column);
    ITAVQControlBase *control = templ ? controlInterface(templ) : nullptr;
    if (!control)
        return false;
    std::vector<QWidget *> controls;
    collectControls(templ, &controls);
    painter->save();
    painter->setClipRect(cell, Qt::ReplaceClip);
    templ->resize(cell.size());
    control->GetControlBase()->ApplyLayout();
    control->GetImpl()->Draw(painter, cell);
    const QPoint cursor = QCursor::pos();
    const QWidget *viewport = view()->viewport();
    for (size_t i = 1; i < controls.size(); ++i) {
        QWidget *widget = controls[i];
        TAVQControlBaseImpl *impl = controlInterface(widget)->GetImpl();
        const QRect rect(widget->mapTo(templ, QPoint(0, 0)) + cell.topLeft(), widget->size());
        const QRect global(viewport->mapToGlobal(rect.topLeft()), rect.size());
        const int state = impl->state();
        if (global.contains(cursor))
            impl->setState(StateHover);
        impl->Draw(painter, rect);
        impl->setState(state);
    }
    painter->restore();
    return true;
}

// TAVQTableViewitemDelegate

TAVQTableViewitemDelegate::TAVQTableViewitemDelegate(TAVQTableViewImpl *impl, QObject *parent)
    : QItemDelegate(parent)
    , m_impl(impl)
{
}

void TAVQTableViewitemDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                                      const QModelIndex &index) const
{
    if (!index.isValid())
        return;
    painter->save();
    const QRect cell = option.rect;
    QRect text = m_impl->textRect(cell, index.column());
    QRect iconRect;
    const QString icon = index.data(IconRole).toString();
    const QImage *iconImage = icon.isEmpty() ? nullptr : TAVQResourceManager::instance().image(icon);
    if (iconImage) {
        const int iconWidth = iconImage->width() + CheckTextGap;
        iconRect = QRect(text.left(), text.top(), iconWidth, text.height());
        text.setLeft(text.left() + iconWidth);
    }
    const int look = cellLook(option, index.row(), m_impl->hoverRow());
    TAVQControlBaseImpl::paintBox(painter, m_impl->cellStyle(look), cell);
    TAVQControlBaseImpl::paintText(painter, index.data(Qt::DisplayRole).toString(), m_impl->cellFontStyle(look), text);
    if (!m_impl->drawColumnTemplate(painter, index.column(), cell)) {
        if (iconImage) {
            painter->save();
            painter->setClipRect(cell);
            TAVQControlBaseImpl::paintAlignedImage(painter, icon, TAVQImagePlacement{0, 0, 1, 1}, iconRect);
            painter->restore();
        }
        if (index.column() == 0 && m_impl->isCheckable())
            m_impl->paintCheck(painter, cell, index.data(Qt::CheckStateRole).toBool());
    }
    painter->restore();
}

bool TAVQTableViewitemDelegate::editorEvent(QEvent *event, QAbstractItemModel *model,
                                            const QStyleOptionViewItem &option, const QModelIndex &index)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        if (isCheckPress(event, option, index)) {
            // Everything the press needs is taken before the write: a receiver
            // of the change may remove rows, and the index with them.
            const bool handled = QItemDelegate::editorEvent(event, model, option, index);
            model->setData(index, flippedCheck(index.data(Qt::CheckStateRole)), Qt::CheckStateRole);
            return handled;
        }
        break;
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
        // The check of column 0 flips on the press alone; Qt's own toggle of
        // checkable items on the release would flip it back.
        if (index.column() == 0 && m_impl->isCheckable())
            return false;
        break;
    case QEvent::MouseMove:
        trackHover(index);
        break;
    default:
        break;
    }
    return QItemDelegate::editorEvent(event, model, option, index);
}

bool TAVQTableViewitemDelegate::isCheckPress(const QEvent *event, const QStyleOptionViewItem &option,
                                             const QModelIndex &index) const
{
    const QPoint pos = static_cast<const QMouseEvent *>(event)->pos();
    return index.column() == 0 && m_impl->isCheckable() && m_impl->checkRect(option.rect).contains(pos);
}

void TAVQTableViewitemDelegate::trackHover(const QModelIndex &index) const
{
    auto *view = static_cast<QAbstractItemView *>(m_impl->widget());
    if (index.row() != m_impl->hoverRow()) {
        if (m_impl->hoverRow() != -1)
            view->viewport()->update(view->visualRect(m_impl->hoverIndex()));
        m_impl->setHover(index.row(), index);
    }
    if (!m_impl->columnTemplate(index.column()))
        return;
    const QRect cell = view->visualRect(index);
    const QRect global(view->viewport()->mapToGlobal(cell.topLeft()), cell.size());
    if (global.contains(QCursor::pos()))
        view->viewport()->update(cell);
}

// TAVQTableHeader

TAVQTableHeader::TAVQTableHeader(TAVQTableViewImpl *impl, Qt::Orientation orientation, QWidget *parent)
    : QHeaderView(orientation, parent)
    , m_impl(impl)
{
}

QRect TAVQTableHeader::sectionRect(int section) const
{
    if (orientation() == Qt::Horizontal)
        return QRect(sectionViewportPosition(section), 0, sectionSize(section), height());
    return QRect(0, sectionViewportPosition(section), width(), sectionSize(section));
}

void TAVQTableHeader::mousePressEvent(QMouseEvent *event)
{
    if (orientation() == Qt::Horizontal && m_impl->isCheckable()
        && m_impl->checkRect(sectionRect(0)).contains(event->pos())) {
        const bool checked = m_impl->toggleHeaderChecked();
        repaint();
        emit static_cast<TAVQTableView *>(m_impl->widget())->headerCheckedChanged(checked);
        viewport()->update();
    }
    QHeaderView::mousePressEvent(event);
}

void TAVQTableHeader::paintEvent(QPaintEvent *)
{
    QPainter painter(viewport());
    const TAVQBoxStyle &box = m_impl->headerStyle(0);
    TAVQControlBaseImpl::paintBox(&painter, box, geometry());
    const QAbstractItemModel *headerModel = model();
    if (!headerModel)
        return;
    const bool horizontal = orientation() == Qt::Horizontal;
    for (int section = 0; section < count(); ++section) {
        const QRect rect = sectionRect(section);
        TAVQControlBaseImpl::paintBox(&painter, box, rect);
        const QRect text = horizontal ? m_impl->textRect(rect, section) : rect;
        TAVQControlBaseImpl::paintText(&painter, headerModel->headerData(section, orientation()).toString(),
                                       m_impl->headerFontStyle(0), text);
        if (horizontal && section == 0 && m_impl->isCheckable())
            m_impl->paintCheck(&painter, rect, m_impl->isHeaderChecked());
    }
}

// TAVQConerWidget

TAVQConerWidget::TAVQConerWidget(TAVQTableViewImpl *impl, QWidget *parent)
    : TAVQBoxPane(&impl->backgroundStyle(), parent)
{
}

// TAVQTableView

TAVQ_DEFINE_IMPL(TAVQTableView)

TAVQTableView::TAVQTableView(QWidget *parent)
    : TAVQControl(parent, [](QWidget *widget) -> TAVQControlBaseImpl * { return new TAVQTableViewImpl(widget); })
{
    TAVQTableViewImpl *d = d_func();
    setItemDelegate(new TAVQTableViewitemDelegate(d, this));
    installScrollBars(this);
    auto *horizontal = new TAVQTableHeader(d, Qt::Horizontal, this);
    auto *vertical = new TAVQTableHeader(d, Qt::Vertical, this);
    d->setHeaders(horizontal, vertical);
    setHorizontalHeader(horizontal);
    setVerticalHeader(vertical);
    vertical->hide();
    setShowGrid(false);
    setCornerWidget(new TAVQConerWidget(d, this));
    setViewport(new TAVQViewport(d, this));
    setEditTriggers(NoEditTriggers);
    setSelectionBehavior(SelectRows);
    setSelectionMode(SingleSelection);
    setFrameStyle(0);
    viewport()->setStyleSheet(QStringLiteral("background-color: rgba(0, 0, 0, 0);"));
    viewport()->installEventFilter(this);
    setVerticalScrollMode(ScrollPerPixel);
    setHorizontalScrollMode(ScrollPerPixel);
    setAttribute(Qt::WA_MouseTracking);
    d->createCheckStamp();
}

TAVQTableView::~TAVQTableView() = default;

QString TAVQTableView::GetTypeName()
{
    return QStringLiteral("qtdatagrid");
}

bool TAVQTableView::LoadFromJson(const Json::Value &element)
{
    return loadFromJsonAs<TAVQTableViewImpl>(element);
}

void TAVQTableView::setBackgroundStyle(const TAVQBoxStyle &style) { d_func()->setBackgroundStyle(style); }
const TAVQBoxStyle &TAVQTableView::backgroundStyle() const { return d_func()->backgroundStyle(); }
void TAVQTableView::setCellStyle(int look, const TAVQBoxStyle &style) { d_func()->setCellStyle(look, style); }
const TAVQBoxStyle &TAVQTableView::cellStyle(int look) const { return d_func()->cellStyle(look); }
void TAVQTableView::setCellFontStyle(int look, const TAVQFontStyle &style) { d_func()->setCellFontStyle(look, style); }
const TAVQFontStyle &TAVQTableView::cellFontStyle(int look) const { return d_func()->cellFontStyle(look); }
void TAVQTableView::setHeaderStyle(int look, const TAVQBoxStyle &style) { d_func()->setHeaderStyle(look, style); }
const TAVQBoxStyle &TAVQTableView::headerStyle(int look) const { return d_func()->headerStyle(look); }
void TAVQTableView::setHeaderFontStyle(int look, const TAVQFontStyle &style)
{
    d_func()->setHeaderFontStyle(look, style);
}
const TAVQFontStyle &TAVQTableView::headerFontStyle(int look) const { return d_func()->headerFontStyle(look); }
void TAVQTableView::setItemHeight(int height) { d_func()->setItemHeight(height); }
int TAVQTableView::itemHeight() const { return d_func()->itemHeight(); }
void TAVQTableView::setCheckable(bool checkable) { d_func()->setCheckable(checkable); }
bool TAVQTableView::isCheckable() const { return d_func()->isCheckable(); }
void TAVQTableView::setCheckImage(bool checked, const QString &name) { d_func()->setCheckImage(checked, name); }
QString TAVQTableView::checkImage(bool checked) const { return d_func()->checkImage(checked); }
void TAVQTableView::setColumnTemplate(int column, QWidget *widget) { d_func()->setColumnTemplate(column, widget); }
QWidget *TAVQTableView::columnTemplate(int column) const { return d_func()->columnTemplate(column); }

TAVQTableHeader *TAVQTableView::tableHeader(Qt::Orientation orientation) const
{
    return d_func()->header(orientation);
}

void TAVQTableView::setScrollBarButtonLength(bool, int length)
{
    d_func()->setScrollBarButtonLength(length);
}

void TAVQTableView::setScrollBarThickness(bool, int thickness)
{
    d_func()->setScrollBarThickness(thickness);
    applyScrollBarSheet();
}

void TAVQTableView::applyScrollBarSheet()
{
    setScrollBarSheets(d_func()->scrollBarSheet());
}

bool TAVQTableView::eventFilter(QObject *watched, QEvent *event)
{
    if (TAVQItemViews::paintViewportBackground(this, watched, event, d_func()->backgroundStyle()))
        return false;
    return QTableView::eventFilter(watched, event);
}

void TAVQTableView::leaveEvent(QEvent *event)
{
    QTableView::leaveEvent(event);
    TAVQTableViewImpl *d = d_func();
    if (d->hoverRow() == -1)
        return;
    d->setHover(-1, QModelIndex());
    repaint();
}

void TAVQTableView::paintEvent(QPaintEvent *event)
{
    // Qt routes only the viewport's paint events here, so that is where to paint.
    {
        QPainter painter(viewport());
        TAVQControlBaseImpl::paintBox(&painter, d_func()->backgroundStyle(), 0, 0, width(), height());
    }
    QTableView::paintEvent(event);
}

} // namespace TAVQtLib
