#ifndef TAVQ_PAGEBUILDER_H
#define TAVQ_PAGEBUILDER_H

#include "base/tavqlimits.h"
#include "tavqtlib_export.h"

#include <QString>

class QWidget;

namespace Json {
class Value;
}

namespace TAVQtLib {

/// Loads a page file from the package (else from disk) into `host`: applies the
/// window keys when the host is a window, then builds the elements. Returns the
/// control of the last top-level element, or null.
TAVQTLIB_EXPORT QWidget *LoadPage(QWidget *host, const QString &fileName);
/// Builds the page's "elements" under `parent`; same result as LoadPage.
TAVQTLIB_EXPORT QWidget *BuildElements(const Json::Value &page, QWidget *parent);
/// Builds one element and its children.
TAVQTLIB_EXPORT QWidget *CreateElement(const Json::Value &element, QWidget *parent);

/// Reads a page document from the package, else from disk; false when there is
/// none or it does not parse.
TAVQTLIB_EXPORT bool ReadPage(const QString &fileName, Json::Value *root);

} // namespace TAVQtLib

#endif
