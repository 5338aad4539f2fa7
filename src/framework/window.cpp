#include "framework/window.h"

#include "framework/phase_clock.h"
#include "framework/text.h"

#include <cstdint>
#include <mutex>
#include <optional>
#include <unordered_map>
#include <vector>

namespace qv::fw {
namespace {

// The newest loop window of this thread; each links to the one before it.
// A plain pointer: a thread-local object with a destructor would pin the
// library in memory for good.
thread_local LoopWindow* t_newest = nullptr;

// The live loop windows of this thread, newest first.
std::vector<LoopWindow*> LiveWindows() {
    std::vector<LoopWindow*> windows;
    for (LoopWindow* w = t_newest; w != nullptr; w = w->Older()) {
        windows.push_back(w);
    }
    return windows;
}

bool IsLive(const LoopWindow* window) {
    for (LoopWindow* w = t_newest; w != nullptr; w = w->Older()) {
        if (w == window) {
            return true;
        }
    }
    return false;
}

} // namespace

std::string WindowText(HWND hwnd) {
    if (hwnd == nullptr) {
        return {};
    }
    int length = GetWindowTextLengthW(hwnd);
    if (length <= 0) {
        return {};
    }
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    int n = GetWindowTextW(hwnd, text.data(), length + 1);
    text.resize(n > 0 ? static_cast<size_t>(n) : 0);
    return Narrow(text);
}

void SetWindowTextTo(HWND hwnd, std::string_view text) {
    if (hwnd != nullptr) {
        SetWindowTextW(hwnd, Widen(text).c_str());
    }
}

namespace {

struct WindowTables {
    std::mutex mutex;
    std::unordered_map<uint64_t, HWND> items; // (dialog, id) -> control
};

WindowTables& Tables() {
    static WindowTables tables;
    return tables;
}

uint64_t Key(HWND hwnd, uint32_t extra) {
    return (static_cast<uint64_t>(reinterpret_cast<uintptr_t>(hwnd) & 0xFFFFFFFFu) << 32) | extra;
}

// Forgotten dialogs leave entries behind; the table starts again past this.
constexpr size_t kMaxItems = 4096;

} // namespace

HWND DialogItem(HWND dialog, int id) {
    if (dialog == nullptr) {
        return nullptr;
    }
    if (id <= 0 || id > 0xFFFF) {
        return GetDlgItem(dialog, id); // shared ids (IDC_STATIC) are not remembered
    }
    WindowTables& tables = Tables();
    const uint64_t key = Key(dialog, static_cast<uint32_t>(id));
    {
        std::lock_guard<std::mutex> lock(tables.mutex);
        const auto found = tables.items.find(key);
        if (found != tables.items.end()) {
            HWND control = found->second;
            // Window handles are reused: the remembered one must still be
            // this dialog's control with this id.
            if (IsWindow(control) && GetParent(control) == dialog && GetDlgCtrlID(control) == id) {
                return control;
            }
            tables.items.erase(found);
        }
    }
    HWND control = GetDlgItem(dialog, id);
    if (control != nullptr) {
        std::lock_guard<std::mutex> lock(tables.mutex);
        if (tables.items.size() >= kMaxItems) {
            tables.items.clear();
        }
        tables.items[key] = control;
    }
    return control;
}

namespace {

// Read at every message of every subclassed control: readers share the lock.
struct ObjectTable {
    SRWLOCK lock = SRWLOCK_INIT;
    std::unordered_map<uint64_t, void*> objects;
};

ObjectTable& Objects() {
    static ObjectTable table;
    return table;
}

} // namespace

bool SetWindowObject(WindowRole role, HWND hwnd, void* object) {
    ObjectTable& table = Objects();
    AcquireSRWLockExclusive(&table.lock);
    bool added = false;
    try {
        added = table.objects.emplace(Key(hwnd, static_cast<uint32_t>(role)), object).second;
    } catch (...) {
        // No room for one more entry: the window gets no object.
    }
    ReleaseSRWLockExclusive(&table.lock);
    return added;
}

void* WindowObject(WindowRole role, HWND hwnd) {
    ObjectTable& table = Objects();
    AcquireSRWLockShared(&table.lock);
    const auto found = table.objects.find(Key(hwnd, static_cast<uint32_t>(role)));
    void* object = found != table.objects.end() ? found->second : nullptr;
    ReleaseSRWLockShared(&table.lock);
    return object;
}

void ClearWindowObject(WindowRole role, HWND hwnd, const void* object) {
    ObjectTable& table = Objects();
    AcquireSRWLockExclusive(&table.lock);
    if (const auto found = table.objects.find(Key(hwnd, static_cast<uint32_t>(role)));
        found != table.objects.end() && found->second == object) {
        table.objects.erase(found);
    }
    ReleaseSRWLockExclusive(&table.lock);
}

LoopWindow::~LoopWindow() {
    Detach();
}

bool LoopWindow::PreTranslateMessage(MSG&) {
    return false;
}

bool LoopWindow::TranslateDialogMessage(MSG& msg) {
    return hwnd_ != nullptr && IsDialogMessageW(hwnd_, &msg);
}

void LoopWindow::Attach(HWND hwnd) {
    hwnd_ = hwnd;
    if (!attached_) {
        older_ = t_newest;
        t_newest = this;
        attached_ = true;
    }
}

void LoopWindow::Detach() {
    if (!attached_) {
        return;
    }
    for (LoopWindow** link = &t_newest; *link != nullptr; link = &(*link)->older_) {
        if (*link == this) {
            *link = older_;
            break;
        }
    }
    older_ = nullptr;
    attached_ = false;
}

namespace detail {

bool PumpOneMessage() {
    MSG msg;
    BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
        PostQuitMessage(static_cast<int>(msg.wParam));
        return false;
    }
    if (got == -1) {
        return false;
    }
    // The dialog manager dispatches most messages of its dialogs itself.
    std::optional<PhaseClock> painting;
    if (msg.message == WM_PAINT) {
        painting.emplace(QV_PHASE_PAINT);
    }
    // A copy: a hook may end a window and so change the list.
    const std::vector<LoopWindow*> windows = LiveWindows();
    for (LoopWindow* window : windows) {
        if (IsLive(window) && window->PreTranslateMessage(msg)) {
            return true;
        }
    }
    for (LoopWindow* window : windows) {
        if (!IsLive(window)) {
            continue;
        }
        HWND owner = window->hwnd();
        if (owner != nullptr && (msg.hwnd == owner || IsChild(owner, msg.hwnd)) &&
            window->TranslateDialogMessage(msg)) {
            return true;
        }
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
    return true;
}

} // namespace detail

void WakeLoop(HWND hwnd) {
    if (hwnd == nullptr || !IsWindow(hwnd) || !PostMessageA(hwnd, WM_NULL, 0, 0)) {
        PostThreadMessageA(GetCurrentThreadId(), WM_NULL, 0, 0);
    }
}

HWND ModalOwner(HWND requested) {
    HWND owner = requested != nullptr ? requested : GetActiveWindow();
    while (owner != nullptr && (GetWindowLongA(owner, GWL_STYLE) & WS_CHILD) != 0) {
        owner = GetParent(owner);
    }
    return owner;
}

OwnerDisabler::OwnerDisabler(HWND owner)
    : owner_(owner), reenable_(owner != nullptr && IsWindowEnabled(owner)) {
    if (reenable_) {
        EnableWindow(owner_, FALSE);
    }
}

OwnerDisabler::~OwnerDisabler() {
    if (reenable_ && IsWindow(owner_)) {
        EnableWindow(owner_, TRUE);
        SetActiveWindow(owner_);
    }
}

} // namespace qv::fw
