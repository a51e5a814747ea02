#include "demo/core/IKelvoLanguageIds.h"

#include <atomic>

IKelvoLanguageIds::~IKelvoLanguageIds() = default;

namespace kelvodemo {

namespace {

// Set at start-up and read by the user-interface thread; atomics keep a late registration well defined.
std::atomic<const IKelvoLanguageIds*> gLanguageIds{nullptr};
std::atomic<TCodePageOfLanguage> gCodePageOfLanguage{nullptr};

}  // namespace

void SetLanguageIds(const IKelvoLanguageIds* ids) { gLanguageIds = ids; }

const IKelvoLanguageIds* GetLanguageIds() { return gLanguageIds; }

std::uint16_t CurrentLanguageId() {
    const IKelvoLanguageIds* ids = gLanguageIds;
    return ids ? ids->GetCurrentLanguageId() : 0;
}

std::uint16_t BaseLanguageId() {
    const IKelvoLanguageIds* ids = gLanguageIds;
    return ids ? ids->GetBaseLanguageId() : 0;
}

void SetCodePageOfLanguage(TCodePageOfLanguage function) { gCodePageOfLanguage = function; }

std::uint32_t CodePageOfLanguage(std::uint16_t languageId) {
    const TCodePageOfLanguage function = gCodePageOfLanguage;
    return function ? function(languageId) : 0;
}

}  // namespace kelvodemo
