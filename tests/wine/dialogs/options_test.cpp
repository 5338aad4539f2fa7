// The Options sheet through its export: the General page's record, and the
// Custom Lists page against the user's store, read back with SQLite as the
// host's auto-fill would read it.
#include "custom_lists_harness.h"
#include "qvcore/iscii.h"

#include "qvssd/exports.h"
#include "qvssd/messages.h"
#include "qvssd/records.h"

#include <prsht.h>

#include <atomic>
#include <cstring>
#include <thread>

using qvrobot::Robot;
using qvtest::StoreRow;

namespace {

// General page
constexpr int kTaskPane = 1162, kFormulaBar = 1161, kStatusBar = 1163, kLayoutBar = 1168;
constexpr int kCommentsNone = 1164, kCommentsIndicator = 1165, kCommentsAll = 1166;
constexpr int kOutline = 1167, kUserLabel = 1106, kUserName = 1169;
// Custom Lists page
constexpr int kLists = 32903, kEntries = 32904, kHint = 32905, kAdd = 32906, kDelete = 32907;
constexpr int kImport = 32911, kImportRange = 32912, kPickRange = 1010;
// Import Custom Lists
constexpr int kRows = 1002, kColumns = 1003;

class OptionsTest : public qvtest::CustomListsTest {
  protected:
    int32_t ShowOptions(QVOptionsRecord& record, const std::function<void(Robot&)>& script) {
        auto show = Export<QVShowOptionsFn>("QVShowOptions");
        auto outcome = qvrobot::RunModal([&] { return show(&record); }, script);
        EXPECT_SCRIPT_OK(outcome);
        return outcome.result;
    }

    // Opens the Custom Lists page, runs `script` on the sheet, then presses
    // `close` (IDOK or IDCANCEL).
    int32_t OnListsPage(const std::function<void(Robot&, HWND)>& script, int close = IDOK) {
        QVOptionsRecord record{};
        std::strcpy(record.selection, "A1:A3");
        record.activePage = 1;
        return ShowOptions(record, [&](Robot& robot) {
            HWND sheet = robot.WaitForWindow("Options");
            script(robot, sheet);
            if (close == IDOK) {
                robot.Click(sheet, IDOK);
            } else {
                robot.Cancel(sheet);
            }
        });
    }

    // Types entries into the box with the new-list item selected and adds them.
    void AddNew(Robot& robot, HWND sheet, const std::string& lines) {
        robot.Select(sheet, kLists, 0);
        robot.SetText(sheet, kEntries, lines);
        robot.Click(sheet, kAdd);
    }

    std::vector<std::string> ExpectedListBox(const std::string& language) {
        std::vector<std::string> items{DialogString(1234, language == "L" ? 2 : 1)};
        for (const StoreRow& row : Rows()) {
            if (row.language == language) {
                items.push_back(row.text);
            }
        }
        return items;
    }
};

HWND ActivePage(HWND sheet) {
    return reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
}

} // namespace

TEST_F(OptionsTest, GeneralPageWritesItsChoicesAndPassesOtherBitsThrough) {
    char name[] = "Asha";
    QVOptionsRecord record{};
    record.viewFlags = 0x40 | 0x04 | 0x80; // 0x80 is not the page's
    record.comments = 7;
    record.outlineSymbols = 1;
    record.userName = name;
    record.activePage = 9; // unknown: General
    const int32_t result = ShowOptions(record, [&](Robot& robot) {
        HWND sheet = robot.WaitForWindow("Options");
        EXPECT_TRUE(robot.IsChecked(sheet, kTaskPane));
        EXPECT_FALSE(robot.IsChecked(sheet, kFormulaBar));
        EXPECT_TRUE(robot.IsChecked(sheet, kStatusBar));
        EXPECT_TRUE(robot.IsVisible(sheet, kLayoutBar));
        EXPECT_FALSE(robot.IsChecked(sheet, kLayoutBar));
        EXPECT_TRUE(robot.IsChecked(sheet, kCommentsAll));
        EXPECT_TRUE(robot.IsChecked(sheet, kOutline));
        EXPECT_EQ(robot.Text(sheet, kUserName), "Asha");
        EXPECT_EQ(robot.Text(sheet, kUserLabel), DialogString(1956));
        robot.Click(sheet, kTaskPane);
        robot.Click(sheet, kLayoutBar);
        robot.Click(sheet, kCommentsIndicator);
        robot.Click(sheet, kOutline);
        robot.SetText(sheet, kUserName, "Ravi Kumar");
        robot.Click(sheet, IDOK);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(record.viewFlags, 0x80 | 0x04 | 0x01);
    EXPECT_EQ(record.comments, 1);
    EXPECT_EQ(record.outlineSymbols, 0);
    EXPECT_EQ(record.activePage, 0);
    ASSERT_NE(record.userName, name); // a fresh copy; the host frees it
    EXPECT_STREQ(record.userName, "Ravi Kumar");
    EXPECT_EQ(HeapSize(GetProcessHeap(), 0, record.userName), sizeof "Ravi Kumar");
    QVFree(record.userName);

    // Unchanged choices are written back as the page shows them: 7 becomes 2.
    record.comments = 7;
    record.userName = name;
    EXPECT_EQ(ShowOptions(record,
                          [](Robot& robot) { robot.Click(robot.WaitForWindow("Options"), IDOK); }),
              1);
    EXPECT_EQ(record.comments, 2);
    QVFree(record.userName);

    // A user name in the local script comes back in the host's own bytes.
    char local[] = "\xB4\xDA\xC2\xDA";
    record.userName = local;
    EXPECT_EQ(ShowOptions(record,
                          [](Robot& robot) { robot.Click(robot.WaitForWindow("Options"), IDOK); }),
              1);
    EXPECT_STREQ(record.userName, local);
    QVFree(record.userName);
}

TEST_F(OptionsTest, CancelKeepsTheRecordButTheActivePage) {
    char name[] = "Asha";
    QVOptionsRecord record{};
    record.viewFlags = 0x20;
    record.userName = name;
    record.activePage = 1;
    const int32_t result = ShowOptions(record, [&](Robot& robot) {
        HWND sheet = robot.WaitForWindow("Options");
        EXPECT_TRUE(robot.HasControl(ActivePage(sheet), kLists));
        // Back to General, change something, then cancel.
        robot.Post([sheet] { PropSheet_SetCurSel(sheet, nullptr, 0); });
        robot.WaitIdle();
        robot.Click(sheet, kFormulaBar);
        robot.Cancel(sheet);
    });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(record.activePage, 0);
    EXPECT_EQ(record.viewFlags, 0x20);
    EXPECT_EQ(record.userName, name);
}

TEST_F(OptionsTest, LayoutBarHiddenByTheEditionPassesItsBitThrough) {
    qvhost::ScratchAppFolder scratch(appFolder_);
    ASSERT_TRUE(scratch.ok());
    // The English locale strings of the other edition: string 10008 reads 2.
    ASSERT_TRUE(qvtest::ReplaceString(scratch.path() + "\\QVSSMSE.dll", 10008, "2"));
    LoadFrom(scratch.path());
    for (uint8_t flags : {uint8_t{0x01}, uint8_t{0x00}}) {
        QVOptionsRecord record{};
        record.viewFlags = flags;
        EXPECT_EQ(ShowOptions(record,
                              [](Robot& robot) {
                                  HWND sheet = robot.WaitForWindow("Options");
                                  EXPECT_FALSE(robot.IsVisible(sheet, kLayoutBar));
                                  EXPECT_FALSE(robot.IsEnabled(sheet, kLayoutBar));
                                  robot.Click(sheet, IDOK);
                              }),
                  1);
        EXPECT_EQ(record.viewFlags, flags);
        QVFree(record.userName);
    }
    library_.reset();
}

TEST_F(OptionsTest, AListAddedIsInTheStoreAndThereWhenTheSheetOpensAgain) {
    const int32_t result = OnListsPage([&](Robot& robot, HWND sheet) {
        EXPECT_EQ(robot.Items(sheet, kLists), ExpectedListBox("E"));
        EXPECT_EQ(robot.Items(sheet, kLists).size(), 5u); // the new-list item and four built in
        EXPECT_EQ(robot.SelectedIndex(sheet, kLists), 0);
        EXPECT_TRUE(robot.IsVisible(sheet, kHint));
        EXPECT_TRUE(robot.IsEnabled(sheet, kAdd));
        EXPECT_FALSE(robot.IsEnabled(sheet, kDelete));
        EXPECT_EQ(robot.Text(sheet, kImportRange), "A1:A3");
        // A built-in list: shown one entry a line, neither replaced nor deleted.
        robot.Select(sheet, kLists, 2);
        EXPECT_EQ(robot.Text(sheet, kEntries).substr(0, 16), "Sunday\r\nMonday\r\n");
        EXPECT_FALSE(robot.IsEnabled(sheet, kAdd));
        EXPECT_FALSE(robot.IsEnabled(sheet, kDelete));
        EXPECT_FALSE(robot.IsVisible(sheet, kHint));

        AddNew(robot, sheet, "North\r\n  South \r\n\r\nEast");
        EXPECT_EQ(robot.Items(sheet, kLists).back(), "North;South;East;");
        EXPECT_EQ(robot.SelectedIndex(sheet, kLists), 5);
        EXPECT_EQ(robot.Text(sheet, kEntries), "North\r\nSouth\r\nEast");
        EXPECT_TRUE(robot.IsEnabled(sheet, kDelete));
        // Two lists that differ only in case and blanks are one list.
        AddNew(robot, sheet, "NORTH\r\nsou th\r\neast");
        EXPECT_EQ(robot.Items(sheet, kLists).size(), 6u);
        EXPECT_EQ(robot.SelectedIndex(sheet, kLists), 5);
        // Editing a user list and adding it replaces it.
        robot.SetText(sheet, kEntries, "North\r\nSouth\r\nEast\r\nWest");
        robot.Click(sheet, kAdd);
        EXPECT_EQ(robot.Items(sheet, kLists).back(), "North;South;East;West;");
        EXPECT_EQ(robot.Items(sheet, kLists).size(), 6u);
        // OK saves what the box holds as one more list.
        robot.Select(sheet, kLists, 0);
        robot.SetText(sheet, kEntries, "Low\r\nHigh");
    });
    EXPECT_EQ(result, 1);
    const auto rows = Rows();
    ASSERT_EQ(rows.size(), 9u);
    EXPECT_EQ(rows[7].text, "North;South;East;West;");
    EXPECT_EQ(rows[7].language, "E");
    EXPECT_EQ(rows[8].text, "Low;High;");
    // The serial number is the number of rows before the new one plus 1.
    EXPECT_EQ(rows[7].sno, 8);
    EXPECT_EQ(rows[8].sno, 9);
    EXPECT_TRUE(Store().CheckIntegrity());

    EXPECT_EQ(OnListsPage(
                  [&](Robot& robot, HWND sheet) {
                      const auto items = robot.Items(sheet, kLists);
                      ASSERT_EQ(items.size(), 7u);
                      EXPECT_EQ(items[5], "North;South;East;West;");
                      EXPECT_EQ(items[6], "Low;High;");
                  },
                  IDCANCEL),
              0);
}

TEST_F(OptionsTest, TheListsPageShowsTheStoreAsItIsWhenThePageOpens) {
    // Whether the sheet opens on the page or the user comes to it from
    // General (after the host changed the store), the page shows the lists
    // the store holds then, with the range button's image, and reports a
    // store that cannot be read when it opens.
    AddRows({{"E", "Red;Green;"}, {"L", "Local;"}});
    for (int32_t start : {1, 0}) {
        QVOptionsRecord record{};
        record.activePage = start;
        ShowOptions(record, [&](Robot& robot) {
            HWND sheet = robot.WaitForWindow("Options");
            if (start == 0) {
                AddRows({{"E", "Added;Later;"}});
                robot.Post([sheet] { PropSheet_SetCurSel(sheet, nullptr, 1); });
                robot.WaitIdle();
            }
            EXPECT_EQ(robot.Items(sheet, kLists), ExpectedListBox("E"));
            HWND pick = GetDlgItem(ActivePage(sheet), kPickRange);
            EXPECT_NE(SendMessageA(pick, BM_GETIMAGE, IMAGE_BITMAP, 0), 0);
            robot.Cancel(sheet);
        });
    }
    qvhost::WriteTextFile(StorePath(), "not a database at all");
    QVOptionsRecord record{};
    ShowOptions(record, [&](Robot& robot) {
        HWND sheet = robot.WaitForWindow("Options");
        robot.Post([sheet] { PropSheet_SetCurSel(sheet, nullptr, 1); });
        EXPECT_EQ(robot.ExpectMessageBox().text, Message(1253));
        robot.AnswerMessageBox(1);
        EXPECT_EQ(robot.Items(sheet, kLists).size(), 1u);
        robot.Cancel(sheet);
    });
}

TEST_F(OptionsTest, EntriesMustKeepTheListRules) {
    OnListsPage(
        [&](Robot& robot, HWND sheet) {
            const struct {
                std::string lines;
                UINT message;
            } refused[] = {
                {"Item 1\r\nItem;2", 1221},
                {"short\r\n" + std::string(256, 'x'), 1222},
                {qvtest::EntryLines(3201, 9), 1223},
            };
            for (const auto& entry : refused) {
                AddNew(robot, sheet, entry.lines);
                auto box = robot.ExpectMessageBox();
                EXPECT_EQ(box.text, Message(entry.message));
                robot.AnswerMessageBox(1);
                EXPECT_EQ(robot.FocusedId(), kEntries);
                EXPECT_EQ(robot.Items(sheet, kLists).size(), 5u);
            }
            // The longest list there may be, and the longest entry.
            AddNew(robot, sheet, qvtest::EntryLines(3200, 9));
            AddNew(robot, sheet, std::string(255, 'y'));
            EXPECT_TRUE(robot.NoMessageBoxWithin(0));
            EXPECT_EQ(robot.Items(sheet, kLists).size(), 7u);
            // OK with an entry the rules refuse stays open on the page.
            robot.Select(sheet, kLists, 0);
            robot.SetText(sheet, kEntries, "a;b");
            robot.Click(sheet, IDOK);
            auto box = robot.ExpectMessageBox();
            EXPECT_EQ(box.text, Message(1221));
            robot.AnswerMessageBox(1);
            robot.SetText(sheet, kEntries, "");
        },
        IDOK);
    const auto rows = Rows();
    ASSERT_EQ(rows.size(), 9u);
    EXPECT_EQ(rows[7].text.size(), 32000u);
    EXPECT_EQ(rows[7].text, qvtest::ListText(3200, 9));
    EXPECT_EQ(rows[8].text, std::string(255, 'y') + ";");
}

TEST_F(OptionsTest, DeletingAsksAndBuiltInListsStay) {
    const std::string calendarMonths = Rows().back().text; // the last built-in local list
    AddRows({{"E", "Red;Green;"}, {"L", "Lal;Hara;"}});
    OnListsPage(
        [&](Robot& robot, HWND sheet) {
            for (int builtIn = 1; builtIn <= 4; ++builtIn) {
                robot.Select(sheet, kLists, builtIn);
                EXPECT_FALSE(robot.IsEnabled(sheet, kDelete)) << builtIn;
            }
            robot.Select(sheet, kLists, 5);
            EXPECT_TRUE(robot.IsEnabled(sheet, kDelete));
            robot.Click(sheet, kDelete);
            auto ask = robot.ExpectMessageBox();
            EXPECT_EQ(ask.text, Message(1212));
            robot.AnswerMessageBox(2);
            EXPECT_EQ(robot.Items(sheet, kLists).size(), 6u);
            robot.Click(sheet, kDelete);
            robot.ExpectMessageBox();
            robot.AnswerMessageBox(1);
            EXPECT_EQ(robot.Items(sheet, kLists).size(), 5u);
            EXPECT_EQ(robot.SelectedIndex(sheet, kLists), 0);
            EXPECT_EQ(robot.Text(sheet, kEntries), "");
        },
        IDCANCEL);
    EXPECT_EQ(Rows().size(), 8u); // deleted at once, whatever the sheet's end

    // The local menus hold three built-in lists, in the local script: their
    // fourth list is the user's.
    qvhost::SetMenuLanguage(2);
    OnListsPage(
        [&](Robot& robot, HWND sheet) {
            const auto items = robot.Items(sheet, kLists);
            EXPECT_EQ(items, ExpectedListBox("L"));
            ASSERT_EQ(items.size(), 5u);
            EXPECT_EQ(items[1], DayNames(2));
            // The box scrolls sideways as far as the longest list reaches.
            const HWND box = robot.Control(sheet, kLists);
            const auto extent = SendMessageW(box, LB_GETHORIZONTALEXTENT, 0, 0);
            EXPECT_GE(extent, qvtest::WidestText(box, items));
            EXPECT_LE(extent, qvtest::WidestText(box, items) + 16);
            robot.Select(sheet, kLists, 1);
            EXPECT_EQ(robot.Text(sheet, kEntries).substr(0, DialogString(1739, 2).size() + 2),
                      DialogString(1739, 2) + "\r\n");
            robot.Select(sheet, kLists, 3);
            EXPECT_FALSE(robot.IsEnabled(sheet, kDelete));
            robot.Select(sheet, kLists, 4);
            EXPECT_EQ(robot.Text(sheet, kEntries), "Lal\r\nHara");
            robot.Click(sheet, kDelete);
            EXPECT_EQ(robot.ExpectMessageBox().text, Message(1212, 2));
            robot.AnswerMessageBox(1);
        },
        IDCANCEL);
    const auto rows = Rows();
    ASSERT_EQ(rows.size(), 7u);
    EXPECT_EQ(rows.back().language, "L");
    EXPECT_EQ(rows.back().text, calendarMonths);
}

TEST_F(OptionsTest, ImportReadsTheCellsTheHostWrites) {
    // The host writes its cells as it holds its texts: local words in ISCII.
    const qv::core::IndicScript script = qv::core::ScriptOfFace(DialogString(20000, 2));
    const std::string word = script == qv::core::IndicScript::Tamil ? "வரவு" : "बजट";
    const std::string iscii = qv::core::UnicodeToIscii(word, script);
    ASSERT_NE(iscii, word);
    std::string cells;
    for (int i = 1; i <= 1000; ++i) {
        cells += "Item " + std::to_string(i) + "\r\n";
    }
    frame_->SetImportText(cells);
    OnListsPage(
        [&](Robot& robot, HWND sheet) {
            // One column: no question, lParam 0.
            robot.SetText(sheet, kImportRange, "A1:A1000");
            robot.Click(sheet, kImport);
            auto sent = frame_->Log(WM_QV_IMPORTLIST);
            ASSERT_EQ(sent.size(), 1u);
            EXPECT_EQ(sent[0].text, "A1:A1000");
            EXPECT_EQ(sent[0].lParam, 0);
            EXPECT_EQ(robot.Items(sheet, kLists).size(), 6u);
            EXPECT_EQ(robot.SelectedIndex(sheet, kLists), 5);
            EXPECT_FALSE(qvhost::FileExists(qvhost::TempFolder() + "\\range.txt"));

            // A block asks, "Columns" first; cancelling sends nothing.
            frame_->SetImportText("Alpha\r\n" + iscii + "\r\n");
            robot.SetText(sheet, kImportRange, "b2:c4");
            robot.Click(sheet, kImport);
            HWND ask = robot.WaitForWindow("Import Custom Lists");
            EXPECT_TRUE(robot.IsChecked(ask, kColumns));
            robot.Cancel(ask);
            EXPECT_EQ(frame_->Log(WM_QV_IMPORTLIST).size(), 1u);
            robot.Click(sheet, kImport);
            ask = robot.WaitForWindow("Import Custom Lists");
            robot.Click(ask, kRows);
            robot.Click(ask, IDOK);
            robot.WaitClosed(ask);
            sent = frame_->Log(WM_QV_IMPORTLIST);
            ASSERT_EQ(sent.size(), 2u);
            EXPECT_EQ(sent[1].text, "b2:c4");
            EXPECT_EQ(sent[1].lParam, 0);
            EXPECT_EQ(robot.Items(sheet, kLists).back(), "Alpha;" + word + ";");

            // Texts that are no reference.
            for (const auto& [text, message] :
                 {std::pair<std::string, UINT>{"A1:B", 1187}, {"Q", 1284}}) {
                robot.SetText(sheet, kImportRange, text);
                robot.Click(sheet, kImport);
                EXPECT_EQ(robot.ExpectMessageBox().text, Message(message));
                robot.AnswerMessageBox(1);
                EXPECT_EQ(robot.FocusedId(), kImportRange);
            }
            EXPECT_EQ(frame_->Log(WM_QV_IMPORTLIST).size(), 2u);
            // OK wants a range in the box.
            robot.SetText(sheet, kImportRange, "A1");
            robot.Click(sheet, IDOK);
            EXPECT_EQ(robot.ExpectMessageBox().text, Message(1193));
            robot.AnswerMessageBox(1);
            EXPECT_EQ(robot.FocusedId(), kImportRange);
            robot.SetText(sheet, kImportRange, "A1:A2");
        },
        IDOK);
    const auto rows = Rows();
    ASSERT_EQ(rows.size(), 9u);
    EXPECT_EQ(rows[7].text.substr(0, 14), "Item 1;Item 2;");
    EXPECT_EQ(qvtest::SplitCount(rows[7].text), 1000u);
}

TEST_F(OptionsTest, AStoreThatCannotBeUsedIsReportedNeverFatal) {
    // Deleted while the sheet is open: the list cannot be saved.
    OnListsPage(
        [&](Robot& robot, HWND sheet) {
            EXPECT_EQ(robot.Items(sheet, kLists).size(), 5u);
            ASSERT_TRUE(DeleteFileA(StorePath().c_str()));
            AddNew(robot, sheet, "One\r\nTwo");
            EXPECT_EQ(robot.ExpectMessageBox().text, Message(1220));
            robot.AnswerMessageBox(1);
            EXPECT_EQ(robot.Items(sheet, kLists).size(), 5u);
            EXPECT_EQ(robot.Text(sheet, kEntries), "One\r\nTwo"); // nothing typed is lost
            robot.SetText(sheet, kEntries, "");
        },
        IDOK);
    EXPECT_FALSE(qvhost::FileExists(StorePath())); // and none was made

    // Missing, empty, or not a database: message 1253 and only the new-list item.
    for (const char* content : {static_cast<const char*>(nullptr), "", "not a database at all"}) {
        if (content != nullptr) {
            qvhost::WriteTextFile(StorePath(), content);
        }
        QVOptionsRecord record{};
        record.activePage = 1;
        ShowOptions(record, [&](Robot& robot) {
            // Reported while the page opens, before the sheet shows.
            EXPECT_EQ(robot.ExpectMessageBox().text, Message(1253));
            robot.AnswerMessageBox(1);
            HWND sheet = robot.WaitForWindow("Options");
            EXPECT_EQ(robot.Items(sheet, kLists).size(), 1u);
            robot.Cancel(sheet);
        });
    }
}

TEST_F(OptionsTest, AReadOnlyStoreIsShownButNotChanged) {
    AddRows({{"E", "Red;Green;"}});
    // Read-only: the attribute, and (as Wine run by root writes such files
    // all the same) a handle of another reader that lets others only read.
    ASSERT_TRUE(SetFileAttributesA(StorePath().c_str(), FILE_ATTRIBUTE_READONLY));
    HANDLE reader = CreateFileA(StorePath().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(reader, INVALID_HANDLE_VALUE);
    OnListsPage(
        [&](Robot& robot, HWND sheet) {
            EXPECT_EQ(robot.Items(sheet, kLists).size(), 6u);
            AddNew(robot, sheet, "One\r\nTwo");
            EXPECT_EQ(robot.ExpectMessageBox().text, Message(1220));
            robot.AnswerMessageBox(1);
            robot.Select(sheet, kLists, 5);
            robot.Click(sheet, kDelete);
            robot.ExpectMessageBox();
            robot.AnswerMessageBox(1);
            EXPECT_EQ(robot.ExpectMessageBox().text, Message(1253));
            robot.AnswerMessageBox(1);
            EXPECT_EQ(robot.Items(sheet, kLists).size(), 6u);
        },
        IDCANCEL);
    CloseHandle(reader);
    SetFileAttributesA(StorePath().c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(Rows().size(), 8u);
}

TEST_F(OptionsTest, TheHostReadingTheStoreMakesASaveWait) {
    // A reader that lets go as soon as the save is under way: the save waits
    // for it and succeeds.
    {
        qvtest::StoreReader reader(StorePath());
        std::thread releaser([&] { reader.ReleaseWhenAWriteStarts(10000); });
        OnListsPage([&](Robot& robot, HWND sheet) {
            AddNew(robot, sheet, "Waited\r\nFor");
            EXPECT_TRUE(robot.NoMessageBoxWithin(0));
            EXPECT_EQ(robot.Items(sheet, kLists).back(), "Waited;For;");
        });
        releaser.join();
    }
    // A reader that holds on longer than the save waits: message 1220.
    qvtest::StoreReader reader(StorePath());
    OnListsPage(
        [&](Robot& robot, HWND sheet) {
            AddNew(robot, sheet, "Never\r\nSaved");
            EXPECT_EQ(robot.ExpectMessageBox(10000).text, Message(1220));
            robot.AnswerMessageBox(1);
            robot.SetText(sheet, kEntries, "");
        },
        IDCANCEL);
    reader.Release();
    const auto rows = Rows();
    ASSERT_EQ(rows.size(), 8u);
    EXPECT_EQ(rows.back().text, "Waited;For;");
}
