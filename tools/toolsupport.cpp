#include "toolsupport.h"

#include "controls/tavqlistview.h"

#include <QCommandLineParser>
#include <QSize>
#include <QStringList>

namespace TAVQtLib {
namespace ToolSupport {

void preferOffscreenWithoutDisplay()
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

SourceOptions addSourceOptions(QCommandLineParser *parser)
{
    SourceOptions options{
        QCommandLineOption("package", "Resource package to read pages, styles and images from.", "FILE"),
        QCommandLineOption("folder", "Style folder on disk: style.json, pages and images.", "DIR")};
    parser->addOptions({options.package, options.folder});
    return options;
}

bool parseSize(const QString &text, QSize *size)
{
    const QStringList parts = text.split(QLatin1Char('x'));
    bool okW = false;
    bool okH = false;
    if (parts.size() == 2)
        *size = QSize(parts[0].toInt(&okW), parts[1].toInt(&okH));
    return okW && okH && size->width() > 0 && size->height() > 0;
}

void fillPreviewRows(QWidget *window)
{
    for (TAVQListView *view : window->findChildren<TAVQListView *>()) {
        if (!view->model() || view->model()->rowCount() == 0)
            view->fillPreviewRows();
    }
}

} // namespace ToolSupport
} // namespace TAVQtLib
