#include "qvcore/page_setup.h"

#include "qvcore/numbers.h"
#include "qvcore/text.h"

#include <algorithm>
#include <cmath>

namespace qv::core {
namespace {

bool DigitsOnly(std::string_view text) {
    if (text.empty()) {
        return false;
    }
    for (char c : text) {
        if (c < '0' || c > '9') {
            return false;
        }
    }
    return true;
}

// The value of a digit run, saturating at 99999 so that long runs cannot
// overflow (every limit here is smaller).
std::int32_t DigitsValue(std::string_view digits) {
    std::int32_t value = 0;
    for (char c : digits) {
        value = value * 10 + (c - '0');
        if (value > 99999) {
            return 99999;
        }
    }
    return value;
}

} // namespace

int PageSetupStartIndex(std::uint8_t startPage) {
    for (int page = 0; page < kPageSetupPageCount; ++page) {
        if ((startPage & (1u << page)) != 0) {
            return page;
        }
    }
    return 0;
}

std::uint8_t PageSetupActionOut(std::uint8_t recordAction,
                                const std::array<std::uint8_t, kPageSetupPageCount>& pages) {
    for (std::uint8_t action : pages) {
        if (action != 0) {
            return static_cast<std::uint8_t>(recordAction | action);
        }
    }
    return recordAction;
}

NumberCheck CheckAdjustPercent(std::string_view text, std::int16_t& percent) {
    text = TrimWhiteSpace(text);
    if (!DigitsOnly(text)) {
        return NumberCheck::NotWhole;
    }
    const std::int32_t value = DigitsValue(text);
    if (value < kAdjustMin || value > kAdjustMax) {
        return NumberCheck::OutOfRange;
    }
    percent = static_cast<std::int16_t>(value);
    return NumberCheck::Ok;
}

FirstPageAnswer CheckFirstPage(std::string_view text) {
    if (text.empty()) {
        return {FirstPageAnswer::Keep, 0, std::string(kFirstPageAuto)};
    }
    std::string shown;
    if (text == " ") {
        shown = std::string(1, '0');
        text = shown;
    }
    if (text == kFirstPageAuto) {
        return {};
    }
    if (!DigitsOnly(text) || DigitsValue(text) > kFirstPageMax) {
        return {FirstPageAnswer::Refuse, 0, std::move(shown)};
    }
    const auto value = static_cast<std::int16_t>(DigitsValue(text));
    return {FirstPageAnswer::Store, value, std::move(shown)};
}

std::vector<PaperEntry> OfferedPapers(const std::vector<std::string>& names,
                                      const std::vector<std::uint16_t>& ids) {
    constexpr size_t kNameLimit = 64;
    std::vector<PaperEntry> offered;
    for (size_t i = 0; i < names.size() && i < ids.size(); ++i) {
        std::string_view name(names[i]);
        name = name.substr(0, std::min(name.size(), kNameLimit));
        if (name.substr(0, 6) == "Custom" || name.substr(0, 6) == "custom") {
            continue;
        }
        offered.push_back({std::string(name), ids[i]});
    }
    return offered;
}

int PaperSelection(const std::vector<PaperEntry>& offered, std::uint16_t recordId) {
    if (offered.empty()) {
        return -1;
    }
    if (recordId != 1) {
        for (size_t i = 0; i < offered.size(); ++i) {
            if (offered[i].id == recordId) {
                return static_cast<int>(i);
            }
        }
    }
    return 0;
}

std::string ResolutionText(std::int32_t horizontal, std::int32_t vertical) {
    std::string text;
    AppendDecimal(text, horizontal);
    text += " x ";
    AppendDecimal(text, vertical);
    text += " dpi";
    return text;
}

MarginsCheck CheckMargins(const std::array<std::string, kMarginCount>& texts,
                          std::array<float, kMarginCount>& values) {
    // The pairs checked once their second box is stored.
    struct Pair {
        int first, second;
        float limit;
    };
    constexpr Pair kPairs[] = {{kMarginTop, kMarginBottom, kMarginPageHeight},
                               {kMarginLeft, kMarginRight, kMarginPageWidth},
                               {kMarginHeader, kMarginFooter, kMarginPageHeight}};
    for (int box = 0; box < kMarginCount; ++box) {
        const std::string& text = texts[static_cast<size_t>(box)];
        if (!IsSizeNumber(text)) {
            return {MarginsCheck::NotANumber, box};
        }
        const double value = SizeNumberValue(text);
        if (!(value >= 0.0)) {
            return {MarginsCheck::NotANumber, box};
        }
        values[static_cast<size_t>(box)] = static_cast<float>(value);
        for (const Pair& pair : kPairs) {
            if (pair.second == box && values[static_cast<size_t>(pair.first)] +
                                              values[static_cast<size_t>(pair.second)] >=
                                          pair.limit) {
                return {MarginsCheck::DoesNotFit, box};
            }
        }
    }
    return {};
}

std::string MarginText(double inches) {
    if (!std::isfinite(inches)) {
        return "0.00";
    }
    const double scaled = std::round(std::fabs(inches) * 100.0);
    const auto hundredths =
        static_cast<std::int64_t>(scaled < 9.0e15 ? scaled : 9.0e15); // far beyond any margin
    std::string text = inches < 0 && hundredths != 0 ? "-" : "";
    AppendDecimal(text, hundredths / 100);
    text += '.';
    AppendDecimal(text, hundredths % 100, 2);
    return text;
}

std::string RemoveCommas(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (c != ',') {
            out.push_back(c);
        }
    }
    return out;
}

PageRangeCheck CheckPageRange(std::int32_t from, std::int32_t to) {
    if (to < from) {
        return PageRangeCheck::ToBeforeFrom;
    }
    if (from < kPrintPageMin || from > kPrintPageMax || to < kPrintPageMin || to > kPrintPageMax) {
        return PageRangeCheck::OutOfRange;
    }
    return PageRangeCheck::Ok;
}

} // namespace qv::core
