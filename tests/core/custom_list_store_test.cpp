// The custom-lists store on real files: what it reads and writes, and what it
// answers for files that are missing, not databases, or locked by a reader.
#include "qvstore/custom_list_store.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <fstream>
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

} // namespace

TEST_F(StoreTest, ShippedStoreHoldsTheBuiltInListsFirst) {
    Shipped();
    EXPECT_TRUE(CustomListStore(path_).CheckIntegrity());
    const auto english = Texts(ListLanguage::English);
    ASSERT_EQ(english.size(), 4u);
    EXPECT_EQ(english[0], "Sun;Mon;Tue;Wed;Thu;Fri;Sat;");
    EXPECT_EQ(english[3].substr(0, 17), "January;February;");
    EXPECT_EQ(Texts(ListLanguage::Local).size(), 3u);
    EXPECT_EQ(Serials(), (std::vector<long long>{1, 2, 3, 4, 5, 6, 7}));
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
