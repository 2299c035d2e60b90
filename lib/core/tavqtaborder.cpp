#include "tavqtaborder.h"

#include "tavqcontrolbase.h"

#include <QWidget>

#include <algorithm>

namespace TAVQtLib {

namespace {

bool readsBefore(const QWidget *a, const QWidget *b)
{
    return a->y() != b->y() ? a->y() < b->y() : a->x() < b->x();
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
    std::stable_sort(controls.begin(), controls.end(), readsBefore);
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
    std::stable_sort(sorted.begin(), sorted.end(), readsBefore);
    QWidgetList chain;
    for (QWidget *root : sorted)
        collect(root, &chain);
    for (int i = 1; i < chain.size(); ++i) {
        if (chain[i - 1]->window() == chain[i]->window())
            QWidget::setTabOrder(chain[i - 1], chain[i]);
    }
}

} // namespace TAVQtLib
