// What custom controls tell screen readers and other automation clients.
//
// A custom control answers WM_GETOBJECT with an object of its own that takes
// everything from the platform's standard object for the window (position,
// focus, state, navigation) except what the control knows better: its name,
// its role and its value. Value changes are announced with NotifyWinEvent.
#pragma once

#include <windows.h>

#include <string>

namespace qv::fw {

// The answers a custom control gives; an empty text or a role of 0 leaves
// the standard object's answer.
class AccessibleSource {
  public:
    virtual ~AccessibleSource() = default;
    virtual std::string AccessibleName() const { return {}; }
    virtual std::string AccessibleValue() const { return {}; }
    virtual long AccessibleRole() const { return 0; }
};

class AccessibleProxy;

// The object one window hands out. It lives as long as its clients hold it;
// once detached (the control ends), it answers "not available".
class AccessibleObject {
  public:
    explicit AccessibleObject(const AccessibleSource& source);
    ~AccessibleObject();
    AccessibleObject(const AccessibleObject&) = delete;
    AccessibleObject& operator=(const AccessibleObject&) = delete;

    // The answer to WM_GETOBJECT for `hwnd`; 0 for object ids that the
    // standard handling serves.
    LRESULT Answer(HWND hwnd, WPARAM wParam, LPARAM lParam);
    // Cuts the object from its source and its clients.
    void Detach();

  private:
    const AccessibleSource* source_;
    AccessibleProxy* proxy_ = nullptr;
};

// Announces a change of the window's value or name to screen readers.
void NotifyAccessibleValue(HWND hwnd);
void NotifyAccessibleName(HWND hwnd);

// A label text as a screen reader says it: mnemonic markers and a trailing
// colon removed ("&Delete..." stays "Delete...", "Preview:" becomes "Preview"),
// and a local label's access key in parentheses ("फ़ॉन्ट(&F):" is "फ़ॉन्ट").
std::string SpokenLabel(const std::string& label);

} // namespace qv::fw
