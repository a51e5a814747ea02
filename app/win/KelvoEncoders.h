// Looks up a GDI+ image encoder by MIME type.
#pragma once
#include <string>

#include "classlib/win/Win32.h"

// The index of the last GDI+ encoder whose MIME type equals mimeType (exactly), with its CLSID; -1 when
// there is none (clsid then untouched).
int GetEncoderClsid(const std::u16string& mimeType, CLSID& clsid);
