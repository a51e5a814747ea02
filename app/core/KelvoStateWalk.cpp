#include "app/core/KelvoStateWalk.h"

#include "app/core/IKelvoStatefulComponent.h"
#include "app/core/TKelvoSDFReader.h"
#include "app/core/TKelvoSDFWriter.h"
#include "classlib/core/Stream.h"
#include "classlib/core/TComponent.h"
#include "unicode/core/WidePaths.h"

namespace {

// The components are looked up by index on every step, so one created during the walk (a module made by
// another's Initialize) takes part and one freed meanwhile is never reached.
template <class Step>
void ForEachStateful(TComponent& owner, Step step) {
    for (int i = 0; i < owner.ComponentCount(); ++i) {
        if (auto* stateful = dynamic_cast<IKelvoStatefulComponent*>(owner.Components(i))) step(*stateful);
    }
}

template <class Call>
void Guarded(Call call, TKelvoMethod report) {
    try {
        call();
    } catch (...) {
        if (report) report();
    }
}

}  // namespace

void LoadComponentStates(TComponent& owner, TKelvoSDFReader* reader, TKelvoMethod report) {
    ForEachStateful(owner, [&](IKelvoStatefulComponent& c) {
        if (reader) {
            try {
                c.LoadState(*reader);
            } catch (...) {
                // A damaged or unexpected node only costs this component its saved settings.
            }
            reader->Reset();
        }
        Guarded([&] { c.Initialize(); }, report);
    });
    ForEachStateful(owner, [&](IKelvoStatefulComponent& c) { Guarded([&] { c.Start(); }, report); });
}

void SaveComponentStates(TComponent& owner, TMemoryStream& stream, TKelvoMethod report) {
    ForEachStateful(owner, [&](IKelvoStatefulComponent& c) {
        const std::int64_t start = stream.Position();
        try {
            TKelvoSDFWriter writer(&stream);
            c.SaveState(writer);
        } catch (...) {
            stream.SetSize(start);
            stream.SetPosition(start);
            if (report) report();
        }
    });
}

WideString ComposeStateFileName(const WideString& programPath, const WideString& appDataFolder) {
    if (appDataFolder.empty()) return uni::ReplaceFileExtW(programPath, u".cfg");
    const WideString name = uni::ReplaceFileExtW(uni::FileNameOfW(programPath), u"");
    return uni::AddTrailingBackslashW(appDataFolder) + name + u"\\" + name + u".cfg";
}
