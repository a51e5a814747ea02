// Entry point that the host image editor calls for every selector.
#include <windows.h>
#include <cstdint>

extern "C" __declspec(dllexport) void ENTRYPOINT(int16_t selector, void* filterRecord, intptr_t* data,
                                                 int16_t* result) {
    if (result) *result = 0;
}

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) {
    return TRUE;
}
