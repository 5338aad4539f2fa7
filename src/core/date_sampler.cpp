#include "qvcore/date_sampler.h"
#include "qvcore/text.h"

#include <charconv>
#include <cmath>
#include <limits>

#if defined(__i386__) && defined(__GNUC__)
// The 32-bit build computes in SSE2 doubles too, never in the x87's wider
// registers, so that every sample reads the same on every target.
#pragma GCC target("sse2", "fpmath=sse")
#endif

namespace qv::core {

namespace {

const DateNames kEnglishNames = {
    {"January", "February", "March", "April", "May", "June", "July", "August", "September",
     "October", "November", "December"},
    {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"},
    {"AM", "PM"}};

const TimeFormat kDefaultTimeFormat{};

// Days from 30 December 1899 to 1 March of year 0 of the proleptic Gregorian
// calendar, the origin of the civil-date arithmetic below.
constexpr std::int64_t kSerialToMarchEpoch = 693899;

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

int Hour12(int hour) {
    int h = hour % 12;
    return h == 0 ? 12 : h;
}

std::string_view Abbreviation(const std::string& name) {
    return std::string_view(name).substr(0, 3);
}

// Replaces every occurrence of `from` (non-empty), left to right, without
// rescanning replaced text.
std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to) {
    std::string out;
    if (from.empty()) {
        return std::string(text);
    }
    out.reserve(text.size() + to.size());
    size_t pos = 0;
    for (;;) {
        size_t hit = text.find(from, pos);
        if (hit == std::string_view::npos) {
            out.append(text.substr(pos));
            return out;
        }
        out.append(text.substr(pos, hit - pos));
        out.append(to);
        pos = hit + from.size();
    }
}

// The last two characters of `text` (all of it when shorter) give way to the
// morning designator when they read "AM", else to the afternoon designator.
std::string ReplaceDesignator(const std::string& text, const DateNames& names) {
    size_t keep = text.size() >= 2 ? text.size() - 2 : 0;
    bool morning = text.compare(keep, std::string::npos, "AM") == 0;
    std::string out = text.substr(0, keep);
    out.append(names.designators[morning ? 0 : 1]);
    return out;
}

bool ShiftsEarlySerials(std::uint32_t type) {
    switch (type) {
    case 4:
    case 10:
    case 11:
    case 12:
    case 13:
    case 14:
        return false;
    default:
        return true;
    }
}

} // namespace

const DateNames& EnglishDateNames() {
    return kEnglishNames;
}

const TimeFormat& DefaultTimeFormat() {
    return kDefaultTimeFormat;
}

DateNames DateNamesFromStrings(std::span<const std::string_view> texts) {
    if (texts.size() < kDateNameStringCount) {
        return kEnglishNames;
    }
    for (size_t i = 0; i < kDateNameStringCount; ++i) {
        if (texts[i].empty()) {
            return kEnglishNames;
        }
    }
    DateNames names;
    for (size_t i = 0; i < 12; ++i) {
        names.months[i].assign(texts[i]);
    }
    for (size_t i = 0; i < 7; ++i) {
        names.days[i].assign(texts[12 + i]);
    }
    names.designators[0].assign(texts[19]);
    names.designators[1].assign(texts[20]);
    return names;
}

double SampleTextToDouble(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    const size_t start = i;
    // Decimal position of the leading non-zero digit relative to the units
    // digit (0 for 1..9, -1 for 0.1..0.9), used to tell an overflow from an
    // underflow; saturated, it only matters near the ends of the range.
    std::int64_t lead = 0;
    bool sawNonZero = false;
    size_t intDigits = 0;
    size_t fracDigits = 0;
    while (i < text.size() && IsDigit(text[i])) {
        if (text[i] != '0' && !sawNonZero) {
            sawNonZero = true;
            lead = 0;
        } else if (sawNonZero && lead < 1000000) {
            ++lead;
        }
        ++intDigits;
        ++i;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        std::int64_t zeros = 0;
        while (i < text.size() && IsDigit(text[i])) {
            if (!sawNonZero) {
                if (text[i] != '0') {
                    sawNonZero = true;
                    lead = -(zeros + 1);
                } else if (zeros < 1000000) {
                    ++zeros;
                }
            }
            ++fracDigits;
            ++i;
        }
    }
    if (intDigits + fracDigits == 0) {
        return 0.0;
    }
    size_t end = i;
    std::int64_t exponent = 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        size_t j = i + 1;
        bool expNegative = false;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) {
            expNegative = text[j] == '-';
            ++j;
        }
        if (j < text.size() && IsDigit(text[j])) {
            while (j < text.size() && IsDigit(text[j])) {
                if (exponent < 100000000) {
                    exponent = exponent * 10 + (text[j] - '0');
                }
                ++j;
            }
            if (expNegative) {
                exponent = -exponent;
            }
            end = j;
        }
    }
    double value = 0.0;
    const char* first = text.data() + start;
    const char* last = text.data() + end;
    auto result = std::from_chars(first, last, value, std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range) {
        value = sawNonZero && lead + exponent >= 0 ? std::numeric_limits<double>::infinity() : 0.0;
    } else if (result.ec != std::errc()) {
        value = 0.0;
    }
    return negative ? -value : value;
}

bool SerialToDateTime(double serial, SerialDateTime& out) {
    if (!(serial >= 0.0 && serial <= kLastSerialDate)) {
        return false;
    }
    // Rounded to the nearest second, as the platform's automation dates are.
    double rounded = serial + 1.0 / 172800.0;
    double whole = std::floor(rounded);
    auto days = static_cast<std::int64_t>(whole);
    auto seconds = static_cast<int>((rounded - whole) * 86400.0);
    if (seconds > 86399) {
        seconds = 86399;
    }
    // 30 December 1899 was a Saturday.
    out.weekday = static_cast<int>((days + 6) % 7) + 1;
    // Civil date from a day count whose origin is 1 March of year 0, in
    // 400-year eras of 146097 days.
    std::int64_t z = days + kSerialToMarchEpoch;
    std::int64_t era = z / 146097;
    std::int64_t dayOfEra = z - era * 146097;
    std::int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    std::int64_t shiftedMonth = (5 * dayOfYear + 2) / 153; // 0 = March
    out.day = static_cast<int>(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
    out.month = static_cast<int>(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
    out.year = static_cast<int>(yearOfEra + era * 400 + (out.month <= 2 ? 1 : 0));
    out.hour = seconds / 3600;
    out.minute = seconds / 60 % 60;
    out.second = seconds % 60;
    return true;
}

std::string FormatDateTime(const SerialDateTime& when, std::string_view format) {
    const DateNames& names = kEnglishNames;
    const int monthIndex = (when.month >= 1 && when.month <= 12) ? when.month - 1 : 0;
    const int dayIndex = (when.weekday >= 1 && when.weekday <= 7) ? when.weekday - 1 : 0;
    std::string out;
    out.reserve(format.size() + 16);
    for (size_t i = 0; i < format.size(); ++i) {
        char c = format[i];
        if (c != '%' || i + 1 >= format.size()) {
            out.push_back(c);
            continue;
        }
        char code = format[++i];
        switch (code) {
        case 'a':
            out.append(Abbreviation(names.days[dayIndex]));
            break;
        case 'A':
            out.append(names.days[dayIndex]);
            break;
        case 'b':
            out.append(Abbreviation(names.months[monthIndex]));
            break;
        case 'B':
            out.append(names.months[monthIndex]);
            break;
        case 'd':
            AppendDecimal(out, when.day, 2);
            break;
        case 'H':
            AppendDecimal(out, when.hour, 2);
            break;
        case 'I':
            AppendDecimal(out, Hour12(when.hour), 2);
            break;
        case 'm':
            AppendDecimal(out, when.month, 2);
            break;
        case 'M':
            AppendDecimal(out, when.minute, 2);
            break;
        case 'p':
            out.append(when.hour < 12 ? "AM" : "PM");
            break;
        case 'S':
            AppendDecimal(out, when.second, 2);
            break;
        case 'y':
            AppendDecimal(out, when.year % 100, 2);
            break;
        case 'Y':
            AppendDecimal(out, when.year);
            break;
        case '%':
            out.push_back('%');
            break;
        default:
            out.push_back('%');
            out.push_back(code);
            break;
        }
    }
    return out;
}

std::string FormatTimePicture(const SerialDateTime& when, const TimeFormat& format) {
    const std::string& picture = format.picture;
    const std::string& designator = when.hour < 12 ? format.am : format.pm;
    std::string out;
    out.reserve(picture.size() + 8);
    size_t i = 0;
    while (i < picture.size()) {
        char c = picture[i];
        if (c == '\'') {
            // Quoted text is copied; a doubled quote stands for one quote,
            // inside quoted text as well as outside.
            ++i;
            if (i < picture.size() && picture[i] == '\'') {
                out.push_back('\'');
                ++i;
                continue;
            }
            while (i < picture.size()) {
                if (picture[i] != '\'') {
                    out.push_back(picture[i++]);
                } else if (i + 1 < picture.size() && picture[i + 1] == '\'') {
                    out.push_back('\'');
                    i += 2;
                } else {
                    ++i;
                    break;
                }
            }
            continue;
        }
        size_t run = 1;
        while (i + run < picture.size() && picture[i + run] == c) {
            ++run;
        }
        switch (c) {
        case 'h':
            AppendDecimal(out, Hour12(when.hour), run >= 2 ? 2 : 1);
            break;
        case 'H':
            AppendDecimal(out, when.hour, run >= 2 ? 2 : 1);
            break;
        case 'm':
            AppendDecimal(out, when.minute, run >= 2 ? 2 : 1);
            break;
        case 's':
            AppendDecimal(out, when.second, run >= 2 ? 2 : 1);
            break;
        case 't':
            out.append(designator, 0, run >= 2 ? std::string::npos : 1);
            break;
        default:
            out.append(run, c);
            break;
        }
        i += run;
    }
    return out;
}

DateTimeSampler::DateTimeSampler() : local_(&kEnglishNames), time_(&kDefaultTimeFormat) {}

DateTimeSampler::DateTimeSampler(const DateNames& localNames, const TimeFormat& systemTime)
    : local_(&localNames), time_(&systemTime) {}

std::string DateTimeSampler::Render() const {
    const double value = SampleTextToDouble(value_);
    if (value < 0.0) {
        return "#ERROR";
    }
    SerialDateTime when;
    if (!SerialToDateTime(value, when)) {
        return value_;
    }
    if (type_ < 1 || type_ > 18) {
        return std::string();
    }
    if (ShiftsEarlySerials(type_) && value <= 60.0) {
        SerialToDateTime(value + 1.0, when);
    }
    const bool local = language_ == 2;
    const DateNames& names = *local_;
    const std::string& month = names.months[static_cast<size_t>(when.month - 1)];
    std::string out;
    switch (type_) {
    case 1:
        if (!local) {
            return FormatDateTime(when, "%A, %B %d, %Y");
        }
        out = names.days[static_cast<size_t>(when.weekday - 1)];
        out.append(", ");
        out.append(month);
        out.append(", ");
        AppendDecimal(out, when.day);
        out.append(", ");
        AppendDecimal(out, when.year);
        return out;
    case 2:
    case 13:
        out = FormatDateTime(when, "%d-%b");
        if (local) {
            out.resize(out.size() - 3);
            out.append(month);
        }
        return out;
    case 3:
    case 9:
        if (!local) {
            return FormatDateTime(when, type_ == 3 ? "%d-%b-%y" : "%d-%b-%Y");
        }
        AppendDecimal(out, when.day);
        out.push_back('-');
        out.append(month);
        out.push_back('-');
        AppendDecimal(out, type_ == 3 ? when.year % 100 : when.year);
        return out;
    case 4:
        out = FormatDateTime(when, "%b-%y");
        if (local) {
            out.replace(0, 3, month);
        }
        return out;
    case 5:
        if (!local) {
            return FormatDateTime(when, "%B-%y");
        }
        out = month;
        out.push_back('-');
        AppendDecimal(out, when.year % 100);
        return out;
    case 6:
        if (!local) {
            return FormatDateTime(when, "%B %d, %Y");
        }
        out = month;
        out.push_back(' ');
        AppendDecimal(out, when.day);
        out.append(", ");
        AppendDecimal(out, when.year);
        return out;
    case 7:
        out = FormatDateTime(when, "%m/%d/%y %I:%M %p");
        if (local) {
            std::string last = out.substr(out.size() - 2);
            out = ReplaceAll(out, last, names.designators[last == "AM" ? 0 : 1]);
        }
        return out;
    case 8:
        return FormatDateTime(when, "%m/%d/%Y %H:%M");
    case 10:
    case 11:
        out = FormatDateTime(when, type_ == 10 ? "%I:%M %p" : "%I:%M:%S %p");
        return local ? ReplaceDesignator(out, names) : out;
    case 12:
        out = FormatDateTime(when, "%d-%b-%y");
        if (local) {
            out.replace(3, out.size() - 6, month);
        }
        return out;
    case 14: {
        SerialDateTime timeOfDay;
        SerialToDateTime(value - std::floor(value), timeOfDay);
        out = FormatTimePicture(timeOfDay, *time_);
        return local ? ReplaceDesignator(out, names) : out;
    }
    default: {
        // 15..18: day/month/year with and without zero fill.
        const bool fill = type_ == 16 || type_ == 18;
        const bool fullYear = type_ >= 17;
        AppendDecimal(out, when.day, fill ? 2 : 1);
        out.push_back('/');
        AppendDecimal(out, when.month, fill ? 2 : 1);
        out.push_back('/');
        AppendDecimal(out, fullYear ? when.year : when.year % 100, fullYear ? 4 : 2);
        return out;
    }
    }
}

} // namespace qv::core
