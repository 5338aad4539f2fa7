#include "pagesetup/page_setup.h"

#include "frame/host_link.h"
#include "frame/localize.h"
#include "frame/msgbox.h"
#include "framework/controls.h"
#include "framework/library.h"
#include "framework/module.h"
#include "pagesetup/header_footer.h"
#include "pagesetup/page_margins.h"
#include "pagesetup/page_page.h"
#include "pagesetup/page_sheet.h"
#include "qvcore/numbers.h"
#include "qvcore/page_setup.h"
#include "qvcore/utf8.h"
#include "resource.h"

#include <commctrl.h>

#include <array>

namespace qv::pagesetup {
namespace {

constexpr char kSheetTitle[] = "Page Setup";
// Tab captions of the four pages; the last one loses its last character.
constexpr std::array<UINT, core::kPageSetupPageCount> kTabStrings = {1299, 1300, 1301, 1302};

} // namespace

// ---- PageSetupPage ----------------------------------------------------------

PageSetupPage::PageSetupPage(UINT templateId, CQVPageSetup& sheet)
    : SheetPage(templateId), sheet_(sheet) {}

bool PageSetupPage::OnCommand(int id, int code, HWND) {
    if (code != BN_CLICKED || (id != IDC_PS_PRINT && id != IDC_PS_PREVIEW)) {
        return false;
    }
    const std::uint8_t before = action_;
    if (id == IDC_PS_PREVIEW) {
        action_ = static_cast<std::uint8_t>((action_ | core::kActionPreview) & ~core::kActionPrint);
    } else {
        action_ = static_cast<std::uint8_t>((action_ | core::kActionPrint) & ~core::kActionPreview);
    }
    if (!sheet_.EndAsOK()) {
        action_ = before;
    }
    return true;
}

// ---- CQVPageSetup -----------------------------------------------------------

CQVPageSetup::CQVPageSetup()
    : Sheet(kSheetTitle), page_(std::make_unique<CQVPages>(*this)),
      margins_(std::make_unique<CQVMargins>(*this)),
      headerFooter_(std::make_unique<CQVHeaderFooter>(*this)),
      sheetPage_(std::make_unique<CQVPageSheet>(*this)) {
    AddPage(page_.get());
    AddPage(margins_.get());
    AddPage(headerFooter_.get());
    AddPage(sheetPage_.get());
}

CQVPageSetup::~CQVPageSetup() = default;

void CQVPageSetup::CopyIn(const PageSetupRecord& record) {
    page_->SetData(record.page, record.action);
    margins_->SetData(record.margins, record.action);
    headerFooter_->SetData(record.headerFooter, record.action);
    sheetPage_->SetData(record.sheet, record.action);
    orientation_ = record.page.orientation;
    startIndex_ = core::PageSetupStartIndex(record.startPage);
}

void CQVPageSetup::CopyOut(PageSetupRecord& record) const {
    std::array<std::uint8_t, core::kPageSetupPageCount> actions{};
    page_->GetData(record.page, actions[0]);
    margins_->GetData(record.margins, actions[1]);
    headerFooter_->GetData(record.headerFooter, actions[2]);
    sheetPage_->GetData(record.sheet, actions[3]);
    record.action = core::PageSetupActionOut(record.action, actions);
}

INT_PTR CQVPageSetup::Run() {
    // The sheet is made on its first page; OnInitSheet visits the others.
    SetStartPage(0);
    return DoModal();
}

void CQVPageSetup::OnInitSheet() {
    RelabelSheet();
    opening_ = true;
    // Every page opens once; the page that is active already (the first,
    // made with the sheet) is not activated again.
    for (int index = 0; index < PageCount(); ++index) {
        if (ActiveIndex() != index) {
            SetActivePage(index);
        }
    }
    if (ActiveIndex() != startIndex_) {
        SetActivePage(startIndex_);
    }
    opening_ = false;
}

void CQVPageSetup::RelabelSheet() {
    const fw::Library strings =
        fw::Library::ForResources(frame::DialogStringsPath(frame::HostMenuLanguage()).c_str());
    if (!strings) {
        frame::QVMsgBox(8440, frame::kOneButton);
        return;
    }
    const auto load = [&](UINT id) { return fw::LoadStringFrom(strings.get(), id); };
    const int points = core::AtoiClamped(load(frame::kStrFontSize));
    font_.Reset(fw::CreatePointFont(points * 10, load(frame::kStrFontFace).c_str()));

    SetTabFont(font_.get());
    for (int i = 0; i < TabCount() && i < static_cast<int>(kTabStrings.size()); ++i) {
        std::string caption = load(kTabStrings[static_cast<size_t>(i)]);
        if (i + 1 == static_cast<int>(kTabStrings.size()) && !caption.empty()) {
            caption = core::Utf8Prefix(caption, core::Utf8Length(caption) - 1);
        }
        if (!caption.empty()) {
            SetTabText(i, caption);
        }
    }
    for (auto [button, id] : {std::pair<int, UINT>{IDOK, frame::kStrOK},
                              std::pair<int, UINT>{IDCANCEL, frame::kStrCancel}}) {
        const fw::Control control(Button(button));
        if (font_) {
            control.SetFont(font_.get());
        }
        const std::string text = load(id);
        if (!text.empty()) {
            control.SetText(text);
        }
    }
}

bool CQVPageSetup::EndAsOK() {
    fw::SheetPage* active = ActivePage();
    if (active != nullptr && active->OnKillActive() == fw::PageLeave::Stay) {
        return false;
    }
    PressButton(PSBTN_OK);
    return true;
}

void CQVPageSetup::PickRange(HWND edit) {
    pickEdit_ = edit;
    frame::PickRange(*this, edit);
    pickEdit_ = nullptr;
}

void CQVPageSetup::TakeRangeText(const std::string& text, const frame::RangeField&) {
    // The bar has put the text into the box already; keep it there.
    if (pickEdit_ != nullptr && IsWindow(pickEdit_) && fw::WindowText(pickEdit_) != text) {
        fw::SetWindowTextTo(pickEdit_, text);
    }
}

} // namespace qv::pagesetup
