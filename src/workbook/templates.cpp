#include "workbook/templates.h"

#include "frame/host_link.h"
#include "frame/lang_settings.h"
#include "frame/localize.h"
#include "frame/siblings.h"
#include "framework/controls.h"
#include "resource.h"
#include "workbook/sheet_texts.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <strings.h>

namespace qv::workbook {
namespace {

// The most template files one page lists.
constexpr size_t kMaxTemplates = 4096;
constexpr int kViewIcons = 0, kViewList = 1, kViewReport = 2;
constexpr int kColumns = 4;
constexpr char kPlainWorkbook[] = "Workbook";

int KnownOr0(int32_t value, int count) {
    const int low = value & 0xFF;
    return low < count ? low : 0;
}

std::string WithBackslash(std::string folder) {
    if (!folder.empty() && folder.back() != '\\') {
        folder += '\\';
    }
    return folder;
}

// The folder of the product's templates for the menu language.
std::string ProductTemplates() {
    const std::string& app = frame::GetLangSettings().appPath;
    if (app.empty()) {
        return {};
    }
    return WithBackslash(app) + (frame::HostMenuLanguage() == frame::kEnglish
                                     ? "Templates\\Eng\\"
                                     : "Templates\\Lang\\");
}

// The folder of the user's own templates.
std::string OwnTemplates() {
    const std::string& data = frame::GetLangSettings().appUserDataPath;
    return data.empty() ? std::string() : WithBackslash(data) + "Templates\\";
}

// A small sheet of paper with a grid, the picture every template row shows.
void AddSheetPicture(HIMAGELIST list, int size) {
    fw::WindowDC screen(nullptr);
    HDC dc = CreateCompatibleDC(screen.get());
    fw::Bitmap colour(CreateCompatibleBitmap(screen.get(), size, size));
    fw::Bitmap mask(CreateBitmap(size, size, 1, 1, nullptr));
    if (dc == nullptr || !colour || !mask) {
        if (dc != nullptr) {
            DeleteDC(dc);
        }
        return;
    }
    const int margin = size / 8;
    const RECT page{margin, 0, size - margin, size};
    const int band = size / 5;
    {
        fw::SelectScope select(dc, mask.get());
        RECT all{0, 0, size, size};
        FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        FillRect(dc, &page, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    }
    {
        fw::SelectScope select(dc, colour.get());
        RECT all{0, 0, size, size};
        FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        fw::Brush paper(CreateSolidBrush(RGB(255, 255, 255)));
        fw::Brush title(CreateSolidBrush(RGB(33, 115, 70)));
        fw::Brush edge(CreateSolidBrush(RGB(96, 96, 96)));
        FillRect(dc, &page, paper.get());
        RECT top{page.left, page.top, page.right, page.top + band};
        FillRect(dc, &top, title.get());
        fw::Pen grid(CreatePen(PS_SOLID, 1, RGB(190, 190, 190)));
        fw::SelectScope pen(dc, grid.get());
        const int step = size >= 32 ? 5 : 3;
        for (int y = page.top + band + step; y < page.bottom - 1; y += step) {
            MoveToEx(dc, page.left + 1, y, nullptr);
            LineTo(dc, page.right - 1, y);
        }
        for (int x = page.left + (page.right - page.left) / 3; x < page.right - 1;
             x += (page.right - page.left) / 3) {
            MoveToEx(dc, x, page.top + band, nullptr);
            LineTo(dc, x, page.bottom - 1);
        }
        FrameRect(dc, &page, edge.get());
    }
    DeleteDC(dc);
    ImageList_Add(list, colour.get(), mask.get());
}

std::string Upper(std::string text) {
    for (char& c : text) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return text;
}

} // namespace

// ---- the page ---------------------------------------------------------------------

CQVGentemppage::CQVGentemppage(CQVGeneralTemplatePSheet& sheet, int index, std::string title,
                               std::string folder)
    : SheetPage(IDD_TEMPLATE_PAGE, std::move(title)), owner_(sheet), index_(index),
      folder_(std::move(folder)) {}

bool CQVGentemppage::OnInitDialog() {
    static const int kControls[] = {IDC_TPL_LARGE_ICONS, IDC_TPL_LIST_VIEW, IDC_TPL_REPORT_VIEW,
                                    IDC_TPL_PREVIEW_GROUP, 0};
    static const int kStrings[] = {4509, 4510, 4511, 4512, 0};
    frame::RelabelCommon(hwnd(), kControls, kStrings, font_, {IDC_TPL_LIST, IDC_TPL_PREVIEW_TEXT});
    unit_ = frame::LoadLangString(4507, true);
    type_ = frame::LoadLangString(4508, true);
    previewAvailable_ = frame::LoadLangString(4513, true);
    previewMissing_ = frame::LoadLangString(4514, true);

    fw::ListView list(hwnd(), IDC_TPL_LIST);
    HIMAGELIST large = ImageList_Create(32, 32, ILC_COLOR24 | ILC_MASK, 1, 1);
    HIMAGELIST small = ImageList_Create(16, 16, ILC_COLOR24 | ILC_MASK, 1, 1);
    AddSheetPicture(large, 32);
    AddSheetPicture(small, 16);
    // The list view owns its image lists and destroys them with itself.
    list.Send(LVM_SETIMAGELIST, LVSIL_NORMAL, reinterpret_cast<LPARAM>(large));
    list.Send(LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(small));
    static const struct {
        UINT title;
        int width;
    } kColumnTitles[kColumns] = {{4503, 100}, {4504, 50}, {4505, 100}, {4506, 110}};
    for (int i = 0; i < kColumns; ++i) {
        list.InsertColumn(i, frame::LoadLangString(kColumnTitles[i].title, true),
                          kColumnTitles[i].width, i == 1 ? LVCFMT_RIGHT : LVCFMT_LEFT);
    }
    Fill();
    ApplyView(owner_.View());
    return true;
}

void CQVGentemppage::AddTemplate(const std::string& name, unsigned long long bytes,
                                 const FILETIME& written, const frame::ConvertEngine* engine) {
    std::string display = name.substr(0, name.rfind('.'));
    if (engine != nullptr) {
        const frame::CQVLangSettings& settings = frame::GetLangSettings();
        if (strcasecmp(settings.localFontFace.c_str(), "Tam_Kavya") == 0) {
            frame::SetLocalLanguageName("Tamil");
        }
        display = engine->EngToLang(settings.localLanguageName.c_str(),
                                    settings.localFontFace.c_str(), Upper(display));
    }
    fw::ListView list(hwnd(), IDC_TPL_LIST);
    std::wstring shown = fw::Widen(display);
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = list.Count();
    item.pszText = shown.data();
    item.iImage = 0;
    const int row =
        static_cast<int>(list.SendW(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    if (row < 0) {
        return;
    }
    paths_.insert(paths_.begin() + std::min<size_t>(static_cast<size_t>(row), paths_.size()),
                  name.empty() ? std::string() : folder_ + name);
    list.SetItemText(row, 1, name.empty() ? "0 " + unit_ : KilobyteText(bytes, unit_));
    if (name.empty()) {
        return;
    }
    list.SetItemText(row, 2, type_);
    FILETIME local{};
    SYSTEMTIME time{};
    if (FileTimeToLocalFileTime(&written, &local) && FileTimeToSystemTime(&local, &time)) {
        list.SetItemText(row, 3,
                         FormatTimeC({time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute,
                                      time.wSecond}));
    }
}

void CQVGentemppage::Fill() {
    fw::ListView list(hwnd(), IDC_TPL_LIST);
    list.Clear();
    paths_.clear();
    struct Found {
        std::string name;
        unsigned long long bytes;
        FILETIME written;
    };
    std::vector<Found> found;
    if (!folder_.empty()) {
        WIN32_FIND_DATAA data{};
        HANDLE search = FindFirstFileA((folder_ + "*.xls").c_str(), &data);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
                    found.push_back({data.cFileName,
                                     (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) |
                                         data.nFileSizeLow,
                                     data.ftLastWriteTime});
                }
            } while (found.size() < kMaxTemplates && FindNextFileA(search, &data));
            FindClose(search);
        }
    }
    // The file system gives no order: the list shows the names alphabetically.
    std::sort(found.begin(), found.end(), [](const Found& a, const Found& b) {
        return strcasecmp(a.name.c_str(), b.name.c_str()) < 0;
    });
    // Local names are shown in the local script.
    std::optional<frame::ConvertEngine> engine;
    if (!found.empty() && frame::HostMenuLanguage() != frame::kEnglish) {
        engine.emplace();
    }
    for (const Found& file : found) {
        AddTemplate(file.name, file.bytes, file.written, engine ? &*engine : nullptr);
    }
    if (list.Count() == 0) {
        std::wstring plain = fw::Widen(kPlainWorkbook);
        LVITEMW item{};
        item.mask = LVIF_TEXT | LVIF_IMAGE;
        item.pszText = plain.data();
        list.SendW(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
        paths_.assign(1, std::string());
        list.SetItemText(0, 1, "0 " + unit_);
    }
    list.Select(0);
}

void CQVGentemppage::ApplyView(int view) {
    HWND list = Item(IDC_TPL_LIST);
    if (list == nullptr) {
        return;
    }
    DWORD type = view == kViewList ? LVS_LIST : view == kViewReport ? LVS_REPORT : LVS_ICON;
    LONG style = GetWindowLongA(list, GWL_STYLE);
    if (static_cast<DWORD>(style & LVS_TYPEMASK) != type) {
        SetWindowLongA(list, GWL_STYLE, static_cast<LONG>((style & ~LVS_TYPEMASK) | type));
        SendMessageA(list, LVM_ARRANGE, LVA_DEFAULT, 0);
        InvalidateRect(list, nullptr, TRUE);
    }
    if (type == LVS_REPORT) {
        // Columns as wide as their texts, so that all four fit where they can.
        for (int column = 0; column < kColumns; ++column) {
            SendMessageA(list, LVM_SETCOLUMNWIDTH, column, LVSCW_AUTOSIZE);
            const LRESULT content = SendMessageA(list, LVM_GETCOLUMNWIDTH, column, 0);
            SendMessageA(list, LVM_SETCOLUMNWIDTH, column, LVSCW_AUTOSIZE_USEHEADER);
            if (SendMessageA(list, LVM_GETCOLUMNWIDTH, column, 0) < content) {
                SendMessageA(list, LVM_SETCOLUMNWIDTH, column, content);
            }
        }
    }
}

void CQVGentemppage::UpdateSelection() {
    const bool selected = fw::ListView(hwnd(), IDC_TPL_LIST).Selection() >= 0;
    owner_.EnableOK(selected);
    SetItemText(IDC_TPL_PREVIEW_TEXT, selected ? previewAvailable_ : previewMissing_);
}

std::string CQVGentemppage::SelectedPath() const {
    const int row = fw::ListView(hwnd(), IDC_TPL_LIST).Selection();
    if (row < 0 || static_cast<size_t>(row) >= paths_.size()) {
        return {};
    }
    return paths_[static_cast<size_t>(row)];
}

bool CQVGentemppage::OnSetActive() {
    owner_.SetPage(index_);
    ApplyView(owner_.View());
    UpdateSelection();
    return true;
}

void CQVGentemppage::OnApply() {
    if (owner_.Page() == index_) {
        owner_.SetChosenPath(SelectedPath());
    }
}

bool CQVGentemppage::OnCommand(int id, int code, HWND) {
    if (code != BN_CLICKED) {
        return false;
    }
    int view = -1;
    switch (id) {
    case IDC_TPL_LARGE_ICONS:
        view = kViewIcons;
        break;
    case IDC_TPL_LIST_VIEW:
        view = kViewList;
        break;
    case IDC_TPL_REPORT_VIEW:
        view = kViewReport;
        break;
    default:
        return false;
    }
    owner_.SetView(view);
    ApplyView(view);
    return true;
}

bool CQVGentemppage::OnNotify(NMHDR* header, LRESULT& result) {
    if (SheetPage::OnNotify(header, result)) {
        return true;
    }
    if (header != nullptr && header->idFrom == IDC_TPL_LIST && header->code == LVN_ITEMCHANGED) {
        const auto* change = reinterpret_cast<const NMLISTVIEW*>(header);
        if ((change->uChanged & LVIF_STATE) != 0) {
            UpdateSelection();
        }
        return false;
    }
    return false;
}

// ---- the sheet ---------------------------------------------------------------------

CQVGeneralTemplatePSheet::CQVGeneralTemplatePSheet(int32_t page, int32_t view)
    : Sheet("Templates", frame::AnsweringFrame(), KnownOr0(page, 2)), page_(KnownOr0(page, 2)),
      view_(KnownOr0(view, 3)),
      general_(*this, 0, frame::LoadLangString(4501, true), ProductTemplates()),
      own_(*this, 1, frame::LoadLangString(4502, true), OwnTemplates()) {
    AddPage(&general_);
    AddPage(&own_);
}

void CQVGeneralTemplatePSheet::OnInitSheet() {
    buttons_.Apply(hwnd());
    // The start page was activated before its buttons were relabelled: its
    // selection decides OK once more.
    if (fw::SheetPage* active = ActivePage(); active != nullptr && active->hwnd() != nullptr) {
        EnableOK(fw::ListView(active->hwnd(), IDC_TPL_LIST).Selection() >= 0);
    }
}

void CQVGeneralTemplatePSheet::EnableOK(bool enable) const {
    if (HWND ok = Button(IDOK)) {
        EnableWindow(ok, enable ? TRUE : FALSE);
    }
}

} // namespace qv::workbook
