// The tables of a database file, read through the platform's database
// interface (ODBC), so that the user's own drivers serve.
#pragma once

#include <string>
#include <vector>

namespace qv::workbook {

// Texts in UTF-16, as the list shows them.
struct DatabaseTable {
    std::wstring name;
    std::wstring created; // empty when the driver does not report it
    std::wstring updated;
};

struct DatabaseListing {
    std::vector<DatabaseTable> tables;
    bool needsPassword = false; // the driver refused the file for want of a password
};

// Opens the file (named in UTF-8) read-only and shared with the driver its extension calls for
// and lists its tables (the engine's own "MSys" tables left out). A file that
// cannot be opened gives no tables; an error while reading ends the list with
// the tables read so far.
DatabaseListing ListDatabaseTables(const std::string& path);

} // namespace qv::workbook
