#ifndef TAVQ_TABORDER_H
#define TAVQ_TABORDER_H

#include "tavqtlib_export.h"

#include <QWidgetList>

namespace TAVQtLib {

/// Chains the focusable controls of `roots` and their descendants in reading
/// order: siblings line by line from the top and left to right within a line (a
/// line is what starts within the height of its first widget), and each control's
/// own controls right after it. The page builder calls it for every page it builds.
TAVQTLIB_EXPORT void SetReadingTabOrder(const QWidgetList &roots);

} // namespace TAVQtLib

#endif
