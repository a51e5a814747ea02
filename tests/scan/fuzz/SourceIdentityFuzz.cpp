// An identity record as a source manager hands it back (156 bytes, names not trusted to end), then the rest of the
// input as file names and formats given to the transfer settings. Checks that names are read inside their
// fields, that language and country codes map to members, and that the settings never take a refused format.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "scan/core/TwnIdentity.h"
#include "scan/core/TwnLocales.h"
#include "scan/core/TwnSettings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < sizeof(TW_IDENTITY)) return 0;
    TW_IDENTITY id;
    std::memcpy(&id, data, sizeof id);
    for (const TW_STR32* field : {&id.Version.Info, &id.Manufacturer, &id.ProductFamily, &id.ProductName})
        if (twn::IdentityText(*field).size() > sizeof(TW_STR32)) __builtin_trap();
    const int language = static_cast<int>(twn::LanguageOfCode(id.Version.Language));
    const int country = static_cast<int>(twn::CountryOfCode(id.Version.Country));
    if (language < 0 || language >= twn::kLanguageCount || country < 0 || country >= twn::kCountryCount)
        __builtin_trap();

    twn::TTwnNameSystem system;
    system.FolderExists = [](const std::string& folder) { return folder.size() % 2 == 0; };
    system.TempFileName = [] { return std::string("c:\\temp\\twn1.tmp"); };
    TTwnTransferSettings settings(system);
    // The rest: runs of a format byte and a name up to the next zero byte.
    std::size_t at = sizeof(TW_IDENTITY);
    while (at < size) {
        settings.SetFileFormat(data[at++]);
        const void* zero = at < size ? std::memchr(data + at, 0, size - at) : nullptr;
        const std::size_t end = zero ? std::size_t(static_cast<const std::uint8_t*>(zero) - data) : size;
        settings.SetFilename(std::string(reinterpret_cast<const char*>(data + at), end - at));
        at = end + 1;
        if (settings.FileFormat() == TWFF_PICT || settings.FileFormat() == TWFF_XBM) __builtin_trap();
        for (char c : settings.Filename())
            if (c >= 'A' && c <= 'Z') __builtin_trap();
    }
    return 0;
}
