#pragma once

#include "swf/render/StageRenderer.h"
#include "swf/render/StageView.h"

#include <QImage>
#include <QSize>

namespace kf::swf {

class MoviePlayer;

// Renders what the player shows now into a new image of `size` pixels (the stage shown
// whole, as the default scale mode does), straight ARGB32 for saving and comparing.
class StageCapture {
public:
    QImage capture(const MoviePlayer& player, QSize size, RenderQuality quality);

    // The stage's own size in whole pixels, at least 1x1.
    static QSize stageSize(const MoviePlayer& player);

private:
    StageRenderer m_renderer;
};

} // namespace kf::swf
