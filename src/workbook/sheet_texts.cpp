#include "workbook/sheet_texts.h"

#include <cstdio>

namespace qv::workbook {
namespace {

std::string Cut(std::string_view text, size_t limit) {
    return std::string(text.substr(0, limit));
}

int Clamp(int value, int low, int high) {
    return value < low ? low : value > high ? high : value;
}

} // namespace

PackedBook ParseBookEntry(std::string_view entry, size_t maxName) {
    PackedBook book;
    const size_t star = entry.find('*');
    if (star == std::string_view::npos) {
        return book;
    }
    book.name = Cut(entry.substr(0, star), maxName);
    std::string_view rest = entry.substr(star + 1);
    while (!rest.empty()) {
        const size_t next = rest.find('*');
        if (next == std::string_view::npos) {
            book.sheets.push_back(Cut(rest, maxName));
            break;
        }
        book.sheets.push_back(Cut(rest.substr(0, next), maxName));
        rest = rest.substr(next + 1);
    }
    return book;
}

std::vector<std::string> SplitStarTerminated(std::string_view text) {
    std::vector<std::string> names;
    size_t start = 0;
    for (size_t star = text.find('*'); star != std::string_view::npos;
         star = text.find('*', start)) {
        names.emplace_back(text.substr(start, star - start));
        start = star + 1;
    }
    return names;
}

std::string PasswordPrompt(std::string_view path) {
    std::string_view name = path;
    const size_t xls = path.find(".xls");
    const size_t slash =
        xls == std::string_view::npos ? std::string_view::npos : path.rfind('\\', xls);
    if (slash != std::string_view::npos) {
        name = path.substr(slash + 1);
    } else {
        const size_t last = path.rfind('\\');
        name = last == std::string_view::npos ? path : path.substr(last + 1);
    }
    constexpr size_t kLongest = 28;
    std::string prompt;
    prompt.reserve(name.size() + 2);
    prompt.push_back('\'');
    prompt.append(name);
    prompt.push_back('\'');
    if (prompt.size() >= kLongest) {
        prompt.resize(kLongest);
        prompt.append("...'");
    }
    return prompt;
}

bool IsWholeNumberText(std::string_view text) {
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        text.remove_prefix(1);
    }
    if (text.empty()) {
        return false;
    }
    for (char c : text) {
        if (c < '0' || c > '9') {
            return false;
        }
    }
    return true;
}

std::string FolderOf(std::string_view path) {
    const size_t slash = path.rfind('\\');
    return slash == std::string_view::npos ? std::string() : std::string(path.substr(0, slash + 1));
}

std::string KilobyteText(uint64_t bytes, std::string_view unit) {
    uint64_t kilobytes = bytes / 1024;
    if (kilobytes < 1) {
        kilobytes = 1;
    }
    return std::to_string(kilobytes) + " " + std::string(unit);
}

std::string FormatTimeC(const LocalTime& time) {
    char text[32];
    std::snprintf(text, sizeof text, "%02d/%02d/%02d %02d:%02d:%02d", Clamp(time.month, 1, 12),
                  Clamp(time.day, 1, 31), ((time.year % 100) + 100) % 100, Clamp(time.hour, 0, 23),
                  Clamp(time.minute, 0, 59), Clamp(time.second, 0, 61));
    return text;
}

std::string WithCrLf(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r') {
            out += "\r\n";
            if (i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
        } else if (c == '\n') {
            out += "\r\n";
        } else {
            out += c;
        }
    }
    return out;
}

} // namespace qv::workbook
