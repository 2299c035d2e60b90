#include "elementinfo.h"

#include "previewpage.h"

#include "core/tavqcontrolbase.h"
#include "base/tavqjson_p.h"
#include "resources/tavqresourcemanager.h"

#include <QStringList>
#include <QWidget>

namespace TAVQtLib {
namespace Preview {

using namespace JsonRead;

namespace {

QString fields(std::initializer_list<std::pair<const char *, int>> values)
{
    QStringList parts;
    for (const auto &value : values)
        parts << QStringLiteral("%1 %2").arg(QLatin1String(value.first)).arg(value.second);
    return parts.join(QLatin1String(", "));
}

SlotStyle slotStyle(int slot, const QString &name)
{
    const TAVQResourceManager &resources = TAVQResourceManager::instance();
    TAVQBoxStyle box;
    TAVQFontStyle font;
    return SlotStyle{slot, name, resources.boxStyle(name, box), resources.fontStyle(name, font)};
}

QString kindOf(const SlotStyle &style)
{
    if (style.box && style.font)
        return QStringLiteral("box and font style");
    if (style.box)
        return QStringLiteral("box style");
    return style.font ? QStringLiteral("font style") : QStringLiteral("not in the style sheet");
}

// The element's "style" entries: [name, ignored, slot].
QVector<SlotStyle> slotStyles(const Json::Value &element)
{
    QVector<SlotStyle> styles;
    const Json::Value *list = member(element, "style");
    if (!list || !list->isArray())
        return styles;
    for (const Json::Value &entry : *list) {
        if (!entry.isArray() || entry.size() < 3)
            continue;
        const auto name = stringBytes(entry[0]);
        const auto slot = toInt(entry[2]);
        if (!name || !slot)
            continue;
        styles.append(slotStyle(*slot, QString::fromUtf8(*name)));
    }
    return styles;
}

} // namespace

QString layoutText(QWidget *control)
{
    ITAVQControlBase *controlApi = controlInterface(control);
    const TAVQControlBase *base = controlApi ? controlApi->GetControlBase() : nullptr;
    if (!base)
        return QString();
    TAVQAnchorLayout anchor;
    TAVQMarginLayout margin;
    TAVQCustomLayout custom;
    TAVQFixedLayout fixed;
    if (base->GetLayout(anchor))
        return QLatin1String("anchor: ")
            + fields({{"hor", anchor.hor}, {"ver", anchor.ver}, {"wType", anchor.wType}, {"hType", anchor.hType},
                      {"x", anchor.x}, {"y", anchor.y}, {"w", anchor.w}, {"h", anchor.h}});
    if (base->GetLayout(margin))
        return QLatin1String("margins: ") + fields({{"x", margin.x}, {"y", margin.y}, {"r", margin.r}, {"b", margin.b}});
    if (base->GetLayout(custom)) {
        const qint32 *v = custom.values;
        return QLatin1String("custom (not applied): ")
            + fields({{"0", v[0]}, {"1", v[1]}, {"2", v[2]}, {"3", v[3]}, {"4", v[4]}, {"5", v[5]}});
    }
    if (base->GetLayout(fixed))
        return QLatin1String("fixed: ") + fields({{"x", fixed.x}, {"y", fixed.y}, {"w", fixed.w}, {"h", fixed.h}});
    return base->GetLayoutType() == LayoutNone ? QStringLiteral("none")
                                               : QStringLiteral("kind %1 (lays out nothing)").arg(base->GetLayoutType());
}

ElementInfo::ElementInfo(const PreviewPage &page)
    : m_page(page)
{
}

ElementAnswer ElementInfo::answerFor(QWidget *widget) const
{
    ElementAnswer answer;
    QWidget *control = m_page.controlAt(widget);
    const Json::Value *element = control ? m_page.elementOf(control) : nullptr;
    if (!element)
        return answer;
    answer.control = control;
    answer.name = control->objectName();
    answer.type = controlInterface(control)->GetTypeName();
    answer.geometry = control->geometry();
    answer.layout = layoutText(control);
    answer.styles = slotStyles(*element);
    answer.json = m_page.sourceOf(*element);
    answer.line = m_page.lineOf(element->getOffsetStart());
    return answer;
}

QString ElementInfo::describe(const ElementAnswer &answer, bool withJson)
{
    if (!answer.control)
        return QString();
    const QRect &g = answer.geometry;
    QStringList lines;
    lines << QStringLiteral("%1 \"%2\"").arg(answer.type, answer.name)
          << QStringLiteral("geometry: %1,%2 %3x%4").arg(g.x()).arg(g.y()).arg(g.width()).arg(g.height())
          << QStringLiteral("layout: %1").arg(answer.layout);
    for (const SlotStyle &style : answer.styles)
        lines << QStringLiteral("slot %1: %2 (%3)").arg(style.slot).arg(style.style, kindOf(style));
    if (withJson)
        lines << QString() << QStringLiteral("line %1:").arg(answer.line) << answer.json;
    return lines.join(QLatin1Char('\n'));
}

} // namespace Preview
} // namespace TAVQtLib
