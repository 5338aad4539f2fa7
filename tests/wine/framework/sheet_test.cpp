// The framework's property sheet and wizard over a small sheet of its own:
// leave hooks that keep a page, apply and reset, wizard moves to a named page,
// pre-translate hooks of pages inside the framework's modal loop, and modal
// loops that end when another thread sends the ending button.
#include "framework/dialog.h"
#include "framework/sheet.h"
#include "qvrobot/robot.h"

#include <gtest/gtest.h>

#include <atomic>

#include <string>
#include <vector>

using qvrobot::Robot;
using qvrobot::RunModal;

namespace {

constexpr int kBack = 0x3023, kNext = 0x3024, kFinish = 0x3025;

class NamePage : public qv::fw::SheetPage {
  public:
    NamePage() : SheetPage(100) {}
    std::string applied;
    int kills = 0, resets = 0, swallowedF5 = 0;
    UINT nextTarget = 0;

    qv::fw::PageLeave OnKillActive() override {
        ++kills;
        return ItemText(201).empty() ? qv::fw::PageLeave::Stay : qv::fw::PageLeave::Leave;
    }
    void OnApply() override { applied = ItemText(201); }
    void OnReset() override { ++resets; }
    qv::fw::WizardMove OnWizardNext() override {
        return nextTarget != 0 ? qv::fw::WizardMove::To(nextTarget) : qv::fw::WizardMove::Next();
    }
    bool PreTranslateMessage(MSG& msg) override {
        if (msg.message == WM_KEYDOWN && msg.wParam == VK_F5 && msg.hwnd == Item(201)) {
            ++swallowedF5;
            return true;
        }
        return false;
    }
};

class PlainPage : public qv::fw::SheetPage {
  public:
    explicit PlainPage(UINT id) : SheetPage(id) {}
    int applies = 0, activations = 0;
    bool finishAllowed = true;
    bool OnSetActive() override {
        ++activations;
        if (OwnerSheet()->IsWizard()) {
            bool last = TemplateId() == 102;
            OwnerSheet()->SetWizardButtons(PSWIZB_BACK | (last ? PSWIZB_FINISH : PSWIZB_NEXT));
        }
        return true;
    }
    void OnApply() override { ++applies; }
    bool OnWizardFinish() override { return finishAllowed; }
};

TEST(FrameworkSheet, LeaveHookKeepsThePageAndOkAppliesCreatedPages) {
    NamePage first;
    PlainPage second(101);
    qv::fw::Sheet sheet("Test Sheet");
    sheet.AddPage(&first);
    sheet.AddPage(&second);
    INT_PTR result = 0;
    auto outcome = RunModal([&] { return static_cast<int32_t>(result = sheet.DoModal()); },
                            [&](Robot& robot) {
                                HWND dlg = robot.WaitForWindow("Test Sheet");
                                robot.PressKey(dlg, 201, VK_F5);
                                robot.Click(dlg, IDOK); // empty name: the page stays
                                EXPECT_TRUE(IsWindowVisible(dlg));
                                robot.SetText(dlg, 201, "Ravi");
                                robot.Click(dlg, IDOK);
                            });
    EXPECT_TRUE(outcome.ok) << outcome.failure;
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(first.applied, "Ravi");
    EXPECT_EQ(first.swallowedF5, 1);
    EXPECT_GE(first.kills, 2);
    EXPECT_EQ(second.activations, 0); // never shown, so never applied
    EXPECT_EQ(second.applies, 0);
}

TEST(FrameworkSheet, CancelResetsAndReturnsCancel) {
    NamePage first;
    qv::fw::Sheet sheet("Test Sheet");
    sheet.AddPage(&first);
    INT_PTR result = 0;
    auto outcome = RunModal([&] { return static_cast<int32_t>(result = sheet.DoModal()); },
                            [&](Robot& robot) { robot.Cancel(robot.WaitForWindow("Test Sheet")); });
    EXPECT_TRUE(outcome.ok) << outcome.failure;
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(first.resets, 1);
    EXPECT_EQ(first.applied, "");
}

TEST(FrameworkSheet, WizardMovesToANamedPageAndFinishes) {
    NamePage first;
    first.nextTarget = 102; // skip the second page
    PlainPage second(101), third(102);
    third.finishAllowed = false;
    qv::fw::Sheet wizard("Test Wizard");
    wizard.SetWizardMode(true);
    wizard.AddPage(&first);
    wizard.AddPage(&second);
    wizard.AddPage(&third);
    INT_PTR result = 0;
    auto outcome = RunModal([&] { return static_cast<int32_t>(result = wizard.DoModal()); },
                            [&](Robot& robot) {
                                HWND dlg = robot.WaitForWindow("Test Wizard");
                                robot.SetText(dlg, 201, "x");
                                robot.Click(dlg, kNext);
                                EXPECT_EQ(wizard.ActiveIndex(), 2);
                                EXPECT_EQ(second.activations, 0);
                                robot.Click(dlg, kFinish); // the page refuses
                                EXPECT_EQ(wizard.ActiveIndex(), 2);
                                third.finishAllowed = true;
                                robot.Click(dlg, kBack);
                                EXPECT_EQ(wizard.ActiveIndex(), 1);
                                robot.Click(dlg, kNext);
                                robot.Click(dlg, kFinish);
                            });
    EXPECT_TRUE(outcome.ok) << outcome.failure;
    EXPECT_EQ(result, qv::fw::Sheet::kWizardFinish);
    EXPECT_EQ(second.activations, 1);
}

// Automation and some hosts press buttons by sending WM_COMMAND from another
// thread, with no input after it: the modal loop must notice its end by
// itself. A repaint or a caret's timer often wakes the loop by chance, so the
// test also checks that the loop was woken on purpose: a null message
// retrieved on the dialog's thread after the send.
std::atomic<bool> g_sent{false};
std::atomic<int> g_wakes{0};

LRESULT CALLBACK CountWakes(int code, WPARAM removal, LPARAM message) {
    const auto* msg = reinterpret_cast<const MSG*>(message);
    if (code == HC_ACTION && removal == PM_REMOVE && msg->message == WM_NULL && g_sent) {
        ++g_wakes;
    }
    return CallNextHookEx(nullptr, code, removal, message);
}

class WakeCounter {
  public:
    WakeCounter()
        : hook_(SetWindowsHookExA(WH_GETMESSAGE, CountWakes, nullptr, GetCurrentThreadId())) {
        g_sent = false;
        g_wakes = 0;
    }
    ~WakeCounter() { UnhookWindowsHookEx(hook_); }
    int wakes() const { return g_wakes; }

  private:
    HHOOK hook_;
};

void SendCommand(Robot& robot, HWND dlg, int id) {
    robot.Focus(dlg, id); // no caret, no caret timer
    g_sent = true;
    SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dlg, id)));
}

TEST(FrameworkModalLoop, EndsWhenTheEndingButtonIsSentFromAnotherThread) {
    qvrobot::Options quick;
    quick.closeTimeoutMs = 3000;
    {
        NamePage first;
        qv::fw::Sheet sheet("Test Sheet");
        sheet.AddPage(&first);
        WakeCounter counter;
        auto outcome = RunModal([&] { return static_cast<int32_t>(sheet.DoModal()); },
                                [&](Robot& robot) {
                                    HWND dlg = robot.WaitForWindow("Test Sheet");
                                    robot.SetText(dlg, 201, "sent");
                                    SendCommand(robot, dlg, IDOK);
                                },
                                quick);
        EXPECT_TRUE(outcome.ok) << "sheet OK: " << outcome.failure;
        EXPECT_GE(counter.wakes(), 1) << "sheet OK";
        EXPECT_EQ(first.applied, "sent");
    }
    {
        NamePage first;
        PlainPage last(102);
        qv::fw::Sheet wizard("Test Wizard");
        wizard.SetWizardMode(true);
        wizard.AddPage(&first);
        wizard.AddPage(&last);
        INT_PTR result = 0;
        WakeCounter counter;
        auto outcome = RunModal([&] { return static_cast<int32_t>(result = wizard.DoModal()); },
                                [&](Robot& robot) {
                                    HWND dlg = robot.WaitForWindow("Test Wizard");
                                    robot.SetText(dlg, 201, "x");
                                    robot.Click(dlg, kNext);
                                    SendCommand(robot, dlg, kFinish);
                                },
                                quick);
        EXPECT_TRUE(outcome.ok) << "wizard Finish: " << outcome.failure;
        EXPECT_GE(counter.wakes(), 1) << "wizard Finish";
        EXPECT_EQ(result, qv::fw::Sheet::kWizardFinish);
    }
    for (int button : {IDOK, IDCANCEL}) {
        qv::fw::Dialog dialog(103);
        INT_PTR result = 0;
        WakeCounter counter;
        auto outcome = RunModal(
            [&] { return static_cast<int32_t>(result = dialog.DoModal()); },
            [&](Robot& robot) { SendCommand(robot, robot.WaitForWindow("Test Dialog"), button); },
            quick);
        EXPECT_TRUE(outcome.ok) << "dialog button " << button << ": " << outcome.failure;
        EXPECT_GE(counter.wakes(), 1) << "dialog button " << button;
        EXPECT_EQ(result, button);
    }
}

} // namespace
