#include "tavqitemviewparts_p.h"

#include "tavqvaluecontrols.h"
#include "core/tavqcontrolbaseimpl.h"
#include "core/tavqstyleslots_p.h"

#include <QAbstractScrollArea>
#include <QPainter>
#include <QPointer>

namespace TAVQtLib {

// TAVQScrollBarForwards

void TAVQScrollBarForwards::setScrollBarStyle(bool horizontal, const TAVQBoxStyle &style)
{
    if (TAVQScrollBar *bar = forwardedScrollBar(horizontal))
        bar->setGrooveStyle(style);
}

void TAVQScrollBarForwards::setScrollBarArrowIcon(bool horizontal, bool upArrow, const QString &image)
{
    if (TAVQScrollBar *bar = forwardedScrollBar(horizontal))
        bar->setArrowIcon(upArrow, image);
}

void TAVQScrollBarForwards::setScrollBarArrowIconPlacement(bool horizontal, bool upArrow,
                                                           const TAVQImagePlacement &placement)
{
    if (TAVQScrollBar *bar = forwardedScrollBar(horizontal))
        bar->setArrowIconPlacement(upArrow, placement);
}

void TAVQScrollBarForwards::setScrollBarThumbIcon(bool horizontal, const QString &image)
{
    if (TAVQScrollBar *bar = forwardedScrollBar(horizontal))
        bar->setThumbIcon(image);
}

void TAVQScrollBarForwards::setScrollBarArrowStyle(bool horizontal, bool upArrow, int state,
                                                   const TAVQBoxStyle &style)
{
    TAVQScrollBar *bar = forwardedScrollBar(horizontal);
    if (bar && upArrow)
        bar->setSubLineStyle(state, style);
    else if (bar)
        bar->setAddLineStyle(state, style);
}

void TAVQScrollBarForwards::setScrollBarThumbStyle(bool horizontal, int state, const TAVQBoxStyle &style)
{
    if (TAVQScrollBar *bar = forwardedScrollBar(horizontal))
        bar->setThumbStyle(state, style);
}

// TAVQItemViewScrollBars

// Guarded: Qt deletes a bar the application replaces.
class TAVQItemViewScrollBarsPrivate
{
public:
    QPointer<TAVQScrollBar> hBar;
    QPointer<TAVQScrollBar> vBar;
};

TAVQItemViewScrollBars::TAVQItemViewScrollBars()
    : d_ptr(new TAVQItemViewScrollBarsPrivate)
{
}

TAVQItemViewScrollBars::~TAVQItemViewScrollBars() = default;

TAVQScrollBar *TAVQItemViewScrollBars::scrollBar(bool horizontal) const
{
    return horizontal ? d_ptr->hBar : d_ptr->vBar;
}

TAVQScrollBar *TAVQItemViewScrollBars::forwardedScrollBar(bool horizontal) const
{
    return scrollBar(horizontal);
}

void TAVQItemViewScrollBars::installScrollBars(QAbstractScrollArea *view)
{
    d_ptr->hBar = new TAVQScrollBar(Qt::Horizontal, view);
    d_ptr->vBar = new TAVQScrollBar(Qt::Vertical, view);
    view->setHorizontalScrollBar(d_ptr->hBar);
    view->setVerticalScrollBar(d_ptr->vBar);
}

void TAVQItemViewScrollBars::setScrollBarSheets(const QString &sheet)
{
    if (d_ptr->vBar)
        d_ptr->vBar->setStyleSheet(sheet);
    if (d_ptr->hBar)
        d_ptr->hBar->setStyleSheet(sheet);
}

// TAVQBoxPane

TAVQBoxPane::TAVQBoxPane(const TAVQBoxStyle *style, QWidget *parent)
    : QWidget(parent)
    , m_style(style)
{
}

void TAVQBoxPane::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    TAVQControlBaseImpl::paintBox(&painter, *m_style, 0, 0, width(), height());
}

// TAVQHeaderLooks

void TAVQHeaderLooks::setBox(int look, const TAVQBoxStyle &style)
{
    TAVQStyleSlots::storeForState(m_boxes, look, style);
}

void TAVQHeaderLooks::setFont(int look, const TAVQFontStyle &style)
{
    TAVQStyleSlots::storeForState(m_fonts, look, style);
}

void TAVQHeaderLooks::loadBox(int look, const QString &name)
{
    TAVQStyleSlots::setBoxForState(m_boxes, look, name);
}

void TAVQHeaderLooks::loadFont(int look, const QString &name)
{
    TAVQStyleSlots::setFontForState(m_fonts, look, name);
}

// TAVQItemViews

bool TAVQItemViews::paintViewportBackground(const QAbstractScrollArea *view, const QObject *watched,
                                            const QEvent *event, const TAVQBoxStyle &style)
{
    QWidget *viewport = view->viewport();
    if (watched != viewport || event->type() != QEvent::Paint)
        return false;
    QPainter painter(viewport);
    TAVQControlBaseImpl::paintBox(&painter, style, viewport->rect());
    return true;
}

} // namespace TAVQtLib
