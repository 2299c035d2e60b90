#ifndef TAVQ_WINDOW_H
#define TAVQ_WINDOW_H

#include "tavqtlib_export.h"

#include "tavqcontrolbaseimpl.h"

#include <QDialog>
#include <QPoint>

class QEventLoop;

namespace TAVQtLib {

class TAVQWindow;

// State of a skinned top-level window: caption dragging, edge resizing, background.
class TAVQTLIB_EXPORT TAVQWindowImpl : public TAVQControlBaseImpl
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

// Top-level window that hosts pages: frameless dragging by a caption band,
// resizing at the edges, an optional painted background and a private modal loop.
class TAVQTLIB_EXPORT TAVQWindow : public QDialog
{
    Q_OBJECT

public:
    // Edge zones a press can start resizing from.
    enum Edge { NoEdge = -1, Left = 0, Right, Top, Bottom, BottomRight, TopRight, TopLeft, BottomLeft };

    // A frameless window; LoadPage() gives it the page's window keys.
    explicit TAVQWindow(QWidget *parent = nullptr);
    ~TAVQWindow() override;

    // Whether dragging with the left button moves the window (default true).
    void setDraggable(bool on) { m_impl->m_draggable = on; }
    bool isDraggable() const { return m_impl->m_draggable; }
    // Whether the edges resize the window (default false).
    void setResizable(bool on);
    bool isResizable() const { return m_impl->m_resizable; }
    // The smallest size edge resizing leaves (default 400 by 400).
    void setMinResizeWidth(int w) { m_impl->m_minResizeWidth = w; }
    int minResizeWidth() const { return m_impl->m_minResizeWidth; }
    void setMinResizeHeight(int h) { m_impl->m_minResizeHeight = h; }
    int minResizeHeight() const { return m_impl->m_minResizeHeight; }
    // Whether only a press in the caption band starts a drag (default false).
    void setOnlyDragCaption(bool on) { m_impl->m_onlyDragCaption = on; }
    bool onlyDragCaption() const { return m_impl->m_onlyDragCaption; }
    // Height of the caption band at the top (default 40; 0 for none).
    void setCaptionHeight(int h) { m_impl->m_captionHeight = h; }
    int captionHeight() const { return m_impl->m_captionHeight; }
    bool hasCaption() const { return m_impl->m_captionHeight != 0; }
    // Whether a double click in the caption band maximizes or restores (default true).
    void setDoubleClickMaximize(bool on) { m_impl->m_dblClickMaximize = on; }
    // A translucent background; turning it on also makes the window frameless.
    void setTranslucent(bool on);
    // Whether the window paints a background of its own (default false), and
    // whether that is the colour box (default) or the nine-slice image.
    void setPaintBackground(bool on) { m_impl->m_paintBackground = on; }
    void setUseColorBackground(bool on) { m_impl->m_bgUseColor = on; }
    // The colour box of the painted background.
    void setBackgroundBox(const TAVQBoxStyle &box);
    // The nine-slice image of the painted background, by resource name.
    void setBackgroundImage(const QString &image, const TAVQSliceSet &slices);
    // The edge (Edge) a resize in progress drags, NoEdge when none.
    int resizeEdge() const { return m_impl->m_resizeEdge; }
    // True while a drag moves the window.
    bool isDragging() const { return m_impl->m_dragging; }

    // Shows the window application-modal and blocks until it is hidden in any
    // way (close, Escape, done(), hide(), endModal(), deletion); returns 0.
    int doModal();
    // Ends a running doModal(); nothing when none runs.
    void endModal();
    // Hiding the window also ends a running doModal().
    void setVisible(bool visible) override;

    // Centres `widget` in the primary screen's available area, first shrinking it
    // to that area where it is larger; nothing for null.
    static void centerOnScreen(QWidget *widget);

protected:
    // Dragging, edge resizing and the resize cursor.
    void mousePressEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    // Maximizes or restores on a double click in the caption band.
    void mouseDoubleClickEvent(QMouseEvent *e) override;
    // Paints the background when setPaintBackground() asks for one.
    void paintEvent(QPaintEvent *e) override;
    // Lays out the page's top-level controls again.
    void resizeEvent(QResizeEvent *e) override;
    // Closing ends a running doModal().
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
