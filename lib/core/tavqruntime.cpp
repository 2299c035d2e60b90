#include "tavqruntime.h"

#include "cscrollbarstyle.h"
#include "tavqfocusframe.h"
#include "tavqplatform.h"
#include "tavqregistry.h"
#include "resources/tavqresourcemanager.h"

#include <QApplication>

namespace TAVQtLib {

namespace {

bool s_initialised = false;
bool s_designerHost = false;

QString styleName(const char *name)
{
    return name ? QString::fromUtf8(name) : QString();
}

} // namespace

void InitRuntime()
{
    if (s_initialised)
        return;
    QApplication::setStyle(CScrollBarStyle::instance());
    RegisterBuiltinControls();
    if (IsDesignerHostPath(TAVQPlatform::executablePath()))
        s_designerHost = true;
    TAVQResourceManager::instance().createBuiltinImages();
    TAVQFocusFrame::install();
    s_initialised = true;
}

void ReleaseRuntime()
{
}

bool IsDesignerHost()
{
    return s_designerHost;
}

bool IsDesignerHostPath(const QString &path)
{
    return path.contains(QLatin1String("VorlaneQtEmulator"), Qt::CaseSensitive)
        || path.contains(QLatin1String("FormSmithTool"), Qt::CaseSensitive);
}

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
