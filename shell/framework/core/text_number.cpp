// Numbers to and from text. Parsing and printing use <charconv>, never the C library's
// locale, which Qt sets from the environment (under de_DE strtod reads "7.5" as 7).
#include "shell/framework/core/text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <limits>
#include <string_view>

namespace {
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::size_t SkipDigits(const std::string& text, std::size_t at) {
    while (at < text.size() && IsDigit(text[at]))
        ++at;
    return at;
}

// For a number out of a Double's range, written without its sign: whether it is too large
// rather than too small. In the form d.ddd × 10^m it is too large when m >= 0.
bool Overflows(std::string_view number) {
    const std::size_t e = std::min(number.find_first_of("eE"), number.size());
    const std::string_view mantissa = number.substr(0, e);
    const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
    const std::size_t first = mantissa.find_first_of("123456789"); // there is one: 0 fits
    const int64_t m = first < point ? int64_t(point - first - 1) : -int64_t(first - point);
    int64_t exponent = 0;
    if (e < number.size()) {
        std::string_view written = number.substr(e + 1);
        if (written.front() == '+') written.remove_prefix(1);
        const auto result =
            std::from_chars(written.data(), written.data() + written.size(), exponent);
        if (result.ec == std::errc::result_out_of_range)
            exponent = written.front() == '-' ? -1'000'000'000 : 1'000'000'000;
    }
    return m + exponent >= 0;
}
} // namespace

double Val(const std::string& text) {
    std::size_t at = text.find_first_not_of(" \t");
    if (at == std::string::npos) return 0;
    const bool negative = text[at] == '-';
    if (text[at] == '-' || text[at] == '+') ++at;
    const std::size_t begin = at;
    at = SkipDigits(text, at);
    std::size_t digits = at - begin;
    if (at < text.size() && text[at] == '.') {
        const std::size_t fraction = at + 1;
        at = SkipDigits(text, fraction);
        digits += at - fraction;
    }
    if (digits == 0) return 0;
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        std::size_t exponent = at + 1;
        if (exponent < text.size() && (text[exponent] == '+' || text[exponent] == '-')) ++exponent;
        const std::size_t end = SkipDigits(text, exponent);
        if (end > exponent) at = end; // "1e" is 1: an exponent needs a digit
    }
    double value = 0;
    const auto result = std::from_chars(text.data() + begin, text.data() + at, value);
    if (result.ec == std::errc::result_out_of_range)
        value = Overflows(std::string_view(text).substr(begin, at - begin))
                    ? std::numeric_limits<double>::infinity()
                    : 0.0;
    return negative ? -value : value;
}

std::string Str(int32_t value) {
    return std::to_string(value);
}

std::string Str(double value) {
    // Whole numbers below 1e15 print as plain digits; -0 prints as 0.
    if (std::fabs(value) < 1e15 && value == std::trunc(value))
        return std::to_string(static_cast<int64_t>(value));
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string Format(double value, const std::string& pattern) {
    if (!std::isfinite(value) || pattern.find_first_not_of('0') != std::string::npos)
        return Str(value);
    const double rounded = std::round(value); // halves away from zero
    char buffer[400];                         // the largest Double has 309 digits
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(rounded),
                                      std::chars_format::fixed, 0);
    std::string digits(buffer, result.ptr);
    if (digits.size() < pattern.size()) digits.insert(0, pattern.size() - digits.size(), '0');
    return rounded < 0 ? "-" + digits : digits;
}

int32_t ToInt32(double value) {
    if (std::isnan(value)) return 0;
    if (value >= std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
    if (value <= std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(value); // truncates toward zero
}
