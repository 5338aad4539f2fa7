#include "pagesetup/print_dialog.h"

#include "format/page_common.h"
#include "frame/host_data.h"
#include "frame/host_link.h"
#include "frame/localize.h"
#include "frame/msgbox.h"
#include "framework/controls.h"
#include "framework/library.h"
#include "framework/module.h"
#include "pagesetup/common.h"
#include "qvcore/numbers.h"
#include "qvcore/page_setup.h"
#include "resource.h"

#include <commctrl.h>

#include <cstring>
#include <iterator>
#include <utility>
#include <vector>

namespace qv::pagesetup {
namespace {

const char kDialogProperty[] = "QVSSD.PrintDialog";

constexpr std::uint8_t kCollateBit = 4;
constexpr std::uint8_t kPrintAll = 1, kPrintPages = 2;
constexpr std::uint8_t kWhatWorkbook = 16, kWhatSheets = 32, kWhatSelection = 8;
constexpr int kCollatedPicture = 13098, kNotCollatedPicture = 13097;
constexpr UINT kCopiesMessage = 8008; // a common string

// The labels of the template and their strings.
constexpr int kLabelControls[] = {IDC_PRN_PRINTER_GROUP,
                                  IDC_PRN_NAME_LABEL,
                                  IDC_PRN_STATUS_LABEL,
                                  IDC_PRN_TYPE_LABEL,
                                  IDC_PRN_WHERE_LABEL,
                                  IDC_PRN_COMMENT_LABEL,
                                  IDC_PRN_PROPERTIES,
                                  IDC_PRN_TO_FILE,
                                  IDC_PRN_RANGE_GROUP,
                                  IDC_PRN_ALL,
                                  IDC_PRN_PAGES,
                                  IDC_PRN_FROM_LABEL,
                                  IDC_PRN_TO_LABEL,
                                  IDC_PRN_WHAT_GROUP,
                                  IDC_PRN_SELECTION,
                                  IDC_PRN_ACTIVE_SHEETS,
                                  IDC_PRN_WORKBOOK,
                                  IDC_PRN_COPIES_GROUP,
                                  IDC_PRN_COPIES_LABEL,
                                  IDC_PRN_COLLATE,
                                  IDC_PRN_PREVIEW,
                                  IDOK,
                                  IDCANCEL};
constexpr int kLabelStrings[] = {1451,
                                 1469,
                                 1452,
                                 1468,
                                 1453,
                                 1454,
                                 1466,
                                 1455,
                                 1456,
                                 1465,
                                 1450,
                                 1457,
                                 1470,
                                 1464,
                                 1461,
                                 1462,
                                 1463,
                                 1458,
                                 1459,
                                 1460,
                                 1467,
                                 frame::kStrOK,
                                 frame::kStrCancel};
static_assert(std::size(kLabelControls) == std::size(kLabelStrings));

bool Checked(HWND dialog, int id) {
    return IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

void Check(HWND dialog, int id, bool on) {
    CheckDlgButton(dialog, id, on ? BST_CHECKED : BST_UNCHECKED);
}

// A text of a DEVNAMES block, bounded by the block's size.
std::string DevNamesText(HGLOBAL names, WORD DEVNAMES::*offset) {
    std::string text;
    if (const auto* block = static_cast<const DEVNAMES*>(GlobalLock(names))) {
        const size_t size = GlobalSize(names);
        const char* base = reinterpret_cast<const char*>(block);
        const WORD at = block->*offset;
        if (at < size) {
            text.assign(base + at, strnlen(base + at, size - at));
        }
        GlobalUnlock(names);
    }
    return text;
}

} // namespace

// ---- CQVPrintToFileDlg ---------------------------------------------------------

CQVPrintToFileDlg::CQVPrintToFileDlg() : Dialog(IDD_PRINT_TO_FILE) {}

bool CQVPrintToFileDlg::OnInitDialog() {
    static const int kControls[] = {IDC_PTF_LABEL, IDOK, IDCANCEL};
    static const int kStrings[] = {1482, frame::kStrCountedOK, frame::kStrCountedCancel};
    frame::RelabelShared(hwnd(), frame::DialogStringsPath(frame::HostMenuLanguage()), kControls,
                         kStrings, 3, font_);
    if (font_) {
        fw::Edit(hwnd(), IDC_PTF_NAME).SetFont(font_.get());
    }
    fw::Edit(hwnd(), IDC_PTF_NAME).LimitText(sizeof(PrintRecord::outputFile) - 1);
    return true;
}

void CQVPrintToFileDlg::OnOK() {
    const std::string name = ItemText(IDC_PTF_NAME);
    HANDLE file = INVALID_HANDLE_VALUE;
    if (!name.empty()) {
        file = CreateFileW(fw::Widen(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    }
    if (file == INVALID_HANDLE_VALUE) {
        frame::QVMsgBox(1247, frame::kOneButton);
        fw::Edit(hwnd(), IDC_PTF_NAME).SelectAll();
        FocusItem(IDC_PTF_NAME);
        return;
    }
    CloseHandle(file);
    fileName_ = name;
    EndDialog(IDOK);
}

// ---- CQVPrintDialog ------------------------------------------------------------

CQVPrintDialog::CQVPrintDialog(PrintRecord* record) : record_(record) {
    record_->collate |= kCollateBit;
    pd_.lStructSize = sizeof pd_;
    pd_.Flags = PD_COLLATE | PD_ENABLEPRINTHOOK | PD_ENABLESETUPHOOK | PD_ENABLEPRINTTEMPLATE;
    pd_.nMinPage = static_cast<WORD>(core::kPrintPageMin);
    pd_.nMaxPage = static_cast<WORD>(core::kPrintPageMax);
    pd_.nCopies = 1;
    pd_.hInstance = fw::OwnModule();
    pd_.lpPrintTemplateName = MAKEINTRESOURCEA(IDD_PRINT);
    pd_.lpfnPrintHook = PrintHook;
    pd_.lpfnSetupHook = SetupHook;
    pd_.lCustData = reinterpret_cast<LPARAM>(this);
}

CQVPrintDialog::~CQVPrintDialog() = default;

INT_PTR CQVPrintDialog::DoModal() {
    preview_ = false;
    pd_.hwndOwner = fw::ModalOwner(nullptr);
    return PrintDlgA(&pd_) ? IDOK : IDCANCEL;
}

UINT_PTR CALLBACK CQVPrintDialog::SetupHook(HWND, UINT, WPARAM, LPARAM) {
    return 0;
}

UINT_PTR CALLBACK CQVPrintDialog::PrintHook(HWND dialog, UINT message, WPARAM wParam,
                                            LPARAM lParam) {
    try {
        if (message == WM_INITDIALOG) {
            const auto* pd = reinterpret_cast<const PRINTDLGA*>(lParam);
            auto* self = reinterpret_cast<CQVPrintDialog*>(pd->lCustData);
            SetPropA(dialog, kDialogProperty, reinterpret_cast<HANDLE>(self));
            self->OnInit(dialog);
            return TRUE;
        }
        auto* self = reinterpret_cast<CQVPrintDialog*>(GetPropA(dialog, kDialogProperty));
        if (self == nullptr) {
            return FALSE;
        }
        if (message == WM_NCDESTROY) {
            RemovePropA(dialog, kDialogProperty);
            return FALSE;
        }
        if (message == WM_COMMAND) {
            return self->OnCommand(dialog, LOWORD(wParam), HIWORD(wParam)) ? TRUE : FALSE;
        }
    } catch (...) {
        return FALSE;
    }
    return FALSE;
}

void CQVPrintDialog::OnInit(HWND dialog) {
    for (auto [spin, box] :
         {std::pair{IDC_PRN_FROM_SPIN, IDC_PRN_FROM}, std::pair{IDC_PRN_TO_SPIN, IDC_PRN_TO}}) {
        fw::UpDown updown(dialog, spin);
        updown.Send(UDM_SETBUDDY, reinterpret_cast<WPARAM>(GetDlgItem(dialog, box)), 0);
        updown.SetRange(core::kPrintPageMin, core::kPrintPageMax);
    }
    Check(dialog, IDC_PRN_ACTIVE_SHEETS, true);
    Check(dialog, IDC_PRN_ALL, true);
    for (int box : {IDC_PRN_FROM, IDC_PRN_TO}) {
        EnableWindow(GetDlgItem(dialog, box), TRUE);
        fw::Edit(dialog, box).SetText("");
    }
    EnableWindow(GetDlgItem(dialog, IDC_PRN_COLLATE), TRUE);
    Check(dialog, IDC_PRN_COLLATE, true);
    EnableWindow(GetDlgItem(dialog, IDC_PRN_TO_LABEL), TRUE);

    const std::vector<HBITMAP> pictures =
        LoadPictures({{kCollatedPicture, 76, 36}, {kNotCollatedPicture, 76, 36}});
    collated_.Reset(pictures[0]);
    notCollated_.Reset(pictures[1]);
    ShowCollate(dialog);
    ShowWindow(GetDlgItem(dialog, IDC_PRN_SYSTEM_COLLATE_ICON), SW_HIDE);

    Relabel(dialog);
    Check(dialog, IDC_PRN_ALL, true);
    Check(dialog, IDC_PRN_PAGES, false);
    // The box and the record's print-to-file byte stay in step.
    record_->printToFile = record_->printToFile != 0 ? 1 : 0;
    Check(dialog, IDC_PRN_TO_FILE, record_->printToFile != 0);
}

void CQVPrintDialog::Relabel(HWND dialog) {
    const std::string path = frame::DialogStringsPath(frame::HostMenuLanguage());
    // Kept loaded meanwhile, so that relabelling finds it loaded.
    const fw::Library strings = fw::Library::ForResources(path.c_str());
    if (!strings) {
        return; // the template's texts stay, and nobody is told
    }
    frame::RelabelCounted(dialog, path, kLabelControls, kLabelStrings,
                          static_cast<int>(std::size(kLabelControls)), font_);
}

void CQVPrintDialog::ShowCollate(HWND dialog) {
    HBITMAP picture = record_->collate != 0 ? collated_.get() : notCollated_.get();
    SendDlgItemMessageA(dialog, IDC_PRN_COLLATE_PICTURE, STM_SETIMAGE, IMAGE_BITMAP,
                        reinterpret_cast<LPARAM>(picture));
}

bool CQVPrintDialog::OnCommand(HWND dialog, int id, int code) {
    switch (id) {
    case IDC_PRN_COLLATE:
        if (code == BN_CLICKED) {
            record_->collate =
                static_cast<std::uint8_t>(Checked(dialog, id) ? record_->collate | kCollateBit
                                                              : record_->collate & ~kCollateBit);
            ShowCollate(dialog);
        }
        return false;
    case IDC_PRN_TO_FILE:
        if (code == BN_CLICKED) {
            record_->printToFile = Checked(dialog, id) ? 1 : 0;
        }
        return true;
    case IDC_PRN_PREVIEW:
        if (code == BN_CLICKED) {
            if (Checked(dialog, IDC_PRN_SELECTION)) {
                record_->printWhatFlags |= kWhatSelection;
            }
            if (CheckPagesAndCopies(dialog, false)) {
                preview_ = true;
                SendMessageA(dialog, WM_COMMAND, IDOK, 0);
            }
        }
        return true;
    case IDOK:
        return preview_ ? false : !OnOK(dialog);
    default:
        return false;
    }
}

bool CQVPrintDialog::CheckPagesAndCopies(HWND dialog, bool storeCopies) {
    if (!Checked(dialog, IDC_PRN_ALL)) {
        std::int32_t pages[2] = {};
        int index = 0;
        for (int box : {IDC_PRN_FROM, IDC_PRN_TO}) {
            fw::Edit edit(dialog, box);
            const std::string text = core::RemoveCommas(edit.Text());
            edit.SetText(text);
            pages[index++] = core::AtoiClamped(text);
        }
        switch (core::CheckPageRange(pages[0], pages[1])) {
        case core::PageRangeCheck::ToBeforeFrom:
            frame::QVMsgBox(1190, frame::kOneButton);
            return false;
        case core::PageRangeCheck::OutOfRange:
            frame::QVMsgBox(1191, frame::kOneButton);
            return false;
        case core::PageRangeCheck::Ok:
            break;
        }
    }
    const std::int32_t copies = core::AtoiClamped(fw::Edit(dialog, IDC_PRN_COPIES).Text());
    if (storeCopies) {
        record_->copies = copies;
    }
    if (copies < 1) {
        const std::string text = frame::LoadLangString(kCopiesMessage, false);
        frame::QVMsgBoxText(text.c_str(), frame::kOneButton);
        return false;
    }
    return true;
}

// False keeps the dialog open (or has cancelled it).
bool CQVPrintDialog::OnOK(HWND dialog) {
    record_->printWhat = Checked(dialog, IDC_PRN_WORKBOOK) ? kWhatWorkbook : kWhatSheets;
    if (Checked(dialog, IDC_PRN_SELECTION)) {
        record_->printWhatFlags |= kWhatSelection;
    }
    if (!CheckPagesAndCopies(dialog, true)) {
        return false;
    }
    if (record_->printToFile == 1) {
        ShowWindow(dialog, SW_HIDE);
        CQVPrintToFileDlg toFile;
        if (toFile.DoModal(dialog) != IDOK) {
            SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
            return false;
        }
        frame::WriteHostText(record_->outputFile, sizeof record_->outputFile, toFile.FileName());
    }
    return true;
}

void CQVPrintDialog::CopyOut() {
    format::CopyBounded(record_->printerName,
                        DevNamesText(pd_.hDevNames, &DEVNAMES::wDeviceOffset));
    format::CopyBounded(record_->port, DevNamesText(pd_.hDevNames, &DEVNAMES::wOutputOffset));
    const bool pages = (pd_.Flags & PD_PAGENUMS) != 0;
    record_->printRange |= pages ? kPrintPages : kPrintAll;
    record_->fromPage = pages ? pd_.nFromPage : -1;
    record_->toPage = pages ? pd_.nToPage : -1;
    std::memcpy(&record_->printDlg, &pd_, sizeof pd_);

    const std::string driver = DevNamesText(pd_.hDevNames, &DEVNAMES::wDriverOffset);
    const std::string device = DevNamesText(pd_.hDevNames, &DEVNAMES::wDeviceOffset);
    const std::string port = DevNamesText(pd_.hDevNames, &DEVNAMES::wOutputOffset);
    // As the framework's CreatePrinterDC does: driver, device and output
    // port of the dialog's DEVNAMES, with its DEVMODE.
    const auto* mode = static_cast<const DEVMODEA*>(GlobalLock(pd_.hDevMode));
    record_->printerDC = device.empty()
                             ? nullptr
                             : CreateDCA(driver.empty() ? nullptr : driver.c_str(), device.c_str(),
                                         port.empty() ? nullptr : port.c_str(), mode);
    if (mode != nullptr) {
        GlobalUnlock(pd_.hDevMode);
    }
}

} // namespace qv::pagesetup
