// The scanner component's event types. A parameter passed by reference is one the handler may change.
#pragma once
#include <cstdint>
#include <string>

#include "classlib/core/Exceptions.h"
#include "classlib/core/Method.h"
#include "classlib/core/TVariant.h"
#include "scan/core/TwnSettings.h"

// pBmp: the bits; pBmpInfo: the bitmap info, valid only during the event; hImage: the image handle, the handler's
// from then on; FilePath: the file a file transfer wrote.
using TImageEvent =
    Method<void(TObject* sender, void* pBmp, void* pBmpInfo, std::uintptr_t hImage, const std::string& FilePath)>;
using TMemXferSizeEvent =
    Method<void(TObject* sender, std::int32_t MinSize, std::int32_t MaxSize, std::int32_t& BufSize, void* pBmpInfo)>;
using TMemXferBufEvent = Method<void(TObject* sender, void* pBmpInfo, std::int32_t BytesPerRow, std::int32_t Rows,
                                     std::int32_t DataSize, void*& pData)>;
using TXferNextEvent = Method<void(TObject* sender, std::int32_t& NumImages, bool& SkipNext)>;
using TFailureEvent = Method<void(TObject* sender, std::int32_t DG, std::uint16_t DAT, std::uint16_t CAP,
                                  std::uint16_t MSG, std::int32_t Error, std::int32_t Status)>;
using TDeviceEvent = Method<void(TObject* sender, TTwnDeviceEvent Event, const std::string& DeviceName,
                                 const TVariant& A, const TVariant& B, const TVariant& C)>;
using TOnDeviceNotReady = Method<void(TObject* sender, bool& DoOpenSource)>;
using TOnNegotiate = Method<void(TObject* sender, bool& CancelScan)>;
using TProgressEvent = Method<void(TObject* sender, std::uint16_t Percent)>;
// The TWAIN state (1..7) the connection thread recorded.
using TStateChangeEvent = Method<void(TObject* sender, int State)>;

// Raised by enabling a source when no handler could take the images.
class EImageReadyError : public Exception {
public:
    using Exception::Exception;
};
