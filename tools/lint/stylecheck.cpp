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
