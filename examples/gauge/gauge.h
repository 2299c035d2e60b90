// A control of our own: a gauge painted from box and font styles of the style
// sheet, with a hover look, readable from pages as type "gauge".
#ifndef GAUGE_H
#define GAUGE_H

#include <TAVQtLib/TAVQtLib.h>

//! [impl]
// The look and state: what a page element gives the gauge.
class GaugeImpl : public TAVQtLib::TAVQControlBaseImpl
{
    Q_OBJECT

public:
    explicit GaugeImpl(QWidget *widget);

    // Called by TAVQControl::LoadFromJson() after the common attributes.
    //   "style": [[name, 0, slot], ...]  slot 0 background, 1 background under
    //            the pointer, 2 the bar, 3 the font of the figure
    //   "attr":  { "value": 40, "min": 0, "max": 100 }
    bool LoadAttributes(const Json::Value &element);
    void Draw(QPainter *painter, const QRect &rect) override;

    int value() const { return m_value; }
    void setValue(int value);
    int minimum() const { return m_min; }
    int maximum() const { return m_max; }
    void setRange(int minimum, int maximum);

private:
    void readStyles(const Json::Value &element);
    void readAttributes();
    int attribute(const char *name, int fallback) const;

    TAVQtLib::TAVQBoxStyle m_background;
    TAVQtLib::TAVQBoxStyle m_hoverBackground;
    TAVQtLib::TAVQBoxStyle m_bar;
    TAVQtLib::TAVQFontStyle m_font;
    int m_value = 0;
    int m_min = 0;
    int m_max = 100;
};
//! [impl]

//! [control]
// The widget: a QWidget with the control interface, the common attributes and
// the look above.
class Gauge : public TAVQtLib::TAVQControl<QWidget, GaugeImpl>
{
    Q_OBJECT
    Q_INTERFACES(TAVQtLib::ITAVQControlBase)
    Q_PROPERTY(int value READ value WRITE setValue NOTIFY valueChanged)

public:
    explicit Gauge(QWidget *parent = nullptr);

    QString GetTypeName() override { return QStringLiteral("gauge"); }

    int value() const { return m_impl->value(); }
    void setValue(int value);

signals:
    void valueChanged(int value);
};
//! [control]

#endif
