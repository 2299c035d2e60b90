#include "controls/tavqcontrols.h"
#include "tavqlint.h"
#include "ziptestwriter.h"

#include "controls/tavqcheckbox_p.h"
#include "controls/tavqcombobox_p.h"
#include "controls/tavqcontainer_p.h"
#include "controls/tavqedit_p.h"
#include "controls/tavqimage_p.h"
#include "controls/tavqlabel_p.h"
#include "controls/tavqlist_p.h"
#include "controls/tavqlistview_p.h"
#include "controls/tavqmenu_p.h"
#include "controls/tavqpushbutton_p.h"
#include "controls/tavqswitch_p.h"
#include "controls/tavqtableview_p.h"
#include "controls/tavqtabwidget_p.h"
#include "controls/tavqtreeview_p.h"
#include "controls/tavqvaluecontrols_p.h"
#include "base/tavqkeyreader_p.h"
#include "base/tavqkeytable_p.h"
#include "base/tavqlimits.h"
#include "core/tavqelementtables_p.h"
#include "core/tavqregistry.h"

#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <json/value.h>

#include <string>

using namespace TAVQtLib;

namespace {

// Line 2: a box style, line 3: a font style; then one fault of each kind.
const char StyleSheet[] = "{ \"style\": [\n"
                          "  { \"type\": 1, \"name\": \"box.a\", \"drawImg\": false },\n"
                          "  { \"type\": 2, \"name\": \"font.a\" },\n"
                          "  { \"name\": \"untyped\" },\n"
                          "  { \"type\": 3, \"name\": \"odd\" },\n"
                          "  { \"type\": 1, \"name\": \"box.a\" },\n"
                          "  { \"type\": 2, \"name\": \"font.b\", \"size\": \"12\", \"colour\": 1 },\n"
                          "  { \"type\": 1, \"name\": \"box.b\", \"img\": \"none.png\" }\n"
                          "] }\n";

// A clean first element on line 2; the case's element goes on line 3.
QByteArray page(const QByteArray &element)
{
    return "{ \"w\": 400, \"elements\": [\n"
           "  { \"type\": \"qtlabel\", \"name\": \"a\", \"style\": [[\"font.a\", 0, 0]], \"attr\": { \"text\": \"hi\" } },\n"
           + element + "\n] }\n";
}

QStringList formatted(const QVector<Lint::Finding> &findings, const QString &file)
{
    QStringList lines;
    for (const Lint::Finding &finding : findings) {
        if (finding.file == file)
            lines << Lint::formatFinding(finding);
    }
    return lines;
}

} // namespace

class TestLint : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void plantedFault_data();
    void plantedFault();
    void cleanPage();
    void boundsReported_data();
    void boundsReported();
    void invalidGbkInPackage();
    void missingInput_data();
    void missingInput();
    void styleSheet();
    void styleFault_data();
    void styleFault();
    void executable_data();
    void executable();
    void controlsAndLintShareTables();
    void keysOutsideTheTableAreNotRead_data();
    void keysOutsideTheTableAreNotRead();

private:
    QVector<Lint::Finding> lint(const QByteArray &text, const QString &name = QStringLiteral("P.json"));

    QTemporaryDir m_dir;
    Lint::Source m_source;
};

void TestLint::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_source.folder = m_dir.path();
    ZipTest::writeFile(m_dir, QStringLiteral("style.json"), StyleSheet);
    QDir().mkpath(m_dir.filePath(QStringLiteral("images")));
    QImage picture(4, 4, QImage::Format_ARGB32);
    picture.fill(Qt::red);
    QVERIFY(picture.save(m_dir.filePath(QStringLiteral("images/ok.png"))));
    ZipTest::writeFile(m_dir, QStringLiteral("images/broken.png"), QByteArray("\x89PNG\r\n\x1a\nnot a picture"));
}

QVector<Lint::Finding> TestLint::lint(const QByteArray &text, const QString &name)
{
    ZipTest::writeFile(m_dir, name, text);
    return Lint::lintPage(m_source, name);
}

void TestLint::plantedFault_data()
{
    QTest::addColumn<QByteArray>("element");
    QTest::addColumn<QString>("expected");

    QTest::newRow("syntax") << QByteArray("  { \"type\" \"qtlabel\" }")
                            << "P.json:3:12: error: Missing ':' after object member name";
    QTest::newRow("unknown type") << QByteArray("  { \"type\": \"qtbuton\" }")
                                  << "P.json:3:13: error: unknown control type \"qtbuton\"";
    QTest::newRow("no type") << QByteArray("  { \"name\": \"b\" }")
                             << "P.json:3:3: error: element without a control type is skipped";
    QTest::newRow("undefined style") << QByteArray("  { \"type\": \"qtlabel\", \"style\": [[\"nope\", 0, 0]] }")
                                     << "P.json:3:35: error: style \"nope\" is not defined in style.json";
    QTest::newRow("missing image") << QByteArray("  { \"type\": \"qtpicture\", \"attr\": { \"path\": \"none.png\" } }")
                                   << "P.json:3:44: error: image \"none.png\" is neither in the package nor in the folder";
    QTest::newRow("image that does not decode")
        << QByteArray("  { \"type\": \"qtpicture\", \"attr\": { \"path\": \"broken.png\" } }")
        << "P.json:3:44: error: image \"broken.png\" does not decode: nothing is drawn";
    QTest::newRow("string for a number")
        << QByteArray("  { \"type\": \"qtbutton\", \"attr\": { \"iconX\": \"7\" } }")
        << "P.json:3:44: error: \"iconX\" is a string where qtbutton reads an integer, and counts as absent";
    QTest::newRow("common key type") << QByteArray("  { \"type\": \"qtlabel\", \"visibility\": \"no\" }")
                                     << "P.json:3:38: error: \"visibility\" is a string where qtlabel reads a "
                                        "boolean, and counts as absent";
    QTest::newRow("layout not an object") << QByteArray("  { \"type\": \"qtlabel\", \"layout\": 5 }")
                                     << "P.json:3:34: error: \"layout\" is an integer where qtlabel reads an "
                                        "object, and counts as absent";
    QTest::newRow("slot not read") << QByteArray("  { \"type\": \"qtlabel\", \"style\": [[\"font.a\", 0, 7]] }")
                                   << "P.json:3:48: warning: style slot 7 is not read by qtlabel";
    QTest::newRow("wrong kind") << QByteArray("  { \"type\": \"qtlabel\", \"style\": [[\"box.a\", 0, 0]] }")
                                << "P.json:3:35: warning: \"box.a\" is a box style, but slot 0 of qtlabel reads a "
                                   "font style";
    QTest::newRow("attribute not read") << QByteArray("  { \"type\": \"qtlabel\", \"attr\": { \"colour\": 1 } }")
                                        << "P.json:3:44: warning: attribute \"colour\" is not read by qtlabel";
    QTest::newRow("element key not read") << QByteArray("  { \"type\": \"label\", \"text\": \"x\" }")
                                          << "P.json:3:30: warning: key \"text\" is not read by label";
    QTest::newRow("repeated name") << QByteArray("  { \"type\": \"qtlabel\", \"name\": \"a\" }")
                                   << "P.json:3:32: warning: object name \"a\" is used again (first at line 2)";
    QTest::newRow("style without slot") << QByteArray("  { \"type\": \"qtlabel\", \"style\": [[\"font.a\"]] }")
                                        << "P.json:3:34: warning: style entry has no slot index and fills slot 0";
    QTest::newRow("layout type") << QByteArray("  { \"type\": \"qtlabel\", \"layout\": { \"type\": 4 } }")
                                 << "P.json:3:44: warning: \"type\" is 4, none of 0 anchor, 1 margins, 2 custom, "
                                    "3 fixed; the control is not placed";
    QTest::newRow("anchor alignment") << QByteArray("  { \"type\": \"qtlabel\", \"layout\": { \"hor\": 3 } }")
                                      << "P.json:3:43: warning: \"hor\" is 3, none of 0 left, 1 centre, 2 right; "
                                         "it is placed at the left, \"x\" ignored";
    QTest::newRow("key given twice")
        << QByteArray("  { \"type\": \"qtbutton\", \"attr\": { \"text\": \"Pay\" }, \"attr\": { \"default\": true } }")
        << "P.json:3:52: error: key \"attr\" is given again in this object (first at line 3); only the last is read";
    QTest::newRow("invalid UTF-8") << QByteArray("  { \"type\": \"qtlabel\", \"attr\": { \"text\": \"\xff\" } }")
                                   << "P.json:3:42: error: text is not valid UTF-8";
    QTest::newRow("beyond GBK") << QByteArray("  { \"type\": \"qtlabel\", \"attr\": { \"text\": \"Paid \xF0\x9F\x98\x80\" } }")
                                << "P.json:3:42: error: text holds a character GBK cannot: tavqpkg pack --gbk "
                                   "refuses the page";
}

void TestLint::plantedFault()
{
    QFETCH(QByteArray, element);
    QFETCH(QString, expected);
    QCOMPARE(formatted(lint(page(element)), QStringLiteral("P.json")), QStringList{expected});
}

void TestLint::cleanPage()
{
    // Every kind of reading at least once: window keys, layout, attributes, images,
    // both style kinds, "empty", a scroll bar child and names repeated inside a template.
    const QByteArray clean =
        "  { \"type\": \"qtlistview\", \"name\": \"list\", \"layout\": { \"type\": 1, \"x\": 2 },\n"
        "    \"style\": [[\"box.a\", 0, 0], [\"empty\", 0, 2]], \"attr\": { \"itemHeight\": 20 },\n"
        "    \"child\": [ { \"type\": \"qtscrollbar\", \"w\": 8, \"attr\": { \"hor\": false, \"upicon\": \"ok.png\" } },\n"
        "               { \"type\": \"qtcontainer\", \"child\": [ { \"type\": \"qtlabel\", \"name\": \"a\" } ] } ] },\n"
        "  { \"type\": \"qtbutton\", \"attr\": { \"iconPath\": \"images/ok.png\", \"iconX\": 3, \"hasIcon\": 1 },\n"
        "    \"style\": [[\"font.a\", 0, 4]] }";
    QCOMPARE(formatted(lint(page(clean)), QStringLiteral("P.json")), QStringList());
}

namespace {

// One element per line after the first: element k of the page stands on line k + 1.
QByteArray elementLines(int containers, int labels)
{
    QByteArray text = "{ \"elements\": [\n";
    const QByteArray label = "{ \"type\": \"qtlabel\" }";
    for (int c = 0; c < containers; ++c) {
        text += "{ \"type\": \"qtcontainer\", \"child\": [\n";
        for (int i = 0; i < labels; ++i)
            text += label + (i + 1 < labels ? ",\n" : "] }");
        text += c + 1 < containers ? ",\n" : "";
    }
    return text + "] }\n";
}

// The start of a PNG that claims a size; readers take the size from it alone.
QByteArray pngHeader(int width, int height)
{
    QByteArray bytes("\x89PNG\r\n\x1a\n", 8);
    const auto chunk = [&bytes](const QByteArray &type, const QByteArray &data) {
        QDataStream out(&bytes, QIODevice::Append);
        out << quint32(data.size());
        out.writeRawData((type + data).constData(), int(type.size() + data.size()));
        out << ZipTest::crc32Of(type + data);
    };
    QByteArray header;
    QDataStream(&header, QIODevice::WriteOnly) << quint32(width) << quint32(height) << quint8(8) << quint8(6)
                                               << quint8(0) << quint8(0) << quint8(0);
    chunk("IHDR", header);
    chunk("IDAT", QByteArray());
    return bytes;
}

} // namespace

void TestLint::boundsReported_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("expected");
    QByteArray deep = "{ \"elements\": [\n";
    for (int depth = 0; depth <= 257; ++depth)
        deep += "{ \"type\": \"qtcontainer\", \"child\": [\n";
    deep += QByteArray(258, ']').replace("]", "] }") + "] }\n";
    // The element on line 2 + 257 is the first the builder skips.
    QTest::newRow("nested too deep") << deep << "B.json:259:1: error: element nested deeper than 256 levels is skipped";
    QTest::newRow("too many children")
        << elementLines(1, 5000) << "B.json:4099:1: error: a list builds at most 4096 elements: this one and all after "
                                    "it are skipped";
    QTest::newRow("too many elements")
        << elementLines(3, 3400) << "B.json:10002:1: error: a page builds at most 10000 elements: this one and all "
                                    "after it are skipped";
    QTest::newRow("window too large") << QByteArray("{ \"w\": 20000, \"elements\": [] }")
                                      << "B.json:1:8: error: \"w\" is larger than a window may be: cut to 8192";
    QTest::newRow("text too long")
        << page("  { \"type\": \"qtlabel\", \"attr\": { \"text\": \"" + QByteArray(70000, 'x') + "\" } }")
        << "B.json:3:42: error: text of 70000 bytes is cut to its first 65536";
    QTest::newRow("image too large")
        << page("  { \"type\": \"qtpicture\", \"attr\": { \"path\": \"huge.png\" } }")
        << "B.json:3:44: error: image \"huge.png\" is 30000x30000 pixels, more than 128 MiB decoded: it is not shown";
    QTest::newRow("page too large") << page(QByteArray(int(Limits::MaxDocumentBytes), ' ') + "{ \"type\": \"qtlabel\" }")
                                    << "B.json:1:1: error: the page is larger than 4 MiB: it is not read";
}

void TestLint::boundsReported()
{
    QFETCH(QByteArray, text);
    QFETCH(QString, expected);
    ZipTest::writeFile(m_dir, QStringLiteral("huge.png"), pngHeader(30000, 30000));
    QCOMPARE(formatted(lint(text, QStringLiteral("B.json")), QStringLiteral("B.json")), QStringList{expected});
}

void TestLint::invalidGbkInPackage()
{
    // 0x81 starts a two-byte GBK character; a space cannot end one.
    ZipTest::Archive archive;
    archive.add("style.json", StyleSheet);
    archive.add("g.json", page("  { \"type\": \"qtlabel\", \"attr\": { \"text\": \"\x81 \" } }"));
    Lint::Source source;
    source.packagePath = ZipTest::writeFile(m_dir, QStringLiteral("g.data"), archive.build());
    QCOMPARE(formatted(Lint::lintPage(source, QStringLiteral("G.json")), QStringLiteral("G.json")),
             QStringList{"G.json:3:42: error: text is not valid GBK"});
}

void TestLint::missingInput_data()
{
    QTest::addColumn<QString>("package");
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("finding");
    QTest::newRow("no page") << QString() << "Absent.json"
                             << "Absent.json:1:1: error: no such page in the package, the folder or on disk";
    QTest::newRow("empty page") << QString() << "Empty.json"
                                << "Empty.json:1:1: error: the page is empty: the runtime builds nothing from it";
    QTest::newRow("no package") << "absent.data" << "Empty.json" << "absent.data:1:1: error: the package does not exist";
    QTest::newRow("no package at all") << "style.json" << "Empty.json"
                                       << "style.json:1:1: error: the package is not a package the runtime can read";
}

void TestLint::missingInput()
{
    QFETCH(QString, package);
    QFETCH(QString, page);
    QFETCH(QString, finding);
    ZipTest::writeFile(m_dir, QStringLiteral("Empty.json"), QByteArray());
    Lint::Source source = m_source;
    if (!package.isEmpty())
        source.packagePath = m_dir.filePath(package);
    const QStringList found = formatted(Lint::lintPage(source, page), package.isEmpty() ? page : source.packagePath);
    const QString expected = package.isEmpty() ? finding : m_dir.filePath(finding);
    QVERIFY2(found.contains(expected), qPrintable(found.join(QLatin1Char('\n'))));
}

void TestLint::styleSheet()
{
    QCOMPARE(formatted(Lint::lintStyleSheet(m_source), QStringLiteral("style.json")),
             (QStringList{
                 "style.json:4:3: warning: style without \"type\" is skipped",
                 "style.json:5:13: warning: style of unknown type 3 is skipped (1 box, 2 font)",
                 "style.json:6:3: warning: box style \"box.a\" is defined again; the first definition (line 2) wins",
                 "style.json:7:42: error: \"size\" is a string where a font style reads an integer, and counts as absent",
                 "style.json:7:58: warning: key \"colour\" is not read by a font style",
                 "style.json:8:40: error: image \"none.png\" is neither in the package nor in the folder",
             }));
}

void TestLint::styleFault_data()
{
    QTest::addColumn<QByteArray>("definition");
    QTest::addColumn<QString>("expected");
    QTest::newRow("# colour") << QByteArray(R"({ "type": 1, "name": "b", "drawImg": false, "clr": "#112233" })")
        << "style.json:2:54: error: colour \"#112233\" starts with '#' and reads as 0; write AARRGGBB hexadecimal digits without it";
    QTest::newRow("six-digit box colour") << QByteArray(R"({ "type": 1, "name": "b", "drawImg": false, "clr": "112233" })")
        << "style.json:2:54: warning: box colour \"112233\" has no alpha byte and is transparent; write AARRGGBB, such as \"ff112233\"";
    QTest::newRow("colour box drawn as an image") << QByteArray(R"({ "type": 1, "name": "b", "clr": "ff112233" })")
        << "style.json:2:3: warning: box style gives \"clr\" but no image and no \"drawImg\": false; it is drawn as an image (drawImg defaults to true) and paints nothing";
    QTest::newRow("margin count") << QByteArray(R"({ "type": 1, "name": "b", "margin": [1, 2] })")
        << "style.json:2:39: warning: \"margin\" has 2 values; it takes 4: top, right, bottom, left";
    QTest::newRow("margin value") << QByteArray(R"({ "type": 1, "name": "b", "margin": [1, 2, "3", 4] })")
        << "style.json:2:46: error: a \"margin\" value that is no integer counts as 0";
    QTest::newRow("font alignment") << QByteArray(R"({ "type": 2, "name": "f", "hor": 3 })")
        << "style.json:2:36: warning: \"hor\" is 3, outside 0 to 2 (0 left, 1 centre, 2 right)";
    QTest::newRow("font size 0") << QByteArray(R"({ "type": 2, "name": "f", "size": 0 })")
        << "style.json:2:37: warning: font size 0 keeps the application font's size";
}

void TestLint::styleFault()
{
    QFETCH(QByteArray, definition);
    QFETCH(QString, expected);
    QTemporaryDir folder;
    ZipTest::writeFile(folder, QStringLiteral("style.json"), "{ \"style\": [\n  " + definition + "\n] }\n");
    Lint::Source source;
    source.folder = folder.path();
    QCOMPARE(formatted(Lint::lintStyleSheet(source), QStringLiteral("style.json")), QStringList{expected});
}

void TestLint::executable_data()
{
    QTest::addColumn<QByteArray>("element");
    QTest::addColumn<QString>("option");
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("lines");

    const QByteArray clean = "  { \"type\": \"qtlabel\" }";
    const QByteArray warning = "  { \"type\": \"qtlabel\", \"name\": \"a\" }";
    const QByteArray error = "  { \"type\": \"qtbuton\" }";
    const QString werror = QStringLiteral("--werror");
    QTest::newRow("clean") << clean << QString() << 0 << 0;
    QTest::newRow("clean, werror") << clean << werror << 0 << 0;
    QTest::newRow("warning") << warning << QString() << 0 << 1;
    QTest::newRow("warning, werror") << warning << werror << 1 << 1;
    QTest::newRow("error") << error << QString() << 1 << 1;
    QTest::newRow("bad option") << clean << QStringLiteral("--frobnicate") << 2 << 0;
}

void TestLint::executable()
{
    QFETCH(QByteArray, element);
    QFETCH(QString, option);
    QFETCH(int, status);
    QFETCH(int, lines);
    // A sheet of its own without faults, so that only the page speaks.
    QTemporaryDir folder;
    ZipTest::writeFile(folder, QStringLiteral("style.json"), "{ \"style\": [ { \"type\": 2, \"name\": \"font.a\" } ] }");
    ZipTest::writeFile(folder, QStringLiteral("P.json"), page(element));
    QStringList args{QStringLiteral("--folder"), folder.path(), QStringLiteral("P.json"), QStringLiteral("P.json")};
    if (!option.isEmpty())
        args.prepend(option);
    QProcess process;
    process.start(QStringLiteral(TAVQ_LINT_PATH), args);
    QVERIFY(process.waitForFinished(30000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), status);
    // The page twice, each finding once.
    const QByteArray out = process.readAllStandardOutput();
    QCOMPARE(out.count('\n'), lines);
    QVERIFY(lines == 0 || out.startsWith("P.json:3:"));
}

void TestLint::controlsAndLintShareTables()
{
    const std::pair<const char *, const TAVQControlTable *> tables[] = {
        {"qtcontainer", &TAVQContainerImpl::Table},   {"qtpicture", &TAVQImageImpl::Table},
        {"qtbutton", &TAVQPushButtonImpl::Table},     {"qtmenubar", &TAVQMenuBarImpl::Table},
        {"qtlabel", &TAVQLabelImpl::Table},           {"qtcheckbox", &TAVQCheckBoxImpl::Table},
        {"qtlistview", &TAVQListViewImpl::Table},     {"qtprogressbar", &TAVQProgressBarImpl::Table},
        {"qtradiobox", &TAVQRadioButtonImpl::Table},  {"qtslider", &TAVQSliderImpl::Table},
        {"qttab", &TAVQTabWidgetImpl::Table},         {"qtdedit", &TAVQLineEditImpl::Table},
        {"qtcombobox", &TAVQComboBoxImpl::Table},     {"qtlist", &TAVQListImpl::Table},
        {"qttree", &TAVQTreeViewImpl::Table},         {"qtdatagrid", &TAVQTableViewImpl::Table},
        {"qtgroupbox", &TAVQGroupBoxImpl::Table},     {"qtspinbox", &TAVQSpinBoxImpl::Table},
        {"qtlcdnumber", &TAVQLCDNumberImpl::Table},   {"qtsplitter", &TAVQSplitterImpl::Table},
        {"qtswitch", &TAVQSwitchImpl::Table},         {"qtscrollview", &TAVQScrollViewImpl::Table},
        {"qtscrollbar", &TAVQScrollBarImpl::Table},   {"qttext", &TAVQTextEditImpl::Table},
        {"qtlabelex", &TAVQLabelExImpl::Table},       {"canvas", &TAVQCanvasImpl::Table},
        {"templateList", &TAVQListViewImpl::Table},   {"dnumedit", &TAVQSpinBoxImpl::Table},
    };
    for (const auto &[name, table] : tables)
        QVERIFY2(ControlTableOf(name) == table, name);
    // Every registered name has its class's table; registering a name anew forgets it.
    for (const auto &entry : RegisteredControlTypes())
        QVERIFY2(ControlTableOf(entry.first.c_str()), entry.first.c_str());
    QCOMPARE(TAVQScrollViewImpl::Table.scrollBars, &TAVQScrollBarImpl::Table);
    RegisterControlType("qtsplitter", RegisteredControlTypes().at("qtsplitter"), true);
    QCOMPARE(ControlTableOf("qtsplitter"), nullptr);
    RegisterBuiltinControls();
    QCOMPARE(ControlTableOf("qtsplitter"), &TAVQSplitterImpl::Table);
}

void TestLint::keysOutsideTheTableAreNotRead_data()
{
    QTest::addColumn<int>("fillers");
    QTest::newRow("few members") << 0;
    // More members than the reader indexes: they are looked up in the object.
    QTest::newRow("many members") << 20;
}

void TestLint::keysOutsideTheTableAreNotRead()
{
    QFETCH(int, fillers);
    Json::Value attr(Json::objectValue);
    for (int i = 0; i < fillers; ++i)
        attr["filler" + std::to_string(i)] = i;
    attr["iconX"] = 3;
    attr["iconYY"] = 5;
    attr["colour"] = 4;
    const TAVQKeyReader reader(TAVQPushButtonImpl::Table.keys, attr);
    QCOMPARE(reader.optionalInt("iconX"), std::optional<int>(3));
    QCOMPARE(reader.optionalInt("colour"), std::nullopt);
    // A listed key that is only the start of a member's name is absent.
    QCOMPARE(reader.optionalInt("iconY"), std::nullopt);
    // Listed, but as an integer: no other conversion reads it.
    QCOMPARE(reader.optionalBool("iconX"), std::nullopt);
}

QTEST_GUILESS_MAIN(TestLint)
#include "tst_lint.moc"
