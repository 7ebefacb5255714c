#include "controls/SteppingMenu.h"

#include <QtGlobal>

namespace kf {

// The stepping loops arrive with the rewind and fast-forward issue.
void SteppingMenu::MnuBack_Click(int Index) {
    Q_UNUSED(Index);
}

void SteppingMenu::MnuFast_Click(int Index) {
    Q_UNUSED(Index);
}

} // namespace kf
