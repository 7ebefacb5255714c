#include "RenderScene.h"

namespace kf::swf::test {
namespace {

constexpr Rgba backdrop{200, 100, 50, 255};
constexpr Rgba paint{100, 150, 250, 255};

// The backdrop square covers 10..90; the blended square 30..70 on top of it.
QImage blendedOverBackdrop(BlendMode mode, RenderQuality quality = RenderQuality::Low) {
    RenderScene scene;
    scene.add(1, filledRectangle(10, 10, 80, 80, backdrop));
    scene.add(2, filledRectangle(30, 30, 40, 40, paint)).setBlendMode(mode);
    return scene.render(quality);
}

struct BlendCase {
    BlendMode mode;
    Rgba expected;
};

TEST(BlendMode, eachModeCombinesObjectAndBackdropAsFlashDoes) {
    const BlendCase cases[] = {
        {BlendMode::Normal, paint},
        {BlendMode::Layer, paint},
        {BlendMode::Multiply, {78, 59, 49, 255}},
        {BlendMode::Screen, {222, 191, 251, 255}},
        {BlendMode::Lighten, {200, 150, 250, 255}},
        {BlendMode::Darken, {100, 100, 50, 255}},
        {BlendMode::Difference, {100, 50, 200, 255}},
        {BlendMode::Add, {255, 250, 255, 255}},
        {BlendMode::Subtract, {100, 0, 0, 255}},
        {BlendMode::Invert, {55, 155, 205, 255}},     // the object's colour plays no part
        {BlendMode::Overlay, {188, 118, 98, 255}},    // the backdrop chooses multiply or screen
        {BlendMode::HardLight, {157, 127, 247, 255}}, // the object chooses
    };
    for (const BlendCase& blendCase : cases) {
        for (RenderQuality quality : {RenderQuality::Low, RenderQuality::High}) {
            SCOPED_TRACE(static_cast<int>(blendCase.mode));
            const QImage image = blendedOverBackdrop(blendCase.mode, quality);
            EXPECT_TRUE(pixelIs(image, 50, 50, blendCase.expected, 2));
            EXPECT_TRUE(pixelIs(image, 20, 50, backdrop)); // the backdrop beside the object
            EXPECT_TRUE(pixelIs(image, 5, 5, white));
        }
    }
}

TEST(BlendMode, blendingOverTheBareStageUsesTheStageColour) {
    RenderScene scene;
    scene.add(1, filledRectangle(30, 30, 40, 40, paint)).setBlendMode(BlendMode::Multiply);
    EXPECT_TRUE(pixelIs(scene.render(RenderQuality::Low), 50, 50, paint));
    scene.root().objects().begin()->second->setBlendMode(BlendMode::Invert);
    EXPECT_TRUE(pixelIs(scene.render(RenderQuality::Low), 50, 50, black));
}

TEST(BlendMode, halfTransparentObjectBlendsInProportion) {
    RenderScene scene;
    scene.add(1, filledRectangle(10, 10, 80, 80, backdrop));
    scene.add(2, filledRectangle(30, 30, 40, 40, Rgba{255, 255, 255, 128})).setBlendMode(BlendMode::Invert);
    // Half of the inverse (55, 155, 205) and half of the backdrop.
    EXPECT_TRUE(pixelIs(scene.render(RenderQuality::Low), 50, 50, {127, 127, 127, 255}, 2));
}

// A sprite in layer mode holding the backdrop square, and above it a child in `mode`.
QImage layerWithChild(BlendMode parentMode, BlendMode childMode, Rgba childColor) {
    RenderScene scene;
    TestSprite& group = RenderScene::addSprite(scene.root(), 1);
    group.setBlendMode(parentMode);
    RenderScene::add(group.list(), 1, filledRectangle(10, 10, 80, 80, backdrop));
    RenderScene::add(group.list(), 2, filledRectangle(30, 30, 40, 40, childColor)).setBlendMode(childMode);
    return scene.render(RenderQuality::Low);
}

TEST(BlendMode, alphaChildSetsTheTransparencyOfItsLayer) {
    const QImage image = layerWithChild(BlendMode::Layer, BlendMode::Alpha, Rgba{0, 0, 0, 128});
    // The group is half transparent where the child is, over the white stage.
    EXPECT_TRUE(pixelIs(image, 50, 50, {227, 177, 152, 255}, 2));
    EXPECT_TRUE(pixelIs(image, 20, 50, backdrop)); // untouched beside the child
}

TEST(BlendMode, eraseChildCutsItsLayer) {
    const QImage image = layerWithChild(BlendMode::Layer, BlendMode::Erase, Rgba{0, 0, 0, 255});
    EXPECT_TRUE(pixelIs(image, 50, 50, white));
    EXPECT_TRUE(pixelIs(image, 25, 50, backdrop));
}

TEST(BlendMode, alphaChildGradientPaddedWithNoAlphaLeavesItsLayerAlone) {
    // The ramp runs from alpha 0 at x = 50 to opaque at x = 70; left of 50 it pads with alpha 0,
    // which cuts nothing, while a solid fill of alpha 0 clears the layer.
    RenderScene scene;
    TestSprite& group = RenderScene::addSprite(scene.root(), 1);
    group.setBlendMode(BlendMode::Layer);
    RenderScene::add(group.list(), 1, filledRectangle(10, 10, 80, 80, backdrop));
    Records records;
    records.moveTo(30, 30).select(0, 1).rectangle(40, 20);
    records.moveTo(30, 60).select(0, 2).rectangle(40, 20);
    const FillStyle ramp = gradient(FillType::LinearGradient, 50, 30, 70, 50,
                                    {{0, Rgba{0, 0, 0, 0}}, {255, Rgba{0, 0, 0, 255}}});
    RenderScene::add(group.list(), 2, records.shape({ramp, solid(Rgba{0, 0, 0, 0})}))
        .setBlendMode(BlendMode::Alpha);
    const QImage image = scene.render(RenderQuality::Low);
    EXPECT_TRUE(pixelIs(image, 35, 40, backdrop));    // the padded part
    EXPECT_TRUE(pixelIs(image, 69, 40, backdrop, 8)); // nearly opaque: kept
    EXPECT_TRUE(pixelIs(image, 35, 70, white));       // the solid transparent fill
}

TEST(BlendMode, alphaAndEraseShowNothingWithoutAParentLayer) {
    for (BlendMode mode : {BlendMode::Alpha, BlendMode::Erase}) {
        const QImage image = layerWithChild(BlendMode::Normal, mode, Rgba{0, 0, 0, 255});
        EXPECT_TRUE(pixelIs(image, 50, 50, backdrop));
    }
}

TEST(BlendMode, invertOverAnEmptyLayerTurnsItWhite) {
    RenderScene scene;
    scene.add(1, filledRectangle(0, 0, 100, 100, blue));
    TestSprite& group = RenderScene::addSprite(scene.root(), 2);
    group.setBlendMode(BlendMode::Layer);
    RenderScene::add(group.list(), 1, filledRectangle(30, 30, 40, 40, paint)).setBlendMode(BlendMode::Invert);
    const QImage image = scene.render(RenderQuality::Low);
    EXPECT_TRUE(pixelIs(image, 50, 50, white));
    EXPECT_TRUE(pixelIs(image, 20, 20, blue));
}

TEST(BlendMode, addSumsAlphaAsWellAsColour) {
    // Two quarter-opaque squares added inside a layer make one half-opaque square, not the
    // 7/16 that drawing one over the other gives.
    RenderScene scene;
    TestSprite& group = RenderScene::addSprite(scene.root(), 1);
    group.setBlendMode(BlendMode::Layer);
    RenderScene::add(group.list(), 1, filledRectangle(10, 10, 80, 80, Rgba{0, 0, 0, 64}));
    RenderScene::add(group.list(), 2, filledRectangle(30, 30, 40, 40, Rgba{0, 0, 0, 64}))
        .setBlendMode(BlendMode::Add);
    EXPECT_TRUE(pixelIs(scene.render(RenderQuality::Low), 50, 50, {127, 127, 127, 255}, 1));
}

TEST(BlendMode, layerGroupsChildrenBeforeTheyMeetTheBackdrop) {
    // A multiply child inside a layer group multiplies with its siblings only, never with
    // the stage below the group.
    RenderScene scene;
    scene.add(1, filledRectangle(0, 0, 100, 100, Rgba{0, 0, 255, 255}));
    TestSprite& group = RenderScene::addSprite(scene.root(), 2);
    group.setBlendMode(BlendMode::Layer);
    RenderScene::add(group.list(), 1, filledRectangle(10, 10, 30, 30, backdrop));
    RenderScene::add(group.list(), 2, filledRectangle(60, 60, 30, 30, paint))
        .setBlendMode(BlendMode::Multiply);
    const QImage image = scene.render(RenderQuality::Low);
    EXPECT_TRUE(pixelIs(image, 20, 20, backdrop));
    EXPECT_TRUE(pixelIs(image, 75, 75, paint)); // nothing in the group below it: drawn as is
}

} // namespace
} // namespace kf::swf::test
