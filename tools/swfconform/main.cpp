// swfconform: runs the image tests of a conformance corpus (see conformUsage()).

#include "ConformOptions.h"
#include "ConformanceRunner.h"
#include "CorpusScanner.h"

#include "toolsupport/OffscreenApplication.h"

#include <QCoreApplication>
#include <QDir>

#include <cstdio>
#include <map>

using namespace kf::swf;

namespace {

void printLine(const QString& line) {
    std::fputs(line.toLocal8Bit().constData(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

bool selected(const ConformanceCase& test, const QStringList& filters) {
    if (filters.isEmpty()) {
        return true;
    }
    for (const QString& filter : filters) {
        if (test.name.contains(filter)) {
            return true;
        }
    }
    return false;
}

// The movie runs scripts beyond the SWF 3 actions: such a test measures the interpreter as
// much as the renderer.
bool needsScript(const ConformanceOutcome& outcome) {
    return outcome.missing.contains("ActionScript") || outcome.missing.contains("ActionScript 3");
}

} // namespace

int main(int argc, char** argv) {
    auto application = makeOffscreenApplication(argc, argv);
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();

    kf::Result<ConformOptions> options = parseConformOptions(arguments);
    if (!options) {
        std::fprintf(stderr, "swfconform: %s\n", options.error().message.c_str());
        return 2;
    }
    if (options->showHelp) {
        std::fputs(conformUsage().toLocal8Bit().constData(), stdout);
        return 0;
    }
    const QDir corpus(options->corpusPath);
    if (!corpus.exists()) {
        std::fprintf(stderr, "swfconform: no corpus folder at %s\n",
                     options->corpusPath.toLocal8Bit().constData());
        return corpusMissingStatus;
    }

    std::vector<ConformanceCase> cases = CorpusScanner(corpus).scan();
    std::vector<ConformanceCase> traceCases = CorpusScanner(corpus).scanTraceTests();
    std::erase_if(cases, [&](const ConformanceCase& test) { return !selected(test, options->filters); });
    std::erase_if(traceCases, [&](const ConformanceCase& test) { return !selected(test, options->filters); });
    const std::size_t imageCaseCount = cases.size();
    if (!options->unscriptedOnly) {
        cases.insert(cases.end(), traceCases.begin(), traceCases.end());
    }
    if (options->listOnly) {
        for (const ConformanceCase& test : cases) {
            printLine(test.expectedTracePath.isEmpty() ? test.name : QStringLiteral("trace ") + test.name);
        }
        return 0;
    }

    ConformanceRunner runner;
    runner.setFailedImageFolder(options->failedImageFolder);
    int passed = 0;
    int failed = 0;
    std::map<std::string, int> neededByFailures;
    int failedWithEverythingBuilt = 0;
    int tracePassed = 0;
    for (const ConformanceCase& test : cases) {
        const ConformanceOutcome outcome = runner.run(test);
        const bool isTrace = !test.expectedTracePath.isEmpty();
        if (options->unscriptedOnly && needsScript(outcome)) {
            continue;
        }
        const QString name = isTrace ? QStringLiteral("trace ") + test.name : test.name;
        if (outcome.passed) {
            ++passed;
            tracePassed += isTrace ? 1 : 0;
            printLine(QStringLiteral("PASS ") + name);
            continue;
        }
        ++failed;
        QString line = QStringLiteral("FAIL ") + name + QStringLiteral(": ") + outcome.reason;
        if (outcome.missing.empty()) {
            ++failedWithEverythingBuilt;
        } else {
            QStringList needs;
            for (const std::string& feature : outcome.missing) {
                needs.push_back(QString::fromStdString(feature));
                ++neededByFailures[feature];
            }
            line += QStringLiteral(" [needs ") + needs.join(QStringLiteral(", ")) + QLatin1Char(']');
        }
        printLine(line);
    }
    if (failed > 0) {
        printLine(QStringLiteral("Failed tests that use only features built so far: %1")
                      .arg(failedWithEverythingBuilt));
    }
    if (!neededByFailures.empty()) {
        printLine(QStringLiteral("Failed tests that use features not built yet:"));
        for (const auto& [feature, count] : neededByFailures) {
            printLine(QStringLiteral("  %1 %2").arg(count, 4).arg(QString::fromStdString(feature)));
        }
    }
    const auto traceTotal = static_cast<int>(cases.size() - imageCaseCount);
    printLine(QStringLiteral("Trace tests: %1 of %2 passed").arg(tracePassed).arg(traceTotal));
    printLine(QStringLiteral("%1 passed, %2 failed").arg(passed).arg(failed));

    if (options->minimumPasses || options->minimumTracePasses) {
        const bool enough = passed >= options->minimumPasses.value_or(0) &&
                            tracePassed >= options->minimumTracePasses.value_or(0);
        return enough ? 0 : 1;
    }
    return failed == 0 ? 0 : 1;
}
