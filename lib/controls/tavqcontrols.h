#ifndef TAVQ_CONTROLS_H
#define TAVQ_CONTROLS_H

#include "tavqtlib_export.h"

namespace TAVQtLib {

/// One-time start-up: application style, control registry, built-in images and
/// the focus frame. Later calls return at once.
TAVQTLIB_EXPORT void InitRuntime();
/// End-of-run hook; the registry, resources and styles live until process exit.
TAVQTLIB_EXPORT void ReleaseRuntime();

/// Registers every control class of the library under its type names.
TAVQTLIB_EXPORT void RegisterBuiltinControls();

} // namespace TAVQtLib

#endif
