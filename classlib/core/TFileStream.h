// A stream over a named file, opened or created by the constructor and closed by the destructor.
#pragma once
#include <cstdint>

#include "classlib/core/THandleStream.h"

// File modes: the access in the low two bits, the sharing in mode / 16; fmCreate creates (or empties)
// the file for reading and writing.
inline constexpr std::uint16_t fmCreate = 0xFFFF;
inline constexpr std::uint16_t fmOpenRead = 0x0000;
inline constexpr std::uint16_t fmOpenWrite = 0x0001;
inline constexpr std::uint16_t fmOpenReadWrite = 0x0002;
inline constexpr std::uint16_t fmShareCompat = 0x0000;
inline constexpr std::uint16_t fmShareExclusive = 0x0010;
inline constexpr std::uint16_t fmShareDenyWrite = 0x0020;
inline constexpr std::uint16_t fmShareDenyRead = 0x0030;
inline constexpr std::uint16_t fmShareDenyNone = 0x0040;

class TFileStream : public THandleStream {
public:
    // Raises EFCreateError "Cannot create file "<full name>". <system text>" or
    // EFOpenError "Cannot open file "<full name>". <system text>". A mode with access 3 or a sharing
    // above deny-none is refused with EFOpenError before the system is asked.
    TFileStream(const AnsiString& fileName, std::uint16_t mode);
    ~TFileStream() override;
    TFileStream(const TFileStream&) = delete;
    TFileStream& operator=(const TFileStream&) = delete;

    const AnsiString& FileName() const { return fileName_; }

private:
    AnsiString fileName_;
};
