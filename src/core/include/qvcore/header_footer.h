// Header and footer texts: the host's code language ("&P", "&N", ...), the
// field tokens the user edits ("&[Page]"), the sample text the previews show,
// and the short list of predefined headers and footers.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace qv::core {

// The fields, in the order of their buttons in the custom dialog and of
// their token strings.
enum HeaderField : int {
    kFieldPage = 0,  // "&P"
    kFieldPages = 1, // "&N"
    kFieldDate = 2,  // "&d{%x}"
    kFieldTime = 3,  // "&d{%I:%M %p}"
    kFieldPath = 4,  // "&Z"
    kFieldFile = 5,  // "&F"
    kFieldSheet = 6, // "&A"
};
inline constexpr int kHeaderFieldCount = 7;

// The code of a field in the stored form.
const char* HeaderFieldCode(int field);

// The token of each field as the user sees it (a language string of the form
// two characters, the field's word, "]"); an empty token never matches.
using FieldTokens = std::array<std::string, kHeaderFieldCount>;

// The longest section text the record holds, without its terminator.
inline constexpr std::size_t kSectionMaxLength = 254;

// Every code replaced by its token (opening a section for editing).
std::string CodesToTokens(std::string_view text, const FieldTokens& tokens);

// Every token replaced by its code (storing), tokens tried in the order
// number of pages, page number, date, time, file path, file name, sheet
// name. The result is cut to kSectionMaxLength characters.
std::string TokensToCodes(std::string_view text, const FieldTokens& tokens);

// What the previews show for the fields: page and number of pages read "1".
struct PreviewValues {
    std::string date;  // DateSampleText of today
    std::string time;  // TimeSampleText of now
    std::string path;  // the workbook's path
    std::string file;  // the workbook's file name
    std::string sheet; // the sheet name (English menu) or the sheet caption
};

// A section text with every token and every code replaced by its value.
std::string PreviewText(std::string_view text, const FieldTokens& tokens,
                        const PreviewValues& values);

// "month/day/year" without leading zeros.
std::string DateSampleText(int year, int month, int day);
// "hour:minutes AM" on the 12-hour clock (0:05 is 12:05 AM, 12:05 PM).
std::string TimeSampleText(int hour, int minute);

// The word of a token: what lies between its second character and its last
// "]" (empty when there is none).
std::string TokenWord(std::string_view token);

// The sheet entry of the predefined lists: the sheet's name with the English
// menu; otherwise the local word for a sheet followed by what comes after a
// leading "Sheet", or the word alone.
std::string SheetCaption(std::string_view sheetName, bool englishMenu, std::string_view sheetWord);

// The predefined headers and footers, by list entry.
enum HeaderPreset : int {
    kPresetNone = 0,        // all three sections empty
    kPresetPage = 1,        // centre: page word, blank, page token
    kPresetPageOfPages = 2, // centre: page word, blank, page token, "/", pages token
    kPresetSheet = 3,       // centre: sheet token
    kPresetOther = 4,       // anything else: the inserted fifth entry
};

// The centre section of a predefined entry, in token form (entries 1 to 3;
// empty otherwise).
std::string PresetCentre(int preset, const FieldTokens& tokens);

// The entry that matches three sections in token form.
int MatchPreset(std::string_view left, std::string_view centre, std::string_view right,
                const FieldTokens& tokens);

} // namespace qv::core
