#ifndef TAVQ_ITEMVIEWPARTS_H
#define TAVQ_ITEMVIEWPARTS_H

#include "tavqtlib_export.h"

#include "core/tavqcontrolbaseimpl.h"
#include "resources/tavqpaint.h"
#include "resources/tavqstyle.h"

#include <QWidget>

#include <array>

class QAbstractScrollArea;

namespace TAVQtLib {

class TAVQScrollBar;

// Parts the scrolling controls share: the scroll-bar setters and the two
// skinned bars; and those of the list, table and tree views: the panes painted
// with the background style, the header looks and the viewport background.

// The scroll-bar setters of a scrolling control, forwarded to the bar that
// forwardedScrollBar() gives. `horizontal` picks the bar, `upArrow` the
// sub-line rather than the add-line button; state 4 means all four states. A
// bar that is not there (null) takes nothing.
class TAVQTLIB_EXPORT TAVQScrollBarForwards
{
public:
    // Sets the groove box of a bar.
    void setScrollBarStyle(bool horizontal, const TAVQBoxStyle &style);
    // Sets the icon of an arrow button of a bar.
    void setScrollBarArrowIcon(bool horizontal, bool upArrow, const QString &image);
    // Sets where the icon of an arrow button of a bar goes.
    void setScrollBarArrowIconPlacement(bool horizontal, bool upArrow, const TAVQImagePlacement &placement);
    // Sets the icon of a bar's thumb.
    void setScrollBarThumbIcon(bool horizontal, const QString &image);
    // Sets the box of an arrow button of a bar, per visual state.
    void setScrollBarArrowStyle(bool horizontal, bool upArrow, int state, const TAVQBoxStyle &style);
    // Sets the box of a bar's thumb, per visual state.
    void setScrollBarThumbStyle(bool horizontal, int state, const TAVQBoxStyle &style);

protected:
    // Not deleted through this class: it is a part of a control.
    ~TAVQScrollBarForwards() = default;
    // The skinned horizontal or vertical bar the setters reach, or null.
    virtual TAVQScrollBar *forwardedScrollBar(bool horizontal) const = 0;
};

// The two skinned bars of a scrolling control that installs its own.
class TAVQTLIB_EXPORT TAVQItemViewScrollBars : public TAVQScrollBarForwards
{
public:
    // The skinned horizontal or vertical bar.
    TAVQScrollBar *scrollBar(bool horizontal) const { return horizontal ? m_hBar : m_vBar; }

protected:
    // Creates both bars as children of `view` and installs them there.
    void installScrollBars(QAbstractScrollArea *view);
    // Sets `sheet` as the whole style sheet of the vertical, then the horizontal bar.
    void setScrollBarSheets(const QString &sheet);
    TAVQScrollBar *forwardedScrollBar(bool horizontal) const override { return scrollBar(horizontal); }

private:
    TAVQScrollBar *m_hBar = nullptr;
    TAVQScrollBar *m_vBar = nullptr;
};

// A widget that paints one box style over itself: the corner between the bars
// and the viewport of a view. The style belongs to the view's implementation,
// which outlives the pane's paint events.
class TAVQTLIB_EXPORT TAVQBoxPane : public QWidget
{
    Q_OBJECT

public:
    // Paints `style`, which must outlive the pane, under `parent`.
    TAVQBoxPane(const TAVQBoxStyle *style, QWidget *parent);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    const TAVQBoxStyle *m_style;
};

// Box and font styles of a header by look 0 to 3; look 4 (setters only) means
// all four, other looks change nothing and read as look 0.
class TAVQTLIB_EXPORT TAVQHeaderLooks
{
public:
    // The box of a header section, per look.
    void setBox(int look, const TAVQBoxStyle &style);
    const TAVQBoxStyle &box(int look) const { return m_boxes[stateSlot(look)]; }
    // The font style of a header section's text, per look.
    void setFont(int look, const TAVQFontStyle &style);
    const TAVQFontStyle &font(int look) const { return m_fonts[stateSlot(look)]; }

    // A page's style slot of the group: look 0 fills all four; unknown names change nothing.
    void loadBox(int look, const QString &name);
    void loadFont(int look, const QString &name);

private:
    std::array<TAVQBoxStyle, 4> m_boxes;
    std::array<TAVQFontStyle, 4> m_fonts;
};

namespace TAVQItemViews {

// On the paint event of the view's viewport, paints `style` over the whole
// viewport, under what the view paints next; true when it painted.
TAVQTLIB_EXPORT bool paintViewportBackground(const QAbstractScrollArea *view, const QObject *watched, const QEvent *event,
                             const TAVQBoxStyle &style);

} // namespace TAVQItemViews

} // namespace TAVQtLib

#endif
