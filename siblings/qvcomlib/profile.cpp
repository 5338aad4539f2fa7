// QVComLib.dll, profile store: an INI-style text file read afresh by every
// call and replaced atomically by every write.
#include "qvcomlib.h"

#include "qvcore/profile_text.h"

#include <cstdio>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

using qv::core::ProfileText;

namespace {

constexpr size_t kMaxName = 4096;        // longest section, key or value accepted
constexpr size_t kMaxPath = 1024;        // longest store path
constexpr LONGLONG kMaxStore = 16 << 20; // a larger store is not read (nor replaced)

// Everything below is guarded by g_lock.
SRWLOCK g_lock = SRWLOCK_INIT;
std::string g_store;  // full path of the selected store file, "" when none
std::string g_result; // the text QVGetProfileString last returned
std::vector<std::pair<std::string, std::string>> g_sectionPairs;
std::vector<QVProfileEntry> g_sectionEntries;
QVProfileSection g_section;

class Locked {
  public:
    Locked() { AcquireSRWLockExclusive(&g_lock); }
    ~Locked() { ReleaseSRWLockExclusive(&g_lock); }
    Locked(const Locked&) = delete;
    Locked& operator=(const Locked&) = delete;
};

// A text argument read with a bound; NULL reads as nothing.
std::string Arg(const char* text, size_t limit = kMaxName) {
    if (text == nullptr) {
        return {};
    }
    return std::string(text, strnlen(text, limit));
}

// A predefined registry root (or another small integer) passed where a file
// name is expected.
bool IsHandleValue(const char* name) {
    const ULONG_PTR value = reinterpret_cast<ULONG_PTR>(name);
    const HKEY roots[] = {HKEY_CLASSES_ROOT, HKEY_CURRENT_USER,     HKEY_LOCAL_MACHINE,
                          HKEY_USERS,        HKEY_PERFORMANCE_DATA, HKEY_CURRENT_CONFIG,
                          HKEY_DYN_DATA};
    for (HKEY root : roots) {
        if (value == reinterpret_cast<ULONG_PTR>(root)) {
            return true;
        }
    }
    return value < 0x10000;
}

// A full path: a drive letter or a "\\server\share" name; everything else is
// taken relative to the per-user data folder.
std::string ResolveStore(const char* name) {
    if (IsHandleValue(name)) {
        return {};
    }
    std::string file = Arg(name, kMaxPath);
    if (file.empty() || file.size() >= kMaxPath) {
        return {};
    }
    bool absolute = (file.size() >= 2 && file[1] == ':') ||
                    (file.size() >= 2 && (file[0] == '\\' || file[0] == '/') &&
                     (file[1] == '\\' || file[1] == '/'));
    if (absolute) {
        return file;
    }
    size_t skip = file.find_first_not_of("\\/");
    if (skip == std::string::npos) {
        return {};
    }
    std::string folder = qvcom::UserDataFolder();
    if (folder.empty()) {
        return {};
    }
    return folder + file.substr(skip);
}

enum class ReadResult { Read, Missing, Failed };

ReadResult ReadStore(ProfileText& doc) {
    doc = ProfileText::Parse({});
    if (g_store.empty()) {
        return ReadResult::Failed;
    }
    HANDLE file = CreateFileA(g_store.c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        DWORD error = GetLastError();
        return (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
                   ? ReadResult::Missing
                   : ReadResult::Failed;
    }
    LARGE_INTEGER size = {};
    ReadResult result = ReadResult::Failed;
    if (GetFileSizeEx(file, &size) && size.QuadPart <= kMaxStore) {
        std::string text(static_cast<size_t>(size.QuadPart), '\0');
        size_t done = 0;
        DWORD got = 0;
        while (done < text.size() &&
               ReadFile(file, &text[done], static_cast<DWORD>(text.size() - done), &got, nullptr) &&
               got > 0) {
            done += got;
        }
        if (done == text.size()) {
            doc = ProfileText::Parse(text);
            result = ReadResult::Read;
        }
    }
    CloseHandle(file);
    return result;
}

// Writes the whole text to a new file beside the store, flushes it and moves
// it over the store in one step.
bool WriteStore(const std::string& text) {
    static LONG counter = 0;
    HANDLE file = INVALID_HANDLE_VALUE;
    std::string temp;
    for (int attempt = 0; attempt < 16 && file == INVALID_HANDLE_VALUE; ++attempt) {
        char suffix[64];
        snprintf(suffix, sizeof suffix, ".%lx-%lx.tmp", GetCurrentProcessId(),
                 static_cast<unsigned long>(InterlockedIncrement(&counter)));
        temp = g_store + suffix;
        file = CreateFileA(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS) {
            return false;
        }
    }
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    size_t done = 0;
    bool ok = true;
    while (ok && done < text.size()) {
        DWORD wrote = 0;
        DWORD chunk =
            static_cast<DWORD>(text.size() - done > 1u << 20 ? 1u << 20 : text.size() - done);
        ok = WriteFile(file, text.data() + done, chunk, &wrote, nullptr) && wrote == chunk;
        done += wrote;
    }
    ok = ok && FlushFileBuffers(file);
    CloseHandle(file);
    ok = ok && MoveFileExA(temp.c_str(), g_store.c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!ok) {
        DeleteFileA(temp.c_str());
    }
    return ok;
}

// Reads the store, applies `edit` and writes the store back when it changed.
// A store that exists but cannot be read is never replaced.
template <class Edit> int Modify(Edit edit) {
    ProfileText doc = ProfileText::Parse({});
    if (ReadStore(doc) == ReadResult::Failed) {
        return 0;
    }
    std::string before = doc.Serialize();
    if (!edit(doc)) {
        return 0;
    }
    std::string after = doc.Serialize();
    if (after == before) {
        return 1;
    }
    return WriteStore(after) ? 1 : 0;
}

} // namespace

extern "C" {

int __cdecl LoadINI(const char* fileName) {
    Locked lock;
    g_store = ResolveStore(fileName);
    return g_store.empty() ? 0 : 1;
}

void __cdecl UnloadRegINI(void) {
    Locked lock;
    g_store.clear();
}

void __cdecl QVSetINIFileName(const char* fileName) {
    LoadINI(fileName);
}

int __cdecl QVGetProfileInt(const char* section, const char* key, int def) {
    Locked lock;
    ProfileText doc = ProfileText::Parse({});
    if (ReadStore(doc) != ReadResult::Read) {
        return def;
    }
    std::optional<std::string> value = doc.Get(Arg(section), Arg(key));
    return value ? qv::core::ParseProfileInt(*value, def) : def;
}

int __cdecl QVWriteProfileInt(const char* section, const char* key, int value) {
    char text[16];
    snprintf(text, sizeof text, "%d", value);
    Locked lock;
    std::string s = Arg(section);
    std::string k = Arg(key);
    return Modify([&](ProfileText& doc) { return doc.Set(s, k, text); });
}

const char* __cdecl QVGetProfileString(const char* section, const char* key, const char* def) {
    Locked lock;
    std::string fallback = Arg(def); // before g_result changes: def may point into it
    ProfileText doc = ProfileText::Parse({});
    std::optional<std::string> value;
    if (ReadStore(doc) == ReadResult::Read) {
        value = doc.Get(Arg(section), Arg(key));
    }
    g_result = value ? std::move(*value) : std::move(fallback);
    return g_result.c_str();
}

int __cdecl QVWriteProfileString(const char* section, const char* key, const char* text) {
    Locked lock;
    std::string s = Arg(section);
    if (key == nullptr) {
        return Modify([&](ProfileText& doc) {
            doc.RemoveSection(s);
            return true;
        });
    }
    std::string k = Arg(key);
    if (text == nullptr) {
        return Modify([&](ProfileText& doc) {
            doc.RemoveKey(s, k);
            return true;
        });
    }
    std::string v = Arg(text);
    return Modify([&](ProfileText& doc) { return doc.Set(s, k, v); });
}

const QVProfileSection* __cdecl QVGetSectionData(const char* section) {
    Locked lock;
    ProfileText doc = ProfileText::Parse({});
    std::string name = Arg(section);
    if (ReadStore(doc) != ReadResult::Read || !doc.HasSection(name)) {
        return nullptr;
    }
    g_sectionEntries.clear();
    g_sectionPairs = doc.Entries(name);
    for (const auto& [key, value] : g_sectionPairs) {
        g_sectionEntries.push_back(QVProfileEntry{key.c_str(), value.c_str()});
    }
    g_section.count = static_cast<int32_t>(g_sectionEntries.size());
    g_section.entries = g_sectionEntries.empty() ? nullptr : g_sectionEntries.data();
    return &g_section;
}

} // extern "C"

static_assert(std::is_same_v<decltype(&LoadINI), LoadINIFn>);
static_assert(std::is_same_v<decltype(&UnloadRegINI), UnloadRegINIFn>);
static_assert(std::is_same_v<decltype(&QVSetINIFileName), QVSetINIFileNameFn>);
static_assert(std::is_same_v<decltype(&QVGetProfileInt), QVGetProfileIntFn>);
static_assert(std::is_same_v<decltype(&QVWriteProfileInt), QVWriteProfileIntFn>);
static_assert(std::is_same_v<decltype(&QVGetProfileString), QVGetProfileStringFn>);
static_assert(std::is_same_v<decltype(&QVWriteProfileString), QVWriteProfileStringFn>);
static_assert(std::is_same_v<decltype(&QVGetSectionData), QVGetSectionDataFn>);
