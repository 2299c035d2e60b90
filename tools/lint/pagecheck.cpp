#include "lintcheck.h"
#include "lintsource.h"

#include "base/tavqjson_p.h"
#include "base/tavqkeytable_p.h"
#include "base/tavqtextcodec.h"
#include "core/tavqcontrolbase.h"
#include "core/tavqelementtables_p.h"
#include "core/tavqelementwalk_p.h"
#include "core/tavqpagebuilder.h"
#include "core/tavqregistry.h"

#include <json/value.h>

#include <QHash>
#include <QMap>

#include <algorithm>
#include <deque>
#include <iterator>
#include <utility>

namespace TAVQtLib {
namespace Lint {

namespace {

QString styleKindText(TAVQStyleKind kind)
{
    return kind == TAVQStyleKind::Box ? QStringLiteral("box") : QStringLiteral("font");
}

// Decoders replace a bad sequence (or drop a cut one) without always saying so;
// only valid text comes back unchanged when encoded again.
bool isValidText(const QByteArray &bytes, const char *encoding)
{
    // Encoders with a state may lead UTF-8 with a byte order mark.
    if (qstrcmp(encoding, "UTF-8") == 0)
        return QString::fromUtf8(bytes).toUtf8() == bytes;
    bool decoded = false;
    bool encoded = false;
    const QByteArray again = TextCodec::fromUnicode(TextCodec::toUnicode(bytes, encoding, &decoded), encoding, &encoded);
    return decoded && encoded && again == bytes;
}

bool isEmptyBox(const QString &name)
{
    return name == QLatin1String("empty") || name == QLatin1String("emptyRect");
}

// Checks one page's elements with the tables the controls read by, as the
// builder's walk meets them.
class PageChecker : public TAVQElementObserver
{
public:
    PageChecker(const LintSource &source, const StyleNames &styles, FindingSink *sink)
        : m_source(source), m_styles(styles), m_sink(sink)
    {
    }

    void checkRoot(const Json::Value &root);
    void checkTexts(const Json::Value &value, const char *encoding);
    void elementMet(const TAVQWalkedElement &met) override;

private:
    using NameScope = QMap<QString, const Json::Value *>;
    // What the children of a checked element are read with: its control's
    // table, and where their object names must be unique.
    struct Scope {
        const TAVQControlTable *table = nullptr;
        NameScope *names = nullptr;
    };

    Scope parentScope(const TAVQWalkedElement &met);
    NameScope *namesFor(const Scope &parent);
    void reportSkipped(const TAVQWalkedElement &met);
    void checkTyped(const TAVQWalkedElement &met, const Scope &parent);
    void checkMembers(const Json::Value &element, const QString &type, const TAVQControlTable *table,
                      NameScope *names);
    bool checkValue(const TAVQKey &key, const Json::Value &value, const QString &owner)
    {
        return Lint::checkValue(key, value, owner, m_source, m_sink);
    }
    void checkAttr(const Json::Value &attr, const QString &type, const TAVQControlTable &table);
    void checkStyles(const Json::Value &styles, const QString &type, const TAVQControlTable &table);
    void checkLayout(const Json::Value &layout);
    void checkChoice(const Json::Value &object, const char *key, int high, const QString &meaning);
    void checkStyle(const QString &name, const Json::Value &at, int slot, const QString &type,
                    TAVQStyleKind kind);
    void checkName(const Json::Value &element, NameScope *names);

    void error(const Json::Value &at, const QString &message) { m_sink->add(Severity::Error, at, message); }
    void warning(const Json::Value &at, const QString &message) { m_sink->add(Severity::Warning, at, message); }

    void checkWindowExtent(const char *key, const Json::Value &value);

    const LintSource &m_source;
    const StyleNames &m_styles;
    FindingSink *m_sink;
    NameScope m_pageNames;
    std::deque<NameScope> m_templateNames;          // one per row template
    QHash<const Json::Value *, Scope> m_checked;    // elements whose children are checked
    bool m_overBudgetTold = false;
};

void PageChecker::checkRoot(const Json::Value &root)
{
    if (!root.isObject()) {
        error(root, QStringLiteral("the page is not a JSON object"));
        return;
    }
    for (auto it = root.begin(); it != root.end(); ++it) {
        const QString key = QString::fromStdString(it.name());
        if (key == QLatin1String("elements"))
            continue;
        if (const TAVQKey *known = WindowAttributes.key(it.name().c_str())) {
            if (checkValue(*known, *it, QStringLiteral("the window")))
                checkWindowExtent(known->name, *it);
        } else
            warning(*it, QStringLiteral("page key \"%1\" is not read").arg(key));
    }
    const Json::Value *elements = JsonRead::member(root, "elements");
    if (!elements)
        return;
    if (!elements->isArray()) {
        error(*elements, QStringLiteral("\"elements\" is not a list: nothing is built"));
        return;
    }
    TAVQElementWalk(TAVQElementWalk::Mode::Check, this).walkPage(root, nullptr);
}

void PageChecker::checkWindowExtent(const char *key, const Json::Value &value)
{
    static const char *const extents[] = {"w", "h", "minW", "minH"};
    const bool isExtent = std::any_of(std::begin(extents), std::end(extents),
                                      [key](const char *extent) { return qstrcmp(key, extent) == 0; });
    const std::optional<int> extent = JsonRead::toInt(value);
    if (isExtent && extent && *extent > Limits::MaxWindowExtent)
        error(value, QStringLiteral("\"%1\" is larger than a window may be: cut to %2")
                         .arg(QLatin1String(key)).arg(Limits::MaxWindowExtent));
}

void PageChecker::checkTexts(const Json::Value &value, const char *encoding)
{
    if (value.isArray() || value.isObject()) {
        for (const Json::Value &item : value)
            checkTexts(item, encoding);
        return;
    }
    const char *begin = nullptr;
    const char *end = nullptr;
    if (value.isString() && value.getString(&begin, &end) && end - begin > Limits::MaxStringBytes)
        error(value, QStringLiteral("text of %1 bytes is cut to its first %2").arg(end - begin).arg(Limits::MaxStringBytes));
    const std::optional<QByteArray> bytes = JsonRead::stringBytes(value);
    if (!bytes)
        return;
    if (!isValidText(*bytes, encoding)) {
        error(value, QStringLiteral("text is not valid %1").arg(QLatin1String(encoding)));
        return;
    }
    // A UTF-8 source reaches a package in GBK, as the package tool turns it.
    bool encodable = true;
    if (qstrcmp(encoding, "UTF-8") == 0)
        TextCodec::fromUnicode(QString::fromUtf8(*bytes), "GBK", &encodable);
    if (!encodable) {
        error(value, QStringLiteral("text holds a character GBK cannot: tavqpkg pack --gbk refuses the page"));
    }
}

PageChecker::Scope PageChecker::parentScope(const TAVQWalkedElement &met)
{
    if (!met.parent)
        return Scope{nullptr, &m_pageNames};
    return m_checked.value(met.parent);
}

// Applications look names up inside each row template: each has names of its own.
PageChecker::NameScope *PageChecker::namesFor(const Scope &parent)
{
    if (!parent.table || !parent.table->itemTemplates)
        return parent.names;
    m_templateNames.emplace_back();
    return &m_templateNames.back();
}

void PageChecker::elementMet(const TAVQWalkedElement &met)
{
    if (met.type)
        checkTyped(met, parentScope(met));
    else
        reportSkipped(met);
}

// Skipped before its type was looked at.
void PageChecker::reportSkipped(const TAVQWalkedElement &met)
{
    const Json::Value &element = *met.element;
    switch (met.skip) {
    case TAVQElementSkip::TooDeep:
        error(element, QStringLiteral("element nested deeper than %1 levels is skipped").arg(MaxElementDepth));
        break;
    case TAVQElementSkip::OverBudget:
        if (!std::exchange(m_overBudgetTold, true))
            error(element, QStringLiteral("a page builds at most %1 elements: this one and all after it are skipped")
                               .arg(Limits::MaxPageElements));
        break;
    case TAVQElementSkip::OverChildCap:
        if (met.index == Limits::MaxChildElements)
            error(element, QStringLiteral("a list builds at most %1 elements: this one and all after it are skipped")
                               .arg(Limits::MaxChildElements));
        break;
    case TAVQElementSkip::TypeNotString: {
        const Json::Value *typeValue = JsonRead::member(element, "type");
        error(typeValue ? *typeValue : element, QStringLiteral("element without a control type is skipped"));
        break;
    }
    case TAVQElementSkip::None:
    case TAVQElementSkip::ScrollBar:
    case TAVQElementSkip::UnknownType:
        break;   // these come with a type: checkTyped()
    }
}

void PageChecker::checkTyped(const TAVQWalkedElement &met, const Scope &parent)
{
    const Json::Value &element = *met.element;
    const Json::Value &typeValue = *JsonRead::member(element, "type");
    const QString type = QString::fromUtf8(*met.type);
    // Scrolling controls read their bar children themselves; the builder skips them.
    if (parent.table && parent.table->scrollBars && met.type->contains("scrollbar")) {
        const Scope scope{parent.table->scrollBars, namesFor(parent)};
        checkMembers(element, type, scope.table, scope.names);
        // A registered type of that name still builds its children.
        if (met.skip == TAVQElementSkip::None)
            m_checked.insert(&element, scope);
        return;
    }
    if (met.skip == TAVQElementSkip::ScrollBar) {
        warning(typeValue, QStringLiteral("a scroll bar outside a scrolling control is skipped"));
        return;
    }
    if (met.skip == TAVQElementSkip::UnknownType) {
        error(typeValue, QStringLiteral("unknown control type \"%1\"").arg(type));
        return;
    }
    const Scope scope{ControlTableOf(met.type->constData()), namesFor(parent)};
    checkMembers(element, type, scope.table, scope.names);
    m_checked.insert(&element, scope);
}

void PageChecker::checkMembers(const Json::Value &element, const QString &type, const TAVQControlTable *table,
                               NameScope *names)
{
    checkName(element, names);
    for (auto it = element.begin(); it != element.end(); ++it) {
        const std::string key = it.name();
        if (key == "type")
            continue;
        if (key == "child") {
            if (!it->isArray())
                error(*it, QStringLiteral("\"child\" is not a list: no child is built"));
        } else if (key == "style") {
            if (table)
                checkStyles(*it, type, *table);
        } else if (key == "attr") {
            if (table)
                checkAttr(*it, type, *table);
        } else if (const TAVQKey *common = CommonAttributes.key(key.c_str())) {
            if (checkValue(*common, *it, type) && key == "layout") {
                Lint::checkMembers(LayoutAttributes, *it, QStringLiteral("key"), QStringLiteral("the layout"),
                                   m_source, m_sink);
                checkLayout(*it);
            }
        } else {
            warning(*it, QStringLiteral("key \"%1\" is not read by %2").arg(QString::fromStdString(key), type));
        }
    }
}

void PageChecker::checkAttr(const Json::Value &attr, const QString &type, const TAVQControlTable &table)
{
    if (!attr.isObject()) {
        error(attr, QStringLiteral("\"attr\" is not an object: no attribute is read"));
        return;
    }
    Lint::checkMembers(table, attr, QStringLiteral("attribute"), type, m_source, m_sink);
}

void PageChecker::checkStyles(const Json::Value &styles, const QString &type, const TAVQControlTable &table)
{
    if (!styles.isArray() && !styles.isObject()) {
        error(styles, QStringLiteral("\"style\" is not a list: no style is read"));
        return;
    }
    for (const Json::Value &entry : styles) {
        if (!entry.isArray()) {
            error(entry, QStringLiteral("style entry is not a list [name, 0, slot] and is skipped"));
            continue;
        }
        const Json::Value &nameValue = entry[Json::ArrayIndex(0)];
        const Json::Value &slotValue = entry[Json::ArrayIndex(2)];
        // Past the end of the entry there is no position of its own.
        const Json::Value &slotAt = entry.size() > 2 ? slotValue : entry;
        const std::optional<QByteArray> name = JsonRead::stringBytes(nameValue);
        const std::optional<int> slot = JsonRead::toInt(slotValue);
        if (!name) {
            error(entry.size() > 0 ? nameValue : entry, QStringLiteral("style name is not a string; the entry is skipped"));
            continue;
        }
        if (!slot) {
            error(slotAt, QStringLiteral("style slot is %1, not an integer; the entry is skipped")
                              .arg(jsonTypeText(slotValue)));
            continue;
        }
        if (entry.size() < 3)
            warning(entry, QStringLiteral("style entry has no slot index and fills slot 0"));
        const TAVQSlotRange *range = table.slot(*slot);
        if (!range) {
            warning(slotAt, QStringLiteral("style slot %1 is not read by %2").arg(*slot).arg(type));
            continue;
        }
        checkStyle(QString::fromUtf8(*name), nameValue, *slot, type, range->kind);
    }
}

// Values outside those the layout reads place the control where its author did not mean.
void PageChecker::checkLayout(const Json::Value &layout)
{
    checkChoice(layout, "type", 3, QStringLiteral("0 anchor, 1 margins, 2 custom, 3 fixed; the control is not placed"));
    const Json::Value *type = JsonRead::member(layout, "type");
    if (type && JsonRead::toInt(*type).value_or(0) != LayoutAnchor)
        return;
    checkChoice(layout, "hor", 2, QStringLiteral("0 left, 1 centre, 2 right; it is placed at the left, \"x\" ignored"));
    checkChoice(layout, "ver", 2, QStringLiteral("0 top, 1 middle, 2 bottom; it is placed at the top, \"y\" ignored"));
    checkChoice(layout, "wType", 1, QStringLiteral("0 fixed, 1 stretched; its width is 0"));
    checkChoice(layout, "hType", 1, QStringLiteral("0 fixed, 1 stretched; its height is 0"));
}

void PageChecker::checkChoice(const Json::Value &object, const char *key, int high, const QString &meaning)
{
    const Json::Value *value = nullptr;
    if (const std::optional<int> number = outsideRange(object, key, 0, high, &value))
        warning(*value, QStringLiteral("\"%1\" is %2, none of %3").arg(QLatin1String(key)).arg(*number).arg(meaning));
}

void PageChecker::checkStyle(const QString &name, const Json::Value &at, int slot, const QString &type,
                             TAVQStyleKind kind)
{
    const bool box = isEmptyBox(name) || m_styles.boxes.contains(name);
    const bool font = m_styles.fonts.contains(name);
    if (kind == TAVQStyleKind::Box ? box : font)
        return;
    if (box || font) {
        warning(at, QStringLiteral("\"%1\" is a %2 style, but slot %3 of %4 reads a %5 style")
                        .arg(name, styleKindText(box ? TAVQStyleKind::Box : TAVQStyleKind::Font))
                        .arg(slot)
                        .arg(type, styleKindText(kind)));
        return;
    }
    error(at, QStringLiteral("style \"%1\" is not defined in style.json").arg(name));
}

void PageChecker::checkName(const Json::Value &element, NameScope *names)
{
    const Json::Value *value = JsonRead::member(element, "name");
    const std::optional<QByteArray> bytes = value ? JsonRead::toBytes(*value) : std::nullopt;
    if (!bytes || bytes->isEmpty())
        return;
    const QString name = QString::fromUtf8(*bytes);
    const auto first = names->constFind(name);
    if (first == names->constEnd()) {
        names->insert(name, value);
        return;
    }
    warning(*value, QStringLiteral("object name \"%1\" is used again (first at %2)").arg(name, m_sink->lineOf(**first)));
}

} // namespace

void checkPage(const LintSource &source, const QString &page, const StyleNames &styles, QVector<Finding> *findings)
{
    const TAVQSourceFile file = source.page(page);
    const QByteArray &text = file.bytes;
    FindingSink sink(page, text, findings);
    if (!file.found()) {
        sink.add(Severity::Error, 0, QStringLiteral("no such page in the package, the folder or on disk"));
        return;
    }
    if (text.isEmpty()) {
        sink.add(Severity::Error, 0, QStringLiteral("the page is empty: the runtime builds nothing from it"));
        return;
    }
    if (file.tooLarge) {
        sink.add(Severity::Error, 0, QStringLiteral("the page is larger than %1 MiB: it is not read")
                                         .arg(Limits::MaxDocumentBytes >> 20));
        return;
    }
    Json::Value root;
    if (!parseReporting(text, &root, &sink))
        return;
    const int first = findings->size();
    PageChecker checker(source, styles, &sink);
    // Packed pages are GBK; pages in a folder are read as they were written, UTF-8.
    checker.checkTexts(root, file.place == TAVQFilePlace::Package ? "GBK" : "UTF-8");
    checker.checkRoot(root);
    sortByPosition(findings, first);
}

} // namespace Lint
} // namespace TAVQtLib
