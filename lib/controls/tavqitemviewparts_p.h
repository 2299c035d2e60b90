#ifndef TAVQ_ITEMVIEWPARTS_P_H
#define TAVQ_ITEMVIEWPARTS_P_H

// Not part of the API: the panes, header looks and viewport background of the item views.

#include "tavqitemviewparts.h"

#include "core/tavqcontrolbaseimpl.h"

#include <QWidget>

#include <array>

class QEvent;
class QObject;

namespace TAVQtLib {

// A widget that paints one box style over itself: the corner between the bars
// and the viewport of a view. The style belongs to the view's implementation,
// which outlives the pane's paint events.
class TAVQBoxPane : public QWidget
{
    Q_OBJECT

public:
    // Paints `style`, which must outlive the pane, under `parent`.
    TAVQBoxPane(const TAVQBoxStyle *style, QWidget *parent);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    const TAVQBoxStyle *m_style;
};

// Box and font styles of a header by look 0 to 3; look 4 (setters only) means
// all four, other looks change nothing and read as look 0.
class TAVQHeaderLooks
{
public:
    // The box of a header section, per look.
    void setBox(int look, const TAVQBoxStyle &style);
    const TAVQBoxStyle &box(int look) const { return m_boxes[stateSlot(look)]; }
    // The font style of a header section's text, per look.
    void setFont(int look, const TAVQFontStyle &style);
    const TAVQFontStyle &font(int look) const { return m_fonts[stateSlot(look)]; }

    // A page's style slot of the group: look 0 fills all four; unknown names change nothing.
    void loadBox(int look, const QString &name);
    void loadFont(int look, const QString &name);

private:
    std::array<TAVQBoxStyle, 4> m_boxes;
    std::array<TAVQFontStyle, 4> m_fonts;
};

namespace TAVQItemViews {

// On the paint event of the view's viewport, paints `style` over the whole
// viewport, under what the view paints next; true when it painted.
bool paintViewportBackground(const QAbstractScrollArea *view, const QObject *watched, const QEvent *event,
                             const TAVQBoxStyle &style);

} // namespace TAVQItemViews

} // namespace TAVQtLib

#endif
