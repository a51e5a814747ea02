// A file stream opened or created by wide file name.
#pragma once
#include <cstdint>

#include "classlib/core/THandleStream.h"
#include "classlib/core/Types.h"

class TUniFileStream : public THandleStream {
public:
    // mode 0xFFFF (fmCreate) creates or empties the file; any other mode opens an existing file with the
    // access and sharing it names (see uni::OpenNamedFileW). Raises EWideFCreateError
    // "Cannot create file "<full name>". <system text>" or EWideFOpenError "Cannot open file ...".
    TUniFileStream(const WideString& fileName, std::uint16_t mode);
    ~TUniFileStream() override;
    TUniFileStream(const TUniFileStream&) = delete;
    TUniFileStream& operator=(const TUniFileStream&) = delete;

    const WideString& FileName() const { return fileName_; }

private:
    WideString fileName_;
};

namespace uni {
// Makes the Unicode layer's string lists open their files through TUniFileStream (wide names).
void InstallWideFileStreams();
}  // namespace uni
