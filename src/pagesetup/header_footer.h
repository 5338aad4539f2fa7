// The Header/Footer page of Page Setup and its custom header/footer dialog.
// The block stores each section in the host's code language ("&P"); the
// user edits field tokens ("&[Page]"); the previews show sample values.
#pragma once

#include "frame/script_edit.h"
#include "framework/dialog.h"
#include "framework/gdi.h"
#include "pagesetup/page_setup.h"
#include "qvcore/header_footer.h"

#include <array>
#include <optional>
#include <string>

namespace qv::pagesetup {

// Three sections of a header or footer in token form, with their fonts.
struct SectionTexts {
    std::array<std::string, 3> text; // left, centre, right
    std::array<FontBlock, 3> font;
};

// The font a section's text is shown in: its own, or the normal font of the
// menu language when its normal-font flag is set.
HFONT CreateSectionFont(const FontBlock& font);

// The custom header or footer: the three sections as text with field tokens,
// a font per section, buttons that insert the fields.
class CQVCustomHeaderFooterDlg : public fw::Dialog {
  public:
    CQVCustomHeaderFooterDlg(bool footer, const SectionTexts& sections,
                             const core::FieldTokens& tokens);
    // Switches the host keyboard back to English in the local menu.
    ~CQVCustomHeaderFooterDlg() override;

    // After OK: the sections as the user left them.
    const SectionTexts& Sections() const { return sections_; }
    // The section box that last had the focus (0 left, 1 centre, 2 right; -1 none).
    int FocusedSection() const { return focused_; }

  protected:
    bool OnInitDialog() override;
    void OnOK() override;
    bool OnCommand(int id, int code, HWND control) override;

  private:
    void ApplyFont(int section);
    void InsertField(int field);
    void ChooseFont();

    bool footer_;
    SectionTexts sections_;
    core::FieldTokens tokens_;
    std::array<frame::CQVScriptEdit, 3> boxes_;
    std::array<fw::Font, 3> boxFonts_;
    fw::Font font_;
    int focused_ = -1;
};

class CQVHeaderFooter : public PageSetupPage {
  public:
    explicit CQVHeaderFooter(CQVPageSetup& sheet);

    void SetData(const HeaderFooterBlock& block, std::uint8_t action);
    void GetData(HeaderFooterBlock& block, std::uint8_t& action) const;

  protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;

  private:
    // One of the two: the header (0) or the footer (1).
    HeaderFooterSections& Part(int part);
    SectionTexts Tokens(int part);
    void Store(int part, const SectionTexts& sections);
    void SetMode(int part);
    void LoadTexts();
    void FillList(int part);
    void SelectMatching(int part);
    void ChoosePreset(int part, int entry);
    void RunCustom(int part);
    void DrawPreviews(int part);
    std::string PreviewOf(const std::string& codes) const;

    HeaderFooterBlock block_{};
    fw::Font font_;
    std::array<fw::Font, 6> previewFonts_;
    core::FieldTokens tokens_{};
    std::string noneText_;
    std::string pageText_;
    std::string pagesText_;
    std::string sheetCaption_;
    // What the inserted fifth entry of each list stands for.
    std::array<std::optional<SectionTexts>, 2> custom_;
};

} // namespace qv::pagesetup
