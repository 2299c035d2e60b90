#ifndef TAVQ_STYLEKEYS_H
#define TAVQ_STYLEKEYS_H

#include "base/tavqkeytable_p.h"

namespace TAVQtLib {

// The keys of a box style and of a font style definition in the style sheet.
extern const TAVQControlTable BoxStyleAttributes;
extern const TAVQControlTable FontStyleAttributes;

} // namespace TAVQtLib

#endif
