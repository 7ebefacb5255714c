#include "playlist/FileMenu.h"

#include "playlist/OpenDialog.h"

#include <QFileInfo>

#include <utility>

using namespace Qt::Literals::StringLiterals;

namespace kf {

namespace {

QString mediaFilter() {
    const QChar nul(u'\0');
    const std::pair<QString, QString> pairs[] = {
        {u"FLASH动画(*.swf)"_s, u"*.swf"_s},
        {u"FLV视频(*.flv)"_s, u"*.flv"_s},
        {u"Mpeg音频(*.mp3;*.mp4)"_s, u"*.mp3;*.mp4"_s},
        {u"AAC媒体(*.aac)"_s, u"*.aac"_s},
        {u"图片文件(*.png;*.jpg;*.jpeg;*.gif)"_s, u"*.png;*.jpg;*.jpeg;*.gif"_s},
    };
    QString filter;
    for (const auto& [description, patterns] : pairs) {
        filter += description + nul + patterns + nul;
    }
    return filter;
}

QString listFilter() {
    const QChar nul(u'\0');
    return u"文本文件(*.txt;*.ini)"_s + nul + u"*.txt;*.ini"_s + nul;
}

QString trimmedOfSpaces(const QString& text) {
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text[first] == u' ') {
        ++first;
    }
    while (last > first && text[last - 1] == u' ') {
        --last;
    }
    return text.mid(first, last - first);
}

// A plain file the user may see: on this desktop a name starting with a dot is hidden.
bool isVisibleListFile(const QString& path) {
    const QFileInfo info(path);
    return info.isFile() && !info.fileName().startsWith(u'.');
}

} // namespace

FileMenu::FileMenu(const FileMenuParts& parts, const PlatformServices& platform)
    : m_parts(parts), m_platform(platform),
      m_folderScan(parts.lvlist.playlist(), parts.lvlist, parts.SBar, platform, parts.AppTitle),
      m_removal(parts.lvlist, platform.messageBox) {}

void FileMenu::mnufile_Click(int Index) {
    switch (Index) {
    case 0: // 网上地址
        addWebAddress();
        break;
    case 1: // 本地文件
        addLocalFiles();
        break;
    case 2: // 本地目录
        scanFolder();
        break;
    case 3: // 列表导入
        importList();
        break;
    case 4: // 保存列表; a failure is shown by SaveList itself.
        static_cast<void>(m_parts.playlistFiles.SaveList(m_parts.AppPath + u"Favorite.txt"_s));
        break;
    case 5: // 清除列表
        m_removal.ClearList();
        break;
    case 6: // 删除选定
        m_removal.RemoveSelected();
        break;
    case 8: // 关闭
        m_parts.host.setPlayerMovie(u"http://"_s);
        break;
    case 10: // 退出
        m_parts.window.close();
        break;
    default: // separators 7 and 9
        break;
    }
}

void FileMenu::addWebAddress() {
    const QString answer =
        m_platform.inputBox.askText(u"请输入一个网上的FLASH动画地址:"_s, u"地址输入"_s, u"http://"_s);
    // Case-sensitive and at the very start: " http://" or "HTTP://" are refused.
    if (trimmedOfSpaces(answer).isEmpty() || !answer.startsWith(u"http://"_s)) {
        return;
    }
    m_parts.lvlist.playlist().AddToList(answer);
    m_parts.CurrentIndex = 0;
}

void FileMenu::addLocalFiles() {
    int maxLength = 65535;
    const QString buffer =
        ShowOpenDialog(m_platform.openFileDialog, 0, u"打开文件"_s, mediaFilter(), 1, maxLength);
    if (buffer == u" "_s) {
        return;
    }
    SplitDialogFiles(buffer, m_DialogFiles);
    // All chosen files in one step; CurrentIndex ends one past the last row, as it would
    // after adding them one by one.
    PlaylistModel& playlist = m_parts.lvlist.playlist();
    playlist.addPaths(m_DialogFiles);
    m_parts.CurrentIndex = int(playlist.count()) + 1;
}

void FileMenu::scanFolder() {
    if (!m_parts.SBar.isHidden()) {
        m_parts.SBar.setPanelText(2, u"文件扫描中，请稍候..."_s);
    }
    m_folderScan.ScanFolder();
    if (!m_parts.SBar.isHidden()) {
        m_parts.SBar.setPanelText(2, QString());
    }
}

void FileMenu::importList() {
    int maxLength = 254;
    const QString buffer =
        ShowOpenDialog(m_platform.openFileDialog, 0, u"打开文件"_s, listFilter(), 0, maxLength);
    if (buffer == u" "_s) {
        return;
    }
    SplitDialogFiles(buffer, m_DialogFiles);
    if (isVisibleListFile(m_DialogFiles.value(0))) {
        m_parts.playlistFiles.LoadList(m_DialogFiles.value(0));
    }
}

} // namespace kf
