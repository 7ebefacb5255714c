// Every way of reaching a frame must show the same thing: playing up to it, going forward
// to it, and going back to it from later frames. Random timelines exercise the rebuild.

#include "MovieParts.h"

#include "swf/runtime/MoviePlayer.h"
#include "swf/runtime/SpriteObject.h"

#include <gtest/gtest.h>

#include <map>
#include <random>

namespace kf::swf {
namespace {

using namespace test;

struct Seen {
    std::uint16_t character;
    Matrix matrix;
    std::uint16_t ratio;
    bool operator==(const Seen&) const = default;
};

std::map<int, Seen> snapshot(const MoviePlayer& player) {
    std::map<int, Seen> seen;
    for (const auto& [depth, object] : player.displayList().objects()) {
        seen[depth.value] = Seen{object->characterId().value, object->matrix(), object->ratio()};
    }
    return seen;
}

Movie randomMovie(std::mt19937& random, int frames) {
    std::vector<Tag> tags{defineShape(1), defineShape(2), defineShape(3),
                          defineSprite(10, 3, {place(1, 1), showFrame(), showFrame(), showFrame()})};
    std::uniform_int_distribution<int> depth(1, 6);
    std::uniform_int_distribution<int> character(0, 3);
    std::uniform_int_distribution<int> operation(0, 5);
    std::uniform_int_distribution<int> count(0, 4);
    const std::uint16_t characters[] = {1, 2, 3, 10};
    for (int frame = 0; frame < frames; ++frame) {
        for (int step = count(random); step > 0; --step) {
            const auto at = static_cast<std::uint16_t>(depth(random));
            const std::uint16_t id = characters[character(random)];
            switch (operation(random)) {
            case 0:
            case 1:
                tags.push_back(place(at, id, Matrix::translation(frame * 20, at * 20)));
                break;
            case 2:
                tags.push_back(move(at, Matrix::translation(at * 40, frame * 40)));
                break;
            case 3:
                tags.push_back(replace(at, id));
                break;
            case 4: {
                PlaceObjectTag morph;
                morph.version = 2;
                morph.depth = Depth{at};
                morph.isMove = true;
                morph.ratio = static_cast<std::uint16_t>(frame);
                tags.push_back(placeTag(morph));
                break;
            }
            default:
                tags.push_back(remove(at));
                break;
            }
        }
        tags.push_back(showFrame());
    }
    return movie(static_cast<std::uint16_t>(frames), std::move(tags));
}

TEST(TimelineConsistency, playingGoingForwardAndGoingBackShowTheSameFrames) {
    std::mt19937 random(20261207);
    constexpr int frames = 12;
    for (int round = 0; round < 40; ++round) {
        const Movie made = randomMovie(random, frames);

        MoviePlayer played;
        played.setLooping(false);
        ASSERT_TRUE(played.load(made));
        std::vector<std::map<int, Seen>> expected{snapshot(played)};
        for (int frame = 1; frame < frames; ++frame) {
            played.advanceFrame();
            expected.push_back(snapshot(played));
        }

        MoviePlayer jumping;
        ASSERT_TRUE(jumping.load(made));
        std::uniform_int_distribution<int> target(0, frames - 1);
        for (int jump = 0; jump < 30; ++jump) {
            const int frame = target(random);
            jumping.gotoFrame(frame);
            ASSERT_EQ(snapshot(jumping), expected[static_cast<std::size_t>(frame)])
                << "round " << round << ", goto " << frame;
        }
    }
}

TEST(TimelineConsistency, backwardGotoKeepsExactlyTheInstancesPlacedByTheSameTag) {
    std::mt19937 random(7);
    constexpr int frames = 10;
    for (int round = 0; round < 40; ++round) {
        MoviePlayer player;
        ASSERT_TRUE(player.load(randomMovie(random, frames)));
        player.gotoFrame(frames - 1);
        std::map<int, std::pair<DisplayObject*, const PlaceObjectTag*>> before;
        for (const auto& [depth, object] : player.displayList().objects()) {
            before[depth.value] = {object.get(), object->placedBy()};
        }
        const int back = std::uniform_int_distribution<int>(0, frames - 2)(random);
        player.gotoFrame(back);
        for (const auto& [depth, object] : player.displayList().objects()) {
            auto previous = before.find(depth.value);
            if (previous != before.end() && previous->second.second == object->placedBy()) {
                EXPECT_EQ(previous->second.first, object.get()) << "same tag, same depth: the instance stays";
            }
        }
    }
}

} // namespace
} // namespace kf::swf
