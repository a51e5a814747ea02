// The one way the program makes a DIB section it draws into and reads back.
#pragma once
#include <cstdint>

#include "classlib/win/GdiHandle.h"
#include "classlib/win/Win32.h"

// A top-down DIB section of width x height pixels of bitsPerPixel bits (24 or 32): the first row in memory is the
// top one, each row DibRowBytes(width, bitsPerPixel) bytes long. bits receives the pixels. An empty handle, with
// bits null and the system's last error kept, when the section cannot be made: whether that is an error is the
// caller's to decide.
TGdiHandle<HBITMAP> CreateTopDownDibSection(std::int32_t width, std::int32_t height, WORD bitsPerPixel, void*& bits);
