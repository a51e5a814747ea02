// Whole-file reads and replacing writes by wide name, for the state file, the language files and saved images.
#pragma once
#include <cstddef>
#include <functional>

#include "classlib/core/Types.h"
#include "classlib/win/Win32.h"

namespace kelvo {

// The whole content of an existing file, read through the Unicode file layer. False (bytes untouched) when
// the file does not exist, cannot be read, or is larger than maxBytes.
bool ReadFileBytes(const WideString& name, AnsiString& bytes, std::size_t maxBytes);

// Makes data the content of the file name, creating its folder with every missing parent. The bytes go to a
// temporary file beside it first, which then takes the old file's place in one step: a failure on the way (a
// full disk, a folder that cannot be made, a file held open by another program) leaves the old file as it
// was and gives false.
bool ReplaceFileContent(const WideString& name, const void* data, std::size_t size);

// Makes the file name whatever write puts into the temporary file it is given (beside name, in a folder that
// must exist). Only when write gives true does the temporary take the old file's place, in one step; a write
// that fails part-way leaves the old file as it was. No temporary is left behind either way.
bool ReplaceFileBy(const WideString& name, const std::function<bool(const WideString& temporary)>& write);

// The per-user application data folder (CSIDL_APPDATA), or empty when the system names none.
WideString ApplicationDataFolder(HWND owner);

}  // namespace kelvo
