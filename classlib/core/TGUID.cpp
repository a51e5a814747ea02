#include "classlib/core/TGUID.h"

std::array<std::uint8_t, 16> TGUID::ToBytes() const {
    std::array<std::uint8_t, 16> b{};
    for (int i = 0; i < 4; ++i) b[i] = std::uint8_t(D1 >> (8 * i));
    b[4] = std::uint8_t(D2);
    b[5] = std::uint8_t(D2 >> 8);
    b[6] = std::uint8_t(D3);
    b[7] = std::uint8_t(D3 >> 8);
    for (int i = 0; i < 8; ++i) b[8 + i] = D4[i];
    return b;
}

TGUID TGUID::FromBytes(const std::uint8_t* b) {
    TGUID g;
    g.D1 = std::uint32_t(b[0]) | std::uint32_t(b[1]) << 8 | std::uint32_t(b[2]) << 16 | std::uint32_t(b[3]) << 24;
    g.D2 = std::uint16_t(b[4] | b[5] << 8);
    g.D3 = std::uint16_t(b[6] | b[7] << 8);
    for (int i = 0; i < 8; ++i) g.D4[i] = b[8 + i];
    return g;
}

void TGUID::RaiseBadGuid(const char* text) {
    throw EConvertError("'" + AnsiString(text ? text : "") + "' is not a valid GUID value");
}

AnsiString GUIDToString(const TGUID& g) {
    static const char digits[] = "0123456789ABCDEF";
    AnsiString s;
    s.reserve(38);
    auto put = [&](std::uint64_t v, int n) {
        for (int i = n - 1; i >= 0; --i) s += digits[(v >> (4 * i)) & 15];
    };
    s += '{';
    put(g.D1, 8);
    s += '-';
    put(g.D2, 4);
    s += '-';
    put(g.D3, 4);
    s += '-';
    put(g.D4[0], 2);
    put(g.D4[1], 2);
    s += '-';
    for (int i = 2; i < 8; ++i) put(g.D4[i], 2);
    s += '}';
    return s;
}

bool TryStringToGUID(const AnsiString& text, TGUID& guid) {
    // An embedded NUL would end the parse early and accept a prefix: refuse it.
    if (text.find('\0') != AnsiString::npos) return false;
    return TGUID::TryParseChars(text.c_str(), guid);
}

TGUID StringToGUID(const AnsiString& text) {
    TGUID g;
    if (!TryStringToGUID(text, g)) TGUID::RaiseBadGuid(text.c_str());
    return g;
}
