#pragma once

#include "swf/avm1/Frame.h"
#include "swf/avm1/InteractionState.h"
#include "swf/avm1/ScriptClock.h"
#include "swf/runtime/ScriptEngine.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace kf::swf {
class DisplayObject;
class SpriteObject;
} // namespace kf::swf

namespace kf::swf::avm1 {

class Interpreter;
using Handler = void (*)(Interpreter& vm, Frame& frame, const Action& action);
using HandlerTable = std::array<Handler, 256>;

struct InterpreterLimits {
    double scriptTimeoutMilliseconds = 15000; // Flash Player's default script time limit
    std::size_t maxCallDepth = 256;
    std::size_t maxObjects = 2'000'000;
};

// The ActionScript 1 and 2 interpreter. One per player; everything it creates belongs to
// the loaded movie and is dropped (cycles broken) when the movie unloads.
class Interpreter : public ScriptEngine {
public:
    explicit Interpreter(ScriptClock* clock = nullptr, InterpreterLimits limits = {});
    ~Interpreter() override;
    Interpreter(const Interpreter&) = delete;
    Interpreter& operator=(const Interpreter&) = delete;

    std::size_t runActions(ActionContext& context, std::size_t budget) override;
    void beforeFrameScripts(ActionContext& context) override;
    void frameAdvanced(ActionContext& context) override;
    void movieUnloaded() override;
    void variablesLoaded(ActionContext& context, SpriteObject& clip,
                         const std::vector<std::pair<std::string, std::string>>& variables) override;
    void inputEvent(ActionContext& context, const InputEvent& event) override;
    bool clipHandlesMouse(SpriteObject& clip) override;
    void buttonEvent(ActionContext& context, ButtonObject& button, ClipEvent event) override;
    // The method a clip event calls on its clip ("onPress" for Press), or empty for none.
    static std::string_view handlerNameFor(std::uint32_t event);
    bool hasUnloadHandler(SpriteObject& clip) override;
    // A script-made clip's construct event, which runs inside the script that made it.
    void runConstructEvent(SpriteObject& clip);

    // For the action handlers and built-ins.
    std::uint8_t version() const { return m_version; }
    bool caseSensitive() const { return m_version >= 7; }
    ActionContext& context() { return *m_context; }
    bool hasContext() const { return m_context != nullptr; }
    ScriptClock& clock() { return *m_clock; }
    double movieMilliseconds() { return m_clock->milliseconds() - m_movieStart; }
    bool aborted() const { return m_aborted; }

    void runRange(Frame& frame, std::size_t begin, std::size_t end);
    std::size_t indexForOffset(const ActionBlock& block, std::uint32_t offset) const;

    Value call(const Value& function, const Value& thisValue, std::vector<Value> arguments);
    Value construct(const Value& constructor, std::vector<Value> arguments);
    bool constructing() const { return m_constructing; }

    Value getMember(const Value& object, std::string_view name);
    void setMember(const Value& object, std::string_view name, Value value);
    bool hasProperty(Object& object, std::string_view name);
    Value getVariable(Frame& frame, std::string_view name);
    // Assigns in the scope chain where the name exists, else on the variable timeline.
    void setVariable(Frame& frame, std::string_view name, Value value);
    // The timeline whose variables a script reads and writes: the tellTarget clip while it
    // lives, the root when tellTarget found none, else the script's own.
    std::shared_ptr<Object> variableTimeline(const Frame& frame);

    Value toPrimitive(const Value& value);
    double toNumber(const Value& value);
    std::string toString(const Value& value);
    bool toBoolean(const Value& value) const;
    std::string typeOf(const Value& value);

    std::shared_ptr<Object> newObject();
    std::shared_ptr<Object> newArray(std::vector<Value> elements = {});
    std::shared_ptr<Object> newFunction(NativeFunction function, std::shared_ptr<Object> prototype = nullptr);
    // A function object without code: its __proto__ and constructor as Flash Player gives them.
    std::shared_ptr<Object> newFunctionObject();
    std::shared_ptr<Object> newBoxed(const Value& primitive);
    std::shared_ptr<Object> track(std::shared_ptr<Object> object);
    void setMethod(Object& object, std::string_view name, NativeFunction function);

    // Movie clips.
    std::shared_ptr<Object> clipObject(DisplayObject& clip);
    SpriteObject* resolveClip(const Object& object);
    SpriteObject* resolveClipValue(const Value& value);
    SpriteObject* resolvePath(std::string_view path, SpriteObject* base);
    std::string slashPath(const DisplayObject& clip) const;

    Object& global() { return *m_global; }
    std::shared_ptr<Object> objectPrototype, functionPrototype, arrayPrototype, stringPrototype,
        numberPrototype, booleanPrototype, movieClipPrototype, errorPrototype, functionConstructor;
    std::array<Value, 4> globalRegisters;
    InteractionState input;
    // Any stage object a clip-kind object stands for (sprites and buttons), or nullptr.
    DisplayObject* resolveDisplayObject(const Object& object);

    void trace(const std::string& line);
    // Drops an exception a handler the player called (not a script) left uncaught.
    void clearPendingThrow() { m_pendingThrow = false; }
    // Stops every script of this frame (time limit, recursion, malformed code).
    void abort() { m_aborted = true; }
    // A Throw that left a called function: the caller's frame takes it over.
    void raise(Value thrown) {
        m_pendingThrow = true;
        m_thrown = std::move(thrown);
    }
    void propagateThrow(Frame& frame) {
        if (m_pendingThrow) {
            m_pendingThrow = false;
            frame.completion = Completion::Throw;
            frame.result = std::move(m_thrown);
        }
    }

    // Timers of setInterval, run from frameAdvanced.
    struct Interval {
        int id = 0;
        Value function;
        Value thisValue;
        std::string method;
        std::vector<Value> arguments;
        double periodMilliseconds = 0;
        double nextDue = 0;
    };
    int addInterval(Interval interval);
    void clearInterval(int id);

private:
    void ensureGlobals();
    void runBlock(const ActionBlock& block, SpriteObject& clip);
    bool checkLimits();
    Value callScript(Object& function, const Value& thisValue, std::vector<Value>& arguments);
    Property* findProperty(Object& object, std::string_view name, Object** owner = nullptr);
    Value getClipMember(Object& object, std::string_view name, bool& found);
    bool setClipMember(Object& object, std::string_view name, const Value& value);
    void runIntervals();
    void beginHook(ActionContext& context);
    void runQueuedEvent(SpriteObject& clip, std::uint32_t eventBit);
    void runClipEvent(SpriteObject& clip, std::uint32_t eventBit, std::string_view handlerName);

    ScriptClock* m_clock;
    SteadyScriptClock m_steadyClock;
    InterpreterLimits m_limits;
    HandlerTable m_handlers{};
    ActionContext* m_context = nullptr;
    std::uint8_t m_version = 0;
    std::shared_ptr<Object> m_global;
    std::vector<std::weak_ptr<Object>> m_arena;
    std::vector<Interval> m_intervals;
    int m_nextIntervalId = 1;
    int m_nextInstanceName = 1;
    std::size_t m_callDepth = 0;
    std::size_t m_budget = 0;
    std::size_t m_actionsRun = 0;
    double m_scriptStart = 0;
    double m_movieStart = 0;
    bool m_aborted = false;
    bool m_constructing = false;
    bool m_pendingThrow = false;
    Value m_thrown;
};

} // namespace kf::swf::avm1
