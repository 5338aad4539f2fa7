// The UI robot and the host side, proven on a small dialog built in memory:
// the robot drives it from its own thread while DialogBoxIndirectParam runs the
// modal loop here, and the dialog talks to the host frame through the host
// executable's exports just as the dialog library does.
#include "qvhost/host.h"
#include "qvrobot/robot.h"
#include "qvssd/messages.h"
#include "qvssd/records.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <vector>

namespace {

enum : int {
    kLabel = 99,
    kEdit = 100,
    kWarn = 101,
    kList = 102,
    kFirst = 103,
    kSecond = 104,
    kPick = 105,
    kJump = 106,
};

// What the dialog saw, written on the UI thread and read after RunModal.
struct Seen {
    std::atomic<int> editChanges{0};
    std::atomic<int> warnAnswer{-1};
    std::string okText;
    int okRadio = 0;
};
Seen* g_seen = nullptr;

// ---- an in-memory dialog template ---------------------------------------------

class TemplateBuilder {
  public:
    TemplateBuilder(const char* title, short cx, short cy) {
        Put32(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT | WS_VISIBLE);
        Put32(0);
        countAt_ = words_.size();
        Put16(0);
        Put16(0);
        Put16(0);
        Put16(static_cast<uint16_t>(cx));
        Put16(static_cast<uint16_t>(cy));
        Put16(0); // no menu
        Put16(0); // default class
        PutText(title);
        Put16(8);
        PutText("MS Shell Dlg");
    }
    void Add(uint16_t atom, const char* text, int id, DWORD style, short x, short y, short cx,
             short cy) {
        if (words_.size() % 2) {
            Put16(0); // items start on a DWORD boundary
        }
        Put32(style | WS_CHILD | WS_VISIBLE);
        Put32(0);
        Put16(static_cast<uint16_t>(x));
        Put16(static_cast<uint16_t>(y));
        Put16(static_cast<uint16_t>(cx));
        Put16(static_cast<uint16_t>(cy));
        Put16(static_cast<uint16_t>(id));
        Put16(0xFFFF);
        Put16(atom);
        PutText(text);
        Put16(0);
        ++words_[countAt_];
    }
    const DLGTEMPLATE* get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

  private:
    void Put16(uint16_t w) { words_.push_back(w); }
    void Put32(DWORD d) {
        Put16(static_cast<uint16_t>(d & 0xFFFF));
        Put16(static_cast<uint16_t>(d >> 16));
    }
    void PutText(const char* text) {
        for (; *text; ++text) {
            Put16(static_cast<unsigned char>(*text));
        }
        Put16(0);
    }
    std::vector<uint16_t> words_;
    size_t countAt_ = 0;
};

constexpr uint16_t kButtonAtom = 0x80, kEditAtom = 0x81, kStaticAtom = 0x82, kListAtom = 0x83;

const DLGTEMPLATE* TestTemplate() {
    static const TemplateBuilder t = [] {
        TemplateBuilder b("Robot Test", 220, 130);
        b.Add(kStaticAtom, "Name:", kLabel, SS_LEFT, 7, 9, 30, 8);
        b.Add(kEditAtom, "", kEdit, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 40, 7, 110, 12);
        b.Add(kButtonAtom, "Warn", kWarn, BS_PUSHBUTTON | WS_TABSTOP, 160, 7, 50, 14);
        b.Add(kListAtom, "", kList, LBS_NOTIFY | WS_VSCROLL | WS_BORDER | WS_TABSTOP, 7, 26, 100,
              50);
        b.Add(kButtonAtom, "First", kFirst, BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, 115, 28, 50,
              10);
        b.Add(kButtonAtom, "Second", kSecond, BS_AUTORADIOBUTTON, 115, 42, 50, 10);
        b.Add(kButtonAtom, "Pick", kPick, BS_PUSHBUTTON | WS_GROUP | WS_TABSTOP, 115, 60, 45, 14);
        b.Add(kButtonAtom, "Jump", kJump, BS_PUSHBUTTON | WS_TABSTOP, 165, 60, 45, 14);
        b.Add(kButtonAtom, "OK", IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP, 105, 108, 50, 14);
        b.Add(kButtonAtom, "Cancel", IDCANCEL, BS_PUSHBUTTON | WS_TABSTOP, 163, 108, 50, 14);
        return b;
    }();
    return t.get();
}

// The frame handle as the dialog library finds it: through the host's export.
HWND HostFrame() {
    using Fn = HWND (*)();
    auto fn = reinterpret_cast<Fn>(
        reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleA(nullptr), "GetFrameHandle")));
    return fn != nullptr ? fn() : nullptr;
}

std::string ItemText(HWND dialog, int id) {
    char text[256] = {};
    GetDlgItemTextA(dialog, id, text, sizeof(text));
    return text;
}

INT_PTR CALLBACK TestDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        for (const char* item : {"Alpha", "Beta", "Gamma"}) {
            SendDlgItemMessageA(dialog, kList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
        }
        CheckRadioButton(dialog, kFirst, kSecond, kFirst);
        SetFocus(GetDlgItem(dialog, kEdit));
        return FALSE;
    case WM_QV_RANGETEXT:
        SetDlgItemTextA(dialog, kEdit, QVStringGet(reinterpret_cast<const QVString*>(wParam)));
        SetWindowLongPtrA(dialog, DWLP_MSGRESULT, 0);
        return TRUE;
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        const int code = HIWORD(wParam);
        if (id == kEdit && code == EN_CHANGE && g_seen) {
            ++g_seen->editChanges;
        } else if (id == kWarn && code == BN_CLICKED) {
            const int answer =
                MessageBoxA(dialog, ItemText(dialog, kEdit).c_str(), "TWcalc", MB_OKCANCEL);
            if (g_seen) {
                g_seen->warnAnswer = answer;
            }
        } else if (id == kList && code == LBN_SELCHANGE) {
            const LRESULT index = SendDlgItemMessageA(dialog, kList, LB_GETCURSEL, 0, 0);
            char text[64] = {};
            SendDlgItemMessageA(dialog, kList, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text));
            SetDlgItemTextA(dialog, kEdit, text);
        } else if (id == kList && code == LBN_DBLCLK) {
            EndDialog(dialog, 10 + SendDlgItemMessageA(dialog, kList, LB_GETCURSEL, 0, 0));
        } else if (id == kPick && code == BN_CLICKED) {
            SendMessageA(HostFrame(), WM_QV_RANGEPICK, 0, 0);
        } else if (id == kJump && code == BN_CLICKED) {
            std::string reference = ItemText(dialog, kEdit);
            QVGotoRecord record{reference.data(), nullptr, 0};
            const LRESULT result =
                SendMessageA(HostFrame(), WM_QV_GOTO, reinterpret_cast<WPARAM>(&record), 0);
            if (result < 0) {
                MessageBoxA(dialog, "The reference cannot be reached.", "TWcalc", MB_OK);
            } else {
                EndDialog(dialog, IDOK);
            }
        } else if (id == IDOK) {
            if (g_seen) {
                g_seen->okText = ItemText(dialog, kEdit);
                g_seen->okRadio = IsDlgButtonChecked(dialog, kSecond) ? kSecond : kFirst;
            }
            EndDialog(dialog, IDOK);
        } else if (id == IDCANCEL) {
            EndDialog(dialog, IDCANCEL);
        }
        return TRUE;
    }
    default:
        return FALSE;
    }
}

int32_t ShowTestDialog() {
    return static_cast<int32_t>(DialogBoxIndirectParamA(GetModuleHandleA(nullptr), TestTemplate(),
                                                        nullptr, TestDialogProc, 0));
}

qvrobot::Options WineMessageBoxes() {
    qvrobot::Options options;
    options.messageBoxTextId = 0xFFFF; // the text static of MessageBoxA
    options.timeoutMs = 5000;
    return options;
}

class RobotTest : public ::testing::Test {
  protected:
    void SetUp() override { g_seen = &seen; }
    void TearDown() override { g_seen = nullptr; }
    Seen seen;
};

} // namespace

TEST_F(RobotTest, ReadsAndDrivesControlsAnswersMessageBoxesAndRenders) {
    const std::string png = qvhost::TempFolder() + "\\robot-test.png";
    DeleteFileA(png.c_str());
    qvrobot::Image image;
    const auto outcome = qvrobot::RunModal(
        ShowTestDialog,
        [&](qvrobot::Robot& r) {
            HWND d = r.WaitForDialog();
            EXPECT_EQ(r.Caption(d), "Robot Test");
            EXPECT_EQ(r.Items(d, kList), (std::vector<std::string>{"Alpha", "Beta", "Gamma"}));
            EXPECT_EQ(r.SelectedIndex(d, kList), -1);
            EXPECT_EQ(r.FocusedId(), kEdit);
            EXPECT_TRUE(r.IsChecked(d, kFirst));
            EXPECT_TRUE(r.IsEnabled(d, kWarn));
            EXPECT_TRUE(r.IsVisible(d, kWarn));
            EXPECT_EQ(r.FontFace(d, kEdit), "MS Shell Dlg");
            EXPECT_EQ(r.Text(d, kLabel), "Name:");

            r.SetText(d, kEdit, "hello");
            EXPECT_EQ(r.Text(d, kEdit), "hello");
            EXPECT_GE(seen.editChanges.load(), 1);

            // The message box runs its own modal loop: the click must not block the robot.
            EXPECT_TRUE(r.NoMessageBoxWithin(100));
            r.Click(d, kWarn);
            const auto box = r.ExpectMessageBox();
            EXPECT_TRUE(box.exists);
            EXPECT_EQ(box.text, "hello");
            r.AnswerMessageBox(IDCANCEL);
            EXPECT_EQ(seen.warnAnswer.load(), IDCANCEL);
            EXPECT_FALSE(r.ExpectMessageBox(100).exists);

            r.Select(d, kList, "Beta");
            EXPECT_EQ(r.SelectedIndex(d, kList), 1);
            EXPECT_EQ(r.SelectedText(d, kList), "Beta");
            EXPECT_EQ(r.Text(d, kEdit), "Beta"); // the dialog saw LBN_SELCHANGE

            r.CheckRadio(d, kSecond);
            EXPECT_TRUE(r.IsChecked(d, kSecond));
            EXPECT_FALSE(r.IsChecked(d, kFirst));
            EXPECT_EQ(r.FocusedId(), kSecond); // a click takes the focus

            image = r.Capture(d);
            r.SavePng(d, png);
            EXPECT_THROW(r.Click(d, 999), qvrobot::RobotError);
            r.Click(d, IDOK);
        },
        WineMessageBoxes());
    EXPECT_TRUE(outcome.ok) << outcome.failure;
    EXPECT_EQ(outcome.result, IDOK);
    EXPECT_EQ(seen.okText, "Beta");
    EXPECT_EQ(seen.okRadio, kSecond);

    // The rendering shows the dialog, not one flat colour.
    ASSERT_FALSE(image.empty());
    EXPECT_GT(image.width, 200);
    EXPECT_GT(image.height, 100);
    EXPECT_GT(image.DistinctColours(), 4u);
    const std::string file = qvhost::ReadTextFile(png);
    ASSERT_GT(file.size(), 8u);
    EXPECT_EQ(file.compare(0, 4, "\x89PNG"), 0);
    EXPECT_GT(file.size(), static_cast<size_t>(image.width) * image.height * 3);
    DeleteFileA(png.c_str());
}

TEST_F(RobotTest, DoubleClickKeysAndEndings) {
    // A double-click on the third entry ends the dialog with 12.
    auto outcome = qvrobot::RunModal(
        ShowTestDialog, [](qvrobot::Robot& r) { r.DoubleClick(r.WaitForDialog(), kList, 2); });
    EXPECT_TRUE(outcome.ok) << outcome.failure;
    EXPECT_EQ(outcome.result, 12);

    // Escape pressed in the edit box goes through the dialog manager: Cancel.
    outcome = qvrobot::RunModal(ShowTestDialog, [](qvrobot::Robot& r) {
        HWND d = r.WaitForDialog();
        r.TypeChars(d, kEdit, "ab");
        EXPECT_EQ(r.Text(d, kEdit), "ab");
        r.PressKey(d, kEdit, VK_ESCAPE);
    });
    EXPECT_TRUE(outcome.ok) << outcome.failure;
    EXPECT_EQ(outcome.result, IDCANCEL);

    // Enter presses the default button.
    outcome = qvrobot::RunModal(
        ShowTestDialog, [](qvrobot::Robot& r) { r.PressKey(r.WaitForDialog(), kEdit, VK_RETURN); });
    EXPECT_TRUE(outcome.ok) << outcome.failure;
    EXPECT_EQ(outcome.result, IDOK);

    // A failing script is reported, and the dialog it left behind is closed.
    outcome = qvrobot::RunModal(ShowTestDialog,
                                [](qvrobot::Robot& r) { r.SetText(r.WaitForDialog(), 999, "x"); });
    EXPECT_FALSE(outcome.ok);
    EXPECT_NE(outcome.failure.find("999"), std::string::npos) << outcome.failure;
    EXPECT_EQ(outcome.result, IDCANCEL);

    // So is a script that forgets to close the dialog, even behind a message box.
    qvrobot::Options quick = WineMessageBoxes();
    quick.closeTimeoutMs = 1000;
    outcome = qvrobot::RunModal(
        ShowTestDialog, [](qvrobot::Robot& r) { r.Click(r.WaitForDialog(), kWarn); }, quick);
    EXPECT_FALSE(outcome.ok);
    EXPECT_NE(outcome.failure.find("still open"), std::string::npos) << outcome.failure;
    EXPECT_EQ(outcome.result, IDCANCEL);

    // An export that returns without a dialog ends the wait at once.
    const DWORD start = GetTickCount();
    outcome = qvrobot::RunModal([] { return 7; }, [](qvrobot::Robot& r) { r.WaitForDialog(); });
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(outcome.result, 7);
    EXPECT_NE(outcome.failure.find("without showing"), std::string::npos) << outcome.failure;
    EXPECT_LT(GetTickCount() - start, 4000u);
}

TEST(HostFrame, AnswersPrivateMessagesThroughTheHostExports) {
    qvhost::FrameWindow frame(false);
    ASSERT_NE(frame.hwnd(), nullptr);
    EXPECT_EQ(HostFrame(), frame.hwnd());

    using LanguageFn = int32_t (*)();
    auto language = reinterpret_cast<LanguageFn>(
        reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleA(nullptr), "GetMenuLanguage")));
    ASSERT_NE(language, nullptr);
    qvhost::SetMenuLanguage(2);
    EXPECT_EQ(language(), 2);
    qvhost::SetMenuLanguage(1);
    EXPECT_EQ(language(), 1);

    // Go To: the reference is copied at the moment of the message.
    frame.SetGotoRule([](const std::string& ref) { return ref == "Nowhere" ? -1 : 0; });
    char reference[] = "Nowhere";
    QVGotoRecord record{reference, nullptr, 0};
    EXPECT_EQ(SendMessageA(frame.hwnd(), WM_QV_GOTO, reinterpret_cast<WPARAM>(&record), 0), -1);
    std::strcpy(reference, "B7");
    EXPECT_EQ(SendMessageA(frame.hwnd(), WM_QV_GOTO, reinterpret_cast<WPARAM>(&record), 0), 0);
    frame.SetGotoResult(5);
    EXPECT_EQ(SendMessageA(frame.hwnd(), WM_QV_GOTO, 0, 0), 5); // a NULL record is survived
    auto gotos = frame.Log(WM_QV_GOTO);
    ASSERT_EQ(gotos.size(), 3u);
    EXPECT_EQ(gotos[0].text, "Nowhere");
    EXPECT_EQ(gotos[1].text, "B7");
    EXPECT_TRUE(gotos[2].text.empty());

    // Goal Seek's reference check gets the text and which cell it is.
    std::string checked;
    bool goal = false;
    frame.SetCheckRefRule([&](const std::string& text, bool goalCell) {
        checked = text;
        goal = goalCell;
        return 3;
    });
    QVString text{nullptr};
    QVStringAssign(&text, "$C$4");
    EXPECT_EQ(SendMessageA(frame.hwnd(), WM_QV_CHECKREF, reinterpret_cast<WPARAM>(&text), 1), 3);
    EXPECT_EQ(checked, "$C$4");
    EXPECT_TRUE(goal);
    QVStringClear(&text);

    // The Format Cells lists.
    COLORREF palette[40];
    std::memset(palette, 0xAB, sizeof(palette));
    QVStringArray names{};
    SendMessageA(frame.hwnd(), WM_QV_FMTLISTS, reinterpret_cast<WPARAM>(palette),
                 reinterpret_cast<LPARAM>(&names));
    EXPECT_EQ(palette[0], RGB(0, 0, 0));
    EXPECT_EQ(palette[16], RGB(255, 0, 0));
    EXPECT_EQ(palette[39], RGB(255, 255, 255));
    ASSERT_EQ(names.size, 40);
    EXPECT_STREQ(QVStringArrayGet(&names, 0), "Black");
    EXPECT_STREQ(QVStringArrayGet(&names, 39), "White");
    QVStringArrayRemoveAll(&names);

    // Custom-list import: the host writes range.txt in the temporary folder.
    const std::string rangeFile = qvhost::TempFolder() + "\\range.txt";
    DeleteFileA(rangeFile.c_str());
    frame.SetImportText("Mon\r\nTue\r\nWed\r\n");
    char range[] = "A1:A3";
    SendMessageA(frame.hwnd(), WM_QV_IMPORTLIST, reinterpret_cast<WPARAM>(range), 0);
    EXPECT_EQ(qvhost::ReadTextFile(rangeFile), "Mon\r\nTue\r\nWed\r\n");
    DeleteFileA(rangeFile.c_str());

    SendMessageA(frame.hwnd(), WM_QV_SETINPUTLANG, 1, 1);
    SendMessageA(frame.hwnd(), WM_QV_HEADERROW, 0, 0);
    const auto log = frame.Log();
    ASSERT_GE(log.size(), 2u);
    EXPECT_EQ(log[log.size() - 2].message, static_cast<UINT>(WM_QV_SETINPUTLANG));
    EXPECT_EQ(log[log.size() - 2].wParam, 1u);
    EXPECT_EQ(log.back().message, static_cast<UINT>(WM_QV_HEADERROW));
    EXPECT_EQ(frame.Log(WM_QV_IMPORTLIST).at(0).text, "A1:A3");
    frame.ClearLog();
    EXPECT_TRUE(frame.Log().empty());
}

TEST_F(RobotTest, RangePickingAndGoToRefusalThroughTheFrame) {
    qvhost::FrameWindow frame;
    frame.SetRangeText("A1:B2");
    frame.SetGotoRule([](const std::string& ref) { return ref == "A1:B2" ? -1 : 0; });
    HWND picked = nullptr;
    const auto outcome = qvrobot::RunModal(
        ShowTestDialog,
        [&](qvrobot::Robot& r) {
            HWND d = r.WaitForDialog();
            r.Click(d, kPick); // the dialog tells the host that picking starts
            EXPECT_EQ(r.Text(d, kEdit), "A1:B2");
            EXPECT_TRUE(frame.RangePickActive());
            picked = frame.RangePickWindow();
            EXPECT_TRUE(qvhost::SendRangeText(picked, "C3"));
            EXPECT_EQ(r.Text(d, kEdit), "C3");
            r.SetText(d, kEdit, "A1:B2");
            r.Click(d, kJump); // refused: the dialog stays open behind a message box
            const auto box = r.ExpectMessageBox();
            EXPECT_EQ(box.text, "The reference cannot be reached.");
            r.AnswerMessageBox(IDOK);
            r.SetText(d, kEdit, "D4");
            r.Click(d, kJump);
        },
        WineMessageBoxes());
    EXPECT_TRUE(outcome.ok) << outcome.failure;
    EXPECT_EQ(outcome.result, IDOK);
    EXPECT_NE(picked, nullptr);
    const auto gotos = frame.Log(WM_QV_GOTO);
    ASSERT_EQ(gotos.size(), 2u);
    EXPECT_EQ(gotos[0].text, "A1:B2");
    EXPECT_EQ(gotos[1].text, "D4");
}

TEST(HostLibrary, ScratchCopiesAndLoading) {
    const std::string source = qvhost::MakeScratchFolder("qvsrc");
    ASSERT_FALSE(source.empty());
    ASSERT_TRUE(CreateDirectoryA((source + "\\Templates").c_str(), nullptr));
    ASSERT_TRUE(qvhost::WriteTextFile(source + "\\QVMessageBox.dll", "m"));
    ASSERT_TRUE(qvhost::WriteTextFile(source + "\\QVSSDSL.dll", "l"));
    ASSERT_TRUE(qvhost::WriteTextFile(source + "\\twhost.exe", "x"));
    ASSERT_TRUE(qvhost::WriteTextFile(source + "\\Templates\\a.xls", "t"));
    std::string copyPath;
    {
        qvhost::ScratchAppFolder copy(source, {"qvssdsl.dll"}, {{"QVSSAPI.ini", "[Language]\n"}});
        ASSERT_TRUE(copy.ok());
        copyPath = copy.path();
        EXPECT_EQ(qvhost::ReadTextFile(copyPath + "\\QVMessageBox.dll"), "m");
        EXPECT_EQ(qvhost::ReadTextFile(copyPath + "\\Templates\\a.xls"), "t");
        EXPECT_EQ(qvhost::ReadTextFile(copyPath + "\\QVSSAPI.ini"), "[Language]\n");
        EXPECT_FALSE(qvhost::FileExists(copyPath + "\\QVSSDSL.dll"));
        EXPECT_FALSE(qvhost::FileExists(copyPath + "\\twhost.exe"));

        // A folder without QVSSD.dll: the load fails and says why.
        qvhost::DialogLibrary library(copyPath);
        EXPECT_FALSE(library.loaded());
        EXPECT_NE(library.error(), 0u);
        EXPECT_EQ(library.Find("QVShowGoto"), nullptr);
    }
    EXPECT_EQ(GetFileAttributesA(copyPath.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(qvhost::RemoveFolder(source));
}
