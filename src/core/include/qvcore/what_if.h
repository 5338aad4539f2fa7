// The rules of the what-if dialogs that need no window: how Goal Seek answers
// the host's verdict on a reference, how Goal Seek Status writes its values,
// and which input cells a data table takes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace qv::core {

// A numbered message and the form of the box that shows it: the plain box
// (one button) or the extended one (one button and the warning icon).
struct MessageChoice {
    unsigned id = 0; // 0: no message
    bool extended = false;
};

// What Goal Seek does with the host's answer to a reference check (the low
// byte of the answer) for the goal cell or the changing cell.
struct RefVerdict {
    bool accepted = false;
    MessageChoice message; // shown when the reference is refused (id 0: silently)
};

// 0 accepts; 1 "must be a single cell" (1184); 2 "must contain a formula"
// (1185); 3 "not valid": 1187 when the goal-cell text is a number, else 1284,
// and always 1284 for the changing cell (both extended); 4 "must be a number"
// (1186); anything above refuses without a message.
RefVerdict GoalSeekVerdict(std::uint8_t answer, bool goalCell, std::string_view text);

// A value as Goal Seek Status prints it: fixed notation with six decimals
// ("10.000000", "-0.500000"); values that are not finite read "#NUM!".
std::string StatusValueText(double value);

// One input cell box of a data table, read in A1 form.
enum class InputCellCheck {
    Empty,         // nothing but blanks: the box does not take part
    Cell,          // one cell reference
    NotSingleCell, // a text with ":" (a range): message 1290
    NotACell,      // anything else: message 1193
};
InputCellCheck CheckInputCell(std::string_view a1);

// A reference as a record field receives it: without surrounding blanks
// (empty for a box of blanks).
std::string FieldReference(std::string_view a1);

} // namespace qv::core
