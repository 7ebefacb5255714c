#include "MovieParts.h"

#include "swf/runtime/MoviePlayer.h"
#include "swf/runtime/SpriteObject.h"

#include <gtest/gtest.h>

namespace kf::swf {
namespace {

using namespace test;

DisplayObject* objectAt(const MoviePlayer& player, int depth) {
    return player.displayList().at(DisplayDepth{depth});
}

// Frame 1: shape at depth 1 and a 4-frame sprite at depth 2. Frame 2: depth 1 moves.
// Frame 3: depth 3 placed. Frame 4: depth 1 removed and placed again by another tag.
Movie fourFrameMovie() {
    return movie(4,
                 {defineShape(1), defineSprite(10, 4, {showFrame(), showFrame(), showFrame(), showFrame()}),
                  frameLabel("start"), place(1, 1, Matrix::translation(0, 0)),
                  place(2, 10, {}, std::string("clip")), showFrame(), move(1, Matrix::translation(100, 0)),
                  frameLabel("Moved"), showFrame(), place(3, 1), showFrame(), remove(1), place(1, 1),
                  frameLabel("end"), showFrame()});
}

TEST(TimelineGoto, backwardGotoKeepsUnchangedInstances) {
    MoviePlayer player;
    ASSERT_TRUE(player.load(fourFrameMovie()));
    DisplayObject* shape = objectAt(player, 1);
    SpriteObject* sprite = objectAt(player, 2)->asSprite();
    ASSERT_NE(sprite, nullptr);

    player.gotoFrame(2);
    EXPECT_EQ(objectAt(player, 1), shape);
    EXPECT_NE(objectAt(player, 3), nullptr);
    sprite->gotoFrame(3);

    player.gotoFrame(1);
    EXPECT_EQ(player.currentFrame(), 1);
    EXPECT_EQ(objectAt(player, 1), shape) << "same character, depth and tag: kept";
    EXPECT_EQ(shape->matrix(), Matrix::translation(100, 0));
    EXPECT_EQ(objectAt(player, 2), sprite);
    EXPECT_EQ(sprite->currentFrame(), 3) << "a kept sprite keeps its own playhead";
    EXPECT_EQ(objectAt(player, 3), nullptr) << "placed after the target frame: removed";

    player.gotoFrame(0);
    EXPECT_EQ(objectAt(player, 1), shape);
    EXPECT_EQ(shape->matrix(), Matrix::translation(0, 0)) << "the rebuilt frame's properties apply";
}

TEST(TimelineGoto, backwardGotoReplacesInstancesFromOtherTags) {
    MoviePlayer player;
    ASSERT_TRUE(player.load(fourFrameMovie()));
    player.gotoFrame(3);
    ASSERT_NE(objectAt(player, 1), nullptr);
    const PlaceObjectTag* tagOfFrame4 = objectAt(player, 1)->placedBy();

    player.gotoFrame(0);
    DisplayObject* placedOnFrame1 = objectAt(player, 1);
    ASSERT_NE(placedOnFrame1, nullptr);
    ASSERT_NE(tagOfFrame4, nullptr);
    EXPECT_NE(placedOnFrame1->placedBy(), tagOfFrame4);
    EXPECT_EQ(placedOnFrame1->matrix(), Matrix::translation(0, 0));
    EXPECT_EQ(player.displayList().objects().size(), 2u);
}

TEST(TimelineGoto, forwardGotoBuildsOnlyTheTargetFrame) {
    MoviePlayer player;
    ASSERT_TRUE(player.load(fourFrameMovie()));
    SpriteObject* sprite = objectAt(player, 2)->asSprite();
    player.gotoFrame(3);
    EXPECT_EQ(player.currentFrame(), 3);
    EXPECT_EQ(objectAt(player, 2), sprite);
    EXPECT_EQ(sprite->currentFrame(), 0) << "a goto moves only the timeline it targets";
    ASSERT_NE(objectAt(player, 1), nullptr);
    EXPECT_EQ(objectAt(player, 1)->matrix(), Matrix::translation(0, 0));
    EXPECT_NE(objectAt(player, 3), nullptr);

    player.gotoFrame(1000);
    EXPECT_EQ(player.currentFrame(), 3) << "clamped to the last frame";
}

TEST(TimelineGoto, gotoKeepsThePlayState) {
    MoviePlayer player;
    ASSERT_TRUE(player.load(fourFrameMovie()));
    EXPECT_TRUE(player.isPlaying());
    player.gotoFrame(2);
    EXPECT_TRUE(player.isPlaying());
    player.stop();
    player.gotoFrame(1);
    EXPECT_FALSE(player.isPlaying());
    player.advanceFrame();
    EXPECT_EQ(player.currentFrame(), 1) << "a stopped movie stays put";
    player.play();
    player.advanceFrame();
    EXPECT_EQ(player.currentFrame(), 2);
}

TEST(TimelineGoto, nextAndPreviousFrameStopAtTheEnds) {
    MoviePlayer player;
    ASSERT_TRUE(player.load(fourFrameMovie()));
    player.nextFrame();
    EXPECT_EQ(player.currentFrame(), 1);
    EXPECT_FALSE(player.isPlaying());
    player.gotoFrame(3);
    player.nextFrame();
    EXPECT_EQ(player.currentFrame(), 3);
    player.gotoFrame(0);
    player.previousFrame();
    EXPECT_EQ(player.currentFrame(), 0);
}

TEST(TimelineGoto, labels) {
    MoviePlayer player;
    ASSERT_TRUE(player.load(fourFrameMovie()));
    const std::vector<TimelineLabel> expected{{"start", 0}, {"Moved", 1}, {"end", 3}};
    EXPECT_EQ(player.frameLabels(), expected);

    EXPECT_TRUE(player.gotoLabel("end"));
    EXPECT_EQ(player.currentFrame(), 3);
    EXPECT_TRUE(player.gotoLabel("moved")) << "label lookups ignore case";
    EXPECT_EQ(player.currentFrame(), 1);
    EXPECT_FALSE(player.gotoLabel("nowhere"));
    EXPECT_EQ(player.currentFrame(), 1);
}

TEST(TimelineGoto, loopingWrapsAndRebuildsFrameOne) {
    MoviePlayer player;
    ASSERT_TRUE(player.load(fourFrameMovie()));
    DisplayObject* sprite = objectAt(player, 2);
    for (int frame = 1; frame < 4; ++frame) {
        player.advanceFrame();
        EXPECT_EQ(player.currentFrame(), frame);
    }
    player.advanceFrame();
    EXPECT_EQ(player.currentFrame(), 0);
    EXPECT_TRUE(player.isPlaying());
    EXPECT_EQ(objectAt(player, 2), sprite);
    EXPECT_EQ(objectAt(player, 3), nullptr);
    EXPECT_EQ(objectAt(player, 1)->matrix(), Matrix::translation(0, 0));
}

TEST(TimelineGoto, withoutLoopingPlaybackStopsOnTheLastFrame) {
    MoviePlayer player;
    player.setLooping(false);
    ASSERT_TRUE(player.load(fourFrameMovie()));
    for (int step = 0; step < 3; ++step) {
        player.advanceFrame();
    }
    EXPECT_EQ(player.currentFrame(), 3);
    EXPECT_TRUE(player.isPlaying());
    player.advanceFrame();
    EXPECT_EQ(player.currentFrame(), 3);
    EXPECT_FALSE(player.isPlaying());

    player.setLooping(true);
    player.play();
    player.advanceFrame();
    EXPECT_EQ(player.currentFrame(), 0);
}

TEST(TimelineGoto, singleFrameMovieStopsPlaying) {
    MoviePlayer player;
    ASSERT_TRUE(player.load(movie(1, {doAction({action(ActionCode::Play)}), showFrame()})));
    player.advanceFrame();
    EXPECT_EQ(player.currentFrame(), 0);
    EXPECT_FALSE(player.isPlaying());
}

} // namespace
} // namespace kf::swf
