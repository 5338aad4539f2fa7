#include "harness.h"

#include "qvcore/utf8.h"

#include <commctrl.h>

#include <iterator>

namespace qvtest {

std::string LibraryString(const std::string& appFolder, const char* library, UINT id) {
    std::string path = appFolder + "\\" + library;
    HMODULE module = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (module == nullptr) {
        return {};
    }
    const wchar_t* raw = nullptr;
    const int n = LoadStringW(module, id, reinterpret_cast<LPWSTR>(&raw), 0);
    std::string text;
    if (n > 0 && raw != nullptr) {
        text = qv::core::Utf16ToUtf8(
            std::u16string_view(reinterpret_cast<const char16_t*>(raw), static_cast<size_t>(n)));
    }
    FreeLibrary(module);
    return text;
}

namespace {

std::string Utf8(const wchar_t* text) {
    return qv::core::Utf16ToUtf8(reinterpret_cast<const char16_t*>(text));
}

} // namespace

HWND FocusedControl(qvrobot::Robot& robot, HWND dlg) {
    for (int attempt = 0; attempt < 20; ++attempt) {
        HWND focus = robot.FocusedWindow();
        if (focus != nullptr && (focus == dlg || IsChild(dlg, focus))) {
            return focus;
        }
        robot.Post([dlg] { SetForegroundWindow(dlg); });
        robot.WaitIdle();
    }
    return robot.FocusedWindow();
}

int FocusedId(qvrobot::Robot& robot, HWND dlg) {
    HWND focus = FocusedControl(robot, dlg);
    return focus != nullptr ? GetDlgCtrlID(focus) : 0;
}

std::string ListViewText(HWND list, int row, int column) {
    wchar_t text[1024] = {};
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = static_cast<int>(std::size(text));
    SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    return Utf8(text);
}

std::string ListViewColumnTitle(HWND list, int column) {
    wchar_t text[256] = {};
    LVCOLUMNW lvc{};
    lvc.mask = LVCF_TEXT;
    lvc.pszText = text;
    lvc.cchTextMax = static_cast<int>(std::size(text));
    SendMessageW(list, LVM_GETCOLUMNW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&lvc));
    return Utf8(text);
}

std::vector<std::string> TabTexts(HWND tabs) {
    std::vector<std::string> captions;
    const int count = static_cast<int>(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        wchar_t text[256] = {};
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = static_cast<int>(std::size(text));
        SendMessageW(tabs, TCM_GETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
        captions.push_back(Utf8(text));
    }
    return captions;
}

void DialogTest::SetUp() {
    qvhost::SetMenuLanguage(1);
    frame_ = std::make_unique<qvhost::FrameWindow>();
    appFolder_ = qvhost::AppFolder();
    stringsFolder_ = appFolder_;
    // The comparisons below mean something only when the libraries hold texts.
    ASSERT_FALSE(DialogString(1303).empty());
    ASSERT_FALSE(Message(1180).empty());
    LoadFrom(appFolder_);
}

void DialogTest::TearDown() {
    library_.reset();
    frame_.reset();
}

void DialogTest::LoadFrom(const std::string& folder) {
    library_.reset();
    library_ = std::make_unique<qvhost::DialogLibrary>(folder);
    ASSERT_TRUE(library_->loaded())
        << "QVSSD.dll from " << folder << " error " << library_->error();
}

std::string DialogTest::Message(UINT id, int language) const {
    return LibraryString(stringsFolder_, language == 2 ? "QVMSGSL.dll" : "QVMSGSE.dll", id);
}

std::string DialogTest::DialogString(UINT id, int language) const {
    return LibraryString(stringsFolder_, language == 2 ? "QVSSDSL.dll" : "QVSSDSE.dll", id);
}

} // namespace qvtest
