#ifndef TAVQ_COMBOBOX_H
#define TAVQ_COMBOBOX_H

#include "tavqtlib_export.h"

#include "core/tavqcontrol.h"

#include <QComboBox>

namespace TAVQtLib {

class TAVQComboBoxImpl;
class TAVQComboList;

/// Looks of a row of the combo box's popup; a fourth look, 3, is stored but never drawn.
enum TAVQComboRowLook {
    ComboRowNormal = 0,   ///< A row neither under the pointer nor selected.
    ComboRowHover = 1,    ///< The row under the pointer; wins over selected.
    ComboRowSelected = 2, ///< The selected row.
};

/**
 * \brief A combo box drawn from styles: body, arrow button with icon and
 * current text, and a popup whose background and rows are styled too; page
 * type "qtcombobox" (also "combobox").
 *
 * Items, the current index and the popup behave as QComboBox's. The closed box
 * is drawn per visual state (TAVQState: 0 normal, 1 mouse over, 2 pressed,
 * 3 disabled) as its body box, the arrow button's box and icon in a square of
 * the box's height at its right end, and the current text in the state's font
 * style. The popup rows take their looks from TAVQComboRowLook.
 *
 * \code
 * auto *payment = new TAVQtLib::TAVQComboBox(window);
 * payment->addItems({QStringLiteral("Cash"), QStringLiteral("Card")});
 * payment->setButtonIcon(TAVQtLib::StateNormal, QStringLiteral("IDB_ARROW_DOWN"));
 * payment->setPopupItemHeight(32);
 * QObject::connect(payment, QOverload<int>::of(&QComboBox::currentIndexChanged), window,
 *                  [](int index) { qDebug() << index; });
 * \endcode
 *
 * \par Signals
 * The control adds none. Those of QComboBox matter: `currentIndexChanged(int)`,
 * `currentTextChanged(const QString &)`, `activated(int)`, `highlighted(int)`.
 *
 * \par Repainting
 * None of the setters repaints: call `update()` after the closed box's styles.
 * The popup's styles and row height reach the popup when it next opens.
 *
 * The per-state setters of the closed box (setBodyStyle(), setButtonStyle(),
 * setButtonIcon(), setTextFontStyle()) and of the popup rows take one state or
 * look each: StateAll, like any other state out of range, sets state 0 alone.
 * Mouse moves over the closed box change no look; the pressed look lasts
 * while the popup is open.
 */
class TAVQTLIB_EXPORT TAVQComboBox : public TAVQControl<QComboBox>
{
    Q_OBJECT
    Q_INTERFACES(TAVQtLib::ITAVQControlBase)
    /// The height of a popup row in pixels; see setPopupItemHeight().
    Q_PROPERTY(int popupItemHeight READ popupItemHeight WRITE setPopupItemHeight)

public:
    /// Makes the control under `parent`, in the look a page without styles gives
    /// it, with its styled popup list.
    explicit TAVQComboBox(QWidget *parent = nullptr);
    /// Deletes the implementation object.
    ~TAVQComboBox() override;

    /// "qtcombobox".
    QString GetTypeName() override;
    /// Reads the common attributes, then the box's "style" slots (0–1 body for
    /// normal and mouse over, 4–7 button box, 8–11 text font per state, 12 popup
    /// background, 13–16 popup row box, 17–20 popup row font per look, the first
    /// of each group standing for all four) and "attr" keys ("text", added as an
    /// item and made current; "btnIcon" for every state; "btnHotIcon" for mouse over).
    bool LoadFromJson(const Json::Value &element) override;

    /// The popup list the control made, the same object as `view()`; null once
    /// replaced. Its class is not part of the API: use it as a QAbstractItemView
    /// through `view()`.
    TAVQComboList *comboList() const;

    /// Sets the body box of the closed box in a visual state (0 to 3; any other state sets 0).
    void setBodyStyle(int state, const TAVQBoxStyle &style);
    /// The body box in a visual state; any other state reads 0.
    const TAVQBoxStyle &bodyStyle(int state) const;
    /// Sets the box of the arrow button in a visual state (0 to 3; any other state sets 0).
    void setButtonStyle(int state, const TAVQBoxStyle &style);
    /// The box of the arrow button in a visual state; any other state reads 0.
    const TAVQBoxStyle &buttonStyle(int state) const;
    /// Sets the icon of the arrow button in a visual state, by resource name,
    /// centred in the button (0 to 3; any other state sets 0).
    void setButtonIcon(int state, const QString &image);
    /// The icon of the arrow button in a visual state; empty for none.
    QString buttonIcon(int state) const;
    /// Sets the font style of the current text in a visual state (0 to 3; any other state sets 0).
    void setTextFontStyle(int state, const TAVQFontStyle &style);
    /// The font style of the current text in a visual state; any other state reads 0.
    const TAVQFontStyle &textFontStyle(int state) const;
    /// Sets the box painted behind the popup's rows.
    void setPopupStyle(const TAVQBoxStyle &style);
    /// The box painted behind the popup's rows.
    const TAVQBoxStyle &popupStyle() const;
    /// Sets the box of a popup row in a look (TAVQComboRowLook or 3; any other look sets 0).
    void setPopupItemStyle(int look, const TAVQBoxStyle &style);
    /// The box of a popup row in a look; any other look reads 0.
    const TAVQBoxStyle &popupItemStyle(int look) const;
    /// Sets the font style of a popup row's text in a look (TAVQComboRowLook or 3;
    /// any other look sets 0).
    void setPopupItemFontStyle(int look, const TAVQFontStyle &style);
    /// The font style of a popup row's text in a look; any other look reads 0.
    const TAVQFontStyle &popupItemFontStyle(int look) const;
    /// Sets the height of a popup row in pixels (default 25).
    void setPopupItemHeight(int height);
    /// The height of a popup row in pixels (default 25).
    int popupItemHeight() const;

    /// Opens the popup right below the box, as wide as the box and as high as
    /// its rows (at most `maxVisibleItems()` of them), without Qt's frame,
    /// margins or scroll arrows around them and without a scroll bar: the wheel
    /// and the keys scroll it. An empty box opens no popup.
    void showPopup() override;

protected:
    /// Moves change no look: neither QComboBox's nor the control's handling runs.
    void mouseMoveEvent(QMouseEvent *event) override;
    /// Watches the popup list: the release ending the press that opened the
    /// popup goes to the popup, so the pressed look ends when the popup closes.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    TAVQ_DECLARE_IMPL(TAVQComboBox)
};

} // namespace TAVQtLib

#endif
