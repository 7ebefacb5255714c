#pragma once

#include <chrono>

namespace kf::swf::avm1 {

// Milliseconds for the script time limit and getTimer(); tests script their own.
class ScriptClock {
public:
    virtual ~ScriptClock() = default;
    virtual double milliseconds() = 0;
};

class SteadyScriptClock : public ScriptClock {
public:
    double milliseconds() override {
        return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - m_start).count();
    }

private:
    std::chrono::steady_clock::time_point m_start = std::chrono::steady_clock::now();
};

} // namespace kf::swf::avm1
