#include "qvcore/names.h"

#include "qvcore/cellref.h"

#include <utility>

namespace qv::core {
namespace {

char FoldAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// The text before the first ";" of an entry.
std::string_view NameSide(std::string_view entry) {
    const size_t semicolon = entry.find(';');
    return semicolon == std::string_view::npos ? entry : entry.substr(0, semicolon);
}

// The sheet prefix of the name side: up to and including its first "!".
std::string_view PrefixOf(std::string_view nameSide) {
    const size_t bang = nameSide.find('!');
    return bang == std::string_view::npos ? std::string_view() : nameSide.substr(0, bang + 1);
}

} // namespace

std::string ProposeName(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (kNameReplacedChars.find(c) != std::string_view::npos) {
            c = '_';
        }
    }
    return out;
}

bool IsNameAllowed(std::string_view name) {
    if (name.empty() || (name.front() >= '0' && name.front() <= '9')) {
        return false;
    }
    return name.find_first_of(kNameRefusedChars) == std::string_view::npos;
}

bool SameNameIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (FoldAscii(a[i]) != FoldAscii(b[i])) {
            return false;
        }
    }
    return true;
}

NameEntryParts SplitNameEntry(std::string_view entry) {
    NameEntryParts parts;
    const std::string_view side = NameSide(entry);
    const std::string_view prefix = PrefixOf(side);
    parts.prefix = std::string(prefix);
    parts.name = RemoveEvery(side, prefix);
    if (side.size() < entry.size()) {
        parts.refers = std::string(entry.substr(side.size() + 1));
    }
    return parts;
}

std::string NamePart(std::string_view entry) {
    const std::string_view side = NameSide(entry);
    return RemoveEvery(side, PrefixOf(side));
}

std::string EntryReference(std::string_view entry) {
    NameEntryParts parts = SplitNameEntry(entry);
    return parts.prefix + parts.refers;
}

SheetReference SplitSheetReference(std::string_view text) {
    SheetReference out;
    const size_t bang = text.find('!');
    if (bang == std::string_view::npos) {
        out.reference = std::string(text);
        return out;
    }
    out.hasSheet = true;
    out.sheet = std::string(text.substr(0, bang));
    out.reference = std::string(text.substr(bang + 1));
    return out;
}

std::string RemoveEvery(std::string_view text, std::string_view piece) {
    if (piece.empty()) {
        return std::string(text);
    }
    std::string out;
    out.reserve(text.size());
    size_t at = 0;
    while (at < text.size()) {
        const size_t found = text.find(piece, at);
        if (found == std::string_view::npos) {
            out.append(text.substr(at));
            break;
        }
        out.append(text.substr(at, found - at));
        at = found + piece.size();
    }
    return out;
}

EntryTarget SplitEntryTarget(std::string_view sheetAndReference) {
    EntryTarget target;
    const size_t bang = sheetAndReference.find('!');
    if (bang != std::string_view::npos) {
        target.prefix = std::string(sheetAndReference.substr(0, bang + 1));
    }
    target.refers = RemoveEvery(sheetAndReference, target.prefix);
    return target;
}

std::string MakeNameEntry(std::string_view prefix, std::string_view name, std::string_view refers) {
    std::string entry;
    entry.reserve(prefix.size() + name.size() + 1 + refers.size());
    entry.append(prefix).append(name).append(1, ';').append(refers);
    return entry;
}

char LanguageDigit(uint32_t language) {
    return language == kEnglishNames ? '1' : '2';
}

std::string NameListItem(std::string_view name, uint32_t language) {
    std::string item;
    item.reserve(name.size() + 2);
    item.append(name).append(1, '~').append(1, LanguageDigit(language));
    return item;
}

std::string_view NameListItemName(std::string_view item) {
    return item.size() < 2 ? std::string_view() : item.substr(0, item.size() - 2);
}

uint32_t NameListItemLanguage(std::string_view item) {
    return !item.empty() && item.back() == '1' ? kEnglishNames : kLocalNames;
}

// ---- NameTable --------------------------------------------------------------------

NameTable::NameTable(std::vector<std::string> entries, const std::vector<uint32_t>& languages)
    : entries_(std::move(entries)) {
    names_.reserve(entries_.size());
    languages_.reserve(entries_.size());
    for (size_t i = 0; i < entries_.size(); ++i) {
        names_.push_back(NamePart(entries_[i]));
        languages_.push_back(i < languages.size() ? languages[i] : kEnglishNames);
    }
}

std::optional<size_t> NameTable::FindName(std::string_view name) const {
    for (size_t i = 0; i < names_.size(); ++i) {
        if (names_[i] == name) {
            return i;
        }
    }
    return std::nullopt;
}

std::optional<size_t> NameTable::FindNameIgnoringCase(std::string_view name) const {
    for (size_t i = 0; i < names_.size(); ++i) {
        if (SameNameIgnoringCase(names_[i], name)) {
            return i;
        }
    }
    return std::nullopt;
}

std::optional<size_t> NameTable::FindNameBestMatch(std::string_view name) const {
    std::optional<size_t> found = FindName(name);
    return found ? found : FindNameIgnoringCase(name);
}

std::optional<size_t> NameTable::FindListItem(std::string_view name, uint32_t language) const {
    for (size_t i = 0; i < names_.size(); ++i) {
        if (names_[i] == name && LanguageDigit(languages_[i]) == LanguageDigit(language)) {
            return i;
        }
    }
    return FindNameBestMatch(name);
}

bool NameTable::HasEntry(std::string_view entry) const {
    for (const std::string& e : entries_) {
        if (e == entry) {
            return true;
        }
    }
    return false;
}

void NameTable::Append(std::string entry, uint32_t language) {
    names_.push_back(NamePart(entry));
    entries_.push_back(std::move(entry));
    languages_.push_back(language);
}

void NameTable::RemoveAt(size_t index) {
    if (index >= entries_.size()) {
        return;
    }
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(index));
    names_.erase(names_.begin() + static_cast<std::ptrdiff_t>(index));
    languages_.erase(languages_.begin() + static_cast<std::ptrdiff_t>(index));
}

NameAddResult AddName(NameTable& table, std::string_view name, std::string_view prefix,
                      std::string_view refers, uint32_t language) {
    NameAddResult result;
    if (std::optional<size_t> same = table.FindNameIgnoringCase(name)) {
        result.replaced = same;
        result.replacedName = table.Name(*same);
        result.replacedLanguage = table.Language(*same);
        table.RemoveAt(*same);
    }
    if (!IsNameAllowed(name)) {
        result.refused = true;
        return result;
    }
    result.entry = MakeNameEntry(prefix, name, refers);
    if (!table.HasEntry(result.entry)) {
        table.Append(result.entry, language);
        result.appended = true;
    }
    return result;
}

// ---- label ranges -------------------------------------------------------------------

std::optional<std::string> NormalLabelRange(std::string_view text) {
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    while (!text.empty() && text.back() == ' ') {
        text.remove_suffix(1);
    }
    CellRange range;
    if (!ParseA1(text, range) || range.firstColumn < 1 || range.lastColumn > kA1MaxColumn ||
        range.firstRow < 1 || range.lastRow > kA1MaxRow) {
        return std::nullopt;
    }
    std::string normal = FormatA1(range);
    if (!IsCellRef(normal) && !IsRangeRef(normal)) {
        return std::nullopt;
    }
    return normal;
}

uint32_t LabelKindForShape(std::string_view range) {
    CellRange parsed;
    if (!ParseA1(range, parsed)) {
        return kColumnLabels;
    }
    const int64_t rows = int64_t{parsed.lastRow} - parsed.firstRow;
    const int64_t columns = int64_t{parsed.lastColumn} - parsed.firstColumn;
    return rows > columns ? kRowLabels : kColumnLabels;
}

} // namespace qv::core
