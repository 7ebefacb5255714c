#include "playlist/PlaylistFiles.h"

#include "playlist/PlaylistFormat.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

using namespace Qt::Literals::StringLiterals;

namespace kf {

PlaylistFiles::PlaylistFiles(PlaylistModel& playlist, MessageBoxService& messageBox, PlaylistHost& host)
    : m_playlist(playlist), m_messageBox(messageBox), m_host(host) {}

Status PlaylistFiles::SaveList(const QString& fileName) {
    const QByteArray bytes = PlaylistFormat::encode(m_playlist.entries());
    QSaveFile file(fileName);
    QString problem;
    // Unbuffered, so a short write (disk full) shows in write() itself; a buffered flush at
    // commit can lose the shortfall and rename a truncated list over the good one.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        problem = file.errorString();
    } else if (file.write(bytes) != bytes.size()) {
        problem = file.errorString();
        file.cancelWriting();
    } else if (!file.commit()) {
        problem = file.errorString();
    }
    if (problem.isEmpty()) {
        return success();
    }
    m_messageBox.showMessage(u"播放列表没有保存成功，原来的列表文件保持不变。\r\n\r\n"_s +
                                 QDir::toNativeSeparators(fileName) + u"\r\n"_s + problem,
                             u"保存列表"_s, MessageButtons::Ok, MessageIcon::Warning);
    return Status::failure(problem.toStdString());
}

qsizetype PlaylistFiles::LoadList(const QString& fileName) {
    // Only regular files: opening a FIFO blocks until someone writes, and a device never ends.
    const QFileInfo info(fileName);
    if (!info.isFile() || info.size() > MaximumListFileSize) {
        return 0;
    }
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        return 0;
    }
    const QByteArray bytes = file.read(MaximumListFileSize + 1);
    if (bytes.size() > MaximumListFileSize || bytes.contains('\0')) {
        return 0;
    }
    const QStringList paths = PlaylistFormat::paths(PlaylistFormat::decode(bytes));
    m_playlist.addPaths(paths);
    return paths.size();
}

int PlaylistFiles::AddAndPlay(const QString& listText) {
    if (listText.isEmpty()) {
        return 0;
    }
    const QStringList paths = listText.split(u"\r\n"_s, Qt::KeepEmptyParts);
    m_playlist.addPaths(paths);
    m_host.InitSWF(paths.first(), true);
    return 0;
}

} // namespace kf
