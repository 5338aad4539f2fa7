// Custom AutoFilter, Top 10, Advanced Filter, Subtotal and Fill Series,
// driven through their exports as a user would, over records such as a host
// sends: long value lists, names with "&" and local script, selection arrays
// that do not fit the names, bad steps, references in either menu language.
#include "harness.h"

#include "qvssd/exports.h"
#include "qvssd/messages.h"
#include "qvssd/records.h"

#include <commctrl.h>
#include <oleacc.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

using qvrobot::Robot;
using qvrobot::RunModal;

namespace {

// Custom AutoFilter
constexpr int kOperator1 = 1043, kValue1 = 1044, kValue2 = 1045, kOperator2 = 1046;
constexpr int kOr = 1048, kAnd = 1049, kShowLabel = 1042;
// Top 10
constexpr int kCount = 1052, kDirection = 1053, kUnit = 1054, kShow = 1056;
// Advanced Filter
constexpr int kInPlace = 1074, kCopy = 1075, kUnique = 1049, kListLabel = 1076;
constexpr int kList = 1079, kCriteria = 1080, kCopyTo = 1081, kCriteriaPick = 1084,
              kCopyToPick = 1085;
// Subtotal
constexpr int kAtChange = 1050, kFunction = 1051, kColumns = 1141, kRemoveAll = 1146;
constexpr int kReplace = 1149, kSummaryBelow = 1150, kPageBreak = 1151, kAtChangeLabel = 1152;
// Fill Series
constexpr int kRows = 318, kColumnsIn = 319, kLinear = 320, kDate = 322, kAutoFill = 323;
constexpr int kDay = 324, kStep = 285, kStop = 284, kSeriesIn = 317;
constexpr int kBarEdit = 1012;
// Devanagari ka ra as the dialogs show it (UTF-8).
constexpr const char* kKaRa = "\xE0\xA4\x95\xE0\xA4\xB0";

std::string Field(const char* field, size_t size) {
    return std::string(field, strnlen(field, size));
}

// The list view's ticks, one per item.
std::vector<bool> Ticks(Robot& robot, HWND dlg) {
    HWND list = robot.Control(dlg, kColumns);
    std::vector<bool> ticks;
    const int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        const auto state = SendMessageA(list, LVM_GETITEMSTATE, i, LVIS_STATEIMAGEMASK);
        ticks.push_back(((state & LVIS_STATEIMAGEMASK) >> 12) == 2);
    }
    return ticks;
}

void SetTick(Robot& robot, HWND dlg, int index, bool ticked) {
    HWND list = robot.Control(dlg, kColumns);
    robot.Post([list, index, ticked] {
        LVITEMA item{};
        item.stateMask = LVIS_STATEIMAGEMASK;
        item.state = INDEXTOSTATEIMAGEMASK(ticked ? 2 : 1);
        SendMessageA(list, LVM_SETITEMSTATE, index, reinterpret_cast<LPARAM>(&item));
    });
    robot.WaitIdle();
}

// A host's subtotal record over its own arrays.
struct Subtotals {
    Subtotals(const std::vector<std::string>& names, const std::vector<uint32_t>& selected) {
        for (const std::string& name : names) {
            QVStringArrayAdd(&record.columnNames, name.c_str());
        }
        for (uint32_t position : selected) {
            QVUIntArrayAdd(&record.selection, position);
        }
    }
    ~Subtotals() {
        QVStringArrayRemoveAll(&record.columnNames);
        QVUIntArrayRemoveAll(&record.selection);
    }
    std::vector<uint32_t> Selection() const {
        return std::vector<uint32_t>(record.selection.data,
                                     record.selection.data + record.selection.size);
    }
    SubtotalRecord record{};
};

class DataLists : public qvtest::DialogTest {
  protected:
    template <class F, class Record>
    int32_t Show(const char* name, Record* record, const std::function<void(Robot&)>& script) {
        auto show = Export<F>(name);
        auto outcome = RunModal([&] { return show(record); }, script);
        EXPECT_SCRIPT_OK(outcome);
        return outcome.result;
    }

    // Clicks OK, expects message `id` and answers it; the dialog stays open.
    void ExpectRefusal(Robot& robot, HWND dlg, UINT id, int focused) {
        robot.Click(dlg, IDOK);
        auto box = robot.ExpectMessageBox();
        ASSERT_TRUE(box.exists) << id;
        EXPECT_EQ(box.text, Message(id, qvhost::MenuLanguage())) << id;
        robot.AnswerMessageBox(1);
        EXPECT_TRUE(IsWindowVisible(dlg));
        EXPECT_EQ(qvtest::FocusedId(robot, dlg), focused) << id;
    }
};

// ---- Custom AutoFilter ----------------------------------------------------------

TEST_F(DataLists, CustomFilterOpensFoldedAndWritesWhatTheBoxesHold) {
    // The host keeps local script as ISCII: "\xB3\xCF" is ka ra.
    char list[] = "(All)\n(Top 10...)\n(Custom...)\nwest\n\xB3\xCF\nEast\nnorth\nd\ne";
    CustomFilterRecord record{};
    record.operator1 = 1;
    std::strcpy(record.value1, "  *orth*  ");
    record.operator2 = 2;
    std::strcpy(record.value2, "*st");
    record.orJoin = 1;
    record.valueList = list;
    const std::string longValue(300, 'v');
    int32_t result = Show<QVShowCustomFilterFn>("QVShowCustomFilter", &record, [&](Robot& robot) {
        HWND dlg = robot.WaitForWindow("Custom Auto Filter");
        EXPECT_EQ(robot.Text(dlg, kShowLabel), DialogString(1420));
        std::vector<std::string> operators{"  "};
        for (UINT id = 1425; id <= 1436; ++id) {
            operators.push_back(DialogString(id));
        }
        EXPECT_EQ(robot.Items(dlg, kOperator1), operators);
        EXPECT_EQ(robot.Items(dlg, kOperator2), operators);
        // Complete lines after the first three, sorted; "e" has no line feed.
        const std::vector<std::string> values{"d", "East", "north", "west", kKaRa};
        EXPECT_EQ(robot.Items(dlg, kValue1), values);
        EXPECT_EQ(robot.Items(dlg, kValue2), values);
        EXPECT_EQ(robot.SelectedIndex(dlg, kOperator1), 11); // contains
        EXPECT_EQ(robot.Text(dlg, kValue1), "orth");
        EXPECT_EQ(robot.SelectedIndex(dlg, kOperator2), 10); // does not end with
        EXPECT_EQ(robot.Text(dlg, kValue2), "st");
        EXPECT_TRUE(robot.IsChecked(dlg, kOr));
        EXPECT_EQ(GetParent(qvtest::FocusedControl(robot, dlg)),
                  robot.Control(dlg, kValue1)); // its edit

        robot.Select(dlg, kValue1, kKaRa);
        robot.Select(dlg, kOperator1, 7);
        robot.SetText(dlg, kValue2, longValue);
        robot.Click(dlg, kAnd);
        robot.Click(dlg, IDOK);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(record.operator1, 7);
    EXPECT_EQ(record.operator2, 10);
    EXPECT_EQ(record.orJoin, 0);
    EXPECT_STREQ(record.value1, "\xB3\xCF");
    EXPECT_EQ(Field(record.value2, sizeof record.value2), longValue.substr(0, 259));
}

TEST_F(DataLists, CustomFilterSecondOperatorIsBlankOnlyWithAValueAndCancelIsMinusOne) {
    char list[] = "";
    for (const char* value2 : {"", "x*"}) {
        CustomFilterRecord record{};
        record.operator1 = 0; // blank: condition 1 shows "equals"
        std::strcpy(record.value1, "*");
        record.operator2 = 0;
        std::strcpy(record.value2, value2);
        record.valueList = list;
        int32_t result =
            Show<QVShowCustomFilterFn>("QVShowCustomFilter", &record, [&](Robot& robot) {
                HWND dlg = robot.WaitForWindow("Custom Auto Filter");
                EXPECT_EQ(robot.SelectedIndex(dlg, kOperator1), 11); // a lone "*": contains
                EXPECT_EQ(robot.Text(dlg, kValue1), "");
                EXPECT_EQ(robot.SelectedIndex(dlg, kOperator2), *value2 != '\0' ? 0 : -1);
                EXPECT_EQ(robot.Text(dlg, kValue2), value2);
                EXPECT_TRUE(robot.IsChecked(dlg, kAnd));
                robot.Click(dlg, IDOK);
            });
        EXPECT_EQ(result, 1);
        EXPECT_EQ(record.operator1, 11);
        EXPECT_EQ(record.operator2, *value2 != '\0' ? 0 : 255);
    }

    CustomFilterRecord untouched{};
    untouched.operator1 = 3;
    std::strcpy(untouched.value1, "5");
    CustomFilterRecord record = untouched;
    int32_t result = Show<QVShowCustomFilterFn>("QVShowCustomFilter", &record, [&](Robot& robot) {
        HWND dlg = robot.WaitForWindow("Custom Auto Filter");
        EXPECT_TRUE(robot.Items(dlg, kValue1).empty()); // no value list at all
        robot.Select(dlg, kOperator1, 4);
        robot.Cancel(dlg);
    });
    EXPECT_EQ(result, -1);
    EXPECT_EQ(std::memcmp(&record, &untouched, sizeof record), 0);
}

// Ten thousand values, with and without the last line feed, and a list that
// ends without a terminator right before memory that cannot be read.
TEST_F(DataLists, CustomFilterTakesLongAndUnterminatedValueLists) {
    std::string big = "(All)\n(Top 10...)\n(Custom...)\n";
    for (int i = 0; i < 10000; ++i) {
        big += "item" + std::to_string(10000 + i) + "\n";
    }
    for (bool lastLineFeed : {true, false}) {
        std::string list = big;
        if (!lastLineFeed) {
            list.pop_back();
        }
        CustomFilterRecord record{};
        record.valueList = list.data();
        Show<QVShowCustomFilterFn>("QVShowCustomFilter", &record, [&](Robot& robot) {
            HWND dlg = robot.WaitForWindow("Custom Auto Filter");
            for (int id : {kValue1, kValue2}) {
                HWND list = robot.Control(dlg, id);
                const auto count = SendMessageA(list, CB_GETCOUNT, 0, 0);
                ASSERT_EQ(count, lastLineFeed ? 10000 : 9999);
                char text[32] = {};
                SendMessageA(list, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(text));
                EXPECT_STREQ(text, "item10000");
                SendMessageA(list, CB_GETLBTEXT, count - 1, reinterpret_cast<LPARAM>(text));
                EXPECT_STREQ(text, lastLineFeed ? "item19999" : "item19998");
                // The list finds its entries where its own order puts them.
                for (const char* entry : {"item10000", "ITEM15000", "item19998"}) {
                    EXPECT_NE(SendMessageA(list, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                           reinterpret_cast<LPARAM>(entry)),
                              CB_ERR)
                        << entry;
                }
            }
            robot.Cancel(dlg);
        });
    }

    SYSTEM_INFO info;
    GetSystemInfo(&info);
    char* base = static_cast<char*>(
        VirtualAlloc(nullptr, 2 * info.dwPageSize, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
    ASSERT_NE(base, nullptr);
    DWORD old = 0;
    VirtualProtect(base + info.dwPageSize, info.dwPageSize, PAGE_NOACCESS, &old);
    const char text[] = "a\nb\nc\nlast\nopen";
    char* list = base + info.dwPageSize - (sizeof text - 1);
    std::memcpy(list, text, sizeof text - 1);
    CustomFilterRecord record{};
    record.valueList = list;
    Show<QVShowCustomFilterFn>("QVShowCustomFilter", &record, [&](Robot& robot) {
        HWND dlg = robot.WaitForWindow("Custom Auto Filter");
        EXPECT_EQ(robot.Items(dlg, kValue1), std::vector<std::string>{"last"});
        robot.Cancel(dlg);
    });
    VirtualFree(base, 0, MEM_RELEASE);
}

// ---- Top 10 ----------------------------------------------------------------------

TEST_F(DataLists, Top10RefusesCountsByTheirRuleAndWritesTheChoice) {
    Top10FilterRecord record{0, 0, 25};
    int32_t result = Show<QVShowTop10FilterFn>("QVShowTop10Filter", &record, [&](Robot& robot) {
        HWND dlg = robot.WaitForWindow("Top 10 AutoFilter");
        EXPECT_EQ(robot.Text(dlg, kShow), DialogString(1437));
        EXPECT_EQ(robot.Items(dlg, kDirection),
                  (std::vector<std::string>{DialogString(1438), DialogString(1439)}));
        EXPECT_EQ(robot.Items(dlg, kUnit),
                  (std::vector<std::string>{DialogString(1440), DialogString(1441)}));
        EXPECT_EQ(robot.SelectedIndex(dlg, kDirection), 1);
        EXPECT_EQ(robot.SelectedIndex(dlg, kUnit), 1);
        EXPECT_EQ(robot.Text(dlg, kCount), "25");
        EXPECT_EQ(robot.Text(dlg, IDOK), DialogString(20002));
        for (const char* range : {"0", "501", "1000"}) {
            robot.SetText(dlg, kCount, range);
            ExpectRefusal(robot, dlg, 1250, kCount);
        }
        for (const char* notWhole : {"-5", "5.0", "", " "}) {
            robot.SetText(dlg, kCount, notWhole);
            ExpectRefusal(robot, dlg, 1192, kCount);
        }
        // The spin button writes whole numbers into the box.
        robot.SetText(dlg, kCount, "499");
        robot.PressKey(dlg, kCount, VK_UP);
        EXPECT_EQ(robot.Text(dlg, kCount), "500");
        robot.Select(dlg, kDirection, 0);
        robot.Click(dlg, IDOK);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(record.count, 500);
    EXPECT_EQ(record.top, 1);
    EXPECT_EQ(record.firstUnit, 0);

    result = Show<QVShowTop10FilterFn>("QVShowTop10Filter", &record, [&](Robot& robot) {
        robot.Cancel(robot.WaitForWindow("Top 10 AutoFilter"));
    });
    EXPECT_EQ(result, -1);
}

// ---- Advanced Filter -----------------------------------------------------------------

TEST_F(DataLists, AdvancedFilterChecksTheRangesInOrder) {
    AdvancedFilterRecord record{};
    std::strcpy(record.listRange, "A1:D20");
    std::strcpy(record.copyTo, "H1");
    int32_t result =
        Show<QVShowAdvancedFilterFn>("QVShowAdvancedFilter", &record, [&](Robot& robot) {
            HWND dlg = robot.WaitForWindow("Advanced Filter");
            EXPECT_EQ(robot.Text(dlg, kListLabel), DialogString(1570));
            EXPECT_EQ(robot.Text(dlg, kList), "A1:D20");
            EXPECT_EQ(robot.Text(dlg, kCopyTo), "H1");
            EXPECT_TRUE(robot.IsChecked(dlg, kInPlace));
            EXPECT_FALSE(robot.IsEnabled(dlg, kCopyTo));
            EXPECT_FALSE(robot.IsEnabled(dlg, kCopyToPick));
            EXPECT_EQ(qvtest::FocusedId(robot, dlg), kList);

            robot.SetText(dlg, kList, "A1");
            ExpectRefusal(robot, dlg, 1193, kList);
            robot.SetText(dlg, kList, "A1:D20");
            robot.SetText(dlg, kCriteria, "F1:G");
            ExpectRefusal(robot, dlg, 1193, kCriteria);
            robot.SetText(dlg, kCriteria, "$F$1:G2");
            ExpectRefusal(robot, dlg, 1193, kCriteria); // no "$" in the checks
            robot.SetText(dlg, kCriteria, "F1:G2");
            robot.Click(dlg, kCopy);
            EXPECT_TRUE(robot.IsEnabled(dlg, kCopyTo));
            robot.SetText(dlg, kCopyTo, "IW1");
            ExpectRefusal(robot, dlg, 1193, kCopyTo);
            // Copying without a destination: refused after the record is written.
            robot.SetText(dlg, kCopyTo, "");
            ExpectRefusal(robot, dlg, 1187, kCopyTo);
            EXPECT_EQ(Field(record.criteria, 20), "F1:G2");
            EXPECT_EQ(record.inPlace, 0);
            robot.SetText(dlg, kList, "");
            ExpectRefusal(robot, dlg, 1187, kList);
            robot.SetText(dlg, kList, " a1:d20 ");
            robot.SetText(dlg, kCopyTo, "J5");
            robot.Click(dlg, kUnique);
            robot.Click(dlg, IDOK);
        });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(Field(record.listRange, 20), "a1:d20");
    EXPECT_EQ(Field(record.criteria, 20), "F1:G2");
    EXPECT_EQ(Field(record.copyTo, 20), "J5");
    EXPECT_EQ(record.inPlace, 0);
    EXPECT_EQ(record.unique, 1);

    // In place: an empty criteria range and whatever the copy-to box holds pass.
    std::strcpy(record.copyTo, "not a range");
    result = Show<QVShowAdvancedFilterFn>("QVShowAdvancedFilter", &record, [&](Robot& robot) {
        HWND dlg = robot.WaitForWindow("Advanced Filter");
        robot.SetText(dlg, kCriteria, "");
        robot.Click(dlg, IDOK);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(record.inPlace, 1);
    EXPECT_EQ(record.unique, 0);
    EXPECT_STREQ(record.criteria, "");
    EXPECT_STREQ(record.copyTo, "not a range");

    result = Show<QVShowAdvancedFilterFn>("QVShowAdvancedFilter", &record, [&](Robot& robot) {
        robot.Cancel(robot.WaitForWindow("Advanced Filter"));
    });
    EXPECT_EQ(result, -1);
}

TEST_F(DataLists, AdvancedFilterPicksRangesInTheSheet) {
    AdvancedFilterRecord record{};
    std::strcpy(record.listRange, "A1:D20");
    int32_t result =
        Show<QVShowAdvancedFilterFn>("QVShowAdvancedFilter", &record, [&](Robot& robot) {
            HWND dlg = robot.WaitForWindow("Advanced Filter");
            EXPECT_NE(SendMessageA(robot.Control(dlg, kCriteriaPick), BM_GETIMAGE, IMAGE_BITMAP, 0),
                      0);
            // The picture button is heard by its box's label.
            const auto heard = robot.Accessible(dlg, kCriteriaPick);
            EXPECT_TRUE(heard.exists);
            std::string label = DialogString(1571);
            label.erase(std::remove(label.begin(), label.end(), '&'), label.end());
            EXPECT_EQ(heard.name + ":", label);
            EXPECT_EQ(heard.role, ROLE_SYSTEM_PUSHBUTTON);
            frame_->ClearLog();
            robot.Click(dlg, kCriteriaPick);
            EXPECT_FALSE(IsWindowVisible(dlg));
            EXPECT_TRUE(IsWindowEnabled(frame_->hwnd()));
            HWND bar = robot.WaitForWindow("Advanced Filter");
            ASSERT_NE(bar, dlg);
            ASSERT_TRUE(qvhost::SendRangeText(bar, "F1:G2"));
            robot.PressKey(bar, kBarEdit, VK_RETURN);
            EXPECT_TRUE(robot.WaitClosed(bar));
            EXPECT_TRUE(IsWindowVisible(dlg));
            EXPECT_EQ(robot.Text(dlg, kCriteria), "F1:G2");
            EXPECT_EQ(qvtest::FocusedId(robot, dlg), kCriteria);
            auto picks = frame_->Log(WM_QV_RANGEPICK);
            ASSERT_FALSE(picks.empty());
            EXPECT_EQ(picks.front().wParam, 0u);
            EXPECT_EQ(picks.back().wParam, 1u);

            // Escape in the bar hands the host's selection back as well.
            robot.Click(dlg, kCopy);
            frame_->SetRangeText("K1");
            robot.Click(dlg, kCopyToPick);
            bar = robot.WaitForWindow("Advanced Filter");
            ASSERT_NE(bar, dlg);
            robot.WaitIdle();
            robot.PressKey(bar, kBarEdit, VK_ESCAPE);
            EXPECT_TRUE(robot.WaitClosed(bar));
            frame_->SetRangeText(std::nullopt);
            EXPECT_EQ(robot.Text(dlg, kCopyTo), "K1");
            robot.Click(dlg, IDOK);
        });
    EXPECT_EQ(result, 1);
    EXPECT_STREQ(record.criteria, "F1:G2");
    EXPECT_STREQ(record.copyTo, "K1");
    EXPECT_EQ(record.inPlace, 0);
}

// The local menu shows the host's references in the local column letters and
// hands back A1 text, whether the user typed local or A1 references; the
// English menu refuses local references.
TEST_F(DataLists, AdvancedFilterReferencesInEitherMenuLanguage) {
    AdvancedFilterRecord record{};
    std::strcpy(record.listRange, "A1:B2");
    std::string first, second;
    qvhost::SetMenuLanguage(2);
    int32_t result =
        Show<QVShowAdvancedFilterFn>("QVShowAdvancedFilter", &record, [&](Robot& robot) {
            HWND dlg = robot.WaitForWindow("Advanced Filter");
            EXPECT_EQ(robot.Text(dlg, kListLabel), DialogString(1570, 2));
            EXPECT_EQ(robot.Text(dlg, IDOK), DialogString(20002, 2));
            const std::string shown = robot.Text(dlg, kList);
            const size_t colon = shown.find(':');
            ASSERT_NE(colon, std::string::npos);
            ASSERT_EQ(shown.substr(colon - 1, 1), "1");
            first = shown.substr(0, colon - 1);
            second = shown.substr(colon + 1, shown.size() - colon - 2);
            EXPECT_NE(first, "A");
            robot.SetText(dlg, kList, first + "1:" + second + "9");
            robot.SetText(dlg, kCriteria, "D1:E2"); // A1 passes as it is
            robot.Click(dlg, IDOK);
        });
    EXPECT_EQ(result, 1);
    EXPECT_STREQ(record.listRange, "A1:B9");
    EXPECT_STREQ(record.criteria, "D1:E2");

    qvhost::SetMenuLanguage(1);
    result = Show<QVShowAdvancedFilterFn>("QVShowAdvancedFilter", &record, [&](Robot& robot) {
        HWND dlg = robot.WaitForWindow("Advanced Filter");
        robot.SetText(dlg, kList, first + "1:" + second + "2");
        ExpectRefusal(robot, dlg, 1193, kList);
        robot.Cancel(dlg);
    });
    EXPECT_EQ(result, -1);
}

// ---- Subtotal ----------------------------------------------------------------------------

TEST_F(DataLists, SubtotalOpensFromTheSelectionAndWritesItBack) {
    const std::vector<std::string> names{"Region", "R&D", "Month", "\xB3\xCF", "Sales", "Units"};
    std::vector<std::string> shown = names;
    shown[3] = kKaRa;
    Subtotals subtotals(names, {2, 4, 5});
    subtotals.record.flags = 3 << 3 | 0x02; // MIN, page break
    subtotals.record.options = 0x02;        // English data
    int32_t result = Show<QVShowSubtotalFn>("QVShowSubtotal", &subtotals.record, [&](Robot& robot) {
        HWND dlg = robot.WaitForWindow("Subtotal");
        EXPECT_EQ(robot.Text(dlg, kAtChangeLabel), DialogString(1754));
        EXPECT_EQ(robot.Items(dlg, kAtChange), shown);
        for (size_t i = 0; i < shown.size(); ++i) {
            EXPECT_EQ(qvtest::ListViewText(robot.Control(dlg, kColumns), static_cast<int>(i), 0),
                      shown[i]);
        }
        std::vector<std::string> functions;
        for (UINT id : {2063, 2070, 2069, 2073, 2072, 2054, 2071, 2074, 2075, 2076, 2077}) {
            functions.push_back(DialogString(id));
        }
        EXPECT_EQ(robot.Items(dlg, kFunction), functions);
        EXPECT_EQ(robot.SelectedIndex(dlg, kFunction), 3);
        EXPECT_EQ(robot.SelectedIndex(dlg, kAtChange), 2);
        EXPECT_EQ(Ticks(robot, dlg), (std::vector<bool>{false, false, false, false, true, true}));
        EXPECT_FALSE(robot.IsChecked(dlg, kReplace));
        EXPECT_TRUE(robot.IsChecked(dlg, kPageBreak));
        EXPECT_TRUE(robot.IsEnabled(dlg, kSummaryBelow)); // options bit 0 clear
        robot.Click(dlg, IDOK);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(subtotals.Selection(), (std::vector<uint32_t>{2, 4, 5}));
    EXPECT_EQ(subtotals.record.flags, 3 << 3 | 0x02);
}

TEST_F(DataLists, SubtotalTicksGateOKAndBoxesAreWrittenAsClicked) {
    Subtotals subtotals({"a", "b", "c", "d", "e", "f"}, {6, 0, 1});
    subtotals.record.flags = 0x80 | 0x04; // a Remove All of before stays; summary below
    subtotals.record.options = 0x01 | 0x04;
    int32_t result = Show<QVShowSubtotalFn>("QVShowSubtotal", &subtotals.record, [&](Robot& robot) {
        HWND dlg = robot.WaitForWindow("Subtotal");
        // Element 0 beyond the names: the first column, only the last ticked.
        EXPECT_EQ(robot.SelectedIndex(dlg, kAtChange), 0);
        EXPECT_EQ(Ticks(robot, dlg), (std::vector<bool>{false, false, false, false, false, true}));
        EXPECT_EQ(robot.Items(dlg, kFunction).front(), DialogString(2063, 2)); // local data
        EXPECT_FALSE(robot.IsEnabled(dlg, kSummaryBelow));
        robot.Click(dlg, kReplace);
        EXPECT_TRUE(robot.IsEnabled(dlg, kSummaryBelow));
        EXPECT_EQ(subtotals.record.flags, 0x80 | 0x04 | 0x01);
        robot.Click(dlg, kSummaryBelow);
        robot.Select(dlg, kFunction, 10);
        EXPECT_EQ(subtotals.record.flags, 0x80 | 0x01 | 10 << 3);

        SetTick(robot, dlg, 5, false);
        EXPECT_FALSE(robot.IsEnabled(dlg, IDOK));
        SetTick(robot, dlg, 1, true);
        EXPECT_TRUE(robot.IsEnabled(dlg, IDOK));
        // Alt+A opens the column list, Escape closes it, a second Escape cancels.
        robot.PressKey(dlg, kFunction, 'A', true);
        EXPECT_EQ(qvtest::FocusedId(robot, dlg), kAtChange);
        EXPECT_NE(SendMessageA(robot.Control(dlg, kAtChange), CB_GETDROPPEDSTATE, 0, 0), 0);
        robot.PressKey(dlg, kAtChange, VK_ESCAPE);
        EXPECT_EQ(SendMessageA(robot.Control(dlg, kAtChange), CB_GETDROPPEDSTATE, 0, 0), 0);
        EXPECT_TRUE(IsWindowVisible(dlg));
        robot.PressKey(dlg, kAtChange, VK_ESCAPE);
        robot.WaitClosed(dlg);
    });
    EXPECT_EQ(result, -1);
    EXPECT_EQ(subtotals.record.flags, 0x80 | 0x01 | 10 << 3); // the clicks stay
    EXPECT_EQ(subtotals.Selection(), (std::vector<uint32_t>{6, 0, 1}));
}

TEST_F(DataLists, SubtotalRemoveAllAndSelectionsThatDoNotFit) {
    Subtotals subtotals({"Region", "Sales", "Units"}, {1, 7, 0, 2, 0xFFFFFFFFu, 2});
    subtotals.record.flags = 13 << 3; // no such function
    subtotals.record.options = 0x02;
    int32_t result = Show<QVShowSubtotalFn>("QVShowSubtotal", &subtotals.record, [&](Robot& robot) {
        HWND dlg = robot.WaitForWindow("Subtotal");
        EXPECT_EQ(robot.SelectedIndex(dlg, kFunction), -1);
        EXPECT_EQ(robot.SelectedIndex(dlg, kAtChange), 1);
        EXPECT_EQ(Ticks(robot, dlg), (std::vector<bool>{true, false, true}));
        robot.Click(dlg, kRemoveAll);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(subtotals.record.flags, 0x80 | 13 << 3);
    EXPECT_EQ(subtotals.Selection(), (std::vector<uint32_t>{1, 0, 2}));

    // Arrays whose headers claim more than can be read: the names up to the
    // unreadable page, no selection, and a new block for the one written.
    SYSTEM_INFO info;
    GetSystemInfo(&info);
    char* base = static_cast<char*>(
        VirtualAlloc(nullptr, 2 * info.dwPageSize, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
    ASSERT_NE(base, nullptr);
    DWORD old = 0;
    VirtualProtect(base + info.dwPageSize, info.dwPageSize, PAGE_NOACCESS, &old);
    char first[] = "Region", second[] = "Sales";
    auto* names = reinterpret_cast<QVString*>(base + info.dwPageSize - 2 * sizeof(QVString));
    names[0].text = first;
    names[1].text = second;
    SubtotalRecord record{};
    record.columnNames.data = names;
    record.columnNames.size = 40;
    record.selection.data = reinterpret_cast<uint32_t*>(static_cast<uintptr_t>(0x20));
    record.selection.size = 3;
    record.selection.capacity = 3;
    result = Show<QVShowSubtotalFn>("QVShowSubtotal", &record, [&](Robot& robot) {
        HWND dlg = robot.WaitForWindow("Subtotal");
        EXPECT_EQ(robot.Items(dlg, kAtChange), (std::vector<std::string>{"Region", "Sales"}));
        EXPECT_EQ(Ticks(robot, dlg), (std::vector<bool>{false, true}));
        robot.Click(dlg, kRemoveAll);
    });
    EXPECT_EQ(result, 1);
    ASSERT_EQ(record.selection.size, 2);
    EXPECT_EQ(record.selection.data[0], 0u);
    EXPECT_EQ(record.selection.data[1], 1u);
    QVUIntArrayRemoveAll(&record.selection);
    VirtualFree(base, 0, MEM_RELEASE);
}

// ---- Fill Series -----------------------------------------------------------------------

TEST_F(DataLists, FillSeriesOpensFromTheRecordAndFollowsTheType) {
    FillSeriesRecord record{};
    record.seriesIn = 7; // any value but 0: columns
    record.type = 1;     // growth opens as linear
    record.step = 0.25f;
    record.stop = 42.0f;
    int32_t result = Show<QVShowFillSeriesFn>("QVShowFillSeries", &record, [&](Robot& robot) {
        HWND dlg = robot.WaitForWindow("Series");
        EXPECT_EQ(robot.Text(dlg, kSeriesIn), DialogString(1098));
        EXPECT_TRUE(robot.IsChecked(dlg, kColumnsIn));
        EXPECT_TRUE(robot.IsChecked(dlg, kLinear));
        EXPECT_TRUE(robot.IsChecked(dlg, kDay));
        EXPECT_FALSE(robot.IsEnabled(dlg, kDay));
        EXPECT_EQ(robot.Text(dlg, kStep), "0.25");
        EXPECT_EQ(robot.Text(dlg, kStop), "");
        EXPECT_EQ(qvtest::FocusedId(robot, dlg), kStep);
        // Arrows swap the two "Series in" buttons.
        robot.PressKey(dlg, kColumnsIn, VK_DOWN);
        EXPECT_TRUE(robot.IsChecked(dlg, kRows));
        EXPECT_EQ(qvtest::FocusedId(robot, dlg), kRows);
        robot.Click(dlg, kDate);
        EXPECT_TRUE(robot.IsEnabled(dlg, kDay));
        robot.Click(dlg, kAutoFill);
        EXPECT_FALSE(robot.IsEnabled(dlg, kStep));
        EXPECT_FALSE(robot.IsEnabled(dlg, kStop));
        EXPECT_FALSE(robot.IsEnabled(dlg, kDay));
        robot.Click(dlg, IDOK);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(record.seriesIn, 0);
    EXPECT_EQ(record.type, 3);
    EXPECT_EQ(record.step, 0.25f); // stored from the disabled box
    EXPECT_EQ(record.stop, 42.0f); // not written
    EXPECT_EQ(record.stopGiven, 0);
    EXPECT_EQ(record.trend, 0);

    record = FillSeriesRecord{};
    record.type = 2;
    record.step = 3.0f;
    record.dateUnit = 9;
    result = Show<QVShowFillSeriesFn>("QVShowFillSeries", &record, [&](Robot& robot) {
        HWND dlg = robot.WaitForWindow("Series");
        EXPECT_TRUE(robot.IsChecked(dlg, kDate));
        EXPECT_TRUE(robot.IsChecked(dlg, kDay));
        EXPECT_EQ(robot.Text(dlg, kStep), "3");
        robot.Click(dlg, 326); // Month
        robot.Click(dlg, IDOK);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(record.type, 2);
    EXPECT_EQ(record.dateUnit, 2);
}

TEST_F(DataLists, FillSeriesTestsStepAndStopAsNumbers) {
    FillSeriesRecord record{};
    record.step = 1.0f;
    record.stop = 7.0f;
    record.stopGiven = 1;
    int32_t result = Show<QVShowFillSeriesFn>("QVShowFillSeries", &record, [&](Robot& robot) {
        HWND dlg = robot.WaitForWindow("Series");
        for (const std::string& bad : {std::string("+2"), std::string("1.2.3"), std::string("-"),
                                       std::string("1e308"), "1" + std::string(40, '0')}) {
            robot.SetText(dlg, kStep, bad);
            ExpectRefusal(robot, dlg, 1189, kStep);
        }
        robot.SetText(dlg, kStep, "-0");
        robot.SetText(dlg, kStop, "abc");
        ExpectRefusal(robot, dlg, 1189, kStop);
        EXPECT_EQ(record.step, 0.0f); // written before the stop was refused
        robot.SetText(dlg, kStep, " -2.5 ");
        robot.SetText(dlg, kStop, "100");
        robot.Click(dlg, IDOK);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(record.step, -2.5f);
    EXPECT_EQ(record.stop, 100.0f);
    EXPECT_EQ(record.stopGiven, 1);

    // An empty stop box leaves stop and its flag alone; Cancel gives 0.
    record.stop = 7.0f;
    result = Show<QVShowFillSeriesFn>("QVShowFillSeries", &record, [&](Robot& robot) {
        robot.Click(robot.WaitForWindow("Series"), IDOK);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(record.stop, 7.0f);
    EXPECT_EQ(record.stopGiven, 1);
    result = Show<QVShowFillSeriesFn>("QVShowFillSeries", &record, [&](Robot& robot) {
        robot.Cancel(robot.WaitForWindow("Series"));
    });
    EXPECT_EQ(result, 0);
}

// ---- all five ------------------------------------------------------------------------------

TEST_F(DataLists, BadRecordsShowNothingAndGiveTheCancelResult) {
    EXPECT_EQ(Export<QVShowCustomFilterFn>("QVShowCustomFilter")(nullptr), -1);
    EXPECT_EQ(Export<QVShowTop10FilterFn>("QVShowTop10Filter")(nullptr), -1);
    EXPECT_EQ(Export<QVShowAdvancedFilterFn>("QVShowAdvancedFilter")(nullptr), -1);
    EXPECT_EQ(Export<QVShowSubtotalFn>("QVShowSubtotal")(nullptr), -1);
    EXPECT_EQ(Export<QVShowFillSeriesFn>("QVShowFillSeries")(nullptr), 0);
    // A record the host cannot have written back: read-only memory.
    void* page = VirtualAlloc(nullptr, 4096, MEM_RESERVE | MEM_COMMIT, PAGE_READONLY);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(Export<QVShowSubtotalFn>("QVShowSubtotal")(static_cast<SubtotalRecord*>(page)), -1);
    EXPECT_EQ(Export<QVShowFillSeriesFn>("QVShowFillSeries")(static_cast<FillSeriesRecord*>(page)),
              0);
    VirtualFree(page, 0, MEM_RELEASE);
}

// In the local menu every dialog speaks the local string library; the one
// whose values are typed text switches the keyboard to the local script
// while it is open.
TEST_F(DataLists, EveryDialogSpeaksTheLocalMenu) {
    qvhost::SetMenuLanguage(2);
    CustomFilterRecord custom{};
    Top10FilterRecord top10{1, 1, 10};
    AdvancedFilterRecord advanced{};
    Subtotals subtotals({"Region"}, {});
    FillSeriesRecord series{};
    const auto expectLocal = [&](const char* caption, int control, UINT string) {
        return [this, caption, control, string](Robot& robot) {
            HWND dlg = robot.WaitForWindow(caption);
            EXPECT_EQ(robot.Text(dlg, control), DialogString(string, 2)) << caption;
            EXPECT_NE(robot.Text(dlg, control), DialogString(string, 1)) << caption;
            robot.Cancel(dlg);
        };
    };
    frame_->ClearLog();
    EXPECT_EQ(Show<QVShowCustomFilterFn>("QVShowCustomFilter", &custom,
                                         expectLocal("Custom Auto Filter", kShowLabel, 1420)),
              -1);
    const auto switches = frame_->Log(WM_QV_SETINPUTLANG);
    ASSERT_EQ(switches.size(), 2u);
    EXPECT_EQ(switches.front().wParam, 1u);
    EXPECT_EQ(switches.back().wParam, 0u);
    EXPECT_EQ(Show<QVShowTop10FilterFn>("QVShowTop10Filter", &top10,
                                        expectLocal("Top 10 AutoFilter", IDOK, 20002)),
              -1);
    EXPECT_EQ(Show<QVShowAdvancedFilterFn>("QVShowAdvancedFilter", &advanced,
                                           expectLocal("Advanced Filter", kCopy, 1569)),
              -1);
    EXPECT_EQ(Show<QVShowSubtotalFn>("QVShowSubtotal", &subtotals.record,
                                     expectLocal("Subtotal", kRemoveAll, 1760)),
              -1);
    EXPECT_EQ(
        Show<QVShowFillSeriesFn>("QVShowFillSeries", &series, expectLocal("Series", kDate, 1104)),
        0);
}

TEST_F(DataLists, MissingLocalStringsWarnOnceAndKeepTheTemplateTexts) {
    qvhost::ScratchAppFolder scratch(appFolder_, {"QVSSDSL.dll"});
    ASSERT_TRUE(scratch.ok());
    LoadFrom(scratch.path());
    qvhost::SetMenuLanguage(2);
    FillSeriesRecord series{};
    Top10FilterRecord top10{1, 1, 10};
    int boxes = 0;
    const auto expectWarning = [&](Robot& robot) {
        auto box = robot.ExpectMessageBox();
        ASSERT_TRUE(box.exists);
        EXPECT_EQ(box.text, Message(1180, 2));
        ++boxes;
        robot.AnswerMessageBox(1);
    };
    Show<QVShowFillSeriesFn>("QVShowFillSeries", &series, [&](Robot& robot) {
        expectWarning(robot);
        HWND dlg = robot.WaitForWindow("Series");
        EXPECT_TRUE(robot.NoMessageBoxWithin(300));
        EXPECT_EQ(robot.Text(dlg, kSeriesIn), "Series in");
        robot.Click(dlg, IDOK);
    });
    Show<QVShowTop10FilterFn>("QVShowTop10Filter", &top10, [&](Robot& robot) {
        expectWarning(robot);
        HWND dlg = robot.WaitForWindow("Top 10 AutoFilter");
        EXPECT_TRUE(robot.NoMessageBoxWithin(300));
        EXPECT_EQ(robot.Text(dlg, kShow), "Show");
        robot.Click(dlg, IDOK);
    });
    EXPECT_EQ(boxes, 2);
    library_.reset();
}

} // namespace
