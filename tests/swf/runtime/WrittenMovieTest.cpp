// The runtime fed through the file format: movies written to bytes, read back and played,
// so a disagreement between what the reader produces and what the runtime expects shows.

#include "swf/format/MovieReader.h"
#include "swf/runtime/MoviePlayer.h"
#include "swf/runtime/Navigator.h"
#include "swf/runtime/SpriteObject.h"
#include "swf/writer/MovieBuilder.h"

#include <gtest/gtest.h>

namespace kf::swf {
namespace {

class RecordingNavigator : public Navigator {
public:
    void getUrl(const std::string& url, const std::string& target) override {
        calls.push_back(url + "|" + target);
    }
    void fsCommand(const std::string& command, const std::string& arguments) override {
        calls.push_back("fscommand " + command + "|" + arguments);
    }
    std::vector<std::string> calls;
};

Movie readBack(const MovieBuilder& builder) {
    const std::vector<std::uint8_t> bytes = builder.build();
    Result<Movie> movie = readMovie(bytes);
    EXPECT_TRUE(movie.ok()) << (movie.ok() ? "" : movie.error().message);
    return movie.ok() ? std::move(movie).value() : Movie{};
}

TEST(WrittenMovie, timelineAndScriptsSurviveTheFileFormat) {
    for (Compression compression : {Compression::None, Compression::Zlib, Compression::Lzma}) {
        MovieBuilder builder(4);
        builder.setCompression(compression).setBackgroundColor(Rgba{10, 20, 30, 255});
        const CharacterId box = builder.addRectangle(Rect{Twips{0}, Twips{400}, Twips{0}, Twips{400}},
                                                     ShapeBuilder::solidFill(Rgba{255, 0, 0}));
        TimelineBuilder spinner;
        spinner.place(box, Depth{1})
            .showFrame()
            .move(Depth{1}, Matrix::translation(20, 0))
            .showFrame()
            .showFrame();
        const CharacterId sprite = builder.addSprite(spinner);

        builder.place(box, Depth{1}).placeNamed(sprite, Depth{2}, "spinner").showFrame();
        builder.move(Depth{1}, Matrix::translation(200, 0))
            .doAction(
                ActionAssembler().setTarget("spinner").stop().setTarget("").getUrl("FSCommand:frame", "2"))
            .label("second")
            .showFrame();
        builder.replace(Depth{1}, box)
            .remove(Depth{2})
            .doAction(ActionAssembler().gotoLabel("second").getUrl("http://example.com/", "_blank"))
            .showFrame();

        RecordingNavigator navigator;
        MoviePlayer player(&navigator);
        ASSERT_TRUE(player.load(readBack(builder)));
        EXPECT_EQ(player.version(), 4);
        EXPECT_EQ(player.totalFrames(), 3);
        EXPECT_EQ(player.backgroundColor(), (Rgba{10, 20, 30, 255}));
        DisplayObject* shape = player.displayList().at(DisplayDepth{1});
        SpriteObject* spinnerObject = player.displayList().at(DisplayDepth{2})->asSprite();
        ASSERT_NE(shape, nullptr);
        ASSERT_NE(spinnerObject, nullptr);
        EXPECT_EQ(spinnerObject->name(), "spinner");

        player.advanceFrame();
        EXPECT_EQ(player.displayList().at(DisplayDepth{1}), shape);
        EXPECT_EQ(shape->matrix(), Matrix::translation(200, 0));
        EXPECT_FALSE(spinnerObject->isPlaying());
        EXPECT_EQ(spinnerObject->currentFrame(), 1);

        player.advanceFrame(); // frame 3 removes the sprite, then its script goes back to "second"
        EXPECT_EQ(player.currentFrame(), 1);
        EXPECT_FALSE(player.isPlaying());
        ASSERT_NE(player.displayList().at(DisplayDepth{2}), nullptr)
            << "the rebuilt frame 2 has a sprite again";
        EXPECT_EQ(player.displayList().at(DisplayDepth{2})->asSprite()->currentFrame(), 0);
        EXPECT_EQ(navigator.calls,
                  (std::vector<std::string>{"fscommand frame|2", "http://example.com/|_blank",
                                            "fscommand frame|2"}));
    }
}

} // namespace
} // namespace kf::swf
