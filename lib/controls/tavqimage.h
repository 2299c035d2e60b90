#ifndef TAVQ_IMAGE_H
#define TAVQ_IMAGE_H

#include "tavqtlib_export.h"

#include "core/tavqcontrol.h"

#include <QImage>
#include <QWidget>

namespace TAVQtLib {

// Look of an image control: the image, by name or given, and its placement.
class TAVQTLIB_EXPORT TAVQImageImpl : public TAVQControlBaseImpl
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
    // The image shown, owned by the resource manager; null for none.
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

// Shows an image from the package or from disk, stretched or placed.
class TAVQTLIB_EXPORT TAVQImage : public TAVQControl<QWidget, TAVQImageImpl>
{
    Q_OBJECT
    Q_INTERFACES(TAVQtLib::ITAVQControlBase)

public:
    // Makes the control under `parent`, in the look a page without styles gives it.
    explicit TAVQImage(QWidget *parent = nullptr);

    QString GetTypeName() override;

    // Repaints; the other setters leave that to the caller.
    void setPath(const QString &path);
    QString path() const { return m_impl->path(); }
    // Not owned; shown instead of the named picture while set.
    void setImage(QImage *image) { m_impl->setImage(image); }
    QImage *image() const { return m_impl->image(); }
    void setFill(bool fill) { m_impl->setFill(fill); }
    bool fill() const { return m_impl->fill(); }
    void setAlign(int horizontal, int vertical) { m_impl->setAlign(horizontal, vertical); }
    int alignH() const { return m_impl->alignH(); }
    int alignV() const { return m_impl->alignV(); }
};

// Look of a canvas: nothing of its own, a surface for the program to paint on.
class TAVQTLIB_EXPORT TAVQCanvasImpl : public TAVQControlBaseImpl
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

// An empty surface the application paints on itself.
class TAVQTLIB_EXPORT TAVQCanvas : public TAVQControl<QWidget, TAVQCanvasImpl>
{
    Q_OBJECT
    Q_INTERFACES(TAVQtLib::ITAVQControlBase)

public:
    // Makes the control under `parent`, in the look a page without styles gives it.
    explicit TAVQCanvas(QWidget *parent = nullptr);

    QString GetTypeName() override;
};

} // namespace TAVQtLib

#endif
