// The host's frame window: answers and logs the private messages of the dialog library.
#include "qvhost/host.h"

#include "qvssd/messages.h"
#include "qvssd/records.h"

#include <atomic>
#include <cstring>

namespace qvhost {

namespace {

std::atomic<int32_t> g_menuLanguage{1};
std::atomic<HWND> g_frame{nullptr};

constexpr char kFrameClass[] = "QVHostFrame";
// Posted to the frame to hand the scripted range text to the range bar once
// the dialog has finished setting it up.
constexpr UINT kDeliverRangeText = WM_APP + 0x51;
// Texts behind message pointers are copied up to this length.
constexpr size_t kTextLimit = 64 * 1024;

std::string BoundedCopy(const char* text) {
    if (text == nullptr) {
        return {};
    }
    size_t n = 0;
    while (n < kTextLimit && text[n] != '\0') {
        ++n;
    }
    return std::string(text, n);
}

// The 40 colours of the usual spreadsheet palette, five rows of eight as the
// colour grids show them. Windows colour values: red in the low byte.
const COLORREF kPalette[FrameWindow::kPaletteSize] = {
    RGB(0x00, 0x00, 0x00), RGB(0x99, 0x33, 0x00), RGB(0x33, 0x33, 0x00), RGB(0x00, 0x33, 0x00),
    RGB(0x00, 0x33, 0x66), RGB(0x00, 0x00, 0x80), RGB(0x33, 0x33, 0x99), RGB(0x33, 0x33, 0x33),
    RGB(0x80, 0x00, 0x00), RGB(0xFF, 0x66, 0x00), RGB(0x80, 0x80, 0x00), RGB(0x00, 0x80, 0x00),
    RGB(0x00, 0x80, 0x80), RGB(0x00, 0x00, 0xFF), RGB(0x66, 0x66, 0x99), RGB(0x80, 0x80, 0x80),
    RGB(0xFF, 0x00, 0x00), RGB(0xFF, 0x99, 0x00), RGB(0x99, 0xCC, 0x00), RGB(0x33, 0x99, 0x66),
    RGB(0x33, 0xCC, 0xCC), RGB(0x33, 0x66, 0xFF), RGB(0x80, 0x00, 0x80), RGB(0x96, 0x96, 0x96),
    RGB(0xFF, 0x00, 0xFF), RGB(0xFF, 0xCC, 0x00), RGB(0xFF, 0xFF, 0x00), RGB(0x00, 0xFF, 0x00),
    RGB(0x00, 0xFF, 0xFF), RGB(0x00, 0xCC, 0xFF), RGB(0x99, 0x33, 0x66), RGB(0xC0, 0xC0, 0xC0),
    RGB(0xFF, 0x99, 0xCC), RGB(0xFF, 0xCC, 0x99), RGB(0xFF, 0xFF, 0x99), RGB(0xCC, 0xFF, 0xCC),
    RGB(0xCC, 0xFF, 0xFF), RGB(0x99, 0xCC, 0xFF), RGB(0xCC, 0x99, 0xFF), RGB(0xFF, 0xFF, 0xFF),
};

const char* const kColourNames[FrameWindow::kPaletteSize] = {
    "Black",
    "Brown",
    "Olive Green",
    "Dark Green",
    "Dark Teal",
    "Dark Blue",
    "Indigo",
    "Gray-80%",
    "Dark Red",
    "Orange",
    "Dark Yellow",
    "Green",
    "Teal",
    "Blue",
    "Blue-Gray",
    "Gray-50%",
    "Red",
    "Light Orange",
    "Lime",
    "Sea Green",
    "Aqua",
    "Light Blue",
    "Violet",
    "Gray-40%",
    "Pink",
    "Gold",
    "Yellow",
    "Bright Green",
    "Turquoise",
    "Sky Blue",
    "Plum",
    "Gray-25%",
    "Rose",
    "Tan",
    "Light Yellow",
    "Light Green",
    "Light Turquoise",
    "Pale Blue",
    "Lavender",
    "White",
};

void RegisterFrameClass() {
    static const bool registered = [] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = DefWindowProcA; // replaced per window in WM_NCCREATE
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
        wc.lpszClassName = kFrameClass;
        return RegisterClassA(&wc) != 0;
    }();
    (void)registered;
}

} // namespace

void SetMenuLanguage(int32_t language) {
    g_menuLanguage = language;
}
int32_t MenuLanguage() {
    return g_menuLanguage;
}
void SetFrameHandle(HWND frame) {
    g_frame = frame;
}
HWND FrameHandle() {
    return g_frame;
}

FrameWindow::FrameWindow(bool visible) {
    RegisterFrameClass();
    hwnd_ = CreateWindowExA(0, kFrameClass, "TWcalc host", WS_OVERLAPPEDWINDOW, 0, 0, 640, 480,
                            nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (hwnd_ != nullptr) {
        SetWindowLongPtrA(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&FrameWindow::WndProc));
        if (visible) {
            ShowWindow(hwnd_, SW_SHOW);
            UpdateWindow(hwnd_);
        }
        HWND expected = nullptr;
        g_frame.compare_exchange_strong(expected, hwnd_);
    }
}

FrameWindow::~FrameWindow() {
    if (hwnd_ != nullptr) {
        HWND expected = hwnd_;
        g_frame.compare_exchange_strong(expected, nullptr);
        SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
        MSG msg;
        while (PeekMessageA(&msg, hwnd_, kDeliverRangeText, kDeliverRangeText, PM_REMOVE)) {
        }
    }
}

LRESULT CALLBACK FrameWindow::WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<FrameWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (self == nullptr) {
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    return self->Handle(message, wParam, lParam);
}

void FrameWindow::Record(UINT message, WPARAM wParam, LPARAM lParam, const char* text) {
    HostMessage m;
    m.message = message;
    m.wParam = wParam;
    m.lParam = lParam;
    if (text != nullptr) {
        m.hasText = true;
        m.text = BoundedCopy(text);
    }
    std::lock_guard<std::mutex> lock(mutex_);
    log_.push_back(std::move(m));
}

LRESULT FrameWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_QV_SETINPUTLANG:
    case WM_QV_HEADERROW:
        Record(message, wParam, lParam, nullptr);
        return 0;

    case WM_QV_GOTO: {
        const auto* record = reinterpret_cast<const QVGotoRecord*>(wParam);
        const char* reference = record != nullptr ? record->reference : nullptr;
        Record(message, wParam, lParam, reference != nullptr ? reference : "");
        std::function<LRESULT(const std::string&)> rule;
        LRESULT result;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            rule = gotoRule_;
            result = gotoResult_;
        }
        return rule ? rule(BoundedCopy(reference)) : result;
    }

    case WM_QV_CHECKREF: {
        const char* text = QVStringGet(reinterpret_cast<const QVString*>(wParam));
        Record(message, wParam, lParam, text);
        std::function<LRESULT(const std::string&, bool)> rule;
        std::optional<LRESULT> result;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            rule = checkRefRule_;
            result = checkRefResult_;
        }
        if (rule) {
            return rule(BoundedCopy(text), lParam == 1);
        }
        return result ? *result : HostCheckReference(BoundedCopy(text), lParam == 1);
    }

    case WM_QV_IMPORTLIST: {
        const char* range = reinterpret_cast<const char*>(wParam);
        Record(message, wParam, lParam, range != nullptr ? range : "");
        std::string text;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            text = importText_;
        }
        char temp[MAX_PATH + 1] = {};
        if (GetTempPathA(MAX_PATH, temp) != 0) {
            WriteTextFile(std::string(temp) + "range.txt", text);
        }
        return 0;
    }

    case WM_QV_RANGEPICK: {
        Record(message, wParam, lParam, nullptr);
        bool deliver = false;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            if (wParam == 0) {
                HWND active = GetActiveWindow();
                if (active != nullptr && active != hwnd_) {
                    rangePickWindow_ = active;
                }
                deliver = !rangePickActive_ && rangeText_.has_value();
                rangePickActive_ = true;
            } else {
                rangePickActive_ = false;
            }
        }
        if (deliver) {
            PostMessageA(hwnd_, kDeliverRangeText, 0, 0);
        }
        return 0;
    }

    case kDeliverRangeText: {
        std::optional<std::string> text;
        HWND target = nullptr;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            if (!rangePickActive_) {
                return 0;
            }
            HWND active = GetActiveWindow();
            if (active != nullptr && active != hwnd_) {
                rangePickWindow_ = active;
            }
            target = rangePickWindow_;
            text = rangeText_;
        }
        if (text && target != nullptr) {
            QVString s{nullptr};
            QVStringAssign(&s, text->c_str());
            SendMessageA(target, WM_QV_RANGETEXT, reinterpret_cast<WPARAM>(&s), 0);
            QVStringClear(&s);
        }
        return 0;
    }

    case WM_QV_FMTLISTS: {
        Record(message, wParam, lParam, nullptr);
        if (wParam != 0) {
            std::memcpy(reinterpret_cast<void*>(wParam), kPalette, sizeof(kPalette));
        }
        if (auto* names = reinterpret_cast<QVStringArray*>(lParam)) {
            for (const char* name : kColourNames) {
                QVStringArrayAdd(names, name);
            }
        }
        return 0;
    }

    case WM_CLOSE:
        return 0; // the frame lives as long as its owner object
    default:
        return DefWindowProcA(hwnd_, message, wParam, lParam);
    }
}

std::vector<HostMessage> FrameWindow::Log() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return log_;
}

std::vector<HostMessage> FrameWindow::Log(UINT message) const {
    std::lock_guard<std::mutex> lock(mutex_);
    std::vector<HostMessage> some;
    for (const auto& m : log_) {
        if (m.message == message) {
            some.push_back(m);
        }
    }
    return some;
}

void FrameWindow::ClearLog() {
    std::lock_guard<std::mutex> lock(mutex_);
    log_.clear();
}

void FrameWindow::SetGotoResult(LRESULT result) {
    std::lock_guard<std::mutex> lock(mutex_);
    gotoResult_ = result;
    gotoRule_ = nullptr;
}

void FrameWindow::SetGotoRule(std::function<LRESULT(const std::string&)> rule) {
    std::lock_guard<std::mutex> lock(mutex_);
    gotoRule_ = std::move(rule);
}

void FrameWindow::SetCheckRefResult(LRESULT result) {
    std::lock_guard<std::mutex> lock(mutex_);
    checkRefResult_ = result;
    checkRefRule_ = nullptr;
}

void FrameWindow::SetCheckRefRule(std::function<LRESULT(const std::string&, bool)> rule) {
    std::lock_guard<std::mutex> lock(mutex_);
    checkRefRule_ = std::move(rule);
}

void FrameWindow::SetRangeText(std::optional<std::string> text) {
    std::lock_guard<std::mutex> lock(mutex_);
    rangeText_ = std::move(text);
}

HWND FrameWindow::RangePickWindow() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return rangePickWindow_;
}

bool FrameWindow::RangePickActive() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return rangePickActive_;
}

void FrameWindow::SetImportText(std::string text) {
    std::lock_guard<std::mutex> lock(mutex_);
    importText_ = std::move(text);
}

const COLORREF* FrameWindow::Palette() {
    return kPalette;
}
const char* const* FrameWindow::ColourNames() {
    return kColourNames;
}

bool SendRangeText(HWND rangeBar, const std::string& text, DWORD timeoutMs) {
    QVString s{nullptr};
    if (!QVStringAssign(&s, text.c_str())) {
        return false;
    }
    DWORD_PTR result = 0;
    const LRESULT sent =
        SendMessageTimeoutA(rangeBar, WM_QV_RANGETEXT, reinterpret_cast<WPARAM>(&s), 0, SMTO_NORMAL,
                            timeoutMs, &result);
    // After a timeout the bar may still read the text later: leave it allocated.
    if (sent != 0) {
        QVStringClear(&s);
    }
    return sent != 0;
}

std::string ReadRangeText(HWND rangeBar, DWORD timeoutMs) {
    // The bar copies its text without a bound; a generous heap buffer that is
    // only freed once the bar has answered.
    constexpr size_t kSize = 64 * 1024;
    char* buffer = static_cast<char*>(QVAlloc(kSize));
    if (buffer == nullptr) {
        return {};
    }
    DWORD_PTR result = 0;
    const LRESULT sent =
        SendMessageTimeoutA(rangeBar, WM_QV_GETRANGETEXT, reinterpret_cast<WPARAM>(buffer), 0,
                            SMTO_NORMAL, timeoutMs, &result);
    if (sent == 0) {
        return {};
    }
    buffer[kSize - 1] = '\0';
    std::string text(buffer);
    QVFree(buffer);
    return text;
}

} // namespace qvhost
