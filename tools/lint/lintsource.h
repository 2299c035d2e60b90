#ifndef TAVQ_LINTSOURCE_H
#define TAVQ_LINTSOURCE_H

#include "tavqlint.h"

#include "resources/packageindex_p.h"
#include "resources/tavqpagesource_p.h"

#include <QByteArray>
#include <QSize>
#include <QString>

#include <functional>

class QImageReader;

namespace TAVQtLib {
namespace Lint {

// The files of one source, found by the runtime's page source over a package
// of its own, without touching the process-wide manager. Documents over the
// bound are kept as read, for the checks to tell.
class LintSource
{
public:
    explicit LintSource(const Source &source);
    // Whether the package named, if any, was read.
    bool packageRead() const { return m_packageRead; }
    LintSource(const LintSource &) = delete;
    LintSource &operator=(const LintSource &) = delete;

    // The page as the runtime would find it.
    TAVQSourceFile page(const QString &name) const { return m_files.document(name); }
    // The style sheet the runtime would load; false when there is none.
    bool readStyleSheet(QByteArray *bytes) const;
    // Whether an image of that name can be found (the built-in marks included).
    bool hasImage(const QString &name) const { return m_files.image(name).found(); }
    // The size an image's header gives, as the runtime reads it before decoding;
    // invalid when there is no such file or its header tells none.
    QSize imageSize(const QString &name) const;
    // Whether the image decodes as the runtime would decode it (a built-in mark does).
    bool imageDecodes(const QString &name) const;

private:
    // Calls `read` with a reader over the image's file; not for a missing or built-in one.
    void readImage(const QString &name, const std::function<void(QImageReader &)> &read) const;

    bool m_packageRead = true;
    PackageIndex m_package;
    TAVQPageSource m_files;   // over m_package
};

} // namespace Lint
} // namespace TAVQtLib

#endif
