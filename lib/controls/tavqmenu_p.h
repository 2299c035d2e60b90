#ifndef TAVQ_MENU_P_H
#define TAVQ_MENU_P_H

// Not part of the API: the looks behind TAVQMenuBar and TAVQMenu.

#include "tavqmenu.h"

#include "core/tavqcontrolbaseimpl.h"
#include "base/tavqkeytable_p.h"

#include <array>

namespace TAVQtLib {

// Look of a menu bar: item boxes and fonts per visual state.
class TAVQMenuBarImpl : public TAVQControlBaseImpl
{
    Q_OBJECT

public:
    // The look and state of `widget`, at their defaults.
    explicit TAVQMenuBarImpl(QWidget *widget);

    // A menu bar takes its styles from the setters only.
    bool LoadAttributes(const Json::Value &element) { return LoadAttrMap(&element); }
    // What LoadAttributes() can read: its "attr" keys and "style" slots.
    static const TAVQControlTable Table;
    void Draw(QPainter *painter, const QRect &rect) override;

    // States 0 to 3, or 4 for all four.
    void setItemBox(int state, const TAVQBoxStyle &style);
    const TAVQBoxStyle &itemBox(int state) const { return m_itemBoxes[stateSlot(state)]; }
    void setItemFont(int state, const TAVQFontStyle &style);
    const TAVQFontStyle &itemFont(int state) const { return m_itemFonts[stateSlot(state)]; }

    // The index of the item under the pointer, -1 for none.
    int hoverIndex() const { return m_hoverIndex; }
    void setHoverIndex(int index);
    // The index of the item pressed, -1 for none.
    int pressedIndex() const { return m_pressedIndex; }
    void setPressedIndex(int index) { m_pressedIndex = index; }

private:
    int m_hoverIndex = -1;
    int m_pressedIndex = -1;
    std::array<TAVQFontStyle, 4> m_itemFonts;
    std::array<TAVQBoxStyle, 4> m_itemBoxes;
};

// Look of a menu: background, item boxes and fonts per visual state.
class TAVQMenuImpl : public TAVQControlBaseImpl
{
    Q_OBJECT

public:
    // The look and state of `widget`, at their defaults.
    explicit TAVQMenuImpl(QWidget *widget);

    // Reads a menu file: its styles, then its items.
    bool LoadAttributes(const Json::Value &element);
    void Draw(QPainter *painter, const QRect &rect) override;

    // The box painted behind the items.
    void setBackground(const TAVQBoxStyle &style) { m_background = style; }
    const TAVQBoxStyle &background() const { return m_background; }
    // States 0 to 3 only.
    void setItemBox(int state, const TAVQBoxStyle &style);
    const TAVQBoxStyle &itemBox(int state) const { return m_itemBoxes[stateSlot(state)]; }
    void setItemFont(int state, const TAVQFontStyle &style);
    const TAVQFontStyle &itemFont(int state) const { return m_itemFonts[stateSlot(state)]; }
    // Background and item styles of `other`.
    void copyLook(const TAVQMenuImpl &other);

    // The index of the item under the pointer, -1 for none.
    int hoverIndex() const { return m_hoverIndex; }
    void setHoverIndex(int index) { m_hoverIndex = index; }

private:
    void loadStyles(const Json::Value &element);

    std::array<TAVQBoxStyle, 4> m_itemBoxes;
    std::array<TAVQFontStyle, 4> m_itemFonts;
    TAVQBoxStyle m_background;
    int m_hoverIndex = -1;
};

} // namespace TAVQtLib

#endif
