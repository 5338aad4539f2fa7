#include "workbook/hyperlink.h"

#include "frame/host_data.h"
#include "frame/lang_settings.h"
#include "frame/localize.h"
#include "frame/siblings.h"
#include "framework/controls.h"
#include "resource.h"
#include "workbook/sheet_texts.h"

namespace qv::workbook {
namespace {

// The profile of the dialog library, in the user-data folder.
constexpr char kProfileFile[] = "QVSSD.ini";
constexpr char kSettingsSection[] = "Settings";
constexpr char kPreviousPathKey[] = "Previous Path";
constexpr char kBrowseFilter[] = "All Files (*.*)|*.*||";
// The longest path the browse button puts into the address box.
constexpr size_t kMaxBrowsedPath = 250;

// The selector of the host's dialog-language record; 255 without one.
int LanguageSelector() {
    QVDlgLanguageInfo info{};
    info.selector = 255;
    info.reserved = 0xFFFF;
    frame::GetDlgLanguageInfo(&info);
    QVStringClear(&info.fontFace);
    QVStringClear(&info.languageName);
    QVStringClear(&info.thirdText);
    return info.selector;
}

} // namespace

CQVHyperLinkDlg::CQVHyperLinkDlg(QVHyperLinkRecord* record)
    : Dialog(IDD_HYPERLINK), record_(record) {}

bool CQVHyperLinkDlg::OnInitDialog() {
    static const int kControls[] = {
        IDC_HL_TEXT_LABEL, IDC_HL_ADDRESS_LABEL, IDC_HL_REMOVE, IDOK, IDCANCEL, 0};
    static const int kStrings[] = {1210, 1211, 1157, frame::kStrOK, frame::kStrCancel, 0};
    frame::RelabelCommon(hwnd(), kControls, kStrings, font_);
    SetCaption(record_->editMode != 0 ? "Edit Hyperlink" : "Insert Hyperlink");

    linkText_.Attach(hwnd(), IDC_HL_TEXT);
    const std::string text = frame::ReadHostTextShown(record_->linkText, frame::kHostTextLimit);
    SetItemText(IDC_HL_TEXT, text);
    if ((!text.empty() && text.front() == '=') || IsWholeNumberText(text)) {
        fw::Edit(hwnd(), IDC_HL_TEXT).SetReadOnly(true);
    }
    if (LanguageSelector() == 2) {
        linkText_.SetF3Toggle(false);
    }

    SetItemText(IDC_HL_ADDRESS, frame::ReadHostTextShown(record_->address, frame::kHostTextLimit));
    UpdateOK();
    if (record_->remove == 0) {
        if (HWND remove = Item(IDC_HL_REMOVE)) {
            DestroyWindow(remove);
        }
    }
    return true;
}

void CQVHyperLinkDlg::UpdateOK() {
    EnableItem(IDOK, GetWindowTextLengthA(Item(IDC_HL_ADDRESS)) > 0);
}

bool CQVHyperLinkDlg::OnCommand(int id, int code, HWND) {
    if (id == IDC_HL_ADDRESS && code == EN_CHANGE) {
        UpdateOK();
        return true;
    }
    if (code != BN_CLICKED) {
        return false;
    }
    if (id == IDC_HL_BROWSE) {
        Browse();
        return true;
    }
    if (id == IDC_HL_REMOVE) {
        Remove();
        return true;
    }
    return false;
}

void CQVHyperLinkDlg::Browse() {
    frame::ProfileStore profile(kProfileFile);
    const std::string previous = profile.GetString(kSettingsSection, kPreviousPathKey, "");
    const std::string current = ItemText(IDC_HL_ADDRESS);
    const int mode = record_->editMode != 0 ? QVFD_MODE_LINK_EDIT : QVFD_MODE_LINK_NEW;
    std::string path =
        frame::LoadFileDialog(hwnd(), kBrowseFilter, mode, previous.c_str(), current.c_str());
    if (path.empty()) { // cancelled, or no file dialog to ask
        return;
    }
    if (path.size() > kMaxBrowsedPath) {
        path.resize(kMaxBrowsedPath);
    }
    profile.WriteString(kSettingsSection, kPreviousPathKey, FolderOf(path).c_str());
    const std::string& appPath = frame::GetLangSettings().appPath;
    if (!appPath.empty()) {
        SetCurrentDirectoryA(appPath.c_str());
    }
    SetItemText(IDC_HL_ADDRESS, path);
    UpdateOK();
}

void CQVHyperLinkDlg::OnOK() {
    if (GetWindowTextLengthA(Item(IDC_HL_ADDRESS)) == 0) {
        return; // OK stands for an address: Enter without one does nothing
    }
    text_ = ItemText(IDC_HL_TEXT);
    address_ = ItemText(IDC_HL_ADDRESS);
    script_ = text_.empty() ? 1 : static_cast<uint8_t>(linkText_.CurrentScript());
    removed_ = false;
    EndDialog(IDOK);
}

void CQVHyperLinkDlg::Remove() {
    text_ = ItemText(IDC_HL_TEXT);
    address_.clear();
    removed_ = true;
    EndDialog(IDOK);
}

void CQVHyperLinkDlg::CopyOut() const {
    const std::string text = frame::ToHostText(text_);
    const std::string address = frame::ToHostText(address_);
    record_->linkText = QVStrDupN(text.c_str(), text.size());
    record_->address = QVStrDupN(address.c_str(), address.size());
    if (removed_) {
        record_->remove = 1;
    } else {
        record_->textScript = script_;
        record_->remove = 0;
    }
}

} // namespace qv::workbook
