#pragma once

#include "platform/WindowSystemService.h"

namespace kf {

// Stacking and frame through the window's existing native window: changing a widget's flags
// the ordinary way would destroy and recreate it, which hides it and may move it.
class QtWindowSystemService final : public WindowSystemService {
public:
    bool SetWindowPos(QWidget& hWnd, bool topMost) override;
    quint32 GetWindowLongA(const QWidget& hWnd) const override;
    void SetWindowLongA(QWidget& hWnd, quint32 style) override;
    void TrackPopupMenu(QMenu& menu) override;
};

} // namespace kf
