#ifndef TAVQ_ELEMENTOVERLAY_H
#define TAVQ_ELEMENTOVERLAY_H

#include <QPointer>
#include <QWidget>

namespace TAVQtLib {
namespace Preview {

// Lies over the page while inspecting: takes the mouse away from the page's
// controls, reports what is under it and outlines one control.
class ElementOverlay : public QWidget
{
    Q_OBJECT

public:
    explicit ElementOverlay(QWidget *parent = nullptr);

    // The page host to cover; the overlay follows its geometry.
    void cover(QWidget *host);
    // The control to outline, with a caption; null outlines nothing.
    void outline(QWidget *control, const QString &caption);

signals:
    // The deepest page widget under the mouse, or null.
    void hovered(QWidget *widget);
    void clicked(QWidget *widget);

protected:
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    QWidget *widgetAt(const QPoint &pos) const;

    QPointer<QWidget> m_host;
    QPointer<QWidget> m_control;
    QString m_caption;
};

} // namespace Preview
} // namespace TAVQtLib

#endif
