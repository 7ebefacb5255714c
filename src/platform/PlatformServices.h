#pragma once

#include "platform/ClockService.h"
#include "platform/EventPumpService.h"
#include "platform/FolderDialogService.h"
#include "platform/InputBoxService.h"
#include "platform/MessageBoxService.h"
#include "platform/OpenFileDialogService.h"
#include "platform/WebBrowserService.h"
#include "platform/WindowSystemService.h"

namespace kf {

// The services the window reaches the desktop through; owned by QtPlatform or ScriptedPlatform.
struct PlatformServices {
    MessageBoxService& messageBox;
    InputBoxService& inputBox;
    OpenFileDialogService& openFileDialog;
    FolderDialogService& folderDialog;
    WebBrowserService& webBrowser;
    ClockService& clock;
    EventPumpService& eventPump;
    WindowSystemService& windowSystem;
};

} // namespace kf
