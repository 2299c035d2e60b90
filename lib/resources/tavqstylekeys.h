#ifndef TAVQ_STYLEKEYS_H
#define TAVQ_STYLEKEYS_H

#include "base/tavqkeytable.h"

namespace TAVQtLib {

// The keys of a box style and of a font style definition in the style sheet.
TAVQTLIB_INTERNAL_EXPORT extern const TAVQControlTable BoxStyleAttributes;
TAVQTLIB_INTERNAL_EXPORT extern const TAVQControlTable FontStyleAttributes;

} // namespace TAVQtLib

#endif
