#ifndef TAVQ_RUNTIME_H
#define TAVQ_RUNTIME_H

#include "resources/tavqstyle.h"

#include <QString>

namespace TAVQtLib {

bool OpenPackage(const QString &path);
bool LoadStyleFolder(const QString &dir);
// Style names come from pages as byte strings and are read as UTF-8.
bool GetBoxStyle(const char *name, TAVQBoxStyle &out);
bool GetFontStyle(const char *name, TAVQFontStyle &out);
void SetBoxStyle(const char *name, const TAVQBoxStyle &style);
void SetFontStyle(const char *name, const TAVQFontStyle &style);

} // namespace TAVQtLib

#endif
