#include "runtime/values.h"

#include <algorithm>
#include <atomic>
#include <cfloat>
#include <charconv>
#include <clocale>
#include <cmath>
#include <limits>
#include <system_error>

#include "runtime/errors.h"

namespace vk {

namespace {

std::atomic<char> currentSeparator{'.'};

// ---- Writing ---------------------------------------------------------------------------

// At most `significantDigits` significant digits without trailing zeros, in exponent form
// ("1.5E-07") below 1E-4 and from 1E+<significantDigits> on: printf's %G, which to_chars
// writes without looking at the C locale. The separator is the game's own.
template <typename Real>
std::string textOfReal(Real value, int significantDigits) {
    if (value == 0) return "0";  // negative zero included
    // Arithmetic that reaches infinity or NaN raised an error before it could be stored.
    if (!std::isfinite(value)) raise(ErrorNumber::Overflow);
    char buffer[64];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, value,
                                       std::chars_format::general, significantDigits);
    std::string text(buffer, written.ptr);
    for (char& c : text) {
        if (c == 'e') c = 'E';
        if (c == '.') c = decimalSeparator();
    }
    return text;
}

// ---- Reading ---------------------------------------------------------------------------

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

// A number's text taken apart: sign, the digits either side of the separator, exponent.
struct NumberParts {
    bool negative = false;
    std::string_view wholeDigits;
    std::string_view fractionDigits;
    bool exponentNegative = false;
    std::string_view exponentDigits;
};

std::string_view takeDigits(std::string_view& rest) {
    std::size_t count = 0;
    while (count < rest.size() && isDigit(rest[count])) ++count;
    const std::string_view digits = rest.substr(0, count);
    rest.remove_prefix(count);
    return digits;
}

bool takeSign(std::string_view& rest) {
    if (rest.empty() || (rest.front() != '+' && rest.front() != '-')) return false;
    const bool negative = rest.front() == '-';
    rest.remove_prefix(1);
    return negative;
}

// Splits `text` (already trimmed) into parts; false when it is not a number.
bool splitNumber(std::string_view text, char separator, NumberParts& parts) {
    std::string_view rest = text;
    parts.negative = takeSign(rest);
    parts.wholeDigits = takeDigits(rest);
    if (!rest.empty() && rest.front() == separator) {
        rest.remove_prefix(1);
        parts.fractionDigits = takeDigits(rest);
    }
    if (parts.wholeDigits.empty() && parts.fractionDigits.empty()) return false;
    if (!rest.empty() && (rest.front() == 'E' || rest.front() == 'e')) {
        rest.remove_prefix(1);
        parts.exponentNegative = takeSign(rest);
        parts.exponentDigits = takeDigits(rest);
        if (parts.exponentDigits.empty()) return false;
    }
    return rest.empty();
}

// Decimal exponent of the first non-zero digit; only used to tell an overflow from an
// underflow, so a huge written exponent is clamped rather than parsed in full.
long leadingExponent(const NumberParts& parts) {
    long written = 0;
    for (char c : parts.exponentDigits) {
        written = std::min(written * 10 + (c - '0'), 1'000'000L);
    }
    if (parts.exponentNegative) written = -written;

    const std::size_t firstWhole = parts.wholeDigits.find_first_not_of('0');
    if (firstWhole != std::string_view::npos) {
        return written + static_cast<long>(parts.wholeDigits.size() - firstWhole) - 1;
    }
    const std::size_t firstFraction = parts.fractionDigits.find_first_not_of('0');
    return written - static_cast<long>(firstFraction) - 1;
}

// Rebuilds the number with '.' for from_chars, which is independent of the C locale.
std::string portableText(const NumberParts& parts) {
    std::string text;
    if (parts.negative) text += '-';
    text += parts.wholeDigits.empty() ? std::string_view("0") : parts.wholeDigits;
    if (!parts.fractionDigits.empty()) {
        text += '.';
        text += parts.fractionDigits;
    }
    if (!parts.exponentDigits.empty()) {
        text += parts.exponentNegative ? "e-" : "e";
        text += parts.exponentDigits;
    }
    return text;
}

}  // namespace

char decimalSeparator() { return currentSeparator.load(std::memory_order_relaxed); }

void setDecimalSeparator(char separator) {
    currentSeparator.store(separator, std::memory_order_relaxed);
}

void adoptEnvironmentDecimalSeparator() {
    char separator = '.';
    if (std::setlocale(LC_NUMERIC, "") != nullptr) {
        const std::lconv* conventions = std::localeconv();
        const char* point = conventions != nullptr ? conventions->decimal_point : nullptr;
        // A separator of more than one byte cannot be held in a char; keep '.' then.
        if (point != nullptr && point[0] != '\0' && point[1] == '\0') separator = point[0];
    }
    // printf and strtod elsewhere in the program expect '.'.
    std::setlocale(LC_NUMERIC, "C");
    setDecimalSeparator(separator);
}

std::string textOf(double value) { return textOfReal(value, 15); }
std::string textOf(float value) { return textOfReal(value, 7); }
std::string textOf(int value) { return std::to_string(value); }

double toDouble(std::string_view text) {
    NumberParts parts;
    if (!splitNumber(trimBlanks(text), decimalSeparator(), parts)) {
        raise(ErrorNumber::TypeMismatch, std::string(text));
    }
    const std::string portable = portableText(parts);
    double value = 0;
    const auto result = std::from_chars(portable.data(), portable.data() + portable.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        // Too small to hold is zero; too large is an error.
        if (leadingExponent(parts) < 0) return parts.negative ? -0.0 : 0.0;
        raise(ErrorNumber::Overflow, std::string(text));
    }
    if (result.ec != std::errc() || result.ptr != portable.data() + portable.size()) {
        raise(ErrorNumber::TypeMismatch, std::string(text));
    }
    return value;
}

float toSingle(std::string_view text) {
    const double value = toDouble(text);
    if (std::fabs(value) > FLT_MAX) raise(ErrorNumber::Overflow, std::string(text));
    return static_cast<float>(value);
}

double roundHalfEven(double value) {
    if (!std::isfinite(value)) return value;
    // value - floor(value) is exact for every double, so the half test is exact too.
    const double below = std::floor(value);
    const double fraction = value - below;
    if (fraction < 0.5) return below;
    if (fraction > 0.5) return below + 1;
    return std::fmod(below, 2.0) == 0 ? below : below + 1;
}

namespace {

template <typename Whole>
Whole roundToWhole(double value) {
    const double rounded = roundHalfEven(value);
    // NaN fails both comparisons and so is an overflow too.
    if (!(rounded >= std::numeric_limits<Whole>::min() &&
          rounded <= std::numeric_limits<Whole>::max())) {
        raise(ErrorNumber::Overflow);
    }
    return static_cast<Whole>(rounded);
}

}  // namespace

std::int16_t toInteger(double value) { return roundToWhole<std::int16_t>(value); }
std::int32_t toLong(double value) { return roundToWhole<std::int32_t>(value); }

}  // namespace vk
