#include "tavqelementmap_p.h"

#include <QStringList>

#include <utility>

namespace TAVQtLib {

void TAVQElementMap::elementMet(const TAVQWalkedElement &met)
{
    TAVQMappedElement entry;
    entry.element = met.element;
    entry.parent = met.parent;
    entry.widget = met.widget;
    entry.skip = met.skip;
    entry.depth = met.depth;
    // Parents are met before their children.
    if (const TAVQMappedElement *parent = find(met.parent))
        entry.path = parent->path;
    entry.path.append(met.index);
    const int at = int(m_elements.size());
    m_elements.push_back(std::move(entry));
    m_byElement.insert(met.element, at);
    if (met.widget)
        m_byWidget.insert(met.widget, at);
}

void TAVQElementMap::clear()
{
    m_elements.clear();
    m_byElement.clear();
    m_byWidget.clear();
}

const TAVQMappedElement *TAVQElementMap::find(const Json::Value *element) const
{
    const auto it = m_byElement.constFind(element);
    return it == m_byElement.constEnd() ? nullptr : &m_elements[size_t(*it)];
}

const TAVQMappedElement *TAVQElementMap::find(const QWidget *widget) const
{
    const auto it = m_byWidget.constFind(widget);
    if (it == m_byWidget.constEnd())
        return nullptr;
    // A widget made since at the address of a deleted one is not the element's.
    const TAVQMappedElement &entry = m_elements[size_t(*it)];
    return entry.widget.data() == widget ? &entry : nullptr;
}

QWidget *TAVQElementMap::widgetOf(const Json::Value *element) const
{
    const TAVQMappedElement *entry = find(element);
    return entry ? entry->widget.data() : nullptr;
}

QString TAVQElementMap::pathText(const QVector<int> &path)
{
    QStringList steps;
    for (int i = 0; i < path.size(); ++i)
        steps << QStringLiteral("%1[%2]").arg(i == 0 ? QLatin1String("elements") : QLatin1String("child")).arg(path[i]);
    return steps.join(QLatin1Char('.'));
}

} // namespace TAVQtLib
