#include "tavqruntime.h"

#include "resources/tavqresourcemanager.h"

namespace TAVQtLib {

namespace {

QString styleName(const char *name)
{
    return name ? QString::fromUtf8(name) : QString();
}

} // namespace

bool OpenPackage(const QString &path)
{
    return TAVQResourceManager::instance().openPackage(path);
}

bool LoadStyleFolder(const QString &dir)
{
    return TAVQResourceManager::instance().loadStyleFolder(dir);
}

bool GetBoxStyle(const char *name, TAVQBoxStyle &out)
{
    return TAVQResourceManager::instance().boxStyle(styleName(name), out);
}

bool GetFontStyle(const char *name, TAVQFontStyle &out)
{
    return TAVQResourceManager::instance().fontStyle(styleName(name), out);
}

void SetBoxStyle(const char *name, const TAVQBoxStyle &style)
{
    TAVQResourceManager::instance().setBoxStyle(styleName(name), style);
}

void SetFontStyle(const char *name, const TAVQFontStyle &style)
{
    TAVQResourceManager::instance().setFontStyle(styleName(name), style);
}

} // namespace TAVQtLib
