#ifndef TAVQ_HOVEREVENT_H
#define TAVQ_HOVEREVENT_H

#include <QPoint>

class QWidget;

// Sends `target` a hover move to `pos` (its own coordinates), as the item views
// get them from the pointer; the event's constructor differs between Qt 5 and 6.
void sendHoverMove(QWidget *target, const QPoint &pos);

#endif
