#include "qvcore/numbers.h"

#include <cstdlib>
#include <limits>

namespace qv::core {
namespace {

bool IsSpaceChar(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

} // namespace

std::string_view TrimWhiteSpace(std::string_view text) {
    while (!text.empty() && IsSpaceChar(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsSpaceChar(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

int32_t AtoiClamped(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && IsSpaceChar(text[i])) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    int64_t value = 0;
    const int64_t limit = negative ? -static_cast<int64_t>(std::numeric_limits<int32_t>::min())
                                   : std::numeric_limits<int32_t>::max();
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value >= limit) {
            value = limit;
        }
    }
    return static_cast<int32_t>(negative ? -value : value);
}

std::string RemoveSpaces(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (c != ' ') {
            out.push_back(c);
        }
    }
    return out;
}

bool IsSizeNumber(std::string_view text) {
    text = TrimWhiteSpace(text);
    if (text.empty() || text == "+" || text == "-") {
        return false;
    }
    if (text.front() == '+' || text.front() == '-') {
        text.remove_prefix(1);
    }
    int dots = 0;
    for (char c : text) {
        if (c == '.') {
            if (++dots > 1) {
                return false;
            }
        } else if (c < '0' || c > '9') {
            return false;
        }
    }
    return true;
}

bool IsPlainNumber(std::string_view text) {
    text = TrimWhiteSpace(text);
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        text.remove_prefix(1);
    }
    int dots = 0;
    int digits = 0;
    for (char c : text) {
        if (c == '.') {
            if (++dots > 1) {
                return false;
            }
        } else if (c >= '0' && c <= '9') {
            ++digits;
        } else {
            return false;
        }
    }
    return digits > 0;
}

double SizeNumberValue(std::string_view text) {
    std::string copy(TrimWhiteSpace(text));
    return std::strtod(copy.c_str(), nullptr);
}

} // namespace qv::core
