#pragma once

#include "platform/DialogParent.h"
#include "platform/PlatformServices.h"
#include "platform/QtClockService.h"
#include "platform/QtEventPumpService.h"
#include "platform/QtFolderDialogService.h"
#include "platform/QtInputBoxService.h"
#include "platform/QtMessageBoxService.h"
#include "platform/QtOpenFileDialogService.h"
#include "platform/QtWebBrowserService.h"
#include "platform/QtWindowSystemService.h"

namespace kf {

// The real desktop: Qt dialogs, the default browser, the system clock.
class QtPlatform {
public:
    QtPlatform();
    QtPlatform(const QtPlatform&) = delete;
    QtPlatform& operator=(const QtPlatform&) = delete;

    PlatformServices services();
    void setDialogParent(QWidget* window) { m_dialogParent.setWindow(window); }

private:
    DialogParent m_dialogParent;
    QtMessageBoxService m_messageBox;
    QtInputBoxService m_inputBox;
    QtOpenFileDialogService m_openFileDialog;
    QtFolderDialogService m_folderDialog;
    QtWebBrowserService m_webBrowser;
    QtClockService m_clock;
    QtEventPumpService m_eventPump;
    QtWindowSystemService m_windowSystem;
};

} // namespace kf
