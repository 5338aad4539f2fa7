#include "qvcore/series_rules.h"

#include "qvcore/text.h"

#include <charconv>
#include <cfloat>
#include <cmath>

namespace qv::core {
namespace {

// Doubles from here on round to infinity as floats: halfway between the
// largest float and the next power of two.
const double kFloatOverflow = std::ldexp(2.0 - std::ldexp(1.0, -24), 127);

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The length of the leading "[-]digits[.digits]" run, 0 when it holds no digit.
std::size_t LeadingNumberLength(std::string_view text) {
    std::size_t i = 0;
    if (i < text.size() && text[i] == '-') {
        ++i;
    }
    bool digit = false;
    bool point = false;
    for (; i < text.size(); ++i) {
        if (IsDigit(text[i])) {
            digit = true;
        } else if (text[i] == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    return digit ? i : 0;
}

// The value of a "[-]digits[.digits]" text; beyond the double range an
// infinity of its sign, below it zero.
double ReadDecimal(std::string_view number) {
    double value = 0;
    const auto read = std::from_chars(number.data(), number.data() + number.size(), value,
                                      std::chars_format::fixed);
    if (read.ec == std::errc::result_out_of_range) {
        const bool negative = !number.empty() && number.front() == '-';
        const std::string_view whole = number.substr(0, number.find('.'));
        const bool large = whole.find_first_of("123456789") != std::string_view::npos;
        value = large ? HUGE_VAL : 0.0;
        return negative ? -value : value;
    }
    return value;
}

} // namespace

std::string SeriesStepText(double step) {
    if (!std::isfinite(step)) {
        return {};
    }
    char buffer[DBL_MAX_10_EXP + 32];
    const auto written =
        std::to_chars(buffer, buffer + sizeof buffer, step, std::chars_format::fixed, 6);
    std::string text(buffer, written.ec == std::errc() ? written.ptr : buffer);
    while (!text.empty() && text.back() == '0') {
        text.pop_back();
    }
    if (!text.empty() && text.back() == '.') {
        text.pop_back();
    }
    return text;
}

bool IsSeriesNumber(std::string_view text) {
    text = TrimBlanks(text);
    return !text.empty() && LeadingNumberLength(text) == text.size();
}

std::optional<float> SeriesNumberValue(std::string_view text) {
    if (!IsSeriesNumber(text)) {
        return std::nullopt;
    }
    const double value = ReadDecimal(TrimBlanks(text));
    if (!(std::fabs(value) < kFloatOverflow)) {
        return std::nullopt;
    }
    return static_cast<float>(value);
}

float LeadingSeriesNumber(std::string_view text) {
    text = TrimBlanks(text);
    const double value = ReadDecimal(text.substr(0, LeadingNumberLength(text)));
    if (!(std::fabs(value) < kFloatOverflow)) {
        return value < 0 ? -FLT_MAX : FLT_MAX;
    }
    return static_cast<float>(value);
}

} // namespace qv::core
