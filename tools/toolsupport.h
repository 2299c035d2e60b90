#ifndef TAVQ_TOOLSUPPORT_H
#define TAVQ_TOOLSUPPORT_H

#include <QString>

class QSize;
class QWidget;

// What the page tools (renderer and live preview) have in common.
namespace TAVQtLib {
namespace ToolSupport {

// Tools also run in scripts and on build machines: without a display they draw
// offscreen. Call before the application object exists.
void preferOffscreenWithoutDisplay();

// Reads "WxH" with a positive width and height; false leaves a partial result.
bool parseSize(const QString &text, QSize *size);

// What the designer does with template lists that no program fills: each empty
// one under `window` gets preview rows. Only meant for the designer host.
void fillPreviewRows(QWidget *window);

} // namespace ToolSupport
} // namespace TAVQtLib

#endif
