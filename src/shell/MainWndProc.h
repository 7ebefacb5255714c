#pragma once

#include <QObject>

namespace kf {

class Frmmain;

// The program's own procedure on the main window, installed at start-up and removed at
// unload. Files dropped from the file manager anywhere the list does not take them go to
// DropFiles; everything else goes on to the window unchanged.
class MainWndProc : public QObject {
    Q_OBJECT

public:
    explicit MainWndProc(Frmmain& window) : m_window(window) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Frmmain& m_window;
};

} // namespace kf
