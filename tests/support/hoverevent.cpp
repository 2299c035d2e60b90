#include "hoverevent.h"

#include <QApplication>
#include <QHoverEvent>
#include <QWidget>

void sendHoverMove(QWidget *target, const QPoint &pos)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 3, 0)
    QHoverEvent hover(QEvent::HoverMove, pos, target->mapToGlobal(pos), QPoint(-1, -1));
#else
    QHoverEvent hover(QEvent::HoverMove, pos, QPoint(-1, -1));
#endif
    QApplication::sendEvent(target, &hover);
}
