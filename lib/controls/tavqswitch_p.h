#ifndef TAVQ_SWITCH_P_H
#define TAVQ_SWITCH_P_H

// Not part of the API: the look and slide behind TAVQSwitch.

#include "tavqswitch.h"
#include "base/tavqkeytable_p.h"

#include "core/tavqcontrolbaseimpl.h"

#include <QVariantAnimation>

#include <array>

namespace TAVQtLib {

// Look and slide of a switch.
class TAVQSwitchImpl : public TAVQControlBaseImpl
{
    Q_OBJECT

public:
    // The look and state of `widget`, at their defaults.
    explicit TAVQSwitchImpl(QWidget *widget);

    // Reads the element's "style" list and "attr" object, keeping the defaults for
    // what is missing or unknown; true when the element was read.
    bool LoadAttributes(const Json::Value &element);
    // What LoadAttributes() can read: its "attr" keys and "style" slots.
    static const TAVQControlTable Table;
    void Draw(QPainter *painter, const QRect &rect) override;

    // Slides the thumb to the other end; ignored while a slide runs.
    void startSlide();

    // The thumb's position, -1 until the first paint.
    int thumbPos() const { return m_thumbPos; }
    // True while the thumb slides.
    bool isAnimating() const { return m_animating; }
    // The animation that slides the thumb.
    QVariantAnimation *animation() const { return m_animation; }

    // The box painted behind the whole control.
    void setBackgroundStyle(const TAVQBoxStyle &style) { m_backgroundStyle = style; }
    const TAVQBoxStyle &backgroundStyle() const { return m_backgroundStyle; }
    // The box of the thumb, per visual state: 0 to 3 only, others change nothing.
    void setThumbStyle(int state, const TAVQBoxStyle &style);
    const TAVQBoxStyle &thumbStyle(int state) const { return m_thumbStyles[stateSlot(state)]; }
    // The font style of the on or the off text.
    void setFontStyle(bool on, const TAVQFontStyle &style) { (on ? m_onFont : m_offFont) = style; }
    const TAVQFontStyle &fontStyle(bool on) const { return on ? m_onFont : m_offFont; }
    // The text shown while the switch is on.
    void setOnText(const QString &text) { m_onText = text; }
    QString onText() const { return m_onText; }
    // The text shown while the switch is off.
    void setOffText(const QString &text) { m_offText = text; }
    QString offText() const { return m_offText; }
    // The gap between the thumb and the edge, in pixels.
    void setMargin(int margin) { m_margin = margin; }
    int margin() const { return m_margin; }
    // The duration of the thumb's slide, in milliseconds.
    void setSpeed(int speed) { m_speed = speed; }
    int speed() const { return m_speed; }
    // The size of the thumb in pixels.
    void setThumbSize(const QSize &size) { m_thumbSize = size; }
    QSize thumbSize() const { return m_thumbSize; }
    // Whether the text is drawn (default true).
    void setShowText(bool show) { m_showText = show; }
    bool showText() const { return m_showText; }
    // Only the flag: the thumb keeps its place until the next slide.
    void setOff(bool off) { m_off = off; }
    bool isOff() const { return m_off; }

signals:
    // Emitted when the switch turns on or off.
    void toggled(bool on);

public slots:
    // Each step of the slide, with the thumb's position: moves the thumb.
    void valueChanged(QVariant value);
    // The end of the slide: flips the state and emits toggled().
    void finished();

private:
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

} // namespace TAVQtLib

#endif
