#include "qvcore/profile_text.h"

#include <climits>

namespace qv::core {

namespace {

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsSpace(s.front())) {
        s.remove_prefix(1);
    }
    while (!s.empty() && IsSpace(s.back())) {
        s.remove_suffix(1);
    }
    return s;
}

char Lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(std::string_view stored, std::string_view wanted) {
    wanted = Trim(wanted);
    if (stored.size() != wanted.size()) {
        return false;
    }
    for (size_t i = 0; i < stored.size(); ++i) {
        if (Lower(stored[i]) != Lower(wanted[i])) {
            return false;
        }
    }
    return true;
}

bool HasLineBreak(std::string_view s) {
    return s.find_first_of("\r\n") != std::string_view::npos;
}

bool IsBlank(std::string_view s) {
    return Trim(s).empty();
}

} // namespace

bool IsValidProfileSection(std::string_view section) {
    return !Trim(section).empty() && section.find(']') == std::string_view::npos &&
           !HasLineBreak(section);
}

bool IsValidProfileKey(std::string_view key) {
    std::string_view t = Trim(key);
    return !t.empty() && t.front() != '[' && t.front() != ';' && t.front() != '#' &&
           key.find('=') == std::string_view::npos && !HasLineBreak(key);
}

bool IsValidProfileValue(std::string_view value) {
    return !HasLineBreak(value);
}

std::string QuoteProfileValue(std::string_view value) {
    bool enclosed = value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
                    value.back() == value.front();
    if (enclosed || Trim(value).size() != value.size()) {
        std::string quoted = "\"";
        quoted += value;
        quoted += '"';
        return quoted;
    }
    return std::string(value);
}

std::string UnquoteProfileValue(std::string_view stored) {
    stored = Trim(stored);
    if (stored.size() >= 2 && (stored.front() == '"' || stored.front() == '\'') &&
        stored.back() == stored.front()) {
        stored = stored.substr(1, stored.size() - 2);
    }
    return std::string(stored);
}

int ParseProfileInt(std::string_view value, int def) {
    value = Trim(value);
    if (value.empty()) {
        return def;
    }
    bool negative = false;
    size_t i = 0;
    if (value[0] == '+' || value[0] == '-') {
        negative = value[0] == '-';
        i = 1;
    }
    long long n = 0;
    for (; i < value.size() && value[i] >= '0' && value[i] <= '9'; ++i) {
        if (n <= static_cast<long long>(INT_MAX) + 1) {
            n = n * 10 + (value[i] - '0');
        }
    }
    if (negative) {
        n = -n;
    }
    if (n > INT_MAX) {
        return INT_MAX;
    }
    if (n < INT_MIN) {
        return INT_MIN;
    }
    return static_cast<int>(n);
}

ProfileText::Line ProfileText::Classify(std::string text, std::string ending, bool first) {
    Line line;
    std::string_view view = text;
    if (first && view.substr(0, 3) == "\xEF\xBB\xBF") {
        view.remove_prefix(3); // a UTF-8 byte-order mark is not part of the first line
    }
    std::string_view t = Trim(view);
    if (!t.empty() && t.front() == '[') {
        size_t close = t.rfind(']');
        if (close != std::string_view::npos) {
            line.kind = Kind::Section;
            line.name = std::string(Trim(t.substr(1, close - 1)));
        }
    } else if (!t.empty() && t.front() != ';' && t.front() != '#') {
        size_t eq = t.find('=');
        if (eq != std::string_view::npos && !Trim(t.substr(0, eq)).empty()) {
            line.kind = Kind::Entry;
            line.name = std::string(Trim(t.substr(0, eq)));
            line.value = std::string(Trim(t.substr(eq + 1)));
        }
    }
    line.text = std::move(text);
    line.ending = std::move(ending);
    return line;
}

ProfileText ProfileText::Parse(std::string_view text) {
    ProfileText doc;
    bool styleKnown = false;
    size_t start = 0;
    while (start < text.size()) {
        size_t nl = text.find('\n', start);
        std::string_view body;
        std::string ending;
        if (nl == std::string_view::npos) {
            body = text.substr(start);
            start = text.size();
        } else {
            body = text.substr(start, nl - start);
            start = nl + 1;
            if (!body.empty() && body.back() == '\r') {
                body.remove_suffix(1);
                ending = "\r\n";
            } else {
                ending = "\n";
            }
            if (!styleKnown) {
                doc.newline_ = ending;
                styleKnown = true;
            }
        }
        doc.lines_.push_back(Classify(std::string(body), std::move(ending), doc.lines_.empty()));
    }
    return doc;
}

std::string ProfileText::Serialize() const {
    std::string out;
    size_t total = 0;
    for (const Line& line : lines_) {
        total += line.text.size() + line.ending.size();
    }
    out.reserve(total);
    for (const Line& line : lines_) {
        out += line.text;
        out += line.ending;
    }
    return out;
}

long ProfileText::FindSection(std::string_view section) const {
    for (size_t i = 0; i < lines_.size(); ++i) {
        if (lines_[i].kind == Kind::Section && SameName(lines_[i].name, section)) {
            return static_cast<long>(i);
        }
    }
    return -1;
}

size_t ProfileText::SectionEnd(size_t header) const {
    size_t i = header + 1;
    while (i < lines_.size() && lines_[i].kind != Kind::Section) {
        ++i;
    }
    return i;
}

long ProfileText::FindKey(size_t header, std::string_view key) const {
    size_t end = SectionEnd(header);
    for (size_t i = header + 1; i < end; ++i) {
        if (lines_[i].kind == Kind::Entry && SameName(lines_[i].name, key)) {
            return static_cast<long>(i);
        }
    }
    return -1;
}

void ProfileText::Insert(size_t pos, Line line) {
    if (pos > 0 && lines_[pos - 1].ending.empty()) {
        lines_[pos - 1].ending = newline_;
    }
    line.ending = newline_;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(pos), std::move(line));
}

bool ProfileText::HasSection(std::string_view section) const {
    return FindSection(section) >= 0;
}

std::optional<std::string> ProfileText::Get(std::string_view section, std::string_view key) const {
    long header = FindSection(section);
    if (header < 0) {
        return std::nullopt;
    }
    long at = FindKey(static_cast<size_t>(header), key);
    if (at < 0) {
        return std::nullopt;
    }
    return UnquoteProfileValue(lines_[static_cast<size_t>(at)].value);
}

std::vector<std::pair<std::string, std::string>>
ProfileText::Entries(std::string_view section) const {
    std::vector<std::pair<std::string, std::string>> entries;
    long header = FindSection(section);
    if (header < 0) {
        return entries;
    }
    size_t end = SectionEnd(static_cast<size_t>(header));
    for (size_t i = static_cast<size_t>(header) + 1; i < end; ++i) {
        if (lines_[i].kind == Kind::Entry) {
            entries.emplace_back(lines_[i].name, UnquoteProfileValue(lines_[i].value));
        }
    }
    return entries;
}

bool ProfileText::Set(std::string_view section, std::string_view key, std::string_view value) {
    if (!IsValidProfileSection(section) || !IsValidProfileKey(key) || !IsValidProfileValue(value)) {
        return false;
    }
    std::string stored = QuoteProfileValue(value);
    long header = FindSection(section);
    if (header >= 0) {
        long at = FindKey(static_cast<size_t>(header), key);
        if (at >= 0) {
            Line& line = lines_[static_cast<size_t>(at)];
            bool mark = at == 0 && line.text.compare(0, 3, "\xEF\xBB\xBF") == 0;
            line.text = (mark ? "\xEF\xBB\xBF" : "") + line.name + "=" + stored;
            line.value = stored;
            return true;
        }
        // After the section's last non-blank line, so blank separators stay last.
        size_t pos = static_cast<size_t>(header) + 1;
        size_t end = SectionEnd(static_cast<size_t>(header));
        for (size_t i = pos; i < end; ++i) {
            if (!IsBlank(lines_[i].text)) {
                pos = i + 1;
            }
        }
        Insert(pos, Classify(std::string(Trim(key)) + "=" + stored, {}, false));
        return true;
    }
    if (!lines_.empty() && !IsBlank(lines_.back().text)) {
        Insert(lines_.size(), Line{});
    }
    std::string headerLine = "[";
    headerLine += Trim(section);
    headerLine += ']';
    Insert(lines_.size(), Classify(std::move(headerLine), {}, lines_.empty()));
    Insert(lines_.size(), Classify(std::string(Trim(key)) + "=" + stored, {}, false));
    return true;
}

bool ProfileText::RemoveKey(std::string_view section, std::string_view key) {
    long header = FindSection(section);
    if (header < 0) {
        return false;
    }
    long at = FindKey(static_cast<size_t>(header), key);
    if (at < 0) {
        return false;
    }
    lines_.erase(lines_.begin() + at);
    return true;
}

bool ProfileText::RemoveSection(std::string_view section) {
    long header = FindSection(section);
    if (header < 0) {
        return false;
    }
    size_t end = SectionEnd(static_cast<size_t>(header));
    lines_.erase(lines_.begin() + header, lines_.begin() + static_cast<std::ptrdiff_t>(end));
    return true;
}

} // namespace qv::core
