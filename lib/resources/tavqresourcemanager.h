#ifndef TAVQ_RESOURCEMANAGER_H
#define TAVQ_RESOURCEMANAGER_H

#include "tavqtlib_export.h"

#include "tavqstyle.h"

#include <QImage>
#include <QString>

#include <memory>

namespace TAVQtLib {

class TAVQResourceManagerPrivate;

/**
 * \brief The process-wide source of package files, cached images and named styles.
 *
 * OpenPackage() and LoadStyleFolder() fill it; controls read their styles and
 * images from it by name. It lives until the process ends.
 *
 * \code
 * auto &resources = TAVQtLib::TAVQResourceManager::instance();
 * if (resources.openPackage(QStringLiteral("skin.data"))) {
 *     TAVQtLib::TAVQBoxStyle card;
 *     if (resources.boxStyle(QStringLiteral("card"), card))
 *         card.color = Qt::white;
 *     resources.setBoxStyle(QStringLiteral("card.white"), card);
 *     QImage *logo = resources.image(QStringLiteral("images/logo.png"));  // owned by the cache
 * }
 * \endcode
 */
class TAVQTLIB_EXPORT TAVQResourceManager
{
public:
    /// The one manager, made on first use.
    static TAVQResourceManager &instance();

    /// Reads every entry of the package at `path` into memory and its style.json
    /// into the style tables; false when the package or its style sheet cannot be
    /// read. May inflate on a second thread, which has ended before it returns
    /// (see OpenPackage()).
    bool openPackage(const QString &path);
    /// The bytes of a package file, looked up case-insensitively (a backslash read
    /// as a slash); false when the package has no such file.
    bool fileData(const QString &name, const char **data, quint32 *length) const;
    /// The named image from the package, else from the style folder, cached; null
    /// when there is none, it does not decode, or it is too large
    /// (Limits::MaxImageBytes). Names of one file share one image; a file that
    /// fails is not read again while it is unchanged.
    QImage *image(const QString &name);
    /// Copies the named style into `style`; false, leaving it unchanged, for an
    /// unknown name ("empty" and "emptyRect" give an invisible box).
    bool boxStyle(const QString &name, TAVQBoxStyle &style) const;
    /// Copies the named font style into `style`; false, leaving it unchanged, for
    /// an unknown name.
    bool fontStyle(const QString &name, TAVQFontStyle &style) const;
    /// Adds or replaces a named style.
    void setBoxStyle(const QString &name, const TAVQBoxStyle &style);
    /// Adds or replaces a named font style.
    void setFontStyle(const QString &name, const TAVQFontStyle &style);
    /// Draws the built-in check and radio marks (IDB_CHECKED, IDB_UNCHECK,
    /// IDB_SELECTED, IDB_UNSELECT) into the image cache.
    void createBuiltinImages();
    /// Reads style.json from a folder on disk, whose files then serve images; false
    /// when the folder is empty or its style sheet cannot be read.
    bool loadStyleFolder(const QString &folder);
    /// Forgets the styles and the cached images, the built-in ones excepted, and
    /// which files failed.
    void clear();
    /// Forgets the package's entries and path, so that a package changed on disk
    /// can be opened afresh (openPackage keeps entries it already holds), and
    /// which of them failed. The bytes fileData() handed out go with them.
    void closePackage();

    /// The package last opened; empty before the first openPackage().
    QString packagePath() const;
    /// The style folder last loaded, with a trailing slash; empty for none.
    QString folderPath() const;

    /// Not copyable: there is one manager.
    TAVQResourceManager(const TAVQResourceManager &) = delete;
    /// Not copyable: there is one manager.
    TAVQResourceManager &operator=(const TAVQResourceManager &) = delete;

private:
    TAVQResourceManager();
    ~TAVQResourceManager();
    friend class TAVQResourceManagerPrivate;

    std::unique_ptr<TAVQResourceManagerPrivate> d;
};

} // namespace TAVQtLib

#endif
