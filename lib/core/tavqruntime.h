#ifndef TAVQ_RUNTIME_H
#define TAVQ_RUNTIME_H

#include "tavqtlib_export.h"

#include "resources/tavqstyle.h"

#include <QString>

namespace TAVQtLib {

/// Call before the QApplication is made. Pages are laid out in device-independent
/// pixels and scaled to the screen, as Qt 6 does by default; this makes Qt 5 do
/// the same (with its factor rounded to a whole number).
TAVQTLIB_EXPORT void UseDeviceIndependentPixels();

/// True when running inside the page designer or its preview host.
TAVQTLIB_EXPORT bool IsDesignerHost();
/// Whether an executable path names the designer or its preview host.
TAVQTLIB_EXPORT bool IsDesignerHostPath(const QString &path);

/// Opens the resource package at `path` (pages, style.json, images); false when
/// it is missing or cannot be read.
///
/// OpenPackage reads the whole file and inflates every entry before it returns,
/// into one block of anonymous memory that asks for transparent huge pages and
/// lives until the package is closed. With at least 4 MiB to inflate on a
/// machine of two or more cores it inflates on a second thread as well; that
/// thread has ended before the call returns, so no thread of the library runs
/// afterwards. Call it from the GUI thread, as the rest of the runtime.
TAVQTLIB_EXPORT bool OpenPackage(const QString &path);
/// Reads the style sheet of a folder on disk, whose files then serve pages and
/// images the package does not hold; false when it is missing or cannot be read.
TAVQTLIB_EXPORT bool LoadStyleFolder(const QString &dir);
/// Copies the named box style (the name read as UTF-8) into `out`; false,
/// leaving `out` alone, for an unknown name.
TAVQTLIB_EXPORT bool GetBoxStyle(const char *name, TAVQBoxStyle &out);
/// Copies the named font style (the name read as UTF-8) into `out`; false,
/// leaving `out` alone, for an unknown name.
TAVQTLIB_EXPORT bool GetFontStyle(const char *name, TAVQFontStyle &out);
/// Adds or replaces a named box style; controls read it when they next load an element.
TAVQTLIB_EXPORT void SetBoxStyle(const char *name, const TAVQBoxStyle &style);
/// Adds or replaces a named font style; controls read it when they next load an element.
TAVQTLIB_EXPORT void SetFontStyle(const char *name, const TAVQFontStyle &style);

} // namespace TAVQtLib

#endif
