// Insert Function and the database table dialogs as the host opens them.
#include "dialog_tables.h"

#include "qvssd/exports.h"
#include "qvssd/records.h"
#include "qvssd/siblings.h"

#include <sqlite3.h>

#include <cstring>

namespace qvhost::tables {
namespace {

// The user's recent functions, as the host keeps them in its profile.
void WriteRecentFunctions() {
    char folder[MAX_PATH] = {};
    if (GetEnvironmentVariableA(QVCOM_USERDATA_ENV, folder, sizeof folder) == 0) {
        return;
    }
    WriteTextFile(std::string(folder) + "\\" + QVCOM_PROFILE_FILE,
                  "[Function]\r\n0=0\r\n1=2063\r\n2=2069\r\n3=2115\r\n4=2137\r\n5=2024\r\n"
                  "6=2087\r\n7=2072\r\n8=2057\r\n");
}

class InsertFunctionCall : public DialogCall {
  public:
    InsertFunctionCall() { WriteRecentFunctions(); }
    int32_t Invoke(FARPROC fn) override { return As<QVShowInsertFunctionFn>(fn)(&record_); }
    std::string RecordJson(const FrameWindow*) const override {
        return "{\"name\":" + JsonString(std::string(record_.name, strnlen(record_.name, 32))) +
               ",\"category\":" + std::to_string(record_.category) + ",\"functionId\":" +
               JsonString(std::string(record_.functionId, strnlen(record_.functionId, 12))) + "}";
    }

  private:
    QVInsertFunctionRecord record_{};
};

// A small SQLite database of the sort a user imports from.
std::string SampleDatabase() {
    const std::string path = TempFolder() + "\\twcalc-sample-tables.db";
    if (FileExists(path)) {
        return path;
    }
    sqlite3* db = nullptr;
    if (sqlite3_open(path.c_str(), &db) == SQLITE_OK) {
        sqlite3_exec(db,
                     "CREATE TABLE MSysObjects (id INTEGER);"
                     "CREATE TABLE Customers (id INTEGER PRIMARY KEY, name TEXT, city TEXT);"
                     "CREATE TABLE Orders (id INTEGER PRIMARY KEY, customer INTEGER, total REAL);"
                     "CREATE TABLE Products (id INTEGER PRIMARY KEY, name TEXT, price REAL);"
                     "CREATE TABLE Suppliers (id INTEGER PRIMARY KEY, name TEXT);",
                     nullptr, nullptr, nullptr);
    }
    sqlite3_close(db);
    return path;
}

class SelectTableCall : public DialogCall {
  public:
    SelectTableCall() {
        const std::string path = SampleDatabase();
        std::strncpy(buffer_, path.c_str(), sizeof buffer_ - 1);
    }
    int32_t Invoke(FARPROC fn) override { return As<QVShowSelectTableFn>(fn)(buffer_); }
    std::string RecordJson(const FrameWindow*) const override {
        return "{\"buffer\":" + JsonString(buffer_) + "}";
    }

  private:
    char buffer_[MAX_PATH] = {};
};

class DatabaseTableCall : public DialogCall {
  public:
    int32_t Invoke(FARPROC fn) override { return As<QVShowDatabaseTableFn>(fn)(buffer_); }
    std::string RecordJson(const FrameWindow*) const override {
        return "{\"buffer\":" + JsonString(buffer_) + "}";
    }

  private:
    char buffer_[80] = {};
};

} // namespace

std::vector<DialogEntry> FunctionDialogs() {
    return {
        {"insertfunction", "QVShowInsertFunction", "Insert Function",
         [] { return std::make_unique<InsertFunctionCall>(); }},
        {"selecttable", "QVShowSelectTable", "Select Table",
         [] { return std::make_unique<SelectTableCall>(); }},
        {"tablename", "QVShowDatabaseTable", "Table Name",
         [] { return std::make_unique<DatabaseTableCall>(); }},
    };
}

} // namespace qvhost::tables
