// The dialogs in the local menu language with the Hindi and with the Tamil
// libraries installed: texts are the language's own, messages too, references
// typed with the language's column letters reach the host in A1 form, and
// every label the dialogs relabel fits its control.
#include "harness.h"

#include "qvcore/utf8.h"
#include "qvssd/exports.h"
#include "qvssd/messages.h"
#include "qvssd/records.h"

#include <commctrl.h>
#include <prsht.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

using qvrobot::Robot;

// A language's code (the build's lang/<code> folder), its script block and
// the first letters of its column alphabet, in order.
struct Language {
    const char* code;
    char32_t first;
    char32_t last;
    const char* columns[3];
};
const Language kHindi{"hi", 0x0900, 0x097F, {"क", "ख", "ग"}};
const Language kTamil{"ta", 0x0B80, 0x0BFF, {"அ", "ஆ", "இ"}};

bool InScript(const std::string& text, const Language& language) {
    for (char32_t c : qv::core::DecodeUtf8(text)) {
        if (c >= language.first && c <= language.last) {
            return true;
        }
    }
    return false;
}

// Dialog tests over an application folder whose local libraries are one
// language's.
class LocalLanguage : public qvtest::DialogTest,
                      public ::testing::WithParamInterface<const Language*> {
  protected:
    void SetUp() override {
        DialogTest::SetUp();
        language_ = GetParam();
        scratch_ = std::make_unique<qvhost::ScratchAppFolder>();
        ASSERT_TRUE(scratch_->ok());
        const std::string lang = appFolder_ + "\\..\\lang\\" + language_->code + "\\";
        for (const char* lib : {"QVSSDSL.dll", "QVComnSL.dll", "QVMSGSL.dll", "QVSSMSL.dll"}) {
            ASSERT_TRUE(
                CopyFileA((lang + lib).c_str(), (scratch_->path() + "\\" + lib).c_str(), FALSE))
                << lang << lib;
        }
        UseStringsFrom(scratch_->path());
        qvhost::SetMenuLanguage(2);
        LoadFrom(scratch_->path());
    }
    void TearDown() override {
        DialogTest::TearDown();
        scratch_.reset();
    }

    const Language* language_ = nullptr;
    std::unique_ptr<qvhost::ScratchAppFolder> scratch_;
};

TEST_P(LocalLanguage, GoToShowsTheLanguageAndItsMessages) {
    frame_->SetGotoResult(-1);
    char a[] = "Total", b[] = "Budget";
    char* names[] = {a, b};
    QVGotoRecord record{nullptr, names, 2};
    auto show = Export<QVShowGotoFn>("QVShowGoto");
    auto outcome = qvrobot::RunModal([&] { return show(&record); },
                                     [&](Robot& robot) {
                                         HWND dlg = robot.WaitForWindow("Go To");
                                         const std::string label = robot.Text(dlg, 1039);
                                         EXPECT_EQ(label, DialogString(1448, 2));
                                         EXPECT_TRUE(InScript(label, *language_)) << label;
                                         EXPECT_EQ(robot.Text(dlg, IDOK), DialogString(1303, 2));
                                         EXPECT_EQ(robot.FontFace(dlg, 1039).substr(0, 3),
                                                   language_ == &kTamil ? "TAM" : "HIN");
                                         robot.SetText(dlg, 1042, "Z9");
                                         robot.Click(dlg, IDOK);
                                         // The host refuses the jump: the message is the
                                         // language's, in its script.
                                         auto box = robot.ExpectMessageBox();
                                         ASSERT_TRUE(box.exists);
                                         EXPECT_EQ(box.text, Message(1187, 2));
                                         EXPECT_TRUE(InScript(box.text, *language_)) << box.text;
                                         robot.AnswerMessageBox(1);
                                         robot.Cancel(dlg);
                                     });
    EXPECT_SCRIPT_OK(outcome);
    EXPECT_EQ(outcome.result, 0);
}

TEST_P(LocalLanguage, FormatCellsTabsListsAndButtons) {
    CellFormatRecord record{};
    auto show = Export<QVShowFormatCellsFn>("QVShowFormatCells");
    auto outcome = qvrobot::RunModal(
        [&] { return show(frame_->hwnd(), &record); },
        [&](Robot& robot) {
            HWND sheet = robot.WaitForWindow("Format Cells");
            HWND tabs = reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETTABCONTROL, 0, 0));
            const auto captions = qvtest::TabTexts(tabs);
            ASSERT_EQ(captions.size(), 5u);
            EXPECT_EQ(captions[0], DialogString(1093, 2));
            EXPECT_EQ(captions[4], DialogString(1725, 2));
            for (const std::string& caption : captions) {
                EXPECT_TRUE(InScript(caption, *language_));
            }
            const auto categories = robot.Items(sheet, 1015);
            ASSERT_FALSE(categories.empty());
            EXPECT_EQ(categories[0], DialogString(1001, 2));
            EXPECT_EQ(robot.Text(sheet, IDCANCEL), DialogString(1304, 2));
            robot.Click(sheet, IDOK);
        });
    EXPECT_SCRIPT_OK(outcome);
    EXPECT_EQ(outcome.result, 1);
}

TEST_P(LocalLanguage, TextToColumnsReadsTheLanguagesColumnLetters) {
    QVStringArray lines{};
    QVStringArray breaks{};
    QVStringArrayAdd(&lines, "1,2");
    char destination[64] = "B2";
    char face[] = "Arial";
    TextToColumnRecord record{};
    record.lines = &lines;
    record.columnBreaks = &breaks;
    record.destination = destination;
    record.fontFace = face;
    record.fontSize = 10;
    auto show = Export<QVShowTextToColumnFn>("QVShowTextToColumn");
    const std::string second = language_->columns[1];
    const std::string third = language_->columns[2];
    auto outcome = qvrobot::RunModal([&] { return show(&record); },
                                     [&](Robot& robot) {
                                         HWND sheet = robot.WaitForDialog();
                                         for (int step = 0; step < 2; ++step) {
                                             robot.Click(sheet, 0x3024); // Next
                                         }
                                         HWND page = reinterpret_cast<HWND>(
                                             SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
                                         // B2 in the language's letters, and a typed local
                                         // reference read back.
                                         EXPECT_EQ(robot.Text(page, 1063), second + "2");
                                         robot.SetText(page, 1063, third + "9");
                                         robot.Click(sheet, 0x3025); // Finish
                                     });
    EXPECT_SCRIPT_OK(outcome);
    EXPECT_EQ(outcome.result, 1);
    EXPECT_STREQ(destination, "C9");
    QVStringArrayRemoveAll(&lines);
    QVStringArrayRemoveAll(&breaks);
}

// ---- layout ---------------------------------------------------------------------

std::wstring WindowTextW(HWND window) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(
        static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::string Utf8(const std::wstring& text) {
    return qv::core::Utf16ToUtf8(
        std::u16string_view(reinterpret_cast<const char16_t*>(text.data()), text.size()));
}

BOOL CALLBACK CollectChild(HWND child, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
    return TRUE;
}

// Every visible label (static text, button, check box, radio button, group
// box) of `root` and its descendants whose text does not fit its rectangle
// in the control's own font: too wide for one line, or more wrapped lines
// than the control is tall. A quarter of a line of vertical room is allowed
// for the marks above and below the letters. Each is named with `place`,
// the page or window it was found on.
std::vector<std::string> Overflows(HWND root, const std::string& place) {
    std::vector<HWND> children;
    EnumChildWindows(root, CollectChild, reinterpret_cast<LPARAM>(&children));
    std::vector<std::string> found;
    HDC dc = CreateCompatibleDC(nullptr);
    for (HWND child : children) {
        if (!IsWindowVisible(child)) {
            continue;
        }
        const std::wstring text = WindowTextW(child);
        if (text.empty()) {
            continue;
        }
        wchar_t cls[32] = {};
        GetClassNameW(child, cls, 32);
        const LONG style = GetWindowLongW(child, GWL_STYLE);
        const bool isStatic = lstrcmpiW(cls, L"Static") == 0;
        const bool isButton = lstrcmpiW(cls, L"Button") == 0;
        if (!isStatic && !isButton) {
            continue;
        }
        int extraWidth = 0;
        bool wraps = false;
        if (isStatic) {
            const LONG type = style & SS_TYPEMASK;
            if (type != SS_LEFT && type != SS_CENTER && type != SS_RIGHT &&
                type != SS_LEFTNOWORDWRAP && type != SS_SIMPLE) {
                continue;
            }
            wraps = type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT;
        } else {
            const LONG type = style & BS_TYPEMASK;
            if (type == BS_OWNERDRAW || (style & (BS_BITMAP | BS_ICON)) != 0) {
                continue;
            }
            wraps = (style & BS_MULTILINE) != 0;
            if (type == BS_GROUPBOX) {
                extraWidth = 12; // the frame line on both sides of the caption
            } else if (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON) {
                extraWidth = 6; // the button's edges
            } else {
                extraWidth = GetSystemMetrics(SM_CXMENUCHECK) + 4; // the box and its gap
            }
        }
        HFONT font = reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0));
        HGDIOBJ previous = SelectObject(dc, font != nullptr ? font : GetStockObject(SYSTEM_FONT));
        TEXTMETRICW metrics{};
        GetTextMetricsW(dc, &metrics);
        RECT client{};
        GetClientRect(child, &client);
        const int width = client.right - extraWidth;
        RECT needed{0, 0, wraps ? width : 0, 0};
        UINT format = DT_CALCRECT | DT_EXPANDTABS | (wraps ? DT_WORDBREAK : DT_SINGLELINE);
        if (isStatic && (style & SS_NOPREFIX) != 0) {
            format |= DT_NOPREFIX;
        }
        DrawTextW(dc, text.c_str(), -1, &needed, format);
        SelectObject(dc, previous);
        const int height =
            isButton && (style & BS_TYPEMASK) == BS_GROUPBOX ? metrics.tmHeight : client.bottom;
        if (needed.right > width || needed.bottom > height + metrics.tmHeight / 4) {
            std::ostringstream where;
            where << place << ": control " << GetDlgCtrlID(child) << " \"" << Utf8(text)
                  << "\" needs " << needed.right + extraWidth << "x" << needed.bottom << ", has "
                  << client.right << "x" << client.bottom;
            found.push_back(where.str());
        }
    }
    DeleteDC(dc);
    return found;
}

// Opens every dialog of the host's table (each page of a sheet), measures its
// labels and closes it; the overflows found, by dialog.
std::vector<std::string> LayoutProblems(qvhost::DialogLibrary& library, int language) {
    std::vector<std::string> problems;
    qvhost::SetMenuLanguage(language);
    for (const auto& entry : qvhost::Dialogs()) {
        FARPROC fn = library.Find(entry.exportName);
        if (fn == nullptr) {
            continue;
        }
        auto call = entry.makeSample();
        std::vector<std::string> found;
        // Opening every page of every dialog is slow on a loaded machine: wait longer.
        qvrobot::Options patient;
        patient.timeoutMs = 30000;
        patient.closeTimeoutMs = 30000;
        auto outcome = qvrobot::RunModal(
            [&] { return call->Invoke(fn); },
            [&](Robot& robot) {
                HWND dialog = robot.WaitForDialog();
                HWND tabs = reinterpret_cast<HWND>(SendMessageW(dialog, PSM_GETTABCONTROL, 0, 0));
                const int pages = tabs != nullptr && IsWindowVisible(tabs)
                                      ? static_cast<int>(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0))
                                      : 1;
                const int opened =
                    pages > 1 ? static_cast<int>(SendMessageW(tabs, TCM_GETCURSEL, 0, 0)) : 0;
                for (int page = 0; page < pages; ++page) {
                    if (page > 0 || opened != 0) {
                        robot.Post([dialog, page] {
                            SendMessageW(dialog, PSM_SETCURSEL, static_cast<WPARAM>(page), 0);
                        });
                        robot.WaitIdle();
                    }
                    std::wstring title = WindowTextW(dialog);
                    if (pages > 1) {
                        wchar_t tab[128] = {};
                        TCITEMW item{};
                        item.mask = TCIF_TEXT;
                        item.pszText = tab;
                        item.cchTextMax = 128;
                        SendMessageW(tabs, TCM_GETITEMW, static_cast<WPARAM>(page),
                                     reinterpret_cast<LPARAM>(&item));
                        title = L"page " + std::to_wstring(page + 1) + L" " + tab;
                    }
                    for (const std::string& overflow : Overflows(dialog, Utf8(title))) {
                        found.push_back(overflow);
                    }
                }
                // A dialog that the first one opens for the demo is measured too,
                // from the page the sheet opened on.
                if (pages > 1 && opened >= 0) {
                    robot.Post([dialog, opened] {
                        SendMessageW(dialog, PSM_SETCURSEL, static_cast<WPARAM>(opened), 0);
                    });
                    robot.WaitIdle();
                }
                HWND shown = qvhost::OpenDemoWindow(entry, *call, robot, dialog);
                if (shown != dialog) {
                    for (const std::string& overflow : Overflows(shown, Utf8(WindowTextW(shown)))) {
                        found.push_back(overflow);
                    }
                }
                qvhost::CloseDemoWindows(robot, dialog, shown);
            },
            patient);
        EXPECT_SCRIPT_OK(outcome) << entry.name;
        for (const std::string& overflow : found) {
            problems.push_back(std::string(entry.name) + ": " + overflow);
        }
    }
    return problems;
}

// Every label the dialogs show fits its control, in English and in the local
// language. A dialog joins by its entry in the host's dialog table.
TEST_P(LocalLanguage, EveryLabelFitsItsControl) {
    std::vector<int> languages{2};
    if (language_ == &kHindi) {
        languages.insert(languages.begin(), 1); // English once
    }
    for (int language : languages) {
        SCOPED_TRACE(language == 1 ? "English" : language_->code);
        for (const std::string& problem : LayoutProblems(*library_, language)) {
            ADD_FAILURE() << problem;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Builds, LocalLanguage, ::testing::Values(&kHindi, &kTamil),
                         [](const auto& info) { return std::string(info.param->code); });

} // namespace
