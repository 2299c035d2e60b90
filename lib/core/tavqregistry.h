#ifndef TAVQ_REGISTRY_H
#define TAVQ_REGISTRY_H

#include "tavqtlib_export.h"

#include <map>
#include <set>
#include <string>

class QWidget;

namespace Json {
class Value;
}

namespace TAVQtLib {

/// Makes a new control with no parent (or null).
using ControlCreator = QWidget *(*)();

/// Registers a control type for pages: elements whose "type" is `typeName` are
/// made by `creator`. `listed` puts the name in ListedControlTypes(), the types
/// a designer offers. Registering a name again replaces its creator; null
/// arguments change nothing. InitRuntime() registers the built-in types, so a
/// built-in name registered before it is replaced by the built-in control:
/// register your own types after InitRuntime().
TAVQTLIB_EXPORT void RegisterControlType(const char *typeName, ControlCreator creator, bool listed);
/// Creates the control of an exact, case-sensitive type name, parents it and lets
/// it read its element; null for an unknown name.
TAVQTLIB_EXPORT QWidget *CreateControl(const char *typeName, const Json::Value &element, QWidget *parent);

/// Every registered type name with its creator.
TAVQTLIB_EXPORT const std::map<std::string, ControlCreator> &RegisteredControlTypes();
/// The type names registered as listed: those a designer offers in its widget box.
TAVQTLIB_EXPORT const std::set<std::string> &ListedControlTypes();

} // namespace TAVQtLib

#endif
