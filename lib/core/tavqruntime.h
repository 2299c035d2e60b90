#ifndef TAVQ_RUNTIME_H
#define TAVQ_RUNTIME_H

#include "resources/tavqstyle.h"

#include <QString>

namespace TAVQtLib {

// One-time start-up: application style, control registry, designer-host flag,
// built-in images. Later calls return at once.
void InitRuntime();
// End-of-run hook; the registry, resources and styles live until process exit.
void ReleaseRuntime();
// True when running inside the page designer or its preview host.
bool IsDesignerHost();
// Whether an executable path names the designer or its preview host.
bool IsDesignerHostPath(const QString &path);

bool OpenPackage(const QString &path);
bool LoadStyleFolder(const QString &dir);
// Style names come from pages as byte strings and are read as UTF-8.
bool GetBoxStyle(const char *name, TAVQBoxStyle &out);
bool GetFontStyle(const char *name, TAVQFontStyle &out);
void SetBoxStyle(const char *name, const TAVQBoxStyle &style);
void SetFontStyle(const char *name, const TAVQFontStyle &style);

} // namespace TAVQtLib

#endif
