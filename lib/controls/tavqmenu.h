#ifndef TAVQ_MENU_H
#define TAVQ_MENU_H

#include "tavqtlib_export.h"

#include "core/tavqcontrol.h"

#include <QMenu>
#include <QMenuBar>

namespace TAVQtLib {

class TAVQMenuBarImpl;
class TAVQMenuImpl;

/**
 * \brief A menu bar painted from box and font styles; page type "qtmenubar"
 * (also "menubar").
 *
 * The bar's entries are QMenuBar's own actions and menus, which the program
 * adds, typically those of a menu file read with LoadMenu(). A page gives it
 * geometry and "attr" values only: its looks come from the setters. Each entry
 * is painted as a box with its text, in the pressed look while a press on it
 * is held, else in the hover look under the pointer, else the normal look
 * (TAVQState; the disabled look is kept but not painted).
 *
 * \code
 * auto *bar = new TAVQtLib::TAVQMenuBar(window);
 * if (TAVQtLib::TAVQMenu *menu = TAVQtLib::LoadMenu(bar, QStringLiteral("menus/main.json"))) {
 *     for (int state = 0; state < 4; ++state) {
 *         bar->setItemBox(state, menu->itemBox(state));
 *         bar->setItemFont(state, menu->itemFont(state));
 *     }
 *     bar->addActions(menu->actions());
 * }
 * \endcode
 *
 * \par Signals
 * None of its own; those of QMenuBar: `triggered(QAction *)` and
 * `hovered(QAction *)`.
 *
 * \par Repainting
 * The hover look repaints as the pointer moves and leaves, and a release
 * repaints to end the pressed look; a press repaints only as far as QMenuBar
 * does. setItemBox() and setItemFont() do not repaint: call `update()` after them.
 */
class TAVQTLIB_EXPORT TAVQMenuBar : public TAVQControl<QMenuBar>
{
    Q_OBJECT
    Q_INTERFACES(TAVQtLib::ITAVQControlBase)

public:
    /// Makes the control under `parent`, in the look a page without styles
    /// gives it; it tracks the mouse for the hover look.
    explicit TAVQMenuBar(QWidget *parent = nullptr);
    /// Deletes the implementation object.
    ~TAVQMenuBar() override;

    /// "qtmenubar".
    QString GetTypeName() override;
    /// Reads the common attributes and keeps the "attr" members; the bar reads
    /// no styles from a page.
    bool LoadFromJson(const Json::Value &element) override;

    /// Sets the box of an entry in a visual state (TAVQState; StateAll sets all
    /// four, other values change nothing).
    void setItemBox(int state, const TAVQBoxStyle &style);
    /// The box of an entry in a visual state; an out-of-range state reads state 0.
    const TAVQBoxStyle &itemBox(int state) const;
    /// Sets the font style of an entry's text in a visual state (StateAll sets all four).
    void setItemFont(int state, const TAVQFontStyle &style);
    /// The font style of an entry's text in a visual state; an out-of-range state reads state 0.
    const TAVQFontStyle &itemFont(int state) const;
    /// The index among actions() of the entry under the pointer, -1 for none.
    int hoverIndex() const;
    /// The index among actions() of the entry a held press is on, -1 for none.
    int pressedIndex() const;

protected:
    /// Presses as QMenuBar does, then shows the entry under the pointer as pressed.
    void mousePressEvent(QMouseEvent *e) override;
    /// Releases as QMenuBar does, then ends the pressed look and repaints.
    void mouseReleaseEvent(QMouseEvent *e) override;
    /// Moves as QMenuBar does, then moves the hover look to the entry under the
    /// pointer; over no entry it stays where it was.
    void mouseMoveEvent(QMouseEvent *e) override;
    /// Leaves as QMenuBar does, then clears the hover look.
    void leaveEvent(QEvent *e) override;

private:
    TAVQ_DECLARE_IMPL(TAVQMenuBar)
};

/**
 * \brief A popup menu painted from box and font styles, read from a menu file
 * by LoadMenu(); type name "qtmenu" (not a page element).
 *
 * It is a frameless, translucent QMenu that paints its background box, then
 * each action as a box with its text, in the hover look under the pointer and
 * the normal look otherwise (separators never take the hover look); an action
 * with a sub-menu gets a small grey arrow at its right end.
 *
 * A menu file is a JSON object: "background", "item0" to "item3" (item box per
 * state) and "text0" to "text3" (item font per state) name styles, read only
 * when "background" is there, and "items" is an array of objects with a
 * "text" (UTF-8) and, for a sub-menu, an "items" array of their own. Sub-menus
 * take their parent's look as it is when they are made.
 *
 * \code
 * TAVQtLib::TAVQMenu *menu = TAVQtLib::LoadMenu(window, QStringLiteral("menus/table.json"));
 * if (menu) {
 *     QObject::connect(menu, &QMenu::triggered, window, [](QAction *action) { qDebug() << action->text(); });
 *     menu->popup(QCursor::pos());
 * }
 * \endcode
 *
 * \par Signals
 * None of its own; those of QMenu: `triggered(QAction *)`, `hovered(QAction *)`,
 * `aboutToShow()` and `aboutToHide()`.
 *
 * \par Repainting
 * The hover look repaints as the pointer moves; the setters do not repaint:
 * call `update()` after them if the menu is shown.
 *
 * \note Unlike the other controls it keeps QMenu's own enter and leave
 * handling, so its visual state (TAVQState) does not change on entering and
 * leaving it.
 */
class TAVQTLIB_EXPORT TAVQMenu : public TAVQControl<QMenu>
{
    Q_OBJECT
    Q_INTERFACES(TAVQtLib::ITAVQControlBase)

public:
    /// Makes the control under `parent`, in the look a menu file without styles
    /// gives it: frameless, with a translucent background.
    explicit TAVQMenu(QWidget *parent = nullptr);
    /// Deletes the implementation object.
    ~TAVQMenu() override;

    /// "qtmenu".
    QString GetTypeName() override;
    /// Reads the common attributes, then a menu file: its styles, then its items,
    /// which are added to the actions the menu has.
    bool LoadFromJson(const Json::Value &element) override;

    /// Sets the box painted behind the items.
    void setBackground(const TAVQBoxStyle &style);
    /// The box painted behind the items.
    const TAVQBoxStyle &background() const;
    /// Sets the box of an item in a visual state (TAVQState); states 0 to 3
    /// only: StateAll and other values change nothing.
    void setItemBox(int state, const TAVQBoxStyle &style);
    /// The box of an item in a visual state; an out-of-range state reads state 0.
    const TAVQBoxStyle &itemBox(int state) const;
    /// Sets the font style of an item's text in a visual state; states 0 to 3 only.
    void setItemFont(int state, const TAVQFontStyle &style);
    /// The font style of an item's text in a visual state; an out-of-range state reads state 0.
    const TAVQFontStyle &itemFont(int state) const;
    /// The index among actions() of the item under the pointer, -1 for none;
    /// reset when the menu hides.
    int hoverIndex() const;

protected:
    /// Moves as QMenu does, then moves the hover look to the item under the
    /// pointer; over no item it stays where it was.
    void mouseMoveEvent(QMouseEvent *e) override;
    /// QMenu's own handling only.
    void enterEvent(TAVQEnterEvent *e) override;
    /// QMenu's own handling only.
    void leaveEvent(QEvent *e) override;
    /// Hides as QMenu does, then clears the hover look.
    void hideEvent(QHideEvent *e) override;

private:
    TAVQ_DECLARE_IMPL(TAVQMenu)
};

/// Reads a menu file (from the package first, then from disk, as pages are
/// read) into a new menu under `parent`; null when the file is missing, empty
/// or not JSON.
TAVQTLIB_EXPORT TAVQMenu *LoadMenu(QWidget *parent, const QString &fileName);

} // namespace TAVQtLib

#endif
