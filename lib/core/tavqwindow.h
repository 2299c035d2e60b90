#ifndef TAVQ_WINDOW_H
#define TAVQ_WINDOW_H

#include "tavqtlib_export.h"

#include "resources/tavqpaint.h"
#include "resources/tavqstyle.h"

#include <QDialog>

namespace TAVQtLib {

class TAVQWindowImpl;

/**
 * \brief A top-level window that hosts pages: frameless dragging by a caption
 * band, resizing at the edges, an optional painted background and a modal loop
 * of its own.
 *
 * A window's constructor usually loads its page with LoadPage(), which also
 * applies the page's window keys (size, frame, dragging, background) through
 * the setters below; the page's top-level controls are laid out again at every
 * resize.
 *
 * \code
 * class PayDialog : public TAVQtLib::TAVQWindow
 * {
 * public:
 *     PayDialog()
 *     {
 *         TAVQtLib::LoadPage(this, QStringLiteral("PayPage.json"));
 *         auto *ok = findChild<QPushButton *>(QStringLiteral("btnOk"));
 *         if (ok)
 *             connect(ok, &QPushButton::clicked, this, &TAVQWindow::endModal);
 *     }
 * };
 *
 * PayDialog dialog;
 * dialog.doModal();              // returns 0; read the outcome from the dialog
 * \endcode
 *
 * \par Signals
 * Those of QDialog: `finished(int)`, `accepted()`, `rejected()`.
 *
 * \par Repainting
 * The background setters (setPaintBackground(), setUseColorBackground(),
 * setBackgroundBox(), setBackgroundImage()) take effect at the next paint:
 * call `update()` after them on a shown window.
 *
 * \note doModal() returns 0 whatever ends it, unlike QDialog::exec(): the
 * window's result is in `result()` when done() ended it. Hiding the window in
 * any way (close, Escape, done(), hide(), endModal(), deletion) ends the loop.
 */
class TAVQTLIB_EXPORT TAVQWindow : public QDialog
{
    Q_OBJECT
    /// Whether dragging with the left button moves the window.
    Q_PROPERTY(bool draggable READ isDraggable WRITE setDraggable)
    /// Whether the edges resize the window.
    Q_PROPERTY(bool resizable READ isResizable WRITE setResizable)
    /// The smallest width edge resizing leaves.
    Q_PROPERTY(int minResizeWidth READ minResizeWidth WRITE setMinResizeWidth)
    /// The smallest height edge resizing leaves.
    Q_PROPERTY(int minResizeHeight READ minResizeHeight WRITE setMinResizeHeight)
    /// Whether only a press in the caption band starts a drag.
    Q_PROPERTY(bool onlyDragCaption READ onlyDragCaption WRITE setOnlyDragCaption)
    /// The height of the caption band.
    Q_PROPERTY(int captionHeight READ captionHeight WRITE setCaptionHeight)

public:
    /// Edge zones a press can start resizing from.
    enum Edge {
        NoEdge = -1,     ///< No resize in progress.
        Left = 0,        ///< The left edge.
        Right,           ///< The right edge.
        Top,             ///< The top edge.
        Bottom,          ///< The bottom edge.
        BottomRight,     ///< The bottom right corner.
        TopRight,        ///< The top right corner.
        TopLeft,         ///< The top left corner.
        BottomLeft       ///< The bottom left corner.
    };
    Q_ENUM(Edge)

    /// A frameless window; LoadPage() gives it the page's window keys.
    explicit TAVQWindow(QWidget *parent = nullptr);
    /// Ends a running doModal() first.
    ~TAVQWindow() override;

    /// Sets whether dragging with the left button moves the window (default true).
    void setDraggable(bool on);
    /// Whether dragging with the left button moves the window.
    bool isDraggable() const;
    /// Sets whether the edges resize the window (default false); also sets the
    /// window's mouse tracking for the resize cursor.
    void setResizable(bool on);
    /// Whether the edges resize the window.
    bool isResizable() const;
    /// Sets the smallest width edge resizing leaves (default 400).
    void setMinResizeWidth(int w);
    /// The smallest width edge resizing leaves.
    int minResizeWidth() const;
    /// Sets the smallest height edge resizing leaves (default 400).
    void setMinResizeHeight(int h);
    /// The smallest height edge resizing leaves.
    int minResizeHeight() const;
    /// Sets whether only a press in the caption band starts a drag (default false).
    void setOnlyDragCaption(bool on);
    /// Whether only a press in the caption band starts a drag.
    bool onlyDragCaption() const;
    /// Sets the height of the caption band at the top (default 40; 0 for none).
    void setCaptionHeight(int h);
    /// The height of the caption band at the top.
    int captionHeight() const;
    /// Whether there is a caption band (its height is not 0).
    bool hasCaption() const;
    /// Sets whether a double click in the caption band maximizes or restores (default true).
    void setDoubleClickMaximize(bool on);
    /// Makes the background translucent; turning it on also makes the window frameless.
    void setTranslucent(bool on);
    /// Sets whether the window paints a background of its own (default false).
    void setPaintBackground(bool on);
    /// Sets whether the painted background is the colour box (true, the default)
    /// or the nine-slice image.
    void setUseColorBackground(bool on);
    /// Sets the colour box of the painted background.
    void setBackgroundBox(const TAVQBoxStyle &box);
    /// Sets the nine-slice image of the painted background, by resource name.
    void setBackgroundImage(const QString &image, const TAVQSliceSet &slices);
    /// The edge (Edge) a resize in progress drags; NoEdge when none.
    int resizeEdge() const;
    /// True while a drag moves the window.
    bool isDragging() const;

    /// Shows the window application-modal and blocks until it is hidden in any
    /// way (close, Escape, done(), hide(), endModal(), deletion); returns 0.
    int doModal();
    /// Ends a running doModal(); nothing when none runs.
    void endModal();
    /// As QDialog's; hiding the window also ends a running doModal().
    void setVisible(bool visible) override;

    /// Centres `widget` in the primary screen's available area, first shrinking it
    /// to that area where it is larger; nothing for null.
    static void centerOnScreen(QWidget *widget);

protected:
    /// Starts a drag or an edge resize.
    void mousePressEvent(QMouseEvent *e) override;
    /// Ends a drag or an edge resize.
    void mouseReleaseEvent(QMouseEvent *e) override;
    /// Drags, resizes, or shows the resize cursor over an edge.
    void mouseMoveEvent(QMouseEvent *e) override;
    /// Maximizes or restores on a double click in the caption band.
    void mouseDoubleClickEvent(QMouseEvent *e) override;
    /// Paints the background when setPaintBackground() asks for one.
    void paintEvent(QPaintEvent *e) override;
    /// Lays out the page's top-level controls again.
    void resizeEvent(QResizeEvent *e) override;
    /// Closing ends a running doModal().
    void closeEvent(QCloseEvent *e) override;

private:
    struct Zones
    {
        bool left, right, top, bottom;
    };
    TAVQTLIB_NO_EXPORT Zones zonesAt(const QPoint &globalPos) const;
    TAVQTLIB_NO_EXPORT int edgeAt(const Zones &z) const;
    TAVQTLIB_NO_EXPORT void updateHoverCursor(const Zones &z);
    TAVQTLIB_NO_EXPORT bool resizeBy(const QPoint &globalPos);
    TAVQTLIB_NO_EXPORT void resizeWidthFromRight(int dx, const QPoint &globalPos);
    TAVQTLIB_NO_EXPORT void resizeHeightFromBottom(int dy, const QPoint &globalPos);

    TAVQWindowImpl *m_impl;
};

} // namespace TAVQtLib

#endif
