#ifndef TAVQ_CONTAINER_H
#define TAVQ_CONTAINER_H

#include "tavqtlib_export.h"

#include "tavqitemviewparts.h"
#include "core/tavqcontrol.h"
#include "core/tavqplatform.h"

#include <QColor>
#include <QPointer>
#include <QScrollArea>
#include <QWidget>

#include <memory>

namespace TAVQtLib {

class TAVQContainer;
class TAVQScrollBar;

// How a container arranges its child controls when it is resized.
enum TAVQChildLayout {
    ChildLayoutRow = 0,
    ChildLayoutColumn = 1,
    ChildLayoutFlowRows = 2,
    ChildLayoutFlowColumns = 3,
    ChildLayoutNone = 4
};

// Look and arrangement of a container.
class TAVQTLIB_EXPORT TAVQContainerImpl : public TAVQControlBaseImpl
{
    Q_OBJECT

public:
    // The look and state of `widget`, at their defaults.
    explicit TAVQContainerImpl(QWidget *widget);
    ~TAVQContainerImpl() override;

    // Reads the element's "style" list and "attr" object, keeping the defaults for
    // what is missing or unknown; true when the element was read.
    bool LoadAttributes(const Json::Value &element);
    // What LoadAttributes() can read: its "attr" keys and "style" slots.
    static const TAVQControlTable Table;
    void Draw(QPainter *painter, const QRect &rect) override;

    // Writes the positions of the child controls into their layout records.
    void arrangeChildren();
    // Keeps the native window over the container's area.
    void moveNativeWindow();

private:
    friend class TAVQContainer;

    void arrangeLine(Qt::Orientation direction);
    void arrangeFlow(Qt::Orientation direction);

    TAVQBoxStyle m_backgroundStyle;
    TAVQBoxStyle m_disabledStyle;
    int m_childLayout = ChildLayoutNone;
    int m_space = 0;
    std::unique_ptr<TAVQNativeWindow> m_nativeWindow;
};

// A panel that paints a box style and can arrange its child controls in a row,
// a column or a wrapping flow.
class TAVQTLIB_EXPORT TAVQContainer : public TAVQControl<QWidget, TAVQContainerImpl>
{
    Q_OBJECT
    Q_INTERFACES(TAVQtLib::ITAVQControlBase)

public:
    // Makes the control under `parent`, in the look a page without styles gives it.
    explicit TAVQContainer(QWidget *parent = nullptr);

    QString GetTypeName() override;

    // The box painted behind the whole control.
    void setBackgroundStyle(const TAVQBoxStyle &style) { m_impl->m_backgroundStyle = style; }
    const TAVQBoxStyle &backgroundStyle() const { return m_impl->m_backgroundStyle; }
    // The box painted while the control is disabled.
    void setDisabledStyle(const TAVQBoxStyle &style) { m_impl->m_disabledStyle = style; }
    const TAVQBoxStyle &disabledStyle() const { return m_impl->m_disabledStyle; }
    // Whether the background is the style's colour box (true) or its image.
    void setUseColor(bool on) { m_impl->m_backgroundStyle.useColor = on; }
    bool useColor() const { return m_impl->m_backgroundStyle.useColor; }
    // How the children are arranged (none, a line or a flow, across or down).
    void setChildLayout(int layout) { m_impl->m_childLayout = layout; }
    int childLayout() const { return m_impl->m_childLayout; }
    // The gap between arranged children, in pixels.
    void setSpace(int space) { m_impl->m_space = space; }
    int space() const { return m_impl->m_space; }

    // A null id clears it.
    void setNativeWindow(WId id);
    WId nativeWindow() const;
    void clearNativeWindow();

protected:
    void resizeEvent(QResizeEvent *event) override;
};

// Look of a group box: a frame line broken by a title.
class TAVQTLIB_EXPORT TAVQGroupBoxImpl : public TAVQControlBaseImpl
{
    Q_OBJECT

public:
    // The look and state of `widget`, at their defaults.
    explicit TAVQGroupBoxImpl(QWidget *widget);

    // Reads the element's "style" list and "attr" object, keeping the defaults for
    // what is missing or unknown; true when the element was read.
    bool LoadAttributes(const Json::Value &element);
    // What LoadAttributes() can read: its "attr" keys and "style" slots.
    static const TAVQControlTable Table;
    void Draw(QPainter *painter, const QRect &rect) override;

private:
    friend class TAVQGroupBox;

    void loadTitleAttributes(const Json::Value &attr);

    bool m_showText = true;
    TAVQBoxStyle m_boxStyle;
    QString m_title;
    TAVQFontStyle m_fontStyle;
    QColor m_lineColor = QColor(0, 0, 0);
    int m_lineInset = 1;
};

// A titled frame around a region.
class TAVQTLIB_EXPORT TAVQGroupBox : public TAVQControl<QWidget, TAVQGroupBoxImpl>
{
    Q_OBJECT
    Q_INTERFACES(TAVQtLib::ITAVQControlBase)

public:
    // Makes the control under `parent`, in the look a page without styles gives it.
    explicit TAVQGroupBox(QWidget *parent = nullptr);

    QString GetTypeName() override;

    // Whether the text is drawn (default true).
    void setShowText(bool on) { m_impl->m_showText = on; }
    bool showText() const { return m_impl->m_showText; }
    // Kept from the page; the frame is drawn with the line colour only.
    void setBoxStyle(const TAVQBoxStyle &style) { m_impl->m_boxStyle = style; }
    const TAVQBoxStyle &boxStyle() const { return m_impl->m_boxStyle; }
    void setTitle(const QString &title) { m_impl->m_title = title; }
    QString title() const { return m_impl->m_title; }
    void setFontStyle(const TAVQFontStyle &style) { m_impl->m_fontStyle = style; }
    const TAVQFontStyle &fontStyle() const { return m_impl->m_fontStyle; }
    void setLineColor(const QColor &color) { m_impl->m_lineColor = color; }
    QColor lineColor() const { return m_impl->m_lineColor; }
    // Distance of the bottom line from the bottom edge: 1 the last row, 0 hidden below it.
    void setLineInset(int inset) { m_impl->m_lineInset = inset; }
    int lineInset() const { return m_impl->m_lineInset; }
};

// Look of a splitter: one box style, invisible until a style is given.
class TAVQTLIB_EXPORT TAVQSplitterImpl : public TAVQControlBaseImpl
{
    Q_OBJECT

public:
    // The look and state of `widget`, at their defaults.
    explicit TAVQSplitterImpl(QWidget *widget);

    // Reads the element's "style" list and "attr" object, keeping the defaults for
    // what is missing or unknown; true when the element was read.
    bool LoadAttributes(const Json::Value &element);
    // What LoadAttributes() can read: its "attr" keys and "style" slots.
    static const TAVQControlTable Table;
    void Draw(QPainter *painter, const QRect &rect) override;

private:
    friend class TAVQSplitter;

    bool m_horizontal = true;
    QPointer<QWidget> m_firstPane;
    QPointer<QWidget> m_secondPane;
    TAVQBoxStyle m_backgroundStyle;
    int m_splitPosition = -1;
    int m_handleWidth = 0;
};

// A panel that paints a box style and keeps its split settings for the
// application; it arranges nothing and takes no mouse input.
class TAVQTLIB_EXPORT TAVQSplitter : public TAVQControl<QWidget, TAVQSplitterImpl>
{
    Q_OBJECT
    Q_INTERFACES(TAVQtLib::ITAVQControlBase)

public:
    // Makes the control under `parent`, in the look a page without styles gives it.
    explicit TAVQSplitter(QWidget *parent = nullptr);

    QString GetTypeName() override;

    // The box painted behind the whole control.
    void setBackgroundStyle(const TAVQBoxStyle &style) { m_impl->m_backgroundStyle = style; }
    const TAVQBoxStyle &backgroundStyle() const { return m_impl->m_backgroundStyle; }
    // Whether the parts are laid out side by side (true) or stacked.
    void setHorizontal(bool on) { m_impl->m_horizontal = on; }
    bool isHorizontal() const { return m_impl->m_horizontal; }
    // The widget left of (or above) the handle.
    void setFirstPane(QWidget *pane) { m_impl->m_firstPane = pane; }
    QWidget *firstPane() const { return m_impl->m_firstPane; }
    // The widget right of (or below) the handle.
    void setSecondPane(QWidget *pane) { m_impl->m_secondPane = pane; }
    QWidget *secondPane() const { return m_impl->m_secondPane; }
    // The position of the handle in pixels, -1 when not set.
    void setSplitPosition(int position) { m_impl->m_splitPosition = position; }
    int splitPosition() const { return m_impl->m_splitPosition; }
    // The width of the handle between the panes, in pixels.
    void setHandleWidth(int width) { m_impl->m_handleWidth = width; }
    int handleWidth() const { return m_impl->m_handleWidth; }

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
};

// Look and content of a scroll view.
class TAVQTLIB_EXPORT TAVQScrollViewImpl : public TAVQControlBaseImpl
{
    Q_OBJECT

public:
    // The look and state of `widget`, at their defaults.
    explicit TAVQScrollViewImpl(QWidget *widget);

    // Reads the element's "style" list and "attr" object, keeping the defaults for
    // what is missing or unknown; true when the element was read.
    bool LoadAttributes(const Json::Value &element);
    // What LoadAttributes() can read: its "attr" keys and "style" slots.
    static const TAVQControlTable Table;
    void Draw(QPainter *painter, const QRect &rect) override;
    void OnChildrenLoaded() override;
    // Paints the background on the viewport's paint events.
    bool eventFilter(QObject *watched, QEvent *event) override;

    // Lays out the content inside the viewport.
    void layoutContent();

private:
    friend class TAVQScrollView;

    QScrollArea *area() const;
    void loadScrollBars(const Json::Value &element);

    QPointer<TAVQContainer> m_content;
    TAVQBoxStyle m_backgroundStyle;
};

// A scroll area whose content is its first container child.
class TAVQTLIB_EXPORT TAVQScrollView : public TAVQControl<QScrollArea, TAVQScrollViewImpl>,
                                       public TAVQScrollBarForwards
{
    Q_OBJECT
    Q_INTERFACES(TAVQtLib::ITAVQControlBase)

public:
    // Makes the control under `parent`, in the look a page without styles gives it.
    explicit TAVQScrollView(QWidget *parent = nullptr);

    QString GetTypeName() override;

    // The box painted behind the whole control.
    void setBackgroundStyle(const TAVQBoxStyle &style) { m_impl->m_backgroundStyle = style; }
    const TAVQBoxStyle &backgroundStyle() const { return m_impl->m_backgroundStyle; }
    // The container that holds the scrolled content.
    TAVQContainer *content() const { return m_impl->m_content; }

    // The horizontal scroll position.
    void setHorizontalValue(int value);
    int horizontalValue() const;
    // The vertical scroll position.
    void setVerticalValue(int value);
    int verticalValue() const;

    // The skinned bar, horizontal or vertical; null once replaced by a plain one.
    TAVQScrollBar *skinnedScrollBar(bool horizontal) const;

    // The groove box of a bar, as setScrollBarStyle() sets it; the scroll-bar
    // setters reach the skinned bars only.
    void setScrollBarBackgroundStyle(bool horizontal, const TAVQBoxStyle &style)
    {
        setScrollBarStyle(horizontal, style);
    }
    // Sets the bar's button length style sheet, replacing its sheet.
    void setScrollBarButtonLength(bool horizontal, int length);
    // The bar's thickness across its length (its size hint); -1 is Qt's own.
    void setScrollBarThickness(bool horizontal, int thickness);

signals:
    // Emitted when the content scrolls, with the change in x and y.
    void scrollPosChanged(int dx, int dy);

protected:
    TAVQScrollBar *forwardedScrollBar(bool horizontal) const override { return skinnedScrollBar(horizontal); }
    void scrollContentsBy(int dx, int dy) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
};

} // namespace TAVQtLib

#endif
