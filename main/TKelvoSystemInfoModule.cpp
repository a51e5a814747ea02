#include "main/TKelvoSystemInfoModule.h"

void TKelvoSystemInfoModule::Initialize() {
    TKelvoModule::Initialize();
    versionInfo_ = OSVERSIONINFOA{};
    versionInfo_.dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);  // 148
    ::GetVersionExA(&versionInfo_);
}
