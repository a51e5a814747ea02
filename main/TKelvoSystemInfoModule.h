// The operating system's version, read once the program's modules are initialised.
#pragma once
#include "app/win/TKelvoModule.h"
#include "classlib/win/Win32.h"

class TKelvoSystemInfoModule : public TKelvoModule {
    CLASSLIB_COMPONENT(TKelvoSystemInfoModule, TKelvoModule)

    explicit TKelvoSystemInfoModule(TComponent* owner) : TKelvoModule(owner) {}

    // Inherited, then the version record.
    void Initialize() override;
    const OSVERSIONINFOA& VersionInfo() const { return versionInfo_; }

private:
    OSVERSIONINFOA versionInfo_{};
};
