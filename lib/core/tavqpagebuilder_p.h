#ifndef TAVQ_PAGEBUILDER_P_H
#define TAVQ_PAGEBUILDER_P_H

#include "tavqtlib_export.h"

class QWidget;

namespace Json {
class Value;
}

namespace TAVQtLib {

class TAVQElementObserver;

// LoadPage() on a page already read: the window keys when `host` is a window,
// then the elements, each told to `observer` (may be null). For the tools,
// which read the page themselves and want to see what each element made.
QWidget *BuildPage(QWidget *host, const Json::Value &page, TAVQElementObserver *observer);

} // namespace TAVQtLib

#endif
