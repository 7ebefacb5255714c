#pragma once

#include "ConformanceCase.h"

#include <QDir>
#include <vector>

namespace kf::swf {

// Finds the image tests of a corpus folder: ruffle/**/test.toml with image_comparisons,
// and swfdec/image/X.swf beside X.swf.png (10 frames, tolerance 3). Trace-only tests are
// not image tests and are not listed.
class CorpusScanner {
public:
    explicit CorpusScanner(const QDir& corpus) : m_corpus(corpus.absolutePath()) {}

    std::vector<ConformanceCase> scan() const;
    // The trace tests: ruffle/**/test.toml beside an output.txt (whatever image checks the
    // folder also has), and swfdec/trace/X.swf beside X.swf.trace.txt (10 frames).
    std::vector<ConformanceCase> scanTraceTests() const;

    // Reads one test folder with a test.toml; a test.toml without image comparisons gives none.
    static std::vector<ConformanceCase> readTomlCase(const QDir& folder, const QString& name);

private:
    void scanTomlTests(std::vector<ConformanceCase>& cases) const;
    void scanImagePairs(std::vector<ConformanceCase>& cases) const;

    QDir m_corpus;
};

} // namespace kf::swf
