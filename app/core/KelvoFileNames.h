// File-name helpers of the editor, on the class library's (8-bit) and the Unicode layer's (wide) path
// splitters, which share their delimiters: a folder part ends at the last '\' or ':'.
#pragma once
#include "classlib/core/Types.h"

// The file-name part of a path without its last "." and what follows.
AnsiString ExtractFileNameWithoutExt(const AnsiString& path);
WideString ExtractFileNameWithoutExt(const WideString& path);
