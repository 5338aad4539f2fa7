#include "framework/sheet.h"

#include "framework/module.h"
#include "framework/phase_clock.h"
#include "framework/text.h"

#include <algorithm>
#include <commctrl.h>
#include <optional>

namespace qv::fw {
namespace {

// The sheet whose window PropertySheetW is creating on this thread: the
// creation callback carries no user data.
thread_local Sheet* t_creating = nullptr;

} // namespace

// ---- SheetPage ----------------------------------------------------------

SheetPage::SheetPage(UINT templateId, std::string title)
    : Dialog(templateId), title_(std::move(title)) {}

bool SheetPage::OnSetActive() {
    return true;
}

PageLeave SheetPage::OnKillActive() {
    return PageLeave::Leave;
}

void SheetPage::OnApply() {}

void SheetPage::OnReset() {}

WizardMove SheetPage::OnWizardNext() {
    return WizardMove::Next();
}

WizardMove SheetPage::OnWizardBack() {
    return WizardMove::Next();
}

bool SheetPage::OnWizardFinish() {
    return true;
}

bool SheetPage::OnQueryCancel() {
    return true;
}

static LRESULT WizardResult(const WizardMove& move) {
    switch (move.kind) {
    case WizardMove::Stay:
        return -1;
    case WizardMove::ToPage:
        return static_cast<LRESULT>(move.templateId);
    default:
        return 0;
    }
}

bool SheetPage::OnNotify(NMHDR* header, LRESULT& result) {
    if (header == nullptr || sheet_ == nullptr || header->hwndFrom != sheet_->hwnd()) {
        return false;
    }
    switch (header->code) {
    case PSN_SETACTIVE:
        result = OnSetActive() ? 0 : -1;
        return true;
    case PSN_KILLACTIVE:
        result = OnKillActive() == PageLeave::Stay ? TRUE : FALSE;
        return true;
    case PSN_APPLY:
        OnApply();
        sheet_->result_ = IDOK;
        result = PSNRET_NOERROR;
        return true;
    case PSN_RESET:
        OnReset();
        result = 0;
        return true;
    case PSN_WIZNEXT:
        result = WizardResult(OnWizardNext());
        return true;
    case PSN_WIZBACK:
        result = WizardResult(OnWizardBack());
        return true;
    case PSN_WIZFINISH:
        if (OnWizardFinish()) {
            sheet_->result_ = Sheet::kWizardFinish;
            result = FALSE;
        } else {
            result = TRUE;
        }
        return true;
    case PSN_QUERYCANCEL:
        result = OnQueryCancel() ? FALSE : TRUE;
        return true;
    default:
        return false;
    }
}

INT_PTR CALLBACK SheetPage::PageProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    SheetPage* self = nullptr;
    if (message == WM_INITDIALOG) {
        auto* psp = reinterpret_cast<PROPSHEETPAGEW*>(lParam);
        self = reinterpret_cast<SheetPage*>(psp->lParam);
        SetWindowLongPtrA(hwnd, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
        self->BindWindow(hwnd);
    } else {
        self = reinterpret_cast<SheetPage*>(GetWindowLongPtrA(hwnd, DWLP_USER));
    }
    if (self == nullptr) {
        return FALSE;
    }
    INT_PTR result = FALSE;
    try {
        result = self->Dispatch(message, wParam, lParam);
    } catch (...) {
        result = FALSE;
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(hwnd, DWLP_USER, 0);
        self->BindWindow(nullptr);
    }
    return result;
}

// ---- Sheet ---------------------------------------------------------

Sheet::Sheet(std::string caption, HWND parent, int startPage)
    : caption_(std::move(caption)), parent_(parent), startPage_(startPage) {}

Sheet::~Sheet() {
    if (hwnd_ != nullptr && IsWindow(hwnd_)) {
        DestroyWindow(hwnd_);
    }
    hwnd_ = nullptr;
    Detach();
}

void Sheet::AddPage(SheetPage* page) {
    if (page == nullptr) {
        return;
    }
    page->sheet_ = this;
    pages_.push_back(page);
    if (hwnd_ != nullptr) {
        const std::wstring title = Widen(page->Title());
        PROPSHEETPAGEW psp{};
        psp.dwSize = sizeof psp;
        psp.dwFlags =
            (title.empty() ? PSP_DEFAULT : PSP_USETITLE) | (applyAndHelp_ ? PSP_HASHELP : 0);
        psp.hInstance = OwnModule();
        psp.pszTemplate = MAKEINTRESOURCEW(page->TemplateId());
        psp.pfnDlgProc = SheetPage::PageProc;
        psp.pszTitle = title.c_str();
        psp.lParam = reinterpret_cast<LPARAM>(page);
        PropSheet_AddPage(hwnd_, CreatePropertySheetPageW(&psp));
    }
}

SheetPage* Sheet::Page(int index) const {
    if (index < 0 || index >= PageCount()) {
        return nullptr;
    }
    return pages_[static_cast<size_t>(index)];
}

int Sheet::ActiveIndex() const {
    if (hwnd_ == nullptr) {
        return startPage_;
    }
    HWND page = PropSheet_GetCurrentPageHwnd(hwnd_);
    if (page == nullptr) {
        return -1;
    }
    return static_cast<int>(PropSheet_HwndToIndex(hwnd_, page));
}

SheetPage* Sheet::ActivePage() const {
    return Page(ActiveIndex());
}

bool Sheet::SetActivePage(int index) {
    if (index < 0 || index >= PageCount()) {
        return false;
    }
    if (hwnd_ == nullptr) {
        startPage_ = index;
        return true;
    }
    return PropSheet_SetCurSel(hwnd_, nullptr, index) != FALSE;
}

void Sheet::RemovePage(int index) {
    if (index < 0 || index >= PageCount()) {
        return;
    }
    if (hwnd_ != nullptr) {
        PropSheet_RemovePage(hwnd_, index, nullptr);
    }
    pages_.erase(pages_.begin() + index);
}

int Sheet::TabCount() const {
    HWND tabs = hwnd_ != nullptr ? PropSheet_GetTabControl(hwnd_) : nullptr;
    return tabs != nullptr ? static_cast<int>(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0)) : 0;
}

void Sheet::SetTabText(int position, std::string_view text) {
    HWND tabs = hwnd_ != nullptr ? PropSheet_GetTabControl(hwnd_) : nullptr;
    if (tabs == nullptr) {
        return;
    }
    std::wstring wide = Widen(text);
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = wide.data();
    SendMessageW(tabs, TCM_SETITEMW, static_cast<WPARAM>(position),
                 reinterpret_cast<LPARAM>(&item));
}

void Sheet::SetTabFont(HFONT font) {
    HWND tabs = hwnd_ != nullptr ? PropSheet_GetTabControl(hwnd_) : nullptr;
    if (tabs != nullptr && font != nullptr) {
        SendMessageW(tabs, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    }
}

void Sheet::SetWizardButtons(DWORD flags) {
    if (hwnd_ != nullptr) {
        SendMessageA(hwnd_, PSM_SETWIZBUTTONS, 0, static_cast<LPARAM>(flags));
    }
}

void Sheet::PressButton(int button) {
    if (hwnd_ != nullptr) {
        SendMessageA(hwnd_, PSM_PRESSBUTTON, static_cast<WPARAM>(button), 0);
    }
}

INT_PTR Sheet::DoModal(HWND owner) {
    owner = ModalOwner(parent_ != nullptr ? parent_ : owner);
    result_ = IDCANCEL;
    std::vector<PROPSHEETPAGEW> psp(pages_.size());
    std::vector<std::wstring> titles(pages_.size());
    for (size_t i = 0; i < pages_.size(); ++i) {
        SheetPage* page = pages_[i];
        // A wizard's title bar shows the page title: pages without one of
        // their own show the sheet's caption.
        titles[i] = Widen(page->Title().empty() && wizard_ ? caption_ : page->Title());
        psp[i].dwSize = sizeof(PROPSHEETPAGEW);
        psp[i].dwFlags =
            (titles[i].empty() ? PSP_DEFAULT : PSP_USETITLE) | (applyAndHelp_ ? PSP_HASHELP : 0);
        psp[i].hInstance = OwnModule();
        psp[i].pszTemplate = MAKEINTRESOURCEW(page->TemplateId());
        psp[i].pfnDlgProc = SheetPage::PageProc;
        psp[i].pszTitle = titles[i].c_str();
        psp[i].lParam = reinterpret_cast<LPARAM>(page);
    }
    const std::wstring caption = Widen(caption_);
    PROPSHEETHEADERW header{};
    header.dwSize = sizeof header;
    header.dwFlags = PSH_PROPSHEETPAGE | PSH_MODELESS | PSH_USECALLBACK |
                     (applyAndHelp_ ? PSH_HASHELP : PSH_NOAPPLYNOW) | (wizard_ ? PSH_WIZARD : 0);
    header.hwndParent = owner;
    header.hInstance = OwnModule();
    header.pszCaption = caption.c_str();
    header.nPages = static_cast<UINT>(psp.size());
    header.nStartPage =
        static_cast<UINT>(startPage_ >= 0 && startPage_ < PageCount() ? startPage_ : 0);
    header.ppsp = psp.data();
    header.pfnCallback = SheetCallback;

    auto creation = std::make_optional<PhaseClock>(QV_PHASE_CREATION);
    t_creating = this;
    auto created = ::PropertySheetW(&header);
    t_creating = nullptr;
    HWND hwnd = reinterpret_cast<HWND>(created);
    if (hwnd == nullptr || created == -1) {
        return -1;
    }
    Attach(hwnd);
    {
        OwnerDisabler disabled(owner);
        OnInitSheet();
        if (!Finished()) {
            ShowWindow(hwnd, SW_SHOW);
        }
        creation.reset();
        RunMessageLoop([this] { return Finished(); });
        if (IsWindow(hwnd)) {
            SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                         SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    if (IsWindow(hwnd)) {
        DestroyWindow(hwnd);
    }
    hwnd_ = nullptr;
    Detach();
    return result_;
}

bool Sheet::Finished() const {
    return hwnd_ == nullptr || !IsWindow(hwnd_) || PropSheet_GetCurrentPageHwnd(hwnd_) == nullptr;
}

bool Sheet::PreTranslateMessage(MSG& msg) {
    for (SheetPage* page : pages_) {
        if (page->HasWindow() && page->PreTranslateMessage(msg)) {
            return true;
        }
    }
    return false;
}

bool Sheet::TranslateDialogMessage(MSG& msg) {
    return hwnd_ != nullptr && PropSheet_IsDialogMessage(hwnd_, &msg);
}

void Sheet::OnInitSheet() {}

bool Sheet::OnSheetMessage(UINT, WPARAM, LPARAM, LRESULT&) {
    return false;
}

int CALLBACK Sheet::SheetCallback(HWND hwnd, UINT message, LPARAM lParam) {
    if (message == PSCB_PRECREATE && lParam != 0) {
        // The sheet stays hidden while its pages are made and loaded (work on
        // hidden windows draws nothing); DoModal shows it when it is ready.
        auto* words = reinterpret_cast<WORD*>(lParam);
        auto* style = words[1] == 0xFFFF ? reinterpret_cast<DWORD*>(words + 6)
                                         : reinterpret_cast<DWORD*>(words);
        *style &= ~static_cast<DWORD>(WS_VISIBLE);
    }
    if (message == PSCB_INITIALIZED && t_creating != nullptr) {
        Sheet* self = t_creating;
        self->hwnd_ = hwnd;
        SetWindowObject(WindowRole::Sheet, hwnd, self);
        self->previousProc_ = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SheetProc)));
    }
    return 0;
}

LRESULT CALLBACK Sheet::SheetProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = static_cast<Sheet*>(WindowObject(WindowRole::Sheet, hwnd));
    if (self == nullptr) {
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    if (message == PhaseTotalsMessage()) {
        return reinterpret_cast<LRESULT>(PhaseTotals());
    }
    WNDPROC previous = self->previousProc_;
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
        ClearWindowObject(WindowRole::Sheet, hwnd, self);
        return CallWindowProcW(previous, hwnd, message, wParam, lParam);
    }
    LRESULT result = 0;
    bool handled = false;
    try {
        handled = self->OnSheetMessage(message, wParam, lParam, result);
    } catch (...) {
        handled = true;
        result = 0;
    }
    if (!handled) {
        result = CallWindowProcW(previous, hwnd, message, wParam, lParam);
    }
    self->WakeLoopWhenFinished(message);
    return result;
}

void Sheet::WakeLoopWhenFinished(UINT message) {
    // The sheet ends inside a message (OK, Cancel, Finish, a pressed button,
    // closing); when that message was sent from another thread, nothing
    // wakes the loop that waits for posted ones. The question is itself a
    // message to the sheet, hence the guard; the wake-up message itself
    // needs no other.
    if (message == PSM_GETCURRENTPAGEHWND || message == WM_NULL || checkingEnd_ ||
        hwnd_ == nullptr) {
        return;
    }
    checkingEnd_ = true;
    const bool finished = Finished();
    checkingEnd_ = false;
    if (finished) {
        WakeLoop(hwnd_);
    }
}

} // namespace qv::fw
