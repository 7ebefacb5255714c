#include "swf/render/StageRenderer.h"

#include "swf/render/BrushFactory.h"
#include "swf/render/DisplayTreeWalker.h"
#include "swf/render/PainterBackend.h"
#include "swf/render/ShapeDrawer.h"
#include "swf/runtime/DisplayList.h"

#include <algorithm>
#include <cmath>

namespace kf::swf {

StageRenderer::StageRenderer() : m_backend(std::make_unique<PainterBackend>()) {}

StageRenderer::StageRenderer(std::unique_ptr<RenderBackend> backend)
    : m_backend(backend ? std::move(backend) : std::make_unique<PainterBackend>()) {}

StageRenderer::~StageRenderer() = default;
StageRenderer::StageRenderer(StageRenderer&&) noexcept = default;
StageRenderer& StageRenderer::operator=(StageRenderer&&) noexcept = default;

Matrix StageRenderer::stageToOutput(const StageView& view) {
    const double stageWidth = view.frameSize.width().value;
    const double stageHeight = view.frameSize.height().value;
    const double outputWidth = std::max(0, view.outputWidth);
    const double outputHeight = std::max(0, view.outputHeight);
    constexpr double pixelsPerTwip = 1.0 / Twips::perPixel;

    if (!(stageWidth > 0 && stageHeight > 0)) {
        // Nothing to fit or centre: twips become pixels from the top-left corner.
        return Matrix::scale(pixelsPerTwip, pixelsPerTwip);
    }
    double scaleX = pixelsPerTwip;
    double scaleY = pixelsPerTwip;
    const double fitX = outputWidth / stageWidth;
    const double fitY = outputHeight / stageHeight;
    switch (view.scaleMode) {
    case ScaleMode::ShowAll:
        scaleX = scaleY = std::min(fitX, fitY);
        break;
    case ScaleMode::NoBorder:
        scaleX = scaleY = std::max(fitX, fitY);
        break;
    case ScaleMode::ExactFit:
        scaleX = fitX;
        scaleY = fitY;
        break;
    case ScaleMode::NoScale:
        break;
    }
    // Flash Player's default alignment centres the stage on both axes in every mode.
    const Matrix fitted{scaleX,
                        0.0,
                        0.0,
                        scaleY,
                        (outputWidth - stageWidth * scaleX) / 2.0 - view.frameSize.xMin.value * scaleX,
                        (outputHeight - stageHeight * scaleY) / 2.0 - view.frameSize.yMin.value * scaleY};
    if (!std::isfinite(view.zoom) || view.zoom <= 0.0 || view.zoom == 1.0) {
        return fitted;
    }
    // Zoomed: the zoom centre moves to the middle of the output, everything grows by 1/zoom.
    const double centreX = fitted.mapX(view.zoomCenterX, view.zoomCenterY);
    const double centreY = fitted.mapY(view.zoomCenterX, view.zoomCenterY);
    const double magnification = 1.0 / view.zoom;
    const Matrix zoom = Matrix::translation(outputWidth / 2.0, outputHeight / 2.0) *
                        Matrix::scale(magnification, magnification) * Matrix::translation(-centreX, -centreY);
    return zoom * fitted;
}

void StageRenderer::render(const DisplayList& root, const StageView& view, QImage& target) {
    if (view.outputWidth <= 0 || view.outputHeight <= 0) {
        target = QImage();
        return;
    }
    const QSize size(view.outputWidth, view.outputHeight);
    if (target.size() != size || target.format() != QImage::Format_ARGB32_Premultiplied) {
        target = QImage(size, QImage::Format_ARGB32_Premultiplied);
    }
    if (!m_backend->beginFrame(target, BrushFactory::color(view.background, ColorTransform{}),
                               view.quality)) {
        return;
    }
    const Matrix stage = stageToOutput(view);
    const QTransform stageTransform(stage.a, stage.b, stage.c, stage.d, stage.tx, stage.ty);
    ShapeDrawer drawer(*m_backend, std::sqrt(std::abs(stage.determinant())), QRectF(target.rect()));
    DisplayTreeWalker walker(*m_backend, drawer);
    walker.walk(root, stageTransform, ColorTransform{});
    m_backend->endFrame();
}

} // namespace kf::swf
