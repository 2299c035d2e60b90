#ifndef TAVQ_LIST_H
#define TAVQ_LIST_H

#include "tavqtlib_export.h"

#include "core/tavqcontrol.h"
#include "tavqitemviewparts.h"

#include <QItemDelegate>
#include <QListWidget>

#include <array>

namespace TAVQtLib {

class TAVQList;
class TAVQScrollBar;

// Row looks of a styled item view: a background under the rows and a box and a
// font per look (0 normal, 1 mouse over, 2 selected, 3 kept but never drawn).
// Shared by the item views whose rows are plain styled texts.
class TAVQTLIB_EXPORT TAVQRowLooks
{
public:
    // The box painted behind the items.
    void setBackground(const TAVQBoxStyle &style) { m_background = style; }
    const TAVQBoxStyle &background() const { return m_background; }
    // Looks 0 to 3; look 4 (setters only) means all four. Other looks change
    // nothing and read as look 0.
    void setBox(int look, const TAVQBoxStyle &style);
    const TAVQBoxStyle &box(int look) const { return m_boxes[stateSlot(look)]; }
    void setFont(int look, const TAVQFontStyle &style);
    const TAVQFontStyle &font(int look) const { return m_fonts[stateSlot(look)]; }

    // One page "style" entry: slot 0 the background, 2 to 5 boxes, 6 to
    // `lastFontSlot` fonts, the first of each group standing for all four looks.
    // Other slots and unknown names change nothing.
    void loadSlot(const QString &name, int slot, int lastFontSlot);

    // The look's box, then the row text in the look's font, over `rect`.
    void paintRow(QPainter *painter, int look, const QModelIndex &index, const QRect &rect) const;
    // The first value of the index's item data (lowest role present), as a string.
    static QString rowText(const QModelIndex &index);

private:
    TAVQBoxStyle m_background;
    std::array<TAVQBoxStyle, 4> m_boxes;
    std::array<TAVQFontStyle, 4> m_fonts;
};

// Look and row height of a list of plain text rows.
class TAVQTLIB_EXPORT TAVQListImpl : public TAVQControlBaseImpl
{
    Q_OBJECT

public:
    // The look and state of `widget`, at their defaults.
    explicit TAVQListImpl(QWidget *widget);

    // Reads the element's "style" list and "attr" object, keeping the defaults for
    // what is missing or unknown; true when the element was read.
    bool LoadAttributes(const Json::Value &element);
    // What LoadAttributes() can read: its "attr" keys and "style" slots.
    static const TAVQControlTable Table;
    // Rows are drawn by the delegate and the background by the viewport filter.
    void Draw(QPainter *painter, const QRect &rect) override;
    void OnChildrenLoaded() override;

    // The row looks: background, and box and font per look.
    TAVQRowLooks &looks() { return m_looks; }
    const TAVQRowLooks &looks() const { return m_looks; }
    // The height of a row in pixels.
    void setItemHeight(int height) { m_itemHeight = height; }
    int itemHeight() const { return m_itemHeight; }
    // The height rows are laid out with: 0 means 20.
    int rowHeight() const;

private:
    TAVQList *list() const;
    void loadStyles(const Json::Value &element);

    int m_itemHeight = 20;
    TAVQRowLooks m_looks;
};

// Paints one row from the list's looks; mouse over wins over selected.
class TAVQTLIB_EXPORT TAVQListItemDelegate : public QItemDelegate
{
    Q_OBJECT

public:
    // Paints rows in the looks of `impl`.
    TAVQListItemDelegate(TAVQListImpl *impl, QObject *parent);

    // Paints the row from the control's item styles.
    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    // The row size the control lays out with.
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

    // The row look of a Qt item state: selected, hover or normal.
    static int lookOf(QStyle::State state);

private:
    TAVQListImpl *m_impl;
};

// A list of plain text rows drawn from styles, with the skinned scroll bars.
class TAVQTLIB_EXPORT TAVQList : public TAVQControl<QListWidget, TAVQListImpl>, public TAVQItemViewScrollBars
{
    Q_OBJECT
    Q_INTERFACES(TAVQtLib::ITAVQControlBase)

public:
    // Makes the control under `parent`, in the look a page without styles gives it.
    explicit TAVQList(QWidget *parent = nullptr);

    QString GetTypeName() override;

    // The box painted behind the whole control.
    void setBackgroundStyle(const TAVQBoxStyle &style) { m_impl->looks().setBackground(style); }
    const TAVQBoxStyle &backgroundStyle() const { return m_impl->looks().background(); }
    // The box of an item, per look (4 sets all four).
    void setItemStyle(int look, const TAVQBoxStyle &style) { m_impl->looks().setBox(look, style); }
    const TAVQBoxStyle &itemStyle(int look) const { return m_impl->looks().box(look); }
    // The font style of an item's text, per look (4 sets all four).
    void setItemFontStyle(int look, const TAVQFontStyle &style) { m_impl->looks().setFont(look, style); }
    const TAVQFontStyle &itemFontStyle(int look) const { return m_impl->looks().font(look); }
    // No relayout follows; 0 means 20.
    void setItemHeight(int height) { m_impl->setItemHeight(height); }
    int itemHeight() const { return m_impl->itemHeight(); }

    // The buttons always take the bar's thickness, so a length changes nothing.
    void setScrollBarButtonLength(bool horizontal, int length);
    // Both bars and their vertical buttons take `thickness`; `horizontal` is ignored.
    void setScrollBarThickness(bool horizontal, int thickness);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    TAVQListItemDelegate *m_delegate;
};

} // namespace TAVQtLib

#endif
