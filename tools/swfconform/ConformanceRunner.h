#pragma once

#include "ConformanceCase.h"
#include "toolsupport/StageCapture.h"

#include <QString>

#include <set>
#include <string>

namespace kf::swf {

struct ConformanceOutcome {
    bool passed = false;
    QString reason;                // why it failed
    std::set<std::string> missing; // engine features the movie uses that are not built yet
};

// Plays one test movie, captures its frames and compares them with the references.
class ConformanceRunner {
public:
    // With a folder, every capture that fails is also saved there as
    // "<test name, slashes as underscores>.<capture>.png" for a look at what went wrong.
    void setFailedImageFolder(QString folder) { m_failedImageFolder = std::move(folder); }

    ConformanceOutcome run(const ConformanceCase& test);

private:
    ConformanceOutcome runTrace(const ConformanceCase& test);
    void saveFailedImage(const ConformanceCase& test, const ImageCapture& capture, const QImage& image) const;

    StageCapture m_capture;
    QString m_failedImageFolder;
};

} // namespace kf::swf
