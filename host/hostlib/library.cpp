// Folders, loading the dialog library, and scratch copies of the application folder.
#include "qvhost/host.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>

#ifndef QVSSD_APP_DIR_WIN
#define QVSSD_APP_DIR_WIN ""
#endif

namespace qvhost {

namespace {

std::string WithoutTrailingBackslash(std::string path) {
    if (!path.empty() && (path.back() == '\\' || path.back() == '/')) {
        path.pop_back();
    }
    return path;
}

bool SameNameIgnoringCase(const std::string& a, const std::string& b) {
    return lstrcmpiA(a.c_str(), b.c_str()) == 0;
}

// Copies `from` into `to` (which exists), leaving out executables and the given
// file names at any depth.
bool CopyFolder(const std::string& from, const std::string& to,
                const std::vector<std::string>& leaveOut) {
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((from + "\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) {
        return false;
    }
    bool ok = true;
    do {
        const std::string name = data.cFileName;
        if (name == "." || name == "..") {
            continue;
        }
        bool skip = false;
        for (const auto& left : leaveOut) {
            skip = skip || SameNameIgnoringCase(name, left);
        }
        // Host programs stay behind: the copy is of the libraries and their data.
        skip =
            skip || (name.size() > 4 && SameNameIgnoringCase(name.substr(name.size() - 4), ".exe"));
        if (skip) {
            continue;
        }
        const std::string source = from + "\\" + name;
        const std::string target = to + "\\" + name;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            ok = (CreateDirectoryA(target.c_str(), nullptr) != 0 &&
                  CopyFolder(source, target, leaveOut)) &&
                 ok;
        } else {
            ok = CopyFileA(source.c_str(), target.c_str(), FALSE) != 0 && ok;
        }
    } while (FindNextFileA(find, &data));
    FindClose(find);
    return ok;
}

} // namespace

std::string TempFolder() {
    char buffer[MAX_PATH + 1] = {};
    const DWORD n = GetTempPathA(MAX_PATH, buffer);
    if (n == 0 || n > MAX_PATH) {
        return ".";
    }
    return WithoutTrailingBackslash(buffer);
}

std::string ExecutableFolder() {
    char buffer[MAX_PATH + 1] = {};
    const DWORD n = GetModuleFileNameA(nullptr, buffer, MAX_PATH);
    std::string path(buffer, n);
    const size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

std::string AppFolder() {
    char buffer[MAX_PATH + 1] = {};
    const DWORD n = GetEnvironmentVariableA("QVSSD_APP_DIR", buffer, MAX_PATH);
    if (n > 0 && n < MAX_PATH) {
        return WithoutTrailingBackslash(buffer);
    }
    const std::string exe = ExecutableFolder();
    if (FileExists(exe + "\\QVSSD.dll") || std::string(QVSSD_APP_DIR_WIN).empty()) {
        return exe;
    }
    return WithoutTrailingBackslash(QVSSD_APP_DIR_WIN);
}

std::string MakeScratchFolder(const std::string& prefix) {
    static std::atomic<unsigned> counter{0};
    const std::string base = TempFolder() + "\\" + prefix + "-" +
                             std::to_string(GetCurrentProcessId()) + "-" +
                             std::to_string(GetTickCount()) + "-";
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string path = base + std::to_string(counter++);
        if (CreateDirectoryA(path.c_str(), nullptr)) {
            return path;
        }
    }
    return {};
}

bool RemoveFolder(const std::string& path) {
    if (path.empty()) {
        return false;
    }
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((path + "\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = data.cFileName;
            if (name == "." || name == "..") {
                continue;
            }
            const std::string full = path + "\\" + name;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveFolder(full);
            } else {
                SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(full.c_str());
            }
        } while (FindNextFileA(find, &data));
        FindClose(find);
    }
    return RemoveDirectoryA(path.c_str()) != 0;
}

bool WriteTextFile(const std::string& path, const std::string& text) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    DWORD written = 0;
    const BOOL ok = text.empty() || WriteFile(file, text.data(), static_cast<DWORD>(text.size()),
                                              &written, nullptr);
    CloseHandle(file);
    return ok && written == text.size();
}

std::string ReadTextFile(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return {};
    }
    std::string text;
    char chunk[4096];
    DWORD got = 0;
    while (ReadFile(file, chunk, sizeof(chunk), &got, nullptr) && got > 0) {
        text.append(chunk, got);
    }
    CloseHandle(file);
    return text;
}

bool FileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void SetUserDataFolder(const std::string& path) {
    SetEnvironmentVariableA("TWCALC_USERDATA", path.c_str());
    _putenv_s("TWCALC_USERDATA", path.c_str());
}

bool DialogLibrary::Load(const std::string& appFolder) {
    Unload();
    path_ = WithoutTrailingBackslash(appFolder) + "\\QVSSD.dll";
    module_ = LoadLibraryA(path_.c_str());
    error_ = module_ == nullptr ? GetLastError() : 0;
    return module_ != nullptr;
}

void DialogLibrary::Unload() {
    if (module_ != nullptr) {
        FreeLibrary(module_);
        module_ = nullptr;
    }
}

ScratchAppFolder::ScratchAppFolder(const std::string& source,
                                   const std::vector<std::string>& leaveOut,
                                   const std::vector<std::pair<std::string, std::string>>& files) {
    path_ = MakeScratchFolder("qvapp");
    if (path_.empty()) {
        return;
    }
    ok_ = CopyFolder(WithoutTrailingBackslash(source), path_, leaveOut);
    for (const auto& [name, text] : files) {
        ok_ = WriteFile(name, text) && ok_;
    }
}

ScratchAppFolder::~ScratchAppFolder() {
    if (!path_.empty()) {
        RemoveFolder(path_);
    }
}

bool ScratchAppFolder::WriteFile(const std::string& name, const std::string& text) {
    return !path_.empty() && WriteTextFile(path_ + "\\" + name, text);
}

bool ScratchAppFolder::Remove(const std::string& name) {
    return !path_.empty() && DeleteFileA((path_ + "\\" + name).c_str()) != 0;
}

} // namespace qvhost
