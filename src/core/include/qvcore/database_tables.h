// Rules of the database table dialogs that need no window: which driver opens
// a database file, which tables are listed, how their times read, and the
// characters a new table name may not hold.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qv::core {

enum class DatabaseKind {
    Unknown,
    Desktop, // .mdb, .accdb: the platform's desktop-database driver
    Sqlite,  // .db, .sqlite, .sqlite3
};

// The kind of a database file, by its extension (ignoring case).
DatabaseKind KindOfDatabase(std::string_view path);

// The connection strings to try in order for a database file, read-only and
// shared; `driverPath` is the file's name as the driver will open it. None
// for an unknown kind.
std::vector<std::string> ConnectionStrings(DatabaseKind kind, std::string_view driverPath);

// The driver's error text says the database needs a password.
bool IsPasswordError(std::string_view message);

// Tables the list shows: the engine's own "MSys" tables are left out.
bool IsListedTable(std::string_view name);

// A table's creation or update time as the list shows it: "%m/%d/%y %I:%M:%S %p".
std::string FormatTableTime(int year, int month, int day, int hour, int minute, int second);

// The characters a new table name may not hold.
constexpr std::string_view kRefusedTableNameChars = "`[].!@#$%^&*()+=\\|{},\"';<>?/";
// The longest new table name.
constexpr size_t kMaxTableName = 64;

enum class TableNameProblem { None, RefusedCharacter, Empty };

// Spaces and tabs removed at both ends.
std::string TrimTableName(std::string_view text);
// The problem of a trimmed table name: a refused character first, then emptiness.
TableNameProblem CheckTableName(std::string_view trimmed);

} // namespace qv::core
