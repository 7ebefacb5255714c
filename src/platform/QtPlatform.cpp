#include "platform/QtPlatform.h"

namespace kf {

QtPlatform::QtPlatform()
    : m_messageBox(m_dialogParent), m_inputBox(m_dialogParent), m_openFileDialog(m_dialogParent),
      m_folderDialog(m_dialogParent) {}

PlatformServices QtPlatform::services() {
    return PlatformServices{m_messageBox, m_inputBox, m_openFileDialog, m_folderDialog,
                            m_webBrowser, m_clock,    m_eventPump,      m_windowSystem};
}

} // namespace kf
