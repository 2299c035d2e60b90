#include "tavqtabwidget_p.h"

#include "core/tavqcontrol_p.h"

#include "base/tavqjson_p.h"
#include "base/tavqkeyreader_p.h"
#include "base/tavqkeytable_p.h"
#include "core/tavqruntime.h"
#include "core/tavqstyleslots_p.h"

#include <json/value.h>

#include <limits>

namespace TAVQtLib {

namespace {

int clampedCoordinate(qint64 value)
{
    const qint64 limit = std::numeric_limits<int>::max() / 2;
    return int(qBound(-limit, value, limit));
}

} // namespace

TAVQTabWidgetImpl::TAVQTabWidgetImpl(QWidget *widget)
    : TAVQControlBaseImpl(widget)
{
}

namespace {

constexpr TAVQKey TabKeys[] = {
    {"itemSize", TAVQValueKind::Int}, {"isHor", TAVQValueKind::Bool},
    {"itemSpace", TAVQValueKind::Int}, {"showText", TAVQValueKind::Int},
};
// Background, tab box per state, tab text per state.
constexpr TAVQSlotRange TabSlots[] = {
    {0, 4, TAVQStyleKind::Box}, {5, 8, TAVQStyleKind::Font},
};

} // namespace

const TAVQControlTable TAVQTabWidgetImpl::Table{TabKeys, TabSlots};

bool TAVQTabWidgetImpl::LoadAttributes(const Json::Value &element)
{
    const bool loaded = LoadAttrMap(&element);
    loadStyles(element);
    // Without an "attr" object every key counts as absent.
    const Json::Value *attr = JsonRead::member(element, "attr");
    loadAttr(attr ? *attr : Json::Value());
    return loaded;
}

void TAVQTabWidgetImpl::loadStyles(const Json::Value &element)
{
    TAVQStyleSlots::visit(element, Table, [this](const QString &name, int slot) {
        if (slot == 0)
            TAVQStyleSlots::findBox(name, &m_backgroundStyle);
        else if (slot >= 1 && slot <= 4)
            TAVQStyleSlots::setBoxForState(m_itemStyles, slot - 1, name);
        else if (slot >= 5 && slot <= 8)
            TAVQStyleSlots::setFontForState(m_itemFontStyles, slot - 5, name);
    });
}

void TAVQTabWidgetImpl::loadAttr(const Json::Value &object)
{
    const TAVQKeyReader attr(Table.keys, object);
    m_itemSize = attr.intMember("itemSize", m_itemSize);
    m_vertical = !attr.boolMember("isHor", true);
    m_itemSpace = attr.intMember("itemSpace", m_itemSpace);
    if (const auto show = attr.optionalInt("showText"))
        m_showText = *show != 0;
}

void TAVQTabWidgetImpl::removeItem(int index)
{
    if (index >= 0 && index < m_items.size())
        m_items.removeAt(index);
}

QRect TAVQTabWidgetImpl::itemRect(int index) const
{
    // Page values can be huge: the edges are summed in 64 bits and clamped.
    const qint64 step = qint64(m_itemSize) + m_itemSpace;
    const qint64 start = qint64(index) * step;
    const int first = clampedCoordinate(start);
    const int last = clampedCoordinate(start + m_itemSize - 1);
    if (m_vertical)
        return QRect(QPoint(0, first), QPoint(m_widget->width() - 1, last));
    return QRect(QPoint(first, 0), QPoint(last, m_widget->height() - 1));
}

int TAVQTabWidgetImpl::itemAt(const QPoint &pos) const
{
    for (int i = 0; i < m_items.size(); ++i) {
        if (itemRect(i).contains(pos))
            return i;
    }
    return -1;
}

int TAVQTabWidgetImpl::lookOf(int index) const
{
    if (index == m_currentIndex)
        return TabLookCurrent;
    return index == m_hoverIndex ? TabLookHover : TabLookNormal;
}

void TAVQTabWidgetImpl::Draw(QPainter *painter, const QRect &rect)
{
    paintBox(painter, m_backgroundStyle, rect);
    for (int i = 0; i < m_items.size(); ++i) {
        const QRect item = itemRect(i);
        const size_t look = size_t(lookOf(i));
        paintBox(painter, m_itemStyles[look], item);
        if (m_showText)
            paintText(painter, m_items.at(i), m_itemFontStyles[look], item);
    }
}

void TAVQTabWidgetImpl::OnChildrenLoaded()
{
    // The designer shows sample items so the strip can be judged on its own.
    if (!IsDesignerHost())
        return;
    for (const char *text : {"item1", "item2", "item3"})
        m_items.append(QLatin1String(text));
}

void TAVQTabWidgetImpl::setItemStyle(int look, const TAVQBoxStyle &style)
{
    TAVQStyleSlots::storeForState(m_itemStyles, look, style);
}

void TAVQTabWidgetImpl::setItemFontStyle(int look, const TAVQFontStyle &style)
{
    TAVQStyleSlots::storeForState(m_itemFontStyles, look, style);
}

// TAVQTabWidget

TAVQ_DEFINE_IMPL(TAVQTabWidget)

TAVQTabWidget::TAVQTabWidget(QWidget *parent)
    : TAVQControl(parent, [](QWidget *widget) -> TAVQControlBaseImpl * { return new TAVQTabWidgetImpl(widget); })
{
    setAttribute(Qt::WA_MouseTracking);
}

TAVQTabWidget::~TAVQTabWidget() = default;

QString TAVQTabWidget::GetTypeName()
{
    return QStringLiteral("qttab");
}

bool TAVQTabWidget::LoadFromJson(const Json::Value &element)
{
    return loadFromJsonAs<TAVQTabWidgetImpl>(element);
}

void TAVQTabWidget::addItem(const QString &text) { d_func()->addItem(text); }
void TAVQTabWidget::removeItem(int index) { d_func()->removeItem(index); }
void TAVQTabWidget::clear() { d_func()->clear(); }
int TAVQTabWidget::count() const { return d_func()->count(); }
QString TAVQTabWidget::itemText(int index) const { return d_func()->itemText(index); }
int TAVQTabWidget::currentIndex() const { return d_func()->currentIndex(); }
int TAVQTabWidget::hoverIndex() const { return d_func()->hoverIndex(); }
QRect TAVQTabWidget::itemRect(int index) const { return d_func()->itemRect(index); }
int TAVQTabWidget::itemAt(const QPoint &pos) const { return d_func()->itemAt(pos); }
void TAVQTabWidget::setHorizontal(bool horizontal) { d_func()->setHorizontal(horizontal); }
bool TAVQTabWidget::isHorizontal() const { return d_func()->isHorizontal(); }
void TAVQTabWidget::setItemSize(int size) { d_func()->setItemSize(size); }
int TAVQTabWidget::itemSize() const { return d_func()->itemSize(); }
void TAVQTabWidget::setItemSpace(int space) { d_func()->setItemSpace(space); }
int TAVQTabWidget::itemSpace() const { return d_func()->itemSpace(); }
void TAVQTabWidget::setShowText(bool show) { d_func()->setShowText(show); }
bool TAVQTabWidget::showText() const { return d_func()->showText(); }
void TAVQTabWidget::setBackgroundStyle(const TAVQBoxStyle &style) { d_func()->setBackgroundStyle(style); }
const TAVQBoxStyle &TAVQTabWidget::backgroundStyle() const { return d_func()->backgroundStyle(); }
void TAVQTabWidget::setItemStyle(int look, const TAVQBoxStyle &style) { d_func()->setItemStyle(look, style); }
const TAVQBoxStyle &TAVQTabWidget::itemStyle(int look) const { return d_func()->itemStyle(look); }
void TAVQTabWidget::setItemFontStyle(int look, const TAVQFontStyle &style) { d_func()->setItemFontStyle(look, style); }
const TAVQFontStyle &TAVQTabWidget::itemFontStyle(int look) const { return d_func()->itemFontStyle(look); }

void TAVQTabWidget::setCurrentIndex(int index)
{
    if (index >= count() || index == currentIndex())
        return;
    d_func()->setCurrentIndex(index);
    emit currentChanged(index);
    update();
}

void TAVQTabWidget::mousePressEvent(QMouseEvent *event)
{
    const int hit = itemAt(event->pos());
    if (hit < 0)
        return;
    // Pressing the current item reports it again.
    d_func()->setCurrentIndex(hit);
    emit currentChanged(hit);
    repaint();
}

void TAVQTabWidget::mouseReleaseEvent(QMouseEvent *)
{
}

void TAVQTabWidget::mouseMoveEvent(QMouseEvent *event)
{
    // Over a gap the hover stays on the last item hit.
    const int hit = itemAt(event->pos());
    if (hit < 0 || hit == hoverIndex())
        return;
    d_func()->setHoverIndex(hit);
    repaint();
}

void TAVQTabWidget::leaveEvent(QEvent *)
{
    if (hoverIndex() == -1)
        return;
    d_func()->setHoverIndex(-1);
    repaint();
}

} // namespace TAVQtLib
