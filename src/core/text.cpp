#include "qvcore/text.h"

namespace qv::core {

std::string RemoveDots(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (c != '.') {
            out.push_back(c);
        }
    }
    return out;
}

std::string_view TrimBlanks(std::string_view text) {
    const auto blank = [](char c) {
        return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
    };
    while (!text.empty() && blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && blank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

std::string StripTrailingBackslash(std::string_view path) {
    if (!path.empty() && path.back() == '\\') {
        path.remove_suffix(1);
    }
    return std::string(path);
}

size_t BoundedLength(const char* text, size_t limit) {
    if (text == nullptr) {
        return 0;
    }
    size_t n = 0;
    while (n < limit && text[n] != '\0') {
        ++n;
    }
    return n;
}

void AppendDecimal(std::string& out, std::int64_t value, int width) {
    char digits[24];
    int n = 0;
    std::uint64_t magnitude =
        value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    do {
        digits[n++] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    while (n < width && n < static_cast<int>(sizeof digits)) {
        digits[n++] = '0';
    }
    if (value < 0) {
        out.push_back('-');
    }
    while (n > 0) {
        out.push_back(digits[--n]);
    }
}

} // namespace qv::core
