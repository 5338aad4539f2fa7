// A control whose window procedure is replaced so that the control can have
// behaviour of its own (script-aware edit, dial, separator ruler, colour grid).
#pragma once

#include "framework/accessible.h"

#include <windows.h>

#include <memory>

namespace qv::fw {

class SubclassedWindow {
  public:
    SubclassedWindow() = default;
    virtual ~SubclassedWindow();
    SubclassedWindow(const SubclassedWindow&) = delete;
    SubclassedWindow& operator=(const SubclassedWindow&) = delete;

    // Takes over an existing window (for example a dialog control).
    bool Subclass(HWND hwnd);
    void Unsubclass();
    HWND hwnd() const { return hwnd_; }

    // Screen readers hear the name, role and value `source` gives (NULL: the
    // standard answers only). The source must outlive the subclassing.
    void SetAccessibleSource(const AccessibleSource* source);

  protected:
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // After the window's last message (it is no longer subclassed then).
    virtual void OnFinalMessage() {}
    LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam);

  private:
    static LRESULT CALLBACK Thunk(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    HWND hwnd_ = nullptr;
    WNDPROC previous_ = nullptr;
    const AccessibleSource* accessibleSource_ = nullptr;
    std::unique_ptr<AccessibleObject> accessible_;
};

} // namespace qv::fw
