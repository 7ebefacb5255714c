#pragma once

// Movies written into a temporary folder and played from there, so loads find the files
// beside them as they would on disk.

#include "../avm1/ScriptMovie.h"
#include "swf/avm1/Interpreter.h"
#include "swf/format/MovieReader.h"
#include "swf/runtime/MoviePlayer.h"
#include "swf/runtime/PlayerHost.h"
#include "swf/runtime/SpriteObject.h"
#include "swf/writer/MovieBuilder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kf::swf::test {

using avm1::test::Lines;
using avm1::test::TraceLog;

class MovieFolder {
public:
    MovieFolder() { EXPECT_TRUE(m_folder.isValid()); }

    std::string path(const QString& name) const { return m_folder.filePath(name).toStdString(); }

    void write(const QString& name, const std::vector<std::uint8_t>& bytes) const {
        const QString file = m_folder.filePath(name);
        QDir().mkpath(QFileInfo(file).absolutePath());
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
    }
    void write(const QString& name, const MovieBuilder& movie) const { write(name, movie.build()); }
    void write(const QString& name, const std::string& text) const {
        write(name, std::vector<std::uint8_t>(text.begin(), text.end()));
    }

private:
    QTemporaryDir m_folder;
};

// Plays `name` from the folder for `frames` frames and returns what it traced.
inline Lines playFromFolder(const MovieFolder& folder, const QString& name, int frames) {
    TraceLog log;
    avm1::Interpreter interpreter;
    MoviePlayer player(nullptr, &log);
    player.setScriptEngine(&interpreter);
    QFile file(QString::fromStdString(folder.path(name)));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    Result<Movie> movie = readMovie(std::span<const std::uint8_t>(
        reinterpret_cast<const std::uint8_t*>(bytes.constData()), static_cast<std::size_t>(bytes.size())));
    EXPECT_TRUE(movie.ok());
    if (!movie.ok()) {
        return {};
    }
    EXPECT_TRUE(player.load(std::move(movie).value(), folder.path(name)).ok());
    for (int frame = 1; frame < frames; ++frame) {
        player.advanceFrame();
    }
    player.unload();
    return log.lines;
}

// GetURL2 as loadMovie, loadVariables and their Num forms compile: url and window on the
// stack, the flags in the action.
inline ActionAssembler& getUrl2(ActionAssembler& to, const std::string& url, const std::string& window,
                                bool loadTarget, bool loadVariables) {
    to.push({PushValue(url), PushValue(window)});
    return to.action(ActionCode::GetUrl2, GetUrl2Action{0, loadTarget, loadVariables});
}

// trace(prefix + <expression left on the stack>)
inline ActionAssembler& traceWithPrefix(ActionAssembler& to, const std::string& prefix) {
    to.pushString(prefix);
    to.action(ActionCode::StackSwap);
    return to.action(ActionCode::Add2).trace();
}

} // namespace kf::swf::test
