#include "MovieParts.h"

#include "swf/runtime/MoviePlayer.h"
#include "swf/runtime/ShapeCharacter.h"
#include "swf/runtime/SpriteObject.h"

#include <gtest/gtest.h>

namespace kf::swf {
namespace {

using namespace test;

DisplayObject* objectAt(const MoviePlayer& player, int depth) {
    return player.displayList().at(DisplayDepth{depth});
}

TEST(TimelinePlacement, placeMoveReplaceAndRemoveAcrossFrames) {
    MoviePlayer player;
    ASSERT_TRUE(
        player.load(movie(4, {defineShape(1), defineShape(2), place(5, 1, Matrix::translation(100, 200)),
                              showFrame(), move(5, Matrix::translation(300, 400)), showFrame(), replace(5, 2),
                              showFrame(), remove(5), showFrame()})));

    DisplayObject* placed = objectAt(player, 5);
    ASSERT_NE(placed, nullptr);
    EXPECT_EQ(placed->kind(), DisplayObjectKind::Shape);
    EXPECT_EQ(placed->shapeCharacter()->id(), CharacterId{1});
    EXPECT_EQ(placed->matrix(), Matrix::translation(100, 200));

    player.advanceFrame();
    EXPECT_EQ(objectAt(player, 5), placed) << "a move keeps the instance";
    EXPECT_EQ(placed->matrix(), Matrix::translation(300, 400));

    player.advanceFrame();
    DisplayObject* replaced = objectAt(player, 5);
    ASSERT_NE(replaced, nullptr);
    EXPECT_EQ(replaced->shapeCharacter()->id(), CharacterId{2});
    EXPECT_EQ(replaced->matrix(), Matrix::translation(300, 400)) << "a replace keeps the matrix";

    player.advanceFrame();
    EXPECT_EQ(objectAt(player, 5), nullptr);
    EXPECT_TRUE(player.displayList().objects().empty());
}

TEST(TimelinePlacement, onlyShapesAreReplaced) {
    MoviePlayer player;
    ASSERT_TRUE(
        player.load(movie(2, {defineShape(1), defineShape(2), defineSprite(10, 1, {place(1, 1), showFrame()}),
                              defineSprite(11, 1, {place(1, 2), showFrame()}), place(1, 10), place(2, 10),
                              place(3, 1), showFrame(), replace(1, 11), replace(2, 2), replace(3, 10),
                              move(3, Matrix::translation(40, 0)), showFrame()})));
    DisplayObject* sprite = objectAt(player, 1);
    DisplayObject* otherSprite = objectAt(player, 2);
    player.advanceFrame();
    EXPECT_EQ(objectAt(player, 1), sprite) << "a sprite is not replaced by a sprite";
    EXPECT_EQ(objectAt(player, 1)->characterId(), CharacterId{10});
    EXPECT_EQ(objectAt(player, 2), otherSprite) << "nor by a shape";
    EXPECT_EQ(objectAt(player, 3)->characterId(), CharacterId{1}) << "a shape is not replaced by a sprite";
    EXPECT_EQ(objectAt(player, 3)->matrix(), Matrix::translation(40, 0)) << "the move still applies";
}

TEST(TimelinePlacement, placementsThatFlashPlayerIgnores) {
    MoviePlayer player;
    ASSERT_TRUE(player.load(movie(2, {defineShape(1), defineShape(2), place(1, 1, Matrix::translation(20, 0)),
                                      // occupied depth without the move flag
                                      place(1, 2, Matrix::translation(40, 0)),
                                      // move on an empty depth
                                      move(2, Matrix::translation(60, 0)),
                                      // a character the movie never defines
                                      place(3, 99), showFrame(), remove(7), showFrame()})));

    ASSERT_EQ(player.displayList().objects().size(), 1u);
    DisplayObject* first = objectAt(player, 1);
    EXPECT_EQ(first->characterId(), CharacterId{1});
    EXPECT_EQ(first->matrix(), Matrix::translation(20, 0));

    player.advanceFrame(); // removing an empty depth changes nothing
    EXPECT_EQ(objectAt(player, 1), first);
}

TEST(TimelinePlacement, placeObject3PropertiesReachTheInstance) {
    PlaceObjectTag mask;
    mask.version = 3;
    mask.depth = Depth{1};
    mask.characterId = CharacterId{1};
    mask.clipDepth = Depth{4};
    mask.name = std::string("maskShape");
    mask.ratio = 300;
    mask.extras.ensure().blendMode = BlendMode::Multiply;
    mask.extras->visible = false;
    mask.colorTransform = ColorTransform{128, 256, 256, 256, 10, 0, 0, 0};

    PlaceObjectTag modify;
    modify.version = 3;
    modify.depth = Depth{1};
    modify.isMove = true;
    modify.ratio = 600;

    MoviePlayer player;
    ASSERT_TRUE(
        player.load(movie(2, {defineShape(1), placeTag(mask), showFrame(), placeTag(modify), showFrame()})));
    DisplayObject* object = objectAt(player, 1);
    ASSERT_NE(object, nullptr);
    EXPECT_EQ(object->clipDepth(), DisplayDepth{4});
    EXPECT_EQ(object->name(), "maskShape");
    EXPECT_EQ(object->ratio(), 300);
    EXPECT_EQ(object->blendMode(), BlendMode::Multiply);
    EXPECT_FALSE(object->visible());
    EXPECT_EQ(object->colorTransform().redMultiplier, 128);

    player.advanceFrame();
    EXPECT_EQ(object->ratio(), 600);
    EXPECT_EQ(object->clipDepth(), DisplayDepth{4}) << "a move keeps what it does not set";
    EXPECT_EQ(object->name(), "maskShape");
}

TEST(TimelinePlacement, objectsComposeTransformsDownTheTree) {
    PlaceObjectTag tinted;
    tinted.version = 2;
    tinted.depth = Depth{1};
    tinted.characterId = CharacterId{10};
    tinted.matrix = Matrix::scale(2, 2) * Matrix::translation(100, 0);
    tinted.colorTransform = ColorTransform{128, 128, 128, 256, 0, 0, 0, 0};

    MoviePlayer player;
    ASSERT_TRUE(player.load(movie(
        1, {defineShape(1), defineSprite(10, 1, {place(1, 1, Matrix::translation(20, 40)), showFrame()}),
            placeTag(tinted), showFrame()})));
    SpriteObject* sprite = objectAt(player, 1)->asSprite();
    ASSERT_NE(sprite, nullptr);
    DisplayObject* shape = sprite->displayList().at(DisplayDepth{1});
    ASSERT_NE(shape, nullptr);
    EXPECT_EQ(shape->parent(), sprite);

    const Matrix world = shape->worldMatrix();
    EXPECT_DOUBLE_EQ(world.mapX(0, 0), 2 * (100 + 20));
    EXPECT_DOUBLE_EQ(world.mapY(0, 0), 2 * 40);
    EXPECT_EQ(shape->worldColorTransform().redMultiplier, 128);
    EXPECT_EQ(shape->worldColorTransform().apply(Rgba{200, 100, 0, 255}), (Rgba{100, 50, 0, 255}));
}

TEST(TimelinePlacement, headerFactsAndBackground) {
    MoviePlayer player;
    EXPECT_FALSE(player.isLoaded());
    EXPECT_EQ(player.totalFrames(), 0);
    ASSERT_TRUE(
        player.load(movie(3, {backgroundColor(Rgba{1, 2, 3, 255}), showFrame(), showFrame(), showFrame()})));
    EXPECT_TRUE(player.isLoaded());
    EXPECT_EQ(player.backgroundColor(), (Rgba{1, 2, 3, 255}));
    EXPECT_DOUBLE_EQ(player.frameRate(), 12.0);
    EXPECT_EQ(player.stageRect().width(), Twips{11000});
    EXPECT_EQ(player.totalFrames(), 3);
    EXPECT_EQ(player.currentFrame(), 0);

    ASSERT_TRUE(player.load(movie(1, {showFrame()})));
    EXPECT_EQ(player.backgroundColor(), (Rgba{255, 255, 255, 255})) << "a new movie starts from white";
}

TEST(TimelinePlacement, declaredFrameCountWinsOverShowFrames) {
    MoviePlayer player;
    ASSERT_TRUE(player.load(movie(3, {defineShape(1), showFrame(), place(1, 1), showFrame()})));
    EXPECT_EQ(player.totalFrames(), 3);
    player.gotoFrame(2);
    EXPECT_EQ(player.currentFrame(), 2);
    EXPECT_NE(objectAt(player, 1), nullptr);

    ASSERT_TRUE(player.load(movie(0, {showFrame(), showFrame()})));
    EXPECT_EQ(player.totalFrames(), 2) << "a zero frame count falls back to the ShowFrame tags";

    // A header may claim every frame there is; the empty ones still count and can be reached.
    ASSERT_TRUE(player.load(movie(65535, {defineShape(1), place(1, 1), showFrame(), frameLabel("tail")})));
    EXPECT_EQ(player.totalFrames(), 65535);
    EXPECT_EQ(player.frameLabels(), (std::vector<TimelineLabel>{{"tail", 1}}));
    player.gotoFrame(65534);
    EXPECT_EQ(player.currentFrame(), 65534);
    EXPECT_NE(objectAt(player, 1), nullptr);
    player.advanceFrame();
    EXPECT_EQ(player.currentFrame(), 0);
}

} // namespace
} // namespace kf::swf
