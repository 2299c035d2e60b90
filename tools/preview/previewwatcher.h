#ifndef TAVQ_PREVIEWWATCHER_H
#define TAVQ_PREVIEWWATCHER_H

#include <QFileSystemWatcher>
#include <QObject>
#include <QStringList>
#include <QTimer>

namespace TAVQtLib {
namespace Preview {

// Tells when the files a page is built from change, once per burst of changes.
// Editors that save by writing a new file and renaming it over the old one are
// followed too: the watch moves on to the new file.
class PreviewWatcher : public QObject
{
    Q_OBJECT

public:
    // How long a burst of changes is collected before `changed` is emitted.
    static constexpr int SettleMs = 120;

    explicit PreviewWatcher(QObject *parent = nullptr);

    // Follows `files` (also ones that do not exist yet) and every file in
    // `folders`, including files added there later.
    void watch(const QStringList &files, const QStringList &folders);

signals:
    void changed();

private:
    void fileChanged(const QString &path);
    void directoryChanged(const QString &path);
    // Watches what exists of the wanted paths; true when it found new ones.
    bool rewatch();

    QFileSystemWatcher m_watcher;
    QTimer m_settle;
    QStringList m_files;
    QStringList m_folders;
    QStringList m_fileFolders;   // where the files live, to see them come back
};

} // namespace Preview
} // namespace TAVQtLib

#endif
