#ifndef TAVQ_TEST_IMPLOF_H
#define TAVQ_TEST_IMPLOF_H

#include "core/tavqcontrolbase.h"

// The implementation object of a control as its private class, for tests that
// look behind the public API (include the control's _p.h header first).
template <typename Impl>
Impl *implOf(TAVQtLib::ITAVQControlBase &control)
{
    return static_cast<Impl *>(control.GetImpl());
}

template <typename Impl>
Impl *implOf(TAVQtLib::ITAVQControlBase *control)
{
    return static_cast<Impl *>(control->GetImpl());
}

#endif
