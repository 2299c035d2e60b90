#include "lookpicture.h"

#include <QCoreApplication>
#include <QDir>

bool saveLookPicture(const QImage &image, const QString &fileName)
{
    QDir dir(QCoreApplication::applicationDirPath());
    if (!dir.mkpath(QStringLiteral("pictures")))
        return false;
    return image.save(dir.filePath(QStringLiteral("pictures/") + fileName));
}
