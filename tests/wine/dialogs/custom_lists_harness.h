// What the custom-list tests share: a user data folder holding a copy of the
// shipped store, the store's rows read with SQLite as the host reads them, a
// reader that holds the store as the host's auto-fill might, and texts of
// many entries.
#pragma once

#include "harness.h"

#include "qvstore/custom_list_store.h"

#include <string>
#include <utility>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace qvtest {

struct StoreRow {
    long long sno = 0;
    std::string text;
    std::string language;
};

// Every row of the store at `path`, in table order.
std::vector<StoreRow> ReadStoreRows(const std::string& path);

class CustomListsTest : public DialogTest {
  protected:
    void SetUp() override;
    void TearDown() override;

    const std::string& StorePath() const { return store_; }
    qv::store::CustomListStore Store() const { return qv::store::CustomListStore(store_); }
    std::vector<StoreRow> Rows() const { return ReadStoreRows(store_); }
    // Appends rows ({language code, text}) as the host or an earlier run would.
    void AddRows(const std::vector<std::pair<std::string, std::string>>& rows) const;
    // The day names of a menu language's dialog strings as a list text
    // ("Sunday;Monday;...;"): the first built-in local list, the second English.
    std::string DayNames(int language) const;

    std::string userData_;
    std::string store_;
};

// Holds a read transaction on a store, as a host reading it would, until
// released.
class StoreReader {
  public:
    explicit StoreReader(const std::string& path);
    ~StoreReader();
    StoreReader(const StoreReader&) = delete;
    StoreReader& operator=(const StoreReader&) = delete;

    // Lets go once a writer has begun to change the store (its journal
    // exists), or after `timeoutMs`.
    void ReleaseWhenAWriteStarts(unsigned timeoutMs);
    void Release();

  private:
    std::string path_;
    sqlite3* db_ = nullptr;
    sqlite3_stmt* stmt_ = nullptr;
};

// `count` distinct entries of `width` characters ("000000001" ...), one a
// line (CR LF between), or as a stored list text.
std::string EntryLines(int count, int width);
std::string ListText(int count, int width);
// The number of ";"-ended entries of a list text.
size_t SplitCount(const std::string& listText);

// The widest of `texts` in the font of `control`, in pixels.
int WidestText(HWND control, const std::vector<std::string>& texts);

// Replaces string `id` of a resource library file (a scratch copy).
bool ReplaceString(const std::string& library, unsigned id, const std::string& text);

} // namespace qvtest
