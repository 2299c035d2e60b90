#ifndef TAVQ_CHECKBOX_P_H
#define TAVQ_CHECKBOX_P_H

// Not part of the API: the look behind TAVQCheckBox and TAVQRadioButton.

#include "tavqcheckbox.h"
#include "base/tavqkeytable_p.h"

#include "core/tavqcontrolbaseimpl.h"

#include <array>

namespace TAVQtLib {

// What a two-state button paints by: a background box per visual state and
// check state, an icon per check state (plain and hovered), and the text in an
// unchecked and a checked font style.
class TAVQToggleImpl : public TAVQControlBaseImpl
{
    Q_OBJECT

public:
    // The look and state of `widget`, at their defaults.
    explicit TAVQToggleImpl(QWidget *widget);

    // What the check box's and radio button's LoadAttributes() can read: the
    // "attr" keys and "style" slots they share.
    static const TAVQControlTable Table;

    // The icon shown, by resource name; empty for none.
    QString iconPath() const { return m_iconPath; }
    void setIconPath(const QString &path) { m_iconPath = path; }
    // The icon shown while the pointer is over the control, by resource name.
    QString hotIconPath() const { return m_hotIconPath; }
    void setHotIconPath(const QString &path) { m_hotIconPath = path; }
    // The icon shown checked, by resource name.
    QString checkedIconPath() const { return m_checkedIconPath; }
    void setCheckedIconPath(const QString &path) { m_checkedIconPath = path; }
    // The icon shown checked while the pointer is over the control.
    QString checkedHotIconPath() const { return m_checkedHotIconPath; }
    void setCheckedHotIconPath(const QString &path) { m_checkedHotIconPath = path; }
    // Where the icon goes inside the control.
    TAVQImagePlacement iconPlacement() const { return m_iconPlacement; }
    void setIconPlacement(const TAVQImagePlacement &placement) { m_iconPlacement = placement; }
    // Whether the icon is drawn (default true).
    bool showIcon() const { return m_showIcon; }
    void setShowIcon(bool show) { m_showIcon = show; }
    // Whether the text is drawn (default true).
    bool showText() const { return m_showText; }
    void setShowText(bool show) { m_showText = show; }
    // The font style of the text, unchecked or checked.
    const TAVQFontStyle &textStyle(bool checked) const { return checked ? m_checkedTextStyle : m_textStyle; }
    void setTextStyle(bool checked, const TAVQFontStyle &style);
    // States 0 to 3; 4 sets all four. Other states change nothing and read as state 0.
    const TAVQBoxStyle &boxStyle(int state) const { return m_boxStyles[stateSlot(state)]; }
    void setBoxStyle(int state, const TAVQBoxStyle &style);
    const TAVQBoxStyle &checkedBoxStyle(int state) const { return m_checkedBoxStyles[stateSlot(state)]; }
    void setCheckedBoxStyle(int state, const TAVQBoxStyle &style);

protected:
    enum class TextSlot { UncheckedOnly, Both };
    enum class MinusOneAlignment { Taken, Ignored };

    bool isChecked() const;
    QString text() const;
    // The box of the current visual and check state.
    const TAVQBoxStyle &currentBox() const;
    const TAVQFontStyle &currentTextStyle() const { return textStyle(isChecked()); }

    // Slot 8 sets the unchecked text style and, with TextSlot::Both, the checked one too.
    void loadStyles(const Json::Value &element, TextSlot textSlot);
    void loadAttr(const Json::Value &attr, MinusOneAlignment minusOne);

    QString m_iconPath;
    QString m_hotIconPath;
    QString m_checkedIconPath;
    QString m_checkedHotIconPath;
    TAVQImagePlacement m_iconPlacement;
    bool m_showIcon = true;
    bool m_showText = true;
    TAVQFontStyle m_textStyle;
    TAVQFontStyle m_checkedTextStyle;
    std::array<TAVQBoxStyle, 4> m_boxStyles;
    std::array<TAVQBoxStyle, 4> m_checkedBoxStyles;
};

// Look of a check box, with icons of its own for the disabled states.
class TAVQCheckBoxImpl : public TAVQToggleImpl
{
    Q_OBJECT

public:
    // The look and state of `widget`, at their defaults.
    explicit TAVQCheckBoxImpl(QWidget *widget);

    // Reads the element's "style" list and "attr" object, keeping the defaults for
    // what is missing or unknown; true when the element was read.
    bool LoadAttributes(const Json::Value &element);
    void Draw(QPainter *painter, const QRect &rect) override;

    // The icon shown unchecked while the control is disabled.
    QString disabledIconPath() const { return m_disabledIconPath; }
    void setDisabledIconPath(const QString &path) { m_disabledIconPath = path; }
    // The icon shown checked while the control is disabled.
    QString disabledCheckedIconPath() const { return m_disabledCheckedIconPath; }
    void setDisabledCheckedIconPath(const QString &path) { m_disabledCheckedIconPath = path; }

private:
    int textOffset() const;
    QString shownIcon() const;

    QString m_disabledCheckedIconPath;
    QString m_disabledIconPath;
};

// Look of a radio button.
class TAVQRadioButtonImpl : public TAVQToggleImpl
{
    Q_OBJECT

public:
    // The look and state of `widget`, at their defaults.
    explicit TAVQRadioButtonImpl(QWidget *widget);

    // Reads the element's "style" list and "attr" object, keeping the defaults for
    // what is missing or unknown; true when the element was read.
    bool LoadAttributes(const Json::Value &element);
    void Draw(QPainter *painter, const QRect &rect) override;

private:
    QString shownIcon() const;
};

} // namespace TAVQtLib

#endif
