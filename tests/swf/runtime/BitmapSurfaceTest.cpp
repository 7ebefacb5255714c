// Pixels scripts paint: sizes, premultiplied storage, and the clipping of fills and copies.

#include "swf/runtime/BitmapSurface.h"

#include <gtest/gtest.h>

namespace kf::swf {
namespace {

TEST(BitmapSurface, sizesOutsideOneTo2880AreRefused) {
    EXPECT_EQ(BitmapSurface::create(0, 10, true, 0), nullptr);
    EXPECT_EQ(BitmapSurface::create(10, -1, true, 0), nullptr);
    EXPECT_EQ(BitmapSurface::create(2881, 1, true, 0), nullptr);
    const auto largest = BitmapSurface::create(2880, 2880, false, 0xFF102030);
    ASSERT_NE(largest, nullptr);
    EXPECT_EQ(largest->pixel32(2879, 2879), 0xFF102030U);
    EXPECT_EQ(largest->pixel32(2880, 0), 0U);
}

TEST(BitmapSurface, anOpaqueBitmapIgnoresAlphaAndATransparentOneLosesPrecisionToIt) {
    const auto opaque = BitmapSurface::create(4, 4, false, 0x00336699);
    ASSERT_NE(opaque, nullptr);
    EXPECT_EQ(opaque->pixel32(0, 0), 0xFF336699U);
    opaque->setPixel32(1, 1, 0x10FF0000);
    EXPECT_EQ(opaque->pixel32(1, 1), 0xFFFF0000U);

    const auto clear = BitmapSurface::create(4, 4, true, 0x00336699);
    // Fully transparent pixels keep no colour at all.
    EXPECT_EQ(clear->pixel32(0, 0), 0U);
    clear->setPixel32(0, 0, 0x80FF4020);
    EXPECT_EQ(clear->pixel32(0, 0), 0x80FF4020U);
    clear->setPixel32(1, 0, 0x03FF8040);
    const std::uint32_t faint = clear->pixel32(1, 0);
    EXPECT_EQ(faint >> 24, 3U);
    EXPECT_NE(faint, 0x03FF8040U); // three levels of alpha cannot keep 256 levels of colour
    // setPixel changes the colour and keeps the alpha.
    clear->setPixel(0, 0, 0x123456);
    EXPECT_EQ(clear->pixel32(0, 0) >> 24, 0x80U);
    for (std::uint32_t alpha = 1; alpha < 256; ++alpha) {
        const std::uint32_t stored = BitmapSurface::premultiply((alpha << 24) | 0xFFFFFF);
        ASSERT_EQ(BitmapSurface::unpremultiply(stored), (alpha << 24) | 0xFFFFFF) << alpha;
    }
}

TEST(BitmapSurface, fillsAreClippedToTheBitmapWhateverTheRectangle) {
    const auto surface = BitmapSurface::create(10, 10, true, 0);
    surface->fillRect(PixelRect{-5, -5, 7, 7}, 0xFFFF0000);
    EXPECT_EQ(surface->pixel32(1, 1), 0xFFFF0000U);
    EXPECT_EQ(surface->pixel32(2, 2), 0U);
    surface->fillRect(PixelRect{8, 8, 2147483647, 2147483647}, 0xFF00FF00);
    EXPECT_EQ(surface->pixel32(9, 9), 0xFF00FF00U);
    EXPECT_EQ(surface->pixel32(7, 9), 0U);
    const std::uint64_t before = surface->version();
    surface->fillRect(PixelRect{3, 3, -4, 5}, 0xFF0000FF);
    EXPECT_EQ(surface->pixel32(3, 3), 0U);
    surface->fillRect(PixelRect{-2147483647 - 1, 0, 5, 5}, 0xFF0000FF);
    EXPECT_EQ(surface->pixel32(0, 4), 0U);
    EXPECT_GT(surface->version(), before);
}

TEST(BitmapSurface, copiesClipBothEndsAndShiftWithTheSourceClip) {
    const auto source = BitmapSurface::create(4, 4, false, 0xFF000000);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) {
            source->setPixel32(x, y, 0xFF000000U | std::uint32_t(y * 16 + x));
        }
    }
    const auto target = BitmapSurface::create(4, 4, false, 0xFFFFFFFF);
    // The source area starts one pixel left of the bitmap: its first column is not there,
    // so the second lands one pixel right of the destination point.
    target->copyPixels(*source, PixelRect{-1, 0, 3, 2}, 0, 0, nullptr, 0, 0, false);
    EXPECT_EQ(target->pixel32(0, 0), 0xFFFFFFFFU);
    EXPECT_EQ(target->pixel32(1, 0), 0xFF000000U);
    EXPECT_EQ(target->pixel32(2, 1), 0xFF000011U);
    EXPECT_EQ(target->pixel32(3, 0), 0xFFFFFFFFU);
    // Past the destination's edge nothing is written, nor anywhere else.
    target->copyPixels(*source, PixelRect{0, 0, 4, 4}, 3, 3, nullptr, 0, 0, false);
    EXPECT_EQ(target->pixel32(3, 3), 0xFF000000U);
    EXPECT_EQ(target->pixel32(2, 3), 0xFFFFFFFFU);

    // Within one bitmap overlapping areas copy what was there before the copy began.
    source->copyPixels(*source, PixelRect{0, 0, 3, 1}, 1, 0, nullptr, 0, 0, false);
    EXPECT_EQ(source->pixel32(1, 0), 0xFF000000U);
    EXPECT_EQ(source->pixel32(2, 0), 0xFF000001U);
    EXPECT_EQ(source->pixel32(3, 0), 0xFF000002U);
}

TEST(BitmapSurface, alphaBitmapsAndMergingDecideWhatACopyLeaves) {
    const auto source = BitmapSurface::create(2, 1, true, 0xFFFF0000);
    const auto alpha = BitmapSurface::create(2, 1, true, 0x00000000);
    alpha->setPixel32(0, 0, 0x80000000);
    const auto replaced = BitmapSurface::create(2, 1, true, 0xFF0000FF);
    replaced->copyPixels(*source, PixelRect{0, 0, 2, 1}, 0, 0, alpha.get(), 0, 0, false);
    EXPECT_EQ(replaced->pixel32(0, 0), 0x80FF0000U);
    EXPECT_EQ(replaced->pixel32(1, 0), 0U);

    const auto merged = BitmapSurface::create(2, 1, true, 0xFF0000FF);
    merged->copyPixels(*source, PixelRect{0, 0, 2, 1}, 0, 0, alpha.get(), 0, 0, true);
    const std::uint32_t blend = merged->pixel32(0, 0);
    EXPECT_EQ(blend >> 24, 0xFFU);
    EXPECT_NEAR(double((blend >> 16) & 0xFF), 128, 1);
    EXPECT_NEAR(double(blend & 0xFF), 127, 1);
    EXPECT_EQ(merged->pixel32(1, 0), 0xFF0000FFU);
}

TEST(BitmapSurface, aDisposedBitmapIsEmptyAndIgnoresChanges) {
    const auto surface = BitmapSurface::create(3, 3, true, 0xFFFFFFFF);
    const auto copy = surface->clone();
    surface->dispose();
    EXPECT_TRUE(surface->disposed());
    EXPECT_EQ(surface->width(), 0);
    surface->setPixel32(0, 0, 0xFF000000);
    surface->fillRect(PixelRect{0, 0, 3, 3}, 0xFF000000);
    surface->copyPixels(*copy, PixelRect{0, 0, 3, 3}, 0, 0, nullptr, 0, 0, true);
    EXPECT_EQ(surface->pixel32(0, 0), 0U);
    // The clone owns its pixels.
    EXPECT_EQ(copy->pixel32(2, 2), 0xFFFFFFFFU);
}

} // namespace
} // namespace kf::swf
