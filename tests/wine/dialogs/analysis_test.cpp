// Goal Seek, Goal Seek Status, Data Table and the three pivot table dialogs,
// driven through their exports as a user would: the host checks Goal Seek's
// references through its frame window (slowly, or refusing everything),
// range boxes pick cells in the sheet, the local menu shows and reads local
// column letters, and the field drop-down holds thousands of items.
#include "harness.h"

#include "qvssd/exports.h"
#include "qvssd/messages.h"
#include "qvssd/records.h"

#include <commctrl.h>

#include <atomic>
#include <cstring>
#include <string>
#include <vector>

using qvrobot::Robot;
using qvrobot::RunModal;

namespace {

// Goal Seek
constexpr int kToValue = 1047, kSetCell = 1048, kChangingCell = 1049;
constexpr int kSetCellLabel = 1050, kSetCellPick = 1053;
// Goal Seek Status
constexpr int kStatus = 1053, kTarget = 1054, kCurrent = 1055, kCellLabel = 1056;
// Data Table
constexpr int kRowInput = 1090, kColumnInput = 1091, kRowLabel = 1087, kColumnPick = 1054;
// Pivot Table
constexpr int kInputRange = 1135, kOutputRange = 1136;
// Drop-down and Pivot Table Field
constexpr int kItems = 1141, kSource = 1142, kFunctions = 1143, kName = 1145;
constexpr int kBarEdit = 1012;
// The first column letters of the local menu (Hindi): A, B, C, D.
constexpr const char* kKa = "\xE0\xA4\x95";
constexpr const char* kKha = "\xE0\xA4\x96";
constexpr const char* kGa = "\xE0\xA4\x97";
constexpr const char* kGha = "\xE0\xA4\x98";

std::string Field(const char* text, size_t size) {
    return std::string(text, strnlen(text, size));
}

// The check list of the field drop-down, read as a screen reader's list
// proxy reads it: through the list view's own messages.
struct CheckList {
    HWND list;
    int Rows() const { return static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)); }
    std::string Text(int row) const { return qvtest::ListViewText(list, row, 0); }
    bool Ticked(int row) const {
        const auto state = static_cast<UINT>(
            SendMessageA(list, LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_STATEIMAGEMASK));
        return (state & LVIS_STATEIMAGEMASK) == INDEXTOSTATEIMAGEMASK(2);
    }
    std::vector<bool> Ticks() const {
        std::vector<bool> ticks;
        for (int row = 0; row < Rows(); ++row) {
            ticks.push_back(Ticked(row));
        }
        return ticks;
    }
    int Focused() const {
        return static_cast<int>(
            SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
    }
};

// Clicks the tick box of a row with the mouse.
void ClickTick(Robot& robot, HWND list, int row) {
    RECT bounds{};
    bounds.left = LVIR_BOUNDS;
    SendMessageA(list, LVM_GETITEMRECT, static_cast<WPARAM>(row),
                 reinterpret_cast<LPARAM>(&bounds));
    const int x = bounds.left + 8;
    const int y = (bounds.top + bounds.bottom) / 2;
    // Handled within the action, so that the robot's wait for idleness
    // cannot overtake the click.
    robot.Post([list, x, y] {
        SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        SendMessageA(list, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    });
    robot.WaitIdle();
}

// A host's pivot field: every item, and the items shown.
struct PivotField {
    PivotField(const std::vector<std::string>& all, const std::vector<std::string>& shown) {
        for (const auto& text : all) {
            QVStringArrayAdd(&items.allItems, text.c_str());
        }
        for (const auto& text : shown) {
            QVStringArrayAdd(&items.shownItems, text.c_str());
        }
        record.language = 1;
        std::strcpy(record.fieldName, "Region");
        record.popupLeft = 150;
        record.popupTop = 120;
        record.fieldItems = &items;
    }
    ~PivotField() {
        QVStringArrayRemoveAll(&items.allItems);
        QVStringArrayRemoveAll(&items.shownItems);
    }
    std::vector<std::string> Shown() const {
        std::vector<std::string> shown;
        for (int32_t i = 0; i < items.shownItems.size; ++i) {
            shown.push_back(QVStringArrayGet(&items.shownItems, i));
        }
        return shown;
    }
    QVPivotFieldItems items{};
    PivotFieldRecord record{};
};

using Strings = std::vector<std::string>;
using Ticks = std::vector<bool>;

class Analysis : public qvtest::DialogTest {
  protected:
    // Runs an export with a script; the script's failures fail the test.
    template <class Fn, class Record>
    int32_t Run(const char* name, Record* record, const std::function<void(Robot&)>& script) {
        auto show = Export<Fn>(name);
        auto outcome = RunModal([&] { return show(record); }, script);
        EXPECT_SCRIPT_OK(outcome);
        return outcome.result;
    }
    // Expects the message box of `id`, answers it and checks where the focus went.
    void Refused(Robot& robot, UINT id, int focus = 0) {
        auto box = robot.ExpectMessageBox();
        ASSERT_TRUE(box.exists) << "no message " << id;
        EXPECT_EQ(box.text, Message(id, language_)) << "expected message " << id;
        HWND dlg = GetWindow(box.hwnd, GW_OWNER);
        robot.AnswerMessageBox(1);
        if (focus != 0) {
            EXPECT_EQ(dlg != nullptr ? qvtest::FocusedId(robot, dlg) : robot.FocusedId(), focus);
        }
    }
    void UseLocalMenu() {
        qvhost::SetMenuLanguage(2);
        language_ = 2;
        LoadFrom(appFolder_);
    }
    std::vector<qvhost::HostMessage> Checks() const { return frame_->Log(WM_QV_CHECKREF); }

    int language_ = 1;
};

// ---- Goal Seek ------------------------------------------------------------------------

// The host's sheet: B4 holds a formula, B2 a value. Each of its verdicts shows
// its message, selects the box the host refused and keeps the record as it
// was; a verdict above 4 refuses without a word. Then a good entry is written.
TEST_F(Analysis, GoalSeekAsksTheHostAboutBothCells) {
    GoalSeekRecord record{};
    std::strcpy(record.setCell, "B4");
    std::strcpy(record.changingCell, "B2");
    const int32_t result = Run<QVShowGoalSeekFn>("QVShowGoalSeek", &record, [&](Robot& robot) {
        HWND dlg = robot.WaitForWindow("Goal Seek");
        EXPECT_EQ(robot.Text(dlg, kSetCellLabel), DialogString(1417));
        EXPECT_EQ(robot.Text(dlg, kSetCell), "B4");
        EXPECT_EQ(robot.Text(dlg, kChangingCell), "B2");
        EXPECT_EQ(robot.Text(dlg, kToValue), "");
        EXPECT_EQ(SendMessageA(robot.Control(dlg, kSetCell), EM_GETLIMITTEXT, 0, 0), 19);

        const struct {
            int box;
            const char* text;
            UINT message;
        } refusals[] = {
            {kSetCell, "A1:B2", 1184}, {kSetCell, "B2", 1185},      {kSetCell, "42", 1187},
            {kSetCell, "XYZ", 1284},   {kChangingCell, "B4", 1186}, {kChangingCell, "7", 1284},
        };
        robot.SetText(dlg, kToValue, "5");
        for (const auto& r : refusals) {
            robot.SetText(dlg, kSetCell, r.box == kSetCell ? r.text : "B4");
            robot.SetText(dlg, kChangingCell, r.box == kChangingCell ? r.text : "B2");
            robot.Click(dlg, IDOK);
            Refused(robot, r.message, r.box);
            DWORD selection =
                static_cast<DWORD>(SendMessageA(robot.Control(dlg, r.box), EM_GETSEL, 0, 0));
            EXPECT_EQ(HIWORD(selection), std::strlen(r.text)) << r.text;
        }
        EXPECT_EQ(Field(record.setCell, sizeof record.setCell), "B4");
        EXPECT_EQ(record.toValue, 0.0);

        // The target must be a number; the host is not asked about the
        // changing cell before it is.
        robot.SetText(dlg, kChangingCell, "B2");
        frame_->ClearLog();
        robot.SetText(dlg, kToValue, "12a");
        robot.Click(dlg, IDOK);
        Refused(robot, 1186, kToValue);
        ASSERT_EQ(Checks().size(), 1u);
        EXPECT_EQ(Checks()[0].lParam, 1);

        frame_->SetCheckRefResult(0x1207); // low byte 7: refused silently
        robot.Click(dlg, IDOK);
        EXPECT_TRUE(robot.NoMessageBoxWithin(300));
        EXPECT_EQ(qvtest::FocusedId(robot, dlg), kSetCell);
        frame_->SetCheckRefResult(0x100); // low byte 0: accepted

        frame_->ClearLog();
        robot.SetText(dlg, kSetCell, "D10");
        robot.SetText(dlg, kToValue, " -3.5 ");
        robot.SetText(dlg, kChangingCell, "D2");
        robot.Click(dlg, IDOK);
    });
    EXPECT_EQ(result, 1);
    EXPECT_STREQ(record.setCell, "D10");
    EXPECT_EQ(record.toValue, -3.5);
    EXPECT_STREQ(record.changingCell, "D2");
    const auto checks = Checks();
    ASSERT_EQ(checks.size(), 2u);
    EXPECT_EQ(checks[0].text, "D10");
    EXPECT_EQ(checks[0].lParam, 1);
    EXPECT_EQ(checks[1].text, "D2");
    EXPECT_EQ(checks[1].lParam, 0);
}

// A host that takes its time over a check and keeps its messages flowing
// meanwhile: the dialog answers, a second OK and the pick buttons wait, and
// the record receives the texts the host checked. Cancelled during the
// check, the dialog asks nothing more and writes nothing.
TEST_F(Analysis, GoalSeekWaitsForASlowHostWithoutReentering) {
    for (const bool cancel : {false, true}) {
        HANDLE release = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        std::atomic<bool> checking{false};
        std::atomic<int> checks{0};
        frame_->SetCheckRefRule([&](const std::string&, bool goalCell) -> LRESULT {
            if (++checks == 1 && goalCell) {
                checking = true;
                MSG msg;
                while (MsgWaitForMultipleObjects(1, &release, FALSE, INFINITE, QS_ALLINPUT) !=
                       WAIT_OBJECT_0) {
                    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
                        TranslateMessage(&msg);
                        DispatchMessageA(&msg);
                    }
                }
                checking = false;
            }
            return 0;
        });
        GoalSeekRecord record{};
        std::strcpy(record.setCell, "B4");
        std::strcpy(record.changingCell, "B2");
        const int32_t result = Run<QVShowGoalSeekFn>("QVShowGoalSeek", &record, [&](Robot& robot) {
            HWND dlg = robot.WaitForWindow("Goal Seek");
            robot.SetText(dlg, kToValue, "8");
            robot.Click(dlg, IDOK);
            ASSERT_TRUE(checking.load());
            EXPECT_EQ(robot.Text(dlg, kSetCell), "B4");
            robot.Click(dlg, IDOK);
            robot.Click(dlg, kSetCellPick);
            EXPECT_EQ(checks.load(), 1);
            EXPECT_FALSE(frame_->RangePickActive());
            robot.SetText(dlg, kSetCell, "C9"); // typed while the host works
            if (cancel) {
                robot.Post([dlg] { PostMessageA(dlg, WM_COMMAND, IDCANCEL, 0); });
                robot.WaitIdle();
            }
            SetEvent(release);
            robot.WaitClosed(dlg);
        });
        CloseHandle(release);
        EXPECT_EQ(result, cancel ? 0 : 1);
        EXPECT_EQ(checks.load(), cancel ? 1 : 2);
        EXPECT_STREQ(record.setCell, "B4");
        EXPECT_EQ(record.toValue, cancel ? 0.0 : 8.0);
    }
}

// A host that refuses every reference: OK never closes, Cancel returns 0 and
// leaves the record alone.
TEST_F(Analysis, GoalSeekWithAHostThatRefusesEverything) {
    frame_->SetCheckRefResult(3);
    GoalSeekRecord record{};
    std::strcpy(record.setCell, "B4");
    std::strcpy(record.changingCell, "B2");
    const int32_t result = Run<QVShowGoalSeekFn>("QVShowGoalSeek", &record, [&](Robot& robot) {
        HWND dlg = robot.WaitForWindow("Goal Seek");
        robot.SetText(dlg, kToValue, "1");
        for (int i = 0; i < 2; ++i) {
            robot.Click(dlg, IDOK);
            Refused(robot, 1284, kSetCell);
        }
        robot.Cancel(dlg);
    });
    EXPECT_EQ(result, 0);
    EXPECT_STREQ(record.setCell, "B4");
    EXPECT_EQ(record.toValue, 0.0);
}

// Picking the goal cell in the sheet: the dialog hides behind the range bar,
// which starts with the box's text and hands back what the host selected.
TEST_F(Analysis, GoalSeekPicksTheGoalCellInTheSheet) {
    GoalSeekRecord record{};
    std::strcpy(record.setCell, "B4");
    const int32_t result = Run<QVShowGoalSeekFn>("QVShowGoalSeek", &record, [&](Robot& robot) {
        HWND dlg = robot.WaitForWindow("Goal Seek");
        robot.Click(dlg, kSetCellPick);
        HWND bar = robot.FindDialog();
        ASSERT_NE(bar, nullptr);
        EXPECT_NE(bar, dlg);
        EXPECT_FALSE(IsWindowVisible(dlg));
        EXPECT_TRUE(frame_->RangePickActive());
        EXPECT_EQ(qvhost::ReadRangeText(bar), "B4");
        ASSERT_TRUE(qvhost::SendRangeText(bar, "D10"));
        robot.PressKey(bar, kBarEdit, VK_RETURN);
        robot.WaitClosed(bar);
        EXPECT_TRUE(IsWindowVisible(dlg));
        EXPECT_EQ(robot.Text(dlg, kSetCell), "D10");
        EXPECT_EQ(qvtest::FocusedId(robot, dlg), kSetCell);
        robot.Cancel(dlg);
    });
    EXPECT_EQ(result, 0);
    EXPECT_STREQ(record.setCell, "B4"); // nothing written without OK
}

// In the local menu the labels are local, the keyboard follows, and the host
// reads the local column letters the user types (B is the alphabet's second
// letter); the record keeps the text as typed.
TEST_F(Analysis, GoalSeekInTheLocalMenu) {
    UseLocalMenu();
    // Column B in the local letters; the host keeps them as ISCII ("\xB4").
    const std::string b = kKha;
    GoalSeekRecord record{};
    const int32_t result = Run<QVShowGoalSeekFn>("QVShowGoalSeek", &record, [&](Robot& robot) {
        HWND dlg = robot.WaitForWindow("Goal Seek");
        EXPECT_EQ(robot.Text(dlg, kSetCellLabel), DialogString(1417, 2));
        EXPECT_EQ(robot.Text(dlg, IDOK), DialogString(1303, 2));
        robot.SetText(dlg, kSetCell, b + "2");
        robot.SetText(dlg, kToValue, "4");
        robot.SetText(dlg, kChangingCell, b + "3");
        robot.Click(dlg, IDOK);
        Refused(robot, 1185, kSetCell); // B2 holds a value
        robot.SetText(dlg, kSetCell, b + "4");
        robot.Click(dlg, IDOK);
    });
    EXPECT_EQ(result, 1);
    EXPECT_STREQ(record.setCell, "\xB4"
                                 "4");
    EXPECT_STREQ(record.changingCell, "\xB4"
                                      "3");
    const auto switches = frame_->Log(WM_QV_SETINPUTLANG);
    ASSERT_FALSE(switches.empty());
    EXPECT_EQ(switches.front().wParam, 1u);
    EXPECT_EQ(switches.back().wParam, 0u);
}

// ---- Goal Seek Status -------------------------------------------------------------------

TEST_F(Analysis, GoalSeekStatusTellsTheOutcome) {
    const struct {
        uint8_t status;
        UINT sentence; // 0: the template's
    } cases[] = {{0, 1443}, {1, 1444}, {2, 1447}, {9, 0}};
    for (const auto& c : cases) {
        GoalSeekStatusRecord record{};
        std::memcpy(record.cell, "B4", 3);
        record.status = c.status;
        record.targetValue = 10;
        record.currentValue = 9.999;
        const int32_t result =
            Run<QVShowGoalSeekStatusFn>("QVShowGoalSeekStatus", &record, [&](Robot& robot) {
                HWND dlg = robot.WaitForWindow("Goal Seek Status");
                EXPECT_EQ(robot.Text(dlg, kCellLabel), DialogString(1442) + " B4");
                if (c.sentence != 0) {
                    EXPECT_EQ(robot.Text(dlg, kStatus), DialogString(c.sentence));
                } else {
                    EXPECT_FALSE(robot.Text(dlg, kStatus).empty());
                }
                EXPECT_EQ(robot.Text(dlg, kTarget), DialogString(1445) + " 10.000000");
                EXPECT_EQ(robot.Text(dlg, kCurrent), DialogString(1446) + " 9.999000");
                robot.Click(dlg, c.status == 2 ? IDCANCEL : IDOK);
            });
        EXPECT_EQ(result, c.status == 2 ? 0 : 1);
    }
}

// ---- Data Table ------------------------------------------------------------------------

// Ranges and non-references are refused box by box; each field is written as
// its box passes, so a refused column leaves the row already stored.
TEST_F(Analysis, DataTableTakesSingleInputCells) {
    DataTableRecord record{};
    std::memcpy(record.rowInput, "ZZ", 3);
    const int32_t result = Run<QVShowDataTableFn>("QVShowDataTable", &record, [&](Robot& robot) {
        HWND dlg = robot.WaitForWindow("Table");
        EXPECT_EQ(robot.Text(dlg, kRowLabel), DialogString(1629));
        EXPECT_EQ(robot.Text(dlg, kRowInput), "");
        EXPECT_EQ(SendMessageA(robot.Control(dlg, kRowInput), EM_GETLIMITTEXT, 0, 0), 9);

        robot.Click(dlg, IDOK);
        Refused(robot, 1290, kRowInput); // both empty
        robot.SetText(dlg, kRowInput, "A1:B2");
        robot.Click(dlg, IDOK);
        Refused(robot, 1290, kRowInput);
        robot.SetText(dlg, kRowInput, "12");
        robot.Click(dlg, IDOK);
        Refused(robot, 1193, kRowInput);

        robot.SetText(dlg, kRowInput, " a1 ");
        robot.SetText(dlg, kColumnInput, "X");
        robot.Click(dlg, IDOK);
        Refused(robot, 1193, kColumnInput);
        EXPECT_STREQ(record.rowInput, "a1");

        robot.SetText(dlg, kRowInput, "");
        robot.SetText(dlg, kColumnInput, "C3");
        robot.Click(dlg, IDOK);
    });
    EXPECT_EQ(result, 1);
    EXPECT_STREQ(record.rowInput, "");
    EXPECT_STREQ(record.columnInput, "C3");
}

// Cancel empties both fields, also after a pick in the sheet; the picked
// column cell lands in its box, which takes the focus.
TEST_F(Analysis, DataTableCancelEmptiesTheRecord) {
    DataTableRecord record{};
    std::memcpy(record.rowInput, "A1", 3);
    std::memcpy(record.columnInput, "B1", 3);
    frame_->SetRangeText("E5");
    const int32_t result = Run<QVShowDataTableFn>("QVShowDataTable", &record, [&](Robot& robot) {
        HWND dlg = robot.WaitForWindow("Table");
        robot.Click(dlg, kColumnPick);
        HWND bar = robot.FindDialog();
        ASSERT_NE(bar, dlg);
        EXPECT_EQ(qvhost::ReadRangeText(bar), "E5");
        robot.PressKey(bar, kBarEdit, VK_ESCAPE);
        robot.WaitClosed(bar);
        EXPECT_EQ(robot.Text(dlg, kColumnInput), "E5");
        EXPECT_EQ(qvtest::FocusedId(robot, dlg), kColumnInput);
        robot.Cancel(dlg);
    });
    EXPECT_EQ(result, 0);
    EXPECT_STREQ(record.rowInput, "");
    EXPECT_STREQ(record.columnInput, "");
}

// Local column letters are read back to A1 before the check and the copy.
TEST_F(Analysis, DataTableReadsLocalReferences) {
    UseLocalMenu();
    DataTableRecord record{};
    const int32_t result = Run<QVShowDataTableFn>("QVShowDataTable", &record, [&](Robot& robot) {
        HWND dlg = robot.WaitForWindow("Table");
        EXPECT_EQ(robot.Text(dlg, kRowLabel), DialogString(1629, 2));
        robot.SetText(dlg, kRowInput, std::string(kKa) + "1:" + kKha + "2");
        robot.Click(dlg, IDOK);
        Refused(robot, 1290, kRowInput);
        robot.SetText(dlg, kRowInput, std::string(kKa) + kKa + "7");
        robot.SetText(dlg, kColumnInput, std::string(kGa) + "3");
        robot.Click(dlg, IDOK);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(Field(record.rowInput, sizeof record.rowInput), "AH7"); // 1 x 33 + 1
    EXPECT_EQ(Field(record.columnInput, sizeof record.columnInput), "C3");
}

// ---- Pivot Table -----------------------------------------------------------------------

TEST_F(Analysis, PivotTableNeedsASourceRangeAndAPlace) {
    PivotRangeRecord record{};
    record.hostWord = 0xDEADBEEF;
    std::strcpy(record.inputRange, "A1");
    auto run = [&](const std::function<void(Robot&, HWND)>& steps) {
        return Run<QVShowPivotInoutRangeFn>("QVShowPivotInoutRange", &record, [&](Robot& robot) {
            steps(robot, robot.WaitForWindow("Pivot Table"));
        });
    };
    EXPECT_EQ(run([&](Robot& robot, HWND dlg) {
                  EXPECT_EQ(robot.Text(dlg, kInputRange), "A1");
                  robot.SetText(dlg, kOutputRange, "F1");
                  robot.Click(dlg, IDOK);
                  Refused(robot, 1187, kInputRange); // a cell is no source
                  robot.SetText(dlg, kInputRange, "A1:D20");
                  robot.SetText(dlg, kOutputRange, "");
                  robot.Click(dlg, IDOK);
                  Refused(robot, 1187, kOutputRange);
                  robot.Cancel(dlg);
              }),
              -1);
    EXPECT_STREQ(record.inputRange, "A1");
    EXPECT_STREQ(record.outputRange, "");

    EXPECT_EQ(run([&](Robot& robot, HWND dlg) {
                  robot.SetText(dlg, kInputRange, "A1:D20");
                  robot.SetText(dlg, kOutputRange, "F1");
                  robot.Click(dlg, IDOK);
              }),
              1);
    EXPECT_STREQ(record.inputRange, "A1:D20");
    EXPECT_STREQ(record.outputRange, "F1");
    EXPECT_EQ(record.hostWord, 0xDEADBEEFu);
}

TEST_F(Analysis, PivotTableInTheLocalMenu) {
    UseLocalMenu();
    PivotRangeRecord record{};
    std::strcpy(record.inputRange, "A1:B20");
    const int32_t result =
        Run<QVShowPivotInoutRangeFn>("QVShowPivotInoutRange", &record, [&](Robot& robot) {
            HWND dlg = robot.WaitForWindow("Pivot Table");
            EXPECT_EQ(robot.Text(dlg, kInputRange), std::string(kKa) + "1:" + kKha + "20");
            EXPECT_EQ(robot.Text(dlg, IDOK), DialogString(20002, 2));
            robot.SetText(dlg, kOutputRange, std::string(kGa) + "5:" + kGha + "9");
            robot.Click(dlg, IDOK);
        });
    EXPECT_EQ(result, 1);
    EXPECT_STREQ(record.inputRange, "A1:B20");
    EXPECT_STREQ(record.outputRange, "C5:D9");
}

// ---- Field drop-down -------------------------------------------------------------------

// The popup opens where the host says, without a caption, ticks what is shown
// and the all-items entry, and is used with the keyboard and the mouse; the
// all-items entry follows the items; OK with nothing ticked is refused, and
// OK writes the shown list.
TEST_F(Analysis, PivotDropDownTicksTheShownItems) {
    // The host keeps local script as ISCII: "\xB3\xCF" is ka ra.
    PivotField field({"North", "South", "\xB3\xCF", "West"}, {"South", "West"});
    const int32_t result =
        Run<QVShowPivotDropDownFn>("QVShowPivotDropDown", &field.record, [&](Robot& robot) {
            HWND dlg = robot.WaitForDialog();
            RECT where{};
            GetWindowRect(dlg, &where);
            EXPECT_EQ(where.left, 150);
            EXPECT_EQ(where.top, 120);
            EXPECT_EQ(GetWindowLongA(dlg, GWL_STYLE) & WS_CAPTION, WS_BORDER);
            CheckList list{robot.Control(dlg, kItems)};
            ASSERT_EQ(list.Rows(), 5);
            EXPECT_EQ(list.Text(0), DialogString(1226));
            EXPECT_EQ(list.Text(3), "\xE0\xA4\x95\xE0\xA4\xB0");
            EXPECT_EQ(list.Text(4), "West");
            EXPECT_EQ(list.Ticks(), (Ticks{true, false, true, false, true}));
            EXPECT_EQ(qvtest::FocusedId(robot, dlg), kItems);

            // Space ticks the focused row; arrows move; a screen reader
            // hears the field, the row and its tick.
            robot.PressKey(dlg, kItems, VK_DOWN);
            EXPECT_EQ(list.Focused(), 1);
            auto heard = robot.Accessible(dlg, kItems);
            EXPECT_EQ(heard.name, "Region");
            EXPECT_EQ(heard.value, "North, " + DialogString(1637));
            robot.PressKey(dlg, kItems, VK_SPACE);
            EXPECT_EQ(list.Ticks(), (Ticks{true, true, true, false, true}));
            EXPECT_EQ(robot.Accessible(dlg, kItems).value, "North, " + DialogString(1636));
            ClickTick(robot, list.list, 3);
            EXPECT_EQ(list.Ticks(), (Ticks{true, true, true, true, true}));
            ClickTick(robot, list.list, 0);
            EXPECT_EQ(list.Ticks(), (Ticks{false, false, false, false, false}));
            robot.Click(dlg, IDOK);
            Refused(robot, 1245, kItems);
            EXPECT_TRUE(field.Shown().empty()); // emptied before the refusal
            ClickTick(robot, list.list, 3);
            ClickTick(robot, list.list, 1);
            robot.Click(dlg, IDOK);
        });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(field.Shown(), (Strings{"North", "\xB3\xCF"}));
}

// Ten thousand items with duplicates and empty texts: every row is there,
// "show all" ticks and clears them all, and OK with all ticked empties the
// shown list. Cancel leaves the list alone.
TEST_F(Analysis, PivotDropDownWithTenThousandItems) {
    Strings all;
    for (int i = 0; i < 10000; ++i) {
        all.push_back(i % 10 == 0 ? std::string() : "Item " + std::to_string(i % 5000));
    }
    PivotField field(all, {"Item 7", ""});
    int32_t result =
        Run<QVShowPivotDropDownFn>("QVShowPivotDropDown", &field.record, [&](Robot& robot) {
            HWND dlg = robot.WaitForDialog();
            CheckList list{robot.Control(dlg, kItems)};
            ASSERT_EQ(list.Rows(), 10001);
            EXPECT_EQ(list.Text(10000), "Item 4999");
            EXPECT_EQ(list.Text(1001), "");
            EXPECT_TRUE(list.Ticked(8) && list.Ticked(5008) && list.Ticked(1) && list.Ticked(0));
            EXPECT_FALSE(list.Ticked(9));
            // The first item is ticked: clearing the entry clears them all.
            ClickTick(robot, list.list, 0);
            EXPECT_FALSE(list.Ticked(0) || list.Ticked(1) || list.Ticked(8));
            ClickTick(robot, list.list, 0);
            EXPECT_TRUE(list.Ticked(9999) && list.Ticked(0));
            robot.Cancel(dlg);
        });
    EXPECT_EQ(result, -1);
    EXPECT_EQ(field.Shown(), (Strings{"Item 7", ""}));

    result = Run<QVShowPivotDropDownFn>("QVShowPivotDropDown", &field.record, [&](Robot& robot) {
        HWND dlg = robot.WaitForDialog();
        CheckList list{robot.Control(dlg, kItems)};
        ClickTick(robot, list.list, 0);
        EXPECT_FALSE(list.Ticked(5000));
        ClickTick(robot, list.list, 0);
        robot.Click(dlg, IDOK);
    });
    EXPECT_EQ(result, 1);
    EXPECT_TRUE(field.Shown().empty());
}

// ---- Pivot Table Field -----------------------------------------------------------------

// A field name of the full 255 characters, the function list in the record's
// language, the Name box following the choice, and the choice written on OK.
TEST_F(Analysis, PivotTableFieldChoosesTheSummary) {
    for (uint32_t language : {1u, 2u}) {
        PivotFieldRecord record{};
        record.language = language;
        std::memset(record.fieldName, 'q', 255);
        record.summaryFunction = 99; // no such entry: the first is chosen
        const std::string name(255, 'q');
        const int32_t result =
            Run<QVShowPivotTableFieldFn>("QVShowPivotTableField", &record, [&](Robot& robot) {
                HWND dlg = robot.WaitForWindow("Pivot Table Field:");
                EXPECT_EQ(robot.Text(dlg, kSource), name);
                const int lang = static_cast<int>(language);
                const Strings expected = {DialogString(2063, lang), DialogString(2070, lang),
                                          DialogString(2069, lang), DialogString(2072, lang),
                                          DialogString(2073, lang), DialogString(2054, lang),
                                          DialogString(2074, lang), DialogString(2076, lang)};
                EXPECT_EQ(robot.Items(dlg, kFunctions), expected);
                EXPECT_EQ(robot.SelectedIndex(dlg, kFunctions), 0);
                EXPECT_EQ(robot.Text(dlg, kName), expected[0] + "(" + name + ")");
                robot.Select(dlg, kFunctions, 5);
                EXPECT_EQ(robot.Text(dlg, kName), expected[5] + "(" + name + ")");
                robot.Click(dlg, IDOK);
            });
        EXPECT_EQ(result, 1);
        EXPECT_EQ(record.summaryFunction, 5u);
    }
    PivotFieldRecord record{};
    record.summaryFunction = 3;
    const int32_t result =
        Run<QVShowPivotTableFieldFn>("QVShowPivotTableField", &record, [&](Robot& robot) {
            HWND dlg = robot.WaitForWindow("Pivot Table Field:");
            robot.Select(dlg, kFunctions, 1);
            robot.Cancel(dlg);
        });
    EXPECT_EQ(result, -1);
    EXPECT_EQ(record.summaryFunction, 3u);
}

// ---- bad records -----------------------------------------------------------------------

// NULL records show nothing and give the cancel result; texts without a
// terminator are read no further than their fields.
TEST_F(Analysis, BadRecordsAreRefusedOrReadWithinTheirFields) {
    EXPECT_EQ(Export<QVShowGoalSeekFn>("QVShowGoalSeek")(nullptr), 0);
    EXPECT_EQ(Export<QVShowGoalSeekStatusFn>("QVShowGoalSeekStatus")(nullptr), 0);
    EXPECT_EQ(Export<QVShowDataTableFn>("QVShowDataTable")(nullptr), 0);
    EXPECT_EQ(Export<QVShowPivotInoutRangeFn>("QVShowPivotInoutRange")(nullptr), -1);
    EXPECT_EQ(Export<QVShowPivotDropDownFn>("QVShowPivotDropDown")(nullptr), -1);
    EXPECT_EQ(Export<QVShowPivotTableFieldFn>("QVShowPivotTableField")(nullptr), -1);
    PivotFieldRecord noItems{};
    noItems.fieldItems = reinterpret_cast<QVPivotFieldItems*>(static_cast<uintptr_t>(0x10));
    EXPECT_EQ(Export<QVShowPivotDropDownFn>("QVShowPivotDropDown")(&noItems), -1);

    GoalSeekRecord goal;
    std::memset(&goal, 'Z', sizeof goal);
    Run<QVShowGoalSeekFn>("QVShowGoalSeek", &goal, [&](Robot& robot) {
        HWND dlg = robot.WaitForWindow("Goal Seek");
        EXPECT_EQ(robot.Text(dlg, kSetCell), std::string(19, 'Z'));
        robot.Cancel(dlg);
    });
    GoalSeekStatusRecord status;
    std::memset(&status, 'Y', sizeof status);
    Run<QVShowGoalSeekStatusFn>("QVShowGoalSeekStatus", &status, [&](Robot& robot) {
        HWND dlg = robot.WaitForWindow("Goal Seek Status");
        EXPECT_EQ(robot.Text(dlg, kCellLabel), DialogString(1442) + " " + std::string(10, 'Y'));
        robot.Cancel(dlg);
    });

    // A shown list whose storage cannot be read is let go of, not freed.
    PivotField field({"a", "b"}, {});
    QVString* storage = field.items.shownItems.data;
    field.items.shownItems.data = reinterpret_cast<QVString*>(static_cast<uintptr_t>(0x20));
    field.items.shownItems.size = 3;
    field.items.shownItems.capacity = 4;
    EXPECT_EQ(Run<QVShowPivotDropDownFn>("QVShowPivotDropDown", &field.record,
                                         [&](Robot& robot) {
                                             HWND dlg = robot.WaitForDialog();
                                             ClickTick(robot, robot.Control(dlg, kItems), 1);
                                             robot.Click(dlg, IDOK);
                                         }),
              1);
    EXPECT_EQ(field.Shown(), (Strings{"b"}));
    QVFree(storage);
}

} // namespace
