// Define Name: adds, replaces and deletes the workbook's names, editing the
// host's names (and name languages) in place while it is open.
#pragma once

#include "frame/range_bar.h"
#include "frame/refs.h"
#include "framework/dialog.h"
#include "framework/gdi.h"
#include "names/host_arrays.h"
#include "names/name_list.h"
#include "qvcore/names.h"
#include "qvssd/records.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qv::names {

class CQVNameDefineDlg : public fw::Dialog, public frame::RangeBarOwner {
  public:
    // `record` and its names array must be writable (the export checks).
    explicit CQVNameDefineDlg(NameDefineRecord* record);
    ~CQVNameDefineDlg() override;

    // frame::RangeBarOwner: the picked reference lands in the refers-to box.
    HWND RangeOwnerWindow() const override { return hwnd(); }
    void TakeRangeText(const std::string& text, const frame::RangeField& field) override;

  protected:
    bool OnInitDialog() override;
    void OnOK() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

  private:
    void Add();
    void Delete();
    // Shows the first entry named `name` (in `language` when given).
    void ShowName(std::string_view name, std::optional<uint32_t> language = std::nullopt);
    // Copies the languages into the record, creating its array if it has none.
    void PublishLanguages();
    // The refers-to text as the box shows it in the menu language.
    std::string ShownReference(const std::string& a1, bool editionSwitch);

    NameDefineRecord* record_;
    HostStringArray names_;
    core::NameTable table_;
    CQVNameList list_;
    ScriptFonts fonts_;
    fw::Font font_;
    fw::Bitmap pickImage_;
    frame::MenuRefConverter refs_;
    bool accepted_ = true;
    bool keyboardSwitched_ = false;
};

} // namespace qv::names
