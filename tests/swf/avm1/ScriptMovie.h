#pragma once

// Builds small movies whose scripts trace, plays them through the reader, player and
// interpreter, and returns what they traced.

#include "swf/avm1/Interpreter.h"
#include "swf/format/MovieReader.h"
#include "swf/runtime/MoviePlayer.h"
#include "swf/runtime/PlayerHost.h"
#include "swf/writer/MovieBuilder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kf::swf::avm1::test {

class TraceLog : public PlayerHost {
public:
    void toggleQuality() override {}
    void stopSounds() override {}
    void trace(const std::string& line) override { lines.push_back(line); }
    std::vector<std::string> lines;
};

// A clock the test moves by hand.
class ManualClock : public ScriptClock {
public:
    double milliseconds() override { return now += step; }
    double now = 0;
    double step = 0; // added on every reading, to make a loop look slow
};

// The bytes `body` occupies without its End action: DefineFunction's and With's sizes.
inline std::uint16_t codeSize(const ActionAssembler& body) {
    return static_cast<std::uint16_t>(body.block().byteLength - 1);
}

inline ActionAssembler& append(ActionAssembler& to, const ActionAssembler& from) {
    for (const Action& action : from.actions()) {
        to.action(action.code, action.payload);
    }
    return to;
}

// function name(parameters) { body }
inline ActionAssembler& defineFunction(ActionAssembler& to, std::string name,
                                       std::vector<std::string> parameters, const ActionAssembler& body) {
    to.action(ActionCode::DefineFunction,
              DefineFunctionAction{std::move(name), std::move(parameters), codeSize(body)});
    return append(to, body);
}

// Pushes the arguments (last first, as compiled), their count and the name, then calls.
inline ActionAssembler& callFunction(ActionAssembler& to, const std::string& name,
                                     std::vector<PushValue> arguments = {}) {
    std::vector<PushValue> values(arguments.rbegin(), arguments.rend());
    values.push_back(static_cast<std::int32_t>(arguments.size()));
    values.push_back(name);
    return to.push(values).action(ActionCode::CallFunction);
}

// object.method(arguments...); the result is left on the stack.
inline ActionAssembler& callMethod(ActionAssembler& to, const std::string& object, const std::string& name,
                                   std::vector<PushValue> arguments = {}) {
    std::vector<PushValue> values(arguments.rbegin(), arguments.rend());
    values.push_back(static_cast<std::int32_t>(arguments.size()));
    to.push(values).pushString(object).getVariable().pushString(name);
    return to.action(ActionCode::CallMethod);
}

inline ActionAssembler& setVariable(ActionAssembler& to, const std::string& name, PushValue value) {
    return to.push({PushValue(name), std::move(value)}).setVariable();
}

inline ActionAssembler& traceVariable(ActionAssembler& to, const std::string& name) {
    return to.pushString(name).getVariable().trace();
}

struct PlayedMovie {
    std::vector<std::string> lines;
};

inline std::vector<std::string> play(const MovieBuilder& builder, int frames = 1,
                                     ScriptClock* clock = nullptr, InterpreterLimits limits = {}) {
    Result<Movie> movie = readMovie(builder.build());
    EXPECT_TRUE(movie.ok());
    if (!movie.ok()) {
        return {};
    }
    TraceLog log;
    Interpreter interpreter(clock, limits);
    MoviePlayer player(nullptr, &log);
    player.setScriptEngine(&interpreter);
    EXPECT_TRUE(player.load(std::move(movie).value()).ok());
    for (int frame = 1; frame < frames; ++frame) {
        player.advanceFrame();
    }
    player.unload();
    return log.lines;
}

// One frame of the given version running `script`.
inline std::vector<std::string> run(std::uint8_t version, const ActionAssembler& script) {
    MovieBuilder builder(version);
    builder.doAction(script).showFrame();
    return play(builder);
}

using Lines = std::vector<std::string>;

} // namespace kf::swf::avm1::test
