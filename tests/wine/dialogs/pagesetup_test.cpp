// Page Setup and Print, driven through QVShowPageSetup and QVShowFilePrint as
// a user would, over the printers the Wine prefix has (scripts/prefix.d):
// "Office Laser" (the default) and "Wide Format". A page printed through the
// device context the Print dialog hands back ends up in the printer's port
// file as PostScript.
#include "harness.h"

#include "qvcore/iscii.h"
#include "qvssd/exports.h"
#include "qvssd/messages.h"
#include "qvssd/records.h"

#include <commctrl.h>
#include <prsht.h>
#include <winspool.h>

#include <chrono>
#include <cstring>
#include <initializer_list>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

using qvrobot::Robot;
using qvrobot::RunModal;

namespace {

// Page page
constexpr int kPortrait = 1075, kLandscape = 1076, kAdjust = 1041, kFit = 1042, kPercent = 1043,
              kPaper = 1052, kQuality = 1054, kFirstPage = 1056, kOrientationGroup = 1031,
              kAdjustLabel = 1046;
constexpr int kPrintButton = 1033, kPreviewButton = 1034;
// Margins page
constexpr int kTop = 1111, kBottom = 1113, kLeft = 1112, kRight = 1066, kHeaderBox = 1063,
              kFooterBox = 1069, kHorizontally = 1075, kVertically = 1076, kMarginPicture = 1129,
              kTopLabel = 1060;
// Header/Footer page and the custom dialog
constexpr int kHeaderList = 1079, kFooterList = 1082, kCustomHeader = 1080,
              kHeaderLeftPreview = 1052, kHeaderCentrePreview = 1053, kFooterLeftPreview = 1055,
              kFooterCentrePreview = 1056;
constexpr int kLeftSection = 1115, kCentreSection = 1116, kRightSection = 1117, kPageField = 1121,
              kPagesField = 1122;
// Sheet page
constexpr int kPrintArea = 1118, kAreaPick = 1114, kDownOver = 1108, kOverDown = 1109,
              kGridlines = 1099, kRangeBarEdit = 1012;
// Print and Print To File
constexpr int kPrintToFile = 1042, kAll = 1056, kPages = 1058, kFrom = 1152, kTo = 1153,
              kCopies = 1154, kCollate = 1041, kSelection = 1022, kWorkbook = 1014, kPreview = 1000,
              kRangeGroup = 1072, kPrinterGroup = 1075, kOutputName = 1024;

constexpr char kSheetCaption[] = "Page Setup";

template <size_t N> void Put(char (&field)[N], const std::string& text) {
    std::strncpy(field, text.c_str(), N - 1);
    field[N - 1] = '\0';
}

FontBlock NormalFont() {
    FontBlock font{};
    Put(font.faceName, "Arial");
    font.styleFlags = 1;
    font.size = 10;
    font.normalFont = 64;
    return font;
}

PageSetupRecord MakeRecord(uint8_t startPage) {
    PageSetupRecord record{};
    record.page.orientation = 1;
    record.page.scaling = 4;
    record.page.adjustPercent = 100;
    record.page.fitPagesTall = 2;
    record.page.fitPagesWide = 3;
    record.page.paperSize = 1;
    record.page.firstPage = 7;
    record.margins = {1.0f, 1.0f, 0.75f, 0.75f, 0.5f, 0.5f, 0x01};
    HeaderFooterBlock& hf = record.headerFooter;
    for (HeaderFooterSections* part : {&hf.header, &hf.footer}) {
        part->leftFont = part->centerFont = part->rightFont = NormalFont();
    }
    Put(hf.filePath, "C:\\Books");
    Put(hf.fileName, "Budget.xls");
    Put(hf.sheetName, "Sheet3");
    Put(record.sheet.rowsToRepeat, "$1:$2");
    Put(record.sheet.colsToRepeat, "$A:$B");
    record.sheet.comments = 1;
    record.startPage = startPage;
    return record;
}

// A label as a screen reader says it: no "&", no trailing ":".
std::string Spoken(std::string label) {
    std::erase(label, '&');
    if (!label.empty() && label.back() == ':') {
        label.pop_back();
    }
    return label;
}

// Texts joined by appending (GCC 12 misreads "literal" + std::string).
std::string Join(std::initializer_list<std::string> parts) {
    std::string text;
    for (const std::string& part : parts) {
        text += part;
    }
    return text;
}

HWND PageWindow(HWND sheet, int index) {
    return reinterpret_cast<HWND>(SendMessageA(sheet, PSM_INDEXTOHWND, index, 0));
}

int ActiveTab(HWND sheet) {
    HWND tabs = reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETTABCONTROL, 0, 0));
    return static_cast<int>(SendMessageA(tabs, TCM_GETCURSEL, 0, 0));
}

// Asks the sheet for another page, as a click on its tab does; the page being
// left validates first.
void ShowTab(Robot& robot, HWND sheet, int index) {
    robot.Post([sheet, index] { PropSheet_SetCurSel(sheet, nullptr, index); });
    robot.WaitIdle();
}

// The message box the last action opened, answered; its text.
std::string Answer(Robot& robot) {
    auto box = robot.ExpectMessageBox();
    EXPECT_TRUE(box.exists);
    if (box.exists) {
        robot.AnswerMessageBox(1);
    }
    return box.text;
}

// The printers the prefix installs, as DeviceCapabilities reports them.
struct PrinterLists {
    std::vector<std::string> papers; // without the "Custom..." ones
    std::vector<WORD> ids;
    std::vector<std::string> qualities;
    std::string port;
};

PrinterLists ListsOf(const std::string& printer) {
    PrinterLists lists;
    HANDLE handle = nullptr;
    if (OpenPrinterA(const_cast<char*>(printer.c_str()), &handle, nullptr)) {
        DWORD needed = 0;
        GetPrinterA(handle, 2, nullptr, 0, &needed);
        std::vector<BYTE> info(needed);
        if (GetPrinterA(handle, 2, info.data(), needed, &needed)) {
            lists.port = reinterpret_cast<PRINTER_INFO_2A*>(info.data())->pPortName;
        }
        ClosePrinter(handle);
    }
    const char* device = printer.c_str();
    const char* port = lists.port.c_str();
    const int n = DeviceCapabilitiesA(device, port, DC_PAPERS, nullptr, nullptr);
    std::vector<WORD> ids(n > 0 ? n : 0);
    std::vector<char> names(ids.size() * 64 + 1);
    DeviceCapabilitiesA(device, port, DC_PAPERS, reinterpret_cast<char*>(ids.data()), nullptr);
    DeviceCapabilitiesA(device, port, DC_PAPERNAMES, names.data(), nullptr);
    for (size_t i = 0; i < ids.size(); ++i) {
        std::string name(&names[i * 64], strnlen(&names[i * 64], 64));
        if (name.rfind("Custom", 0) != 0 && name.rfind("custom", 0) != 0) {
            lists.papers.push_back(name);
            lists.ids.push_back(ids[i]);
        }
    }
    const int r = DeviceCapabilitiesA(device, port, DC_ENUMRESOLUTIONS, nullptr, nullptr);
    std::vector<LONG> dpi(r > 0 ? 2 * r : 0);
    DeviceCapabilitiesA(device, port, DC_ENUMRESOLUTIONS, reinterpret_cast<char*>(dpi.data()),
                        nullptr);
    for (size_t i = 0; i + 1 < dpi.size(); i += 2) {
        lists.qualities.push_back(std::to_string(dpi[i]) + " x " + std::to_string(dpi[i + 1]) +
                                  " dpi");
    }
    return lists;
}

std::string DefaultPrinterName() {
    char name[256] = {};
    DWORD size = sizeof name;
    return GetDefaultPrinterA(name, &size) ? std::string(name) : std::string();
}

// The default printer for the length of a test (every test of this program
// holds the "default_printer" resource lock).
class DefaultPrinter {
  public:
    explicit DefaultPrinter(const char* name) : previous_(DefaultPrinterName()) {
        ok_ = SetDefaultPrinterA(name) != FALSE;
    }
    ~DefaultPrinter() { SetDefaultPrinterA(previous_.c_str()); }
    bool ok() const { return ok_; }

  private:
    std::string previous_;
    bool ok_ = false;
};

// Waits until a file exists and holds something.
bool WaitForFile(const std::string& path, DWORD timeoutMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        WIN32_FILE_ATTRIBUTE_DATA data{};
        if (GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) &&
            (data.nFileSizeLow != 0 || data.nFileSizeHigh != 0)) {
            return true;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

std::string ReadFileText(const std::string& path, size_t limit) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return {};
    }
    std::string text(limit, '\0');
    DWORD read = 0;
    ReadFile(file, text.data(), static_cast<DWORD>(limit), &read, nullptr);
    CloseHandle(file);
    text.resize(read);
    return text;
}

// The size of the bitmap a picture static shows.
SIZE PictureSize(HWND picture) {
    HBITMAP bitmap =
        reinterpret_cast<HBITMAP>(SendMessageA(picture, STM_GETIMAGE, IMAGE_BITMAP, 0));
    BITMAP info{};
    if (bitmap == nullptr || GetObjectA(bitmap, sizeof info, &info) == 0) {
        return {0, 0};
    }
    return {info.bmWidth, info.bmHeight};
}

class PageSetupTest : public qvtest::DialogTest {
  protected:
    int32_t ShowPageSetup(PageSetupRecord& record, const std::function<void(Robot&)>& script) {
        auto show = Export<QVShowPageSetupFn>("QVShowPageSetup");
        auto outcome = RunModal([&] { return show(&record); }, script);
        EXPECT_SCRIPT_OK(outcome);
        return outcome.result;
    }
};

class PrintTest : public qvtest::DialogTest {
  protected:
    void TearDown() override {
        if (record_.printerDC != nullptr) {
            DeleteDC(record_.printerDC);
        }
        GlobalFree(record_.printDlg.hDevMode);
        GlobalFree(record_.printDlg.hDevNames);
        DialogTest::TearDown();
    }
    int32_t ShowPrint(const std::function<void(Robot&)>& script) {
        auto show = Export<QVShowFilePrintFn>("QVShowFilePrint");
        auto outcome = RunModal([&] { return show(&record_); }, script);
        EXPECT_SCRIPT_OK(outcome);
        return outcome.result;
    }
    PrintRecord record_{};
};

} // namespace

// ---- Page page ------------------------------------------------------------------

// The paper and print-quality lists are the default printer's own, paired
// with its paper identifiers; another default printer brings its own lists.
TEST_F(PageSetupTest, PaperAndQualityListsFollowTheDefaultPrinter) {
    for (const char* printer : {"Office Laser", "Wide Format"}) {
        SCOPED_TRACE(printer);
        DefaultPrinter chosen(printer);
        ASSERT_TRUE(chosen.ok());
        const PrinterLists lists = ListsOf(printer);
        ASSERT_GE(lists.papers.size(), 2u);
        ASSERT_FALSE(lists.qualities.empty());
        PageSetupRecord record = MakeRecord(1);
        record.page.paperSize = lists.ids.back();
        record.page.printQuality = static_cast<int16_t>(lists.qualities.size() - 1);
        const int32_t result = ShowPageSetup(record, [&](Robot& robot) {
            HWND sheet = robot.WaitForWindow(kSheetCaption);
            HWND page = PageWindow(sheet, 0);
            EXPECT_EQ(robot.Items(page, kPaper), lists.papers);
            EXPECT_EQ(robot.SelectedIndex(page, kPaper), static_cast<int>(lists.papers.size()) - 1);
            EXPECT_EQ(robot.Items(page, kQuality), lists.qualities);
            EXPECT_EQ(robot.SelectedIndex(page, kQuality),
                      static_cast<int>(lists.qualities.size()) - 1);
            robot.Select(page, kPaper, 1);
            robot.Click(sheet, IDOK);
        });
        EXPECT_EQ(result, 1);
        // The second entry's own identifier, whatever "Custom" paper the
        // printer lists before it.
        EXPECT_EQ(record.page.paperSize, lists.ids[1]);
    }
}

TEST_F(PageSetupTest, PagePageScalingFirstPageAndOrientation) {
    PageSetupRecord record = MakeRecord(1);
    record.page.scaling = 8; // Fit: the page opens on Adjust and reports both
    const int32_t result = ShowPageSetup(record, [&](Robot& robot) {
        HWND sheet = robot.WaitForWindow(kSheetCaption);
        HWND page = PageWindow(sheet, 0);
        EXPECT_TRUE(robot.IsChecked(page, kAdjust));
        EXPECT_FALSE(robot.IsChecked(page, kFit));
        EXPECT_FALSE(robot.IsVisible(page, kFit));
        EXPECT_EQ(robot.Text(page, kOrientationGroup), DialogString(1288));
        EXPECT_EQ(robot.Text(page, kFirstPage), "7");
        // Alt+Z opens the paper list.
        robot.PressKey(page, kPercent, 'Z', true);
        HWND paper = robot.Control(page, kPaper);
        EXPECT_EQ(robot.FocusedId(), kPaper);
        EXPECT_TRUE(SendMessageA(paper, CB_GETDROPPEDSTATE, 0, 0));
        robot.Post([paper] { SendMessageA(paper, CB_SHOWDROPDOWN, FALSE, 0); });
        robot.WaitIdle();

        for (const char* percent : {"49", "401", "1o0", ""}) {
            SCOPED_TRACE(percent);
            robot.SetText(page, kPercent, percent);
            ShowTab(robot, sheet, 1);
            const bool whole =
                std::string(percent).find_first_not_of("0123456789") == std::string::npos &&
                *percent != '\0';
            EXPECT_EQ(Answer(robot), Message(whole ? 1197 : 1192));
            EXPECT_EQ(ActiveTab(sheet), 0);
            EXPECT_EQ(robot.FocusedId(), kPercent);
        }
        robot.SetText(page, kPercent, "400");
        robot.SetText(page, kFirstPage, "32768");
        ShowTab(robot, sheet, 1);
        EXPECT_EQ(Answer(robot), Message(1192));
        EXPECT_EQ(robot.FocusedId(), kFirstPage);
        // An empty box shows "Auto" and keeps the number.
        robot.SetText(page, kFirstPage, "");
        ShowTab(robot, sheet, 1);
        EXPECT_TRUE(robot.NoMessageBoxWithin(200));
        EXPECT_EQ(ActiveTab(sheet), 1);
        EXPECT_EQ(robot.Text(page, kFirstPage), "Auto");
        ShowTab(robot, sheet, 0);
        robot.SetText(page, kPercent, "50");
        robot.Click(page, kLandscape);
        EXPECT_FALSE(robot.IsChecked(page, kPortrait));
        robot.Click(sheet, IDOK);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(record.page.adjustPercent, 50);
    EXPECT_EQ(record.page.scaling, 4 | 8);
    EXPECT_EQ(record.page.firstPage, 7);
    EXPECT_EQ(record.page.orientation, 2);
    EXPECT_EQ(record.page.fitPagesTall, 2);
    EXPECT_EQ(record.page.fitPagesWide, 3);
}

// "Print Preview" and "Print..." end the sheet like OK and tell the host
// which; a page that refuses to be left keeps the sheet open.
TEST_F(PageSetupTest, PrintAndPreviewButtonsEndTheSheetWithTheirAction) {
    PageSetupRecord record = MakeRecord(2);
    int32_t result = ShowPageSetup(record, [&](Robot& robot) {
        HWND sheet = robot.WaitForWindow(kSheetCaption);
        HWND margins = PageWindow(sheet, 1);
        robot.SetText(margins, kTop, "x");
        robot.Click(margins, kPreviewButton);
        EXPECT_EQ(Answer(robot), Message(1189));
        EXPECT_TRUE(IsWindowVisible(sheet));
        robot.SetText(margins, kTop, "1.5");
        robot.Click(margins, kPreviewButton);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(record.action, 1);
    EXPECT_FLOAT_EQ(record.margins.top, 1.5f);

    record = MakeRecord(8);
    result = ShowPageSetup(record, [&](Robot& robot) {
        HWND sheet = robot.WaitForWindow(kSheetCaption);
        robot.Click(PageWindow(sheet, 3), kPrintButton);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(record.action, 2);

    record = MakeRecord(1);
    const PageSetupRecord before = record;
    result = ShowPageSetup(record, [&](Robot& robot) {
        HWND sheet = robot.WaitForWindow(kSheetCaption);
        robot.Click(PageWindow(sheet, 0), kLandscape);
        robot.Cancel(sheet);
    });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(std::memcmp(&record, &before, sizeof record), 0);
}

// ---- Margins page ---------------------------------------------------------------

TEST_F(PageSetupTest, MarginsValidateInOrderAndThePictureFollowsThePage) {
    PageSetupRecord record = MakeRecord(1);
    record.margins.header = 0.3f;
    const int32_t result = ShowPageSetup(record, [&](Robot& robot) {
        HWND sheet = robot.WaitForWindow(kSheetCaption);
        HWND page = PageWindow(sheet, 0);
        robot.Click(page, kLandscape);
        ShowTab(robot, sheet, 1);
        HWND margins = PageWindow(sheet, 1);
        EXPECT_EQ(robot.Text(margins, kHeaderBox), "0.30");
        EXPECT_EQ(robot.Text(margins, kLeft), "0.75");
        // Landscape, as chosen on the Page page.
        HWND picture = robot.Control(margins, kMarginPicture);
        SIZE size = PictureSize(picture);
        EXPECT_EQ(size.cx, 130);
        EXPECT_EQ(size.cy, 100);

        // The picture marks the margin being edited.
        robot.Focus(margins, kTop);
        const qvrobot::Image top = robot.Capture(picture);
        robot.Focus(margins, kFooterBox);
        const qvrobot::Image footer = robot.Capture(picture);
        robot.Focus(margins, kTop);
        EXPECT_NE(top.rgb, footer.rgb);
        EXPECT_EQ(robot.Capture(picture).rgb, top.rgb);
        // A screen reader hears what the picture shows.
        const qvrobot::AccessibleInfo heard = robot.Accessible(margins, kMarginPicture);
        EXPECT_EQ(heard.name, DialogString(1300));
        EXPECT_EQ(heard.value,
                  Join({Spoken(DialogString(1290)), ", ", Spoken(DialogString(1266))}));
        // Centring changes the picture.
        robot.Click(margins, kVertically);
        EXPECT_NE(robot.Capture(picture).rgb, top.rgb);

        struct Case {
            int box;
            const char* text;
            UINT message;
        };
        const Case cases[] = {
            {kTop, "5.5", 0},         {kBottom, "5.5", 1283},  {kBottom, "", 1189},
            {kBottom, "1.2.3", 1189}, {kBottom, "-0.5", 1189}, {kBottom, "5.49", 0},
            {kLeft, "4", 0},          {kRight, "4", 1283},     {kRight, "3.99", 0},
            {kHeaderBox, "6", 0},     {kFooterBox, "5", 1283}};
        for (const Case& c : cases) {
            SCOPED_TRACE(c.text);
            robot.SetText(margins, c.box, c.text);
            if (c.message == 0) {
                continue;
            }
            ShowTab(robot, sheet, 2);
            EXPECT_EQ(Answer(robot), Message(c.message));
            EXPECT_EQ(ActiveTab(sheet), 1);
            EXPECT_EQ(robot.FocusedId(), c.box);
        }
        robot.SetText(margins, kFooterBox, "0");
        robot.Click(sheet, IDOK);
    });
    EXPECT_EQ(result, 1);
    EXPECT_FLOAT_EQ(record.margins.top, 5.5f);
    EXPECT_FLOAT_EQ(record.margins.bottom, 5.49f);
    EXPECT_FLOAT_EQ(record.margins.right, 3.99f);
    EXPECT_FLOAT_EQ(record.margins.header, 6.0f);
    EXPECT_FLOAT_EQ(record.margins.footer, 0.0f);
    EXPECT_EQ(record.margins.centering, 0x01 | 0x10); // other bits carried through
}

// ---- Header/Footer page ---------------------------------------------------------

TEST_F(PageSetupTest, PredefinedHeadersMatchAndStoreCodes) {
    PageSetupRecord record = MakeRecord(4);
    Put(record.headerFooter.header.center, "&P");      // a bare page number: no preset
    Put(record.headerFooter.footer.center, "Page &P"); // the first preset
    const int32_t result = ShowPageSetup(record, [&](Robot& robot) {
        HWND sheet = robot.WaitForWindow(kSheetCaption);
        HWND page = PageWindow(sheet, 2);
        const std::vector<std::string> presets = {DialogString(1376), DialogString(1260),
                                                  DialogString(1261) + "/1", "Sheet3"};
        std::vector<std::string> header = robot.Items(page, kHeaderList);
        ASSERT_EQ(header.size(), 5u);
        EXPECT_EQ(std::vector<std::string>(header.begin(), header.begin() + 4), presets);
        EXPECT_EQ(robot.SelectedIndex(page, kHeaderList), 4);
        EXPECT_EQ(robot.Items(page, kFooterList), presets);
        EXPECT_EQ(robot.SelectedIndex(page, kFooterList), 1);
        EXPECT_EQ(robot.Text(page, kHeaderCentrePreview), "1");
        EXPECT_EQ(robot.Text(page, kFooterCentrePreview), "Page 1");

        robot.Select(page, kFooterList, 2);
        EXPECT_EQ(robot.Text(page, kFooterCentrePreview), "Page 1/1");
        robot.Select(page, kHeaderList, 3);
        EXPECT_EQ(robot.Text(page, kHeaderCentrePreview), "Sheet3");
        robot.Click(sheet, IDOK);
    });
    EXPECT_EQ(result, 1);
    EXPECT_STREQ(record.headerFooter.footer.center, "Page &P/&N");
    EXPECT_STREQ(record.headerFooter.header.center, "&A");
    EXPECT_EQ(record.headerFooter.mode & 0xC0, 0x40); // the header was edited last
    EXPECT_STREQ(record.headerFooter.sheetName, "Sheet3");
}

TEST_F(PageSetupTest, CustomHeaderInsertsFieldsAtTheCaretAndStoresCodes) {
    PageSetupRecord record = MakeRecord(4);
    Put(record.headerFooter.header.left, "&F");
    const std::string longest(254, 'x');
    const int32_t result = ShowPageSetup(record, [&](Robot& robot) {
        HWND sheet = robot.WaitForWindow(kSheetCaption);
        HWND page = PageWindow(sheet, 2);
        robot.Click(page, kCustomHeader);
        HWND custom = robot.WaitForWindow("Header");
        EXPECT_EQ(robot.Text(custom, kLeftSection), DialogString(1251));
        // The field buttons carry the words of their tokens.
        const std::string token = DialogString(1246);
        EXPECT_EQ(robot.Text(custom, kPageField), token.substr(2, token.rfind(']') - 2));

        robot.Focus(custom, kCentreSection);
        robot.SetText(custom, kCentreSection, "Page  of ");
        HWND centre = robot.Control(custom, kCentreSection);
        robot.Post([centre] { SendMessageA(centre, EM_SETSEL, 5, 5); });
        robot.Click(custom, kPageField);
        robot.Post([centre] {
            const int end = GetWindowTextLengthA(centre);
            SendMessageA(centre, EM_SETSEL, end, end);
        });
        robot.Click(custom, kPagesField);
        EXPECT_EQ(robot.Text(custom, kCentreSection),
                  "Page " + DialogString(1246) + " of " + DialogString(1247));
        robot.SetText(custom, kRightSection, longest);
        robot.Click(custom, IDOK);
        EXPECT_TRUE(robot.WaitClosed(custom));
        EXPECT_EQ(robot.Text(page, kHeaderCentrePreview), "Page 1 of 1");
        EXPECT_EQ(robot.SelectedIndex(page, kHeaderList), 4);
        robot.Click(sheet, IDOK);
    });
    EXPECT_EQ(result, 1);
    EXPECT_STREQ(record.headerFooter.header.left, "&F");
    EXPECT_STREQ(record.headerFooter.header.center, "Page &P of &N");
    EXPECT_EQ(std::string(record.headerFooter.header.right), longest);
    EXPECT_EQ(record.headerFooter.mode & 0xC0, 0x40);
}

// In the local menu the tokens and the sheet word are the local strings, F3
// switches a section to the local script, and local text comes from the host
// and goes back to it as ISCII.
TEST_F(PageSetupTest, LocalMenuHeaderTokensScriptSwitchingAndLocalText) {
    qvhost::SetMenuLanguage(2);
    LoadFrom(appFolder_);
    const qv::core::IndicScript script = qv::core::ScriptOfFace(DialogString(20000, 2));
    const std::string word =
        script == qv::core::IndicScript::Tamil ? "வரவு செலவு" : "बजट"; // "budget"
    const std::string iscii = qv::core::UnicodeToIscii(word, script);
    ASSERT_NE(iscii, word);
    PageSetupRecord record = MakeRecord(4);
    Put(record.headerFooter.header.center, "&P");
    Put(record.headerFooter.fileName, iscii);
    Put(record.headerFooter.footer.left, iscii + " &F");
    const int32_t result = ShowPageSetup(record, [&](Robot& robot) {
        HWND sheet = robot.WaitForWindow(kSheetCaption);
        HWND page = PageWindow(sheet, 2);
        EXPECT_EQ(robot.Items(page, kHeaderList)[3], DialogString(1337, 2) + "3");
        EXPECT_EQ(robot.Text(page, kFooterLeftPreview), word + " " + word);
        robot.Click(page, kCustomHeader);
        HWND custom = robot.WaitForWindow("Header");
        EXPECT_EQ(robot.Text(custom, kCentreSection), DialogString(1246, 2));
        // The section's normal font is the local one; F3 switches to English
        // and back, keyboard and font together.
        const std::string localFace = DialogString(20000, 2);
        EXPECT_EQ(robot.FontFace(custom, kLeftSection), localFace);
        for (const bool local : {false, true}) {
            frame_->ClearLog();
            robot.PressKey(custom, kLeftSection, VK_F3);
            EXPECT_EQ(robot.FontFace(custom, kLeftSection) == localFace, local);
            auto switches = frame_->Log(WM_QV_SETINPUTLANG);
            ASSERT_FALSE(switches.empty());
            EXPECT_EQ(switches.back().wParam, local ? 1u : 0u);
        }
        robot.SetText(custom, kLeftSection, word + " ");
        HWND left = robot.Control(custom, kLeftSection);
        robot.Post([left] { SendMessageW(left, EM_SETSEL, 100, 100); });
        robot.Click(custom, kPagesField);
        EXPECT_EQ(robot.Text(custom, kLeftSection), word + " " + DialogString(1247, 2));
        robot.Click(custom, IDOK);
        EXPECT_TRUE(robot.WaitClosed(custom));
        EXPECT_EQ(robot.Text(page, kHeaderLeftPreview), word + " 1");
        robot.Click(sheet, IDOK);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(std::string(record.headerFooter.header.left), iscii + " &N");
    EXPECT_STREQ(record.headerFooter.header.center, "&P");
    EXPECT_EQ(std::string(record.headerFooter.footer.left), iscii + " &F");
}

// ---- Sheet page -----------------------------------------------------------------

TEST_F(PageSetupTest, PrintAreaAcceptsReferencesAndTheRangeBar) {
    PageSetupRecord record = MakeRecord(8);
    Put(record.sheet.printArea, "A1:D20");
    int32_t result = ShowPageSetup(record, [&](Robot& robot) {
        HWND sheet = robot.WaitForWindow(kSheetCaption);
        HWND page = PageWindow(sheet, 3);
        EXPECT_EQ(robot.Text(page, kPrintArea), "A1:D20");
        // Neither order bit set: "Down, then over" shows.
        EXPECT_TRUE(robot.IsChecked(page, kDownOver));
        EXPECT_FALSE(robot.IsChecked(page, kOverDown));
        for (const char* bad : {"A1:ZZ3", "A1:", "()"}) {
            SCOPED_TRACE(bad);
            robot.SetText(page, kPrintArea, bad);
            ShowTab(robot, sheet, 0);
            EXPECT_EQ(Answer(robot), Message(1187));
            EXPECT_EQ(ActiveTab(sheet), 3);
        }
        robot.SetText(page, kPrintArea, "A1:B2,D1:E2");
        ShowTab(robot, sheet, 0);
        EXPECT_EQ(ActiveTab(sheet), 0);
        ShowTab(robot, sheet, 3);

        // The range bar stands in for the sheet and hands the pick back.
        frame_->SetRangeText("C3:E9");
        robot.Click(page, kAreaPick);
        HWND bar = robot.WaitForWindow(kSheetCaption);
        ASSERT_NE(bar, sheet);
        robot.WaitIdle();
        EXPECT_FALSE(IsWindowVisible(sheet));
        EXPECT_EQ(qvhost::ReadRangeText(bar), "C3:E9");
        robot.PressKey(bar, kRangeBarEdit, VK_RETURN);
        EXPECT_TRUE(robot.WaitClosed(bar));
        frame_->SetRangeText(std::nullopt);
        EXPECT_TRUE(IsWindowVisible(sheet));
        EXPECT_EQ(robot.Text(page, kPrintArea), "C3:E9");
        robot.Click(page, kGridlines);
        robot.Click(sheet, IDOK);
    });
    EXPECT_EQ(result, 1);
    EXPECT_STREQ(record.sheet.printArea, "C3:E9");
    EXPECT_EQ(record.sheet.options, 0x01);
    EXPECT_STREQ(record.sheet.rowsToRepeat, "$1:$2");
    EXPECT_STREQ(record.sheet.colsToRepeat, "$A:$B");
    EXPECT_EQ(record.sheet.comments, 1);
    auto picks = frame_->Log(WM_QV_RANGEPICK);
    ASSERT_FALSE(picks.empty());
    EXPECT_EQ(picks.front().wParam, 0u);
    EXPECT_EQ(picks.back().wParam, 1u);

    // An empty box stores no print area; the page order follows its buttons.
    result = ShowPageSetup(record, [&](Robot& robot) {
        HWND sheet = robot.WaitForWindow(kSheetCaption);
        HWND page = PageWindow(sheet, 3);
        robot.SetText(page, kPrintArea, "");
        robot.Click(page, kOverDown);
        robot.Click(sheet, IDOK);
    });
    EXPECT_EQ(result, 1);
    EXPECT_STREQ(record.sheet.printArea, "");
    EXPECT_EQ(record.sheet.options, 0x01 | 0x20);
}

// In the local menu the print area shows local letters in the local face and
// is stored in A1 form; the boxes and lists of numbers and printer names keep
// the template's face (the local face's Latin digits look greyed out).
TEST_F(PageSetupTest, LocalMenuShowsThePrintAreaInLocalLettersAndNumbersInTheTemplateFace) {
    qvhost::SetMenuLanguage(2);
    LoadFrom(appFolder_);
    PageSetupRecord record = MakeRecord(8);
    Put(record.sheet.printArea, "B2:C30");
    std::string shown;
    const int32_t result = ShowPageSetup(record, [&](Robot& robot) {
        HWND sheet = robot.WaitForWindow(kSheetCaption);
        HWND page = PageWindow(sheet, 3);
        const std::string localFace = DialogString(20000, 2);
        EXPECT_EQ(robot.FontFace(page, kPrintArea), localFace);
        for (const auto& [index, label, boxes] :
             {std::tuple<int, int, std::vector<int>>{
                  0, kAdjustLabel, {kPercent, kFirstPage, kPaper, kQuality}},
              {1, kTopLabel, {kTop, kBottom, kLeft, kRight, kHeaderBox, kFooterBox}}}) {
            HWND numbers = PageWindow(sheet, index);
            const std::string templateFace = robot.FontFace(numbers);
            ASSERT_NE(templateFace, localFace);
            EXPECT_EQ(robot.FontFace(numbers, label), localFace);
            for (int box : boxes) {
                SCOPED_TRACE(box);
                EXPECT_EQ(robot.FontFace(numbers, box), templateFace);
            }
        }
        // Local column letters, decimal rows.
        shown = robot.Text(page, kPrintArea);
        EXPECT_NE(shown, "B2:C30");
        EXPECT_EQ(shown.find('B'), std::string::npos);
        EXPECT_NE(shown.find("2:"), std::string::npos);
        EXPECT_EQ(shown.substr(shown.size() - 2), "30");
        EXPECT_EQ(robot.Text(sheet, IDOK), DialogString(1303, 2));
        robot.Click(sheet, IDOK);
    });
    EXPECT_EQ(result, 1);
    EXPECT_STREQ(record.sheet.printArea, "B2:C30");
}

// Without the local string library the sheet says so once, each page once,
// and everything works in the template's English.
TEST_F(PageSetupTest, MissingLocalStringsKeepTheEnglishTemplates) {
    qvhost::SetMenuLanguage(2);
    qvhost::ScratchAppFolder scratch(appFolder_, {"QVSSDSL.dll"});
    ASSERT_TRUE(scratch.ok());
    LoadFrom(scratch.path());
    PageSetupRecord record = MakeRecord(1);
    const int32_t result = ShowPageSetup(record, [&](Robot& robot) {
        std::vector<std::string> messages;
        while (messages.size() < 5) {
            auto box = robot.ExpectMessageBox(8000);
            if (!box.exists) {
                break;
            }
            messages.push_back(box.text);
            robot.AnswerMessageBox(1);
        }
        EXPECT_EQ(std::count(messages.begin(), messages.end(), Message(1180, 2)), 4);
        EXPECT_EQ(std::count(messages.begin(), messages.end(), Message(8440, 2)), 1);
        HWND sheet = robot.WaitForWindow(kSheetCaption);
        EXPECT_EQ(robot.Text(PageWindow(sheet, 0), kOrientationGroup), "Orientation");
        robot.Click(sheet, IDOK);
    });
    EXPECT_EQ(result, 1);
    library_.reset();
}

TEST_F(PageSetupTest, NullAndGarbageRecordsAreAnsweredSafely) {
    auto show = Export<QVShowPageSetupFn>("QVShowPageSetup");
    EXPECT_EQ(show(nullptr), 0);
    PageSetupRecord record;
    std::memset(&record, 0xFF, sizeof record);
    auto outcome = RunModal([&] { return show(&record); },
                            [](Robot& robot) { robot.Cancel(robot.WaitForDialog()); });
    EXPECT_SCRIPT_OK(outcome);
    EXPECT_EQ(outcome.result, 0);

    auto print = Export<QVShowFilePrintFn>("QVShowFilePrint");
    EXPECT_EQ(print(nullptr), 0);
    PrintRecord printRecord;
    std::memset(&printRecord, 0xFF, sizeof printRecord);
    outcome = RunModal([&] { return print(&printRecord); },
                       [](Robot& robot) { robot.Cancel(robot.WaitForWindow("Print")); });
    EXPECT_SCRIPT_OK(outcome);
    EXPECT_EQ(outcome.result, 0);
}

// ---- Print ----------------------------------------------------------------------

// OK fills the record with the real printer and a device context that prints:
// the page comes out of the printer's port as PostScript.
TEST_F(PrintTest, OkHandsOverThePrinterAndADeviceContextThatPrints) {
    const std::string printer = DefaultPrinterName();
    ASSERT_FALSE(printer.empty()) << "the Wine prefix has no default printer";
    const std::string port = ListsOf(printer).port;
    record_.collate = 0;
    const int32_t result = ShowPrint([&](Robot& robot) {
        HWND dlg = robot.WaitForWindow("Print");
        EXPECT_EQ(robot.Text(dlg, kPrinterGroup), DialogString(1451));
        EXPECT_EQ(robot.Text(dlg, kRangeGroup), DialogString(1456));
        EXPECT_TRUE(robot.IsChecked(dlg, kAll));
        EXPECT_FALSE(robot.IsChecked(dlg, kPages));
        EXPECT_TRUE(robot.IsChecked(dlg, kCollate));
        EXPECT_EQ(robot.Text(dlg, kFrom), "");
        robot.Click(dlg, IDOK);
    });
    ASSERT_EQ(result, 1);
    EXPECT_EQ(std::string(record_.printerName), printer);
    EXPECT_EQ(std::string(record_.port), port);
    EXPECT_EQ(record_.printRange, 1);
    EXPECT_EQ(record_.fromPage, -1);
    EXPECT_EQ(record_.toPage, -1);
    EXPECT_EQ(record_.copies, 1);
    EXPECT_EQ(record_.collate, 4);
    EXPECT_EQ(record_.printWhat, 32);
    EXPECT_EQ(record_.printWhatFlags, 0);
    EXPECT_EQ(record_.printDlg.lStructSize, sizeof(PRINTDLGA));
    EXPECT_NE(record_.printDlg.hDevNames, nullptr);
    ASSERT_NE(record_.printerDC, nullptr);

    DeleteFileA(port.c_str());
    DOCINFOA doc{sizeof doc, "QVSSD print test", nullptr, nullptr, 0};
    ASSERT_GT(StartDocA(record_.printerDC, &doc), 0);
    ASSERT_GT(StartPage(record_.printerDC), 0);
    TextOutA(record_.printerDC, 300, 300, "Budget 2024", 11);
    Rectangle(record_.printerDC, 200, 200, 1200, 800);
    ASSERT_GT(EndPage(record_.printerDC), 0);
    ASSERT_GT(EndDoc(record_.printerDC), 0);
    ASSERT_TRUE(WaitForFile(port, 10000)) << port;
    EXPECT_EQ(ReadFileText(port, 4), "%!PS");
}

TEST_F(PrintTest, PageRangeAndCopiesAreChecked) {
    const int32_t result = ShowPrint([&](Robot& robot) {
        HWND dlg = robot.WaitForWindow("Print");
        robot.Click(dlg, kPages);
        struct Case {
            const char* from;
            const char* to;
            UINT message;
        };
        for (const Case& c :
             {Case{"3", "1", 1190}, Case{"0", "5", 1191}, Case{"1", "40000", 1191}}) {
            SCOPED_TRACE(c.from);
            robot.SetText(dlg, kFrom, c.from);
            robot.SetText(dlg, kTo, c.to);
            robot.Click(dlg, IDOK);
            EXPECT_EQ(Answer(robot), Message(c.message));
            EXPECT_TRUE(IsWindowVisible(dlg));
        }
        robot.SetText(dlg, kFrom, "1,000");
        robot.SetText(dlg, kTo, "2,000");
        robot.SetText(dlg, kCopies, "0");
        robot.Click(dlg, IDOK);
        EXPECT_EQ(Answer(robot), qvtest::LibraryString(appFolder_, "QVComnSE.dll", 8008));
        EXPECT_EQ(robot.Text(dlg, kFrom), "1000");
        EXPECT_EQ(robot.Text(dlg, kTo), "2000");
        robot.SetText(dlg, kCopies, "2");
        robot.Click(dlg, kCollate); // off
        robot.Click(dlg, kSelection);
        robot.Click(dlg, IDOK);
    });
    ASSERT_EQ(result, 1);
    EXPECT_EQ(record_.printRange, 2);
    EXPECT_EQ(record_.fromPage, 1000);
    EXPECT_EQ(record_.toPage, 2000);
    EXPECT_EQ(record_.copies, 2);
    EXPECT_EQ(record_.collate & 4, 0);
    EXPECT_EQ(record_.printWhat, 32);
    EXPECT_EQ(record_.printWhatFlags, 8);
}

TEST_F(PrintTest, PreviewReturnsTwoAndCancelLeavesTheRecord) {
    record_.collate = 4;
    const PrintRecord before = record_;
    int32_t result = ShowPrint([&](Robot& robot) { robot.Cancel(robot.WaitForWindow("Print")); });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(std::memcmp(&record_, &before, sizeof record_), 0);

    result = ShowPrint([&](Robot& robot) {
        HWND dlg = robot.WaitForWindow("Print");
        robot.Click(dlg, kWorkbook);
        // "Preview" is kept hidden; the host's own button would send this.
        robot.Post([dlg] {
            SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(kPreview, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(dlg, kPreview)));
        });
        EXPECT_TRUE(robot.WaitClosed(dlg));
    });
    EXPECT_EQ(result, 2);
    EXPECT_EQ(record_.printerName[0], '\0');
    EXPECT_EQ(record_.printerDC, nullptr);
}

TEST_F(PrintTest, PrintToFileAsksForAFileItCanCreate) {
    const std::string folder = qvhost::MakeScratchFolder("qvssd-print");
    const std::string target = folder + "\\budget.prn";
    ASSERT_TRUE(qvhost::WriteTextFile(target, "old contents"));
    int32_t result = ShowPrint([&](Robot& robot) {
        HWND dlg = robot.WaitForWindow("Print");
        robot.Click(dlg, kPrintToFile);
        EXPECT_EQ(record_.printToFile, 1);
        robot.Click(dlg, kPrintToFile);
        EXPECT_EQ(record_.printToFile, 0);
        robot.Click(dlg, kPrintToFile);
        robot.Click(dlg, IDOK);
        HWND toFile = robot.WaitForWindow("Print To File");
        EXPECT_FALSE(IsWindowVisible(dlg));
        robot.Click(toFile, IDOK);
        EXPECT_EQ(Answer(robot), Message(1247));
        robot.SetText(toFile, kOutputName, folder + "\\missing\\budget.prn");
        robot.Click(toFile, IDOK);
        EXPECT_EQ(Answer(robot), Message(1247));
        robot.SetText(toFile, kOutputName, target);
        robot.Click(toFile, IDOK);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(std::string(record_.outputFile), target);
    EXPECT_EQ(record_.printToFile, 1);
    EXPECT_TRUE(qvhost::FileExists(target));
    EXPECT_EQ(qvhost::ReadTextFile(target), "");
    qvhost::RemoveFolder(folder);

    // Cancelling Print To File cancels printing; the record stays unfilled.
    PrintRecord fresh{};
    record_ = fresh;
    result = ShowPrint([&](Robot& robot) {
        HWND dlg = robot.WaitForWindow("Print");
        robot.Click(dlg, kPrintToFile);
        robot.Click(dlg, IDOK);
        robot.Cancel(robot.WaitForWindow("Print To File"));
        EXPECT_TRUE(robot.WaitClosed(dlg));
    });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(record_.printerName[0], '\0');
    EXPECT_EQ(record_.outputFile[0], '\0');
}

TEST_F(PrintTest, LocalMenuRelabelsAndMissingStringsKeepTheTemplate) {
    qvhost::SetMenuLanguage(2);
    LoadFrom(appFolder_);
    int32_t result = ShowPrint([&](Robot& robot) {
        HWND dlg = robot.WaitForWindow("Print");
        EXPECT_EQ(robot.Text(dlg, kRangeGroup), DialogString(1456, 2));
        EXPECT_EQ(robot.Text(dlg, kPrintToFile), DialogString(1455, 2));
        EXPECT_EQ(robot.Text(dlg, IDOK), DialogString(1303, 2));
        robot.Cancel(dlg);
    });
    EXPECT_EQ(result, 0);

    qvhost::ScratchAppFolder scratch(appFolder_, {"QVSSDSL.dll"});
    ASSERT_TRUE(scratch.ok());
    LoadFrom(scratch.path());
    result = ShowPrint([&](Robot& robot) {
        HWND dlg = robot.WaitForWindow("Print");
        EXPECT_TRUE(robot.NoMessageBoxWithin(300));
        EXPECT_EQ(robot.Text(dlg, kRangeGroup), "Print range");
        robot.Cancel(dlg);
    });
    EXPECT_EQ(result, 0);
    library_.reset();
}
