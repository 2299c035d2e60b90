#ifndef TAVQ_MENU_H
#define TAVQ_MENU_H

#include "tavqtlib_export.h"

#include "core/tavqcontrol.h"

#include <QMenu>
#include <QMenuBar>

#include <array>

namespace TAVQtLib {

class TAVQMenu;

// Look of a menu bar: item boxes and fonts per visual state.
class TAVQTLIB_EXPORT TAVQMenuBarImpl : public TAVQControlBaseImpl
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

// A menu bar painted from box and font styles; its menus come from a menu file.
class TAVQTLIB_EXPORT TAVQMenuBar : public TAVQControl<QMenuBar, TAVQMenuBarImpl>
{
    Q_OBJECT
    Q_INTERFACES(TAVQtLib::ITAVQControlBase)

public:
    // Makes the control under `parent`, in the look a page without styles gives it.
    explicit TAVQMenuBar(QWidget *parent = nullptr);

    QString GetTypeName() override;

    // The box of an item, per visual state (4 sets all four).
    void setItemBox(int state, const TAVQBoxStyle &style) { m_impl->setItemBox(state, style); }
    const TAVQBoxStyle &itemBox(int state) const { return m_impl->itemBox(state); }
    // The font style of an item's text, per visual state (4 sets all four).
    void setItemFont(int state, const TAVQFontStyle &style) { m_impl->setItemFont(state, style); }
    const TAVQFontStyle &itemFont(int state) const { return m_impl->itemFont(state); }
    // The index of the item under the pointer, -1 for none.
    int hoverIndex() const { return m_impl->hoverIndex(); }
    // The index of the item pressed, -1 for none.
    int pressedIndex() const { return m_impl->pressedIndex(); }

protected:
    void mousePressEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void leaveEvent(QEvent *e) override;
};

// Look of a menu: background, item boxes and fonts per visual state.
class TAVQTLIB_EXPORT TAVQMenuImpl : public TAVQControlBaseImpl
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

// A popup menu painted from box and font styles.
class TAVQTLIB_EXPORT TAVQMenu : public TAVQControl<QMenu, TAVQMenuImpl>
{
    Q_OBJECT
    Q_INTERFACES(TAVQtLib::ITAVQControlBase)

public:
    // Makes the control under `parent`, in the look a page without styles gives it.
    explicit TAVQMenu(QWidget *parent = nullptr);

    QString GetTypeName() override;

    // The box painted behind the items.
    void setBackground(const TAVQBoxStyle &style) { m_impl->setBackground(style); }
    const TAVQBoxStyle &background() const { return m_impl->background(); }
    // The box of an item, per visual state (4 sets all four).
    void setItemBox(int state, const TAVQBoxStyle &style) { m_impl->setItemBox(state, style); }
    const TAVQBoxStyle &itemBox(int state) const { return m_impl->itemBox(state); }
    // The font style of an item's text, per visual state (4 sets all four).
    void setItemFont(int state, const TAVQFontStyle &style) { m_impl->setItemFont(state, style); }
    const TAVQFontStyle &itemFont(int state) const { return m_impl->itemFont(state); }
    // The index of the item under the pointer, -1 for none.
    int hoverIndex() const { return m_impl->hoverIndex(); }

protected:
    void mouseMoveEvent(QMouseEvent *e) override;
    void enterEvent(TAVQEnterEvent *e) override { QMenu::enterEvent(e); }
    void leaveEvent(QEvent *e) override { QMenu::leaveEvent(e); }
    void hideEvent(QHideEvent *e) override;
};

// Reads a menu file (package first, then disk, as pages are read) into a new
// menu under `parent`; null when the file is missing, empty or not JSON.
TAVQTLIB_EXPORT TAVQMenu *LoadMenu(QWidget *parent, const QString &fileName);

} // namespace TAVQtLib

#endif
