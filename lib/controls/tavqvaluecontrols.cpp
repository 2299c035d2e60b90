#include "tavqvaluecontrols_p.h"

#include "core/tavqcontrol_p.h"

#include "base/tavqjson_p.h"
#include "base/tavqkeyreader_p.h"
#include "base/tavqkeytable_p.h"
#include "core/tavqstyleslots_p.h"

#include <QPainter>
#include <QStyleOptionSlider>

#include <json/value.h>

namespace TAVQtLib {

using namespace JsonRead;

namespace {

const TAVQBoxStyle &styleOfState(const std::array<TAVQBoxStyle, 4> &styles, int state)
{
    return styles[stateSlot(state)];
}

// Value over range in single precision. The result is kept within [0, 1] so
// that a range not starting at zero never paints outside the channel.
float valueFraction(int value, qint64 range)
{
    return qBound(0.0f, float(value) / float(range), 1.0f);
}

int scaled(int length, float fraction)
{
    return int(float(length) * fraction);
}

constexpr TAVQKey SliderKeys[] = {
    {"isHor", TAVQValueKind::Bool}, {"thumbW", TAVQValueKind::Int}, {"thumbH", TAVQValueKind::Int},
    {"channelSize", TAVQValueKind::Int}, {"min", TAVQValueKind::Int}, {"max", TAVQValueKind::Int},
    {"val", TAVQValueKind::Int},
};
// Channel, filled part, thumb per state.
constexpr TAVQSlotRange SliderSlots[] = {
    {0, 0, TAVQStyleKind::Box}, {2, 2, TAVQStyleKind::Box}, {4, 7, TAVQStyleKind::Box},
};

// A scroll bar is read from the child element of a scrolling control.
constexpr TAVQKey ScrollBarKeys[] = {
    {"hor", TAVQValueKind::Bool}, {"size", TAVQValueKind::Int}, {"upicon", TAVQValueKind::Image},
    {"downicon", TAVQValueKind::Image}, {"thumbicon", TAVQValueKind::Image},
};
// Groove, then the two buttons and the thumb, four states each.
constexpr TAVQSlotRange ScrollBarSlots[] = {{0, 0, TAVQStyleKind::Box}, {2, 13, TAVQStyleKind::Box}};

constexpr TAVQKey ProgressBarKeys[] = {{"showText", TAVQValueKind::Bool}, {"val", TAVQValueKind::Int}};
// Background, filled part, percentage text.
constexpr TAVQSlotRange ProgressBarSlots[] = {
    {0, 0, TAVQStyleKind::Box}, {2, 2, TAVQStyleKind::Box}, {4, 4, TAVQStyleKind::Font},
};

constexpr TAVQKey LCDNumberKeys[] = {
    {"digitCount", TAVQValueKind::Int}, {"color", TAVQValueKind::Bits},
    {"segmentStyle", TAVQValueKind::Int}, {"text", TAVQValueKind::Text},
};
constexpr TAVQSlotRange LCDNumberSlots[] = {{0, 0, TAVQStyleKind::Box}};

} // namespace

const TAVQControlTable TAVQSliderImpl::Table{SliderKeys, SliderSlots};
const TAVQControlTable TAVQScrollBarImpl::Table{ScrollBarKeys, ScrollBarSlots};
const TAVQControlTable TAVQProgressBarImpl::Table{ProgressBarKeys, ProgressBarSlots};
const TAVQControlTable TAVQLCDNumberImpl::Table{LCDNumberKeys, LCDNumberSlots};

// ---------------------------------------------------------------- slider

TAVQSliderImpl::TAVQSliderImpl(QWidget *widget)
    : TAVQControlBaseImpl(widget)
{
}

bool TAVQSliderImpl::LoadAttributes(const Json::Value &element)
{
    const bool loaded = LoadAttrMap(&element);
    TAVQStyleSlots::visit(element, Table, [this](const QString &name, int slot) {
        if (slot == 0)
            TAVQStyleSlots::findBox(name, &m_channelStyle);
        else if (slot == 2)
            TAVQStyleSlots::findBox(name, &m_fillStyle);
        else if (slot >= 4 && slot < 8)
            TAVQStyleSlots::setBoxForState(m_thumbStyles, slot - 4, name);
    });
    if (const Json::Value *attr = member(element, "attr"))
        loadAttr(*attr);
    return loaded;
}

void TAVQSliderImpl::loadAttr(const Json::Value &object)
{
    const TAVQKeyReader attr(Table.keys, object);
    auto *slider = static_cast<QSlider *>(m_widget);
    slider->setOrientation(attr.boolMember("isHor", true) ? Qt::Horizontal : Qt::Vertical);
    m_thumbWidth = attr.intMember("thumbW", m_thumbWidth);
    m_thumbHeight = attr.intMember("thumbH", m_thumbHeight);
    m_channelSize = attr.intMember("channelSize", m_channelSize);
    const int minimum = attr.intMember("min", slider->minimum());
    const int maximum = attr.intMember("max", slider->maximum());
    slider->setMaximum(maximum);
    slider->setMinimum(minimum);
    slider->setSliderPosition(attr.intMember("val", 0));
}

void TAVQSliderImpl::setThumbStyle(int state, const TAVQBoxStyle &style)
{
    TAVQStyleSlots::storeForState(m_thumbStyles, state, style);
}

const TAVQBoxStyle &TAVQSliderImpl::thumbStyle(int state) const
{
    return styleOfState(m_thumbStyles, state);
}

void TAVQSliderImpl::setThumbSize(int width, int height)
{
    m_thumbWidth = width;
    m_thumbHeight = height;
}

const TAVQSlider *TAVQSliderImpl::slider() const
{
    return static_cast<const TAVQSlider *>(m_widget);
}

QRect TAVQSliderImpl::thumbRect() const
{
    return slider()->handleRect();
}

void TAVQSliderImpl::changeState(int state)
{
    if (state == m_state)
        return;
    m_state = state;
    m_widget->repaint();
}

void TAVQSliderImpl::Draw(QPainter *painter, const QRect &rect)
{
    const auto *slider = static_cast<const QSlider *>(m_widget);
    const qint64 span = qint64(slider->maximum()) - slider->minimum();
    const float fraction = valueFraction(slider->value(), span == 0 ? 100 : span);
    if (slider->orientation() == Qt::Horizontal) {
        const QRect channel(rect.left(), rect.top() + (rect.height() - m_channelSize) / 2, rect.width(),
                            m_channelSize);
        paintBox(painter, m_channelStyle, channel);
        paintBox(painter, m_fillStyle,
                 QRect(channel.topLeft(), QSize(scaled(rect.width(), fraction), m_channelSize)));
    } else {
        const QRect channel(rect.left() + (rect.width() - m_channelSize) / 2, rect.top(), m_channelSize,
                            rect.height());
        paintBox(painter, m_channelStyle, channel);
        // Grows upward from the bottom.
        const int filled = scaled(rect.height(), fraction);
        paintBox(painter, m_fillStyle, QRect(channel.left(), rect.bottom() - filled, m_channelSize, filled));
    }
    paintBox(painter, styleOfState(m_thumbStyles, m_state), thumbRect());
}

void TAVQSliderImpl::OnMousePress(QMouseEvent *event)
{
    if (thumbRect().contains(event->pos()))
        changeState(StatePressed);
}

void TAVQSliderImpl::OnMouseMove(QMouseEvent *event)
{
    // A dragged thumb keeps its pressed look wherever the pointer goes.
    if (m_state == StatePressed)
        return;
    changeState(thumbRect().contains(event->pos()) ? StateHover : StateNormal);
}

void TAVQSliderImpl::OnMouseRelease(QMouseEvent *event)
{
    changeState(thumbRect().contains(event->pos()) ? StateHover : StateNormal);
}

void TAVQSliderImpl::OnEnter(QEvent *) {}

void TAVQSliderImpl::OnLeave(QEvent *)
{
    changeState(StateNormal);
}

// The thumb is placed by the style, which the application may have skinned.
int TAVQSliderImpl::sideOfThumb(const QPoint &point) const
{
    const QRect thumb = thumbRect();
    const bool horizontal = slider()->orientation() == Qt::Horizontal;
    const int along = horizontal ? point.x() : point.y();
    if (along < (horizontal ? thumb.left() : thumb.top()))
        return -1;
    return along > (horizontal ? thumb.right() : thumb.bottom()) ? 1 : 0;
}

QAbstractSlider::SliderAction TAVQSliderImpl::pageActionAt(const QMouseEvent *event) const
{
    const TAVQSlider *control = slider();
    const QStyle *style = control->style();
    const Qt::MouseButton button = event->button();
    // As QSlider: one button at a time, and a button that sets the value outright goes to it.
    if (control->minimum() == control->maximum() || event->buttons() != button
        || (style->styleHint(QStyle::SH_Slider_AbsoluteSetButtons) & button)
        || !(style->styleHint(QStyle::SH_Slider_PageSetButtons) & button))
        return QAbstractSlider::SliderNoAction;
    const int side = sideOfThumb(positionOf(event));
    if (side == 0)
        return QAbstractSlider::SliderNoAction;
    QStyleOptionSlider option;
    control->initStyleOption(&option);
    // Vertical values grow upward unless inverted; upsideDown says which way.
    return (side < 0) != option.upsideDown ? QAbstractSlider::SliderPageStepSub : QAbstractSlider::SliderPageStepAdd;
}

void TAVQSliderImpl::startPaging(const QPoint &point)
{
    m_pagePoint = point;
    m_pageSide = sideOfThumb(point);
}

bool TAVQSliderImpl::stopPaging()
{
    const bool paging = m_pageSide != 0;
    m_pageSide = 0;
    return paging;
}

bool TAVQSliderImpl::pagingReachedPointer() const
{
    return m_pageSide != 0 && sideOfThumb(m_pagePoint) != m_pageSide;
}

TAVQ_DEFINE_IMPL(TAVQSlider)

TAVQSlider::TAVQSlider(QWidget *parent, Qt::Orientation orientation)
    : TAVQControl(parent, [](QWidget *widget) -> TAVQControlBaseImpl * { return new TAVQSliderImpl(widget); })
{
    setOrientation(orientation);
}

TAVQSlider::~TAVQSlider() = default;

QString TAVQSlider::GetTypeName()
{
    return QStringLiteral("qtslider");
}

bool TAVQSlider::LoadFromJson(const Json::Value &element)
{
    return loadFromJsonAs<TAVQSliderImpl>(element);
}

void TAVQSlider::setChannelStyle(const TAVQBoxStyle &style) { d_func()->setChannelStyle(style); }
const TAVQBoxStyle &TAVQSlider::channelStyle() const { return d_func()->channelStyle(); }
void TAVQSlider::setFillStyle(const TAVQBoxStyle &style) { d_func()->setFillStyle(style); }
const TAVQBoxStyle &TAVQSlider::fillStyle() const { return d_func()->fillStyle(); }
void TAVQSlider::setThumbStyle(int state, const TAVQBoxStyle &style) { d_func()->setThumbStyle(state, style); }
const TAVQBoxStyle &TAVQSlider::thumbStyle(int state) const { return d_func()->thumbStyle(state); }
void TAVQSlider::setChannelSize(int size) { d_func()->setChannelSize(size); }
int TAVQSlider::channelSize() const { return d_func()->channelSize(); }
void TAVQSlider::setThumbSize(int width, int height) { d_func()->setThumbSize(width, height); }
int TAVQSlider::thumbWidth() const { return d_func()->thumbWidth(); }
int TAVQSlider::thumbHeight() const { return d_func()->thumbHeight(); }
QSize TAVQSlider::thumbSize() const { return QSize(thumbWidth(), thumbHeight()); }

QRect TAVQSlider::handleRect() const
{
    QStyleOptionSlider option;
    initStyleOption(&option);
    return style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this);
}

// Tracking only while the pointer is over the slider, for the thumb's hover look.
void TAVQSlider::enterEvent(TAVQEnterEvent *event)
{
    TAVQControl::enterEvent(event);
    setMouseTracking(true);
}

void TAVQSlider::leaveEvent(QEvent *event)
{
    TAVQControl::leaveEvent(event);
    setMouseTracking(false);
}

void TAVQSlider::mousePressEvent(QMouseEvent *event)
{
    const SliderAction action = d_func()->pageActionAt(event);
    if (action == SliderNoAction) {
        TAVQControl::mousePressEvent(event);
        return;
    }
    event->accept();
    // Paging is under way before the first step, which sliderChange() watches.
    d_func()->startPaging(positionOf(event));
    triggerAction(action);
    setRepeatAction(action);
}

void TAVQSlider::mouseReleaseEvent(QMouseEvent *event)
{
    const bool paging = d_func()->stopPaging();
    setRepeatAction(SliderNoAction);
    TAVQControl::mouseReleaseEvent(event);
    // QSlider ignores a release it did not see pressed.
    if (paging)
        event->accept();
}

void TAVQSlider::sliderChange(SliderChange change)
{
    TAVQControl::sliderChange(change);
    // Held paging ends once the thumb has reached the pointer.
    if (d_func()->pagingReachedPointer())
        setRepeatAction(SliderNoAction);
}

// ---------------------------------------------------------------- scroll bar

TAVQScrollBarImpl::TAVQScrollBarImpl(QWidget *widget)
    : TAVQControlBaseImpl(widget)
{
}

bool TAVQScrollBarImpl::LoadAttributes(const Json::Value &element)
{
    const bool loaded = LoadAttrMap(&element);
    if (const Json::Value *attr = member(element, "attr"); attr && attr->isObject())
        loadIcons(*attr);
    return loaded;
}

void TAVQScrollBarImpl::loadIcons(const Json::Value &object)
{
    const TAVQKeyReader attr(Table.keys, object);
    setArrowIcon(true, QString::fromUtf8(attr.bytesMember("upicon")));
    setArrowIcon(false, QString::fromUtf8(attr.bytesMember("downicon")));
    setThumbIcon(QString::fromUtf8(attr.bytesMember("thumbicon")));
}

// The bar paints by its three part states, so m_state is left alone.
void TAVQScrollBarImpl::OnPaint(QPaintEvent *)
{
    QPainter painter(m_widget);
    Draw(&painter, QRect(0, 0, m_widget->width(), m_widget->height()));
}

void TAVQScrollBarImpl::Draw(QPainter *painter, const QRect &rect)
{
    paintBox(painter, m_grooveStyle, rect);

    const QRect thumb = partRect(Thumb);
    paintBox(painter, styleOfState(m_thumbStyles, m_thumbState), thumb);
    if (!m_thumbIcon.isEmpty())
        paintAlignedImage(painter, m_thumbIcon, TAVQImagePlacement{0, 0, 1, 1}, thumb);

    const QRect subLine = partRect(SubLine);
    paintBox(painter, styleOfState(m_subLineStyles, m_subLineState), subLine);
    if (!m_upIcon.isEmpty())
        paintAlignedImage(painter, m_upIcon, m_upIconPlacement, subLine);

    const QRect addLine = partRect(AddLine);
    paintBox(painter, styleOfState(m_addLineStyles, m_addLineState), addLine);
    if (!m_downIcon.isEmpty())
        paintAlignedImage(painter, m_downIcon, m_downIconPlacement, addLine);
}

QRect TAVQScrollBarImpl::partRect(Part part) const
{
    static const QStyle::SubControl subControls[] = {QStyle::SC_ScrollBarSlider, QStyle::SC_ScrollBarSubLine,
                                                     QStyle::SC_ScrollBarAddLine};
    return static_cast<const TAVQScrollBar *>(m_widget)->subControlRect(subControls[part]);
}

int &TAVQScrollBarImpl::partState(Part part)
{
    switch (part) {
    case Thumb:
        return m_thumbState;
    case SubLine:
        return m_subLineState;
    case AddLine:
        break;
    }
    return m_addLineState;
}

void TAVQScrollBarImpl::changePartState(Part part, int state)
{
    int &current = partState(part);
    if (current == state)
        return;
    current = state;
    m_widget->repaint(partRect(part));
}

void TAVQScrollBarImpl::OnMousePress(QMouseEvent *event)
{
    for (Part part : {Thumb, SubLine, AddLine}) {
        if (partRect(part).contains(event->pos()))
            changePartState(part, StatePressed);
    }
}

void TAVQScrollBarImpl::OnMouseRelease(QMouseEvent *event)
{
    for (Part part : {Thumb, SubLine, AddLine})
        changePartState(part, partRect(part).contains(event->pos()) ? StateHover : StateNormal);
}

void TAVQScrollBarImpl::OnMouseMove(QMouseEvent *event)
{
    for (Part part : {Thumb, SubLine, AddLine}) {
        const int state = partState(part);
        if (partRect(part).contains(event->pos())) {
            if (state != StateHover && state != StatePressed)
                changePartState(part, StateHover);
        } else if (!(part == Thumb && state == StatePressed)) {
            // A dragged thumb stays pressed until the button is released.
            changePartState(part, StateNormal);
        }
    }
}

void TAVQScrollBarImpl::OnLeave(QEvent *)
{
    changePartState(SubLine, StateNormal);
    changePartState(AddLine, StateNormal);
    if (m_thumbState != StatePressed)
        changePartState(Thumb, StateNormal);
}

void TAVQScrollBarImpl::setGrooveStyle(const TAVQBoxStyle &style)
{
    m_grooveStyle = style;
    m_widget->update();
}

void TAVQScrollBarImpl::setSubLineStyle(int state, const TAVQBoxStyle &style)
{
    TAVQStyleSlots::storeForState(m_subLineStyles, state, style);
    m_widget->update();
}

const TAVQBoxStyle &TAVQScrollBarImpl::subLineStyle(int state) const
{
    return styleOfState(m_subLineStyles, state);
}

void TAVQScrollBarImpl::setAddLineStyle(int state, const TAVQBoxStyle &style)
{
    TAVQStyleSlots::storeForState(m_addLineStyles, state, style);
    m_widget->update();
}

const TAVQBoxStyle &TAVQScrollBarImpl::addLineStyle(int state) const
{
    return styleOfState(m_addLineStyles, state);
}

void TAVQScrollBarImpl::setThumbStyle(int state, const TAVQBoxStyle &style)
{
    TAVQStyleSlots::storeForState(m_thumbStyles, state, style);
    m_widget->update();
}

const TAVQBoxStyle &TAVQScrollBarImpl::thumbStyle(int state) const
{
    return styleOfState(m_thumbStyles, state);
}

void TAVQScrollBarImpl::setArrowIcon(bool up, const QString &image)
{
    (up ? m_upIcon : m_downIcon) = image;
    m_widget->update();
}

void TAVQScrollBarImpl::setArrowIconPlacement(bool up, const TAVQImagePlacement &placement)
{
    (up ? m_upIconPlacement : m_downIconPlacement) = placement;
    m_widget->update();
}

void TAVQScrollBarImpl::setThumbIcon(const QString &image)
{
    m_thumbIcon = image;
    m_widget->update();
}

TAVQScrollBar::TAVQScrollBar(QWidget *parent)
    : TAVQScrollBar(Qt::Horizontal, parent)
{
}

TAVQ_DEFINE_IMPL(TAVQScrollBar)

TAVQScrollBar::TAVQScrollBar(Qt::Orientation orientation, QWidget *parent)
    : TAVQControl(parent, [](QWidget *widget) -> TAVQControlBaseImpl * { return new TAVQScrollBarImpl(widget); })
{
    setOrientation(orientation);
    setMouseTracking(true);
}

TAVQScrollBar::~TAVQScrollBar() = default;

QString TAVQScrollBar::GetTypeName()
{
    return QStringLiteral("qtscrollbar");
}

bool TAVQScrollBar::LoadFromJson(const Json::Value &element)
{
    return loadFromJsonAs<TAVQScrollBarImpl>(element);
}

void TAVQScrollBar::setGrooveStyle(const TAVQBoxStyle &style) { d_func()->setGrooveStyle(style); }
const TAVQBoxStyle &TAVQScrollBar::grooveStyle() const { return d_func()->grooveStyle(); }
void TAVQScrollBar::setSubLineStyle(int state, const TAVQBoxStyle &style) { d_func()->setSubLineStyle(state, style); }
const TAVQBoxStyle &TAVQScrollBar::subLineStyle(int state) const { return d_func()->subLineStyle(state); }
void TAVQScrollBar::setAddLineStyle(int state, const TAVQBoxStyle &style) { d_func()->setAddLineStyle(state, style); }
const TAVQBoxStyle &TAVQScrollBar::addLineStyle(int state) const { return d_func()->addLineStyle(state); }
void TAVQScrollBar::setThumbStyle(int state, const TAVQBoxStyle &style) { d_func()->setThumbStyle(state, style); }
const TAVQBoxStyle &TAVQScrollBar::thumbStyle(int state) const { return d_func()->thumbStyle(state); }
void TAVQScrollBar::setArrowIcon(bool up, const QString &image) { d_func()->setArrowIcon(up, image); }
QString TAVQScrollBar::arrowIcon(bool up) const { return d_func()->arrowIcon(up); }
void TAVQScrollBar::setArrowIconPlacement(bool up, const TAVQImagePlacement &placement)
{
    d_func()->setArrowIconPlacement(up, placement);
}
TAVQImagePlacement TAVQScrollBar::arrowIconPlacement(bool up) const { return d_func()->arrowIconPlacement(up); }
void TAVQScrollBar::setThumbIcon(const QString &image) { d_func()->setThumbIcon(image); }
QString TAVQScrollBar::thumbIcon() const { return d_func()->thumbIcon(); }
int TAVQScrollBar::thickness() const { return d_func()->thickness(); }
int TAVQScrollBar::thumbState() const { return d_func()->thumbState(); }
int TAVQScrollBar::subLineState() const { return d_func()->subLineState(); }
int TAVQScrollBar::addLineState() const { return d_func()->addLineState(); }

QSize TAVQScrollBar::sizeHint() const
{
    QSize hint = QScrollBar::sizeHint();
    const int thickness = d_func()->thickness();
    if (thickness != -1) {
        if (orientation() == Qt::Horizontal)
            hint.setHeight(thickness);
        else
            hint.setWidth(thickness);
    }
    return hint;
}

QRect TAVQScrollBar::subControlRect(QStyle::SubControl subControl) const
{
    QStyleOptionSlider option;
    initStyleOption(&option);
    return style()->subControlRect(QStyle::CC_ScrollBar, &option, subControl, this);
}

void TAVQScrollBar::setThickness(int thickness)
{
    d_func()->setThickness(thickness);
    updateGeometry();
}

void TAVQScrollBar::mousePressEvent(QMouseEvent *event)
{
    d_func()->OnMousePress(event);
    QScrollBar::mousePressEvent(event);
}

void TAVQScrollBar::mouseReleaseEvent(QMouseEvent *event)
{
    d_func()->OnMouseRelease(event);
    QScrollBar::mouseReleaseEvent(event);
}

void TAVQScrollBar::mouseMoveEvent(QMouseEvent *event)
{
    d_func()->OnMouseMove(event);
    QScrollBar::mouseMoveEvent(event);
}

void TAVQScrollBar::leaveEvent(QEvent *event)
{
    d_func()->OnLeave(event);
    QScrollBar::leaveEvent(event);
}

// ---------------------------------------------------------------- progress bar

TAVQProgressBarImpl::TAVQProgressBarImpl(QWidget *widget)
    : TAVQControlBaseImpl(widget)
{
}

bool TAVQProgressBarImpl::LoadAttributes(const Json::Value &element)
{
    const bool loaded = LoadAttrMap(&element);
    TAVQStyleSlots::visit(element, Table, [this](const QString &name, int slot) {
        if (slot == 0)
            TAVQStyleSlots::findBox(name, &m_backgroundStyle);
        else if (slot == 2)
            TAVQStyleSlots::findBox(name, &m_fillStyle);
        else if (slot == 4)
            TAVQStyleSlots::findFont(name, &m_textStyle);
    });
    if (const Json::Value *object = member(element, "attr")) {
        const TAVQKeyReader attr(Table.keys, *object);
        m_showText = attr.boolMember("showText", m_showText);
        static_cast<QProgressBar *>(m_widget)->setValue(attr.intMember("val", 0));
    }
    return loaded;
}

// Painted by value alone: no state look.
void TAVQProgressBarImpl::OnPaint(QPaintEvent *)
{
    QPainter painter(m_widget);
    Draw(&painter, QRect(0, 0, m_widget->width(), m_widget->height()));
}

QRect TAVQProgressBarImpl::fillRect(const QRect &rect) const
{
    const auto *bar = static_cast<const QProgressBar *>(m_widget);
    const qint64 span = qint64(bar->maximum()) - bar->minimum();
    // An empty range has no fraction to show.
    if (span == 0)
        return QRect();
    const float fraction = valueFraction(bar->value(), span);
    if (bar->orientation() == Qt::Horizontal)
        return QRect(rect.left(), rect.top(), scaled(rect.width(), fraction), rect.height());
    const int filled = scaled(rect.height(), fraction);
    return QRect(rect.left(), rect.top() + rect.height() - filled, rect.width(), filled);
}

void TAVQProgressBarImpl::Draw(QPainter *painter, const QRect &rect)
{
    paintBox(painter, m_backgroundStyle, rect);
    const QRect fill = fillRect(rect);
    if (!fill.isEmpty())
        paintBox(painter, m_fillStyle, fill);
    if (m_showText) {
        const QString text = QStringLiteral("%1%").arg(static_cast<const QProgressBar *>(m_widget)->value());
        paintText(painter, text, m_textStyle, rect.x(), rect.y(), rect.width(), rect.height(), true);
    }
}

TAVQ_DEFINE_IMPL(TAVQProgressBar)

TAVQProgressBar::TAVQProgressBar(QWidget *parent)
    : TAVQControl(parent, [](QWidget *widget) -> TAVQControlBaseImpl * { return new TAVQProgressBarImpl(widget); })
{
}

TAVQProgressBar::~TAVQProgressBar() = default;

QString TAVQProgressBar::GetTypeName()
{
    return QStringLiteral("qtprogressbar");
}

bool TAVQProgressBar::LoadFromJson(const Json::Value &element)
{
    return loadFromJsonAs<TAVQProgressBarImpl>(element);
}

void TAVQProgressBar::setShowText(bool show) { d_func()->setShowText(show); }
bool TAVQProgressBar::showText() const { return d_func()->showText(); }
void TAVQProgressBar::setTextStyle(const TAVQFontStyle &style) { d_func()->setTextStyle(style); }
const TAVQFontStyle &TAVQProgressBar::textStyle() const { return d_func()->textStyle(); }
void TAVQProgressBar::setBackgroundStyle(const TAVQBoxStyle &style) { d_func()->setBackgroundStyle(style); }
const TAVQBoxStyle &TAVQProgressBar::backgroundStyle() const { return d_func()->backgroundStyle(); }
void TAVQProgressBar::setFillStyle(const TAVQBoxStyle &style) { d_func()->setFillStyle(style); }
const TAVQBoxStyle &TAVQProgressBar::fillStyle() const { return d_func()->fillStyle(); }

// ---------------------------------------------------------------- LCD number

TAVQLCDNumberImpl::TAVQLCDNumberImpl(QWidget *widget)
    : TAVQControlBaseImpl(widget)
{
}

bool TAVQLCDNumberImpl::LoadAttributes(const Json::Value &element)
{
    const bool loaded = LoadAttrMap(&element);
    TAVQStyleSlots::visit(element, Table, [this](const QString &name, int slot) {
        if (slot == 0)
            TAVQStyleSlots::findBox(name, &m_backgroundStyle);
    });
    if (const Json::Value *attr = member(element, "attr"))
        loadAttr(*attr);
    return loaded;
}

void TAVQLCDNumberImpl::loadAttr(const Json::Value &object)
{
    const TAVQKeyReader attr(Table.keys, object);
    auto *lcd = static_cast<QLCDNumber *>(m_widget);
    if (const auto count = attr.optionalInt("digitCount"))
        lcd->setDigitCount(*count);
    if (const auto rgb = attr.optionalBits("color")) {
        const QRgb value = QRgb(quint32(*rgb));
        m_color = QColor(qRed(value), qGreen(value), qBlue(value));
    }
    // 0 outlined, 1 filled, 2 flat segments; without the key Qt's default stays.
    if (const auto segments = attr.optionalInt("segmentStyle"); segments && *segments >= 0 && *segments <= 2)
        lcd->setSegmentStyle(QLCDNumber::SegmentStyle(*segments));
    if (const auto text = attr.optionalBytes("text"))
        lcd->display(QString::fromUtf8(*text));
}

void TAVQLCDNumberImpl::Draw(QPainter *painter, const QRect &rect)
{
    paintBox(painter, m_backgroundStyle, rect);
    // Qt draws the digits next with the palette's text colour. An unchanged
    // palette is not set again, so this schedules no further paint.
    QPalette palette = m_widget->palette();
    palette.setBrush(QPalette::Active, QPalette::WindowText, m_color);
    m_widget->setPalette(palette);
}

TAVQ_DEFINE_IMPL(TAVQLCDNumber)

TAVQLCDNumber::TAVQLCDNumber(QWidget *parent)
    : TAVQControl(parent, [](QWidget *widget) -> TAVQControlBaseImpl * { return new TAVQLCDNumberImpl(widget); })
{
    setFrameStyle(0);
    setStyleSheet(QStringLiteral("background-color: rgba(0, 0, 0, 0);"));
}

TAVQLCDNumber::~TAVQLCDNumber() = default;

QString TAVQLCDNumber::GetTypeName()
{
    return QStringLiteral("qtlcdnumber");
}

bool TAVQLCDNumber::LoadFromJson(const Json::Value &element)
{
    return loadFromJsonAs<TAVQLCDNumberImpl>(element);
}

QColor TAVQLCDNumber::color() const { return d_func()->color(); }
const TAVQBoxStyle &TAVQLCDNumber::backgroundStyle() const { return d_func()->backgroundStyle(); }

void TAVQLCDNumber::setColor(const QColor &color)
{
    d_func()->setColor(color);
    update();
}

void TAVQLCDNumber::setBackgroundStyle(const TAVQBoxStyle &style)
{
    d_func()->setBackgroundStyle(style);
    update();
}

void TAVQLCDNumber::paintEvent(QPaintEvent *event)
{
    d_func()->OnPaint(event);
    QLCDNumber::paintEvent(event);
}

} // namespace TAVQtLib
