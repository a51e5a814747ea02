// Test helper: makes code page 0 mean a chosen code page for the life of the object.
// Natively only 1251 and 1252 are known (enough for the tests).
#pragma once
#include "unicode/core/CodePages.h"

namespace unitest {

class ScopedSystemCodePage {
public:
    explicit ScopedSystemCodePage(int codePage);
    ~ScopedSystemCodePage();
    ScopedSystemCodePage(const ScopedSystemCodePage&) = delete;
    ScopedSystemCodePage& operator=(const ScopedSystemCodePage&) = delete;

private:
    uni::SystemCodePageConverter previous_;
};

}  // namespace unitest
