// Render time of a 1280×720 frame of bitmap-filled shapes and tweening morph shapes. Bitmaps
// are decoded on the first frame and morph shapes built once per ratio, so frames after the
// first cost about what plain shapes cost; the "new ratios" case shows a tween longer than
// the morph cache, which builds one shape per morph and frame.

#include "swf/render/StageRenderer.h"
#include "swf/runtime/CharacterDictionary.h"
#include "swf/runtime/DisplayList.h"
#include "swf/runtime/MorphShapeCharacter.h"
#include "swf/runtime/MorphShapeObject.h"
#include "swf/runtime/ShapeCharacter.h"
#include "swf/runtime/ShapeObject.h"

#include <QGuiApplication>
#include <benchmark/benchmark.h>
#include <random>
#include <vector>
#include <zlib.h>

namespace {

using namespace kf::swf;

constexpr int frameWidth = 1280;
constexpr int frameHeight = 720;
constexpr int bitmapCount = 20;
constexpr int bitmapSide = 64;
constexpr int bitmapInstances = 500;
constexpr int morphInstances = 200;

Twips px(double pixels) {
    return Twips::fromPixels(pixels);
}

ShapeRecordArray squareRecords(double left, double top, double size, bool withFill) {
    StyleChangeRecord start;
    start.setMoveTo(px(left), px(top));
    if (withFill) {
        start.setFillStyle1(1);
    }
    return {start, StraightEdgeRecord{px(size), px(0)},
            CurvedEdgeRecord{px(size / 2), px(size / 2), px(-size / 2), px(size / 2)},
            StraightEdgeRecord{px(-size), px(0)}, StraightEdgeRecord{px(0), px(-size)}};
}

DefineBitsLosslessTag noiseBitmap(std::uint16_t id, std::mt19937& random) {
    std::vector<std::uint8_t> raw(bitmapSide * bitmapSide * 4);
    for (std::size_t index = 0; index < raw.size(); index += 4) {
        const auto alpha = static_cast<std::uint8_t>(random() % 256);
        raw[index] = alpha;
        for (int channel = 1; channel < 4; ++channel) {
            raw[index + channel] = static_cast<std::uint8_t>(random() % (alpha + 1u));
        }
    }
    uLongf size = compressBound(static_cast<uLong>(raw.size()));
    DefineBitsLosslessTag tag;
    tag.id = CharacterId{id};
    tag.version = 2;
    tag.width = tag.height = bitmapSide;
    tag.data.resize(size);
    compress2(tag.data.data(), &size, raw.data(), static_cast<uLong>(raw.size()), 6);
    tag.data.resize(size);
    return tag;
}

class Frame {
public:
    Frame() {
        std::mt19937 random(99);
        m_bitmapTags.reserve(bitmapCount);
        for (int index = 0; index < bitmapCount; ++index) {
            m_bitmapTags.push_back(noiseBitmap(static_cast<std::uint16_t>(100 + index), random));
        }
        // Each bitmap shape shows its bitmap at 1.5 times its size, repeated.
        std::vector<std::shared_ptr<const ShapeCharacter>> characters;
        for (int index = 0; index < bitmapCount; ++index) {
            DefineShapeTag shape;
            shape.id = CharacterId{static_cast<std::uint16_t>(index + 1)};
            shape.version = 3;
            FillStyle fill;
            fill.type = index % 2 ? FillType::RepeatingBitmap : FillType::ClippedBitmap;
            fill.bitmapId = m_bitmapTags[index].id;
            fill.matrix = Matrix::scale(30, 30);
            shape.shape.fillStyles = {fill};
            shape.shape.records = squareRecords(0, 0, 100, true);
            shape.bounds = shape.edgeBounds = Rect{px(0), px(150), px(0), px(150)};
            characters.push_back(std::make_shared<const ShapeCharacter>(shape, bitmapsFor(fill.bitmapId)));
        }
        std::uniform_real_distribution<double> x(0, frameWidth * Twips::perPixel);
        std::uniform_real_distribution<double> y(0, frameHeight * Twips::perPixel);
        int depth = 1;
        for (; depth <= bitmapInstances; ++depth) {
            auto object = std::make_unique<ShapeObject>(DisplayDepth{depth}, characters[depth % bitmapCount]);
            object->setMatrix(Matrix::translation(x(random), y(random)));
            m_root.objects()[DisplayDepth{depth}] = std::move(object);
        }
        m_shapes = std::move(characters);

        // Morphs: a gradient-filled square turning into a larger, moved one.
        m_morphTag.id = CharacterId{500};
        MorphShape& morph = m_morphTag.morph.ensure();
        MorphFillStyle fill;
        fill.start.type = fill.end.type = FillType::RadialGradient;
        fill.start.matrix = Matrix::scale(0.05, 0.05);
        fill.end.matrix = Matrix{0.1, 0, 0, 0.1, 400, 400};
        fill.start.gradient.records = {{0, Rgba{255, 0, 0, 255}}, {255, Rgba{0, 0, 255, 255}}};
        fill.end.gradient.records = {{0, Rgba{0, 255, 0, 255}}, {255, Rgba{255, 255, 0, 128}}};
        morph.fillStyles = {fill};
        MorphLineStyle line;
        line.start.width = 20;
        line.end.width = 100;
        morph.lineStyles = {line};
        morph.startRecords = squareRecords(0, 0, 40, true);
        morph.endRecords = squareRecords(20, 20, 80, false);
        m_morph = std::make_shared<const MorphShapeCharacter>(m_morphTag, ShapeBitmaps{});
        for (; depth <= bitmapInstances + morphInstances; ++depth) {
            auto object = std::make_unique<MorphShapeObject>(DisplayDepth{depth}, m_morph);
            object->setMatrix(Matrix::translation(x(random), y(random)));
            m_morphObjects.push_back(object.get());
            m_root.objects()[DisplayDepth{depth}] = std::move(object);
        }
        m_view.outputWidth = frameWidth;
        m_view.outputHeight = frameHeight;
        m_view.frameSize = Rect{Twips{0}, px(frameWidth), Twips{0}, px(frameHeight)};
    }

    // Every morph moves on to the next of `ratios` ratios.
    void advance(int frame, int ratios) {
        const auto ratio = static_cast<std::uint16_t>((frame % ratios) * (65535 / ratios));
        for (MorphShapeObject* object : m_morphObjects) {
            object->setRatio(ratio);
        }
    }

    DisplayList& root() { return m_root; }
    StageView& view() { return m_view; }

private:
    // The bitmap as a movie's dictionary would hand it to the shapes that show it.
    ShapeBitmaps bitmapsFor(CharacterId id) const {
        CharacterDictionary dictionary;
        std::vector<Tag> tags;
        for (const DefineBitsLosslessTag& tag : m_bitmapTags) {
            if (tag.id == id) {
                tags.push_back(Tag{TagCode::DefineBitsLossless2, 0, tag});
            }
        }
        dictionary.addDefinitions(tags);
        Shape shape;
        FillStyle fill;
        fill.type = FillType::RepeatingBitmap;
        fill.bitmapId = id;
        shape.fillStyles = {fill};
        return ShapeBitmaps::collect(shape, dictionary);
    }

    std::vector<DefineBitsLosslessTag> m_bitmapTags;
    std::vector<std::shared_ptr<const ShapeCharacter>> m_shapes;
    DefineMorphShapeTag m_morphTag;
    std::shared_ptr<const MorphShapeCharacter> m_morph;
    std::vector<MorphShapeObject*> m_morphObjects;
    DisplayList m_root;
    StageView m_view;
};

// Args: quality (0 low, 1 high), how many distinct ratios the tween cycles through.
void BM_RenderBitmapsAndMorphs(benchmark::State& state) {
    Frame frame;
    frame.view().quality = state.range(0) ? RenderQuality::High : RenderQuality::Low;
    const int ratios = static_cast<int>(state.range(1));
    StageRenderer renderer;
    QImage image;
    for (int warm = 0; warm < ratios && warm < 64; ++warm) {
        frame.advance(warm, ratios);
        renderer.render(frame.root(), frame.view(), image);
    }
    int count = 0;
    for (auto _ : state) {
        frame.advance(++count, ratios);
        renderer.render(frame.root(), frame.view(), image);
        benchmark::DoNotOptimize(image.constBits());
    }
    state.SetLabel(std::string(state.range(0) ? "high" : "low") + " quality, " + std::to_string(ratios) +
                   " ratios");
}

BENCHMARK(BM_RenderBitmapsAndMorphs)->ArgsProduct({{0, 1}, {30, 1000}})->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
