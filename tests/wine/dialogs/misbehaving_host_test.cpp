// A host that misbehaves while a dialog is open: its frame window goes away,
// it answers the private messages with garbage or not at all, its frame's
// thread hangs, it calls exports again from inside the messages it handles,
// and it calls exports from two threads at once. No crash, no hang, and
// every export comes back with a defined result.
#include "harness.h"
#include "qvssd/exports.h"
#include "qvssd/messages.h"

#include <atomic>
#include <cstring>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace {

using qvrobot::Robot;
using qvrobot::RunModal;

constexpr int kGotoRef = 1042;
constexpr int kZoomEdit = 1009, kZoomOK = 1011;
constexpr int kToValue = 1047, kSetCellPick = 1053, kBarEdit = 1012;
constexpr int kSortHeader = 1027, kSortNoHeader = 1026;
constexpr int kCustomLists = 32903, kImport = 32911, kImportRange = 32912;

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

// A frame window that handles nothing: every message, the private ones
// included, goes to the default handling (no text read, no buffer filled,
// result 0).
class SilentFrame {
  public:
    SilentFrame() {
        WNDCLASSA wc{};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "QVSilentFrame";
        RegisterClassA(&wc);
        hwnd_ =
            CreateWindowExA(0, wc.lpszClassName, "Silent host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0,
                            0, 400, 300, nullptr, nullptr, wc.hInstance, nullptr);
    }
    ~SilentFrame() { DestroyWindow(hwnd_); }
    HWND hwnd() const { return hwnd_; }

  private:
    HWND hwnd_ = nullptr;
};

// A frame window on a thread of its own, as a host that keeps its frame on
// another thread than the one calling the exports. It logs the private
// messages it handles, with the text behind Go To's record as it reads it
// then. Block() stops the thread taking messages (stuck in a long job), and
// StallInNextGoto() makes it stick inside its handling of the next Go To
// before it reads the record, until Release().
class FrameOnAnotherThread {
  public:
    FrameOnAnotherThread() {
        HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        thread_ = std::thread([this, ready] { Run(ready); });
        WaitForSingleObject(ready, INFINITE);
        CloseHandle(ready);
    }
    ~FrameOnAnotherThread() {
        SetEvent(release_);
        PostMessageA(hwnd_, WM_CLOSE, 0, 0);
        thread_.join();
        CloseHandle(release_);
        CloseHandle(blocked_);
    }
    HWND hwnd() const { return hwnd_; }

    // Returns once the thread is stuck.
    bool Block() {
        ResetEvent(release_);
        ResetEvent(blocked_);
        PostMessageA(hwnd_, kBlock, 0, 0);
        return WaitForSingleObject(blocked_, 30000) == WAIT_OBJECT_0;
    }
    void StallInNextGoto() {
        ResetEvent(release_);
        ResetEvent(blocked_);
        stall_ = true;
    }
    bool Stalled() const { return WaitForSingleObject(blocked_, 0) == WAIT_OBJECT_0; }
    // Blocks and waits until the system counts the thread as hung (it has
    // taken no message for a few seconds).
    bool Hang() {
        if (!Block()) {
            return false;
        }
        for (int i = 0; i < 600 && !IsHungAppWindow(hwnd_); ++i) {
            Sleep(50);
        }
        return IsHungAppWindow(hwnd_) != FALSE;
    }
    // Lets the thread go on and waits until it has handled every message
    // sent to it meanwhile.
    void Release() {
        SetEvent(release_);
        DWORD_PTR ignored = 0;
        SendMessageTimeoutA(hwnd_, WM_NULL, 0, 0, SMTO_NORMAL, 30000, &ignored);
    }
    std::vector<std::pair<UINT, std::string>> Log() const {
        std::lock_guard<std::mutex> lock(mutex_);
        return log_;
    }

  private:
    static constexpr UINT kBlock = WM_APP + 7;

    void Run(HANDLE ready) {
        WNDCLASSA wc{};
        wc.lpfnWndProc = &FrameOnAnotherThread::WndProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "QVFrameOnAnotherThread";
        RegisterClassA(&wc);
        hwnd_ = CreateWindowExA(0, wc.lpszClassName, "Host on another thread", WS_OVERLAPPEDWINDOW,
                                0, 0, 400, 300, nullptr, nullptr, wc.hInstance, this);
        ShowWindow(hwnd_, SW_SHOWNA);
        SetEvent(ready);
        MSG msg;
        while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
            DispatchMessageA(&msg);
        }
    }
    static LRESULT CALLBACK WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_NCCREATE) {
            const auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
            SetWindowLongPtrA(hwnd, GWLP_USERDATA,
                              reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        }
        auto* self =
            reinterpret_cast<FrameOnAnotherThread*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
        switch (message) {
        case kBlock:
            SetEvent(self->blocked_);
            WaitForSingleObject(self->release_, INFINITE);
            return 0;
        case WM_QV_SETINPUTLANG:
        case WM_QV_HEADERROW:
        case WM_QV_CHECKREF:
        case WM_QV_IMPORTLIST:
        case WM_QV_RANGEPICK:
        case WM_QV_FMTLISTS:
            self->Add(message, "");
            return 0;
        case WM_QV_GOTO: {
            if (self->stall_.exchange(false)) {
                SetEvent(self->blocked_);
                WaitForSingleObject(self->release_, INFINITE);
            }
            const auto* record = reinterpret_cast<const QVGotoRecord*>(wParam);
            self->Add(message, record->reference != nullptr ? record->reference : "(none)");
            return 0;
        }
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcA(hwnd, message, wParam, lParam);
        }
    }
    void Add(UINT message, std::string text) {
        std::lock_guard<std::mutex> lock(mutex_);
        log_.emplace_back(message, std::move(text));
    }

    std::thread thread_;
    HWND hwnd_ = nullptr;
    HANDLE release_ = CreateEventA(nullptr, TRUE, TRUE, nullptr);
    HANDLE blocked_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    std::atomic<bool> stall_{false};
    mutable std::mutex mutex_;
    std::vector<std::pair<UINT, std::string>> log_;
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
    // Every exchange with the host, over a host `frame` that does not answer:
    // each dialog opens, works and ends as it does with a host that has no
    // frame window.
    void EveryDialogThatTalksToTheHost(HWND frame, const std::string& host) {
        qvhost::SetFrameHandle(frame);
        const std::string userData = qvhost::MakeScratchFolder("silent-host-user");
        qvhost::SetUserDataFolder(userData);

        // Go To closes as if the host had jumped.
        char total[] = "Total";
        char* names[] = {total};
        QVGotoRecord gotoRecord{nullptr, names, 1};
        auto outcome = RunModal([&] { return Export<QVShowGotoFn>("QVShowGoto")(&gotoRecord); },
                                [](Robot& robot) {
                                    HWND dlg = robot.WaitForDialog();
                                    robot.SetText(dlg, kGotoRef, "B7");
                                    robot.Click(dlg, IDOK);
                                    EXPECT_TRUE(robot.WaitClosed(dlg));
                                });
        EXPECT_SCRIPT_OK(outcome) << host << ", Go To";
        EXPECT_EQ(outcome.result, 1) << host << ", Go To";

        // Goal Seek: the cell picked in the range bar, both references
        // unchecked (accepted), the record written.
        GoalSeekRecord goal{};
        std::strcpy(goal.setCell, "B4");
        std::strcpy(goal.changingCell, "B2");
        outcome = RunModal([&] { return Export<QVShowGoalSeekFn>("QVShowGoalSeek")(&goal); },
                           [](Robot& robot) {
                               HWND dlg = robot.WaitForDialog();
                               robot.SetText(dlg, kToValue, "5");
                               robot.Click(dlg, kSetCellPick);
                               HWND bar = robot.WaitForDialog();
                               EXPECT_NE(bar, dlg);
                               robot.PressKey(bar, kBarEdit, VK_RETURN);
                               EXPECT_TRUE(robot.WaitClosed(bar));
                               EXPECT_TRUE(IsWindowVisible(dlg));
                               robot.Click(dlg, IDOK);
                               EXPECT_TRUE(robot.WaitClosed(dlg));
                           });
        EXPECT_SCRIPT_OK(outcome) << host << ", Goal Seek";
        EXPECT_EQ(outcome.result, 1) << host << ", Goal Seek";
        EXPECT_STREQ(goal.setCell, "B4") << host;
        EXPECT_EQ(goal.toValue, 5.0) << host;

        // Sort tells the host about the header row both ways.
        DataSortRecord sort{};
        sort.firstRow = 1;
        sort.lastRow = 10;
        sort.firstColumn = 1;
        sort.lastColumn = 3;
        sort.topToBottom = 1;
        outcome = RunModal([&] { return Export<QVShowDataSortFn>("QVShowDataSort")(&sort); },
                           [](Robot& robot) {
                               HWND dlg = robot.WaitForDialog();
                               robot.Click(dlg, kSortNoHeader);
                               robot.Click(dlg, kSortHeader);
                               robot.Click(dlg, IDOK);
                           });
        EXPECT_SCRIPT_OK(outcome) << host << ", Sort";
        EXPECT_EQ(outcome.result, 1) << host << ", Sort";
        EXPECT_EQ(sort.headerRow, 1) << host;

        // A custom-list import the host never writes: nothing is imported.
        QVOptionsRecord options{};
        options.activePage = 1;
        outcome = RunModal([&] { return Export<QVShowOptionsFn>("QVShowOptions")(&options); },
                           [](Robot& robot) {
                               HWND sheet = robot.WaitForDialog();
                               const size_t lists = robot.Items(sheet, kCustomLists).size();
                               robot.SetText(sheet, kImportRange, "A1:A3");
                               robot.Click(sheet, kImport);
                               EXPECT_EQ(robot.Items(sheet, kCustomLists).size(), lists);
                               EXPECT_TRUE(robot.CancelUntilReturned(20000));
                           });
        EXPECT_SCRIPT_OK(outcome) << host << ", Options";
        EXPECT_EQ(outcome.result, 0) << host << ", Options";

        // Format Cells over lists the host never filled.
        CellFormatRecord format{};
        format.startPage = 5;
        outcome = RunModal(
            [&] { return Export<QVShowFormatCellsFn>("QVShowFormatCells")(frame, &format); },
            [](Robot& robot) { robot.Click(robot.WaitForDialog(), IDOK); });
        EXPECT_SCRIPT_OK(outcome) << host << ", Format Cells";
        EXPECT_EQ(outcome.result, 1) << host << ", Format Cells";

        // The keyboard switches of the local menu.
        qvhost::SetMenuLanguage(2);
        int16_t zoom = 100;
        EXPECT_EQ(Zoom(zoom,
                       [](Robot& robot) {
                           HWND dlg = robot.WaitForDialog();
                           robot.SetText(dlg, kZoomEdit, "150");
                           robot.Click(dlg, kZoomOK);
                       }),
                  1)
            << host << ", local Zoom";
        EXPECT_EQ(zoom, 150) << host;
        qvhost::SetMenuLanguage(1);

        qvhost::SetFrameHandle(frame_->hwnd());
        qvhost::RemoveFolder(userData);
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

TEST_F(MisbehavingHost, HostThatNeverAnswers) {
    SilentFrame silent;
    EveryDialogThatTalksToTheHost(silent.hwnd(), "silent frame");
    ExpectZoomStillWorks();
}

TEST_F(MisbehavingHost, FrameOnAHungThread) {
    FrameOnAnotherThread frame;
    ASSERT_TRUE(frame.Hang());
    EveryDialogThatTalksToTheHost(frame.hwnd(), "hung frame");
    frame.Release();
    // A thread counted as hung is not even given the messages.
    EXPECT_TRUE(frame.Log().empty());

    // A frame whose thread sticks in its handling of Go To's jump: OK waits
    // for the answer a bounded time, then closes as if the host had jumped.
    // When the thread comes back, the reference it reads is still the one
    // typed, though the dialog has gone.
    qvhost::SetFrameHandle(frame.hwnd());
    char total[] = "Total";
    char* names[] = {total};
    QVGotoRecord record{nullptr, names, 1};
    const auto outcome = RunModal([&] { return Export<QVShowGotoFn>("QVShowGoto")(&record); },
                                  [&](Robot& robot) {
                                      HWND dlg = robot.WaitForDialog();
                                      robot.SetText(dlg, kGotoRef, "D12");
                                      frame.StallInNextGoto();
                                      robot.Click(dlg, IDOK);
                                      EXPECT_TRUE(robot.WaitClosed(dlg));
                                  });
    EXPECT_SCRIPT_OK(outcome);
    EXPECT_EQ(outcome.result, 1);
    EXPECT_TRUE(frame.Stalled());
    frame.Release();
    const auto log = frame.Log();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].first, static_cast<UINT>(WM_QV_GOTO));
    EXPECT_EQ(log[0].second, "D12");

    // Once it answers again, it is asked again.
    record.reference = nullptr;
    const auto again = RunModal([&] { return Export<QVShowGotoFn>("QVShowGoto")(&record); },
                                [](Robot& robot) {
                                    HWND dlg = robot.WaitForDialog();
                                    robot.SetText(dlg, kGotoRef, "E5");
                                    robot.Click(dlg, IDOK);
                                });
    EXPECT_SCRIPT_OK(again);
    EXPECT_EQ(again.result, 1);
    ASSERT_EQ(frame.Log().size(), 2u);
    EXPECT_EQ(frame.Log()[1].second, "E5");
    qvhost::SetFrameHandle(frame_->hwnd());
    ExpectZoomStillWorks();
}

} // namespace
