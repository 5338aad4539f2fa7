// Cell-reference text: every entry point on arbitrary text with an arbitrary
// local alphabet; parsed references format and parse back unchanged, and with
// a prefix-free alphabet every spellable reference reads back from the local
// form.
#include "qvcore/cellref.h"
#include "qvcore/utf8.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
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

bool SameRange(const CellRange& a, const CellRange& b) {
    return a.kind == b.kind && a.firstRow == b.firstRow && a.firstColumn == b.firstColumn &&
           a.lastRow == b.lastRow && a.lastColumn == b.lastColumn;
}

// Letters the list conversion can carry: non-empty, no digit, blank or list
// punctuation, and no letter the start of another.
bool IsCleanAlphabet(const LocalAlphabet& alphabet) {
    for (const std::string& letter : alphabet) {
        if (letter.empty() || letter.find_first_of("0123456789 ,:()") != std::string::npos) {
            return false;
        }
        for (const std::string& other : alphabet) {
            if (&other != &letter && other.compare(0, letter.size(), letter) == 0) {
                return false;
            }
        }
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view input(reinterpret_cast<const char*>(data), size);
    // Either the first byte picks up to 15 letters from a pool (the next bytes
    // choose them) and the rest is the text, or the input is split at line
    // feeds: the text, then the letters.
    static const char* const kPool[] = {"Ka", "Kha", "K",  "Ga",   "A",    "B",  "ab", "Q",
                                        "Zy", "x",   "Kh", "Ksha", "\xC0", "a$", "",   "1"};
    std::vector<std::string> segments;
    if (size > 0 && (data[0] & 0x80) != 0) {
        const std::size_t n = std::min<std::size_t>(data[0] & 0x0F, size - 1);
        segments.emplace_back(input.substr(1 + n));
        for (std::size_t i = 0; i < n; ++i) {
            segments.emplace_back(kPool[data[1 + i] % 16]);
        }
    } else {
        std::size_t start = 0;
        for (;;) {
            const std::size_t end = input.find('\n', start);
            segments.emplace_back(
                input.substr(start, end == std::string_view::npos ? end : end - start));
            if (end == std::string_view::npos || segments.size() > 64) {
                break;
            }
            start = end + 1;
        }
    }
    const std::string& text = segments[0];
    const LocalAlphabet alphabet(segments.begin() + 1, segments.end());

    const bool cell = IsCellRef(text);
    const bool range = IsRangeRef(text);
    if (cell || range) {
        Check(IsRefList(text));
    }
    IsRefList(text);

    CellRange r;
    if (ParseA1(text, r)) {
        Check(r.firstRow <= r.lastRow && r.firstColumn <= r.lastColumn);
        Check(r.firstColumn >= 0 && r.lastColumn <= kA1MaxColumn);
        CellRange again;
        const std::string formatted = FormatA1(r);
        Check(ParseA1(formatted, again) && SameRange(r, again));

        char buffer[16];
        const int limit = size > 0 ? static_cast<int>(data[0] % 18) - 1 : -1;
        if (limit != -1 || formatted.size() < sizeof buffer) {
            const int n = FormatA1(r, buffer, limit == -1 ? -1 : std::min(limit, 16));
            if (limit > 0) {
                Check(static_cast<std::size_t>(n) < static_cast<std::size_t>(limit) &&
                      std::strlen(buffer) == static_cast<std::size_t>(n) &&
                      formatted.compare(0, n, buffer) == 0);
            }
        }

        if (IsCleanAlphabet(alphabet) && r.firstRow >= 1 && r.firstColumn >= 1 &&
            !LocalColumnName(r.firstColumn, alphabet).empty() &&
            !LocalColumnName(r.lastColumn, alphabet).empty()) {
            const std::string local = ConvertRefList(formatted, kRefToLocal, alphabet);
            Check(ConvertRefList(local, kRefFromLocal, alphabet) == formatted);
        }
    }
    // Every spellable column of a clean alphabet reads back, whatever the text.
    if (IsCleanAlphabet(alphabet) && !alphabet.empty()) {
        for (std::size_t i = 0; i + 1 < size && i < 8; i += 2) {
            const int32_t col = (data[i] | (data[i + 1] << 8)) % kA1MaxColumn + 1;
            const int32_t last = (col * 7) % kA1MaxColumn + 1;
            const CellRange cells{0, 1 + data[i], std::min(col, last), 70000, std::max(col, last)};
            const std::string a1 = FormatA1(cells);
            const std::string local = ConvertRefList(a1, kRefToLocal, alphabet);
            if (!LocalColumnName(cells.firstColumn, alphabet).empty() &&
                !LocalColumnName(cells.lastColumn, alphabet).empty()) {
                Check(ConvertRefList(local, kRefFromLocal, alphabet) == a1);
            } else {
                Check(local == a1);
            }
        }
    }
    if (cell && text.find(' ') == std::string::npos) {
        Check(ParseA1(text, r) && r.kind == kCellRangeSingle && r.firstColumn >= 1 &&
              r.firstRow >= 1 && r.firstRow <= kA1MaxRow);
    }

    if (size > 0) {
        const std::string name = ColumnName(static_cast<int>(data[0]) * 3 - 200);
        Check(name.size() <= 2);
    }
    ToLocalRef(text, 1, alphabet);
    int32_t row = 0;
    int32_t column = 0;
    if (FromLocalRef(text, alphabet, row, column)) {
        Check(row >= 0 && column >= 1);
    }
    ConvertRefList(text, kRefToLocal, alphabet);
    ConvertRefList(text, kRefFromLocal, alphabet);

    // The alphabet rule over the same segments as locale strings.
    const LocalAlphabet loaded = LoadLocalAlphabet([&](unsigned id) -> std::string {
        if (id == kAlphabetSelectorId) {
            return segments.size() > 1 ? segments[1] : std::string();
        }
        if (id == kAlphabetBlockDefault || id == kAlphabetBlockAlternate) {
            return segments.size() > 2 ? segments[2] : std::string();
        }
        for (unsigned block : {kAlphabetBlockDefault, kAlphabetBlockAlternate}) {
            if (id > block && id - block + 2 < segments.size()) {
                return segments[id - block + 2];
            }
        }
        return std::string();
    });
    for (const std::string& letter : loaded) {
        Check(!letter.empty() && Utf8Length(letter) <= kLocalLetterMaxLength);
    }
    return 0;
}
