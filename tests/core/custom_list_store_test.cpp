// The custom-lists store on real files: what it reads and writes, and what it
// answers for files that are missing, not databases, or locked by a reader.
#include "qvcore/iscii.h"
#include "qvcore/utf8.h"
#include "qvstore/custom_list_store.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

using namespace qv::store;
namespace fs = std::filesystem;

namespace {

class StoreTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() /
                  ("qvstore-" +
                   std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(folder_);
        fs::create_directories(folder_);
        path_ = (folder_ / "Autofill.dll").string();
    }
    void TearDown() override { fs::remove_all(folder_); }

    void Shipped() { fs::copy_file(QVSSD_SHIPPED_LISTS, path_); }

    std::vector<std::string> Texts(ListLanguage language) {
        std::vector<StoredList> lists;
        EXPECT_TRUE(CustomListStore(path_).ReadLists(language, lists));
        std::vector<std::string> texts;
        for (const auto& list : lists) {
            texts.push_back(list.text);
        }
        return texts;
    }

    // The serial numbers of every row, in table order.
    std::vector<long long> Serials() {
        sqlite3* db = nullptr;
        EXPECT_EQ(sqlite3_open_v2(path_.c_str(), &db, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
        sqlite3_stmt* stmt = nullptr;
        sqlite3_prepare_v2(db, "SELECT sno FROM AutoFillData ORDER BY rowid", -1, &stmt, nullptr);
        std::vector<long long> serials;
        while (sqlite3_step(stmt) == SQLITE_ROW) {
            serials.push_back(sqlite3_column_int64(stmt, 0));
        }
        sqlite3_finalize(stmt);
        sqlite3_close(db);
        return serials;
    }

    fs::path folder_;
    std::string path_;
};

struct LocalLanguage {
    const char* code;
    char32_t first; // the script's block
    char32_t last;
    qv::core::IndicScript script;
    const char* firstMonthOfItsCalendar;
};

std::map<int, std::string> DialogStrings(const char* language) {
    std::ifstream in(fs::path(QVSSD_SOURCE_DIR) / "siblings" / "strings" / language /
                     "dialog_strings.txt");
    EXPECT_TRUE(in) << language;
    std::map<int, std::string> strings;
    std::string line;
    while (std::getline(in, line)) {
        const size_t tab = line.find('\t');
        if (!line.empty() && line[0] != '#' && tab != std::string::npos) {
            strings[std::stoi(line.substr(0, tab))] = line.substr(tab + 1);
        }
    }
    return strings;
}

std::string ListOf(const std::map<int, std::string>& strings, int first, int last) {
    std::string list;
    for (int id = first; id <= last; ++id) {
        list += strings.at(id) + ";";
    }
    return list;
}

std::string FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace

// The shipped store of each local language: the four English lists, then the
// three local ones in the language's script, spelt as its dialog strings
// spell the day and month names, and intact on their way to the host as ISCII.
TEST_F(StoreTest, ShippedStoreOfEachLanguageHoldsTheBuiltInListsFirst) {
    Shipped();
    const auto english = Texts(ListLanguage::English);
    ASSERT_EQ(english.size(), 4u);
    EXPECT_EQ(english[0], "Sun;Mon;Tue;Wed;Thu;Fri;Sat;");
    EXPECT_EQ(english[3].substr(0, 17), "January;February;");
    const LocalLanguage languages[] = {
        {"hi", 0x0900, 0x097F, qv::core::IndicScript::Devanagari, "चैत्र"},
        {"ta", 0x0B80, 0x0BFF, qv::core::IndicScript::Tamil, "சித்திரை"},
    };
    for (const LocalLanguage& language : languages) {
        SCOPED_TRACE(language.code);
        path_ = (fs::path(QVSSD_LANG_DIR) / language.code / "Autofill.dll").string();
        EXPECT_TRUE(CustomListStore(path_).CheckIntegrity());
        EXPECT_EQ(Texts(ListLanguage::English), english);
        const auto local = Texts(ListLanguage::Local);
        ASSERT_EQ(local.size(), 3u);
        const auto strings = DialogStrings(language.code);
        EXPECT_EQ(local[0], ListOf(strings, 1739, 1745)); // Sunday to Saturday
        EXPECT_EQ(local[1], ListOf(strings, 1727, 1738)); // January to December
        EXPECT_EQ(local[2].substr(0, local[2].find(';')), language.firstMonthOfItsCalendar);
        EXPECT_EQ(std::count(local[2].begin(), local[2].end(), ';'), 12);
        for (const std::string& list : local) {
            for (char32_t c : qv::core::DecodeUtf8(list)) {
                EXPECT_TRUE(c == U';' || (c >= language.first && c <= language.last)) << list;
            }
            const std::string iscii = qv::core::UnicodeToIscii(list, language.script);
            EXPECT_EQ(iscii.find('?'), std::string::npos) << list;
            EXPECT_EQ(qv::core::IsciiToUnicode(iscii, language.script), list);
        }
        EXPECT_EQ(Serials(), (std::vector<long long>{1, 2, 3, 4, 5, 6, 7}));
    }
    // The build's own store is the very file of its local language.
    EXPECT_EQ(
        FileBytes(QVSSD_SHIPPED_LISTS),
        FileBytes((fs::path(QVSSD_LANG_DIR) / QVSSD_LOCAL_LANGUAGE / "Autofill.dll").string()));
}

TEST_F(StoreTest, AddReplaceAndDeleteKeepTableOrderAndLanguages) {
    Shipped();
    CustomListStore store(path_);
    int64_t red = 0, again = 0, local = 0;
    ASSERT_TRUE(store.AddList("Red;Green;Blue;", ListLanguage::English, &red));
    EXPECT_GT(red, 0);
    // The same text again in the same language adds nothing; in the other it does.
    ASSERT_TRUE(store.AddList("Red;Green;Blue;", ListLanguage::English, &again));
    EXPECT_EQ(again, red);
    ASSERT_TRUE(store.AddList("Red;Green;Blue;", ListLanguage::Local, &local));
    EXPECT_GT(local, red);
    EXPECT_EQ(Texts(ListLanguage::English).back(), "Red;Green;Blue;");
    EXPECT_EQ(Serials().back(), 9);

    // An edited list replaces its row and goes to the end of the table.
    int64_t edited = 0;
    ASSERT_TRUE(store.ReplaceList(red, "Red;Green;Blue;", "Red;Amber;Green;", ListLanguage::English,
                                  &edited));
    auto english = Texts(ListLanguage::English);
    ASSERT_EQ(english.size(), 5u);
    EXPECT_EQ(english.back(), "Red;Amber;Green;");
    // The serial number counts the rows there are: 8 rows before the insert.
    EXPECT_EQ(Serials().back(), 9);

    // A row that no longer holds the text is left alone.
    ASSERT_TRUE(store.DeleteList(edited, "Red;Green;Blue;"));
    EXPECT_EQ(Texts(ListLanguage::English).size(), 5u);
    ASSERT_TRUE(store.DeleteList(edited, "Red;Amber;Green;"));
    EXPECT_EQ(Texts(ListLanguage::English).size(), 4u);
    EXPECT_EQ(Texts(ListLanguage::Local).back(), "Red;Green;Blue;");
    EXPECT_TRUE(store.CheckIntegrity());
}

TEST_F(StoreTest, FilesThatAreNotStoresAreReportedAndLeftAsTheyAre) {
    CustomListStore store(path_);
    std::vector<StoredList> lists;
    // Missing: reading fails, and a change does not create the file.
    EXPECT_EQ(store.ReadLists(ListLanguage::English, lists).status, StoreStatus::CannotOpen);
    EXPECT_EQ(store.AddList("a;", ListLanguage::English, nullptr).status, StoreStatus::CannotOpen);
    EXPECT_FALSE(fs::exists(path_));
    EXPECT_EQ(CustomListStore("").ReadLists(ListLanguage::English, lists).status,
              StoreStatus::CannotOpen);

    // Zero bytes, and random bytes.
    std::ofstream(path_, std::ios::binary).close();
    EXPECT_EQ(store.ReadLists(ListLanguage::English, lists).status, StoreStatus::NotAStore);
    EXPECT_EQ(store.AddList("a;", ListLanguage::English, nullptr).status, StoreStatus::NotAStore);
    EXPECT_EQ(fs::file_size(path_), 0u);
    {
        std::ofstream out(path_, std::ios::binary | std::ios::trunc);
        for (int i = 0; i < 4096; ++i) {
            out.put(static_cast<char>((i * 7919 + 13) & 0xFF));
        }
    }
    EXPECT_EQ(store.ReadLists(ListLanguage::English, lists).status, StoreStatus::NotAStore);
    EXPECT_EQ(store.DeleteList(1, "a;").status, StoreStatus::NotAStore);
    EXPECT_TRUE(lists.empty());

    // A database of another program: no list table.
    fs::remove(path_);
    sqlite3* db = nullptr;
    sqlite3_open(path_.c_str(), &db);
    sqlite3_exec(db, "CREATE TABLE other (x)", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    EXPECT_EQ(store.ReadLists(ListLanguage::Local, lists).status, StoreStatus::NotAStore);
    // Creating over an existing store is refused.
    fs::remove(path_);
    ASSERT_TRUE(CustomListStore::Create(path_, {{ListLanguage::English, "x;"}}));
    EXPECT_FALSE(CustomListStore::Create(path_, {{ListLanguage::English, "y;"}}));
    EXPECT_EQ(Texts(ListLanguage::English), std::vector<std::string>{"x;"});
}

TEST_F(StoreTest, AReaderHoldingTheFileMakesAChangeWaitThenFail) {
    Shipped();
    sqlite3* reader = nullptr;
    ASSERT_EQ(sqlite3_open_v2(path_.c_str(), &reader, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
    sqlite3_exec(reader, "BEGIN", nullptr, nullptr, nullptr);
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(reader, "SELECT autotext FROM AutoFillData", -1, &stmt, nullptr);
    ASSERT_EQ(sqlite3_step(stmt), SQLITE_ROW); // the reader's shared lock is held

    CustomListStore impatient(path_, 50);
    EXPECT_EQ(impatient.AddList("a;b;", ListLanguage::English, nullptr).status, StoreStatus::Busy);
    // Reading still works beside the reader, and the failed change left nothing.
    EXPECT_EQ(Texts(ListLanguage::English).size(), 4u);

    sqlite3_finalize(stmt);
    sqlite3_exec(reader, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(reader);
    EXPECT_TRUE(impatient.AddList("a;b;", ListLanguage::English, nullptr));
    EXPECT_EQ(Texts(ListLanguage::English).size(), 5u);
}
