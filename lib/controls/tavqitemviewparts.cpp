#include "tavqitemviewparts.h"

#include "tavqvaluecontrols.h"
#include "core/tavqcontrolbaseimpl.h"
#include "core/tavqstyleslots_p.h"

#include <QAbstractScrollArea>
#include <QPainter>

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

void TAVQItemViewScrollBars::installScrollBars(QAbstractScrollArea *view)
{
    m_hBar = new TAVQScrollBar(Qt::Horizontal, view);
    m_vBar = new TAVQScrollBar(Qt::Vertical, view);
    view->setHorizontalScrollBar(m_hBar);
    view->setVerticalScrollBar(m_vBar);
}

void TAVQItemViewScrollBars::setScrollBarSheets(const QString &sheet)
{
    m_vBar->setStyleSheet(sheet);
    m_hBar->setStyleSheet(sheet);
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
