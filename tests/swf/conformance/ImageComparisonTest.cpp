#include "ImageComparison.h"

#include <gtest/gtest.h>

namespace kf::swf {
namespace {

TEST(ImageComparison, countsEveryChannelBeyondTheTolerance) {
    QImage expected(4, 2, QImage::Format_ARGB32);
    expected.fill(qRgba(100, 100, 100, 255));
    QImage actual = expected;
    actual.setPixel(0, 0, qRgba(103, 100, 100, 255)); // within a tolerance of 3
    actual.setPixel(1, 0, qRgba(104, 96, 100, 255));  // two channels beyond it
    actual.setPixel(3, 1, qRgba(100, 100, 100, 0));   // alpha counts too

    const ImageDifference difference = compareImages(actual, expected, 3);
    EXPECT_TRUE(difference.sizesMatch);
    EXPECT_EQ(difference.outliers, 3);
    EXPECT_EQ(difference.largestDifference, 255);
    EXPECT_EQ(compareImages(actual, expected, 255).outliers, 0);
    EXPECT_EQ(compareImages(expected, expected, 0).outliers, 0);
}

TEST(ImageComparison, premultipliedInputIsComparedStraight) {
    QImage expected(1, 1, QImage::Format_ARGB32);
    expected.fill(qRgba(200, 100, 50, 128));
    const QImage premultiplied = expected.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    EXPECT_LE(compareImages(premultiplied, expected, 0).largestDifference, 1);
}

TEST(ImageComparison, differentSizesNeverMatch) {
    QImage small(2, 2, QImage::Format_ARGB32);
    QImage large(3, 2, QImage::Format_ARGB32);
    small.fill(Qt::white);
    large.fill(Qt::white);
    EXPECT_FALSE(compareImages(small, large, 255).sizesMatch);
}

} // namespace
} // namespace kf::swf
