#ifndef TAVQ_TOOLSUPPORT_H
#define TAVQ_TOOLSUPPORT_H

#include <QCommandLineOption>
#include <QString>

class QCommandLineParser;

class QSize;
class QWidget;

// What the page tools (renderer, linter and live preview) have in common.
namespace TAVQtLib {
namespace ToolSupport {

// Tools also run in scripts and on build machines: without a display they draw
// offscreen. Call before the application object exists.
void preferOffscreenWithoutDisplay();

// The options every page tool takes for where pages, the style sheet and
// images come from.
struct SourceOptions
{
    QCommandLineOption package;
    QCommandLineOption folder;
};
// Adds them to `parser`; the result names them for reading the values.
SourceOptions addSourceOptions(QCommandLineParser *parser);

// Reads "WxH" with a positive width and height; false leaves a partial result.
bool parseSize(const QString &text, QSize *size);

// What the designer does with template lists that no program fills: each empty
// one under `window` gets preview rows. Only meant for the designer host.
void fillPreviewRows(QWidget *window);

} // namespace ToolSupport
} // namespace TAVQtLib

#endif
