// QVFileDialog.dll: the product's file dialog over the common Open and Save
// dialogs, with filters written "Name|pattern|...||".
#include "qvssd/siblings.h"

#include <cderr.h>
#include <commdlg.h>

#include <cstring>
#include <string>
#include <type_traits>

namespace {

constexpr size_t kMaxFilter = 2048;
constexpr size_t kMaxPath = 4096;
constexpr DWORD kFileBuffer = 32768;

std::string Bounded(const char* text, size_t limit) {
    return text == nullptr ? std::string() : std::string(text, strnlen(text, limit));
}

// "Name|pattern|Name|pattern||" to the double-zero list of the common dialogs.
std::string FilterList(const char* filter) {
    std::string list = Bounded(filter, kMaxFilter);
    while (!list.empty() && list.back() == '|') {
        list.pop_back();
    }
    if (list.empty()) {
        list = "All Files (*.*)|*.*";
    }
    size_t bars = 0;
    for (char& c : list) {
        if (c == '|') {
            c = '\0';
            ++bars;
        }
    }
    if (bars % 2 == 0) {
        list.append(1, '\0').append("*.*"); // a name without a pattern lists all files
    }
    list.append(2, '\0');
    return list;
}

bool IsUrl(const std::string& path) {
    return path.find("://") != std::string::npos || _strnicmp(path.c_str(), "mailto:", 7) == 0;
}

void WriteResult(char* result, int resultSize, const std::string& text) {
    size_t room = static_cast<size_t>(resultSize) - 1;
    size_t n = text.size() < room ? text.size() : room;
    memcpy(result, text.data(), n);
    result[n] = '\0';
}

} // namespace

extern "C" {

int __cdecl LoadFileDialog(HWND owner, const char* filter, int mode, const char* initialFolder,
                           const char* currentPath, char* result, int resultSize) {
    if (result == nullptr || resultSize < 1) {
        return 0;
    }
    if (owner != nullptr && !IsWindow(owner)) {
        owner = nullptr;
    }
    if (owner == nullptr) {
        owner = GetActiveWindow();
    }
    if (mode < QVFD_MODE_OPEN || mode > QVFD_MODE_LINK_EDIT) {
        mode = QVFD_MODE_OPEN;
    }

    const std::string filters = FilterList(filter);
    std::string folder = Bounded(initialFolder, kMaxPath);
    std::string name;
    std::string current = Bounded(currentPath, kMaxPath);
    if (!current.empty() && !IsUrl(current)) {
        size_t slash = current.find_last_of("\\/");
        if (slash == std::string::npos) {
            name = current;
        } else {
            folder = current.substr(0, slash + 1);
            name = current.substr(slash + 1);
        }
    }

    std::string file(kFileBuffer, '\0');
    memcpy(&file[0], name.data(), name.size() < kFileBuffer - 1 ? name.size() : 0);

    OPENFILENAMEA ofn = {};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filters.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = &file[0];
    ofn.nMaxFile = kFileBuffer;
    ofn.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST;
    switch (mode) {
    case QVFD_MODE_SAVE:
        ofn.Flags |= OFN_OVERWRITEPROMPT;
        break;
    case QVFD_MODE_LINK_NEW:
    case QVFD_MODE_LINK_EDIT:
        ofn.lpstrTitle = "Link to File";
        break;
    default:
        ofn.Flags |= OFN_FILEMUSTEXIST;
        break;
    }

    auto show = [&]() {
        return mode == QVFD_MODE_SAVE ? GetSaveFileNameA(&ofn) : GetOpenFileNameA(&ofn);
    };
    BOOL chosen = show();
    if (!chosen && CommDlgExtendedError() == FNERR_INVALIDFILENAME) {
        file[0] = '\0'; // the current address is no file name: start without it
        chosen = show();
    }
    if (!chosen) {
        WriteResult(result, resultSize, QVFD_CANCEL);
        return 0;
    }
    WriteResult(result, resultSize, std::string(file.c_str()));
    return 1;
}

} // extern "C"

static_assert(std::is_same_v<decltype(&LoadFileDialog), LoadFileDialogFn>);
