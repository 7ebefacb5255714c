#pragma once

#include "swf/render/StageView.h"

#include <QImage>
#include <memory>

namespace kf::swf {

class DisplayList;
class RenderBackend;

// Draws a root display list (and everything below it) into an image. The image should be
// Format_ARGB32_Premultiplied; it is resized to the view's output size when it differs.
class StageRenderer {
public:
    StageRenderer();
    // Draws through `backend` instead of the QPainter one.
    explicit StageRenderer(std::unique_ptr<RenderBackend> backend);
    ~StageRenderer();
    StageRenderer(const StageRenderer&) = delete;
    StageRenderer& operator=(const StageRenderer&) = delete;
    StageRenderer(StageRenderer&&) noexcept;
    StageRenderer& operator=(StageRenderer&&) noexcept;

    void render(const DisplayList& root, const StageView& view, QImage& target);

    // The matrix from stage twips to output pixels for this view (for hit tests and tools).
    static Matrix stageToOutput(const StageView& view);

private:
    std::unique_ptr<RenderBackend> m_backend;
};

} // namespace kf::swf
