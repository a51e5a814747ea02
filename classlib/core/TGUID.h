// 128-bit identifiers of interfaces and stored components, written "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}".
#pragma once
#include <array>
#include <cstdint>

#include "classlib/core/Exceptions.h"
#include "classlib/core/Types.h"

struct TGUID {
    std::uint32_t D1 = 0;
    std::uint16_t D2 = 0;
    std::uint16_t D3 = 0;
    std::array<std::uint8_t, 8> D4{};

    friend constexpr bool operator==(const TGUID&, const TGUID&) = default;

    // Parses the braced form at compile time: static constexpr TGUID IID = TGUID::Parse("{...}");
    // a malformed literal does not compile (and raises EConvertError at run time).
    static constexpr TGUID Parse(const char* text) {
        TGUID g;
        if (!TryParseChars(text, g)) RaiseBadGuid(text);
        return g;
    }
    // Reads the braced form (hex digits in either case); false for anything else.
    static constexpr bool TryParseChars(const char* s, TGUID& out) {
        // Layout of the 38 characters: '{' 8 '-' 4 '-' 4 '-' 4 '-' 12 '}'.
        int len = 0;
        while (s[len] != '\0') {
            if (++len > 38) return false;
        }
        if (len != 38 || s[0] != '{' || s[37] != '}' || s[9] != '-' || s[14] != '-' || s[19] != '-' || s[24] != '-')
            return false;
        auto hex = [](char c) -> int {
            if (c >= '0' && c <= '9') return c - '0';
            if (c >= 'a' && c <= 'f') return c - 'a' + 10;
            if (c >= 'A' && c <= 'F') return c - 'A' + 10;
            return -1;
        };
        std::uint64_t acc = 0;
        auto field = [&](int from, int digits) -> bool {
            acc = 0;
            for (int i = 0; i < digits; ++i) {
                int v = hex(s[from + i]);
                if (v < 0) return false;
                acc = acc * 16 + std::uint64_t(v);
            }
            return true;
        };
        TGUID g;
        if (!field(1, 8)) return false;
        g.D1 = std::uint32_t(acc);
        if (!field(10, 4)) return false;
        g.D2 = std::uint16_t(acc);
        if (!field(15, 4)) return false;
        g.D3 = std::uint16_t(acc);
        if (!field(20, 4)) return false;
        g.D4[0] = std::uint8_t(acc >> 8);
        g.D4[1] = std::uint8_t(acc);
        for (int i = 0; i < 6; ++i) {
            if (!field(25 + 2 * i, 2)) return false;
            g.D4[2 + i] = std::uint8_t(acc);
        }
        out = g;
        return true;
    }

    // The 16 bytes as stored in memory on the target: D1, D2, D3 little-endian, then D4.
    std::array<std::uint8_t, 16> ToBytes() const;
    static TGUID FromBytes(const std::uint8_t* bytes);

    [[noreturn]] static void RaiseBadGuid(const char* text);
};

// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" with upper-case hex digits.
AnsiString GUIDToString(const TGUID& guid);
// Parses the braced form; raises EConvertError "'%s' is not a valid GUID value" otherwise.
TGUID StringToGUID(const AnsiString& text);
bool TryStringToGUID(const AnsiString& text, TGUID& guid);
