// The Alignment, Font, Border and Pattern pages of Format Cells and the
// Conditional Formatting dialog, driven through QVShowFormatCells and
// QVShowConditionalFormatting as a user would: the dial by mouse and keys,
// border copy-in and copy-out by mode and shape, the pattern bitmaps as the
// sample paints them, the colour and pattern drop-downs from the keyboard,
// font validation, and conditions that move up when one is deleted.
#include "harness.h"

#include "qvcore/cell_format.h"
#include "qvssd/exports.h"
#include "qvssd/records.h"

#include <commctrl.h>
#include <oleacc.h>
#include <prsht.h>

#include <algorithm>
#include <cstring>
#include <set>
#include <string>
#include <vector>

using qvrobot::Robot;
using qvrobot::RunModal;

namespace {

// Alignment page
constexpr int kHorizontal = 1017, kMerge = 1020, kDial = 252, kDegrees = 222;
// Font page
constexpr int kFace = 11003, kFaceList = 11006, kStyleList = 11007, kSize = 11005,
              kSizeList = 11008, kFontColour = 11052, kFaceLabel = 1078;
// Border page
constexpr int kBorderInside = 229, kBorderTop = 235, kBorderInsideH = 236, kBorderRight = 240,
              kBorderInsideV = 239, kBorderPreview = 1086, kBorderStyle = 1031;
// Pattern page
constexpr int kNoColour = 1049, kGrid = 1083, kPatternStyle = 1050, kSample = 1093;
// Conditional Formatting
constexpr int kCfOp[3] = {1001, 1008, 1022}, kCfBox1[3] = {1002, 1009, 1023},
              kCfBox2[3] = {1003, 1010, 1024}, kCfFrame[3] = {1020, 1028, 1029},
              kCfFormat[3] = {1006, 1013, 1027};
constexpr int kCfAdd = 1015, kCfDelete = 1014, kDeleteFirst = 1032;
constexpr int kCfPreview[3] = {1136, 1137, 1138};

// Tabs of the normal sheet.
constexpr int kAlignmentTab = 1, kFontTab = 2, kBorderTab = 3, kPatternTab = 4;

CellFormatRecord MakeRecord(uint8_t mode, uint8_t startPage) {
    CellFormatRecord record{};
    record.number.decimalPlaces = 2;
    std::strcpy(record.number.sampleValue, "1");
    record.pattern.fillColor = 1;
    record.pattern.patternStyle = -1;
    record.startPage = startPage;
    record.sheetMode = mode;
    return record;
}

void AddLine(CellFormatRecord& record, uint16_t edges, uint16_t pen, uint32_t colour, uint8_t shape,
             uint8_t weight = 1, uint8_t changed = 0) {
    const BorderLine line{edges, pen, colour, shape, weight, changed};
    QVVectorPush(&record.borders, &line, sizeof line);
}

std::vector<BorderLine> Lines(const CellFormatRecord& record) {
    const auto* first = static_cast<const BorderLine*>(record.borders.first);
    return std::vector<BorderLine>(first,
                                   first + QVVectorCount(&record.borders, sizeof(BorderLine)));
}

void ShowTab(Robot& robot, HWND sheet, int index) {
    robot.Post([sheet, index] { PropSheet_SetCurSel(sheet, nullptr, index); });
    robot.WaitIdle();
}

// A left click (or press, move, release) on a control at client coordinates.
void Mouse(Robot& robot, HWND control, UINT message, int x, int y) {
    PostMessageA(control, message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(x, y));
    robot.WaitIdle();
}

RECT ClientRectOf(HWND window) {
    RECT r{};
    GetClientRect(window, &r);
    return r;
}

RECT ScreenRect(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return r;
}

struct PopupSearch {
    DWORD thread;
    HWND found;
};

BOOL CALLBACK FindPopup(HWND window, LPARAM data) {
    if (IsWindowVisible(window) && Robot::ClassName(window) == "QVSSD.Popup") {
        reinterpret_cast<PopupSearch*>(data)->found = window;
        return FALSE;
    }
    return TRUE;
}

// The open drop-down (colour palette or pattern bar) of the dialog's thread.
HWND OpenPopup(const Robot& robot) {
    PopupSearch search{robot.uiThread(), nullptr};
    EnumThreadWindows(search.thread, FindPopup, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

int DialPos(HWND dial) {
    return static_cast<int>(SendMessageA(dial, TBM_GETPOS, 0, 0));
}

ConditionalFormatRecord EmptyConditions() {
    ConditionalFormatRecord record{};
    for (Condition& c : record.conditions) {
        c.format.noFormat = 1;
        c.format.pattern.fillColor = 1;
        c.format.pattern.patternStyle = -1;
    }
    return record;
}

void FreeConditions(ConditionalFormatRecord& record) {
    for (Condition& c : record.conditions) {
        QVTypedArrayRemoveAll(&c.format.borders);
    }
}

std::vector<uint32_t> LineColours(const ConditionFormat& format) {
    std::vector<uint32_t> colours;
    const auto* lines = static_cast<const BorderLine*>(format.borders.data);
    for (int32_t i = 0; i < format.borders.size; ++i) {
        colours.push_back(lines[i].color);
    }
    return colours;
}

class FormatPages : public qvtest::DialogTest {
  protected:
    int32_t ShowCells(CellFormatRecord& record, const std::function<void(Robot&)>& script) {
        auto show = Export<QVShowFormatCellsFn>("QVShowFormatCells");
        auto outcome = RunModal([&] { return show(frame_->hwnd(), &record); }, script);
        EXPECT_SCRIPT_OK(outcome);
        return outcome.result;
    }
    int32_t ShowConditions(ConditionalFormatRecord& record,
                           const std::function<void(Robot&)>& script) {
        auto show = Export<QVShowConditionalFormattingFn>("QVShowConditionalFormatting");
        auto outcome = RunModal([&] { return show(frame_->hwnd(), &record); }, script);
        EXPECT_SCRIPT_OK(outcome);
        return outcome.result;
    }
    void ExpectBox(Robot& robot, UINT message) {
        auto box = robot.ExpectMessageBox();
        ASSERT_TRUE(box.exists) << "message " << message;
        EXPECT_EQ(box.text, Message(message));
        robot.AnswerMessageBox(1);
    }
};

// ---- Alignment ------------------------------------------------------------------

TEST_F(FormatPages, DialFollowsTheMouseTheKeysAndTheDegreesBox) {
    CellFormatRecord record = MakeRecord(0, 2);
    int32_t result = ShowCells(record, [&](Robot& robot) {
        HWND sheet = robot.WaitForWindow("Format Cells");
        HWND dial = robot.Control(sheet, kDial);
        const RECT client = ClientRectOf(dial);
        const int cx = client.right / 2;
        const int cy = client.bottom / 2;
        EXPECT_EQ(robot.Text(sheet, kDegrees), "0");

        // Press up and to the right, drag past nine o'clock above and below
        // the middle, back to three o'clock, release.
        Mouse(robot, dial, WM_LBUTTONDOWN, cx + 20, cy - 20);
        EXPECT_EQ(robot.Text(sheet, kDegrees), "45");
        EXPECT_EQ(DialPos(dial), 45);
        Mouse(robot, dial, WM_MOUSEMOVE, cx - 30, cy - 1);
        EXPECT_EQ(robot.Text(sheet, kDegrees), "90");
        Mouse(robot, dial, WM_MOUSEMOVE, cx - 30, cy + 1);
        EXPECT_EQ(robot.Text(sheet, kDegrees), "-90");
        EXPECT_EQ(DialPos(dial), 270);
        Mouse(robot, dial, WM_MOUSEMOVE, cx + 25, cy);
        EXPECT_EQ(robot.Text(sheet, kDegrees), "0");
        Mouse(robot, dial, WM_LBUTTONUP, cx + 25, cy);
        Mouse(robot, dial, WM_MOUSEMOVE, cx, cy - 25); // not dragging any more
        EXPECT_EQ(robot.Text(sheet, kDegrees), "0");

        // Keys: below 0 wraps round to -1; the knob stops at 90.
        robot.PressKey(sheet, kDial, VK_DOWN);
        EXPECT_EQ(robot.Text(sheet, kDegrees), "-1");
        EXPECT_EQ(DialPos(dial), 359);
        robot.PressKey(sheet, kDial, VK_RIGHT);
        EXPECT_EQ(robot.Text(sheet, kDegrees), "0");
        robot.SetText(sheet, kDegrees, "89");
        robot.PressKey(sheet, kDial, VK_UP);
        robot.PressKey(sheet, kDial, VK_UP);
        EXPECT_EQ(robot.Text(sheet, kDegrees), "90");
        const int page = static_cast<int>(SendMessageA(dial, TBM_GETPAGESIZE, 0, 0));
        ASSERT_GT(page, 0);
        ASSERT_LT(page, 90);
        robot.PressKey(sheet, kDial, VK_PRIOR);
        EXPECT_EQ(robot.Text(sheet, kDegrees), std::to_string(90 - page));
        robot.PressKey(sheet, kDial, VK_HOME);
        robot.PressKey(sheet, kDial, VK_END);
        EXPECT_EQ(robot.Text(sheet, kDegrees), std::to_string(90 - page));

        // The Degrees box moves the knob; a number out of range puts it at 0.
        robot.SetText(sheet, kDegrees, "45");
        EXPECT_EQ(DialPos(dial), 45);
        robot.SetText(sheet, kDegrees, "120");
        EXPECT_EQ(DialPos(dial), 0);
        robot.SetText(sheet, kDegrees, "-30");
        EXPECT_EQ(DialPos(dial), 330);
        robot.Click(sheet, IDOK);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(record.alignment.orientation, -30);
    EXPECT_EQ(record.alignment.changed, 1);
}

TEST_F(FormatPages, AlignmentRefusesBadDegreesAndStoresTheThreeStateMerge) {
    CellFormatRecord record = MakeRecord(0, 2);
    record.alignment.horizontal = 0;
    record.alignment.vertical = 7; // mixed
    record.alignment.orientation = 91;
    record.alignment.textControl = 0x20 | 0x01; // merge differs, wrap on
    record.alignment.reserved[1] = 0x5A;
    int32_t result = ShowCells(record, [&](Robot& robot) {
        HWND sheet = robot.WaitForWindow("Format Cells");
        EXPECT_EQ(robot.Text(sheet, kDegrees), "");
        EXPECT_EQ(robot.SelectedIndex(sheet, kHorizontal), 0);
        EXPECT_EQ(robot.CheckState(sheet, kMerge), BST_INDETERMINATE);
        robot.Click(sheet, kMerge);
        EXPECT_EQ(robot.CheckState(sheet, kMerge), BST_UNCHECKED);
        robot.Click(sheet, kMerge);
        EXPECT_EQ(robot.CheckState(sheet, kMerge), BST_CHECKED);
        robot.Click(sheet, kMerge);
        EXPECT_EQ(robot.CheckState(sheet, kMerge), BST_INDETERMINATE);

        robot.Select(sheet, kHorizontal, 2);
        robot.Click(sheet, IDOK);
        ExpectBox(robot, 1225);
        EXPECT_TRUE(IsWindowVisible(sheet));
        EXPECT_EQ(robot.FocusedId(), kDegrees);
        robot.SetText(sheet, kDegrees, "abc");
        robot.Click(sheet, IDOK);
        ExpectBox(robot, 1225);
        robot.SetText(sheet, kDegrees, "30");
        robot.Click(sheet, IDOK);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(record.alignment.horizontal, 2);
    EXPECT_EQ(record.alignment.vertical, 255);
    EXPECT_EQ(record.alignment.orientation, 30);
    EXPECT_EQ(record.alignment.textControl, 0x20 | 0x01);
    EXPECT_EQ(record.alignment.reserved[1], 0x5A);
    EXPECT_EQ(record.alignment.changed, 1);
}

// ---- Border -----------------------------------------------------------------------

TEST_F(FormatPages, BorderLinesGoInAndOutByModeAndShape) {
    // Normal mode, a block: confirmed untouched, all six slots come back
    // unchanged, in slot order.
    CellFormatRecord record = MakeRecord(0, 4);
    AddLine(record, 1, 0, 0x000000, 4);
    AddLine(record, 16, 2, 0x0000FF, 4);
    EXPECT_EQ(ShowCells(record,
                        [&](Robot& robot) {
                            HWND sheet = robot.WaitForWindow("Format Cells");
                            EXPECT_TRUE(robot.IsChecked(sheet, kBorderTop));
                            EXPECT_TRUE(robot.IsChecked(sheet, kBorderInsideH));
                            EXPECT_FALSE(robot.IsChecked(sheet, kBorderRight));
                            EXPECT_TRUE(robot.IsEnabled(sheet, kBorderInside));
                            robot.Click(sheet, IDOK);
                        }),
              1);
    auto lines = Lines(record);
    ASSERT_EQ(lines.size(), 6u);
    const uint16_t expected[6] = {1, 0, 0, 0, 16, 0};
    for (size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(lines[i].edges, expected[i]) << i;
        EXPECT_EQ(lines[i].changed, 0) << i;
    }
    EXPECT_EQ(lines[4].penStyle, 2);
    EXPECT_EQ(lines[4].color, 0x0000FFu);

    // Merge ticked on the Alignment page takes the inside edges away.
    QVVectorClear(&record.borders);
    AddLine(record, 16, 0, 0x000000, 4);
    AddLine(record, 32, 0, 0x000000, 4);
    EXPECT_EQ(ShowCells(record,
                        [&](Robot& robot) {
                            HWND sheet = robot.WaitForWindow("Format Cells");
                            ShowTab(robot, sheet, kAlignmentTab);
                            robot.Click(sheet, kMerge);
                            ShowTab(robot, sheet, kBorderTab);
                            EXPECT_FALSE(robot.IsEnabled(sheet, kBorderInsideH));
                            EXPECT_FALSE(robot.IsEnabled(sheet, kBorderInsideV));
                            EXPECT_FALSE(robot.IsEnabled(sheet, kBorderInside));
                            EXPECT_FALSE(robot.IsChecked(sheet, kBorderInsideH));
                            robot.Click(sheet, IDOK);
                        }),
              1);
    lines = Lines(record);
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[4].edges, 0);
    EXPECT_EQ(lines[5].edges, 0);
    EXPECT_EQ(lines[0].changed, 1);
    EXPECT_EQ(record.alignment.textControl & 0x08, 0x08);

    // The reduced sheet writes only the edges that are set. Top is on in
    // black; the current line is red (the last line's colour), so the first
    // click on the top zone keeps it on in red, the second takes it off.
    QVVectorClear(&record.borders);
    record = MakeRecord(3, 2);
    AddLine(record, 1, 0, 0x000000, 4);
    AddLine(record, 16, 2, 0x0000FF, 4);
    EXPECT_EQ(ShowCells(record,
                        [&](Robot& robot) {
                            HWND sheet = robot.WaitForWindow("Format Cells");
                            HWND preview = robot.Control(sheet, kBorderPreview);
                            const RECT client = ClientRectOf(preview);
                            Mouse(robot, preview, WM_LBUTTONDOWN, client.right / 2, 5);
                            EXPECT_TRUE(robot.IsChecked(sheet, kBorderTop));
                            Mouse(robot, preview, WM_LBUTTONDOWN, client.right / 2, 5);
                            EXPECT_FALSE(robot.IsChecked(sheet, kBorderTop));
                            robot.Click(sheet, kBorderRight);
                            robot.Click(sheet, IDOK);
                        }),
              1);
    lines = Lines(record);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].edges, 8);
    EXPECT_EQ(lines[0].color, 0x0000FFu);
    EXPECT_EQ(lines[0].penStyle, 0);
    EXPECT_EQ(lines[1].edges, 16);
    EXPECT_EQ(lines[0].changed, 1);
    EXPECT_EQ(lines[1].changed, 1);

    // Find Format writes the four outer slots.
    QVVectorClear(&record.borders);
    record = MakeRecord(1, 4);
    AddLine(record, 2, 0, 0x000000, 4, 2, 1);
    EXPECT_EQ(ShowCells(record,
                        [&](Robot& robot) {
                            HWND sheet = robot.WaitForWindow("Find Format");
                            robot.Click(sheet, IDOK);
                        }),
              1);
    lines = Lines(record);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[2].edges, 2);
    EXPECT_EQ(lines[2].weight, 2);
    EXPECT_EQ(lines[0].edges, 0);

    // One cell: no inside edges, by button, preset or preview.
    QVVectorClear(&record.borders);
    record = MakeRecord(0, 4);
    AddLine(record, 0, 0, 0x000000, 1);
    EXPECT_EQ(ShowCells(record,
                        [&](Robot& robot) {
                            HWND sheet = robot.WaitForWindow("Format Cells");
                            EXPECT_FALSE(robot.IsEnabled(sheet, kBorderInside));
                            EXPECT_FALSE(robot.IsEnabled(sheet, kBorderInsideH));
                            EXPECT_FALSE(robot.IsEnabled(sheet, kBorderInsideV));
                            HWND preview = robot.Control(sheet, kBorderPreview);
                            const RECT client = ClientRectOf(preview);
                            Mouse(robot, preview, WM_LBUTTONDOWN, client.right / 4,
                                  client.bottom / 2);
                            robot.Click(sheet, IDOK);
                        }),
              1);
    lines = Lines(record);
    ASSERT_EQ(lines.size(), 6u);
    for (const BorderLine& line : lines) {
        EXPECT_EQ(line.edges, 0);
    }
    QVVectorClear(&record.borders);
}

// ---- Pattern ----------------------------------------------------------------------

TEST_F(FormatPages, SamplePaintsEveryPatternBitmapAsDocumented) {
    const COLORREF fill = RGB(255, 255, 0);
    const COLORREF ink = RGB(0, 0, 255);
    for (int style = 0; style < qv::core::kPatternStyleCount; ++style) {
        CellFormatRecord record = MakeRecord(0, 5);
        record.pattern.fillColor = fill;
        record.pattern.patternColor = ink;
        record.pattern.patternStyle = static_cast<int16_t>(style);
        ShowCells(record, [&](Robot& robot) {
            HWND sheet = robot.WaitForWindow("Format Cells");
            const qvrobot::Image image = robot.Capture(robot.Control(sheet, kSample));
            ASSERT_GT(image.width, 20);
            ASSERT_GT(image.height, 20);
            int wrong = 0;
            // Inside the sample's frame: 0 bits in the pattern colour, 1 bits in the fill.
            for (int y = 1; y < image.height - 1; ++y) {
                for (int x = 1; x < image.width - 1; ++x) {
                    const uint8_t* p = &image.rgb[(static_cast<size_t>(y) * image.width + x) * 3];
                    const COLORREF want = qv::core::PatternBit(style, x % 8, y % 8) ? fill : ink;
                    wrong += RGB(p[0], p[1], p[2]) != want;
                }
            }
            EXPECT_EQ(wrong, 0) << "style " << style;
            robot.Cancel(sheet);
        });
    }

    // Styles outside 0..32 come back as no pattern when confirmed untouched.
    for (int16_t odd : {int16_t{33}, int16_t{-2}}) {
        CellFormatRecord record = MakeRecord(0, 5);
        record.pattern.patternStyle = odd;
        EXPECT_EQ(ShowCells(record,
                            [&](Robot& robot) {
                                robot.Click(robot.WaitForWindow("Format Cells"), IDOK);
                            }),
                  1);
        EXPECT_EQ(record.pattern.patternStyle, -1) << odd;
        EXPECT_EQ(record.pattern.changed, 0);
    }
}

TEST_F(FormatPages, PatternPopupIsKeyboardUsableAndNoColorResets) {
    CellFormatRecord record = MakeRecord(0, 5);
    int32_t result = ShowCells(record, [&](Robot& robot) {
        HWND sheet = robot.WaitForWindow("Format Cells");
        EXPECT_FALSE(robot.IsChecked(sheet, kNoColour));
        robot.PressKey(sheet, kPatternStyle, VK_F4);
        HWND popup = OpenPopup(robot);
        ASSERT_NE(popup, nullptr);
        EXPECT_EQ(ScreenRect(popup).right - ScreenRect(popup).left, 150);
        EXPECT_GE(ScreenRect(popup).top, ScreenRect(robot.Control(sheet, kPatternStyle)).bottom);
        for (int i = 0; i < 3; ++i) {
            robot.PressKey(sheet, kPatternStyle, VK_RIGHT);
        }
        robot.PressKey(sheet, kPatternStyle, VK_RETURN); // button 3: style 0
        EXPECT_EQ(OpenPopup(robot), nullptr);
        // Escape chooses nothing.
        robot.PressKey(sheet, kPatternStyle, VK_F4);
        ASSERT_NE(OpenPopup(robot), nullptr);
        robot.PressKey(sheet, kPatternStyle, VK_DOWN);
        robot.PressKey(sheet, kPatternStyle, VK_ESCAPE);
        EXPECT_EQ(OpenPopup(robot), nullptr);
        robot.Click(sheet, IDOK);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(record.pattern.patternStyle, 0);
    EXPECT_EQ(record.pattern.fillColor, 0xFFFFFFu); // a pattern on no colour turns the fill white
    EXPECT_EQ(record.pattern.changed, 1);

    // Button 0 takes the pattern away; a grid colour, then No Color.
    record = MakeRecord(0, 5);
    record.pattern.patternStyle = 12;
    record.pattern.fillColor = 0x00FF00;
    result = ShowCells(record, [&](Robot& robot) {
        HWND sheet = robot.WaitForWindow("Format Cells");
        robot.PressKey(sheet, kPatternStyle, VK_F4);
        robot.PressKey(sheet, kPatternStyle, VK_HOME);
        robot.PressKey(sheet, kPatternStyle, VK_RETURN);
        robot.Select(sheet, kGrid, 3);
        EXPECT_TRUE(robot.IsChecked(sheet, kNoColour));
        robot.Click(sheet, IDOK);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(record.pattern.patternStyle, -1);
    EXPECT_EQ(record.pattern.fillColor, qvhost::FrameWindow::Palette()[3]);

    record.startPage = 5;
    result = ShowCells(record, [&](Robot& robot) {
        HWND sheet = robot.WaitForWindow("Format Cells");
        robot.Click(sheet, kNoColour);
        EXPECT_EQ(robot.SelectedIndex(sheet, kGrid), -1);
        robot.Click(sheet, IDOK);
    });
    EXPECT_EQ(record.pattern.fillColor, 1u);
    EXPECT_EQ(record.pattern.changed, 1);
}

// ---- Font -------------------------------------------------------------------------

TEST_F(FormatPages, FontValidatesFaceStyleAndSizeAndEditsTheBlockInPlace) {
    CellFormatRecord record = MakeRecord(0, 3);
    std::vector<std::string> faces;
    int32_t result = ShowCells(record, [&](Robot& robot) {
        HWND sheet = robot.WaitForWindow("Format Cells");
        faces = robot.Items(sheet, kFaceList);
        ASSERT_FALSE(faces.empty());
        EXPECT_EQ(std::set<std::string>(faces.begin(), faces.end()).size(), faces.size());
        for (const auto& face : faces) {
            EXPECT_NE(face[0], '@') << face;
        }
        EXPECT_EQ(robot.Items(sheet, kStyleList),
                  (std::vector<std::string>{"Regular", "Italic", "Bold", "Bold Italic"}));
        EXPECT_EQ(robot.Items(sheet, kSizeList).size(), 16u);

        robot.SetText(sheet, kFace, "No Such Face");
        robot.Click(sheet, IDOK);
        ExpectBox(robot, 1219);
        EXPECT_EQ(robot.FocusedId(), kFace);
        robot.SetText(sheet, kFace, "Courier"); // allowed outside the search modes
        robot.Select(sheet, kStyleList, 2);
        robot.SetText(sheet, kSize, "300");
        robot.Click(sheet, IDOK);
        ExpectBox(robot, 1218);
        EXPECT_EQ(robot.FocusedId(), kSize);
        robot.Select(sheet, kSizeList, "12");
        EXPECT_EQ(robot.Text(sheet, kSize), "12");
        robot.Click(sheet, IDOK);
    });
    EXPECT_EQ(result, 1);
    EXPECT_STREQ(record.font.faceName, "Courier");
    EXPECT_EQ(record.font.size, 12);
    EXPECT_EQ(record.font.styleFlags, 2);
    EXPECT_EQ(record.font.changed, 1);
    ASSERT_FALSE(faces.empty());

    // The page writes the record's block as soon as it is left: a cancelled
    // sheet keeps it.
    record = MakeRecord(0, 3);
    std::strcpy(record.font.faceName, faces[0].c_str());
    record.font.size = 10;
    record.font.styleFlags = 1;
    result = ShowCells(record, [&](Robot& robot) {
        HWND sheet = robot.WaitForWindow("Format Cells");
        EXPECT_EQ(robot.SelectedText(sheet, kFaceList), faces[0]);
        robot.Select(sheet, kSizeList, "14");
        ShowTab(robot, sheet, kBorderTab);
        robot.Cancel(sheet);
    });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(record.font.size, 14);

    // The reduced sheet locks face and size; the face the record names passes
    // when the page is left and on OK.
    record = MakeRecord(3, 1);
    std::strcpy(record.font.faceName, "Tahoma");
    record.font.styleFlags = 1;
    record.font.size = 10;
    result = ShowCells(record, [&](Robot& robot) {
        HWND sheet = robot.WaitForWindow("Format Cells");
        for (int id : {kFace, kFaceList, kSize, kSizeList, kFaceLabel}) {
            EXPECT_FALSE(robot.IsEnabled(sheet, id)) << id;
        }
        EXPECT_TRUE(robot.IsEnabled(sheet, kStyleList));
        EXPECT_EQ(robot.SelectedText(sheet, kFaceList), "Tahoma");
        ShowTab(robot, sheet, 1); // Border
        EXPECT_TRUE(robot.NoMessageBoxWithin(300));
        ShowTab(robot, sheet, 0);
        robot.Select(sheet, kStyleList, "Bold");
        robot.Click(sheet, IDOK);
        EXPECT_TRUE(robot.WaitClosed(sheet));
    });
    EXPECT_EQ(result, 1);
    EXPECT_STREQ(record.font.faceName, "Tahoma");
    EXPECT_EQ(record.font.size, 10);
    EXPECT_EQ(record.font.styleFlags, 2);
    EXPECT_EQ(record.font.changed, 1);

    // Find Format passes an empty face and stores the effects as mixed.
    record = MakeRecord(1, 3);
    result = ShowCells(record, [&](Robot& robot) {
        HWND sheet = robot.WaitForWindow("Find Format");
        robot.Select(sheet, kStyleList, 2);
        robot.Click(sheet, IDOK);
    });
    EXPECT_EQ(result, 1);
    EXPECT_STREQ(record.font.faceName, "");
    EXPECT_EQ(record.font.styleFlags, 2);
    EXPECT_EQ(record.font.underline, 0x01);
    EXPECT_EQ(record.font.strikeOut, 0x04);
    EXPECT_EQ(record.font.changed, 1);
}

TEST_F(FormatPages, ColourPickersDropDownAndAnswerTheKeyboard) {
    const COLORREF* palette = qvhost::FrameWindow::Palette();
    CellFormatRecord record = MakeRecord(0, 3);
    AddLine(record, 0, 0, 0x000000, 4);
    int32_t result = ShowCells(record, [&](Robot& robot) {
        HWND sheet = robot.WaitForWindow("Format Cells");
        // A face, style and size the page accepts when it is left.
        robot.Select(sheet, kFaceList, 0);
        robot.Select(sheet, kStyleList, 0);
        robot.Select(sheet, kSizeList, 0);
        robot.PressKey(sheet, kFontColour, VK_SPACE);
        ASSERT_NE(OpenPopup(robot), nullptr);
        robot.PressKey(sheet, kFontColour, VK_RIGHT); // the default entry, then colour 0
        robot.PressKey(sheet, kFontColour, VK_RIGHT);
        robot.PressKey(sheet, kFontColour, VK_RETURN);
        EXPECT_EQ(OpenPopup(robot), nullptr);
        robot.PressKey(sheet, kFontColour, VK_SPACE);
        robot.PressKey(sheet, kFontColour, VK_DOWN);
        robot.PressKey(sheet, kFontColour, VK_ESCAPE); // no change
        EXPECT_EQ(OpenPopup(robot), nullptr);

        // Alt+C on the Border page opens the line colour.
        ShowTab(robot, sheet, kBorderTab);
        robot.PressKey(sheet, kBorderStyle, 'C', true);
        ASSERT_NE(OpenPopup(robot), nullptr);
        robot.PressKey(sheet, kBorderStyle, VK_END); // the last palette colour
        robot.PressKey(sheet, kBorderStyle, VK_RETURN);
        robot.Click(sheet, kBorderTop);
        robot.Click(sheet, IDOK);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(record.font.color, palette[1]);
    EXPECT_EQ(record.font.changed, 1);
    const auto lines = Lines(record);
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[0].edges, 1);
    EXPECT_EQ(lines[0].color, palette[39]);
    QVVectorClear(&record.borders);
}

// ---- Conditional Formatting -----------------------------------------------------------

TEST_F(FormatPages, DeletingTheFirstOfThreeConditionsMovesTheOthersUp) {
    ConditionalFormatRecord record = EmptyConditions();
    const char* values[3][2] = {{"1", "9"}, {"20", ""}, {"30", ""}};
    for (int i = 0; i < 3; ++i) {
        Condition& c = record.conditions[i];
        c.present = 1;
        c.op = static_cast<uint8_t>(i == 0 ? 0 : 2 + i);
        std::strcpy(c.value1, values[i][0]);
        std::strcpy(c.value2, values[i][1]);
        c.format.noFormat = 0;
        c.format.font.color = 0x100000u * (i + 1);
        for (int line = 0; line <= i; ++line) {
            const BorderLine l{1, 0, static_cast<uint32_t>(0x10 * (i + 1) + line), 1, 1, 1};
            QVTypedArrayAdd(&c.format.borders, &l, sizeof l);
        }
    }
    int32_t result = ShowConditions(record, [&](Robot& robot) {
        HWND dlg = robot.WaitForWindow("Conditional Formatting");
        for (int g = 0; g < 3; ++g) {
            EXPECT_TRUE(robot.IsVisible(dlg, kCfFrame[g])) << g;
        }
        EXPECT_FALSE(robot.IsEnabled(dlg, kCfAdd));
        const LONG tall = ScreenRect(dlg).bottom - ScreenRect(dlg).top;
        robot.Click(dlg, kCfDelete);
        HWND choose = robot.WaitForWindow("Delete Conditional Format");
        robot.Click(choose, kDeleteFirst);
        robot.Click(choose, IDOK);
        EXPECT_TRUE(robot.WaitClosed(choose));
        EXPECT_FALSE(robot.IsVisible(dlg, kCfFrame[2]));
        EXPECT_EQ(ScreenRect(dlg).bottom - ScreenRect(dlg).top, tall - 90);
        EXPECT_TRUE(robot.IsEnabled(dlg, kCfAdd));
        EXPECT_EQ(robot.SelectedIndex(dlg, kCfOp[0]), 3);
        EXPECT_EQ(robot.Text(dlg, kCfBox2[0]), "20");
        EXPECT_FALSE(robot.IsVisible(dlg, kCfBox1[0]));
        EXPECT_EQ(robot.SelectedIndex(dlg, kCfOp[1]), 4);
        EXPECT_EQ(robot.Text(dlg, kCfBox2[1]), "30");
        // The formats moved at once.
        EXPECT_EQ(record.conditions[0].format.font.color, 0x200000u);
        EXPECT_EQ(LineColours(record.conditions[0].format), (std::vector<uint32_t>{0x20, 0x21}));
        EXPECT_EQ(record.conditions[1].format.font.color, 0x300000u);
        EXPECT_EQ(LineColours(record.conditions[1].format),
                  (std::vector<uint32_t>{0x30, 0x31, 0x32}));
        EXPECT_EQ(record.conditions[2].format.noFormat, 1);
        EXPECT_EQ(record.conditions[2].format.font.color, 0u);
        EXPECT_EQ(record.conditions[2].format.borders.size, 0);
        EXPECT_EQ(record.conditions[2].format.borders.data, nullptr);
        robot.Click(dlg, IDOK);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(record.conditions[0].present, 1u);
    EXPECT_EQ(record.conditions[0].op, 3);
    EXPECT_STREQ(record.conditions[0].value1, "20");
    EXPECT_EQ(record.conditions[1].present, 1u);
    EXPECT_STREQ(record.conditions[1].value1, "30");
    EXPECT_EQ(record.conditions[2].present, 0u);
    FreeConditions(record);
}

// The previews keep their window text equal to what they draw, and screen
// readers hear the label above them as the name and that text as the value.
TEST_F(FormatPages, ConditionPreviewsSayWhatTheyShow) {
    for (int language : {1, 2}) {
        qvhost::SetMenuLanguage(language);
        LoadFrom(appFolder_);
        const std::string none = DialogString(3448, language);
        const std::string sample = "AaBbCcYyZz";
        ConditionalFormatRecord record = EmptyConditions();
        for (int i = 0; i < 3; ++i) {
            record.conditions[i].present = 1;
            record.conditions[i].op = 2;
            std::strcpy(record.conditions[i].value1, std::to_string(i + 1).c_str());
        }
        // Condition 1 has no format; 2 and 3 open with theirs.
        record.conditions[1].format.font.color = 0x0000FF;
        int32_t result = ShowConditions(record, [&](Robot& robot) {
            HWND dlg = robot.WaitForDialog(); // captions follow the menu language
            EXPECT_EQ(robot.Text(dlg, kCfPreview[0]), none) << language;
            EXPECT_EQ(robot.Text(dlg, kCfPreview[1]), sample);
            EXPECT_EQ(robot.Text(dlg, kCfPreview[2]), sample);
            const qvrobot::AccessibleInfo heard = robot.Accessible(dlg, kCfPreview[0]);
            EXPECT_TRUE(heard.exists);
            EXPECT_EQ(heard.value, none);
            EXPECT_FALSE(heard.name.empty());
            EXPECT_EQ(heard.name.find('&'), std::string::npos);
            EXPECT_NE(heard.name.back(), ':');

            // A confirmed change gives condition 1 a format.
            robot.Click(dlg, kCfFormat[0]);
            HWND sheet = robot.WaitForDialog();
            ShowTab(robot, sheet, 1);
            robot.Click(sheet, kBorderTop);
            robot.Click(sheet, IDOK);
            EXPECT_TRUE(robot.WaitClosed(sheet));
            EXPECT_EQ(robot.Text(dlg, kCfPreview[0]), sample);
            EXPECT_EQ(robot.Accessible(dlg, kCfPreview[0]).value, sample);

            // Condition 2 goes: 3 moves up with its text, the last group is reset.
            robot.Click(dlg, kCfDelete);
            HWND choose = robot.WaitForDialog();
            robot.Click(choose, kDeleteFirst + 1);
            robot.Click(choose, IDOK);
            EXPECT_TRUE(robot.WaitClosed(choose));
            EXPECT_EQ(robot.Text(dlg, kCfPreview[0]), sample);
            EXPECT_EQ(robot.Text(dlg, kCfPreview[1]), sample);
            EXPECT_EQ(robot.Text(dlg, kCfPreview[2]), none);
            robot.Cancel(dlg);
        });
        EXPECT_EQ(result, 0);
        FreeConditions(record);
    }
}

TEST_F(FormatPages, FormatButtonRunsTheReducedSheetAndTheRecordIsLive) {
    ConditionalFormatRecord record = EmptyConditions();
    Condition& c = record.conditions[0];
    c.present = 1;
    c.op = 2;
    std::strcpy(c.value1, "5");
    const COLORREF* palette = qvhost::FrameWindow::Palette();
    int32_t result = ShowConditions(record, [&](Robot& robot) {
        HWND dlg = robot.WaitForWindow("Conditional Formatting");
        // The single value box shows value 1.
        EXPECT_EQ(robot.Text(dlg, kCfBox2[0]), "5");
        robot.Click(dlg, kCfFormat[0]);
        HWND sheet = robot.WaitForWindow("Format Cells");
        EXPECT_EQ(robot.Caption(sheet), "Format Cells");
        robot.Click(sheet, IDOK); // nothing changed
        EXPECT_TRUE(robot.WaitClosed(sheet));
        EXPECT_EQ(record.conditions[0].format.noFormat, 1);

        robot.Click(dlg, kCfFormat[0]);
        sheet = robot.WaitForWindow("Format Cells");
        ShowTab(robot, sheet, 2); // Pattern: Font, Border, Pattern
        robot.Select(sheet, kGrid, 0);
        ShowTab(robot, sheet, 1);
        robot.Click(sheet, kBorderTop);
        robot.Click(sheet, IDOK);
        EXPECT_TRUE(robot.WaitClosed(sheet));
        EXPECT_EQ(record.conditions[0].format.noFormat, 0);
        robot.Cancel(dlg);
    });
    EXPECT_EQ(result, 0);
    // Confirmed formats stay in the record although the dialog was cancelled.
    EXPECT_EQ(record.conditions[0].format.pattern.fillColor, palette[0]);
    EXPECT_EQ(record.conditions[0].format.pattern.changed, 1);
    ASSERT_EQ(record.conditions[0].format.borders.size, 1);
    EXPECT_EQ(static_cast<const BorderLine*>(record.conditions[0].format.borders.data)->edges, 1);
    FreeConditions(record);
}

TEST_F(FormatPages, ConditionGroupsLayOutGrowAndValidateOnOk) {
    ConditionalFormatRecord record = EmptyConditions();
    int32_t result = ShowConditions(record, [&](Robot& robot) {
        HWND dlg = robot.WaitForWindow("Conditional Formatting");
        EXPECT_FALSE(robot.IsVisible(dlg, kCfFrame[1]));
        EXPECT_EQ(robot.SelectedIndex(dlg, kCfOp[0]), 0);
        const RECT box1 = ScreenRect(robot.Control(dlg, kCfBox1[0]));
        EXPECT_EQ(ScreenRect(robot.Control(dlg, kCfBox2[0])).left, box1.right + 37);
        robot.Select(dlg, kCfOp[0], 3);
        EXPECT_FALSE(robot.IsVisible(dlg, kCfBox1[0]));
        EXPECT_EQ(ScreenRect(robot.Control(dlg, kCfBox2[0])).left, box1.left);
        robot.Select(dlg, kCfOp[0], 1);
        EXPECT_TRUE(robot.IsVisible(dlg, kCfBox1[0]));
        EXPECT_EQ(ScreenRect(robot.Control(dlg, kCfBox2[0])).left, box1.right + 37);
        robot.Select(dlg, kCfOp[0], 3);

        const LONG one = ScreenRect(dlg).bottom - ScreenRect(dlg).top;
        robot.Click(dlg, kCfAdd);
        EXPECT_TRUE(robot.IsVisible(dlg, kCfFrame[1]));
        EXPECT_EQ(ScreenRect(dlg).bottom - ScreenRect(dlg).top, one + 90);
        robot.Click(dlg, kCfAdd);
        EXPECT_EQ(ScreenRect(dlg).bottom - ScreenRect(dlg).top, one + 180);
        EXPECT_FALSE(robot.IsEnabled(dlg, kCfAdd));

        robot.SetText(dlg, kCfBox2[0], "   "); // spaces only: kept as the value
        robot.SetText(dlg, kCfBox1[1], " 5 ");
        robot.Click(dlg, IDOK);
        ExpectBox(robot, 1295);
        EXPECT_TRUE(IsWindowVisible(dlg));
        robot.SetText(dlg, kCfBox2[1], "9 ");
        robot.Click(dlg, IDOK);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(record.conditions[0].present, 1u);
    EXPECT_EQ(record.conditions[0].op, 3);
    EXPECT_STREQ(record.conditions[0].value1, "   ");
    EXPECT_EQ(record.conditions[1].present, 1u);
    EXPECT_STREQ(record.conditions[1].value1, "5");
    EXPECT_STREQ(record.conditions[1].value2, "9");
    EXPECT_EQ(record.conditions[2].present, 0u);

    // Only condition 2 present: it opens in group 2, its format marked as set.
    record = EmptyConditions();
    record.conditions[1].present = 1;
    record.conditions[1].op = 5;
    std::strcpy(record.conditions[1].value1, "7");
    result = ShowConditions(record, [&](Robot& robot) {
        HWND dlg = robot.WaitForWindow("Conditional Formatting");
        EXPECT_TRUE(robot.IsVisible(dlg, kCfFrame[1]));
        EXPECT_FALSE(robot.IsVisible(dlg, kCfFrame[2]));
        EXPECT_EQ(robot.Text(dlg, kCfBox2[1]), "7");
        robot.Cancel(dlg);
    });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(record.conditions[1].format.noFormat, 0);
}

} // namespace

// ---- keyboard and screen readers -----------------------------------------------------

// Every custom control of the sheet is reached from the keyboard (Tab, or
// the mnemonic of its label), works with keys alone and tells a screen
// reader its name, role and value; the lists that show colours, lines and
// red numbers name their items.
TEST_F(FormatPages, CustomControlsWorkFromTheKeyboardAndTellScreenReadersWhatTheyShow) {
    constexpr int kNegatives = 1016, kCategory = 1015, kBorderLeftButton = 238,
                  kBorderBottomButton = 237, kPatternColour = 1027;
    const char* const* names = qvhost::FrameWindow::ColourNames();
    CellFormatRecord record = MakeRecord(0, 1);
    record.number.category = 1;
    std::strcpy(record.number.sampleValue, "-5");
    std::strcpy(record.font.faceName, "Arial");
    record.font.styleFlags = 1;
    record.font.size = 10;
    AddLine(record, 1, 0, 0, 4);
    int32_t result = ShowCells(record, [&](Robot& robot) {
        HWND sheet = robot.WaitForWindow("Format Cells");
        // Number: the negative-numbers list says which entries are red.
        robot.PressKey(sheet, kCategory, 'N', true);
        EXPECT_EQ(robot.FocusedId(), kNegatives);
        robot.PressKey(sheet, kNegatives, VK_HOME);
        robot.PressKey(sheet, kNegatives, VK_DOWN);
        auto heard = robot.Accessible(sheet, kNegatives);
        EXPECT_EQ(heard.name, qvtest::Spoken(DialogString(3306)));
        EXPECT_EQ(heard.role, ROLE_SYSTEM_LIST);
        ASSERT_EQ(heard.items.size(), 4u);
        EXPECT_EQ(heard.value, robot.Items(sheet, kNegatives)[1] + ", " + DialogString(3460));
        EXPECT_EQ(heard.items[0].name, robot.Items(sheet, kNegatives)[0]);
        EXPECT_EQ(heard.focusedItem, 2);
        EXPECT_TRUE(heard.items[1].state & STATE_SYSTEM_SELECTED);

        // Alignment: Tab reaches the dial, the arrows turn it, Tab goes on
        // to the Degrees box.
        ShowTab(robot, sheet, kAlignmentTab);
        robot.PressKey(sheet, kMerge, VK_TAB);
        EXPECT_EQ(robot.FocusedId(), kDial);
        for (int i = 0; i < 3; ++i) {
            robot.PressKey(sheet, kDial, VK_UP);
        }
        EXPECT_EQ(robot.Text(sheet, kDegrees), "3");
        heard = robot.Accessible(sheet, kDial);
        EXPECT_EQ(heard.name, qvtest::Spoken(DialogString(3406)));
        EXPECT_EQ(heard.role, ROLE_SYSTEM_DIAL);
        EXPECT_EQ(heard.value, "3\xC2\xB0"); // 3 degrees, in UTF-8
        robot.PressKey(sheet, kDial, VK_TAB);
        EXPECT_EQ(robot.FocusedId(), kDegrees);
        robot.SetText(sheet, kDegrees, "x");
        EXPECT_EQ(robot.Accessible(sheet, kDial).value, ""); // no number, no value
        robot.SetText(sheet, kDegrees, "0");

        // Font: the colour's label reaches its picker; Space opens it, the
        // arrows walk the palette (announced as the focus), Enter chooses.
        ShowTab(robot, sheet, kFontTab);
        robot.PressKey(sheet, kFaceList, 'C', true);
        EXPECT_EQ(robot.FocusedId(), kFontColour);
        robot.PressKey(sheet, kFontColour, VK_SPACE);
        HWND popup = OpenPopup(robot);
        ASSERT_NE(popup, nullptr);
        robot.PressKey(sheet, kFontColour, VK_RIGHT);
        robot.PressKey(sheet, kFontColour, VK_RIGHT);
        heard = robot.Accessible(popup);
        EXPECT_EQ(heard.role, ROLE_SYSTEM_LIST);
        ASSERT_EQ(heard.items.size(), 41u);
        EXPECT_EQ(heard.items[0].name, DialogString(3436));
        EXPECT_EQ(heard.items[2].name, names[1]);
        EXPECT_EQ(heard.focusedItem, 3);
        robot.PressKey(sheet, kFontColour, VK_RETURN);
        EXPECT_EQ(OpenPopup(robot), nullptr);
        heard = robot.Accessible(sheet, kFontColour);
        EXPECT_EQ(heard.name, qvtest::Spoken(DialogString(3413)));
        EXPECT_EQ(heard.role, ROLE_SYSTEM_BUTTONDROPDOWN);
        EXPECT_EQ(heard.value, names[1]);

        // Border: the edge buttons say what they are and whether they are
        // on; Tab reaches the preview, whose arrows walk the six edges and
        // whose Space toggles one; the line list names its lines.
        ShowTab(robot, sheet, kBorderTab);
        heard = robot.Accessible(sheet, kBorderTop);
        EXPECT_EQ(heard.name, DialogString(3469));
        EXPECT_EQ(heard.role, ROLE_SYSTEM_CHECKBUTTON);
        EXPECT_TRUE(heard.state & STATE_SYSTEM_CHECKED);
        robot.PressKey(sheet, kBorderBottomButton, VK_TAB);
        EXPECT_EQ(robot.FocusedId(), kBorderPreview);
        robot.PressKey(sheet, kBorderPreview, VK_RIGHT); // top -> left
        heard = robot.Accessible(sheet, kBorderPreview);
        EXPECT_EQ(heard.role, ROLE_SYSTEM_LIST);
        ASSERT_EQ(heard.items.size(), 6u);
        EXPECT_EQ(heard.value, DialogString(3470));
        EXPECT_EQ(heard.focusedItem, 2);
        EXPECT_TRUE(heard.items[0].state & STATE_SYSTEM_CHECKED);
        EXPECT_FALSE(heard.items[1].state & STATE_SYSTEM_CHECKED);
        robot.PressKey(sheet, kBorderPreview, VK_SPACE);
        EXPECT_TRUE(robot.IsChecked(sheet, kBorderLeftButton));
        EXPECT_TRUE(robot.Accessible(sheet, kBorderPreview).items[1].state & STATE_SYSTEM_CHECKED);
        heard = robot.Accessible(sheet, kBorderStyle);
        ASSERT_EQ(heard.items.size(), 8u);
        EXPECT_EQ(heard.value, DialogString(3462)); // the thin line, selected at opening

        // Pattern: the fill colour's label reaches the colour grid, which
        // names its colours; the pattern drop-down names the chosen pattern.
        ShowTab(robot, sheet, kPatternTab);
        robot.PressKey(sheet, kPatternStyle, 'F', true);
        EXPECT_EQ(robot.FocusedId(), kGrid);
        robot.PressKey(sheet, kGrid, VK_HOME);
        robot.PressKey(sheet, kGrid, VK_DOWN);
        heard = robot.Accessible(sheet, kGrid);
        ASSERT_EQ(heard.items.size(), 40u);
        EXPECT_EQ(heard.items[5].name, names[5]);
        EXPECT_EQ(heard.value, names[robot.SelectedIndex(sheet, kGrid)]);
        robot.PressKey(sheet, kGrid, 'S', true);
        EXPECT_EQ(robot.FocusedId(), kPatternStyle);
        robot.PressKey(sheet, kPatternStyle, VK_SPACE);
        popup = OpenPopup(robot);
        ASSERT_NE(popup, nullptr);
        heard = robot.Accessible(popup);
        ASSERT_EQ(heard.items.size(), 18u);
        EXPECT_EQ(heard.items[6].name, DialogString(3481));
        robot.PressKey(sheet, kPatternStyle, VK_RIGHT);
        robot.PressKey(sheet, kPatternStyle, VK_RETURN);
        heard = robot.Accessible(sheet, kPatternStyle);
        EXPECT_EQ(heard.role, ROLE_SYSTEM_COMBOBOX);
        EXPECT_EQ(heard.value, DialogString(3476));
        EXPECT_EQ(robot.Accessible(sheet, kPatternColour).value, DialogString(3436));
        robot.Click(sheet, IDOK);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(record.font.color, qvhost::FrameWindow::Palette()[1]);
    EXPECT_EQ(record.pattern.patternStyle, 6);
    QVVectorClear(&record.borders);
}

// Every page of the sheet, and Conditional Formatting, give their controls
// access keys as Windows does: buttons and the labels of boxes and lists
// have one, and no letter is used twice on a page. "No Color" keeps the
// product's text, which has none.
TEST_F(FormatPages, EveryPageGivesItsControlsAccessKeys) {
    CellFormatRecord record = MakeRecord(0, 1);
    record.number.category = 2; // Currency: the most option controls
    ShowCells(record, [&](Robot& robot) {
        HWND sheet = robot.WaitForWindow("Format Cells");
        for (int tab = 0; tab < 5; ++tab) {
            ShowTab(robot, sheet, tab);
            HWND page = PropSheet_GetCurrentPageHwnd(sheet);
            const std::vector<int> fixedTexts =
                tab == kPatternTab ? std::vector<int>{kNoColour} : std::vector<int>{};
            EXPECT_EQ(qvtest::MnemonicProblems(page, fixedTexts), std::vector<std::string>{})
                << "page " << tab;
        }
        robot.Cancel(sheet);
    });
    ConditionalFormatRecord conditions = EmptyConditions();
    ShowConditions(conditions, [&](Robot& robot) {
        HWND dlg = robot.WaitForWindow("Conditional Formatting");
        EXPECT_EQ(qvtest::MnemonicProblems(dlg), std::vector<std::string>{});
        robot.Cancel(dlg);
    });
}
