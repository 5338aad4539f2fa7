#include "names/define_name.h"

#include "frame/host_data.h"
#include "frame/host_link.h"
#include "frame/lang_settings.h"
#include "frame/localize.h"
#include "frame/msgbox.h"
#include "framework/controls.h"
#include "resource.h"

#include <cstdlib>
#include <cstring>

namespace qv::names {
namespace {

// The edition switch of the English locale strings: "2" shows references as stored.
constexpr UINT kEditionSwitch = 10008;
// Message: a name that is not allowed.
constexpr UINT kNameRefused = 1183;

// A fixed-size text field of the record, which need not be terminated.
std::string FixedText(const char* buffer, size_t size) {
    return frame::FromHostText(std::string_view(buffer, strnlen(buffer, size)));
}

} // namespace

CQVNameDefineDlg::CQVNameDefineDlg(NameDefineRecord* record)
    : Dialog(IDD_NAME_DEFINE), record_(record), names_(record->names, frame::kHostTextLimit) {}

CQVNameDefineDlg::~CQVNameDefineDlg() {
    if (keyboardSwitched_) {
        frame::SetInputLanguage(false);
    }
}

std::string CQVNameDefineDlg::ShownReference(const std::string& a1, bool editionSwitch) {
    if (!frame::IsLocalMenu()) {
        return a1;
    }
    if (editionSwitch) {
        const std::string edition = frame::LoadStringFromLibrary(
            frame::GetLangSettings().appPath + "\\QVSSMSE.dll", kEditionSwitch);
        if (std::atoi(edition.c_str()) == 2) {
            return a1;
        }
    }
    return refs_.ToShown(a1);
}

bool CQVNameDefineDlg::OnInitDialog() {
    static const int kControls[] = {
        IDC_ND_LIST_LABEL, IDC_ND_REFERS_LABEL, IDC_ND_ADD, IDC_ND_DELETE, IDOK,
        IDCANCEL,          IDC_ND_SHEET_LABEL,  0};
    static const int kStrings[] = {1360, 1417, 1362, 1363, frame::kStrOK, 1328, 1337, 0};
    fonts_.Create();
    list_.Attach(hwnd(), IDC_ND_LIST);
    frame::RelabelCommon(hwnd(), kControls, kStrings, font_, {IDC_ND_LIST, IDC_ND_SHEET}, true);
    keyboardSwitched_ = frame::IsLocalMenu();
    list_.SetFonts(fonts_.English(), fonts_.Local());

    // The proposal: in the English font only for a name said to be in
    // English script (1); any other value, -1 included, is the local font.
    SetItemText(IDC_ND_NAME,
                core::ProposeName(FixedText(record_->proposedName, sizeof record_->proposedName)));
    fw::Control(hwnd(), IDC_ND_NAME)
        .SetFont(record_->nameLanguage == 1 ? fonts_.English() : fonts_.Local());

    const core::SheetReference selection =
        core::SplitSheetReference(FixedText(record_->reference, sizeof record_->reference));
    SetItemText(IDC_ND_SHEET, selection.sheet);
    fw::Control(hwnd(), IDC_ND_REFERS)
        .SetFont(frame::IsLocalMenu() ? fonts_.Local() : fonts_.English());
    SetItemText(IDC_ND_REFERS, ShownReference(selection.reference, false));

    std::vector<uint32_t> languages;
    if (record_->nameLanguages != nullptr) {
        languages = ReadHostUInts(record_->nameLanguages);
    }
    table_ = core::NameTable(names_.Texts(), languages);
    std::vector<std::string> shown;
    shown.reserve(table_.Size());
    for (size_t i = 0; i < table_.Size(); ++i) {
        shown.push_back(table_.Name(i));
    }
    list_.Fill(shown, table_.Languages());

    frame::SetRangePickImage(Item(IDC_ND_PICK), pickImage_);
    accepted_ = true;
    return true;
}

void CQVNameDefineDlg::Add() {
    const std::string name = ItemText(IDC_ND_NAME);
    if (name.empty()) {
        return;
    }
    const core::EntryTarget target =
        core::SplitEntryTarget(ItemText(IDC_ND_SHEET) + "!" + ItemText(IDC_ND_REFERS));
    const std::string refers = refs_.FromShown(target.refers);
    const auto language = static_cast<uint32_t>(
        record_->nameLanguage != -1 ? record_->nameLanguage : frame::HostMenuLanguage());

    const core::NameAddResult add = core::AddName(table_, name, target.prefix, refers, language);
    if (add.replaced) {
        list_.DeleteItem(list_.FindItem(add.replacedName, add.replacedLanguage));
        names_.RemoveAt(*add.replaced);
    }
    accepted_ = true;
    if (add.refused) {
        if (add.replaced) {
            PublishLanguages();
        }
        frame::QVMsgBox(kNameRefused, frame::kOneButton);
        FocusItem(IDC_ND_NAME);
        fw::Edit(hwnd(), IDC_ND_NAME).SelectAll();
        accepted_ = false;
        return;
    }
    if (add.appended) {
        names_.Append(add.entry);
        fw::ListBox(hwnd(), IDC_ND_LIST).Select(list_.AddName(name, language));
        ShowName(name, language);
    } else if (std::optional<size_t> same = table_.FindNameBestMatch(name)) {
        // An equal entry is left: its item stands for the new name too.
        const uint32_t sameLanguage = table_.Language(*same);
        fw::ListBox(hwnd(), IDC_ND_LIST).Select(list_.FindItem(table_.Name(*same), sameLanguage));
        ShowName(table_.Name(*same), sameLanguage);
    }
    list_.SelectionChanged();
    PublishLanguages();
}

void CQVNameDefineDlg::Delete() {
    fw::ListBox list(hwnd(), IDC_ND_LIST);
    const int selected = list.Selection();
    if (selected < 0) {
        SetItemText(IDC_ND_NAME, "");
        SetItemText(IDC_ND_REFERS, "");
        FocusItem(IDC_ND_NAME);
        return;
    }
    const std::string name = list_.Name(selected);
    const uint32_t language = list_.Language(selected);
    list_.DeleteItem(selected);
    if (std::optional<size_t> at = table_.FindListItem(name, language)) {
        table_.RemoveAt(*at);
        names_.RemoveAt(*at);
    }
    SetItemText(IDC_ND_NAME, "");
    SetItemText(IDC_ND_REFERS, "");
    FocusItem(IDC_ND_LIST);
    list_.SelectionChanged();
    PublishLanguages();
}

void CQVNameDefineDlg::ShowName(std::string_view name, std::optional<uint32_t> language) {
    const std::optional<size_t> at =
        language ? table_.FindListItem(name, *language) : table_.FindNameBestMatch(name);
    if (!at) {
        return;
    }
    const uint32_t entryLanguage = table_.Language(*at);
    fw::Control(hwnd(), IDC_ND_NAME).SetFont(fonts_.For(entryLanguage));
    SetItemText(IDC_ND_NAME, table_.Name(*at));
    record_->nameLanguage = static_cast<int32_t>(entryLanguage);

    const core::SheetReference reference =
        core::SplitSheetReference(core::EntryReference(table_.Entry(*at)));
    if (reference.hasSheet) {
        SetItemText(IDC_ND_SHEET, reference.sheet);
    }
    fw::Control(hwnd(), IDC_ND_REFERS)
        .SetFont(frame::IsLocalMenu() ? fonts_.Local() : fonts_.English());
    SetItemText(IDC_ND_REFERS, ShownReference(reference.reference, true));
}

void CQVNameDefineDlg::PublishLanguages() {
    if (record_->nameLanguages == nullptr ||
        !frame::IsWritable(record_->nameLanguages, sizeof *record_->nameLanguages)) {
        // The host passed none: from now on the record holds one, and the host owns it.
        auto* created = static_cast<QVUIntArray*>(QVAlloc(sizeof(QVUIntArray)));
        if (created == nullptr) {
            return;
        }
        record_->nameLanguages = created;
    }
    HostUIntArray(record_->nameLanguages).Assign(table_.Languages());
}

void CQVNameDefineDlg::OnOK() {
    Add();
    if (accepted_) {
        EndDialog(IDOK);
    }
}

bool CQVNameDefineDlg::OnCommand(int id, int code, HWND control) {
    switch (id) {
    case IDC_ND_ADD:
        if (code == BN_CLICKED) {
            Add();
        }
        return true;
    case IDC_ND_DELETE:
        if (code == BN_CLICKED) {
            Delete();
        }
        return true;
    case IDC_ND_PICK:
        if (code == BN_CLICKED) {
            frame::PickRange(*this, Item(IDC_ND_REFERS));
        }
        return true;
    case IDC_ND_LIST:
        if (code == LBN_SELCHANGE) {
            list_.SelectionChanged();
            const int selected = fw::ListBox(hwnd(), IDC_ND_LIST).Selection();
            if (selected >= 0) {
                ShowName(list_.Name(selected), list_.Language(selected));
            }
        }
        return true;
    case IDC_ND_NAME:
    case IDC_ND_REFERS:
        if (code == EN_SETFOCUS) {
            frame::SwitchKeyboardByFont(control);
            return true;
        }
        return false;
    default:
        return false;
    }
}

bool CQVNameDefineDlg::OnMessage(UINT message, WPARAM, LPARAM lParam, INT_PTR& result) {
    if (message == WM_DRAWITEM &&
        list_.DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam))) {
        result = TRUE;
        return true;
    }
    return false;
}

void CQVNameDefineDlg::TakeRangeText(const std::string&, const frame::RangeField&) {
    // The bar has put the text into the refers-to box, which it was given.
}

} // namespace qv::names
