#include "qvcore/sort_keys.h"

namespace qv::core {
namespace {

constexpr int kLetters = 26;
constexpr int kLastColumn = 256;

// Letter k (1 to 26).
std::string Letter(int k, const LocalAlphabet* local) {
    if (local != nullptr) {
        return (*local)[static_cast<std::size_t>(k - 1)];
    }
    return std::string(1, static_cast<char>('A' + k - 1));
}

} // namespace

std::string SortColumnLetters(int column, const LocalAlphabet* local) {
    if (column < 1 || column > kLastColumn) {
        return {};
    }
    const LocalAlphabet* letters = local != nullptr && local->size() >= kLetters ? local : nullptr;
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
