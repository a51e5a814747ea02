// The binary property-stream format: every value is a type byte followed by its little-endian payload.
// These codes are part of stored data and of what other components read and write: never renumber.
#pragma once
#include <cstdint>

#include "classlib/core/Types.h"

enum TValueType : std::uint8_t {
    vaNull = 0,      // end of a list (of properties, of components, of list items)
    vaList = 1,      // begins a list of values ending with vaNull
    vaInt8 = 2,      // 1-byte signed integer
    vaInt16 = 3,     // 2-byte signed integer
    vaInt32 = 4,     // 4-byte signed integer
    vaExtended = 5,  // 10-byte floating-point number (64-bit mantissa, 15-bit exponent, sign)
    vaString = 6,    // 8-bit string, 1-byte length
    vaIdent = 7,     // identifier, 1-byte length
    vaFalse = 8,
    vaTrue = 9,
    vaBinary = 10,   // 4-byte length, then the bytes
    vaSet = 11,      // identifiers (1-byte length each) up to an empty one
    vaLString = 12,  // 8-bit string, 4-byte length
    vaNil = 13,
    vaCollection = 14,  // collection items, each a list of properties, up to vaNull
    vaWString = 18,     // UTF-16 string, 4-byte length in characters
    vaInt64 = 19,       // 8-byte signed integer
    vaUTF8String = 20,  // UTF-8 string, 4-byte length in bytes
};

// True for the codes above.
bool IsKnownValueType(std::uint8_t code);

// The signature that starts a stream of components.
inline constexpr char FilerSignature[4] = {'T', 'P', 'F', '0'};

// Component header flags: a prefix byte 0xF0 | flags before the class name.
inline constexpr std::uint8_t ffInherited = 0x01;
inline constexpr std::uint8_t ffChildPos = 0x02;
inline constexpr std::uint8_t ffInline = 0x04;

namespace classlib::filer {
// The 10-byte extended format, converted exactly from a double and rounded to nearest when read back
// (values beyond the double range become infinities, as the processor's own conversion does).
void DoubleToExtended(double value, Byte out[10]);
double ExtendedToDouble(const Byte in[10]);
}  // namespace classlib::filer
