// An edit box that may hold English or local-script text: F3 switches its
// script, its focus switches the host keyboard, and some keys are filtered.
#pragma once

#include "framework/gdi.h"
#include "framework/subclass.h"

#include <string>

namespace qv::frame {

class CQVScriptEdit : public fw::SubclassedWindow {
  public:
    enum Script : int { kEnglishScript = 1, kLocalScript = 2 };

    CQVScriptEdit() = default;

    // Takes over the edit control `id` of a dialog.
    bool Attach(HWND dialog, int id);

    // Creates the box's own font from a face: the local size and script for
    // the local face (ignoring case), the English size and script otherwise.
    void SetScriptFont(const std::string& face);

    void SetInPlace(bool inPlace) { inPlaceEditing_ = inPlace; }
    void SetF3Toggle(bool on) { f3Toggle_ = on; }
    void SetPasteAllowed(bool on) { pasteAllowed_ = on; }
    void SetEnterAllowed(bool on) { enterAllowed_ = on; }
    // Returns the previous value.
    bool SetClearOnToggle(bool on);

    bool EditEnded() const { return editEnded_; }
    int CurrentScript() const { return script_; }
    const std::string& EndedText() const { return endedText_; }

  protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    void OnFocusGained();
    void ToggleScript();
    void UseFont(const std::string& face, int points, int script);

    bool inPlaceEditing_ = false;
    bool editEnded_ = false;
    bool f3Toggle_ = true;
    bool pasteAllowed_ = true;
    bool enterAllowed_ = true;
    fw::Font font_;
    int script_ = kEnglishScript;
    bool clearOnToggle_ = true;
    std::string endedText_;
};

} // namespace qv::frame
