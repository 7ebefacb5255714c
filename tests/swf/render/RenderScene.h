#pragma once

#include "swf/format/Tags.h"
#include "swf/render/StageRenderer.h"
#include "swf/render/StageView.h"
#include "swf/runtime/DisplayList.h"
#include "swf/runtime/ShapeCharacter.h"
#include "swf/runtime/ShapeObject.h"

#include <QColor>
#include <QImage>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <vector>

namespace kf::swf::test {

// Shape records written by hand, in whole pixels (20 twips each), so a test states exactly
// which side of each edge carries which style.
class Records {
public:
    Records& select(std::optional<std::uint32_t> fill0, std::optional<std::uint32_t> fill1,
                    std::optional<std::uint32_t> line = std::nullopt) {
        StyleChangeRecord change;
        if (fill0) {
            change.setFillStyle0(*fill0);
        }
        if (fill1) {
            change.setFillStyle1(*fill1);
        }
        if (line) {
            change.setLineStyle(*line);
        }
        m_records.emplace_back(change);
        return *this;
    }
    Records& moveTo(int x, int y) {
        StyleChangeRecord change;
        change.setMoveTo(Twips::fromPixels(x), Twips::fromPixels(y));
        m_records.emplace_back(change);
        return *this;
    }
    Records& newStyles(FillStyleArray fills, LineStyleArray lines) {
        StyleChangeRecord change;
        change.newStyles = ShapeStyles{std::move(fills), std::move(lines)};
        m_records.emplace_back(change);
        return *this;
    }
    Records& line(int deltaX, int deltaY) {
        m_records.emplace_back(StraightEdgeRecord{Twips::fromPixels(deltaX), Twips::fromPixels(deltaY)});
        return *this;
    }
    Records& curve(int controlX, int controlY, int anchorX, int anchorY) {
        m_records.emplace_back(CurvedEdgeRecord{Twips::fromPixels(controlX), Twips::fromPixels(controlY),
                                                Twips::fromPixels(anchorX), Twips::fromPixels(anchorY)});
        return *this;
    }
    // A clockwise (on screen) rectangle from the current point.
    Records& rectangle(int width, int height) {
        return line(width, 0).line(0, height).line(-width, 0).line(0, -height);
    }

    DefineShapeTag shape(FillStyleArray fills, LineStyleArray lines = {}, std::uint8_t version = 3) const {
        DefineShapeTag tag;
        tag.id = CharacterId{1};
        tag.version = version;
        tag.shape.fillStyles = std::move(fills);
        tag.shape.lineStyles = std::move(lines);
        tag.shape.records = m_records;
        return tag;
    }

private:
    ShapeRecordArray m_records;
};

inline FillStyle solid(Rgba color) {
    FillStyle fill;
    fill.color = color;
    return fill;
}

inline LineStyle stroke(int widthTwips, Rgba color) {
    LineStyle line;
    line.width = static_cast<std::uint16_t>(widthTwips);
    line.color = color;
    return line;
}

// A gradient whose square covers the pixel rectangle (left, top) .. (right, bottom).
inline FillStyle gradient(FillType type, double left, double top, double right, double bottom,
                          std::vector<GradientRecord> stops, SpreadMode spread = SpreadMode::Pad) {
    FillStyle fill;
    fill.type = type;
    fill.matrix = Matrix{(right - left) * 20 / 32768.0,
                         0,
                         0,
                         (bottom - top) * 20 / 32768.0,
                         (left + right) * 10,
                         (top + bottom) * 10};
    fill.gradient.spread = spread;
    fill.gradient.records.assign(stops.begin(), stops.end());
    return fill;
}

// A rectangle in pixels filled with one colour.
inline DefineShapeTag filledRectangle(int left, int top, int width, int height, Rgba color) {
    Records records;
    records.moveTo(left, top).select(0, 1).rectangle(width, height);
    return records.shape({solid(color)});
}

constexpr Rgba red{255, 0, 0, 255};
constexpr Rgba green{0, 255, 0, 255};
constexpr Rgba blue{0, 0, 255, 255};
constexpr Rgba black{0, 0, 0, 255};
constexpr Rgba white{255, 255, 255, 255};

// A container standing in for a sprite instance: children drawn in its space.
class TestSprite : public DisplayObject {
public:
    explicit TestSprite(DisplayDepth depth) : DisplayObject(depth, CharacterId{2}) {}
    DisplayObjectKind kind() const override { return DisplayObjectKind::Sprite; }
    const DisplayList* children() const override { return &m_children; }
    DisplayList& list() { return m_children; }

private:
    DisplayList m_children;
};

// A root display list and the view it is rendered with: by default a 100×100 pixel stage
// shown 1:1 on a white background, so pixel (x, y) covers twips 20x..20x+20.
class RenderScene {
public:
    RenderScene() {
        m_view.outputWidth = 100;
        m_view.outputHeight = 100;
        m_view.frameSize = Rect{Twips{0}, Twips{2000}, Twips{0}, Twips{2000}};
        m_view.background = white;
    }

    StageView& view() { return m_view; }

    ShapeObject& add(int depth, DefineShapeTag shape, const Matrix& matrix = {}) {
        return add(m_root, depth, std::move(shape), matrix);
    }

    static ShapeObject& add(DisplayList& list, int depth, DefineShapeTag shape, const Matrix& matrix = {}) {
        auto character = std::make_shared<const ShapeCharacter>(std::move(shape));
        auto object = std::make_unique<ShapeObject>(DisplayDepth{depth}, std::move(character));
        object->setMatrix(matrix);
        ShapeObject& placed = *object;
        list.objects()[DisplayDepth{depth}] = std::move(object);
        return placed;
    }

    static TestSprite& addSprite(DisplayList& list, int depth, const Matrix& matrix = {}) {
        auto sprite = std::make_unique<TestSprite>(DisplayDepth{depth});
        sprite->setMatrix(matrix);
        TestSprite& placed = *sprite;
        list.objects()[DisplayDepth{depth}] = std::move(sprite);
        return placed;
    }

    DisplayList& root() { return m_root; }

    QImage render(RenderQuality quality = RenderQuality::High) {
        m_view.quality = quality;
        QImage image;
        m_renderer.render(m_root, m_view, image);
        return image;
    }

private:
    StageView m_view;
    DisplayList m_root;
    StageRenderer m_renderer;
};

// The pixel's straight (not premultiplied) colour within `tolerance` per channel.
inline ::testing::AssertionResult pixelIs(const QImage& image, int x, int y, Rgba expected,
                                          int tolerance = 0) {
    if (!image.valid(x, y)) {
        return ::testing::AssertionFailure() << "(" << x << ", " << y << ") lies outside the image";
    }
    const QColor actual = image.pixelColor(x, y);
    const int differences[] = {actual.red() - expected.red, actual.green() - expected.green,
                               actual.blue() - expected.blue, actual.alpha() - expected.alpha};
    for (int difference : differences) {
        if (difference > tolerance || difference < -tolerance) {
            return ::testing::AssertionFailure()
                   << "pixel (" << x << ", " << y << ") is rgba(" << actual.red() << ", " << actual.green()
                   << ", " << actual.blue() << ", " << actual.alpha() << "), expected rgba("
                   << int(expected.red) << ", " << int(expected.green) << ", " << int(expected.blue) << ", "
                   << int(expected.alpha) << ")";
        }
    }
    return ::testing::AssertionSuccess();
}

} // namespace kf::swf::test
