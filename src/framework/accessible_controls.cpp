#include "framework/accessible_controls.h"

#include "framework/window.h"

#include <oleacc.h>

namespace qv::fw {

bool AccessibleListBox::Attach(HWND dialog, int id, std::string name, ItemName itemName) {
    name_ = std::move(name);
    itemName_ = std::move(itemName);
    HWND list = DialogItem(dialog, id);
    if (list == nullptr || !Subclass(list)) {
        return false;
    }
    SetAccessibleSource(this);
    announced_ = Caret();
    return true;
}

int AccessibleListBox::Selected() const {
    const LRESULT selected = SendMessageA(hwnd(), LB_GETCURSEL, 0, 0);
    return selected == LB_ERR ? -1 : static_cast<int>(selected);
}

int AccessibleListBox::Caret() const {
    const LRESULT caret = SendMessageA(hwnd(), LB_GETCARETINDEX, 0, 0);
    return caret == LB_ERR ? -1 : static_cast<int>(caret);
}

std::string AccessibleListBox::AccessibleValue() const {
    const int selected = Selected();
    return selected >= 0 && itemName_ ? itemName_(selected) : std::string();
}

long AccessibleListBox::AccessibleRole() const {
    return ROLE_SYSTEM_LIST;
}

int AccessibleListBox::AccessibleChildCount() const {
    const LRESULT count = SendMessageA(hwnd(), LB_GETCOUNT, 0, 0);
    return count == LB_ERR ? 0 : static_cast<int>(count);
}

std::string AccessibleListBox::AccessibleChildName(int child) const {
    return itemName_ ? itemName_(child - 1) : std::string();
}

long AccessibleListBox::AccessibleChildState(int child) const {
    return child - 1 == Selected() ? STATE_SYSTEM_SELECTED : 0;
}

RECT AccessibleListBox::AccessibleChildRect(int child) const {
    RECT r{};
    SendMessageA(hwnd(), LB_GETITEMRECT, static_cast<WPARAM>(child - 1),
                 reinterpret_cast<LPARAM>(&r));
    return r;
}

int AccessibleListBox::AccessibleFocusedChild() const {
    return Caret() + 1;
}

LRESULT AccessibleListBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = Default(message, wParam, lParam);
    switch (message) {
    case WM_KEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_SETFOCUS:
    case LB_SETCURSEL:
    case LB_SETCARETINDEX: {
        // The item under the keyboard and the value are announced when
        // they change, whoever moved them.
        const int caret = Caret();
        if (caret != announced_ || message == WM_SETFOCUS) {
            announced_ = caret;
            NotifyAccessibleFocus(hwnd(), caret + 1);
            NotifyAccessibleValue(hwnd());
        }
        break;
    }
    default:
        break;
    }
    return result;
}

bool AccessibleButton::Attach(HWND dialog, int id, std::string name) {
    name_ = std::move(name);
    HWND button = DialogItem(dialog, id);
    if (button == nullptr || !Subclass(button)) {
        return false;
    }
    SetAccessibleSource(this);
    return true;
}

bool AccessibleButton::IsToggle() const {
    const LONG type = GetWindowLongA(hwnd(), GWL_STYLE) & BS_TYPEMASK;
    return type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_3STATE ||
           type == BS_AUTO3STATE;
}

long AccessibleButton::AccessibleRole() const {
    return IsToggle() ? ROLE_SYSTEM_CHECKBUTTON : ROLE_SYSTEM_PUSHBUTTON;
}

long AccessibleButton::AccessibleExtraState() const {
    if (!IsToggle()) {
        return 0;
    }
    const LRESULT check = SendMessageA(hwnd(), BM_GETCHECK, 0, 0);
    if (check == BST_CHECKED) {
        return STATE_SYSTEM_CHECKED | STATE_SYSTEM_PRESSED;
    }
    return check == BST_INDETERMINATE ? STATE_SYSTEM_MIXED : 0;
}

bool AccessibleEdit::Attach(HWND dialog, int id, std::string name, bool readOnly) {
    name_ = std::move(name);
    readOnly_ = readOnly;
    HWND edit = DialogItem(dialog, id);
    if (edit == nullptr || !Subclass(edit)) {
        return false;
    }
    SetAccessibleSource(this);
    return true;
}

std::string AccessibleEdit::AccessibleValue() const {
    return WindowText(hwnd());
}

long AccessibleEdit::AccessibleRole() const {
    return ROLE_SYSTEM_TEXT;
}

long AccessibleEdit::AccessibleExtraState() const {
    return readOnly_ ? STATE_SYSTEM_READONLY : 0;
}

} // namespace qv::fw
