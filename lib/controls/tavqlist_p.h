#ifndef TAVQ_LIST_P_H
#define TAVQ_LIST_P_H

// Not part of the API: the row looks, implementation and delegate behind TAVQList.

#include "tavqlist.h"

#include "core/tavqcontrolbaseimpl.h"
#include "base/tavqkeytable_p.h"

#include <QItemDelegate>

#include <array>

namespace TAVQtLib {

// Row looks of a styled item view: a background under the rows and a box and a
// font per look (0 normal, 1 mouse over, 2 selected, 3 kept but never drawn).
// Shared by the item views whose rows are plain styled texts.
class TAVQRowLooks
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
class TAVQListImpl : public TAVQControlBaseImpl
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
class TAVQListItemDelegate : public QItemDelegate
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

} // namespace TAVQtLib

#endif
