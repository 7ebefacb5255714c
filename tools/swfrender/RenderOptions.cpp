#include "RenderOptions.h"

#include <QFileInfo>

#include <optional>

namespace kf::swf {

namespace {

Result<int> parseCount(const QString& text, const char* what) {
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < 1 || value > 1000000) {
        return Result<int>::failure(std::string(what) + " must be a whole number from 1 to 1000000");
    }
    return value;
}

Result<QSize> parseSize(const QString& text) {
    const QStringList parts = text.split(QLatin1Char('x'));
    if (parts.size() == 2) {
        bool widthOk = false;
        bool heightOk = false;
        const int width = parts[0].toInt(&widthOk);
        const int height = parts[1].toInt(&heightOk);
        if (widthOk && heightOk && width >= 1 && height >= 1 && width <= 16384 && height <= 16384) {
            return QSize(width, height);
        }
    }
    return Result<QSize>::failure("--size takes WIDTHxHEIGHT in pixels, each from 1 to 16384");
}

} // namespace

QString renderUsage() {
    return QStringLiteral(
        "Usage: swfrender MOVIE.swf [--frames N] [--size WxH] [--quality low|high] [-o OUT.png] [--trace]\n"
        "Loads MOVIE.swf, shows frame 1, advances until N frames have been shown and writes the\n"
        "stage as a PNG image.\n"
        "\n"
        "  --frames N        frames to show before capturing (default 1)\n"
        "  --size WxH        output size in pixels (default: the movie's stage size); the stage is\n"
        "                    shown whole and centred\n"
        "  --quality Q       low (no antialiasing) or high (default)\n"
        "  -o, --output OUT  the PNG to write (default: MOVIE's base name with .png, in the\n"
        "                    current directory)\n"
        "  --trace           print each trace() line of the movie's scripts on stdout\n"
        "  -h, --help        this text\n"
        "\n"
        "The movie's version, stage size, frame rate and frame count are printed on stderr.\n"
        "Exit status: 0 written, 1 the movie could not be read or the image not written,\n"
        "2 bad arguments.\n");
}

Result<RenderOptions> parseRenderOptions(const QStringList& arguments) {
    RenderOptions options;
    for (qsizetype index = 0; index < arguments.size(); ++index) {
        const QString& argument = arguments[index];
        auto value = [&]() -> std::optional<QString> {
            if (index + 1 >= arguments.size()) {
                return std::nullopt;
            }
            return arguments[++index];
        };
        auto missing = [&]() {
            return Result<RenderOptions>::failure(argument.toStdString() + " needs a value");
        };
        if (argument == QLatin1String("-h") || argument == QLatin1String("--help")) {
            options.showHelp = true;
        } else if (argument == QLatin1String("--trace")) {
            options.trace = true;
        } else if (argument == QLatin1String("--frames")) {
            const std::optional<QString> text = value();
            if (!text) {
                return missing();
            }
            Result<int> frames = parseCount(*text, "--frames");
            if (!frames) {
                return frames.error();
            }
            options.frames = *frames;
        } else if (argument == QLatin1String("--size")) {
            const std::optional<QString> text = value();
            if (!text) {
                return missing();
            }
            Result<QSize> size = parseSize(*text);
            if (!size) {
                return size.error();
            }
            options.size = *size;
        } else if (argument == QLatin1String("--quality")) {
            const std::optional<QString> text = value();
            if (!text) {
                return missing();
            }
            if (*text == QLatin1String("low")) {
                options.quality = RenderQuality::Low;
            } else if (*text == QLatin1String("high")) {
                options.quality = RenderQuality::High;
            } else {
                return Result<RenderOptions>::failure("--quality is low or high");
            }
        } else if (argument == QLatin1String("-o") || argument == QLatin1String("--output")) {
            const std::optional<QString> text = value();
            if (!text) {
                return missing();
            }
            options.outputPath = *text;
        } else if (argument.startsWith(QLatin1Char('-')) && argument.size() > 1) {
            return Result<RenderOptions>::failure("unknown option " + argument.toStdString());
        } else if (options.moviePath.isEmpty()) {
            options.moviePath = argument;
        } else {
            return Result<RenderOptions>::failure("only one movie may be given");
        }
    }
    if (options.showHelp) {
        return options;
    }
    if (options.moviePath.isEmpty()) {
        return Result<RenderOptions>::failure("no movie given (see --help)");
    }
    if (options.outputPath.isEmpty()) {
        options.outputPath = QFileInfo(options.moviePath).completeBaseName() + QStringLiteral(".png");
    }
    return options;
}

} // namespace kf::swf
