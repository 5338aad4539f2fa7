// The frame layer inside a test program that stands where the dialog library
// stands (in the application folder): the relabelling forms and the
// script-aware edit box, against the real string libraries and a host frame.
#include "frame/lang_settings.h"
#include "frame/localize.h"
#include "frame/script_edit.h"
#include "framework/dialog.h"
#include "framework/gdi.h"
#include "framework/shaped_label.h"
#include "qvhost/host.h"
#include "qvrobot/robot.h"
#include "qvssd/messages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

using qvrobot::Robot;
using qvrobot::RunModal;

namespace {

class TestDialog : public qv::fw::Dialog {
  public:
    explicit TestDialog(std::function<void(TestDialog&)> init)
        : Dialog(500), init_(std::move(init)) {}
    qv::fw::Font font;
    qv::frame::CQVScriptEdit scriptEdit;

  protected:
    bool OnInitDialog() override {
        init_(*this);
        return true;
    }

  private:
    std::function<void(TestDialog&)> init_;
};

std::string EnglishString(UINT id) {
    return qv::frame::LoadLangString(id, true, 1);
}

int32_t ShowModal(TestDialog& dialog) {
    return static_cast<int32_t>(dialog.DoModal());
}

class Frame : public ::testing::Test {
  protected:
    void SetUp() override { qvhost::SetMenuLanguage(1); }
    qvhost::FrameWindow frame_;
};

TEST_F(Frame, RelabelFormsTreatMissingStringsAndDotsTheirOwnWay) {
    const int controls[] = {501, 502, 0};
    // Common form: a missing string keeps the template text; the font is the library's.
    const int common[] = {1448, 59999, 0};
    TestDialog first([&](TestDialog& d) {
        EXPECT_TRUE(qv::frame::RelabelCommon(d.hwnd(), controls, common, d.font));
    });
    auto outcome = RunModal([&] { return ShowModal(first); },
                            [&](Robot& robot) {
                                HWND dlg = robot.WaitForWindow("Frame Test");
                                EXPECT_EQ(robot.Text(dlg, 501), EnglishString(1448));
                                EXPECT_EQ(robot.Text(dlg, 502), "Beta");
                                EXPECT_EQ(robot.FontFace(dlg, 501), EnglishString(20000));
                                robot.Cancel(dlg);
                            });
    EXPECT_TRUE(outcome.ok) << outcome.failure;

    // Counted form: a 0 string id or a missing string empties the text.
    const int counted[] = {0, 59999};
    TestDialog second([&](TestDialog& d) {
        qv::frame::RelabelCounted(d.hwnd(), qv::frame::DialogStringsPath(1), controls, counted, 2,
                                  d.font);
    });
    outcome = RunModal([&] { return ShowModal(second); },
                       [&](Robot& robot) {
                           HWND dlg = robot.WaitForWindow("Frame Test");
                           EXPECT_EQ(robot.Text(dlg, 501), "");
                           EXPECT_EQ(robot.Text(dlg, 502), "");
                           robot.Cancel(dlg);
                       });
    EXPECT_TRUE(outcome.ok) << outcome.failure;

    // Shared routine: every "." goes.
    const int shared[] = {1556, 1448};
    TestDialog third([&](TestDialog& d) {
        qv::frame::RelabelShared(d.hwnd(), qv::frame::DialogStringsPath(2), controls, shared, 2,
                                 d.font);
    });
    outcome = RunModal([&] { return ShowModal(third); },
                       [&](Robot& robot) {
                           HWND dlg = robot.WaitForWindow("Frame Test");
                           std::string local = qv::frame::LoadLangString(1556, true, 2);
                           ASSERT_NE(local.find("..."), std::string::npos);
                           EXPECT_EQ(robot.Text(dlg, 501), local.substr(0, local.find("...")));
                           robot.Cancel(dlg);
                       });
    EXPECT_TRUE(outcome.ok) << outcome.failure;
}

// Rows of a label, as it paints itself, that hold ink (darker than the face
// behind the text), and the rightmost inked column.
struct Ink {
    std::vector<bool> rows;
    int rightmost = -1;

    bool Inked(int from, int to) const {
        to = std::min(to, static_cast<int>(rows.size()));
        return from < to &&
               std::any_of(rows.begin() + from, rows.begin() + to, [](bool row) { return row; });
    }
    // The rows as a line of '#' (ink) and '.', for failure messages.
    std::string Picture() const {
        std::string picture;
        for (bool row : rows) {
            picture += row ? '#' : '.';
        }
        return picture + " rightmost " + std::to_string(rightmost);
    }
};

Ink PaintedInk(HWND label) {
    const qvrobot::Image image = qvrobot::PrintClient(label);
    Ink ink;
    ink.rows.assign(static_cast<size_t>(std::max(image.height, 0)), false);
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const uint8_t* p = &image.rgb[(static_cast<size_t>(y) * image.width + x) * 3];
            if (p[0] + p[1] + p[2] < 3 * 0x60) {
                ink.rows[static_cast<size_t>(y)] = true;
                ink.rightmost = std::max(ink.rightmost, x);
            }
        }
    }
    return ink;
}

// A Tamil label whose access key sits behind a ligature paints its text
// itself. Two lines tall and too narrow for one line, it wraps its words as
// the control would, rather than running out of the label on one line; one
// line tall, it keeps one line.
TEST_F(Frame, ShapedLabelWrapsItsWordsWhenTallEnough) {
    qv::fw::Font font(qv::fw::CreatePointFont(90, "TAM Sans"));
    HWND parent = CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 300, 200, nullptr, nullptr,
                                  nullptr, nullptr);
    ASSERT_NE(parent, nullptr);
    HDC screen = GetDC(nullptr);
    HGDIOBJ old = SelectObject(screen, font.get());
    TEXTMETRICW metrics{};
    GetTextMetricsW(screen, &metrics);
    wchar_t face[LF_FACESIZE] = {};
    GetTextFaceW(screen, LF_FACESIZE, face);
    SelectObject(screen, old);
    ReleaseDC(nullptr, screen);
    ASSERT_STREQ(face, L"TAM Sans") << "the test prefix's Tamil face";
    const int line = metrics.tmHeight;
    for (const int lines : {1, 3}) {
        SCOPED_TRACE(lines);
        // "Stop value:", wider than the label on one line.
        HWND label = CreateWindowExW(
            0, L"Static",
            L"\x0BA8\x0BBF\x0BB1\x0BC1\x0BA4\x0BCD\x0BA4 \x0BAE\x0BA4\x0BBF\x0BAA\x0BCD"
            L"\x0BAA\x0BC1(&O):",
            WS_CHILD | WS_VISIBLE | SS_LEFT, 0, 0, 80, lines * line, parent, nullptr, nullptr,
            nullptr);
        SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
        ASSERT_TRUE(qv::fw::NeedsShapedLabel(label));
        ASSERT_TRUE(qv::fw::UseShapedLabel(label));
        const Ink ink = PaintedInk(label);
        ASSERT_EQ(ink.rows.size(), static_cast<size_t>(lines * line));
        EXPECT_TRUE(ink.Inked(0, line)) << ink.Picture();
        if (lines > 1) {
            EXPECT_TRUE(ink.Inked(line, 2 * line))
                << "the second word has a line of its own: " << ink.Picture();
            EXPECT_LT(ink.rightmost, 79) << "no line runs out of the label: " << ink.Picture();
        }
        DestroyWindow(label);
    }
    DestroyWindow(parent);
}

TEST_F(Frame, ScriptEditSwitchesScriptOnF3AndFiltersPasteAndEnter) {
    const auto& settings = qv::frame::GetLangSettings();
    ASSERT_GT(settings.localFontFace.size(), 3u);
    TestDialog dialog([&](TestDialog& d) {
        d.scriptEdit.Attach(d.hwnd(), 504);
        d.scriptEdit.SetPasteAllowed(false);
        d.scriptEdit.SetEnterAllowed(false);
        SetDlgItemTextA(d.hwnd(), 504, "abc");
    });
    auto outcome =
        RunModal([&] { return ShowModal(dialog); },
                 [&](Robot& robot) {
                     HWND dlg = robot.WaitForWindow("Frame Test");
                     frame_.ClearLog();
                     robot.Focus(dlg, 504);
                     auto switches = frame_.Log(WM_QV_SETINPUTLANG);
                     ASSERT_FALSE(switches.empty());
                     EXPECT_EQ(switches.back().wParam, 0u); // an English face: English input

                     robot.PressKey(dlg, 504, VK_F3);
                     EXPECT_EQ(robot.FontFace(dlg, 504), settings.localFontFace);
                     EXPECT_EQ(robot.Text(dlg, 504), ""); // cleared on the switch
                     EXPECT_EQ(frame_.Log(WM_QV_SETINPUTLANG).back().wParam, 1u);
                     EXPECT_EQ(dialog.scriptEdit.CurrentScript(), 2);

                     // Paste and Enter are swallowed; the dialog stays open.
                     robot.SetText(dlg, 504, "x");
                     robot.Post([edit = robot.Control(dlg, 504)] {
                         if (OpenClipboard(nullptr)) {
                             EmptyClipboard();
                             HGLOBAL text = GlobalAlloc(GMEM_MOVEABLE, 7);
                             memcpy(GlobalLock(text), "PASTED", 7);
                             GlobalUnlock(text);
                             SetClipboardData(CF_TEXT, text);
                             CloseClipboard();
                         }
                         SendMessageA(edit, WM_PASTE, 0, 0);
                     });
                     robot.PressKey(dlg, 504, VK_RETURN);
                     EXPECT_TRUE(IsWindowVisible(dlg));
                     EXPECT_EQ(robot.Text(dlg, 504), "x");

                     robot.PressKey(dlg, 504, VK_F3);
                     EXPECT_EQ(robot.FontFace(dlg, 504), settings.englishFontFace);
                     EXPECT_EQ(dialog.scriptEdit.CurrentScript(), 1);
                     EXPECT_EQ(frame_.Log(WM_QV_SETINPUTLANG).back().wParam, 0u);

                     robot.Focus(dlg, 503); // focus lost: English input
                     EXPECT_EQ(frame_.Log(WM_QV_SETINPUTLANG).back().wParam, 0u);
                     robot.Cancel(dlg);
                 });
    EXPECT_TRUE(outcome.ok) << outcome.failure;
}

} // namespace
