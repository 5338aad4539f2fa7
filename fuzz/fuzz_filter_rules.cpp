// The data-list rules over arbitrary text: the value list's entries are the
// complete lines after the first three, put back together they are the text
// they came from; a folded condition never grows its value and never leaves
// the operator list; the Top 10 count and the series numbers agree with
// their own tests.
#include "qvcore/filter_rules.h"
#include "qvcore/series_rules.h"
#include "qvcore/subtotal_rules.h"

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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

    // Entries: each one line of the text, in order, after three header lines.
    const std::vector<std::string_view> entries = ValueListEntries(text);
    std::size_t lines = 0;
    for (char c : text) {
        lines += c == '\n' ? 1 : 0;
    }
    Check(entries.size() == (lines > 3 ? lines - 3 : 0));
    std::size_t at = 0;
    for (int skipped = 0; skipped < 3 && at < text.size(); ++skipped) {
        const std::size_t end = text.find('\n', at);
        at = end == std::string_view::npos ? text.size() : end + 1;
    }
    for (std::string_view entry : entries) {
        Check(entry.find('\n') == std::string_view::npos);
        Check(text.compare(at, entry.size(), entry) == 0 && text[at + entry.size()] == '\n');
        at += entry.size() + 1;
    }

    // Conditions: the operator is an entry of the list (or none for an empty
    // condition 2) and the value is a part of the record's value.
    const int op = size > 0 ? static_cast<int>(data[0]) - 2 : 0;
    for (bool first : {true, false}) {
        const OpenedCondition opened = OpenCondition(op, text, first);
        Check(opened.op >= -1 && opened.op < kFilterOperatorCount);
        Check(opened.op != -1 || !first);
        Check(opened.value.size() <= text.size());
        Check(text.find(opened.value) != std::string_view::npos);
        if (opened.op >= kFilterBeginsWith && op >= 0 && op < kFilterBeginsWith) {
            Check(opened.value.size() < text.size()); // an asterisk went
        }
    }

    const Top10Count count = CheckTop10Count(text);
    Check(count.verdict != Top10Verdict::Valid ||
          (count.value >= kTop10MinCount && count.value <= kTop10MaxCount));

    // Series numbers: accepted texts have finite float values, the leading
    // number of an accepted text is its value, and a shown step reads back.
    const std::optional<float> value = SeriesNumberValue(text);
    Check(!value || IsSeriesNumber(text));
    if (value) {
        Check(std::isfinite(*value));
        Check(LeadingSeriesNumber(text) == *value);
    }
    Check(std::isfinite(LeadingSeriesNumber(text)));
    if (size >= sizeof(float)) {
        float step;
        std::memcpy(&step, data, sizeof step);
        const std::string shown = SeriesStepText(step);
        if (std::isfinite(step)) {
            const std::optional<float> back = SeriesNumberValue(shown);
            Check(back.has_value() && std::fabs(*back - step) <= 5e-7f + std::fabs(step) * 1e-6f);
        } else {
            Check(shown.empty());
        }
    }

    // Subtotal: the selection written back after opening holds only names.
    std::vector<uint32_t> selection;
    for (std::size_t i = 0; i + 1 < size && selection.size() < 64; i += 2) {
        selection.push_back(data[i] % 16 == 15 ? 0xFFFFFFFFu : data[i] % 16);
    }
    const std::size_t names = size > 0 ? data[size - 1] % 12 : 0;
    const SubtotalOpening opening = OpenSubtotal(names, selection);
    Check(opening.ticked.size() == names);
    for (uint32_t element : SubtotalSelection(opening.atChange, opening.ticked)) {
        Check(names == 0 || element < names);
    }
    return 0;
}
