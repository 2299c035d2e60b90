#ifndef TAVQ_IMAGE_H
#define TAVQ_IMAGE_H

#include "tavqtlib_export.h"

#include "core/tavqcontrol.h"

#include <QImage>
#include <QWidget>

namespace TAVQtLib {

class TAVQImageImpl;
class TAVQCanvasImpl;

/**
 * \brief Shows an image from the package or the style folder, stretched over
 * the control or placed at its own size; page type "qtpicture" (also
 * "picture" and "image").
 *
 * The image is named by resource name (setPath(), the page's "path") and looked
 * up in TAVQResourceManager at each paint, or given as a QImage (setImage()),
 * which then wins. Without either, or while the image is null, nothing is
 * painted. The control looks the same enabled or disabled.
 *
 * \code
 * auto *logo = new TAVQtLib::TAVQImage(window);
 * logo->setGeometry(10, 10, 120, 60);
 * logo->setFill(false);
 * logo->setAlign(1, 1);
 * logo->setPath(QStringLiteral("logo.png"));
 * \endcode
 *
 * \par Signals
 * None of its own; it answers no input.
 *
 * \par Repainting
 * setPath() repaints; setImage(), setFill() and setAlign() change only what the
 * next paint draws: call `update()` after them.
 */
class TAVQTLIB_EXPORT TAVQImage : public TAVQControl<QWidget>
{
    Q_OBJECT
    Q_INTERFACES(TAVQtLib::ITAVQControlBase)
    /// The image by resource name (path(), setPath()).
    Q_PROPERTY(QString path READ path WRITE setPath)
    /// Whether the image is stretched over the control (fill(), setFill()).
    Q_PROPERTY(bool fill READ fill WRITE setFill)

public:
    /// Makes the control under `parent`: no image, stretched, centred.
    explicit TAVQImage(QWidget *parent = nullptr);
    /// Deletes the implementation object.
    ~TAVQImage() override;

    /// "qtpicture".
    QString GetTypeName() override;
    /// Reads the common attributes, then the "attr" keys "path" and "fill".
    bool LoadFromJson(const Json::Value &element) override;

    /// Sets the image by resource name (empty for none); repaints.
    void setPath(const QString &path);
    /// The image by resource name; empty for none.
    QString path() const;
    /// Sets an image shown instead of the named one while not null; not owned,
    /// so it must outlive the control or be unset first.
    void setImage(QImage *image);
    /// The image shown instead of the named one; null for none.
    QImage *image() const;
    /// Sets whether the image is stretched over the whole control (true, the
    /// default) or drawn at its own size where setAlign() puts it.
    void setFill(bool fill);
    /// Whether the image is stretched over the whole control (default true).
    bool fill() const;
    /// Sets where an image that is not stretched goes: 0 start, 1 centre, 2 end,
    /// any other value start; both default to 1.
    void setAlign(int horizontal, int vertical);
    /// The horizontal alignment: 0 left, 1 centre, 2 right (default 1).
    int alignH() const;
    /// The vertical alignment: 0 top, 1 middle, 2 bottom (default 1).
    int alignV() const;

private:
    TAVQ_DECLARE_IMPL(TAVQImage)
};

/**
 * \brief An empty surface the application paints on itself; page type "canvas".
 *
 * It draws nothing of its own but the focus frame while the keyboard is in use:
 * a program derives from it and paints in paintEvent(), or places its own
 * widgets on it. The page's common attributes place it.
 *
 * \code
 * class Chart : public TAVQtLib::TAVQCanvas
 * {
 * protected:
 *     void paintEvent(QPaintEvent *) override
 *     {
 *         QPainter painter(this);
 *         painter.fillRect(rect(), Qt::white);
 *     }
 * };
 * \endcode
 *
 * \par Signals
 * None of its own.
 *
 * \par Repainting
 * It has no setters; call `update()` when what the program paints changes.
 */
class TAVQTLIB_EXPORT TAVQCanvas : public TAVQControl<QWidget>
{
    Q_OBJECT
    Q_INTERFACES(TAVQtLib::ITAVQControlBase)

public:
    /// Makes the control under `parent`.
    explicit TAVQCanvas(QWidget *parent = nullptr);
    /// Deletes the implementation object.
    ~TAVQCanvas() override;

    /// "canvas".
    QString GetTypeName() override;
    /// Reads the common attributes; a canvas has no "style" slots or "attr" keys.
    bool LoadFromJson(const Json::Value &element) override;

private:
    TAVQ_DECLARE_IMPL(TAVQCanvas)
};

} // namespace TAVQtLib

#endif
