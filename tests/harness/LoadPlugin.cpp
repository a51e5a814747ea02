// Loads the filter plug-in the way a host does and checks that it exports its entry point.
#include <windows.h>
#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: harness_load_plugin PLUGIN\n");
        return 2;
    }
    HMODULE module = LoadLibraryA(argv[1]);
    if (!module) {
        std::fprintf(stderr, "cannot load %s: error %lu\n", argv[1], GetLastError());
        return 1;
    }
    FARPROC entry = GetProcAddress(module, "ENTRYPOINT");
    const bool ok = entry != nullptr;
    if (!ok) std::fprintf(stderr, "ENTRYPOINT is not exported\n");
    if (!FreeLibrary(module)) {
        std::fprintf(stderr, "FreeLibrary failed\n");
        return 1;
    }
    return ok ? 0 : 1;
}
