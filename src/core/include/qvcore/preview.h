// The Sample text of the Number page: what the active cell's value looks like
// in the category and options being chosen. The engine renders text only; it
// never changes the value and never builds a format code.
//
// Number, Currency and Percentage work on the digits of the value text (cut,
// never rounded); Fraction approximates the value by a continued fraction;
// Date and Time render the value as a serial date-time.
#pragma once

#include "qvcore/date_sampler.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace qv::core {

// Indices of the Number page's category list.
enum NumberCategory : int {
    kCategoryGeneral = 0,
    kCategoryNumber = 1,
    kCategoryCurrency = 2,
    kCategoryDate = 3,
    kCategoryTime = 4,
    kCategoryPercentage = 5,
    kCategoryFraction = 6,
    kCategoryText = 7,
};

// The page's controls as the sample reads them. Selections are list indices,
// -1 when a list has no selection.
struct SampleControls {
    int category = -1;
    std::string_view decimalPlaces; // text of the Decimal places box
    bool separator = false;         // "Use 1000 Separator (,)" ticked
    int negativeStyle = 0;          // Negative numbers selection
    int symbol = 0;                 // Symbol selection: 0 none, 1 and 2 the two symbols
    int type = 0;                   // Type selection (date, time or fraction type)
    std::uint8_t language = 1;      // sample language: 1 English, 2 Indian language
};

// Texts the sample takes from the string libraries and the system.
struct PreviewTexts {
    std::string symbol1; // Symbol entry 1: string 1013 of the sample language
    std::string symbol2; // Symbol entry 2: string 3137 of the sample language
    // Local month, day and AM/PM names (see DateNamesFromStrings).
    DateNames localNames = EnglishDateNames();
    TimeFormat systemTime; // the system's time format, for time-of-day samples
};

// The Sample text for `value` (the cell value as text) under `controls`.
std::string RenderNumberSample(std::string_view value, const SampleControls& controls,
                               const PreviewTexts& texts);

// --- The steps, each usable on its own --------------------------------------

// After trimming spaces at both ends: non-empty, at most one ".", a "+" or
// "-" only as the first character, every other character a digit or ".".
bool IsNumericSampleText(std::string_view text);

// The decimal places box read as the C runtime's atoi reads it (leading
// blanks, optional sign, digits up to the first other character; no digits
// gives 0), limited to -999..999.
int ParseDecimalPlaces(std::string_view text);

// Pads the fraction to `decimals` digits or cuts it there (never rounds);
// 0 drops the point; a negative count leaves the text unchanged. Counts
// above 999 (more than the two-character box can hold) count as 999.
std::string ApplyDecimalStep(std::string_view text, int decimals);

// Groups the integer part (before the first ".") in the Indian way: the last
// three digits, then pairs (1234567 -> 12,34,567). A leading sign never gets
// a separator after it.
std::string GroupDigitsIndian(std::string_view text);

// Number: decimal step (places capped at 15), grouping when `separator`, then
// the negative style: with symbol 0 and a style above 0 the "-" goes, and
// styles 2 and 3 put the number in parentheses.
std::string NumberSample(std::string_view text, int decimals, bool separator, int negativeStyle,
                         int symbol);

// Currency: as Number with grouping always, then for symbol 1 or 2 the
// symbol text in front, after the sign or opening parenthesis.
std::string CurrencySample(std::string_view text, int decimals, int negativeStyle, int symbol,
                           std::string_view symbolText);

// Percentage: the point moved two places right, then the decimal step
// (places not capped) and "%".
std::string PercentageSample(std::string_view text, int decimals);

// A value as whole part and proper fraction num/den. whole carries the sign
// (a value between -1 and 0 has whole 0 and so shows no sign); num = 0 means
// no fraction part.
struct FractionParts {
    std::int64_t whole = 0;
    std::int64_t num = 0;
    std::int64_t den = 0;
};

// Continued-fraction approximation with denominators up to `maxDen` (9, 99
// or 999). False when the value is not finite or its whole part does not fit
// in 64 bits.
bool ApproximateFraction(double value, std::int64_t maxDen, FractionParts& out);

// The fraction layout: whole part, space, numerator right-aligned and
// denominator left-aligned in the width of maxDen; whole numbers padded with
// spaces to line up with mixed numbers; "0" for zero.
std::string FractionLayout(const FractionParts& parts, std::int64_t maxDen);

// Fraction sample for the Type selection 0, 1, 2 (denominators up to 9, 99,
// 999); any other selection, or a value out of range, gives the text back.
std::string FractionSample(std::string_view text, int type);

// Date and Time samples for the page's Type selection: "#ERROR" for a
// negative value, the value text when the selection has no layout or the
// value is not a date the calendar covers.
std::string DateSample(std::string_view text, int type, std::uint8_t language,
                       const PreviewTexts& texts);
std::string TimeSample(std::string_view text, int type, std::uint8_t language,
                       const PreviewTexts& texts);

} // namespace qv::core
