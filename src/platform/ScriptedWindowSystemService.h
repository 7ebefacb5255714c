#pragma once

#include "platform/WindowSystemService.h"

#include <QHash>
#include <QList>
#include <QMenu>
#include <QPointer>
#include <QWidget>

namespace kf {

// Keeps each window's style and stacking as values and records the pop-up menus instead of
// showing them.
class ScriptedWindowSystemService final : public WindowSystemService {
public:
    static constexpr quint32 FramedStyle = WindowStyle::WS_CAPTION | WindowStyle::WS_THICKFRAME;

    bool SetWindowPos(QWidget& hWnd, bool topMost) override {
        m_topMostCalls.append(topMost);
        m_topMost[&hWnd] = topMost;
        return true;
    }
    quint32 GetWindowLongA(const QWidget& hWnd) const override { return m_styles.value(&hWnd, FramedStyle); }
    void SetWindowLongA(QWidget& hWnd, quint32 style) override { m_styles[&hWnd] = style; }
    void TrackPopupMenu(QMenu& menu) override { m_popups.append(&menu); }

    bool isTopMost(const QWidget& window) const { return m_topMost.value(&window, false); }
    const QList<bool>& topMostCalls() const { return m_topMostCalls; }
    const QList<QPointer<QMenu>>& popups() const { return m_popups; }

private:
    QHash<const QWidget*, quint32> m_styles;
    QHash<const QWidget*, bool> m_topMost;
    QList<bool> m_topMostCalls;
    QList<QPointer<QMenu>> m_popups;
};

} // namespace kf
