#include "RenderScene.h"

namespace kf::swf::test {
namespace {

DefineShapeTag rectangle(int left, int top, int width, int height, Rgba color) {
    Records records;
    records.moveTo(left, top).select(0, 1).rectangle(width, height);
    return records.shape({solid(color)});
}

TEST(Mask, clipDepthShowsMaskedObjectsOnlyInsideTheMask) {
    for (RenderQuality quality : {RenderQuality::High, RenderQuality::Low}) {
        RenderScene scene;
        ShapeObject& mask = scene.add(1, rectangle(20, 20, 40, 40, green));
        mask.setClipDepth(DisplayDepth{3});
        scene.add(2, rectangle(0, 0, 100, 100, red));
        scene.add(3, rectangle(50, 0, 50, 100, blue));
        scene.add(4, rectangle(85, 85, 10, 10, black)); // above the clip depth: unmasked
        const QImage image = scene.render(quality);
        EXPECT_TRUE(pixelIs(image, 30, 30, red));   // inside the mask, not the mask's colour
        EXPECT_TRUE(pixelIs(image, 55, 30, blue));  // depth 3 is still masked
        EXPECT_TRUE(pixelIs(image, 70, 30, white)); // outside the mask
        EXPECT_TRUE(pixelIs(image, 10, 10, white));
        EXPECT_TRUE(pixelIs(image, 20, 20, red));
        EXPECT_TRUE(pixelIs(image, 59, 59, blue));
        EXPECT_TRUE(pixelIs(image, 60, 59, white));
        EXPECT_TRUE(pixelIs(image, 90, 90, black));
    }
}

TEST(Mask, strokesOfTheMaskShapeDoNotWidenTheMask) {
    // Flash masks with the mask's fills alone: the 10 px outline around the square adds nothing.
    for (RenderQuality quality : {RenderQuality::High, RenderQuality::Low}) {
        RenderScene scene;
        Records records;
        records.moveTo(20, 20).select(0, 1, 1).rectangle(40, 40);
        ShapeObject& mask = scene.add(1, records.shape({solid(green)}, {stroke(200, blue)}));
        mask.setClipDepth(DisplayDepth{2});
        scene.add(2, rectangle(0, 0, 100, 100, red));
        const QImage image = scene.render(quality);
        EXPECT_TRUE(pixelIs(image, 21, 40, red));
        EXPECT_TRUE(pixelIs(image, 58, 40, red));
        EXPECT_TRUE(pixelIs(image, 17, 40, white));
        EXPECT_TRUE(pixelIs(image, 62, 40, white));
        EXPECT_TRUE(pixelIs(image, 40, 17, white));
    }
}

TEST(Mask, curvedMaskEdgeIsWhollyInOrOutAtLowQuality) {
    RenderScene scene;
    Records circle;
    circle.moveTo(10, 50)
        .select(0, 1)
        .curve(0, -40, 40, 0)
        .curve(40, 0, 0, 40)
        .curve(0, 40, -40, 0)
        .curve(-40, 0, 0, -40);
    ShapeObject& mask = scene.add(1, circle.shape({solid(green)}));
    mask.setClipDepth(DisplayDepth{2});
    scene.add(2, rectangle(0, 0, 100, 100, red));
    const QImage image = scene.render(RenderQuality::Low);
    EXPECT_TRUE(pixelIs(image, 50, 50, red));
    EXPECT_TRUE(pixelIs(image, 12, 12, white));
    for (int x = 0; x < 100; ++x) {
        const QColor color = image.pixelColor(x, 30);
        EXPECT_TRUE(color == QColor(Qt::red) || color == QColor(Qt::white)) << "x = " << x;
    }
}

TEST(Mask, spriteMaskUsesAllItsChildrenAndNestedMaskIntersects) {
    RenderScene scene;
    TestSprite& maskSprite = RenderScene::addSprite(scene.root(), 1, Matrix::translation(200, 0));
    RenderScene::add(maskSprite.list(), 1, rectangle(0, 0, 20, 100, green));  // x 10..30 on stage
    RenderScene::add(maskSprite.list(), 2, rectangle(50, 0, 20, 100, green)); // x 60..80
    maskSprite.setClipDepth(DisplayDepth{5});

    // Inside the masked range, a sprite with its own mask (the top half).
    TestSprite& content = RenderScene::addSprite(scene.root(), 2);
    RenderScene::add(content.list(), 1, rectangle(0, 0, 100, 50, green)).setClipDepth(DisplayDepth{2});
    RenderScene::add(content.list(), 2, rectangle(0, 0, 100, 100, red));

    const QImage image = scene.render();
    EXPECT_TRUE(pixelIs(image, 20, 20, red));
    EXPECT_TRUE(pixelIs(image, 70, 20, red));
    EXPECT_TRUE(pixelIs(image, 45, 20, white)); // between the mask sprite's children
    EXPECT_TRUE(pixelIs(image, 20, 70, white)); // outside the inner mask
}

TEST(Mask, degenerateMaskHidesWhatItMasks) {
    RenderScene scene;
    ShapeObject& mask = scene.add(1, rectangle(0, 0, 100, 100, green), Matrix::scale(0, 0));
    mask.setClipDepth(DisplayDepth{2});
    scene.add(2, rectangle(0, 0, 100, 100, red));
    scene.add(3, rectangle(0, 0, 10, 10, blue));
    const QImage image = scene.render();
    EXPECT_TRUE(pixelIs(image, 50, 50, white));
    EXPECT_TRUE(pixelIs(image, 5, 5, blue));
}

TEST(DisplayTree, spritesComposeMatricesAndColourTransforms) {
    RenderScene scene;
    TestSprite& outer = RenderScene::addSprite(scene.root(), 1, Matrix::translation(400, 0));
    ColorTransform removeRed;
    removeRed.redMultiplier = 0;
    outer.setColorTransform(removeRed);
    TestSprite& inner = RenderScene::addSprite(outer.list(), 1, Matrix{2, 0, 0, 2, 0, 400});
    ColorTransform addGreen;
    addGreen.greenAddition = 255;
    inner.setColorTransform(addGreen);
    RenderScene::add(inner.list(), 1, rectangle(0, 0, 10, 10, Rgba{255, 0, 255, 255}));

    const QImage image = scene.render();
    // The square lands at stage (20..40, 20..40): scaled by 2 inside, then moved.
    EXPECT_TRUE(pixelIs(image, 21, 21, Rgba{0, 255, 255, 255}));
    EXPECT_TRUE(pixelIs(image, 39, 39, Rgba{0, 255, 255, 255}));
    EXPECT_TRUE(pixelIs(image, 41, 30, white));
    EXPECT_TRUE(pixelIs(image, 10, 30, white));
}

TEST(DisplayTree, invisibleObjectsAndTheirChildrenAreSkipped) {
    RenderScene scene;
    scene.add(1, rectangle(0, 0, 50, 50, red)).setVisible(false);
    TestSprite& sprite = RenderScene::addSprite(scene.root(), 2);
    RenderScene::add(sprite.list(), 1, rectangle(50, 50, 50, 50, blue));
    sprite.setVisible(false);
    const QImage image = scene.render();
    EXPECT_TRUE(pixelIs(image, 25, 25, white));
    EXPECT_TRUE(pixelIs(image, 75, 75, white));
}

TEST(DisplayTree, blendModeMultiplyDarkensWhatIsBelow) {
    RenderScene scene;
    scene.add(1, rectangle(0, 0, 100, 100, Rgba{255, 128, 0, 255}));
    scene.add(2, rectangle(0, 0, 50, 100, Rgba{128, 255, 255, 255})).setBlendMode(BlendMode::Multiply);
    const QImage image = scene.render();
    EXPECT_TRUE(pixelIs(image, 25, 50, Rgba{128, 128, 0, 255}, 1));
    EXPECT_TRUE(pixelIs(image, 75, 50, Rgba{255, 128, 0, 255}));
}

TEST(DisplayTree, blendModeInvertInvertsWhatIsBelowWhateverItsColour) {
    RenderScene scene;
    scene.add(1, rectangle(0, 0, 50, 100, Rgba{0, 64, 255, 255}));
    scene.add(2, rectangle(25, 0, 50, 100, green)).setBlendMode(BlendMode::Invert);
    const QImage image = scene.render();
    EXPECT_TRUE(pixelIs(image, 10, 50, Rgba{0, 64, 255, 255}));
    EXPECT_TRUE(pixelIs(image, 40, 50, Rgba{255, 191, 0, 255}));
    EXPECT_TRUE(pixelIs(image, 60, 50, black));
    EXPECT_TRUE(pixelIs(image, 90, 50, white));
}

TEST(DisplayTree, alphaBlendWithoutALayerParentShowsNothing) {
    RenderScene scene;
    scene.add(1, rectangle(0, 0, 100, 100, red));
    scene.add(2, rectangle(0, 0, 50, 100, blue)).setBlendMode(BlendMode::Alpha);
    TestSprite& layer = RenderScene::addSprite(scene.root(), 3);
    layer.setBlendMode(BlendMode::Layer);
    RenderScene::add(layer.list(), 1, rectangle(0, 0, 100, 50, green));
    RenderScene::add(layer.list(), 2, rectangle(0, 0, 50, 100, Rgba{0, 0, 0, 0}))
        .setBlendMode(BlendMode::Alpha);
    const QImage image = scene.render();
    EXPECT_TRUE(pixelIs(image, 25, 75, red)); // the stage-level alpha object is not drawn
    EXPECT_TRUE(pixelIs(image, 25, 25, red)); // its zero alpha cut the green out of the layer
    EXPECT_TRUE(pixelIs(image, 75, 25, green));
}

TEST(DisplayTree, alphaBlendScalesTheLayerOnlyWhereTheObjectDraws) {
    for (RenderQuality quality : {RenderQuality::High, RenderQuality::Low}) {
        RenderScene scene;
        TestSprite& layer = RenderScene::addSprite(scene.root(), 1);
        layer.setBlendMode(BlendMode::Layer);
        RenderScene::add(layer.list(), 1, rectangle(0, 0, 100, 100, red));
        RenderScene::add(layer.list(), 2, rectangle(20, 20, 20, 20, Rgba{0, 0, 255, 128}))
            .setBlendMode(BlendMode::Alpha);
        const QImage image = scene.render(quality);
        EXPECT_TRUE(pixelIs(image, 30, 30, Rgba{255, 127, 127, 255}, 1)); // half of the red kept
        // Around the alpha object, within the bounds its layer was given, the red stays whole.
        EXPECT_TRUE(pixelIs(image, 18, 30, red));
        EXPECT_TRUE(pixelIs(image, 19, 30, red));
        EXPECT_TRUE(pixelIs(image, 40, 30, red));
        EXPECT_TRUE(pixelIs(image, 41, 41, red));
    }
}

} // namespace
} // namespace kf::swf::test
