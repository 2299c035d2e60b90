#ifndef TAVQ_PUSHBUTTON_P_H
#define TAVQ_PUSHBUTTON_P_H

// Not part of the API: the look behind TAVQPushButton.

#include "tavqpushbutton.h"

#include "core/tavqcontrolbaseimpl.h"
#include "base/tavqkeytable_p.h"

#include <array>

namespace TAVQtLib {

// Look of a push button.
class TAVQPushButtonImpl : public TAVQControlBaseImpl
{
    Q_OBJECT

public:
    // The look and state of `widget`, at their defaults.
    explicit TAVQPushButtonImpl(QWidget *widget);

    // Reads the element's "style" list and "attr" object, keeping the defaults for
    // what is missing or unknown; true when the element was read.
    bool LoadAttributes(const Json::Value &element);
    // What LoadAttributes() can read: its "attr" keys and "style" slots.
    static const TAVQControlTable Table;
    void Draw(QPainter *painter, const QRect &rect) override;

    // States 0 to 3; 4 means all four. Other states change nothing and read as state 0.
    void setBoxStyle(int state, const TAVQBoxStyle &style);
    const TAVQBoxStyle &boxStyle(int state) const { return m_boxStyles[stateSlot(state)]; }
    void setFontStyle(int state, const TAVQFontStyle &style);
    const TAVQFontStyle &fontStyle(int state) const { return m_fontStyles[stateSlot(state)]; }
    void setUseColor(int state, bool useColor);
    bool useColor(int state) const { return boxStyle(state).useColor; }

    // Whether the button has an icon to draw.
    bool hasIcon() const { return m_hasIcon; }
    // Whether the button has an icon to draw.
    void setHasIcon(bool hasIcon) { m_hasIcon = hasIcon; }
    // Whether the text is drawn (default true).
    bool showText() const { return m_showText; }
    void setShowText(bool showText) { m_showText = showText; }
    // The icon shown, by resource name; empty for none.
    QString iconPath() const { return m_iconPath; }
    void setIconPath(const QString &path);
    // The icon shown while the pointer is over the control, by resource name.
    QString hotIconPath() const { return m_hotIconPath; }
    void setHotIconPath(const QString &path);
    // Where the icon goes inside the control.
    TAVQImagePlacement iconPlacement() const { return m_iconPlacement; }
    void setIconPlacement(const TAVQImagePlacement &placement) { m_iconPlacement = placement; }
    // The horizontal offset of the text, in pixels.
    int textX() const { return m_textX; }
    void setTextX(int x) { m_textX = x; }
    // The vertical offset of the text, in pixels.
    int textY() const { return m_textY; }
    void setTextY(int y) { m_textY = y; }

private:
    void loadStyles(const Json::Value &element);
    void loadAttr(const Json::Value &attr);
    QString shownIcon() const;

    bool m_hasIcon = true;
    bool m_showText = true;
    QString m_iconPath;
    QString m_hotIconPath;
    TAVQImagePlacement m_iconPlacement;
    int m_textX = 0;
    int m_textY = 0;
    std::array<TAVQBoxStyle, 4> m_boxStyles;
    std::array<TAVQFontStyle, 4> m_fontStyles;
};

} // namespace TAVQtLib

#endif
