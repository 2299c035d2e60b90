#include "tavqfocusframe.h"

#include "resources/tavqpaint.h"
#include "resources/tavqresourcemanager.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QKeyEvent>
#include <QPointer>

namespace TAVQtLib {

namespace {

bool s_keyboardActive = false;

void repaintFocusWidget()
{
    QWidget *focus = QApplication::focusWidget();
    if (!focus)
        return;
    focus->update();
    if (auto *view = qobject_cast<QAbstractItemView *>(focus))
        view->viewport()->update();
}

bool isModifierKey(int key)
{
    return key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Alt || key == Qt::Key_Meta
        || key == Qt::Key_AltGr;
}

// Watches every input event of the application; it only reads them.
class InputWatcher : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::KeyPress:
            if (!isModifierKey(static_cast<QKeyEvent *>(event)->key()))
                TAVQFocusFrame::setKeyboardActive(true);
            break;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            TAVQFocusFrame::setKeyboardActive(false);
            break;
        default:
            break;
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

namespace TAVQFocusFrame {

void install()
{
    static QPointer<InputWatcher> watcher;
    if (watcher || !qApp)
        return;
    watcher = new InputWatcher(qApp);
    qApp->installEventFilter(watcher);
}

bool isKeyboardActive()
{
    return s_keyboardActive;
}

void setKeyboardActive(bool active)
{
    if (s_keyboardActive == active)
        return;
    s_keyboardActive = active;
    repaintFocusWidget();
}

bool isShownOn(const QWidget *widget)
{
    return s_keyboardActive && widget && widget->hasFocus();
}

TAVQBoxStyle style()
{
    TAVQBoxStyle frame;
    if (TAVQResourceManager::instance().boxStyle(QStringLiteral("focus.frame"), frame))
        return frame;
    frame.color = Qt::transparent;
    frame.borderColor = QColor(0x2f, 0x7c, 0xf6);
    frame.borderSize = 2;
    frame.round = 4;
    return frame;
}

void paint(QPainter *painter, const QRect &rect)
{
    TAVQPaint::paintBox(painter, style(), rect);
}

} // namespace TAVQFocusFrame

} // namespace TAVQtLib
