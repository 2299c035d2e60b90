#ifndef TAVQ_VALUECONTROLS_P_H
#define TAVQ_VALUECONTROLS_P_H

// Not part of the API: the looks behind TAVQSlider, TAVQScrollBar, TAVQProgressBar and TAVQLCDNumber.

#include "tavqvaluecontrols.h"

#include "core/tavqcontrolbaseimpl.h"
#include "base/tavqkeytable_p.h"

#include <QColor>
#include <QPoint>

#include <array>

namespace TAVQtLib {

// ---------------------------------------------------------------- slider

// Look of a slider: a channel, the filled part of it up to the value and a thumb
// with a look per state.
class TAVQSliderImpl : public TAVQControlBaseImpl
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

    // -1 before the thumb along the groove, 1 after it, 0 level with it.
    int sideOfThumb(const QPoint &point) const;
    // The page step a press asks for; SliderNoAction unless it pages.
    QAbstractSlider::SliderAction pageActionAt(const QMouseEvent *event) const;
    // Held paging toward `point`, the side of the thumb it is on remembered.
    void startPaging(const QPoint &point);
    // Ends held paging; true when the slider was paging.
    bool stopPaging();
    // Whether held paging has brought the thumb to the point it aims at.
    bool pagingReachedPointer() const;

private:
    void loadAttr(const Json::Value &attr);
    QRect thumbRect() const;
    void changeState(int state);
    const TAVQSlider *slider() const;

    TAVQBoxStyle m_channelStyle;
    TAVQBoxStyle m_fillStyle;
    std::array<TAVQBoxStyle, 4> m_thumbStyles;
    int m_channelSize = 10;
    int m_thumbWidth = 20;
    int m_thumbHeight = 20;
    // The side of the thumb the held press is on; 0 while not paging.
    int m_pageSide = 0;
    QPoint m_pagePoint;
};

// ---------------------------------------------------------------- scroll bar

// Look of a scroll bar: a groove box over the whole bar, two arrow buttons and a
// thumb, each with a look per state of its own and an optional image.
class TAVQScrollBarImpl : public TAVQControlBaseImpl
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

// ---------------------------------------------------------------- progress bar

// Look of a progress bar: a background box, a fill box and an optional
// percentage text.
class TAVQProgressBarImpl : public TAVQControlBaseImpl
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

    // Whether the text is drawn (default false).
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

// ---------------------------------------------------------------- LCD number

// Look of an LCD number: a background box under Qt's digits, whose colour while
// the window is active is the control's own.
class TAVQLCDNumberImpl : public TAVQControlBaseImpl
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

} // namespace TAVQtLib

#endif
