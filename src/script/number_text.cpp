#include "script/number_text.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

#include "base/saturate.h"
#include "script/evaluator.h"

namespace velk {
namespace {

constexpr bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

constexpr bool IsExponentLetter(char c) {
    return c == 'e' || c == 'E' || c == 'd' || c == 'D';
}

// The decimal exponent of the first significant digit, to tell overflow from underflow when
// the conversion reports a value out of range.
bool Overflows(std::string_view mantissa, std::int64_t exponent) {
    std::int64_t integer_digits = 0;
    bool significant = false;
    bool after_point = false;
    for (char c : mantissa) {
        if (c == '.') {
            after_point = true;
            continue;
        }
        if (!significant && c == '0') {
            if (after_point) --integer_digits;
            continue;
        }
        significant = true;
        if (!after_point) ++integer_digits;
    }
    return integer_digits + exponent > 0;
}

}  // namespace

double TextToDouble(std::string_view text, std::size_t* used) {
    if (used != nullptr) *used = 0;
    std::size_t i = 0;
    while (i < text.size() && IsWhiteSpace(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    const std::size_t mantissa_start = i;
    std::size_t digits = 0;
    while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
    }
    if (digits == 0) return 0.0;
    const std::size_t mantissa_end = i;
    std::int64_t exponent = 0;
    if (i < text.size() && IsExponentLetter(text[i])) {
        std::size_t j = i + 1;
        bool exponent_negative = false;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) {
            exponent_negative = text[j++] == '-';
        }
        if (j < text.size() && IsDigit(text[j])) {
            for (; j < text.size() && IsDigit(text[j]); ++j) {
                exponent = std::min<std::int64_t>(exponent * 10 + (text[j] - '0'), 100000000);
            }
            if (exponent_negative) exponent = -exponent;
            i = j;
        }
    }
    if (used != nullptr) *used = i;

    // from_chars reads the C locale's form, which knows only "e" as the exponent letter.
    std::string_view number = text.substr(mantissa_start, i - mantissa_start);
    std::string rewritten;
    if (i > mantissa_end && (text[mantissa_end] == 'd' || text[mantissa_end] == 'D')) {
        rewritten = number;
        rewritten[mantissa_end - mantissa_start] = 'e';
        number = rewritten;
    }
    double value = 0.0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    (void)end;
    if (error == std::errc::result_out_of_range) {
        const std::string_view mantissa =
            text.substr(mantissa_start, mantissa_end - mantissa_start);
        value = Overflows(mantissa, exponent) ? std::numeric_limits<double>::infinity() : 0.0;
    }
    return negative ? -value : value;
}

std::int32_t TextToInt(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsWhiteSpace(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    constexpr std::int64_t kCap = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    std::int64_t value = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        value = std::min<std::int64_t>(value * 10 + (text[i] - '0'), kCap);
    }
    return SaturateToInt32(negative ? -value : value);
}

void AppendInt(std::string& out, std::int32_t value) {
    char buffer[16];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, result.ptr);
}

void AppendIndex(std::string& out, std::string_view opener, double index) {
    out += opener;
    AppendInt(out, SaturateCast<std::int32_t>(index));
    out += ']';
}

std::string IntToText(std::int32_t value) {
    std::string out;
    AppendInt(out, value);
    return out;
}

std::string NumberToText(double value) {
    constexpr double kMin = std::numeric_limits<std::int32_t>::min();
    constexpr double kMax = std::numeric_limits<std::int32_t>::max();
    if (value >= kMin && value <= kMax && value == std::trunc(value)) {
        return IntToText(static_cast<std::int32_t>(value));
    }
    // to_chars is specified as printf("%.15g") in the C locale, whatever the process locale.
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    return std::string(buffer, result.ptr);
}

}  // namespace velk
