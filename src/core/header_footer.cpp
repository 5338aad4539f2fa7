#include "qvcore/header_footer.h"

#include "qvcore/text.h"

namespace qv::core {
namespace {

// Codes in field order.
constexpr std::array<const char*, kHeaderFieldCount> kFieldCodes = {
    "&P", "&N", "&d{%x}", "&d{%I:%M %p}", "&Z", "&F", "&A"};

// Tokens are turned back into codes in this order.
constexpr std::array<int, kHeaderFieldCount> kStoreOrder = {
    kFieldPages, kFieldPage, kFieldDate, kFieldTime, kFieldPath, kFieldFile, kFieldSheet};

bool StartsWith(std::string_view text, size_t at, std::string_view what) {
    return !what.empty() && text.size() - at >= what.size() &&
           text.compare(at, what.size(), what) == 0;
}

// One left-to-right pass: at each position the first pattern (of `order`)
// that starts there is replaced by its value; other characters are copied.
template <class Pattern, class Value>
std::string ReplaceFields(std::string_view text, const std::array<int, kHeaderFieldCount>& order,
                          Pattern pattern, Value value) {
    std::string out;
    out.reserve(text.size());
    size_t at = 0;
    while (at < text.size()) {
        bool replaced = false;
        for (int field : order) {
            const std::string_view p = pattern(field);
            if (StartsWith(text, at, p)) {
                out += value(field);
                at += p.size();
                replaced = true;
                break;
            }
        }
        if (!replaced) {
            out.push_back(text[at++]);
        }
    }
    return out;
}

constexpr std::array<int, kHeaderFieldCount> kFieldOrder = {0, 1, 2, 3, 4, 5, 6};

} // namespace

const char* HeaderFieldCode(int field) {
    return field >= 0 && field < kHeaderFieldCount ? kFieldCodes[static_cast<size_t>(field)] : "";
}

std::string CodesToTokens(std::string_view text, const FieldTokens& tokens) {
    return ReplaceFields(
        text, kFieldOrder, [](int field) { return std::string_view(HeaderFieldCode(field)); },
        [&](int field) { return tokens[static_cast<size_t>(field)]; });
}

std::string TokensToCodes(std::string_view text, const FieldTokens& tokens) {
    std::string codes = ReplaceFields(
        text, kStoreOrder,
        [&](int field) { return std::string_view(tokens[static_cast<size_t>(field)]); },
        [](int field) { return std::string(HeaderFieldCode(field)); });
    if (codes.size() > kSectionMaxLength) {
        codes.resize(kSectionMaxLength);
    }
    return codes;
}

std::string PreviewText(std::string_view text, const FieldTokens& tokens,
                        const PreviewValues& values) {
    const auto value = [&](int field) -> std::string {
        switch (field) {
        case kFieldPage:
        case kFieldPages:
            return "1";
        case kFieldDate:
            return values.date;
        case kFieldTime:
            return values.time;
        case kFieldPath:
            return values.path;
        case kFieldFile:
            return values.file;
        default:
            return values.sheet;
        }
    };
    // Tokens first, in the storing order, then codes.
    std::array<int, 2 * kHeaderFieldCount> order{};
    for (int i = 0; i < kHeaderFieldCount; ++i) {
        order[static_cast<size_t>(i)] = kStoreOrder[static_cast<size_t>(i)];
        order[static_cast<size_t>(kHeaderFieldCount + i)] = kHeaderFieldCount + i;
    }
    std::string out;
    out.reserve(text.size());
    size_t at = 0;
    while (at < text.size()) {
        bool replaced = false;
        for (int entry : order) {
            const std::string_view p =
                entry < kHeaderFieldCount
                    ? std::string_view(tokens[static_cast<size_t>(entry)])
                    : std::string_view(HeaderFieldCode(entry - kHeaderFieldCount));
            if (StartsWith(text, at, p)) {
                out += value(entry % kHeaderFieldCount);
                at += p.size();
                replaced = true;
                break;
            }
        }
        if (!replaced) {
            out.push_back(text[at++]);
        }
    }
    return out;
}

std::string DateSampleText(int year, int month, int day) {
    std::string out;
    AppendDecimal(out, month);
    out += '/';
    AppendDecimal(out, day);
    out += '/';
    AppendDecimal(out, year);
    return out;
}

std::string TimeSampleText(int hour, int minute) {
    const bool afternoon = hour >= 12;
    int shown = hour % 12;
    if (shown == 0) {
        shown = 12;
    }
    std::string out;
    AppendDecimal(out, shown);
    out += ':';
    AppendDecimal(out, minute, 2);
    out += afternoon ? " PM" : " AM";
    return out;
}

std::string TokenWord(std::string_view token) {
    const size_t close = token.rfind(']');
    if (close == std::string_view::npos || close < 2) {
        return {};
    }
    return std::string(token.substr(2, close - 2));
}

std::string SheetCaption(std::string_view sheetName, bool englishMenu, std::string_view sheetWord) {
    if (englishMenu) {
        return std::string(sheetName);
    }
    constexpr std::string_view kSheet = "Sheet";
    std::string caption(sheetWord);
    if (sheetName.substr(0, kSheet.size()) == kSheet) {
        caption.append(sheetName.substr(kSheet.size()));
    }
    return caption;
}

std::string PresetCentre(int preset, const FieldTokens& tokens) {
    const std::string& page = tokens[kFieldPage];
    switch (preset) {
    case kPresetPage:
        return TokenWord(page) + " " + page;
    case kPresetPageOfPages:
        return TokenWord(page) + " " + page + "/" + tokens[kFieldPages];
    case kPresetSheet:
        return tokens[kFieldSheet];
    default:
        return {};
    }
}

int MatchPreset(std::string_view left, std::string_view centre, std::string_view right,
                const FieldTokens& tokens) {
    if (left.empty() && centre.empty() && right.empty()) {
        return kPresetNone;
    }
    if (left.empty() && right.empty()) {
        for (int preset : {kPresetPage, kPresetPageOfPages, kPresetSheet}) {
            if (centre == PresetCentre(preset, tokens)) {
                return preset;
            }
        }
    }
    return kPresetOther;
}

} // namespace qv::core
