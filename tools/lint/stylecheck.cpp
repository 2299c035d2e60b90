#include "lintcheck.h"
#include "lintsource.h"

#include "base/tavqjson_p.h"
#include "base/tavqkeyreader_p.h"
#include "resources/tavqstylekeys_p.h"

#include <json/value.h>

#include <QMap>

namespace TAVQtLib {
namespace Lint {

namespace {

const char StyleSheet[] = "style.json";

// Repeats of a style name: the runtime keeps the first definition.
class NameRegister
{
public:
    explicit NameRegister(FindingSink *sink) : m_sink(sink) {}

    void add(const char *kind, const QString &name, const Json::Value &definition)
    {
        QMap<QString, const Json::Value *> &seen = m_seen[QLatin1String(kind)];
        const auto first = seen.constFind(name);
        if (first == seen.constEnd()) {
            seen.insert(name, &definition);
            return;
        }
        m_sink->add(Severity::Warning, definition,
                    QStringLiteral("%1 style \"%2\" is defined again; the first definition (%3) wins")
                        .arg(QLatin1String(kind), name, m_sink->lineOf(**first)));
    }

private:
    FindingSink *m_sink;
    QMap<QString, QMap<QString, const Json::Value *>> m_seen;
};

// A colour the reader takes differently from what its author meant: a '#'
// reads as 0, and a box colour of six digits has an alpha of 0.
void checkColour(const Json::Value &definition, const char *key, bool box, FindingSink *sink)
{
    const Json::Value *value = JsonRead::member(definition, key);
    const std::optional<QByteArray> text = value ? JsonRead::stringBytes(*value) : std::nullopt;
    if (!text)
        return;
    if (text->startsWith('#')) {
        sink->add(Severity::Error, *value,
                  QStringLiteral("colour \"%1\" starts with '#' and reads as 0; write %2 hexadecimal digits without it")
                      .arg(QString::fromUtf8(*text), box ? QStringLiteral("AARRGGBB") : QStringLiteral("RRGGBB")));
        return;
    }
    if (box && text->size() <= 6) {
        sink->add(Severity::Warning, *value,
                  QStringLiteral("box colour \"%1\" has no alpha byte and is transparent; write AARRGGBB, "
                                 "such as \"ff%1\"")
                      .arg(QString::fromUtf8(*text)));
    }
}

// An integer key outside the values the reader acts on.
void checkRange(const Json::Value &definition, const char *key, int low, int high, const QString &meaning,
                FindingSink *sink)
{
    const Json::Value *value = nullptr;
    if (const std::optional<int> number = outsideRange(definition, key, low, high, &value)) {
        sink->add(Severity::Warning, *value,
                  QStringLiteral("\"%1\" is %2, outside %3 to %4 (%5)").arg(QLatin1String(key)).arg(*number).arg(low).arg(high).arg(meaning));
    }
}

void checkBoxValues(const Json::Value &definition, FindingSink *sink)
{
    checkColour(definition, "clr", true, sink);
    checkColour(definition, "borderclr", true, sink);
    const Json::Value *drawImg = JsonRead::member(definition, "drawImg");
    const bool image = !drawImg || JsonRead::toBool(*drawImg).value_or(true);
    if (image && JsonRead::member(definition, "clr") && !JsonRead::member(definition, "img")) {
        sink->add(Severity::Warning, definition,
                  QStringLiteral("box style gives \"clr\" but no image and no \"drawImg\": false; it is drawn as "
                                 "an image (drawImg defaults to true) and paints nothing"));
    }
    const Json::Value *margin = JsonRead::member(definition, "margin");
    if (!margin || !margin->isArray())
        return;
    if (margin->size() != 4) {
        sink->add(Severity::Warning, *margin,
                  QStringLiteral("\"margin\" has %1 values; it takes 4: top, right, bottom, left").arg(margin->size()));
    }
    for (const Json::Value &slice : *margin) {
        if (!JsonRead::toInt(slice)) {
            sink->add(Severity::Error, slice,
                      QStringLiteral("a \"margin\" value that is no integer counts as 0"));
        }
    }
}

void checkFontValues(const Json::Value &definition, FindingSink *sink)
{
    checkColour(definition, "clr", false, sink);
    checkRange(definition, "hor", 0, 2, QStringLiteral("0 left, 1 centre, 2 right"), sink);
    checkRange(definition, "ver", 0, 2, QStringLiteral("0 top, 1 middle, 2 bottom"), sink);
    const Json::Value *size = JsonRead::member(definition, "size");
    const std::optional<int> pixels = size ? JsonRead::toInt(*size) : std::nullopt;
    if (pixels && *pixels <= 0) {
        sink->add(Severity::Warning, *size,
                  QStringLiteral("font size %1 keeps the application font's size").arg(*pixels));
    }
}

void checkDefinition(const Json::Value &definition, const LintSource &source, FindingSink *sink,
                     NameRegister *names)
{
    const Json::Value *type = JsonRead::member(definition, "type");
    if (!type) {
        sink->add(Severity::Warning, definition, QStringLiteral("style without \"type\" is skipped"));
        return;
    }
    const std::optional<int> kind = JsonRead::toInt(*type);
    if (kind != 1 && kind != 2) {
        sink->add(Severity::Warning, *type,
                  QStringLiteral("style of unknown type %1 is skipped (1 box, 2 font)")
                      .arg(QString::fromStdString(type->toStyledString()).trimmed()));
        return;
    }
    const char *kindName = kind == 1 ? "box" : "font";
    const TAVQControlTable &table = kind == 1 ? BoxStyleAttributes : FontStyleAttributes;
    checkMembers(table, definition, QStringLiteral("key"),
                 QStringLiteral("a %1 style").arg(QLatin1String(kindName)), source, sink);
    if (kind == 1)
        checkBoxValues(definition, sink);
    else
        checkFontValues(definition, sink);
    names->add(kindName, QString::fromUtf8(TAVQKeyReader(table.keys, definition).bytesMember("name")), definition);
}

} // namespace

StyleNames checkStyleSheet(const LintSource &source, QVector<Finding> *findings)
{
    StyleNames styles;
    QByteArray text;
    FindingSink sink(QLatin1String(StyleSheet), text, findings);
    if (!source.readStyleSheet(&text)) {
        sink.add(Severity::Error, 0, QStringLiteral("no style sheet in the package or the folder"));
        return styles;
    }
    FindingSink placed(QLatin1String(StyleSheet), text, findings);
    Json::Value root;
    if (!parseReporting(text, &root, &placed))
        return styles;
    const Json::Value *definitions = JsonRead::member(root, "style");
    if (!definitions) {
        placed.add(Severity::Error, root, QStringLiteral("no \"style\" member: no style is loaded"));
        return styles;
    }
    styles.loaded = true;
    if (!definitions->isArray() && !definitions->isObject()) {
        placed.add(Severity::Error, *definitions, QStringLiteral("\"style\" is neither a list nor an object"));
        return styles;
    }
    NameRegister names(&placed);
    const int first = findings->size();
    for (const Json::Value &definition : *definitions)
        checkDefinition(definition, source, &placed, &names);
    sortByPosition(findings, first);
    parseStyles(*definitions, &styles.boxes, &styles.fonts);
    return styles;
}

} // namespace Lint
} // namespace TAVQtLib
