#include "playlist/EntryFields.h"

#include <QFile>

#include <filesystem>
#include <system_error>

using namespace Qt::Literals::StringLiterals;

namespace kf {

QString GetBaseName(const QString& path) {
    // A path with any backslash is a Windows path and splits there, even if slashes follow.
    const qsizetype backslash = path.lastIndexOf(u'\\');
    const qsizetype separator = backslash >= 0 ? backslash : path.lastIndexOf(u'/');
    const QStringView filePart = QStringView(path).mid(separator + 1);
    const qsizetype dot = filePart.lastIndexOf(u'.');
    return (dot < 0 ? filePart : filePart.left(dot)).toString();
}

QString GetFileType(const QString& path) {
    const qsizetype dot = path.lastIndexOf(u'.');
    return dot < 0 ? u"未知"_s : path.mid(dot + 1);
}

bool isLocalPath(const QString& path) {
    // The slash first: it is what every path a folder scan finds starts with.
    return path.startsWith(u'/') || path.contains(u":\\"_s);
}

QString GetFileSize(const QString& path) {
    if (!isLocalPath(path)) {
        return u"未知"_s;
    }
    // file_size refuses directories and devices instead of blocking on them, and is 64-bit.
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(QFile::encodeName(path).toStdString(), error);
    if (error) {
        return QString();
    }
    return QString::number(quint64(size));
}

PlaylistEntry makePlaylistEntry(qsizetype number, const QString& path) {
    return makePlaylistEntry(number, path, GetFileSize(path));
}

PlaylistEntry makePlaylistEntry(qsizetype number, const QString& path, const QString& sizeText) {
    return PlaylistEntry{QString::number(number), GetBaseName(path), path, GetFileType(path), sizeText};
}

} // namespace kf
