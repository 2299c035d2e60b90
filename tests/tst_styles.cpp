#include "base/tavqjson_p.h"
#include "base/tavqtextcodec.h"
#include "core/tavqstyleslots_p.h"
#include "resources/tavqstyle.h"
#include "testjson.h"

#include <QtTest>

#include <json/value.h>

using namespace TAVQtLib;

namespace {

struct Tables
{
    TAVQBoxStyleTable boxes;
    TAVQFontStyleTable fonts;
};

Tables parseSheet(const QByteArray &styleMember)
{
    Tables t;
    parseStyles(parse(styleMember), &t.boxes, &t.fonts);
    return t;
}

} // namespace

class tst_Styles : public QObject
{
    Q_OBJECT

private slots:
    void recordDefaults();
    void sheetDefaultsDifferFromRecord();
    void boxKeys();
    void fontKeys();
    void colorNumbers_data();
    void colorNumbers();
    void boxAndFontColorsReadDifferently();
    void firstDefinitionWins();
    void objectFormIteratesSortedNames();
    void skippedDefinitions();
    void emptyStyleIsInvisible();
    void wronglyTypedValuesCountAsAbsent();
    void convertibleValuesConvertAsJsonCpp();
    void styleTypeConverts();
    void elementStyleEntries();
    void familyIsGbk();
    void commentsAllowed();
};

void tst_Styles::recordDefaults()
{
    const TAVQBoxStyle b;
    QVERIFY(b.visible && b.useColor && !b.gradient);
    QCOMPARE(b.color, QColor(255, 255, 255, 255));
    QCOMPARE(b.endColor, QColor(255, 255, 255, 255));
    QCOMPARE(b.borderColor, QColor(128, 128, 128, 255));
    QCOMPARE(b.borderSize, 0);
    QVERIFY(b.border && b.leftBorder && b.topBorder && b.rightBorder && b.bottomBorder);
    QCOMPARE(b.round, 0);
    QVERIFY(b.img.isEmpty());
    QVERIFY(!b.repeatCenter);

    const TAVQFontStyle f;
    QCOMPARE(f.family, QStringLiteral("Airal"));
    QCOMPARE(f.size, 12);
    QVERIFY(!f.color.isValid());
    QVERIFY(f.isHor);
    QCOMPARE(f.hor, 0);
    QCOMPARE(f.ver, 1);
    QCOMPARE(f.elide, 1);
}

void tst_Styles::sheetDefaultsDifferFromRecord()
{
    const Tables t = parseSheet(R"([{"type":1,"name":"b"},{"type":2,"name":"f"}])");
    const TAVQBoxStyle b = t.boxes.value("b");
    // An image box with no image, a 1-pixel white border that is switched off.
    QVERIFY(!b.useColor);
    QVERIFY(!b.border);
    QCOMPARE(b.borderSize, 1);
    QCOMPARE(b.borderColor, QColor(255, 255, 255, 255));
    QCOMPARE(b.color, QColor(255, 255, 255, 255));
    QVERIFY(b.img.isEmpty());
    QCOMPARE(b.sliceLeft + b.sliceRight + b.sliceTop + b.sliceBottom, 0);

    const TAVQFontStyle f = t.fonts.value("f");
    QCOMPARE(f.family, QString::fromUtf8("微软雅黑"));
    QCOMPARE(f.color, QColor(255, 255, 255));
    QCOMPARE(f.size, 12);
    QCOMPARE(f.elide, 1);
}

void tst_Styles::boxKeys()
{
    const Tables t = parseSheet(R"([{"type":1,"name":"b","drawImg":false,"clr":"80102030",
        "borderclr":"ff405060","round":6,"borderSize":3,"border":true,"leftBorder":false,
        "topBorder":true,"rightBorder":false,"bottomBorder":false,"img":"images/card.png",
        "margin":[1,2,3,4],"repeatLeft":true,"repeatCenter":true}])");
    const TAVQBoxStyle b = t.boxes.value("b");
    QVERIFY(b.useColor);
    QCOMPARE(b.color, QColor(0x10, 0x20, 0x30, 0x80));
    QCOMPARE(b.borderColor, QColor(0x40, 0x50, 0x60, 0xff));
    QCOMPARE(b.round, 6);
    QCOMPARE(b.borderSize, 3);
    QVERIFY(b.border && !b.leftBorder && b.topBorder && !b.rightBorder && !b.bottomBorder);
    QCOMPARE(b.img, QStringLiteral("images/card.png"));
    QCOMPARE(b.sliceTop, 1);
    QCOMPARE(b.sliceRight, 2);
    QCOMPARE(b.sliceBottom, 3);
    QCOMPARE(b.sliceLeft, 4);
    QVERIFY(b.repeatLeft && !b.repeatRight && b.repeatCenter);
    QVERIFY(!b.gradient);

    // Missing margin elements count as 0.
    const Tables short_ = parseSheet(R"([{"type":1,"name":"s","margin":[7,8]}])");
    const TAVQBoxStyle s = short_.boxes.value("s");
    QCOMPARE(s.sliceTop, 7);
    QCOMPARE(s.sliceRight, 8);
    QCOMPARE(s.sliceBottom, 0);
    QCOMPARE(s.sliceLeft, 0);
}

void tst_Styles::fontKeys()
{
    const Tables t = parseSheet(R"([{"type":2,"name":"f","bold":true,"italic":true,"size":20,
        "underline":true,"family":"Sans","clr":"123456","x":3,"y":-4,"isHor":false,"hor":2,"ver":0}])");
    const TAVQFontStyle f = t.fonts.value("f");
    QVERIFY(f.bold && f.italic && f.underline && !f.isHor);
    QCOMPARE(f.size, 20);
    QCOMPARE(f.family, QStringLiteral("Sans"));
    QCOMPARE(f.color, QColor(0x12, 0x34, 0x56));
    QCOMPARE(f.x, 3);
    QCOMPARE(f.y, -4);
    QCOMPARE(f.hor, 2);
    QCOMPARE(f.ver, 0);
}

void tst_Styles::colorNumbers_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<quint32>("value");
    QTest::newRow("plain") << QByteArray("ff102030") << 0xff102030u;
    QTest::newRow("upper") << QByteArray("FFA0B0C0") << 0xffa0b0c0u;
    QTest::newRow("0x prefix") << QByteArray("0x80ff0000") << 0x80ff0000u;
    QTest::newRow("0X prefix") << QByteArray("0Xff") << 0xffu;
    QTest::newRow("leading space") << QByteArray(" \t\n12") << 0x12u;
    QTest::newRow("stops at non-hex") << QByteArray("12zz34") << 0x12u;
    QTest::newRow("no digits") << QByteArray("zz") << 0u;
    QTest::newRow("empty") << QByteArray("") << 0u;
    QTest::newRow("0x without digits") << QByteArray("0xg") << 0u;
    QTest::newRow("beyond 32 bits") << QByteArray("123456789") << 0xffffffffu;
    QTest::newRow("far beyond") << QByteArray("ffffffffffffffffffff") << 0xffffffffu;
    QTest::newRow("plus sign") << QByteArray("+10") << 0x10u;
    QTest::newRow("minus sign wraps") << QByteArray("-1") << 0xffffffffu;
    QTest::newRow("trailing space") << QByteArray("ab ") << 0xabu;
}

void tst_Styles::colorNumbers()
{
    QFETCH(QByteArray, text);
    QFETCH(quint32, value);
    QCOMPARE(parseColorNumber(text), value);
}

void tst_Styles::boxAndFontColorsReadDifferently()
{
    // Six digits: alpha 0 for a box, opaque for a text.
    QCOMPARE(boxColorFromString("ff0000").alpha(), 0);
    QCOMPARE(fontColorFromString("ff0000"), QColor(255, 0, 0, 255));
    // The top byte of a text colour is ignored.
    QCOMPARE(fontColorFromString("00ff0000"), QColor(255, 0, 0, 255));
    QCOMPARE(boxColorFromString("80ff0000"), QColor(255, 0, 0, 0x80));

    const Tables t = parseSheet(R"([{"type":1,"name":"x","drawImg":false,"clr":"ff0000"},
                                    {"type":2,"name":"x","clr":"ff0000"}])");
    QCOMPARE(t.boxes.value("x").color.alpha(), 0);
    QCOMPARE(t.fonts.value("x").color, QColor(Qt::red));
}

void tst_Styles::firstDefinitionWins()
{
    const Tables t = parseSheet(R"([{"type":2,"name":"f","size":10},{"type":2,"name":"f","size":30},
                                    {"type":1,"name":"b","round":1},{"type":1,"name":"b","round":9}])");
    QCOMPARE(t.fonts.size(), 1);
    QCOMPARE(t.fonts.value("f").size, 10);
    QCOMPARE(t.boxes.value("b").round, 1);

    // A second sheet does not replace what the first defined.
    Tables again = t;
    parseStyles(parse(R"([{"type":2,"name":"f","size":44}])"), &again.boxes, &again.fonts);
    QCOMPARE(again.fonts.value("f").size, 10);
}

void tst_Styles::objectFormIteratesSortedNames()
{
    // Member names are ignored; their sorted order decides which duplicate wins.
    const Tables t = parseSheet(R"({"z":{"type":2,"name":"f","size":30},"a":{"type":2,"name":"f","size":10},
                                    "m":{"type":1,"name":"b"}})");
    QCOMPARE(t.fonts.value("f").size, 10);
    QVERIFY(t.boxes.contains("b"));
    QVERIFY(!t.boxes.contains("m"));
}

void tst_Styles::skippedDefinitions()
{
    const Tables t = parseSheet(R"([{"name":"notype"},{"type":3,"name":"three"},{"type":"1","name":"str"},
                                    17, "text", null, [1,2], {"type":1}])");
    QCOMPARE(t.fonts.size(), 0);
    // Only the nameless box survives, under the empty name.
    QCOMPARE(t.boxes.keys(), QStringList() << QString());
    Tables none = parseSheet(R"("not a list")");
    QVERIFY(none.boxes.isEmpty() && none.fonts.isEmpty());
}

void tst_Styles::emptyStyleIsInvisible()
{
    const Tables t = parseSheet(R"([{"type":1,"name":"empty","drawImg":false},{"type":1,"name":"emptyRect"}])");
    QVERIFY(!t.boxes.value("empty").visible);
    QVERIFY(t.boxes.value("emptyRect").visible);
}

void tst_Styles::wronglyTypedValuesCountAsAbsent()
{
    // What JsonCpp's asBool / asInt / asString refuse (strings where numbers or
    // booleans are wanted, arrays, objects, numbers out of range) counts as absent.
    const Tables t = parseSheet(R"([{"type":1,"name":"b","drawImg":"no","clr":[123],"round":"6",
        "borderSize":{"a":1},"border":"1","margin":"1,2,3,4","img":{},"topBorder":[],"repeatCenter":"true"},
        {"type":2,"name":["f"],"size":1e10,"bold":"true","family":[7],"clr":{},"isHor":"0","x":-3e9,"hor":"2"},
        {"type":1,"name":"m","margin":["a",2,{},4]}])");
    const TAVQBoxStyle b = t.boxes.value("b");
    QVERIFY(!b.useColor);
    QCOMPARE(b.color, QColor(255, 255, 255, 255));
    QCOMPARE(b.round, 0);
    QCOMPARE(b.borderSize, 1);
    QVERIFY(!b.border);
    QVERIFY(b.topBorder);
    QVERIFY(!b.repeatCenter);
    QCOMPARE(b.sliceTop, 0);
    QVERIFY(b.img.isEmpty());
    // A name of the wrong type is the empty name.
    const TAVQFontStyle f = t.fonts.value(QString());
    QCOMPARE(f.size, 12);
    QVERIFY(!f.bold);
    QCOMPARE(f.family, QString::fromUtf8("微软雅黑"));
    QCOMPARE(f.color, QColor(255, 255, 255));
    QVERIFY(f.isHor);
    QCOMPARE(f.x, 0);
    QCOMPARE(f.hor, 0);
    const TAVQBoxStyle m = t.boxes.value("m");
    QCOMPARE(m.sliceTop, 0);
    QCOMPARE(m.sliceRight, 2);
    QCOMPARE(m.sliceBottom, 0);
    QCOMPARE(m.sliceLeft, 4);
}

void tst_Styles::convertibleValuesConvertAsJsonCpp()
{
    // Numbers and booleans convert into each other, reals truncate toward zero,
    // null is 0, false or "", and numbers are read as the text asString gives them.
    const Tables t = parseSheet(R"([{"type":1,"name":"b","drawImg":0,"clr":123,"borderclr":null,"round":6.9,
        "borderSize":true,"border":1,"leftBorder":0.0,"repeatCenter":0.5,"img":false,"margin":[1.9,true,null,-2.5]},
        {"type":2,"name":5,"size":15.7,"bold":1,"italic":null,"family":7,"clr":null,"isHor":0,"x":-3.9,"y":false,
         "hor":2.2,"ver":null,"underline":-1}])");
    const TAVQBoxStyle b = t.boxes.value("b");
    QVERIFY(b.useColor);                                   // drawImg 0 is false
    QCOMPARE(b.color, QColor::fromRgba(0x00000123));       // "123" read as hexadecimal
    QCOMPARE(b.borderColor, QColor::fromRgba(0));          // null is "", no digits give 0
    QCOMPARE(b.round, 6);
    QCOMPARE(b.borderSize, 1);
    QVERIFY(b.border);
    QVERIFY(!b.leftBorder);
    QVERIFY(b.repeatCenter);
    QCOMPARE(b.img, QStringLiteral("false"));
    QCOMPARE(b.sliceTop, 1);
    QCOMPARE(b.sliceRight, 1);
    QCOMPARE(b.sliceBottom, 0);
    QCOMPARE(b.sliceLeft, -2);
    // A number as the name is its text.
    QVERIFY(t.fonts.contains(QStringLiteral("5")));
    const TAVQFontStyle f = t.fonts.value(QStringLiteral("5"));
    QCOMPARE(f.size, 15);
    QVERIFY(f.bold);
    QVERIFY(!f.italic);
    QVERIFY(f.underline);
    QCOMPARE(f.family, QStringLiteral("7"));
    QCOMPARE(f.color, QColor(0, 0, 0));
    QVERIFY(!f.isHor);
    QCOMPARE(f.x, -3);
    QCOMPARE(f.y, 0);
    QCOMPARE(f.hor, 2);
    QCOMPARE(f.ver, 0);
}

void tst_Styles::styleTypeConverts()
{
    // "type" is read as asInt reads it: 1.5 and true make box styles, 2.0 a font
    // style, null (0), "1" (refused) and 3 nothing.
    const Tables t = parseSheet(R"([{"type":1.5,"name":"a"},{"type":true,"name":"b"},{"type":2.0,"name":"c"},
        {"type":null,"name":"d"},{"type":"1","name":"e"},{"type":3,"name":"f"},{"type":-0.5,"name":"g"}])");
    QCOMPARE(t.boxes.keys(), QStringList({"a", "b"}));
    QCOMPARE(t.fonts.keys(), QStringList({"c"}));
}

void tst_Styles::elementStyleEntries()
{
    // An element's "style" entries are [name, ignored, slot]. The slot reads as
    // asInt reads it, and a missing one (index access past the end gives null) as
    // 0; entries that are no arrays, or whose name is no string, are skipped.
    const auto visited = [](const QByteArray &element) {
        QStringList seen;
        TAVQStyleSlots::visit(parse(element), [&seen](const QString &name, int slot) {
            seen << QStringLiteral("%1:%2").arg(name).arg(slot);
        });
        return seen;
    };
    QCOMPARE(visited(R"({"style":[["blue",0],["b"],["c",0,2],["d",0,1.9],["e",0,true],["f",0,null],
        ["g","x",3,"more"],["h",0,-0.5]]})"),
             QStringList({"blue:0", "b:0", "c:2", "d:1", "e:1", "f:0", "g:3", "h:0"}));
    QCOMPARE(visited(R"({"style":[[],[5,0,1],[null,0,1],[["a"],0,1],"e",5,null,{"a":1},["s",0,"1"],["t",0,[1]],
        ["u",0,{}],["v",0,2147483648],["w",0,1e10]]})"),
             QStringList());
    // An object's entries in ascending key order.
    QCOMPARE(visited(R"({"style":{"z":["last"],"a":["first",0,3]}})"), QStringList({"first:3", "last:0"}));
    QCOMPARE(visited(R"({"style":"blue"})"), QStringList());
}

void tst_Styles::familyIsGbk()
{
    const QString family = QString::fromUtf8("文泉驿微米黑");
    QByteArray sheet = "[{\"type\":2,\"name\":\"f\",\"family\":\"";
    sheet += TextCodec::fromUnicode(family, "GBK");
    sheet += "\"}]";
    QCOMPARE(parseSheet(sheet).fonts.value("f").family, family);
    QCOMPARE(fromGbk(TextCodec::fromUnicode(QString::fromUtf8("共计"), "GBK")),
             QString::fromUtf8("共计"));
}

void tst_Styles::commentsAllowed()
{
    const Tables t = parseSheet("// head\n[ /* one */ {\"type\":2,\"name\":\"f\"} ]");
    QVERIFY(t.fonts.contains("f"));
    Json::Value root;
    const QByteArray broken = "[{\"type\":2,";
    QVERIFY(!JsonRead::parseDocument(broken.constData(), broken.constData() + broken.size(), &root));
    const QByteArray deep = QByteArray(100000, '[');
    QVERIFY(!JsonRead::parseDocument(deep.constData(), deep.constData() + deep.size(), &root));
}

QTEST_GUILESS_MAIN(tst_Styles)
#include "tst_styles.moc"
