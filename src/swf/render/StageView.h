#pragma once

#include "swf/format/Color.h"
#include "swf/format/Geometry.h"

#include <cstdint>

namespace kf::swf {

// How the movie's stage is fitted into the output rectangle (the control's ScaleMode values,
// plus NoScale, which draws the stage at its own pixel size).
enum class ScaleMode : std::uint8_t { ShowAll = 0, NoBorder = 1, ExactFit = 2, NoScale = 3 };

enum class RenderQuality : std::uint8_t { Low = 0, High = 1 };

// Everything that decides where the stage lands in the output, apart from the objects.
struct StageView {
    int outputWidth = 550;  // pixels
    int outputHeight = 400; // pixels
    Rect frameSize;         // the movie's stage, in twips
    ScaleMode scaleMode = ScaleMode::ShowAll;
    // Fraction of the fitted stage that is visible: 1 shows all of it, 0.5 shows half the
    // width and height (everything twice as large) around `zoomCenterX/Y` (stage twips),
    // which is then drawn at the middle of the output. At 1 (or an invalid value: zero,
    // negative, NaN) the centre is ignored and the stage sits where the scale mode puts it.
    double zoom = 1.0;
    double zoomCenterX = 0.0;
    double zoomCenterY = 0.0;
    RenderQuality quality = RenderQuality::High;
    Rgba background{255, 255, 255, 255};
};

} // namespace kf::swf
