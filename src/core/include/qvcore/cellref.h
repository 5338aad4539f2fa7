// Cell-reference text: A1 references and ranges, their checks, parsing and
// formatting, and the local-script column letters shown when the menu
// language is local.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace qv::core {

// Limits of the A1 form: columns A to IV, rows 1 to 65536.
inline constexpr int kA1MaxColumn = 256;
inline constexpr int kA1MaxRow = 65536;

// Cell range record: five 32-bit signed integers in this order (a host contract).
struct CellRange {
    int32_t kind = 0; // 0 = single cell, 3 = range
    int32_t firstRow = 0;
    int32_t firstColumn = 0; // 1-based after parsing
    int32_t lastRow = 0;
    int32_t lastColumn = 0;
};
inline constexpr int32_t kCellRangeSingle = 0;
inline constexpr int32_t kCellRangeBlock = 3;

// True when the text (spaces at both ends ignored, any case) is one cell
// reference such as "B7" or "iv65536". "$" is not accepted here.
bool IsCellRef(std::string_view text);

// True when the text is two cell references joined by ":" ("A1:B2").
bool IsRangeRef(std::string_view text);

// True when every piece of the text, split at ",", is a range or a cell
// reference. The empty text is the empty list and passes; an empty piece fails.
bool IsRefList(std::string_view text);

// Reads "A1", "$A$1", "A1:B2" or "A1..B2" into `range` (rows normalised so that
// first <= last, columns likewise and then made 1-based). An unreadable column
// (none, or beyond IV) becomes column 0 without failing; a missing row is 0.
// Returns false, leaving `range` untouched, when text is left over.
bool ParseA1(std::string_view text, CellRange& range);

// The A1 letters of a 0-based column index: 0 -> "A", 255 -> "IV". Empty when
// the index is negative or above 256.
std::string ColumnName(int index);

// "B3" for a single cell, "A1:B3" otherwise. Columns are 1-based; a column
// without a name is written as no letters.
std::string FormatA1(const CellRange& range);

// The same into a caller's buffer: size -1 means unbounded, otherwise at most
// size - 1 characters and a terminating zero. Any other negative size (and a
// NULL buffer) writes nothing. Returns the number of characters written.
int FormatA1(const CellRange& range, char* buffer, int size);

// The local column alphabet: letter 1 first. Each letter is a short text of
// up to 9 characters (code points of its UTF-8 text).
using LocalAlphabet = std::vector<std::string>;
inline constexpr std::size_t kLocalLetterMaxLength = 9;

// String ids of the alphabet in the locale string library.
inline constexpr unsigned kAlphabetBlockDefault = 8000;
inline constexpr unsigned kAlphabetBlockAlternate = 10300;
inline constexpr unsigned kAlphabetSelectorId = 10010;

// Loads a string of the locale string library by id; returns "" when missing.
using LocaleStringLookup = std::function<std::string(unsigned id)>;

// Builds the alphabet from the locale strings: block 8000, or 10300 when
// string 10010 reads 4. The block's first string is the letter count (decimal,
// a 16-bit value); the letters follow. Letters are cut to 9 characters and
// the alphabet ends early at the first missing (empty) letter.
LocalAlphabet LoadLocalAlphabet(const LocaleStringLookup& lookup);

// The local spelling of a 1-based column, at most three letters. Empty when
// the column is below 1, the alphabet is empty, or the column needs more than
// three letters.
std::string LocalColumnName(int column, const LocalAlphabet& alphabet);

// A1 reference text rewritten with local column letters when `convert` is 1
// ("$" dropped, the range normalised, a zero row or column written as 1).
// Unchanged when `convert` is not 1, the text is empty or does not parse,
// the alphabet is empty, or a column cannot be spelled.
std::string ToLocalRef(std::string_view text, int convert, const LocalAlphabet& alphabet);

// Reads a local-script cell reference (letters, then decimal row) into its
// row and 1-based column. At most three letters are read; at each step the
// whole remaining letter text is tried against every letter first, then every
// letter in alphabet order against as many leading characters as it has. True
// only when at least one letter matched, the letters used up the whole letter
// part and the row part is a non-empty run of digits; spaces at both ends are
// ignored. `row` and `column` are written only on success.
bool FromLocalRef(std::string_view text, const LocalAlphabet& alphabet, int32_t& row,
                  int32_t& column);

// Converts a comma-separated list of references: direction 0 from A1 to the
// local script, 1 from the local script to A1. Every "(" and one trailing ")"
// are removed first. A piece that does not convert is kept as it is. An empty
// text, or an unknown direction, gives the text back unchanged.
inline constexpr int kRefToLocal = 0;
inline constexpr int kRefFromLocal = 1;
std::string ConvertRefList(std::string_view text, int direction, const LocalAlphabet& alphabet);

} // namespace qv::core
