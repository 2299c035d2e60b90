#ifndef TAVQ_TABWIDGET_H
#define TAVQ_TABWIDGET_H

#include "tavqtlib_export.h"

#include "core/tavqcontrol.h"

#include <QWidget>

namespace TAVQtLib {

class TAVQTabWidgetImpl;

/// Looks of a tab item, for TAVQTabWidget::setItemStyle() and TAVQTabWidget::setItemFontStyle().
enum TAVQTabLook {
    TabLookNormal = 0,  ///< An item neither current nor under the pointer.
    TabLookHover = 1,   ///< The item under the pointer, when it is not the current one.
    TabLookCurrent = 2, ///< The current item, under the pointer or not.
    TabLookAll = 4      ///< All four looks at once (setters only); look 3 is kept but never painted.
};

/**
 * \brief A strip of text items, one of them current; page type "qttab" (also "tab").
 *
 * Unlike QTabWidget it holds no pages: listeners of currentChanged() show the
 * matching content. The items are laid out along the strip, each itemSize()
 * pixels long and itemSpace() pixels apart, starting at the left (or top) edge
 * and filling the strip's thickness; items past the far edge are laid out all
 * the same and simply not seen. The strip paints its background box, then each
 * item's box and text in the item's look (TAVQTabLook).
 *
 * \code
 * auto *tabs = new TAVQtLib::TAVQTabWidget(window);
 * tabs->addItem(QStringLiteral("Food"));
 * tabs->addItem(QStringLiteral("Drinks"));
 * tabs->setItemSize(90);
 * tabs->setItemSpace(4);
 * QObject::connect(tabs, &TAVQtLib::TAVQTabWidget::currentChanged, pages, &QStackedWidget::setCurrentIndex);
 * \endcode
 *
 * \par Signals
 * currentChanged(int index) when setCurrentIndex() changes the current item,
 * and on every press on an item, even the current one.
 *
 * \par Repainting
 * setCurrentIndex() repaints when it changes the item, and the pointer's
 * presses, moves and leaving repaint as the looks change; the other setters,
 * addItem(), removeItem() and clear() change only what the next paint draws:
 * call `update()` after them.
 *
 * \note The current index is not kept in step with the items: it is 0 at first,
 * even with no items, and removeItem() and clear() leave it as it is.
 */
class TAVQTLIB_EXPORT TAVQTabWidget : public TAVQControl<QWidget>
{
    Q_OBJECT
    Q_INTERFACES(TAVQtLib::ITAVQControlBase)
    /// The current item, negative for none; see setCurrentIndex().
    Q_PROPERTY(int currentIndex READ currentIndex WRITE setCurrentIndex NOTIFY currentChanged)
    /// Whether the items run across the strip; see setHorizontal().
    Q_PROPERTY(bool horizontal READ isHorizontal WRITE setHorizontal)
    /// The length of an item along the strip, in pixels; see setItemSize().
    Q_PROPERTY(int itemSize READ itemSize WRITE setItemSize)
    /// The gap between two items, in pixels; see setItemSpace().
    Q_PROPERTY(int itemSpace READ itemSpace WRITE setItemSpace)
    /// Whether the item texts are drawn; see setShowText().
    Q_PROPERTY(bool showText READ showText WRITE setShowText)

public:
    /// Makes the control under `parent`, in the look a page without styles
    /// gives it, with no items; it tracks the mouse for the hover look.
    explicit TAVQTabWidget(QWidget *parent = nullptr);
    /// Deletes the implementation object.
    ~TAVQTabWidget() override;

    /// "qttab".
    QString GetTypeName() override;
    /// Reads the common attributes, then the "style" slots (0 background, 1–4
    /// item box per look, 5–8 item font per look, the first of each meaning all
    /// four) and the "attr" keys "itemSize", "isHor", "itemSpace" and "showText"
    /// (a number, 0 hides the text).
    bool LoadFromJson(const Json::Value &element) override;

    /// Appends an item with the text.
    void addItem(const QString &text);
    /// Removes an item; nothing for an index out of range.
    void removeItem(int index);
    /// Removes every item.
    void clear();
    /// The number of items.
    int count() const;
    /// The text of an item; empty for an index out of range.
    QString itemText(int index) const;

    /// Makes an item current and emits currentChanged(); nothing for the current
    /// index or an index of count() or more. A negative index is taken as it is
    /// and leaves no item current.
    void setCurrentIndex(int index);
    /// The current item; 0 at first, negative for none.
    int currentIndex() const;
    /// The index of the item under the pointer, -1 for none; over a gap it stays
    /// on the last item hit.
    int hoverIndex() const;
    /// The rectangle item `index` takes at the widget's current size; any index
    /// gets one, whether there is such an item or not.
    QRect itemRect(int index) const;
    /// The first item whose rectangle holds `pos`; -1 for none, as over the gaps
    /// between items.
    int itemAt(const QPoint &pos) const;

    /// Sets whether the items run across (true) or down the strip.
    void setHorizontal(bool horizontal);
    /// Whether the items run across (true, the default) or down the strip.
    bool isHorizontal() const;
    /// Sets the length of an item along the strip, in pixels.
    void setItemSize(int size);
    /// The length of an item along the strip, in pixels; 50 by default.
    int itemSize() const;
    /// Sets the gap between two items, in pixels.
    void setItemSpace(int space);
    /// The gap between two items, in pixels; 0 by default.
    int itemSpace() const;
    /// Sets whether the item texts are drawn.
    void setShowText(bool show);
    /// Whether the item texts are drawn (default true).
    bool showText() const;

    /// Sets the box painted behind the whole strip.
    void setBackgroundStyle(const TAVQBoxStyle &style);
    /// The box painted behind the whole strip.
    const TAVQBoxStyle &backgroundStyle() const;
    /// Sets the box of an item in a look (TAVQTabLook; TabLookAll sets all four,
    /// other values change nothing).
    void setItemStyle(int look, const TAVQBoxStyle &style);
    /// The box of an item in a look; an out-of-range look reads look 0.
    const TAVQBoxStyle &itemStyle(int look) const;
    /// Sets the font style of an item's text in a look (TabLookAll sets all four).
    void setItemFontStyle(int look, const TAVQFontStyle &style);
    /// The font style of an item's text in a look; an out-of-range look reads look 0.
    const TAVQFontStyle &itemFontStyle(int look) const;

signals:
    /// Emitted with the index of the new current item, by setCurrentIndex() and
    /// by a press on an item (also the current one).
    void currentChanged(int index);

protected:
    /// A press on an item makes it current, emits currentChanged() and repaints;
    /// a press elsewhere does nothing.
    void mousePressEvent(QMouseEvent *event) override;
    /// Does nothing.
    void mouseReleaseEvent(QMouseEvent *event) override;
    /// Moves the hover look to the item under the pointer and repaints.
    void mouseMoveEvent(QMouseEvent *event) override;
    /// Clears the hover look and repaints.
    void leaveEvent(QEvent *event) override;

private:
    TAVQ_DECLARE_IMPL(TAVQTabWidget)
};

} // namespace TAVQtLib

#endif
