#include "frame/app.h"

#include "framework/module.h"

namespace qv::frame {

CQVSSDApp::CQVSSDApp() = default;

} // namespace qv::frame

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        qv::fw::SetOwnModule(instance);
        DisableThreadLibraryCalls(instance);
        static qv::frame::CQVSSDApp app;
    }
    return TRUE;
}
