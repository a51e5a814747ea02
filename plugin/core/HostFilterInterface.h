// The filter interface that host image editors publish for plug-in DLLs: the records a host hands to the
// entry point, its selectors and result codes, and the property codes of the PiPL resource that describes
// a plug-in. Declared here from the published facts; the test host uses the same declarations, and the
// offsets of the 32-bit and 64-bit layouts are pinned below.
//
// Every callback and the entry point use the C calling convention (the compilers' default for free
// functions on both builds). Platform-free: window handles are plain pointers here.
#pragma once
#include <cstddef>
#include <cstdint>

namespace hostfilter {

using Boolean = std::uint8_t;  // 0 false, anything else true
using Fixed = std::int32_t;    // 16.16 fixed point
using OSType = std::uint32_t;  // four characters, the first in the most significant byte
using Handle = char**;         // points at the pointer to the data block

constexpr OSType FourCC(const char (&c)[5]) {
    return OSType(std::uint8_t(c[0])) << 24 | OSType(std::uint8_t(c[1])) << 16 | OSType(std::uint8_t(c[2])) << 8 |
           OSType(std::uint8_t(c[3]));
}

// Selectors of the entry point.
enum TSelector : std::int16_t {
    SelectorAbout = 0,
    SelectorParameters = 1,
    SelectorPrepare = 2,
    SelectorStart = 3,
    SelectorContinue = 4,
    SelectorFinish = 5,
};

// Result codes a plug-in reports.
constexpr std::int16_t NoError = 0;
constexpr std::int16_t OpenError = -23;         // a file could not be made or opened
constexpr std::int16_t ParamError = -50;        // a callback was given bad parameters
constexpr std::int16_t UserCanceled = -128;     // the user cancelled; the host shows nothing
constexpr std::int16_t BadParameters = -30100;  // parameters unusable (also: unknown selector)
constexpr std::int16_t BadMode = -30101;        // image mode not supported

constexpr std::int16_t ModeRGB = 3;

// Rectangles and points put the vertical coordinate first; bottom and right are exclusive.
struct TRect16 {
    std::int16_t top, left, bottom, right;
};
struct TPoint16 {
    std::int16_t v, h;
};
struct TRGBColor16 {
    std::uint16_t red, green, blue;
};
struct TMonitor {
    Fixed gamma, redX, redY, greenX, greenY, blueX, blueY, whiteX, whiteY, ambient;
};
// What a host means by its parent window: the records carry a pointer to this, never the handle itself.
struct TPlatformData {
    void* hwnd;
};

// The parameter block of the About selector.
struct TAboutRecord {
    TPlatformData* platformData;
    void* basicSuite;
    void* plugInRef;
    std::uint8_t reserved[244];
};

using TAdvanceStateProc = std::int16_t (*)();
using TAbortProc = Boolean (*)();
using TProgressProc = void (*)(std::int32_t done, std::int32_t total);
using THostProc = void (*)(std::int16_t selector, std::intptr_t data);
using TProcessEventProc = void (*)(void* event);
using TDisplayPixelsProc = std::int16_t (*)(const void* source, const void* sourceRect, std::int32_t row,
                                            std::int32_t column, std::intptr_t deviceContext);
using TColorServicesProc = std::int16_t (*)(void* info);
using TGetPropertyProc = std::int16_t (*)(OSType signature, OSType key, std::int32_t index, std::intptr_t* simple,
                                          Handle* complex);

// The parameter block of the selectors Parameters to Finish. Hosts declare it with 4-byte packing, which
// on the 32-bit build is the natural layout and on the 64-bit one leaves pointers at 4-byte offsets.
#pragma pack(push, 4)
struct TFilterRecord {
    std::int32_t serialNumber;
    TAbortProc abortProc;
    TProgressProc progressProc;
    Handle parameters;
    TPoint16 imageSize;
    std::int16_t planes;
    TRect16 filterRect;
    TRGBColor16 background;
    TRGBColor16 foreground;
    std::int32_t maxSpace;
    std::int32_t bufferSpace;
    TRect16 inRect;
    std::int16_t inLoPlane;
    std::int16_t inHiPlane;
    TRect16 outRect;
    std::int16_t outLoPlane;
    std::int16_t outHiPlane;
    void* inData;
    std::int32_t inRowBytes;
    void* outData;
    std::int32_t outRowBytes;
    Boolean isFloating;
    Boolean haveMask;
    Boolean autoMask;
    TRect16 maskRect;
    void* maskData;
    std::int32_t maskRowBytes;
    std::uint8_t backColor[4];
    std::uint8_t foreColor[4];
    OSType hostSig;
    THostProc hostProc;
    std::int16_t imageMode;
    Fixed imageHRes;
    Fixed imageVRes;
    TPoint16 floatCoord;
    TPoint16 wholeSize;
    TMonitor monitor;
    TPlatformData* platformData;
    void* bufferProcs;
    void* resourceProcs;
    TProcessEventProc processEvent;
    TDisplayPixelsProc displayPixels;
    void* handleProcs;
    Boolean supportsDummyChannels;
    Boolean supportsAlternateLayouts;
    std::int16_t wantLayout;
    std::int16_t filterCase;
    std::int16_t dummyPlaneValue;
    void* premiereHook;
    TAdvanceStateProc advanceState;
    Boolean supportsAbsolute;
    Boolean wantsAbsolute;
    TGetPropertyProc getPropertyObsolete;
    Boolean cannotUndo;
    Boolean supportsPadding;
    std::int16_t inputPadding;
    std::int16_t outputPadding;
    std::int16_t maskPadding;
    std::uint8_t samplingSupport;
    std::uint8_t reservedByte;
    Fixed inputRate;
    Fixed maskRate;
    TColorServicesProc colorServices;
    std::int16_t inLayerPlanes, inTransparencyMask, inLayerMasks, inInvertedLayerMasks, inNonLayerPlanes;
    std::int16_t outLayerPlanes, outTransparencyMask, outLayerMasks, outInvertedLayerMasks, outNonLayerPlanes;
    std::int16_t absLayerPlanes, absTransparencyMask, absLayerMasks, absInvertedLayerMasks, absNonLayerPlanes;
    std::int16_t inPreDummyPlanes, inPostDummyPlanes, outPreDummyPlanes, outPostDummyPlanes;
    std::int32_t inColumnBytes;
    std::int32_t inPlaneBytes;
    std::int32_t outColumnBytes;
    std::int32_t outPlaneBytes;
    void* imageServicesProcs;
    void* propertyProcs;
    std::int16_t inTileHeight, inTileWidth;
    TPoint16 inTileOrigin;
    std::int16_t absTileHeight, absTileWidth;
    TPoint16 absTileOrigin;
    std::int16_t outTileHeight, outTileWidth;
    TPoint16 outTileOrigin;
    std::int16_t maskTileHeight, maskTileWidth;
    TPoint16 maskTileOrigin;
    void* descriptorParameters;
    std::uint8_t* errorString;
    void* channelPortProcs;
    void* documentInfo;
    void* basicSuite;
    void* plugInRef;
    std::int32_t depth;
    Handle iccProfileData;
    std::int32_t iccProfileSize;
    std::int32_t canUseIccProfiles;
    std::int32_t hasImageScrap;
    void* bigDocumentData;
    std::uint8_t reserved[46];
};
#pragma pack(pop)

#if UINTPTR_MAX == 0xFFFFFFFFu
static_assert(offsetof(TFilterRecord, abortProc) == 4 && offsetof(TFilterRecord, filterRect) == 22);
static_assert(offsetof(TFilterRecord, maxSpace) == 44 && offsetof(TFilterRecord, inRect) == 52);
static_assert(offsetof(TFilterRecord, outRect) == 64 && offsetof(TFilterRecord, inData) == 76);
static_assert(offsetof(TFilterRecord, outRowBytes) == 88 && offsetof(TFilterRecord, maskData) == 104);
static_assert(offsetof(TFilterRecord, hostSig) == 120 && offsetof(TFilterRecord, imageMode) == 128);
static_assert(offsetof(TFilterRecord, platformData) == 188 && offsetof(TFilterRecord, handleProcs) == 208);
static_assert(offsetof(TFilterRecord, filterCase) == 216 && offsetof(TFilterRecord, advanceState) == 224);
static_assert(offsetof(TFilterRecord, inputRate) == 248 && offsetof(TFilterRecord, colorServices) == 256);
static_assert(offsetof(TFilterRecord, inColumnBytes) == 300 && offsetof(TFilterRecord, inTileOrigin) == 328);
static_assert(offsetof(TFilterRecord, descriptorParameters) == 356 && offsetof(TFilterRecord, depth) == 380);
static_assert(offsetof(TFilterRecord, bigDocumentData) == 400 && sizeof(TFilterRecord) == 452);
static_assert(sizeof(TAboutRecord) == 256);
#else
static_assert(offsetof(TFilterRecord, progressProc) == 12 && offsetof(TFilterRecord, parameters) == 20);
static_assert(offsetof(TFilterRecord, filterRect) == 34 && offsetof(TFilterRecord, inRect) == 64);
static_assert(offsetof(TFilterRecord, inData) == 88 && offsetof(TFilterRecord, inRowBytes) == 96);
static_assert(offsetof(TFilterRecord, outData) == 100 && offsetof(TFilterRecord, outRowBytes) == 108);
static_assert(offsetof(TFilterRecord, maskData) == 124 && offsetof(TFilterRecord, imageMode) == 156);
static_assert(offsetof(TFilterRecord, platformData) == 216 && offsetof(TFilterRecord, filterCase) == 268);
static_assert(offsetof(TFilterRecord, advanceState) == 280 && offsetof(TFilterRecord, colorServices) == 320);
static_assert(offsetof(TFilterRecord, inColumnBytes) == 368 && offsetof(TFilterRecord, descriptorParameters) == 432);
static_assert(offsetof(TFilterRecord, depth) == 480 && offsetof(TFilterRecord, bigDocumentData) == 504);
static_assert(sizeof(TFilterRecord) == 560);
#endif

// The PiPL resource: an int16 prelude 1, an int32 list version 0, an int32 property count, then each
// property as vendor, key, id, data length (all int32, the codes as numbers), the data and zero padding to
// a multiple of 4.
constexpr OSType PiPLVendor = FourCC("8BIM");
constexpr OSType PiPLKind = FourCC("kind");
constexpr OSType PiPLFilterKind = FourCC("8BFM");
constexpr OSType PiPLName = FourCC("name");
constexpr OSType PiPLCategory = FourCC("catg");
constexpr OSType PiPLVersion = FourCC("vers");
constexpr OSType PiPLEntryX86 = FourCC("wx86");
constexpr OSType PiPLEntryX64 = FourCC("8664");
constexpr OSType PiPLModes = FourCC("mode");
constexpr OSType PiPLEnable = FourCC("enbl");
constexpr OSType PiPLFilterCases = FourCC("fici");

}  // namespace hostfilter
