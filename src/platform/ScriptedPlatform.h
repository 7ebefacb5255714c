#pragma once

#include "platform/PlatformServices.h"
#include "platform/ScriptedClockService.h"
#include "platform/ScriptedEventPumpService.h"
#include "platform/ScriptedFolderDialogService.h"
#include "platform/ScriptedInputBoxService.h"
#include "platform/ScriptedMessageBoxService.h"
#include "platform/ScriptedOpenFileDialogService.h"
#include "platform/ScriptedWebBrowserService.h"
#include "platform/ScriptedWindowSystemService.h"

namespace kf {

// The desktop as tests see it: no dialog opens, no browser starts, time stands still.
class ScriptedPlatform {
public:
    ScriptedPlatform() = default;
    ScriptedPlatform(const ScriptedPlatform&) = delete;
    ScriptedPlatform& operator=(const ScriptedPlatform&) = delete;

    PlatformServices services() {
        return PlatformServices{messageBox, inputBox, openFileDialog, folderDialog,
                                webBrowser, clock,    eventPump,      windowSystem};
    }

    ScriptedMessageBoxService messageBox;
    ScriptedInputBoxService inputBox;
    ScriptedOpenFileDialogService openFileDialog;
    ScriptedFolderDialogService folderDialog;
    ScriptedWebBrowserService webBrowser;
    ScriptedClockService clock;
    ScriptedEventPumpService eventPump;
    ScriptedWindowSystemService windowSystem;
};

} // namespace kf
