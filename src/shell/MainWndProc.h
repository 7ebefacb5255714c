#pragma once

#include <QObject>

namespace kf {

// The program's own procedure on the main window, installed at start-up and removed at
// unload. Files dropped from the file manager will be taken here (drag-and-drop issue);
// everything else goes on to the window unchanged.
class MainWndProc : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace kf
