// Axis scales of the chart component: "nice" ranges and steps for any set of
// values (huge, tiny, all equal, of either sign), and the tick labels that
// show every step exactly, written the same on every C runtime.
#pragma once

#include <string>

namespace qv::core {

struct AxisScale {
    double minimum = 0.0;
    double maximum = 1.0;
    double major = 0.2;  // distance between labelled ticks
    double minor = 0.04; // distance between minor ticks (a fifth of major)
    int intervals = 5;   // major intervals from minimum to maximum, at least 1
    int decimals = 1;    // digits after the point that show every tick exactly
};

// The most major intervals a scale ever has.
inline constexpr int kMaxScaleIntervals = 100;

// A scale that holds every value from `low` to `high` (either order) with at
// most `maxIntervals` major intervals (clamped to 1..kMaxScaleIntervals).
// Steps are 1, 2, 2.5 or 5 times a power of ten and the ends are whole steps.
// `includeZero` makes an axis whose values share a sign start at zero (the
// value axis of columns, bars and areas). Non-finite ends are ignored (both:
// 0 to 1); equal or nearly equal ends get a range around their value; ranges
// beyond the double range are scaled without overflow.
AxisScale NiceScale(double low, double high, bool includeZero, int maxIntervals);

// The value of major tick `index` (0 .. intervals) of a scale, exact at zero.
double ScaleTick(const AxisScale& scale, int index);

// A tick label: fixed with `decimals` digits after the point ("-0" never
// appears), or with an exponent ("1.5E+20") for magnitudes from 1e15 up and
// for non-zero ones below 1e-9. Infinities and NaN give an empty text.
std::string FormatAxisValue(double value, int decimals);

// A value as a data label or a legend shows it: up to `significant`
// significant digits (1..15), trailing zeros dropped ("2.5", "1000", "0.001").
std::string FormatDataValue(double value, int significant = 10);

} // namespace qv::core
