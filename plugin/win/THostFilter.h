// The plug-in's filter object: one per library, reached by the entry point through Instance(). The base
// answers every selector with success and does nothing, except About, which shows the about box.
#pragma once
#include <cstdint>
#include <string>

#include "plugin/core/HostFilterInterface.h"

class THostFilter {
public:
    THostFilter(std::u16string aboutText, std::u16string aboutCaption);
    virtual ~THostFilter();
    THostFilter(const THostFilter&) = delete;
    THostFilter& operator=(const THostFilter&) = delete;

    // The library's filter object, or nullptr while there is none.
    static THostFilter* Instance();

    // The selector operations; each result is what the entry point reports to the host.
    virtual std::int16_t About(const hostfilter::TAboutRecord* about);
    virtual std::int16_t Parameters();
    virtual std::int16_t Prepare();
    virtual std::int16_t Start(hostfilter::TFilterRecord* record);
    virtual std::int16_t Continue();
    virtual std::int16_t Finish();
    // MessageBoxW(owner, AboutText, AboutCaption, MB_OK).
    virtual void ShowAbout(void* owner);
    // Hook run once the object is complete; empty here.
    virtual void Initialize() {}

    // The entry point's dispatch: selectors 0 .. 5 to the operations above, anything else BadParameters.
    std::int16_t Dispatch(std::int16_t selector, void* paramBlock);

    const std::u16string& AboutCaption() const { return aboutCaption_; }
    const std::u16string& AboutText() const { return aboutText_; }

private:
    std::u16string aboutText_;
    std::u16string aboutCaption_ = u"About";
};
