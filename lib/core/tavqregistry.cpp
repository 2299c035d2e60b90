#include "tavqregistry.h"

#include "tavqcontrolbase.h"

#include <QWidget>

namespace TAVQtLib {

namespace {

std::map<std::string, ControlCreator> s_creators;
std::set<std::string> s_listedNames;

} // namespace

void RegisterControlType(const char *typeName, ControlCreator creator, bool listed)
{
    if (!typeName || !creator)
        return;
    s_creators[typeName] = creator;
    if (listed)
        s_listedNames.insert(typeName);
}

QWidget *CreateControl(const char *typeName, const Json::Value &element, QWidget *parent)
{
    if (!typeName)
        return nullptr;
    const auto it = s_creators.find(typeName);
    if (it == s_creators.end())
        return nullptr;
    QWidget *widget = it->second();
    if (!widget)
        return nullptr;
    widget->setParent(parent);
    if (ITAVQControlBase *control = controlInterface(widget))
        control->LoadFromJson(element);
    return widget;
}

const std::map<std::string, ControlCreator> &RegisteredControlTypes()
{
    return s_creators;
}

const std::set<std::string> &ListedControlTypes()
{
    return s_listedNames;
}

} // namespace TAVQtLib
