#ifndef TAVQ_CONTROL_P_H
#define TAVQ_CONTROL_P_H

// Not part of the API: the other half of TAVQ_DECLARE_IMPL.

#include "tavqcontrol.h"

// Defines the d_func() pair TAVQ_DECLARE_IMPL(Class) declared; where `Class##Impl`
// is complete and the control was made with it.
#define TAVQ_DEFINE_IMPL(Class) \
    Class##Impl *Class::d_func() { return static_cast<Class##Impl *>(m_impl); } \
    const Class##Impl *Class::d_func() const { return static_cast<const Class##Impl *>(m_impl); }

#endif
