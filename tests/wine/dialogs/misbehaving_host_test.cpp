// A host that misbehaves while a dialog is open: its frame window goes away,
// it answers the private messages with garbage, it calls exports again from
// inside the messages it handles, and it calls exports from two threads at
// once. No crash, and every export comes back with a defined result.
#include "harness.h"
#include "qvssd/exports.h"
#include "qvssd/messages.h"

#include <atomic>
#include <functional>
#include <thread>

namespace {

using qvrobot::Robot;
using qvrobot::RunModal;

constexpr int kGotoRef = 1042;
constexpr int kZoomEdit = 1009, kZoomOK = 1011;

// A frame window whose answers to the private messages the test chooses;
// everything else, WM_CLOSE included, goes to the default handling.
class HostileFrame {
  public:
    using Answer = std::function<LRESULT(UINT message, WPARAM wParam, LPARAM lParam)>;

    explicit HostileFrame(Answer answer) : answer_(std::move(answer)) {
        WNDCLASSA wc{};
        wc.lpfnWndProc = &HostileFrame::WndProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "QVHostileFrame";
        RegisterClassA(&wc);
        hwnd_ =
            CreateWindowExA(0, wc.lpszClassName, "Hostile host", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                            0, 0, 400, 300, nullptr, nullptr, wc.hInstance, this);
        SetActiveWindow(hwnd_);
        qvhost::SetFrameHandle(hwnd_);
    }
    ~HostileFrame() {
        if (IsWindow(hwnd_)) {
            DestroyWindow(hwnd_);
        }
    }
    HWND hwnd() const { return hwnd_; }

  private:
    static LRESULT CALLBACK WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_NCCREATE) {
            const auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
            SetWindowLongPtrA(hwnd, GWLP_USERDATA,
                              reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        }
        auto* self = reinterpret_cast<HostileFrame*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
        switch (message) {
        case WM_QV_SETINPUTLANG:
        case WM_QV_HEADERROW:
        case WM_QV_CHECKREF:
        case WM_QV_IMPORTLIST:
        case WM_QV_RANGEPICK:
        case WM_QV_GOTO:
        case WM_QV_FMTLISTS:
            if (self != nullptr && self->answer_) {
                return self->answer_(message, wParam, lParam);
            }
            return 0;
        default:
            return DefWindowProcA(hwnd, message, wParam, lParam);
        }
    }

    Answer answer_;
    HWND hwnd_ = nullptr;
};

class MisbehavingHost : public qvtest::DialogTest {
  protected:
    int32_t Zoom(int16_t& zoom, const std::function<void(Robot&)>& script) {
        auto show = Export<QVShowViewZoomFn>("QVShowViewZoom");
        const auto outcome = RunModal([&] { return show(&zoom, 0); }, script);
        EXPECT_SCRIPT_OK(outcome);
        return outcome.result;
    }
    // A Zoom that is answered: the library still works after what went before.
    void ExpectZoomStillWorks() {
        int16_t zoom = 100;
        EXPECT_EQ(Zoom(zoom,
                       [](Robot& robot) {
                           HWND dlg = robot.WaitForWindow("Zoom");
                           robot.SetText(dlg, kZoomEdit, "150");
                           robot.Click(dlg, kZoomOK);
                       }),
                  1);
        EXPECT_EQ(zoom, 150);
    }
};

TEST_F(MisbehavingHost, FrameDestroyedUnderAnOpenDialog) {
    char total[] = "Total";
    char* names[] = {total};
    QVGotoRecord gotoRecord{nullptr, names, 1};
    CellFormatRecord format{};
    const struct {
        const char* name;
        std::function<int32_t(HWND frame)> call;
    } calls[] = {
        {"Go To", [&](HWND) { return Export<QVShowGotoFn>("QVShowGoto")(&gotoRecord); }},
        {"Format Cells",
         [&](HWND frame) {
             return Export<QVShowFormatCellsFn>("QVShowFormatCells")(frame, &format);
         }},
    };
    for (const auto& call : calls) {
        HostileFrame frame(nullptr);
        const auto outcome =
            RunModal([&] { return call.call(frame.hwnd()); },
                     [&](Robot& robot) {
                         robot.WaitForDialog();
                         PostMessageA(frame.hwnd(), WM_CLOSE, 0, 0);
                         robot.WaitIdle();
                         // The dialog went with its owner.
                         EXPECT_TRUE(robot.ExportReturned() || robot.ActiveDialog() == nullptr);
                         EXPECT_TRUE(robot.CancelUntilReturned(10000));
                     });
        EXPECT_SCRIPT_OK(outcome) << call.name;
        EXPECT_EQ(outcome.result, 0) << call.name;
        EXPECT_FALSE(IsWindow(frame.hwnd())) << call.name;
    }
    qvhost::SetFrameHandle(frame_->hwnd());
    ExpectZoomStillWorks();
}

TEST_F(MisbehavingHost, GarbageAnswersToThePrivateMessages) {
    // Every message answered with nonsense; the colour lists come back with a
    // count far beyond what the host added, the palette untouched.
    HostileFrame frame([](UINT message, WPARAM, LPARAM lParam) -> LRESULT {
        if (message == WM_QV_FMTLISTS && lParam != 0) {
            auto* names = reinterpret_cast<QVStringArray*>(lParam);
            QVStringArrayAdd(names, "Black");
            names->size = 100000;
        }
        return static_cast<LRESULT>(0x7FFFFFFF12345678LL);
    });
    char total[] = "Total";
    char* names[] = {total};
    QVGotoRecord gotoRecord{nullptr, names, 1};
    auto showGoto = Export<QVShowGotoFn>("QVShowGoto");
    auto outcome = RunModal([&] { return showGoto(&gotoRecord); },
                            [](Robot& robot) {
                                HWND dlg = robot.WaitForDialog();
                                robot.SetText(dlg, kGotoRef, "B7");
                                robot.Click(dlg, IDOK);
                                EXPECT_TRUE(robot.CancelUntilReturned(10000));
                            });
    EXPECT_SCRIPT_OK(outcome);
    EXPECT_TRUE(outcome.result == 0 || outcome.result == 1) << outcome.result;

    CellFormatRecord format{};
    format.startPage = 4;
    auto showFormat = Export<QVShowFormatCellsFn>("QVShowFormatCells");
    outcome = RunModal([&] { return showFormat(frame.hwnd(), &format); },
                       [](Robot& robot) {
                           robot.WaitForDialog();
                           EXPECT_TRUE(robot.CancelUntilReturned(10000));
                       });
    EXPECT_SCRIPT_OK(outcome);
    EXPECT_EQ(outcome.result, 0);
    qvhost::SetFrameHandle(frame_->hwnd());
    ExpectZoomStillWorks();
}

TEST_F(MisbehavingHost, ExportCalledAgainFromInsideAHostMessage) {
    // The host answers Go To's message by opening Zoom, and then Go To itself.
    auto showGoto = Export<QVShowGotoFn>("QVShowGoto");
    auto showZoom = Export<QVShowViewZoomFn>("QVShowViewZoom");
    std::atomic<int> nested{0};
    int32_t nestedZoom = -5, nestedGoto = -5;
    HostileFrame frame([&](UINT message, WPARAM, LPARAM) -> LRESULT {
        if (message == WM_QV_GOTO && nested++ == 0) {
            int16_t zoom = 100;
            nestedZoom = showZoom(&zoom, 0);
            QVGotoRecord again{nullptr, nullptr, 0};
            nestedGoto = showGoto(&again);
        }
        return 0;
    });
    char total[] = "Total";
    char* names[] = {total};
    QVGotoRecord record{nullptr, names, 1};
    const auto outcome = RunModal([&] { return showGoto(&record); },
                                  [](Robot& robot) {
                                      HWND dlg = robot.WaitForDialog();
                                      robot.SetText(dlg, kGotoRef, "C3");
                                      robot.Click(dlg, IDOK);
                                      EXPECT_TRUE(robot.CancelUntilReturned(20000));
                                  });
    EXPECT_SCRIPT_OK(outcome);
    EXPECT_GE(nested.load(), 1);
    // Served (and cancelled by the robot) or refused: either way the cancel result.
    EXPECT_EQ(nestedZoom, 0);
    EXPECT_EQ(nestedGoto, 0);
    EXPECT_TRUE(outcome.result == 0 || outcome.result == 1) << outcome.result;
    qvhost::SetFrameHandle(frame_->hwnd());
    ExpectZoomStillWorks();
}

TEST_F(MisbehavingHost, TwoThreadsOpenDialogsAtOnce) {
    // Each thread runs its own modal loop; both dialogs open, and each comes
    // back with its own result. (The robots look only at their own thread's
    // windows: the first thread does not answer messages while it waits.)
    auto showZoom = Export<QVShowViewZoomFn>("QVShowViewZoom");
    auto showGoto = Export<QVShowGotoFn>("QVShowGoto");
    int16_t zoom = 100;
    qvrobot::ModalOutcome other;
    std::thread second([&] {
        other = RunModal([&] { return showZoom(&zoom, 0); },
                         [](Robot& robot) {
                             HWND dlg = robot.WaitForDialog();
                             robot.SetText(dlg, kZoomEdit, "120");
                             robot.Click(dlg, kZoomOK);
                         });
    });
    QVGotoRecord record{nullptr, nullptr, 0};
    const auto outcome = RunModal([&] { return showGoto(&record); },
                                  [](Robot& robot) { robot.Cancel(robot.WaitForDialog()); });
    second.join();
    EXPECT_SCRIPT_OK(outcome);
    EXPECT_EQ(outcome.result, 0);
    EXPECT_SCRIPT_OK(other);
    EXPECT_EQ(other.result, 1);
    EXPECT_EQ(zoom, 120);
    ExpectZoomStillWorks();
}

} // namespace
