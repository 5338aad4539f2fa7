// Defined names and label ranges: the rules by which a typed name is proposed,
// accepted or refused, the "[sheet!]name;refers-to" entries the host keeps,
// the items of the bilingual names list, the table of names the Define Name
// dialog edits, and the normal form of a label range.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qv::core {

// ---- name rules ---------------------------------------------------------------

// Characters that a proposed name (the label next to the selection, say) has
// replaced by "_". The blank comes first: "Net Sales/2" becomes "Net_Sales_2".
inline constexpr std::string_view kNameReplacedChars = " ~)=(!@#$%^&*+|{}:><`[]/";

// Characters a typed name may not contain. A blank is allowed; "-" and ","
// are refused although a proposal keeps them. ";" ends the name part of an
// entry, so a name cannot hold one either.
inline constexpr std::string_view kNameRefusedChars = "-,~)=(!@#$%^&*+|{}:><`[]/;";

// The proposal: every character of kNameReplacedChars becomes "_".
std::string ProposeName(std::string_view text);

// True when a typed name may be defined: not empty, no character of
// kNameRefusedChars, and not starting with a digit. There is no length limit
// and no test against cell-reference-like names.
bool IsNameAllowed(std::string_view name);

// Names are matched ignoring the case of the letters A to Z; other bytes
// (the local script) must be equal.
bool SameNameIgnoringCase(std::string_view a, std::string_view b);

// ---- name entries -------------------------------------------------------------

// An entry "Sheet1!Sales;$B$2:$B$9" taken apart. The name part is the text
// before the first ";" with every occurrence of the sheet prefix removed; the
// sheet prefix is that text up to and including its first "!" (empty without
// one). The refers-to text is everything after the first ";", further ";"
// included (empty when the entry has no ";").
struct NameEntryParts {
    std::string prefix;
    std::string name;
    std::string refers;
};
NameEntryParts SplitNameEntry(std::string_view entry);
std::string NamePart(std::string_view entry);

// The reference an entry shows: its sheet prefix followed by its refers-to text.
std::string EntryReference(std::string_view entry);

// A reference with an optional sheet: the text before the first "!" is the
// sheet and the text after it the reference; without "!" there is no sheet
// and the whole text is the reference.
struct SheetReference {
    bool hasSheet = false;
    std::string sheet;
    std::string reference;
};
SheetReference SplitSheetReference(std::string_view text);

// Every occurrence of `piece` removed from `text` (nothing removed for an empty piece).
std::string RemoveEvery(std::string_view text, std::string_view piece);

// What a typed "sheet!reference" gives a new entry: the prefix is the text up
// to and including its first "!", the refers-to text what is left when every
// occurrence of the prefix is removed ("!" alone when the sheet is empty, so
// that every "!" goes).
struct EntryTarget {
    std::string prefix;
    std::string refers;
};
EntryTarget SplitEntryTarget(std::string_view sheetAndReference);

// prefix + name + ";" + refers.
std::string MakeNameEntry(std::string_view prefix, std::string_view name, std::string_view refers);

// ---- the bilingual names list ---------------------------------------------------

// Name languages: 1 is the English script; every other value the local script.
inline constexpr uint32_t kEnglishNames = 1;
inline constexpr uint32_t kLocalNames = 2;

// The digit a list item carries: '1' for English, '2' for any other language.
char LanguageDigit(uint32_t language);

// A list item: the name, "~" and the language digit ("Sales~1").
std::string NameListItem(std::string_view name, uint32_t language);
// The name of a list item: the item without its last two characters.
std::string_view NameListItemName(std::string_view item);
// The language of a list item: 1 when it ends in "1", else 2.
uint32_t NameListItemLanguage(std::string_view item);

// ---- the names the Define Name dialog edits ------------------------------------

// The workbook's name entries with a language each (missing languages count
// as English) and their name parts, so that a name is found without taking
// every entry apart again.
class NameTable {
  public:
    NameTable() = default;
    // `languages` may be shorter than `entries` (the rest are English) or
    // longer (the rest are dropped).
    NameTable(std::vector<std::string> entries, const std::vector<uint32_t>& languages);

    size_t Size() const { return entries_.size(); }
    const std::string& Entry(size_t index) const { return entries_[index]; }
    const std::string& Name(size_t index) const { return names_[index]; }
    uint32_t Language(size_t index) const { return languages_[index]; }
    const std::vector<uint32_t>& Languages() const { return languages_; }

    // The first entry whose name part equals `name`: exactly, or ignoring case.
    std::optional<size_t> FindName(std::string_view name) const;
    std::optional<size_t> FindNameIgnoringCase(std::string_view name) const;
    // The first entry named `name` exactly, else the first that differs in case only.
    std::optional<size_t> FindNameBestMatch(std::string_view name) const;
    // The entry a list item stands for: the first named exactly `name` whose
    // language has the item's digit; else the best match of the name.
    std::optional<size_t> FindListItem(std::string_view name, uint32_t language) const;
    // True when an entry equals `entry` exactly.
    bool HasEntry(std::string_view entry) const;

    void Append(std::string entry, uint32_t language);
    void RemoveAt(size_t index);

  private:
    std::vector<std::string> entries_;
    std::vector<std::string> names_;
    std::vector<uint32_t> languages_;
};

// What Add did to a table.
struct NameAddResult {
    std::optional<size_t> replaced; // the entry removed because it had the same name
    std::string replacedName;       // its name part and language, for the list
    uint32_t replacedLanguage = kEnglishNames;
    bool refused = false;  // the name breaks the rules: nothing else changed
    bool appended = false; // the new entry was appended (false: an equal entry exists)
    std::string entry;     // the new entry
};

// Adds `name` referring to `refers` under `prefix`: first removes the first
// entry of the same name ignoring case (kept removed even when the name is
// then refused), then refuses a name that breaks the rules, else appends the
// entry unless an equal one exists.
NameAddResult AddName(NameTable& table, std::string_view name, std::string_view prefix,
                      std::string_view refers, uint32_t language);

// ---- label ranges -------------------------------------------------------------------

inline constexpr uint32_t kRowLabels = 32;
inline constexpr uint32_t kColumnLabels = 64;

// The normal A1 form of a label range ("$a$1:b5" -> "A1:B5", " b9:a1 " ->
// "A1:B9", "c3" -> "C3"); nothing when the text is not one cell or one range
// within A1:IV65536.
std::optional<std::string> NormalLabelRange(std::string_view text);

// The kind a range's shape suggests: row labels for a range taller than wide
// (labels down a column name rows), column labels for one wider than tall or a
// single cell's row. `range` is a normal label range.
uint32_t LabelKindForShape(std::string_view range);

} // namespace qv::core
