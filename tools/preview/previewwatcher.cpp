#include "previewwatcher.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

#include <utility>

namespace TAVQtLib {
namespace Preview {

PreviewWatcher::PreviewWatcher(QObject *parent)
    : QObject(parent)
{
    m_settle.setSingleShot(true);
    m_settle.setInterval(SettleMs);
    connect(&m_settle, &QTimer::timeout, this, &PreviewWatcher::changed);
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, &PreviewWatcher::fileChanged);
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, &PreviewWatcher::directoryChanged);
}

void PreviewWatcher::watch(const QStringList &files, const QStringList &folders)
{
    m_files.clear();
    m_fileFolders.clear();
    for (const QString &file : files) {
        const QFileInfo info(file);
        m_files << info.absoluteFilePath();
        m_fileFolders << info.absolutePath();
    }
    m_folders.clear();
    for (const QString &folder : folders)
        m_folders << QFileInfo(folder).absoluteFilePath();
    m_fileFolders.removeDuplicates();
    rewatch();
}

void PreviewWatcher::fileChanged(const QString &path)
{
    // A file replaced by rename keeps the watch on the old one: watch anew.
    m_watcher.removePath(path);
    if (QFileInfo::exists(path))
        m_watcher.addPath(path);
    m_settle.start();
}

void PreviewWatcher::directoryChanged(const QString &path)
{
    const bool added = rewatch();
    if (added || m_folders.contains(path))
        m_settle.start();
}

bool PreviewWatcher::rewatch()
{
    QStringList wanted = m_files;
    for (const QString &folder : std::as_const(m_folders)) {
        const QDir dir(folder);
        for (const QString &name : dir.entryList(QDir::Files))
            wanted << dir.filePath(name);
    }
    const QStringList watched = m_watcher.files();
    const QSet<QString> known(watched.cbegin(), watched.cend());
    bool added = false;
    for (const QString &file : std::as_const(wanted)) {
        if (!known.contains(file) && QFileInfo::exists(file))
            added = m_watcher.addPath(file) || added;
    }
    for (const QString &folder : m_folders + m_fileFolders) {
        if (!m_watcher.directories().contains(folder) && QFileInfo(folder).isDir())
            m_watcher.addPath(folder);
    }
    return added;
}

} // namespace Preview
} // namespace TAVQtLib
