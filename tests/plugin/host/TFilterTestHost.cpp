#include "tests/plugin/host/TFilterTestHost.h"

#include <chrono>
#include <cstring>

using namespace hostfilter;

namespace {

TFilterTestHost* running = nullptr;  // the host whose Run is in progress, for advanceState

constexpr std::int32_t BufferPadding = 5;  // the host's buffers are wider than their pixels

bool IsEmpty(const TRect16& r) { return r.right <= r.left || r.bottom <= r.top; }

std::uint32_t ReadUInt32(const std::uint8_t* p) {
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24;
}

BOOL CALLBACK FirstName(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR found) {
    *reinterpret_cast<LPCWSTR*>(found) = name;  // an id (the resource has a number)
    return FALSE;
}

std::string PascalString(const std::vector<std::uint8_t>& data) {
    if (data.empty() || data[0] + 1u > data.size()) return {};
    return std::string(data.begin() + 1, data.begin() + 1 + data[0]);
}

}  // namespace

TTestImage TTestImage::Make(std::int32_t width, std::int32_t height, std::int32_t planes, std::int32_t padding) {
    TTestImage image;
    image.width = width;
    image.height = height;
    image.planes = planes;
    image.rowBytes = width * planes + padding;
    image.bytes.assign(std::size_t(image.rowBytes) * std::size_t(height), 0xEE);
    for (std::int32_t y = 0; y < height; ++y)
        for (std::int32_t x = 0; x < width; ++x)
            for (std::int32_t p = 0; p < planes; ++p) image.Pixel(x, y)[p] = std::uint8_t(x * 29 + y * 71 + p * 53 + 7);
    return image;
}

TFilterTestHost::TFilterTestHost(const std::wstring& pluginPath) {
    window_ = CreateWindowExW(0, L"STATIC", L"Filter test host", WS_OVERLAPPED, 0, 0, 200, 100, nullptr, nullptr,
                              nullptr, nullptr);
    platform_.hwnd = window_;
    module_ = LoadLibraryW(pluginPath.c_str());
    if (module_ == nullptr) {
        error_ = "cannot load the plug-in: error " + std::to_string(GetLastError());
        return;
    }
    if (!ReadPiPL()) return;
#ifdef _WIN64
    // The resource names only the 32-bit entry point; the 64-bit build exports the same name.
    const std::string entryName = "ENTRYPOINT";
#else
    const TPiPLProperty* entryProperty = Property(PiPLEntryX86);
    if (entryProperty == nullptr || entryProperty->data.empty() || entryProperty->data.back() != 0) {
        error_ = "the PiPL names no x86 entry point";
        return;
    }
    const std::string entryName(reinterpret_cast<const char*>(entryProperty->data.data()));
#endif
    entry_ = reinterpret_cast<TEntry>(reinterpret_cast<void*>(GetProcAddress(module_, entryName.c_str())));
    if (entry_ == nullptr) error_ = "the plug-in does not export " + entryName;
}

TFilterTestHost::~TFilterTestHost() {
    if (module_ != nullptr) FreeLibrary(module_);
    if (window_ != nullptr) DestroyWindow(window_);
}

bool TFilterTestHost::ReadPiPL() {
    LPCWSTR name = nullptr;
    EnumResourceNamesW(module_, L"PiPL", FirstName, reinterpret_cast<LONG_PTR>(&name));
    HRSRC info = name != nullptr ? FindResourceW(module_, name, L"PiPL") : nullptr;
    HGLOBAL loaded = info != nullptr ? LoadResource(module_, info) : nullptr;
    const auto* bytes = loaded != nullptr ? static_cast<const std::uint8_t*>(LockResource(loaded)) : nullptr;
    if (bytes == nullptr) {
        error_ = "the plug-in has no PiPL resource";
        return false;
    }
    const std::size_t size = SizeofResource(module_, info);
    if (size < 10 || bytes[0] != 1 || bytes[1] != 0 || ReadUInt32(bytes + 2) != 0) {
        error_ = "the PiPL does not start with prelude 1 and version 0";
        return false;
    }
    const std::uint32_t count = ReadUInt32(bytes + 6);
    std::size_t at = 10;
    for (std::uint32_t i = 0; i < count; ++i) {
        if (size - at < 16) {
            error_ = "the PiPL ends inside property " + std::to_string(i);
            return false;
        }
        TPiPLProperty property;
        property.vendor = ReadUInt32(bytes + at);
        property.key = ReadUInt32(bytes + at + 4);
        const std::uint32_t length = ReadUInt32(bytes + at + 12);
        at += 16;
        if (length > size - at) {
            error_ = "the data of property " + std::to_string(i) + " runs past the PiPL";
            return false;
        }
        property.data.assign(bytes + at, bytes + at + length);
        at += (std::size_t(length) + 3) & ~std::size_t(3);
        if (at > size) at = size;
        properties_.push_back(std::move(property));
    }
    for (const TPiPLProperty& p : properties_)
        if (p.vendor != PiPLVendor) {
            error_ = "a PiPL property has another vendor than 8BIM";
            return false;
        }
    const TPiPLProperty* kind = Property(PiPLKind);
    if (kind == nullptr || kind->data.size() != 4 || ReadUInt32(kind->data.data()) != PiPLFilterKind) {
        error_ = "the PiPL does not describe a filter";
        return false;
    }
    const TPiPLProperty* menuName = Property(PiPLName);
    const TPiPLProperty* category = Property(PiPLCategory);
    if (menuName == nullptr || PascalString(menuName->data).empty() || category == nullptr ||
        PascalString(category->data).empty()) {
        error_ = "the PiPL lacks a menu name or a category";
        return false;
    }
    const TPiPLProperty* modes = Property(PiPLModes);
    if (modes == nullptr || modes->data.empty() || (modes->data[0] & (0x80 >> ModeRGB)) == 0) {
        error_ = "the PiPL does not offer RGB";
        return false;
    }
    return true;
}

const TPiPLProperty* TFilterTestHost::Property(OSType key) const {
    for (const TPiPLProperty& p : properties_)
        if (p.key == key) return &p;
    return nullptr;
}

std::int16_t TFilterTestHost::Call(std::int16_t selector, void* paramBlock) {
    std::int16_t result = 0;
    entry_(selector, paramBlock, &data_, &result);
    return result;
}

std::int16_t TFilterTestHost::About() {
    TAboutRecord about{};
    about.platformData = &platform_;
    return Call(SelectorAbout, &about);
}

TFilterRun TFilterTestHost::Run(TTestImage& image, TRect16 filterRect, std::int16_t filterCase) {
    image_ = &image;
    running = this;
    pending_ = false;
    outputRequests_ = 0;
    record_ = TFilterRecord{};
    TFilterRecord& r = record_;
    r.imageSize = TPoint16{std::int16_t(image.height), std::int16_t(image.width)};
    r.planes = std::int16_t(image.planes);
    r.filterRect = filterRect;
    r.background = TRGBColor16{0xFFFF, 0xFFFF, 0xFFFF};
    r.backColor[0] = r.backColor[1] = r.backColor[2] = 0xFF;
    r.maxSpace = 256 << 20;
    r.hostSig = FourCC("8BIM");
    r.imageMode = ModeRGB;
    r.imageHRes = r.imageVRes = 72 << 16;
    r.wholeSize = r.imageSize;
    r.platformData = &platform_;
    r.filterCase = filterCase;
    r.dummyPlaneValue = -1;
    r.advanceState = &TFilterTestHost::AdvanceState;
    r.inputRate = r.maskRate = 0x00010000;
    r.inNonLayerPlanes = r.outNonLayerPlanes = std::int16_t(image.planes);
    r.inColumnBytes = r.outColumnBytes = image.planes;
    r.inPlaneBytes = r.outPlaneBytes = 1;
    r.errorString = errorString_.data();
    r.descriptorParameters = descriptor_.data();
    r.depth = 8;

    TFilterRun run;
    run.parameters = Call(SelectorParameters, &r);
    run.prepare = Call(SelectorPrepare, &r);
    run.start = Call(SelectorStart, &r);
    bool failed = run.start != NoError;
    while (!failed && (!IsEmpty(r.inRect) || !IsEmpty(r.outRect)) && run.continues < 1000) {
        if (Advance() != NoError) {
            failed = true;
            break;
        }
        ++run.continues;
        run.lastContinue = Call(SelectorContinue, &r);
        failed = run.lastContinue != NoError;
    }
    if (!failed) {
        CommitOutput();
        run.finish = Call(SelectorFinish, &r);
        run.finished = true;
    }
    run.outputRequests = outputRequests_;
    running = nullptr;
    image_ = nullptr;
    return run;
}

std::int16_t TFilterTestHost::AdvanceState() { return running != nullptr ? running->Advance() : ParamError; }

void TFilterTestHost::CommitOutput() {
    if (!pending_) return;
    const std::int32_t n = pendingHi_ - pendingLo_ + 1;
    for (std::int32_t y = pendingRect_.top; y < pendingRect_.bottom; ++y)
        for (std::int32_t x = pendingRect_.left; x < pendingRect_.right; ++x) {
            const std::uint8_t* s = out_.data() + std::size_t(y - pendingRect_.top) * pendingRowBytes_ +
                                    std::size_t(x - pendingRect_.left) * n;
            std::memcpy(image_->Pixel(x, y) + pendingLo_, s, std::size_t(n));
        }
    pending_ = false;
}

std::int16_t TFilterTestHost::Advance() {
    CommitOutput();
    TFilterRecord& r = record_;
    auto inside = [&](const TRect16& rect, std::int16_t lo, std::int16_t hi) {
        return rect.left >= 0 && rect.top >= 0 && rect.right <= image_->width && rect.bottom <= image_->height &&
               lo >= 0 && lo <= hi && hi < image_->planes;
    };
    // Fills buffer with the image's pixels of rect, planes lo .. hi, in rows of its own width.
    auto fill = [&](std::vector<std::uint8_t>& buffer, const TRect16& rect, std::int16_t lo, std::int16_t hi,
                    void*& data, std::int32_t& rowBytes) {
        const std::int32_t n = hi - lo + 1;
        rowBytes = (rect.right - rect.left) * n + BufferPadding;
        buffer.assign(std::size_t(rowBytes) * std::size_t(rect.bottom - rect.top), 0xA5);
        for (std::int32_t y = rect.top; y < rect.bottom; ++y)
            for (std::int32_t x = rect.left; x < rect.right; ++x)
                std::memcpy(buffer.data() + std::size_t(y - rect.top) * rowBytes + std::size_t(x - rect.left) * n,
                            image_->Pixel(x, y) + lo, std::size_t(n));
        data = buffer.data();
    };
    if ((!IsEmpty(r.inRect) && !inside(r.inRect, r.inLoPlane, r.inHiPlane)) ||
        (!IsEmpty(r.outRect) && !inside(r.outRect, r.outLoPlane, r.outHiPlane)))
        return ParamError;
    // Earlier buffers go: a plug-in must not keep pointers across calls.
    in_.clear();
    out_.clear();
    r.inData = r.outData = nullptr;
    r.inRowBytes = r.outRowBytes = 0;
    if (!IsEmpty(r.inRect)) fill(in_, r.inRect, r.inLoPlane, r.inHiPlane, r.inData, r.inRowBytes);
    if (!IsEmpty(r.outRect)) {
        fill(out_, r.outRect, r.outLoPlane, r.outHiPlane, r.outData, r.outRowBytes);
        pending_ = true;
        pendingRect_ = r.outRect;
        pendingLo_ = r.outLoPlane;
        pendingHi_ = r.outHiPlane;
        pendingRowBytes_ = r.outRowBytes;
        ++outputRequests_;
    }
    return NoError;
}

TMessageBoxAnswerer::TMessageBoxAnswerer() : thread_([this] { Watch(); }) {}

TMessageBoxAnswerer::~TMessageBoxAnswerer() {
    stop_ = true;
    thread_.join();
}

std::vector<TMessageBoxAnswerer::TBox> TMessageBoxAnswerer::Boxes() {
    std::lock_guard<std::mutex> guard(lock_);
    return boxes_;
}

void TMessageBoxAnswerer::Watch() {
    const DWORD self = GetCurrentProcessId();
    while (!stop_) {
        HWND box = nullptr;
        while ((box = FindWindowExW(nullptr, box, L"#32770", nullptr)) != nullptr) {
            DWORD owner = 0;
            GetWindowThreadProcessId(box, &owner);
            if (owner != self || !IsWindowVisible(box)) continue;
            wchar_t caption[256] = L"";
            wchar_t text[1024] = L"";
            GetWindowTextW(box, caption, 256);
            GetDlgItemTextW(box, 0xFFFF, text, 1024);  // a message box's text control
            {
                std::lock_guard<std::mutex> guard(lock_);
                boxes_.push_back(TBox{caption, text});
            }
            PostMessageW(box, WM_COMMAND, IDOK, 0);
            // Wait for it to go, so that it is not counted twice.
            for (int i = 0; i < 500 && IsWindow(box); ++i) Sleep(10);
            break;
        }
        Sleep(20);
    }
}

std::wstring ProgramFolder() {
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, length);
    return folder.substr(0, folder.rfind(L'\\') + 1);
}

std::wstring ProductFolder() { return ProgramFolder() + L"..\\product\\"; }
