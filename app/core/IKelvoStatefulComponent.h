// What the application object asks of every top-level module, form and frame: restore itself from the
// state file, initialise, start, and save itself again at the end of the run. Implemented by components,
// whose reference counting is inert: nothing is ever freed through this interface.
#pragma once
#include "classlib/core/TGUID.h"

class TKelvoSDFReader;
class TKelvoSDFWriter;

class IKelvoStatefulComponent {
public:
    static constexpr TGUID IID = TGUID::Parse("{8E85B1DA-44F0-4B60-B45D-21D0EBC05E33}");

    virtual void Initialize() = 0;
    // The reader stands at the root of the state file and must be left there: open the component's node,
    // read, close it.
    virtual void LoadState(TKelvoSDFReader& reader) = 0;
    // Writes the component's one node.
    virtual void SaveState(TKelvoSDFWriter& writer) = 0;
    virtual void Start() = 0;

protected:
    ~IKelvoStatefulComponent() = default;
};
