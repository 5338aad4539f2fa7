// The small number readers of the dialogs' edit boxes: whole numbers the way
// atoi reads them, sizes, decimal places, font sizes and condition values. The
// readers agree with the C library where they should and stay in their ranges.
#include "qvcore/cell_format.h"
#include "qvcore/format_cells.h"
#include "qvcore/numbers.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <string>
#include <string_view>

using namespace qv::core;

namespace {

void Check(bool ok) {
    if (!ok) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::string copy(text);

    // atoi's reading, saturated at the 32-bit limits.
    const long long wide = std::strtoll(copy.c_str(), nullptr, 10);
    const long long expected = std::clamp<long long>(wide, std::numeric_limits<int32_t>::min(),
                                                     std::numeric_limits<int32_t>::max());
    Check(AtoiClamped(text) == expected);

    const std::string spaceless = RemoveSpaces(text);
    Check(spaceless.find(' ') == std::string::npos && spaceless.size() <= text.size());

    if (IsSizeNumber(text)) {
        const double value = SizeNumberValue(text);
        Check(value == value);
        Check(text.find('-') != std::string_view::npos || !(value < 0));
    }

    int32_t places = 12345678;
    if (ReadSignedDigits(text, places)) {
        Check(places >= -99999 && places <= 99999);
        Check(places == std::clamp<long long>(wide, -99999, 99999));
    } else {
        Check(places == 12345678);
    }
    int32_t whole = 0;
    if (ReadWholeNumber(text, whole)) {
        Check(whole >= -99999 && whole <= 99999);
    }
    int fontSize = 0;
    if (ParseFontSize(text, fontSize)) {
        Check(fontSize >= 1 && fontSize <= 255);
    }
    const int category = size > 0 ? data[0] % 12 : 0;
    if (DecimalPlacesAllowed(category, whole)) {
        Check(NegativeSuffix(whole).size() <= 17);
    }
    Check(AdjustedSymbolSelection(category % 4, text) >= 0);

    // A condition value is trimmed of spaces at both ends unless it is nothing
    // but spaces; the two-value operators refuse exactly one value.
    const size_t split = text.find('\n');
    const std::string_view box1 = text.substr(0, split);
    const std::string_view box2 =
        split == std::string_view::npos ? std::string_view() : text.substr(split + 1);
    const std::string trimmed = TrimConditionValue(box1);
    Check(box1.find(trimmed) != std::string_view::npos);
    Check(trimmed.find_first_not_of(' ') == std::string::npos ||
          (trimmed.front() != ' ' && trimmed.back() != ' '));
    for (int op : {-1, 0, 1, 2, 7, 99}) {
        const ConditionValues values = ReadConditionValues(op, box1, box2);
        Check(!(values.present && values.refused));
        if (values.refused) {
            Check(OperatorTakesTwoValues(std::max(op, 0)));
        }
    }
    return 0;
}
