// Renders a page into a PNG, without the program around it.

#include "toolsupport.h"

#include "base/tavqlimits.h"
#include "controls/tavqcontrols.h"
#include "controls/tavqmenu.h"
#include "core/tavqpagebuilder.h"
#include "core/tavqpagebuilder_p.h"
#include "core/tavqruntime.h"
#include "core/tavqwindow.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTimer>

#include <json/value.h>

#include <cstdio>
#include <cstdlib>

using namespace TAVQtLib;

namespace {

enum Exit { Rendered = 0, Failed = 1, PageUnreadable = 2 };

const char Description[] =
    "Renders PAGE, a page description, into OUT.png as the runtime shows it in a window.\n"
    "The page, its style sheet and its images come from a package (--package), a style\n"
    "folder on disk (--folder), or both. The window takes --size, else the page's own\n"
    "\"w\" and \"h\", else 800x600. Works without a display.\n\n"
    "Menu bars get their menus only from menu files: --menu NAME=FILE reads FILE (package\n"
    "first, then the folder or disk, as pages are read) and gives its top-level items to the\n"
    "menu bar named NAME, which also takes the look of the file's items (item0-3, text0-3).\n"
    "Repeat it for several bars.\n\n"
    "Run from a folder whose path contains \"FormSmithTool\", the runtime counts as the\n"
    "designer host: tabs, combo boxes, lists, trees and data grids fill themselves with\n"
    "sample entries, and template lists show twenty preview rows.\n\n"
    "Exit status: 0 picture written, 2 page missing or not valid JSON, 1 anything else\n"
    "(also a menu bar NAME not on the page, or a menu FILE missing or not valid JSON).";

struct MenuRequest
{
    QString barName;
    QString file;
};

bool parseMenus(const QStringList &values, QList<MenuRequest> *menus)
{
    for (const QString &value : values) {
        const int equals = value.indexOf(QLatin1Char('='));
        if (equals <= 0 || equals == value.size() - 1)
            return false;
        menus->append(MenuRequest{value.left(equals), value.mid(equals + 1)});
    }
    return true;
}

// The file's top-level items become the bar's entries, its sub-menus the bar's menus.
bool attachMenu(QWidget *window, const MenuRequest &request)
{
    auto *bar = window->findChild<TAVQMenuBar *>(request.barName);
    if (!bar) {
        std::fprintf(stderr, "tavq-render: %s: no menu bar of that name on the page\n",
                     qPrintable(request.barName));
        return false;
    }
    TAVQMenu *menu = LoadMenu(bar, request.file);
    if (!menu) {
        std::fprintf(stderr, "tavq-render: %s: menu file missing, not valid JSON or larger than %d MiB\n",
                     qPrintable(request.file), int(Limits::MaxDocumentBytes >> 20));
        return false;
    }
    // Pages cannot style a bar; the program would, so the menu file's item look stands in.
    for (int state = 0; state < 4; ++state) {
        bar->setItemBox(state, menu->itemBox(state));
        bar->setItemFont(state, menu->itemFont(state));
    }
    bar->addActions(menu->actions());
    return true;
}

void settle()
{
    // Layouts, deferred resizes and repaints all arrive through the event loop.
    for (int i = 0; i < 5; ++i) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        QCoreApplication::sendPostedEvents();
    }
}

// The window is drawn as the active one. Offscreen it is active at once; an X
// server tells a moment later, and some looks (the LCD's colour) depend on it.
void waitUntilActive(QWidget *window)
{
    QElapsedTimer waited;
    waited.start();
    while (!window->isActiveWindow() && waited.elapsed() < 2000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    settle();
}

} // namespace

int main(int argc, char **argv)
{
    ToolSupport::preferOffscreenWithoutDisplay();
    TAVQtLib::UseDeviceIndependentPixels();
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QString::fromLatin1(Description));
    parser.addHelpOption();
    const ToolSupport::SourceOptions sources = ToolSupport::addSourceOptions(&parser);
    const QCommandLineOption sizeOption("size", "Window size, for example 1024x768.", "WxH");
    const QCommandLineOption menuOption("menu", "Menus of the menu bar NAME from the menu file FILE; repeatable.",
                                        "NAME=FILE");
    parser.addOptions({sizeOption, menuOption});
    parser.addPositionalArgument("PAGE", "Page file name, as the program names it (e.g. LoginPage.json).");
    parser.addPositionalArgument("OUT.png", "Where to write the picture.");
    parser.process(app);

    const QStringList args = parser.positionalArguments();
    QSize size;
    QList<MenuRequest> menus;
    if (args.size() != 2 || (parser.isSet(sizeOption) && !ToolSupport::parseSize(parser.value(sizeOption), &size))
        || !parseMenus(parser.values(menuOption), &menus)) {
        std::fputs(qPrintable(parser.helpText()), stderr);
        return Failed;
    }
    InitRuntime();
    if (parser.isSet(sources.package) && !QFileInfo::exists(parser.value(sources.package))) {
        std::fprintf(stderr, "tavq-render: %s: no such package\n", qPrintable(parser.value(sources.package)));
        return Failed;
    }
    if (parser.isSet(sources.package))
        OpenPackage(parser.value(sources.package));
    if (parser.isSet(sources.folder))
        LoadStyleFolder(parser.value(sources.folder));

    const QString page = args[0];
    Json::Value root;
    if (!ReadPage(page, &root)) {
        std::fprintf(stderr, "tavq-render: %s: page missing, not valid JSON or larger than %d MiB\n", qPrintable(page),
                     int(Limits::MaxDocumentBytes >> 20));
        return PageUnreadable;
    }
    TAVQWindow window;
    window.resize(800, 600);
    // Built from the page just read: the same bytes the runtime would read again.
    BuildPage(&window, root, nullptr);
    if (size.isValid())
        window.resize(size);
    for (const MenuRequest &request : menus) {
        if (!attachMenu(&window, request))
            return Failed;
    }
    if (IsDesignerHost())
        ToolSupport::fillPreviewRows(&window);
    window.show();
    window.activateWindow();
    settle();
    waitUntilActive(&window);
    if (!window.grab().save(args[1], "PNG")) {
        std::fprintf(stderr, "tavq-render: %s: cannot write the picture\n", qPrintable(args[1]));
        return Failed;
    }
    return Rendered;
}
