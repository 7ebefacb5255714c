#include "platform/ScriptedMessageBoxService.h"
#include "playlist/PlaylistRemoval.h"
#include "playlist/PlaylistView.h"

#include <QItemSelection>

#include <benchmark/benchmark.h>

#include <memory>
#include <random>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int RowCount = 100'000;

// Web addresses, so building the list touches no disk; names in no particular order.
QStringList shuffledAddresses() {
    QStringList paths;
    paths.reserve(RowCount);
    std::mt19937 random(7);
    for (int index = 0; index < RowCount; ++index) {
        paths.append(u"http://example.org/动画/Clip %1 第%2集.swf"_s.arg(random() % 100000).arg(index));
    }
    return paths;
}

void SortByName100k(benchmark::State& state) {
    kf::PlaylistModel model;
    kf::PlaylistView lvlist(model);
    lvlist.InitList();
    lvlist.resize(681, 388);
    model.addPaths(shuffledAddresses());
    for (auto _ : state) {
        // The first click sorts ascending, each further click flips the direction.
        model.SortByColumn(2);
        benchmark::DoNotOptimize(model.entryAt(1).name);
    }
}

// A list imported into a sorted list: the new rows are merged in, not sorted with the old.
void AddPaths100kToSortedList(benchmark::State& state) {
    const QStringList paths = shuffledAddresses();
    for (auto _ : state) {
        state.PauseTiming();
        auto model = std::make_unique<kf::PlaylistModel>();
        auto lvlist = std::make_unique<kf::PlaylistView>(*model);
        lvlist->InitList();
        model->addPaths(paths);
        model->SortByColumn(2);
        state.ResumeTiming();

        model->addPaths(paths);

        state.PauseTiming();
        benchmark::DoNotOptimize(model->count());
        lvlist.reset();
        model.reset();
        state.ResumeTiming();
    }
}

void RemoveSelected(benchmark::State& state, bool everyOtherRow) {
    const QStringList paths = shuffledAddresses();
    kf::ScriptedMessageBoxService messageBox;
    for (auto _ : state) {
        state.PauseTiming();
        auto model = std::make_unique<kf::PlaylistModel>();
        auto lvlist = std::make_unique<kf::PlaylistView>(*model);
        lvlist->InitList();
        model->addPaths(paths);
        QItemSelection selection;
        if (everyOtherRow) {
            for (int row = 1; row < RowCount; row += 2) {
                selection.append(QItemSelectionRange(model->index(row, 0), model->index(row, 4)));
            }
        } else {
            selection.append(QItemSelectionRange(model->index(RowCount / 4, 0),
                                                 model->index(RowCount / 4 + RowCount / 2 - 1, 4)));
        }
        lvlist->selectionModel()->select(selection, QItemSelectionModel::Select);
        kf::PlaylistRemoval removal(*lvlist, messageBox);
        state.ResumeTiming();

        removal.RemoveSelected();

        state.PauseTiming();
        if (model->count() != RowCount / 2) {
            state.SkipWithError("wrong number of rows left");
        }
        lvlist.reset();
        model.reset();
        state.ResumeTiming();
    }
}

void RemoveEveryOtherRowOf100k(benchmark::State& state) {
    RemoveSelected(state, true);
}

void RemoveHalfOf100kInOneBlock(benchmark::State& state) {
    RemoveSelected(state, false);
}

} // namespace

BENCHMARK(SortByName100k)->Unit(benchmark::kMillisecond);
BENCHMARK(AddPaths100kToSortedList)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(RemoveEveryOtherRowOf100k)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(RemoveHalfOf100kInOneBlock)->Unit(benchmark::kMillisecond)->UseRealTime();
