#include "framework/module.h"

#include "framework/text.h"

namespace qv::fw {
namespace {

HINSTANCE g_ownModule = nullptr;
HINSTANCE g_resourceModule = nullptr;

} // namespace

HINSTANCE OwnModule() {
    return g_ownModule != nullptr ? g_ownModule : GetModuleHandleA(nullptr);
}

void SetOwnModule(HINSTANCE module) {
    g_ownModule = module;
}

HINSTANCE ResourceModule() {
    return g_resourceModule != nullptr ? g_resourceModule : OwnModule();
}

ResourceScope::ResourceScope(HINSTANCE module) : previous_(g_resourceModule) {
    g_resourceModule = module;
}

ResourceScope::~ResourceScope() {
    g_resourceModule = previous_;
}

std::string LoadStringFrom(HINSTANCE module, UINT id) {
    if (module == nullptr) {
        return {};
    }
    // A string table entry holds at most 65535 UTF-16 units; read its length
    // first so that no text is cut.
    const wchar_t* raw = nullptr;
    int units = LoadStringW(module, id, reinterpret_cast<LPWSTR>(&raw), 0);
    if (units <= 0) {
        return {};
    }
    return Narrow(std::wstring_view(raw, static_cast<size_t>(units)));
}

std::string LoadResString(UINT id) {
    return LoadStringFrom(ResourceModule(), id);
}

} // namespace qv::fw
