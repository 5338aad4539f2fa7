// Non-owning typed views of a dialog's controls, made from (dialog, id).
#pragma once

#include "framework/text.h"
#include "framework/window.h"

#include <commctrl.h>

#include <functional>
#include <string>
#include <string_view>

namespace qv::fw {

class Control {
  public:
    Control() = default;
    explicit Control(HWND hwnd) : hwnd_(hwnd) {}
    Control(HWND dialog, int id) : hwnd_(DialogItem(dialog, id)) {}

    HWND hwnd() const { return hwnd_; }
    explicit operator bool() const { return hwnd_ != nullptr; }
    int Id() const { return hwnd_ != nullptr ? GetDlgCtrlID(hwnd_) : 0; }

    std::string Text() const { return WindowText(hwnd_); }
    void SetText(std::string_view text) const { SetWindowTextTo(hwnd_, text); }
    void Enable(bool enable) const {
        if (hwnd_ != nullptr) {
            EnableWindow(hwnd_, enable ? TRUE : FALSE);
        }
    }
    bool IsEnabled() const { return hwnd_ != nullptr && IsWindowEnabled(hwnd_); }
    void Show(bool show) const {
        if (hwnd_ != nullptr) {
            ShowWindow(hwnd_, show ? SW_SHOW : SW_HIDE);
        }
    }
    bool IsVisible() const { return hwnd_ != nullptr && IsWindowVisible(hwnd_); }
    void SetFont(HFONT font, bool redraw = true) const {
        Send(WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw ? TRUE : FALSE);
    }
    HFONT Font() const { return reinterpret_cast<HFONT>(Send(WM_GETFONT, 0, 0)); }
    void Focus() const {
        if (hwnd_ != nullptr) {
            SetFocus(hwnd_);
        }
    }
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return hwnd_ != nullptr ? SendMessageA(hwnd_, message, wParam, lParam) : 0;
    }
    // For messages that carry UTF-16 text.
    LRESULT SendW(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return hwnd_ != nullptr ? SendMessageW(hwnd_, message, wParam, lParam) : 0;
    }

  protected:
    HWND hwnd_ = nullptr;
};

class Edit : public Control {
  public:
    using Control::Control;
    void SelectAll() const { Send(EM_SETSEL, 0, -1); }
    void SetSel(int start, int end) const { Send(EM_SETSEL, start, end); }
    void LimitText(int chars) const { Send(EM_LIMITTEXT, chars, 0); }
    void SetReadOnly(bool readOnly) const { Send(EM_SETREADONLY, readOnly ? TRUE : FALSE, 0); }
    // Replaces the selection (or inserts at the caret) with `text`, undoably.
    void ReplaceSel(std::string_view text) const {
        const std::wstring wide = Widen(text);
        SendW(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(wide.c_str()));
    }
};

class Button : public Control {
  public:
    using Control::Control;
    bool Checked() const { return Send(BM_GETCHECK) == BST_CHECKED; }
    int CheckState() const { return static_cast<int>(Send(BM_GETCHECK)); }
    void SetCheck(int state) const { Send(BM_SETCHECK, state, 0); }
    void SetChecked(bool checked) const { SetCheck(checked ? BST_CHECKED : BST_UNCHECKED); }
    void SetImage(HBITMAP bitmap) const {
        Send(BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap));
    }
};

// Shared by list boxes and combo boxes: the message numbers differ. Entry texts
// are UTF-8 and travel as UTF-16.
template <UINT kAdd, UINT kInsert, UINT kDelete, UINT kReset, UINT kCount, UINT kGetSel,
          UINT kSetSel, UINT kTextLen, UINT kText, UINT kFindExact, UINT kGetData, UINT kSetData,
          int kError>
class ListLike : public Control {
  public:
    using Control::Control;
    int Add(std::string_view text) const {
        const std::wstring wide = Widen(text);
        return static_cast<int>(SendW(kAdd, 0, reinterpret_cast<LPARAM>(wide.c_str())));
    }
    int Insert(int index, std::string_view text) const {
        const std::wstring wide = Widen(text);
        return static_cast<int>(SendW(kInsert, index, reinterpret_cast<LPARAM>(wide.c_str())));
    }
    void Delete(int index) const { Send(kDelete, index, 0); }
    void Clear() const { Send(kReset); }
    int Count() const {
        int n = static_cast<int>(Send(kCount));
        return n < 0 ? 0 : n;
    }
    int Selection() const {
        int n = static_cast<int>(Send(kGetSel));
        return n == kError ? -1 : n;
    }
    void Select(int index) const { Send(kSetSel, index, 0); }
    std::string ItemText(int index) const {
        int length = static_cast<int>(SendW(kTextLen, index, 0));
        if (length <= 0) {
            return {};
        }
        std::wstring text(static_cast<size_t>(length) + 1, L'\0');
        int n = static_cast<int>(SendW(kText, index, reinterpret_cast<LPARAM>(text.data())));
        text.resize(n > 0 ? static_cast<size_t>(n) : 0);
        return Narrow(text);
    }
    int FindExact(std::string_view text, int after = -1) const {
        const std::wstring wide = Widen(text);
        int n = static_cast<int>(SendW(kFindExact, after, reinterpret_cast<LPARAM>(wide.c_str())));
        return n == kError ? -1 : n;
    }
    LPARAM Data(int index) const { return Send(kGetData, index, 0); }
    void SetData(int index, LPARAM data) const { Send(kSetData, index, data); }
};

using ListBox = ListLike<LB_ADDSTRING, LB_INSERTSTRING, LB_DELETESTRING, LB_RESETCONTENT,
                         LB_GETCOUNT, LB_GETCURSEL, LB_SETCURSEL, LB_GETTEXTLEN, LB_GETTEXT,
                         LB_FINDSTRINGEXACT, LB_GETITEMDATA, LB_SETITEMDATA, LB_ERR>;
using ComboBox = ListLike<CB_ADDSTRING, CB_INSERTSTRING, CB_DELETESTRING, CB_RESETCONTENT,
                          CB_GETCOUNT, CB_GETCURSEL, CB_SETCURSEL, CB_GETLBTEXTLEN, CB_GETLBTEXT,
                          CB_FINDSTRINGEXACT, CB_GETITEMDATA, CB_SETITEMDATA, CB_ERR>;

class ListView : public Control {
  public:
    using Control::Control;
    int InsertColumn(int index, std::string_view title, int width, int format = LVCFMT_LEFT) const;
    int InsertItem(int index, std::string_view text, LPARAM data = 0) const;
    void SetItemText(int index, int column, std::string_view text) const;
    std::string ItemText(int index, int column) const;
    int Count() const { return static_cast<int>(Send(LVM_GETITEMCOUNT)); }
    void Clear() const { Send(LVM_DELETEALLITEMS); }
    int Selection() const {
        return static_cast<int>(Send(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    }
    void Select(int index) const;
};

// Answers a list view's LVN_GETDISPINFOA or LVN_GETDISPINFOW (whichever form
// the list sent) when it asks for an item's text: `text(item, subItem)`, a
// UTF-8 text, fills its buffer, cut to its size. False for any other
// notification.
bool AnswerDispInfoText(NMHDR* header,
                        const std::function<std::string(int item, int subItem)>& text);

class UpDown : public Control {
  public:
    using Control::Control;
    void SetRange(int low, int high) const { Send(UDM_SETRANGE32, low, high); }
    void SetPos(int pos) const { Send(UDM_SETPOS32, 0, pos); }
    int Pos() const { return static_cast<int>(Send(UDM_GETPOS32, 0, 0)); }
};

class Trackbar : public Control {
  public:
    using Control::Control;
    void SetRange(int low, int high) const {
        Send(TBM_SETRANGEMIN, FALSE, low);
        Send(TBM_SETRANGEMAX, TRUE, high);
    }
    void SetPos(int pos) const { Send(TBM_SETPOS, TRUE, pos); }
    int Pos() const { return static_cast<int>(Send(TBM_GETPOS)); }
};

} // namespace qv::fw
