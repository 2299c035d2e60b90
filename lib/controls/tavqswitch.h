#ifndef TAVQ_SWITCH_H
#define TAVQ_SWITCH_H

#include "core/tavqcontrol.h"

#include <QSize>
#include <QVariantAnimation>
#include <QWidget>

#include <array>

namespace TAVQtLib {

class TAVQSwitchImpl : public TAVQControlBaseImpl
{
    Q_OBJECT

public:
    explicit TAVQSwitchImpl(QWidget *widget);

    bool LoadAttributes(const Json::Value &element);
    void Draw(QPainter *painter, const QRect &rect) override;

    // Slides the thumb to the other end; ignored while a slide runs.
    void startSlide();

    int thumbPos() const { return m_thumbPos; }
    bool isAnimating() const { return m_animating; }
    QVariantAnimation *animation() const { return m_animation; }

    void setBackgroundStyle(const TAVQBoxStyle &style) { m_backgroundStyle = style; }
    const TAVQBoxStyle &backgroundStyle() const { return m_backgroundStyle; }
    void setThumbStyle(int state, const TAVQBoxStyle &style);
    const TAVQBoxStyle &thumbStyle(int state) const { return m_thumbStyles[index(state)]; }
    void setFontStyle(bool on, const TAVQFontStyle &style) { (on ? m_onFont : m_offFont) = style; }
    const TAVQFontStyle &fontStyle(bool on) const { return on ? m_onFont : m_offFont; }
    void setOnText(const QString &text) { m_onText = text; }
    QString onText() const { return m_onText; }
    void setOffText(const QString &text) { m_offText = text; }
    QString offText() const { return m_offText; }
    void setMargin(int margin) { m_margin = margin; }
    int margin() const { return m_margin; }
    void setSpeed(int speed) { m_speed = speed; }
    int speed() const { return m_speed; }
    void setThumbSize(const QSize &size) { m_thumbSize = size; }
    QSize thumbSize() const { return m_thumbSize; }
    void setShowText(bool show) { m_showText = show; }
    bool showText() const { return m_showText; }
    // Only the flag: the thumb keeps its place until the next slide.
    void setOff(bool off) { m_off = off; }
    bool isOff() const { return m_off; }

signals:
    void toggled(bool on);

public slots:
    void valueChanged(QVariant value);
    void finished();

private:
    static size_t index(int state) { return state > 0 && state < 4 ? size_t(state) : 0; }
    int travel() const;
    void loadStyles(const Json::Value &element);
    void loadAttr(const Json::Value &attr);

    int m_thumbPos = -1;
    bool m_animating = false;
    int m_margin = 2;
    bool m_showText = true;
    bool m_off = false;
    int m_speed = 300;
    QString m_onText;
    QString m_offText;
    QSize m_thumbSize{25, 25};
    TAVQBoxStyle m_backgroundStyle;
    std::array<TAVQBoxStyle, 4> m_thumbStyles;
    TAVQFontStyle m_onFont;
    TAVQFontStyle m_offFont;
    QVariantAnimation *m_animation; // owned by the widget
};

class TAVQSwitch : public TAVQControl<QWidget, TAVQSwitchImpl>
{
    Q_OBJECT
    Q_INTERFACES(TAVQtLib::ITAVQControlBase)

public:
    explicit TAVQSwitch(QWidget *parent = nullptr);

    QString GetTypeName() override;

    void setBackgroundStyle(const TAVQBoxStyle &style) { m_impl->setBackgroundStyle(style); }
    const TAVQBoxStyle &backgroundStyle() const { return m_impl->backgroundStyle(); }
    void setThumbStyle(int state, const TAVQBoxStyle &style) { m_impl->setThumbStyle(state, style); }
    const TAVQBoxStyle &thumbStyle(int state) const { return m_impl->thumbStyle(state); }
    void setFontStyle(bool on, const TAVQFontStyle &style) { m_impl->setFontStyle(on, style); }
    const TAVQFontStyle &fontStyle(bool on) const { return m_impl->fontStyle(on); }
    void setOnText(const QString &text) { m_impl->setOnText(text); }
    QString onText() const { return m_impl->onText(); }
    void setOffText(const QString &text) { m_impl->setOffText(text); }
    QString offText() const { return m_impl->offText(); }
    void setMargin(int margin) { m_impl->setMargin(margin); }
    int margin() const { return m_impl->margin(); }
    void setSpeed(int speed) { m_impl->setSpeed(speed); }
    int speed() const { return m_impl->speed(); }
    void setThumbSize(const QSize &size) { m_impl->setThumbSize(size); }
    QSize thumbSize() const { return m_impl->thumbSize(); }
    void setShowText(bool show) { m_impl->setShowText(show); }
    bool showText() const { return m_impl->showText(); }
    void setOff(bool off) { m_impl->setOff(off); }
    bool isOff() const { return m_impl->isOff(); }

    // -1 until the first paint.
    int thumbPos() const { return m_impl->thumbPos(); }
    bool isAnimating() const { return m_impl->isAnimating(); }

signals:
    // After a slide ends, with the new state.
    void toggled(bool on);

protected:
    void mousePressEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override { m_impl->OnMouseRelease(e); }
    void enterEvent(QEvent *e) override { m_impl->OnEnter(e); }
    void leaveEvent(QEvent *e) override { m_impl->OnLeave(e); }
};

} // namespace TAVQtLib

#endif
