// Renders a page into a PNG, without the program around it.

#include "core/tavqpagebuilder.h"
#include "core/tavqruntime.h"
#include "core/tavqwindow.h"

#include <QApplication>
#include <QCommandLineParser>
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
    "Exit status: 0 picture written, 2 page missing or not valid JSON, 1 anything else.";

bool parseSize(const QString &text, QSize *size)
{
    const QStringList parts = text.split(QLatin1Char('x'));
    bool okW = false;
    bool okH = false;
    if (parts.size() == 2)
        *size = QSize(parts[0].toInt(&okW), parts[1].toInt(&okH));
    return okW && okH && size->width() > 0 && size->height() > 0;
}

void settle()
{
    // Layouts, deferred resizes and repaints all arrive through the event loop.
    for (int i = 0; i < 5; ++i) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        QCoreApplication::sendPostedEvents();
    }
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QString::fromLatin1(Description));
    parser.addHelpOption();
    const QCommandLineOption packageOption("package", "Resource package to read pages, styles and images from.", "FILE");
    const QCommandLineOption folderOption("folder", "Style folder on disk: style.json, pages and images.", "DIR");
    const QCommandLineOption sizeOption("size", "Window size, for example 1024x768.", "WxH");
    parser.addOptions({packageOption, folderOption, sizeOption});
    parser.addPositionalArgument("PAGE", "Page file name, as the program names it (e.g. LoginPage.json).");
    parser.addPositionalArgument("OUT.png", "Where to write the picture.");
    parser.process(app);

    const QStringList args = parser.positionalArguments();
    QSize size;
    if (args.size() != 2 || (parser.isSet(sizeOption) && !parseSize(parser.value(sizeOption), &size))) {
        std::fputs(qPrintable(parser.helpText()), stderr);
        return Failed;
    }
    InitRuntime();
    if (parser.isSet(packageOption) && !QFileInfo::exists(parser.value(packageOption))) {
        std::fprintf(stderr, "tavq-render: %s: no such package\n", qPrintable(parser.value(packageOption)));
        return Failed;
    }
    if (parser.isSet(packageOption))
        OpenPackage(parser.value(packageOption));
    if (parser.isSet(folderOption))
        LoadStyleFolder(parser.value(folderOption));

    const QString page = args[0];
    Json::Value root;
    if (!ReadPage(page, &root)) {
        std::fprintf(stderr, "tavq-render: %s: page missing or not valid JSON\n", qPrintable(page));
        return PageUnreadable;
    }
    TAVQWindow window;
    window.resize(800, 600);
    LoadPage(&window, page);
    if (size.isValid())
        window.resize(size);
    window.show();
    window.activateWindow();
    settle();
    if (!window.grab().save(args[1], "PNG")) {
        std::fprintf(stderr, "tavq-render: %s: cannot write the picture\n", qPrintable(args[1]));
        return Failed;
    }
    return Rendered;
}
