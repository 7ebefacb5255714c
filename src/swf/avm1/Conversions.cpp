#include "swf/avm1/Conversions.h"

#include "swf/avm1/Object.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace kf::swf::avm1 {

std::string numberToString(double number) {
    if (std::isnan(number)) {
        return "NaN";
    }
    if (std::isinf(number)) {
        return number > 0 ? "Infinity" : "-Infinity";
    }
    if (number == 0) {
        return "0";
    }
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.15g", number);
    std::string text(buffer);
    // "%g" writes "1e-05" and "1e+21"; Flash writes "1e-5" and "1e+21".
    const std::size_t exponent = text.find('e');
    if (exponent != std::string::npos) {
        std::size_t digits = exponent + 2;
        while (digits + 1 < text.size() && text[digits] == '0') {
            text.erase(digits, 1);
        }
    }
    return text;
}

double stringToNumber(const std::string& text, std::uint8_t version) {
    const double failed = version >= 5 ? std::numeric_limits<double>::quiet_NaN() : 0.0;
    std::size_t start = 0;
    while (start < text.size() && std::isspace(static_cast<unsigned char>(text[start]))) {
        ++start;
    }
    std::size_t end = text.size();
    while (end > start && std::isspace(static_cast<unsigned char>(text[end - 1]))) {
        --end;
    }
    if (start == end) {
        // Flash Player reads an empty string as NaN from SWF 5 on, except Number("") in
        // movies before SWF 7 gives 0; both collapse here to the SWF 5+ rule.
        return failed;
    }
    const std::string trimmed = text.substr(start, end - start);
    if (trimmed.size() > 2 && trimmed[0] == '0' && (trimmed[1] == 'x' || trimmed[1] == 'X')) {
        char* stop = nullptr;
        const long long value = std::strtoll(trimmed.c_str() + 2, &stop, 16);
        return *stop == '\0' ? static_cast<double>(static_cast<std::int32_t>(value)) : failed;
    }
    if (trimmed == "Infinity" || trimmed == "+Infinity") {
        return std::numeric_limits<double>::infinity();
    }
    if (trimmed == "-Infinity") {
        return -std::numeric_limits<double>::infinity();
    }
    // strtod also takes "inf", "nan" and hex floats, which Flash does not.
    for (char character : trimmed) {
        if (!std::isdigit(static_cast<unsigned char>(character)) && character != '.' && character != 'e' &&
            character != 'E' && character != '+' && character != '-') {
            return failed;
        }
    }
    char* stop = nullptr;
    const double value = std::strtod(trimmed.c_str(), &stop);
    return *stop == '\0' ? value : failed;
}

double toNumberPrimitive(const Value& value, std::uint8_t version) {
    if (value.isNumber()) {
        return value.number();
    }
    if (value.isBoolean()) {
        return value.boolean() ? 1 : 0;
    }
    if (value.isString()) {
        return stringToNumber(value.string(), version);
    }
    if (value.isNullish()) {
        // undefined and null are 0 before SWF 7.
        return version >= 7 ? std::numeric_limits<double>::quiet_NaN() : 0.0;
    }
    const Object& object = *value.object();
    if (object.kind() == ObjectKind::Boxed) {
        return toNumberPrimitive(object.primitive, version);
    }
    return std::numeric_limits<double>::quiet_NaN();
}

bool toBoolean(const Value& value, std::uint8_t version) {
    if (value.isBoolean()) {
        return value.boolean();
    }
    if (value.isNumber()) {
        return value.number() != 0 && !std::isnan(value.number());
    }
    if (value.isString()) {
        // Before SWF 7 a string is true when it reads as a non-zero number ("abc" is false).
        if (version >= 7) {
            return !value.string().empty();
        }
        const double number = stringToNumber(value.string(), version);
        return number != 0 && !std::isnan(number);
    }
    return value.isObject();
}

std::string toStringPrimitive(const Value& value, std::uint8_t version) {
    if (value.isString()) {
        return value.string();
    }
    if (value.isNumber()) {
        return numberToString(value.number());
    }
    if (value.isBoolean()) {
        return value.boolean() ? "true" : "false";
    }
    if (value.isUndefined()) {
        // undefined prints as the empty string before SWF 7.
        return version >= 7 ? "undefined" : "";
    }
    if (value.isNull()) {
        return "null";
    }
    const Object& object = *value.object();
    switch (object.kind()) {
    case ObjectKind::Function:
        return "[type Function]";
    case ObjectKind::Clip:
        return object.clipPath;
    case ObjectKind::Boxed:
        return toStringPrimitive(object.primitive, version);
    default:
        return "[object Object]";
    }
}

std::int32_t toInt32(double number) {
    if (std::isnan(number) || std::isinf(number)) {
        return 0;
    }
    const double wrapped = std::fmod(std::trunc(number), 4294967296.0);
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::int64_t>(wrapped)));
}

std::int32_t saturatingInt32(double number) {
    if (!(number > -2147483649.0 && number < 2147483648.0)) {
        return std::numeric_limits<std::int32_t>::min();
    }
    return static_cast<std::int32_t>(number);
}

std::uint32_t toUint32(double number) {
    return static_cast<std::uint32_t>(toInt32(number));
}

} // namespace kf::swf::avm1
