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

} // namespace qv::core
