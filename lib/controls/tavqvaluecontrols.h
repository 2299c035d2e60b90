#ifndef TAVQ_VALUECONTROLS_H
#define TAVQ_VALUECONTROLS_H

#include "tavqtlib_export.h"

#include "core/tavqcontrol.h"

#include <QColor>
#include <QLCDNumber>
#include <QProgressBar>
#include <QScrollBar>
#include <QSize>
#include <QSlider>
#include <QStyle>

namespace TAVQtLib {

class TAVQSliderImpl;
class TAVQScrollBarImpl;
class TAVQProgressBarImpl;
class TAVQLCDNumberImpl;

/**
 * \brief A slider painted from box styles: a channel, the filled part of it up
 * to the value and a thumb with a look per visual state; page type "qtslider"
 * (also "slider").
 *
 * The channel runs the whole length of the widget, channelSize() thick and
 * centred across it; the fill grows from the left, or upward from the bottom
 * when vertical, over value() / (maximum() - minimum()) of the length, kept
 * between none and all of it (so for a range not starting at 0 it is not the
 * share of the range). The thumb is painted over handleRect(). Under the application
 * style the runtime installs (CScrollBarStyle) the thumb is thumbWidth() by
 * thumbHeight() pixels, read through the "thumbSize" property; under another
 * style it takes that style's size.
 *
 * A press on the track beside the thumb pages toward the pointer, as QSlider
 * does, and repeats while held until the thumb reaches the pointer; a press on
 * the thumb drags it, and the thumb keeps its pressed look wherever the drag goes.
 *
 * \code
 * auto *volume = new TAVQtLib::TAVQSlider(window, Qt::Horizontal);
 * volume->setRange(0, 100);
 * volume->setChannelSize(6);
 * volume->setThumbSize(16, 16);
 * TAVQtLib::TAVQBoxStyle box;
 * if (TAVQtLib::TAVQResourceManager::instance().boxStyle(QStringLiteral("slider.thumb"), box))
 *     volume->setThumbStyle(TAVQtLib::StateAll, box);
 * QObject::connect(volume, &QSlider::valueChanged, player, &Player::setVolume);
 * \endcode
 *
 * \par Signals
 * None of its own; those of QAbstractSlider: `valueChanged(int)`,
 * `sliderPressed()`, `sliderMoved(int)`, `sliderReleased()` and
 * `actionTriggered(int)`.
 *
 * \par Repainting
 * The thumb's look repaints as the pointer moves over it, presses and leaves,
 * and value changes repaint as in QSlider; the setters of this class do not
 * repaint: call `update()` after them.
 *
 * \note The slider tracks the mouse only while the pointer is over it: entering
 * turns QWidget::setMouseTracking() on and leaving turns it off, whatever the
 * program set.
 */
class TAVQTLIB_EXPORT TAVQSlider : public TAVQControl<QSlider>
{
    Q_OBJECT
    Q_INTERFACES(TAVQtLib::ITAVQControlBase)
    /// The size of the thumb, which the application style reads; see setThumbSize().
    Q_PROPERTY(QSize thumbSize READ thumbSize)
    /// The thickness of the channel in pixels; see setChannelSize().
    Q_PROPERTY(int channelSize READ channelSize WRITE setChannelSize)

public:
    /// Makes the control under `parent` with the given orientation, in the look
    /// a page without styles gives it.
    explicit TAVQSlider(QWidget *parent = nullptr, Qt::Orientation orientation = Qt::Horizontal);
    /// Deletes the implementation object.
    ~TAVQSlider() override;

    /// "qtslider".
    QString GetTypeName() override;
    /// Reads the common attributes, then the "style" slots (0 channel, 2 fill,
    /// 4–7 thumb per state, 4 meaning all four) and the "attr" keys "isHor"
    /// (default true), "thumbW", "thumbH", "channelSize", "min", "max" and "val"
    /// (default 0).
    bool LoadFromJson(const Json::Value &element) override;

    /// The rectangle of the thumb, as the widget's style places it.
    QRect handleRect() const;

    /// Sets the box of the whole channel.
    void setChannelStyle(const TAVQBoxStyle &style);
    /// The box of the whole channel.
    const TAVQBoxStyle &channelStyle() const;
    /// Sets the box painted over the channel up to the value.
    void setFillStyle(const TAVQBoxStyle &style);
    /// The box painted over the channel up to the value.
    const TAVQBoxStyle &fillStyle() const;
    /// Sets the box of the thumb in a visual state (TAVQState; StateAll sets all
    /// four, other values change nothing).
    void setThumbStyle(int state, const TAVQBoxStyle &style);
    /// The box of the thumb in a visual state; an out-of-range state reads state 0.
    const TAVQBoxStyle &thumbStyle(int state) const;
    /// Sets the thickness of the channel across the slider, in pixels.
    void setChannelSize(int size);
    /// The thickness of the channel across the slider, in pixels; 10 by default.
    int channelSize() const;
    /// Sets the size of the thumb, in pixels.
    void setThumbSize(int width, int height);
    /// The width of the thumb, in pixels; 20 by default.
    int thumbWidth() const;
    /// The height of the thumb, in pixels; 20 by default.
    int thumbHeight() const;
    /// The width and height of the thumb together; the "thumbSize" property.
    QSize thumbSize() const;

protected:
    /// Enters as QSlider does, then tracks the mouse for the thumb's hover look.
    void enterEvent(TAVQEnterEvent *event) override;
    /// Leaves as the other controls do (the thumb takes its normal look), then
    /// stops tracking the mouse.
    void leaveEvent(QEvent *event) override;
    /// A press on the track beside the thumb pages toward the pointer, as
    /// QSlider does, and repeats while held; a press on the thumb drags it.
    void mousePressEvent(QMouseEvent *event) override;
    /// Ends paging or dragging; the thumb takes its hover or normal look.
    void mouseReleaseEvent(QMouseEvent *event) override;
    /// As QSlider, and stops held paging once the thumb has reached the pointer.
    void sliderChange(SliderChange change) override;

private:
    TAVQ_DECLARE_IMPL(TAVQSlider)
};

/**
 * \brief A scroll bar painted from box styles: a groove box over the whole bar,
 * two arrow buttons and a thumb, each with a look per visual state of its own
 * and an optional icon; page type "qtscrollbar".
 *
 * Scrolling controls (TAVQScrollView, the item views, the text edit) make two
 * each and style them from their scroll-bar child elements. The parts are
 * placed by the widget's style (subControlRect()); each part paints by its own
 * state, which follows the pointer over that part before Qt's scrolling reacts
 * to it. The bar tracks the mouse from the start.
 *
 * \code
 * auto *bar = new TAVQtLib::TAVQScrollBar(Qt::Vertical, window);
 * bar->setThickness(12);
 * bar->setArrowIcon(true, QStringLiteral("IDB_ARROW_UP"));
 * bar->setArrowIcon(false, QStringLiteral("IDB_ARROW_DOWN"));
 * list->setVerticalScrollBar(bar);
 * \endcode
 *
 * \par Signals
 * None of its own; those of QAbstractSlider: `valueChanged(int)`,
 * `rangeChanged(int, int)`, `sliderMoved(int)` and `actionTriggered(int)`.
 *
 * \par Repainting
 * The style and icon setters repaint; setThickness() asks for a new layout
 * (QWidget::updateGeometry()) and does not repaint by itself.
 */
class TAVQTLIB_EXPORT TAVQScrollBar : public TAVQControl<QScrollBar>
{
    Q_OBJECT
    Q_INTERFACES(TAVQtLib::ITAVQControlBase)
    /// The icon on the thumb; see setThumbIcon().
    Q_PROPERTY(QString thumbIcon READ thumbIcon WRITE setThumbIcon)
    /// The thickness of the bar in its size hint; see setThickness().
    Q_PROPERTY(int thickness READ thickness WRITE setThickness)

public:
    /// Makes a horizontal bar under `parent`, in the look a page without styles gives it.
    explicit TAVQScrollBar(QWidget *parent = nullptr);
    /// Makes a bar of the given orientation under `parent`, in the look a page
    /// without styles gives it.
    explicit TAVQScrollBar(Qt::Orientation orientation, QWidget *parent = nullptr);
    /// Deletes the implementation object.
    ~TAVQScrollBar() override;

    /// "qtscrollbar".
    QString GetTypeName() override;
    /// Reads the common attributes, then the "attr" keys "upicon", "downicon"
    /// and "thumbicon", where a missing or wrongly typed key clears its icon.
    /// The box styles come from the owner's scroll-bar child element instead.
    bool LoadFromJson(const Json::Value &element) override;
    /// Qt's size hint with the thickness set by setThickness() across the bar.
    QSize sizeHint() const override;

    /// The rectangle the widget's style gives a part of the bar
    /// (QStyle::SC_ScrollBarSlider, QStyle::SC_ScrollBarSubLine, ...).
    QRect subControlRect(QStyle::SubControl subControl) const;

    /// Sets the box painted over the whole bar, under the buttons and the thumb.
    void setGrooveStyle(const TAVQBoxStyle &style);
    /// The box painted over the whole bar.
    const TAVQBoxStyle &grooveStyle() const;
    /// Sets the box of the sub-line (up or left) button in a visual state
    /// (TAVQState; StateAll sets all four, other values change nothing).
    void setSubLineStyle(int state, const TAVQBoxStyle &style);
    /// The box of the sub-line button in a visual state; an out-of-range state reads state 0.
    const TAVQBoxStyle &subLineStyle(int state) const;
    /// Sets the box of the add-line (down or right) button in a visual state
    /// (StateAll sets all four).
    void setAddLineStyle(int state, const TAVQBoxStyle &style);
    /// The box of the add-line button in a visual state; an out-of-range state reads state 0.
    const TAVQBoxStyle &addLineStyle(int state) const;
    /// Sets the box of the thumb in a visual state (StateAll sets all four).
    void setThumbStyle(int state, const TAVQBoxStyle &style);
    /// The box of the thumb in a visual state; an out-of-range state reads state 0.
    const TAVQBoxStyle &thumbStyle(int state) const;
    /// Sets the icon of the sub-line (`up` true) or the add-line button, by
    /// resource name; empty for none.
    void setArrowIcon(bool up, const QString &image);
    /// The icon of the sub-line (`up` true) or the add-line button; empty for none.
    QString arrowIcon(bool up) const;
    /// Sets where the icon of an arrow button goes inside it.
    void setArrowIconPlacement(bool up, const TAVQImagePlacement &placement);
    /// Where the icon of an arrow button goes inside it; centred by default.
    TAVQImagePlacement arrowIconPlacement(bool up) const;
    /// Sets the icon drawn centred on the thumb, by resource name; empty for none.
    void setThumbIcon(const QString &image);
    /// The icon drawn centred on the thumb; empty for none.
    QString thumbIcon() const;
    /// Sets the width of a vertical or the height of a horizontal bar in its
    /// size hint, in pixels; -1 keeps Qt's own.
    void setThickness(int thickness);
    /// The thickness set by setThickness(); -1 (Qt's own) by default.
    int thickness() const;

    /// The visual state (TAVQState) of the thumb.
    int thumbState() const;
    /// The visual state (TAVQState) of the sub-line button.
    int subLineState() const;
    /// The visual state (TAVQState) of the add-line button.
    int addLineState() const;

protected:
    /// Updates the parts' looks, then presses as QScrollBar does.
    void mousePressEvent(QMouseEvent *event) override;
    /// Updates the parts' looks, then releases as QScrollBar does.
    void mouseReleaseEvent(QMouseEvent *event) override;
    /// Updates the parts' looks, then moves as QScrollBar does; a dragged thumb
    /// stays pressed until the button is released.
    void mouseMoveEvent(QMouseEvent *event) override;
    /// Returns the buttons, and the thumb unless it is dragged, to their normal
    /// look, then leaves as QScrollBar does.
    void leaveEvent(QEvent *event) override;

private:
    TAVQ_DECLARE_IMPL(TAVQScrollBar)
};

/**
 * \brief A progress bar painted as a background box, a fill box and a
 * percentage text; page type "qtprogressbar" (also "progressbar").
 *
 * The fill covers value() / (maximum() - minimum()) of the bar, kept between
 * none and all of it, from the left, or upward from the bottom when vertical;
 * an empty range fills nothing. For a range not starting at 0 that is not the
 * share of the range. The text, shown when showText() is on, is value() followed by a
 * percent sign, centred in the text style.
 *
 * \code
 * auto *upload = new TAVQtLib::TAVQProgressBar(window);
 * upload->setRange(0, 100);
 * upload->setShowText(true);
 * upload->setValue(40);
 * \endcode
 *
 * \par Signals
 * None of its own; that of QProgressBar: `valueChanged(int)`.
 *
 * \par Repainting
 * Value and range changes repaint as in QProgressBar; the setters of this class
 * do not: call `update()` after them.
 *
 * \note The control paints all of itself: QProgressBar's `textVisible`,
 * `format`, `alignment` and `invertedAppearance` change nothing shown, and the
 * text is the plain value, so it reads as a percentage only for a range of 0
 * to 100. The visual state does not change the look.
 */
class TAVQTLIB_EXPORT TAVQProgressBar : public TAVQControl<QProgressBar>
{
    Q_OBJECT
    Q_INTERFACES(TAVQtLib::ITAVQControlBase)
    /// Whether the percentage text is drawn; see setShowText().
    Q_PROPERTY(bool showText READ showText WRITE setShowText)

public:
    /// Makes the control under `parent`, in the look a page without styles gives it.
    explicit TAVQProgressBar(QWidget *parent = nullptr);
    /// Deletes the implementation object.
    ~TAVQProgressBar() override;

    /// "qtprogressbar".
    QString GetTypeName() override;
    /// Reads the common attributes, then the "style" slots (0 background, 2 fill,
    /// 4 text font) and the "attr" keys "showText" and "val" (default 0).
    bool LoadFromJson(const Json::Value &element) override;

    /// Sets whether the percentage text is drawn.
    void setShowText(bool show);
    /// Whether the percentage text is drawn (default false).
    bool showText() const;
    /// Sets the font style of the percentage text.
    void setTextStyle(const TAVQFontStyle &style);
    /// The font style of the percentage text.
    const TAVQFontStyle &textStyle() const;
    /// Sets the box painted behind the whole control.
    void setBackgroundStyle(const TAVQBoxStyle &style);
    /// The box painted behind the whole control.
    const TAVQBoxStyle &backgroundStyle() const;
    /// Sets the box painted over the part up to the value.
    void setFillStyle(const TAVQBoxStyle &style);
    /// The box painted over the part up to the value.
    const TAVQBoxStyle &fillStyle() const;

private:
    TAVQ_DECLARE_IMPL(TAVQProgressBar)
};

/**
 * \brief Qt's LCD number over a background box, with digits in a colour of its
 * own; page type "qtlcdnumber".
 *
 * QLCDNumber draws the digits over the background box, without a frame. The
 * digits take color() while the window is active and the palette's inactive
 * text colour otherwise; an invalid colour (the default) draws them black.
 *
 * \code
 * auto *total = new TAVQtLib::TAVQLCDNumber(window);
 * total->setDigitCount(8);
 * total->setColor(QColor(0, 200, 0));
 * total->display(QStringLiteral("12.50"));
 * \endcode
 *
 * \par Signals
 * None of its own; that of QLCDNumber: `overflow()`.
 *
 * \par Repainting
 * setColor() and setBackgroundStyle() repaint, as does QLCDNumber's display().
 *
 * \note Every paint writes color() into the palette's active window-text
 * colour, so a colour set there through setPalette() is overwritten. The
 * transparent background is a style sheet of the widget, which
 * QWidget::setStyleSheet() replaces.
 */
class TAVQTLIB_EXPORT TAVQLCDNumber : public TAVQControl<QLCDNumber>
{
    Q_OBJECT
    Q_INTERFACES(TAVQtLib::ITAVQControlBase)
    /// The colour of the digits while the window is active; see setColor().
    Q_PROPERTY(QColor color READ color WRITE setColor)

public:
    /// Makes the control under `parent`, in the look a page without styles
    /// gives it: no frame, a transparent background.
    explicit TAVQLCDNumber(QWidget *parent = nullptr);
    /// Deletes the implementation object.
    ~TAVQLCDNumber() override;

    /// "qtlcdnumber".
    QString GetTypeName() override;
    /// Reads the common attributes, then the "style" slot 0 (the background) and
    /// the "attr" keys "digitCount", "color" (an RGB number), "segmentStyle"
    /// (0 outline, 1 filled, 2 flat; other values keep Qt's) and "text" (shown
    /// with display()).
    bool LoadFromJson(const Json::Value &element) override;

    /// Sets the colour of the digits while the window is active; repaints.
    void setColor(const QColor &color);
    /// The colour of the digits while the window is active; invalid (black digits) by default.
    QColor color() const;
    /// Sets the box painted behind the digits; repaints.
    void setBackgroundStyle(const TAVQBoxStyle &style);
    /// The box painted behind the digits.
    const TAVQBoxStyle &backgroundStyle() const;

protected:
    /// Paints the background box and sets the digit colour, then lets QLCDNumber draw the digits.
    void paintEvent(QPaintEvent *event) override;

private:
    TAVQ_DECLARE_IMPL(TAVQLCDNumber)
};

} // namespace TAVQtLib

#endif
