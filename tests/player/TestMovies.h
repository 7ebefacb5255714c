#pragma once

#include "swf/writer/MovieBuilder.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

namespace kf::test {

// A movie of `frames` frames: a square that moves one step per frame, so every frame differs.
inline QByteArray movieBytes(int frames, double frameRate = 20.0) {
    using namespace kf::swf;
    MovieBuilder movie(8, Rect{Twips{0}, Twips{4000}, Twips{0}, Twips{3000}}, frameRate);
    movie.setBackgroundColor(Rgba{0, 0, 255, 255});
    const CharacterId box = movie.addRectangle(Rect{Twips{0}, Twips{400}, Twips{0}, Twips{400}},
                                               ShapeBuilder::solidFill(Rgba{255, 0, 0, 255}));
    movie.place(box, Depth{1}).showFrame();
    for (int frame = 1; frame < frames; ++frame) {
        movie.move(Depth{1}, Matrix::translation(frame * 20.0, 0)).showFrame();
    }
    const std::vector<std::uint8_t> bytes = movie.build();
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
}

inline QString writeFile(const QDir& folder, const QString& name, const QByteArray& bytes) {
    const QString path = folder.filePath(name);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(bytes);
    }
    return path;
}

inline QString writeMovie(const QDir& folder, const QString& name, int frames, double frameRate = 20.0) {
    return writeFile(folder, name, movieBytes(frames, frameRate));
}

} // namespace kf::test
