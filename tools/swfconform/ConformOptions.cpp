#include "ConformOptions.h"

namespace kf::swf {

QString conformUsage() {
    return QStringLiteral(
        "Usage: swfconform [CORPUS_DIR] [--filter TEXT]... [--list] [--unscripted] [--min-passes N]\n"
        "                 [--min-trace-passes N] [--save-failed DIR]\n"
        "Runs the image tests of a conformance corpus (default ../shared/corpus): every\n"
        "ruffle/**/test.toml with image_comparisons, and swfdec/image/X.swf with X.swf.png;\n"
        "then its trace tests: ruffle/**/output.txt and swfdec/trace/X.swf.trace.txt,\n"
        "compared line for line with the movie's trace() output.\n"
        "Prints PASS or FAIL and the reason per test, a count of what the failed tests need,\n"
        "and finally 'N passed, M failed'. Tests needing features not built yet fail.\n"
        "\n"
        "  --filter TEXT     run only tests whose name contains TEXT (repeatable)\n"
        "  --list            list the tests without running them\n"
        "  --unscripted      only the image tests whose movies need no ActionScript\n"
        "  --min-passes N    succeed when at least N tests pass (for CTest)\n"
        "  --min-trace-passes N  and at least N of them trace tests\n"
        "  --save-failed DIR write our render of every failed capture into DIR\n"
        "  -h, --help        this text\n"
        "\n"
        "Exit status: 0 all passed (or at least N with --min-passes), 1 otherwise,\n"
        "2 bad arguments, 77 the corpus folder does not exist.\n");
}

Result<ConformOptions> parseConformOptions(const QStringList& arguments) {
    ConformOptions options;
    bool corpusGiven = false;
    for (qsizetype index = 0; index < arguments.size(); ++index) {
        const QString& argument = arguments[index];
        const bool hasValue = index + 1 < arguments.size();
        if (argument == QLatin1String("-h") || argument == QLatin1String("--help")) {
            options.showHelp = true;
        } else if (argument == QLatin1String("--list")) {
            options.listOnly = true;
        } else if (argument == QLatin1String("--unscripted")) {
            options.unscriptedOnly = true;
        } else if (argument == QLatin1String("--filter")) {
            if (!hasValue) {
                return Result<ConformOptions>::failure("--filter needs a value");
            }
            options.filters.push_back(arguments[++index]);
        } else if (argument == QLatin1String("--min-passes")) {
            bool ok = false;
            const int minimum = hasValue ? arguments[++index].toInt(&ok) : 0;
            if (!ok || minimum < 0) {
                return Result<ConformOptions>::failure("--min-passes needs a whole number");
            }
            options.minimumPasses = minimum;
        } else if (argument == QLatin1String("--min-trace-passes")) {
            bool ok = false;
            const int minimum = hasValue ? arguments[++index].toInt(&ok) : 0;
            if (!ok || minimum < 0) {
                return Result<ConformOptions>::failure("--min-trace-passes needs a whole number");
            }
            options.minimumTracePasses = minimum;
        } else if (argument == QLatin1String("--save-failed")) {
            if (!hasValue) {
                return Result<ConformOptions>::failure("--save-failed needs a folder");
            }
            options.failedImageFolder = arguments[++index];
        } else if (argument.startsWith(QLatin1Char('-'))) {
            return Result<ConformOptions>::failure("unknown option " + argument.toStdString());
        } else if (!corpusGiven) {
            options.corpusPath = argument;
            corpusGiven = true;
        } else {
            return Result<ConformOptions>::failure("only one corpus folder may be given");
        }
    }
    return options;
}

} // namespace kf::swf
