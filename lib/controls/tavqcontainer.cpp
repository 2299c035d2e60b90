#include "tavqcontainer_p.h"

#include "tavqscrollbarconfig_p.h"
#include "tavqvaluecontrols_p.h"
#include "core/tavqcontrol_p.h"
#include "base/tavqjson_p.h"
#include "base/tavqkeyreader_p.h"
#include "base/tavqkeytable_p.h"
#include "core/tavqstyleslots_p.h"

#include <QPainter>
#include <QPaintEvent>
#include <QResizeEvent>
#include <QScrollBar>

#include <json/value.h>

#include <cstring>
#include <limits>
#include <optional>

namespace TAVQtLib {

using namespace JsonRead;

namespace {

constexpr TAVQKey ContainerKeys[] = {{"childLayout", TAVQValueKind::Int}, {"space", TAVQValueKind::Int}};
// Background, disabled background.
constexpr TAVQSlotRange ContainerSlots[] = {{0, 1, TAVQStyleKind::Box}};

constexpr TAVQKey GroupBoxKeys[] = {
    {"text", TAVQValueKind::Text}, {"size", TAVQValueKind::Bool},
    {"color", TAVQValueKind::Colour}, {"showText", TAVQValueKind::Bool},
};
constexpr TAVQSlotRange GroupBoxSlots[] = {{0, 0, TAVQStyleKind::Box}, {2, 2, TAVQStyleKind::Font}};

constexpr TAVQSlotRange SplitterSlots[] = {{0, 0, TAVQStyleKind::Box}};

// Every slot names the background.
constexpr TAVQSlotRange ScrollViewSlots[] = {{0, std::numeric_limits<int>::max(), TAVQStyleKind::Box}};

// An unstyled container is a grey panel, so that it shows in the designer.
TAVQBoxStyle greyPanel()
{
    TAVQBoxStyle style;
    style.color = QColor(128, 128, 128);
    return style;
}

TAVQBoxStyle hiddenBox()
{
    TAVQBoxStyle style;
    style.visible = false;
    return style;
}

int extent(const QWidget *widget, Qt::Orientation direction)
{
    return direction == Qt::Horizontal ? widget->width() : widget->height();
}

Qt::Orientation across(Qt::Orientation direction)
{
    return direction == Qt::Horizontal ? Qt::Vertical : Qt::Horizontal;
}

// The control of a child that takes part in arranging, or null.
ITAVQControlBase *arrangedControl(QObject *child)
{
    ITAVQControlBase *control = controlInterface(child);
    return control && control->GetControlBase() ? control : nullptr;
}

template <typename Record>
void moveRecord(Record *record, Qt::Orientation direction, int position)
{
    (direction == Qt::Horizontal ? record->x : record->y) = position;
}

// Writes one coordinate into a child's layout record. Anchored children store
// the record again; fixed ones pick it up at the next layout pass, since storing
// a fixed record through SetLayout would apply it at once.
void placeChild(ITAVQControlBase *control, Qt::Orientation direction, int position)
{
    void *data = nullptr;
    control->GetLayoutData(data);
    if (!data)
        return;
    const int kind = control->GetLayoutType();
    if (kind == LayoutAnchor) {
        TAVQAnchorLayout anchor;
        std::memcpy(&anchor, data, sizeof anchor);
        moveRecord(&anchor, direction, position);
        control->SetLayout(anchor);
    } else if (kind == LayoutFixed) {
        TAVQFixedLayout fixed;
        std::memcpy(&fixed, data, sizeof fixed);
        moveRecord(&fixed, direction, position);
        std::memcpy(data, &fixed, sizeof fixed);
    }
}

// A line colour is a hexadecimal RRGGBB string or the same value as a number
// (asInt's, or asUInt's above the int range: a bit pattern, not a bounded page number).
std::optional<QColor> lineColorValue(const Json::Value &value)
{
    if (const auto text = stringBytes(value))
        return fontColorFromString(*text);
    if (const auto bits = toBits(value))
        return QColor(QRgb(quint32(*bits)));
    if (const auto bits = toUInt(value))
        return QColor(QRgb(*bits));
    return std::nullopt;
}

} // namespace

const TAVQControlTable TAVQContainerImpl::Table{ContainerKeys, ContainerSlots};
const TAVQControlTable TAVQGroupBoxImpl::Table{GroupBoxKeys, GroupBoxSlots};
const TAVQControlTable TAVQSplitterImpl::Table{{}, SplitterSlots};
const TAVQControlTable TAVQScrollViewImpl::Table{{}, ScrollViewSlots, &TAVQScrollBarImpl::Table};

// ---------------------------------------------------------------- container

TAVQContainerImpl::TAVQContainerImpl(QWidget *widget)
    : TAVQControlBaseImpl(widget)
    , m_backgroundStyle(greyPanel())
    , m_disabledStyle(greyPanel())
{
}

TAVQContainerImpl::~TAVQContainerImpl() = default;

bool TAVQContainerImpl::LoadAttributes(const Json::Value &element)
{
    const bool result = LoadAttrMap(&element);
    TAVQStyleSlots::visit(element, Table, [this](const QString &name, int slot) {
        TAVQBoxStyle style;
        if (slot == 0 && TAVQStyleSlots::findBox(name, &style))
            m_backgroundStyle = m_disabledStyle = style;
        else if (slot == 1)
            TAVQStyleSlots::findBox(name, &m_disabledStyle);
    });
    if (const Json::Value *object = member(element, "attr")) {
        const TAVQKeyReader attr(Table.keys, *object);
        const int layout = attr.intMember("childLayout", ChildLayoutNone);
        m_childLayout = layout >= ChildLayoutRow && layout < ChildLayoutNone ? layout : ChildLayoutNone;
        m_space = attr.intMember("space", m_space);
    }
    return result;
}

void TAVQContainerImpl::Draw(QPainter *painter, const QRect &rect)
{
    paintBox(painter, m_widget->isEnabled() ? m_backgroundStyle : m_disabledStyle, rect);
}

void TAVQContainerImpl::arrangeChildren()
{
    switch (m_childLayout) {
    case ChildLayoutRow:
        arrangeLine(Qt::Horizontal);
        break;
    case ChildLayoutColumn:
        arrangeLine(Qt::Vertical);
        break;
    case ChildLayoutFlowRows:
        arrangeFlow(Qt::Horizontal);
        break;
    case ChildLayoutFlowColumns:
        arrangeFlow(Qt::Vertical);
        break;
    default:
        break;
    }
}

void TAVQContainerImpl::arrangeLine(Qt::Orientation direction)
{
    int position = m_space;
    const QObjectList children = m_widget->children();
    for (QObject *child : children) {
        ITAVQControlBase *control = arrangedControl(child);
        const QWidget *widget = qobject_cast<QWidget *>(child);
        if (!control || !widget)
            continue;
        placeChild(control, direction, position);
        position += extent(widget, direction) + m_space;
    }
}

void TAVQContainerImpl::arrangeFlow(Qt::Orientation direction)
{
    const Qt::Orientation side = across(direction);
    const int limit = extent(m_widget, direction);
    int along = m_space;
    int line = m_space;
    const QObjectList children = m_widget->children();
    for (QObject *child : children) {
        const QWidget *widget = qobject_cast<QWidget *>(child);
        if (!widget)
            continue;
        // Every child widget may break the line, placed or not; the new line
        // advances by this child's size, not by the largest of the last line.
        if (m_space + extent(widget, direction) + along > limit) {
            line += extent(widget, side) + m_space;
            along = m_space;
        }
        if (ITAVQControlBase *control = arrangedControl(child)) {
            placeChild(control, direction, along);
            placeChild(control, side, line);
            along += extent(widget, direction) + m_space;
        }
    }
}

void TAVQContainerImpl::moveNativeWindow()
{
    if (!m_nativeWindow)
        return;
    const QPoint topLeft = m_widget->mapTo(m_widget->window(), QPoint(0, 0));
    m_nativeWindow->move(QRect(topLeft, m_widget->size()));
}

void TAVQContainerImpl::setNativeWindow(WId id)
{
    if (id == 0)
        m_nativeWindow.reset();
    else
        m_nativeWindow = std::make_unique<TAVQNativeWindow>(id);
}

WId TAVQContainerImpl::nativeWindow() const
{
    return m_nativeWindow ? m_nativeWindow->id() : 0;
}

TAVQ_DEFINE_IMPL(TAVQContainer)

TAVQContainer::TAVQContainer(QWidget *parent)
    : TAVQControl(parent, [](QWidget *widget) -> TAVQControlBaseImpl * { return new TAVQContainerImpl(widget); })
{
}

TAVQContainer::~TAVQContainer() = default;

QString TAVQContainer::GetTypeName()
{
    return QStringLiteral("qtcontainer");
}

bool TAVQContainer::LoadFromJson(const Json::Value &element)
{
    return loadFromJsonAs<TAVQContainerImpl>(element);
}

void TAVQContainer::setBackgroundStyle(const TAVQBoxStyle &style) { d_func()->setBackgroundStyle(style); }
const TAVQBoxStyle &TAVQContainer::backgroundStyle() const { return d_func()->backgroundStyle(); }
void TAVQContainer::setDisabledStyle(const TAVQBoxStyle &style) { d_func()->setDisabledStyle(style); }
const TAVQBoxStyle &TAVQContainer::disabledStyle() const { return d_func()->disabledStyle(); }
void TAVQContainer::setUseColor(bool on) { d_func()->setUseColor(on); }
bool TAVQContainer::useColor() const { return d_func()->useColor(); }
void TAVQContainer::setChildLayout(int layout) { d_func()->setChildLayout(layout); }
int TAVQContainer::childLayout() const { return d_func()->childLayout(); }
void TAVQContainer::setSpace(int space) { d_func()->setSpace(space); }
int TAVQContainer::space() const { return d_func()->space(); }
void TAVQContainer::setNativeWindow(WId id) { d_func()->setNativeWindow(id); }
WId TAVQContainer::nativeWindow() const { return d_func()->nativeWindow(); }
void TAVQContainer::clearNativeWindow() { d_func()->setNativeWindow(0); }

void TAVQContainer::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    TAVQControlBase::ApplyChildLayouts(this);
    if (d_func()->childLayout() != ChildLayoutNone) {
        // Arranging reads the sizes the first pass gave and writes positions
        // that only the second pass applies.
        d_func()->arrangeChildren();
        TAVQControlBase::ApplyChildLayouts(this);
    }
    d_func()->moveNativeWindow();
}

// ---------------------------------------------------------------- group box

TAVQGroupBoxImpl::TAVQGroupBoxImpl(QWidget *widget)
    : TAVQControlBaseImpl(widget)
{
}

bool TAVQGroupBoxImpl::LoadAttributes(const Json::Value &element)
{
    const bool result = LoadAttrMap(&element);
    TAVQStyleSlots::visit(element, Table, [this](const QString &name, int slot) {
        if (slot == 0)
            TAVQStyleSlots::findBox(name, &m_boxStyle);
        else if (slot == 2)
            TAVQStyleSlots::findFont(name, &m_fontStyle);
    });
    const Json::Value *attr = member(element, "attr");
    // The frame keys only count together with a title.
    if (attr && TAVQKeyReader(Table.keys, *attr).value("text", TAVQValueKind::Text))
        loadTitleAttributes(*attr);
    return result;
}

void TAVQGroupBoxImpl::loadTitleAttributes(const Json::Value &object)
{
    const TAVQKeyReader attr(Table.keys, object);
    if (const auto text = attr.optionalBytes("text"))
        m_title = fromGbk(*text);
    // Read as asBool reads it: pages write this flag as a number as often as a boolean.
    if (const auto inset = attr.optionalBool("size"))
        m_lineInset = *inset ? 1 : 0;
    if (const Json::Value *color = attr.value("color", TAVQValueKind::Colour)) {
        if (const auto line = lineColorValue(*color))
            m_lineColor = *line;
    }
    m_showText = attr.boolMember("showText", m_showText);
}

void TAVQGroupBoxImpl::Draw(QPainter *painter, const QRect &r)
{
    const QSize text = measureText(m_fontStyle, m_title);
    const int tw = m_showText ? text.width() : 0;
    const int th = text.height();
    const int middle = r.top() + th / 2;
    const int bottom = r.top() + r.height() - m_lineInset;
    const QPoint frame[] = {
        QPoint(r.left() + 5, middle),
        QPoint(r.left(), middle),
        QPoint(r.left(), bottom),
        QPoint(r.right() - 1, bottom),
        QPoint(r.right() - 1, middle),
        QPoint(r.left() + tw + 9, middle),
    };
    painter->setPen(QPen(m_lineColor));
    painter->drawPolyline(frame, int(sizeof frame / sizeof frame[0]));
    if (m_showText)
        paintText(painter, m_title, m_fontStyle, QRect(r.left() + 7, r.top(), tw + 5, th));
}

TAVQ_DEFINE_IMPL(TAVQGroupBox)

TAVQGroupBox::TAVQGroupBox(QWidget *parent)
    : TAVQControl(parent, [](QWidget *widget) -> TAVQControlBaseImpl * { return new TAVQGroupBoxImpl(widget); })
{
}

TAVQGroupBox::~TAVQGroupBox() = default;

QString TAVQGroupBox::GetTypeName()
{
    return QStringLiteral("qtgroupbox");
}

bool TAVQGroupBox::LoadFromJson(const Json::Value &element)
{
    return loadFromJsonAs<TAVQGroupBoxImpl>(element);
}

void TAVQGroupBox::setShowText(bool on) { d_func()->setShowText(on); }
bool TAVQGroupBox::showText() const { return d_func()->showText(); }
void TAVQGroupBox::setBoxStyle(const TAVQBoxStyle &style) { d_func()->setBoxStyle(style); }
const TAVQBoxStyle &TAVQGroupBox::boxStyle() const { return d_func()->boxStyle(); }
void TAVQGroupBox::setTitle(const QString &title) { d_func()->setTitle(title); }
QString TAVQGroupBox::title() const { return d_func()->title(); }
void TAVQGroupBox::setFontStyle(const TAVQFontStyle &style) { d_func()->setFontStyle(style); }
const TAVQFontStyle &TAVQGroupBox::fontStyle() const { return d_func()->fontStyle(); }
void TAVQGroupBox::setLineColor(const QColor &color) { d_func()->setLineColor(color); }
QColor TAVQGroupBox::lineColor() const { return d_func()->lineColor(); }
void TAVQGroupBox::setLineInset(int inset) { d_func()->setLineInset(inset); }
int TAVQGroupBox::lineInset() const { return d_func()->lineInset(); }

// ---------------------------------------------------------------- splitter

TAVQSplitterImpl::TAVQSplitterImpl(QWidget *widget)
    : TAVQControlBaseImpl(widget)
    , m_backgroundStyle(hiddenBox())
{
}

bool TAVQSplitterImpl::LoadAttributes(const Json::Value &element)
{
    const bool result = LoadAttrMap(&element);
    TAVQStyleSlots::visit(element, Table, [this](const QString &name, int slot) {
        if (slot == 0)
            TAVQStyleSlots::findBox(name, &m_backgroundStyle);
    });
    return result;
}

void TAVQSplitterImpl::Draw(QPainter *painter, const QRect &rect)
{
    paintBox(painter, m_backgroundStyle, rect);
}

TAVQ_DEFINE_IMPL(TAVQSplitter)

TAVQSplitter::TAVQSplitter(QWidget *parent)
    : TAVQControl(parent, [](QWidget *widget) -> TAVQControlBaseImpl * { return new TAVQSplitterImpl(widget); })
{
}

TAVQSplitter::~TAVQSplitter() = default;

QString TAVQSplitter::GetTypeName()
{
    return QStringLiteral("qtsplitter");
}

bool TAVQSplitter::LoadFromJson(const Json::Value &element)
{
    return loadFromJsonAs<TAVQSplitterImpl>(element);
}

void TAVQSplitter::setBackgroundStyle(const TAVQBoxStyle &style) { d_func()->setBackgroundStyle(style); }
const TAVQBoxStyle &TAVQSplitter::backgroundStyle() const { return d_func()->backgroundStyle(); }
void TAVQSplitter::setHorizontal(bool on) { d_func()->setHorizontal(on); }
bool TAVQSplitter::isHorizontal() const { return d_func()->isHorizontal(); }
void TAVQSplitter::setFirstPane(QWidget *pane) { d_func()->setFirstPane(pane); }
QWidget *TAVQSplitter::firstPane() const { return d_func()->firstPane(); }
void TAVQSplitter::setSecondPane(QWidget *pane) { d_func()->setSecondPane(pane); }
QWidget *TAVQSplitter::secondPane() const { return d_func()->secondPane(); }
void TAVQSplitter::setSplitPosition(int position) { d_func()->setSplitPosition(position); }
int TAVQSplitter::splitPosition() const { return d_func()->splitPosition(); }
void TAVQSplitter::setHandleWidth(int width) { d_func()->setHandleWidth(width); }
int TAVQSplitter::handleWidth() const { return d_func()->handleWidth(); }

// The splitter is a painted bar only: the mouse changes neither its look nor
// anything below it.
void TAVQSplitter::mousePressEvent(QMouseEvent *) {}
void TAVQSplitter::mouseReleaseEvent(QMouseEvent *) {}
void TAVQSplitter::mouseMoveEvent(QMouseEvent *) {}

// ---------------------------------------------------------------- scroll view

TAVQScrollViewImpl::TAVQScrollViewImpl(QWidget *widget)
    : TAVQControlBaseImpl(widget)
{
}

QScrollArea *TAVQScrollViewImpl::area() const
{
    return static_cast<QScrollArea *>(m_widget);
}

bool TAVQScrollViewImpl::LoadAttributes(const Json::Value &element)
{
    const bool result = LoadAttrMap(&element);
    TAVQStyleSlots::visit(element, Table, [this](const QString &name, int slot) {
        if (slot >= 0)
            TAVQStyleSlots::findBox(name, &m_backgroundStyle);
    });
    loadScrollBars(element);
    return result;
}

void TAVQScrollViewImpl::loadScrollBars(const Json::Value &element)
{
    const auto *view = static_cast<TAVQScrollView *>(m_widget);
    TAVQScrollBar *horizontal = view->skinnedScrollBar(true);
    TAVQScrollBar *vertical = view->skinnedScrollBar(false);
    configureScrollBars(element, horizontal, vertical, [horizontal, vertical](const TAVQScrollBarChild &child) {
        if (child.size)
            TAVQScrollBarSheets::applyButtonLength(child.horizontal ? horizontal : vertical, *child.size);
        // A sheet replaces the one before, so the thickness supersedes the button length.
        const QString sheet = TAVQScrollBarSheets::thicknessWithButtons(child.thickness);
        for (TAVQScrollBar *bar : {horizontal, vertical}) {
            if (bar)
                bar->setStyleSheet(sheet);
        }
    });
}

void TAVQScrollViewImpl::Draw(QPainter *painter, const QRect &rect)
{
    paintBox(painter, m_backgroundStyle, rect);
}

void TAVQScrollViewImpl::OnChildrenLoaded()
{
    const QObjectList children = m_widget->children();
    for (QObject *child : children) {
        if (TAVQContainer *container = qobject_cast<TAVQContainer *>(child)) {
            m_content = container;
            area()->setWidget(container);
            layoutContent();
            return;
        }
    }
}

void TAVQScrollViewImpl::layoutContent()
{
    // The content lives in the viewport, which no layout pass walks into.
    if (m_content)
        m_content->GetControlBase()->ApplyLayout();
}

bool TAVQScrollViewImpl::eventFilter(QObject *watched, QEvent *event)
{
    QWidget *viewport = area()->viewport();
    if (event->type() == QEvent::Paint && watched == viewport) {
        QPainter painter(viewport);
        Draw(&painter, QRect(0, 0, viewport->width(), viewport->height()));
    }
    return TAVQControlBaseImpl::eventFilter(watched, event);
}

TAVQ_DEFINE_IMPL(TAVQScrollView)

TAVQScrollView::TAVQScrollView(QWidget *parent)
    : TAVQControl(parent, [](QWidget *widget) -> TAVQControlBaseImpl * { return new TAVQScrollViewImpl(widget); })
{
    setHorizontalScrollBar(new TAVQScrollBar(Qt::Horizontal));
    setVerticalScrollBar(new TAVQScrollBar(Qt::Vertical));
    setFrameStyle(0);
    viewport()->setStyleSheet(QStringLiteral("background-color: rgba(0, 0, 0, 0);"));
    viewport()->installEventFilter(d_func());
}

TAVQScrollView::~TAVQScrollView() = default;

QString TAVQScrollView::GetTypeName()
{
    return QStringLiteral("qtscrollview");
}

bool TAVQScrollView::LoadFromJson(const Json::Value &element)
{
    return loadFromJsonAs<TAVQScrollViewImpl>(element);
}

void TAVQScrollView::setBackgroundStyle(const TAVQBoxStyle &style) { d_func()->setBackgroundStyle(style); }
const TAVQBoxStyle &TAVQScrollView::backgroundStyle() const { return d_func()->backgroundStyle(); }
TAVQContainer *TAVQScrollView::content() const { return d_func()->content(); }

void TAVQScrollView::setHorizontalValue(int value)
{
    horizontalScrollBar()->setValue(value);
}

int TAVQScrollView::horizontalValue() const
{
    return horizontalScrollBar()->value();
}

void TAVQScrollView::setVerticalValue(int value)
{
    verticalScrollBar()->setValue(value);
}

int TAVQScrollView::verticalValue() const
{
    return verticalScrollBar()->value();
}

TAVQScrollBar *TAVQScrollView::skinnedScrollBar(bool horizontal) const
{
    return qobject_cast<TAVQScrollBar *>(horizontal ? horizontalScrollBar() : verticalScrollBar());
}

void TAVQScrollView::setScrollBarBackgroundStyle(bool horizontal, const TAVQBoxStyle &style)
{
    setScrollBarStyle(horizontal, style);
}

void TAVQScrollView::setScrollBarButtonLength(bool horizontal, int length)
{
    TAVQScrollBarSheets::applyButtonLength(skinnedScrollBar(horizontal), length);
}

void TAVQScrollView::setScrollBarThickness(bool horizontal, int thickness)
{
    if (TAVQScrollBar *bar = skinnedScrollBar(horizontal))
        bar->setThickness(thickness);
}

TAVQScrollBar *TAVQScrollView::forwardedScrollBar(bool horizontal) const
{
    return skinnedScrollBar(horizontal);
}

void TAVQScrollView::scrollContentsBy(int dx, int dy)
{
    QScrollArea::scrollContentsBy(dx, dy);
    emit scrollPosChanged(dx, dy);
}

void TAVQScrollView::paintEvent(QPaintEvent *)
{
    // Only viewport paints arrive here, and the viewport filter has answered
    // them already; a painter on the area itself would be refused now.
}

void TAVQScrollView::resizeEvent(QResizeEvent *event)
{
    QScrollArea::resizeEvent(event);
    d_func()->layoutContent();
}

} // namespace TAVQtLib
