#include "frame/lang_settings.h"

#include "frame/host_link.h"
#include "frame/localize.h"
#include "frame/siblings.h"
#include "qvcore/text.h"
#include "qvssd/records.h"

#include <cstdlib>
#include <strings.h>

namespace qv::frame {
namespace {

CQVLangSettings& MutableSettings() {
    static CQVLangSettings settings = [] {
        CQVLangSettings s;
        s.Load();
        return s;
    }();
    return settings;
}

} // namespace

CQVLangSettings::CQVLangSettings() = default;
CQVLangSettings::~CQVLangSettings() = default;

void CQVLangSettings::Load() {
    using core::StripTrailingBackslash;
    // 1. Folders from the common services library.
    CommonServices common;
    appPath = StripTrailingBackslash(common.AppPath(QVCOM_APPPATH_APPLICATION));
    sysPath = StripTrailingBackslash(common.SysDirectory());
    tempPath = StripTrailingBackslash(common.TempPath());
    // 2. The string libraries beside the application.
    englishDialogLib = appPath + "\\QVSSDSE.dll";
    localDialogLib = appPath + "\\QVSSDSL.dll";
    englishCommonLib = appPath + "\\QVComnSE.dll";
    localCommonLib = appPath + "\\QVComnSL.dll";
    // 3. The English dialog font.
    englishFontFace = LoadStringFromLibrary(englishDialogLib, 20000);
    englishFontSize = std::atoi(LoadStringFromLibrary(englishDialogLib, 20001).c_str());
    // 4. The host's menu language.
    menuLanguage = static_cast<uint8_t>(HostMenuLanguage());
    // 5. The local font and language from the host API.
    QVDlgLanguageInfo info{};
    info.selector = 255;
    info.reserved = 0xFFFF;
    GetDlgLanguageInfo(&info);
    // 6. Application data folders.
    appDataPath = StripTrailingBackslash(common.AppDataPath());
    appUserDataPath = common.AppUserDataPath();
    appPathCopy = StripTrailingBackslash(common.AppPath(QVCOM_APPPATH_APPLICATION));
    // 7. What the host reported.
    if (info.selector <= 2) {
        localFontFace = QVStringGet(&info.fontFace);
        localFontSize = info.fontSize;
        if (info.selector == 0) {
            localLanguageName = QVStringGet(&info.languageName);
        }
        languageCode = localFontFace.substr(0, 3);
    }
    // 8. The language name when the host gave none.
    if (info.selector != 0) {
        localLanguageName = strcasecmp(languageCode.c_str(), "HIN") == 0 ? "Hindi" : "Tamil";
    }
    QVStringClear(&info.fontFace);
    QVStringClear(&info.languageName);
    QVStringClear(&info.thirdText);
    // 9. The libraries are freed as their wrappers end.
}

const CQVLangSettings& GetLangSettings() {
    return MutableSettings();
}

void SetLocalLanguageName(const std::string& name) {
    MutableSettings().localLanguageName = name;
}

} // namespace qv::frame
