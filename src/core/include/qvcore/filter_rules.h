// The rules of the AutoFilter dialogs that need no window: the entries of the
// value list the host hands over, how a custom condition opens (wildcards
// folded into the matching operator) and the Top 10 count.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace qv::core {

// ---- Custom AutoFilter ------------------------------------------------------

// Entries of the two operator lists (the host applies all twelve).
enum FilterOperator : int {
    kFilterNoOperator = 0, // two blanks: no condition
    kFilterEquals = 1,
    kFilterNotEquals = 2,
    kFilterBeginsWith = 7,
    kFilterNotBeginsWith = 8,
    kFilterEndsWith = 9,
    kFilterNotEndsWith = 10,
    kFilterContains = 11,
    kFilterNotContains = 12,
};
inline constexpr int kFilterOperatorCount = 13;

// The longest condition value the record holds (its field has a terminator).
inline constexpr std::size_t kFilterValueLimit = 259;

// The lines of the value list that are offered as values: every line ends
// with "\n"; the first three lines are the host's own and a last line
// without "\n" is incomplete, so neither is offered. Views into `list`.
inline constexpr int kValueListHeaderLines = 3;
std::vector<std::string_view> ValueListEntries(std::string_view list);

// How one condition opens.
struct OpenedCondition {
    int op = -1;       // entry of the operator list; -1 = no entry selected
    std::string value; // text of the value box
};

// Condition 1 (`first`) or 2 from the record's operator and value: an
// unknown operator counts as blank, and condition 1 shows "equals" for a
// blank one. A value that is empty after trimming leaves the operator list
// as it starts (condition 1 on "equals", condition 2 without selection) and
// the box empty. Otherwise "equals" or "does not equal" with a trimmed value
// that has "*" at both ends opens as "contains" / "does not contain", with a
// trailing "*" as "begins with" / "does not begin with" and with a leading
// "*" as "ends with" / "does not end with", the asterisks removed.
OpenedCondition OpenCondition(int recordOperator, std::string_view recordValue, bool first);

// ---- Top 10 -------------------------------------------------------------------

inline constexpr int kTop10MinCount = 1;
inline constexpr int kTop10MaxCount = 500;

enum class Top10Verdict {
    Valid,
    NotWhole,   // empty, or not only the digits 0-9 (message 1192)
    OutOfRange, // a whole number outside 1 to 500 (message 1250)
};

struct Top10Count {
    Top10Verdict verdict = Top10Verdict::NotWhole;
    int value = 0; // the count when valid
};

// Checks the count box's text, blanks at both ends ignored.
Top10Count CheckTop10Count(std::string_view text);

} // namespace qv::core
