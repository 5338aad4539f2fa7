// A dialog from a template in the library's own module, with virtual hooks
// and the framework's own modal loop.
#pragma once

#include "framework/window.h"

#include <commctrl.h>

#include <string>
#include <string_view>

namespace qv::fw {

class Dialog : public LoopWindow {
  public:
    explicit Dialog(UINT templateId);
    ~Dialog() override;
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    // Creates the dialog modeless, disables its owner and runs the modal loop
    // until EndDialog. Returns the EndDialog result, or -1 when the dialog
    // could not be created. No owner: the active window of the thread.
    INT_PTR DoModal(HWND owner = nullptr);
    // Creates the dialog modeless and visible in the loop of the caller.
    bool CreateModeless(HWND owner);
    void Destroy();

    void EndDialog(INT_PTR result);
    bool IsEnded() const { return ended_; }
    INT_PTR Result() const { return result_; }
    UINT TemplateId() const { return templateId_; }

    HWND Item(int id) const { return hwnd_ != nullptr ? DialogItem(hwnd_, id) : nullptr; }
    std::string ItemText(int id) const;
    void SetItemText(int id, std::string_view text);
    void SetCaption(std::string_view text);
    void FocusItem(int id);
    bool IsChecked(int id) const;
    void SetChecked(int id, bool checked);
    void EnableItem(int id, bool enable);
    void ShowItem(int id, bool show);

  protected:
    // Return true to let the dialog manager give the focus to the first control.
    virtual bool OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    // Return true when handled.
    virtual bool OnCommand(int id, int code, HWND control);
    virtual bool OnNotify(NMHDR* header, LRESULT& result);
    // Any other message; return true when handled, with the dialog-procedure result.
    virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result);
    virtual void OnDestroy();

    // The message routing shared with property pages.
    INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    void BindWindow(HWND hwnd) { hwnd_ = hwnd; }

  private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    UINT templateId_;
    bool ended_ = false;
    bool modal_ = false;
    INT_PTR result_ = IDCANCEL;
};

} // namespace qv::fw
