#include "tavqregistry.h"

#include "tavqcontrolbase.h"
#include "base/tavqkeytable_p.h"
#include "core/tavqelementtables_p.h"

#include <QWidget>

namespace TAVQtLib {

namespace {

std::map<std::string, ControlCreator> s_creators;
std::set<std::string> s_listedNames;
std::map<std::string, const TAVQControlTable *> s_tables;

} // namespace

void RegisterControlType(const char *typeName, ControlCreator creator, bool listed)
{
    if (!typeName || !creator)
        return;
    s_creators[typeName] = creator;
    // A new creator may make another class, whose table is not known here.
    s_tables.erase(typeName);
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

void RegisterControlTable(const char *typeName, const TAVQControlTable *table)
{
    if (typeName && table && s_creators.count(typeName))
        s_tables[typeName] = table;
}

const TAVQControlTable *ControlTableOf(const char *typeName)
{
    const auto it = typeName ? s_tables.find(typeName) : s_tables.end();
    return it == s_tables.end() ? nullptr : it->second;
}

} // namespace TAVQtLib
