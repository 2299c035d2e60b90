#ifndef TAVQ_RUNTIME_H
#define TAVQ_RUNTIME_H

#include "tavqtlib_export.h"

#include "resources/tavqstyle.h"

#include <QString>

namespace TAVQtLib {

// One-time start-up: application style, control registry, designer-host flag,
// built-in images. Later calls return at once.
TAVQTLIB_EXPORT void InitRuntime();
// End-of-run hook; the registry, resources and styles live until process exit.
TAVQTLIB_EXPORT void ReleaseRuntime();
// True when running inside the page designer or its preview host.
TAVQTLIB_EXPORT bool IsDesignerHost();
// Whether an executable path names the designer or its preview host.
TAVQTLIB_EXPORT bool IsDesignerHostPath(const QString &path);

// Open the resource package / read the style sheet of a folder on disk; false
// when it is missing or cannot be read.
TAVQTLIB_EXPORT bool OpenPackage(const QString &path);
TAVQTLIB_EXPORT bool LoadStyleFolder(const QString &dir);
// Style names come from pages as byte strings and are read as UTF-8.
TAVQTLIB_EXPORT bool GetBoxStyle(const char *name, TAVQBoxStyle &out);
TAVQTLIB_EXPORT bool GetFontStyle(const char *name, TAVQFontStyle &out);
TAVQTLIB_EXPORT void SetBoxStyle(const char *name, const TAVQBoxStyle &style);
TAVQTLIB_EXPORT void SetFontStyle(const char *name, const TAVQFontStyle &style);

} // namespace TAVQtLib

#endif
