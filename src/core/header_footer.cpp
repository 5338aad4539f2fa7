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

// One replacement of a left-to-right pass: where `pattern` starts, `value`.
struct Replacement {
    std::string_view pattern;
    std::string_view value;
};

// One left-to-right pass: at each position the first replacement (in list
// order) whose pattern starts there is applied; other characters are copied.
// Empty patterns never match.
template <size_t N>
std::string ReplaceFields(std::string_view text, const std::array<Replacement, N>& replacements) {
    std::string out;
    out.reserve(text.size());
    size_t at = 0;
    while (at < text.size()) {
        const Replacement* hit = nullptr;
        for (const Replacement& r : replacements) {
            if (!r.pattern.empty() && text.size() - at >= r.pattern.size() &&
                text.compare(at, r.pattern.size(), r.pattern) == 0) {
                hit = &r;
                break;
            }
        }
        if (hit != nullptr) {
            out += hit->value;
            at += hit->pattern.size();
        } else {
            out.push_back(text[at++]);
        }
    }
    return out;
}

} // namespace

const char* HeaderFieldCode(int field) {
    return field >= 0 && field < kHeaderFieldCount ? kFieldCodes[static_cast<size_t>(field)] : "";
}

std::string CodesToTokens(std::string_view text, const FieldTokens& tokens) {
    std::array<Replacement, kHeaderFieldCount> replacements{};
    for (int field = 0; field < kHeaderFieldCount; ++field) {
        replacements[static_cast<size_t>(field)] = {HeaderFieldCode(field),
                                                    tokens[static_cast<size_t>(field)]};
    }
    return ReplaceFields(text, replacements);
}

std::string TokensToCodes(std::string_view text, const FieldTokens& tokens) {
    std::array<Replacement, kHeaderFieldCount> replacements{};
    for (size_t i = 0; i < kStoreOrder.size(); ++i) {
        const auto field = static_cast<size_t>(kStoreOrder[i]);
        replacements[i] = {tokens[field], HeaderFieldCode(kStoreOrder[i])};
    }
    std::string codes = ReplaceFields(text, replacements);
    if (codes.size() > kSectionMaxLength) {
        codes.resize(kSectionMaxLength);
    }
    return codes;
}

std::string PreviewText(std::string_view text, const FieldTokens& tokens,
                        const PreviewValues& values) {
    const auto value = [&](int field) -> std::string_view {
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
    std::array<Replacement, 2 * kHeaderFieldCount> replacements{};
    for (size_t i = 0; i < kStoreOrder.size(); ++i) {
        const int field = kStoreOrder[i];
        replacements[i] = {tokens[static_cast<size_t>(field)], value(field)};
        replacements[kStoreOrder.size() + i] = {HeaderFieldCode(field), value(field)};
    }
    return ReplaceFields(text, replacements);
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
