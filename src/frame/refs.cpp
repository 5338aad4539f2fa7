#include "frame/refs.h"

#include "frame/host_link.h"
#include "frame/lang_settings.h"
#include "frame/localize.h"
#include "frame/msgbox.h"
#include "framework/library.h"
#include "framework/module.h"

namespace qv::frame {

std::string LocalLocaleStringsPath() {
    const std::string& folder = GetLangSettings().appPath;
    return folder.empty() ? std::string("QVSSMSL.dll") : folder + "\\QVSSMSL.dll";
}

std::string EditionSwitch() {
    const std::string& folder = GetLangSettings().appPath;
    const std::string path = folder.empty() ? std::string("QVSSMSE.dll") : folder + "\\QVSSMSE.dll";
    return LoadStringFromLibrary(path, kEditionSwitchString).substr(0, 4);
}

core::LocalAlphabet LoadMenuAlphabet() {
    fw::Library library = fw::Library::ForResources(LocalLocaleStringsPath().c_str());
    if (!library) {
        QVMsgBox(1180, kOneButton);
        return {};
    }
    HMODULE module = library.get();
    return core::LoadLocalAlphabet(
        [module](unsigned id) { return fw::LoadStringFrom(module, id); });
}

const core::LocalAlphabet* MenuRefConverter::Alphabet() {
    if (!IsLocalMenu()) {
        return nullptr;
    }
    if (!alphabet_) {
        alphabet_ = LoadMenuAlphabet();
    }
    return &*alphabet_;
}

std::string MenuRefConverter::ToShown(std::string_view a1) {
    const core::LocalAlphabet* alphabet = a1.empty() ? nullptr : Alphabet();
    if (alphabet == nullptr) {
        return std::string(a1);
    }
    return core::ConvertRefList(a1, core::kRefToLocal, *alphabet);
}

std::string MenuRefConverter::FromShown(std::string_view shown) {
    const core::LocalAlphabet* alphabet = shown.empty() ? nullptr : Alphabet();
    if (alphabet == nullptr) {
        return std::string(shown);
    }
    return core::ConvertRefList(shown, core::kRefFromLocal, *alphabet);
}

bool IsCellOrRangeRef(std::string_view text) {
    return core::IsCellRef(text) || core::IsRangeRef(text);
}

} // namespace qv::frame
