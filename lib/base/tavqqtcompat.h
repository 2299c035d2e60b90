#ifndef TAVQ_QTCOMPAT_H
#define TAVQ_QTCOMPAT_H

#include <QEvent>
#include <QMouseEvent>
#include <QPoint>
#include <QtGlobal>

#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
#include <QEnterEvent>
#endif

/// Where Qt 5 and Qt 6 differ in the events the library handles, the difference
/// lives here (text conversion's lives in tavqtextcodec.h).
namespace TAVQtLib {

#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
/// The event QWidget::enterEvent() receives: QEnterEvent in Qt 6, QEvent in Qt 5.
using TAVQEnterEvent = QEnterEvent;
#else
/// The event QWidget::enterEvent() receives: QEnterEvent in Qt 6, QEvent in Qt 5.
using TAVQEnterEvent = QEvent;
#endif

/// Where on the screen the mouse event happened, in whole pixels.
inline QPoint globalPosOf(const QMouseEvent *event)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    return event->globalPosition().toPoint();
#else
    return event->globalPos();
#endif
}

/// Where in the receiving widget the mouse event happened, in whole pixels.
inline QPoint positionOf(const QMouseEvent *event)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    return event->position().toPoint();
#else
    return event->pos();
#endif
}

/// The press a double click stands for: each click of a fast pair is a press.
inline QMouseEvent pressOf(const QMouseEvent *doubleClick)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    return QMouseEvent(QEvent::MouseButtonPress, doubleClick->position(), doubleClick->scenePosition(),
                       doubleClick->globalPosition(), doubleClick->button(), doubleClick->buttons(),
                       doubleClick->modifiers(), doubleClick->pointingDevice());
#else
    return QMouseEvent(QEvent::MouseButtonPress, doubleClick->localPos(), doubleClick->windowPos(),
                       doubleClick->screenPos(), doubleClick->button(), doubleClick->buttons(),
                       doubleClick->modifiers(), doubleClick->source());
#endif
}

} // namespace TAVQtLib

#endif
