#include "tavqruntime.h"

#include "tavqplatform.h"
#include "resources/tavqresourcemanager.h"

#include <QCoreApplication>

namespace TAVQtLib {

namespace {

QString styleName(const char *name)
{
    return name ? QString::fromUtf8(name) : QString();
}

} // namespace

void UseDeviceIndependentPixels()
{
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
    // Qt 5 rounds the factor to whole numbers, so a screen a little denser than
    // 96 dpi (the offscreen one reports 100) still shows pages pixel for pixel.
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    QCoreApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);
#endif
}

bool IsDesignerHost()
{
    static const bool host = IsDesignerHostPath(TAVQPlatform::executablePath());
    return host;
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
