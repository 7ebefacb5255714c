#include "platform/ShellDrop.h"

#include <QUrl>

#include <algorithm>

namespace kf {

QStringList DragQueryFiles(const QMimeData& drop) {
    QStringList files;
    if (!drop.hasUrls()) {
        return files;
    }
    const QList<QUrl> urls = drop.urls();
    for (const QUrl& url : urls) {
        if (url.isLocalFile()) {
            files.append(url.toLocalFile());
        }
    }
    return files;
}

bool DragHasFiles(const QMimeData& drop) {
    if (!drop.hasUrls()) {
        return false;
    }
    const QList<QUrl> urls = drop.urls();
    return std::any_of(urls.begin(), urls.end(), [](const QUrl& url) { return url.isLocalFile(); });
}

} // namespace kf
