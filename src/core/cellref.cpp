#include "qvcore/cellref.h"

#include "qvcore/utf8.h"

#include <climits>
#include <cstring>
#include <utility>

namespace qv::core {

namespace {

bool IsAsciiLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

char Upper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

std::string_view TrimSpaces(std::string_view text) {
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    while (!text.empty() && text.back() == ' ') {
        text.remove_suffix(1);
    }
    return text;
}

// Reads a run of decimal digits at `pos`, saturating like the C runtime's
// atoi/atol on a 32-bit long.
int32_t ReadDigits(std::string_view text, std::size_t& pos) {
    int64_t value = 0;
    while (pos < text.size() && IsDigit(text[pos])) {
        value = value * 10 + (text[pos] - '0');
        if (value > INT32_MAX) {
            value = INT32_MAX;
        }
        ++pos;
    }
    return static_cast<int32_t>(value);
}

// atoi over a whole text: leading white space, an optional sign, digits.
int32_t TextToInt(std::string_view text) {
    std::size_t pos = 0;
    while (pos < text.size() && (text[pos] == ' ' || (text[pos] >= '\t' && text[pos] <= '\r'))) {
        ++pos;
    }
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    int64_t value = ReadDigits(text, pos);
    return static_cast<int32_t>(negative ? -value : value);
}

// The column letters at `pos` as a 0-based index; -1 when there is no letter
// or the letters go beyond IV. The running value follows the historical
// reading: the first letter gives 0 to 25, each further letter
// (value + 1) * 26 + letter + 1 while the value is below 26, else
// value * 26 + letter + 1; a value of 26 or more is finally reduced by 1.
int ReadColumnLetters(std::string_view text, std::size_t& pos) {
    constexpr int64_t kUnreadable = 257;
    int64_t value = -1;
    while (pos < text.size() && IsAsciiLetter(text[pos])) {
        const int letter = Upper(text[pos]) - 'A';
        if (value < 0) {
            value = letter;
        } else if (value < 26) {
            value = (value + 1) * 26 + letter + 1;
        } else {
            value = value * 26 + letter + 1;
        }
        if (value > kUnreadable) {
            value = kUnreadable; // stays unreadable however many letters follow
        }
        ++pos;
    }
    if (value < 0 || value >= kUnreadable) {
        return -1;
    }
    return static_cast<int>(value >= 26 ? value - 1 : value);
}

void SkipDollar(std::string_view text, std::size_t& pos) {
    if (pos < text.size() && text[pos] == '$') {
        ++pos;
    }
}

// One cell: optional "$", column, optional "$", row.
void ReadCell(std::string_view text, std::size_t& pos, int32_t& row, int32_t& column) {
    SkipDollar(text, pos);
    column = ReadColumnLetters(text, pos);
    SkipDollar(text, pos);
    row = ReadDigits(text, pos);
}

// Spells a 1-based column with the alphabet into `out`; false when it cannot.
bool SpellLocalColumn(int column, const LocalAlphabet& alphabet, std::string& out) {
    const int64_t n = static_cast<int64_t>(alphabet.size());
    if (column < 1 || n == 0) {
        return false;
    }
    if (column <= n) {
        out = alphabet[static_cast<std::size_t>(column - 1)];
        return true;
    }
    int64_t q = column / n;
    int64_t r = column % n;
    if (r == 0) {
        q -= 1;
        r = n;
    }
    if (q <= n) {
        out = alphabet[static_cast<std::size_t>(q - 1)] + alphabet[static_cast<std::size_t>(r - 1)];
        return true;
    }
    int64_t q2 = q / n;
    int64_t r2 = q % n;
    if (r2 == 0) {
        q2 -= 1;
        r2 = n;
    }
    if (q2 > n) {
        return false; // more than three letters
    }
    out = alphabet[static_cast<std::size_t>(q2 - 1)] + alphabet[static_cast<std::size_t>(r2 - 1)] +
          alphabet[static_cast<std::size_t>(r - 1)];
    return true;
}

// The number (1-based) of the letter that the remaining letter text starts
// with, or 0; `length` receives the letter's length.
std::size_t MatchLocalLetter(std::string_view rest, const LocalAlphabet& alphabet,
                             std::size_t& length) {
    for (std::size_t i = 0; i < alphabet.size(); ++i) {
        if (!alphabet[i].empty() && rest == alphabet[i]) {
            length = alphabet[i].size();
            return i + 1;
        }
    }
    for (std::size_t i = 0; i < alphabet.size(); ++i) {
        const std::string& letter = alphabet[i];
        if (!letter.empty() && rest.substr(0, letter.size()) == letter) {
            length = letter.size();
            return i + 1;
        }
    }
    return 0;
}

std::string ConvertPieceFromLocal(std::string_view piece, const LocalAlphabet& alphabet) {
    CellRange range;
    const std::size_t colon = piece.find(':');
    const std::string_view first = piece.substr(0, colon);
    if (!FromLocalRef(first, alphabet, range.firstRow, range.firstColumn) ||
        range.firstColumn > kA1MaxColumn) {
        return std::string(piece);
    }
    if (colon == std::string_view::npos) {
        range.lastRow = range.firstRow;
        range.lastColumn = range.firstColumn;
    } else if (!FromLocalRef(piece.substr(colon + 1), alphabet, range.lastRow, range.lastColumn) ||
               range.lastColumn > kA1MaxColumn) {
        return std::string(piece);
    }
    return FormatA1(range);
}

} // namespace

bool IsCellRef(std::string_view text) {
    text = TrimSpaces(text);
    if (text.size() < 2) {
        return false;
    }
    std::size_t letters = 0;
    std::size_t digits = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = Upper(text[i]);
        if (c >= 'A' && c <= 'Z') {
            if (i >= 2 || digits > 0) {
                return false;
            }
            ++letters;
        } else if (IsDigit(c)) {
            if (letters == 0) {
                return false;
            }
            ++digits;
        } else {
            return false;
        }
    }
    if (letters == 0 || digits == 0) {
        return false;
    }
    if (letters == 2) {
        const char first = Upper(text[0]);
        if (first > 'I' || (first == 'I' && Upper(text[1]) > 'V')) {
            return false;
        }
    }
    std::size_t pos = letters;
    const int32_t row = ReadDigits(text, pos);
    return row >= 1 && row <= kA1MaxRow;
}

bool IsRangeRef(std::string_view text) {
    text = TrimSpaces(text);
    if (text.size() < 5) {
        return false;
    }
    const std::size_t colon = text.find(':');
    if (colon == std::string_view::npos) {
        return false;
    }
    return IsCellRef(text.substr(0, colon)) && IsCellRef(text.substr(colon + 1));
}

bool IsRefList(std::string_view text) {
    if (text.empty()) {
        return true;
    }
    for (;;) {
        const std::size_t comma = text.find(',');
        const std::string_view piece = text.substr(0, comma);
        if (!IsRangeRef(piece) && !IsCellRef(piece)) {
            return false;
        }
        if (comma == std::string_view::npos) {
            return true;
        }
        text.remove_prefix(comma + 1);
    }
}

bool ParseA1(std::string_view text, CellRange& range) {
    std::size_t pos = 0;
    CellRange r;
    ReadCell(text, pos, r.firstRow, r.firstColumn);
    if (pos < text.size()) {
        const char separator = text[pos];
        if (separator != ':' && separator != '.') {
            return false;
        }
        ++pos;
        if (separator == '.' && pos < text.size() && text[pos] == '.') {
            ++pos;
        }
        ReadCell(text, pos, r.lastRow, r.lastColumn);
        if (pos < text.size()) {
            return false;
        }
    } else {
        r.lastRow = r.firstRow;
        r.lastColumn = r.firstColumn;
    }
    if (r.lastRow < r.firstRow) {
        std::swap(r.lastRow, r.firstRow);
    }
    if (r.lastColumn < r.firstColumn) {
        std::swap(r.lastColumn, r.firstColumn);
    }
    r.firstColumn += 1;
    r.lastColumn += 1;
    r.kind = (r.firstRow == r.lastRow && r.firstColumn == r.lastColumn) ? kCellRangeSingle
                                                                        : kCellRangeBlock;
    range = r;
    return true;
}

std::string ColumnName(int index) {
    if (index < 0 || index > kA1MaxColumn) {
        return {};
    }
    std::string letters;
    for (int count = 0; count < 9; ++count) {
        letters.insert(letters.begin(), static_cast<char>('A' + index % 26));
        index /= 26;
        if (index == 0) {
            break;
        }
        index -= 1;
    }
    return letters;
}

std::string FormatA1(const CellRange& range) {
    // Columns are 1-based in the record; the names are of 0-based indexes.
    const int64_t firstIndex = static_cast<int64_t>(range.firstColumn) - 1;
    const int64_t lastIndex = static_cast<int64_t>(range.lastColumn) - 1;
    const bool single = range.firstRow == range.lastRow && firstIndex == lastIndex;
    auto cell = [](int64_t index, int32_t row) {
        std::string out = (index < 0 || index > kA1MaxColumn) ? std::string()
                                                              : ColumnName(static_cast<int>(index));
        out += std::to_string(row);
        return out;
    };
    std::string out = cell(firstIndex, range.firstRow);
    if (!single) {
        out += ':';
        out += cell(lastIndex, range.lastRow);
    }
    return out;
}

int FormatA1(const CellRange& range, char* buffer, int size) {
    if (buffer == nullptr || size == 0 || size < -1) {
        return 0;
    }
    const std::string text = FormatA1(range);
    std::size_t count = text.size();
    if (size != -1 && count > static_cast<std::size_t>(size - 1)) {
        count = static_cast<std::size_t>(size - 1);
    }
    std::memcpy(buffer, text.data(), count);
    buffer[count] = '\0';
    return static_cast<int>(count);
}

LocalAlphabet LoadLocalAlphabet(const LocaleStringLookup& lookup) {
    LocalAlphabet alphabet;
    if (!lookup) {
        return alphabet;
    }
    const unsigned block = TextToInt(lookup(kAlphabetSelectorId)) == 4 ? kAlphabetBlockAlternate
                                                                       : kAlphabetBlockDefault;
    // The count is read into a 16-bit value.
    const int16_t count = static_cast<int16_t>(TextToInt(lookup(block)));
    for (int i = 1; i <= count; ++i) {
        std::string letter = lookup(block + static_cast<unsigned>(i));
        if (letter.empty()) {
            break;
        }
        letter = Utf8Prefix(letter, kLocalLetterMaxLength);
        alphabet.push_back(std::move(letter));
    }
    return alphabet;
}

std::string LocalColumnName(int column, const LocalAlphabet& alphabet) {
    std::string out;
    if (!SpellLocalColumn(column, alphabet, out)) {
        out.clear();
    }
    return out;
}

std::string ToLocalRef(std::string_view text, int convert, const LocalAlphabet& alphabet) {
    CellRange r;
    if (convert != 1 || text.empty() || alphabet.empty() || !ParseA1(text, r)) {
        return std::string(text);
    }
    for (int32_t* value : {&r.firstRow, &r.firstColumn, &r.lastRow, &r.lastColumn}) {
        if (*value == 0) {
            *value = 1;
        }
    }
    std::string first;
    std::string last;
    if (!SpellLocalColumn(r.firstColumn, alphabet, first) ||
        !SpellLocalColumn(r.lastColumn, alphabet, last)) {
        return std::string(text);
    }
    std::string out = first + std::to_string(r.firstRow);
    if (r.firstRow != r.lastRow || r.firstColumn != r.lastColumn) {
        out += ':';
        out += last;
        out += std::to_string(r.lastRow);
    }
    return out;
}

bool FromLocalRef(std::string_view text, const LocalAlphabet& alphabet, int32_t& row,
                  int32_t& column) {
    text = TrimSpaces(text);
    std::size_t digitsAt = 0;
    while (digitsAt < text.size() && !IsDigit(text[digitsAt])) {
        ++digitsAt;
    }
    std::size_t pos = digitsAt;
    const int32_t rowValue = ReadDigits(text, pos);
    if (pos == digitsAt || pos != text.size()) {
        return false;
    }
    std::string_view rest = text.substr(0, digitsAt);
    const int64_t n = static_cast<int64_t>(alphabet.size());
    int64_t value = 0;
    int matched = 0;
    while (matched < 3 && !rest.empty()) {
        std::size_t length = 0;
        const std::size_t number = MatchLocalLetter(rest, alphabet, length);
        if (number == 0) {
            break;
        }
        value =
            matched == 0 ? static_cast<int64_t>(number) : value * n + static_cast<int64_t>(number);
        rest.remove_prefix(length);
        ++matched;
    }
    if (matched == 0 || !rest.empty()) {
        return false;
    }
    row = rowValue;
    column = static_cast<int32_t>(value > INT32_MAX ? INT32_MAX : value);
    return true;
}

std::string ConvertRefList(std::string_view text, int direction, const LocalAlphabet& alphabet) {
    if (text.empty() || (direction != kRefToLocal && direction != kRefFromLocal)) {
        return std::string(text);
    }
    std::string list;
    list.reserve(text.size());
    for (char c : text) {
        if (c != '(') {
            list.push_back(c);
        }
    }
    if (!list.empty() && list.back() == ')') {
        list.pop_back();
    }
    std::string out;
    std::string_view rest = list;
    for (;;) {
        const std::size_t comma = rest.find(',');
        const std::string_view piece = rest.substr(0, comma);
        out += direction == kRefToLocal ? ToLocalRef(piece, 1, alphabet)
                                        : ConvertPieceFromLocal(piece, alphabet);
        if (comma == std::string_view::npos) {
            break;
        }
        out += ',';
        rest.remove_prefix(comma + 1);
    }
    return out;
}

} // namespace qv::core
