// The library's entry point, which the host image editor calls for every selector, and the library's
// one filter object.
#include <windows.h>

#include <cstdint>
#include <memory>

#include "plugin/win/PluginSystem.h"
#include "plugin/win/TExternalHostFilter.h"

namespace {

std::unique_ptr<THostFilter> filter;  // freed when the library is unloaded

// The filter object is made at the first call rather than while the library loads: reading the
// registry under the loader's lock is best avoided, and nothing can be asked of the filter before then.
void StartLibrary() {
    filter = std::make_unique<TExternalHostFilter>(
        ReadProgramPath(),
        u"Vantorel Plug-in\nVersion: 3.14.0\nSends the image to Vantorel and brings the corrected pixels back.",
        u"About Vantorel Plug-in");
    filter->Initialize();
}

}  // namespace

extern "C" __declspec(dllexport) void ENTRYPOINT(std::int16_t selector, void* paramBlock, std::intptr_t* data,
                                                 std::int16_t* result) {
    if (result == nullptr) return;
    *result = hostfilter::BadParameters;
    if (filter == nullptr) StartLibrary();
    THostFilter* instance = THostFilter::Instance();
    if (instance == nullptr) return;
    *result = instance->Dispatch(selector, paramBlock);
}

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
