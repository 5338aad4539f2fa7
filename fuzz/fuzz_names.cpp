// Name rules and label ranges on arbitrary text: proposals never hold a
// replaced character, entries built from an allowed name take apart into the
// same pieces, list items give their name back, a table edited at random keeps
// its names, languages and entries in step, and a normal label range is its
// own normal form.
#include "qvcore/names.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

using namespace qv::core;

namespace {

void Check(bool ok) {
    if (!ok) {
        std::abort();
    }
}

void CheckTable(const NameTable& table) {
    Check(table.Languages().size() == table.Size());
    for (size_t i = 0; i < table.Size(); ++i) {
        Check(table.Name(i) == NamePart(table.Entry(i)));
    }
}

// The input split at line feeds: the first piece is the text under test, the
// next pieces feed a table that the bytes of the first piece edit.
std::vector<std::string_view> Pieces(std::string_view input) {
    std::vector<std::string_view> pieces;
    size_t at = 0;
    while (at <= input.size()) {
        const size_t end = input.find('\n', at);
        const size_t stop = end == std::string_view::npos ? input.size() : end;
        pieces.push_back(input.substr(at, stop - at));
        at = stop + 1;
    }
    return pieces;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string_view> pieces = Pieces(input);
    const std::string_view text = pieces.front();

    const std::string proposal = ProposeName(text);
    Check(proposal.size() == text.size());
    Check(proposal.find_first_of(kNameReplacedChars) == std::string::npos);
    if (IsNameAllowed(text)) {
        Check(!text.empty() && text.find_first_of(kNameRefusedChars) == std::string_view::npos);
        Check(ProposeName(text) == text || text.find(' ') != std::string_view::npos);
        // An allowed name survives an entry under any sheet prefix.
        for (std::string_view prefix :
             {std::string_view(), std::string_view("Sheet1!"), std::string_view("!")}) {
            const std::string entry = MakeNameEntry(prefix, text, pieces.back());
            const NameEntryParts parts = SplitNameEntry(entry);
            Check(parts.name == text);
            Check(parts.prefix == prefix);
            Check(parts.refers == pieces.back());
            Check(EntryReference(entry) == std::string(prefix) + std::string(pieces.back()));
        }
    }
    Check(NameListItemName(NameListItem(text, static_cast<uint32_t>(size))) == text);
    Check(SameNameIgnoringCase(text, text));

    const EntryTarget target = SplitEntryTarget(text);
    Check(target.refers.size() <= text.size());
    if (!target.prefix.empty()) {
        Check(target.prefix.back() == '!');
        Check(target.refers.find(target.prefix) == std::string::npos || target.prefix.size() > 1);
    }
    const SheetReference ref = SplitSheetReference(text);
    Check(ref.hasSheet == (text.find('!') != std::string_view::npos));

    if (const std::optional<std::string> normal = NormalLabelRange(text)) {
        Check(NormalLabelRange(*normal) == normal);
        const uint32_t kind = LabelKindForShape(*normal);
        Check(kind == kRowLabels || kind == kColumnLabels);
    }

    // A table of the other pieces, edited by the bytes of the first.
    std::vector<std::string> entries(pieces.begin() + 1, pieces.end());
    std::vector<uint32_t> languages;
    for (size_t i = 0; i < text.size() && i < entries.size() / 2; ++i) {
        languages.push_back(static_cast<uint8_t>(text[i]) % 3);
    }
    NameTable table(std::move(entries), languages);
    CheckTable(table);
    for (size_t i = 0; i < text.size(); ++i) {
        const auto op = static_cast<uint8_t>(text[i]);
        if (op % 4 == 0 && table.Size() > 0) {
            table.RemoveAt(op % table.Size());
        } else {
            const std::string_view name = pieces[op % pieces.size()];
            const size_t before = table.Size();
            const NameAddResult add = AddName(table, name, op % 2 ? "S!" : "", text, op % 3);
            Check(table.Size() == before - (add.replaced ? 1 : 0) + (add.appended ? 1 : 0));
            Check(!(add.refused && add.appended));
            Check(add.refused == !IsNameAllowed(name));
            if (add.appended) {
                Check(table.Entry(table.Size() - 1) == add.entry);
                Check(table.FindNameBestMatch(name).has_value());
            }
        }
        CheckTable(table);
    }
    return 0;
}
