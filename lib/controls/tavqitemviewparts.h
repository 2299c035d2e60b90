#ifndef TAVQ_ITEMVIEWPARTS_H
#define TAVQ_ITEMVIEWPARTS_H

#include "tavqtlib_export.h"

#include "resources/tavqpaint.h"
#include "resources/tavqstyle.h"

#include <QString>

#include <memory>

class QAbstractScrollArea;

namespace TAVQtLib {

class TAVQScrollBar;
class TAVQItemViewScrollBarsPrivate;

/**
 * \brief The scroll-bar setters of a scrolling control, each forwarded to one
 * of its skinned bars (TAVQScrollBar).
 *
 * A base class of the scrolling controls (the list, table and tree views, the
 * text edit, the scroll view). In every setter `horizontal` picks the bar;
 * `upArrow` picks the sub-line (up or left) button rather than the add-line one;
 * `state` is a TAVQState, StateAll setting all four. A bar the control does not
 * have takes nothing. The bar repaints itself.
 *
 * \code
 * auto *list = new TAVQtLib::TAVQList(window);
 * TAVQtLib::TAVQBoxStyle groove;
 * groove.color = Qt::lightGray;
 * list->setScrollBarStyle(false, groove);
 * list->setScrollBarArrowIcon(false, true, QStringLiteral("IDB_ARROW_UP"));
 * \endcode
 */
class TAVQTLIB_EXPORT TAVQScrollBarForwards
{
public:
    /// Sets the groove box of a bar.
    void setScrollBarStyle(bool horizontal, const TAVQBoxStyle &style);
    /// Sets the icon of an arrow button of a bar, by resource name.
    void setScrollBarArrowIcon(bool horizontal, bool upArrow, const QString &image);
    /// Sets where the icon of an arrow button of a bar goes inside the button.
    void setScrollBarArrowIconPlacement(bool horizontal, bool upArrow, const TAVQImagePlacement &placement);
    /// Sets the icon of a bar's thumb, by resource name.
    void setScrollBarThumbIcon(bool horizontal, const QString &image);
    /// Sets the box of an arrow button of a bar in a visual state.
    void setScrollBarArrowStyle(bool horizontal, bool upArrow, int state, const TAVQBoxStyle &style);
    /// Sets the box of a bar's thumb in a visual state.
    void setScrollBarThumbStyle(bool horizontal, int state, const TAVQBoxStyle &style);

protected:
    /// Not deleted through this class: it is a part of a control.
    ~TAVQScrollBarForwards() = default;
    /// The skinned horizontal or vertical bar the setters reach, or null for none.
    virtual TAVQScrollBar *forwardedScrollBar(bool horizontal) const = 0;
};

/**
 * \brief The two skinned scroll bars of a scrolling control that makes its own,
 * and the scroll-bar setters that reach them.
 *
 * A base class of TAVQList, TAVQListView, TAVQTableView, TAVQTreeView and
 * TAVQTextEdit: each makes a horizontal and a vertical TAVQScrollBar when it is
 * made and installs them as its Qt scroll bars, so scrollBar() and
 * `horizontalScrollBar()` / `verticalScrollBar()` give the same objects.
 *
 * \code
 * auto *tree = new TAVQtLib::TAVQTreeView(window);
 * TAVQtLib::TAVQBoxStyle thumb;
 * thumb.color = Qt::darkGray;
 * tree->setScrollBarThumbStyle(false, TAVQtLib::StateAll, thumb);
 * tree->scrollBar(false)->setThickness(12);
 * \endcode
 *
 * A bar replaced through `setHorizontalScrollBar()` or `setVerticalScrollBar()`
 * is deleted by Qt; scrollBar() then gives null for that side and the setters
 * change nothing there.
 */
class TAVQTLIB_EXPORT TAVQItemViewScrollBars : public TAVQScrollBarForwards
{
public:
    /// The skinned horizontal (`horizontal` true) or vertical bar; null before
    /// the control installs its bars or after one was replaced.
    TAVQScrollBar *scrollBar(bool horizontal) const;

protected:
    /// No bars yet: the control installs them with installScrollBars().
    TAVQItemViewScrollBars();
    /// Not deleted through this class: it is a part of a control. The bars go
    /// with the control's widget, their parent.
    ~TAVQItemViewScrollBars();
    /// Makes both bars as children of `view` and installs them as its scroll bars.
    void installScrollBars(QAbstractScrollArea *view);
    /// Sets `sheet` as the whole style sheet of the vertical, then the
    /// horizontal bar; a missing bar is skipped.
    void setScrollBarSheets(const QString &sheet);
    /// The bar scrollBar() gives.
    TAVQScrollBar *forwardedScrollBar(bool horizontal) const override;

private:
    const std::unique_ptr<TAVQItemViewScrollBarsPrivate> d_ptr;
};

} // namespace TAVQtLib

#endif
