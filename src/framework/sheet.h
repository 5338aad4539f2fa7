// Property sheets, property pages and wizards over comctl32, run in the
// framework's modal loop. Leave and wizard hooks return explicit results.
#pragma once

#include "framework/dialog.h"

#include <prsht.h>

#include <string>
#include <string_view>
#include <vector>

namespace qv::fw {

class Sheet;

// What a page answers when the user leaves it (another tab, OK, Next, Back, Finish).
enum class PageLeave { Leave, Stay };

// Where a wizard button goes from a page.
struct WizardMove {
    enum Kind { Default, Stay, ToPage } kind = Default;
    UINT templateId = 0; // ToPage: the template id of the page to show

    static WizardMove Next() { return {}; }
    static WizardMove StayHere() { return {Stay, 0}; }
    static WizardMove To(UINT templateId) { return {ToPage, templateId}; }
};

class SheetPage : public Dialog {
  public:
    explicit SheetPage(UINT templateId, std::string title = {});

    Sheet* OwnerSheet() const { return sheet_; }
    const std::string& Title() const { return title_; }
    bool HasWindow() const { return hwnd_ != nullptr; }

    // Activation; return false to refuse it.
    virtual bool OnSetActive();
    // Validation when the page is left.
    virtual PageLeave OnKillActive();
    // OK: write the page's values back.
    virtual void OnApply();
    // Cancel.
    virtual void OnReset();
    // Wizard buttons.
    virtual WizardMove OnWizardNext();
    virtual WizardMove OnWizardBack();
    // Finish; return false to keep the wizard open.
    virtual bool OnWizardFinish();
    // Escape or Cancel; return false to keep the sheet open.
    virtual bool OnQueryCancel();

  protected:
    bool OnNotify(NMHDR* header, LRESULT& result) override;
    // Pages end through their sheet.
    void OnOK() override {}
    void OnCancel() override {}

  private:
    friend class Sheet;
    static INT_PTR CALLBACK PageProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    Sheet* sheet_ = nullptr;
    std::string title_;
};

class Sheet : public LoopWindow {
  public:
    // The result a finished wizard gives (the value of ID_WIZFINISH).
    static constexpr INT_PTR kWizardFinish = 0x3025;

    Sheet(std::string caption, HWND parent = nullptr, int startPage = 0);
    ~Sheet() override;
    Sheet(const Sheet&) = delete;
    Sheet& operator=(const Sheet&) = delete;

    void AddPage(SheetPage* page);
    void SetWizardMode(bool wizard) { wizard_ = wizard; }
    // Shows the Apply button (id 12321) and the Help button (IDHELP), which
    // sheets that lead through steps use for their own purposes; off by default.
    void SetApplyAndHelpButtons(bool shown) { applyAndHelp_ = shown; }
    bool IsWizard() const { return wizard_; }
    void SetStartPage(int index) { startPage_ = index; }
    const std::string& Caption() const { return caption_; }

    // Runs the sheet modally: IDOK after OK, kWizardFinish after Finish,
    // IDCANCEL otherwise, -1 when it could not be created.
    INT_PTR DoModal(HWND owner = nullptr);

    int PageCount() const { return static_cast<int>(pages_.size()); }
    SheetPage* Page(int index) const;
    int ActiveIndex() const;
    SheetPage* ActivePage() const;
    bool SetActivePage(int index);
    // Removes a page from the running sheet.
    void RemovePage(int index);
    HWND Button(int id) const { return hwnd_ != nullptr ? DialogItem(hwnd_, id) : nullptr; }
    // The tabs of the running sheet: their number, a tab's text (UTF-8) and
    // the font they are drawn in (the dialog font of the menu language).
    int TabCount() const;
    void SetTabText(int position, std::string_view text);
    void SetTabFont(HFONT font);
    void SetWizardButtons(DWORD flags);
    // Ends the sheet as if its OK or Cancel button had been pressed.
    void PressButton(int button);

    bool PreTranslateMessage(MSG& msg) override;
    bool TranslateDialogMessage(MSG& msg) override;

  protected:
    // After the sheet window and its first page exist.
    virtual void OnInitSheet();
    // The sheet window's own messages; return true when handled.
    virtual bool OnSheetMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // The sheet window's default handling of a message.
    LRESULT DefaultSheetProc(UINT message, WPARAM wParam, LPARAM lParam) {
        return CallWindowProcW(previousProc_, hwnd_, message, wParam, lParam);
    }

  private:
    friend class SheetPage;
    static int CALLBACK SheetCallback(HWND hwnd, UINT message, LPARAM lParam);
    static LRESULT CALLBACK SheetProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    bool Finished() const;
    void WakeLoopWhenFinished(UINT message);

    std::string caption_;
    HWND parent_;
    int startPage_;
    bool wizard_ = false;
    bool applyAndHelp_ = false;
    std::vector<SheetPage*> pages_;
    INT_PTR result_ = IDCANCEL;
    WNDPROC previousProc_ = nullptr;
    bool checkingEnd_ = false;
};

} // namespace qv::fw
