#ifndef TAVQ_IMAGE_H
#define TAVQ_IMAGE_H

#include "core/tavqcontrol.h"

#include <QImage>
#include <QWidget>

namespace TAVQtLib {

class TAVQImageImpl : public TAVQControlBaseImpl
{
    Q_OBJECT

public:
    explicit TAVQImageImpl(QWidget *widget);

    bool LoadAttributes(const Json::Value &element);
    // A picture looks the same whether the control is enabled or not.
    void OnPaint(QPaintEvent *event) override;
    void Draw(QPainter *painter, const QRect &rect) override;

    bool fill() const { return m_fill; }
    void setFill(bool fill) { m_fill = fill; }
    int alignH() const { return m_alignH; }
    int alignV() const { return m_alignV; }
    void setAlign(int horizontal, int vertical);
    QString path() const { return m_path; }
    void setPath(const QString &path) { m_path = path; }
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

class TAVQImage : public TAVQControl<QWidget, TAVQImageImpl>
{
    Q_OBJECT
    Q_INTERFACES(TAVQtLib::ITAVQControlBase)

public:
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

class TAVQCanvasImpl : public TAVQControlBaseImpl
{
    Q_OBJECT

public:
    explicit TAVQCanvasImpl(QWidget *widget);

    bool LoadAttributes(const Json::Value &element);
};

// An empty surface the application paints on itself.
class TAVQCanvas : public TAVQControl<QWidget, TAVQCanvasImpl>
{
    Q_OBJECT
    Q_INTERFACES(TAVQtLib::ITAVQControlBase)

public:
    explicit TAVQCanvas(QWidget *parent = nullptr);

    QString GetTypeName() override;
};

} // namespace TAVQtLib

#endif
