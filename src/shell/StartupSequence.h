#pragma once

namespace kf {

class Frmmain;

// What the main window does once it is created: hooks, list, colours, showing itself, the
// shop page, the command line or the saved playlist, the menu texts and the title.
class StartupSequence {
public:
    explicit StartupSequence(Frmmain& window) : m_window(window) {}

    void run();

private:
    void acceptDrops();
    void hookWindowProcedure();
    void fillPlayerColors();
    void openCommandLine();
    void offerSavedPlaylist();
    void extendExitFullScreenCaption();
    void buildAppTitle();

    Frmmain& m_window;
};

} // namespace kf
