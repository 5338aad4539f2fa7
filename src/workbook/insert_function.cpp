#include "workbook/insert_function.h"

#include "frame/host_data.h"
#include "frame/host_link.h"
#include "frame/localize.h"
#include "framework/controls.h"
#include "framework/module.h"
#include "frame/siblings.h"
#include "qvcore/profile_text.h"
#include "qvssd/siblings.h"
#include "resource.h"

#include <cstdio>
#include <cstring>
#include <map>
#include <string>

namespace qv::workbook {
namespace {

// The category names, in combo order, and the search item "Go" adds.
constexpr UINT kCategoryNames[core::kCategoryCount] = {1171, 1172, 1173, 1174, 1175,
                                                       1176, 1179, 1180, 2119};
constexpr UINT kSearchItem = 1380;
constexpr UINT kNothingFound = 1239;
constexpr char kFunctionSection[] = "Function";

// The search box's window class. Loaded on first use and kept for the life
// of the process, as the platform's frameworks do: unloading it buys nothing
// and would make every later opening load it afresh.
void LoadRichEdit() {
    static const HMODULE module = LoadLibraryW(L"riched20.dll");
    (void)module;
}

// Redrawing a list once after it is refilled, not for every entry.
class NoRedraw {
  public:
    explicit NoRedraw(HWND window) : window_(window) {
        SendMessageA(window_, WM_SETREDRAW, FALSE, 0);
    }
    ~NoRedraw() {
        SendMessageA(window_, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(window_, nullptr, TRUE);
    }
    NoRedraw(const NoRedraw&) = delete;
    NoRedraw& operator=(const NoRedraw&) = delete;

  private:
    HWND window_;
};

bool IsWithin(HWND window, HWND control) {
    return window != nullptr && control != nullptr &&
           (window == control || IsChild(control, window));
}

} // namespace

CQVInsertFunctionDlg::CQVInsertFunctionDlg(QVInsertFunctionRecord* record)
    : Dialog(IDD_INSERT_FUNCTION), record_(record) {
    LoadRichEdit();
}

CQVInsertFunctionDlg::~CQVInsertFunctionDlg() {
    if (keyboardSwitched_) {
        frame::SetInputLanguage(false);
    }
}

bool CQVInsertFunctionDlg::OnInitDialog() {
    static const int kControls[] = {IDC_IF_SEARCH_LABEL,
                                    IDC_IF_CATEGORY_LABEL,
                                    IDC_IF_FUNCTION_LABEL,
                                    IDC_IF_GO,
                                    IDOK,
                                    IDCANCEL,
                                    0};
    static const int kStrings[] = {1167, 1168, 1169, 1170, frame::kStrOK, frame::kStrCancel, 0};
    // The description is given the dialog font too: a local text needs a face
    // that has its script.
    frame::RelabelCommon(hwnd(), kControls, kStrings, font_,
                         {IDC_IF_CATEGORY, IDC_IF_FUNCTIONS, IDC_IF_SEARCH, IDC_IF_DESCRIPTION},
                         true);
    keyboardSwitched_ = frame::IsLocalMenu();

    HFONT base =
        font_ ? font_.get() : reinterpret_cast<HFONT>(SendMessageW(hwnd(), WM_GETFONT, 0, 0));
    LOGFONTW bold{};
    if (base != nullptr && GetObjectW(base, sizeof bold, &bold) != 0) {
        bold.lfWeight = FW_BOLD;
        boldFont_.Reset(CreateFontIndirectW(&bold));
        fw::Control(hwnd(), IDC_IF_SYNTAX).SetFont(boldFont_.get());
    }

    // The catalogue stays open, and the profile is read once, for as long as the dialog lives.
    catalogue_ =
        fw::Library::ForResources(frame::DialogStringsPath(frame::HostMenuLanguage()).c_str());
    // The whole section in one read: every key read alone would read the file again.
    std::map<std::string, int> keys;
    for (const auto& [key, value] :
         frame::ProfileStore((std::string("\\") + QVCOM_PROFILE_FILE).c_str())
             .Section(kFunctionSection)) {
        keys.emplace(key, core::ParseProfileInt(value, 0));
    }
    auto read = [&keys](const std::string& key, int def) {
        const auto found = keys.find(key);
        return found != keys.end() ? found->second : def;
    };
    const int first = read("0", core::kRecentCategory);
    for (int key = 1; key <= core::kRecentCount; ++key) {
        recent_.push_back(read(std::to_string(key), 0));
    }
    FillCategories(false);
    fw::ComboBox categories(hwnd(), IDC_IF_CATEGORY);
    categories.Select(first >= 0 && first < categories.Count() ? first : core::kRecentCategory);
    FillFunctions();

    fw::Edit search(hwnd(), IDC_IF_SEARCH);
    search.SelectAll();
    FocusItem(IDC_IF_SEARCH);
    return false;
}

void CQVInsertFunctionDlg::FillCategories(bool withSearch) {
    fw::ComboBox combo(hwnd(), IDC_IF_CATEGORY);
    combo.Clear();
    if (!catalogue_) {
        return;
    }
    for (UINT id : kCategoryNames) {
        combo.Add(Load(static_cast<int>(id)));
    }
    if (withSearch) {
        combo.Add(Load(static_cast<int>(kSearchItem)));
    }
}

std::string CQVInsertFunctionDlg::Load(int id) const {
    return id > 0 ? fw::LoadStringFrom(catalogue_.get(), static_cast<UINT>(id)) : std::string();
}

void CQVInsertFunctionDlg::FillFunctions() {
    const int category = fw::ComboBox(hwnd(), IDC_IF_CATEGORY).Selection();
    const bool english = frame::HostMenuLanguage() == frame::kEnglish;
    std::vector<core::CatalogueEntry> entries;
    const core::NameLoader load = [this](int id) { return Load(id); };
    if (catalogue_ && category == core::kRecentCategory) {
        entries = core::ScanRecent(recent_, english, load);
    } else if (catalogue_ && category > core::kRecentCategory) {
        std::string search = ItemText(IDC_IF_SEARCH);
        for (char& c : search) {
            if (c >= 'a' && c <= 'z') {
                c = static_cast<char>(c - 'a' + 'A');
            }
        }
        entries = core::ScanCategory(category, english, search, load);
    }
    ShowEntries(entries);
}

void CQVInsertFunctionDlg::ShowEntries(const std::vector<core::CatalogueEntry>& entries) {
    fw::ListBox list(hwnd(), IDC_IF_FUNCTIONS);
    fw::ListBox names(hwnd(), IDC_IF_NAMES);
    {
        NoRedraw quiet(list.hwnd());
        list.Clear();
        names.Clear();
        for (const core::CatalogueEntry& entry : entries) {
            list.Add(entry.name);
            const int index = names.Add(entry.name);
            if (index >= 0) {
                names.SetData(index, entry.id);
            }
        }
        if (list.Count() > 0) {
            list.Select(0);
        }
    }
    ShowSyntax();
}

void CQVInsertFunctionDlg::ShowSyntax() {
    fw::ListBox list(hwnd(), IDC_IF_FUNCTIONS);
    const int selected = list.Selection();
    std::string syntax;
    std::string description;
    if (selected >= 0) {
        fw::ListBox names(hwnd(), IDC_IF_NAMES);
        const int entry = names.FindExact(list.ItemText(selected));
        const int id = entry >= 0 ? static_cast<int>(names.Data(entry)) : 0;
        if (auto parts = core::SplitSyntax(Load(id > 0 ? id + core::kSyntaxOffset : 0))) {
            syntax = std::move(parts->first);
            description = std::move(parts->second);
        }
    }
    SetItemText(IDC_IF_SYNTAX, syntax);
    SetItemText(IDC_IF_DESCRIPTION, description);
}

void CQVInsertFunctionDlg::Go() {
    FillCategories(true);
    fw::ComboBox combo(hwnd(), IDC_IF_CATEGORY);
    combo.Select(core::kSearchCategory);
    FillFunctions();
    if (fw::ListBox(hwnd(), IDC_IF_FUNCTIONS).Count() > 0) {
        return;
    }
    SetItemText(IDC_IF_SEARCH, frame::LoadLangString(kNothingFound, true));
    fw::Edit(hwnd(), IDC_IF_SEARCH).SelectAll();
    FocusItem(IDC_IF_SEARCH);
    FillCategories(false);
    combo.Select(core::kRecentCategory);
    FillFunctions();
}

void CQVInsertFunctionDlg::OnOK() {
    fw::ListBox list(hwnd(), IDC_IF_FUNCTIONS);
    const int selected = list.Selection();
    const std::string name = selected >= 0 ? list.ItemText(selected) : std::string();
    std::memset(record_->name, 0, sizeof record_->name);
    frame::WriteHostText(record_->name, sizeof record_->name, name);
    // With no category to choose from, the defaults' category.
    const int category = fw::ComboBox(hwnd(), IDC_IF_CATEGORY).Selection();
    record_->category = static_cast<uint8_t>(category >= 0 ? category : core::kRecentCategory);
    fw::ListBox names(hwnd(), IDC_IF_NAMES);
    const int entry = name.empty() ? -1 : names.FindExact(name);
    const int id = entry >= 0 ? static_cast<int>(names.Data(entry)) : 0;
    std::snprintf(record_->functionId, sizeof record_->functionId, "%d", id);
    EndDialog(IDOK);
}

bool CQVInsertFunctionDlg::OnCommand(int id, int code, HWND) {
    if (id == IDC_IF_CATEGORY && code == CBN_SELCHANGE) {
        FillFunctions();
        return true;
    }
    if (id == IDC_IF_FUNCTIONS && code == LBN_SELCHANGE) {
        ShowSyntax();
        return true;
    }
    if (id == IDC_IF_FUNCTIONS && code == LBN_DBLCLK) {
        OnOK();
        return true;
    }
    if (id == IDC_IF_GO && code == BN_CLICKED) {
        Go();
        return true;
    }
    return false;
}

bool CQVInsertFunctionDlg::PreTranslateMessage(MSG& msg) {
    if (hwnd() == nullptr || (msg.hwnd != hwnd() && !IsChild(hwnd(), msg.hwnd))) {
        return false;
    }
    HWND combo = Item(IDC_IF_CATEGORY);
    const bool inCombo = IsWithin(msg.hwnd, combo);
    const bool dropped = SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0) != 0;
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) {
        return true; // acted on when the key is released
    }
    if (msg.message == WM_KEYUP && msg.wParam == VK_ESCAPE) {
        if (inCombo && dropped) {
            SendMessageA(combo, CB_SHOWDROPDOWN, FALSE, 0);
        } else if (!inCombo) {
            OnCancel();
        }
        return true;
    }
    if (msg.message == WM_SYSKEYDOWN && (msg.wParam == 'C' || msg.wParam == 'c')) {
        FocusItem(IDC_IF_CATEGORY);
        SendMessageA(combo, CB_SHOWDROPDOWN, TRUE, 0);
        return true;
    }
    if (msg.message == WM_KEYDOWN && (msg.wParam == VK_UP || msg.wParam == VK_DOWN) && inCombo &&
        !dropped) {
        SendMessageA(combo, CB_SHOWDROPDOWN, TRUE, 0);
        return true;
    }
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_RETURN) {
        if (IsWithin(msg.hwnd, Item(IDC_IF_FUNCTIONS))) {
            OnOK();
            return true;
        }
        if (IsWithin(msg.hwnd, Item(IDC_IF_SEARCH))) {
            Go(); // Enter in the search box searches
            return true;
        }
    }
    return false;
}

} // namespace qv::workbook
