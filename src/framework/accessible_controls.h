// Standard controls that show what they are in pictures or colours, told to
// screen readers in words: a list box whose items are heard by name, a
// button whose name is not its text.
#pragma once

#include "framework/accessible.h"
#include "framework/subclass.h"

#include <functional>
#include <string>

namespace qv::fw {

// A list box whose items screen readers hear by name: for owner-drawn lists
// that draw what their items are (colours, line styles, numbers in red)
// instead of writing it.
class AccessibleListBox : public SubclassedWindow, public AccessibleSource {
  public:
    using ItemName = std::function<std::string(int index)>;

    // Takes over list box `id` of a dialog; `itemName` names item `index`.
    bool Attach(HWND dialog, int id, std::string name, ItemName itemName);

    std::string AccessibleName() const override { return name_; }
    // The selected item's name.
    std::string AccessibleValue() const override;
    long AccessibleRole() const override;
    bool AnswersValue() const override { return true; }
    int AccessibleChildCount() const override;
    std::string AccessibleChildName(int child) const override;
    long AccessibleChildState(int child) const override;
    RECT AccessibleChildRect(int child) const override;
    int AccessibleFocusedChild() const override;

  protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    int Selected() const;
    int Caret() const;

    std::string name_;
    ItemName itemName_;
    int announced_ = -1; // the item last announced as the focus
};

// A button heard by a name of its own (a button that shows an image and a
// one-letter mnemonic); check boxes and push-like toggles say whether they
// are checked.
class AccessibleButton : public SubclassedWindow, public AccessibleSource {
  public:
    bool Attach(HWND dialog, int id, std::string name);
    std::string AccessibleName() const override { return name_; }
    long AccessibleRole() const override;
    long AccessibleExtraState() const override;

  private:
    bool IsToggle() const;

    std::string name_;
};

// An edit box heard by a name of its own with its text as the value (a box
// without a label beside it); `readOnly` when the user cannot type in it.
class AccessibleEdit : public SubclassedWindow, public AccessibleSource {
  public:
    bool Attach(HWND dialog, int id, std::string name, bool readOnly);
    std::string AccessibleName() const override { return name_; }
    std::string AccessibleValue() const override;
    long AccessibleRole() const override;
    bool AnswersValue() const override { return true; }
    long AccessibleExtraState() const override;

  private:
    std::string name_;
    bool readOnly_ = false;
};

} // namespace qv::fw
