// The registry of the library's control classes under their page type names.

#include "core/tavqregistry.h"

namespace TAVQtLib {

namespace {

template <typename Control>
QWidget *create()
{
    return new Control(nullptr);
}

} // namespace

void RegisterBuiltinControls()
{
}

} // namespace TAVQtLib
