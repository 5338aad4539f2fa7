// QVSSAPI.dll: the host API that reports the local language and its font to
// the dialog library. The host's choice lives in QVSSAPI.ini beside the
// library, section "Language".
#include "qvssd/siblings.h"

#include <cstdlib>
#include <cstring>
#include <string>
#include <type_traits>

namespace {

HMODULE OwnModule() {
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                           GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&OwnModule), &module);
    return module;
}

// Full path of the configuration file, "" when the library's folder is unknown.
std::string ConfigFile() {
    char module[MAX_PATH * 2];
    DWORD n = GetModuleFileNameA(OwnModule(), module, sizeof module);
    if (n == 0 || n >= sizeof module) {
        return {};
    }
    std::string path(module, n);
    size_t slash = path.find_last_of("\\/");
    if (slash == std::string::npos) {
        return {};
    }
    return path.substr(0, slash + 1) + QVSSAPI_INI_FILE;
}

int ReadInt(const std::string& file, const char* key, int def) {
    if (file.empty()) {
        return def;
    }
    return static_cast<int>(GetPrivateProfileIntA("Language", key, def, file.c_str()));
}

std::string ReadText(const std::string& file, const char* key, const char* def) {
    if (file.empty()) {
        return def;
    }
    char buffer[256];
    GetPrivateProfileStringA("Language", key, def, buffer, sizeof buffer, file.c_str());
    return buffer;
}

// The local language installed beside the library: the dialog font that its
// local dialog strings name (string 20000 face, 20001 size), so that the
// Hindi and the Tamil application report their own faces ("HIN ..." or
// "TAM ...").
struct LocalFont {
    std::string face = "HIN Sans";
    int points = 9;
};

LocalFont InstalledLocalFont() {
    LocalFont font;
    const std::string file = ConfigFile();
    if (file.empty()) {
        return font;
    }
    const std::string strings = file.substr(0, file.find_last_of('\\') + 1) + "QVSSDSL.dll";
    HMODULE library = LoadLibraryExA(strings.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (library == nullptr) {
        return font;
    }
    char buffer[LF_FACESIZE] = {};
    if (LoadStringA(library, 20000, buffer, sizeof buffer) > 0) {
        font.face = buffer;
    }
    char size[16] = {};
    if (LoadStringA(library, 20001, size, sizeof size) > 0 && atoi(size) > 0) {
        font.points = atoi(size);
    }
    FreeLibrary(library);
    return font;
}

} // namespace

extern "C" {

int __cdecl QVGetDlgLanguageInfo(QVDlgLanguageInfo* info) {
    if (info == nullptr) {
        return 0;
    }
    const std::string file = ConfigFile();
    int selector = ReadInt(file, "Selector", 0);
    int size = ReadInt(file, "FontSize", InstalledLocalFont().points);
    info->selector = static_cast<uint8_t>(selector >= 0 && selector <= 255 ? selector : 255);
    info->fontSize = static_cast<int16_t>(size >= 1 && size <= 1638 ? size : 9);
    const LocalFont installed = InstalledLocalFont();
    const std::string face = ReadText(file, "FontFace", installed.face.c_str());
    const bool tamil = _strnicmp(face.c_str(), "TAM", 3) == 0;
    QVStringAssign(&info->fontFace, face.c_str());
    QVStringAssign(&info->languageName,
                   ReadText(file, "LanguageName", tamil ? "Tamil" : "Hindi").c_str());
    return 1;
}

int __cdecl QVGetAppLanguageInfo(int /*what*/) {
    return 0;
}

int __cdecl QVCheckBilingual(const char* /*text*/) {
    return 0;
}

} // extern "C"

static_assert(std::is_same_v<decltype(&QVGetDlgLanguageInfo), QVGetDlgLanguageInfoFn>);
static_assert(std::is_same_v<decltype(&QVGetAppLanguageInfo), QVGetAppLanguageInfoFn>);
static_assert(std::is_same_v<decltype(&QVCheckBilingual), QVCheckBilingualFn>);
