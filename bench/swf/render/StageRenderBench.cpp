// Render time of one 1280×720 frame of 2,000 gradient-filled shapes, the frame a busy
// animation shows. The first frame builds every path and brush; later frames, where objects
// only move, reuse them — that steady state is what the frame budget (16 ms) is about.

#include "swf/render/StageRenderer.h"
#include "swf/runtime/DisplayList.h"
#include "swf/runtime/ShapeCharacter.h"
#include "swf/runtime/ShapeObject.h"

#include <QGuiApplication>
#include <benchmark/benchmark.h>
#include <random>
#include <vector>

namespace {

using namespace kf::swf;

constexpr int frameWidth = 1280;
constexpr int frameHeight = 720;
constexpr int shapeCount = 2000;

Twips px(double pixels) {
    return Twips::fromPixels(pixels);
}

// A blob of four curves about `size` pixels across, around its origin.
DefineShapeTag blob(std::uint16_t id, double size, const FillStyle& fill) {
    DefineShapeTag tag;
    tag.id = CharacterId{id};
    tag.version = 3;
    tag.shape.fillStyles = {fill};
    const double half = size / 2;
    StyleChangeRecord start;
    start.setMoveTo(px(-half), px(0));
    start.setFillStyle1(1);
    tag.shape.records.emplace_back(start);
    tag.shape.records.emplace_back(CurvedEdgeRecord{px(0), px(-half), px(half), px(-half * 0.1)});
    tag.shape.records.emplace_back(CurvedEdgeRecord{px(half * 0.9), px(0), px(0), px(half)});
    tag.shape.records.emplace_back(StraightEdgeRecord{px(-half * 0.4), px(half * 0.5)});
    tag.shape.records.emplace_back(
        CurvedEdgeRecord{px(-half * 0.6), px(0), px(-half * 0.8), px(-half * 0.5)});
    tag.shape.records.emplace_back(StraightEdgeRecord{px(-half * 0.1), px(-half * 0.4)});
    const Rect bounds{px(-size), px(size), px(-size), px(size)};
    tag.bounds = bounds;
    tag.edgeBounds = bounds;
    return tag;
}

FillStyle randomGradient(std::mt19937& random, double size) {
    std::uniform_int_distribution<int> channel(0, 255);
    std::uniform_real_distribution<double> angle(0, 6.283);
    FillStyle fill;
    fill.type = random() % 2 ? FillType::LinearGradient : FillType::RadialGradient;
    const double scale = size * Twips::perPixel / 32768.0;
    const double turn = angle(random);
    fill.matrix = Matrix{scale * std::cos(turn),
                         scale * std::sin(turn),
                         -scale * std::sin(turn),
                         scale * std::cos(turn),
                         0,
                         0};
    const int stops = 2 + static_cast<int>(random() % 3);
    for (int stop = 0; stop < stops; ++stop) {
        const auto color = [&] { return static_cast<std::uint8_t>(channel(random)); };
        fill.gradient.records.push_back(
            {static_cast<std::uint8_t>(stop * 255 / (stops - 1)), Rgba{color(), color(), color(), 255}});
    }
    return fill;
}

// 2,000 instances of `characters` different shapes, scattered over the stage.
class Frame {
public:
    explicit Frame(int characters) {
        std::mt19937 random(1234);
        std::uniform_real_distribution<double> size(10, 50);
        std::vector<std::shared_ptr<const ShapeCharacter>> shapes;
        for (int index = 0; index < characters; ++index) {
            const double across = size(random);
            shapes.push_back(std::make_shared<const ShapeCharacter>(
                blob(static_cast<std::uint16_t>(index + 1), across, randomGradient(random, across))));
        }
        std::uniform_real_distribution<double> x(0, frameWidth * Twips::perPixel);
        std::uniform_real_distribution<double> y(0, frameHeight * Twips::perPixel);
        std::uniform_real_distribution<double> scale(0.6, 1.4);
        for (int depth = 1; depth <= shapeCount; ++depth) {
            auto object = std::make_unique<ShapeObject>(DisplayDepth{depth}, shapes[depth % characters]);
            const double factor = scale(random);
            object->setMatrix(Matrix{factor, 0, 0, factor, x(random), y(random)});
            m_root.objects()[DisplayDepth{depth}] = std::move(object);
        }
        m_shapes = std::move(shapes);
        m_view.outputWidth = frameWidth;
        m_view.outputHeight = frameHeight;
        m_view.frameSize = Rect{Twips{0}, px(frameWidth), Twips{0}, px(frameHeight)};
    }

    // Moves every object a little, as an animation does between frames.
    void nudge(int frame) {
        const double step = frame % 2 ? 7.0 : -7.0;
        for (auto& [depth, object] : m_root.objects()) {
            Matrix matrix = object->matrix();
            matrix.tx += step;
            object->setMatrix(matrix);
        }
    }

    void dropCaches() {
        for (const auto& shape : m_shapes) {
            shape->renderCache.reset();
        }
    }

    DisplayList& root() { return m_root; }
    StageView& view() { return m_view; }

private:
    std::vector<std::shared_ptr<const ShapeCharacter>> m_shapes;
    DisplayList m_root;
    StageView m_view;
};

void renderFrames(benchmark::State& state, bool coldCache) {
    Frame frame(static_cast<int>(state.range(1)));
    frame.view().quality = state.range(0) ? RenderQuality::High : RenderQuality::Low;
    StageRenderer renderer;
    QImage image;
    renderer.render(frame.root(), frame.view(), image);
    int count = 0;
    for (auto _ : state) {
        if (coldCache) {
            frame.dropCaches();
        }
        frame.nudge(++count);
        renderer.render(frame.root(), frame.view(), image);
        benchmark::DoNotOptimize(image.constBits());
    }
    state.SetLabel(std::string(state.range(0) ? "high" : "low") + " quality, " +
                   std::to_string(state.range(1)) + " characters");
}

void BM_RenderFrame(benchmark::State& state) {
    renderFrames(state, false);
}

void BM_RenderFirstFrame(benchmark::State& state) {
    renderFrames(state, true);
}

// Args: quality (0 low, 1 high), distinct characters among the 2,000 instances.
BENCHMARK(BM_RenderFrame)->ArgsProduct({{0, 1}, {2000, 100, 40}})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RenderFirstFrame)->ArgsProduct({{0, 1}, {2000}})->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    // QPainter's gradient and font caches expect an application object.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
