// The UI robot: finding windows, reading and acting on controls from a second
// thread, message boxes and the RunModal frame.
#include "qvrobot/robot.h"

#include "qvcore/utf8.h"

#include <oleacc.h>

#include <chrono>
#include <memory>
#include <thread>

namespace qvrobot {

namespace {

// Texts are UTF-8 in the robot's interface and UTF-16 in the windows.
std::string Utf8(std::wstring_view text) {
    return qv::core::Utf16ToUtf8(
        std::u16string_view(reinterpret_cast<const char16_t*>(text.data()), text.size()));
}

std::wstring Utf16(std::string_view text) {
    const std::u16string wide = qv::core::Utf8ToUtf16(text);
    return std::wstring(wide.begin(), wide.end());
}

constexpr char kHelperClass[] = "QVRobotHelper";
// Messages of the helper window, which lives on the UI thread.
constexpr UINT kRunAction = WM_APP + 0x61;   // lParam: std::function<void()>*, deleted after
constexpr UINT kMarker = WM_APP + 0x62;      // wParam: marker number, see Robot::WaitIdle
constexpr UINT kCaptureCall = WM_APP + 0x63; // lParam: std::shared_ptr<CaptureTask>*
constexpr UINT kQueueQuery = WM_APP + 0x64;  // sent: answers PendingWork() of the UI thread

// A marker goes round at most this often behind messages that keep coming.
constexpr LPARAM kMaxMarkerRounds = 10000;

// What waits in the calling thread's queue, as QS_ bits. Timers are left
// out: a caret blinks for as long as an edit box has the focus.
UINT PendingWork() {
    return HIWORD(GetQueueStatus(QS_POSTMESSAGE | QS_SENDMESSAGE | QS_INPUT | QS_PAINT));
}

std::string DescribePending(UINT pending) {
    std::string text;
    const auto add = [&text](const char* what) {
        text += text.empty() ? what : std::string(", ") + what;
    };
    if (pending & QS_POSTMESSAGE) {
        add("posted messages");
    }
    if (pending & QS_SENDMESSAGE) {
        add("sent messages");
    }
    if (pending & QS_INPUT) {
        add("input");
    }
    if (pending & QS_PAINT) {
        add("painting");
    }
    return text.empty() ? "nothing queued" : text;
}

struct HelperState {
    std::atomic<uint64_t> posted{0};
    std::atomic<uint64_t> handled{0};
    HANDLE handledEvent = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    ~HelperState() { CloseHandle(handledEvent); }
};

struct CaptureTask {
    HWND window = nullptr;
    Image image;
};

using Clock = std::chrono::steady_clock;

Clock::time_point DeadlineAfter(DWORD ms) {
    return Clock::now() + std::chrono::milliseconds(ms);
}

LRESULT CALLBACK HelperProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case kRunAction: {
        std::unique_ptr<std::function<void()>> action(
            reinterpret_cast<std::function<void()>*>(lParam));
        if (action && *action) {
            (*action)();
        }
        return 0;
    }
    case kMarker: {
        // What the robot's actions caused may have been posted after the
        // marker (a dialog that posts to itself, a host window that answers
        // later): the marker goes to the back of the queue until nothing
        // posted is left before it. (Input and painting come after posted
        // messages: a marker posted again for them would keep them waiting.)
        if ((PendingWork() & (QS_POSTMESSAGE | QS_SENDMESSAGE)) != 0 && lParam < kMaxMarkerRounds &&
            PostMessageA(hwnd, kMarker, wParam, lParam + 1)) {
            return 0;
        }
        auto* state = reinterpret_cast<HelperState*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
        if (state != nullptr) {
            state->handled = static_cast<uint64_t>(wParam);
            SetEvent(state->handledEvent);
        }
        return 0;
    }
    case kQueueQuery:
        return static_cast<LRESULT>(PendingWork());
    case kCaptureCall: {
        std::unique_ptr<std::shared_ptr<CaptureTask>> task(
            reinterpret_cast<std::shared_ptr<CaptureTask>*>(lParam));
        if (task && *task) {
            (*task)->image = CaptureWindow((*task)->window);
        }
        return 1;
    }
    default:
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

HWND CreateHelper(HelperState* state) {
    static const bool registered = [] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = HelperProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = kHelperClass;
        return RegisterClassA(&wc) != 0;
    }();
    (void)registered;
    HWND helper = CreateWindowExA(0, kHelperClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    if (helper != nullptr) {
        SetWindowLongPtrA(helper, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
    }
    return helper;
}

void DestroyHelper(HWND helper) {
    if (helper == nullptr) {
        return;
    }
    // Actions and captures that never ran are freed here.
    MSG msg;
    while (PeekMessageA(&msg, helper, kRunAction, kRunAction, PM_REMOVE)) {
        delete reinterpret_cast<std::function<void()>*>(msg.lParam);
    }
    SetWindowLongPtrA(helper, GWLP_USERDATA, 0);
    DestroyWindow(helper);
}

struct EnumState {
    DWORD thread = 0; // 0: any thread of the process
    std::function<bool(HWND)> accept;
    HWND found = nullptr;
};

BOOL CALLBACK EnumTopLevel(HWND hwnd, LPARAM lParam) {
    auto* state = reinterpret_cast<EnumState*>(lParam);
    DWORD pid = 0;
    const DWORD thread = GetWindowThreadProcessId(hwnd, &pid);
    if (pid != GetCurrentProcessId() || (state->thread != 0 && thread != state->thread)) {
        return TRUE;
    }
    if (state->accept(hwnd)) {
        state->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

HWND FirstTopLevel(DWORD thread, std::function<bool(HWND)> accept) {
    EnumState state;
    state.thread = thread;
    state.accept = std::move(accept);
    EnumWindows(EnumTopLevel, reinterpret_cast<LPARAM>(&state));
    return state.found;
}

struct ChildSearch {
    int id;
    HWND found;
};

BOOL CALLBACK EnumChild(HWND hwnd, LPARAM lParam) {
    auto* search = reinterpret_cast<ChildSearch*>(lParam);
    if (GetDlgCtrlID(hwnd) == search->id) {
        search->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

bool IsListBoxClass(const std::string& cls) {
    return lstrcmpiA(cls.c_str(), "ListBox") == 0 || lstrcmpiA(cls.c_str(), "ComboLBox") == 0;
}

bool IsComboClass(const std::string& cls) {
    return lstrcmpiA(cls.c_str(), "ComboBox") == 0;
}

} // namespace

size_t Image::DistinctColours(size_t limit) const {
    std::vector<uint32_t> seen;
    for (size_t i = 0; i + 2 < rgb.size() && seen.size() < limit; i += 3) {
        const uint32_t c = (uint32_t{rgb[i]} << 16) | (uint32_t{rgb[i + 1]} << 8) | rgb[i + 2];
        bool known = false;
        for (uint32_t s : seen) {
            if (s == c) {
                known = true;
                break;
            }
        }
        if (!known) {
            seen.push_back(c);
        }
    }
    return seen.size();
}

// ---- RunModal ---------------------------------------------------------------

ModalOutcome RunModal(const std::function<int32_t()>& callExport,
                      const std::function<void(Robot&)>& script, const Options& options) {
    ModalOutcome outcome;
    HelperState state;
    HWND helper = CreateHelper(&state);
    if (helper == nullptr) {
        outcome.ok = false;
        outcome.failure = "the robot could not create its helper window";
        return outcome;
    }
    Robot robot(options, GetCurrentThreadId(), helper);
    std::string failure;

    std::thread worker([&] {
        try {
            script(robot);
        } catch (const std::exception& e) {
            failure = e.what();
        } catch (...) {
            failure = "the script threw an unknown exception";
        }
        if (!failure.empty()) {
            robot.CloseAllDialogs(options.closeTimeoutMs);
        } else {
            // The script is done: the export should now return by itself.
            const auto deadline = DeadlineAfter(options.closeTimeoutMs);
            while (!robot.ExportReturned() && Clock::now() < deadline) {
                Sleep(5);
            }
            if (!robot.ExportReturned()) {
                HWND open = robot.ActiveDialog();
                failure = "a dialog was still open after the script";
                if (open != nullptr) {
                    failure += ": \"" + robot.Caption(open) + "\"";
                }
                robot.CloseAllDialogs(options.closeTimeoutMs);
            }
        }
        // Last resort, so that no run hangs: a loop that neither closed nor
        // returned is ended with WM_QUIT (taken off the queue afterwards).
        const auto deadline = DeadlineAfter(options.closeTimeoutMs);
        while (!robot.ExportReturned() && Clock::now() < deadline) {
            Sleep(5);
        }
        if (!robot.ExportReturned()) {
            failure += failure.empty() ? "" : "; ";
            failure += "the export did not return after its dialogs were closed, its loop was "
                       "ended with WM_QUIT";
            PostThreadMessageA(robot.uiThread(), WM_QUIT, 0, 0);
        }
    });

    outcome.result = callExport();
    robot.MarkExportReturned();
    worker.join();
    MSG quit;
    while (PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
    DestroyHelper(helper);
    if (!failure.empty()) {
        outcome.ok = false;
        outcome.failure = failure;
    }
    return outcome;
}

// ---- Robot ------------------------------------------------------------------

Robot::Robot(const Options& options, DWORD uiThread, HWND helper)
    : options_(options), uiThread_(uiThread), helper_(helper) {}

HWND Robot::FindWindowByCaption(const std::string& caption, DWORD timeoutMs) {
    const auto deadline = DeadlineAfter(timeoutMs);
    for (;;) {
        HWND found = FirstTopLevel(
            0, [&](HWND w) { return IsWindowVisible(w) && Caption(w) == caption && w != helper_; });
        if (found != nullptr) {
            WaitIdle();
            return found;
        }
        if (ExportReturned() || Clock::now() >= deadline) {
            return nullptr;
        }
        Sleep(1);
    }
}

HWND Robot::WaitForWindow(const std::string& caption, DWORD timeoutMs) {
    HWND found = FindWindowByCaption(caption, timeoutMs);
    if (found == nullptr) {
        throw RobotError(ExportReturned()
                             ? "the export returned before a window \"" + caption + "\" appeared"
                             : "no window \"" + caption + "\" appeared within " +
                                   std::to_string(timeoutMs) + " ms");
    }
    return found;
}

HWND Robot::ActiveDialog() const {
    return FirstTopLevel(uiThread_, [](HWND w) {
        return IsWindowVisible(w) && IsWindowEnabled(w) && ClassName(w) == "#32770";
    });
}

HWND Robot::FindDialog(DWORD timeoutMs) {
    const auto deadline = DeadlineAfter(timeoutMs);
    for (;;) {
        HWND dialog = ActiveDialog();
        if (dialog != nullptr) {
            WaitIdle();
            if (ActiveDialog() == dialog) {
                return dialog;
            }
            continue;
        }
        if (ExportReturned() || Clock::now() >= deadline) {
            return nullptr;
        }
        Sleep(1);
    }
}

HWND Robot::WaitForDialog(DWORD timeoutMs) {
    HWND dialog = FindDialog(timeoutMs);
    if (dialog == nullptr) {
        throw RobotError(ExportReturned()
                             ? "the export returned without showing a dialog"
                             : "no dialog appeared within " + std::to_string(timeoutMs) + " ms");
    }
    return dialog;
}

void Robot::WaitIdle() {
    if (ExportReturned()) {
        return;
    }
    auto* state = reinterpret_cast<HelperState*>(GetWindowLongPtrA(helper_, GWLP_USERDATA));
    if (state == nullptr) {
        return;
    }
    // Posted messages of one thread are handled in order: once the marker has
    // been handled, so has every action and key posted before it. The WM_NULL
    // then returns once the thread waits for messages again.
    const uint64_t marker = ++state->posted;
    if (!PostMessageA(helper_, kMarker, static_cast<WPARAM>(marker), 0)) {
        return;
    }
    const auto deadline = DeadlineAfter(options_.timeoutMs);
    while (state->handled < marker) {
        if (ExportReturned()) {
            return;
        }
        if (Clock::now() >= deadline) {
            throw RobotError("the dialog's thread did not become idle within " +
                             std::to_string(options_.timeoutMs) + " ms (" + IdleReport() + ")");
        }
        WaitForSingleObject(state->handledEvent, 5);
    }
    DWORD_PTR result = 0;
    SendMessageTimeoutA(helper_, WM_NULL, 0, 0, SMTO_NORMAL, options_.timeoutMs, &result);
    if (options_.waitForPaint) {
        WaitPainted(deadline);
    }
}

void Robot::WaitPainted(std::chrono::steady_clock::time_point deadline) {
    // Painting comes after everything posted: ask the thread, between the
    // messages it handles, until nothing is left to paint.
    for (;;) {
        DWORD_PTR pending = 0;
        if (ExportReturned() || !SendMessageTimeoutA(helper_, kQueueQuery, 0, 0, SMTO_NORMAL,
                                                     options_.timeoutMs, &pending)) {
            return;
        }
        if ((pending & (QS_POSTMESSAGE | QS_INPUT | QS_PAINT)) == 0) {
            return;
        }
        if (Clock::now() >= deadline) {
            throw RobotError(
                "the dialog's thread did not finish within " + std::to_string(options_.timeoutMs) +
                " ms: " + DescribePending(static_cast<UINT>(pending)) + " still waiting");
        }
        SwitchToThread();
    }
}

std::string Robot::IdleReport() const {
    std::string report = "waiting for the robot's marker behind ";
    DWORD_PTR pending = 0;
    if (SendMessageTimeoutA(helper_, kQueueQuery, 0, 0, SMTO_NORMAL | SMTO_ABORTIFHUNG, 200,
                            &pending)) {
        report += DescribePending(static_cast<UINT>(pending));
    } else {
        report += "a thread that is busy and does not answer";
    }
    if (HWND dialog = ActiveDialog()) {
        report += "; active dialog \"" + Caption(dialog) + "\"";
    }
    return report;
}

bool Robot::WaitClosed(HWND window, DWORD timeoutMs) {
    const auto deadline = DeadlineAfter(timeoutMs);
    while (IsWindow(window) && IsWindowVisible(window)) {
        if (Clock::now() >= deadline) {
            return false;
        }
        Sleep(1);
    }
    WaitIdle();
    return true;
}

// ---- reading ------------------------------------------------------------------

std::string Robot::ClassName(HWND window) {
    char name[256] = {};
    GetClassNameA(window, name, sizeof(name));
    return name;
}

HWND Robot::Control(HWND dialog, int id) const {
    if (!IsWindow(dialog)) {
        throw RobotError("the dialog is gone (looking for control " + std::to_string(id) + ")");
    }
    HWND control = GetDlgItem(dialog, id);
    if (control == nullptr) {
        ChildSearch search{id, nullptr};
        EnumChildWindows(dialog, EnumChild, reinterpret_cast<LPARAM>(&search));
        control = search.found;
    }
    if (control == nullptr) {
        throw RobotError("no control " + std::to_string(id) + " in \"" + Caption(dialog) + "\"");
    }
    return control;
}

bool Robot::HasControl(HWND dialog, int id) const {
    if (!IsWindow(dialog)) {
        return false;
    }
    if (GetDlgItem(dialog, id) != nullptr) {
        return true;
    }
    ChildSearch search{id, nullptr};
    EnumChildWindows(dialog, EnumChild, reinterpret_cast<LPARAM>(&search));
    return search.found != nullptr;
}

std::string Robot::Caption(HWND window) const {
    return Text(window);
}

std::string Robot::Text(HWND window) const {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, options_.timeoutMs,
                             &length)) {
        // A window that went away between finding it and asking it (a dialog
        // closing while the next one opens) has no text; only a live window
        // that does not answer is a failure.
        if (!IsWindow(window)) {
            return {};
        }
        throw RobotError("a window did not answer WM_GETTEXTLENGTH");
    }
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                             SMTO_NORMAL, options_.timeoutMs, &copied)) {
        if (!IsWindow(window)) {
            return {};
        }
        throw RobotError("a window did not answer WM_GETTEXT");
    }
    text.resize(copied < text.size() ? copied : text.size() - 1);
    return Utf8(text);
}

int Robot::CheckState(HWND dialog, int id) const {
    DWORD_PTR state = 0;
    if (!SendMessageTimeoutA(Control(dialog, id), BM_GETCHECK, 0, 0, SMTO_NORMAL,
                             options_.timeoutMs, &state)) {
        throw RobotError("control " + std::to_string(id) + " did not answer BM_GETCHECK");
    }
    return static_cast<int>(state);
}

bool Robot::IsEnabled(HWND dialog, int id) const {
    return IsWindowEnabled(Control(dialog, id));
}

bool Robot::IsVisible(HWND dialog, int id) const {
    return IsWindowVisible(Control(dialog, id));
}

std::vector<std::string> Robot::Items(HWND dialog, int id) const {
    HWND control = Control(dialog, id);
    const std::string cls = ClassName(control);
    const bool list = IsListBoxClass(cls);
    if (!list && !IsComboClass(cls)) {
        throw RobotError("control " + std::to_string(id) + " is a " + cls +
                         ", not a list or combo box");
    }
    const UINT getCount = list ? LB_GETCOUNT : CB_GETCOUNT;
    const UINT getLength = list ? LB_GETTEXTLEN : CB_GETLBTEXTLEN;
    const UINT getText = list ? LB_GETTEXT : CB_GETLBTEXT;
    DWORD_PTR count = 0;
    if (!SendMessageTimeoutA(control, getCount, 0, 0, SMTO_NORMAL, options_.timeoutMs, &count)) {
        throw RobotError("control " + std::to_string(id) + " did not answer its count");
    }
    std::vector<std::string> items;
    for (int i = 0; i < static_cast<int>(static_cast<LRESULT>(count)); ++i) {
        DWORD_PTR length = 0;
        SendMessageTimeoutW(control, getLength, i, 0, SMTO_NORMAL, options_.timeoutMs, &length);
        if (static_cast<LRESULT>(length) < 0) {
            items.emplace_back();
            continue;
        }
        std::wstring text(length + 1, L'\0');
        DWORD_PTR copied = 0;
        SendMessageTimeoutW(control, getText, i, reinterpret_cast<LPARAM>(text.data()), SMTO_NORMAL,
                            options_.timeoutMs, &copied);
        text.resize(static_cast<LRESULT>(copied) >= 0 && copied <= length ? copied : 0);
        items.push_back(Utf8(text));
    }
    return items;
}

int Robot::SelectedIndex(HWND dialog, int id) const {
    HWND control = Control(dialog, id);
    const std::string cls = ClassName(control);
    const bool list = IsListBoxClass(cls);
    if (!list && !IsComboClass(cls)) {
        throw RobotError("control " + std::to_string(id) + " is not a list or combo box");
    }
    DWORD_PTR selected = 0;
    if (!SendMessageTimeoutA(control, list ? LB_GETCURSEL : CB_GETCURSEL, 0, 0, SMTO_NORMAL,
                             options_.timeoutMs, &selected)) {
        throw RobotError("control " + std::to_string(id) + " did not answer its selection");
    }
    return static_cast<int>(static_cast<LRESULT>(selected));
}

std::string Robot::SelectedText(HWND dialog, int id) const {
    const int index = SelectedIndex(dialog, id);
    const auto items = Items(dialog, id);
    return index >= 0 && index < static_cast<int>(items.size()) ? items[index] : std::string();
}

HWND Robot::FocusedWindow() {
    // A dialog that has just been shown is activated, and its focus restored,
    // by messages that may still be on their way when its thread is idle:
    // wait (bounded) for a focus while the export runs. Tests that run side by
    // side share Wine's desktop: when another process takes the foreground,
    // this thread is left with no active window and no focus at all; activated
    // again, the dialog gives the focus back to the control that had it.
    const auto deadline = DeadlineAfter(options_.timeoutMs);
    bool activated = false;
    for (;;) {
        GUITHREADINFO info{};
        info.cbSize = sizeof(info);
        const bool read = GetGUIThreadInfo(uiThread_, &info) != FALSE;
        if (read && info.hwndFocus != nullptr) {
            return info.hwndFocus;
        }
        if (ExportReturned() || Clock::now() >= deadline) {
            return nullptr;
        }
        if (read && info.hwndActive == nullptr && !activated) {
            if (HWND dialog = ActiveDialog()) {
                activated = true;
                PostAndSync([dialog] { SetForegroundWindow(dialog); });
                continue;
            }
        }
        Sleep(1);
    }
}

int Robot::FocusedId() {
    HWND focus = FocusedWindow();
    return focus != nullptr ? GetDlgCtrlID(focus) : 0;
}

std::string Robot::FontFace(HWND window) const {
    DWORD_PTR font = 0;
    if (!SendMessageTimeoutA(window, WM_GETFONT, 0, 0, SMTO_NORMAL, options_.timeoutMs, &font)) {
        throw RobotError("a window did not answer WM_GETFONT");
    }
    if (font == 0) {
        return {};
    }
    LOGFONTW logFont{};
    if (GetObjectW(reinterpret_cast<HFONT>(font), sizeof(logFont), &logFont) == 0) {
        return {};
    }
    return Utf8(logFont.lfFaceName);
}

// ---- acting -------------------------------------------------------------------

void Robot::Post(std::function<void()> action) {
    auto* heap = new std::function<void()>(std::move(action));
    if (!PostMessageA(helper_, kRunAction, 0, reinterpret_cast<LPARAM>(heap))) {
        delete heap;
        throw RobotError("the robot could not post to the dialog's thread");
    }
}

void Robot::PostAndSync(std::function<void()> action) {
    if (ExportReturned()) {
        throw RobotError("the export has already returned");
    }
    Post(std::move(action));
    WaitIdle();
}

void Robot::SetText(HWND dialog, int id, const std::string& text) {
    HWND control = Control(dialog, id);
    const bool combo = IsComboClass(ClassName(control));
    PostAndSync([control, text, combo, id] {
        SetWindowTextW(control, Utf16(text).c_str());
        if (combo) {
            SendMessageA(GetParent(control), WM_COMMAND, MAKEWPARAM(id, CBN_EDITCHANGE),
                         reinterpret_cast<LPARAM>(control));
        }
    });
}

void Robot::Click(HWND dialog, int id) {
    HWND control = Control(dialog, id);
    if (!IsWindowVisible(control)) {
        throw RobotError("control " + std::to_string(id) + " is hidden and cannot be clicked");
    }
    if (!IsWindowEnabled(control)) {
        throw RobotError("control " + std::to_string(id) + " is disabled and cannot be clicked");
    }
    PostAndSync([control] { SendMessageA(control, BM_CLICK, 0, 0); });
}

void Robot::Select(HWND dialog, int id, int index) {
    HWND control = Control(dialog, id);
    const std::string cls = ClassName(control);
    const bool list = IsListBoxClass(cls);
    if (!list && !IsComboClass(cls)) {
        throw RobotError("control " + std::to_string(id) + " is not a list or combo box");
    }
    const int count = static_cast<int>(Items(dialog, id).size());
    if (index < 0 || index >= count) {
        throw RobotError("control " + std::to_string(id) + " has no entry " +
                         std::to_string(index) + " (it has " + std::to_string(count) + ")");
    }
    PostAndSync([control, index, list, id] {
        if (list) {
            const LONG style = GetWindowLongA(control, GWL_STYLE);
            if (style & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) {
                SendMessageA(control, LB_SETSEL, FALSE, -1);
                SendMessageA(control, LB_SETSEL, TRUE, index);
                SendMessageA(control, LB_SETCARETINDEX, index, FALSE);
            } else {
                SendMessageA(control, LB_SETCURSEL, index, 0);
            }
        } else {
            SendMessageA(control, CB_SETCURSEL, index, 0);
        }
        SendMessageA(GetParent(control), WM_COMMAND,
                     MAKEWPARAM(id, list ? LBN_SELCHANGE : CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(control));
    });
}

void Robot::Select(HWND dialog, int id, const std::string& text) {
    const auto items = Items(dialog, id);
    for (size_t i = 0; i < items.size(); ++i) {
        if (items[i] == text) {
            Select(dialog, id, static_cast<int>(i));
            return;
        }
    }
    throw RobotError("control " + std::to_string(id) + " has no entry \"" + text + "\"");
}

void Robot::DoubleClick(HWND dialog, int id, int index) {
    Select(dialog, id, index);
    HWND control = Control(dialog, id);
    PostAndSync([control, id] {
        SendMessageA(GetParent(control), WM_COMMAND, MAKEWPARAM(id, LBN_DBLCLK),
                     reinterpret_cast<LPARAM>(control));
    });
}

void Robot::Focus(HWND dialog, int id) {
    HWND control = Control(dialog, id);
    PostAndSync([control] { SetFocus(control); });
}

void Robot::PressKey(HWND dialog, int id, UINT virtualKey, bool alt) {
    HWND control = Control(dialog, id);
    if (ExportReturned()) {
        throw RobotError("the export has already returned");
    }
    Post([control] { SetFocus(control); });
    const UINT scan = MapVirtualKeyA(virtualKey, 0 /* MAPVK_VK_TO_VSC */);
    const LPARAM down = 1 | (static_cast<LPARAM>(scan & 0xFF) << 16) | (alt ? (1 << 29) : 0);
    const LPARAM up = down | (static_cast<LPARAM>(1) << 30) | (static_cast<LPARAM>(1) << 31);
    PostMessageA(control, alt ? WM_SYSKEYDOWN : WM_KEYDOWN, virtualKey, down);
    PostMessageA(control, alt ? WM_SYSKEYUP : WM_KEYUP, virtualKey, up);
    WaitIdle();
}

void Robot::TypeChars(HWND dialog, int id, const std::string& chars) {
    HWND control = Control(dialog, id);
    if (ExportReturned()) {
        throw RobotError("the export has already returned");
    }
    Post([control] { SetFocus(control); });
    for (wchar_t c : Utf16(chars)) {
        PostMessageW(control, WM_CHAR, c, 1);
    }
    WaitIdle();
}

void Robot::Cancel(HWND dialog) {
    if (!IsWindow(dialog)) {
        throw RobotError("the dialog to cancel is gone");
    }
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDCANCEL)));
    if (!WaitClosed(dialog)) {
        throw RobotError("\"" + Caption(dialog) + "\" did not close on Cancel");
    }
}

// ---- message boxes ---------------------------------------------------------------

bool Robot::IsMessageBox(HWND window) const {
    return IsWindowVisible(window) && ClassName(window) == "#32770" &&
           Caption(window) == options_.messageBoxCaption;
}

HWND Robot::WaitForMessageBoxWindow(DWORD timeoutMs) {
    const auto deadline = DeadlineAfter(timeoutMs);
    for (;;) {
        HWND box = FirstTopLevel(uiThread_, [this](HWND w) { return IsMessageBox(w); });
        if (box != nullptr) {
            WaitIdle();
            if (IsWindow(box)) {
                return box;
            }
            continue;
        }
        if (ExportReturned() || Clock::now() >= deadline) {
            return nullptr;
        }
        Sleep(1);
    }
}

MessageBoxInfo Robot::ExpectMessageBox(DWORD timeoutMs) {
    MessageBoxInfo info;
    info.hwnd = WaitForMessageBoxWindow(timeoutMs);
    if (info.hwnd != nullptr) {
        info.exists = true;
        if (HasControl(info.hwnd, options_.messageBoxTextId)) {
            info.text = Text(info.hwnd, options_.messageBoxTextId);
        }
    }
    return info;
}

bool Robot::NoMessageBoxWithin(DWORD ms) {
    return WaitForMessageBoxWindow(ms) == nullptr;
}

void Robot::AnswerMessageBox(int buttonId) {
    HWND box = WaitForMessageBoxWindow(options_.timeoutMs);
    if (box == nullptr) {
        throw RobotError("no message box to answer");
    }
    Click(box, buttonId);
    if (!WaitClosed(box)) {
        throw RobotError("the message box stayed open after button " + std::to_string(buttonId));
    }
}

// ---- rendering ---------------------------------------------------------------

Image Robot::Capture(HWND window) {
    if (!IsWindow(window)) {
        throw RobotError("the window to capture is gone");
    }
    if (GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId()) {
        return CaptureWindow(window);
    }
    if (ExportReturned()) {
        throw RobotError("the export has already returned");
    }
    // Painting and copying run on the window's own thread.
    auto task = std::make_shared<CaptureTask>();
    task->window = window;
    auto* holder = new std::shared_ptr<CaptureTask>(task);
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(helper_, kCaptureCall, 0, reinterpret_cast<LPARAM>(holder),
                             SMTO_NORMAL, options_.timeoutMs, &result)) {
        if (GetLastError() != ERROR_TIMEOUT) {
            delete holder; // never delivered
        }
        throw RobotError("the dialog's thread did not render the window in time");
    }
    if (task->image.empty()) {
        throw RobotError("the window could not be rendered");
    }
    return std::move(task->image);
}

void Robot::SavePng(HWND window, const std::string& path) {
    const Image image = Capture(window);
    if (!WritePng(image, path)) {
        throw RobotError("could not write " + path);
    }
}

bool Robot::CloseAllDialogs(DWORD timeoutMs) {
    const auto deadline = DeadlineAfter(timeoutMs);
    HWND last = nullptr;
    int attempt = 0;
    while (!ExportReturned()) {
        HWND top = ActiveDialog();
        if (top == nullptr) {
            return true;
        }
        if (Clock::now() >= deadline) {
            return false;
        }
        attempt = top == last ? attempt + 1 : 0;
        last = top;
        // Escape first; then the dialog's own Cancel buttons, closing the
        // window, and as a last resort destroying it.
        if (IsMessageBox(top)) {
            const int button = GetDlgItem(top, IDCANCEL) != nullptr ? IDCANCEL : IDOK;
            PostMessageA(top, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(top, button)));
        } else if (attempt == 0) {
            PostMessageA(top, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(top, IDCANCEL)));
        } else if (attempt == 1 && GetDlgItem(top, 1012) != nullptr) {
            PostMessageA(top, WM_COMMAND, MAKEWPARAM(1012, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(top, 1012)));
        } else if (attempt <= 2) {
            PostMessageA(top, WM_CLOSE, 0, 0);
        } else {
            PostMessageA(
                helper_, kRunAction, 0,
                reinterpret_cast<LPARAM>(new std::function<void()>([top] { DestroyWindow(top); })));
        }
        const auto step = DeadlineAfter(500);
        while (IsWindow(top) && IsWindowVisible(top) && Clock::now() < step && !ExportReturned()) {
            Sleep(5);
        }
    }
    return true;
}

bool Robot::CancelUntilReturned(DWORD timeoutMs) {
    const auto deadline = DeadlineAfter(timeoutMs);
    while (!ExportReturned()) {
        if (Clock::now() >= deadline) {
            return false;
        }
        if (ActiveDialog() != nullptr) {
            CloseAllDialogs(timeoutMs);
        } else {
            Sleep(5);
        }
    }
    return true;
}

// ---- screen readers ------------------------------------------------------------

namespace {

std::string FromBstr(BSTR text) {
    if (text == nullptr) {
        return {};
    }
    std::string result = Utf8(std::wstring_view(text, SysStringLen(text)));
    SysFreeString(text);
    return result;
}

} // namespace

AccessibleInfo Robot::Accessible(HWND window) const {
    AccessibleInfo info;
    const HRESULT com = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    IAccessible* object = nullptr;
    if (SUCCEEDED(AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT),
                                             __uuidof(IAccessible),
                                             reinterpret_cast<void**>(&object))) &&
        object != nullptr) {
        info.exists = true;
        VARIANT self;
        VariantInit(&self);
        self.vt = VT_I4;
        self.lVal = CHILDID_SELF;
        BSTR text = nullptr;
        if (object->get_accName(self, &text) == S_OK) {
            info.name = FromBstr(text);
        }
        text = nullptr;
        if (object->get_accValue(self, &text) == S_OK) {
            info.value = FromBstr(text);
        }
        VARIANT role;
        VariantInit(&role);
        if (object->get_accRole(self, &role) == S_OK && role.vt == VT_I4) {
            info.role = role.lVal;
        }
        VariantClear(&role);
        VARIANT state;
        VariantInit(&state);
        if (object->get_accState(self, &state) == S_OK && state.vt == VT_I4) {
            info.state = state.lVal;
        }
        VariantClear(&state);
        long count = 0;
        if (object->get_accChildCount(&count) == S_OK && count > 0 && count <= 4096) {
            for (long i = 1; i <= count; ++i) {
                VARIANT child;
                VariantInit(&child);
                child.vt = VT_I4;
                child.lVal = i;
                IDispatch* element = nullptr;
                if (object->get_accChild(child, &element) == S_OK && element != nullptr) {
                    element->Release(); // a full object of its own, not an item
                    continue;
                }
                AccessibleItem item;
                text = nullptr;
                if (object->get_accName(child, &text) == S_OK) {
                    item.name = FromBstr(text);
                }
                text = nullptr;
                if (object->get_accValue(child, &text) == S_OK) {
                    item.value = FromBstr(text);
                }
                VariantInit(&role);
                if (object->get_accRole(child, &role) == S_OK && role.vt == VT_I4) {
                    item.role = role.lVal;
                }
                VariantClear(&role);
                VariantInit(&state);
                if (object->get_accState(child, &state) == S_OK && state.vt == VT_I4) {
                    item.state = state.lVal;
                }
                VariantClear(&state);
                info.items.push_back(std::move(item));
            }
        }
        VARIANT focus;
        VariantInit(&focus);
        if (object->get_accFocus(&focus) == S_OK && focus.vt == VT_I4) {
            info.focusedItem = static_cast<int>(focus.lVal);
        }
        VariantClear(&focus);
        object->Release();
    }
    if (SUCCEEDED(com)) {
        CoUninitialize();
    }
    return info;
}

} // namespace qvrobot
