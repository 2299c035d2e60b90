// The page and style sheet reader converts every value exactly as JsonCpp's
// asInt / asUInt / asBool / asString / asDouble do, and counts as absent exactly
// what those throw on. One table: value kinds x conversions, each cell checked
// against the stated expectation and against JsonCpp itself.

#include "core/tavqjson.h"

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

} // namespace

class tst_JsonRead : public QObject
{
    Q_OBJECT

private slots:
    void conversions_data();
    void conversions();
    void membersConvertAndFallBack();
    void stringBytesTakesOnlyStrings();
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
    // A member that is there converts, null included; only an absent or refused one falls back.
    QCOMPARE(JsonRead::intMember(o, "null", 42), 0);
    QCOMPARE(JsonRead::intMember(o, "real", 42), 100);
    QCOMPARE(JsonRead::intMember(o, "yes", 42), 1);
    QCOMPARE(JsonRead::intMember(o, "text", 42), 42);
    QCOMPARE(JsonRead::intMember(o, "list", 42), 42);
    QCOMPARE(JsonRead::intMember(o, "big", 42), 42);
    QCOMPARE(JsonRead::intMember(o, "missing", 42), 42);
    QCOMPARE(JsonRead::boolMember(o, "null", true), false);
    QCOMPARE(JsonRead::boolMember(o, "zero", true), false);
    QCOMPARE(JsonRead::boolMember(o, "real", false), true);
    QCOMPARE(JsonRead::boolMember(o, "text", true), true);
    QCOMPARE(JsonRead::boolMember(o, "missing", true), true);
    QCOMPARE(JsonRead::bytesMember(o, "number", "x"), QByteArray("5"));
    QCOMPARE(JsonRead::bytesMember(o, "yes", "x"), QByteArray("true"));
    QCOMPARE(JsonRead::bytesMember(o, "null", "x"), QByteArray(""));
    QCOMPARE(JsonRead::bytesMember(o, "list", "x"), QByteArray("x"));
    QCOMPARE(JsonRead::optionalInt(o, "missing"), std::optional<int>());
    QCOMPARE(JsonRead::optionalBits(o, "real"), std::optional<int>(100));
    QCOMPARE(JsonRead::optionalBool(o, "list"), std::optional<bool>());
    QCOMPARE(JsonRead::optionalBytes(o, "real"), std::optional<QByteArray>("100.90000000000001"));
    QCOMPARE(JsonRead::optionalDouble(o, "yes"), std::optional<double>(1.0));
    QCOMPARE(JsonRead::optionalDouble(o, "text"), std::optional<double>());
    // Members of what is no object are absent.
    const Json::Value list = valueOf("[1,2]");
    QCOMPARE(JsonRead::intMember(list, "0", 42), 42);
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

QTEST_GUILESS_MAIN(tst_JsonRead)
#include "tst_jsonread.moc"
