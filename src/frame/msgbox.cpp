#include "frame/msgbox.h"

#include "frame/host_link.h"
#include "frame/lang_settings.h"
#include "frame/localize.h"
#include "frame/siblings.h"

#include <string>

namespace qv::frame {
namespace {

const char kCaption[] = "TWcalc";

std::string MessageLibraryPath() {
    return GetLangSettings().appPath +
           (HostMenuLanguage() == kEnglish ? "\\QVMSGSE.dll" : "\\QVMSGSL.dll");
}

int Show(const std::string& text, int buttons, int icon, bool extended) {
    fw::Library boxes(BesideLibrary(QVSSD_DLL_MESSAGEBOX).c_str());
    if (!boxes) {
        return 0;
    }
    std::string library = MessageLibraryPath();
    if (auto setTable = boxes.Proc<SetCommStringTableFileFn>("SetCommStringTableFile")) {
        setTable(library.c_str());
    }
    if (extended) {
        auto box = boxes.Proc<QVMessageBox3Fn>("QVMessageBox3");
        return box != nullptr ? box(text.c_str(), kCaption, nullptr, buttons, icon) : 0;
    }
    auto box = boxes.Proc<QVMessageBox2Fn>("QVMessageBox2");
    return box != nullptr ? box(text.c_str(), kCaption, nullptr, buttons) : 0;
}

} // namespace

int QVMsgBox(UINT messageId, int buttons) {
    return Show(LoadStringFromLibrary(MessageLibraryPath(), messageId), buttons, 0, false);
}

int QVMsgBoxEx(UINT messageId, int buttons, int icon) {
    return Show(LoadStringFromLibrary(MessageLibraryPath(), messageId), buttons, icon, true);
}

int QVMsgBoxText(const char* text, int buttons) {
    return Show(text != nullptr ? text : "", buttons, 0, false);
}

int QVMsgBoxTextEx(const char* text, int buttons, int icon) {
    return Show(text != nullptr ? text : "", buttons, icon, true);
}

} // namespace qv::frame
