// The process-wide language settings, built once from the host and the
// sibling libraries and read-only afterwards.
#pragma once

#include <cstdint>
#include <string>

namespace qv::frame {

class CQVLangSettings {
  public:
    CQVLangSettings();
    virtual ~CQVLangSettings();

    std::string appPath;           // application folder, no trailing backslash
    std::string sysPath;           // system folder
    std::string tempPath;          // temporary folder
    std::string englishDialogLib;  // <app>\QVSSDSE.dll
    std::string localDialogLib;    // <app>\QVSSDSL.dll
    std::string englishCommonLib;  // <app>\QVComnSE.dll
    std::string localCommonLib;    // <app>\QVComnSL.dll
    std::string spare1;            //
    std::string localFontFace;     // first three characters: the language code
    std::string englishFontFace;   // string 20000 of the English dialog strings
    int32_t localFontSize = 8;     // points
    int32_t englishFontSize = 8;   // points, string 20001
    uint8_t menuLanguage = 1;      // at load time: 1 English, 2 local
    std::string spare2;            //
    uint8_t spareFlag = 0;         //
    std::string spare3;            //
    std::string localLanguageName; // "Hindi", "Tamil" or the host's name

    // Beside the settings object.
    std::string languageCode;    // first three characters of localFontFace
    std::string appDataPath;     // no trailing backslash
    std::string appUserDataPath; // as the common services report it
    std::string appPathCopy;     // no trailing backslash

    // The load-time steps, in order.
    void Load();
};

// The settings, created and loaded on first use.
const CQVLangSettings& GetLangSettings();

// The local language name as the Templates page may correct it.
void SetLocalLanguageName(const std::string& name);

} // namespace qv::frame
