#pragma once

#include "common/Result.h"
#include "swf/render/StageView.h"

#include <QSize>
#include <QString>
#include <QStringList>

namespace kf::swf {

struct RenderOptions {
    QString moviePath;
    int frames = 1;
    QSize size; // empty: the movie's own size
    RenderQuality quality = RenderQuality::High;
    QString outputPath; // empty: the movie's base name with .png, in the current directory
    bool trace = false;
    bool showHelp = false;
};

// Parses swfrender's arguments (without the program name).
Result<RenderOptions> parseRenderOptions(const QStringList& arguments);

QString renderUsage();

} // namespace kf::swf
