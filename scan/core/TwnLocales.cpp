#include "scan/core/TwnLocales.h"

#include <array>

namespace twn {
namespace {

#define TWN_COUNTRY_CODE(name, code) std::uint16_t(code),
constexpr std::uint16_t kCountryCodes[] = {TWN_COUNTRIES(TWN_COUNTRY_CODE)};
#undef TWN_COUNTRY_CODE

#define TWN_COUNT_ONE(...) +1
constexpr int kLanguages = 0 TWN_LANGUAGES(TWN_COUNT_ONE);
#undef TWN_COUNT_ONE

}  // namespace

const int kLanguageCount = kLanguages;
const int kCountryCount = int(std::size(kCountryCodes));

std::uint16_t LanguageCode(TzavLanguage language) {
    // USERLOCALE is -1, which travels as the 16-bit pattern 0xFFFF.
    return std::uint16_t(static_cast<std::int32_t>(language) - 1);
}

TzavLanguage LanguageOfCode(std::uint16_t code) {
    // The code is signed on the wire: 0xFFFF is USERLOCALE.
    const int ordinal = int(std::int16_t(code)) + 1;
    if (ordinal < 0 || ordinal >= kLanguages) return TzavLanguage::ENGLISH_INTL;
    return static_cast<TzavLanguage>(ordinal);
}

std::uint16_t CountryCode(TzavCountry country) {
    const auto ordinal = static_cast<std::size_t>(country);
    return ordinal < std::size(kCountryCodes) ? kCountryCodes[ordinal] : kCountryCodes[int(TzavCountry::UNITEDKINGDOM)];
}

TzavCountry CountryOfCode(std::uint16_t code) {
    for (std::size_t i = 0; i < std::size(kCountryCodes); ++i)
        if (kCountryCodes[i] == code) return static_cast<TzavCountry>(i);
    return TzavCountry::UNITEDKINGDOM;
}

}  // namespace twn
