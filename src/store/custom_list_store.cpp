#include "qvstore/custom_list_store.h"

#include <sqlite3.h>

#include <utility>

namespace qv::store {
namespace {

constexpr char kTableSql[] =
    "CREATE TABLE AutoFillData (sno INTEGER, autotext TEXT, Language TEXT)";

StoreStatus StatusOf(int code) {
    switch (code & 0xFF) {
    case SQLITE_OK:
    case SQLITE_ROW:
    case SQLITE_DONE:
        return StoreStatus::Ok;
    case SQLITE_CANTOPEN:
    case SQLITE_PERM:
    case SQLITE_AUTH:
        return StoreStatus::CannotOpen;
    case SQLITE_NOTADB:
        return StoreStatus::NotAStore;
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return StoreStatus::Busy;
    case SQLITE_READONLY:
        return StoreStatus::ReadOnly;
    default:
        return StoreStatus::Failed;
    }
}

// An open database connection, closed at the end of the scope.
class Connection {
  public:
    Connection(const std::string& path, int flags, int busyTimeoutMs) {
        if (path.empty()) {
            code_ = SQLITE_CANTOPEN; // SQLite would make a temporary database
            return;
        }
        code_ = sqlite3_open_v2(path.c_str(), &db_, flags, nullptr);
        if (code_ == SQLITE_OK) {
            sqlite3_extended_result_codes(db_, 1);
            sqlite3_busy_timeout(db_, busyTimeoutMs);
        }
    }
    ~Connection() {
        if (inTransaction_) {
            sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
        }
        sqlite3_close_v2(db_); // a null handle is a harmless no-op
    }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    sqlite3* get() const { return db_; }
    bool ok() const { return code_ == SQLITE_OK; }

    // The result for the last failing call (or for `code`).
    StoreResult Failure(int code) const {
        StoreResult result;
        result.status = StatusOf(code);
        if (result.status == StoreStatus::Ok) {
            result.status = StoreStatus::Failed;
        }
        result.detail = db_ != nullptr ? sqlite3_errmsg(db_) : sqlite3_errstr(code);
        // A database without the list table is not a store.
        if ((code & 0xFF) == SQLITE_ERROR &&
            result.detail.find("no such table") != std::string::npos) {
            result.status = StoreStatus::NotAStore;
        }
        return result;
    }
    StoreResult OpenFailure() const { return Failure(code_); }

    int Exec(const char* sql) { return sqlite3_exec(db_, sql, nullptr, nullptr, nullptr); }

    // BEGIN IMMEDIATE takes the write lock at once, so that a lock held by
    // someone else is waited for here rather than half-way through.
    int Begin() {
        const int code = Exec("BEGIN IMMEDIATE");
        inTransaction_ = code == SQLITE_OK;
        return code;
    }
    int Commit() {
        const int code = Exec("COMMIT");
        if (code == SQLITE_OK) {
            inTransaction_ = false;
        }
        return code;
    }

  private:
    sqlite3* db_ = nullptr;
    int code_ = SQLITE_OK;
    bool inTransaction_ = false;
};

// A prepared statement, finalised at the end of the scope.
class Statement {
  public:
    Statement(Connection& connection, const char* sql) {
        code_ = sqlite3_prepare_v2(connection.get(), sql, -1, &stmt_, nullptr);
    }
    ~Statement() { sqlite3_finalize(stmt_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    bool ok() const { return code_ == SQLITE_OK; }
    int code() const { return code_; }

    void Bind(int index, std::string_view text) {
        sqlite3_bind_text(stmt_, index, text.data(), static_cast<int>(text.size()),
                          SQLITE_TRANSIENT);
    }
    void Bind(int index, int64_t value) { sqlite3_bind_int64(stmt_, index, value); }
    int Step() { return sqlite3_step(stmt_); }
    int64_t Int(int column) const { return sqlite3_column_int64(stmt_, column); }
    std::string Text(int column) const {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column));
        const int bytes = sqlite3_column_bytes(stmt_, column);
        return text != nullptr ? std::string(text, static_cast<size_t>(bytes)) : std::string();
    }

  private:
    sqlite3_stmt* stmt_ = nullptr;
    int code_ = SQLITE_OK;
};

// Deletes `row` when it still holds `text`.
int DeleteRow(Connection& db, int64_t row, std::string_view text) {
    Statement remove(db, "DELETE FROM AutoFillData WHERE rowid = ?1 AND autotext = ?2");
    if (!remove.ok()) {
        return remove.code();
    }
    remove.Bind(1, row);
    remove.Bind(2, text);
    const int code = remove.Step();
    return code == SQLITE_DONE ? SQLITE_OK : code;
}

// Appends a row for `text` unless the language has one already; `row` gets
// the row that holds the text.
int AppendRow(Connection& db, std::string_view text, ListLanguage language, int64_t& row) {
    row = 0;
    const char* code = LanguageCode(language);
    Statement existing(db, "SELECT rowid FROM AutoFillData WHERE autotext = ?1 AND Language = ?2 "
                           "ORDER BY rowid LIMIT 1");
    if (!existing.ok()) {
        return existing.code();
    }
    existing.Bind(1, text);
    existing.Bind(2, std::string_view(code));
    int step = existing.Step();
    if (step == SQLITE_ROW) {
        row = existing.Int(0);
        return SQLITE_OK;
    }
    if (step != SQLITE_DONE) {
        return step;
    }
    Statement count(db, "SELECT count(*) FROM AutoFillData");
    if (!count.ok()) {
        return count.code();
    }
    step = count.Step();
    if (step != SQLITE_ROW) {
        return step;
    }
    const int64_t serial = count.Int(0) + 1;
    Statement insert(db, "INSERT INTO AutoFillData (sno, autotext, Language) VALUES (?1, ?2, ?3)");
    if (!insert.ok()) {
        return insert.code();
    }
    insert.Bind(1, serial);
    insert.Bind(2, text);
    insert.Bind(3, std::string_view(code));
    step = insert.Step();
    if (step != SQLITE_DONE) {
        return step;
    }
    row = sqlite3_last_insert_rowid(db.get());
    return SQLITE_OK;
}

// Runs `change` inside one write transaction on the store at `path`.
template <class Change>
StoreResult WriteTransaction(const std::string& path, int busyTimeoutMs, Change change) {
    Connection db(path, SQLITE_OPEN_READWRITE, busyTimeoutMs);
    if (!db.ok()) {
        return db.OpenFailure();
    }
    int code = db.Begin();
    if (code != SQLITE_OK) {
        return db.Failure(code);
    }
    code = change(db);
    if (code != SQLITE_OK) {
        return db.Failure(code); // the connection rolls back as it closes
    }
    code = db.Commit();
    if (code != SQLITE_OK) {
        return db.Failure(code);
    }
    return {};
}

} // namespace

const char* LanguageCode(ListLanguage language) {
    return language == ListLanguage::Local ? "L" : "E";
}

CustomListStore::CustomListStore(std::string path, int busyTimeoutMs)
    : path_(std::move(path)), busyTimeoutMs_(busyTimeoutMs) {}

StoreResult CustomListStore::ReadLists(ListLanguage language,
                                       std::vector<StoredList>& lists) const {
    // Read-write (read-only when the file is), so that what a process left
    // half done when it died is rolled back here.
    Connection db(path_, SQLITE_OPEN_READWRITE, busyTimeoutMs_);
    if (!db.ok()) {
        return db.OpenFailure();
    }
    Statement select(db, "SELECT rowid, autotext FROM AutoFillData WHERE Language = ?1 "
                         "ORDER BY rowid");
    if (!select.ok()) {
        return db.Failure(select.code());
    }
    select.Bind(1, std::string_view(LanguageCode(language)));
    int step;
    while ((step = select.Step()) == SQLITE_ROW) {
        std::string text = select.Text(1);
        if (!text.empty()) {
            lists.push_back({select.Int(0), std::move(text)});
        }
    }
    if (step != SQLITE_DONE) {
        return db.Failure(step);
    }
    return {};
}

StoreResult CustomListStore::AddList(std::string_view text, ListLanguage language,
                                     int64_t* row) const {
    int64_t holder = 0;
    StoreResult result = WriteTransaction(path_, busyTimeoutMs_, [&](Connection& db) {
        return AppendRow(db, text, language, holder);
    });
    if (row != nullptr) {
        *row = result ? holder : 0;
    }
    return result;
}

StoreResult CustomListStore::ReplaceList(int64_t row, std::string_view text,
                                         std::string_view newText, ListLanguage language,
                                         int64_t* newRow) const {
    int64_t holder = 0;
    StoreResult result = WriteTransaction(path_, busyTimeoutMs_, [&](Connection& db) {
        const int code = DeleteRow(db, row, text);
        return code != SQLITE_OK ? code : AppendRow(db, newText, language, holder);
    });
    if (newRow != nullptr) {
        *newRow = result ? holder : 0;
    }
    return result;
}

StoreResult CustomListStore::DeleteList(int64_t row, std::string_view text) const {
    return WriteTransaction(path_, busyTimeoutMs_,
                            [&](Connection& db) { return DeleteRow(db, row, text); });
}

StoreResult CustomListStore::CheckIntegrity() const {
    Connection db(path_, SQLITE_OPEN_READWRITE, busyTimeoutMs_);
    if (!db.ok()) {
        return db.OpenFailure();
    }
    Statement check(db, "PRAGMA integrity_check");
    if (!check.ok()) {
        return db.Failure(check.code());
    }
    const int step = check.Step();
    if (step != SQLITE_ROW) {
        return db.Failure(step);
    }
    const std::string verdict = check.Text(0);
    if (verdict != "ok") {
        return {StoreStatus::Failed, verdict};
    }
    return {};
}

StoreResult
CustomListStore::Create(const std::string& path,
                        const std::vector<std::pair<ListLanguage, std::string>>& lists) {
    Connection db(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, kDefaultBusyTimeoutMs);
    if (!db.ok()) {
        return db.OpenFailure();
    }
    int code = db.Begin();
    if (code != SQLITE_OK) {
        return db.Failure(code);
    }
    code = db.Exec(kTableSql); // fails when the file holds the table already
    if (code != SQLITE_OK) {
        return db.Failure(code);
    }
    for (const auto& [language, text] : lists) {
        int64_t row = 0;
        code = AppendRow(db, text, language, row);
        if (code != SQLITE_OK) {
            return db.Failure(code);
        }
    }
    code = db.Commit();
    if (code != SQLITE_OK) {
        return db.Failure(code);
    }
    return {};
}

} // namespace qv::store
