// The range bar and the Text to Columns wizard, driven through the export as
// a user would: pages, previews, the separator control's mouse and keys, the
// profile store between two runs, the host's array of breaks and picking the
// destination in the sheet.
#include "harness.h"

#include "qvssd/exports.h"
#include "qvssd/messages.h"
#include "qvssd/records.h"

#include <commctrl.h>
#include <oleacc.h>
#include <prsht.h>

#include <cstring>
#include <string>
#include <vector>

using qvrobot::Robot;
using qvrobot::RunModal;

namespace {

constexpr int kBack = 0x3023, kNext = 0x3024, kFinish = 0x3025;
constexpr int kPreview = 1002;
constexpr int kDelimitedRadio = 1005, kFixedRadio = 1006;
constexpr int kTab = 1014, kComma = 1016, kSpace = 1015, kConsecutive = 1049, kQualifier = 1054;
constexpr int kSeparators = 1065;
constexpr int kGeneral = 1018, kText = 1019, kDate = 1020, kSkip = 1021, kDestination = 1063,
              kPick = 1062;
constexpr int kBarEdit = 1012, kBarButton = 1013;

const char kStep1[] = "Convert Text to Columns Wizard Step 1 of 3";
const char kStep2[] = "Convert Text to Columns Wizard Step 2 of 3";
const char kStep3[] = "Convert Text to Columns Wizard Step 3 of 3";

// A host record over its own lines, breaks array and destination buffer.
struct Conversion {
    explicit Conversion(const std::vector<std::string>& texts, const char* destination = "A1") {
        for (const std::string& text : texts) {
            QVStringArrayAdd(&lines, text.c_str());
        }
        std::strncpy(destinationBuffer, destination, sizeof destinationBuffer - 1);
        record.lines = &lines;
        record.columnBreaks = &breaks;
        record.destination = destinationBuffer;
        record.fontFace = face;
        record.fontSize = 10;
    }
    ~Conversion() {
        QVStringArrayRemoveAll(&lines);
        QVStringArrayRemoveAll(&breaks);
    }
    std::vector<std::string> Breaks() const {
        std::vector<std::string> out;
        for (int32_t i = 0; i < breaks.size; ++i) {
            out.push_back(QVStringArrayGet(&breaks, i));
        }
        return out;
    }
    std::string Qualifier() const {
        return std::string(record.qualifier, strnlen(record.qualifier, sizeof record.qualifier));
    }

    QVStringArray lines{};
    QVStringArray breaks{};
    char destinationBuffer[256] = {};
    char face[32] = "Arial";
    TextToColumnRecord record{};
};

HWND CurrentPage(HWND sheet) {
    return reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
}

std::string Cell(HWND list, int row, int column) {
    return qvtest::ListViewText(list, row, column);
}

int ColumnCount(HWND list) {
    HWND header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
    return static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0));
}

std::string ColumnTitle(HWND list, int column) {
    return qvtest::ListViewColumnTitle(list, column);
}

// The separator control's character width: the width of a blank in the
// control's monospaced font (Courier, 8 pixels high).
int SeparatorCharWidth() {
    LOGFONTA lf{};
    lf.lfHeight = -8;
    lf.lfWeight = FW_NORMAL;
    lf.lfQuality = PROOF_QUALITY;
    lf.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
    std::strcpy(lf.lfFaceName, "Courier");
    HFONT font = CreateFontIndirectA(&lf);
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    SIZE size{};
    GetTextExtentPoint32A(dc, " ", 1, &size);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    DeleteObject(font);
    return size.cx;
}

void PostMouse(Robot& robot, HWND control, UINT message, int x, int y) {
    // Posted from here, the message is queued before the robot's idle marker;
    // posted from the dialog's thread it could come after it.
    PostMessageA(control, message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(x, y));
    robot.WaitIdle();
}

class TextToColumns : public qvtest::DialogTest {
  protected:
    void SetUp() override {
        userData_ = qvhost::MakeScratchFolder("qvttc");
        qvhost::SetUserDataFolder(userData_);
        DialogTest::SetUp();
    }
    void TearDown() override {
        DialogTest::TearDown();
        qvhost::RemoveFolder(userData_);
    }

    int32_t Run(Conversion& conversion, const std::function<void(Robot&)>& script) {
        auto show = Export<QVShowTextToColumnFn>("QVShowTextToColumn");
        auto outcome = RunModal([&] { return show(&conversion.record); }, script);
        EXPECT_SCRIPT_OK(outcome);
        return outcome.result;
    }

    // Next, then waits until the sheet shows `caption`.
    static HWND Next(Robot& robot, HWND sheet, const char* caption) {
        robot.Click(sheet, kNext);
        EXPECT_EQ(robot.Caption(sheet), caption);
        return CurrentPage(sheet);
    }

    std::string userData_;
};

TEST_F(TextToColumns, DelimitedSplitWritesTheRecordAndRemembersTheDelimiters) {
    Conversion first({"Name,Region,Sales", "Asha,,1200", "\"Ravi\",South,950"});
    int32_t result = Run(first, [&](Robot& robot) {
        HWND sheet = robot.WaitForWindow(kStep1);
        HWND page = CurrentPage(sheet);
        EXPECT_TRUE(robot.IsChecked(page, kDelimitedRadio)); // three lines: delimited
        robot.Click(page, kFixedRadio);                      // the two options are one group
        EXPECT_FALSE(robot.IsChecked(page, kDelimitedRadio));
        robot.Click(page, kDelimitedRadio);
        EXPECT_FALSE(robot.IsChecked(page, kFixedRadio));
        EXPECT_EQ(Cell(robot.Control(page, kPreview), 1, 0), "Asha,,1200");
        EXPECT_EQ(robot.Text(sheet, kNext), DialogString(1208));
        EXPECT_FALSE(robot.IsEnabled(sheet, kBack));
        EXPECT_TRUE(robot.IsVisible(sheet, kFinish));

        page = Next(robot, sheet, kStep2);
        // No remembered choice yet: nothing checked, no qualifier, a plain list.
        EXPECT_FALSE(robot.IsChecked(page, kComma));
        EXPECT_EQ(robot.SelectedIndex(page, kQualifier), 2);
        HWND list = robot.Control(page, kPreview);
        EXPECT_EQ(ColumnCount(list), 1);
        robot.Click(page, kComma);
        robot.Select(page, kQualifier, 1);
        EXPECT_EQ(ColumnCount(list), 3);
        EXPECT_EQ(Cell(list, 1, 1), "");     // two commas make an empty column
        EXPECT_EQ(Cell(list, 2, 0), "Ravi"); // the qualifier is stripped
        EXPECT_EQ(Cell(list, 2, 2), "950");
        // Space also sets "treat consecutive delimiters as one", and back.
        robot.Click(page, kSpace);
        EXPECT_TRUE(robot.IsChecked(page, kConsecutive));
        robot.Click(page, kSpace);
        EXPECT_FALSE(robot.IsChecked(page, kConsecutive));

        page = Next(robot, sheet, kStep3);
        list = robot.Control(page, kPreview);
        ASSERT_EQ(ColumnCount(list), 3);
        EXPECT_EQ(ColumnTitle(list, 2), DialogString(1550));
        EXPECT_TRUE(robot.IsChecked(page, kGeneral));
        EXPECT_FALSE(robot.IsEnabled(sheet, kNext));
        // Column 1 by the arrow key, Text; the last column by End, Date.
        robot.PressKey(page, kPreview, VK_RIGHT);
        robot.Click(page, kText);
        EXPECT_EQ(ColumnTitle(list, 1), DialogString(1551));
        robot.PressKey(page, kPreview, VK_END);
        EXPECT_TRUE(robot.IsChecked(page, kGeneral));
        robot.Click(page, kDate);
        robot.PressKey(page, kPreview, VK_HOME);
        robot.PressKey(page, kPreview, VK_RIGHT);
        EXPECT_TRUE(robot.IsChecked(page, kText)); // the options follow the column
        robot.SetText(page, kDestination, "B2");
        robot.Click(sheet, kFinish);
    });
    EXPECT_EQ(result, 1);
    const TextToColumnRecord& r = first.record;
    EXPECT_EQ(r.delimited, 1);
    ASSERT_NE(r.delimiters, nullptr);
    EXPECT_STREQ(r.delimiters, ",");
    EXPECT_EQ(first.Qualifier(), "\"");
    EXPECT_EQ(r.consecutiveAsOne, 0);
    ASSERT_NE(r.columnFormats, nullptr);
    EXPECT_STREQ(r.columnFormats, "012");
    EXPECT_EQ(r.columnCount, 3);
    EXPECT_STREQ(first.destinationBuffer, "B2");
    EXPECT_TRUE(first.Breaks().empty());
    EXPECT_NE(qvhost::ReadTextFile(userData_ + "\\FunctionInfo.dll").find("[Delimiter]"),
              std::string::npos);

    // The second run opens with the remembered delimiters; Cancel saves them too.
    Conversion second({"a;b", "c;d"});
    result = Run(second, [&](Robot& robot) {
        HWND sheet = robot.WaitForWindow(kStep1);
        HWND page = Next(robot, sheet, kStep2);
        EXPECT_TRUE(robot.IsChecked(page, kComma));
        EXPECT_FALSE(robot.IsChecked(page, kTab));
        EXPECT_EQ(robot.SelectedIndex(page, kQualifier), 1);
        robot.Click(page, kComma);
        robot.Click(page, kTab);
        robot.Select(page, kQualifier, 0);
        robot.Cancel(sheet);
    });
    EXPECT_EQ(result, 0);
    Conversion third({"x"});
    result = Run(third, [&](Robot& robot) {
        HWND sheet = robot.WaitForWindow(kStep1);
        HWND page = Next(robot, sheet, kStep2);
        EXPECT_FALSE(robot.IsChecked(page, kComma));
        EXPECT_TRUE(robot.IsChecked(page, kTab));
        EXPECT_EQ(robot.SelectedIndex(page, kQualifier), 0);
        robot.Cancel(sheet);
    });
    EXPECT_EQ(result, 0);
}

TEST_F(TextToColumns, FixedWidthBreaksFromTheProposalTheMouseAndTheKeys) {
    Conversion conversion({"ab cd ef"});
    const int w = SeparatorCharWidth();
    ASSERT_GT(w, 0);
    int32_t result = Run(conversion, [&](Robot& robot) {
        HWND sheet = robot.WaitForWindow(kStep1);
        HWND page = CurrentPage(sheet);
        EXPECT_TRUE(robot.IsChecked(page, kFixedRadio)); // one line with two blanks
        page = Next(robot, sheet, kStep2);
        HWND control = robot.Control(page, kSeparators);
        EXPECT_EQ(robot.ClassName(control), "QVSeparatorsCtrl");
        RECT client{};
        GetClientRect(control, &client);
        // Column 7 exactly at its boundary, then just past the middle of the
        // character before column 4 (snaps to 4); a click in the scroll-bar
        // strip does nothing.
        PostMouse(robot, control, WM_LBUTTONDOWN, 5 + 7 * w, 40);
        PostMouse(robot, control, WM_LBUTTONDOWN, 5 + 3 * w + w / 2 + 1, 40);
        PostMouse(robot, control, WM_LBUTTONDOWN, client.right - 10, 40);
        // A double click on the automatic break at 2 removes it.
        PostMouse(robot, control, WM_LBUTTONDOWN, 5 + 2 * w, 40);
        PostMouse(robot, control, WM_LBUTTONDBLCLK, 5 + 2 * w, 40);
        // The keyboard: the cursor column (which followed the clicks) goes to
        // 0 and right to 1; Space adds a break there.
        robot.PressKey(page, kSeparators, VK_HOME);
        robot.PressKey(page, kSeparators, VK_RIGHT);
        robot.PressKey(page, kSeparators, VK_SPACE);
        // Delete removes it again, and 4 via the cursor too.
        robot.PressKey(page, kSeparators, VK_DELETE);
        for (int i = 0; i < 3; ++i) {
            robot.PressKey(page, kSeparators, VK_RIGHT);
        }
        robot.PressKey(page, kSeparators, VK_DELETE);
        Next(robot, sheet, kStep3);
        EXPECT_EQ(conversion.Breaks(), (std::vector<std::string>{"5", "7"}));
        page = CurrentPage(sheet);
        robot.PressKey(page, kPreview, VK_RIGHT);
        robot.Click(page, kText);
        EXPECT_EQ(ColumnTitle(robot.Control(page, kPreview), 1), DialogString(1551));
        // Back and Next again replace the breaks rather than adding them twice,
        // and every column is General again.
        robot.Click(sheet, kBack);
        EXPECT_EQ(robot.Caption(sheet), kStep2);
        page = Next(robot, sheet, kStep3);
        EXPECT_EQ(conversion.Breaks(), (std::vector<std::string>{"5", "7"}));
        HWND list = robot.Control(page, kPreview);
        ASSERT_EQ(ColumnCount(list), 3);
        EXPECT_EQ(ColumnTitle(list, 1), DialogString(1550));
        EXPECT_TRUE(robot.IsChecked(page, kGeneral));
        EXPECT_EQ(Cell(list, 0, 0), "ab cd");
        EXPECT_EQ(Cell(list, 0, 1), " e");
        EXPECT_EQ(Cell(list, 0, 2), "f");
        robot.Click(sheet, kFinish);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(conversion.record.delimited, 0);
    EXPECT_EQ(conversion.record.columnCount, 2);
    EXPECT_STREQ(conversion.record.columnFormats, "000");
    EXPECT_EQ(conversion.Breaks(), (std::vector<std::string>{"5", "7"}));
}

TEST_F(TextToColumns, FinishOnStepOneAndTheDestinationRule) {
    // Finish at once: the proposal, one General column, nothing else. A bad
    // destination is reported but does not stop a wizard whose step 3 was
    // never shown.
    Conversion direct({"ab cd ef"}, "not a cell");
    int32_t result = Run(direct, [&](Robot& robot) {
        HWND sheet = robot.WaitForWindow(kStep1);
        robot.Click(sheet, kFinish);
        auto box = robot.ExpectMessageBox();
        ASSERT_TRUE(box.exists);
        EXPECT_EQ(box.text, Message(1187));
        robot.AnswerMessageBox(1);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(direct.record.delimited, 0);
    EXPECT_STREQ(direct.record.columnFormats, "0");
    EXPECT_EQ(direct.record.columnCount, 1);
    EXPECT_TRUE(direct.Breaks().empty());

    // Once step 3 has been shown, a bad destination keeps the wizard open.
    Conversion refused({"1,2"});
    result = Run(refused, [&](Robot& robot) {
        HWND sheet = robot.WaitForWindow(kStep1);
        // A double click on an option shows its step 2 page at once.
        HWND option = robot.Control(CurrentPage(sheet), kFixedRadio);
        robot.Post([option] {
            SendMessageA(GetParent(option), WM_COMMAND, MAKEWPARAM(kFixedRadio, BN_DOUBLECLICKED),
                         reinterpret_cast<LPARAM>(option));
        });
        robot.WaitIdle();
        EXPECT_EQ(robot.Caption(sheet), kStep2);
        EXPECT_TRUE(robot.HasControl(CurrentPage(sheet), kSeparators));
        robot.Click(sheet, kBack);
        EXPECT_EQ(robot.Caption(sheet), kStep1);
        robot.Click(CurrentPage(sheet), kDelimitedRadio);
        Next(robot, sheet, kStep2);
        HWND page = Next(robot, sheet, kStep3);
        EXPECT_EQ(robot.Text(page, kDestination), "A1");
        robot.SetText(page, kDestination, "ZZ9");
        robot.Click(sheet, kFinish);
        auto box = robot.ExpectMessageBox();
        ASSERT_TRUE(box.exists);
        EXPECT_EQ(box.text, Message(1187));
        robot.AnswerMessageBox(1);
        EXPECT_EQ(robot.Caption(sheet), kStep3);
        EXPECT_EQ(robot.FocusedId(), kDestination);
        robot.SetText(page, kDestination, "C1:D5");
        robot.Click(sheet, kFinish);
    });
    EXPECT_EQ(result, 1);
    EXPECT_STREQ(refused.destinationBuffer, "C1:D5");
}

TEST_F(TextToColumns, ColumnLimitIsAskedOncePerPreview) {
    std::string wide = "x";
    for (int i = 1; i < 300; ++i) {
        wide += ",x";
    }
    Conversion conversion({wide, wide});
    int32_t result = Run(conversion, [&](Robot& robot) {
        HWND sheet = robot.WaitForWindow(kStep1);
        HWND page = Next(robot, sheet, kStep2);
        robot.Click(page, kComma);
        auto box = robot.ExpectMessageBox();
        ASSERT_TRUE(box.exists);
        EXPECT_EQ(box.text, Message(1209));
        robot.AnswerMessageBox(1); // go on: both lines are cut at the limit
        EXPECT_TRUE(robot.NoMessageBoxWithin(300));
        EXPECT_EQ(ColumnCount(robot.Control(page, kPreview)), 257);
        robot.Click(sheet, kFinish);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(conversion.record.columnCount, 257 & 0xFF);
    ASSERT_NE(conversion.record.columnFormats, nullptr);
    EXPECT_EQ(std::strlen(conversion.record.columnFormats), 257u);

    // The other answer ends the wizard as cancelled.
    result = Run(conversion, [&](Robot& robot) {
        HWND sheet = robot.WaitForWindow(kStep1);
        robot.Click(sheet, kNext); // the remembered Comma asks at once
        auto box = robot.ExpectMessageBox();
        ASSERT_TRUE(box.exists);
        robot.AnswerMessageBox(2);
        robot.WaitClosed(sheet);
    });
    EXPECT_EQ(result, 0);
}

// Picking the destination in the sheet: the wizard hides behind the range bar,
// the host's frame is enabled, the host's selection arrives in the bar and
// Enter, Escape or closing the bar hands it back.
TEST_F(TextToColumns, RangeBarPicksTheDestination) {
    Conversion conversion({"1,2", "3,4"});
    int32_t result = Run(conversion, [&](Robot& robot) {
        HWND sheet = robot.WaitForWindow(kStep1);
        Next(robot, sheet, kStep2);
        HWND page = Next(robot, sheet, kStep3);
        EXPECT_FALSE(IsWindowEnabled(frame_->hwnd()));
        frame_->ClearLog();

        robot.Click(page, kPick);
        EXPECT_FALSE(IsWindowVisible(sheet));
        EXPECT_TRUE(IsWindowEnabled(frame_->hwnd()));
        auto picks = frame_->Log(WM_QV_RANGEPICK);
        ASSERT_FALSE(picks.empty());
        EXPECT_EQ(picks.front().wParam, 0u);
        HWND bar = robot.WaitForWindow(kStep3);
        ASSERT_NE(bar, sheet);
        EXPECT_EQ(robot.Text(bar, kBarEdit), "A1");
        ASSERT_TRUE(qvhost::SendRangeText(bar, "C3:D4"));
        EXPECT_EQ(qvhost::ReadRangeText(bar), "C3:D4");
        // Typing does not reach the bar; Enter accepts.
        robot.TypeChars(bar, kBarEdit, "xyz");
        robot.PressKey(bar, kBarEdit, 'Q');
        EXPECT_EQ(qvhost::ReadRangeText(bar), "C3:D4");
        robot.PressKey(bar, kBarEdit, VK_RETURN);
        EXPECT_TRUE(robot.WaitClosed(bar));
        EXPECT_TRUE(IsWindowVisible(sheet));
        EXPECT_FALSE(IsWindowEnabled(frame_->hwnd()));
        EXPECT_EQ(robot.Text(page, kDestination), "C3:D4");
        EXPECT_STREQ(conversion.destinationBuffer, "C3:D4");
        EXPECT_EQ(robot.FocusedId(), kDestination);
        picks = frame_->Log(WM_QV_RANGEPICK);
        ASSERT_FALSE(picks.empty());
        EXPECT_EQ(picks.back().wParam, 1u);
        EXPECT_FALSE(frame_->RangePickActive());

        // The host delivers its selection by itself; Escape accepts it too.
        frame_->SetRangeText("B7");
        robot.Click(page, kPick);
        bar = robot.WaitForWindow(kStep3);
        ASSERT_NE(bar, sheet);
        robot.WaitIdle();
        EXPECT_EQ(qvhost::ReadRangeText(bar), "B7");
        robot.PressKey(bar, kBarEdit, VK_ESCAPE);
        EXPECT_TRUE(robot.WaitClosed(bar));
        EXPECT_EQ(robot.Text(page, kDestination), "B7");
        EXPECT_TRUE(IsWindowVisible(sheet));

        // Closing the bar's window accepts as well, ends picking once more
        // and switches the keyboard back to English.
        frame_->SetRangeText("E5:F6");
        robot.Click(page, kPick);
        bar = robot.WaitForWindow(kStep3);
        ASSERT_NE(bar, sheet);
        robot.WaitIdle();
        frame_->ClearLog();
        robot.Post([bar] { PostMessageA(bar, WM_CLOSE, 0, 0); });
        EXPECT_TRUE(robot.WaitClosed(bar));
        EXPECT_EQ(robot.Text(page, kDestination), "E5:F6");
        EXPECT_GE(frame_->Log(WM_QV_RANGEPICK).size(), 3u);
        auto languages = frame_->Log(WM_QV_SETINPUTLANG);
        ASSERT_FALSE(languages.empty());
        EXPECT_EQ(languages.back().wParam, 0u);
        frame_->SetRangeText(std::nullopt);
        robot.Click(sheet, kFinish);
    });
    EXPECT_EQ(result, 1);
    EXPECT_STREQ(conversion.destinationBuffer, "E5:F6");
}

// The wizard from the keyboard alone, as a screen reader hears it: the
// mnemonics choose the type and go on; the ruler says the cursor column,
// whether a break stands there and the breaks; the range bar says the
// reference it shows, under the destination box's name.
TEST_F(TextToColumns, KeysAloneAndWhatScreenReadersHear) {
    Conversion conversion({"ab cd ef"});
    int32_t result = Run(conversion, [&](Robot& robot) {
        HWND sheet = robot.WaitForWindow(kStep1);
        HWND page = CurrentPage(sheet);
        EXPECT_EQ(qvtest::MnemonicProblems(page), std::vector<std::string>{});
        robot.PressKey(page, kFixedRadio, 'W', true);
        EXPECT_TRUE(robot.IsChecked(page, kFixedRadio));
        robot.PressKey(page, kFixedRadio, 'N', true);
        EXPECT_EQ(robot.Caption(sheet), kStep2);
        page = CurrentPage(sheet);
        robot.PressKey(page, kSeparators, 'P', true);
        EXPECT_EQ(robot.FocusedId(), kSeparators);
        robot.PressKey(page, kSeparators, VK_HOME);
        for (int i = 0; i < 3; ++i) {
            robot.PressKey(page, kSeparators, VK_RIGHT);
        }
        robot.PressKey(page, kSeparators, VK_SPACE); // the automatic breaks are 2 and 5
        auto heard = robot.Accessible(page, kSeparators);
        const auto said = [&](const std::string& column, bool here, const std::string& breaks) {
            std::string text = DialogString(3493);
            text.replace(text.find("%d"), 2, column);
            if (here) {
                text += ", " + DialogString(3494);
            }
            std::string list = DialogString(3495);
            return text + "; " + list.replace(list.find("%s"), 2, breaks);
        };
        EXPECT_EQ(heard.name, qvtest::Spoken(DialogString(1206)));
        EXPECT_EQ(heard.role, ROLE_SYSTEM_SLIDER);
        EXPECT_EQ(heard.value, said("3", true, "2, 3, 5"));
        robot.PressKey(page, kSeparators, VK_SPACE); // Space again takes it away
        EXPECT_EQ(robot.Accessible(page, kSeparators).value, said("3", false, "2, 5"));
        EXPECT_EQ(qvtest::MnemonicProblems(page), std::vector<std::string>{});
        robot.PressKey(page, kSeparators, 'N', true);
        EXPECT_EQ(robot.Caption(sheet), kStep3);
        page = CurrentPage(sheet);
        // "Do not import(skip)" keeps the product's text, which has no key.
        EXPECT_EQ(qvtest::MnemonicProblems(page, {kSkip}), std::vector<std::string>{});

        robot.Click(page, kPick);
        HWND bar = robot.WaitForWindow(kStep3);
        ASSERT_NE(bar, sheet);
        heard = robot.Accessible(bar, kBarEdit);
        EXPECT_EQ(heard.name, qvtest::Spoken(DialogString(1549)));
        EXPECT_EQ(heard.role, ROLE_SYSTEM_TEXT);
        EXPECT_EQ(heard.value, "A1");
        EXPECT_TRUE(heard.state & STATE_SYSTEM_READONLY);
        ASSERT_TRUE(qvhost::SendRangeText(bar, "C3"));
        EXPECT_EQ(robot.Accessible(bar, kBarEdit).value, "C3");
        EXPECT_EQ(robot.Accessible(bar, kBarButton).name, DialogString(1303));
        robot.PressKey(bar, kBarEdit, VK_RETURN);
        EXPECT_TRUE(robot.WaitClosed(bar));
        robot.Click(sheet, kFinish);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(conversion.Breaks(), (std::vector<std::string>{"2", "5"}));
    EXPECT_STREQ(conversion.destinationBuffer, "C3");
}

// In the local menu the destination box shows the local column letters and
// hands the host the A1 form.
TEST_F(TextToColumns, LocalMenuConvertsTheDestination) {
    qvhost::SetMenuLanguage(2);
    LoadFrom(appFolder_);
    Conversion conversion({"1,2"}, "B2");
    int32_t result = Run(conversion, [&](Robot& robot) {
        HWND sheet = robot.WaitForWindow(kStep1);
        EXPECT_EQ(robot.Text(sheet, kNext), DialogString(1208, 2));
        Next(robot, sheet, kStep2);
        HWND page = Next(robot, sheet, kStep3);
        const std::string shown = robot.Text(page, kDestination);
        EXPECT_NE(shown, "B2");
        EXPECT_EQ(shown.back(), '2');
        EXPECT_EQ(ColumnTitle(robot.Control(page, kPreview), 0), DialogString(1550, 2));
        // The second and third letters of the local alphabet, as shown for B2.
        const std::string second = shown.substr(0, shown.size() - 1);
        robot.SetText(page, kDestination, second + "9");
        EXPECT_STREQ(conversion.destinationBuffer, "B9");
        robot.Click(sheet, kFinish);
    });
    EXPECT_EQ(result, 1);
    EXPECT_STREQ(conversion.destinationBuffer, "B9");
}

// A press and release of the left button on column `column`'s header item.
void ClickHeader(Robot& robot, HWND list, int column) {
    HWND header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
    ASSERT_NE(header, nullptr);
    RECT item{};
    ASSERT_TRUE(SendMessageA(header, HDM_GETITEMRECT, static_cast<WPARAM>(column),
                             reinterpret_cast<LPARAM>(&item)));
    const int x = (item.left + item.right) / 2;
    const int y = (item.top + item.bottom) / 2;
    PostMouse(robot, header, WM_MOUSEMOVE, x, y);
    // Press and release within one action: a mouse move that the system makes
    // up in between (on the header's capture, without the button) would end
    // the press before the release.
    robot.Post([header, x, y] {
        SendMessageA(header, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        SendMessageA(header, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    });
    robot.WaitIdle();
}

// Step 3: a click on a column header selects the column and shows its format,
// in both menu languages.
TEST_F(TextToColumns, HeaderClickSelectsTheColumnAndShowsItsFormat) {
    for (int language : {1, 2}) {
        qvhost::SetMenuLanguage(language);
        LoadFrom(appFolder_);
        Conversion conversion({"a,1,x", "b,2,y"});
        int32_t result = Run(conversion, [&](Robot& robot) {
            HWND sheet = robot.WaitForWindow(kStep1);
            HWND page = Next(robot, sheet, kStep2);
            if (!robot.IsChecked(page, kComma)) { // the second run remembers it
                robot.Click(page, kComma);
            }
            page = Next(robot, sheet, kStep3);
            HWND list = robot.Control(page, kPreview);
            ASSERT_EQ(ColumnCount(list), 3);
            robot.Click(page, kText); // column 0 becomes Text
            ClickHeader(robot, list, 2);
            EXPECT_TRUE(robot.IsChecked(page, kGeneral)) << "language " << language;
            robot.Click(page, kDate); // column 2 becomes Date
            ClickHeader(robot, list, 0);
            EXPECT_TRUE(robot.IsChecked(page, kText)) << "language " << language;
            EXPECT_FALSE(robot.IsChecked(page, kDate));
            ClickHeader(robot, list, 2);
            EXPECT_TRUE(robot.IsChecked(page, kDate)) << "language " << language;
            robot.Click(sheet, kFinish);
        });
        EXPECT_EQ(result, 1);
        ASSERT_NE(conversion.record.columnFormats, nullptr);
        EXPECT_STREQ(conversion.record.columnFormats, "102") << "language " << language;
    }
}

// Bad records: nothing shown, nothing written, no crash.
TEST_F(TextToColumns, BadRecordsAreRefusedOrReadSafely) {
    auto show = Export<QVShowTextToColumnFn>("QVShowTextToColumn");
    EXPECT_EQ(show(nullptr), 0);
    // Lines that point nowhere readable and no breaks array: the wizard still
    // runs over no lines and finishes.
    TextToColumnRecord record{};
    record.lines = reinterpret_cast<QVStringArray*>(static_cast<uintptr_t>(0x10));
    record.fontFace = nullptr;
    record.fontSize = -3;
    auto outcome = RunModal([&] { return show(&record); },
                            [&](Robot& robot) {
                                HWND sheet = robot.WaitForWindow(kStep1);
                                Next(robot, sheet, kStep2);
                                robot.Click(sheet, kFinish);
                                auto box = robot.ExpectMessageBox(); // no destination
                                ASSERT_TRUE(box.exists);
                                robot.AnswerMessageBox(1);
                            });
    EXPECT_SCRIPT_OK(outcome);
    EXPECT_EQ(outcome.result, 1);
    EXPECT_STREQ(record.columnFormats, "0");
}

// Host texts without a terminator that end right before memory that cannot be
// read: the wizard reads them only as far as they go.
TEST_F(TextToColumns, UnterminatedHostTextsAreReadSafely) {
    SYSTEM_INFO info;
    GetSystemInfo(&info);
    const size_t page = info.dwPageSize;
    char* base = static_cast<char*>(
        VirtualAlloc(nullptr, 2 * page, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
    ASSERT_NE(base, nullptr);
    DWORD old = 0;
    VirtualProtect(base + page, page, PAGE_NOACCESS, &old);
    char* end = base + page;
    char* destination = end - 8;
    std::memset(destination, 'Z', 8);
    char* face = end - 48;
    std::memset(face, 'A', 32); // runs into the destination: no terminator before the guard
    char* line = end - 200;
    std::memcpy(line, "1,2,3", 5);
    std::memset(line + 5, ',', 200 - 48 - 5);

    Conversion conversion({});
    QVStringArrayAdd(&conversion.lines, "a,b");
    QVStringClear(&conversion.lines.data[0]);
    conversion.lines.data[0].text = line; // unterminated as well
    conversion.record.destination = destination;
    conversion.record.fontFace = face;
    int32_t result = Run(conversion, [&](Robot& robot) {
        HWND sheet = robot.WaitForWindow(kStep1);
        HWND page2 = Next(robot, sheet, kStep2);
        robot.Click(page2, kComma);
        HWND page3 = Next(robot, sheet, kStep3);
        EXPECT_EQ(robot.Text(page3, kDestination), "ZZZZZZZZ");
        robot.Click(sheet, kFinish);
        auto box = robot.ExpectMessageBox();
        ASSERT_TRUE(box.exists);
        robot.AnswerMessageBox(1);
        robot.SetText(page3, kDestination, "B4");
        robot.Click(sheet, kFinish);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(std::string(destination, 3), std::string("B4\0", 3));
    EXPECT_STREQ(conversion.record.delimiters, ",");
    conversion.lines.data[0].text = nullptr; // not the host's heap
    VirtualFree(base, 0, MEM_RELEASE);
}

// Renders every step in both languages when QVSSD_PNG_DIR names a folder.
TEST_F(TextToColumns, RenderEveryStep) {
    char folder[MAX_PATH] = {};
    if (GetEnvironmentVariableA("QVSSD_PNG_DIR", folder, sizeof folder) == 0) {
        GTEST_SKIP() << "QVSSD_PNG_DIR is not set";
    }
    for (int language : {1, 2}) {
        qvhost::SetMenuLanguage(language);
        LoadFrom(appFolder_);
        const std::string suffix = language == 1 ? "en" : "local";
        for (bool fixed : {false, true}) {
            Conversion conversion(
                fixed ? std::vector<std::string>{"2024 North  1200 ok", "2023 South   950 ok"}
                      : std::vector<std::string>{"Name,Region,Sales", "Asha,North,1200",
                                                 "Ravi,South,950"});
            Run(conversion, [&](Robot& robot) {
                HWND sheet = robot.WaitForWindow(kStep1);
                HWND page = CurrentPage(sheet);
                const std::string base = std::string(folder) + "\\ttc-" + suffix + "-";
                if (fixed) {
                    robot.Click(page, kFixedRadio);
                }
                robot.SavePng(sheet, base + (fixed ? "fixed-1.png" : "step1.png"));
                page = Next(robot, sheet, kStep2);
                if (!fixed) {
                    robot.Click(page, kComma);
                }
                robot.SavePng(sheet, base + (fixed ? "fixed-2.png" : "step2.png"));
                page = Next(robot, sheet, kStep3);
                robot.PressKey(page, kPreview, VK_RIGHT);
                robot.Click(page, kText);
                robot.SavePng(sheet, base + (fixed ? "fixed-3.png" : "step3.png"));
                if (!fixed) {
                    robot.Click(page, kPick);
                    HWND bar = robot.WaitForWindow(kStep3);
                    robot.SavePng(bar, base + "rangebar.png");
                    robot.PressKey(bar, kBarEdit, VK_RETURN);
                }
                robot.Cancel(sheet);
            });
        }
    }
}

} // namespace
