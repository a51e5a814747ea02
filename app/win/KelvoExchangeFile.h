// The program's reader and writer of the exchange file on disk, over the file mapping.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "app/core/TKelvoPixelBuffer.h"

// True when fileName is an exchange file of image mode 3 and was read into working (see
// ReadExchangeImage). A file that does not exist is not created: it is simply not an exchange file. Only
// the header is mapped until it has been checked, so probing a large image file costs little.
bool ReadExchangeFile(const std::u16string& fileName, TKelvoPixelBuffer& working, std::vector<std::uint8_t>* exifJpeg);

// Sets the file's length to 36 + stride x height of working (24-bit) and writes the exchange image into
// it. False when the file could not be sized or mapped.
bool WriteExchangeFile(const std::u16string& fileName, const TKelvoPixels& working);
