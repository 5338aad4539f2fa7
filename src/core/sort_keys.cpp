#include "qvcore/sort_keys.h"

namespace qv::core {
namespace {

constexpr int kLetters = 26;
constexpr int kLastColumn = 256;

// The Hindi letters in the Hindi display font's encoding, A to Z.
constexpr const char* kHindiLetters[kLetters] = {"G", "Ht", "It", "Jt", "Kt", "L", "Mt", "Nt", "O",
                                                 "Q", "R",  "St", "Tt", "Ut", "V", "Wt", "Xt", "Yt",
                                                 "a", "bt", "ct", "dt", "et", "f", "it", "jt"};

// Letter k (1 to 26).
std::string Letter(int k, KeyLetters letters) {
    switch (letters) {
    case KeyLetters::Hindi:
        return kHindiLetters[k - 1];
    case KeyLetters::Tamil: {
        // The Tamil font's letters run from code 220, without 230 and 231.
        const int code = k <= 10 ? 219 + k : 221 + k;
        return std::string(1, static_cast<char>(static_cast<unsigned char>(code)));
    }
    case KeyLetters::English:
    default:
        return std::string(1, static_cast<char>('A' + k - 1));
    }
}

} // namespace

std::string SortColumnLetters(int column, KeyLetters letters) {
    if (column < 1 || column > kLastColumn) {
        return {};
    }
    if (column <= kLetters) {
        return Letter(column, letters);
    }
    int q = column / kLetters;
    int r = column % kLetters;
    if (r == 0) {
        q -= 1;
        r = kLetters;
    }
    return Letter(q, letters) + Letter(r, letters);
}

SortKeyFault CheckSortKeys(int key1, int key2, int key3) {
    if (key1 < 1) {
        return SortKeyFault::FirstMissing;
    }
    if (key1 == key2) {
        return SortKeyFault::FirstIsSecond;
    }
    if (key1 == key3) {
        return SortKeyFault::FirstIsThird;
    }
    if (key2 >= 1 && key2 == key3) {
        return SortKeyFault::SecondIsThird;
    }
    return SortKeyFault::None;
}

} // namespace qv::core
