#include "controls/tavqcontrols.h"
#include "base/tavqjson_p.h"
#include "core/tavqregistry.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <json/value.h>

#include <set>
#include <string>

namespace {

const QRgb Red = qRgb(255, 0, 0);
const QRgb Blue = qRgb(0, 0, 255);
const QRgb Green = qRgb(0, 255, 0);
// Where the gallery's first data grid titles its first columns.
const QRect GridTitle(75, 976, 120, 26);

int run(const QString &program, const QStringList &args, QByteArray *err = nullptr, QByteArray *out = nullptr)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("QT_QPA_PLATFORM");   // the tool chooses offscreen itself without a display
    env.remove("DISPLAY");
    p.setProcessEnvironment(env);
    p.start(program, args);
    p.waitForFinished(60000);
    if (err)
        *err = p.readAllStandardError();
    if (out)
        *out = p.readAllStandardOutput();
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

int render(const QStringList &args, QByteArray *err = nullptr)
{
    return run(TAVQ_RENDER_PATH, args, err);
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// Pixels of `rect` with exactly this colour.
int countColour(const QImage &img, const QRect &rect, QRgb colour)
{
    int n = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        for (int x = rect.left(); x <= rect.right(); ++x)
            n += img.pixel(x, y) == (colour | 0xff000000u) ? 1 : 0;
    }
    return n;
}

// The rightmost column of `rect` holding the colour, or -1.
int lastColumnOf(const QImage &img, const QRect &rect, QRgb colour)
{
    for (int x = rect.right(); x >= rect.left(); --x) {
        for (int y = rect.top(); y <= rect.bottom(); ++y) {
            if (img.pixel(x, y) == (colour | 0xff000000u))
                return x;
        }
    }
    return -1;
}

void collectTypes(const Json::Value &element, std::set<std::string> *types)
{
    if (!element.isObject())
        return;
    const Json::Value *typeValue = TAVQtLib::JsonRead::member(element, "type");
    if (const auto type = typeValue ? TAVQtLib::JsonRead::toBytes(*typeValue) : std::nullopt)
        types->insert(type->toStdString());
    for (const char *key : {"elements", "child"}) {
        if (const Json::Value *children = TAVQtLib::JsonRead::member(element, key); children && children->isArray()) {
            for (const Json::Value &child : *children)
                collectTypes(child, types);
        }
    }
}

} // namespace

class tst_TavqRender : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void rendersFolderPage();
    void sizeOverridesPage();
    void defaultSize();
    void rendersPackagePage();
    void exitCodes();

    void menuFillsTheNamedBar();
    void menuItemsBecomeBarEntries();
    void menuIsRepeatable();
    void menuFailures();

    void designerFolderFillsViews();
    void galleryNamesEveryListedType();
    void galleryInTheDesignerWithMenus();

private:
    QString designerCopy();

    QTemporaryDir m_dir;
    QString m_folder;
};

void tst_TavqRender::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_folder = m_dir.filePath("skin");
    writeFile(m_folder + "/style.json", R"({"style":[
        {"type":1,"name":"red","drawImg":false,"clr":"ffff0000"},
        {"type":1,"name":"blue","drawImg":false,"clr":"ff0000ff"},
        {"type":1,"name":"green","drawImg":false,"clr":"ff00ff00"},
        {"type":2,"name":"ink","size":12,"clr":"000000"}]})");
    writeFile(m_folder + "/page.json", R"({"w":300,"h":200,"elements":[
        {"type":"qtcontainer","name":"bg","layout":{"type":1},"style":[["red",0,0]],"child":[
            {"type":"qtbutton","x":100,"y":50,"w":80,"h":40,"style":[["blue",0,0]]}]}]})");
    writeFile(m_folder + "/nosize.json", R"({"elements":[{"type":"qtcontainer","layout":{"type":1}}]})");

    // Two bars over red; a bar paints nothing but its items.
    writeFile(m_folder + "/bars.json", R"({"w":400,"h":200,"elements":[
        {"type":"qtcontainer","layout":{"type":1},"style":[["red",0,0]],"child":[
            {"type":"qtmenubar","name":"top","x":0,"y":0,"w":400,"h":30},
            {"type":"menubar","name":"bottom","x":0,"y":100,"w":400,"h":30}]}]})");
    writeFile(m_folder + "/one.menu.json", R"({"background":"green","item0":"blue","text0":"ink",
        "items":[{"text":"File","items":[{"text":"Open"},{"text":"Quit"}]}]})");
    writeFile(m_folder + "/three.menu.json", R"({"background":"green","item0":"blue","text0":"ink",
        "items":[{"text":"File","items":[{"text":"Open"}]},{"text":"Edit","items":[{"text":"Copy"}]},
                 {"text":"Help"}]})");

    // Views that only the designer fills: a list and a template list over red.
    writeFile(m_folder + "/views.json", R"({"w":400,"h":200,"elements":[
        {"type":"qtcontainer","layout":{"type":1},"style":[["red",0,0]],"child":[
            {"type":"qtlist","x":0,"y":0,"w":180,"h":200,"style":[["empty",0,0],["blue",0,2],["ink",0,6]],
             "attr":{"itemHeight":30}},
            {"type":"templateList","x":200,"y":0,"w":180,"h":200,"style":[["empty",0,0],["green",0,2]],
             "attr":{"itemHeight":40},
             "child":[{"type":"qtcontainer","w":180,"h":40,"style":[["red",0,0]]}]}]}]})");
}

QString tst_TavqRender::designerCopy()
{
    // The runtime takes any executable whose path names the designer for the designer.
    const QString folder = m_dir.filePath("FormSmithTool");
    const QString copy = folder + "/tavq-render";
    if (!QFile::exists(copy)) {
        QDir().mkpath(folder);
        if (!QFile::copy(TAVQ_RENDER_PATH, copy))
            return QString();
        QFile::setPermissions(copy, QFile::permissions(copy) | QFile::ExeOwner);
    }
    return copy;
}

void tst_TavqRender::rendersFolderPage()
{
    const QString out = m_dir.filePath("page.png");
    QCOMPARE(render({"--folder", m_folder, "page.json", out}), 0);
    const QImage img(out);
    QCOMPARE(img.size(), QSize(300, 200));
    QCOMPARE(img.pixel(10, 10), Red);
    QCOMPARE(img.pixel(140, 70), Blue);
    QCOMPARE(img.pixel(99, 70), Red);
    QCOMPARE(img.pixel(180, 70), Red);
}

void tst_TavqRender::sizeOverridesPage()
{
    const QString out = m_dir.filePath("sized.png");
    QCOMPARE(render({"--folder", m_folder, "--size", "640x480", "page.json", out}), 0);
    const QImage img(out);
    QCOMPARE(img.size(), QSize(640, 480));
    QCOMPARE(img.pixel(630, 470), Red);   // the margin layout followed the size
}

void tst_TavqRender::defaultSize()
{
    const QString out = m_dir.filePath("default.png");
    QCOMPARE(render({"--folder", m_folder, "nosize.json", out}), 0);
    QCOMPARE(QImage(out).size(), QSize(800, 600));
}

void tst_TavqRender::rendersPackagePage()
{
    const QString out = m_dir.filePath("gallery.png");
    QCOMPARE(render({"--package", PACKAGE_FILE, "Gallery.json", out}), 0);
    const QImage img(out);
    QCOMPARE(img.size(), QSize(1400, 1186));
    // The header bar of the gallery is dark, its window background light.
    QCOMPARE(img.pixel(400, 5), qRgb(0x1f, 0x2a, 0x3c));
    QCOMPARE(img.pixel(1395, 50), qRgb(0x1f, 0x2a, 0x3c));
    QCOMPARE(img.pixel(5, 300), qRgb(0xf4, 0xf6, 0xfa));
    QCOMPARE(img.pixel(1395, 1180), qRgb(0xf4, 0xf6, 0xfa));
    QCOMPARE(img.pixel(930, 600), qRgb(0xf4, 0xf6, 0xfa));   // between the second and third column
    // Outside the designer the menu bar has no menus: its strip is plain.
    const QRect strip(964, 314, 392, 28);
    QCOMPARE(countColour(img, strip, qRgb(0xf4, 0xf6, 0xfa)), strip.width() * strip.height());
    // The tab strip has no items, so no current one is underlined.
    QCOMPARE(img.pixel(1000, 387), qRgb(0xff, 0xff, 0xff));
    QCOMPARE(img.pixel(1000, 389), qRgb(0xdd, 0xe3, 0xec));
    // The data grid's header band is there, without titles.
    QCOMPARE(countColour(img, GridTitle, qRgb(0xf4, 0xf6, 0xfa)), GridTitle.width() * GridTitle.height());
    // The switch that is on shows its blue track, the one that is off its grey one.
    QCOMPARE(img.pixel(978, 207), qRgb(0x2f, 0x7c, 0xf6));
    QCOMPARE(img.pixel(1191, 207), qRgb(0xc5, 0xcd, 0xd9));
}

void tst_TavqRender::exitCodes()
{
    QByteArray err;
    const QString out = m_dir.filePath("x.png");
    QCOMPARE(render({"--folder", m_folder, "absent.json", out}, &err), 2);
    QVERIFY(err.contains("absent.json"));
    QVERIFY(!QFile::exists(out));
    writeFile(m_folder + "/broken.json", "{\"elements\": [");
    QCOMPARE(render({"--folder", m_folder, "broken.json", out}), 2);
    QCOMPARE(render({"--package", m_dir.filePath("missing.data"), "page.json", out}), 1);
    QCOMPARE(render({"--folder", m_folder, "--size", "wide", "page.json", out}), 1);
    QCOMPARE(render({"--folder", m_folder, "page.json"}), 1);
    QCOMPARE(render({"--folder", m_folder, "page.json", m_dir.filePath("no/such/dir/x.png")}), 1);
    QByteArray help;
    QCOMPARE(run(TAVQ_RENDER_PATH, {"--help"}, nullptr, &help), 0);
    QVERIFY(help.contains("--menu <NAME=FILE>"));
    QVERIFY(help.contains("FormSmithTool"));
}

void tst_TavqRender::menuFillsTheNamedBar()
{
    const QString plain = m_dir.filePath("bars-plain.png");
    QCOMPARE(render({"--folder", m_folder, "bars.json", plain}), 0);
    const QImage before(plain);
    const QRect topBar(0, 0, 400, 30);
    const QRect bottomBar(0, 100, 400, 30);
    QCOMPARE(countColour(before, topBar, Red), 400 * 30);
    QCOMPARE(countColour(before, bottomBar, Red), 400 * 30);

    const QString out = m_dir.filePath("bars-top.png");
    QCOMPARE(render({"--folder", m_folder, "--menu", "top=one.menu.json", "bars.json", out}), 0);
    const QImage img(out);
    // The bar's item takes the file's item look; past its items the bar stays see-through.
    QVERIFY(countColour(img, topBar, Blue) > 100);
    QCOMPARE(img.pixel(395, 15), Red);
    // The entry's text, in the file's font, is neither item nor bar.
    QVERIFY(countColour(img, topBar, Blue) + countColour(img, topBar, Red) < 400 * 30);
    // The other bar and the menu's own background are nowhere to be seen.
    QCOMPARE(countColour(img, bottomBar, Red), 400 * 30);
    QCOMPARE(countColour(img, img.rect(), Green), 0);
}

void tst_TavqRender::menuItemsBecomeBarEntries()
{
    const QString one = m_dir.filePath("bars-one.png");
    const QString three = m_dir.filePath("bars-three.png");
    QCOMPARE(render({"--folder", m_folder, "--menu", "top=one.menu.json", "bars.json", one}), 0);
    QCOMPARE(render({"--folder", m_folder, "--menu", "top=three.menu.json", "bars.json", three}), 0);
    const QRect topBar(0, 0, 400, 30);
    const int oneEnd = lastColumnOf(QImage(one), topBar, Blue);
    const int threeEnd = lastColumnOf(QImage(three), topBar, Blue);
    QVERIFY(oneEnd > 0);
    // "File", "Edit" and "Help" sit side by side, so they reach much further than "File".
    QVERIFY2(threeEnd > 2 * oneEnd, qPrintable(QString("%1 %2").arg(oneEnd).arg(threeEnd)));
}

void tst_TavqRender::menuIsRepeatable()
{
    const QString out = m_dir.filePath("bars-both.png");
    QCOMPARE(render({"--folder", m_folder, "--menu", "top=one.menu.json", "--menu", "bottom=three.menu.json",
                     "bars.json", out}), 0);
    const QImage img(out);
    const int topEnd = lastColumnOf(img, QRect(0, 0, 400, 30), Blue);
    const int bottomEnd = lastColumnOf(img, QRect(0, 100, 400, 30), Blue);
    QVERIFY(topEnd > 0);
    QVERIFY(bottomEnd > 2 * topEnd);
    QCOMPARE(countColour(img, QRect(0, 40, 400, 50), Red), 400 * 50);
}

void tst_TavqRender::menuFailures()
{
    QByteArray err;
    const QString out = m_dir.filePath("menu-fail.png");
    // No bar of that name: nothing is written.
    QCOMPARE(render({"--folder", m_folder, "--menu", "nowhere=one.menu.json", "bars.json", out}, &err), 1);
    QVERIFY(err.contains("nowhere"));
    QVERIFY(!QFile::exists(out));
    // A name that is there but no menu bar counts as missing too.
    QCOMPARE(render({"--folder", m_folder, "--menu", "bg=one.menu.json", "page.json", out}, &err), 1);
    QVERIFY(!QFile::exists(out));
    // A menu file that is missing or no JSON.
    QCOMPARE(render({"--folder", m_folder, "--menu", "top=absent.menu.json", "bars.json", out}, &err), 1);
    QVERIFY(err.contains("absent.menu.json"));
    QVERIFY(!QFile::exists(out));
    writeFile(m_folder + "/broken.menu.json", "{\"items\": [");
    QCOMPARE(render({"--folder", m_folder, "--menu", "top=broken.menu.json", "bars.json", out}), 1);
    QVERIFY(!QFile::exists(out));
    // One bad request of several still fails the run.
    QCOMPARE(render({"--folder", m_folder, "--menu", "top=one.menu.json", "--menu", "bottom=absent.menu.json",
                     "bars.json", out}), 1);
    QVERIFY(!QFile::exists(out));
    // Malformed values are usage errors.
    for (const char *value : {"top", "=one.menu.json", "top=", ""}) {
        QCOMPARE(render({"--folder", m_folder, "--menu", value, "bars.json", out}, &err), 1);
        QVERIFY(err.contains("NAME=FILE"));
        QVERIFY(!QFile::exists(out));
    }
    // The page is read before the menus: a missing page still says so.
    QCOMPARE(render({"--folder", m_folder, "--menu", "top=one.menu.json", "absent.json", out}), 2);
}

void tst_TavqRender::designerFolderFillsViews()
{
    const QString copy = designerCopy();
    QVERIFY(!copy.isEmpty());
    const QString plain = m_dir.filePath("views-plain.png");
    const QString designer = m_dir.filePath("views-designer.png");
    QCOMPARE(render({"--folder", m_folder, "views.json", plain}), 0);
    QCOMPARE(run(copy, {"--folder", m_folder, "views.json", designer}), 0);

    const QImage before(plain);
    const QImage after(designer);
    QCOMPARE(after.size(), QSize(400, 200));
    // Outside the designer both views are empty over red.
    QCOMPARE(before.pixel(100, 15), Red);
    QCOMPARE(before.pixel(290, 20), Red);
    QCOMPARE(countColour(before, QRect(0, 0, 180, 200), Blue), 0);
    // In it the list has its sample rows, and the template list its preview rows
    // painted from the template with the row look of slot 2.
    QCOMPARE(after.pixel(100, 15), Blue);
    const QRect firstRow(0, 0, 150, 30);
    QVERIFY(countColour(after, firstRow, Blue) < firstRow.width() * firstRow.height());   // "item 0"
    QCOMPARE(after.pixel(290, 20), Green);
    QCOMPARE(after.pixel(290, 180), Green);
    QCOMPARE(after.pixel(390, 20), Red);   // beside the views
}

void tst_TavqRender::galleryNamesEveryListedType()
{
    QFile file(SOURCE_DIR "/package/Gallery.json");
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    Json::Value root;
    QVERIFY(TAVQtLib::JsonRead::parseDocument(bytes.constData(), bytes.constData() + bytes.size(), &root));
    std::set<std::string> used;
    collectTypes(root, &used);

    TAVQtLib::RegisterBuiltinControls();
    const std::set<std::string> &listed = TAVQtLib::ListedControlTypes();
    QVERIFY(listed.size() > 20);
    QStringList missing;
    for (const std::string &type : listed) {
        if (!used.count(type))
            missing << QString::fromStdString(type);
    }
    QVERIFY2(missing.isEmpty(), qPrintable("not in the gallery: " + missing.join(", ")));
    // And nothing the registry does not know.
    QStringList unknown;
    for (const std::string &type : used) {
        if (!TAVQtLib::RegisteredControlTypes().count(type))
            unknown << QString::fromStdString(type);
    }
    QVERIFY2(unknown.isEmpty(), qPrintable("unknown types: " + unknown.join(", ")));
}

void tst_TavqRender::galleryInTheDesignerWithMenus()
{
    const QString copy = designerCopy();
    QVERIFY(!copy.isEmpty());
    const QString out = m_dir.filePath("gallery-designer.png");
    QCOMPARE(run(copy, {"--package", PACKAGE_FILE, "--menu", "galleryMenuBar=GalleryMenu.json", "--menu",
                        "editorMenuBar=GalleryMenu.json", "Gallery.json", out}), 0);
    const QImage img(out);
    QCOMPARE(img.size(), QSize(1400, 1186));
    const QRgb strip = qRgb(0xf4, 0xf6, 0xfa);
    // Both bars show the four menus' titles in the menu file's dark text.
    for (const QRect &bar : {QRect(964, 314, 392, 28), QRect(964, 502, 392, 26)}) {
        QVERIFY(countColour(img, bar, strip) < bar.width() * bar.height());
        const int end = lastColumnOf(img, bar, qRgb(0x33, 0x3d, 0x4d));
        QVERIFY2(end > 1100 && end < 1250, qPrintable(QString::number(end)));
    }
    // The main tab strip has sample items, the first current with its blue underline.
    QCOMPARE(img.pixel(1000, 387), qRgb(0x2f, 0x7c, 0xf6));
    QCOMPARE(img.pixel(1100, 387), qRgb(0xff, 0xff, 0xff));
    QCOMPARE(img.pixel(1100, 389), qRgb(0xdd, 0xe3, 0xec));
    // The data grid's header has its sample titles.
    QVERIFY(countColour(img, GridTitle, qRgb(0xf4, 0xf6, 0xfa)) < GridTitle.width() * GridTitle.height());
}

QTEST_GUILESS_MAIN(tst_TavqRender)
#include "tst_tavqrender.moc"
