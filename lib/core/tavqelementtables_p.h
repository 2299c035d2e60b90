#ifndef TAVQ_ELEMENTTABLES_H
#define TAVQ_ELEMENTTABLES_H

#include "base/tavqkeytable_p.h"

// The tables a page's elements are read through, beside each control class's own.
namespace TAVQtLib {

// The element keys read for every control (the layout object's keys apart).
extern const TAVQControlTable CommonAttributes;
// The keys of an element's "layout" object.
extern const TAVQControlTable LayoutAttributes;
// The page document's own keys, applied to a window host.
extern const TAVQControlTable WindowAttributes;

// Gives a registered type name the table of its class; registering the name
// again with RegisterControlType() forgets it.
void RegisterControlTable(const char *typeName, const TAVQControlTable *table);
// The table of a registered type name, or null.
const TAVQControlTable *ControlTableOf(const char *typeName);

} // namespace TAVQtLib

#endif
