#ifndef TAVQ_SWITCH_H
#define TAVQ_SWITCH_H

#include "tavqtlib_export.h"

#include "core/tavqcontrol.h"

#include <QSize>
#include <QWidget>

namespace TAVQtLib {

class TAVQSwitchImpl;

/**
 * \brief An on/off switch whose thumb slides from one end to the other when
 * pressed; page type "qtswitch" (also "switch").
 *
 * While on the thumb rests at the right and the on text shows at the left;
 * while off the thumb rests at the left and the off text shows at the right.
 * The thumb takes its place at the first paint; after that only a slide moves
 * it (a resize does not). A press starts a slide of speed() milliseconds over
 * the width less the thumb and both margins, as measured at the press; presses
 * during a slide are ignored. Without a page the switch is on, with the texts
 * "On" and "Off", a 25 × 25 thumb, a margin of 2 and a speed of 300.
 *
 * \code
 * auto *sound = new TAVQtLib::TAVQSwitch(window);
 * sound->setGeometry(10, 10, 100, 29);
 * sound->setOnText(QStringLiteral("Yes"));
 * sound->setOffText(QStringLiteral("No"));
 * QObject::connect(sound, &TAVQtLib::TAVQSwitch::toggled, window, [](bool on) { qDebug() << on; });
 * \endcode
 *
 * \par Signals
 * toggled(bool) when a slide ends. It has no keyboard handling, and QWidget's
 * mouse handlers are not run.
 *
 * \par Repainting
 * A slide repaints at each step and at its end; every setter changes only what
 * the next paint draws: call `update()` after it.
 */
class TAVQTLIB_EXPORT TAVQSwitch : public TAVQControl<QWidget>
{
    Q_OBJECT
    Q_INTERFACES(TAVQtLib::ITAVQControlBase)
    /// The text shown while on (onText(), setOnText()).
    Q_PROPERTY(QString onText READ onText WRITE setOnText)
    /// The text shown while off (offText(), setOffText()).
    Q_PROPERTY(QString offText READ offText WRITE setOffText)
    /// The gap between the thumb and the edges (margin(), setMargin()).
    Q_PROPERTY(int margin READ margin WRITE setMargin)
    /// The duration of a slide in milliseconds (speed(), setSpeed()).
    Q_PROPERTY(int speed READ speed WRITE setSpeed)
    /// The size of the thumb (thumbSize(), setThumbSize()).
    Q_PROPERTY(QSize thumbSize READ thumbSize WRITE setThumbSize)
    /// Whether the texts are drawn (showText(), setShowText()).
    Q_PROPERTY(bool showText READ showText WRITE setShowText)
    /// Whether the switch is off (isOff(), setOff()).
    Q_PROPERTY(bool off READ isOff WRITE setOff)

public:
    /// Makes the control under `parent`, on, in the look a page without styles gives it.
    explicit TAVQSwitch(QWidget *parent = nullptr);
    /// Deletes the implementation object.
    ~TAVQSwitch() override;

    /// "qtswitch".
    QString GetTypeName() override;
    /// Reads the common attributes, then the "style" slots (0 the background,
    /// 2–5 the thumb per state, 6 the on text, 7 the off text) and "attr" keys;
    /// an "attr" without "leftText" or "rightText" clears that text, and one
    /// without "thumbW" or "thumbH" sets that side to 25.
    bool LoadFromJson(const Json::Value &element) override;

    /// Sets the box painted behind the whole control.
    void setBackgroundStyle(const TAVQBoxStyle &style);
    /// The box painted behind the whole control.
    const TAVQBoxStyle &backgroundStyle() const;
    /// Sets the box of the thumb in a visual state (TAVQState): 0 to 3 set that
    /// state; StateAll (4) and any other state change nothing.
    void setThumbStyle(int state, const TAVQBoxStyle &style);
    /// The box of the thumb in a visual state; an out-of-range state reads state 0.
    const TAVQBoxStyle &thumbStyle(int state) const;
    /// Sets the font style of the on text (`on` true) or of the off text.
    void setFontStyle(bool on, const TAVQFontStyle &style);
    /// The font style of the on text (`on` true) or of the off text.
    const TAVQFontStyle &fontStyle(bool on) const;
    /// Sets the text shown while the switch is on (default "On").
    void setOnText(const QString &text);
    /// The text shown while the switch is on.
    QString onText() const;
    /// Sets the text shown while the switch is off (default "Off").
    void setOffText(const QString &text);
    /// The text shown while the switch is off.
    QString offText() const;
    /// Sets the gap between the thumb and the edges, in pixels (default 2).
    void setMargin(int margin);
    /// The gap between the thumb and the edges, in pixels.
    int margin() const;
    /// Sets the duration of a slide in milliseconds (default 300); below 0 counts as 0.
    void setSpeed(int speed);
    /// The duration of a slide in milliseconds.
    int speed() const;
    /// Sets the size of the thumb in pixels (default 25 × 25); the text gets
    /// the same size.
    void setThumbSize(const QSize &size);
    /// The size of the thumb in pixels.
    QSize thumbSize() const;
    /// Sets whether the on and off texts are drawn (default true).
    void setShowText(bool show);
    /// Whether the on and off texts are drawn (default true).
    bool showText() const;
    /// Sets the state flag alone: the text follows at the next paint, the thumb
    /// keeps its place until the next slide, which starts from the end the flag
    /// names, and toggled() is not emitted.
    void setOff(bool off);
    /// Whether the switch is off (default false).
    bool isOff() const;

    /// The thumb's offset from its leftmost place, in pixels; -1 until the
    /// first paint.
    int thumbPos() const;
    /// Whether the thumb is sliding.
    bool isAnimating() const;

Q_SIGNALS:
    /// Emitted when a slide ends, with the new state: true for on.
    void toggled(bool on);

protected:
    /// Shows the pressed state and starts a slide, unless one is running.
    void mousePressEvent(QMouseEvent *e) override;
    /// Shows the normal state.
    void mouseReleaseEvent(QMouseEvent *e) override;
    /// Shows the hover state.
    void enterEvent(TAVQEnterEvent *e) override;
    /// Shows the normal state, or the disabled one.
    void leaveEvent(QEvent *e) override;

private:
    TAVQ_DECLARE_IMPL(TAVQSwitch)
};

} // namespace TAVQtLib

#endif
