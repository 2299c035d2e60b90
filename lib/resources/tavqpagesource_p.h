#ifndef TAVQ_PAGESOURCE_H
#define TAVQ_PAGESOURCE_H

#include "tavqtlib_export.h"

#include <QByteArray>
#include <QString>

namespace TAVQtLib {

class PackageIndex;

// The marks the runtime draws at start-up instead of reading a file, by the
// names pages and controls ask for: radio off and on, check box off and on.
inline constexpr const char *BuiltinImageNames[] = {"IDB_UNSELECT", "IDB_SELECTED", "IDB_UNCHECK", "IDB_CHECKED"};

// Where a page source found a file.
enum class TAVQFilePlace {
    Nowhere,   // no such file, or one that cannot be opened
    Package,   // an entry of the package
    Folder,    // a file of the style folder (an image also under its images/)
    Disk,      // the name taken as a path of its own
    Builtin,   // one of BuiltinImageNames
};

// What a page source found for one name.
struct TAVQSourceFile {
    TAVQFilePlace place = TAVQFilePlace::Nowhere;
    // Over Limits::MaxDocumentBytes; the bytes are then empty unless the
    // source keeps oversized files.
    bool tooLarge = false;
    // The document's bytes. A package entry's are a view of the package's
    // memory, valid while the package stays open; copy them to keep them.
    // Images are located only: their bytes are given for package entries.
    QByteArray bytes;
    // The file's path, for the folder and the disk.
    QString path;

    // Whether the file was found at all.
    bool found() const { return place != TAVQFilePlace::Nowhere; }
};

// Answers "the bytes of page, image or style sheet N" as the runtime finds
// them: the package first, then the style folder, then the name as a path.
// It reads only; the resource manager decodes and caches.
class TAVQPageSource
{
public:
    // What to do with a document over Limits::MaxDocumentBytes on disk: the
    // runtime leaves it unread; checks read its first MaxDocumentBytes + 1
    // bytes (and take a package entry whole), as the parser would see them.
    enum class Oversized { Refused, Kept };

    // A source over `package` (null: none; not owned, it must outlive the
    // source) and the style folder `folder` (empty: none).
    TAVQPageSource(const PackageIndex *package, const QString &folder, Oversized oversized = Oversized::Refused);
    // The runtime's own: the resource manager's package and style folder.
    static TAVQPageSource runtime();

    // A page or menu file: the package, else the style folder, else the name
    // as a path.
    TAVQSourceFile document(const QString &name) const;
    // The style sheet in force: the folder's when there is a folder (loading
    // one replaces the package's), else the package's style.json.
    TAVQSourceFile styleSheet() const;
    // An image: a built-in mark, else the package, else the folder. Located,
    // not read from disk.
    TAVQSourceFile image(const QString &name) const;

    // The steps image() takes after the built-in marks, for the resource
    // manager that caches each: the package entry (with its bytes) and the
    // folder's file, at its top or under images/ (with no folder, the working
    // directory's).
    TAVQSourceFile packageEntry(const QString &name) const;
    TAVQSourceFile folderImage(const QString &name) const;

    // The style folder, ending in a slash; empty when there is none.
    const QString &folder() const { return m_folder; }

    // Whether `name` is one of BuiltinImageNames.
    static bool isBuiltinImage(const QString &name);
    // The package key of a name: case folded, a backslash read as a slash.
    static QByteArray packageKey(const QString &name);

private:
    TAVQSourceFile readFile(TAVQFilePlace place, const QString &path) const;
    TAVQSourceFile bounded(TAVQSourceFile file) const;

    const PackageIndex *m_package;
    QString m_folder;
    Oversized m_oversized;
};

} // namespace TAVQtLib

#endif
