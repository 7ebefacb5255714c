#include "MovieParts.h"

#include "swf/runtime/MoviePlayer.h"
#include "swf/runtime/SpriteObject.h"

#include <gtest/gtest.h>

namespace kf::swf {
namespace {

using namespace test;

SpriteObject* spriteAt(const DisplayList& list, int depth) {
    DisplayObject* object = list.at(DisplayDepth{depth});
    return object ? object->asSprite() : nullptr;
}

// A three-frame sprite that shows shape 1, then shape 2, then nothing at its depth 1.
Tag threeFrameSprite(std::uint16_t id) {
    return defineSprite(id, 3,
                        {place(1, 1), showFrame(), replace(1, 2), showFrame(), remove(1), showFrame()});
}

TEST(SpriteTimeline, spritesAdvanceWhileTheMainTimelineIsStopped) {
    MoviePlayer player;
    ASSERT_TRUE(player.load(movie(
        1, {defineShape(1), defineShape(2), threeFrameSprite(10), place(1, 10), place(2, 10), showFrame()})));
    SpriteObject* first = spriteAt(player.displayList(), 1);
    SpriteObject* second = spriteAt(player.displayList(), 2);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(first->displayList().at(DisplayDepth{1})->characterId(), CharacterId{1});

    second->stop();
    player.advanceFrame();
    EXPECT_FALSE(player.isPlaying());
    EXPECT_EQ(first->currentFrame(), 1);
    EXPECT_EQ(first->displayList().at(DisplayDepth{1})->characterId(), CharacterId{2});
    EXPECT_EQ(second->currentFrame(), 0) << "each instance has its own playhead";

    player.advanceFrame();
    EXPECT_EQ(first->currentFrame(), 2);
    EXPECT_TRUE(first->displayList().objects().empty());
    player.advanceFrame();
    EXPECT_EQ(first->currentFrame(), 0) << "sprites loop";
    EXPECT_EQ(first->displayList().at(DisplayDepth{1})->characterId(), CharacterId{1});
}

TEST(SpriteTimeline, aNewSpriteShowsItsFirstFrameOnThePlacementFrame) {
    MoviePlayer player;
    ASSERT_TRUE(player.load(movie(3, {defineShape(1), defineShape(2), threeFrameSprite(10), showFrame(),
                                      place(1, 10), showFrame(), showFrame()})));
    EXPECT_EQ(spriteAt(player.displayList(), 1), nullptr);
    player.advanceFrame();
    SpriteObject* sprite = spriteAt(player.displayList(), 1);
    ASSERT_NE(sprite, nullptr);
    EXPECT_EQ(sprite->currentFrame(), 0);
    player.advanceFrame();
    EXPECT_EQ(sprite->currentFrame(), 1);
}

TEST(SpriteTimeline, nestedSpritesEachAdvanceOncePerFrame) {
    MoviePlayer player;
    ASSERT_TRUE(player.load(movie(1, {defineShape(1), defineShape(2), threeFrameSprite(10),
                                      defineSprite(11, 2, {place(1, 10), showFrame(), showFrame()}),
                                      place(1, 11), showFrame()})));
    SpriteObject* outer = spriteAt(player.displayList(), 1);
    ASSERT_NE(outer, nullptr);
    SpriteObject* inner = spriteAt(outer->displayList(), 1);
    ASSERT_NE(inner, nullptr);
    EXPECT_EQ(inner->nestingLevel(), 2);

    player.advanceFrame();
    EXPECT_EQ(outer->currentFrame(), 1);
    EXPECT_EQ(inner->currentFrame(), 1);
    player.advanceFrame();
    EXPECT_EQ(outer->currentFrame(), 0);
    EXPECT_EQ(spriteAt(outer->displayList(), 1), inner) << "the wrap keeps the unchanged child";
    EXPECT_EQ(inner->currentFrame(), 2);
}

TEST(SpriteTimeline, aSpriteThatContainsItselfStopsAtTheNestingLimit) {
    RuntimeLimits limits;
    limits.maxNesting = 6;
    MoviePlayer player(nullptr, nullptr, limits);
    ASSERT_TRUE(
        player.load(movie(1, {defineSprite(10, 1, {place(1, 10), showFrame()}), place(1, 10), showFrame()})));
    int levels = 0;
    for (SpriteObject* sprite = spriteAt(player.displayList(), 1); sprite != nullptr;
         sprite = spriteAt(sprite->displayList(), 1)) {
        ++levels;
    }
    EXPECT_EQ(levels, 6);
}

TEST(SpriteTimeline, anExponentialSpriteTreeStopsAtTheObjectLimit) {
    RuntimeLimits limits;
    limits.maxObjects = 500;
    MoviePlayer player(nullptr, nullptr, limits);
    // Every instance holds two more: 2^64 objects if nothing stopped it.
    ASSERT_TRUE(
        player.load(movie(2, {defineSprite(10, 2, {place(1, 10), place(2, 10), showFrame(), showFrame()}),
                              place(1, 10), showFrame(), showFrame()})));
    for (int frame = 0; frame < 4; ++frame) {
        player.advanceFrame();
    }
    std::size_t count = 0;
    std::vector<const DisplayList*> pending{&player.displayList()};
    while (!pending.empty()) {
        const DisplayList* list = pending.back();
        pending.pop_back();
        for (const auto& [depth, object] : list->objects()) {
            ++count;
            if (object->children()) {
                pending.push_back(object->children());
            }
        }
    }
    EXPECT_GT(count, 100u);
    EXPECT_LE(count, 500u);
}

} // namespace
} // namespace kf::swf
