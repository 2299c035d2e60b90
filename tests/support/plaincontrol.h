#ifndef TAVQ_PLAINCONTROL_H
#define TAVQ_PLAINCONTROL_H

#include "core/tavqcontrol.h"
#include "core/tavqcontrolbaseimpl.h"

#include <QWidget>

// The least control a page can hold: it reads the common attributes and its
// "attr" map, and paints nothing of its own. Tests register it under any name.
class PlainImpl : public TAVQtLib::TAVQControlBaseImpl
{
public:
    using TAVQtLib::TAVQControlBaseImpl::TAVQControlBaseImpl;
    bool LoadAttributes(const Json::Value &element) { return LoadAttrMap(&element); }
};

class Plain : public TAVQtLib::TAVQControl<QWidget, PlainImpl>
{
public:
    using TAVQControl::TAVQControl;
    QString GetTypeName() override { return QStringLiteral("plain"); }
};

#endif
