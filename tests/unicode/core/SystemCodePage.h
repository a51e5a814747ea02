// Test helper: makes code page 0 mean a chosen code page (1251 or 1252, the class library's built-in tables)
// for the life of the object, also where a system conversion is installed.
#pragma once
#include <cstdint>

class TCodePageBackend;

namespace unitest {

class ScopedSystemCodePage {
public:
    explicit ScopedSystemCodePage(std::uint32_t codePage);
    ~ScopedSystemCodePage();
    ScopedSystemCodePage(const ScopedSystemCodePage&) = delete;
    ScopedSystemCodePage& operator=(const ScopedSystemCodePage&) = delete;

private:
    TCodePageBackend* backend_;
    std::uint32_t previous_;
};

}  // namespace unitest
