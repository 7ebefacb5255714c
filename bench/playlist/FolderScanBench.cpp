#include "platform/ScriptedPlatform.h"
#include "playlist/FolderScan.h"
#include "playlist/PlaylistView.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int TopFolders = 50;
constexpr int FoldersPerTop = 99;  // 50 + 50 * 99 = 5,000 folders
constexpr int FilesPerFolder = 20; // 100,000 files

// 100,000 files in 5,000 folders, two levels deep: per folder twelve movies, four videos
// in mixed letter case and four files of other kinds.
class GeneratedTree {
public:
    static const GeneratedTree& instance() {
        static const GeneratedTree tree;
        return tree;
    }

    QString path() const { return m_existingTree.isEmpty() ? m_folder.path() : m_existingTree; }
    bool isValid() const { return m_valid; }

private:
    GeneratedTree() {
        // KF_SCAN_TREE names a tree built before, to profile the scan without building one.
        m_existingTree = qEnvironmentVariable("KF_SCAN_TREE");
        if (!m_existingTree.isEmpty()) {
            m_valid = QDir(m_existingTree).exists();
            return;
        }
        m_valid = m_folder.isValid();
        int fileNumber = 0;
        for (int top = 0; top < TopFolders && m_valid; ++top) {
            const QString topPath = m_folder.filePath(u"合集%1"_s.arg(top));
            m_valid = QDir().mkpath(topPath) && fill(topPath, fileNumber);
            for (int sub = 0; sub < FoldersPerTop && m_valid; ++sub) {
                const QString subPath = topPath + u"/第%1部"_s.arg(sub);
                m_valid = QDir().mkpath(subPath) && fill(subPath, fileNumber);
            }
        }
    }

    static bool fill(const QString& folder, int& fileNumber) {
        static const QString extensions[] = {u"swf"_s, u"SWF"_s, u"flv"_s, u"txt"_s, u"swf"_s};
        for (int index = 0; index < FilesPerFolder; ++index, ++fileNumber) {
            QFile file(folder + u"/clip%1.%2"_s.arg(fileNumber).arg(extensions[index % 5]));
            if (!file.open(QIODevice::WriteOnly) || !file.resize(fileNumber % 4096)) {
                return false;
            }
        }
        return true;
    }

    QTemporaryDir m_folder;
    QString m_existingTree;
    bool m_valid = false;
};

void ScanFolder100kFiles(benchmark::State& state) {
    const GeneratedTree& tree = GeneratedTree::instance();
    if (!tree.isValid()) {
        state.SkipWithError("cannot build the tree");
        return;
    }
    kf::ScriptedPlatform platform;
    const QString title = u"KorvelFlash"_s;
    for (auto _ : state) {
        state.PauseTiming();
        auto model = std::make_unique<kf::PlaylistModel>();
        auto lvlist = std::make_unique<kf::PlaylistView>(*model);
        lvlist->InitList();
        kf::StatusBar statusBar(platform.clock);
        for (int panel = 0; panel < 2; ++panel) {
            statusBar.addPanel(kf::PanelStyle::Text, 96, 96, panel == 1);
        }
        kf::FolderScan scan(*model, *lvlist, statusBar, platform.services(), title);
        platform.folderDialog.queueAnswer(tree.path());
        state.ResumeTiming();

        scan.ScanFolder();
        benchmark::DoNotOptimize(model->count());

        state.PauseTiming();
        state.counters["rows"] = double(model->count());
        lvlist.reset();
        model.reset();
        state.ResumeTiming();
    }
}

void runFind(benchmark::State& state, const std::string& expression) {
    const GeneratedTree& tree = GeneratedTree::instance();
    if (!tree.isValid()) {
        state.SkipWithError("cannot build the tree");
        return;
    }
    const std::string command = "find '" + tree.path().toStdString() + "' " + expression + " > /dev/null";
    for (auto _ : state) {
        if (std::system(command.c_str()) != 0) {
            state.SkipWithError("find failed");
            return;
        }
    }
}

// The same tree searched by find(1), for comparison: the same matches, no sizes, so it is
// the floor for a walk of this tree.
void FindCommandOnSameTree(benchmark::State& state) {
    runFind(state, "-iname '*.swf' -o -iname '*.flv'");
}

// find(1) reading the size of each match, as the scan must for its total.
void FindCommandWithSizesOnSameTree(benchmark::State& state) {
    runFind(state, "\\( -iname '*.swf' -o -iname '*.flv' \\) -printf '%s\\n'");
}

} // namespace

BENCHMARK(FindCommandOnSameTree)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(FindCommandWithSizesOnSameTree)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(ScanFolder100kFiles)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
