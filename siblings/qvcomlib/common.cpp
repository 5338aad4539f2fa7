// QVComLib.dll, common services: the product's folders and the current
// resource library.
#include "qvcomlib.h"

#include <shlobj.h>

#include <cctype>
#include <cstring>
#include <string>
#include <type_traits>

namespace qvcom {

namespace {

constexpr size_t kPathBuffer = 1024;

char g_appPath[kPathBuffer];
char g_sysPath[kPathBuffer];
char g_tempPath[kPathBuffer];
char g_appDataPath[kPathBuffer];
char g_userDataPath[kPathBuffer];

SRWLOCK g_resourceLock = SRWLOCK_INIT;
HMODULE g_resource = nullptr;

HMODULE OwnModule() {
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                           GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&OwnModule), &module);
    return module;
}

std::string WithBackslash(std::string path) {
    if (!path.empty() && path.back() != '\\' && path.back() != '/') {
        path += '\\';
    }
    return path;
}

// Copies the folder (with its trailing backslash) into the function's static
// buffer; a folder that does not fit gives "".
const char* Publish(char* buffer, const std::string& folder) {
    if (folder.size() >= kPathBuffer) {
        buffer[0] = '\0';
    } else {
        memcpy(buffer, folder.c_str(), folder.size() + 1);
    }
    return buffer;
}

// Creates the folder and any missing parent; existing folders are fine.
void EnsureFolder(const std::string& folder) {
    size_t start = 0;
    if (folder.size() >= 2 && folder[1] == ':') {
        start = 3; // past "X:\"
    } else if (folder.rfind("\\\\", 0) == 0) {
        size_t server = folder.find('\\', 2);
        size_t share = server == std::string::npos ? server : folder.find('\\', server + 1);
        start = share == std::string::npos ? folder.size() : share + 1;
    }
    for (size_t i = start; i <= folder.size(); ++i) {
        if (i == folder.size() || folder[i] == '\\' || folder[i] == '/') {
            if (i > 0 && i > start) {
                CreateDirectoryA(folder.substr(0, i).c_str(), nullptr);
            }
        }
    }
}

std::string ShellFolder(int csidl) {
    char buffer[MAX_PATH] = "";
    if (FAILED(SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, buffer))) {
        return {};
    }
    return buffer;
}

// The folder of this library, which is the application folder.
std::string ApplicationFolder() {
    char module[kPathBuffer];
    DWORD n = GetModuleFileNameA(OwnModule(), module, sizeof module);
    if (n == 0 || n >= sizeof module) {
        return {};
    }
    std::string path(module, n);
    size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// Files the product ships in the application folder and every user keeps a
// copy of in the user data folder: a user who has none gets the shipped one.
void GiveUserShippedFiles(const std::string& userFolder) {
    static const char* const kShipped[] = {"Autofill.dll"}; // the custom lists
    const std::string app = ApplicationFolder();
    if (app.empty()) {
        return;
    }
    for (const char* name : kShipped) {
        CopyFileA((app + name).c_str(), (userFolder + name).c_str(), TRUE /* keep the user's */);
    }
}

} // namespace

std::string UserDataFolder() {
    std::string folder;
    char value[kPathBuffer];
    DWORD n = GetEnvironmentVariableA(QVCOM_USERDATA_ENV, value, sizeof value);
    if (n > 0 && n < sizeof value) {
        char full[kPathBuffer];
        DWORD m = GetFullPathNameA(value, sizeof full, full, nullptr);
        folder = (m > 0 && m < sizeof full) ? full : value;
    } else {
        std::string roaming = ShellFolder(CSIDL_APPDATA);
        if (roaming.empty()) {
            return {};
        }
        folder = WithBackslash(roaming) + "TWcalc";
    }
    folder = WithBackslash(folder);
    EnsureFolder(folder);
    GiveUserShippedFiles(folder);
    return folder;
}

} // namespace qvcom

using namespace qvcom;

extern "C" {

const char* __cdecl GetAppPath(int /*what: every value names the application folder*/) {
    return Publish(g_appPath, ApplicationFolder());
}

const char* __cdecl GetSysDirectory(void) {
    char buffer[kPathBuffer];
    UINT n = GetSystemDirectoryA(buffer, sizeof buffer);
    return Publish(g_sysPath, n > 0 && n < sizeof buffer ? WithBackslash(buffer) : std::string());
}

const char* __cdecl GetQVTempPath(void) {
    char buffer[kPathBuffer];
    DWORD n = GetTempPathA(sizeof buffer, buffer);
    return Publish(g_tempPath, n > 0 && n < sizeof buffer ? WithBackslash(buffer) : std::string());
}

const char* __cdecl GetAppDataPath(void) {
    std::string common = ShellFolder(CSIDL_COMMON_APPDATA);
    return Publish(g_appDataPath, common.empty() ? common : WithBackslash(common) + "TWcalc\\");
}

const char* __cdecl GetAppUserDataPath(void) {
    return Publish(g_userDataPath, UserDataFolder());
}

int __cdecl QVLoad(const char* path, int /*mode: every mode loads as data*/) {
    HMODULE module = nullptr;
    if (path != nullptr && *path != '\0' && strnlen(path, kPathBuffer) < kPathBuffer) {
        module = LoadLibraryExA(path, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    }
    AcquireSRWLockExclusive(&g_resourceLock);
    HMODULE previous = g_resource;
    g_resource = module;
    ReleaseSRWLockExclusive(&g_resourceLock);
    if (previous != nullptr) {
        FreeLibrary(previous);
    }
    return module != nullptr ? 1 : 0;
}

HANDLE __cdecl QVLoadImageInt(int id, int type, int width, int height, int flags) {
    if (type != IMAGE_BITMAP && type != IMAGE_ICON && type != IMAGE_CURSOR) {
        return nullptr;
    }
    if (id <= 0 || id > 0xFFFF || width < 0 || height < 0) {
        return nullptr;
    }
    // Only flags that read from the module make sense here.
    UINT allowed = LR_DEFAULTCOLOR | LR_MONOCHROME | LR_CREATEDIBSECTION | LR_DEFAULTSIZE |
                   LR_LOADTRANSPARENT | LR_LOADMAP3DCOLORS | LR_SHARED;
    AcquireSRWLockShared(&g_resourceLock);
    HANDLE image = nullptr;
    if (g_resource != nullptr) {
        image = LoadImageA(g_resource, MAKEINTRESOURCEA(id), static_cast<UINT>(type), width, height,
                           static_cast<UINT>(flags) & allowed);
    }
    ReleaseSRWLockShared(&g_resourceLock);
    return image;
}

void __cdecl QVUnLoad(void) {
    QVLoad(nullptr, 0);
}

} // extern "C"

static_assert(std::is_same_v<decltype(&GetAppPath), GetAppPathFn>);
static_assert(std::is_same_v<decltype(&GetSysDirectory), GetSysDirectoryFn>);
static_assert(std::is_same_v<decltype(&GetQVTempPath), GetQVTempPathFn>);
static_assert(std::is_same_v<decltype(&GetAppDataPath), GetAppDataPathFn>);
static_assert(std::is_same_v<decltype(&GetAppUserDataPath), GetAppUserDataPathFn>);
static_assert(std::is_same_v<decltype(&QVLoad), QVLoadFn>);
static_assert(std::is_same_v<decltype(&QVLoadImageInt), QVLoadImageIntFn>);
static_assert(std::is_same_v<decltype(&QVUnLoad), QVUnLoadFn>);
