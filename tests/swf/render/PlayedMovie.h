#pragma once

#include "RenderScene.h"

#include "swf/format/MovieReader.h"
#include "swf/runtime/MoviePlayer.h"
#include "swf/writer/MovieBuilder.h"

namespace kf::swf::test {

// A movie written with MovieBuilder, read back, played and drawn into a 100×100 pixel
// output: what a test of the whole path from writer to pixels needs.
class PlayedMovie : public ::testing::Test {
protected:
    void load(const MovieBuilder& builder) {
        Result<Movie> movie = readMovie(builder.build());
        ASSERT_TRUE(movie.ok()) << movie.error().message;
        ASSERT_TRUE(m_player.load(std::move(movie.value())).ok());
    }

    QImage render(RenderQuality quality = RenderQuality::High) {
        StageView view;
        view.outputWidth = 100;
        view.outputHeight = 100;
        view.frameSize = m_player.stageRect();
        view.background = m_player.backgroundColor();
        view.quality = quality;
        QImage image;
        m_renderer.render(m_player.displayList(), view, image);
        return image;
    }

    MoviePlayer m_player;
    StageRenderer m_renderer;
};

} // namespace kf::swf::test
