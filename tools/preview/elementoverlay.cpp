#include "elementoverlay.h"

#include "base/tavqqtcompat.h"

#include <QMouseEvent>
#include <QPainter>

namespace TAVQtLib {
namespace Preview {

namespace {

const QColor OutlineColor(255, 0, 170);

} // namespace

ElementOverlay::ElementOverlay(QWidget *parent)
    : QWidget(parent)
{
    setMouseTracking(true);
    setCursor(Qt::CrossCursor);
}

void ElementOverlay::cover(QWidget *host)
{
    m_host = host;
    m_control = nullptr;
    if (host)
        setGeometry(host->geometry());
    raise();
    update();
}

void ElementOverlay::outline(QWidget *control, const QString &caption)
{
    m_control = control;
    m_caption = caption;
    update();
}

QWidget *ElementOverlay::widgetAt(const QPoint &pos) const
{
    if (!m_host)
        return nullptr;
    const QPoint inHost = m_host->mapFrom(parentWidget(), mapToParent(pos));
    return m_host->childAt(inHost);
}

void ElementOverlay::mouseMoveEvent(QMouseEvent *event)
{
    emit hovered(widgetAt(positionOf(event)));
}

void ElementOverlay::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        emit clicked(widgetAt(positionOf(event)));
}

// The page must not see clicks meant for the inspector.
void ElementOverlay::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
}

void ElementOverlay::mouseDoubleClickEvent(QMouseEvent *event)
{
    event->accept();
}

void ElementOverlay::paintEvent(QPaintEvent *)
{
    if (!m_control || !m_host)
        return;
    const QRect rect(m_control->mapTo(m_host, QPoint(0, 0)), m_control->size());
    QPainter painter(this);
    painter.setPen(QPen(OutlineColor, 2));
    painter.drawRect(rect.adjusted(1, 1, -1, -1));
    if (m_caption.isEmpty())
        return;
    const QFontMetrics metrics(font());
    QRect label(rect.topLeft(), QSize(metrics.horizontalAdvance(m_caption) + 8, metrics.height() + 4));
    // Above the control when there is room, else inside its top edge.
    label.moveBottom(rect.top() - 1);
    if (label.top() < 0)
        label.moveTop(qMax(0, rect.top()));
    label.moveLeft(qBound(0, label.left(), qMax(0, width() - label.width())));
    painter.fillRect(label, OutlineColor);
    painter.setPen(Qt::white);
    painter.drawText(label, Qt::AlignCenter, m_caption);
}

} // namespace Preview
} // namespace TAVQtLib
