#include "custom_lists_harness.h"

#include "qvcore/utf8.h"
#include "qvhost/host.h"

#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <thread>

namespace qvtest {

std::vector<StoreRow> ReadStoreRows(const std::string& path) {
    std::vector<StoreRow> rows;
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_stmt* stmt = nullptr;
        sqlite3_prepare_v2(db, "SELECT sno, autotext, Language FROM AutoFillData ORDER BY rowid",
                           -1, &stmt, nullptr);
        while (stmt != nullptr && sqlite3_step(stmt) == SQLITE_ROW) {
            const auto text = [stmt](int column) {
                const auto* t = reinterpret_cast<const char*>(sqlite3_column_text(stmt, column));
                return t != nullptr ? std::string(t) : std::string();
            };
            rows.push_back({sqlite3_column_int64(stmt, 0), text(1), text(2)});
        }
        sqlite3_finalize(stmt);
    }
    sqlite3_close(db);
    return rows;
}

void CustomListsTest::SetUp() {
    DialogTest::SetUp();
    userData_ = qvhost::MakeScratchFolder("custom-lists-user");
    qvhost::SetUserDataFolder(userData_);
    store_ = userData_ + "\\Autofill.dll";
    // What a new user has: the shipped store.
    ASSERT_TRUE(CopyFileA((appFolder_ + "\\Autofill.dll").c_str(), store_.c_str(), TRUE));
}

void CustomListsTest::TearDown() {
    library_.reset();
    SetFileAttributesA(store_.c_str(), FILE_ATTRIBUTE_NORMAL);
    qvhost::RemoveFolder(userData_);
    DialogTest::TearDown();
}

void CustomListsTest::AddRows(const std::vector<std::pair<std::string, std::string>>& rows) const {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open_v2(store_.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr), SQLITE_OK);
    for (const auto& [language, text] : rows) {
        sqlite3_stmt* stmt = nullptr;
        sqlite3_prepare_v2(db,
                           "INSERT INTO AutoFillData (sno, autotext, Language) "
                           "VALUES ((SELECT count(*) + 1 FROM AutoFillData), ?1, ?2)",
                           -1, &stmt, nullptr);
        sqlite3_bind_text(stmt, 1, text.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(stmt, 2, language.c_str(), -1, SQLITE_TRANSIENT);
        EXPECT_EQ(sqlite3_step(stmt), SQLITE_DONE);
        sqlite3_finalize(stmt);
    }
    sqlite3_close(db);
}

std::string CustomListsTest::DayNames(int language) const {
    std::string list;
    for (UINT id = 1739; id <= 1745; ++id) {
        list += DialogString(id, language) + ";";
    }
    return list;
}

int WidestText(HWND control, const std::vector<std::string>& texts) {
    HDC dc = GetDC(control);
    HGDIOBJ old =
        SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)));
    int widest = 0;
    for (const std::string& text : texts) {
        const std::u16string wide = qv::core::Utf8ToUtf16(text);
        SIZE size{};
        GetTextExtentPoint32W(dc, reinterpret_cast<const wchar_t*>(wide.c_str()),
                              static_cast<int>(wide.size()), &size);
        widest = size.cx > widest ? size.cx : widest;
    }
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return widest;
}

StoreReader::StoreReader(const std::string& path) : path_(path) {
    sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_exec(db_, "BEGIN", nullptr, nullptr, nullptr);
    sqlite3_prepare_v2(db_, "SELECT autotext FROM AutoFillData", -1, &stmt_, nullptr);
    // The first row read takes the shared lock, held until the end.
    EXPECT_EQ(sqlite3_step(stmt_), SQLITE_ROW);
}

StoreReader::~StoreReader() {
    Release();
}

void StoreReader::ReleaseWhenAWriteStarts(unsigned timeoutMs) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    const std::string journal = path_ + "-journal";
    while (!qvhost::FileExists(journal) && std::chrono::steady_clock::now() < end) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    Release();
}

void StoreReader::Release() {
    if (db_ == nullptr) {
        return;
    }
    sqlite3_finalize(stmt_);
    stmt_ = nullptr;
    sqlite3_exec(db_, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(db_);
    db_ = nullptr;
}

namespace {

std::vector<std::string> Entries(int count, int width) {
    std::vector<std::string> entries;
    for (int i = 1; i <= count; ++i) {
        std::string digits = std::to_string(i);
        entries.push_back(std::string(static_cast<size_t>(width) - digits.size(), '0') + digits);
    }
    return entries;
}

} // namespace

std::string EntryLines(int count, int width) {
    std::string text;
    for (const std::string& entry : Entries(count, width)) {
        text += (text.empty() ? "" : "\r\n") + entry;
    }
    return text;
}

std::string ListText(int count, int width) {
    std::string text;
    for (const std::string& entry : Entries(count, width)) {
        text += entry + ";";
    }
    return text;
}

size_t SplitCount(const std::string& listText) {
    return static_cast<size_t>(std::count(listText.begin(), listText.end(), ';'));
}

bool ReplaceString(const std::string& library, unsigned id, const std::string& text) {
    // A string table block holds 16 counted UTF-16 strings.
    const WORD block = static_cast<WORD>(id / 16 + 1);
    const unsigned slot = id % 16;
    std::vector<std::wstring> strings(16);
    HMODULE module = LoadLibraryExA(library.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (module == nullptr) {
        return false;
    }
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(block), MAKEINTRESOURCEA(6));
    if (found != nullptr) {
        const auto* data = static_cast<const WCHAR*>(LockResource(LoadResource(module, found)));
        for (auto& s : strings) {
            const WORD length = *data++;
            s.assign(data, length);
            data += length;
        }
    }
    FreeLibrary(module);
    strings[slot].assign(text.begin(), text.end());
    std::vector<WCHAR> packed;
    for (const auto& s : strings) {
        packed.push_back(static_cast<WCHAR>(s.size()));
        packed.insert(packed.end(), s.begin(), s.end());
    }
    HANDLE update = BeginUpdateResourceA(library.c_str(), FALSE);
    if (update == nullptr) {
        return false;
    }
    const bool ok = UpdateResourceA(update, MAKEINTRESOURCEA(6), MAKEINTRESOURCEA(block),
                                    MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL), packed.data(),
                                    static_cast<DWORD>(packed.size() * sizeof(WCHAR))) != FALSE;
    return EndUpdateResourceA(update, !ok) != FALSE && ok;
}

} // namespace qvtest
