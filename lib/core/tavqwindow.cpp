#include "tavqwindow_p.h"

#include "tavqcontrolbase.h"
#include "base/tavqqtcompat.h"

#include <QApplication>
#include <QScreen>
#include <QEventLoop>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

#include <cmath>

namespace TAVQtLib {

TAVQWindowImpl::TAVQWindowImpl(TAVQWindow *window)
    : TAVQControlBaseImpl(window)
{
}

TAVQWindow::TAVQWindow(QWidget *parent)
    : QDialog(parent)
    , m_impl(new TAVQWindowImpl(this))
{
}

TAVQWindow::~TAVQWindow()
{
    // Deleted from inside its own doModal(): let that loop return.
    endModal();
    delete m_impl;
}

void TAVQWindow::setDraggable(bool on) { m_impl->m_draggable = on; }
bool TAVQWindow::isDraggable() const { return m_impl->m_draggable; }
bool TAVQWindow::isResizable() const { return m_impl->m_resizable; }
void TAVQWindow::setMinResizeWidth(int w) { m_impl->m_minResizeWidth = w; }
int TAVQWindow::minResizeWidth() const { return m_impl->m_minResizeWidth; }
void TAVQWindow::setMinResizeHeight(int h) { m_impl->m_minResizeHeight = h; }
int TAVQWindow::minResizeHeight() const { return m_impl->m_minResizeHeight; }
void TAVQWindow::setOnlyDragCaption(bool on) { m_impl->m_onlyDragCaption = on; }
bool TAVQWindow::onlyDragCaption() const { return m_impl->m_onlyDragCaption; }
void TAVQWindow::setCaptionHeight(int h) { m_impl->m_captionHeight = h; }
int TAVQWindow::captionHeight() const { return m_impl->m_captionHeight; }
bool TAVQWindow::hasCaption() const { return m_impl->m_captionHeight != 0; }
void TAVQWindow::setDoubleClickMaximize(bool on) { m_impl->m_dblClickMaximize = on; }
void TAVQWindow::setPaintBackground(bool on) { m_impl->m_paintBackground = on; }
void TAVQWindow::setUseColorBackground(bool on) { m_impl->m_bgUseColor = on; }
int TAVQWindow::resizeEdge() const { return m_impl->m_resizeEdge; }
bool TAVQWindow::isDragging() const { return m_impl->m_dragging; }

void TAVQWindow::setResizable(bool on)
{
    m_impl->m_resizable = on;
    setAttribute(Qt::WA_MouseTracking, on);
}

void TAVQWindow::setTranslucent(bool on)
{
    if (on)
        setWindowFlag(Qt::FramelessWindowHint, true);
    setAttribute(Qt::WA_TranslucentBackground, on);
}

void TAVQWindow::setBackgroundBox(const TAVQBoxStyle &box)
{
    m_impl->m_bgBox = box;
}

void TAVQWindow::setBackgroundImage(const QString &image, const TAVQSliceSet &slices)
{
    m_impl->m_bgImage = image;
    m_impl->m_bgSlices = slices;
}

int TAVQWindow::doModal()
{
    // One loop per window: a second call while it runs would never be ended.
    if (m_impl->m_modalLoop)
        return 0;
    // The loop lives on this stack frame and the window is only reached through a
    // guard, so a window deleted while the loop runs is never touched again.
    QPointer<TAVQWindow> guard(this);
    setWindowModality(Qt::ApplicationModal);
    show();
    if (!isVisible())
        return 0;
    QEventLoop loop;
    m_impl->m_modalLoop = &loop;
    const int result = loop.exec(QEventLoop::DialogExec);
    if (guard)
        m_impl->m_modalLoop = nullptr;
    return result;
}

void TAVQWindow::endModal()
{
    if (m_impl->m_modalLoop)
        m_impl->m_modalLoop->exit(0);
}

void TAVQWindow::setVisible(bool visible)
{
    QDialog::setVisible(visible);
    // Escape, reject(), accept(), done(), close() and hide() all end up here.
    if (!visible)
        endModal();
}

void TAVQWindow::centerOnScreen(QWidget *widget)
{
    if (!widget)
        return;
    const QScreen *primary = QGuiApplication::primaryScreen();
    if (!primary)
        return;
    // A window larger than the screen's free area is fitted to it, so that none
    // of its controls lies out of reach; its layouts follow the new size.
    const QRect area = primary->availableGeometry();
    // At a fractional scale the area's size is rounded and may be a device pixel
    // larger than the screen: a fitted window stays one pixel inside it.
    const qreal ratio = primary->devicePixelRatio();
    const QSize room = area.size() - (ratio != std::floor(ratio) ? QSize(1, 1) : QSize(0, 0));
    const QSize fitted = widget->size().boundedTo(room);
    if (fitted != widget->size()) {
        widget->setMinimumSize(widget->minimumSize().boundedTo(fitted));
        widget->resize(fitted);
    }
    widget->move(area.x() + (area.width() - fitted.width()) / 2, area.y() + (area.height() - fitted.height()) / 2);
}

TAVQWindow::Zones TAVQWindow::zonesAt(const QPoint &globalPos) const
{
    const QPoint local = mapFromGlobal(globalPos);
    const int m = m_impl->m_borderWidth;
    return {local.x() < m, local.x() > width() - m, local.y() < m, local.y() > height() - m};
}

int TAVQWindow::edgeAt(const Zones &z) const
{
    if (z.bottom && z.right)
        return BottomRight;
    if (z.top && z.left)
        return TopLeft;
    if (z.bottom && z.left)
        return BottomLeft;
    if (z.top && z.right)
        return TopRight;
    if (z.left)
        return Left;
    if (z.right)
        return Right;
    if (z.top)
        return Top;
    if (z.bottom)
        return Bottom;
    return NoEdge;
}

void TAVQWindow::mousePressEvent(QMouseEvent *e)
{
    if (m_impl->m_resizable && !isMaximized()) {
        const int edge = edgeAt(zonesAt(globalPosOf(e)));
        if (edge != NoEdge)
            m_impl->m_resizeEdge = edge;
    }
    if (m_impl->m_draggable && e->button() == Qt::LeftButton && e->pos().y() < m_impl->m_captionHeight) {
        m_impl->m_dragging = true;
        e->accept();
    }
    m_impl->m_lastGlobalPos = globalPosOf(e);
}

void TAVQWindow::updateHoverCursor(const Zones &z)
{
    Qt::CursorShape shape = Qt::ArrowCursor;
    bool match = true;
    if ((z.top && z.left) || (z.bottom && z.right))
        shape = Qt::SizeFDiagCursor;
    else if ((z.bottom && z.left) || (z.top && z.right))
        shape = Qt::SizeBDiagCursor;
    else if (z.left || z.right)
        shape = Qt::SizeHorCursor;
    else if (z.bottom || z.top)
        shape = Qt::SizeVerCursor;
    else
        match = false;
    if (match) {
        setCursor(shape);
        m_impl->m_resizeCursorShown = true;
    } else if (m_impl->m_resizeCursorShown && !m_impl->m_dragging) {
        setCursor(Qt::ArrowCursor);
        m_impl->m_resizeCursorShown = false;
    }
}

void TAVQWindow::resizeWidthFromRight(int dx, const QPoint &g)
{
    const int newW = width() + dx;
    if (newW >= m_impl->m_minResizeWidth)
        m_impl->m_lastGlobalPos.setX(g.x());
    setFixedWidth(newW >= m_impl->m_minResizeWidth ? newW : m_impl->m_minResizeWidth);
}

void TAVQWindow::resizeHeightFromBottom(int dy, const QPoint &g)
{
    const int newH = height() + dy;
    if (newH >= m_impl->m_minResizeHeight) {
        m_impl->m_lastGlobalPos.setY(g.y());
        setFixedHeight(newH);
    } else {
        setFixedHeight(m_impl->m_minResizeHeight);
    }
}

// Applies one resize step; false when the handler must stop there.
bool TAVQWindow::resizeBy(const QPoint &g)
{
    TAVQWindowImpl &d = *m_impl;
    const int dx = g.x() - d.m_lastGlobalPos.x();
    const int dy = g.y() - d.m_lastGlobalPos.y();
    const int minW = d.m_minResizeWidth;
    const int minH = d.m_minResizeHeight;
    const QPoint p = pos();
    switch (d.m_resizeEdge) {
    case Left: {
        const int newW = width() - dx;
        if (newW < minW) {
            setFixedWidth(minW);
            return false;
        }
        setFixedWidth(newW);
        d.m_lastGlobalPos = g;
        move(p.x() + dx, p.y());
        return false;
    }
    case Right: {
        const int newW = width() + dx;
        if (newW < minW) {
            setFixedWidth(minW);
            return false;
        }
        d.m_lastGlobalPos = g;
        setFixedWidth(newW);
        return false;
    }
    case Top: {
        const int newH = height() - dy;
        if (newH < minH) {
            setFixedHeight(minH);
            return false;
        }
        setFixedHeight(newH);
        d.m_lastGlobalPos = g;
        move(p.x(), p.y() + dy);
        return false;
    }
    case Bottom: {
        const int newH = height() + dy;
        if (newH < minH) {
            setFixedHeight(minH);
            return false;
        }
        setFixedHeight(newH);
        d.m_lastGlobalPos = g;
        return false;
    }
    case BottomRight:
        resizeWidthFromRight(dx, g);
        resizeHeightFromBottom(dy, g);
        return true;
    case TopRight: {
        resizeWidthFromRight(dx, g);
        const int newH = height() - dy;
        if (newH < minH) {
            setFixedHeight(minH);
        } else {
            d.m_lastGlobalPos.setY(g.y());
            setFixedHeight(newH);
            move(p.x(), p.y() + dy);
        }
        return true;
    }
    case TopLeft: {
        int newX = geometry().left();
        int newY = geometry().top();
        const int newW = width() - dx;
        if (newW < minW) {
            setFixedWidth(minW);
        } else {
            d.m_lastGlobalPos.setX(g.x());
            setFixedWidth(newW);
            newX = p.x() + dx;
        }
        const int newH = height() - dy;
        if (newH < minH) {
            setFixedHeight(minH);
            newY = geometry().top();
        } else {
            d.m_lastGlobalPos.setY(g.y());
            setFixedHeight(newH);
            newY = p.y() + dy;
        }
        move(newX, newY);
        return true;
    }
    case BottomLeft: {
        const int newW = width() - dx;
        if (newW < minW) {
            setFixedWidth(minW);
        } else {
            setFixedWidth(newW);
            d.m_lastGlobalPos.setX(g.x());
            move(p.x() + dx, p.y());
        }
        resizeHeightFromBottom(dy, g);
        return true;
    }
    default:
        return true;
    }
}

void TAVQWindow::mouseMoveEvent(QMouseEvent *e)
{
    TAVQWindowImpl &d = *m_impl;
    const QPoint g = globalPosOf(e);
    if (d.m_resizable && !isMaximized()) {
        if (d.m_resizeEdge == NoEdge)
            updateHoverCursor(zonesAt(g));
        else if (!resizeBy(g))
            return;
    }
    if (d.m_resizeEdge == NoEdge && d.m_draggable && d.m_dragging && e->buttons() != Qt::NoButton) {
        move(pos() + (g - d.m_lastGlobalPos));
        d.m_lastGlobalPos = g;
        e->accept();
    }
    QWidget::mouseMoveEvent(e);
}

void TAVQWindow::mouseReleaseEvent(QMouseEvent *)
{
    if (m_impl->m_resizable && m_impl->m_resizeEdge != NoEdge) {
        m_impl->m_resizeEdge = NoEdge;
        setCursor(Qt::ArrowCursor);
    }
    m_impl->m_dragging = false;
}

void TAVQWindow::mouseDoubleClickEvent(QMouseEvent *e)
{
    if (!m_impl->m_dblClickMaximize || e->pos().y() >= m_impl->m_captionHeight)
        return;
    if (isMaximized())
        showNormal();
    else
        showMaximized();
}

void TAVQWindow::paintEvent(QPaintEvent *)
{
    if (!m_impl->m_paintBackground)
        return;
    QPainter painter(this);
    if (m_impl->m_bgUseColor)
        TAVQPaint::paintColorBox(&painter, m_impl->m_bgBox, 0, 0, width(), height());
    else
        TAVQPaint::paintSlicedImage(&painter, m_impl->m_bgImage, m_impl->m_bgSlices, 0, 0, width(), height());
}

void TAVQWindow::resizeEvent(QResizeEvent *e)
{
    TAVQControlBase::ApplyChildLayouts(this);
    QWidget::resizeEvent(e);
}

void TAVQWindow::closeEvent(QCloseEvent *e)
{
    endModal();
    QWidget::closeEvent(e);
}

} // namespace TAVQtLib
