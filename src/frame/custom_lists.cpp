#include "frame/custom_lists.h"

#include "frame/host_link.h"
#include "frame/lang_settings.h"
#include "framework/gdi.h"
#include "framework/text.h"
#include "qvcore/utf8.h"

#include <windows.h>

#include <vector>

namespace qv::frame {
namespace {

constexpr char kStoreName[] = "Autofill.dll";

// The store takes UTF-8 paths; the folders come as ANSI texts.
std::string Utf8FromAnsi(const std::string& text) {
    if (text.empty()) {
        return {};
    }
    const int wide =
        MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (wide <= 0) {
        return {};
    }
    std::vector<wchar_t> buffer(static_cast<size_t>(wide));
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), buffer.data(), wide);
    const int bytes =
        WideCharToMultiByte(CP_UTF8, 0, buffer.data(), wide, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0) {
        return {};
    }
    std::string utf8(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, buffer.data(), wide, utf8.data(), bytes, nullptr, nullptr);
    return utf8;
}

std::string Joined(std::string folder, const char* name) {
    if (!folder.empty() && folder.back() != '\\' && folder.back() != '/') {
        folder += '\\';
    }
    return folder + name;
}

// The most characters of a list measured: far more than any box shows.
constexpr size_t kMeasuredCharacters = 512;

} // namespace

store::CustomListStore UserCustomLists() {
    const std::string& folder = GetLangSettings().appUserDataPath;
    // Without a user data folder there is no store: an empty path opens nothing.
    return store::CustomListStore(folder.empty() ? std::string()
                                                 : Utf8FromAnsi(Joined(folder, kStoreName)));
}

store::ListLanguage MenuListLanguage() {
    return IsLocalMenu() ? store::ListLanguage::Local : store::ListLanguage::English;
}

int BuiltInListCount(store::ListLanguage language) {
    return language == store::ListLanguage::Local ? 3 : 4;
}

int LongestListWidth(HWND box, std::string_view first,
                     const std::vector<store::StoredList>& lists) {
    std::string_view longest = first;
    size_t most = core::Utf8Length(first);
    for (const store::StoredList& list : lists) {
        const size_t n = core::Utf8Length(list.text);
        if (n > most) {
            most = n;
            longest = list.text;
        }
    }
    fw::WindowDC dc(box);
    fw::SelectScope font(dc.get(), reinterpret_cast<HGDIOBJ>(SendMessageW(box, WM_GETFONT, 0, 0)));
    return fw::MeasureText(dc.get(), core::Utf8Prefix(longest, kMeasuredCharacters)).cx;
}

std::string TempFolderFile(const char* name) {
    char folder[MAX_PATH + 1] = {};
    const DWORD n = GetTempPathA(sizeof folder, folder);
    return Joined(n > 0 && n < sizeof folder ? std::string(folder, n) : std::string(), name);
}

bool WriteWholeFile(const std::string& path, const std::string& bytes) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    DWORD written = 0;
    const bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                              nullptr) != FALSE &&
                    written == bytes.size();
    CloseHandle(file);
    return ok;
}

std::string ReadWholeFile(const std::string& path, size_t limit) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return {};
    }
    std::string bytes;
    char chunk[4096];
    DWORD got = 0;
    while (bytes.size() < limit && ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got > 0) {
        bytes.append(chunk, got < limit - bytes.size() ? got : limit - bytes.size());
    }
    CloseHandle(file);
    return bytes;
}

} // namespace qv::frame
