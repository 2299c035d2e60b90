#ifndef TAVQ_QTCOMPAT_H
#define TAVQ_QTCOMPAT_H

#include "tavqtlib_export.h"

#include <QByteArray>
#include <QEvent>
#include <QMouseEvent>
#include <QPoint>
#include <QString>
#include <QtGlobal>

#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
#include <QEnterEvent>
#endif

// Where Qt 5 and Qt 6 differ in what the library uses, the difference lives here
// and nowhere else.
namespace TAVQtLib {

#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
// The event QWidget::enterEvent() receives: QEnterEvent in Qt 6, QEvent in Qt 5.
using TAVQEnterEvent = QEnterEvent;
#else
// The event QWidget::enterEvent() receives: QEnterEvent in Qt 6, QEvent in Qt 5.
using TAVQEnterEvent = QEvent;
#endif

// Call before the QApplication is made. Pages are laid out in device-independent
// pixels and scaled to the screen, as Qt 6 does by default; this makes Qt 5 do
// the same (with its factor rounded to a whole number).
TAVQTLIB_EXPORT void UseDeviceIndependentPixels();

// Where on the screen the mouse event happened, in whole pixels.
inline QPoint globalPosOf(const QMouseEvent *event)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    return event->globalPosition().toPoint();
#else
    return event->globalPos();
#endif
}

// Where in the receiving widget the mouse event happened, in whole pixels.
inline QPoint positionOf(const QMouseEvent *event)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    return event->position().toPoint();
#else
    return event->pos();
#endif
}

// The press a double click stands for: each click of a fast pair is a press.
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

// Conversion between text and the byte encodings pages and packages use
// ("GBK", "UTF-8"). Qt 5 converts with QTextCodec, Qt 6 with QStringDecoder and
// QStringEncoder; both use the same ICU tables, so the results are the same.
namespace TextCodec {

// Whether `encoding` can be converted at all on this system.
TAVQTLIB_EXPORT bool isAvailable(const char *encoding);
// `bytes` decoded from `encoding`; a leading byte order mark is dropped. `*ok`,
// when given, tells whether every byte sequence was valid and complete. Without
// the encoding the bytes are read as the locale's.
TAVQTLIB_EXPORT QString toUnicode(const QByteArray &bytes, const char *encoding, bool *ok = nullptr);
// `text` encoded in `encoding`; `*ok`, when given, tells whether every
// character could be encoded. Without the encoding, the locale's bytes.
TAVQTLIB_EXPORT QByteArray fromUnicode(const QString &text, const char *encoding, bool *ok = nullptr);

} // namespace TextCodec

} // namespace TAVQtLib

#endif
