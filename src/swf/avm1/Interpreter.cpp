#include "swf/avm1/Interpreter.h"

#include "swf/avm1/ActionHandlers.h"
#include "swf/avm1/Conversions.h"
#include "swf/avm1/ScriptFunction.h"
#include "swf/runtime/PlayerContext.h"
#include "swf/runtime/PlayerHost.h"
#include "swf/runtime/SpriteObject.h"

#include <algorithm>

namespace kf::swf::avm1 {

Interpreter::Interpreter(ScriptClock* clock, InterpreterLimits limits)
    : m_clock(clock ? clock : &m_steadyClock), m_limits(limits) {
    registerArithmeticActions(m_handlers);
    registerComparisonActions(m_handlers);
    registerStackActions(m_handlers);
    registerVariableActions(m_handlers);
    registerControlActions(m_handlers);
    registerFunctionActions(m_handlers);
    registerObjectActions(m_handlers);
    registerClipActions(m_handlers);
    registerStringActions(m_handlers);
}

Interpreter::~Interpreter() {
    movieUnloaded();
}

void Interpreter::movieUnloaded() {
    // Objects reference each other freely (closures, prototypes, parents); clearing every
    // live one breaks the cycles so the shared pointers free them.
    for (const std::weak_ptr<Object>& weak : m_arena) {
        if (std::shared_ptr<Object> object = weak.lock()) {
            object->clear();
        }
    }
    m_arena.clear();
    m_global.reset();
    objectPrototype = functionPrototype = arrayPrototype = stringPrototype = numberPrototype =
        booleanPrototype = movieClipPrototype = errorPrototype = functionConstructor = nullptr;
    globalRegisters = {};
    m_intervals.clear();
    input = InteractionState{};
    m_version = 0;
}

std::shared_ptr<Object> Interpreter::track(std::shared_ptr<Object> object) {
    if (m_arena.size() >= m_limits.maxObjects) {
        std::erase_if(m_arena, [](const std::weak_ptr<Object>& weak) { return weak.expired(); });
    }
    m_arena.push_back(object);
    return object;
}

void Interpreter::ensureGlobals() {
    if (m_global) {
        return;
    }
    m_version = m_context->player.swfVersion();
    m_movieStart = m_clock->milliseconds();
    objectPrototype = track(std::make_shared<Object>());
    functionPrototype = track(std::make_shared<Object>());
    functionPrototype->setPrototype(objectPrototype);
    // Every function names Function as its constructor, so it exists before the first one;
    // installFunction gives it its code.
    functionConstructor = track(std::make_shared<Object>(ObjectKind::Function));
    m_global = newObject();
    installObject(*this);
    installFunction(*this);
    installArray(*this);
    installString(*this);
    installNumber(*this);
    installBoolean(*this);
    installMath(*this);
    installRectangle(*this);
    installMovieClip(*this);
    installMovieClipGeometry(*this);
    installSound(*this);
    installColor(*this);
    installKey(*this);
    installMouse(*this);
    installButton(*this);
    installTextField(*this);
    installTextFormat(*this);
    installSelection(*this);
    installGlobalFunctions(*this);
    installBitmapData(*this);
    installMatrix(*this);
}

std::size_t Interpreter::runActions(ActionContext& context, std::size_t budget) {
    m_context = &context;
    ensureGlobals();
    m_budget = budget;
    m_actionsRun = 0;
    m_aborted = false;
    m_scriptStart = m_clock->milliseconds();
    if (context.event != 0) {
        runQueuedEvent(context.base, context.event);
    } else {
        runBlock(context.block, context.base);
    }
    m_context = nullptr;
    return std::max<std::size_t>(m_actionsRun, 1);
}

void Interpreter::runBlock(const ActionBlock& block, SpriteObject& clip) {
    Frame frame;
    frame.block = &block;
    frame.baseClip = clipObject(clip);
    frame.target = frame.baseClip;
    frame.thisValue = frame.baseClip;
    frame.scope.push_back(frame.baseClip);
    runRange(frame, 0, block.actions.size());
    if (frame.completion == Completion::Throw) {
        // An uncaught exception ends the script; Flash Player's debugger would report it.
    }
}

bool Interpreter::checkLimits() {
    if (m_aborted) {
        return false;
    }
    if (++m_actionsRun > m_budget) {
        m_aborted = true;
        return false;
    }
    if ((m_actionsRun & 0x3FF) == 0 &&
        m_clock->milliseconds() - m_scriptStart > m_limits.scriptTimeoutMilliseconds) {
        // Flash Player asks whether to abort a script after 15 seconds; we always abort and
        // let the movie go on.
        m_aborted = true;
        return false;
    }
    return true;
}

std::size_t Interpreter::indexForOffset(const ActionBlock& block, std::uint32_t offset) const {
    const auto& actions = block.actions;
    auto found =
        std::lower_bound(actions.begin(), actions.end(), offset,
                         [](const Action& action, std::uint32_t value) { return action.offset < value; });
    if (found != actions.end() && found->offset == offset) {
        return static_cast<std::size_t>(found - actions.begin());
    }
    // Past the last action (the End action, or beyond): the block ends there.
    return actions.size();
}

void Interpreter::runRange(Frame& frame, std::size_t begin, std::size_t end) {
    const std::size_t savedNext = frame.next;
    const std::size_t savedEnd = frame.end;
    frame.next = begin;
    frame.end = std::min(end, frame.block->actions.size());
    while (frame.next < frame.end && frame.completion == Completion::Normal) {
        if (!checkLimits()) {
            frame.completion = Completion::Abort;
            break;
        }
        const Action& action = frame.block->actions[frame.next++];
        if (Handler handler = m_handlers[static_cast<std::uint8_t>(action.code)]) {
            handler(*this, frame, action);
        }
    }
    frame.next = savedNext;
    frame.end = savedEnd;
}

Value Interpreter::call(const Value& function, const Value& thisValue, std::vector<Value> arguments) {
    Object* callee = function.objectOrNull();
    if (!callee || !callee->isCallable() || m_aborted) {
        return Value();
    }
    if (m_callDepth >= m_limits.maxCallDepth) {
        // Flash Player stops the script at 256 levels of recursion.
        m_aborted = true;
        return Value();
    }
    ++m_callDepth;
    Value result;
    if (callee->native) {
        std::shared_ptr<Object> keepAlive = callee->shared_from_this();
        result = callee->native(*this, thisValue, arguments);
    } else {
        result = callScript(*callee, thisValue, arguments);
    }
    --m_callDepth;
    return result;
}

Value Interpreter::callScript(Object& function, const Value& thisValue, std::vector<Value>& arguments) {
    std::shared_ptr<ScriptFunction> code = function.script;
    Frame frame;
    frame.block = code->block;
    frame.scope = code->scope;
    frame.locals = newObject();
    frame.locals->setPrototype(nullptr);
    frame.scope.push_back(frame.locals);
    frame.thisValue = thisValue.isNullish() ? Value(code->target) : thisValue;
    frame.baseClip = code->target;
    frame.target = code->target;
    frame.constants = code->constants;
    frame.callee = &function;
    frame.arguments = newArray(arguments);
    frame.arguments->define("callee", function.shared_from_this(), DontEnum);

    if (code->registers) {
        const DefineFunction2Action& info = *code->registers;
        frame.localRegisters.resize(std::max<std::size_t>(info.registerCount, 1));
        std::size_t next = 1;
        auto preload = [&](bool wanted, Value value) {
            if (wanted && next < frame.localRegisters.size()) {
                frame.localRegisters[next++] = std::move(value);
            }
        };
        Value root = m_context ? Value(clipObject(m_context->root)) : Value();
        Value parent;
        if (SpriteObject* clip = code->target ? resolveClip(*code->target) : nullptr;
            clip && clip->parent()) {
            parent = clipObject(*clip->parent());
        }
        Value super;
        if (Object* self = frame.thisValue.objectOrNull(); self && self->prototype()) {
            super = getMember(Value(self->prototype()), "__constructor__");
        }
        preload(info.preloadThis, frame.thisValue);
        preload(info.preloadArguments, frame.arguments);
        preload(info.preloadSuper, super);
        preload(info.preloadRoot, root);
        preload(info.preloadParent, parent);
        preload(info.preloadGlobal, m_global);
        if (!info.suppressThis && !info.preloadThis) {
            frame.locals->define("this", frame.thisValue);
        }
        if (!info.suppressArguments && !info.preloadArguments) {
            frame.locals->define("arguments", frame.arguments);
        }
        if (!info.suppressSuper && !info.preloadSuper) {
            frame.locals->define("super", super);
        }
        for (std::size_t index = 0; index < info.parameters.size(); ++index) {
            Value argument = index < arguments.size() ? arguments[index] : Value();
            const RegisterParameter& parameter = info.parameters[index];
            if (parameter.registerNumber != 0 && parameter.registerNumber < frame.localRegisters.size()) {
                frame.localRegisters[parameter.registerNumber] = std::move(argument);
            } else {
                frame.locals->define(parameter.name, std::move(argument));
            }
        }
    } else {
        frame.locals->define("arguments", frame.arguments);
        for (std::size_t index = 0; index < code->parameters.size(); ++index) {
            frame.locals->define(code->parameters[index],
                                 index < arguments.size() ? arguments[index] : Value());
        }
    }
    runRange(frame, code->begin, code->end);
    if (frame.completion == Completion::Return) {
        return frame.result;
    }
    if (frame.completion == Completion::Throw) {
        m_pendingThrow = true;
        m_thrown = frame.result;
    }
    return Value();
}

Value Interpreter::construct(const Value& constructor, std::vector<Value> arguments) {
    Object* function = constructor.objectOrNull();
    if (!function || !function->isCallable()) {
        return Value();
    }
    std::shared_ptr<Object> instance = newObject();
    Value prototype = getMember(constructor, "prototype");
    instance->setPrototype(prototype.isObject() ? prototype.object() : objectPrototype);
    instance->define("__constructor__", constructor, DontEnum | Version6);
    if (m_version <= 6) {
        // Flash Player 7 stopped copying the constructor onto each instance.
        instance->define("constructor", constructor, DontEnum);
    }
    const bool wasConstructing = m_constructing;
    m_constructing = true;
    Value result = call(constructor, Value(instance), std::move(arguments));
    m_constructing = wasConstructing;
    if (result.isObject() && function->native) {
        return result;
    }
    return Value(instance);
}

std::shared_ptr<Object> Interpreter::newObject() {
    auto object = track(std::make_shared<Object>());
    object->setPrototype(objectPrototype);
    return object;
}

std::shared_ptr<Object> Interpreter::newArray(std::vector<Value> elements) {
    auto array = track(std::make_shared<Object>(ObjectKind::Array));
    array->setPrototype(arrayPrototype);
    array->elements = std::move(elements);
    return array;
}

std::shared_ptr<Object> Interpreter::newFunctionObject() {
    auto object = track(std::make_shared<Object>(ObjectKind::Function));
    object->setPrototype(functionPrototype);
    // A function's __proto__ is out of SWF 5 movies' sight, so their lookups on functions
    // stop at the function itself.
    object->findOwn(prototypePropertyName, true)->flags = DontEnum | DontDelete | Version6;
    object->define("constructor", Value(functionConstructor), DontEnum | DontDelete);
    return object;
}

std::shared_ptr<Object> Interpreter::newFunction(NativeFunction function, std::shared_ptr<Object> prototype) {
    auto object = newFunctionObject();
    object->native = std::move(function);
    if (prototype) {
        object->define("prototype", Value(prototype), DontEnum | DontDelete);
        prototype->define("constructor", Value(object), DontEnum | DontDelete);
    }
    return object;
}

std::shared_ptr<Object> Interpreter::newBoxed(const Value& primitive) {
    auto object = track(std::make_shared<Object>(ObjectKind::Boxed));
    object->primitive = primitive;
    if (primitive.isString()) {
        object->setPrototype(stringPrototype);
    } else if (primitive.isNumber()) {
        object->setPrototype(numberPrototype);
    } else {
        object->setPrototype(booleanPrototype);
    }
    return object;
}

void Interpreter::setMethod(Object& object, std::string_view name, NativeFunction function) {
    object.define(name, Value(newFunction(std::move(function))), DontEnum);
}

void Interpreter::trace(const std::string& line) {
    if (m_context) {
        m_context->host.trace(line);
    }
}

int Interpreter::addInterval(Interval interval) {
    interval.id = m_nextIntervalId++;
    interval.nextDue = movieMilliseconds() + interval.periodMilliseconds;
    m_intervals.push_back(std::move(interval));
    return m_intervals.back().id;
}

void Interpreter::clearInterval(int id) {
    std::erase_if(m_intervals, [id](const Interval& interval) { return interval.id == id; });
}

void Interpreter::runIntervals() {
    const double now = movieMilliseconds();
    // Copy the ids first: a callback may add or clear intervals.
    std::vector<int> due;
    for (const Interval& interval : m_intervals) {
        if (interval.nextDue <= now) {
            due.push_back(interval.id);
        }
    }
    for (int id : due) {
        auto found = std::find_if(m_intervals.begin(), m_intervals.end(),
                                  [id](const Interval& interval) { return interval.id == id; });
        if (found == m_intervals.end()) {
            continue;
        }
        found->nextDue = now + std::max(found->periodMilliseconds, 1.0);
        const Interval interval = *found;
        Value function =
            interval.method.empty() ? interval.function : getMember(interval.thisValue, interval.method);
        call(function, interval.thisValue, interval.arguments);
        m_pendingThrow = false;
    }
}

} // namespace kf::swf::avm1
