#ifndef TAVQ_PUSHBUTTON_H
#define TAVQ_PUSHBUTTON_H

#include "core/tavqcontrol.h"

#include <QPushButton>

#include <array>

namespace TAVQtLib {

class TAVQPushButtonImpl : public TAVQControlBaseImpl
{
    Q_OBJECT

public:
    explicit TAVQPushButtonImpl(QWidget *widget);

    bool LoadAttributes(const Json::Value &element);
    void Draw(QPainter *painter, const QRect &rect) override;

    // States 0 to 3; 4 means all four. Other states change nothing and read as state 0.
    void setBoxStyle(int state, const TAVQBoxStyle &style);
    const TAVQBoxStyle &boxStyle(int state) const { return m_boxStyles[index(state)]; }
    void setFontStyle(int state, const TAVQFontStyle &style);
    const TAVQFontStyle &fontStyle(int state) const { return m_fontStyles[index(state)]; }
    void setUseColor(int state, bool useColor);
    bool useColor(int state) const { return boxStyle(state).useColor; }

    bool hasIcon() const { return m_hasIcon; }
    void setHasIcon(bool hasIcon) { m_hasIcon = hasIcon; }
    bool showText() const { return m_showText; }
    void setShowText(bool showText) { m_showText = showText; }
    QString iconPath() const { return m_iconPath; }
    void setIconPath(const QString &path);
    QString hotIconPath() const { return m_hotIconPath; }
    void setHotIconPath(const QString &path);
    TAVQImagePlacement iconPlacement() const { return m_iconPlacement; }
    void setIconPlacement(const TAVQImagePlacement &placement) { m_iconPlacement = placement; }
    int textX() const { return m_textX; }
    void setTextX(int x) { m_textX = x; }
    int textY() const { return m_textY; }
    void setTextY(int y) { m_textY = y; }

private:
    static size_t index(int state) { return state > 0 && state < 4 ? size_t(state) : 0; }
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

class TAVQPushButton : public TAVQControl<QPushButton, TAVQPushButtonImpl>
{
    Q_OBJECT
    Q_INTERFACES(TAVQtLib::ITAVQControlBase)

public:
    explicit TAVQPushButton(QWidget *parent = nullptr);

    QString GetTypeName() override;

    void setBoxStyle(int state, const TAVQBoxStyle &style) { m_impl->setBoxStyle(state, style); }
    const TAVQBoxStyle &boxStyle(int state) const { return m_impl->boxStyle(state); }
    void setFontStyle(int state, const TAVQFontStyle &style) { m_impl->setFontStyle(state, style); }
    const TAVQFontStyle &fontStyle(int state) const { return m_impl->fontStyle(state); }
    void setUseColor(int state, bool useColor) { m_impl->setUseColor(state, useColor); }
    bool useColor(int state) const { return m_impl->useColor(state); }

    void setHasIcon(bool hasIcon) { m_impl->setHasIcon(hasIcon); }
    bool hasIcon() const { return m_impl->hasIcon(); }
    void setShowText(bool showText) { m_impl->setShowText(showText); }
    bool showText() const { return m_impl->showText(); }
    void setIconPath(const QString &path) { m_impl->setIconPath(path); }
    QString iconPath() const { return m_impl->iconPath(); }
    void setHotIconPath(const QString &path) { m_impl->setHotIconPath(path); }
    QString hotIconPath() const { return m_impl->hotIconPath(); }
    void setIconPlacement(const TAVQImagePlacement &placement) { m_impl->setIconPlacement(placement); }
    TAVQImagePlacement iconPlacement() const { return m_impl->iconPlacement(); }
    void setTextX(int x) { m_impl->setTextX(x); }
    int textX() const { return m_impl->textX(); }
    void setTextY(int y) { m_impl->setTextY(y); }
    int textY() const { return m_impl->textY(); }
};

} // namespace TAVQtLib

#endif
