// The Templates sheet: start a new workbook from a template file. The first
// page lists the product's templates for the menu language (the application
// folder's "Templates\Eng\" or "Templates\Lang\"), the second the user's own
// templates (the user-data folder's "Templates\").
#pragma once

#include "frame/sheet_buttons.h"
#include "frame/siblings.h"
#include "framework/gdi.h"
#include "framework/sheet.h"
#include "qvssd/records.h"

#include <string>
#include <vector>

namespace qv::workbook {

class CQVGeneralTemplatePSheet;

// One page of template files in a list with three views.
class CQVGentemppage : public fw::SheetPage {
  public:
    CQVGentemppage(CQVGeneralTemplatePSheet& sheet, int index, std::string title,
                   std::string folder);

    // The full path of the selected row ("" for the "Workbook" row or none).
    std::string SelectedPath() const;

  protected:
    bool OnInitDialog() override;
    bool OnSetActive() override;
    void OnApply() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnNotify(NMHDR* header, LRESULT& result) override;

  private:
    void Fill();
    // `engine` converts the name to the local script; nullptr keeps it.
    void AddTemplate(const std::string& name, unsigned long long bytes, const FILETIME& written,
                     const frame::ConvertEngine* engine);
    void ApplyView(int view);
    void UpdateSelection();

    CQVGeneralTemplatePSheet& owner_;
    int index_;
    std::string folder_;             // with a trailing backslash
    std::vector<std::string> paths_; // parallel to the list rows
    std::string unit_;
    std::string type_;
    std::string previewAvailable_;
    std::string previewMissing_;
    fw::Font font_;
};

class CQVGeneralTemplatePSheet : public fw::Sheet {
  public:
    // `page` and `view` are the record's values; unknown ones start at 0.
    CQVGeneralTemplatePSheet(int32_t page, int32_t view);

    int View() const { return view_; }
    void SetView(int view) { view_ = view; }
    int Page() const { return page_; }
    void SetPage(int page) { page_ = page; }
    // The path chosen with OK ("" for the plain workbook).
    const std::string& ChosenPath() const { return path_; }
    void SetChosenPath(std::string path) { path_ = std::move(path); }
    void EnableOK(bool enable) const;

  protected:
    void OnInitSheet() override;

  private:
    frame::SheetButtonLabels buttons_;
    int page_ = 0;
    int view_ = 0;
    std::string path_;
    CQVGentemppage general_;
    CQVGentemppage own_;
};

} // namespace qv::workbook
