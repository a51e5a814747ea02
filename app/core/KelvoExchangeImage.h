// The program's reader and writer of the exchange file over the file's bytes (the Windows side maps the
// file and calls these). The format and its checks are in KelvoExchangeFormat.h.
#pragma once
#include <cstdint>
#include <vector>

#include "app/core/KelvoExchangeFormat.h"
#include "app/core/TKelvoPixelBuffer.h"

// True when the size bytes at file are an exchange file of image mode 3 whose header checks out; working
// then holds its width x height pixels in 24-bit blue, green, red (the first three bytes of each pixel,
// whatever the plane count). When exifJpeg is given it receives the EXIF trailer wrapped as a JPEG, or
// nothing when the file has none. False leaves working and exifJpeg as they were.
bool ReadExchangeImage(const std::uint8_t* file, std::uint64_t size, TKelvoPixelBuffer& working,
                       std::vector<std::uint8_t>* exifJpeg);

// The header the program writes for working (24-bit): mode 3, at (0, 0), the working size, its stride as
// row bytes and 3 planes.
exchange::THeader ExchangeHeaderFor(const TKelvoPixels& working);

// Bytes of the exchange file for that header: 36 + row bytes x height.
std::uint64_t ExchangeFileSize(const exchange::THeader& header);

// Writes the magic, ExchangeHeaderFor(working) and the rows into file, which holds ExchangeFileSize bytes.
void WriteExchangeImage(const TKelvoPixels& working, std::uint8_t* file);
