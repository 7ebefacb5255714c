#include "toolsupport/StageCapture.h"

#include "swf/runtime/MoviePlayer.h"

#include <algorithm>
#include <cmath>

namespace kf::swf {

QImage StageCapture::capture(const MoviePlayer& player, QSize size, RenderQuality quality) {
    StageView view;
    view.outputWidth = size.width();
    view.outputHeight = size.height();
    view.frameSize = player.stageRect();
    view.quality = quality;
    view.background = player.backgroundColor();
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    m_renderer.render(player.levels(), view, image);
    return image.convertToFormat(QImage::Format_ARGB32);
}

QSize StageCapture::stageSize(const MoviePlayer& player) {
    const Rect& stage = player.stageRect();
    const int width = static_cast<int>(std::lround(stage.width().toPixels()));
    const int height = static_cast<int>(std::lround(stage.height().toPixels()));
    return QSize(std::clamp(width, 1, 8192), std::clamp(height, 1, 8192));
}

} // namespace kf::swf
