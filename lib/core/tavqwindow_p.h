#ifndef TAVQ_WINDOW_P_H
#define TAVQ_WINDOW_P_H

// Not part of the API: the state behind TAVQWindow.

#include "tavqwindow.h"

#include "tavqcontrolbaseimpl.h"

#include <QPoint>

class QEventLoop;

namespace TAVQtLib {

// State of a skinned top-level window: caption dragging, edge resizing, background.
class TAVQWindowImpl : public TAVQControlBaseImpl
{
    Q_OBJECT

public:
    // The state of `window`, with the defaults of a page that sets no window keys.
    explicit TAVQWindowImpl(TAVQWindow *window);

private:
    friend class TAVQWindow;

    int m_resizeEdge = -1;
    bool m_resizable = false;
    bool m_draggable = true;
    int m_borderWidth = 4;
    bool m_dragging = false;
    QString m_bgImage;
    TAVQSliceSet m_bgSlices;
    TAVQBoxStyle m_bgBox;
    bool m_bgUseColor = true;
    QPoint m_lastGlobalPos;
    bool m_paintBackground = false;
    bool m_resizeCursorShown = false;
    int m_minResizeWidth = 400;
    int m_minResizeHeight = 400;
    bool m_onlyDragCaption = false;
    int m_captionHeight = 40;
    bool m_dblClickMaximize = true;
    QEventLoop *m_modalLoop = nullptr;  // the loop of a running doModal()
};

} // namespace TAVQtLib

#endif
