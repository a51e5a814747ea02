// What the demonstration scripts need from the localizer: the current and the base language id, and the ANSI code
// page in which a language's 8-bit texts are written. The localizer registers itself here when it exists; until
// then both ids are 0 and every language uses the system ANSI code page.
#pragma once
#include <cstdint>

class IKelvoLanguageIds {
public:
    virtual ~IKelvoLanguageIds();
    virtual std::uint16_t GetCurrentLanguageId() const = 0;
    virtual std::uint16_t GetBaseLanguageId() const = 0;
};

namespace kelvodemo {

// The provider the scripts ask (not owned; nullptr removes it).
void SetLanguageIds(const IKelvoLanguageIds* ids);
const IKelvoLanguageIds* GetLanguageIds();
std::uint16_t CurrentLanguageId();
std::uint16_t BaseLanguageId();

// The ANSI code page of a language id (the system's locale table in the Windows build); nullptr restores the
// default, which answers 0 (the system ANSI code page) for every language.
using TCodePageOfLanguage = std::uint32_t (*)(std::uint16_t languageId);
void SetCodePageOfLanguage(TCodePageOfLanguage function);
std::uint32_t CodePageOfLanguage(std::uint16_t languageId);

}  // namespace kelvodemo
