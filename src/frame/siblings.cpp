#include "frame/siblings.h"

#include "framework/module.h"

namespace qv::frame {
namespace {

std::string FromLibraryText(const char* text) {
    return text != nullptr ? std::string(text) : std::string();
}

// Runs a text-producing engine call with a buffer that grows until the text fits.
template <class Call> std::string ConvertWith(Call call, const std::string& fallback) {
    int size = static_cast<int>(fallback.size()) * 4 + 64;
    for (int attempt = 0; attempt < 4; ++attempt, size *= 4) {
        std::string out(static_cast<size_t>(size), '\0');
        int written = call(out.data(), size);
        if (written < 0) {
            return fallback;
        }
        if (written < size - 1) {
            out.resize(static_cast<size_t>(written));
            return out;
        }
    }
    return fallback;
}

} // namespace

std::string BesideLibrary(const char* fileName) {
    char path[MAX_PATH * 2] = {};
    DWORD n = GetModuleFileNameA(fw::OwnModule(), path, sizeof path);
    std::string folder(path, n < sizeof path ? n : 0);
    size_t slash = folder.find_last_of("\\/");
    folder = slash == std::string::npos ? std::string() : folder.substr(0, slash + 1);
    return folder + (fileName != nullptr ? fileName : "");
}

// ---- CommonServices ----------------------------------------------------------

CommonServices::CommonServices() : library_(BesideLibrary(QVSSD_DLL_COMMON).c_str()) {}

std::string CommonServices::AppPath(int what) const {
    auto f = library_.Proc<GetAppPathFn>("GetAppPath");
    return f != nullptr ? FromLibraryText(f(what)) : std::string();
}

std::string CommonServices::SysDirectory() const {
    auto f = library_.Proc<GetSysDirectoryFn>("GetSysDirectory");
    return f != nullptr ? FromLibraryText(f()) : std::string();
}

std::string CommonServices::TempPath() const {
    auto f = library_.Proc<GetQVTempPathFn>("GetQVTempPath");
    return f != nullptr ? FromLibraryText(f()) : std::string();
}

std::string CommonServices::AppDataPath() const {
    auto f = library_.Proc<GetAppDataPathFn>("GetAppDataPath");
    return f != nullptr ? FromLibraryText(f()) : std::string();
}

std::string CommonServices::AppUserDataPath() const {
    auto f = library_.Proc<GetAppUserDataPathFn>("GetAppUserDataPath");
    return f != nullptr ? FromLibraryText(f()) : std::string();
}

int CommonServices::Load(const char* path, int mode) const {
    auto f = library_.Proc<QVLoadFn>("QVLoad");
    if (f == nullptr) {
        return 0;
    }
    fw::LibraryHold::Keep(path); // the services open it as data: kept, that is a count
    return f(path, mode);
}

HBITMAP CommonServices::LoadImageInt(int id, int width, int height) const {
    auto f = library_.Proc<QVLoadImageIntFn>("QVLoadImageInt");
    return f != nullptr ? static_cast<HBITMAP>(f(id, 0, width, height, 0)) : nullptr;
}

void CommonServices::UnLoad() const {
    if (auto f = library_.Proc<QVUnLoadFn>("QVUnLoad")) {
        f();
    }
}

// ---- ProfileStore -------------------------------------------------------------

ProfileStore::ProfileStore(const char* fileName)
    : library_(BesideLibrary(QVSSD_DLL_PROFILE).c_str()) {
    if (auto load = library_.Proc<LoadINIFn>("LoadINI")) {
        load(fileName);
    }
}

ProfileStore::~ProfileStore() {
    if (auto unload = library_.Proc<UnloadRegINIFn>("UnloadRegINI")) {
        unload();
    }
}

int ProfileStore::GetInt(const char* section, const char* key, int def) const {
    auto f = library_.Proc<QVGetProfileIntFn>("QVGetProfileInt");
    return f != nullptr ? f(section, key, def) : def;
}

bool ProfileStore::WriteInt(const char* section, const char* key, int value) const {
    auto f = library_.Proc<QVWriteProfileIntFn>("QVWriteProfileInt");
    return f != nullptr && f(section, key, value) != 0;
}

std::string ProfileStore::GetString(const char* section, const char* key, const char* def) const {
    auto f = library_.Proc<QVGetProfileStringFn>("QVGetProfileString");
    if (f == nullptr) {
        return FromLibraryText(def);
    }
    return FromLibraryText(f(section, key, def));
}

bool ProfileStore::WriteString(const char* section, const char* key, const char* text) const {
    auto f = library_.Proc<QVWriteProfileStringFn>("QVWriteProfileString");
    return f != nullptr && f(section, key, text) != 0;
}

std::vector<std::pair<std::string, std::string>> ProfileStore::Section(const char* section) const {
    std::vector<std::pair<std::string, std::string>> pairs;
    auto f = library_.Proc<QVGetSectionDataFn>("QVGetSectionData");
    const QVProfileSection* data = f != nullptr ? f(section) : nullptr;
    if (data == nullptr || data->entries == nullptr) {
        return pairs;
    }
    for (int32_t i = 0; i < data->count; ++i) {
        pairs.emplace_back(FromLibraryText(data->entries[i].key),
                           FromLibraryText(data->entries[i].value));
    }
    return pairs;
}

// ---- QVSSAPI.dll ----------------------------------------------------------------

int GetDlgLanguageInfo(QVDlgLanguageInfo* info) {
    fw::Library api(BesideLibrary(QVSSD_DLL_HOSTAPI).c_str());
    auto f = api.Proc<QVGetDlgLanguageInfoFn>("QVGetDlgLanguageInfo");
    return f != nullptr ? f(info) : 0;
}

int GetAppLanguageInfo(int what) {
    fw::Library api(BesideLibrary(QVSSD_DLL_HOSTAPI).c_str());
    auto f = api.Proc<QVGetAppLanguageInfoFn>("QVGetAppLanguageInfo");
    return f != nullptr ? f(what) : 0;
}

int CheckBilingual(const char* text) {
    fw::Library api(BesideLibrary(QVSSD_DLL_HOSTAPI).c_str());
    auto f = api.Proc<QVCheckBilingualFn>("QVCheckBilingual");
    return f != nullptr ? f(text) : 0;
}

// ---- QVFileDialog.dll -------------------------------------------------------------

std::string LoadFileDialog(HWND owner, const char* filter, int mode, const char* initialFolder,
                           const char* currentPath) {
    fw::Library dialogs(BesideLibrary(QVSSD_DLL_FILEDIALOG).c_str());
    auto f = dialogs.Proc<LoadFileDialogFn>("LoadFileDialog");
    if (f == nullptr) {
        return {};
    }
    std::string result(MAX_PATH * 4, '\0');
    if (f(owner, filter, mode, initialFolder, currentPath, result.data(),
          static_cast<int>(result.size())) == 0) {
        return {};
    }
    result.resize(strnlen(result.c_str(), result.size()));
    return result == QVFD_CANCEL ? std::string() : result;
}

// ---- TWEngine.dll -------------------------------------------------------------------

ConvertEngine::ConvertEngine() : library_(BesideLibrary(QVSSD_DLL_ENGINE).c_str()) {}

ConvertEngine::~ConvertEngine() {
    if (loaded_) {
        if (auto f = library_.Proc<UnLoadConvertEngineFn>("UnLoadConvertEngine")) {
            f();
        }
    }
}

bool ConvertEngine::Load(const char* languageName, const char* fontFace) {
    auto f = library_.Proc<LoadConvertEngineFn>("LoadConvertEngine");
    loaded_ = f != nullptr && f(languageName, fontFace) != 0;
    return loaded_;
}

std::string ConvertEngine::EngToLang(const char* languageName, const char* fontFace,
                                     const std::string& text) const {
    auto f = library_.Proc<ConvertEngToLangFn>("ConvertEngToLang");
    if (f == nullptr) {
        return text;
    }
    return ConvertWith(
        [&](char* out, int size) { return f(languageName, fontFace, text.c_str(), out, size); },
        text);
}

std::string ConvertEngine::FontToIscii(const char* fontFace, const std::string& text) const {
    auto f = library_.Proc<ConvertFontToIsciiFn>("ConvertFontToIscii");
    if (f == nullptr) {
        return text;
    }
    return ConvertWith([&](char* out, int size) { return f(fontFace, text.c_str(), out, size); },
                       text);
}

} // namespace qv::frame
