// What ReadGraphicsFile gives of a file, for the image-file tests.
#pragma once
#include <string>

#include "app/win/KelvoGraphicsIO.h"
#include "support/TestSupport.h"

namespace pixeltest {

struct Loaded {
    TKelvoLTBitmap Working;
    TKelvoProperties Properties;
    TKelvoResolution Resolution;
    std::int32_t FormatId = -99;
    bool Read(const std::string& path) {
        return ReadGraphicsFile(testsupport::Wide(path), Working, Properties, Resolution, FormatId);
    }
};

}  // namespace pixeltest
