// The walks over the application's top-level components that restore them from the state file at start
// and save them into it at the end, and where that file lives.
#pragma once
#include "app/core/TKelvoMethodList.h"
#include "classlib/core/Types.h"

class TComponent;
class TKelvoSDFReader;
class TMemoryStream;

// Over the components of owner that implement IKelvoStatefulComponent, in component order: LoadState (only
// with a reader), then Initialize; then, once all are initialised, Start on each. An error of LoadState is
// dropped: the component keeps its defaults, and the reader goes back to the root whatever the component
// left open, so every later component still finds its node. An error of Initialize or Start goes to report
// (called inside the handler) and the walk goes on.
void LoadComponentStates(TComponent& owner, TKelvoSDFReader* reader, TKelvoMethod report);

// Appends the SaveState output of each such component to stream, in component order. When a SaveState
// raises, report runs and what that component had written is cut off again, so the stream stays a sequence
// of whole nodes.
void SaveComponentStates(TComponent& owner, TMemoryStream& stream, TKelvoMethod report);

// The state file of the program at programPath: inside the per-user application data folder (empty when
// there is none) a folder named after the program holding <name>.cfg; without that folder, the program's own
// path with the extension ".cfg". C:\P\Tool.exe keeps its state in <appdata>\Tool\Tool.cfg or C:\P\Tool.cfg.
WideString ComposeStateFileName(const WideString& programPath, const WideString& appDataFolder);
