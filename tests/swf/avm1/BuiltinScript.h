#pragma once

// Shorthands for scripts that create built-in objects and call their methods.

#include "ScriptMovie.h"

#include <variant>

namespace kf::swf::avm1::test {

// An argument: a literal, or the value of a variable (a dotted path works too).
struct Variable {
    std::string name;
};
using Operand = std::variant<PushValue, Variable>;

inline ActionAssembler& pushOperand(ActionAssembler& to, const Operand& operand) {
    if (const auto* variable = std::get_if<Variable>(&operand)) {
        return to.pushString(variable->name).getVariable();
    }
    return to.push({std::get<PushValue>(operand)});
}

// Pushes the arguments last first, then their count, as compiled calls expect.
inline ActionAssembler& pushArguments(ActionAssembler& to, const std::vector<Operand>& arguments) {
    for (auto argument = arguments.rbegin(); argument != arguments.rend(); ++argument) {
        pushOperand(to, *argument);
    }
    return to.pushInteger(static_cast<std::int32_t>(arguments.size()));
}

// object.method(arguments), the result left on the stack.
inline ActionAssembler& invoke(ActionAssembler& to, const std::string& object, const std::string& method,
                               const std::vector<Operand>& arguments = {}) {
    pushArguments(to, arguments);
    return to.pushString(object).getVariable().pushString(method).action(ActionCode::CallMethod);
}

// object.method(arguments) for its effect only.
inline ActionAssembler& invokeAndDrop(ActionAssembler& to, const std::string& object,
                                      const std::string& method, const std::vector<Operand>& arguments = {}) {
    return invoke(to, object, method, arguments).action(ActionCode::Pop);
}

// variable = new className(arguments)
inline ActionAssembler& construct(ActionAssembler& to, const std::string& variable,
                                  const std::string& className, const std::vector<Operand>& arguments = {}) {
    to.pushString(variable);
    pushArguments(to, arguments);
    return to.pushString(className).action(ActionCode::NewObject).setVariable();
}

// variable = new flash.<package>.<className>(arguments)
inline ActionAssembler& constructFlashClass(ActionAssembler& to, const std::string& variable,
                                            const std::string& package, const std::string& className,
                                            const std::vector<Operand>& arguments = {}) {
    to.pushString(variable);
    pushArguments(to, arguments);
    to.pushString("flash").getVariable().pushString(package).action(ActionCode::GetMember);
    return to.pushString(className).action(ActionCode::NewMethod).setVariable();
}

// object.member = value
inline ActionAssembler& assignMember(ActionAssembler& to, const std::string& object,
                                     const std::string& member, const Operand& value) {
    to.pushString(object).getVariable().pushString(member);
    return pushOperand(to, value).action(ActionCode::SetMember);
}

// trace(object.member)
inline ActionAssembler& traceMember(ActionAssembler& to, const std::string& object,
                                    const std::string& member) {
    return to.pushString(object).getVariable().pushString(member).action(ActionCode::GetMember).trace();
}

// variable = {name: value, ...}
inline ActionAssembler& makeObject(ActionAssembler& to, const std::string& variable,
                                   const std::vector<std::pair<std::string, Operand>>& members) {
    to.pushString(variable);
    for (const auto& [name, value] : members) {
        to.pushString(name);
        pushOperand(to, value);
    }
    return to.pushInteger(static_cast<std::int32_t>(members.size()))
        .action(ActionCode::InitObject)
        .setVariable();
}

// Plays one SWF 8 frame running `script` beside an empty sprite named "clip".
inline std::vector<std::string> playWithClip(const ActionAssembler& script) {
    MovieBuilder builder(8);
    TimelineBuilder empty;
    empty.showFrame();
    const CharacterId sprite = builder.addSprite(empty);
    builder.placeNamed(sprite, Depth{1}, "clip");
    builder.doAction(script).showFrame();
    return play(builder);
}

} // namespace kf::swf::avm1::test
