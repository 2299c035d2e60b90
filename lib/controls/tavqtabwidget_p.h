#ifndef TAVQ_TABWIDGET_P_H
#define TAVQ_TABWIDGET_P_H

// Not part of the API: the look behind TAVQTabWidget.

#include "tavqtabwidget.h"

#include "core/tavqcontrolbaseimpl.h"
#include "base/tavqkeytable_p.h"

#include <QStringList>

#include <array>

namespace TAVQtLib {

// Look of a tab bar: the items, their boxes and fonts per look.
class TAVQTabWidgetImpl : public TAVQControlBaseImpl
{
    Q_OBJECT

public:
    // The look and state of `widget`, at their defaults.
    explicit TAVQTabWidgetImpl(QWidget *widget);

    // Reads the element's "style" list and "attr" object, keeping the defaults for
    // what is missing or unknown; true when the element was read.
    bool LoadAttributes(const Json::Value &element);
    // What LoadAttributes() can read: its "attr" keys and "style" slots.
    static const TAVQControlTable Table;
    void Draw(QPainter *painter, const QRect &rect) override;
    void OnChildrenLoaded() override;

    // Appends an item with the text.
    void addItem(const QString &text) { m_items.append(text); }
    // Removes an item; nothing for an index out of range.
    void removeItem(int index);
    // Removes every item.
    void clear() { m_items.clear(); }
    // The number of items.
    int count() const { return m_items.size(); }
    // The text of an item; empty for an index out of range.
    QString itemText(int index) const { return m_items.value(index); }

    // The selected item, -1 for none.
    int currentIndex() const { return m_currentIndex; }
    void setCurrentIndex(int index) { m_currentIndex = index; }
    // The index of the item under the pointer, -1 for none.
    int hoverIndex() const { return m_hoverIndex; }
    void setHoverIndex(int index) { m_hoverIndex = index; }

    // Item rectangles follow the widget's current size; items past its edge
    // are laid out all the same.
    QRect itemRect(int index) const;
    // The first item containing `pos`, or -1 (the gaps between items hit nothing).
    int itemAt(const QPoint &pos) const;

    // Whether the parts are laid out side by side (true) or stacked.
    bool isHorizontal() const { return !m_vertical; }
    void setHorizontal(bool horizontal) { m_vertical = !horizontal; }
    // The extent of an item along the bar, in pixels.
    int itemSize() const { return m_itemSize; }
    void setItemSize(int size) { m_itemSize = size; }
    // The gap between two items, in pixels.
    int itemSpace() const { return m_itemSpace; }
    void setItemSpace(int space) { m_itemSpace = space; }
    // Whether the text is drawn (default true).
    bool showText() const { return m_showText; }
    void setShowText(bool show) { m_showText = show; }

    // The box painted behind the whole control.
    const TAVQBoxStyle &backgroundStyle() const { return m_backgroundStyle; }
    void setBackgroundStyle(const TAVQBoxStyle &style) { m_backgroundStyle = style; }
    // Looks 0 to 3; 4 sets all four. Other looks change nothing and read as look 0.
    const TAVQBoxStyle &itemStyle(int look) const { return m_itemStyles[stateSlot(look)]; }
    void setItemStyle(int look, const TAVQBoxStyle &style);
    const TAVQFontStyle &itemFontStyle(int look) const { return m_itemFontStyles[stateSlot(look)]; }
    void setItemFontStyle(int look, const TAVQFontStyle &style);

private:
    void loadStyles(const Json::Value &element);
    void loadAttr(const Json::Value &attr);
    int lookOf(int index) const;

    bool m_showText = true;
    int m_currentIndex = 0;
    int m_hoverIndex = -1;
    int m_itemSpace = 0;
    bool m_vertical = false;
    int m_itemSize = 50;
    QStringList m_items;
    TAVQBoxStyle m_backgroundStyle;
    std::array<TAVQBoxStyle, 4> m_itemStyles;
    std::array<TAVQFontStyle, 4> m_itemFontStyles;
};

} // namespace TAVQtLib

#endif
