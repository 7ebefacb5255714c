#include "RenderScene.h"

namespace kf::swf::test {
namespace {

constexpr Rgba grey{128, 128, 128, 255};

// A 200×100 pixel stage filled red, with a blue 10×10 square at stage pixel (left, top).
RenderScene wideStage(ScaleMode mode, int left = 150, int top = 40) {
    RenderScene scene;
    scene.view().frameSize = Rect{Twips{0}, Twips{4000}, Twips{0}, Twips{2000}};
    scene.view().scaleMode = mode;
    scene.view().background = grey;
    Records stage;
    stage.moveTo(0, 0).select(0, 1).rectangle(200, 100);
    scene.add(1, stage.shape({solid(red)}));
    Records marker;
    marker.moveTo(left, top).select(0, 1).rectangle(10, 10);
    scene.add(2, marker.shape({solid(blue)}));
    return scene;
}

TEST(StageView, showAllLetterboxesAndCentres) {
    const QImage image = wideStage(ScaleMode::ShowAll).render(); // scale 0.5, stage at y 25..75
    EXPECT_TRUE(pixelIs(image, 50, 10, grey));
    EXPECT_TRUE(pixelIs(image, 50, 30, red));
    EXPECT_TRUE(pixelIs(image, 50, 80, grey));
    EXPECT_TRUE(pixelIs(image, 77, 47, blue));
}

TEST(StageView, noBorderCropsAndCentres) {
    const QImage image = wideStage(ScaleMode::NoBorder, 140).render(); // scale 1, stage x 50..150 shown
    EXPECT_TRUE(pixelIs(image, 0, 0, red));
    EXPECT_TRUE(pixelIs(image, 99, 99, red));
    EXPECT_TRUE(pixelIs(image, 95, 45, blue));
    EXPECT_TRUE(pixelIs(image, 105 - 50 - 10, 45, red));
}

TEST(StageView, exactFitStretchesEachAxis) {
    const QImage image = wideStage(ScaleMode::ExactFit).render(); // x by 0.5, y by 1
    EXPECT_TRUE(pixelIs(image, 0, 0, red));
    EXPECT_TRUE(pixelIs(image, 77, 45, blue));
    EXPECT_TRUE(pixelIs(image, 77, 52, red));
    EXPECT_TRUE(pixelIs(image, 74, 45, red));
}

TEST(StageView, noScaleDrawsOneToOneCentred) {
    RenderScene scene = wideStage(ScaleMode::NoScale, 60, 40);
    scene.view().outputWidth = 300;
    scene.view().outputHeight = 200; // the stage lands at (50, 50)
    const QImage image = scene.render();
    EXPECT_TRUE(pixelIs(image, 40, 40, grey));
    EXPECT_TRUE(pixelIs(image, 51, 51, red));
    EXPECT_TRUE(pixelIs(image, 115, 95, blue));
    EXPECT_TRUE(pixelIs(image, 260, 160, grey));
}

TEST(StageView, zoomMagnifiesAroundTheGivenCentre) {
    RenderScene scene;
    Records marker;
    marker.moveTo(20, 20).select(0, 1).rectangle(10, 10);
    scene.add(1, marker.shape({solid(blue)}));
    scene.view().zoom = 0.5;
    scene.view().zoomCenterX = Twips::fromPixels(25).value;
    scene.view().zoomCenterY = Twips::fromPixels(25).value;
    const QImage image = scene.render(); // stage (20..30) now covers output (40..60)
    EXPECT_TRUE(pixelIs(image, 40, 40, blue));
    EXPECT_TRUE(pixelIs(image, 59, 59, blue));
    EXPECT_TRUE(pixelIs(image, 38, 50, white));
    EXPECT_TRUE(pixelIs(image, 61, 50, white));

    const Matrix matrix = StageRenderer::stageToOutput(scene.view());
    EXPECT_DOUBLE_EQ(matrix.a, 0.1);
    EXPECT_DOUBLE_EQ(matrix.mapX(500, 500), 50.0);
}

TEST(StageView, backgroundFillsTheWholeOutputAtEveryQuality) {
    for (RenderQuality quality : {RenderQuality::High, RenderQuality::Low}) {
        RenderScene scene;
        scene.view().background = Rgba{10, 20, 30, 255};
        scene.view().outputWidth = 40;
        scene.view().outputHeight = 30;
        const QImage image = scene.render(quality);
        ASSERT_EQ(image.size(), QSize(40, 30));
        EXPECT_EQ(image.format(), QImage::Format_ARGB32_Premultiplied);
        EXPECT_TRUE(pixelIs(image, 0, 0, Rgba{10, 20, 30, 255}));
        EXPECT_TRUE(pixelIs(image, 39, 29, Rgba{10, 20, 30, 255}));
    }
}

TEST(StageView, emptyOutputOrStageDrawsNothingWithoutCrashing) {
    RenderScene scene;
    Records marker;
    marker.moveTo(0, 0).select(0, 1).rectangle(10, 10);
    scene.add(1, marker.shape({solid(blue)}));
    scene.view().outputWidth = 0;
    EXPECT_TRUE(scene.render().isNull());

    scene.view().outputWidth = 20;
    scene.view().outputHeight = 20;
    scene.view().frameSize = Rect{};
    scene.view().zoom = -3;
    const QImage image = scene.render();
    EXPECT_EQ(image.size(), QSize(20, 20));
    EXPECT_TRUE(pixelIs(image, 5, 5, blue)); // an empty stage is drawn unscaled
}

} // namespace
} // namespace kf::swf::test
