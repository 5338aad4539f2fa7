#include "qvcore/filter_rules.h"

#include "qvcore/text.h"

namespace qv::core {

std::vector<std::string_view> ValueListEntries(std::string_view list) {
    std::vector<std::string_view> entries;
    int line = 0;
    std::size_t start = 0;
    for (std::size_t end = list.find('\n'); end != std::string_view::npos;
         end = list.find('\n', start)) {
        if (++line > kValueListHeaderLines) {
            entries.push_back(list.substr(start, end - start));
        }
        start = end + 1;
    }
    return entries;
}

OpenedCondition OpenCondition(int recordOperator, std::string_view recordValue, bool first) {
    OpenedCondition opened;
    opened.op = first ? kFilterEquals : -1;
    const std::string_view value = TrimBlanks(recordValue);
    if (value.empty()) {
        return opened;
    }
    int op = recordOperator;
    if (first && op == kFilterNoOperator) {
        op = kFilterEquals;
    }
    if (op < 0 || op >= kFilterOperatorCount) {
        op = kFilterNoOperator;
    }
    std::string_view shown = value;
    if (op == kFilterEquals || op == kFilterNotEquals) {
        const bool leading = value.front() == '*';
        const bool trailing = value.back() == '*';
        if (leading && trailing) {
            op += kFilterContains - kFilterEquals;
            // A lone "*" is both ends at once and leaves nothing.
            shown = value.size() >= 2 ? value.substr(1, value.size() - 2) : std::string_view();
        } else if (trailing) {
            op += kFilterBeginsWith - kFilterEquals;
            shown.remove_suffix(1);
        } else if (leading) {
            op += kFilterEndsWith - kFilterEquals;
            shown.remove_prefix(1);
        }
    }
    opened.op = op;
    opened.value = std::string(shown);
    return opened;
}

Top10Count CheckTop10Count(std::string_view text) {
    text = TrimBlanks(text);
    Top10Count count;
    if (text.empty()) {
        return count;
    }
    long long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') {
            return count;
        }
        if (value <= kTop10MaxCount) {
            value = value * 10 + (c - '0');
        }
    }
    if (value < kTop10MinCount || value > kTop10MaxCount) {
        count.verdict = Top10Verdict::OutOfRange;
        return count;
    }
    count.verdict = Top10Verdict::Valid;
    count.value = static_cast<int>(value);
    return count;
}

} // namespace qv::core
