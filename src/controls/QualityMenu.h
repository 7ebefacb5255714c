#pragma once

namespace kf {

// The quality submenu (mnupinzi): low or high rendering quality.
class QualityMenu {
public:
    void mnupinzi_Click(int Index);
};

} // namespace kf
