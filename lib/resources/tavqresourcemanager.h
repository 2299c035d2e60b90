#ifndef TAVQ_RESOURCEMANAGER_H
#define TAVQ_RESOURCEMANAGER_H

#include "packageindex.h"
#include "tavqstyle.h"

#include <QImage>
#include <QMap>
#include <QString>

#include <memory>

namespace TAVQtLib {

// The process-wide source of package files, cached images and named styles.
class TAVQResourceManager
{
public:
    static TAVQResourceManager &instance();

    bool openPackage(const QString &path);
    bool fileData(const QString &name, const char **data, quint32 *length) const;
    QImage *image(const QString &name);
    bool boxStyle(const QString &name, TAVQBoxStyle &style) const;
    bool fontStyle(const QString &name, TAVQFontStyle &style) const;
    void setBoxStyle(const QString &name, const TAVQBoxStyle &style);
    void setFontStyle(const QString &name, const TAVQFontStyle &style);
    void createBuiltinImages();
    bool loadStyleFolder(const QString &folder);
    void clear();

    QString packagePath() const { return m_packagePath; }
    QString folderPath() const { return m_folderPath; }
    const PackageIndex &packageIndex() const { return m_package; }

    TAVQResourceManager(const TAVQResourceManager &) = delete;
    TAVQResourceManager &operator=(const TAVQResourceManager &) = delete;

private:
    TAVQResourceManager() = default;
    ~TAVQResourceManager() = default;

    bool loadStyleSheet(const char *begin, const char *end);
    QImage *cacheImage(const QString &name, std::unique_ptr<QImage> image);
    friend void parseStyles(const Json::Value &styles);

    PackageIndex m_package;
    QString m_folderPath;
    QString m_packagePath;
    std::map<QString, std::unique_ptr<QImage>> m_images;
    TAVQBoxStyleTable m_boxStyles;
    TAVQFontStyleTable m_fontStyles;
};

} // namespace TAVQtLib

#endif
