// The text of an INI-style profile file: "[Section]" lines and "key=value"
// lines, read and edited the way Win32 profile files behave. Section and key
// names are compared ignoring ASCII case and surrounding white space; the
// first occurrence of a section (and of a key inside it) is the one that
// counts. Every line the editor does not touch is written back exactly as it
// was read, with its own line ending, so that Serialize(Parse(text)) == text.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace qv::core {

class ProfileText {
  public:
    static ProfileText Parse(std::string_view text);
    std::string Serialize() const;

    // The value of `key` in `section` with one pair of enclosing quotes
    // removed, or nothing when the section or key is missing.
    std::optional<std::string> Get(std::string_view section, std::string_view key) const;
    bool HasSection(std::string_view section) const;
    // The pairs of the section in file order (values as Get returns them).
    std::vector<std::pair<std::string, std::string>> Entries(std::string_view section) const;

    // Replaces the key's value, adds the key at the end of the section, or
    // appends the section. False (and no change) for names or values that
    // could not be read back (see the validity tests below).
    bool Set(std::string_view section, std::string_view key, std::string_view value);
    // False when there was nothing to remove.
    bool RemoveKey(std::string_view section, std::string_view key);
    bool RemoveSection(std::string_view section);

  private:
    enum class Kind { Other, Section, Entry };
    struct Line {
        Kind kind = Kind::Other;
        std::string text;   // the line without its ending
        std::string ending; // "\r\n", "\n" or "" (last line)
        std::string name;   // section or key name, trimmed
        std::string value;  // entry value, trimmed, quotes kept
    };

    static Line Classify(std::string text, std::string ending, bool first);
    // Index of the first header of `section`, or -1.
    long FindSection(std::string_view section) const;
    // One past the last line of the section whose header is at `header`.
    size_t SectionEnd(size_t header) const;
    long FindKey(size_t header, std::string_view key) const;
    void Insert(size_t pos, Line line);

    std::vector<Line> lines_;
    std::string newline_ = "\r\n";
};

// A section name can be written and read back: not empty after trimming, no
// "]" and no line break.
bool IsValidProfileSection(std::string_view section);
// A key can be written and read back: not empty after trimming, no "=", no
// line break, and it does not start with "[", ";" or "#".
bool IsValidProfileKey(std::string_view key);
// A value can be written: no line break.
bool IsValidProfileValue(std::string_view value);

// How a value is written: in double quotes when reading would otherwise
// change it (surrounding white space, or enclosing quotes of its own).
std::string QuoteProfileValue(std::string_view value);
// How a stored value is read: trimmed, one pair of matching enclosing quotes
// removed.
std::string UnquoteProfileValue(std::string_view stored);

// A value read as an integer: empty gives `def`; otherwise an optional sign
// and the leading decimal digits, clamped to the int range; no digits gives 0.
int ParseProfileInt(std::string_view value, int def);

} // namespace qv::core
