// The large lists the crash test's writer saves: list k is a text of about
// kBigListBytes whose every entry names k, so a list read back can be told
// whole or cut.
#pragma once

#include <string>

namespace qvtest {

inline constexpr size_t kBigListBytes = 3u << 20;

inline std::string BigList(int k) {
    std::string entry = "list ";
    entry += std::to_string(k);
    entry += " entry;";
    std::string text;
    text.reserve(kBigListBytes + entry.size());
    while (text.size() < kBigListBytes) {
        text += entry;
    }
    return text;
}

} // namespace qvtest
