// The custom-lists store: the file "Autofill.dll" in the user data folder, an
// SQLite database whose table AutoFillData holds one row per list:
//   sno       INTEGER  serial number, the table's row count plus 1 when added
//   autotext  TEXT     the list's entries, each followed by ";"
//   Language  TEXT     "E" for lists of the English menus, "L" for the local
// Table order (row order) is the order the lists are shown in; the built-in
// lists come first. The host reads the same file for its auto-fill.
//
// Every call opens the file, does its work and closes it again, so the host
// may read or replace the file between two calls. The store never creates a
// file it is asked to read or change: a missing file is an error. Every change
// is one transaction, so a process that dies half-way leaves the file as it
// was before the change. A file locked by another reader or writer is waited
// for up to the busy timeout, then reported.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace qv::store {

// The menu language a list belongs to, stored as its code "E" or "L".
enum class ListLanguage { English, Local };
const char* LanguageCode(ListLanguage language);

enum class StoreStatus {
    Ok,
    CannotOpen, // missing, a folder, not readable, or no path at all
    NotAStore,  // not a database, or a database without the list table
    Busy,       // locked by someone else for longer than the busy timeout
    ReadOnly,   // the file (or its folder) cannot be written
    Failed,     // any other database error (I/O error, disk full, damaged file)
};

struct StoreResult {
    StoreStatus status = StoreStatus::Ok;
    std::string detail; // the database's own message, for tests and logs

    bool ok() const { return status == StoreStatus::Ok; }
    explicit operator bool() const { return ok(); }
};

// One list as the store holds it.
struct StoredList {
    int64_t row = 0;  // the row's identity while the file is not rebuilt
    std::string text; // the list text
};

class CustomListStore {
  public:
    static constexpr int kDefaultBusyTimeoutMs = 2000;

    // `path` is UTF-8.
    explicit CustomListStore(std::string path, int busyTimeoutMs = kDefaultBusyTimeoutMs);

    const std::string& path() const { return path_; }

    // The non-empty lists of a language, in table order. On failure `lists`
    // holds the lists read before it.
    StoreResult ReadLists(ListLanguage language, std::vector<StoredList>& lists) const;

    // Adds `text` as a new last row of the language, unless a row of that
    // language already holds exactly this text. `row` (may be null) gets the
    // row that holds the text: the new one, or the one that had it.
    StoreResult AddList(std::string_view text, ListLanguage language, int64_t* row) const;

    // Deletes `row` if it still holds `text`, then adds `newText` as AddList
    // does, in one transaction (a list edited in place).
    StoreResult ReplaceList(int64_t row, std::string_view text, std::string_view newText,
                            ListLanguage language, int64_t* newRow) const;

    // Deletes `row` if it still holds `text`; a row that is gone already, or
    // now holds another text, is left alone and is no error.
    StoreResult DeleteList(int64_t row, std::string_view text) const;

    // The database's own consistency check.
    StoreResult CheckIntegrity() const;

    // Makes a new store at `path` holding `lists` in this order. Fails when
    // something exists at `path`.
    static StoreResult Create(const std::string& path,
                              const std::vector<std::pair<ListLanguage, std::string>>& lists);

  private:
    std::string path_;
    int busyTimeoutMs_;
};

} // namespace qv::store
