#include "harness.h"

#include "qvcore/utf8.h"

#include <commctrl.h>

#include <algorithm>
#include <cctype>
#include <iterator>
#include <map>

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

std::string Spoken(std::string label) {
    std::string spoken;
    for (size_t i = 0; i < label.size(); ++i) {
        if (label[i] == '&' && i + 1 < label.size() && label[i + 1] != '&') {
            continue;
        }
        spoken += label[i];
        if (label[i] == '&') {
            ++i;
        }
    }
    while (!spoken.empty() && (spoken.back() == ':' || spoken.back() == ' ')) {
        spoken.pop_back();
    }
    return spoken;
}

namespace {

std::string ClassOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, static_cast<int>(std::size(name)));
    return Utf8(name);
}

std::string TextOf(HWND window) {
    wchar_t text[512] = {};
    GetWindowTextW(window, text, static_cast<int>(std::size(text)));
    return Utf8(text);
}

// The access key of a text (lower case), 0 when it has none.
char Mnemonic(const std::string& text) {
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] == '&') {
            if (text[i + 1] != '&') {
                return static_cast<char>(std::tolower(static_cast<unsigned char>(text[i + 1])));
            }
            ++i;
        }
    }
    return 0;
}

} // namespace

std::vector<std::string> MnemonicProblems(HWND dialog, const std::vector<int>& fixedTexts) {
    std::vector<std::string> problems;
    std::vector<HWND> controls;
    for (HWND w = GetWindow(dialog, GW_CHILD); w != nullptr; w = GetWindow(w, GW_HWNDNEXT)) {
        if (IsWindowVisible(w)) {
            controls.push_back(w);
        }
    }
    std::map<char, std::string> used;
    for (size_t i = 0; i < controls.size(); ++i) {
        HWND w = controls[i];
        const std::string cls = ClassOf(w);
        const std::string text = TextOf(w);
        const LONG style = GetWindowLongA(w, GWL_STYLE);
        const int id = GetDlgCtrlID(w);
        const char key = Mnemonic(text);
        if (std::find(fixedTexts.begin(), fixedTexts.end(), id) != fixedTexts.end()) {
            continue;
        }
        if (key != 0) {
            auto [it, fresh] = used.emplace(key, text);
            if (!fresh) {
                problems.push_back("\"" + text + "\" and \"" + it->second + "\" share " + key);
            }
        }
        if (lstrcmpiA(cls.c_str(), "Button") == 0) {
            const LONG type = style & BS_TYPEMASK;
            const bool needs = type != BS_GROUPBOX && type != BS_OWNERDRAW && !text.empty() &&
                               id != IDOK && id != IDCANCEL && id != IDHELP;
            if (needs && key == 0) {
                problems.push_back("button \"" + text + "\" (" + std::to_string(id) +
                                   ") has no access key");
            }
        } else if (lstrcmpiA(cls.c_str(), "Static") == 0 && !text.empty() &&
                   (style & SS_TYPEMASK) <= SS_RIGHT && key == 0 && i + 1 < controls.size()) {
            // A label names the control after it when that one takes input
            // (a word between two boxes, such as "and", names neither).
            HWND next = controls[i + 1];
            const auto takesInput = [](HWND w) {
                const std::string c = ClassOf(w);
                return (GetWindowLongA(w, GWL_STYLE) & WS_TABSTOP) != 0 &&
                       lstrcmpiA(c.c_str(), "Button") != 0 && lstrcmpiA(c.c_str(), "Static") != 0;
            };
            if (i > 0 && takesInput(controls[i - 1])) {
                continue;
            }
            if (takesInput(next)) {
                problems.push_back("label \"" + text + "\" before control " +
                                   std::to_string(GetDlgCtrlID(next)) + " has no access key");
            }
        }
    }
    return problems;
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
