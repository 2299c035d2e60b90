#ifndef TAVQ_ELEMENTMAP_H
#define TAVQ_ELEMENTMAP_H

#include "tavqelementwalk_p.h"

#include <QHash>
#include <QPointer>
#include <QString>
#include <QVector>
#include <QWidget>

#include <vector>

namespace TAVQtLib {

// One element of a walked page, as the element map keeps it.
struct TAVQMappedElement {
    const Json::Value *element = nullptr;   // in the page document
    const Json::Value *parent = nullptr;    // null for an element of the list walked
    QPointer<QWidget> widget;               // the control it made; null: none, or deleted since
    TAVQElementSkip skip = TAVQElementSkip::None;
    int depth = 0;
    // Its place in the page: the index in the list walked, then in each "child"
    // list down to it; {1, 0} is elements[1].child[0].
    QVector<int> path;

    // Where its text starts and ends in the document, in bytes.
    qint64 offsetStart() const { return qint64(element->getOffsetStart()); }
    qint64 offsetLimit() const { return qint64(element->getOffsetLimit()); }
};

// Which element of a page made which control, and why the others made none:
// an observer to hand to the walk that builds the page. It points into the
// page document, which must outlive it (or clear() it first).
class TAVQElementMap : public TAVQElementObserver
{
public:
    void elementMet(const TAVQWalkedElement &met) override;
    // Forgets every element, for a new walk.
    void clear();

    // Every element met, in document order, skipped ones included.
    const std::vector<TAVQMappedElement> &elements() const { return m_elements; }
    // The entry of an element of the document, or null when the walk did not meet it.
    const TAVQMappedElement *find(const Json::Value *element) const;
    // The entry of the element that made `widget`, or null when none did (the
    // host, a control's own parts, widgets made later).
    const TAVQMappedElement *find(const QWidget *widget) const;
    // The control an element made, or null.
    QWidget *widgetOf(const Json::Value *element) const;

    // A path as text: "elements[1].child[0]".
    static QString pathText(const QVector<int> &path);

private:
    std::vector<TAVQMappedElement> m_elements;
    QHash<const Json::Value *, int> m_byElement;
    QHash<const QWidget *, int> m_byWidget;
};

} // namespace TAVQtLib

#endif
