#include "plugin/win/THostFilter.h"
#include "classlib/win/WideChars.h"

#include <windows.h>

using namespace hostfilter;

namespace {
THostFilter* instance = nullptr;
}

THostFilter::THostFilter(std::u16string aboutText, std::u16string aboutCaption)
    : aboutText_(std::move(aboutText)), aboutCaption_(std::move(aboutCaption)) {
    instance = this;
}

THostFilter::~THostFilter() {
    if (instance == this) instance = nullptr;
}

THostFilter* THostFilter::Instance() { return instance; }

std::int16_t THostFilter::About(const TAboutRecord* about) {
    // A host that passes no record or no platform data gets a box without an owner.
    const TPlatformData* platform = about != nullptr ? about->platformData : nullptr;
    ShowAbout(platform != nullptr ? platform->hwnd : nullptr);
    return NoError;
}

std::int16_t THostFilter::Parameters() { return NoError; }
std::int16_t THostFilter::Prepare() { return NoError; }
std::int16_t THostFilter::Start(TFilterRecord*) { return NoError; }
std::int16_t THostFilter::Continue() { return NoError; }
std::int16_t THostFilter::Finish() { return NoError; }

void THostFilter::ShowAbout(void* owner) {
    MessageBoxW(static_cast<HWND>(owner), WideCStr(aboutText_), WideCStr(aboutCaption_), MB_OK);
}

std::int16_t THostFilter::Dispatch(std::int16_t selector, void* paramBlock) {
    switch (selector) {
        case SelectorAbout: return About(static_cast<const TAboutRecord*>(paramBlock));
        case SelectorParameters: return Parameters();
        case SelectorPrepare: return Prepare();
        case SelectorStart: return Start(static_cast<TFilterRecord*>(paramBlock));
        case SelectorContinue: return Continue();
        case SelectorFinish: return Finish();
        default: return BadParameters;
    }
}
