#ifndef TAVQ_VALUECONTROLS_H
#define TAVQ_VALUECONTROLS_H

#include "tavqtlib_export.h"

#include "core/tavqcontrol.h"

#include <QColor>
#include <QLCDNumber>
#include <QProgressBar>
#include <QScrollBar>
#include <QSlider>
#include <QStyle>

#include <array>

namespace TAVQtLib {

// ---------------------------------------------------------------- slider

// Look of a slider: a channel, the filled part of it up to the value and a thumb
// with a look per state.
class TAVQTLIB_EXPORT TAVQSliderImpl : public TAVQControlBaseImpl
{
    Q_OBJECT

public:
    // The look and state of `widget`, at their defaults.
    explicit TAVQSliderImpl(QWidget *widget);

    // Reads the element's "style" list and "attr" object, keeping the defaults for
    // what is missing or unknown; true when the element was read.
    bool LoadAttributes(const Json::Value &element);
    // What LoadAttributes() can read: its "attr" keys and "style" slots.
    static const TAVQControlTable Table;
    void Draw(QPainter *painter, const QRect &rect) override;
    void OnMousePress(QMouseEvent *event) override;
    void OnMouseRelease(QMouseEvent *event) override;
    void OnMouseMove(QMouseEvent *event) override;
    void OnEnter(QEvent *event) override;
    void OnLeave(QEvent *event) override;

    // The box of the whole groove.
    void setChannelStyle(const TAVQBoxStyle &style) { m_channelStyle = style; }
    const TAVQBoxStyle &channelStyle() const { return m_channelStyle; }
    // The box painted over the part up to the value.
    void setFillStyle(const TAVQBoxStyle &style) { m_fillStyle = style; }
    const TAVQBoxStyle &fillStyle() const { return m_fillStyle; }
    // States 0 to 3; 4 means all four. Other states change nothing and read as state 0.
    void setThumbStyle(int state, const TAVQBoxStyle &style);
    const TAVQBoxStyle &thumbStyle(int state) const;
    void setChannelSize(int size) { m_channelSize = size; }
    int channelSize() const { return m_channelSize; }
    void setThumbSize(int width, int height);
    int thumbWidth() const { return m_thumbWidth; }
    int thumbHeight() const { return m_thumbHeight; }

private:
    void loadAttr(const Json::Value &attr);
    QRect thumbRect() const;
    void changeState(int state);

    TAVQBoxStyle m_channelStyle;
    TAVQBoxStyle m_fillStyle;
    std::array<TAVQBoxStyle, 4> m_thumbStyles;
    int m_channelSize = 10;
    int m_thumbWidth = 20;
    int m_thumbHeight = 20;
};

// A slider painted from box styles; the thumb has a fixed size that the
// application style (CScrollBarStyle) reads, as the "thumbSize" property, for
// the handle geometry.
class TAVQTLIB_EXPORT TAVQSlider : public TAVQControl<QSlider, TAVQSliderImpl>
{
    Q_OBJECT
    Q_INTERFACES(TAVQtLib::ITAVQControlBase)
    // The size of the thumb in pixels, which the application style reads.
    Q_PROPERTY(QSize thumbSize READ thumbSize)

public:
    // Makes the control under `parent`, in the look a page without styles gives it.
    explicit TAVQSlider(QWidget *parent = nullptr, Qt::Orientation orientation = Qt::Horizontal);

    QString GetTypeName() override;

    // The handle rectangle the widget's style reports.
    QRect handleRect() const;

    // The box of the whole groove.
    void setChannelStyle(const TAVQBoxStyle &style) { m_impl->setChannelStyle(style); }
    const TAVQBoxStyle &channelStyle() const { return m_impl->channelStyle(); }
    // The box painted over the part up to the value.
    void setFillStyle(const TAVQBoxStyle &style) { m_impl->setFillStyle(style); }
    const TAVQBoxStyle &fillStyle() const { return m_impl->fillStyle(); }
    // The box of the thumb, per visual state (4 sets all four).
    void setThumbStyle(int state, const TAVQBoxStyle &style) { m_impl->setThumbStyle(state, style); }
    const TAVQBoxStyle &thumbStyle(int state) const { return m_impl->thumbStyle(state); }
    // The thickness of the groove, in pixels.
    void setChannelSize(int size) { m_impl->setChannelSize(size); }
    int channelSize() const { return m_impl->channelSize(); }
    // The size of the thumb in pixels.
    void setThumbSize(int width, int height) { m_impl->setThumbSize(width, height); }
    // The width of the thumb, in pixels.
    int thumbWidth() const { return m_impl->thumbWidth(); }
    // The height of the thumb, in pixels.
    int thumbHeight() const { return m_impl->thumbHeight(); }
    // Both at once.
    QSize thumbSize() const { return QSize(thumbWidth(), thumbHeight()); }

protected:
    void enterEvent(TAVQEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    // A press on the track beside the thumb pages toward the pointer, as
    // QSlider does, and repeats while held; a press on the thumb drags it.
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void sliderChange(SliderChange change) override;

private:
    // -1 before the thumb along the groove, 1 after it, 0 level with it.
    int sideOfThumb(const QPoint &point) const;
    SliderAction pageActionAt(const QMouseEvent *event) const;

    // The side of the thumb the held press is on; 0 while not paging.
    int m_pageSide = 0;
    QPoint m_pagePoint;
};

// ---------------------------------------------------------------- scroll bar

// Look of a scroll bar: a groove box over the whole bar, two arrow buttons and a
// thumb, each with a look per state of its own and an optional image.
class TAVQTLIB_EXPORT TAVQScrollBarImpl : public TAVQControlBaseImpl
{
    Q_OBJECT

public:
    // The look and state of `widget`, at their defaults.
    explicit TAVQScrollBarImpl(QWidget *widget);

    // Reads the element's "style" list and "attr" object, keeping the defaults for
    // what is missing or unknown; true when the element was read.
    bool LoadAttributes(const Json::Value &element);
    // What LoadAttributes() can read: its "attr" keys and "style" slots.
    static const TAVQControlTable Table;
    // Reads "upicon", "downicon" and "thumbicon" of an "attr" object; a missing
    // or wrongly typed key clears its image.
    void loadIcons(const Json::Value &attr);

    void OnPaint(QPaintEvent *event) override;
    void Draw(QPainter *painter, const QRect &rect) override;
    void OnMousePress(QMouseEvent *event) override;
    void OnMouseRelease(QMouseEvent *event) override;
    void OnMouseMove(QMouseEvent *event) override;
    void OnLeave(QEvent *event) override;

    // The box of the groove the thumb runs in.
    void setGrooveStyle(const TAVQBoxStyle &style);
    const TAVQBoxStyle &grooveStyle() const { return m_grooveStyle; }
    // States 0 to 3; 4 means all four. Other states change nothing and read as state 0.
    void setSubLineStyle(int state, const TAVQBoxStyle &style);
    const TAVQBoxStyle &subLineStyle(int state) const;
    void setAddLineStyle(int state, const TAVQBoxStyle &style);
    const TAVQBoxStyle &addLineStyle(int state) const;
    void setThumbStyle(int state, const TAVQBoxStyle &style);
    const TAVQBoxStyle &thumbStyle(int state) const;
    // `up` is the sub-line (up or left) button, otherwise the add-line one.
    void setArrowIcon(bool up, const QString &image);
    QString arrowIcon(bool up) const { return up ? m_upIcon : m_downIcon; }
    void setArrowIconPlacement(bool up, const TAVQImagePlacement &placement);
    TAVQImagePlacement arrowIconPlacement(bool up) const { return up ? m_upIconPlacement : m_downIconPlacement; }
    void setThumbIcon(const QString &image);
    QString thumbIcon() const { return m_thumbIcon; }
    // -1 keeps Qt's size hint across the bar.
    void setThickness(int thickness) { m_thickness = thickness; }
    int thickness() const { return m_thickness; }

    // The visual state of the thumb.
    int thumbState() const { return m_thumbState; }
    // The visual state of the sub-line button.
    int subLineState() const { return m_subLineState; }
    // The visual state of the add-line button.
    int addLineState() const { return m_addLineState; }

private:
    enum Part { Thumb, SubLine, AddLine };

    QRect partRect(Part part) const;
    int &partState(Part part);
    void changePartState(Part part, int state);

    TAVQBoxStyle m_grooveStyle;
    int m_thumbState = StateNormal;
    std::array<TAVQBoxStyle, 4> m_subLineStyles;
    int m_addLineState = StateNormal;
    std::array<TAVQBoxStyle, 4> m_addLineStyles;
    int m_subLineState = StateNormal;
    std::array<TAVQBoxStyle, 4> m_thumbStyles;
    QString m_upIcon;
    QString m_downIcon;
    QString m_thumbIcon;
    TAVQImagePlacement m_upIconPlacement{0, 0, 1, 1};
    TAVQImagePlacement m_downIconPlacement{0, 0, 1, 1};
    int m_thickness = -1;
};

// A scroll bar painted from box styles. Scrolling controls create two each and
// configure them from their scroll-bar child elements (tavqscrollbarconfig.h).
class TAVQTLIB_EXPORT TAVQScrollBar : public TAVQControl<QScrollBar, TAVQScrollBarImpl>
{
    Q_OBJECT
    Q_INTERFACES(TAVQtLib::ITAVQControlBase)

public:
    // Makes the control under `parent`, in the look a page without styles gives it.
    explicit TAVQScrollBar(QWidget *parent = nullptr);
    explicit TAVQScrollBar(Qt::Orientation orientation, QWidget *parent = nullptr);

    QString GetTypeName() override;
    // Qt's size hint with the thickness set by setThickness().
    QSize sizeHint() const override;

    // The rectangle the widget's style reports for a sub-control of the bar.
    QRect subControlRect(QStyle::SubControl subControl) const;

    // The box of the groove the thumb runs in.
    void setGrooveStyle(const TAVQBoxStyle &style) { m_impl->setGrooveStyle(style); }
    const TAVQBoxStyle &grooveStyle() const { return m_impl->grooveStyle(); }
    // The box of the sub-line button, per visual state (4 sets all four).
    void setSubLineStyle(int state, const TAVQBoxStyle &style) { m_impl->setSubLineStyle(state, style); }
    const TAVQBoxStyle &subLineStyle(int state) const { return m_impl->subLineStyle(state); }
    // The box of the add-line button, per visual state (4 sets all four).
    void setAddLineStyle(int state, const TAVQBoxStyle &style) { m_impl->setAddLineStyle(state, style); }
    const TAVQBoxStyle &addLineStyle(int state) const { return m_impl->addLineStyle(state); }
    // The box of the thumb, per visual state (4 sets all four).
    void setThumbStyle(int state, const TAVQBoxStyle &style) { m_impl->setThumbStyle(state, style); }
    const TAVQBoxStyle &thumbStyle(int state) const { return m_impl->thumbStyle(state); }
    // The icon of the sub-line (`up`) or the add-line button, by resource name.
    void setArrowIcon(bool up, const QString &image) { m_impl->setArrowIcon(up, image); }
    QString arrowIcon(bool up) const { return m_impl->arrowIcon(up); }
    // Where the icon of an arrow button goes.
    void setArrowIconPlacement(bool up, const TAVQImagePlacement &placement)
    {
        m_impl->setArrowIconPlacement(up, placement);
    }
    // Where the icon of an arrow button goes.
    TAVQImagePlacement arrowIconPlacement(bool up) const { return m_impl->arrowIconPlacement(up); }
    // The icon drawn on the thumb, by resource name.
    void setThumbIcon(const QString &image) { m_impl->setThumbIcon(image); }
    QString thumbIcon() const { return m_impl->thumbIcon(); }
    // The width of a vertical or height of a horizontal bar, in pixels.
    void setThickness(int thickness);
    int thickness() const { return m_impl->thickness(); }

    // The visual state of the thumb.
    int thumbState() const { return m_impl->thumbState(); }
    // The visual state of the sub-line button.
    int subLineState() const { return m_impl->subLineState(); }
    // The visual state of the add-line button.
    int addLineState() const { return m_impl->addLineState(); }

protected:
    // The look follows the pointer before Qt's scrolling reacts to it.
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
};

// ---------------------------------------------------------------- progress bar

// Look of a progress bar: a background box, a fill box and an optional
// percentage text.
class TAVQTLIB_EXPORT TAVQProgressBarImpl : public TAVQControlBaseImpl
{
    Q_OBJECT

public:
    // The look and state of `widget`, at their defaults.
    explicit TAVQProgressBarImpl(QWidget *widget);

    // Reads the element's "style" list and "attr" object, keeping the defaults for
    // what is missing or unknown; true when the element was read.
    bool LoadAttributes(const Json::Value &element);
    // What LoadAttributes() can read: its "attr" keys and "style" slots.
    static const TAVQControlTable Table;
    void OnPaint(QPaintEvent *event) override;
    void Draw(QPainter *painter, const QRect &rect) override;

    // Whether the text is drawn (default true).
    void setShowText(bool show) { m_showText = show; }
    bool showText() const { return m_showText; }
    // The font style of the percentage text.
    void setTextStyle(const TAVQFontStyle &style) { m_textStyle = style; }
    const TAVQFontStyle &textStyle() const { return m_textStyle; }
    // The box painted behind the whole control.
    void setBackgroundStyle(const TAVQBoxStyle &style) { m_backgroundStyle = style; }
    const TAVQBoxStyle &backgroundStyle() const { return m_backgroundStyle; }
    // The box painted over the part up to the value.
    void setFillStyle(const TAVQBoxStyle &style) { m_fillStyle = style; }
    const TAVQBoxStyle &fillStyle() const { return m_fillStyle; }

    // The filled part of `rect` for the bar's value.
    QRect fillRect(const QRect &rect) const;

private:
    bool m_showText = false;
    TAVQFontStyle m_textStyle;
    TAVQBoxStyle m_backgroundStyle;
    TAVQBoxStyle m_fillStyle;
};

// A progress bar painted as a background box, a fill box and a percentage.
class TAVQTLIB_EXPORT TAVQProgressBar : public TAVQControl<QProgressBar, TAVQProgressBarImpl>
{
    Q_OBJECT
    Q_INTERFACES(TAVQtLib::ITAVQControlBase)

public:
    // Makes the control under `parent`, in the look a page without styles gives it.
    explicit TAVQProgressBar(QWidget *parent = nullptr);

    QString GetTypeName() override;

    // Whether the text is drawn (default true).
    void setShowText(bool show) { m_impl->setShowText(show); }
    bool showText() const { return m_impl->showText(); }
    // The font style of the percentage text.
    void setTextStyle(const TAVQFontStyle &style) { m_impl->setTextStyle(style); }
    const TAVQFontStyle &textStyle() const { return m_impl->textStyle(); }
    // The box painted behind the whole control.
    void setBackgroundStyle(const TAVQBoxStyle &style) { m_impl->setBackgroundStyle(style); }
    const TAVQBoxStyle &backgroundStyle() const { return m_impl->backgroundStyle(); }
    // The box painted over the part up to the value.
    void setFillStyle(const TAVQBoxStyle &style) { m_impl->setFillStyle(style); }
    const TAVQBoxStyle &fillStyle() const { return m_impl->fillStyle(); }
};

// ---------------------------------------------------------------- LCD number

// Look of an LCD number: a background box under Qt's digits, whose colour while
// the window is active is the control's own.
class TAVQTLIB_EXPORT TAVQLCDNumberImpl : public TAVQControlBaseImpl
{
    Q_OBJECT

public:
    // The look and state of `widget`, at their defaults.
    explicit TAVQLCDNumberImpl(QWidget *widget);

    // Reads the element's "style" list and "attr" object, keeping the defaults for
    // what is missing or unknown; true when the element was read.
    bool LoadAttributes(const Json::Value &element);
    // What LoadAttributes() can read: its "attr" keys and "style" slots.
    static const TAVQControlTable Table;
    void Draw(QPainter *painter, const QRect &rect) override;

    // An invalid colour draws black digits.
    void setColor(const QColor &color) { m_color = color; }
    QColor color() const { return m_color; }
    void setBackgroundStyle(const TAVQBoxStyle &style) { m_backgroundStyle = style; }
    const TAVQBoxStyle &backgroundStyle() const { return m_backgroundStyle; }

private:
    void loadAttr(const Json::Value &attr);

    QColor m_color;
    TAVQBoxStyle m_backgroundStyle;
};

// Qt's LCD number over a background box, digits in a colour of its own.
class TAVQTLIB_EXPORT TAVQLCDNumber : public TAVQControl<QLCDNumber, TAVQLCDNumberImpl>
{
    Q_OBJECT
    Q_INTERFACES(TAVQtLib::ITAVQControlBase)

public:
    // Makes the control under `parent`, in the look a page without styles gives it.
    explicit TAVQLCDNumber(QWidget *parent = nullptr);

    QString GetTypeName() override;

    // The colour of the digits while the window is active.
    void setColor(const QColor &color);
    QColor color() const { return m_impl->color(); }
    // The box painted behind the whole control.
    void setBackgroundStyle(const TAVQBoxStyle &style);
    const TAVQBoxStyle &backgroundStyle() const { return m_impl->backgroundStyle(); }

protected:
    void paintEvent(QPaintEvent *event) override;
};

} // namespace TAVQtLib

#endif
