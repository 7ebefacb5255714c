#pragma once

#include "player/FrmmainApi.h"

namespace kf {

// Panel 1 switches between list and animation, panel 2 plays the next entry; the date and
// time panels do nothing.
void SBar_PanelClick(FrmmainApi& window, int panel);

} // namespace kf
