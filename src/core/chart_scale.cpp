#include "qvcore/chart_scale.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace qv::core {
namespace {

constexpr double kMultipliers[] = {1.0, 2.0, 2.5, 5.0, 10.0};
// Below this share of their magnitude two ends count as equal.
constexpr double kEqualShare = 1e-9;
// The smallest range a scale spans: far above the denormals.
constexpr double kSmallestRange = 1e-290;
// Index arithmetic tolerance: a value within this share of a step from a
// tick counts as on the tick.
constexpr double kTickTolerance = 1e-9;

double Largest() {
    return std::numeric_limits<double>::max();
}

// The step candidate `k` (0-based over the multipliers of each power) at or
// above `rough`, or the largest finite step.
double StepAtLeast(double rough, int skip) {
    if (!(rough > 0.0) || !std::isfinite(rough)) {
        return Largest();
    }
    int exponent = static_cast<int>(std::floor(std::log10(rough)));
    int seen = 0;
    for (int e = exponent - 1; e <= exponent + 2; ++e) {
        const double power = std::pow(10.0, e);
        for (double m : kMultipliers) {
            const double step = m * power;
            if (!std::isfinite(step) || step <= 0.0) {
                continue;
            }
            if (step >= rough * (1.0 - kTickTolerance) && seen++ >= skip) {
                return step;
            }
        }
    }
    return Largest();
}

int DecimalsOf(double step) {
    if (!(step > 0.0) || !std::isfinite(step)) {
        return 0;
    }
    for (int d = 0; d <= 15; ++d) {
        const double scaled = step * std::pow(10.0, d);
        if (std::fabs(scaled - std::round(scaled)) <= scaled * 1e-9) {
            return d;
        }
    }
    return 15;
}

void TrimZeros(std::string& text) {
    const size_t point = text.find('.');
    if (point == std::string::npos) {
        return;
    }
    size_t end = text.size();
    while (end > point + 1 && text[end - 1] == '0') {
        --end;
    }
    if (end == point + 1) {
        --end;
    }
    text.resize(end);
}

std::string Exponent(double value, int significant) {
    char buffer[64];
    auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value,
                                      std::chars_format::scientific, significant - 1);
    if (error != std::errc()) {
        return {};
    }
    std::string text(buffer, end);
    // "1.50000e+20" -> "1.5E+20"
    const size_t e = text.find('e');
    if (e == std::string::npos) {
        return text;
    }
    std::string mantissa = text.substr(0, e);
    TrimZeros(mantissa);
    std::string exponent = text.substr(e + 1);
    const char sign = exponent.empty() ? '+' : exponent[0];
    size_t digits = exponent.find_first_not_of("+-0");
    std::string power = digits == std::string::npos ? "0" : exponent.substr(digits);
    if (power.size() < 2) {
        power.insert(0, 2 - power.size(), '0');
    }
    return mantissa + "E" + (sign == '-' ? "-" : "+") + power;
}

} // namespace

AxisScale NiceScale(double low, double high, bool includeZero, int maxIntervals) {
    maxIntervals = std::clamp(maxIntervals, 1, kMaxScaleIntervals);
    if (!std::isfinite(low) && !std::isfinite(high)) {
        low = 0.0;
        high = 1.0;
    } else if (!std::isfinite(low)) {
        low = high;
    } else if (!std::isfinite(high)) {
        high = low;
    }
    if (low > high) {
        std::swap(low, high);
    }
    if (includeZero) {
        low = std::min(low, 0.0);
        high = std::max(high, 0.0);
    }
    // Ends that are (nearly) equal get a range around their value (half of
    // it each way); all zeros give 0 to 1. With zero included, only zeros
    // come here: any other value already spans from zero.
    const double magnitude = std::max(std::fabs(low), std::fabs(high));
    const double minRange = std::max(magnitude * kEqualShare, kSmallestRange);
    if (high * 0.5 - low * 0.5 < minRange * 0.5) {
        const double mid = low * 0.5 + high * 0.5;
        if (std::fabs(mid) < kSmallestRange) {
            low = 0.0;
            high = 1.0;
        } else {
            const double half = std::fabs(mid) * 0.5;
            low = mid - half;
            high = mid + half;
        }
    }

    AxisScale scale;
    // (high - low) may overflow: halve both first.
    const double rough = (high * 0.5 - low * 0.5) / maxIntervals * 2.0;
    for (int skip = 0; skip < 16; ++skip) {
        const double step = StepAtLeast(rough, skip);
        const double first = std::floor(low / step + kTickTolerance);
        const double last = std::ceil(high / step - kTickTolerance);
        double count = last - first;
        if (count < 1.0) {
            count = 1.0;
        }
        if (count > maxIntervals && skip < 15 && step < Largest()) {
            continue;
        }
        scale.major = step;
        scale.minor = step / 5.0;
        scale.intervals =
            static_cast<int>(std::min(count, static_cast<double>(kMaxScaleIntervals)));
        scale.minimum = first * step;
        if (!std::isfinite(scale.minimum)) {
            scale.minimum = -Largest();
        }
        scale.maximum = scale.minimum + scale.intervals * step;
        if (!std::isfinite(scale.maximum)) {
            scale.maximum = Largest();
        }
        scale.decimals = DecimalsOf(step);
        break;
    }
    return scale;
}

double ScaleTick(const AxisScale& scale, int index) {
    if (index <= 0) {
        return scale.minimum;
    }
    if (index >= scale.intervals) {
        return scale.maximum;
    }
    // Halved so that scales spanning most of the double range stay finite.
    double value = (scale.minimum * 0.5 + index * (scale.major * 0.5)) * 2.0;
    if (!std::isfinite(value)) {
        value = scale.maximum;
    }
    // Sums of binary fractions miss zero by a rounding error.
    return std::fabs(value) < scale.major * kTickTolerance ? 0.0 : value;
}

std::string FormatAxisValue(double value, int decimals) {
    if (!std::isfinite(value)) {
        return {};
    }
    decimals = std::clamp(decimals, 0, 15);
    const double magnitude = std::fabs(value);
    if (magnitude >= 1e15 || (magnitude != 0.0 && magnitude < 1e-9)) {
        return Exponent(value, 3);
    }
    char buffer[64];
    auto [end, error] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    if (error != std::errc()) {
        return {};
    }
    std::string text(buffer, end);
    if (text[0] == '-' && text.find_first_not_of("-0.") == std::string::npos) {
        text.erase(0, 1);
    }
    return text;
}

std::string FormatDataValue(double value, int significant) {
    if (!std::isfinite(value)) {
        return {};
    }
    significant = std::clamp(significant, 1, 15);
    const double magnitude = std::fabs(value);
    if (magnitude >= 1e15 || (magnitude != 0.0 && magnitude < 1e-9)) {
        return Exponent(value, significant);
    }
    const int integerDigits =
        magnitude < 1.0 ? 1 : static_cast<int>(std::floor(std::log10(magnitude))) + 1;
    int decimals = significant - integerDigits;
    if (magnitude != 0.0 && magnitude < 1.0) {
        // Leading zeros after the point are not significant.
        decimals = significant - 1 - static_cast<int>(std::floor(std::log10(magnitude)));
    }
    std::string text = FormatAxisValue(value, std::clamp(decimals, 0, 15));
    TrimZeros(text);
    if (text == "-0") {
        text = "0";
    }
    return text;
}

} // namespace qv::core
