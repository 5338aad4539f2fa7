// Custom-list texts: the stored form, the entries box and the import range on
// arbitrary text. Split entries are clean, joining and splitting again gives
// the same entries, and the comparison key does not depend on the spelling of
// the separators.
#include "qvcore/custom_lists.h"

#include <cstdint>
#include <cstdlib>
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

bool Clean(const std::string& entry, std::string_view forbidden) {
    return !entry.empty() && entry.find_first_of(forbidden) == std::string::npos &&
           entry.front() != ' ' && entry.front() != '\t' && entry.back() != ' ' &&
           entry.back() != '\t';
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    const std::vector<std::string> stored = SplitListText(text);
    for (const std::string& entry : stored) {
        Check(Clean(entry, ";"));
    }
    const std::string joined = JoinListText(stored);
    Check(SplitListText(joined) == stored);
    Check(ListKey(text) == ListKey(joined));
    Check(ListKey(ListKey(text)) == ListKey(text));

    const std::vector<std::string> lines = SplitEntryLines(text);
    for (const std::string& entry : lines) {
        Check(Clean(entry, "\r\n"));
    }
    Check(SplitEntryLines(JoinEntryLines(lines)) == lines);
    Check(SplitEntryLines(JoinEntryLines(lines, "\n")) == lines);

    const ListCheck check = CheckListEntries(lines);
    if (check.problem == ListProblem::None) {
        // What passes the check is stored and read back unchanged.
        Check(!lines.empty() && SplitListText(JoinListText(lines)) == lines);
        Check(JoinListText(lines).size() <= kMaxListText);
    } else if (check.problem != ListProblem::NoEntries &&
               check.problem != ListProblem::ListTooLong) {
        Check(check.entry < lines.size());
    }
    SortOrderFileText(text);

    // The orientation question does not depend on which corner comes first.
    const size_t colon = text.find(':');
    const bool oneLine = ImportRangeIsOneLine(text);
    if (colon != std::string_view::npos && text.find(':', colon + 1) == std::string_view::npos) {
        const std::string swapped =
            std::string(text.substr(colon + 1)) + ":" + std::string(text.substr(0, colon));
        Check(ImportRangeIsOneLine(swapped) == oneLine);
    }
    return 0;
}
