#include "tavqtaborder.h"

#include "tavqcontrolbase.h"

#include <QWidget>

#include <algorithm>

namespace TAVQtLib {

namespace {

// Top to bottom by line, left to right within a line; a line is what starts
// within the height of its first widget.
void sortForReading(QWidgetList *widgets)
{
    std::stable_sort(widgets->begin(), widgets->end(), [](const QWidget *a, const QWidget *b) { return a->y() < b->y(); });
    for (auto line = widgets->begin(); line != widgets->end();) {
        const int bottom = (*line)->y() + qMax(1, (*line)->height());
        const auto end = std::find_if(line, widgets->end(), [bottom](const QWidget *w) { return w->y() >= bottom; });
        std::stable_sort(line, end, [](const QWidget *a, const QWidget *b) { return a->x() < b->x(); });
        line = end;
    }
}

// Only controls count: their own inner widgets (viewports, inner edits) keep
// the order their control gives them.
QWidgetList childControls(const QWidget *widget)
{
    QWidgetList controls;
    for (QObject *child : widget->children()) {
        auto *w = qobject_cast<QWidget *>(child);
        if (w && !w->isWindow() && controlInterface(w))
            controls << w;
    }
    sortForReading(&controls);
    return controls;
}

void collect(QWidget *widget, QWidgetList *out)
{
    if (widget->focusPolicy() & Qt::TabFocus)
        out->append(widget);
    for (QWidget *child : childControls(widget))
        collect(child, out);
}

} // namespace

void SetReadingTabOrder(const QWidgetList &roots)
{
    QWidgetList sorted = roots;
    sorted.removeAll(nullptr);
    sortForReading(&sorted);
    QWidgetList chain;
    for (QWidget *root : sorted)
        collect(root, &chain);
    for (int i = 1; i < chain.size(); ++i) {
        if (chain[i - 1]->window() == chain[i]->window())
            QWidget::setTabOrder(chain[i - 1], chain[i]);
    }
}

} // namespace TAVQtLib
