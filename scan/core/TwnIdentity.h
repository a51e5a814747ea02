// The TWAIN identity records: the application's own, filled when the component is made, and the text fields of
// identities a source manager hands back, which are read without trusting their terminators.
#pragma once
#include <string>

#include "scan/core/TwnLocales.h"
#include "scan/core/TwnProtocol.h"

namespace twn {

// The texts of the application identity that the component's properties set.
struct TTwnAppNames {
    std::string Manufacturer = "Zavworks";
    std::string ProductFamily = "TWAIN Toolkit";
    std::string ProductName = "TWAIN Toolkit";
    TzavLanguage Language = TzavLanguage::ENGLISH_INTL;
    TzavCountry Country = TzavCountry::UNITEDKINGDOM;
};

// Version 3.0, the language and country codes, "Zavworks, TWAIN Toolkit", protocol 1.9, groups DG_CONTROL and
// DG_IMAGE, and the three names; Id 0, which the source manager assigns.
TW_IDENTITY AppIdentity(const TTwnAppNames& names);
// Copies at most 32 characters and a terminating zero; the rest of the field is zero.
void SetIdentityText(TW_STR32& field, const std::string& text);
// The text of a field, up to its first zero or its 34 bytes, whichever comes first.
std::string IdentityText(const TW_STR32& field);
// The source's protocol as the component compares it: major x 10 + minor (19 for 1.9).
int ProtocolNumber(const TW_IDENTITY& identity);

}  // namespace twn
