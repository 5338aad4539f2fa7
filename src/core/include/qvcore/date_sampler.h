// Serial date-time values and the date/time sampler of the Number page.
//
// A serial value counts days from 30 December 1899 (day 0), with the time of
// day as its fraction. The sampler turns one serial, given as text, into one
// of eighteen date/time layouts, with English names or with the month, day
// and AM/PM names of the local-language dialog strings. Every field is
// formatted here, digit by digit, so that a sample reads the same whatever
// C runtime or locale the library runs with.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace qv::core {

// Month, day and AM/PM names.
struct DateNames {
    std::array<std::string, 12> months;     // January first
    std::array<std::string, 7> days;        // Sunday first
    std::array<std::string, 2> designators; // 0 morning, 1 afternoon
};

// String ids of the names in the local-language dialog-string library:
// months 1727..1738, days 1739..1745, designators 1746..1747.
inline constexpr unsigned kMonthNameStringId = 1727;
inline constexpr unsigned kDayNameStringId = 1739;
inline constexpr unsigned kDesignatorStringId = 1746;
inline constexpr unsigned kDateNameStringCount = 21;

// "January".."December", "Sunday".."Saturday", "AM", "PM".
const DateNames& EnglishDateNames();

// The names from the strings kMonthNameStringId + i (i = 0..20, in that
// order). When fewer than 21 texts arrive or any of them is empty, all three
// lists are the English names.
DateNames DateNamesFromStrings(std::span<const std::string_view> texts);

// The system's time format, used for the time-of-day-only layout. The picture
// uses the Windows time-format codes: h, hh (12-hour), H, HH (24-hour), m, mm,
// s, ss, t (first character of the designator), tt (designator); text in
// single quotes is copied, "''" gives one quote (inside quotes too), and any
// other character is copied.
struct TimeFormat {
    std::string picture = "h:mm:ss tt";
    std::string am = "AM";
    std::string pm = "PM";
};

const TimeFormat& DefaultTimeFormat();

// A serial value broken down, rounded to the nearest second.
struct SerialDateTime {
    int year = 1899;
    int month = 12; // 1..12
    int day = 30;   // 1..31
    int hour = 0;   // 0..23
    int minute = 0;
    int second = 0;
    int weekday = 7; // 1 = Sunday .. 7 = Saturday
};

// The largest serial that converts: 31 December 9999 at midnight.
inline constexpr double kLastSerialDate = 2958465.0;

// Text to number as the C runtime's atof reads it, independent of locale:
// leading white space, an optional sign, digits with at most one ".", an
// optional exponent; the rest of the text is ignored. No digits gives 0; a
// magnitude beyond the double range gives an infinity, one below it zero.
double SampleTextToDouble(std::string_view text);

// Converts a serial from 0 to kLastSerialDate. Serials outside that range,
// negative ones and NaN give false and leave `out` alone.
bool SerialToDateTime(double serial, SerialDateTime& out);

// Formats with the C runtime's codes %a %A %b %B %d %H %I %m %M %p %S %y %Y %%
// and English names, as in the "C" locale; other "%" sequences are copied.
std::string FormatDateTime(const SerialDateTime& when, std::string_view format);

// Formats the time of `when` with a Windows time picture (see TimeFormat).
std::string FormatTimePicture(const SerialDateTime& when, const TimeFormat& format);

class DateTimeSampler {
  public:
    // English names and the default time format.
    DateTimeSampler();
    // The sampler keeps references: the names and the format must outlive it.
    DateTimeSampler(const DateNames& localNames, const TimeFormat& systemTime);
    DateTimeSampler(const DateNames&&, const TimeFormat&) = delete;
    DateTimeSampler(const DateNames&, const TimeFormat&&) = delete;

    // 2 uses the local names; any other value the English ones (initially 1).
    void SetLanguage(std::uint8_t flag) { language_ = flag; }
    void SetValueText(std::string_view text) { value_.assign(text); }
    // 1..18 selects the layout; any other type renders an empty text.
    void SetType(std::uint32_t type) { type_ = type; }

    // "#ERROR" for a negative value; the value text itself when it is not a
    // date the calendar covers; otherwise the layout of the type.
    std::string Render() const;

  private:
    const DateNames* local_;
    const TimeFormat* time_;
    std::uint8_t language_ = 1;
    std::uint32_t type_ = 0;
    std::string value_;
};

} // namespace qv::core
