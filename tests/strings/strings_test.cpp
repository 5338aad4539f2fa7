// The translation tables of the local languages (siblings/strings/hi and ta)
// against the English tables they translate.
#include "qvcore/cellref.h"
#include "qvcore/utf8.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

const fs::path kStrings = fs::path(QVSSD_SOURCE_DIR) / "siblings" / "strings";
const char* const kTables[] = {"dialog_strings.txt", "common_strings.txt", "messages.txt",
                               "locale_strings.txt"};

struct Language {
    const char* code;
    char32_t first; // the script's block
    char32_t last;
};
const Language kLanguages[] = {{"hi", 0x0900, 0x097F}, {"ta", 0x0B80, 0x0BFF}};

std::vector<std::vector<std::string>> ReadRows(const fs::path& path) {
    std::ifstream in(path);
    EXPECT_TRUE(in) << path;
    std::vector<std::vector<std::string>> rows;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line.empty() || line[0] == '#') {
            continue;
        }
        std::vector<std::string> fields;
        std::stringstream split(line);
        std::string field;
        while (std::getline(split, field, '\t')) {
            fields.push_back(field);
        }
        rows.push_back(fields);
    }
    return rows;
}

// One string as the build makes it: the English text and the local text of a
// language (nullopt-like empty flags for "not in that library").
struct Entry {
    std::string english;
    std::string local;
    bool hasEnglish = true;
    bool hasLocal = true;
    bool same = false; // the local text is the English one on purpose
};

// table -> id -> entry, for one language, under the build's rules.
std::map<unsigned, Entry> Resolve(const char* table, const char* language) {
    std::map<unsigned, std::string> translations;
    for (const auto& row : ReadRows(kStrings / language / table)) {
        EXPECT_EQ(row.size(), 2u) << language << "/" << table << " " << row[0];
        if (row.size() == 2) {
            translations[static_cast<unsigned>(std::stoul(row[0]))] = row[1];
        }
    }
    std::map<unsigned, Entry> entries;
    for (const auto& row : ReadRows(kStrings / table)) {
        const unsigned id = static_cast<unsigned>(std::stoul(row[0]));
        Entry e;
        e.english = row[1];
        e.hasEnglish = e.english != "@none";
        std::string local = row.size() > 2 ? row[2] : "~" + e.english;
        auto t = translations.find(id);
        if (t != translations.end()) {
            local = t->second;
            translations.erase(t);
        }
        if (local == "@same") {
            local = e.english;
            e.same = true;
        }
        e.hasLocal = local != "@none";
        e.local = local;
        entries[id] = e;
    }
    // Translations of ids the English table does not have yet are left out.
    return entries;
}

int Count(const std::string& s, const std::string& what) {
    int n = 0;
    for (size_t at = s.find(what); at != std::string::npos; at = s.find(what, at + what.size())) {
        ++n;
    }
    return n;
}

bool EndsWith(const std::string& s, const std::string& tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

std::string Lower(std::string s) {
    for (char& c : s) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return s;
}

// The words of an English text, lower case ("page(s)" kept whole).
std::set<std::string> Words(const std::string& text) {
    std::set<std::string> words;
    std::string word;
    const std::string lower = Lower(text);
    for (size_t i = 0; i <= lower.size(); ++i) {
        const char c = i < lower.size() ? lower[i] : ' ';
        const bool inWord =
            (c >= 'a' && c <= 'z') || (!word.empty() && (c == '(' || c == ')') &&
                                       lower.compare(i - (c == ')' ? 2 : 0), 3, "(s)") == 0);
        if (inWord) {
            word.push_back(c);
        } else if (c == '&') {
            continue; // an access key inside a word
        } else if (!word.empty()) {
            words.insert(word);
            word.clear();
        }
    }
    return words;
}

std::vector<std::string> SplitBar(const std::string& s, char bar) {
    std::vector<std::string> parts;
    std::stringstream split(s);
    std::string part;
    while (std::getline(split, part, bar)) {
        parts.push_back(part);
    }
    return parts;
}

std::string Slurp(const fs::path& path) {
    std::ifstream in(path);
    std::stringstream all;
    all << in.rdbuf();
    return all.str();
}

} // namespace

TEST(Translations, EveryTextIsTranslatedIntoItsScript) {
    for (const Language& language : kLanguages) {
        for (const char* table : kTables) {
            for (const auto& [id, e] : Resolve(table, language.code)) {
                SCOPED_TRACE(std::string(language.code) + "/" + table + " " + std::to_string(id));
                if (!e.hasEnglish || !e.hasLocal) {
                    continue;
                }
                ASSERT_FALSE(e.local.empty());
                EXPECT_NE(e.local[0], '~') << "untranslated: " << e.english;
                if (e.same) {
                    continue;
                }
                EXPECT_NE(e.local, e.english);
                // What the dialogs rely on: access keys, "...", the field-token
                // form, hidden catalogue names, the catalogue's separator and
                // syntax, and printf fields.
                EXPECT_EQ(Count(e.local, "&"), Count(e.english, "&")) << e.local;
                EXPECT_EQ(EndsWith(e.local, "..."), EndsWith(e.english, "...")) << e.local;
                EXPECT_EQ(EndsWith(e.local, "]"), EndsWith(e.english, "]")) << e.local;
                EXPECT_EQ(e.local[0] == '*', e.english[0] == '*');
                EXPECT_EQ(Count(e.local, "^^"), Count(e.english, "^^"));
                if (Count(e.english, "^^") == 1) {
                    EXPECT_EQ(e.local.substr(0, e.local.find("^^")),
                              e.english.substr(0, e.english.find("^^")));
                }
                EXPECT_EQ(Count(e.local, "%d") + Count(e.local, "%s"),
                          Count(e.english, "%d") + Count(e.english, "%s"));
                // Written in the language's script, and in no other Indian one
                // (the dialog font's face and size and the counts of the
                // alphabet are settings, not texts).
                if (id == 20000 || id == 20001 ||
                    e.local.find_first_not_of("0123456789") == std::string::npos) {
                    continue;
                }
                bool own = false;
                bool foreign = false;
                for (char32_t c : qv::core::DecodeUtf8(e.local)) {
                    own |= c >= language.first && c <= language.last;
                    foreign |= c >= 0x0900 && c <= 0x0DFF &&
                               !(c >= language.first && c <= language.last) && c != 0x0964 &&
                               c != 0x0965;
                }
                EXPECT_TRUE(own) << e.local;
                EXPECT_FALSE(foreign) << e.local;
            }
        }
    }
}

TEST(Translations, GlossaryTermsAreUsedAsTheGlossarySays) {
    struct Term {
        std::vector<std::string> english;
        std::vector<std::string> local[2];
    };
    std::vector<Term> terms;
    for (const auto& row : ReadRows(kStrings / "glossary.txt")) {
        ASSERT_EQ(row.size(), 3u) << row[0];
        terms.push_back({SplitBar(row[0], ','), {SplitBar(row[1], '|'), SplitBar(row[2], '|')}});
    }
    ASSERT_GE(terms.size(), 13u);
    for (size_t l = 0; l < 2; ++l) {
        const Language& language = kLanguages[l];
        int checked = 0;
        for (const char* table : kTables) {
            for (const auto& [id, e] : Resolve(table, language.code)) {
                if (!e.hasEnglish || !e.hasLocal || e.same) {
                    continue;
                }
                // A catalogue entry's syntax is typed as it is: only its
                // description is a translation.
                const size_t description = e.english.find("^^");
                const std::set<std::string> words = Words(
                    description == std::string::npos ? e.english : e.english.substr(description));
                for (const Term& term : terms) {
                    bool used = false;
                    for (const std::string& form : term.english) {
                        used |= words.count(form) > 0;
                    }
                    if (!used) {
                        continue;
                    }
                    bool found = false;
                    for (const std::string& form : term.local[l]) {
                        found |= e.local.find(form) != std::string::npos;
                    }
                    ++checked;
                    EXPECT_TRUE(found) << language.code << " " << id << ": \"" << e.english
                                       << "\" has \"" << term.english[0] << "\" but \"" << e.local
                                       << "\" has no \"" << term.local[l][0] << "\"";
                }
            }
        }
        EXPECT_GT(checked, 300) << language.code;
    }
}

TEST(Translations, EveryStringTheCodeUsesExistsInBothLocalLanguages) {
    // String ids as the code names them: relabel lists (arrays whose name
    // says they hold strings, messages or titles), the string loader, the
    // message boxes and the menu-language string readers.
    const std::regex list(
        R"(k\w*(String|Strings|Message|Messages|Title|Titles|Text|Texts)\w*\[\]\s*=\s*\{([^;]*)\};)");
    const std::regex call(
        R"((LoadLangString|QVMsgBox|QVMsgBoxEx|LoadStringFromLibrary\([^,]*,|strings)\(\s*(\d{4,5})\b)");
    const std::regex number(R"(\b(\d{4,5})\b)");
    std::set<unsigned> dialogIds;
    std::set<unsigned> messageIds;
    for (const auto& file : fs::recursive_directory_iterator(fs::path(QVSSD_SOURCE_DIR) / "src")) {
        if (file.path().extension() != ".cpp" && file.path().extension() != ".h") {
            continue;
        }
        const std::string code = Slurp(file.path());
        for (auto m = std::sregex_iterator(code.begin(), code.end(), list);
             m != std::sregex_iterator(); ++m) {
            const std::string items = (*m)[2];
            const bool messages = std::string((*m)[1]).rfind("Message", 0) == 0;
            for (auto n = std::sregex_iterator(items.begin(), items.end(), number);
                 n != std::sregex_iterator(); ++n) {
                (messages ? messageIds : dialogIds).insert(std::stoul((*n)[1]));
            }
        }
        for (auto m = std::sregex_iterator(code.begin(), code.end(), call);
             m != std::sregex_iterator(); ++m) {
            const std::string what = (*m)[1];
            (what.rfind("QVMsgBox", 0) == 0 ? messageIds : dialogIds).insert(std::stoul((*m)[2]));
        }
    }
    ASSERT_GT(dialogIds.size(), 150u);
    ASSERT_GT(messageIds.size(), 5u);
    for (const Language& language : kLanguages) {
        const auto dialog = Resolve("dialog_strings.txt", language.code);
        const auto common = Resolve("common_strings.txt", language.code);
        const auto messages = Resolve("messages.txt", language.code);
        for (unsigned id : dialogIds) {
            auto e = dialog.find(id);
            if (e == dialog.end()) {
                e = common.find(id);
                if (e == common.end()) {
                    continue; // a control id or size in a list of strings' neighbours
                }
            }
            EXPECT_TRUE(e->second.hasLocal) << language.code << " " << id;
            EXPECT_TRUE(e->second.same || e->second.local != e->second.english)
                << language.code << " " << id << " " << e->second.english;
        }
        for (unsigned id : messageIds) {
            auto e = messages.find(id);
            ASSERT_NE(e, messages.end()) << "message " << id << " is in no table";
            EXPECT_TRUE(e->second.hasLocal) << language.code << " " << id;
            EXPECT_NE(e->second.local, e->second.english) << language.code << " " << id;
        }
    }
}

TEST(Translations, ColumnLettersOfEachScriptReadBackForEveryColumn) {
    for (const Language& language : kLanguages) {
        SCOPED_TRACE(language.code);
        const auto locale = Resolve("locale_strings.txt", language.code);
        const qv::core::LocalAlphabet alphabet =
            qv::core::LoadLocalAlphabet([&](unsigned id) -> std::string {
                auto e = locale.find(id);
                return e != locale.end() && e->second.hasLocal ? e->second.local : std::string();
            });
        ASSERT_GE(alphabet.size(), 26u);
        for (const std::string& letter : alphabet) {
            const std::u32string chars = qv::core::DecodeUtf8(letter);
            ASSERT_EQ(chars.size(), 1u) << letter;
            EXPECT_TRUE(chars[0] >= language.first && chars[0] <= language.last) << letter;
        }
        // Every column of A1 form, alone and in a range, there and back.
        for (int column = 1; column <= 256; ++column) {
            const int other = 257 - column;
            const std::string a1 =
                qv::core::FormatA1({0, 7, column, 7, column}) + "," +
                qv::core::FormatA1({3, 2, std::min(column, other), 9, std::max(column, other)});
            const std::string local = qv::core::ConvertRefList(a1, qv::core::kRefToLocal, alphabet);
            EXPECT_TRUE(local.find_first_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ") == std::string::npos)
                << local;
            EXPECT_EQ(qv::core::ConvertRefList(local, qv::core::kRefFromLocal, alphabet), a1);
        }
    }
}
