// swfrender: renders a frame of a SWF movie to a PNG file (see renderUsage()).

#include "RenderOptions.h"
#include "TracePrinter.h"

#include "swf/avm1/Interpreter.h"
#include "swf/runtime/MoviePlayer.h"
#include "toolsupport/MovieFile.h"
#include "toolsupport/OffscreenApplication.h"
#include "toolsupport/StageCapture.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

using namespace kf::swf;

namespace {

int fail(int status, const std::string& message) {
    std::fprintf(stderr, "swfrender: %s\n", message.c_str());
    return status;
}

} // namespace

int main(int argc, char** argv) {
    auto application = makeOffscreenApplication(argc, argv);
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();

    kf::Result<RenderOptions> options = parseRenderOptions(arguments);
    if (!options) {
        return fail(2, options.error().message);
    }
    if (options->showHelp) {
        std::fputs(renderUsage().toLocal8Bit().constData(), stdout);
        return 0;
    }

    kf::Result<Movie> movie = readMovieFile(options->moviePath);
    if (!movie) {
        return fail(1, movie.error().message);
    }
    std::fprintf(stderr, "%s: %s\n", options->moviePath.toLocal8Bit().constData(),
                 describeHeader(movie->header).c_str());

    TracePrinter tracePrinter(options->trace);
    avm1::Interpreter interpreter;
    MoviePlayer player(nullptr, &tracePrinter);
    player.setScriptEngine(&interpreter);
    if (kf::Status loaded = player.load(std::move(*movie), movieUrl(options->moviePath)); !loaded) {
        return fail(1, loaded.error().message);
    }
    for (int shown = 1; shown < options->frames; ++shown) {
        player.advanceFrame();
    }

    StageCapture capture;
    const QSize size = options->size.isEmpty() ? StageCapture::stageSize(player) : options->size;
    const QImage image = capture.capture(player, size, options->quality);
    if (!image.save(options->outputPath, "PNG")) {
        return fail(1, "cannot write " + options->outputPath.toStdString());
    }
    std::fflush(stdout);
    return 0;
}
