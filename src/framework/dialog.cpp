#include "framework/dialog.h"

#include "framework/module.h"
#include "framework/phase_clock.h"

#include <optional>

namespace qv::fw {

Dialog::Dialog(UINT templateId) : templateId_(templateId) {}

Dialog::~Dialog() {
    Destroy();
}

INT_PTR Dialog::DoModal(HWND owner) {
    owner = ModalOwner(owner);
    ended_ = false;
    result_ = IDCANCEL;
    modal_ = true;
    auto creation = std::make_optional<PhaseClock>(QV_PHASE_CREATION);
    HWND hwnd = CreateDialogParamW(OwnModule(), MAKEINTRESOURCEW(templateId_), owner, DialogProc,
                                   reinterpret_cast<LPARAM>(this));
    if (hwnd == nullptr) {
        modal_ = false;
        return -1;
    }
    {
        OwnerDisabler disabled(owner);
        if (!ended_ && IsWindow(hwnd)) {
            ShowWindow(hwnd, SW_SHOW);
        }
        creation.reset();
        RunMessageLoop([this, hwnd] { return ended_ || !IsWindow(hwnd); });
        if (IsWindow(hwnd)) {
            // Hide first so that the owner, enabled again, takes the activation.
            SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                         SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    Destroy();
    modal_ = false;
    return result_;
}

bool Dialog::CreateModeless(HWND owner) {
    ended_ = false;
    HWND hwnd = CreateDialogParamW(OwnModule(), MAKEINTRESOURCEW(templateId_), owner, DialogProc,
                                   reinterpret_cast<LPARAM>(this));
    if (hwnd == nullptr) {
        return false;
    }
    ShowWindow(hwnd, SW_SHOW);
    return true;
}

void Dialog::Destroy() {
    if (hwnd_ != nullptr && IsWindow(hwnd_)) {
        DestroyWindow(hwnd_);
    }
    hwnd_ = nullptr;
    Detach();
}

void Dialog::EndDialog(INT_PTR result) {
    ended_ = true;
    result_ = result;
    WakeLoop(hwnd_);
}

std::string Dialog::ItemText(int id) const {
    return WindowText(Item(id));
}

void Dialog::SetItemText(int id, std::string_view text) {
    SetWindowTextTo(Item(id), text);
}

void Dialog::SetCaption(std::string_view text) {
    SetWindowTextTo(hwnd_, text);
}

void Dialog::FocusItem(int id) {
    if (HWND item = Item(id)) {
        SendMessageA(hwnd_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(item), TRUE);
    }
}

bool Dialog::IsChecked(int id) const {
    return SendMessageA(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Dialog::SetChecked(int id, bool checked) {
    SendMessageA(Item(id), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void Dialog::EnableItem(int id, bool enable) {
    if (HWND item = Item(id)) {
        EnableWindow(item, enable ? TRUE : FALSE);
    }
}

void Dialog::ShowItem(int id, bool show) {
    if (HWND item = Item(id)) {
        ShowWindow(item, show ? SW_SHOW : SW_HIDE);
    }
}

bool Dialog::OnInitDialog() {
    return true;
}

void Dialog::OnOK() {
    EndDialog(IDOK);
}

void Dialog::OnCancel() {
    EndDialog(IDCANCEL);
}

bool Dialog::OnCommand(int, int, HWND) {
    return false;
}

bool Dialog::OnNotify(NMHDR*, LRESULT&) {
    return false;
}

bool Dialog::OnMessage(UINT, WPARAM, LPARAM, INT_PTR&) {
    return false;
}

void Dialog::OnDestroy() {}

INT_PTR Dialog::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog() ? TRUE : FALSE;
    case WM_COMMAND: {
        int id = LOWORD(wParam);
        int code = HIWORD(wParam);
        HWND control = reinterpret_cast<HWND>(lParam);
        if (OnCommand(id, code, control)) {
            return TRUE;
        }
        if (code == BN_CLICKED && id == IDOK) {
            OnOK();
            return TRUE;
        }
        if (code == BN_CLICKED && id == IDCANCEL) {
            OnCancel();
            return TRUE;
        }
        return FALSE;
    }
    case WM_NOTIFY: {
        LRESULT result = 0;
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        std::optional<PhaseClock> drawing;
        if (header != nullptr && header->code == NM_CUSTOMDRAW) {
            drawing.emplace(QV_PHASE_OWNER_DRAW);
        }
        if (OnNotify(reinterpret_cast<NMHDR*>(lParam), result)) {
            SetWindowLongPtrA(hwnd_, DWLP_MSGRESULT, result);
            return TRUE;
        }
        return FALSE;
    }
    case WM_DESTROY:
        OnDestroy();
        return FALSE;
    default: {
        INT_PTR result = FALSE;
        std::optional<PhaseClock> drawing;
        if (message == WM_DRAWITEM || message == WM_MEASUREITEM) {
            drawing.emplace(QV_PHASE_OWNER_DRAW);
        }
        if (OnMessage(message, wParam, lParam, result)) {
            return result;
        }
        return FALSE;
    }
    }
}

INT_PTR CALLBACK Dialog::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Dialog* self = nullptr;
    if (message == WM_INITDIALOG) {
        self = reinterpret_cast<Dialog*>(lParam);
        SetWindowLongPtrA(hwnd, DWLP_USER, lParam);
        self->Attach(hwnd);
    } else {
        self = reinterpret_cast<Dialog*>(GetWindowLongPtrA(hwnd, DWLP_USER));
    }
    if (self == nullptr) {
        return FALSE;
    }
    if (message == PhaseTotalsMessage()) {
        SetWindowLongPtrA(hwnd, DWLP_MSGRESULT, reinterpret_cast<LONG_PTR>(PhaseTotals()));
        return TRUE;
    }
    INT_PTR result = FALSE;
    try {
        result = self->Dispatch(message, wParam, lParam);
    } catch (...) {
        // Nothing may unwind through the window manager: the dialog ends as cancelled.
        self->EndDialog(IDCANCEL);
        result = FALSE;
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(hwnd, DWLP_USER, 0);
        self->hwnd_ = nullptr;
        self->Detach();
    }
    return result;
}

} // namespace qv::fw
