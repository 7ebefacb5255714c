#pragma once

#include "swf/render/StageView.h"

#include <QString>

#include <cstdint>
#include <vector>

namespace kf::swf {

// One comparison of a rendered frame with a reference image: a channel value that differs
// by more than `tolerance` is an outlier; at most `maxOutliers` may occur.
struct ImageCheck {
    int tolerance = 0;
    std::int64_t maxOutliers = 0;
};

// A reference image and when to capture it: after `trigger` frames have been shown, or
// after the last frame of the run when `trigger` is 0.
struct ImageCapture {
    QString name;
    QString expectedPath;
    int trigger = 0;
    std::vector<ImageCheck> checks;
};

// One image or trace test of the corpus.
struct ConformanceCase {
    QString name; // the folder or file, relative to the corpus
    QString moviePath;
    int frames = 1;
    RenderQuality quality = RenderQuality::High;
    std::vector<ImageCapture> captures;
    // Set for trace tests: the expected trace() log, compared line for line.
    QString expectedTracePath;
    QString problem; // set when the test's description could not be read
};

} // namespace kf::swf
