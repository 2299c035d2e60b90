#ifndef TAVQ_RESOURCEMANAGER_P_H
#define TAVQ_RESOURCEMANAGER_P_H

// Not part of the API: what the resource manager holds.

#include "tavqresourcemanager.h"

#include "packageindex_p.h"

#include <QDateTime>

#include <map>
#include <memory>

namespace TAVQtLib {

class TAVQPageSource;
struct TAVQSourceFile;

class TAVQResourceManagerPrivate
{
public:
    static TAVQResourceManagerPrivate &get(TAVQResourceManager &manager) { return *manager.d; }
    static const TAVQResourceManagerPrivate &get(const TAVQResourceManager &manager) { return *manager.d; }

    bool loadStyleSheet(const TAVQSourceFile &sheet);
    std::shared_ptr<QImage> packageImage(const QString &name, const TAVQPageSource &files);
    std::shared_ptr<QImage> diskImage(const QString &name, const TAVQPageSource &files);
    QImage *cacheImage(const QString &name, std::shared_ptr<QImage> image);

    // A file's image (null: it did not decode or was refused) and the file's
    // size and time when it was read.
    struct DiskImage
    {
        std::shared_ptr<QImage> image;
        qint64 size = -1;
        QDateTime modified;
    };

    PackageIndex package;
    QString folderPath;
    QString packagePath;
    // By the name asked for, and by source: package key (null when the entry
    // failed) or file path.
    std::map<QString, std::shared_ptr<QImage>> images;
    std::map<QByteArray, std::shared_ptr<QImage>> packageImages;
    std::map<QString, DiskImage> diskImages;
    TAVQBoxStyleTable boxStyles;
    TAVQFontStyleTable fontStyles;
};

} // namespace TAVQtLib

#endif
