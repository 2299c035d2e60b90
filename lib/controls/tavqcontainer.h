#ifndef TAVQ_CONTAINER_H
#define TAVQ_CONTAINER_H

#include "tavqtlib_export.h"

#include "tavqitemviewparts.h"
#include "core/tavqcontrol.h"

#include <QColor>
#include <QScrollArea>
#include <QWidget>

namespace TAVQtLib {

class TAVQContainerImpl;
class TAVQGroupBoxImpl;
class TAVQSplitterImpl;
class TAVQScrollViewImpl;
class TAVQScrollBar;

/// How a container arranges its child controls when it is resized (TAVQContainer::setChildLayout()).
enum TAVQChildLayout {
    ChildLayoutRow = 0,         ///< One row, left to right, `space` pixels apart and from the left edge.
    ChildLayoutColumn = 1,      ///< One column, top to bottom, `space` pixels apart and from the top edge.
    ChildLayoutFlowRows = 2,    ///< Rows that wrap at the right edge.
    ChildLayoutFlowColumns = 3, ///< Columns that wrap at the bottom edge.
    ChildLayoutNone = 4         ///< No arranging: the children keep their own layouts (the default).
};

/**
 * \brief A panel that paints a box style and can arrange its child controls in
 * a row, a column or a wrapping flow; page type "qtcontainer" (also "container").
 *
 * Unstyled it is a grey panel. Arranging writes the positions of the child
 * controls into their layout records (anchor and fixed layouts; children with
 * a margin layout take their room but stay put) and is done on every resize,
 * so a change of childLayout() or space() shows at the next resize. Widgets
 * that are no controls are passed over in a line; in a flow they may still
 * break the line.
 *
 * \code
 * auto *bar = new TAVQtLib::TAVQContainer(window);
 * bar->setChildLayout(TAVQtLib::ChildLayoutRow);
 * bar->setSpace(4);
 * TAVQtLib::TAVQBoxStyle box;
 * if (TAVQtLib::TAVQResourceManager::instance().boxStyle(QStringLiteral("panel.bar"), box))
 *     bar->setBackgroundStyle(box);
 * bar->resize(400, 48);
 * \endcode
 *
 * \par Signals
 * None of its own; those of QWidget.
 *
 * \par Repainting
 * No setter repaints: call `update()` after changing a style. The arrangement
 * setters take effect at the next resize.
 *
 * A mouse press sets the pressed state, which the look does not show, and
 * still travels on to the parent widget, as QWidget leaves it.
 */
class TAVQTLIB_EXPORT TAVQContainer : public TAVQControl<QWidget>
{
    Q_OBJECT
    Q_INTERFACES(TAVQtLib::ITAVQControlBase)
    /// Whether the background is the colour box (true) or the image; see setUseColor().
    Q_PROPERTY(bool useColor READ useColor WRITE setUseColor)
    /// How the children are arranged (TAVQChildLayout); see setChildLayout().
    Q_PROPERTY(int childLayout READ childLayout WRITE setChildLayout)
    /// The gap between arranged children, in pixels; see setSpace().
    Q_PROPERTY(int space READ space WRITE setSpace)

public:
    /// Makes the control under `parent`, in the look a page without styles gives it.
    explicit TAVQContainer(QWidget *parent = nullptr);
    /// Deletes the implementation object, and lets go of the native window.
    ~TAVQContainer() override;

    /// "qtcontainer".
    QString GetTypeName() override;
    /// Reads the common attributes, then the "style" slots (0 background, also
    /// the disabled background; 1 disabled background) and the "attr" keys
    /// "childLayout" (out of range reads as ChildLayoutNone) and "space".
    bool LoadFromJson(const Json::Value &element) override;

    /// Sets the box painted behind the whole control while it is enabled.
    void setBackgroundStyle(const TAVQBoxStyle &style);
    /// The box painted behind the whole control while it is enabled; a grey colour box by default.
    const TAVQBoxStyle &backgroundStyle() const;
    /// Sets the box painted while the control is disabled.
    void setDisabledStyle(const TAVQBoxStyle &style);
    /// The box painted while the control is disabled; a grey colour box by default.
    const TAVQBoxStyle &disabledStyle() const;
    /// Sets whether the background is the background style's colour box (true)
    /// or its image; the disabled style keeps its own choice.
    void setUseColor(bool on);
    /// Whether the background is the background style's colour box (true) or its image.
    bool useColor() const;
    /// Sets how the children are arranged (TAVQChildLayout); stored as given,
    /// a value out of range arranges nothing.
    void setChildLayout(int layout);
    /// How the children are arranged (TAVQChildLayout); ChildLayoutNone by default.
    int childLayout() const;
    /// Sets the gap between arranged children and before the first, in pixels.
    void setSpace(int space);
    /// The gap between arranged children and before the first, in pixels; 0 by default.
    int space() const;

    /// Takes hold of a platform window, kept over the container's area from the
    /// next resize on; a null id lets go of it.
    void setNativeWindow(WId id);
    /// The platform window held, 0 for none.
    WId nativeWindow() const;
    /// Lets go of the platform window, as setNativeWindow(0).
    void clearNativeWindow();

protected:
    /// Lays out the children, arranges them by childLayout() and lays them out
    /// again, then moves the native window over the container.
    void resizeEvent(QResizeEvent *event) override;

private:
    TAVQ_DECLARE_IMPL(TAVQContainer)
};

/**
 * \brief A titled frame around a region; page type "qtgroupbox" (also "groupbox").
 *
 * It draws a one-pixel line in lineColor() round its area, broken at the top
 * left by the title. It is a plain QWidget, not a QGroupBox: it has no check
 * box and lays out nothing.
 *
 * \code
 * auto *group = new TAVQtLib::TAVQGroupBox(window);
 * group->setTitle(QStringLiteral("Payment"));
 * group->setLineColor(QColor(90, 90, 90));
 * group->setGeometry(10, 10, 300, 120);
 * \endcode
 *
 * \par Signals
 * None of its own; those of QWidget.
 *
 * \par Repainting
 * No setter repaints: call `update()` after them.
 */
class TAVQTLIB_EXPORT TAVQGroupBox : public TAVQControl<QWidget>
{
    Q_OBJECT
    Q_INTERFACES(TAVQtLib::ITAVQControlBase)
    /// Whether the title is drawn; see setShowText().
    Q_PROPERTY(bool showText READ showText WRITE setShowText)
    /// The title in the top line; see setTitle().
    Q_PROPERTY(QString title READ title WRITE setTitle)
    /// The colour of the frame line; see setLineColor().
    Q_PROPERTY(QColor lineColor READ lineColor WRITE setLineColor)
    /// The distance of the bottom line from the bottom edge; see setLineInset().
    Q_PROPERTY(int lineInset READ lineInset WRITE setLineInset)

public:
    /// Makes the control under `parent`, in the look a page without styles gives it.
    explicit TAVQGroupBox(QWidget *parent = nullptr);
    /// Deletes the implementation object.
    ~TAVQGroupBox() override;

    /// "qtgroupbox".
    QString GetTypeName() override;
    /// Reads the common attributes, then the "style" slots (0 box, 2 title font)
    /// and the "attr" keys "text", "size", "color" and "showText"; without a
    /// "text" key the other three are not read.
    bool LoadFromJson(const Json::Value &element) override;

    /// Sets whether the title is drawn; without it the gap in the top line
    /// narrows to a few pixels.
    void setShowText(bool on);
    /// Whether the title is drawn (default true).
    bool showText() const;
    /// Sets the box style; it is kept from the page but not painted.
    void setBoxStyle(const TAVQBoxStyle &style);
    /// The box style; kept from the page but not painted.
    const TAVQBoxStyle &boxStyle() const;
    /// Sets the title drawn in the gap of the top line.
    void setTitle(const QString &title);
    /// The title drawn in the gap of the top line; empty by default.
    QString title() const;
    /// Sets the font style of the title.
    void setFontStyle(const TAVQFontStyle &style);
    /// The font style of the title.
    const TAVQFontStyle &fontStyle() const;
    /// Sets the colour of the frame line.
    void setLineColor(const QColor &color);
    /// The colour of the frame line; black by default.
    QColor lineColor() const;
    /// Sets the distance of the bottom line from the bottom edge: 1 the last
    /// pixel row, 0 just below it, where it does not show.
    void setLineInset(int inset);
    /// The distance of the bottom line from the bottom edge; 1 by default.
    int lineInset() const;

private:
    TAVQ_DECLARE_IMPL(TAVQGroupBox)
};

/**
 * \brief A panel that paints a box style and keeps split settings for the
 * application; page type "qtsplitter" (also "splitter").
 *
 * Unlike QSplitter it arranges nothing and takes no mouse input: the panes,
 * split position and handle width are only stored for the program to use, and
 * mouse presses, releases and moves are swallowed (they do not reach the parent).
 * Unstyled it paints nothing.
 *
 * \code
 * auto *handle = new TAVQtLib::TAVQSplitter(window);
 * handle->setFirstPane(list);
 * handle->setSecondPane(details);
 * handle->setSplitPosition(200);
 * handle->setGeometry(200, 0, 6, 400);
 * \endcode
 *
 * \par Signals
 * None of its own; those of QWidget.
 *
 * \par Repainting
 * No setter repaints: call `update()` after setBackgroundStyle().
 */
class TAVQTLIB_EXPORT TAVQSplitter : public TAVQControl<QWidget>
{
    Q_OBJECT
    Q_INTERFACES(TAVQtLib::ITAVQControlBase)
    /// Whether the panes are side by side; see setHorizontal().
    Q_PROPERTY(bool horizontal READ isHorizontal WRITE setHorizontal)
    /// The widget left of (or above) the handle; see setFirstPane().
    Q_PROPERTY(QWidget *firstPane READ firstPane WRITE setFirstPane)
    /// The widget right of (or below) the handle; see setSecondPane().
    Q_PROPERTY(QWidget *secondPane READ secondPane WRITE setSecondPane)
    /// The position of the handle in pixels; see setSplitPosition().
    Q_PROPERTY(int splitPosition READ splitPosition WRITE setSplitPosition)
    /// The width of the handle in pixels; see setHandleWidth().
    Q_PROPERTY(int handleWidth READ handleWidth WRITE setHandleWidth)

public:
    /// Makes the control under `parent`, in the look a page without styles gives it.
    explicit TAVQSplitter(QWidget *parent = nullptr);
    /// Deletes the implementation object.
    ~TAVQSplitter() override;

    /// "qtsplitter".
    QString GetTypeName() override;
    /// Reads the common attributes, then the "style" slot 0 (the background).
    bool LoadFromJson(const Json::Value &element) override;

    /// Sets the box painted behind the whole control.
    void setBackgroundStyle(const TAVQBoxStyle &style);
    /// The box painted behind the whole control; an invisible box by default.
    const TAVQBoxStyle &backgroundStyle() const;
    /// Sets whether the panes are side by side (true) or stacked.
    void setHorizontal(bool on);
    /// Whether the panes are side by side (true, the default) or stacked.
    bool isHorizontal() const;
    /// Sets the widget left of (or above) the handle; not reparented or moved.
    void setFirstPane(QWidget *pane);
    /// The widget left of (or above) the handle; null when unset or deleted.
    QWidget *firstPane() const;
    /// Sets the widget right of (or below) the handle; not reparented or moved.
    void setSecondPane(QWidget *pane);
    /// The widget right of (or below) the handle; null when unset or deleted.
    QWidget *secondPane() const;
    /// Sets the position of the handle, in pixels.
    void setSplitPosition(int position);
    /// The position of the handle in pixels, -1 when not set.
    int splitPosition() const;
    /// Sets the width of the handle between the panes, in pixels.
    void setHandleWidth(int width);
    /// The width of the handle between the panes, in pixels; 0 by default.
    int handleWidth() const;

protected:
    /// Does nothing: the press changes no look and does not reach the parent.
    void mousePressEvent(QMouseEvent *event) override;
    /// Does nothing, as mousePressEvent().
    void mouseReleaseEvent(QMouseEvent *event) override;
    /// Does nothing, as mousePressEvent().
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    TAVQ_DECLARE_IMPL(TAVQSplitter)
};

/**
 * \brief A scroll area with skinned scroll bars whose content is its first
 * container child; page type "qtscrollview" (also "scrollview").
 *
 * Built from a page, the first TAVQContainer among the element's children
 * becomes the scrolled widget (QScrollArea::setWidget()) and is laid out in the
 * viewport again on every resize of the view. The background style is painted
 * over the viewport, under the content; the frame is off. The bars are
 * TAVQScrollBar objects until the program installs plain ones, after which the
 * scroll-bar setters change nothing.
 *
 * \code
 * auto *view = new TAVQtLib::TAVQScrollView(window);
 * auto *content = new TAVQtLib::TAVQContainer;
 * content->resize(400, 1200);
 * view->setWidget(content);
 * view->setVerticalValue(300);
 * QObject::connect(view, &TAVQtLib::TAVQScrollView::scrollPosChanged, window,
 *                  [](int dx, int dy) { qDebug() << dx << dy; });
 * \endcode
 *
 * \par Signals
 * scrollPosChanged(int dx, int dy) each time the content scrolls; the bars'
 * own `valueChanged(int)` (QScrollBar) through horizontalScrollBar() and
 * verticalScrollBar().
 *
 * \par Repainting
 * The scroll-bar style setters repaint the bar; setScrollBarButtonLength()
 * replaces the bar's style sheet, which Qt repaints; setScrollBarThickness()
 * asks for a new layout of the view. setBackgroundStyle() does not repaint:
 * call `viewport()->update()` after it.
 *
 * \note content() is the container a page gave; a widget set with
 * QScrollArea::setWidget() is not reported by it and is not laid out by the view.
 */
class TAVQTLIB_EXPORT TAVQScrollView : public TAVQControl<QScrollArea>, public TAVQScrollBarForwards
{
    Q_OBJECT
    Q_INTERFACES(TAVQtLib::ITAVQControlBase)
    /// The horizontal scroll position; see setHorizontalValue().
    Q_PROPERTY(int horizontalValue READ horizontalValue WRITE setHorizontalValue)
    /// The vertical scroll position; see setVerticalValue().
    Q_PROPERTY(int verticalValue READ verticalValue WRITE setVerticalValue)

public:
    /// Makes the control under `parent`, in the look a page without styles gives
    /// it, with a skinned bar each way.
    explicit TAVQScrollView(QWidget *parent = nullptr);
    /// Deletes the implementation object.
    ~TAVQScrollView() override;

    /// "qtscrollview".
    QString GetTypeName() override;
    /// Reads the common attributes, then the "style" slots (every slot sets the
    /// background) and the scroll-bar child elements, which style the two bars.
    bool LoadFromJson(const Json::Value &element) override;

    /// Sets the box painted behind the content, over the whole viewport.
    void setBackgroundStyle(const TAVQBoxStyle &style);
    /// The box painted behind the content.
    const TAVQBoxStyle &backgroundStyle() const;
    /// The container that holds the scrolled content, as the page gave it; null
    /// without one, or once it is deleted.
    TAVQContainer *content() const;

    /// Sets the horizontal scroll position (the horizontal bar's value, clamped to its range).
    void setHorizontalValue(int value);
    /// The horizontal scroll position.
    int horizontalValue() const;
    /// Sets the vertical scroll position (the vertical bar's value, clamped to its range).
    void setVerticalValue(int value);
    /// The vertical scroll position.
    int verticalValue() const;

    /// The skinned bar, horizontal or vertical; null once replaced by a plain one.
    TAVQScrollBar *skinnedScrollBar(bool horizontal) const;

    /// Sets the groove box of a bar, as setScrollBarStyle() does; the scroll-bar
    /// setters reach the skinned bars only.
    void setScrollBarBackgroundStyle(bool horizontal, const TAVQBoxStyle &style);
    /// Sets the length of a bar's two arrow buttons, in pixels, as a style sheet
    /// that replaces the bar's own.
    void setScrollBarButtonLength(bool horizontal, int length);
    /// Sets a bar's thickness across its length (its size hint), in pixels; -1 is Qt's own.
    void setScrollBarThickness(bool horizontal, int thickness);

signals:
    /// Emitted when the content scrolls, with the change in x and y in pixels
    /// (as QAbstractScrollArea::scrollContentsBy() gives them).
    void scrollPosChanged(int dx, int dy);

protected:
    /// The skinned bar the scroll-bar setters reach: skinnedScrollBar().
    TAVQScrollBar *forwardedScrollBar(bool horizontal) const override;
    /// Scrolls as QScrollArea does, then emits scrollPosChanged().
    void scrollContentsBy(int dx, int dy) override;
    /// Paints nothing: the background is painted on the viewport's own paint events.
    void paintEvent(QPaintEvent *event) override;
    /// Resizes as QScrollArea does, then lays out the content again.
    void resizeEvent(QResizeEvent *event) override;

private:
    TAVQ_DECLARE_IMPL(TAVQScrollView)
};

} // namespace TAVQtLib

#endif
