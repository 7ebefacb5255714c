#include "toolsupport/MovieFile.h"

#include "swf/format/MovieReader.h"

#include <QFile>
#include <QFileInfo>
#include <QUrl>

#include <cstdint>
#include <sstream>
#include <vector>

namespace kf::swf {

namespace {
// Real movies are far smaller; anything larger is refused before it is read into memory.
constexpr qint64 maximumFileSize = qint64{256} * 1024 * 1024;

std::string compressionName(Compression compression) {
    switch (compression) {
    case Compression::None:
        return "uncompressed";
    case Compression::Zlib:
        return "zlib";
    case Compression::Lzma:
        return "LZMA";
    }
    return "unknown";
}
} // namespace

Result<Movie> readMovieFile(const QString& path) {
    const std::string name = path.toStdString();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return Result<Movie>::failure(name + ": cannot open: " + file.errorString().toStdString());
    }
    if (file.size() > maximumFileSize) {
        return Result<Movie>::failure(name + ": file too large (" + std::to_string(file.size()) + " bytes)");
    }
    const QByteArray bytes = file.readAll();
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.constData());
    Result<Movie> movie =
        readMovie(std::span<const std::uint8_t>(data, static_cast<std::size_t>(bytes.size())));
    if (!movie) {
        return Result<Movie>::failure(name + ": " + movie.error().message);
    }
    return movie;
}

std::string movieUrl(const QString& path) {
    return QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toString(QUrl::FullyEncoded).toStdString();
}

std::string describeHeader(const Header& header) {
    std::ostringstream text;
    text << "version " << int{header.version} << ", " << header.frameSize.width().toPixels() << "x"
         << header.frameSize.height().toPixels() << " px, " << header.frameRate.toDouble() << " fps, "
         << header.frameCount << (header.frameCount == 1 ? " frame, " : " frames, ")
         << compressionName(header.compression);
    return text.str();
}

} // namespace kf::swf
