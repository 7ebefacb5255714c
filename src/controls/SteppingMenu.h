#pragma once

namespace kf {

// The rewind (MnuBack) and fast-forward (MnuFast) speed submenus.
class SteppingMenu {
public:
    void MnuBack_Click(int Index);
    void MnuFast_Click(int Index);
};

} // namespace kf
