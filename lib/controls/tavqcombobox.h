#ifndef TAVQ_COMBOBOX_H
#define TAVQ_COMBOBOX_H

#include "core/tavqcontrol.h"

#include <QComboBox>
#include <QItemDelegate>
#include <QListView>
#include <QPointer>

#include <array>

namespace TAVQtLib {

// Looks of a popup row; look 3 is stored but never drawn.
enum TAVQComboRowLook { ComboRowNormal = 0, ComboRowHover = 1, ComboRowSelected = 2 };

// Looks of the closed box and of its popup, per visual state.
class TAVQComboBoxImpl : public TAVQControlBaseImpl
{
    Q_OBJECT

public:
    explicit TAVQComboBoxImpl(QWidget *widget);

    bool LoadAttributes(const Json::Value &element);
    void Draw(QPainter *painter, const QRect &rect) override;
    void OnChildrenLoaded() override;

    // The arrow button: a square of the box's height at its right end.
    static QRect buttonRect(const QRect &rect);

    // States 0 to 3 address one entry each; any other state means 0.
    void setBodyStyle(int state, const TAVQBoxStyle &style) { m_bodyStyles[index(state)] = style; }
    const TAVQBoxStyle &bodyStyle(int state) const { return m_bodyStyles[index(state)]; }
    void setButtonStyle(int state, const TAVQBoxStyle &style) { m_buttonStyles[index(state)] = style; }
    const TAVQBoxStyle &buttonStyle(int state) const { return m_buttonStyles[index(state)]; }
    void setButtonIcon(int state, const QString &image) { m_buttonIcons[index(state)] = image; }
    QString buttonIcon(int state) const { return m_buttonIcons[index(state)]; }
    void setTextFontStyle(int state, const TAVQFontStyle &style) { m_textFontStyles[index(state)] = style; }
    const TAVQFontStyle &textFontStyle(int state) const { return m_textFontStyles[index(state)]; }

    void setPopupStyle(const TAVQBoxStyle &style) { m_popupStyle = style; }
    const TAVQBoxStyle &popupStyle() const { return m_popupStyle; }
    // Row looks are TAVQComboRowLook values, with the same index rule as the states.
    void setPopupItemStyle(int look, const TAVQBoxStyle &style) { m_popupItemStyles[index(look)] = style; }
    const TAVQBoxStyle &popupItemStyle(int look) const { return m_popupItemStyles[index(look)]; }
    void setPopupItemFontStyle(int look, const TAVQFontStyle &style) { m_popupItemFontStyles[index(look)] = style; }
    const TAVQFontStyle &popupItemFontStyle(int look) const { return m_popupItemFontStyles[index(look)]; }
    void setPopupItemHeight(int height) { m_popupItemHeight = height; }
    int popupItemHeight() const { return m_popupItemHeight; }

private:
    static size_t index(int state) { return state > 0 && state < 4 ? size_t(state) : 0; }
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
};

// Draws a popup row as a box and a text in the look of its mouse and selection state.
class TAVQComboItemDelegate : public QItemDelegate
{
    Q_OBJECT

public:
    explicit TAVQComboItemDelegate(TAVQComboBoxImpl *impl);

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
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
    explicit TAVQComboList(TAVQComboBoxImpl *impl);

    TAVQComboItemDelegate *comboDelegate() { return &m_delegate; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QPointer<TAVQComboBoxImpl> m_impl;
    TAVQComboItemDelegate m_delegate;
};

// A combo box drawn from styles: body, arrow button with icon and current text,
// and a popup whose background and rows are styled too. Items, the current
// index and the popup behave as QComboBox's.
class TAVQComboBox : public TAVQControl<QComboBox, TAVQComboBoxImpl>
{
    Q_OBJECT
    Q_INTERFACES(TAVQtLib::ITAVQControlBase)

public:
    explicit TAVQComboBox(QWidget *parent = nullptr);

    QString GetTypeName() override;

    TAVQComboList *comboList() const { return m_list; }

    void setBodyStyle(int state, const TAVQBoxStyle &style) { m_impl->setBodyStyle(state, style); }
    const TAVQBoxStyle &bodyStyle(int state) const { return m_impl->bodyStyle(state); }
    void setButtonStyle(int state, const TAVQBoxStyle &style) { m_impl->setButtonStyle(state, style); }
    const TAVQBoxStyle &buttonStyle(int state) const { return m_impl->buttonStyle(state); }
    void setButtonIcon(int state, const QString &image) { m_impl->setButtonIcon(state, image); }
    QString buttonIcon(int state) const { return m_impl->buttonIcon(state); }
    void setTextFontStyle(int state, const TAVQFontStyle &style) { m_impl->setTextFontStyle(state, style); }
    const TAVQFontStyle &textFontStyle(int state) const { return m_impl->textFontStyle(state); }
    void setPopupStyle(const TAVQBoxStyle &style) { m_impl->setPopupStyle(style); }
    const TAVQBoxStyle &popupStyle() const { return m_impl->popupStyle(); }
    void setPopupItemStyle(int look, const TAVQBoxStyle &style) { m_impl->setPopupItemStyle(look, style); }
    const TAVQBoxStyle &popupItemStyle(int look) const { return m_impl->popupItemStyle(look); }
    void setPopupItemFontStyle(int look, const TAVQFontStyle &style) { m_impl->setPopupItemFontStyle(look, style); }
    const TAVQFontStyle &popupItemFontStyle(int look) const { return m_impl->popupItemFontStyle(look); }
    void setPopupItemHeight(int height) { m_impl->setPopupItemHeight(height); }
    int popupItemHeight() const { return m_impl->popupItemHeight(); }

protected:
    // Moves change no look.
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    TAVQComboList *m_list;
};

} // namespace TAVQtLib

#endif
