#include "qvcore/preview.h"
#include "qvcore/text.h"

#include <algorithm>
#include <cmath>
#include <limits>

#if defined(__i386__) && defined(__GNUC__)
// The 32-bit build computes in SSE2 doubles too, never in the x87's wider
// registers, so that every sample reads the same on every target.
#pragma GCC target("sse2", "fpmath=sse")
#endif

namespace qv::core {

namespace {

constexpr int kMaxNumberDecimals = 15;
constexpr int kDecimalPlacesLimit = 999;
constexpr double kTwoPow63 = 9223372036854775808.0;
constexpr double kFractionTolerance = 1e-14;

std::string_view TrimSpaces(std::string_view text) {
    size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return std::string_view();
    }
    size_t last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

bool IsSign(char c) {
    return c == '-' || c == '+';
}

bool StartsWithMinus(const std::string& text) {
    return !text.empty() && text.front() == '-';
}

// Truncation toward zero that saturates instead of leaving the int64 range.
std::int64_t TruncToInt64(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    if (value >= kTwoPow63) {
        return std::numeric_limits<std::int64_t>::max();
    }
    if (value <= -kTwoPow63) {
        return std::numeric_limits<std::int64_t>::min();
    }
    return static_cast<std::int64_t>(value);
}

// a * b + c for non-negative operands, saturating at the int64 maximum.
std::int64_t MulAddSaturated(std::int64_t a, std::int64_t b, std::int64_t c) {
    std::int64_t product = 0;
    std::int64_t sum = 0;
    if (__builtin_mul_overflow(a, b, &product) || __builtin_add_overflow(product, c, &sum)) {
        return std::numeric_limits<std::int64_t>::max();
    }
    return sum;
}

size_t DigitCount(std::int64_t value) {
    std::uint64_t magnitude =
        value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    size_t count = value < 0 ? 2 : 1;
    while (magnitude >= 10) {
        magnitude /= 10;
        ++count;
    }
    return count;
}

int FractionWidth(std::int64_t maxDen) {
    return maxDen >= 100 ? 3 : maxDen >= 10 ? 2 : 1;
}

} // namespace

bool IsNumericSampleText(std::string_view text) {
    text = TrimSpaces(text);
    if (text.empty()) {
        return false;
    }
    bool sawPoint = false;
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '.') {
            if (sawPoint) {
                return false;
            }
            sawPoint = true;
        } else if (IsSign(c)) {
            if (i != 0) {
                return false;
            }
        } else if (c < '0' || c > '9') {
            return false;
        }
    }
    return true;
}

int ParseDecimalPlaces(std::string_view text) {
    size_t i = 0;
    while (i < text.size() &&
           (text[i] == ' ' || text[i] == '\t' || text[i] == '\n' || text[i] == '\r')) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && IsSign(text[i])) {
        negative = text[i] == '-';
        ++i;
    }
    int value = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        if (value < kDecimalPlacesLimit) {
            value = value * 10 + (text[i] - '0');
        }
        ++i;
    }
    if (value > kDecimalPlacesLimit) {
        value = kDecimalPlacesLimit;
    }
    return negative ? -value : value;
}

std::string ApplyDecimalStep(std::string_view text, int decimals) {
    if (decimals < 0) {
        return std::string(text);
    }
    const auto places = static_cast<size_t>(std::min(decimals, kDecimalPlacesLimit));
    const size_t point = text.find('.');
    std::string out;
    if (point == std::string_view::npos) {
        out.reserve(text.size() + 1 + places);
        out.append(text);
        if (places != 0) {
            out.push_back('.');
            out.append(places, '0');
        }
        return out;
    }
    std::string_view integer = text.substr(0, point);
    std::string_view fraction = text.substr(point + 1);
    if (places == 0) {
        return std::string(integer);
    }
    out.reserve(point + 1 + places);
    out.append(integer);
    out.push_back('.');
    if (fraction.size() < places) {
        out.append(fraction);
        out.append(places - fraction.size(), '0');
    } else {
        out.append(fraction.substr(0, places));
    }
    return out;
}

std::string GroupDigitsIndian(std::string_view text) {
    const size_t point = std::min(text.find('.'), text.size());
    const size_t sign = (point > 0 && IsSign(text[0])) ? 1 : 0;
    const size_t digits = point - sign;
    if (digits <= 3) {
        return std::string(text);
    }
    std::string out;
    out.reserve(text.size() + digits / 2);
    out.append(text.substr(0, sign));
    for (size_t i = 0; i < digits; ++i) {
        out.push_back(text[sign + i]);
        const size_t remaining = digits - i - 1;
        if (remaining >= 3 && (remaining - 3) % 2 == 0) {
            out.push_back(',');
        }
    }
    out.append(text.substr(point));
    return out;
}

std::string NumberSample(std::string_view text, int decimals, bool separator, int negativeStyle,
                         int symbol) {
    std::string out = ApplyDecimalStep(text, std::min(decimals, kMaxNumberDecimals));
    if (separator) {
        out = GroupDigitsIndian(out);
    }
    if (symbol == 0 && negativeStyle > 0 && StartsWithMinus(out)) {
        out.erase(0, 1);
        if (negativeStyle == 2 || negativeStyle == 3) {
            out.insert(out.begin(), '(');
            out.push_back(')');
        }
    }
    return out;
}

std::string CurrencySample(std::string_view text, int decimals, int negativeStyle, int symbol,
                           std::string_view symbolText) {
    std::string amount = NumberSample(text, decimals, true, negativeStyle, symbol);
    if (symbol != 1 && symbol != 2) {
        return amount;
    }
    std::string out;
    out.reserve(amount.size() + symbolText.size() + 2);
    if (!StartsWithMinus(amount)) {
        out.append(symbolText);
        out.append(amount);
        return out;
    }
    const bool parentheses = negativeStyle == 2 || negativeStyle == 3;
    if (negativeStyle <= 0) {
        out.push_back('-');
    } else if (parentheses) {
        out.push_back('(');
    }
    out.append(symbolText);
    out.append(amount, 1, std::string::npos);
    if (parentheses) {
        out.push_back(')');
    }
    return out;
}

std::string PercentageSample(std::string_view text, int decimals) {
    std::string shifted;
    const size_t point = text.find('.');
    if (point == std::string_view::npos || point == 0) {
        shifted.reserve(text.size() + 5);
        shifted.append(text);
        shifted.append("00.00");
    } else {
        shifted.reserve(text.size() + 3);
        shifted.append(text.substr(0, point));
        shifted.append(text.substr(point + 1));
        // The point moves two digits to the right; zeros stand in for
        // missing digits.
        for (size_t after = text.size() - point - 1; after < 2; ++after) {
            shifted.push_back('0');
        }
        const size_t newPoint = point + 2;
        shifted.insert(shifted.begin() + static_cast<std::ptrdiff_t>(newPoint), '.');
        // Leading zeros of the integer part go, one digit stays.
        const size_t sign = IsSign(shifted[0]) ? 1 : 0;
        size_t zeros = 0;
        while (sign + zeros + 1 < newPoint && shifted[sign + zeros] == '0') {
            ++zeros;
        }
        shifted.erase(sign, zeros);
    }
    std::string out = ApplyDecimalStep(shifted, decimals);
    out.push_back('%');
    return out;
}

bool ApproximateFraction(double value, std::int64_t maxDen, FractionParts& out) {
    if (!std::isfinite(value)) {
        return false;
    }
    // The magnitude is approximated and the sign put back on the whole part,
    // so that -2 reads -2 and -1.75 reads -1 3/4.
    const bool negative = value < 0.0;
    const double magnitude = std::fabs(value);
    const double shifted = magnitude + kFractionTolerance;
    if (!(shifted < kTwoPow63)) {
        return false;
    }
    std::int64_t whole = static_cast<std::int64_t>(shifted);
    const double f = std::fabs(magnitude - static_cast<double>(whole));
    double z = f;
    double t = kFractionTolerance;
    std::int64_t p1 = 0;
    std::int64_t p2 = 0;
    std::int64_t num = 1;
    std::int64_t den = 0;
    if (f > t) {
        // Numerators grow at least like Fibonacci numbers, so a handful of
        // rounds reach any denominator limit; the bound only guards the loop.
        for (int round = 0; round < 200; ++round) {
            if (!(z > 0.0)) {
                break;
            }
            z = 1.0 / z;
            const std::int64_t a = TruncToInt64(z + t);
            z -= static_cast<double>(a);
            if (p1 != 0) {
                num = MulAddSaturated(a, num, p2);
            }
            den = TruncToInt64(static_cast<double>(num) / f + 0.5);
            if (den > maxDen) {
                if (p1 != 0) {
                    num = p1;
                    den = TruncToInt64(static_cast<double>(num) / f + 0.5);
                } else {
                    den = maxDen;
                    num = 1;
                    if (std::fabs(1.0 / static_cast<double>(maxDen) - f) > f) {
                        num = 0;
                        den = 1;
                    }
                }
                break;
            }
            if (den <= 0) {
                break;
            }
            const double error = std::fabs(static_cast<double>(num) / static_cast<double>(den) - f);
            if (error <= kFractionTolerance || z < t) {
                break;
            }
            t = kFractionTolerance / error;
            p2 = p1;
            p1 = num;
        }
    }
    if (num == den) {
        whole += 1;
        num = 0;
        den = 0;
    } else if (den == 0) {
        num = 0;
    }
    out.whole = negative ? -whole : whole;
    out.num = num;
    out.den = den;
    return true;
}

std::string FractionLayout(const FractionParts& parts, std::int64_t maxDen) {
    const size_t width = static_cast<size_t>(FractionWidth(maxDen));
    std::string out;
    out.reserve(40);
    if (parts.num != 0 && parts.den != 0) {
        if (parts.whole != 0) {
            AppendDecimal(out, parts.whole);
            out.push_back(' ');
        }
        const size_t numDigits = DigitCount(parts.num);
        if (numDigits < width) {
            out.append(width - numDigits, ' ');
        }
        AppendDecimal(out, parts.num);
        out.push_back('/');
        const size_t denDigits = DigitCount(parts.den);
        AppendDecimal(out, parts.den);
        if (denDigits < width) {
            out.append(width - denDigits, ' ');
        }
    } else if (parts.whole != 0) {
        AppendDecimal(out, parts.whole);
        out.append(2 * width + 2, ' ');
    } else {
        out.push_back('0');
    }
    return out;
}

std::string FractionSample(std::string_view text, int type) {
    static constexpr std::int64_t kLimits[] = {9, 99, 999};
    if (type < 0 || type > 2) {
        return std::string(text);
    }
    FractionParts parts;
    if (!ApproximateFraction(SampleTextToDouble(text), kLimits[type], parts)) {
        return std::string(text);
    }
    return FractionLayout(parts, kLimits[type]);
}

namespace {

// The serial formatted with C runtime codes, without the early-serial shift;
// the value text when the calendar does not cover it.
std::string DirectLayout(std::string_view text, double value, std::string_view format) {
    SerialDateTime when;
    if (!SerialToDateTime(value, when)) {
        return std::string(text);
    }
    return FormatDateTime(when, format);
}

std::string SamplerLayout(std::string_view text, std::uint32_t type, std::uint8_t language,
                          const PreviewTexts& texts) {
    DateTimeSampler sampler(texts.localNames, texts.systemTime);
    sampler.SetValueText(text);
    sampler.SetLanguage(language);
    sampler.SetType(type);
    return sampler.Render();
}

} // namespace

std::string DateSample(std::string_view text, int type, std::uint8_t language,
                       const PreviewTexts& texts) {
    const double value = SampleTextToDouble(text);
    if (value < 0.0) {
        return "#ERROR";
    }
    switch (type) {
    case 0:
        return DirectLayout(text, value, "%m/%d/%Y");
    case 1:
        return SamplerLayout(text, 1, language, texts);
    case 2:
        return DirectLayout(text, value, "%m/%d");
    case 3:
        return DirectLayout(text, value, "%m/%d/%y");
    default:
        break;
    }
    if (type >= 4 && type <= 11) {
        // Selections 4..11 are the sampler's types 2..9.
        return SamplerLayout(text, static_cast<std::uint32_t>(type - 2), language, texts);
    }
    if (type >= 12 && type <= 15) {
        // Selections 12..15 are the day-first numeric types 15..18.
        return SamplerLayout(text, static_cast<std::uint32_t>(type + 3), language, texts);
    }
    return std::string(text);
}

std::string TimeSample(std::string_view text, int type, std::uint8_t language,
                       const PreviewTexts& texts) {
    const double value = SampleTextToDouble(text);
    if (value < 0.0) {
        return "#ERROR";
    }
    switch (type) {
    case 0:
        return SamplerLayout(text, 14, language, texts);
    case 1:
        return DirectLayout(text, value, "%H:%M");
    case 2:
        return SamplerLayout(text, 10, language, texts);
    default:
        return std::string(text);
    }
}

std::string RenderNumberSample(std::string_view value, const SampleControls& controls,
                               const PreviewTexts& texts) {
    if (!IsNumericSampleText(value)) {
        return std::string(value);
    }
    const std::string_view text = TrimSpaces(value);
    switch (controls.category) {
    case kCategoryNumber:
        return NumberSample(text, ParseDecimalPlaces(controls.decimalPlaces), controls.separator,
                            controls.negativeStyle, controls.symbol);
    case kCategoryCurrency: {
        std::string_view symbolText;
        if (controls.symbol == 1) {
            symbolText = texts.symbol1;
        } else if (controls.symbol == 2) {
            symbolText = texts.symbol2;
        }
        return CurrencySample(text, ParseDecimalPlaces(controls.decimalPlaces),
                              controls.negativeStyle, controls.symbol, symbolText);
    }
    case kCategoryPercentage:
        return PercentageSample(text, ParseDecimalPlaces(controls.decimalPlaces));
    case kCategoryFraction:
        return FractionSample(value, controls.type);
    case kCategoryDate:
        return DateSample(value, controls.type, controls.language, texts);
    case kCategoryTime:
        return TimeSample(value, controls.type, controls.language, texts);
    default:
        // General, Text and no selection show the value as it is.
        return std::string(value);
    }
}

} // namespace qv::core
