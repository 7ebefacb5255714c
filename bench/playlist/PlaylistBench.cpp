#include "playlist/PlaylistFiles.h"
#include "playlist/PlaylistView.h"

#include "platform/ScriptedMessageBoxService.h"

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int RowCount = 100'000;

class NoPlayer final : public kf::PlaylistHost {
public:
    void InitSWF(const QString&, bool) override {}
    void setPlayerMovie(const QString&) override {}
};

// Local paths, so every row asks the file system for its size, as a real import does.
QStringList localPaths(const QString& folder) {
    QStringList paths;
    paths.reserve(RowCount);
    for (int index = 0; index < RowCount; ++index) {
        paths.append(folder + u"/动画/第%1集.swf"_s.arg(index));
    }
    return paths;
}

void AddToList100k(benchmark::State& state) {
    QTemporaryDir folder;
    const QStringList paths = localPaths(folder.path());
    for (auto _ : state) {
        kf::PlaylistModel model;
        for (const QString& path : paths) {
            model.AddToList(path);
        }
        benchmark::DoNotOptimize(model.count());
    }
}

// The same with the list view attached, as in the window: each row is announced to it.
void AddToList100kWithView(benchmark::State& state) {
    QTemporaryDir folder;
    const QStringList paths = localPaths(folder.path());
    for (auto _ : state) {
        kf::PlaylistModel model;
        kf::PlaylistView view(model);
        view.InitList();
        view.resize(681, 388);
        view.show();
        for (const QString& path : paths) {
            model.AddToList(path);
        }
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(model.count());
    }
}

void SaveList100k(benchmark::State& state) {
    QTemporaryDir folder;
    kf::PlaylistModel model;
    model.addPaths(localPaths(folder.path()));
    kf::ScriptedMessageBoxService messageBox;
    NoPlayer player;
    kf::PlaylistFiles files(model, messageBox, player);
    const QString fileName = folder.filePath(u"Favorite.txt"_s);
    for (auto _ : state) {
        benchmark::DoNotOptimize(files.SaveList(fileName).ok());
    }
}

void LoadList100k(benchmark::State& state) {
    QTemporaryDir folder;
    kf::ScriptedMessageBoxService messageBox;
    NoPlayer player;
    const QString fileName = folder.filePath(u"Favorite.txt"_s);
    {
        kf::PlaylistModel model;
        model.addPaths(localPaths(folder.path()));
        kf::PlaylistFiles files(model, messageBox, player);
        if (!files.SaveList(fileName).ok()) {
            state.SkipWithError("cannot write the list");
            return;
        }
    }
    for (auto _ : state) {
        kf::PlaylistModel model;
        kf::PlaylistFiles files(model, messageBox, player);
        benchmark::DoNotOptimize(files.LoadList(fileName));
    }
}

} // namespace

BENCHMARK(AddToList100k)->Unit(benchmark::kMillisecond);
BENCHMARK(AddToList100kWithView)->Unit(benchmark::kMillisecond);
BENCHMARK(SaveList100k)->Unit(benchmark::kMillisecond);
BENCHMARK(LoadList100k)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
