#include "pagesetup/page_page.h"

#include "frame/localize.h"
#include "frame/msgbox.h"
#include "framework/controls.h"
#include "resource.h"

#include <string>

namespace qv::pagesetup {
namespace {

constexpr std::uint8_t kPortrait = 1, kLandscape = 2, kAdjust = 4, kFit = 8;

// Pictures of the two orientations.
constexpr int kPortraitPicture = 13051, kLandscapePicture = 13041;

} // namespace

CQVPages::CQVPages(CQVPageSetup& sheet) : PageSetupPage(IDD_PS_PAGE, sheet) {}

void CQVPages::SetData(const PageOptions& block, std::uint8_t action) {
    block_ = block;
    action_ = action;
}

void CQVPages::GetData(PageOptions& block, std::uint8_t& action) const {
    // The fit counts are shown, never written back.
    const int32_t tall = block.fitPagesTall;
    const int32_t wide = block.fitPagesWide;
    block = block_;
    block.fitPagesTall = tall;
    block.fitPagesWide = wide;
    action = action_;
}

bool CQVPages::OnInitDialog() {
    static const int kControls[] = {
        IDC_PAGE_ORIENTATION, IDC_PAGE_PORTRAIT,      IDC_PAGE_LANDSCAPE,
        IDC_PAGE_SCALING,     IDC_PAGE_ADJUST,        IDC_PAGE_ADJUST_LABEL,
        IDC_PAGE_FIT,         IDC_PAGE_WIDE_LABEL,    IDC_PAGE_TALL_LABEL,
        IDC_PAGE_PAPER_LABEL, IDC_PAGE_QUALITY_LABEL, IDC_PAGE_FIRST_LABEL,
        IDC_PS_PRINT,         IDC_PS_PREVIEW,         0};
    static const int kStrings[] = {1288, 1289, 1290, 1291, 1292, 1293, 1294, 1297,
                                   1295, 1561, 1296, 1263, 1556, 1557, 0};
    // The boxes and lists hold numbers and the printer's own names: they keep
    // the template's font, as the Margins page's boxes do.
    frame::RelabelCommon(hwnd(), kControls, kStrings, font_);

    const PrinterCaps printer = DefaultPrinterCaps();
    FillPapers(printer);
    FillQualities(printer);

    adjust_.Attach(hwnd(), IDC_PAGE_ADJUST_SPIN, IDC_PAGE_ADJUST_BOX, core::kAdjustMin,
                   core::kAdjustMax, 5, 0);
    wide_.Attach(hwnd(), IDC_PAGE_WIDE_SPIN, IDC_PAGE_WIDE_BOX, 0, 100, 1, 0);
    tall_.Attach(hwnd(), IDC_PAGE_TALL_SPIN, IDC_PAGE_TALL_BOX, 0, 100, 1, 0);
    SetItemText(IDC_PAGE_FIRST, core::kFirstPageAuto);

    const bool landscape = (block_.orientation & kLandscape) != 0;
    SetChecked(IDC_PAGE_LANDSCAPE, landscape);
    SetChecked(IDC_PAGE_PORTRAIT, !landscape);

    // The percent shows in both cases, so that a record that says Fit can be
    // confirmed as it came (the page then reports Adjust as well).
    SetItemText(IDC_PAGE_ADJUST_BOX, std::to_string(block_.adjustPercent));
    if ((block_.scaling & kAdjust) != 0) {
        SetChecked(IDC_PAGE_ADJUST, true);
    } else {
        SetChecked(IDC_PAGE_FIT, true);
        SetItemText(IDC_PAGE_WIDE_BOX, std::to_string(block_.fitPagesWide));
        SetItemText(IDC_PAGE_TALL_BOX, std::to_string(block_.fitPagesTall));
        SetChecked(IDC_PAGE_FIT, false);
        SetChecked(IDC_PAGE_ADJUST, true);
        block_.scaling |= kAdjust;
    }
    SetItemText(IDC_PAGE_FIRST, std::to_string(block_.firstPage));

    portrait_.Attach(hwnd(), IDC_PAGE_PORTRAIT_PICTURE);
    landscape_.Attach(hwnd(), IDC_PAGE_LANDSCAPE_PICTURE);
    const std::vector<HBITMAP> pictures =
        LoadPictures({{kPortraitPicture, 35, 40}, {kLandscapePicture, 40, 30}});
    portrait_.SetBitmap(pictures[0]);
    landscape_.SetBitmap(pictures[1]);
    portrait_.Describe(fw::SpokenLabel(ItemText(IDC_PAGE_PORTRAIT)), {});
    landscape_.Describe(fw::SpokenLabel(ItemText(IDC_PAGE_LANDSCAPE)), {});
    return true;
}

void CQVPages::FillPapers(const PrinterCaps& printer) {
    fw::ComboBox list(hwnd(), IDC_PAGE_PAPER);
    list.Clear();
    papers_ = core::OfferedPapers(printer.paperNames, printer.papers);
    for (const core::PaperEntry& paper : papers_) {
        list.SetData(list.Add(paper.name), paper.id);
    }
    const int selected = core::PaperSelection(papers_, block_.paperSize);
    if (selected >= 0) {
        list.Select(selected);
    }
}

void CQVPages::FillQualities(const PrinterCaps& printer) {
    fw::ComboBox list(hwnd(), IDC_PAGE_QUALITY);
    list.Clear();
    if (printer.resolutions.empty()) {
        for (const char* quality : core::kFallbackQualities) {
            list.Add(quality);
        }
        list.Select(0);
        return;
    }
    for (const POINT& resolution : printer.resolutions) {
        list.Add(core::ResolutionText(resolution.x, resolution.y));
    }
    list.Select(block_.printQuality);
}

void CQVPages::ChooseOrientation(std::uint8_t flag) {
    const std::uint8_t other = flag == kPortrait ? kLandscape : kPortrait;
    SetChecked(flag == kPortrait ? IDC_PAGE_LANDSCAPE : IDC_PAGE_PORTRAIT, false);
    block_.orientation = static_cast<std::uint8_t>((block_.orientation | flag) & ~other);
    sheet_.SetOrientation(block_.orientation);
}

void CQVPages::ChooseScaling(std::uint8_t flag) {
    const std::uint8_t other = flag == kAdjust ? kFit : kAdjust;
    block_.scaling = static_cast<std::uint8_t>((block_.scaling | flag) & ~other);
    const int box = flag == kAdjust ? IDC_PAGE_ADJUST_BOX : IDC_PAGE_TALL_BOX;
    fw::Edit(hwnd(), box).SelectAll();
    FocusItem(box);
}

bool CQVPages::OnCommand(int id, int code, HWND control) {
    if (code == BN_CLICKED) {
        switch (id) {
        case IDC_PAGE_PORTRAIT:
            ChooseOrientation(kPortrait);
            return true;
        case IDC_PAGE_LANDSCAPE:
            ChooseOrientation(kLandscape);
            return true;
        case IDC_PAGE_ADJUST:
            ChooseScaling(kAdjust);
            return true;
        case IDC_PAGE_FIT:
            ChooseScaling(kFit);
            return true;
        default:
            break;
        }
    }
    return PageSetupPage::OnCommand(id, code, control);
}

bool CQVPages::OnNotify(NMHDR* header, LRESULT& result) {
    if (adjust_.OnNotify(header, result) || wide_.OnNotify(header, result) ||
        tall_.OnNotify(header, result)) {
        return true;
    }
    return PageSetupPage::OnNotify(header, result);
}

bool CQVPages::PreTranslateMessage(MSG& msg) {
    // Alt+Z and Alt+Q open the paper and print-quality lists.
    if (msg.message != WM_SYSKEYDOWN || hwnd() == nullptr || !IsWindowVisible(hwnd()) ||
        (msg.wParam != 'Z' && msg.wParam != 'Q')) {
        return false;
    }
    const int id = msg.wParam == 'Z' ? IDC_PAGE_PAPER : IDC_PAGE_QUALITY;
    fw::ComboBox list(hwnd(), id);
    if (!list.IsVisible() || !list.IsEnabled()) {
        return false;
    }
    list.Focus();
    list.Send(CB_SHOWDROPDOWN, TRUE, 0);
    return true;
}

fw::PageLeave CQVPages::Refuse(UINT message, bool extended, int boxId) {
    if (extended) {
        frame::QVMsgBoxEx(message, frame::kOneButton, frame::kIconWarning);
    } else {
        frame::QVMsgBox(message, frame::kOneButton);
    }
    fw::Edit(hwnd(), boxId).SelectAll();
    FocusItem(boxId);
    return fw::PageLeave::Stay;
}

fw::PageLeave CQVPages::OnKillActive() {
    if (sheet_.Opening() || hwnd() == nullptr) {
        return fw::PageLeave::Leave;
    }
    switch (core::CheckAdjustPercent(ItemText(IDC_PAGE_ADJUST_BOX), block_.adjustPercent)) {
    case core::NumberCheck::NotWhole:
        return Refuse(1192, true, IDC_PAGE_ADJUST_BOX);
    case core::NumberCheck::OutOfRange:
        return Refuse(1197, true, IDC_PAGE_ADJUST_BOX);
    case core::NumberCheck::Ok:
        break;
    }
    const core::FirstPageAnswer first = core::CheckFirstPage(ItemText(IDC_PAGE_FIRST));
    if (!first.shown.empty()) {
        SetItemText(IDC_PAGE_FIRST, first.shown);
    }
    if (first.kind == core::FirstPageAnswer::Refuse) {
        return Refuse(1192, false, IDC_PAGE_FIRST);
    }
    if (first.kind == core::FirstPageAnswer::Store) {
        block_.firstPage = first.value;
    }
    fw::ComboBox papers(hwnd(), IDC_PAGE_PAPER);
    if (const int paper = papers.Selection(); paper >= 0) {
        block_.paperSize = static_cast<std::uint16_t>(papers.Data(paper));
    }
    if (const int quality = fw::ComboBox(hwnd(), IDC_PAGE_QUALITY).Selection(); quality >= 0) {
        block_.printQuality = static_cast<std::int16_t>(quality);
    }
    return fw::PageLeave::Leave;
}

} // namespace qv::pagesetup
