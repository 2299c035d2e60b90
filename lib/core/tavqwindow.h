#ifndef TAVQ_WINDOW_H
#define TAVQ_WINDOW_H

#include "tavqcontrolbaseimpl.h"

#include <QDialog>
#include <QPoint>

class QEventLoop;

namespace TAVQtLib {

class TAVQWindow;

// State of a skinned top-level window: caption dragging, edge resizing, background.
class TAVQWindowImpl : public TAVQControlBaseImpl
{
    Q_OBJECT

public:
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

// Top-level window that hosts pages: frameless dragging by a caption band,
// resizing at the edges, an optional painted background and a private modal loop.
class TAVQWindow : public QDialog
{
    Q_OBJECT

public:
    // Edge zones a press can start resizing from.
    enum Edge { NoEdge = -1, Left = 0, Right, Top, Bottom, BottomRight, TopRight, TopLeft, BottomLeft };

    explicit TAVQWindow(QWidget *parent = nullptr);
    ~TAVQWindow() override;

    void setDraggable(bool on) { m_impl->m_draggable = on; }
    bool isDraggable() const { return m_impl->m_draggable; }
    void setResizable(bool on);
    bool isResizable() const { return m_impl->m_resizable; }
    void setMinResizeWidth(int w) { m_impl->m_minResizeWidth = w; }
    int minResizeWidth() const { return m_impl->m_minResizeWidth; }
    void setMinResizeHeight(int h) { m_impl->m_minResizeHeight = h; }
    int minResizeHeight() const { return m_impl->m_minResizeHeight; }
    void setOnlyDragCaption(bool on) { m_impl->m_onlyDragCaption = on; }
    bool onlyDragCaption() const { return m_impl->m_onlyDragCaption; }
    void setCaptionHeight(int h) { m_impl->m_captionHeight = h; }
    int captionHeight() const { return m_impl->m_captionHeight; }
    bool hasCaption() const { return m_impl->m_captionHeight != 0; }
    void setDoubleClickMaximize(bool on) { m_impl->m_dblClickMaximize = on; }
    void setTranslucent(bool on);
    void setPaintBackground(bool on) { m_impl->m_paintBackground = on; }
    void setUseColorBackground(bool on) { m_impl->m_bgUseColor = on; }
    void setBackgroundBox(const TAVQBoxStyle &box);
    void setBackgroundImage(const QString &image, const TAVQSliceSet &slices);
    int resizeEdge() const { return m_impl->m_resizeEdge; }
    bool isDragging() const { return m_impl->m_dragging; }

    // Shows the window application-modal and blocks until it is hidden in any
    // way (close, Escape, done(), hide(), endModal(), deletion); returns 0.
    int doModal();
    void endModal();
    void setVisible(bool visible) override;

    static void centerOnScreen(QWidget *widget);

protected:
    void mousePressEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void mouseDoubleClickEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void paintEvent(QPaintEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;
    void closeEvent(QCloseEvent *e) override;

private:
    struct Zones
    {
        bool left, right, top, bottom;
    };
    Zones zonesAt(const QPoint &globalPos) const;
    int edgeAt(const Zones &z) const;
    void updateHoverCursor(const Zones &z);
    bool resizeBy(const QPoint &globalPos);
    void resizeWidthFromRight(int dx, const QPoint &globalPos);
    void resizeHeightFromBottom(int dy, const QPoint &globalPos);

    TAVQWindowImpl *m_impl;
};

} // namespace TAVQtLib

#endif
