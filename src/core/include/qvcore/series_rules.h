// The rules of the Fill Series dialog that need no window: how the step
// value is shown, which step and stop texts are numbers, and their values as
// the record's 32-bit floats.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace qv::core {

// The step as the step box shows it: six decimals, then trailing zeros and a
// trailing point removed (1 -> "1", 0.5 -> "0.5", 0 -> "0", -0 -> "-0").
// Locale-independent. Empty for an infinite or not-a-number value.
std::string SeriesStepText(double step);

// A step or stop text as the dialog accepts it: after trimming blanks not
// empty; a "-" only as the first character; otherwise digits and at most one
// "."; at least one digit ("-" and "." alone fail; "+" and exponents fail).
bool IsSeriesNumber(std::string_view text);

// The value of a text that IsSeriesNumber accepts, as a 32-bit float; none
// when the text fails the test or the number is beyond the float range.
std::optional<float> SeriesNumberValue(std::string_view text);

// The value stored for a text that was not tested (the step box while it is
// disabled): the leading number of the text in the form IsSeriesNumber
// accepts, 0 when it has none, held to the float range.
float LeadingSeriesNumber(std::string_view text);

} // namespace qv::core
