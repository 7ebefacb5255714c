#include "playlist/PlaylistRemoval.h"

using namespace Qt::Literals::StringLiterals;

namespace kf {

void PlaylistRemoval::ClearList() {
    const MessageAnswer answer =
        m_messageBox.showMessage(u"你真的要删除当前所有加载的文件列表吗？请确认!       "_s, u"清除"_s,
                                 MessageButtons::OkCancel, MessageIcon::Information);
    if (answer == MessageAnswer::Ok) {
        m_lvlist.playlist().clear();
    }
}

void PlaylistRemoval::RemoveSelected() {
    // Hidden while rows go, so the list does not redraw for each of them.
    m_lvlist.hide();
    m_lvlist.playlist().removeFlaggedRows(m_lvlist.selectedRowFlags());
    m_lvlist.show();
}

} // namespace kf
