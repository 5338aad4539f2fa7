// Header and footer texts: arbitrary section texts through every conversion.
// Tokens turned into codes come back as the same tokens, a text without "["
// survives the trip to tokens and back, and stored texts never exceed what
// the record holds.
#include "qvcore/header_footer.h"
#include "qvcore/page_setup.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

using namespace qv::core;

namespace {

void Check(bool ok) {
    if (!ok) {
        std::abort();
    }
}

const FieldTokens kTokens = {"&[Page]", "&[Pages]", "&[Date]", "&[Time]",
                             "&[Path]", "&[File]",  "&[Tab]"};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    const std::string tokens = CodesToTokens(text, kTokens);
    const std::string codes = TokensToCodes(tokens, kTokens);
    Check(codes.size() <= kSectionMaxLength);
    if (text.find('[') == std::string_view::npos && text.size() <= kSectionMaxLength) {
        Check(codes == text);
    }
    // Codes read back as the tokens they came from.
    const std::string stored = TokensToCodes(text, kTokens);
    Check(stored.size() <= kSectionMaxLength);
    if (text.find('&') == std::string_view::npos) {
        Check(stored == text.substr(0, kSectionMaxLength));
    }

    const PreviewValues values{"1/2/2024", "12:05 AM", "C:\\", "a.xls", "Sheet1"};
    const std::string preview = PreviewText(text, kTokens, values);
    if (text.find('&') == std::string_view::npos) {
        Check(preview == text);
    }
    PreviewText(text, FieldTokens{}, values);
    CodesToTokens(text, FieldTokens{});

    TokenWord(text);
    const size_t half = size / 2;
    MatchPreset(text.substr(0, half), text.substr(half), "", kTokens);
    SheetCaption(text, (size & 1) != 0, "Sheet");

    // The Page and Margins boxes over the same text.
    int16_t percent = 0;
    if (CheckAdjustPercent(text, percent) == NumberCheck::Ok) {
        Check(percent >= kAdjustMin && percent <= kAdjustMax);
    }
    const FirstPageAnswer first = CheckFirstPage(text);
    if (first.kind == FirstPageAnswer::Store) {
        Check(first.value >= 0 && first.value <= kFirstPageMax);
    }
    std::array<std::string, kMarginCount> margins;
    for (size_t i = 0; i < margins.size(); ++i) {
        margins[i] = std::string(text.substr(std::min(size, i * 3), 3));
    }
    std::array<float, kMarginCount> inches{};
    const MarginsCheck check = CheckMargins(margins, inches);
    for (int box = 0; box < (check.kind == MarginsCheck::Ok ? kMarginCount : check.box); ++box) {
        Check(inches[static_cast<size_t>(box)] >= 0.0f);
    }
    return 0;
}
