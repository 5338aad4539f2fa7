// The Format Cells sheet and its Number page, driven through QVShowFormatCells
// as a user would: opening by mode and start page, the palette request, the
// sample, the options, validation on leaving the page, Clear in Find Format.
#include "harness.h"

#include "qvssd/exports.h"
#include "qvssd/messages.h"
#include "qvssd/records.h"

#include <commctrl.h>
#include <prsht.h>

#include <cstring>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

using qvrobot::Robot;
using qvrobot::RunModal;

namespace {

constexpr int kCategoryLabel = 1023, kCategory = 1015, kSample = 1013, kDecimals = 248,
              kSeparator = 246, kSymbol = 293, kType = 1077, kNegative = 1016, kNote = 399,
              kClear = 1132;

CellFormatRecord MakeRecord(uint8_t mode, uint16_t category, const char* value) {
    CellFormatRecord record{};
    NumberFormatBlock& number = record.number;
    number.category = category;
    std::strcpy(number.hostFormat, "host format");
    number.decimalPlaces = 2;
    number.thousands = 3;
    number.currencySymbol = 1;
    number.hostValue = 77;
    std::strcpy(number.sampleValue, value);
    std::strcpy(record.font.faceName, "Arial");
    record.font.styleFlags = 1;
    record.font.size = 10;
    record.font.modeCopy = mode; // what the sheet writes there
    record.pattern.fillColor = 1;
    record.pattern.patternStyle = -1;
    record.startPage = 1;
    record.sheetMode = mode;
    return record;
}

// Texts joined by appending (GCC 12 misreads "literal" + std::string).
std::string Join(std::initializer_list<std::string_view> parts) {
    std::string text;
    for (std::string_view part : parts) {
        text.append(part);
    }
    return text;
}

std::string NoDots(std::string text) {
    std::erase(text, '.');
    return text;
}

HWND TabControl(HWND sheet) {
    return reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETTABCONTROL, 0, 0));
}

std::vector<std::string> TabCaptions(HWND sheet) {
    return qvtest::TabTexts(TabControl(sheet));
}

int ActiveTab(HWND sheet) {
    return static_cast<int>(SendMessageA(TabControl(sheet), TCM_GETCURSEL, 0, 0));
}

// The Ctrl key as the UI thread's key state reports it.
void HoldControl(bool down) {
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = down ? 0x80 : 0;
    SetKeyboardState(keys);
}

void ShowTab(Robot& robot, HWND sheet, int index) {
    robot.Post([sheet, index] { PropSheet_SetCurSel(sheet, nullptr, index); });
    robot.WaitIdle();
}

// Pure red pixels in a rendered control: the red negative-number entries.
size_t RedPixels(const qvrobot::Image& image) {
    size_t red = 0;
    for (size_t i = 0; i + 2 < image.rgb.size(); i += 3) {
        red += image.rgb[i] == 255 && image.rgb[i + 1] == 0 && image.rgb[i + 2] == 0;
    }
    return red;
}

// What the host's window saw while the sheet ran (the frame window is
// subclassed for one test).
WNDPROC g_framePrevious = nullptr;
int g_pageAtPalette = -1; // 1 when a page window existed as the palette was asked for
int g_escapes = 0;

BOOL CALLBACK HasCategoryList(HWND window, LPARAM found) {
    if (GetDlgCtrlID(window) == kCategory) {
        *reinterpret_cast<bool*>(found) = true;
    }
    return TRUE;
}

BOOL CALLBACK SearchTopLevel(HWND window, LPARAM found) {
    EnumChildWindows(window, HasCategoryList, found);
    return TRUE;
}

LRESULT CALLBACK FrameSpy(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_QV_FMTLISTS) {
        bool found = false;
        EnumThreadWindows(GetCurrentThreadId(), SearchTopLevel, reinterpret_cast<LPARAM>(&found));
        g_pageAtPalette = found ? 1 : 0;
    } else if (message == WM_KEYDOWN && wParam == VK_ESCAPE) {
        ++g_escapes;
    }
    return CallWindowProcA(g_framePrevious, hwnd, message, wParam, lParam);
}

class FormatCells : public qvtest::DialogTest {
  protected:
    int32_t Show(CellFormatRecord& record, const std::function<void(Robot&)>& script) {
        auto show = Export<QVShowFormatCellsFn>("QVShowFormatCells");
        auto outcome = RunModal([&] { return show(frame_->hwnd(), &record); }, script);
        EXPECT_SCRIPT_OK(outcome);
        return outcome.result;
    }
};

TEST_F(FormatCells, NumberPageShowsTheBlockFollowsEveryOptionAndOkWritesItBack) {
    CellFormatRecord record = MakeRecord(0, 1, "-1234567.891");
    record.number.negativeStyle = 1;
    const CellFormatRecord before = record;
    int32_t result = Show(record, [&](Robot& robot) {
        HWND sheet = robot.WaitForWindow("Format Cells");
        const auto tabs = TabCaptions(sheet);
        ASSERT_FALSE(tabs.empty());
        EXPECT_EQ(tabs[0], DialogString(1093));
        EXPECT_EQ(robot.Text(sheet, IDOK), NoDots(DialogString(1303)));
        EXPECT_EQ(robot.Text(sheet, IDCANCEL), NoDots(DialogString(1304)));
        EXPECT_EQ(robot.Text(sheet, kCategoryLabel), NoDots(DialogString(3300)));
        EXPECT_EQ(robot.Items(sheet, kCategory).size(), 8u);
        EXPECT_EQ(robot.SelectedText(sheet, kCategory), DialogString(1002));
        for (int id : {kDecimals, kSeparator, kNegative}) {
            EXPECT_TRUE(robot.IsVisible(sheet, id)) << id;
        }
        for (int id : {kSymbol, kType, kNote, kClear}) {
            EXPECT_FALSE(robot.IsVisible(sheet, id)) << id;
        }
        EXPECT_TRUE(robot.IsChecked(sheet, kSeparator));
        EXPECT_EQ(
            robot.Items(sheet, kNegative),
            (std::vector<std::string>{DialogString(1581) + ".21", DialogString(1582) + ".21",
                                      DialogString(1583) + ".21)", DialogString(1583) + ".21)"}));
        EXPECT_EQ(robot.SelectedIndex(sheet, kNegative), 1);
        EXPECT_GT(RedPixels(robot.Capture(robot.Control(sheet, kNegative))), 0u);
        // The Symbol list holds 1 (never 0 outside Find and Replace), so the sign stays.
        EXPECT_EQ(robot.Text(sheet, kSample), "-12,34,567.89");

        robot.SetText(sheet, kDecimals, "3");
        EXPECT_EQ(robot.Items(sheet, kNegative)[0], DialogString(1581) + ".321");
        EXPECT_EQ(robot.Text(sheet, kSample), "-12,34,567.891");
        robot.Click(sheet, kSeparator);
        EXPECT_EQ(robot.Items(sheet, kNegative)[2], DialogString(1577) + ".321)");
        EXPECT_EQ(robot.SelectedIndex(sheet, kNegative), 1);
        EXPECT_EQ(robot.Text(sheet, kSample), "-1234567.891");

        robot.Select(sheet, kCategory, 2); // Currency
        EXPECT_TRUE(robot.IsVisible(sheet, kSymbol));
        EXPECT_FALSE(robot.IsVisible(sheet, kSeparator));
        EXPECT_EQ(robot.SelectedIndex(sheet, kSymbol), 1);
        EXPECT_EQ(robot.Items(sheet, kNegative)[1], DialogString(1579) + ".321");
        EXPECT_EQ(robot.Text(sheet, kSample), DialogString(1013) + "12,34,567.891");
        robot.Select(sheet, kNegative, 0);
        EXPECT_EQ(robot.Text(sheet, kSample), Join({"-", DialogString(1013), "12,34,567.891"}));
        robot.Click(sheet, IDOK);
    });
    EXPECT_EQ(result, 1);
    const NumberFormatBlock& number = record.number;
    EXPECT_EQ(number.category, 2);
    EXPECT_EQ(number.decimalPlaces, 3);
    EXPECT_EQ(number.thousands, 0);
    EXPECT_EQ(number.negativeStyle, 0);
    EXPECT_EQ(number.currencySymbol, 1);
    EXPECT_EQ(number.changed, 1);
    EXPECT_EQ(record.startPage, 1);
    // Carried through untouched.
    EXPECT_STREQ(number.hostFormat, "host format");
    EXPECT_EQ(number.hostValue, 77u);
    EXPECT_STREQ(number.sampleValue, "-1234567.891");
    EXPECT_EQ(std::memcmp(&record.pattern, &before.pattern, sizeof record.pattern), 0);
}

TEST_F(FormatCells, SymbolNeverOpensEmptyAndAnUntouchedPageIsNotChanged) {
    const struct { uint8_t stored, shown; } cases[] = {{0, 1}, {1, 1}, {2, 2}, {200, 2}};
    for (const auto& c : cases) {
        CellFormatRecord record = MakeRecord(0, 2, "5");
        record.number.currencySymbol = c.stored;
        int32_t result = Show(record, [&](Robot& robot) {
            HWND sheet = robot.WaitForWindow("Format Cells");
            EXPECT_EQ(robot.SelectedIndex(sheet, kSymbol), c.shown) << int(c.stored);
            robot.Click(sheet, IDOK);
        });
        EXPECT_EQ(result, 1);
        EXPECT_EQ(record.number.currencySymbol, c.shown) << int(c.stored);
        EXPECT_EQ(record.number.changed, 0) << int(c.stored);
    }
}

TEST_F(FormatCells, FindFormatOpensWithoutCategoryAndClearReturnsToThatState) {
    CellFormatRecord record = MakeRecord(1, 1, "1234.5");
    int32_t result = Show(record, [&](Robot& robot) {
        HWND sheet = robot.WaitForWindow("Find Format");
        EXPECT_EQ(robot.SelectedIndex(sheet, kCategory), -1);
        EXPECT_TRUE(robot.IsVisible(sheet, kClear));
        EXPECT_FALSE(robot.IsEnabled(sheet, kClear));
        EXPECT_EQ(robot.Text(sheet, kClear), NoDots(DialogString(3308)));
        EXPECT_FALSE(robot.IsVisible(sheet, kDecimals));
        EXPECT_EQ(robot.Text(sheet, kSample), "1234.5");

        robot.Select(sheet, kCategory, 3); // Date
        EXPECT_TRUE(robot.IsEnabled(sheet, kClear));
        EXPECT_EQ(robot.Items(sheet, kType).size(), 16u);
        EXPECT_EQ(robot.Items(sheet, kType)[15], "14/03/2001");
        EXPECT_EQ(robot.SelectedIndex(sheet, kType), 0);

        robot.Click(sheet, kClear);
        EXPECT_EQ(robot.SelectedIndex(sheet, kCategory), -1);
        EXPECT_FALSE(robot.IsEnabled(sheet, kClear));
        EXPECT_FALSE(robot.IsVisible(sheet, kType));
        EXPECT_EQ(robot.Text(sheet, kSample), "1234.5");
        robot.Click(sheet, IDOK);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(record.number.changed, 0);

    record = MakeRecord(2, 1, "1234.5");
    result = Show(record, [&](Robot& robot) {
        HWND sheet = robot.WaitForWindow("Replace Format");
        EXPECT_EQ(robot.SelectedIndex(sheet, kCategory), -1);
        robot.Select(sheet, kCategory, 5); // Percentage
        EXPECT_EQ(robot.Text(sheet, kSample), "123450.00%");
        robot.Click(sheet, IDOK);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(record.number.category, 5);
    EXPECT_EQ(record.number.changed, 1);
}

TEST_F(FormatCells, DecimalPlacesAreCheckedWhenThePageIsLeft) {
    // Opening does not leave the page: a block out of range opens without a word.
    CellFormatRecord record = MakeRecord(0, 1, "1");
    record.number.decimalPlaces = 16;
    int32_t result = Show(record, [&](Robot& robot) {
        HWND sheet = robot.WaitForWindow("Format Cells");
        EXPECT_TRUE(robot.NoMessageBoxWithin(300));
        EXPECT_EQ(robot.Text(sheet, kDecimals), "16");
        robot.Cancel(sheet);
    });
    EXPECT_EQ(result, 0);

    record = MakeRecord(0, 1, "1");
    result = Show(record, [&](Robot& robot) {
        HWND sheet = robot.WaitForWindow("Format Cells");
        const struct {
            const char* text;
            UINT message;
        } refusals[] = {{"16", 1241}, {"-1", 1241}, {"1a", 1192}, {"", 1192}, {"+", 1192}};
        for (const auto& refusal : refusals) {
            robot.SetText(sheet, kDecimals, refusal.text);
            robot.Click(sheet, IDOK);
            auto box = robot.ExpectMessageBox();
            ASSERT_TRUE(box.exists) << refusal.text;
            EXPECT_EQ(box.text, Message(refusal.message)) << refusal.text;
            robot.AnswerMessageBox(1);
            EXPECT_TRUE(IsWindowVisible(sheet)) << refusal.text;
        }
        robot.Select(sheet, kCategory, 5); // Percentage: 0..15 as well
        robot.SetText(sheet, kDecimals, "16");
        robot.Click(sheet, IDOK);
        auto box = robot.ExpectMessageBox();
        ASSERT_TRUE(box.exists);
        EXPECT_EQ(box.text, Message(1241));
        robot.AnswerMessageBox(1);
        robot.Select(sheet, kCategory, 3); // Date takes any whole number
        robot.Click(sheet, IDOK);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(record.number.category, 3);
    EXPECT_EQ(record.number.decimalPlaces, 16);
    EXPECT_EQ(record.number.type, 0);
}

TEST_F(FormatCells, SampleFollowsCategoryOptionsAndSampleLanguage) {
    const std::string localFace = DialogString(20000, 2);
    ASSERT_FALSE(localFace.empty());
    const struct {
        uint16_t category;
        const char* value;
        uint16_t type, negative;
        uint8_t symbol;
        bool localFont;
        std::string expected;
    } cases[] = {
        {2, "-5", 0, 2, 2, false, Join({"(", DialogString(3137), "5.00)"})},
        {3, "36964", 5, 0, 1, false, "14-Mar-01"},
        {3, "60", 1, 0, 1, false, "Thursday, March 01, 1900"},
        {3, "36964", 5, 0, 1, true, Join({"14-", DialogString(1729, 2), "-1"})},
        {3, "-1", 5, 0, 1, false, "#ERROR"},
        {4, "0.5", 1, 0, 1, false, "12:00"},
        {5, "0.25", 0, 0, 1, false, "25.00%"},
        {6, "0.333", 0, 0, 1, false, "1/3"},
        {7, "0.25", 0, 0, 1, false, "0.25"},
        {1, "1e5", 0, 0, 1, false, "1e5"},
    };
    for (const auto& c : cases) {
        CellFormatRecord record = MakeRecord(0, c.category, c.value);
        record.number.type = c.type;
        record.number.negativeStyle = c.negative;
        record.number.currencySymbol = c.symbol;
        if (c.localFont) {
            std::strcpy(record.font.faceName, localFace.c_str());
        }
        Show(record, [&](Robot& robot) {
            HWND sheet = robot.WaitForWindow("Format Cells");
            EXPECT_EQ(robot.Text(sheet, kSample), c.expected) << c.category << " " << c.value;
            if (c.category == 7) {
                EXPECT_EQ(robot.Text(sheet, kNote), DialogString(1049));
                EXPECT_FALSE(robot.IsVisible(sheet, kDecimals));
                EXPECT_FALSE(robot.IsVisible(sheet, kType));
            }
            robot.Cancel(sheet);
        });
    }
}

TEST_F(FormatCells, PaletteIsAskedForFirstEscapeReachesTheHostAndCancelKeepsTheRecord) {
    g_pageAtPalette = -1;
    g_escapes = 0;
    g_framePrevious = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(frame_->hwnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&FrameSpy)));
    SetActiveWindow(frame_->hwnd());

    CellFormatRecord record = MakeRecord(0, 1, "42");
    const CellFormatRecord before = record;
    int32_t result = Show(record, [&](Robot& robot) {
        HWND sheet = robot.WaitForWindow("Format Cells");
        const auto palette = frame_->Log(WM_QV_FMTLISTS);
        ASSERT_EQ(palette.size(), 1u);
        EXPECT_NE(palette[0].wParam, 0u);
        EXPECT_NE(palette[0].lParam, 0);
        EXPECT_EQ(frame_->Log().front().message, static_cast<UINT>(WM_QV_FMTLISTS));
        robot.Select(sheet, kCategory, 2);
        robot.SetText(sheet, kDecimals, "5");
        robot.PressKey(sheet, kCategory, VK_ESCAPE);
        EXPECT_TRUE(robot.WaitClosed(sheet));
    });
    SetWindowLongPtrA(frame_->hwnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_framePrevious));
    EXPECT_EQ(result, 0);
    EXPECT_EQ(g_pageAtPalette, 0);
    EXPECT_EQ(g_escapes, 1);
    EXPECT_EQ(std::memcmp(&record, &before, sizeof record), 0);

    // Cancel from the button leaves it as well.
    result = Show(record, [&](Robot& robot) {
        HWND sheet = robot.WaitForWindow("Format Cells");
        robot.Select(sheet, kCategory, 7);
        robot.Click(sheet, IDCANCEL);
    });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(std::memcmp(&record, &before, sizeof record), 0);
}

TEST_F(FormatCells, LocalMenuRelabelsTabsButtonsAndLists) {
    qvhost::SetMenuLanguage(2);
    CellFormatRecord record = MakeRecord(0, 3, "36964");
    Show(record, [&](Robot& robot) {
        HWND sheet = robot.WaitForWindow("Format Cells");
        EXPECT_EQ(TabCaptions(sheet)[0], DialogString(1093, 2));
        EXPECT_NE(DialogString(1093, 2), DialogString(1093, 1));
        EXPECT_EQ(robot.Text(sheet, IDOK), NoDots(DialogString(1303, 2)));
        EXPECT_EQ(robot.SelectedText(sheet, kCategory), DialogString(1004, 2));
        EXPECT_EQ(robot.Items(sheet, kType)[0], DialogString(1021, 2));
        // The cells do not use the local font: the sample stays English.
        EXPECT_EQ(robot.Text(sheet, kSample), "03/14/2001");
        robot.Cancel(sheet);
    });
}

TEST_F(FormatCells, BadRecordsAndWindowsGetADefinedAnswer) {
    auto show = Export<QVShowFormatCellsFn>("QVShowFormatCells");
    EXPECT_EQ(show(frame_->hwnd(), nullptr), 0);
    // A record the host cannot let the library write: nothing is shown.
    SYSTEM_INFO info;
    GetSystemInfo(&info);
    const size_t page = info.dwPageSize;
    auto* memory = static_cast<char*>(
        VirtualAlloc(nullptr, 2 * page, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
    ASSERT_NE(memory, nullptr);
    DWORD old = 0;
    ASSERT_TRUE(VirtualProtect(memory + page, page, PAGE_NOACCESS, &old));
    auto* record = reinterpret_cast<CellFormatRecord*>(memory + page - sizeof(CellFormatRecord));
    *record = MakeRecord(0, 1, "1");
    ASSERT_TRUE(VirtualProtect(memory, page, PAGE_READONLY, &old));
    EXPECT_EQ(show(frame_->hwnd(), record), 0);
    EXPECT_TRUE(frame_->Log(WM_QV_FMTLISTS).empty());
    ASSERT_TRUE(VirtualProtect(memory, page, PAGE_READWRITE, &old));

    // Texts without a terminator, a record that ends where readable memory
    // ends, an unknown mode and no window to ask for the palette.
    std::memset(record->number.sampleValue, '9', sizeof record->number.sampleValue);
    std::memset(record->font.faceName, 'A', sizeof record->font.faceName);
    record->sheetMode = 7;
    record->font.modeCopy = 7;
    record->startPage = 200;
    auto outcome = RunModal([&] { return show(nullptr, record); },
                            [&](Robot& robot) {
                                HWND sheet = robot.WaitForWindow("Format Cells");
                                const std::string sample = robot.Text(sheet, kSample);
                                EXPECT_EQ(sample.substr(0, 3), "99,");
                                EXPECT_EQ(sample.substr(sample.size() - 7), ",999.00");
                                EXPECT_EQ(ActiveTab(sheet), 0);
                                robot.Click(sheet, IDOK);
                            });
    EXPECT_SCRIPT_OK(outcome);
    EXPECT_EQ(outcome.result, 1);
    EXPECT_TRUE(frame_->Log(WM_QV_FMTLISTS).empty());
    EXPECT_EQ(record->startPage, 1);
    EXPECT_EQ(record->number.sampleValue[254], '9');
    VirtualFree(memory, 0, MEM_RELEASE);
}

TEST_F(FormatCells, StartPageAndReducedModesFollowThePagesShown) {
    CellFormatRecord record = MakeRecord(0, 1, "1");
    record.startPage = 3;
    Show(record, [&](Robot& robot) {
        HWND sheet = robot.WaitForWindow("Format Cells");
        EXPECT_EQ(
            TabCaptions(sheet),
            (std::vector<std::string>{DialogString(1093), DialogString(1094), DialogString(1095),
                                      DialogString(1096), DialogString(1725)}));
        EXPECT_EQ(ActiveTab(sheet), 2);
        // Ctrl+Tab on the last page goes to the first one.
        ShowTab(robot, sheet, 4);
        robot.Post([] { HoldControl(true); });
        robot.PressKey(sheet, IDOK, VK_TAB);
        robot.Post([] { HoldControl(false); });
        EXPECT_EQ(ActiveTab(sheet), 0);
        ShowTab(robot, sheet, 4);
        robot.Click(sheet, IDOK);
    });
    EXPECT_EQ(record.startPage, 5);

    // Mode 3 (conditional formats): the record's font passes when the page
    // is left and on OK although face and size are locked.
    record = MakeRecord(3, 1, "1");
    Show(record, [&](Robot& robot) {
        HWND sheet = robot.WaitForWindow("Format Cells");
        EXPECT_EQ(
            TabCaptions(sheet),
            (std::vector<std::string>{DialogString(1095), DialogString(1096), DialogString(1725)}));
        EXPECT_EQ(ActiveTab(sheet), 0);
        ShowTab(robot, sheet, 2);
        robot.Click(sheet, IDOK);
    });
    EXPECT_EQ(record.startPage, 3);

    record = MakeRecord(32, 1, "1");
    Show(record, [&](Robot& robot) {
        HWND sheet = robot.WaitForWindow("Format Cells");
        EXPECT_EQ(TabCaptions(sheet), std::vector<std::string>{DialogString(1095)});
        robot.Cancel(sheet);
    });
}

} // namespace
