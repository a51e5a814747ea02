#include "scan/core/TwnIdentity.h"

#include <algorithm>
#include <cstring>

namespace twn {

void SetIdentityText(TW_STR32& field, const std::string& text) {
    std::memset(field, 0, sizeof field);
    std::memcpy(field, text.data(), std::min<std::size_t>(text.size(), 32));
}

std::string IdentityText(const TW_STR32& field) {
    std::size_t n = 0;
    while (n < sizeof field && field[n] != 0) ++n;
    return std::string(field, n);
}

TW_IDENTITY AppIdentity(const TTwnAppNames& names) {
    TW_IDENTITY id;
    std::memset(&id, 0, sizeof id);
    id.Version.MajorNum = 3;
    id.Version.MinorNum = 0;
    id.Version.Language = LanguageCode(names.Language);
    id.Version.Country = CountryCode(names.Country);
    SetIdentityText(id.Version.Info, "Zavworks, TWAIN Toolkit");
    id.ProtocolMajor = 1;
    id.ProtocolMinor = 9;
    id.SupportedGroups = kTwnSupportedGroups;
    SetIdentityText(id.Manufacturer, names.Manufacturer);
    SetIdentityText(id.ProductFamily, names.ProductFamily);
    SetIdentityText(id.ProductName, names.ProductName);
    return id;
}

int ProtocolNumber(const TW_IDENTITY& identity) { return identity.ProtocolMajor * 10 + identity.ProtocolMinor; }

}  // namespace twn
