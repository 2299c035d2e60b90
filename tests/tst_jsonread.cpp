// The page and style sheet reader converts every value exactly as JsonCpp's
// asInt / asUInt / asBool / asString / asDouble do, and counts as absent exactly
// what those throw on. One table: value kinds x conversions, each cell checked
// against the stated expectation and against JsonCpp itself.

#include "core/tavqcontrolbaseimpl.h"
#include "base/tavqjson_p.h"
#include "base/tavqkeyreader_p.h"
#include "base/tavqjsonparser_p.h"
#include "base/tavqlimits.h"

#include <QtTest>

#include <json/value.h>

#include <cmath>
#include <functional>
#include <optional>
#include <string>

using namespace TAVQtLib;

namespace {

// The one value of a document "[value]" (so that scalars parse on their own).
Json::Value valueOf(const QByteArray &text)
{
    const QByteArray document = "[" + text + "]";
    Json::Value root;
    if (!JsonRead::parseDocument(document.constData(), document.constData() + document.size(), &root)
        || !root.isArray() || root.size() != 1)
        qFatal("bad test value: %s", text.constData());
    return root[Json::ArrayIndex(0)];
}

// What JsonCpp's own conversion gives, or nothing where it throws.
template <typename T>
std::optional<T> jsonCpp(const std::function<T()> &conversion)
{
    try {
        return conversion();
    } catch (const std::exception &) {
        return std::nullopt;
    }
}

template <typename T>
QVariant toVariant(const std::optional<T> &value)
{
    return value ? QVariant::fromValue(*value) : QVariant();
}

QVariant toVariant(const std::optional<QByteArray> &value) { return value ? QVariant(*value) : QVariant(); }

// An expectation cell that is an invalid QVariant means "absent".
const QVariant Absent;

// Every value's type and offsets, depth first, members in key order.
QString layout(const Json::Value &value)
{
    QString text = QStringLiteral("%1@%2-%3").arg(int(value.type())).arg(qlonglong(value.getOffsetStart()))
                       .arg(qlonglong(value.getOffsetLimit()));
    if (value.isArray() || value.isObject()) {
        text += QLatin1Char('(');
        for (const Json::Value &child : value)
            text += layout(child) + QLatin1Char(' ');
        text += QLatin1Char(')');
    }
    return text;
}

bool isPlain(const QByteArray &json)
{
    Json::Value root;
    return JsonRead::parsePlainDocument(json.constData(), json.constData() + json.size(), &root)
        == JsonRead::FastParse::Parsed;
}

// parseDocument gives what the JsonCpp reader alone gives: success, tree, types and offsets.
void compareWithJsonCpp(const QByteArray &json)
{
    Json::Value ours;
    Json::Value reference;
    const char *begin = json.constData();
    const bool parsed = JsonRead::parseDocument(begin, begin + json.size(), &ours);
    QCOMPARE(parsed, JsonRead::parseDocumentWithJsonCpp(begin, begin + json.size(), &reference));
    if (parsed) {
        QVERIFY(ours == reference);
        QCOMPARE(layout(ours), layout(reference));
    }
}

} // namespace

class tst_JsonRead : public QObject
{
    Q_OBJECT

private slots:
    void conversions_data();
    void conversions();
    void membersConvertAndFallBack();
    void stringBytesTakesOnlyStrings();
    void fastAndReferenceParsersAgree_data();
    void fastAndReferenceParsersAgree();
    void projectPagesTakeTheFastPath();
    void listItemsAreBounded_data();
    void listItemsAreBounded();
};

void tst_JsonRead::conversions_data()
{
    // asInt as it is (toBits), asInt bounded to MaxPageInt (toInt), asUInt, asBool, asString, asDouble.
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<QVariant>("asInt");
    QTest::addColumn<QVariant>("pageInt");
    QTest::addColumn<QVariant>("asUInt");
    QTest::addColumn<QVariant>("asBool");
    QTest::addColumn<QVariant>("asString");
    QTest::addColumn<QVariant>("asDouble");

    const auto row = [](const char *name, const char *json, QVariant asInt, QVariant pageInt, QVariant asUInt,
                        QVariant asBool, QVariant asString, QVariant asDouble) {
        QTest::newRow(name) << QByteArray(json) << asInt << pageInt << asUInt << asBool << asString << asDouble;
    };
    const auto bytes = [](const char *text) { return QVariant(QByteArray(text)); };
    const int max = JsonRead::MaxPageInt;

    // null and booleans convert to everything.
    row("null", "null", 0, 0, 0u, false, bytes(""), 0.0);
    row("true", "true", 1, 1, 1u, true, bytes("true"), 1.0);
    row("false", "false", 0, 0, 0u, false, bytes("false"), 0.0);

    // Integers: asInt and asUInt check their ranges; asBool is "not zero".
    row("zero", "0", 0, 0, 0u, false, bytes("0"), 0.0);
    row("small", "7", 7, 7, 7u, true, bytes("7"), 7.0);
    row("negative", "-7", -7, -7, Absent, true, bytes("-7"), -7.0);
    row("page bound", "16777216", 16777216, max, 16777216u, true, bytes("16777216"), 16777216.0);
    row("int max", "2147483647", 2147483647, max, 2147483647u, true, bytes("2147483647"), 2147483647.0);
    row("int min", "-2147483648", int(-2147483647 - 1), -max, Absent, true, bytes("-2147483648"), -2147483648.0);
    row("past int max", "2147483648", Absent, Absent, 2147483648u, true, bytes("2147483648"), 2147483648.0);
    row("past int min", "-2147483649", Absent, Absent, Absent, true, bytes("-2147483649"), -2147483649.0);
    row("uint max", "4294967295", Absent, Absent, 4294967295u, true, bytes("4294967295"), 4294967295.0);
    row("past uint max", "4294967296", Absent, Absent, Absent, true, bytes("4294967296"), 4294967296.0);
    row("int64 max", "9223372036854775807", Absent, Absent, Absent, true, bytes("9223372036854775807"),
        9223372036854775807.0);
    row("uint64 max", "18446744073709551615", Absent, Absent, Absent, true, bytes("18446744073709551615"),
        18446744073709551615.0);

    // Reals: truncated toward zero when in range; asBool is "not zero";
    // asString writes 17 significant digits and keeps a decimal point.
    row("real", "100.5", 100, 100, 100u, true, bytes("100.5"), 100.5);
    row("negative real", "-100.5", -100, -100, Absent, true, bytes("-100.5"), -100.5);
    row("small negative real", "-0.5", 0, 0, Absent, true, bytes("-0.5"), -0.5);
    row("real zero", "0.0", 0, 0, 0u, false, bytes("0.0"), 0.0);
    row("negative real zero", "-0.0", 0, 0, 0u, false, bytes("-0.0"), -0.0);
    row("integral real", "3e2", 300, 300, 300u, true, bytes("300.0"), 300.0);
    row("inexact real", "0.1", 0, 0, 0u, true, bytes("0.10000000000000001"), 0.1);
    row("real past int max", "2147483647.5", Absent, Absent, 2147483647u, true, bytes("2147483647.5"),
        2147483647.5);
    row("real past uint max", "4294967295.5", Absent, Absent, Absent, true, bytes("4294967295.5"), 4294967295.5);
    row("huge real", "1e300", Absent, Absent, Absent, true, bytes("1.0000000000000001e+300"), 1e300);
    row("huge negative real", "-1e300", Absent, Absent, Absent, true, bytes("-1.0000000000000001e+300"), -1e300);

    // Strings convert to nothing but strings, whatever they spell.
    row("string", "\"abc\"", Absent, Absent, Absent, Absent, bytes("abc"), Absent);
    row("empty string", "\"\"", Absent, Absent, Absent, Absent, bytes(""), Absent);
    row("string of digits", "\"5\"", Absent, Absent, Absent, Absent, bytes("5"), Absent);
    row("string true", "\"true\"", Absent, Absent, Absent, Absent, bytes("true"), Absent);
    row("string with zero byte", "\"a\\u0000b\"", Absent, Absent, Absent, Absent, QVariant(QByteArray("a\0b", 3)),
        Absent);

    // Arrays and objects convert to nothing.
    row("empty array", "[]", Absent, Absent, Absent, Absent, Absent, Absent);
    row("array", "[1]", Absent, Absent, Absent, Absent, Absent, Absent);
    row("empty object", "{}", Absent, Absent, Absent, Absent, Absent, Absent);
    row("object", "{\"a\":1}", Absent, Absent, Absent, Absent, Absent, Absent);
}

void tst_JsonRead::conversions()
{
    QFETCH(QByteArray, json);
    QFETCH(QVariant, asInt);
    QFETCH(QVariant, pageInt);
    QFETCH(QVariant, asUInt);
    QFETCH(QVariant, asBool);
    QFETCH(QVariant, asString);
    QFETCH(QVariant, asDouble);
    const Json::Value v = valueOf(json);

    // The reader as stated.
    QCOMPARE(toVariant(JsonRead::toBits(v)), asInt);
    QCOMPARE(toVariant(JsonRead::toInt(v)), pageInt);
    QCOMPARE(toVariant(JsonRead::toUInt(v)), asUInt);
    QCOMPARE(toVariant(JsonRead::toBool(v)), asBool);
    QCOMPARE(toVariant(JsonRead::toBytes(v)), asString);
    const std::optional<double> real = JsonRead::toDouble(v);
    QCOMPARE(real.has_value(), asDouble.isValid());
    if (real) {
        QCOMPARE(*real, asDouble.toDouble());
        QCOMPARE(std::signbit(*real), std::signbit(asDouble.toDouble()));
    }

    // And JsonCpp itself agrees, cell by cell: the same values, absent exactly where it throws.
    const auto bytesOf = [&v]() {
        const std::string s = v.asString();
        return QByteArray(s.data(), int(s.size()));
    };
    QCOMPARE(toVariant(jsonCpp<int>([&v]() { return int(v.asInt()); })), asInt);
    QCOMPARE(toVariant(jsonCpp<unsigned>([&v]() { return unsigned(v.asUInt()); })), asUInt);
    QCOMPARE(toVariant(jsonCpp<bool>([&v]() { return v.asBool(); })), asBool);
    QCOMPARE(toVariant(jsonCpp<QByteArray>(bytesOf)), asString);
    const std::optional<double> jsonCppReal = jsonCpp<double>([&v]() { return v.asDouble(); });
    QCOMPARE(jsonCppReal.has_value(), asDouble.isValid());
    if (jsonCppReal)
        QCOMPARE(*jsonCppReal, asDouble.toDouble());
    // isConvertibleTo, which the reader asks first, says the same.
    QCOMPARE(v.isConvertibleTo(Json::intValue), asInt.isValid());
    QCOMPARE(v.isConvertibleTo(Json::uintValue), asUInt.isValid());
    QCOMPARE(v.isConvertibleTo(Json::booleanValue), asBool.isValid());
    QCOMPARE(v.isConvertibleTo(Json::stringValue), asString.isValid());
    QCOMPARE(v.isConvertibleTo(Json::realValue), asDouble.isValid());
}

void tst_JsonRead::membersConvertAndFallBack()
{
    const Json::Value o = valueOf(R"({"null":null,"real":100.9,"yes":true,"zero":0,"text":"12","list":[1],
        "big":3e9,"number":5})");
    // Members are read through a table: each key listed by the conversion asked of it.
    constexpr TAVQKey IntKeys[] = {{"null", TAVQValueKind::Int}, {"real", TAVQValueKind::Int},
                                   {"yes", TAVQValueKind::Int},  {"text", TAVQValueKind::Int},
                                   {"list", TAVQValueKind::Int}, {"big", TAVQValueKind::Int},
                                   {"missing", TAVQValueKind::Int}, {"0", TAVQValueKind::Int}};
    constexpr TAVQKey BoolKeys[] = {{"null", TAVQValueKind::Bool}, {"zero", TAVQValueKind::Bool},
                                    {"real", TAVQValueKind::Bool}, {"text", TAVQValueKind::Bool},
                                    {"list", TAVQValueKind::Bool}, {"missing", TAVQValueKind::Bool}};
    constexpr TAVQKey TextKeys[] = {{"number", TAVQValueKind::Text}, {"yes", TAVQValueKind::Text},
                                    {"null", TAVQValueKind::Text},   {"list", TAVQValueKind::Text},
                                    {"real", TAVQValueKind::Text}};
    constexpr TAVQKey BitsKeys[] = {{"real", TAVQValueKind::Bits}};
    const TAVQKeyReader ints(IntKeys, o);
    const TAVQKeyReader bools(BoolKeys, o);
    const TAVQKeyReader texts(TextKeys, o);
    // A member that is there converts, null included; only an absent or refused one falls back.
    QCOMPARE(ints.intMember("null", 42), 0);
    QCOMPARE(ints.intMember("real", 42), 100);
    QCOMPARE(ints.intMember("yes", 42), 1);
    QCOMPARE(ints.intMember("text", 42), 42);
    QCOMPARE(ints.intMember("list", 42), 42);
    QCOMPARE(ints.intMember("big", 42), 42);
    QCOMPARE(ints.intMember("missing", 42), 42);
    QCOMPARE(bools.boolMember("null", true), false);
    QCOMPARE(bools.boolMember("zero", true), false);
    QCOMPARE(bools.boolMember("real", false), true);
    QCOMPARE(bools.boolMember("text", true), true);
    QCOMPARE(bools.boolMember("missing", true), true);
    QCOMPARE(texts.bytesMember("number", "x"), QByteArray("5"));
    QCOMPARE(texts.bytesMember("yes", "x"), QByteArray("true"));
    QCOMPARE(texts.bytesMember("null", "x"), QByteArray(""));
    QCOMPARE(texts.bytesMember("list", "x"), QByteArray("x"));
    QCOMPARE(ints.optionalInt("missing"), std::optional<int>());
    QCOMPARE(TAVQKeyReader(BitsKeys, o).optionalBits("real"), std::optional<int>(100));
    QCOMPARE(bools.optionalBool("list"), std::optional<bool>());
    QCOMPARE(texts.optionalBytes("real"), std::optional<QByteArray>("100.90000000000001"));
    QCOMPARE(JsonRead::toDouble(*JsonRead::member(o, "yes")), std::optional<double>(1.0));
    QCOMPARE(JsonRead::toDouble(*JsonRead::member(o, "text")), std::optional<double>());
    // Members of what is no object are absent.
    const Json::Value list = valueOf("[1,2]");
    QCOMPARE(TAVQKeyReader(IntKeys, list).intMember("0", 42), 42);
    QVERIFY(!JsonRead::member(valueOf("null"), "a"));
}

void tst_JsonRead::stringBytesTakesOnlyStrings()
{
    QCOMPARE(JsonRead::stringBytes(valueOf("\"abc\"")), std::optional<QByteArray>("abc"));
    QCOMPARE(JsonRead::stringBytes(valueOf("\"\"")), std::optional<QByteArray>(""));
    for (const char *other : {"5", "1.5", "true", "null", "[\"a\"]", "{}"})
        QCOMPARE(JsonRead::stringBytes(valueOf(other)), std::optional<QByteArray>());
    // A string value made in code, without storage, is the empty string, as asString says.
    QCOMPARE(JsonRead::stringBytes(Json::Value(Json::stringValue)), std::optional<QByteArray>(""));
    QCOMPARE(JsonRead::toBytes(Json::Value(Json::stringValue)), std::optional<QByteArray>(""));
}

void tst_JsonRead::fastAndReferenceParsersAgree_data()
{
    // Whether the fast parser takes the document, or declines it to the JsonCpp reader.
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<bool>("plain");
    const auto row = [](const char *name, const QByteArray &json, bool plain) {
        QTest::newRow(name) << json << plain;
    };
    const auto nested = [](int depth) { return QByteArray(depth, '[') + QByteArray(depth, ']'); };

    row("nested", R"({"a":{"b":[1,{"c":[]}],"e":{}},"d":[[],{},"x",true,false,null]})", true);
    row("empty object", "{}", true);
    row("empty array", "[]", true);
    row("scalar root", "\"text\"", true);
    row("literal root", "null", true);
    row("whitespace", " \t\r\n{ \"a\" :\t[ 1 ,\r\n2 ] }\r\n ", true);
    row("escapes", R"(["a\"b\\c\/d\b\f\n\r\t", "\n"])", true);
    row("escaped key", R"({"k\ney":1,"k\"":2,"":3})", true);
    row("control bytes", "[\"a\x01\x1f\tb\x7f\"]", true);
    row("zero byte in string", QByteArray("[\"a\0b\"]", 7), true);
    row("gbk", "{\"\xc4\xe3\xba\xc3\":\"\xd6\xd0\xce\xc4\"}", true);
    row("gbk backslash trail byte", "[\"\x95\\n\x95\\\\\"]", true);
    row("unicode escape", R"(["\u00e9\ud83d\ude00"])", false);
    row("bad escape", R"(["\x"])", false);
    row("ints", "[0,-0,7,-7,2147483648,-2147483649,999999999999999999,-999999999999999999]", true);
    row("19 digits", "[1000000000000000000]", false);
    row("int64 limits", "[9223372036854775807,-9223372036854775808,18446744073709551615]", false);
    row("past uint64", "[18446744073709551616]", false);
    row("leading zero", "[01]", false);
    row("minus alone", "[-]", false);
    row("reals", "[1.5,1e3,-0.0,2E-2]", false);
    row("number then letter", "[1x]", false);
    row("repeated words and near misses", R"({"type":"qtlabel","types":"type","typ":"y","attr":{"text":"texts"}})", true);
    row("repeated word with a zero byte", QByteArray("{\"type\":1,\"type\0\":\"x\0\"}", 23), true);
    row("duplicate keys", R"({"a":1,"b":0,"a":{"c":2},"a":[3,{"d":4}]})", true);
    row("duplicate replacing container", R"({"a":{"x":[1,2]},"a":"s"})", true);
    row("comments", "// head\n/* block */{ /*x*/ \"a\" : /*y*/ 1 // z\r\n , \"b\":[1 /**/, 2] } // end", true);
    row("comment in empty object", "{ /* none */ }", true);
    row("comment before colon", R"({"a" /*x*/ :1})", false);
    row("comment in empty array", "[/*x*/]", false);
    row("comment after last comma", "[1,/*x*/]", false);
    row("comment where a comma belongs", "{\"a\":1 //c\n \"b\" \"c\":2}", false);
    row("unclosed comment", "{} /* x", false);
    row("comment closed by end", "{}/*/", false);
    row("slash alone", "{}/", false);
    row("trailing comma in object", R"({"a":1,})", false);
    row("trailing comma in array", "[1,]", false);
    row("leading comma", "[,1]", false);
    row("bom", "\xef\xbb\xbf{}", false);
    row("garbage after root", "{} x", false);
    row("second root", "1 2", false);
    row("zero byte after root", QByteArray("{}\0", 3), false);
    row("deep", nested(200), true);
    row("deeper than the bound", nested(300), false);
    row("past the stack limit", nested(1001), false);
    row("truncated object", R"({"a":[1,2)", false);
    row("truncated string", R"({"a":"b)", false);
    row("truncated literal", "tru", false);
    row("empty", "", false);
    row("only whitespace", " \n", false);
    row("single quotes", "['a']", false);
    row("bare key", "{a:1}", false);
    row("missing colon", R"({"a" 1})", false);
    row("missing comma", "[1 2]", false);
    row("capital literal", "[True]", false);
}

void tst_JsonRead::fastAndReferenceParsersAgree()
{
    QFETCH(QByteArray, json);
    QFETCH(bool, plain);
    QCOMPARE(isPlain(json), plain);
    compareWithJsonCpp(json);
}

// The speed-up is real only if actual pages, with their header comments and
// GBK texts, stay on the fast path.
void tst_JsonRead::projectPagesTakeTheFastPath()
{
    const QDir folder(QStringLiteral(SOURCE_DIR "/package"));
    const QStringList pages = folder.entryList({QStringLiteral("*Page.json"), QStringLiteral("style.json")});
    QVERIFY(pages.size() >= 6);
    for (const QString &name : pages) {
        QFile file(folder.filePath(name));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray json = file.readAll();
        QVERIFY2(isPlain(json), qPrintable(name));
        compareWithJsonCpp(json);
    }
}

void tst_JsonRead::listItemsAreBounded_data()
{
    QTest::addColumn<QByteArray>("items");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("second");
    QByteArray many = "[\"a\"";
    for (int i = 0; i < Limits::MaxListItems; ++i)
        many += ",\"a\"";
    QTest::newRow("many items") << many + "]" << Limits::MaxListItems << "a";
    QTest::newRow("small item, indented") << QByteArray(R"(["a", [1, 2]])") << 2 << "[\n\t1,\n\t2\n]";
    // Indented, 900 levels would take 900 * 900 * 3 / 2 bytes of spaces.
    const QByteArray deep = QByteArray(900, '[') + QByteArray(900, ']');
    QTest::newRow("deep item, on one line") << R"(["a", )" + deep + "]" << 2 << QString::fromLatin1(deep);
}

void tst_JsonRead::listItemsAreBounded()
{
    QFETCH(QByteArray, items);
    QFETCH(int, count);
    QFETCH(QString, second);
    Json::Value value;
    QVERIFY(JsonRead::parseDocument(items.constData(), items.constData() + items.size(), &value));
    const TAVQAttrValue attr = TAVQAttrValue::fromJson(value);
    QCOMPARE(attr.count, count);
    QCOMPARE(attr.value.toStringList().value(1), second);
}

QTEST_GUILESS_MAIN(tst_JsonRead)
#include "tst_jsonread.moc"
