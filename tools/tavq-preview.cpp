// Shows a page live while it is designed: rebuilt on every change of the page,
// its style sheet or its images, with lint findings and an inspector beside it.

#include "toolsupport.h"
#include "preview/previewwatcher.h"
#include "preview/previewwindow.h"

#include "controls/tavqcontrols.h"
#include "core/tavqruntime.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>

#include <cstdio>

using namespace TAVQtLib;

namespace {

const char Description[] =
    "Shows PAGE, a page description, as the runtime builds it, and builds it again\n"
    "whenever the page, the style sheet or an image changes. Lint findings of the page\n"
    "are listed beside it; clicking one selects its element. In inspect mode (--inspect\n"
    "or the Inspect box) hovering an element outlines it and tells its name, type,\n"
    "geometry, layout and styles; clicking it shows its text in the page and its line.\n\n"
    "The page, its style sheet and its images come from a package (--package), a style\n"
    "folder on disk (--folder), or both. --snapshot writes the page's picture after every\n"
    "build, for scripts; without a display the preview runs offscreen.\n\n"
    "Run from a folder whose path contains \"FormSmithTool\", the runtime counts as the\n"
    "designer host: item views fill themselves with sample entries.";

// Everything the page is built from, on disk.
void watchSources(Preview::PreviewWatcher *watcher, const Preview::PreviewOptions &options)
{
    QStringList files{options.page};
    QStringList folders;
    if (!options.source.packagePath.isEmpty())
        files << options.source.packagePath;
    if (!options.source.folder.isEmpty()) {
        const QDir folder(options.source.folder);
        files << folder.filePath(options.page) << folder.filePath(QStringLiteral("style.json"));
        folders << folder.path() << folder.filePath(QStringLiteral("images"));
    }
    watcher->watch(files, folders);
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
    const QCommandLineOption sizeOption("size", "Page size, for example 1024x768.", "WxH");
    const QCommandLineOption snapshotOption("snapshot", "Write the page's picture after every build.", "OUT.png");
    const QCommandLineOption inspectOption("inspect", "Start in inspect mode.");
    QCommandLineOption windowOption("window-snapshot", "Write the whole window's picture after every build.", "FILE");
    QCommandLineOption selectOption("select", "Select the control of this object name after every build.", "NAME");
    windowOption.setFlags(QCommandLineOption::HiddenFromHelp);
    selectOption.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOptions({sizeOption, snapshotOption, inspectOption, windowOption,
                       selectOption});
    parser.addPositionalArgument("PAGE", "Page file name, as the program names it (e.g. LoginPage.json).");
    parser.process(app);

    Preview::PreviewOptions options;
    const QStringList args = parser.positionalArguments();
    if (args.size() != 1
        || (parser.isSet(sizeOption) && !ToolSupport::parseSize(parser.value(sizeOption), &options.size))) {
        std::fputs(qPrintable(parser.helpText()), stderr);
        return 1;
    }
    if (parser.isSet(sources.package) && !QFileInfo::exists(parser.value(sources.package))) {
        std::fprintf(stderr, "tavq-preview: %s: no such package\n", qPrintable(parser.value(sources.package)));
        return 1;
    }
    options.page = args[0];
    options.source.packagePath = parser.value(sources.package);
    options.source.folder = parser.value(sources.folder);
    options.snapshot = parser.value(snapshotOption);
    options.windowSnapshot = parser.value(windowOption);
    options.select = parser.value(selectOption);
    options.inspect = parser.isSet(inspectOption);

    InitRuntime();
    Preview::PreviewWindow window(options);
    Preview::PreviewWatcher watcher;
    watchSources(&watcher, options);
    QObject::connect(&watcher, &Preview::PreviewWatcher::changed, &window, &Preview::PreviewWindow::rebuild);
    window.rebuild();
    window.fitToPage();
    window.show();
    return app.exec();
}
