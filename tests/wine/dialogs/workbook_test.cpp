// Paste Special (both kinds), Hyperlink, Templates, Move or Copy, Unhide,
// Password and the file-feature details box, driven through their exports.
#include "harness.h"

#include "qvcore/transliterate.h"
#include "qvssd/exports.h"
#include "qvssd/messages.h"
#include "qvssd/records.h"

#include <commctrl.h>
#include <prsht.h>

#include <cstring>
#include <regex>
#include <utility>
#include <vector>

using qvrobot::Robot;
using qvrobot::RunModal;

namespace {

// Paste Special
constexpr int kPasteLink = 3, kOpNone = 1051, kOpMultiply = 1054, kOpDivide = 1055;
constexpr int kSkipBlanks = 1056, kTranspose = 1057, kOperationGroup = 1059;
constexpr int kPasteAll = 1060, kPasteValues = 1062, kPasteFormats = 1063;
constexpr int kColumnWidths = 1064, kAllExceptBorders = 1065, kValuesNumbers = 1067;
// Clipboard formats
constexpr int kFormats = 1178, kDescription = 1176, kIconFrame = 1175;
// Hyperlink
constexpr int kLinkText = 1133, kAddress = 1134, kRemove = 1088, kBrowse = 1095;
// Templates
constexpr int kTemplateList = 3000, kReportView = 1062, kListView = 1061, kPreviewText = 3010;
// Move or Copy
constexpr int kBooks = 1017, kBefore = 214, kCreateCopy = 1036;
// Unhide, Password, details
constexpr int kHiddenSheets = 1001, kPasswordBox = 1150, kPasswordFile = 1151;
constexpr int kDetailsButton = 1019, kDetailsBox = 1020, kLossMessage = 1021;

class WorkbookDialogs : public qvtest::DialogTest {
  protected:
    template <class F, class... Args>
    int32_t Run(const char* name, const std::function<void(Robot&)>& script, Args... args) {
        auto show = Export<F>(name);
        auto outcome = RunModal([&] { return show(args...); }, script);
        EXPECT_SCRIPT_OK(outcome);
        return outcome.result;
    }
};

// ---- helpers -----------------------------------------------------------------------

// Puts blocks of data on the clipboard under the given formats (replacing
// what it held); CF_ENHMETAFILE gets a small metafile.
void PutOnClipboard(const std::vector<UINT>& formats) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    for (UINT format : formats) {
        if (format == CF_ENHMETAFILE) {
            HDC dc = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
            Rectangle(dc, 0, 0, 10, 10);
            SetClipboardData(CF_ENHMETAFILE, CloseEnhMetaFile(dc));
            continue;
        }
        static const char kData[] = "Region\tSales\r\n";
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, sizeof kData);
        std::memcpy(GlobalLock(block), kData, sizeof kData);
        GlobalUnlock(block);
        SetClipboardData(format, block);
    }
    CloseClipboard();
}

std::vector<std::vector<std::string>> ListRows(HWND list) {
    std::vector<std::vector<std::string>> rows;
    const int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < count; ++row) {
        std::vector<std::string> cells;
        for (int column = 0; column < 4; ++column) {
            cells.push_back(qvtest::ListViewText(list, row, column));
        }
        rows.push_back(std::move(cells));
    }
    return rows;
}

int ListSelection(HWND list) {
    return static_cast<int>(
        SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void SetRowSelected(Robot& robot, HWND list, int row, bool selected) {
    robot.Post([list, row, selected] {
        LVITEMA item{};
        item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        item.state = selected ? (LVIS_SELECTED | LVIS_FOCUSED) : 0;
        SendMessageA(list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
    });
    robot.WaitIdle();
}

HWND CurrentPage(HWND sheet) {
    return reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
}

DWORD ListStyle(HWND list) {
    return static_cast<DWORD>(GetWindowLongA(list, GWL_STYLE)) & LVS_TYPEMASK;
}

int WindowHeight(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return r.bottom - r.top;
}

bool MakeFolder(const std::string& path) {
    return CreateDirectoryA(path.c_str(), nullptr) != 0 || GetLastError() == ERROR_ALREADY_EXISTS;
}

// ---- Paste Special -------------------------------------------------------------------

TEST_F(WorkbookDialogs, PasteLinkNeverEnabledWhenTheSourceDisallowsIt) {
    QVPasteSpecialRecord record{9, 9, 9, 9, 0, 0};
    const int32_t result = Run<QVShowPasteSpecialFn>(
        "QVShowPasteSpecial",
        [&](Robot& robot) {
            HWND dlg = robot.WaitForWindow("Paste Special");
            EXPECT_TRUE(robot.IsChecked(dlg, kPasteAll));
            EXPECT_TRUE(robot.IsChecked(dlg, kOpNone));
            EXPECT_EQ(robot.FocusedId(), kPasteAll);
            EXPECT_FALSE(robot.IsEnabled(dlg, kColumnWidths));
            EXPECT_FALSE(robot.IsEnabled(dlg, kPasteLink));
            EXPECT_FALSE(robot.IsVisible(dlg, 1068));
            // Every clickable control, in an order that passes through every
            // state the rule knows, twice over.
            const int clicks[] = {
                kAllExceptBorders, kTranspose, kTranspose,    kSkipBlanks,  kSkipBlanks,
                kOpDivide,         kOpNone,    kPasteFormats, kPasteValues, kOpMultiply,
                kOpNone,           kPasteAll,  1061,          1066,         kValuesNumbers,
                kAllExceptBorders, kTranspose, kPasteAll,     kTranspose,   kOpNone};
            for (int id : clicks) {
                robot.Click(dlg, id);
                EXPECT_FALSE(robot.IsEnabled(dlg, kPasteLink)) << "after clicking " << id;
                EXPECT_FALSE(robot.IsEnabled(dlg, kColumnWidths)) << "after clicking " << id;
            }
            // Right on Cancel while Paste Link is disabled moves on as Tab
            // does: to the first group, not round to "Skip blanks".
            robot.PressKey(dlg, IDCANCEL, VK_RIGHT);
            EXPECT_EQ(robot.FocusedId(), kPasteAll);
            robot.Click(dlg, kPasteValues);
            robot.Click(dlg, kOpMultiply);
            robot.Click(dlg, kSkipBlanks);
            robot.Click(dlg, IDOK);
        },
        &record);
    EXPECT_EQ(result, 1);
    EXPECT_EQ(record.paste, 2);
    EXPECT_EQ(record.operation, 3);
    EXPECT_EQ(record.skipBlanks, 1);
    EXPECT_EQ(record.transpose, 0);
    EXPECT_EQ(record.pasteLink, 0);
}

TEST_F(WorkbookDialogs, PasteLinkFollowsTheChoicesAndClosesWithTheLinkFlag) {
    QVPasteSpecialRecord record{0, 0, 0, 0, 0, 1};
    const int32_t result = Run<QVShowPasteSpecialFn>(
        "QVShowPasteSpecial",
        [&](Robot& robot) {
            HWND dlg = robot.WaitForWindow("Paste Special");
            EXPECT_EQ(robot.Text(dlg, kPasteLink), DialogString(1323));
            EXPECT_TRUE(robot.IsEnabled(dlg, kPasteLink));
            EXPECT_TRUE(robot.IsEnabled(dlg, kColumnWidths));
            // Formats: no operation, no link.
            robot.Click(dlg, kPasteFormats);
            EXPECT_FALSE(robot.IsEnabled(dlg, kOpNone));
            EXPECT_FALSE(robot.IsEnabled(dlg, kOperationGroup));
            EXPECT_FALSE(robot.IsEnabled(dlg, kPasteLink));
            // Values: operations again, still no link.
            robot.Click(dlg, kPasteValues);
            EXPECT_TRUE(robot.IsEnabled(dlg, kOpDivide));
            EXPECT_FALSE(robot.IsEnabled(dlg, kPasteLink));
            robot.Click(dlg, kAllExceptBorders);
            EXPECT_TRUE(robot.IsEnabled(dlg, kPasteLink));
            robot.Click(dlg, kOpMultiply);
            EXPECT_FALSE(robot.IsEnabled(dlg, kPasteLink));
            robot.Click(dlg, kOpNone);
            EXPECT_TRUE(robot.IsEnabled(dlg, kPasteLink));
            robot.Click(dlg, kTranspose);
            EXPECT_FALSE(robot.IsEnabled(dlg, kPasteLink));
            // A paste choice while "Transpose" is ticked keeps the link off.
            robot.Click(dlg, kPasteAll);
            EXPECT_FALSE(robot.IsEnabled(dlg, kPasteLink));
            robot.Click(dlg, kTranspose);
            EXPECT_TRUE(robot.IsEnabled(dlg, kPasteLink));
            robot.Click(dlg, kSkipBlanks);
            EXPECT_FALSE(robot.IsEnabled(dlg, kPasteLink));
            // Left on "Skip blanks" goes back to the operations.
            robot.PressKey(dlg, kSkipBlanks, VK_LEFT);
            EXPECT_EQ(robot.FocusedId(), kOpNone);
            robot.Click(dlg, kSkipBlanks);
            ASSERT_TRUE(robot.IsEnabled(dlg, kPasteLink));
            // Right on "Paste Link" moves on as Tab does.
            robot.PressKey(dlg, kPasteLink, VK_RIGHT);
            EXPECT_EQ(robot.FocusedId(), kPasteAll);
            robot.Click(dlg, kAllExceptBorders);
            robot.Click(dlg, kPasteLink);
        },
        &record);
    EXPECT_EQ(result, 1);
    EXPECT_EQ(record.pasteLink, 1);
    EXPECT_EQ(record.paste, 5);
    EXPECT_EQ(record.operation, 0);
    EXPECT_EQ(record.skipBlanks, 0);
    EXPECT_EQ(record.transpose, 0);

    // Cancel writes nothing.
    QVPasteSpecialRecord untouched{7, 7, 7, 7, 0, 1};
    EXPECT_EQ(Run<QVShowPasteSpecialFn>(
                  "QVShowPasteSpecial",
                  [&](Robot& robot) {
                      HWND dlg = robot.WaitForWindow("Paste Special");
                      robot.Click(dlg, kPasteValues);
                      robot.Cancel(dlg);
                  },
                  &untouched),
              0);
    EXPECT_EQ(untouched.paste, 7);
    EXPECT_EQ(untouched.operation, 7);
    EXPECT_EQ(Export<QVShowPasteSpecialFn>("QVShowPasteSpecial")(nullptr), 0);
}

TEST_F(WorkbookDialogs, ClipboardPasteSpecialListsTheFormatsOnTheClipboard) {
    const UINT biff8 = RegisterClipboardFormatA("Biff8");
    const UINT drawing = RegisterClipboardFormatA("Office Drawing Shape Format");
    const UINT jfif = RegisterClipboardFormatA("JFIF");

    // Only text: "Text" alone, chosen with OK.
    PutOnClipboard({CF_TEXT});
    uint32_t choice = 77;
    int32_t result = Run<QVShowExtPasteSpecialFn>(
        "QVShowExtPasteSpecial",
        [&](Robot& robot) {
            HWND dlg = robot.WaitForWindow("Paste Special");
            EXPECT_EQ(robot.Items(dlg, kFormats), std::vector<std::string>{"Text"});
            EXPECT_EQ(robot.SelectedIndex(dlg, kFormats), 0);
            EXPECT_EQ(robot.FocusedId(), kFormats);
            EXPECT_EQ(robot.Text(dlg, kDescription), DialogString(1978));
            EXPECT_EQ(robot.Text(dlg, 1179), DialogString(1970));
            EXPECT_TRUE(robot.IsChecked(dlg, 1171));
            EXPECT_FALSE(robot.IsVisible(dlg, 1172));
            EXPECT_FALSE(robot.IsVisible(dlg, 1177));
            HWND icon = robot.Control(dlg, kIconFrame);
            EXPECT_EQ(GetWindowLongA(icon, GWL_STYLE) & SS_TYPEMASK, SS_ICON);
            EXPECT_NE(SendMessageA(icon, STM_GETICON, 0, 0), 0);
            robot.Click(dlg, IDOK);
        },
        2, &choice);
    EXPECT_EQ(result, 1);
    EXPECT_EQ(choice, static_cast<uint32_t>(CF_TEXT));

    // Everything the dialog knows, in its own order whatever the clipboard's.
    PutOnClipboard({jfif, drawing, CF_ENHMETAFILE, CF_TEXT, biff8});
    result = Run<QVShowExtPasteSpecialFn>(
        "QVShowExtPasteSpecial",
        [&](Robot& robot) {
            HWND dlg = robot.WaitForWindow("Paste Special");
            EXPECT_EQ(robot.Items(dlg, kFormats),
                      (std::vector<std::string>{"Biff8", "Text", "Picture (Enhanced Metafile)",
                                                "Ms Office Drawing Object", "Picture (JPEG)"}));
            EXPECT_EQ(robot.Text(dlg, kDescription), DialogString(1975));
            robot.Select(dlg, kFormats, 3);
            EXPECT_EQ(robot.Text(dlg, kDescription), DialogString(1981));
            robot.DoubleClick(dlg, kFormats, 4);
        },
        2, &choice);
    EXPECT_EQ(result, 1);
    EXPECT_EQ(choice, jfif);

    // Cancel: -1 and choice 0.
    choice = 5;
    result = Run<QVShowExtPasteSpecialFn>(
        "QVShowExtPasteSpecial",
        [&](Robot& robot) { robot.Cancel(robot.WaitForWindow("Paste Special")); }, 2, &choice);
    EXPECT_EQ(result, -1);
    EXPECT_EQ(choice, 0u);

    // Another mode lists nothing; OK then reports 0.
    choice = 5;
    result = Run<QVShowExtPasteSpecialFn>(
        "QVShowExtPasteSpecial",
        [&](Robot& robot) {
            HWND dlg = robot.WaitForWindow("Paste Special");
            EXPECT_TRUE(robot.Items(dlg, kFormats).empty());
            EXPECT_EQ(robot.Text(dlg, kDescription), "");
            robot.Click(dlg, IDOK);
        },
        1, &choice);
    EXPECT_EQ(result, 1);
    EXPECT_EQ(choice, 0u);
    EXPECT_EQ(Export<QVShowExtPasteSpecialFn>("QVShowExtPasteSpecial")(2, nullptr), -1);
}

// ---- Hyperlink --------------------------------------------------------------------------

TEST_F(WorkbookDialogs, HyperlinkOKNeedsAnAddressAndReturnsFreeableCopies) {
    char text[] = "Sales";
    char address[] = "";
    QVHyperLinkRecord record{text, address, 0, 0, 0, 0};
    const int32_t result = Run<QVShowHyperLinkFn>(
        "QVShowHyperLink",
        [&](Robot& robot) {
            HWND dlg = robot.WaitForWindow("Insert Hyperlink");
            EXPECT_FALSE(robot.HasControl(dlg, kRemove));
            EXPECT_EQ(robot.Text(dlg, kLinkText), "Sales");
            EXPECT_FALSE(GetWindowLongA(robot.Control(dlg, kLinkText), GWL_STYLE) & ES_READONLY);
            EXPECT_FALSE(robot.IsEnabled(dlg, IDOK));
            robot.SetText(dlg, kAddress, "http://example.com/");
            EXPECT_TRUE(robot.IsEnabled(dlg, IDOK));
            robot.SetText(dlg, kAddress, "");
            EXPECT_FALSE(robot.IsEnabled(dlg, IDOK));
            // Enter with no address does not close the dialog.
            robot.PressKey(dlg, kLinkText, VK_RETURN);
            EXPECT_TRUE(IsWindow(dlg));
            robot.TypeChars(dlg, kAddress, "x");
            EXPECT_TRUE(robot.IsEnabled(dlg, IDOK));
            robot.SetText(dlg, kAddress, "C:\\Reports\\Q3.xls");
            robot.SetText(dlg, kLinkText, "Third quarter");
            robot.Click(dlg, IDOK);
        },
        &record);
    EXPECT_EQ(result, 1);
    ASSERT_NE(record.linkText, nullptr);
    ASSERT_NE(record.address, nullptr);
    EXPECT_NE(record.linkText, text);
    EXPECT_NE(record.address, address);
    EXPECT_STREQ(record.linkText, "Third quarter");
    EXPECT_STREQ(record.address, "C:\\Reports\\Q3.xls");
    EXPECT_EQ(record.textScript, 1);
    EXPECT_EQ(record.remove, 0);
    // Both are blocks of the shared heap, exactly as long as their texts.
    EXPECT_EQ(HeapSize(GetProcessHeap(), 0, record.linkText), sizeof "Third quarter");
    EXPECT_EQ(HeapSize(GetProcessHeap(), 0, record.address), sizeof "C:\\Reports\\Q3.xls");
    QVFree(record.linkText);
    QVFree(record.address);
    EXPECT_TRUE(HeapValidate(GetProcessHeap(), 0, nullptr));
}

TEST_F(WorkbookDialogs, HyperlinkShowsFormulasAndNumbersReadOnlyAndRemoves) {
    const struct {
        const char* text;
        bool readOnly;
    } cases[] = {{"=SUM(A1:A3)", true}, {"-42", true}, {"+7", true}, {"12a", false}, {"", false}};
    for (const auto& c : cases) {
        std::string text = c.text;
        char address[] = "http://example.com/";
        QVHyperLinkRecord record{text.data(), address, 0, 1, 0, 1};
        const int32_t result = Run<QVShowHyperLinkFn>(
            "QVShowHyperLink",
            [&](Robot& robot) {
                HWND dlg = robot.WaitForWindow("Edit Hyperlink");
                const LONG style = GetWindowLongA(robot.Control(dlg, kLinkText), GWL_STYLE);
                EXPECT_EQ((style & ES_READONLY) != 0, c.readOnly) << c.text;
                EXPECT_TRUE(robot.IsEnabled(dlg, IDOK));
                EXPECT_EQ(robot.Text(dlg, kRemove), DialogString(1157));
                robot.Click(dlg, kRemove);
            },
            &record);
        EXPECT_EQ(result, 1);
        EXPECT_EQ(record.remove, 1);
        ASSERT_NE(record.address, nullptr);
        EXPECT_NE(record.address, address);
        EXPECT_STREQ(record.address, "");
        EXPECT_STREQ(record.linkText, c.text);
        QVFree(record.linkText);
        QVFree(record.address); // the empty address is the host's to free as well
    }

    // Cancel leaves the host's pointers alone; NULL texts show empty boxes.
    QVHyperLinkRecord record{nullptr, nullptr, 0, 0, 9, 0};
    EXPECT_EQ(Run<QVShowHyperLinkFn>(
                  "QVShowHyperLink",
                  [&](Robot& robot) {
                      HWND dlg = robot.WaitForWindow("Insert Hyperlink");
                      EXPECT_EQ(robot.Text(dlg, kLinkText), "");
                      EXPECT_FALSE(robot.IsEnabled(dlg, IDOK));
                      robot.Cancel(dlg);
                  },
                  &record),
              0);
    EXPECT_EQ(record.linkText, nullptr);
    EXPECT_EQ(record.address, nullptr);
    EXPECT_EQ(record.textScript, 9);
}

TEST_F(WorkbookDialogs, HyperlinkTextBoxTogglesItsScriptUnlessTheHostSaysOtherwise) {
    // F3 switches the link text box to the other script and empties it...
    char text[] = "Sales";
    char address[] = "http://example.com/";
    QVHyperLinkRecord record{text, address, 0, 0, 0, 0};
    auto pressF3 = [&](const char* expectedText) {
        EXPECT_EQ(Run<QVShowHyperLinkFn>(
                      "QVShowHyperLink",
                      [&](Robot& robot) {
                          HWND dlg = robot.WaitForWindow("Insert Hyperlink");
                          robot.PressKey(dlg, kLinkText, VK_F3);
                          EXPECT_EQ(robot.Text(dlg, kLinkText), expectedText);
                          robot.Cancel(dlg);
                      },
                      &record),
                  0);
    };
    pressF3("");
    // ...but not when the host's language record has selector 2.
    qvhost::ScratchAppFolder scratch(appFolder_, {},
                                     {{"QVSSAPI.ini", "[Language]\r\nSelector=2\r\n"}});
    ASSERT_TRUE(scratch.ok());
    LoadFrom(scratch.path());
    pressF3("Sales");
    library_.reset();
}

TEST_F(WorkbookDialogs, HyperlinkBrowseCutsThePathAndRemembersItsFolder) {
    const std::string userData = qvhost::MakeScratchFolder("ws3-userdata");
    qvhost::SetUserDataFolder(userData);
    LoadFrom(appFolder_);
    const std::string folder = qvhost::MakeScratchFolder("ws3-links");
    const std::string name = std::string(251 - folder.size(), 'n') + ".xls";
    const std::string chosen = folder + "\\" + name;
    ASSERT_GT(chosen.size(), 250u); // and within MAX_PATH, which the file dialog needs

    char text[] = "Report";
    char address[] = "";
    QVHyperLinkRecord record{text, address, 0, 0, 0, 0};
    const int32_t result = Run<QVShowHyperLinkFn>(
        "QVShowHyperLink",
        [&](Robot& robot) {
            HWND dlg = robot.WaitForWindow("Insert Hyperlink");
            // A cancelled browse changes nothing.
            robot.Click(dlg, kBrowse);
            robot.Cancel(robot.WaitForWindow("Link to File"));
            EXPECT_EQ(robot.Text(dlg, kAddress), "");
            EXPECT_FALSE(robot.IsEnabled(dlg, IDOK));
            robot.Click(dlg, kBrowse);
            HWND files = robot.WaitForWindow("Link to File");
            robot.SetText(files, 0x47c, chosen);
            robot.Click(files, IDOK);
            robot.WaitClosed(files);
            EXPECT_EQ(robot.Text(dlg, kAddress), chosen.substr(0, 250));
            EXPECT_TRUE(robot.IsEnabled(dlg, IDOK));
            robot.Click(dlg, IDOK);
        },
        &record);
    EXPECT_EQ(result, 1);
    EXPECT_EQ(std::string(record.address), chosen.substr(0, 250));
    QVFree(record.linkText);
    QVFree(record.address);
    const std::string profile = qvhost::ReadTextFile(userData + "\\QVSSD.ini");
    EXPECT_NE(profile.find("[Settings]"), std::string::npos) << profile;
    EXPECT_NE(profile.find("Previous Path=" + folder + "\\"), std::string::npos) << profile;
    library_.reset();
    qvhost::RemoveFolder(folder);
    qvhost::RemoveFolder(userData);
}

// ---- Templates -------------------------------------------------------------------------

class TemplatesTest : public WorkbookDialogs {
  protected:
    void SetUp() override {
        WorkbookDialogs::SetUp();
        userData_ = qvhost::MakeScratchFolder("ws3-templates-user");
        qvhost::SetUserDataFolder(userData_);
        scratch_ = std::make_unique<qvhost::ScratchAppFolder>(
            appFolder_, std::vector<std::string>{"Templates"});
        ASSERT_TRUE(scratch_->ok());
        ASSERT_TRUE(MakeFolder(scratch_->path() + "\\Templates"));
        ASSERT_TRUE(MakeFolder(scratch_->path() + "\\Templates\\Eng"));
        ASSERT_TRUE(MakeFolder(scratch_->path() + "\\Templates\\Lang"));
    }
    void TearDown() override {
        library_.reset();
        scratch_.reset();
        qvhost::RemoveFolder(userData_);
        WorkbookDialogs::TearDown();
    }
    int32_t ShowTemplates(QVTemplateRecord& record, const std::function<void(Robot&)>& script) {
        LoadFrom(scratch_->path());
        return Run<QVShowTemplateFn>("QVShowTemplate", script, &record);
    }

    std::string userData_;
    std::unique_ptr<qvhost::ScratchAppFolder> scratch_;
};

TEST_F(TemplatesTest, AnEmptyFolderOffersThePlainWorkbookWithAnEmptyPath) {
    QVTemplateRecord record{};
    std::memset(record.path, 'x', sizeof record.path);
    record.page = 0x700;  // only the low byte counts
    record.view = 0x1301; // list view
    const int32_t result = ShowTemplates(record, [&](Robot& robot) {
        HWND sheet = robot.WaitForWindow("Templates");
        HWND page = CurrentPage(sheet);
        HWND list = robot.Control(page, kTemplateList);
        const auto rows = ListRows(list);
        ASSERT_EQ(rows.size(), 1u);
        EXPECT_EQ(rows[0],
                  (std::vector<std::string>{"Workbook", "0 " + DialogString(4507), "", ""}));
        EXPECT_EQ(ListSelection(list), 0);
        EXPECT_EQ(ListStyle(list), static_cast<DWORD>(LVS_LIST));
        EXPECT_TRUE(robot.IsEnabled(sheet, IDOK));
        EXPECT_EQ(robot.Text(page, kPreviewText), DialogString(4513));
        robot.Click(sheet, IDOK);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(std::string(record.path, sizeof record.path), std::string(sizeof record.path, '\0'));
    EXPECT_EQ(record.page, 0);
    EXPECT_EQ(record.view, 1);
}

TEST_F(TemplatesTest, ASmallTemplateShowsOneKilobyteAndItsPath) {
    ASSERT_TRUE(scratch_->WriteFile("Templates\\Eng\\Small.xls", std::string(500, 'x')));
    ASSERT_TRUE(scratch_->WriteFile("Templates\\Eng\\Large.xls", std::string(5000, 'x')));
    ASSERT_TRUE(scratch_->WriteFile("Templates\\Eng\\Notes.txt", "not a template"));
    QVTemplateRecord record{};
    record.view = 2;
    const int32_t result = ShowTemplates(record, [&](Robot& robot) {
        HWND sheet = robot.WaitForWindow("Templates");
        HWND page = CurrentPage(sheet);
        HWND list = robot.Control(page, kTemplateList);
        EXPECT_EQ(ListStyle(list), static_cast<DWORD>(LVS_REPORT));
        const auto rows = ListRows(list);
        ASSERT_EQ(rows.size(), 2u);
        EXPECT_EQ(rows[0][0], "Large");
        EXPECT_EQ(rows[0][1], "4 " + DialogString(4507));
        EXPECT_EQ(rows[1][0], "Small");
        EXPECT_EQ(rows[1][1], "1 " + DialogString(4507));
        EXPECT_EQ(rows[1][2], DialogString(4508));
        EXPECT_TRUE(std::regex_match(rows[1][3], std::regex(R"(\d\d/\d\d/\d\d \d\d:\d\d:\d\d)")))
            << rows[1][3];
        // No row selected: no OK and no preview.
        SetRowSelected(robot, list, 0, false);
        EXPECT_FALSE(robot.IsEnabled(sheet, IDOK));
        EXPECT_EQ(robot.Text(page, kPreviewText), DialogString(4514));
        SetRowSelected(robot, list, 1, true);
        EXPECT_TRUE(robot.IsEnabled(sheet, IDOK));
        EXPECT_EQ(robot.Text(page, kPreviewText), DialogString(4513));
        robot.Click(page, kListView);
        EXPECT_EQ(ListStyle(list), static_cast<DWORD>(LVS_LIST));
        robot.Click(sheet, IDOK);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(std::string(record.path), scratch_->path() + "\\Templates\\Eng\\Small.xls");
    EXPECT_EQ(record.view, 1);
    EXPECT_EQ(record.page, 0);
}

TEST_F(TemplatesTest, TheUsersPageListsOwnTemplatesAndCancelKeepsPageAndView) {
    ASSERT_TRUE(scratch_->WriteFile("Templates\\Eng\\Budget.xls", std::string(100, 'b')));
    ASSERT_TRUE(MakeFolder(userData_ + "\\Templates"));
    ASSERT_TRUE(qvhost::WriteTextFile(userData_ + "\\Templates\\Mine.xls", std::string(3000, 'm')));
    QVTemplateRecord record{};
    record.page = 1;
    int32_t result = ShowTemplates(record, [&](Robot& robot) {
        HWND sheet = robot.WaitForWindow("Templates");
        HWND page = CurrentPage(sheet);
        HWND list = robot.Control(page, kTemplateList);
        const auto rows = ListRows(list);
        ASSERT_EQ(rows.size(), 1u);
        EXPECT_EQ(rows[0][0], "Mine");
        EXPECT_EQ(rows[0][1], "2 " + DialogString(4507));
        robot.Click(page, kReportView);
        EXPECT_EQ(ListStyle(list), static_cast<DWORD>(LVS_REPORT));
        // The other page takes the view the sheet keeps.
        robot.Post([sheet] { PropSheet_SetCurSel(sheet, nullptr, 0); });
        robot.WaitIdle();
        HWND first = CurrentPage(sheet);
        ASSERT_NE(first, page);
        HWND firstList = robot.Control(first, kTemplateList);
        EXPECT_EQ(ListStyle(firstList), static_cast<DWORD>(LVS_REPORT));
        EXPECT_EQ(ListRows(firstList)[0][0], "Budget");
        robot.Cancel(sheet);
    });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(record.view, 2);
    EXPECT_EQ(record.page, 0);
    EXPECT_EQ(record.path[0], '\0');

    record = QVTemplateRecord{};
    record.page = 1;
    result = ShowTemplates(record, [&](Robot& robot) {
        HWND sheet = robot.WaitForWindow("Templates");
        robot.Click(sheet, IDOK);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(record.page, 1);
    EXPECT_EQ(std::string(record.path), userData_ + "\\Templates\\Mine.xls");
}

TEST_F(TemplatesTest, TheLocalMenuListsTheLocalTemplatesInCapitals) {
    ASSERT_TRUE(scratch_->WriteFile("Templates\\Eng\\English.xls", "e"));
    ASSERT_TRUE(scratch_->WriteFile("Templates\\Lang\\Ledger.xls", "l"));
    qvhost::SetMenuLanguage(2);
    QVTemplateRecord record{};
    record.view = 7; // unknown: large icons
    const int32_t result = ShowTemplates(record, [&](Robot& robot) {
        HWND sheet = robot.WaitForWindow("Templates");
        HWND list = robot.Control(CurrentPage(sheet), kTemplateList);
        EXPECT_EQ(ListStyle(list), static_cast<DWORD>(LVS_ICON));
        const auto rows = ListRows(list);
        ASSERT_EQ(rows.size(), 1u);
        // The engine writes the English name in the local script.
        EXPECT_EQ(rows[0][0],
                  qv::core::TransliterateEnglish("LEDGER", qv::core::IndicScript::Devanagari));
        EXPECT_EQ(rows[0][0], "लेजर");
        EXPECT_EQ(rows[0][1], "1 " + DialogString(4507, 2));
        EXPECT_EQ(robot.Text(sheet, IDOK), DialogString(1303, 2));
        robot.Click(sheet, IDOK);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(std::string(record.path), scratch_->path() + "\\Templates\\Lang\\Ledger.xls");
    EXPECT_EQ(record.view, 0);
}

// ---- Move or Copy ----------------------------------------------------------------------

TEST_F(WorkbookDialogs, MoveOrCopyListsTheBooksAndTheirSheets) {
    QVMoveOrCopyRecord record{};
    QVStringArrayAdd(&record.books, "Book1*Sheet1*Sheet2*");
    QVStringArrayAdd(&record.books, "Book2*Data*");
    record.beforeSheet = 99;
    const std::string newBook = DialogString(1511);
    const std::string toEnd = DialogString(1122);
    int32_t result = Run<QVShowMoveOrCopyFn>(
        "QVShowMoveOrCopy",
        [&](Robot& robot) {
            HWND dlg = robot.WaitForWindow("Move or Copy");
            EXPECT_EQ(robot.Items(dlg, kBooks),
                      (std::vector<std::string>{newBook, "Book1", "Book2"}));
            EXPECT_EQ(robot.SelectedText(dlg, kBooks), "Book1");
            EXPECT_EQ(robot.Items(dlg, kBefore),
                      (std::vector<std::string>{"Sheet1", "Sheet2", toEnd}));
            EXPECT_EQ(robot.SelectedIndex(dlg, kBefore), 0);
            robot.Select(dlg, kBooks, "Book2");
            EXPECT_EQ(robot.Items(dlg, kBefore), (std::vector<std::string>{"Data", toEnd}));
            robot.Select(dlg, kBooks, newBook);
            EXPECT_TRUE(robot.Items(dlg, kBefore).empty());
            robot.Select(dlg, kBooks, "Book1");
            robot.Select(dlg, kBefore, 2);
            robot.Click(dlg, kCreateCopy);
            robot.Click(dlg, IDOK);
        },
        &record);
    EXPECT_EQ(result, 1);
    EXPECT_EQ(record.createCopy, 1);
    EXPECT_EQ(record.beforeSheet, 2); // the move-to-end entry: the number of sheets
    ASSERT_NE(record.targetBook, nullptr);
    const char* target = record.targetBook;
    EXPECT_STREQ(target, "Book1");

    // A cancelled call leaves the last target text valid; the new book as target.
    result = Run<QVShowMoveOrCopyFn>(
        "QVShowMoveOrCopy",
        [&](Robot& robot) { robot.Cancel(robot.WaitForWindow("Move or Copy")); }, &record);
    EXPECT_EQ(result, 0);
    EXPECT_STREQ(target, "Book1");
    result = Run<QVShowMoveOrCopyFn>(
        "QVShowMoveOrCopy",
        [&](Robot& robot) {
            HWND dlg = robot.WaitForWindow("Move or Copy");
            robot.Select(dlg, kBooks, newBook);
            robot.Click(dlg, IDOK);
        },
        &record);
    EXPECT_EQ(result, 1);
    EXPECT_STREQ(record.targetBook, newBook.c_str());
    EXPECT_EQ(record.beforeSheet, 255);
    EXPECT_EQ(record.createCopy, 0);

    // A book named in the local script comes back in the bytes the host gave.
    QVStringArrayAdd(&record.books, "\xB4\xDA\xC2\xDA*Data*");
    result = Run<QVShowMoveOrCopyFn>(
        "QVShowMoveOrCopy",
        [&](Robot& robot) {
            HWND dlg = robot.WaitForWindow("Move or Copy");
            robot.Select(dlg, kBooks, 3);
            robot.Click(dlg, IDOK);
        },
        &record);
    EXPECT_EQ(result, 1);
    EXPECT_STREQ(record.targetBook, "\xB4\xDA\xC2\xDA");
    QVStringArrayRemoveAll(&record.books);
}

TEST_F(WorkbookDialogs, MoveOrCopyGivesMalformedEntriesADefinedMeaning) {
    QVMoveOrCopyRecord record{};
    const std::string longName(300, 'L');
    QVStringArrayAdd(&record.books, "Active*Last"); // last sheet without its "*"
    QVStringArrayAdd(&record.books, "NoStar");      // an empty book name
    QVStringArrayAdd(&record.books, "");            // the same
    QVStringArrayAdd(&record.books, "Gaps**Two*");  // an empty sheet name
    QVStringArrayAdd(&record.books, (longName + "*" + longName + "*").c_str());
    const int32_t result = Run<QVShowMoveOrCopyFn>(
        "QVShowMoveOrCopy",
        [&](Robot& robot) {
            HWND dlg = robot.WaitForWindow("Move or Copy");
            const auto books = robot.Items(dlg, kBooks);
            EXPECT_EQ(books.size(), 6u);
            EXPECT_EQ(robot.SelectedText(dlg, kBooks), "Active");
            EXPECT_EQ(robot.Items(dlg, kBefore),
                      (std::vector<std::string>{"Last", DialogString(1122)}));
            robot.Select(dlg, kBooks, "Gaps");
            EXPECT_EQ(robot.Items(dlg, kBefore),
                      (std::vector<std::string>{"", "Two", DialogString(1122)}));
            robot.Select(dlg, kBooks, std::string(255, 'L'));
            EXPECT_EQ(robot.Items(dlg, kBefore),
                      (std::vector<std::string>{std::string(255, 'L'), DialogString(1122)}));
            robot.Select(dlg, kBooks, "");
            EXPECT_EQ(robot.Items(dlg, kBefore), std::vector<std::string>{DialogString(1122)});
            robot.Click(dlg, IDOK);
        },
        &record);
    EXPECT_EQ(result, 1);
    EXPECT_STREQ(record.targetBook, "");
    EXPECT_EQ(record.beforeSheet, 0);
    QVStringArrayRemoveAll(&record.books);

    // An array that claims entries it does not have shows only the new book.
    QVMoveOrCopyRecord broken{};
    broken.books.size = 1000;
    EXPECT_EQ(Run<QVShowMoveOrCopyFn>(
                  "QVShowMoveOrCopy",
                  [&](Robot& robot) {
                      HWND dlg = robot.WaitForWindow("Move or Copy");
                      EXPECT_EQ(robot.Items(dlg, kBooks),
                                std::vector<std::string>{DialogString(1511)});
                      robot.Cancel(dlg);
                  },
                  &broken),
              0);
}

// ---- Unhide ------------------------------------------------------------------------------

TEST_F(WorkbookDialogs, UnhideListsOnlyTerminatedNamesAndWritesTheChoice) {
    char buffer[32] = "A*B*C";
    int32_t result = Run<QVShowUnhideSheetFn>(
        "QVShowUnhideSheet",
        [&](Robot& robot) {
            HWND dlg = robot.WaitForWindow("Unhide");
            EXPECT_EQ(robot.Items(dlg, kHiddenSheets), (std::vector<std::string>{"A", "B"}));
            EXPECT_EQ(robot.SelectedIndex(dlg, kHiddenSheets), 0);
            EXPECT_EQ(robot.Text(dlg, 1000), DialogString(1566));
            robot.Select(dlg, kHiddenSheets, 1);
            robot.Click(dlg, IDOK);
        },
        buffer);
    EXPECT_EQ(result, IDOK);
    EXPECT_STREQ(buffer, "B");
    EXPECT_EQ(std::string(buffer + 2, 3), "B*C"); // only the name and its zero were written

    char sorted[32] = "Zeta*Alpha*";
    result = Run<QVShowUnhideSheetFn>(
        "QVShowUnhideSheet",
        [&](Robot& robot) {
            HWND dlg = robot.WaitForWindow("Unhide");
            EXPECT_EQ(robot.Items(dlg, kHiddenSheets), (std::vector<std::string>{"Alpha", "Zeta"}));
            robot.DoubleClick(dlg, kHiddenSheets, 1);
        },
        sorted);
    EXPECT_EQ(result, IDOK);
    EXPECT_STREQ(sorted, "Zeta");

    // Two adjacent "*" give an empty name, which sorts first.
    char gaps[16] = "A**B*";
    result = Run<QVShowUnhideSheetFn>(
        "QVShowUnhideSheet",
        [&](Robot& robot) {
            HWND dlg = robot.WaitForWindow("Unhide");
            EXPECT_EQ(robot.Items(dlg, kHiddenSheets), (std::vector<std::string>{"", "A", "B"}));
            robot.Select(dlg, kHiddenSheets, 0);
            robot.Click(dlg, IDOK);
        },
        gaps);
    EXPECT_EQ(result, IDOK);
    EXPECT_STREQ(gaps, "");
    EXPECT_EQ(std::string(gaps + 1, 4), "**B*"); // only the empty name's zero was written

    char keep[16] = "X*Y*";
    result = Run<QVShowUnhideSheetFn>(
        "QVShowUnhideSheet", [&](Robot& robot) { robot.Cancel(robot.WaitForWindow("Unhide")); },
        keep);
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_STREQ(keep, "X*Y*");

    char empty[4] = "";
    result = Run<QVShowUnhideSheetFn>(
        "QVShowUnhideSheet",
        [&](Robot& robot) {
            HWND dlg = robot.WaitForWindow("Unhide");
            EXPECT_TRUE(robot.Items(dlg, kHiddenSheets).empty());
            robot.Click(dlg, IDOK);
        },
        empty);
    EXPECT_EQ(result, IDOK);
    EXPECT_STREQ(empty, "");
    EXPECT_EQ(Export<QVShowUnhideSheetFn>("QVShowUnhideSheet")(nullptr), IDCANCEL);
}

// ---- Password ------------------------------------------------------------------------------

TEST_F(WorkbookDialogs, PasswordPromptCutsLongNamesAndReturnsTheTypedPassword) {
    const std::string name = "Quarterly figures for the board 2024.xls"; // 40 characters
    ASSERT_EQ(name.size(), 40u);
    const std::string path = "C:\\Finance\\" + name;
    char password[64];
    std::memset(password, '#', sizeof password);
    int32_t result = Run<QVShowPasswordFn>(
        "QVShowPassword",
        [&](Robot& robot) {
            HWND dlg = robot.WaitForWindow("Password");
            EXPECT_EQ(robot.Text(dlg, kPasswordFile),
                      std::string("'").append(name, 0, 27).append("...'"));
            EXPECT_EQ(robot.Text(dlg, 1153), DialogString(1750));
            EXPECT_TRUE(GetWindowLongA(robot.Control(dlg, kPasswordBox), GWL_STYLE) & ES_PASSWORD);
            robot.SetText(dlg, kPasswordBox, "s3cret");
            robot.Click(dlg, IDOK);
        },
        path.c_str(), password);
    EXPECT_EQ(result, 1);
    EXPECT_STREQ(password, "s3cret");
    const auto switches = frame_->Log(WM_QV_SETINPUTLANG);
    ASSERT_FALSE(switches.empty());
    EXPECT_EQ(switches.front().wParam, 0u);

    // Names up to 25 characters are shown whole; paths without ".xls" or
    // without a folder, and no path at all, have a prompt too.
    const std::pair<const char*, std::string> prompts[] = {
        {"D:\\Books\\abcdefghijklmnopqrstu.xls", "'abcdefghijklmnopqrstu.xls'"},
        {"C:\\Docs\\report.ods", "'report.ods'"},
        {"ledger.xls", "'ledger.xls'"},
        {"C:\\x.xls\\inner", "'x.xls\\inner'"},
        {nullptr, "''"}};
    for (const auto& [input, prompt] : prompts) {
        std::memset(password, '#', sizeof password);
        password[sizeof password - 1] = '\0';
        result = Run<QVShowPasswordFn>(
            "QVShowPassword",
            [&](Robot& robot) {
                HWND dlg = robot.WaitForWindow("Password");
                EXPECT_EQ(robot.Text(dlg, kPasswordFile), prompt);
                robot.Cancel(dlg);
            },
            input, password);
        EXPECT_EQ(result, -1);
        EXPECT_EQ(password[0], '#'); // untouched on cancel
    }
    EXPECT_EQ(Export<QVShowPasswordFn>("QVShowPassword")(path.c_str(), nullptr), -1);
}

// ---- File-feature details ----------------------------------------------------------------

TEST_F(WorkbookDialogs, FileFeatureDetailsOpenCollapsedAndToggle) {
    auto details = Export<QVShowErrorDetailsFn>("QVShowErrorDetails");
    auto outcome = RunModal(
        [&] {
            details("Charts\r\nMacros\nPivot tables");
            return 0;
        },
        [&](Robot& robot) {
            HWND dlg = robot.WaitForWindow("TWcalc");
            const std::string message = robot.Text(dlg, kLossMessage);
            EXPECT_EQ(message.size(), 172u);
            EXPECT_EQ(message.rfind("Some of the features/ data", 0), 0u);
            EXPECT_EQ(robot.Text(dlg, kDetailsButton), "Details >>");
            EXPECT_EQ(robot.Text(dlg, kDetailsBox),
                      "The following feature(s) are not supported by the current version of "
                      "TWcalc:\r\nCharts\r\nMacros\r\nPivot tables");
            RECT box{};
            GetWindowRect(robot.Control(dlg, kDetailsBox), &box);
            const int delta = (box.bottom - box.top) + 25;
            const int collapsed = WindowHeight(dlg);
            robot.Click(dlg, kDetailsButton);
            EXPECT_EQ(WindowHeight(dlg), collapsed + delta);
            EXPECT_EQ(robot.Text(dlg, kDetailsButton), "<< Details");
            robot.Click(dlg, kDetailsButton);
            EXPECT_EQ(WindowHeight(dlg), collapsed);
            EXPECT_EQ(robot.Text(dlg, kDetailsButton), "Details >>");
            robot.Click(dlg, IDOK);
        });
    EXPECT_SCRIPT_OK(outcome);

    // No text: nothing is shown.
    outcome = RunModal(
        [&] {
            details(nullptr);
            return 0;
        },
        [](Robot& robot) { EXPECT_EQ(robot.FindDialog(500), nullptr); });
    EXPECT_SCRIPT_OK(outcome);
}

} // namespace
