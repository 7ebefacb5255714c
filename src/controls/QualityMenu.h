#pragma once

#include "platform/MenuArray.h"
#include "player/PlayerControlHost.h"

namespace kf {

// The quality submenu (mnupinzi): low or high rendering quality. The check marks are the
// only record of the choice, which reaches the player only when clicked.
class QualityMenu {
public:
    QualityMenu(const MenuArray& mnupinzi, PlayerControlHost& host) : m_mnupinzi(mnupinzi), m_host(host) {}

    void mnupinzi_Click(int Index);

private:
    const MenuArray& m_mnupinzi;
    PlayerControlHost& m_host;
};

} // namespace kf
