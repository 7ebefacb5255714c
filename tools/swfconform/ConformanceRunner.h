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
    ConformanceOutcome run(const ConformanceCase& test);

private:
    StageCapture m_capture;
};

} // namespace kf::swf
