#pragma once

#include "platform/MenuArray.h"
#include "platform/StatusBar.h"
#include "platform/WindowSystemService.h"
#include "player/FrmmainApi.h"
#include "player/PlayerControlHost.h"

#include <QWidget>

namespace kf {

// What the View menu acts on, all owned by the main window.
struct ViewMenuParts {
    QWidget& mainWindow;
    FrmmainApi& window;
    PlayerControlHost& host;
    const MenuArray& mnuview;
    QWidget& lvlist;
    const StatusBar& SBar;
    const QWidget& clientArea;
    WindowSystemService& windowSystem;
};

// Keeps the window above all others or lets it back among them; only the stacking changes.
void SetTopMost(QWidget& window, bool topMost, WindowSystemService& windowSystem);

// The View menu (mnuview): scale, zoom, full screen, list or animation, always on top. The
// menu items themselves hold its state: the scale check marks, the caption of item 10 and
// the check mark of item 11.
class ViewMenu {
public:
    static constexpr int ModeItem = 10;
    static constexpr int TopMostItem = 11;

    explicit ViewMenu(const ViewMenuParts& parts) : m_parts(parts) {}

    void ViewCommand(int Index);

private:
    void chooseScale(int Index);
    void zoom(int factor);
    void switchMode();
    void toggleTopMost();

    ViewMenuParts m_parts;
};

} // namespace kf
