// Wrappers of the sibling libraries. Each loads its library by name from the
// folder that holds the dialog library, and answers a neutral value (0, an
// empty text, NULL or the caller's default) when the library or the function
// is missing.
#pragma once

#include "framework/library.h"
#include "qvssd/siblings.h"

#include <string>
#include <utility>
#include <vector>

namespace qv::frame {

// Full path of a file beside the dialog library.
std::string BesideLibrary(const char* fileName);

// qvcomlib.dll: folders and resource loading.
class CommonServices {
  public:
    CommonServices();
    explicit operator bool() const { return static_cast<bool>(library_); }

    std::string AppPath(int what = QVCOM_APPPATH_APPLICATION) const;
    std::string SysDirectory() const;
    std::string TempPath() const;
    std::string AppDataPath() const;
    std::string AppUserDataPath() const;

    // QVLoad/QVLoadImageInt/QVUnLoad: 0 or NULL when missing.
    int Load(const char* path, int mode = QVCOM_LOAD_RESOURCES) const;
    HBITMAP LoadImageInt(int id, int width, int height) const;
    void UnLoad() const;

  private:
    fw::Library library_;
};

// QVComLib.dll profile store over one file for the object's lifetime.
class ProfileStore {
  public:
    explicit ProfileStore(const char* fileName);
    ~ProfileStore();
    ProfileStore(const ProfileStore&) = delete;
    ProfileStore& operator=(const ProfileStore&) = delete;

    int GetInt(const char* section, const char* key, int def) const;
    bool WriteInt(const char* section, const char* key, int value) const;
    std::string GetString(const char* section, const char* key, const char* def) const;
    bool WriteString(const char* section, const char* key, const char* text) const;
    std::vector<std::pair<std::string, std::string>> Section(const char* section) const;

  private:
    fw::Library library_;
};

// QVSSAPI.dll: 0 when missing.
int GetDlgLanguageInfo(QVDlgLanguageInfo* info);
int GetAppLanguageInfo(int what);
int CheckBilingual(const char* text);

// QVFileDialog.dll: the chosen path, or an empty text on cancel or when missing.
std::string LoadFileDialog(HWND owner, const char* filter, int mode, const char* initialFolder,
                           const char* currentPath);

// TWEngine.dll: the text unchanged when the engine is missing.
class ConvertEngine {
  public:
    ConvertEngine();
    ~ConvertEngine();
    ConvertEngine(const ConvertEngine&) = delete;
    ConvertEngine& operator=(const ConvertEngine&) = delete;

    bool Load(const char* languageName, const char* fontFace);
    std::string EngToLang(const char* languageName, const char* fontFace,
                          const std::string& text) const;
    std::string FontToIscii(const char* fontFace, const std::string& text) const;

  private:
    fw::Library library_;
    bool loaded_ = false;
};

} // namespace qv::frame
