#ifndef TAVQ_COMBOBOX_P_H
#define TAVQ_COMBOBOX_P_H

// Not part of the API: the implementation, delegate and popup list behind TAVQComboBox.

#include "tavqcombobox.h"

#include "core/tavqcontrolbaseimpl.h"
#include "base/tavqkeytable_p.h"

#include <QItemDelegate>
#include <QListView>
#include <QPointer>

#include <array>

namespace TAVQtLib {

// Looks of the closed box and of its popup, per visual state.
class TAVQComboBoxImpl : public TAVQControlBaseImpl
{
    Q_OBJECT

public:
    // The look and state of `widget`, at their defaults.
    explicit TAVQComboBoxImpl(QWidget *widget);

    // Reads the element's "style" list and "attr" object, keeping the defaults for
    // what is missing or unknown; true when the element was read.
    bool LoadAttributes(const Json::Value &element);
    // What LoadAttributes() can read: its "attr" keys and "style" slots.
    static const TAVQControlTable Table;
    void Draw(QPainter *painter, const QRect &rect) override;
    void OnChildrenLoaded() override;

    // The arrow button: a square of the box's height at its right end.
    static QRect buttonRect(const QRect &rect);

    // Back to the normal look, or hover when the pointer is over the box.
    void popupClosed();

    // The popup list the box made; null once the application replaced it.
    TAVQComboList *list() const;
    // Whether `object` is the popup list, even one being destroyed.
    bool isList(const QObject *object) const;
    void setList(TAVQComboList *list);

    // States 0 to 3 address one entry each; any other state means 0.
    void setBodyStyle(int state, const TAVQBoxStyle &style) { m_bodyStyles[stateSlot(state)] = style; }
    const TAVQBoxStyle &bodyStyle(int state) const { return m_bodyStyles[stateSlot(state)]; }
    void setButtonStyle(int state, const TAVQBoxStyle &style) { m_buttonStyles[stateSlot(state)] = style; }
    const TAVQBoxStyle &buttonStyle(int state) const { return m_buttonStyles[stateSlot(state)]; }
    void setButtonIcon(int state, const QString &image) { m_buttonIcons[stateSlot(state)] = image; }
    QString buttonIcon(int state) const { return m_buttonIcons[stateSlot(state)]; }
    void setTextFontStyle(int state, const TAVQFontStyle &style) { m_textFontStyles[stateSlot(state)] = style; }
    const TAVQFontStyle &textFontStyle(int state) const { return m_textFontStyles[stateSlot(state)]; }

    // The box painted behind the popup's rows.
    void setPopupStyle(const TAVQBoxStyle &style) { m_popupStyle = style; }
    const TAVQBoxStyle &popupStyle() const { return m_popupStyle; }
    // Row looks are TAVQComboRowLook values, with the same index rule as the states.
    void setPopupItemStyle(int look, const TAVQBoxStyle &style) { m_popupItemStyles[stateSlot(look)] = style; }
    const TAVQBoxStyle &popupItemStyle(int look) const { return m_popupItemStyles[stateSlot(look)]; }
    void setPopupItemFontStyle(int look, const TAVQFontStyle &style) { m_popupItemFontStyles[stateSlot(look)] = style; }
    const TAVQFontStyle &popupItemFontStyle(int look) const { return m_popupItemFontStyles[stateSlot(look)]; }
    void setPopupItemHeight(int height) { m_popupItemHeight = height; }
    int popupItemHeight() const { return m_popupItemHeight; }

private:
    QComboBox *combo() const;
    void loadStyles(const Json::Value &element);
    void loadAttr(const Json::Value &attr);

    std::array<QString, 4> m_buttonIcons;
    int m_popupItemHeight = 25;
    std::array<TAVQBoxStyle, 4> m_bodyStyles;
    std::array<TAVQBoxStyle, 4> m_buttonStyles;
    std::array<TAVQFontStyle, 4> m_textFontStyles;
    TAVQBoxStyle m_popupStyle;
    std::array<TAVQBoxStyle, 4> m_popupItemStyles;
    std::array<TAVQFontStyle, 4> m_popupItemFontStyles;
    // Guarded: Qt deletes a list the application replaces with setView(). Held
    // as a QWidget: while the list's ~QWidget still sends events, it is no
    // TAVQComboList any more.
    QPointer<QWidget> m_list;
};

// Draws a popup row as a box and a text in the look of its mouse and selection state.
class TAVQComboItemDelegate : public QItemDelegate
{
    Q_OBJECT

public:
    // Paints the popup rows in the looks of `impl`.
    explicit TAVQComboItemDelegate(TAVQComboBoxImpl *impl);

    // Paints the row from the control's item styles.
    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    // The row size the control lays out with.
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

    // Mouse over wins over selected.
    static int lookOf(QStyle::State state);

private:
    // The combo box may go before its popup, which Qt deletes later.
    QPointer<TAVQComboBoxImpl> m_impl;
};

// The popup list: paints its own background under the rows.
class TAVQComboList : public QListView
{
    Q_OBJECT

public:
    // The popup list of the combo box whose look is `impl`.
    explicit TAVQComboList(TAVQComboBoxImpl *impl);

    // The delegate that paints the rows.
    TAVQComboItemDelegate *comboDelegate() { return &m_delegate; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QPointer<TAVQComboBoxImpl> m_impl;
    TAVQComboItemDelegate m_delegate;
};

} // namespace TAVQtLib

#endif
