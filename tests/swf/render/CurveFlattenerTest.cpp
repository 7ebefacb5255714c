#include "swf/render/CurveFlattener.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace kf::swf::test {
namespace {

struct Quadratic {
    QPointF from;
    QPointF control;
    QPointF to;

    QPointF at(double t) const {
        const double u = 1.0 - t;
        return u * u * from + 2.0 * u * t * control + t * t * to;
    }
};

double distanceToSegment(const QPointF& point, const QPointF& start, const QPointF& end) {
    const QPointF along = end - start;
    const double lengthSquared = QPointF::dotProduct(along, along);
    const double t = lengthSquared > 0.0
                         ? std::clamp(QPointF::dotProduct(point - start, along) / lengthSquared, 0.0, 1.0)
                         : 0.0;
    const QPointF nearest = start + t * along;
    return std::hypot(point.x() - nearest.x(), point.y() - nearest.y());
}

// How far the curve strays from the polyline at worst.
double largestDeviation(const Quadratic& curve, const std::vector<QPointF>& points) {
    std::vector<QPointF> polyline{curve.from};
    polyline.insert(polyline.end(), points.begin(), points.end());
    double largest = 0.0;
    for (int step = 0; step <= 4000; ++step) {
        const QPointF point = curve.at(step / 4000.0);
        double nearest = INFINITY;
        for (std::size_t index = 0; index + 1 < polyline.size(); ++index) {
            nearest = std::min(nearest, distanceToSegment(point, polyline[index], polyline[index + 1]));
        }
        largest = std::max(largest, nearest);
    }
    return largest;
}

double length(const QPointF& from, const QPointF& to) {
    return std::hypot(to.x() - from.x(), to.y() - from.y());
}

const Quadratic quarterBend{{10, 90}, {10, 10}, {90, 10}};
const Quadratic shallowArc{{0, 0}, {150, 12}, {300, 0}};
const Quadratic lopsided{{0, 0}, {200, 0}, {210, 40}};
const Quadratic hairpin{{0, 0}, {100, 1}, {0, 2}};

TEST(CurveFlattener, segmentsStayWithinTheToleranceWithoutWastingPoints) {
    for (const Quadratic& curve : {quarterBend, shallowArc, lopsided, hairpin}) {
        const std::vector<QPointF> points = CurveFlattener::flattenQuadratic(
            curve.from, curve.control, curve.to, CurveFlattener::aliasedTolerance);
        const double deviation = largestDeviation(curve, points);
        SCOPED_TRACE(testing::Message() << points.size() << " segments, deviation " << deviation);
        EXPECT_LE(deviation, CurveFlattener::aliasedTolerance * 1.05);
        EXPECT_GE(deviation, CurveFlattener::aliasedTolerance * 0.3);
        EXPECT_EQ(points.back(), curve.to);
    }
}

TEST(CurveFlattener, pointsCrowdWhereTheCurveBends) {
    // The lopsided curve runs nearly straight at first and turns sharply near its end.
    const std::vector<QPointF> points =
        CurveFlattener::flattenQuadratic(lopsided.from, lopsided.control, lopsided.to, 0.1);
    ASSERT_GE(points.size(), 3u);
    const double first = length(lopsided.from, points[0]);
    const double last = length(points[points.size() - 2], points.back());
    EXPECT_GT(first, 3.0 * last);
}

TEST(CurveFlattener, pointsDoNotSpreadEvenlyOverTheParameter) {
    // Cut at tolerance 1 this bend takes six segments; even steps of t would put the first
    // point at (12.22, 65.56). Which pixels an aliased edge lights depends on exactly where
    // the points are.
    const std::vector<QPointF> points =
        CurveFlattener::flattenQuadratic(quarterBend.from, quarterBend.control, quarterBend.to, 1.0);
    ASSERT_EQ(points.size(), 6u);
    EXPECT_NEAR(points[0].x(), 12.5327, 1e-3);
    EXPECT_NEAR(points[0].y(), 64.0639, 1e-3);
    EXPECT_NEAR(points[1].x(), 19.3894, 1e-3);
    EXPECT_NEAR(points[1].y(), 44.5752, 1e-3);
    EXPECT_NEAR(points[2].x(), 30.0, 1e-9);
    EXPECT_NEAR(points[2].y(), 30.0, 1e-9);
}

TEST(CurveFlattener, reversedCurveGivesTheSamePointsBackwards) {
    // Two fills sharing an edge get it in opposite directions; both must cut it alike or
    // pixels along it would be lit twice or not at all.
    for (const Quadratic& curve : {quarterBend, lopsided, hairpin}) {
        const std::vector<QPointF> forward =
            CurveFlattener::flattenQuadratic(curve.from, curve.control, curve.to, 0.1);
        const std::vector<QPointF> backward =
            CurveFlattener::flattenQuadratic(curve.to, curve.control, curve.from, 0.1);
        ASSERT_EQ(forward.size(), backward.size());
        for (std::size_t index = 0; index + 1 < forward.size(); ++index) {
            const QPointF& mirrored = backward[backward.size() - 2 - index];
            EXPECT_NEAR(forward[index].x(), mirrored.x(), 1e-9);
            EXPECT_NEAR(forward[index].y(), mirrored.y(), 1e-9);
        }
    }
}

TEST(CurveFlattener, segmentCountGrowsWithTheSquareRootOfSize) {
    const auto count = [](double scale) {
        return CurveFlattener::flattenQuadratic(quarterBend.from * scale, quarterBend.control * scale,
                                                quarterBend.to * scale, 0.1)
            .size();
    };
    const std::size_t small = count(1.0);
    const std::size_t large = count(16.0);
    EXPECT_GE(large, 4 * small - 4);
    EXPECT_LE(large, 4 * small + 1);
}

TEST(CurveFlattener, straightAndDegenerateCurvesBecomeOneSegment) {
    const QPointF start(5, 5);
    const QPointF end(45, 25);
    const std::vector<QPointF> straight =
        CurveFlattener::flattenQuadratic(start, (start + end) / 2.0, end, 0.1);
    EXPECT_EQ(straight, std::vector<QPointF>{end});
    const std::vector<QPointF> point = CurveFlattener::flattenQuadratic(start, start, start, 0.1);
    EXPECT_EQ(point, std::vector<QPointF>{start});
    // A control point on the line but past the end folds the curve back on itself: nothing
    // to fill, and nothing that is not a number.
    for (const QPointF& folded : CurveFlattener::flattenQuadratic(start, QPointF(85, 45), end, 0.1)) {
        EXPECT_TRUE(std::isfinite(folded.x()) && std::isfinite(folded.y()));
    }
}

TEST(CurveFlattener, curvesWithinTheToleranceOfTheirChordAreNotCut) {
    // This short bend strays 0.093 pixel from its chord; the curvature estimate alone would
    // ask for two segments. Pushing the control point out a little more does need a cut.
    const QPointF from(392.1, 303.65);
    const QPointF to(389.6, 291.15);
    EXPECT_EQ(CurveFlattener::flattenQuadratic(from, {390.05, 292.45}, to, 0.1), std::vector<QPointF>{to});
    EXPECT_EQ(CurveFlattener::flattenQuadratic(from, {390.15, 292.45}, to, 0.1).size(), 2u);
}

TEST(CurveFlattener, hugeCurvesAreCutIntoABoundedNumberOfSegments) {
    const std::vector<QPointF> points =
        CurveFlattener::flattenQuadratic(QPointF(0, 0), QPointF(1e12, 0), QPointF(1e12, 1e12), 0.1);
    EXPECT_EQ(points.size(), static_cast<std::size_t>(CurveFlattener::maximumSegments));
    EXPECT_EQ(points.back(), QPointF(1e12, 1e12));
}

TEST(CurveFlattener, pathsKeepLinesAndCubicsAndCutQuadraticsWhereTheyLand) {
    QPainterPath path;
    path.moveTo(10, 90);
    path.quadTo(10, 10, 90, 10);
    path.lineTo(90, 90);
    path.cubicTo(70, 100, 30, 100, 10, 90);
    const QPainterPath flattened = CurveFlattener::flattenedPath(path, QTransform::fromScale(2, 2), 0.1);
    const std::vector<QPointF> cut = CurveFlattener::flattenQuadratic({20, 180}, {20, 20}, {180, 20}, 0.1);

    ASSERT_EQ(flattened.elementCount(), 1 + static_cast<int>(cut.size()) + 1 + 3);
    EXPECT_TRUE(flattened.elementAt(0).isMoveTo());
    EXPECT_EQ(QPointF(flattened.elementAt(0)), QPointF(20, 180));
    for (std::size_t index = 0; index < cut.size(); ++index) {
        const QPainterPath::Element element = flattened.elementAt(1 + static_cast<int>(index));
        EXPECT_TRUE(element.isLineTo());
        EXPECT_NEAR(element.x, cut[index].x(), 1e-9);
        EXPECT_NEAR(element.y, cut[index].y(), 1e-9);
    }
    const int line = 1 + static_cast<int>(cut.size());
    EXPECT_TRUE(flattened.elementAt(line).isLineTo());
    EXPECT_EQ(QPointF(flattened.elementAt(line)), QPointF(180, 180));
    EXPECT_TRUE(flattened.elementAt(line + 1).isCurveTo());
    EXPECT_EQ(QPointF(flattened.elementAt(line + 3)), QPointF(20, 180));
}

} // namespace
} // namespace kf::swf::test
