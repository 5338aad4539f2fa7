// Sort and Sort Options through the export: the key lists, the host's
// header-row notices, the checks on OK, and the custom sort orders read from
// the user's store and written to the exchange file.
#include "custom_lists_harness.h"
#include "qvcore/iscii.h"

#include "qvssd/exports.h"
#include "qvssd/messages.h"
#include "qvssd/records.h"

#include <cstring>

using qvrobot::Robot;

namespace {

constexpr int kKey1 = 1028, kKey2 = 1020, kKey3 = 1023;
constexpr int kKey1Descending = 1019, kKey2Ascending = 1021, kKey2Descending = 1022;
constexpr int kKey3Ascending = 1024;
constexpr int kHeader = 1027, kNoHeader = 1026, kOptions = 1042;
constexpr int kOrder = 1044, kCase = 1045, kTopToBottom = 1047, kLeftToRight = 1048;
const char kSortOptions[] = "Sort Options ";

class SortTest : public qvtest::CustomListsTest {
  protected:
    int32_t ShowSort(DataSortRecord& record, const std::function<void(Robot&, HWND)>& script) {
        auto show = Export<QVShowDataSortFn>("QVShowDataSort");
        auto outcome = qvrobot::RunModal([&] { return show(&record); },
                                         [&](Robot& robot) {
                                             HWND dialog = robot.WaitForWindow("Sort");
                                             script(robot, dialog);
                                         });
        EXPECT_SCRIPT_OK(outcome);
        return outcome.result;
    }

    // The header-row notices the host received, in order.
    std::vector<WPARAM> HeaderNotices() const {
        std::vector<WPARAM> notices;
        for (const auto& message : frame_->Log(WM_QV_HEADERROW)) {
            notices.push_back(message.wParam);
        }
        return notices;
    }
};

DataSortRecord Block(int32_t firstRow, int32_t lastRow, int32_t firstColumn, int32_t lastColumn,
                     uint8_t topToBottom = 1) {
    DataSortRecord record{};
    record.firstRow = firstRow;
    record.lastRow = lastRow;
    record.firstColumn = firstColumn;
    record.lastColumn = lastColumn;
    record.key1Ascending = 1;
    record.key2Ascending = 1;
    record.key3Ascending = 0;
    record.topToBottom = topToBottom;
    record.headerRow = 1; // what the host used last time: not shown again
    record.key1 = record.key2 = record.key3 = 77;
    return record;
}

std::string ReadExchangeFile(const char* name) {
    return qvhost::ReadTextFile(qvhost::TempFolder() + "\\" + name);
}

} // namespace

TEST_F(SortTest, KeysAreColumnsOfTheBlockAndOKWritesThem) {
    DataSortRecord record = Block(3, 10, 25, 28); // Y to AB
    const int32_t result = ShowSort(record, [&](Robot& robot, HWND sort) {
        const std::string column = DialogString(1375) + " ";
        const std::vector<std::string> keys{DialogString(1376), column + "Y", column + "Z",
                                            column + "AA", column + "AB"};
        for (int list : {kKey1, kKey2, kKey3}) {
            EXPECT_EQ(robot.Items(sort, list), keys);
        }
        EXPECT_EQ(robot.SelectedIndex(sort, kKey1), 1);
        EXPECT_EQ(robot.SelectedIndex(sort, kKey2), -1);
        EXPECT_EQ(robot.SelectedIndex(sort, kKey3), -1);
        EXPECT_EQ(robot.FocusedId(), kKey1);
        EXPECT_TRUE(robot.IsChecked(sort, kNoHeader));
        EXPECT_TRUE(robot.IsEnabled(sort, kHeader));
        EXPECT_TRUE(robot.IsChecked(sort, kKey2Ascending));
        EXPECT_TRUE(robot.IsChecked(sort, kKey3Ascending) == false);

        // The host hears of the header row only when it changes; the keys
        // stay named by position.
        robot.Click(sort, kHeader);
        robot.Click(sort, kHeader);
        robot.Click(sort, kNoHeader);
        robot.Click(sort, kHeader);
        EXPECT_EQ(HeaderNotices(), (std::vector<WPARAM>{1, 0, 1}));
        EXPECT_EQ(robot.Items(sort, kKey1), keys);

        robot.Select(sort, kKey1, 2);
        robot.Select(sort, kKey3, 4);
        robot.Click(sort, kKey1Descending);
        robot.Click(sort, kKey2Descending);
        robot.Click(sort, IDOK);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(record.key1, 2);
    EXPECT_EQ(record.key2, 0); // no second key, a third one
    EXPECT_EQ(record.key3, 4);
    EXPECT_EQ(record.key1Ascending, 0);
    EXPECT_EQ(record.key2Ascending, 0);
    EXPECT_EQ(record.key3Ascending, 0);
    EXPECT_EQ(record.headerRow, 1);
}

TEST_F(SortTest, KeysMissingOrRepeatedAreRefused) {
    DataSortRecord record = Block(1, 5, 1, 4);
    const int32_t result = ShowSort(record, [&](Robot& robot, HWND sort) {
        const struct {
            int key1, key2, key3, focus;
        } refused[] = {{0, 1, 2, kKey1}, {2, 2, -1, kKey2}, {3, 1, 3, kKey3}, {1, 2, 2, kKey3}};
        for (const auto& keys : refused) {
            robot.Select(sort, kKey1, keys.key1);
            robot.Select(sort, kKey2, keys.key2);
            if (keys.key3 >= 0) {
                robot.Select(sort, kKey3, keys.key3);
            }
            robot.Click(sort, IDOK);
            auto box = robot.ExpectMessageBox();
            EXPECT_EQ(box.text, Message(1214));
            robot.AnswerMessageBox(1);
            EXPECT_EQ(robot.FocusedId(), keys.focus) << keys.key1 << keys.key2 << keys.key3;
        }
        // Second and third key "none" is fine.
        robot.Select(sort, kKey1, 4);
        robot.Select(sort, kKey2, 0);
        robot.Select(sort, kKey3, 0);
        robot.Click(sort, IDOK);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(record.key1, 4);
    EXPECT_EQ(record.key2, 0);
    EXPECT_EQ(record.key3, 0);
}

TEST_F(SortTest, RowsAndOneRowBlocksHaveNoHeaderChoice) {
    DataSortRecord rows = Block(7, 9, 2, 3, 0);
    EXPECT_EQ(ShowSort(rows,
                       [&](Robot& robot, HWND sort) {
                           const std::string row = DialogString(2133) + " ";
                           EXPECT_EQ(robot.Items(sort, kKey2),
                                     (std::vector<std::string>{DialogString(1376), row + "7",
                                                               row + "8", row + "9"}));
                           EXPECT_FALSE(robot.IsEnabled(sort, kHeader));
                           EXPECT_FALSE(robot.IsEnabled(sort, kNoHeader));
                           robot.Cancel(sort);
                       }),
              0);
    EXPECT_EQ(rows.key1, 77); // nothing written on Cancel
    DataSortRecord oneRow = Block(4, 4, 1, 3);
    ShowSort(oneRow, [&](Robot& robot, HWND sort) {
        EXPECT_FALSE(robot.IsEnabled(sort, kHeader));
        EXPECT_EQ(robot.Items(sort, kKey1).size(), 4u);
        // Up and Down open a key list; releasing Escape closes it, not the dialog.
        robot.PressKey(sort, kKey2, VK_DOWN);
        EXPECT_TRUE(SendMessageA(robot.Control(sort, kKey2), CB_GETDROPPEDSTATE, 0, 0));
        robot.PressKey(sort, kKey2, VK_ESCAPE);
        EXPECT_FALSE(SendMessageA(robot.Control(sort, kKey2), CB_GETDROPPEDSTATE, 0, 0));
        EXPECT_TRUE(IsWindowVisible(sort));
        robot.Cancel(sort);
    });
}

// Every row or column from the block's first to its last is a key, in
// place: numbers outside the sheet keep their entry with an empty label, so
// that the key numbers written back stay positions in the block.
TEST_F(SortTest, BlocksAtTheSheetsEdgesKeepEveryPosition) {
    const std::string none = DialogString(1376);
    const std::string column = DialogString(1375) + " ";
    const std::string row = DialogString(2133) + " ";
    const struct {
        DataSortRecord record;
        std::vector<std::string> keys;
    } blocks[] = {
        {Block(1, 5, 255, 257), {none, column + "IU", column + "IV", column}},
        {Block(1, 5, 0, 1), {none, column, column + "A"}},
        {Block(0, 1, 4, 4, 0), {none, row + "0", row + "1"}},
        {Block(1, 5, 9, 8), {none}}, // ends before it starts
    };
    for (auto block : blocks) {
        ShowSort(block.record, [&](Robot& robot, HWND sort) {
            EXPECT_EQ(robot.Items(sort, kKey3), block.keys);
            robot.Cancel(sort);
        });
    }

    // A one-row block opens without the header choice; confirming the
    // top-to-bottom order in Sort Options offers it again.
    DataSortRecord oneRow = Block(4, 4, 1, 3);
    ShowSort(oneRow, [&](Robot& robot, HWND sort) {
        EXPECT_FALSE(robot.IsEnabled(sort, kHeader));
        robot.Click(sort, kOptions);
        HWND options = robot.WaitForWindow(kSortOptions);
        robot.Click(options, IDOK);
        robot.WaitClosed(options);
        EXPECT_TRUE(robot.IsEnabled(sort, kHeader));
        EXPECT_TRUE(robot.IsEnabled(sort, kNoHeader));
        robot.Cancel(sort);
    });
}

TEST_F(SortTest, SortOptionsOffersTheMenuLanguagesListsAndWritesTheOrder) {
    AddRows({{"E", "High;Medium;Low;"}, {"L", "Uchch;Madhyam;"}, {"E", "Gold;Silver"}});
    DataSortRecord record = Block(2, 6, 1, 3);
    DeleteFileA((qvhost::TempFolder() + "\\Customlist.txt").c_str());
    const int32_t result = ShowSort(record, [&](Robot& robot, HWND sort) {
        robot.Click(sort, kHeader);
        robot.Click(sort, kOptions);
        HWND options = robot.WaitForWindow(kSortOptions);
        std::vector<std::string> expected{DialogString(1514)};
        for (const auto& row : Rows()) {
            if (row.language == "E") {
                expected.push_back(row.text);
            }
        }
        EXPECT_EQ(robot.Items(options, kOrder), expected);
        EXPECT_EQ(robot.Items(options, kOrder).size(), 7u);
        EXPECT_EQ(robot.SelectedIndex(options, kOrder), 0);
        EXPECT_EQ(robot.FocusedId(), kOrder);
        EXPECT_FALSE(robot.IsVisible(options, kCase));
        EXPECT_TRUE(robot.IsChecked(options, kTopToBottom));
        // Alt+F opens the order list.
        robot.PressKey(options, kOrder, 'F', true);
        EXPECT_TRUE(SendMessageA(robot.Control(options, kOrder), CB_GETDROPPEDSTATE, 0, 0));
        robot.Post([list = robot.Control(options, kOrder)] {
            SendMessageA(list, CB_SHOWDROPDOWN, FALSE, 0);
        });
        robot.Select(options, kOrder, 6); // the list without its last ";"
        robot.Click(options, kLeftToRight);
        robot.Click(options, IDOK);
        robot.WaitClosed(options);
        // Sorting columns: the keys are rows, and the header choice goes.
        EXPECT_EQ(robot.Items(sort, kKey1)[1], DialogString(2133) + " 2");
        EXPECT_FALSE(robot.IsEnabled(sort, kHeader));
        EXPECT_EQ(HeaderNotices(), (std::vector<WPARAM>{1, 0}));
        EXPECT_EQ(robot.SelectedIndex(sort, kKey1), 1);
        EXPECT_EQ(robot.SelectedIndex(sort, kKey2), -1);
        // Opened again, the order list stands on the first custom list.
        robot.Click(sort, kOptions);
        options = robot.WaitForWindow(kSortOptions);
        EXPECT_EQ(robot.SelectedIndex(options, kOrder), 1);
        EXPECT_TRUE(robot.IsChecked(options, kLeftToRight));
        robot.Cancel(options);
        robot.Cancel(sort);
    });
    // The options were written when Sort Options was confirmed.
    EXPECT_EQ(result, 0);
    EXPECT_EQ(record.customOrder, 1);
    EXPECT_EQ(record.topToBottom, 0);
    EXPECT_EQ(record.caseSensitive, 0);
    EXPECT_EQ(record.key1, 77);
    EXPECT_EQ(ReadExchangeFile("Customlist.txt"), "Gold\r\nSilver\r\n");
}

TEST_F(SortTest, LocalMenusShowLocalListsAndLetters) {
    // The host reads the chosen order as it holds its texts: local words in
    // ISCII.
    const qv::core::IndicScript script = qv::core::ScriptOfFace(DialogString(20000, 2));
    const std::string word = script == qv::core::IndicScript::Tamil ? "உயர்" : "उच्च"; // "high"
    const std::string iscii = qv::core::UnicodeToIscii(word, script);
    ASSERT_NE(iscii, word);
    AddRows({{"E", "High;Low;"}, {"L", word + ";Nimn;"}});
    qvhost::SetMenuLanguage(2);
    DataSortRecord record = Block(1, 3, 27, 28);
    // Key columns are spelled with the local alphabet, as reference boxes
    // spell them: 27 is its first letter twice, 28 the first and the second.
    const auto localLetter = [&](UINT k) {
        const UINT block =
            qvtest::LibraryString(appFolder_, "QVSSMSL.dll", 10010) == "4" ? 10300 : 8000;
        return qvtest::LibraryString(appFolder_, "QVSSMSL.dll", block + k);
    };
    const std::string a = localLetter(1);
    const std::string b = localLetter(2);
    ASSERT_FALSE(a.empty());
    ASSERT_NE(a, b);
    ShowSort(record, [&](Robot& robot, HWND sort) {
        const std::string column = DialogString(1375, 2) + " ";
        EXPECT_EQ(robot.Items(sort, kKey1)[1], column + a + a);
        EXPECT_EQ(robot.Items(sort, kKey1)[2], column + a + b);
        robot.Click(sort, kOptions);
        HWND options = robot.WaitForWindow(kSortOptions);
        std::vector<std::string> expected{DialogString(1514, 2)};
        for (const auto& row : Rows()) {
            if (row.language == "L") {
                expected.push_back(row.text);
            }
        }
        EXPECT_EQ(robot.Items(options, kOrder), expected);
        ASSERT_EQ(expected.size(), 5u);
        EXPECT_EQ(expected[1], DayNames(2)); // the built-in orders in the local script
        // The orders drop down wide enough to be read whole.
        const HWND orders = robot.Control(options, kOrder);
        EXPECT_GE(SendMessageW(orders, CB_GETDROPPEDWIDTH, 0, 0),
                  qvtest::WidestText(orders, expected));
        robot.Select(options, kOrder, 4);
        robot.Click(options, IDOK);
        robot.WaitClosed(options);
        robot.Click(sort, IDOK);
    });
    EXPECT_EQ(record.customOrder, 1);
    EXPECT_EQ(ReadExchangeFile("Customlist.txt"), iscii + "\r\nNimn\r\n");

    // Another language name in the host's settings changes nothing: the
    // letters come from the local library the boxes read.
    qvhost::ScratchAppFolder tamil(appFolder_, {},
                                   {{"QVSSAPI.ini", "[Language]\r\nLanguageName=Tamil\r\n"}});
    ASSERT_TRUE(tamil.ok());
    LoadFrom(tamil.path());
    ShowSort(record, [&](Robot& robot, HWND sort) {
        const std::string column = DialogString(1375, 2) + " ";
        EXPECT_EQ(robot.Items(sort, kKey1)[2], column + a + b);
        robot.Cancel(sort);
    });
    library_.reset();
}

TEST_F(SortTest, AStoreThatCannotBeReadLeavesTheNormalOrder) {
    qvhost::WriteTextFile(StorePath(), "not a database");
    DataSortRecord record = Block(1, 3, 1, 2);
    record.customOrder = 1;
    ShowSort(record, [&](Robot& robot, HWND sort) {
        robot.Click(sort, kOptions);
        EXPECT_EQ(robot.ExpectMessageBox().text, Message(1253));
        robot.AnswerMessageBox(1);
        HWND options = robot.WaitForWindow(kSortOptions);
        EXPECT_EQ(robot.Items(options, kOrder), std::vector<std::string>{DialogString(1514)});
        EXPECT_EQ(robot.SelectedIndex(options, kOrder), 0);
        robot.Click(options, IDOK);
        robot.WaitClosed(options);
        robot.Cancel(sort);
    });
    EXPECT_EQ(record.customOrder, 0);
}
