#include "swf/avm1/ActionHandlers.h"
#include "swf/avm1/Utf8.h"

#include <cmath>

namespace kf::swf::avm1 {

namespace {

void stringAdd(Interpreter& vm, Frame& frame, const Action&) {
    const std::string right = vm.toString(frame.pop());
    const std::string left = vm.toString(frame.pop());
    frame.push(Value(left + right));
}

// The byte-oriented SWF 4 actions; SWF 6 text is UTF-8, where they count characters too.
void stringLength(Interpreter& vm, Frame& frame, const Action&) {
    const std::string text = vm.toString(frame.pop());
    const std::size_t length = vm.version() >= 6 ? toCodePoints(text).size() : text.size();
    frame.push(Value(static_cast<double>(length)));
}

// substring(text, index, count) with a 1-based index; out-of-range parts are clipped.
void stringExtract(Interpreter& vm, Frame& frame, const Action&) {
    const double count = vm.toNumber(frame.pop());
    const double index = vm.toNumber(frame.pop());
    const std::vector<std::uint32_t> text = toCodePoints(vm.toString(frame.pop()));
    const double size = static_cast<double>(text.size());
    double begin = std::isnan(index) ? 0 : std::clamp(std::trunc(index) - 1, 0.0, size);
    double length = std::isnan(count) || count < 0 ? size : std::trunc(count);
    const double end = std::min(begin + length, size);
    frame.push(Value(fromCodePoints(text, static_cast<std::size_t>(begin),
                                    static_cast<std::size_t>(std::max(end, begin)))));
}

void charToAscii(Interpreter& vm, Frame& frame, const Action&) {
    const std::vector<std::uint32_t> text = toCodePoints(vm.toString(frame.pop()));
    frame.push(Value(text.empty() ? 0.0 : static_cast<double>(text.front())));
}

void asciiToChar(Interpreter& vm, Frame& frame, const Action&) {
    const double code = vm.toNumber(frame.pop());
    std::string text;
    const auto codePoint =
        static_cast<std::uint32_t>(std::isfinite(code) ? std::fmod(std::fabs(code), 65536.0) : 0);
    if (codePoint != 0) {
        appendCodePoint(text, codePoint);
    }
    frame.push(Value(text));
}

} // namespace

void registerStringActions(HandlerTable& table) {
    auto set = [&](ActionCode code, Handler handler) { table[static_cast<std::uint8_t>(code)] = handler; };
    set(ActionCode::StringAdd, stringAdd);
    set(ActionCode::StringLength, stringLength);
    set(ActionCode::MbStringLength, stringLength);
    set(ActionCode::StringExtract, stringExtract);
    set(ActionCode::MbStringExtract, stringExtract);
    set(ActionCode::CharToAscii, charToAscii);
    set(ActionCode::MbCharToAscii, charToAscii);
    set(ActionCode::AsciiToChar, asciiToChar);
    set(ActionCode::MbAsciiToChar, asciiToChar);
}

} // namespace kf::swf::avm1
