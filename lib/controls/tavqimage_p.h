#ifndef TAVQ_IMAGE_P_H
#define TAVQ_IMAGE_P_H

// Not part of the API: the look behind TAVQImage and TAVQCanvas.

#include "tavqimage.h"
#include "base/tavqkeytable_p.h"

#include "core/tavqcontrolbaseimpl.h"

namespace TAVQtLib {

// Look of an image control: the image, by name or given, and its placement.
class TAVQImageImpl : public TAVQControlBaseImpl
{
    Q_OBJECT

public:
    // The look and state of `widget`, at their defaults.
    explicit TAVQImageImpl(QWidget *widget);

    // Reads the element's "style" list and "attr" object, keeping the defaults for
    // what is missing or unknown; true when the element was read.
    bool LoadAttributes(const Json::Value &element);
    // What LoadAttributes() can read: its "attr" keys and "style" slots.
    static const TAVQControlTable Table;
    // A picture looks the same whether the control is enabled or not.
    void OnPaint(QPaintEvent *event) override;
    void Draw(QPainter *painter, const QRect &rect) override;

    // Whether the image is stretched over the control (true) or placed at its size.
    bool fill() const { return m_fill; }
    void setFill(bool fill) { m_fill = fill; }
    // The horizontal alignment of the image: 0 start, 1 centre, 2 end.
    int alignH() const { return m_alignH; }
    // The vertical alignment of the image: 0 start, 1 centre, 2 end.
    int alignV() const { return m_alignV; }
    // Sets where the image goes when not stretched: 0 start, 1 centre, 2 end.
    void setAlign(int horizontal, int vertical);
    // The image shown, by resource name.
    QString path() const { return m_path; }
    void setPath(const QString &path) { m_path = path; }
    // The image shown instead of the named one, not owned; null for none.
    QImage *image() const { return m_image; }
    void setImage(QImage *image) { m_image = image; }

private:
    const QImage *picture() const;

    bool m_fill = true;
    int m_alignV = 1;
    int m_alignH = 1;
    QString m_path;
    QImage *m_image = nullptr;
};

// Look of a canvas: nothing of its own, a surface for the program to paint on.
class TAVQCanvasImpl : public TAVQControlBaseImpl
{
    Q_OBJECT

public:
    // The look and state of `widget`, at their defaults.
    explicit TAVQCanvasImpl(QWidget *widget);

    // Reads the element's "style" list and "attr" object, keeping the defaults for
    // what is missing or unknown; true when the element was read.
    bool LoadAttributes(const Json::Value &element);
    // What LoadAttributes() can read: its "attr" keys and "style" slots.
    static const TAVQControlTable Table;
};

} // namespace TAVQtLib

#endif
