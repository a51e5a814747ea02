// Basic types of the class library.
#pragma once
#include <cstdint>
#include <string>

// Text in the system ANSI code page (or UTF-8 where a caller says so).
using AnsiString = std::string;
// UTF-16 text. Never wchar_t in platform-free code: it is 32 bits wide on Linux.
using WideString = std::u16string;
using WideChar = char16_t;
using Byte = std::uint8_t;
