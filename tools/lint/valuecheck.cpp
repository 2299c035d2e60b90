#include "lintcheck.h"
#include "lintsource.h"

#include "base/tavqjson_p.h"
#include "base/tavqlimits.h"

#include <json/value.h>

namespace TAVQtLib {
namespace Lint {

namespace {

QString kindText(TAVQValueKind kind)
{
    switch (kind) {
    case TAVQValueKind::Bool:
        return QStringLiteral("a boolean");
    case TAVQValueKind::Int:
    case TAVQValueKind::Bits:
        return QStringLiteral("an integer");
    case TAVQValueKind::Text:
        return QStringLiteral("a text");
    case TAVQValueKind::Image:
        return QStringLiteral("an image name");
    case TAVQValueKind::Colour:
        return QStringLiteral("a colour");
    case TAVQValueKind::Object:
        return QStringLiteral("an object");
    case TAVQValueKind::List:
        return QStringLiteral("a list");
    }
    return QString();
}

// Where the runtime would show nothing: no such image, or one too large to decode.
void checkImage(const QString &name, const Json::Value &value, const LintSource &source, FindingSink *sink)
{
    if (!source.hasImage(name)) {
        sink->add(Severity::Error, value,
                  QStringLiteral("image \"%1\" is neither in the package nor in the folder").arg(name));
        return;
    }
    const QSize size = source.imageSize(name);
    if (qint64(size.width()) * size.height() * 4 > Limits::MaxImageBytes) {
        sink->add(Severity::Error, value,
                  QStringLiteral("image \"%1\" is %2x%3 pixels, more than %4 MiB decoded: it is not shown")
                      .arg(name).arg(size.width()).arg(size.height()).arg(Limits::MaxImageBytes >> 20));
        return;
    }
    if (!source.imageDecodes(name))
        sink->add(Severity::Error, value, QStringLiteral("image \"%1\" does not decode: nothing is drawn").arg(name));
}

} // namespace

std::optional<int> outsideRange(const Json::Value &object, const char *key, int low, int high,
                                const Json::Value **at)
{
    *at = JsonRead::member(object, key);
    const std::optional<int> number = *at ? JsonRead::toInt(**at) : std::nullopt;
    if (number && (*number < low || *number > high))
        return number;
    return std::nullopt;
}

QString jsonTypeText(const Json::Value &value)
{
    switch (value.type()) {
    case Json::nullValue:
        return QStringLiteral("null");
    case Json::intValue:
    case Json::uintValue:
        return QStringLiteral("an integer");
    case Json::realValue:
        return QStringLiteral("a number");
    case Json::stringValue:
        return QStringLiteral("a string");
    case Json::booleanValue:
        return QStringLiteral("a boolean");
    case Json::arrayValue:
        return QStringLiteral("a list");
    case Json::objectValue:
        return QStringLiteral("an object");
    }
    return QString();
}

bool checkValue(const TAVQKey &key, const Json::Value &value, const QString &owner, const LintSource &source,
                FindingSink *sink)
{
    if (!convertsAs(key.kind, value)) {
        sink->add(Severity::Error, value, QStringLiteral("\"%1\" is %2 where %3 reads %4, and counts as absent")
                                              .arg(QLatin1String(key.name), jsonTypeText(value), owner, kindText(key.kind)));
        return false;
    }
    if (key.kind == TAVQValueKind::Image) {
        const QString name = QString::fromUtf8(JsonRead::toBytes(value).value_or(QByteArray()));
        if (!name.isEmpty())
            checkImage(name, value, source, sink);
    }
    return true;
}

void checkMembers(const TAVQControlTable &table, const Json::Value &object, const QString &what, const QString &owner,
                  const LintSource &source, FindingSink *sink)
{
    for (auto it = object.begin(); it != object.end(); ++it) {
        if (const TAVQKey *key = table.key(it.name().c_str()))
            checkValue(*key, *it, owner, source, sink);
        else
            sink->add(Severity::Warning, *it, QStringLiteral("%1 \"%2\" is not read by %3")
                                                   .arg(what, QString::fromStdString(it.name()), owner));
    }
}

} // namespace Lint
} // namespace TAVQtLib
