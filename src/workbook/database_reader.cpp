#include "workbook/database_reader.h"

#include "framework/library.h"
#include "framework/text.h"
#include "qvcore/database_tables.h"

#include <windows.h>

#include <sql.h>
#include <sqlext.h>
#include <sqlucode.h>

#include <cwctype>
#include <iterator>

namespace qv::workbook {
namespace {

// The file's name as the driver opens it. Under Wine the platform's ODBC
// hands every connection to the system's driver manager, whose drivers open
// files by their Unix names; elsewhere the name is the driver's already.
std::wstring DriverPath(const std::wstring& path) {
    using UnixName = char*(CDECL*)(LPCWSTR);
    auto unixName =
        fw::Library::ProcOf<UnixName>(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name");
    if (unixName == nullptr) {
        return path;
    }
    char* name = unixName(path.c_str());
    if (name == nullptr) {
        return path;
    }
    std::wstring converted = fw::Widen(name);
    HeapFree(GetProcessHeap(), 0, name);
    return converted;
}

class OdbcHandle {
  public:
    OdbcHandle(SQLSMALLINT type, SQLHANDLE parent) : type_(type) {
        if (!SQL_SUCCEEDED(SQLAllocHandle(type, parent, &handle_))) {
            handle_ = SQL_NULL_HANDLE;
        }
    }
    ~OdbcHandle() {
        if (handle_ != SQL_NULL_HANDLE) {
            SQLFreeHandle(type_, handle_);
        }
    }
    OdbcHandle(const OdbcHandle&) = delete;
    OdbcHandle& operator=(const OdbcHandle&) = delete;
    SQLHANDLE get() const { return handle_; }
    explicit operator bool() const { return handle_ != SQL_NULL_HANDLE; }

  private:
    SQLSMALLINT type_;
    SQLHANDLE handle_ = SQL_NULL_HANDLE;
};

// A connection that is closed when the object ends.
class Connection {
  public:
    explicit Connection(SQLHDBC dbc) : dbc_(dbc) {}
    ~Connection() { SQLDisconnect(dbc_); }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

  private:
    SQLHDBC dbc_;
};

bool SaysPasswordNeeded(SQLSMALLINT type, SQLHANDLE handle) {
    for (SQLSMALLINT record = 1; record < 16; ++record) {
        SQLWCHAR state[6] = {};
        SQLWCHAR message[1024] = {};
        SQLINTEGER native = 0;
        SQLSMALLINT length = 0;
        if (!SQL_SUCCEEDED(SQLGetDiagRecW(type, handle, record, state, &native, message,
                                          static_cast<SQLSMALLINT>(std::size(message)), &length))) {
            break;
        }
        if (core::IsPasswordError(fw::Narrow(reinterpret_cast<const wchar_t*>(message)))) {
            return true;
        }
    }
    return false;
}

std::wstring TextColumn(SQLHSTMT statement, SQLUSMALLINT column) {
    std::wstring text;
    SQLWCHAR chunk[512];
    for (;;) {
        SQLLEN size = 0;
        const SQLRETURN result =
            SQLGetData(statement, column, SQL_C_WCHAR, chunk, sizeof chunk, &size);
        if (!SQL_SUCCEEDED(result) || size == SQL_NULL_DATA) {
            break;
        }
        text += reinterpret_cast<const wchar_t*>(chunk);
        if (result == SQL_SUCCESS) {
            break;
        }
    }
    return text;
}

std::wstring TimeColumn(SQLHSTMT statement, SQLUSMALLINT column) {
    if (column == 0) {
        return {};
    }
    SQL_TIMESTAMP_STRUCT time{};
    SQLLEN size = 0;
    if (!SQL_SUCCEEDED(
            SQLGetData(statement, column, SQL_C_TYPE_TIMESTAMP, &time, sizeof time, &size)) ||
        size == SQL_NULL_DATA) {
        return {};
    }
    return fw::Widen(core::FormatTableTime(time.year, time.month, time.day, time.hour, time.minute,
                                           time.second));
}

// Columns past the standard five that a driver may add with a table's
// creation and last-update times; 0 when it has none.
struct TimeColumns {
    SQLUSMALLINT created = 0;
    SQLUSMALLINT updated = 0;
};

TimeColumns FindTimeColumns(SQLHSTMT statement) {
    TimeColumns columns;
    SQLSMALLINT count = 0;
    if (!SQL_SUCCEEDED(SQLNumResultCols(statement, &count))) {
        return columns;
    }
    for (SQLSMALLINT column = 6; column <= count; ++column) {
        SQLWCHAR name[128] = {};
        SQLSMALLINT length = 0;
        if (!SQL_SUCCEEDED(SQLColAttributeW(statement, static_cast<SQLUSMALLINT>(column),
                                            SQL_DESC_NAME, name, sizeof name, &length, nullptr))) {
            continue;
        }
        std::wstring upper(reinterpret_cast<const wchar_t*>(name));
        for (wchar_t& c : upper) {
            c = static_cast<wchar_t>(std::towupper(c));
        }
        if (columns.created == 0 && upper.find(L"CREAT") != std::wstring::npos) {
            columns.created = static_cast<SQLUSMALLINT>(column);
        } else if (columns.updated == 0 && (upper.find(L"UPDAT") != std::wstring::npos ||
                                            upper.find(L"MODIF") != std::wstring::npos)) {
            columns.updated = static_cast<SQLUSMALLINT>(column);
        }
    }
    return columns;
}

} // namespace

DatabaseListing ListDatabaseTables(const std::string& path) {
    DatabaseListing listing;
    const std::vector<std::string> attempts = core::ConnectionStrings(
        core::KindOfDatabase(path), fw::Narrow(DriverPath(fw::Widen(path))));
    if (attempts.empty()) {
        return listing;
    }
    OdbcHandle environment(SQL_HANDLE_ENV, SQL_NULL_HANDLE);
    if (!environment) {
        return listing;
    }
    SQLSetEnvAttr(environment.get(), SQL_ATTR_ODBC_VERSION,
                  reinterpret_cast<SQLPOINTER>(static_cast<ULONG_PTR>(SQL_OV_ODBC3)), 0);
    for (const std::string& attempt : attempts) {
        OdbcHandle dbc(SQL_HANDLE_DBC, environment.get());
        if (!dbc) {
            return listing;
        }
        SQLSetConnectAttrW(dbc.get(), SQL_ATTR_ACCESS_MODE,
                           reinterpret_cast<SQLPOINTER>(static_cast<ULONG_PTR>(SQL_MODE_READ_ONLY)),
                           0);
        std::wstring connect = fw::Widen(attempt);
        SQLSMALLINT written = 0;
        if (!SQL_SUCCEEDED(SQLDriverConnectW(dbc.get(), nullptr,
                                             reinterpret_cast<SQLWCHAR*>(connect.data()), SQL_NTS,
                                             nullptr, 0, &written, SQL_DRIVER_NOPROMPT))) {
            if (SaysPasswordNeeded(SQL_HANDLE_DBC, dbc.get())) {
                listing.needsPassword = true;
                return listing;
            }
            continue; // the next driver, if there is one
        }
        Connection connection(dbc.get());
        OdbcHandle statement(SQL_HANDLE_STMT, dbc.get());
        std::wstring type = L"TABLE";
        if (!statement ||
            !SQL_SUCCEEDED(SQLTablesW(statement.get(), nullptr, 0, nullptr, 0, nullptr, 0,
                                      reinterpret_cast<SQLWCHAR*>(type.data()), SQL_NTS))) {
            listing.needsPassword = SaysPasswordNeeded(SQL_HANDLE_STMT, statement.get());
            return listing;
        }
        const TimeColumns times = FindTimeColumns(statement.get());
        while (SQL_SUCCEEDED(SQLFetch(statement.get()))) {
            DatabaseTable table;
            table.name = TextColumn(statement.get(), 3);
            if (!core::IsListedTable(fw::Narrow(table.name))) {
                continue;
            }
            table.created = TimeColumn(statement.get(), times.created);
            table.updated = TimeColumn(statement.get(), times.updated);
            listing.tables.push_back(std::move(table));
        }
        SQLCloseCursor(statement.get());
        return listing;
    }
    return listing;
}

} // namespace qv::workbook
