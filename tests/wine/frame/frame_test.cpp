// The frame layer inside a test program that stands where the dialog library
// stands (in the application folder): the relabelling forms and the
// script-aware edit box, against the real string libraries and a host frame.
#include "frame/lang_settings.h"
#include "frame/localize.h"
#include "frame/script_edit.h"
#include "framework/dialog.h"
#include "qvhost/host.h"
#include "qvrobot/robot.h"
#include "qvssd/messages.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

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
