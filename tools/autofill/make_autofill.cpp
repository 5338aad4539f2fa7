// make_autofill: writes the shipped custom-lists store from the tables of
// built-in lists (the English ones, then the local language's).
//
//   make_autofill <builtin_lists.txt>... <Autofill.dll>
//
// A table has one list a line: "E" or "L", a TAB, the list text (UTF-8, as
// the store keeps it). Empty lines and lines starting with "#" are skipped.
// The lists go into the store in the order of the tables and their lines. The store is written
// under a temporary name and renamed at the end, so an interrupted build never leaves a half-made
// store behind.
#include "qvstore/custom_list_store.h"

#include <cstdio>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

using qv::store::CustomListStore;
using qv::store::ListLanguage;

namespace {

bool ReadTable(const char* path, std::vector<std::pair<ListLanguage, std::string>>& lists) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "make_autofill: cannot read %s\n", path);
        return false;
    }
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line.empty() || line[0] == '#') {
            continue;
        }
        if (line.size() < 3 || line[1] != '\t' || (line[0] != 'E' && line[0] != 'L')) {
            std::fprintf(stderr, "%s:%d: expected E or L, a TAB and the list\n", path, number);
            return false;
        }
        lists.emplace_back(line[0] == 'L' ? ListLanguage::Local : ListLanguage::English,
                           line.substr(2));
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: make_autofill <builtin_lists.txt>... <Autofill.dll>\n");
        return 2;
    }
    std::vector<std::pair<ListLanguage, std::string>> lists;
    for (int i = 1; i + 1 < argc; ++i) {
        if (!ReadTable(argv[i], lists)) {
            return 1;
        }
    }
    const std::string target = argv[argc - 1];
    const std::string partial = target + ".partial";
    std::remove(partial.c_str());
    std::remove((partial + "-journal").c_str());
    const auto result = CustomListStore::Create(partial, lists);
    if (!result) {
        std::fprintf(stderr, "make_autofill: %s: %s\n", partial.c_str(), result.detail.c_str());
        std::remove(partial.c_str());
        return 1;
    }
    std::remove(target.c_str());
    if (std::rename(partial.c_str(), target.c_str()) != 0) {
        std::fprintf(stderr, "make_autofill: cannot rename %s to %s\n", partial.c_str(),
                     target.c_str());
        return 1;
    }
    return 0;
}
