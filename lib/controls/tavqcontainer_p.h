#ifndef TAVQ_CONTAINER_P_H
#define TAVQ_CONTAINER_P_H

// Not part of the API: the looks behind TAVQContainer, TAVQGroupBox, TAVQSplitter and TAVQScrollView.

#include "tavqcontainer.h"

#include "core/tavqcontrolbaseimpl.h"
#include "core/tavqplatform.h"
#include "base/tavqkeytable_p.h"

#include <QColor>
#include <QPointer>

#include <memory>

namespace TAVQtLib {

// Look and arrangement of a container.
class TAVQContainerImpl : public TAVQControlBaseImpl
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

    // The box painted behind the whole control.
    void setBackgroundStyle(const TAVQBoxStyle &style) { m_backgroundStyle = style; }
    const TAVQBoxStyle &backgroundStyle() const { return m_backgroundStyle; }
    // The box painted while the control is disabled.
    void setDisabledStyle(const TAVQBoxStyle &style) { m_disabledStyle = style; }
    const TAVQBoxStyle &disabledStyle() const { return m_disabledStyle; }
    // Whether the background is the style's colour box (true) or its image.
    void setUseColor(bool on) { m_backgroundStyle.useColor = on; }
    bool useColor() const { return m_backgroundStyle.useColor; }
    // How the children are arranged (TAVQChildLayout), stored as given.
    void setChildLayout(int layout) { m_childLayout = layout; }
    int childLayout() const { return m_childLayout; }
    // The gap between arranged children, in pixels.
    void setSpace(int space) { m_space = space; }
    int space() const { return m_space; }

    // A null id drops the window.
    void setNativeWindow(WId id);
    WId nativeWindow() const;

private:
    void arrangeLine(Qt::Orientation direction);
    void arrangeFlow(Qt::Orientation direction);

    TAVQBoxStyle m_backgroundStyle;
    TAVQBoxStyle m_disabledStyle;
    int m_childLayout = ChildLayoutNone;
    int m_space = 0;
    std::unique_ptr<TAVQNativeWindow> m_nativeWindow;
};

// Look of a group box: a frame line broken by a title.
class TAVQGroupBoxImpl : public TAVQControlBaseImpl
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

    // Whether the title is drawn (default true).
    void setShowText(bool on) { m_showText = on; }
    bool showText() const { return m_showText; }
    // Kept from the page; the frame is drawn with the line colour only.
    void setBoxStyle(const TAVQBoxStyle &style) { m_boxStyle = style; }
    const TAVQBoxStyle &boxStyle() const { return m_boxStyle; }
    void setTitle(const QString &title) { m_title = title; }
    QString title() const { return m_title; }
    void setFontStyle(const TAVQFontStyle &style) { m_fontStyle = style; }
    const TAVQFontStyle &fontStyle() const { return m_fontStyle; }
    void setLineColor(const QColor &color) { m_lineColor = color; }
    QColor lineColor() const { return m_lineColor; }
    // Distance of the bottom line from the bottom edge: 1 the last row, 0 hidden below it.
    void setLineInset(int inset) { m_lineInset = inset; }
    int lineInset() const { return m_lineInset; }

private:
    void loadTitleAttributes(const Json::Value &attr);

    bool m_showText = true;
    TAVQBoxStyle m_boxStyle;
    QString m_title;
    TAVQFontStyle m_fontStyle;
    QColor m_lineColor = QColor(0, 0, 0);
    int m_lineInset = 1;
};

// Look of a splitter: one box style, invisible until a style is given.
class TAVQSplitterImpl : public TAVQControlBaseImpl
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

    // The box painted behind the whole control.
    void setBackgroundStyle(const TAVQBoxStyle &style) { m_backgroundStyle = style; }
    const TAVQBoxStyle &backgroundStyle() const { return m_backgroundStyle; }
    // Whether the parts are laid out side by side (true) or stacked.
    void setHorizontal(bool on) { m_horizontal = on; }
    bool isHorizontal() const { return m_horizontal; }
    // The panes either side of the handle; null once deleted.
    void setFirstPane(QWidget *pane) { m_firstPane = pane; }
    QWidget *firstPane() const { return m_firstPane; }
    void setSecondPane(QWidget *pane) { m_secondPane = pane; }
    QWidget *secondPane() const { return m_secondPane; }
    // The position of the handle in pixels, -1 when not set.
    void setSplitPosition(int position) { m_splitPosition = position; }
    int splitPosition() const { return m_splitPosition; }
    // The width of the handle between the panes, in pixels.
    void setHandleWidth(int width) { m_handleWidth = width; }
    int handleWidth() const { return m_handleWidth; }

private:
    bool m_horizontal = true;
    QPointer<QWidget> m_firstPane;
    QPointer<QWidget> m_secondPane;
    TAVQBoxStyle m_backgroundStyle;
    int m_splitPosition = -1;
    int m_handleWidth = 0;
};

// Look and content of a scroll view.
class TAVQScrollViewImpl : public TAVQControlBaseImpl
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

    // The box painted behind the whole control.
    void setBackgroundStyle(const TAVQBoxStyle &style) { m_backgroundStyle = style; }
    const TAVQBoxStyle &backgroundStyle() const { return m_backgroundStyle; }
    // The container that holds the scrolled content; null until the page gives one.
    TAVQContainer *content() const { return m_content; }

private:
    QScrollArea *area() const;
    void loadScrollBars(const Json::Value &element);

    QPointer<TAVQContainer> m_content;
    TAVQBoxStyle m_backgroundStyle;
};

} // namespace TAVQtLib

#endif
