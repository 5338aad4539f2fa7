// Texts the sheet and file dialogs build from what the host packs into its
// records: "*"-terminated name lists, the password prompt, the list columns
// of the Templates sheet. Plain string work, no windows.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qv::workbook {

// The longest book or sheet name the dialogs take from the host; longer
// names are cut to this length.
constexpr size_t kMaxSheetName = 255;

// One open workbook as Move or Copy lists it.
struct PackedBook {
    std::string name;                // text up to the first "*" ("" without one)
    std::vector<std::string> sheets; // each name followed by "*"; a last name
                                     // without its "*" is taken as it is
};

// "Book*Sheet1*Sheet2*" -> {"Book", {"Sheet1", "Sheet2"}}. An entry without
// any "*" gives an empty name and no sheets. Names are cut to `maxName`.
PackedBook ParseBookEntry(std::string_view entry, size_t maxName = kMaxSheetName);

// The names of "A*B*" that are followed by a "*": text after the last "*"
// is ignored, "**" gives an empty name.
std::vector<std::string> SplitStarTerminated(std::string_view text);

// The Password prompt: the file name in single quotes, cut to its first 28
// characters followed by "...'" when the quoted name has 28 characters or
// more. The file name is the text after the backslash that precedes ".xls";
// without ".xls", or without a backslash before it, the text after the last
// backslash (the whole path without any).
std::string PasswordPrompt(std::string_view path);

// True for an optional sign followed by one or more digits and nothing else.
bool IsWholeNumberText(std::string_view text);

// The folder part of a path: up to and including the last backslash ("" when
// there is none).
std::string FolderOf(std::string_view path);

// A file size as the Templates list shows it: whole kilobytes (at least 1),
// a space and the unit.
std::string KilobyteText(uint64_t bytes, std::string_view unit);

// A date and time as "%c" gives it in the C locale: "MM/DD/YY HH:MM:SS".
struct LocalTime {
    int year = 1970, month = 1, day = 1, hour = 0, minute = 0, second = 0;
};
std::string FormatTimeC(const LocalTime& time);

// Line breaks as a multi-line edit box needs them: every lone "\n" or "\r"
// becomes "\r\n".
std::string WithCrLf(std::string_view text);

} // namespace qv::workbook
