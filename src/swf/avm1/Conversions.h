#pragma once

#include "swf/avm1/Value.h"

#include <cstdint>
#include <string>

namespace kf::swf::avm1 {

class Interpreter;

// The number formatting of Flash Player: at most 15 significant digits, exponent form from
// 1e+15 up and below 1e-5, "NaN", "Infinity", "-Infinity".
std::string numberToString(double number);
// A string as a number: decimal or "0x" hex with surrounding white space. SWF 4 gives 0 for
// text that is not a number, later versions NaN.
double stringToNumber(const std::string& text, std::uint8_t version);

// Conversions that need no method calls (objects convert through valueOf/toString, which
// the interpreter's versions call; these fall back to the object's kind).
double toNumberPrimitive(const Value& value, std::uint8_t version);
bool toBoolean(const Value& value, std::uint8_t version);
std::string toStringPrimitive(const Value& value, std::uint8_t version);
// ECMA ToInt32 and ToUint32.
std::int32_t toInt32(double number);
std::uint32_t toUint32(double number);
// The processor's truncating conversion, which some built-ins use instead of ToInt32: NaN
// and values outside the 32-bit range give the lowest integer.
std::int32_t saturatingInt32(double number);

} // namespace kf::swf::avm1
