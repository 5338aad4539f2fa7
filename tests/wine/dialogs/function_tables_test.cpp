// Insert Function over the real catalogue and profile, and Select Table /
// Table Name over real database files read through the platform's ODBC.
#include "harness.h"

#include "qvssd/exports.h"
#include "qvssd/records.h"
#include "qvssd/siblings.h"

#include <commctrl.h>
#include <sqlite3.h>

#include <algorithm>
#include <cstring>
#include <set>
#include <vector>

using qvrobot::Robot;
using qvrobot::RunModal;

namespace {

constexpr int kSearch = 277, kGo = 254, kCategory = 1050, kFunctions = 1052;
constexpr int kSyntax = 1058, kDescription = 1059;
constexpr int kTables = 1081, kTableName = 216;

class FunctionTables : public qvtest::DialogTest {
  protected:
    void SetUp() override {
        DialogTest::SetUp();
        userData_ = qvhost::MakeScratchFolder("function-userdata");
        qvhost::SetUserDataFolder(userData_);
        files_ = qvhost::MakeScratchFolder("function-databases");
    }
    void TearDown() override {
        library_.reset();
        qvhost::RemoveFolder(userData_);
        qvhost::RemoveFolder(files_);
        DialogTest::TearDown();
    }

    template <class F, class... Args>
    int32_t Run(const char* name, const std::function<void(Robot&)>& script, Args... args) {
        auto show = Export<F>(name);
        auto outcome = RunModal([&] { return show(args...); }, script);
        EXPECT_SCRIPT_OK(outcome);
        return outcome.result;
    }
    int32_t InsertFunction(QVInsertFunctionRecord& record,
                           const std::function<void(Robot&)>& script) {
        return Run<QVShowInsertFunctionFn>(
            "QVShowInsertFunction", [&](Robot& robot) { script(robot); }, &record);
    }
    void WriteProfile(const std::string& text) {
        ASSERT_TRUE(qvhost::WriteTextFile(userData_ + "\\" + QVCOM_PROFILE_FILE, text));
    }
    // The names the library gives a run of ids, as a category lists them.
    std::vector<std::string> Names(const std::vector<int>& ids, int language = 1) const {
        std::vector<std::string> names;
        for (int id : ids) {
            names.push_back(DialogString(static_cast<UINT>(id), language));
        }
        return names;
    }

    std::string userData_;
    std::string files_;
};

std::vector<int> Span(int first, int last, const std::set<int>& skips = {}) {
    std::vector<int> ids;
    for (int id = first; id <= last; ++id) {
        if (skips.count(id) == 0) {
            ids.push_back(id);
        }
    }
    return ids;
}

// True when the static's text fits its rectangle in its own font, wrapped
// as the static wraps it (a quarter line spare for marks above and below).
bool TextFits(HWND label) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(label)) + 1, L'\0');
    text.resize(
        static_cast<size_t>(GetWindowTextW(label, text.data(), static_cast<int>(text.size()))));
    RECT client{};
    GetClientRect(label, &client);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ previous =
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0)));
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    RECT needed{0, 0, client.right, 0};
    DrawTextW(dc, text.c_str(), -1, &needed, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    SelectObject(dc, previous);
    DeleteDC(dc);
    return needed.right <= client.right && needed.bottom <= client.bottom + metrics.tmHeight / 4;
}

// ---- databases ------------------------------------------------------------------

bool MakeDatabase(const std::string& path, const std::string& sql) {
    sqlite3* db = nullptr;
    bool ok = sqlite3_open(path.c_str(), &db) == SQLITE_OK &&
              sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    return ok;
}

// A list view column's cells, top to bottom.
std::vector<std::string> Column(HWND list, int column) {
    std::vector<std::string> cells;
    const int count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < count; ++row) {
        cells.push_back(qvtest::ListViewText(list, row, column));
    }
    return cells;
}

int SelectedRow(HWND list) {
    return static_cast<int>(
        SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

} // namespace

// ---- Insert Function ----------------------------------------------------------------

TEST_F(FunctionTables, EveryCategoryListsItsIdsMinusTheSkipsAndOkReturnsTheChoice) {
    const std::set<int> never = {2016, 2031, 2068, 2078, 2112, 2107, 2119};
    const std::set<int> hidden = {2102, 2103, 2104, 2105, 2106, 2107, 2108, 2109, 2110, 2111};
    std::set<int> allSkips = never;
    allSkips.insert(hidden.begin(), hidden.end());
    const std::vector<std::vector<int>> expected = {
        Span(2001, 2137, allSkips), Span(2001, 2015),         Span(2017, 2030), Span(2032, 2067),
        Span(2069, 2077),           Span(2079, 2111, hidden), Span(2113, 2118), Span(2120, 2127)};
    QVInsertFunctionRecord record{};
    const int32_t result = InsertFunction(record, [&](Robot& robot) {
        HWND dlg = robot.WaitForWindow("Insert Function");
        std::vector<std::string> categories;
        for (UINT id : {1171, 1172, 1173, 1174, 1175, 1176, 1179, 1180, 2119}) {
            categories.push_back(DialogString(id));
        }
        EXPECT_EQ(robot.Items(dlg, kCategory), categories);
        EXPECT_EQ(robot.SelectedIndex(dlg, kCategory), 0); // no profile: the recent list
        EXPECT_TRUE(robot.Items(dlg, kFunctions).empty());
        EXPECT_EQ(robot.FocusedId(), kSearch);
        for (int category = 1; category <= 8; ++category) {
            robot.Select(dlg, kCategory, category);
            EXPECT_EQ(robot.Items(dlg, kFunctions), Names(expected[category - 1]))
                << "category " << category;
        }
        robot.Select(dlg, kCategory, 4);
        robot.Select(dlg, kFunctions, DialogString(2063));
        const std::string help = DialogString(2063 + 999);
        EXPECT_EQ(robot.Text(dlg, kSyntax) + "^^" + robot.Text(dlg, kDescription), help);
        LOGFONTA bold{};
        GetObjectA(
            reinterpret_cast<HFONT>(SendMessageA(robot.Control(dlg, kSyntax), WM_GETFONT, 0, 0)),
            sizeof bold, &bold);
        EXPECT_EQ(bold.lfWeight, FW_BOLD);
        robot.Click(dlg, IDOK);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(std::string(record.name), DialogString(2063));
    EXPECT_EQ(record.category, 4);
    EXPECT_EQ(std::string(record.functionId), "2063");
}

TEST_F(FunctionTables, GoSearchesByTheFirstThreeLettersAndFallsBackWhenNothingMatches) {
    QVInsertFunctionRecord record{};
    std::memset(&record, 'x', sizeof record);
    const int32_t result = InsertFunction(record, [&](Robot& robot) {
        HWND dlg = robot.WaitForWindow("Insert Function");
        robot.SetText(dlg, kSearch, "xyz");
        robot.Click(dlg, kGo);
        EXPECT_EQ(robot.Text(dlg, kSearch), DialogString(1239));
        EXPECT_EQ(robot.FocusedId(), kSearch);
        EXPECT_EQ(robot.Items(dlg, kCategory).size(), 9u);
        EXPECT_EQ(robot.SelectedIndex(dlg, kCategory), 0);

        robot.SetText(dlg, kSearch, "sUmMARY");
        robot.PressKey(dlg, kSearch, VK_RETURN); // Enter in the search box is Go
        const auto categories = robot.Items(dlg, kCategory);
        ASSERT_EQ(categories.size(), 10u);
        EXPECT_EQ(categories.back(), DialogString(1380));
        EXPECT_EQ(robot.SelectedIndex(dlg, kCategory), 9);
        EXPECT_EQ(robot.Items(dlg, kFunctions), Names({2063, 2064, 2065}));
        robot.Select(dlg, kFunctions, 1);
        robot.PressKey(dlg, kFunctions, VK_RETURN); // Enter in the list is OK
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(std::string(record.name), DialogString(2064));
    EXPECT_EQ(record.category, 9);
    EXPECT_EQ(std::string(record.functionId), "2064");
}

TEST_F(FunctionTables, RecentFunctionsComeFromTheProfileWithItsSkips) {
    // Never-listed ids, a hidden name, a syntax id and a repeat are stepped over.
    WriteProfile("[Function]\r\n0=0\r\n1=2016\r\n2=2063\r\n3=2102\r\n4=3000\r\n5=2115\r\n"
                 "6=3094\r\n7=2063\r\n8=2137\r\n9=2112\r\n10=2001\r\n");
    QVInsertFunctionRecord record{};
    auto recent = [&](int language) {
        qvhost::SetMenuLanguage(language);
        LoadFrom(appFolder_);
        EXPECT_EQ(InsertFunction(record,
                                 [&](Robot& robot) {
                                     HWND dlg = robot.WaitForWindow("Insert Function");
                                     EXPECT_EQ(robot.Items(dlg, kFunctions),
                                               Names({2063, 2115, 2137, 2001}, language));
                                     robot.PressKey(dlg, kFunctions, VK_ESCAPE);
                                 }),
                  0);
    };
    recent(1);
    recent(2);
    qvhost::SetMenuLanguage(1);
    LoadFrom(appFolder_);
    // A gap ends the list; key "0" names the category shown first.
    WriteProfile("[Function]\r\n0=5\r\n1=2069\r\n2=2070\r\n3=0\r\n4=2072\r\n");
    const int32_t result = InsertFunction(record, [&](Robot& robot) {
        HWND dlg = robot.WaitForWindow("Insert Function");
        EXPECT_EQ(robot.SelectedIndex(dlg, kCategory), 5);
        robot.Select(dlg, kCategory, 0);
        EXPECT_EQ(robot.Items(dlg, kFunctions), Names({2069, 2070}));
        robot.Click(dlg, IDOK); // the first entry is selected when a list fills
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(std::string(record.name), DialogString(2069));
    EXPECT_EQ(record.category, 0);
}

TEST_F(FunctionTables, KeysOpenAndCloseTheCategoryListAndEscapeCancels) {
    QVInsertFunctionRecord record{};
    std::strcpy(record.name, "KEEP");
    const int32_t result = InsertFunction(record, [&](Robot& robot) {
        HWND dlg = robot.WaitForWindow("Insert Function");
        HWND combo = robot.Control(dlg, kCategory);
        robot.PressKey(dlg, kSearch, 'C', true);
        EXPECT_EQ(robot.FocusedId(), kCategory);
        EXPECT_TRUE(SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0));
        robot.PressKey(dlg, kCategory, VK_ESCAPE); // closes the drop-down only
        EXPECT_FALSE(SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0));
        EXPECT_TRUE(IsWindowVisible(dlg));
        robot.PressKey(dlg, kCategory, VK_DOWN);
        EXPECT_TRUE(SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0));
        robot.PressKey(dlg, kCategory, VK_ESCAPE);
        robot.PressKey(dlg, kSearch, VK_ESCAPE);
    });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(std::string(record.name), "KEEP");
}

TEST_F(FunctionTables, MissingProfileLibraryOrStringLibraryLeavesEmptyLists) {
    WriteProfile("[Function]\r\n0=3\r\n1=2063\r\n");
    // Without the common services (and profile) library the string libraries
    // cannot be found either: one warning, then empty lists.
    for (const char* missing : {"QVComLib.dll", "QVSSDSE.dll"}) {
        qvhost::ScratchAppFolder scratch(appFolder_, {missing});
        ASSERT_TRUE(scratch.ok());
        LoadFrom(scratch.path());
        QVInsertFunctionRecord record{};
        std::memset(&record, 'x', sizeof record);
        const int32_t result = InsertFunction(record, [&](Robot& robot) {
            auto box = robot.ExpectMessageBox();
            ASSERT_TRUE(box.exists) << missing;
            if (std::string(missing) == "QVSSDSE.dll") {
                EXPECT_EQ(box.text, Message(1180)); // without paths there is no text either
            }
            robot.AnswerMessageBox(1);
            HWND dlg = robot.WaitForWindow("Insert Function");
            EXPECT_TRUE(robot.Items(dlg, kCategory).empty()) << missing;
            EXPECT_TRUE(robot.Items(dlg, kFunctions).empty()) << missing;
            robot.Click(dlg, kGo);
            EXPECT_TRUE(robot.Items(dlg, kFunctions).empty()) << missing;
            robot.Click(dlg, IDOK);
        });
        EXPECT_EQ(result, 1);
        EXPECT_EQ(std::string(record.name), "");
        EXPECT_EQ(record.category, 0);
        EXPECT_EQ(std::string(record.functionId), "0");
        library_.reset();
    }
}

TEST_F(FunctionTables, EveryListedFunctionHasItsSyntaxAndDescriptionInBothLanguages) {
    const std::set<int> skips = {2016, 2031, 2068, 2078, 2112, 2107, 2119};
    for (int language : {1, 2}) {
        for (int id : Span(2001, 2137, skips)) {
            const std::string name = DialogString(static_cast<UINT>(id), language);
            ASSERT_FALSE(name.empty()) << id;
            if (name[0] == '*') {
                continue; // hidden
            }
            // Names stay as formulas need them (2133 also labels the Sort row prefix).
            if (id != 2133) {
                EXPECT_EQ(name, DialogString(static_cast<UINT>(id), 1)) << id;
            }
            const std::string help = DialogString(static_cast<UINT>(id + 999), language);
            const size_t mark = help.find("^^");
            ASSERT_NE(mark, std::string::npos) << id << " " << language;
            EXPECT_EQ(help.compare(0, DialogString(static_cast<UINT>(id), 1).size() + 1,
                                   DialogString(static_cast<UINT>(id), 1) + "("),
                      0)
                << help;
            EXPECT_GT(help.size(), mark + 12) << "a description a user can act on: " << help;
        }
    }
}

TEST_F(FunctionTables, EverySyntaxAndDescriptionFitsInEachLanguage) {
    WriteProfile("[Function]\r\n0=1\r\n"); // open on "All"
    for (const char* local : {"", "hi", "ta"}) {
        std::unique_ptr<qvhost::ScratchAppFolder> scratch;
        if (*local != '\0') {
            scratch = std::make_unique<qvhost::ScratchAppFolder>();
            ASSERT_TRUE(scratch->ok());
            const std::string lang = appFolder_ + "\\..\\lang\\" + local + "\\";
            for (const char* lib : {"QVSSDSL.dll", "QVComnSL.dll", "QVMSGSL.dll", "QVSSMSL.dll"}) {
                ASSERT_TRUE(
                    CopyFileA((lang + lib).c_str(), (scratch->path() + "\\" + lib).c_str(), FALSE));
            }
            qvhost::SetMenuLanguage(2);
            LoadFrom(scratch->path());
        }
        QVInsertFunctionRecord record{};
        InsertFunction(record, [&](Robot& robot) {
            HWND dlg = robot.WaitForWindow("Insert Function");
            const size_t count = robot.Items(dlg, kFunctions).size();
            EXPECT_GT(count, 100u);
            for (size_t i = 0; i < count; ++i) {
                robot.Select(dlg, kFunctions, static_cast<int>(i));
                EXPECT_TRUE(TextFits(robot.Control(dlg, kSyntax)))
                    << local << " " << robot.Text(dlg, kSyntax);
                EXPECT_TRUE(TextFits(robot.Control(dlg, kDescription)))
                    << local << " " << robot.Text(dlg, kDescription);
            }
            robot.Cancel(dlg);
        });
        library_.reset();
    }
}

TEST_F(FunctionTables, NullAndReadOnlyArgumentsShowNothing) {
    EXPECT_EQ(Export<QVShowInsertFunctionFn>("QVShowInsertFunction")(nullptr), 0);
    EXPECT_EQ(Export<QVShowSelectTableFn>("QVShowSelectTable")(nullptr), IDCANCEL);
    EXPECT_EQ(Export<QVShowDatabaseTableFn>("QVShowDatabaseTable")(nullptr), IDCANCEL);
    // A path the library may read but not overwrite.
    char* page =
        static_cast<char*>(VirtualAlloc(nullptr, 4096, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
    ASSERT_NE(page, nullptr);
    std::strcpy(page, (files_ + "\\sales.db").c_str());
    DWORD old = 0;
    VirtualProtect(page, 4096, PAGE_READONLY, &old);
    EXPECT_EQ(Export<QVShowSelectTableFn>("QVShowSelectTable")(page), IDCANCEL);
    EXPECT_EQ(Export<QVShowDatabaseTableFn>("QVShowDatabaseTable")(page), IDCANCEL);
    VirtualFree(page, 0, MEM_RELEASE);
}

// ---- Select Table ---------------------------------------------------------------------

TEST_F(FunctionTables, SelectTableListsARealDatabaseWithoutTheEngineTables) {
    const std::string path = files_ + "\\sales.db";
    ASSERT_TRUE(MakeDatabase(path, "CREATE TABLE MSysObjects(a); CREATE TABLE Orders(a);"
                                   "CREATE TABLE Customers(a); CREATE VIEW Totals AS SELECT 1;"));
    char buffer[MAX_PATH] = {};
    std::strcpy(buffer, path.c_str());
    int32_t result = Run<QVShowSelectTableFn>(
        "QVShowSelectTable",
        [&](Robot& robot) {
            HWND dlg = robot.WaitForWindow("Select Table");
            HWND list = robot.Control(dlg, kTables);
            const auto names = Column(list, 0);
            EXPECT_EQ(std::set<std::string>(names.begin(), names.end()),
                      (std::set<std::string>{"Orders", "Customers"}));
            EXPECT_EQ(SelectedRow(list), 0);
            for (int column = 1; column < 4; ++column) {
                EXPECT_EQ(qvtest::ListViewColumnTitle(list, column), DialogString(1471 + column));
                EXPECT_EQ(Column(list, column), std::vector<std::string>(2)) << column;
            }
            EXPECT_EQ(qvtest::ListViewColumnTitle(list, 0), DialogString(1471));
            robot.Click(dlg, IDOK);
        },
        buffer);
    EXPECT_EQ(result, IDOK);
    EXPECT_TRUE(std::string(buffer) == "Orders" || std::string(buffer) == "Customers") << buffer;

    // A double-click chooses its row; a cancel empties the buffer.
    std::strcpy(buffer, path.c_str());
    std::string clicked;
    result = Run<QVShowSelectTableFn>(
        "QVShowSelectTable",
        [&](Robot& robot) {
            HWND dlg = robot.WaitForWindow("Select Table");
            HWND list = robot.Control(dlg, kTables);
            clicked = qvtest::ListViewText(list, 1, 0);
            robot.Post([list] {
                LVITEMA item{};
                item.stateMask = item.state = LVIS_SELECTED | LVIS_FOCUSED;
                SendMessageA(list, LVM_SETITEMSTATE, 1, reinterpret_cast<LPARAM>(&item));
                NMITEMACTIVATE note{};
                note.hdr = {list, kTables, NM_DBLCLK};
                note.iItem = 1;
                SendMessageA(GetParent(list), WM_NOTIFY, kTables, reinterpret_cast<LPARAM>(&note));
            });
            robot.WaitClosed(dlg);
        },
        buffer);
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(std::string(buffer), clicked);
    std::strcpy(buffer, path.c_str());
    result = Run<QVShowSelectTableFn>(
        "QVShowSelectTable",
        [&](Robot& robot) { robot.Cancel(robot.WaitForWindow("Select Table")); }, buffer);
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_STREQ(buffer, "");
}

TEST_F(FunctionTables, FilesThatAreNoDatabaseGiveAnEmptyListAndNoFileIsMade) {
    const std::string missing = files_ + "\\missing.db";
    const std::string text = files_ + "\\notes.db";
    const std::string empty = files_ + "\\empty.sqlite";
    const std::string locked = files_ + "\\locked.db";
    const std::string other = files_ + "\\sales.xls";
    ASSERT_TRUE(qvhost::WriteTextFile(text, std::string(4096, 'n')));
    ASSERT_TRUE(qvhost::WriteTextFile(empty, ""));
    ASSERT_TRUE(qvhost::WriteTextFile(other, "x"));
    ASSERT_TRUE(MakeDatabase(locked, "CREATE TABLE Orders(a);"));
    // A writer holds the database for the whole run.
    sqlite3* writer = nullptr;
    ASSERT_EQ(sqlite3_open(locked.c_str(), &writer), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(writer, "BEGIN EXCLUSIVE; INSERT INTO Orders VALUES (1);", nullptr,
                           nullptr, nullptr),
              SQLITE_OK);
    for (const std::string& path : {missing, text, empty, locked, other}) {
        char buffer[MAX_PATH] = {};
        std::strcpy(buffer, path.c_str());
        const int32_t result = Run<QVShowSelectTableFn>(
            "QVShowSelectTable",
            [&](Robot& robot) {
                HWND dlg = robot.WaitForWindow("Select Table", 15000);
                EXPECT_TRUE(Column(robot.Control(dlg, kTables), 0).empty()) << path;
                robot.Click(dlg, IDOK); // nothing to choose: the dialog stays
                EXPECT_TRUE(IsWindowVisible(dlg));
                robot.Cancel(dlg);
            },
            buffer);
        EXPECT_EQ(result, IDCANCEL) << path;
        EXPECT_STREQ(buffer, "") << path;
    }
    sqlite3_exec(writer, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(writer);
    EXPECT_FALSE(qvhost::FileExists(missing));

    // An empty path ends at once, as cancelled.
    char none[8] = "";
    auto show = Export<QVShowSelectTableFn>("QVShowSelectTable");
    EXPECT_EQ(show(none), IDCANCEL);
}

TEST_F(FunctionTables, FiveThousandTablesAndNamesInTheLocalScript) {
    const std::string path = files_ + "\\many.db";
    const std::string khata = "\xE0\xA4\x96\xE0\xA4\xBE\xE0\xA4\xA4\xE0\xA4\xBE";
    std::string sql = "BEGIN;";
    for (int i = 0; i < 5000; ++i) {
        sql += "CREATE TABLE t" + std::to_string(i) + "(a);";
    }
    sql += "CREATE TABLE \"" + khata + "\"(a);COMMIT;";
    ASSERT_TRUE(MakeDatabase(path, sql));
    char buffer[MAX_PATH] = {};
    std::strcpy(buffer, path.c_str());
    const int32_t result = Run<QVShowSelectTableFn>(
        "QVShowSelectTable",
        [&](Robot& robot) {
            HWND dlg = robot.WaitForWindow("Select Table", 15000);
            HWND list = robot.Control(dlg, kTables);
            const auto names = Column(list, 0);
            EXPECT_EQ(names.size(), 5001u);
            const auto found = std::find(names.begin(), names.end(), khata);
            ASSERT_NE(found, names.end());
            const WPARAM row = static_cast<WPARAM>(found - names.begin());
            robot.Post([list, row] {
                LVITEMW item{};
                item.stateMask = item.state = LVIS_SELECTED | LVIS_FOCUSED;
                SendMessageW(list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
            });
            robot.WaitIdle();
            robot.Click(dlg, IDOK);
        },
        buffer);
    // The host's text carries the local script as ISCII-91.
    EXPECT_EQ(result, IDOK);
    EXPECT_STREQ(buffer, "\xB4\xDA\xC2\xDA");
}

TEST_F(FunctionTables, TheChosenNameIsWrittenWholeWhereTheMemoryAllows) {
    // A table whose name is longer than the path that came in: the host's
    // buffer is large enough for the name, and gets all of it.
    const std::string path = files_ + "\\n.db";
    const std::string longName(path.size() + 20, 'L');
    ASSERT_TRUE(MakeDatabase(path, "CREATE TABLE " + longName + "(a);"));
    std::vector<char> buffer(longName.size() + 64, '#');
    std::memcpy(buffer.data(), path.c_str(), path.size() + 1);
    int32_t result = Run<QVShowSelectTableFn>(
        "QVShowSelectTable",
        [&](Robot& robot) { robot.Click(robot.WaitForWindow("Select Table"), IDOK); },
        buffer.data());
    EXPECT_EQ(result, IDOK);
    EXPECT_STREQ(buffer.data(), longName.c_str());
    EXPECT_EQ(std::string(buffer.begin() + static_cast<long>(longName.size()) + 1, buffer.end()),
              std::string(63, '#'));

    // A path that ends at the last writable byte before a guard page: the
    // name does not fit the memory, and the buffer is emptied instead.
    char* pages = static_cast<char*>(
        VirtualAlloc(nullptr, 2 * 4096, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
    ASSERT_NE(pages, nullptr);
    DWORD old = 0;
    VirtualProtect(pages + 4096, 4096, PAGE_NOACCESS, &old);
    char* atEnd = pages + 4096 - (path.size() + 1);
    std::memcpy(atEnd, path.c_str(), path.size() + 1);
    result = Run<QVShowSelectTableFn>(
        "QVShowSelectTable",
        [&](Robot& robot) { robot.Click(robot.WaitForWindow("Select Table"), IDOK); }, atEnd);
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(atEnd[0], '\0');
    VirtualFree(pages, 0, MEM_RELEASE);
}

// ---- Table Name -------------------------------------------------------------------------

TEST_F(FunctionTables, TableNameRefusesEveryCharacterAndAnEmptyNameAndStaysInItsBounds) {
    std::vector<char> buffer(200, '#');
    const std::string refused = "`[].!@#$%^&*()+=\\|{},\"';<>?/";
    int32_t result = Run<QVShowDatabaseTableFn>(
        "QVShowDatabaseTable",
        [&](Robot& robot) {
            HWND dlg = robot.WaitForWindow("Table Name");
            for (char c : refused) {
                robot.SetText(dlg, kTableName, std::string("My") + c + "Table");
                robot.Click(dlg, IDOK);
                auto box = robot.ExpectMessageBox();
                EXPECT_EQ(box.text, Message(1226)) << c;
                robot.AnswerMessageBox(1);
                EXPECT_EQ(robot.FocusedId(), kTableName);
                DWORD start = 0, end = 0;
                SendMessageA(robot.Control(dlg, kTableName), EM_GETSEL,
                             reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
                EXPECT_EQ(end - start, 8u) << c;
            }
            robot.SetText(dlg, kTableName, "   ");
            robot.Click(dlg, IDOK);
            EXPECT_EQ(robot.ExpectMessageBox().text, Message(1227));
            robot.AnswerMessageBox(1);
            robot.SetText(dlg, kTableName, "  " + std::string(100, 'T') + "  ");
            robot.Click(dlg, IDOK);
        },
        buffer.data());
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(std::string(buffer.data()), std::string(64, 'T'));
    EXPECT_EQ(std::string(buffer.begin() + 65, buffer.end()), std::string(135, '#'));

    // A cancel after a refused name still writes an empty name.
    result = Run<QVShowDatabaseTableFn>(
        "QVShowDatabaseTable",
        [&](Robot& robot) {
            HWND dlg = robot.WaitForWindow("Table Name");
            robot.SetText(dlg, kTableName, "My.Table");
            robot.Click(dlg, IDOK);
            robot.AnswerMessageBox(1);
            robot.Cancel(dlg);
        },
        buffer.data());
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(buffer[0], '\0');
    EXPECT_EQ(buffer[1], 'T');
}
